// Start-up, the main window and its teardown, driven from outside.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <utility>

#include "e2e/harness.h"
#include "e2e/program_test.h"
#include "support/option_bytes.h"

using namespace e2e;
namespace ob = option_bytes;

namespace {

class Calendar : public ProgramTest {
protected:
    // Sends WM_MOVING the way a drag does; the answer and the corrected
    // rectangle come back.
    RECT drag_to(LONG left, LONG top, LONG width, LONG height, LRESULT* answer = nullptr)
    {
        RECT rect = {left, top, left + width, top + height};
        DWORD_PTR result = 0;
        SendMessageTimeoutW(program.window, WM_MOVING, WMSZ_TOP, reinterpret_cast<LPARAM>(&rect), SMTO_NORMAL, 5000,
                            &result);
        if (answer) *answer = static_cast<LRESULT>(result);
        return rect;
    }
};

const int screen_width = GetSystemMetrics(SM_CXSCREEN);
const int screen_height = GetSystemMetrics(SM_CYSCREEN);

}  // namespace

TEST_F(Calendar, WindowHasItsClassStylesAndIsShown)
{
    launch();
    wchar_t name[32];
    GetClassNameW(program.window, name, 32);
    EXPECT_STREQ(name, L"Zured");
    LONG_PTR ex_style = GetWindowLongPtrW(program.window, GWL_EXSTYLE);
    LONG_PTR style = GetWindowLongPtrW(program.window, GWL_STYLE);
    EXPECT_EQ(ex_style & 0x289, 0x289);
    const LONG_PTR wanted = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_TRUE(IsWindowVisible(program.window));
    EXPECT_EQ(GetClassLongPtrW(program.window, GCL_STYLE) & CS_DBLCLKS, static_cast<ULONG_PTR>(CS_DBLCLKS));
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Calendar, SecondStartOnlyBringsTheFirstForward)
{
    launch();
    command(40019);  // hidden by the user
    ASSERT_FALSE(IsWindowVisible(program.window));
    std::wstring other = new_program_folder();
    Program second;
    ASSERT_TRUE(start_program(second, other));
    EXPECT_EQ(wait_for_exit(second), 0u);
    EXPECT_EQ(zured_windows().size(), 1u);
    EXPECT_FALSE(file_exists(file_in(other, L"Option.bin"))) << "the second instance must not touch its folder";
    EXPECT_EQ(wait_for_exit(program, 100), static_cast<DWORD>(STILL_ACTIVE));
    settle(program.window);
    EXPECT_FALSE(IsWindowVisible(program.window)) << "the user's hiding holds";

    // Shown with a dialog open, the dialog comes forward, not the disabled
    // calendar under it (keys sent there would act on the calendar).
    command(40019);
    PostMessageW(program.window, WM_KEYDOWN, VK_RETURN, 0);
    HWND entry = wait_for_dialog(L"勝ったり負けたり");
    ASSERT_NE(entry, nullptr);
    HWND elsewhere = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, nullptr,
                                     nullptr, nullptr);
    SetForegroundWindow(elsewhere);
    ASSERT_TRUE(wait_for_foreground(elsewhere));
    ASSERT_TRUE(start_program(second, other));
    EXPECT_EQ(wait_for_exit(second), 0u);
    EXPECT_TRUE(wait_for_foreground(entry));
    DestroyWindow(elsewhere);
    PostMessageW(entry, WM_COMMAND, IDCANCEL, 0);
    remove_folder(other);
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Calendar, AnotherCopysFolderOrMutexIsLeftAlone)
{
    // Another user's copy holds the folder: told, and nothing is touched.
    const std::wstring lock_path = file_in(folder, L"Ravo.lock");
    HANDLE lock = CreateFileW(lock_path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(start_program(program, folder));
    HWND box = wait_for_dialog(L"エラーです。", 15000);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(control_text(box, 65535).find(folder), std::wstring::npos);
    EXPECT_TRUE(zured_windows().empty());
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(wait_for_exit(program), 0u);
    CloseHandle(lock);
    EXPECT_FALSE(file_exists(file_in(folder, L"Option.bin")));

    // A copy run as administrator makes a mutex this user may not open:
    // that is a running copy, not a first start.
    SECURITY_DESCRIPTOR nobody;
    InitializeSecurityDescriptor(&nobody, SECURITY_DESCRIPTOR_REVISION);
    ACL empty;
    InitializeAcl(&empty, sizeof empty, ACL_REVISION);
    SetSecurityDescriptorDacl(&nobody, TRUE, &empty, FALSE);
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, &nobody, FALSE};
    HANDLE held = CreateMutexW(&attributes, FALSE, L"Local\\Tovrel.Ravo.Zured");
    ASSERT_NE(held, nullptr);
    ASSERT_TRUE(start_program(program, folder));
    EXPECT_EQ(wait_for_exit(program), 0u);
    EXPECT_TRUE(zured_windows().empty());
    CloseHandle(held);

    // Both gone, the folder is this copy's, and its lock goes with it.
    launch();
    EXPECT_TRUE(file_exists(lock_path));
    EXPECT_TRUE(exit_program(program));
    EXPECT_FALSE(file_exists(lock_path));
}

TEST_F(Calendar, FreshStartWritesTheFirstLookAtExit)
{
    const std::wstring check_file = file_in(folder, L"Ravo-write-check.tmp");
    ASSERT_TRUE(write_file(check_file, Bytes{1}));  // left by a crash
    launch();
    EXPECT_EQ(wait_for_dialog(L"エラーです。", 500), nullptr) << "a leftover check file is no unwritable folder";
    EXPECT_FALSE(file_exists(check_file));
    EXPECT_FALSE(file_exists(file_in(folder, L"Option.bin")));
    ASSERT_TRUE(exit_program(program));
    // The first start's look: results shown, Japanese names for a Japanese
    // display language (the fonts' character set), amounts in Ravo.ini.
    ob::Bytes first_look = ob::default_file();
    first_look[98] = 1;
    if (PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE) first_look[23] = first_look[129 + 23] = 128;
    EXPECT_EQ(saved_options(), first_look);
    const std::u16string ini = u"\uFEFF[表示]\r\n金額を表示=1\r\n";
    EXPECT_EQ(read_file(file_in(folder, L"Ravo.ini")),
              Bytes(reinterpret_cast<const uint8_t*>(ini.data()), reinterpret_cast<const uint8_t*>(ini.data()) + 2 * ini.size()));
}

TEST_F(Calendar, DragIsStoppedAtEveryScreenEdgeAndRemembered)
{
    launch();
    LRESULT answer = 0;
    RECT rect = drag_to(-50, 40, 200, 150, &answer);
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.right, 200);
    EXPECT_EQ(rect.top, 40);

    rect = drag_to(30, -20, 200, 150);
    EXPECT_EQ(rect.left, 30);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.bottom, 150);

    rect = drag_to(screen_width - 20, 40, 200, 150);
    EXPECT_EQ(rect.left, screen_width - 200);
    EXPECT_EQ(rect.right, screen_width);

    rect = drag_to(30, screen_height - 10, 200, 150);
    EXPECT_EQ(rect.top, screen_height - 150);
    EXPECT_EQ(rect.bottom, screen_height);

    // Larger than the screen: sticks to the left and top edges.
    rect = drag_to(100, 100, screen_width + 50, screen_height + 50);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, screen_width + 50);

    drag_to(123, 77, 200, 150);
    ASSERT_TRUE(exit_program(program));
    ob::Bytes saved = saved_options();
    ASSERT_EQ(saved.size(), 512u);
    EXPECT_EQ(ob::get32(saved, ob::month_left), 123u);
    EXPECT_EQ(ob::get32(saved, ob::month_top), 77u);
    EXPECT_EQ(ob::get32(saved, ob::year_left), 0u);
    EXPECT_EQ(ob::get32(saved, ob::small_left), 0u);
}

TEST_F(Calendar, DraggedOntoAnotherScaleTakesTheSizeItAnnounced)
{
    launch();
    const RECT before = window_rect();
    probe(4);
    Bytes text = read_file(file_in(folder, L"dpi-probe.txt"));
    int answered = 0;
    long cx = 0, cy = 0, width = 0, height = 0;
    ASSERT_EQ(sscanf(std::string(text.begin(), text.end()).c_str(), "%d %ld %ld %ld %ld", &answered, &cx, &cy,
                     &width, &height),
              5);
    EXPECT_EQ(answered, 1);
    EXPECT_GT(cx, (before.right - before.left) * 4 / 3) << "the layout at 150 %";
    EXPECT_EQ(width, cx);
    EXPECT_EQ(height, cy);
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Calendar, DragInYearAndSmallModesStoresTheirOwnPositions)
{
    ob::Bytes options = ob::default_file();
    options[ob::year_mode] = 1;
    write_options(options);
    launch();
    drag_to(210, 220, 100, 100);
    ASSERT_TRUE(exit_program(program));
    ob::Bytes saved = saved_options();
    EXPECT_EQ(ob::get32(saved, ob::year_left), 210u);
    EXPECT_EQ(ob::get32(saved, ob::year_top), 220u);
    EXPECT_EQ(ob::get32(saved, ob::month_left), 0u);

    saved[ob::small_mode] = 1;  // wins over the one-year view
    write_options(saved);
    launch();
    drag_to(310, 320, 100, 20);
    ASSERT_TRUE(exit_program(program));
    saved = saved_options();
    EXPECT_EQ(ob::get32(saved, ob::small_left), 310u);
    EXPECT_EQ(ob::get32(saved, ob::small_top), 320u);
    EXPECT_EQ(ob::get32(saved, ob::year_left), 210u);
}

TEST_F(Calendar, OpensAtTheStoredPositionPulledOntoTheScreen)
{
    ob::Bytes options = ob::default_file();
    ob::put32(options, ob::month_left, 140);
    ob::put32(options, ob::month_top, 90);
    write_options(options);
    launch();
    RECT rect = window_rect();
    EXPECT_EQ(rect.left, 140);
    EXPECT_EQ(rect.top, 90);
    ASSERT_TRUE(exit_program(program));

    ob::put32(options, ob::month_left, 100000);
    ob::put32(options, ob::month_top, static_cast<uint32_t>(-100000));
    write_options(options);
    launch();
    rect = window_rect();
    EXPECT_EQ(rect.right, screen_width);
    EXPECT_EQ(rect.top, 0);
    ASSERT_TRUE(exit_program(program));
    ob::Bytes saved = saved_options();
    EXPECT_EQ(static_cast<int32_t>(ob::get32(saved, ob::month_left)), rect.left);
    EXPECT_EQ(ob::get32(saved, ob::month_top), 0u);
}

TEST_F(Calendar, CloseBoxOnlyHides)
{
    launch();
    PostMessageW(program.window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(settle(program.window));
    EXPECT_FALSE(IsWindowVisible(program.window));
    EXPECT_EQ(wait_for_exit(program, 200), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_TRUE(IsWindow(program.window));
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Calendar, BackgroundIsFilledWithTheBackgroundColour)
{
    ob::Bytes options = ob::default_file();
    ob::put32(options, ob::background_color, 0x00123456);  // BGR in the file
    ob::put32(options, ob::month_left, 60);
    ob::put32(options, ob::month_top, 60);
    write_options(options);
    launch();
    Capture client = capture_client(program.window);
    ASSERT_GT(client.width, 20);
    ASSERT_GT(client.height, 20);
    // Corners of cells, clear of any text, and the spare rows at the bottom.
    EXPECT_EQ(client.at(2, 2), 0x563412u);
    EXPECT_EQ(client.at(2, client.height - 2), 0x563412u);
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Calendar, WithoutCaptionEveryPointDragsTheWindow)
{
    ob::Bytes options = ob::default_file();
    ob::put32(options, ob::month_left, 50);
    ob::put32(options, ob::month_top, 50);
    write_options(options);
    launch();
    RECT rect = window_rect();
    LPARAM inside = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    DWORD_PTR hit = 0;
    SendMessageTimeoutW(program.window, WM_NCHITTEST, 0, inside, SMTO_NORMAL, 5000, &hit);
    EXPECT_EQ(hit, static_cast<DWORD_PTR>(HTCLIENT));
    ASSERT_TRUE(exit_program(program));

    options[ob::no_title_bar] = 1;
    write_options(options);
    launch();
    SendMessageTimeoutW(program.window, WM_NCHITTEST, 0, inside, SMTO_NORMAL, 5000, &hit);
    EXPECT_EQ(hit, static_cast<DWORD_PTR>(HTCAPTION));
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Calendar, EndOfSessionSavesTheOptions)
{
    launch();
    drag_to(222, 111, 100, 100);
    DWORD_PTR agreed = 0;
    SendMessageTimeoutW(program.window, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &agreed);
    EXPECT_EQ(agreed, 1u);
    ob::Bytes saved = saved_options();
    ASSERT_EQ(saved.size(), 512u);
    EXPECT_EQ(ob::get32(saved, ob::month_left), 222u);
    EXPECT_EQ(ob::get32(saved, ob::month_top), 111u);
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Calendar, LongerOptionFileKeepsItsTail)
{
    ob::Bytes options = ob::default_file();
    for (int i = 0; i < 88; ++i) options.push_back(static_cast<uint8_t>(i * 7));
    write_options(options);
    launch();
    ASSERT_TRUE(exit_program(program));
    EXPECT_EQ(saved_options(), options);
}

TEST_F(Calendar, CaptionShowsTheStoredShiftJisTitle)
{
    launch();
    wchar_t caption[64];
    GetWindowTextW(program.window, caption, 64);
    EXPECT_STREQ(caption, L"Tovrel");
    ASSERT_TRUE(exit_program(program));

    ob::Bytes options = ob::default_file();
    const char title[] = "\x8F\x9F\x82\xBF\x95\x89\x82\xAF\x92\xA0";  // 勝ち負け帳 in Shift-JIS
    std::copy(title, title + sizeof title, options.begin() + ob::title);
    write_options(options);
    launch();
    GetWindowTextW(program.window, caption, 64);
    EXPECT_STREQ(caption, L"勝ち負け帳");
    ASSERT_TRUE(exit_program(program));
    EXPECT_EQ(saved_options(), options) << "the title is stored back as it was read";
}

TEST_F(Calendar, WithoutTitleBarTheCaptionIsGone)
{
    ob::Bytes options = ob::default_file();
    options[ob::no_title_bar] = 1;
    write_options(options);
    launch();
    LONG_PTR style = GetWindowLongPtrW(program.window, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, static_cast<LONG_PTR>(WS_BORDER));
    EXPECT_EQ(style & WS_SYSMENU, 0);
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Calendar, MinimizedCalendarIsShownRestoredAndTwoStartsLeaveOne)
{
    // A tool window has no taskbar button: showing it must restore it.
    launch();
    ShowWindow(program.window, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(program.window));
    PostMessageW(program.window, 1124, 1, WM_LBUTTONDOWN);  // the notification icon
    settle(program.window);
    EXPECT_FALSE(IsIconic(program.window));
    EXPECT_TRUE(IsWindowVisible(program.window));
    ASSERT_TRUE(exit_program(program));

    Program other;
    ASSERT_TRUE(start_program(program, folder));
    ASSERT_TRUE(start_program(other, folder));
    DWORD first_code = STILL_ACTIVE, other_code = STILL_ACTIVE;
    for (int waited = 0; waited < 10000 && first_code == STILL_ACTIVE && other_code == STILL_ACTIVE; waited += 100) {
        Sleep(100);
        first_code = wait_for_exit(program, 0);
        if (first_code == STILL_ACTIVE) other_code = wait_for_exit(other, 0);
    }
    EXPECT_EQ(first_code == STILL_ACTIVE ? other_code : first_code, 0u) << "one of them ends";
    if (first_code != STILL_ACTIVE) std::swap(program, other);
    Sleep(300);
    EXPECT_EQ(wait_for_exit(program, 0), static_cast<DWORD>(STILL_ACTIVE)) << "the other runs on";
    ASSERT_TRUE(attach_window(program));
    EXPECT_EQ(zured_windows().size(), 1u);
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Calendar, UnwritableFolderIsToldAndTheIconAskedForAgain)
{
    // The probe build's shell refuses the first icon, as at logon; the
    // folder refuses the program's test file; an older copy's files wait in
    // the VirtualStore.
    ASSERT_TRUE(CopyFileW((own_folder() + L"RavoProbe.exe").c_str(), file_in(folder, L"Ravo.exe").c_str(), FALSE));
    ASSERT_TRUE(write_file(file_in(folder, L"refuse-icon.txt"), Bytes{'1'}));
    ASSERT_TRUE(CreateDirectoryW(file_in(folder, L"Ravo-write-check.tmp").c_str(), nullptr));
    wchar_t local[MAX_PATH];
    GetEnvironmentVariableW(L"LOCALAPPDATA", local, MAX_PATH);
    const std::wstring store = std::wstring(local) + L"\\VirtualStore" + folder.substr(2);
    SHCreateDirectoryExW(nullptr, store.c_str(), nullptr);
    ASSERT_TRUE(write_file(store + L"2009.dat", Bytes(1488, 0)));
    launch();
    HWND box = wait_for_dialog(L"エラーです。");
    ASSERT_NE(box, nullptr);
    std::wstring text = control_text(box, 65535);
    EXPECT_NE(text.find(L"このフォルダには書き込めません。\n\n" + folder), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"書き込みできるフォルダへ移してください"), std::wstring::npos);
    EXPECT_NE(text.find(store), std::wstring::npos) << "where the earlier data is";
    press(box, IDOK);
    Sleep(3500);
    Bytes calls = read_file(file_in(folder, L"icon-calls.txt"));
    EXPECT_EQ(std::string(calls.begin(), calls.end()), "refused\nadded\n");
    EXPECT_TRUE(exit_program(program));
    remove_folder(store);
}
