// Small helper for the scripts, run under Wine next to a running Ravo.exe.
//   ravo-tool screenshot FILE.bmp   wait for the window, capture it with
//                                   its frame, then send the exit command
//   ravo-tool tip X,Y FILE.bmp      rest the pointer on a client point,
//                                   capture the window with its tooltip,
//                                   exit the program
//   ravo-tool dialog COMMAND|X,Y CAPTION PAGE|cN FILE.bmp
//                                   open a dialog by a menu command or a
//                                   double click at a client point, show
//                                   page PAGE of a property sheet (-1: none)
//                                   or, for cN, item N of its drop-down list,
//                                   or, for bN, press its button N (bN:CAPTION:
//                                   then take the dialog that opens), capture
//                                   it, close it, exit the program; tID=TEXT;
//                                   before any of them types TEXT into the
//                                   dialog's field ID first
//   ravo-tool now FILE              write the local time as the program
//                                   sees it ("YYYY-MM-DD hh:mm:ss")
//   ravo-tool enter DIGITS MEMO     open the selected day (today), key in
//                                   the digits, write the memo, mark the
//                                   day off, OK, then exit the program
//                                   (a message box on the way is answered
//                                   with OK)
//   ravo-tool hold FILE             open FILE as a spreadsheet does (for
//                                   reading, sharing only reading), say
//                                   "held", keep it until standard input ends
//   ravo-tool quit                  wait for the window, then exit
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "e2e/harness.h"

namespace {

HWND wait_for_any_window(int timeout_ms)
{
    for (int waited = 0; waited < timeout_ms; waited += 50) {
        std::vector<HWND> windows = e2e::zured_windows();
        if (!windows.empty()) return windows.front();
        Sleep(50);
    }
    return nullptr;
}

int exit_program(HWND window, bool saved)
{
    PostMessageW(window, WM_COMMAND, 40003, 0);
    for (int waited = 0; IsWindow(window) && waited < 10000; waited += 50) Sleep(50);
    return saved ? 0 : 1;
}

HWND ready_window()
{
    HWND window = wait_for_any_window(30000);
    if (!window || !e2e::settle(window)) {
        std::fprintf(stderr, "ravo-tool: no Ravo window\n");
        return nullptr;
    }
    Sleep(300);  // let the first paint reach the screen
    return window;
}

// Without a system tray Wine shows the notification icons in a small
// window of its own ("Wine System Tray") at the top-left of the screen,
// over a calendar placed there: it goes to the bottom-right corner, and
// what it hid is painted.
void move_tray_window_off(HWND window)
{
    // It comes with the program's icon, shortly after the first picture.
    HWND tray = nullptr;
    for (int waited = 0; waited < 2000; waited += 50) {
        tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
        if (tray && IsWindowVisible(tray)) break;
        Sleep(50);
    }
    RECT tray_rect, window_rect, overlap;
    if (!tray || !IsWindowVisible(tray) || !GetWindowRect(tray, &tray_rect) || !GetWindowRect(window, &window_rect) ||
        !IntersectRect(&overlap, &tray_rect, &window_rect))
        return;
    SetWindowPos(tray, nullptr, GetSystemMetrics(SM_CXSCREEN) - (tray_rect.right - tray_rect.left),
                 GetSystemMetrics(SM_CYSCREEN) - (tray_rect.bottom - tray_rect.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    e2e::settle(window);
    Sleep(300);
}

int screenshot(const wchar_t* path)
{
    HWND window = ready_window();
    if (!window) return 1;
    move_tray_window_off(window);
    return exit_program(window, e2e::save_bitmap(e2e::capture_window(window), path));
}

BOOL CALLBACK find_shown_tooltip(HWND window, LPARAM found)
{
    wchar_t name[32] = L"";
    if (!IsWindowVisible(window) || !GetClassNameW(window, name, 32) || lstrcmpiW(name, L"tooltips_class32") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The window and the tip the pointer resting on a client point shows.
int tip(const wchar_t* point_text, const wchar_t* path)
{
    HWND window = ready_window();
    POINT point = {};
    if (!window || std::swscanf(point_text, L"%ld,%ld", &point.x, &point.y) != 2) return 1;
    move_tray_window_off(window);
    ClientToScreen(window, &point);
    SetCursorPos(point.x + 3, point.y + 3);
    SetCursorPos(point.x, point.y);
    HWND shown = nullptr;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    for (int waited = 0; waited < 5000 && !shown; waited += 50) {
        Sleep(50);
        EnumThreadWindows(thread, find_shown_tooltip, reinterpret_cast<LPARAM>(&shown));
    }
    if (!shown) {
        std::fprintf(stderr, "ravo-tool: no tip\n");
        return exit_program(window, false);
    }
    Sleep(400);
    RECT area, tip_rect;
    GetWindowRect(window, &area);
    GetWindowRect(shown, &tip_rect);
    UnionRect(&area, &area, &tip_rect);
    bool saved = e2e::save_bitmap(e2e::capture_screen(area), path);
    SetCursorPos(0, 0);
    return exit_program(window, saved);
}

// Chooses item `index` of the dialog's drop-down list as a person would.
void choose_list_item(HWND dialog, int index)
{
    HWND list = FindWindowExW(dialog, nullptr, L"ComboBox", nullptr);
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

HWND wait_for_dialog(const wchar_t* caption)
{
    HWND found = nullptr;
    for (int waited = 0; waited < 10000 && !(found && IsWindowVisible(found)); waited += 50) {
        Sleep(50);
        found = FindWindowW(L"#32770", caption);
    }
    return found;
}

void close_dialog(HWND dialog)
{
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    for (int waited = 0; IsWindow(dialog) && waited < 5000; waited += 50) Sleep(50);
}

// Presses a button of the dialog ("b1230" or "b1230:明細"); the dialog it
// opens when one is named, with a key pressed on one of its controls when
// given ("b1700:バックアップから戻す|1702:35", 35 being End).
HWND press_button(HWND dialog, const wchar_t* choice)
{
    PostMessageW(GetDlgItem(dialog, _wtoi(choice + 1)), BM_CLICK, 0, 0);
    const wchar_t* caption = std::wcschr(choice, L':');
    if (!caption) return dialog;
    std::wstring name = caption + 1;
    const size_t bar = name.find(L'|');
    HWND opened = wait_for_dialog(name.substr(0, bar).c_str());
    if (opened && bar != std::wstring::npos) {
        int control = 0, key = 0;
        if (std::swscanf(name.c_str() + bar + 1, L"%d:%d", &control, &key) == 2)
            PostMessageW(GetDlgItem(opened, control), WM_KEYDOWN, static_cast<WPARAM>(key), 1);
    }
    return opened;
}

int dialog(const wchar_t* opener, const wchar_t* caption, const wchar_t* choice, const wchar_t* path)
{
    HWND window = ready_window();
    if (!window) return 1;
    int x = 0, y = 0;
    if (std::swscanf(opener, L"%d,%d", &x, &y) == 2)
        PostMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
    else
        PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(_wtoi(opener)), 0);
    HWND found = wait_for_dialog(caption);
    if (!found) {
        std::fprintf(stderr, "ravo-tool: no dialog\n");
        return exit_program(window, false);
    }
    HWND shown = found;
    if (choice[0] == L't') {
        const wchar_t* equals = std::wcschr(choice, L'=');
        const wchar_t* end = equals ? std::wcschr(equals, L';') : nullptr;
        if (!end) {
            std::fprintf(stderr, "ravo-tool: tID=TEXT; wanted\n");
            close_dialog(found);
            return exit_program(window, false);
        }
        // Typed, so the field tells its dialog of each change.
        for (const wchar_t* character = equals + 1; character < end; ++character)
            SendMessageW(GetDlgItem(found, _wtoi(choice + 1)), WM_CHAR, *character, 1);
        choice = end + 1;
    }
    if (choice[0] == L'c')
        choose_list_item(found, _wtoi(choice + 1));
    else if (choice[0] == L'b')
        shown = press_button(found, choice);
    else if (_wtoi(choice) >= 0)
        SendMessageW(found, PSM_SETCURSEL, static_cast<WPARAM>(_wtoi(choice)), 0);
    if (!shown) shown = found;
    e2e::settle(shown);
    Sleep(400);
    bool saved = e2e::save_bitmap(e2e::capture_window(shown), path);
    if (shown != found) close_dialog(shown);
    close_dialog(found);
    return exit_program(window, saved);
}

int write_now(const wchar_t* path)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[32];
    int length = std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", now.wYear, now.wMonth, now.wDay,
                               now.wHour, now.wMinute, now.wSecond);
    return e2e::write_file(path, e2e::Bytes(text, text + length)) ? 0 : 1;
}

// The day entry as a person fills it in; the program may be killed at
// any moment of its save (the crash test), so every wait gives up.
int enter_day(const wchar_t* digits, const wchar_t* memo)
{
    HWND window = ready_window();
    if (!window) return 1;
    PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
    HWND entry = nullptr;
    for (int waited = 0; waited < 10000 && !(entry && IsWindowVisible(entry)); waited += 20) {
        Sleep(20);
        entry = FindWindowW(L"#32770", L"勝ったり負けたり");
    }
    if (!entry || !e2e::settle(entry)) return 1;
    for (const wchar_t* digit = digits; *digit; ++digit)
        SendMessageW(GetDlgItem(entry, 200 + (*digit - L'0')), BM_CLICK, 0, 0);
    SendMessageW(GetDlgItem(entry, 1051), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(memo));
    SendMessageW(GetDlgItem(entry, 1227), BM_SETCHECK, BST_CHECKED, 0);
    PostMessageW(GetDlgItem(entry, IDOK), BM_CLICK, 0, 0);
    for (int waited = 0; IsWindow(entry) && waited < 10000; waited += 20) {
        Sleep(20);
        // A save that could not write all says so; the entry waits for OK.
        if (HWND box = FindWindowW(L"#32770", L"エラーです。")) PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    if (!e2e::settle(window)) return 1;
    return exit_program(window, true);
}

int hold(const wchar_t* path)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    std::printf("held\n");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    CloseHandle(file);
    return 0;
}

int quit()
{
    HWND window = ready_window();
    return window ? exit_program(window, true) : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    std::wstring verb = argc > 1 ? argv[1] : L"";
    if (argc == 3 && verb == L"screenshot") return screenshot(argv[2]);
    if (argc == 6 && verb == L"dialog") return dialog(argv[2], argv[3], argv[4], argv[5]);
    if (argc == 4 && verb == L"tip") return tip(argv[2], argv[3]);
    if (argc == 3 && verb == L"now") return write_now(argv[2]);
    if (argc == 4 && verb == L"enter") return enter_day(argv[2], argv[3]);
    if (argc == 3 && verb == L"hold") return hold(argv[2]);
    if (argc == 2 && verb == L"quit") return quit();
    std::fprintf(stderr, "usage: ravo-tool screenshot FILE.bmp | tip X,Y FILE.bmp | dialog COMMAND|X,Y CAPTION PAGE|cN|bN[:CAPTION] FILE.bmp | now FILE | "
                         "enter DIGITS MEMO | hold FILE | quit\n");
    return 2;
}
