// Small helper for the scripts, run under Wine next to a running Ravo.exe.
//   ravo-tool screenshot FILE.bmp   wait for the window, capture it with
//                                   its frame, then send the exit command
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

int screenshot(const wchar_t* path)
{
    HWND window = ready_window();
    if (!window) return 1;
    return exit_program(window, e2e::save_bitmap(e2e::capture_window(window), path));
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
// opens when one is named.
HWND press_button(HWND dialog, const wchar_t* choice)
{
    PostMessageW(GetDlgItem(dialog, _wtoi(choice + 1)), BM_CLICK, 0, 0);
    const wchar_t* caption = std::wcschr(choice, L':');
    return caption ? wait_for_dialog(caption + 1) : dialog;
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
    if (argc == 3 && verb == L"now") return write_now(argv[2]);
    if (argc == 4 && verb == L"enter") return enter_day(argv[2], argv[3]);
    if (argc == 3 && verb == L"hold") return hold(argv[2]);
    if (argc == 2 && verb == L"quit") return quit();
    std::fprintf(stderr, "usage: ravo-tool screenshot FILE.bmp | dialog COMMAND|X,Y CAPTION PAGE|cN|bN[:CAPTION] FILE.bmp | now FILE | "
                         "enter DIGITS MEMO | hold FILE | quit\n");
    return 2;
}
