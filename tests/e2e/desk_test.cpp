// The popup menu and its commands, the pointer actions, the clock, hiding,
// the notification icon, the Run value and the session commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/expected_view.h"
#include "e2e/program_test.h"

using namespace e2e;
namespace ob = option_bytes;

namespace {

const char sunday_in_2009[] = "2009-12-06 09:05:07";  // 1 December is a Tuesday

struct MenuItem {
    unsigned id;
    std::wstring state;  // "separator", "checked", "grayed" or ""
    std::wstring text;
};

class Desk : public ProgramTest {
protected:
    int cell = default_cell(false);
    long middle(int index) const { return index * cell + cell / 2; }

    // Opens the popup menu with a right click on a day cell and reads it
    // inside the program through the probe DLL.
    std::vector<MenuItem> open_menu()
    {
        std::wstring probe_file = file_in(folder, L"menu-probe.txt");
        DeleteFileW(probe_file.c_str());
        PostMessageW(program.window, WM_RBUTTONDOWN, 0, MAKELPARAM(middle(1), middle(2)));
        for (int waited = 0; waited < 5000 && !FindWindowW(L"#32768", nullptr); waited += 20) Sleep(20);
        probe(1);
        settle(program.window);
        Bytes bytes = read_file(probe_file);
        std::istringstream lines(std::string(bytes.begin(), bytes.end()));
        std::vector<MenuItem> items;
        for (std::string line; std::getline(lines, line);) {
            size_t bar = line.find('|'), second = line.find('|', bar + 1);
            items.push_back({static_cast<unsigned>(std::stoul(line.substr(0, bar))),
                             wide_from_utf8(line.substr(bar + 1, second - bar - 1)), wide_from_utf8(line.substr(second + 1))});
        }
        return items;
    }

    static std::vector<unsigned> ids(const std::vector<MenuItem>& items)
    {
        std::vector<unsigned> result;
        for (const MenuItem& item : items) result.push_back(item.id);
        return result;
    }
    static const MenuItem* find(const std::vector<MenuItem>& items, unsigned id)
    {
        for (const MenuItem& item : items)
            if (item.id == id) return &item;
        return nullptr;
    }

    std::wstring run_value()
    {
        wchar_t data[MAX_PATH * 2] = L"";
        DWORD size = sizeof data;
        if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"Ravo.exe",
                         RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
            return L"<none>";
        return data;
    }

    ob::Bytes options_at(int left, int top)
    {
        ob::Bytes options = ob::default_file();
        ob::put32(options, ob::month_left, static_cast<uint32_t>(left));
        ob::put32(options, ob::month_top, static_cast<uint32_t>(top));
        return options;
    }
};

}  // namespace

TEST_F(Desk, MenuItemsFollowTheOptions)
{
    launch(options_at(50, 50), sunday_in_2009);
    std::vector<MenuItem> items = open_menu();
    std::vector<unsigned> expected = {40040, 0,     40041, 40042, 0,     40001, 0,     40009, 40004, 40030, 40043, 40044,
                                      40012, 40008, 40011, 40002, 40013, 40010, 40019, 40023, 40022, 0,     40003, 0,
                                      40005, 40016, 40015};
    if (find(items, 40017)) expected.push_back(40017);  // when the all-users Programs folder exists
    for (unsigned id : {0u, 40024u, 40006u, 40007u}) expected.push_back(id);
    EXPECT_EQ(ids(items), expected);
    ASSERT_TRUE(find(items, 40002));
    EXPECT_EQ(find(items, 40002)->state, L"checked");
    EXPECT_EQ(find(items, 40001)->state, L"");
    EXPECT_EQ(find(items, 40001)->text, L"フォント(&W)...");
    EXPECT_EQ(find(items, 40040)->text, L"この日を入力(&E)...");
    EXPECT_EQ(find(items, 40040)->state, L"default");
    EXPECT_EQ(find(items, 40022)->text, L"ヘルプ(&V)...") << "E is the first item's";
    // No two items share a letter.
    std::vector<wchar_t> letters;
    for (const MenuItem& item : items) {
        const size_t at = item.text.find(L"(&");
        if (at != std::wstring::npos) letters.push_back(item.text[at + 2]);
    }
    std::sort(letters.begin(), letters.end());
    EXPECT_EQ(std::adjacent_find(letters.begin(), letters.end()), letters.end()) << "letters shared";
    EXPECT_EQ(find(items, 40043)->text, L"日付へ移動(&G)...");
    EXPECT_EQ(find(items, 40044)->text, L"検索(&F)...");
    EXPECT_EQ(find(items, 40006)->text, L"シャットダウン(&S)");
    EXPECT_EQ(find(items, 40041)->text, L"元に戻す(&U)");
    EXPECT_EQ(find(items, 40042)->state, L"grayed") << "nothing to redo";
    EXPECT_EQ(find(items, 40008)->state, L"");
    ASSERT_TRUE(exit_program(program));

    // Small display, no session items, not on top.
    ob::Bytes options = saved_options();
    options[ob::small_mode] = 1;
    options[ob::topmost] = 0;
    options[93] = 1;  // hide_shutdown_items
    launch(options, sunday_in_2009);
    items = open_menu();
    std::vector<unsigned> shorter = expected;
    shorter.resize(shorter.size() - 4);
    EXPECT_EQ(ids(items), shorter) << "exactly the separator and the three session items go";
    EXPECT_EQ(find(items, 40001)->state, L"grayed");
    EXPECT_EQ(find(items, 40040)->state, L"default") << "today's entry opens from the small display too";
    EXPECT_EQ(find(items, 40008)->state, L"checked");
    EXPECT_EQ(find(items, 40002)->state, L"");
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Desk, ViewCommandsResetToTodayAndMoveToTheModesPlace)
{
    ob::Bytes options = options_at(40, 40);
    ob::put32(options, ob::year_left, 300);
    ob::put32(options, ob::year_top, 200);
    launch(options, sunday_in_2009);
    mouse(WM_LBUTTONDBLCLK, middle(6), middle(6));  // month caption: January 2010
    ASSERT_TRUE(month_view_caption_shows(program.window, month_caption, L"1"));

    command(40011);
    RECT rect = window_rect();
    EXPECT_EQ(rect.left, 300);
    EXPECT_EQ(rect.top, 200);
    RECT client;
    GetClientRect(program.window, &client);
    EXPECT_EQ(client.right, 31 * default_cell(true));
    command(40011);
    rect = window_rect();
    EXPECT_EQ(rect.left, 40);
    GetClientRect(program.window, &client);
    EXPECT_EQ(client.right, 7 * cell);
    EXPECT_TRUE(month_view_caption_shows(program.window, month_caption, L"12")) << "back to today's month";
    EXPECT_TRUE(month_view_caption_shows(program.window, year_caption, L"2009"));

    mouse(WM_LBUTTONDBLCLK, middle(6), middle(6));
    command(40008);
    GetClientRect(program.window, &client);
    EXPECT_LT(client.bottom, cell) << "the small display is one line high";
    command(40008);
    EXPECT_TRUE(month_view_caption_shows(program.window, month_caption, L"12"));
    ASSERT_TRUE(exit_program(program));
    ob::Bytes saved = saved_options();
    EXPECT_EQ(saved[ob::small_mode], 0);
    EXPECT_EQ(saved[ob::year_mode], 0);
}

TEST_F(Desk, CaptionsStepForwardAndBackWithTheWrapAndTheLedger)
{
    ob::Bytes options = options_at(40, 40);
    options[98] = 1;  // show_results
    // A win on 3 January 1990, a Wednesday: position 3 of its grid.
    Bytes amounts(1488, 0);
    amounts[2 * 4] = 100;
    ASSERT_TRUE(write_file(file_in(folder, L"1990.dat"), amounts));
    launch(options, "2037-12-06 10:00:00");
    ASSERT_TRUE(month_view_caption_shows(program.window, year_caption, L"2037"));
    mouse(WM_LBUTTONDBLCLK, middle(6), middle(6));
    EXPECT_TRUE(month_view_caption_shows(program.window, month_caption, L"1"));
    EXPECT_TRUE(month_view_caption_shows(program.window, year_caption, L"1990"));
    EXPECT_EQ(month_view_cell_color(program.window, 3), 0xFFFF00u) << "the 1990 ledger is loaded";

    mouse(WM_RBUTTONDOWN, middle(5), middle(6));  // year caption, back
    EXPECT_TRUE(month_view_caption_shows(program.window, year_caption, L"2037"));
    EXPECT_TRUE(month_view_caption_shows(program.window, month_caption, L"1"));
    mouse(WM_RBUTTONDOWN, middle(6), middle(6));  // month caption, back
    EXPECT_TRUE(month_view_caption_shows(program.window, month_caption, L"12"));
    EXPECT_TRUE(month_view_caption_shows(program.window, year_caption, L"2036"));
    mouse(WM_LBUTTONDBLCLK, middle(5), middle(6));  // year caption, forward
    EXPECT_TRUE(month_view_caption_shows(program.window, year_caption, L"2037"));
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Desk, KeysMoveTheSelectedDayAcrossMonthsPageAndOpenIt)
{
    launch(options_at(40, 40), sunday_in_2009);
    auto keys = [this](std::initializer_list<WPARAM> codes) {
        for (WPARAM code : codes) PostMessageW(program.window, WM_KEYDOWN, code, 1);
        settle(program.window);
    };
    auto entry_caption_after = [&](std::initializer_list<WPARAM> codes) {
        keys(codes);
        keys({VK_RETURN});
        HWND entry = wait_for_dialog(L"勝ったり負けたり");
        std::wstring caption = entry ? control_text(entry, 1001) : L"no day entry";
        if (entry) press(entry, IDCANCEL);
        return caption;
    };
    EXPECT_EQ(entry_caption_after({VK_RIGHT}), L"2009/12/7(月) ");
    EXPECT_EQ(entry_caption_after({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN}), L"2010/1/4(月) ");
    EXPECT_TRUE(month_view_caption_shows(program.window, year_caption, L"2010")) << "the shown month follows";
    EXPECT_EQ(entry_caption_after({VK_UP, VK_LEFT}), L"2009/12/27(日) ");
    keys({VK_NEXT});
    EXPECT_TRUE(month_view_caption_shows(program.window, month_caption, L"1"));
    keys({VK_HOME});
    EXPECT_TRUE(month_view_caption_shows(program.window, month_caption, L"12"));

    keys({VK_APPS});  // the menu at today's cell: position 7
    for (int waited = 0; waited < 5000 && !FindWindowW(L"#32768", nullptr); waited += 20) Sleep(20);
    RECT menu = {};
    GetWindowRect(FindWindowW(L"#32768", nullptr), &menu);
    POINT cell = {middle(0), middle(2)};
    ClientToScreen(program.window, &cell);
    EXPECT_EQ(menu.left, cell.x);
    EXPECT_EQ(menu.top, cell.y);
    probe(1);  // closes it

    command(40008);
    keys({VK_RETURN});
    EXPECT_TRUE(month_view_caption_shows(program.window, month_caption, L"12")) << "back from the small display";
    EXPECT_TRUE(exit_program(program));
}

// The menu's first item, chosen by its letter: the day right-clicked, the
// selected one from the menu key, today from the icon and the small display.
TEST_F(Desk, FirstMenuItemEntersTheDayItWasOpenedFor)
{
    launch(options_at(40, 40), sunday_in_2009);
    auto entered_after = [this](UINT message, WPARAM wparam, LPARAM lparam) {
        PostMessageW(program.window, message, wparam, lparam);
        HWND menu = nullptr;
        for (int waited = 0; waited < 5000 && !(menu = FindWindowW(L"#32768", nullptr)); waited += 20) Sleep(20);
        PostMessageW(menu, WM_CHAR, L'e', 1);
        HWND entry = wait_for_dialog(L"勝ったり負けたり");
        std::wstring caption = entry ? control_text(entry, 1001) : L"no day entry";
        if (entry) press(entry, IDCANCEL);
        return caption;
    };
    EXPECT_EQ(entered_after(WM_RBUTTONDOWN, 0, MAKELPARAM(middle(3), middle(3))), L"2009/12/16(水) ");
    PostMessageW(program.window, WM_KEYDOWN, VK_LEFT, 1);
    EXPECT_EQ(entered_after(WM_KEYDOWN, VK_APPS, 1), L"2009/12/15(火) ");
    PostMessageW(program.window, WM_KEYDOWN, VK_NEXT, 1);
    EXPECT_EQ(entered_after(1124, 1, WM_RBUTTONDOWN), L"2009/12/6(日) ") << "from the icon, not January's 15th";
    command(40008);
    EXPECT_EQ(entered_after(WM_RBUTTONDOWN, 0, MAKELPARAM(2, 2)), L"2009/12/6(日) ");
    EXPECT_TRUE(exit_program(program));
}

// The undo items name the step they would take.
TEST_F(Desk, UndoItemsNameTheirStep)
{
    launch(options_at(50, 50), sunday_in_2009);
    PostMessageW(program.window, WM_KEYDOWN, VK_RETURN, 1);  // today, the 6th
    ASSERT_NE(wait_for_dialog(L"勝ったり負けたり"), nullptr);
    type(L"5", {VK_RETURN});
    command(40041);
    std::vector<MenuItem> items = open_menu();
    EXPECT_EQ(find(items, 40041)->state, L"grayed");
    EXPECT_EQ(find(items, 40042)->text, L"やり直し: 12/6 の入力(&Z)") << "its letter kept";
    EXPECT_TRUE(exit_program(program));
}

// The day entry opened by Enter, worked from the keyboard alone.
TEST_F(Desk, TypedKeysWorkTheKeypadAndEnterStores)
{
    Bytes amounts(1488, 0);
    put_amount(amounts, 12, 9, 3000);
    ASSERT_TRUE(write_file(file_in(folder, L"2009.dat"), amounts));
    launch(options_at(40, 40), sunday_in_2009);
    HWND entry = nullptr;
    auto open_day = [&](int day) {  // today is the 6th
        PostMessageW(program.window, WM_KEYDOWN, VK_HOME, 1);
        for (int step = 6; step < day; ++step) PostMessageW(program.window, WM_KEYDOWN, VK_RIGHT, 1);
        PostMessageW(program.window, WM_KEYDOWN, VK_RETURN, 1);
        entry = wait_for_dialog(L"勝ったり負けたり");
        return entry && focus() == GetDlgItem(entry, IDOK);
    };
    auto stored = [&](int day) {  // in December
        Bytes saved = read_file(file_in(folder, L"2009.dat"));
        int32_t value = 0;
        return saved.size() == 1488 ? (memcpy(&value, &saved[4 * (11 * 31 + day - 1)], 4), value) : 0;
    };
    ASSERT_TRUE(open_day(7));
    type(L"-5000", {VK_RETURN});
    EXPECT_EQ(stored(7), -5000);
    ASSERT_TRUE(open_day(8));
    type(L"9", {VK_DELETE, VK_NUMPAD1});
    type(L"24", {VK_BACK, VK_ADD});
    type(L"3", {VK_RETURN});
    EXPECT_EQ(stored(8), 15) << "Delete clears, Backspace takes back the 4, + of the number pad";
    ASSERT_TRUE(open_day(9));
    type(L"-5000", {VK_RETURN});
    EXPECT_EQ(stored(9), -2000) << "an operator first works on the day's amount";

    ASSERT_TRUE(open_day(10));
    type(L"99999999999");
    HWND box = wait_for_dialog(L"うそはいかん");
    ASSERT_NE(box, nullptr);
    press(box, IDOK);
    EXPECT_EQ(control_text(entry, 1002), L"999,999,999");
    // Tab order; the arrows move as Tab does; Enter on ｷｬﾝｾﾙ presses it.
    std::vector<int> order;
    for (int i = 0; i < 7; ++i) type(L"", {VK_TAB}), order.push_back(GetDlgCtrlID(focus()));
    EXPECT_EQ(order, (std::vector<int>{IDCANCEL, 1207, 1230, 1051, 1077, 1227, IDOK}));
    type(L"", {VK_LEFT});
    EXPECT_EQ(GetDlgCtrlID(focus()), 1227) << "not onto a frame";
    type(L"", {VK_RIGHT, VK_RIGHT, VK_RETURN});
    EXPECT_FALSE(IsWindow(entry));
    EXPECT_EQ(stored(10), 0);

    // In the memo keys type; Ctrl+Enter finishes the sum and stores.
    ASSERT_TRUE(open_day(10));
    type(L"7+7", {VK_TAB, VK_TAB, VK_TAB, VK_TAB});
    type(L"1+1", {VK_RETURN});
    type(L"", {VK_RETURN}, true);
    EXPECT_EQ(stored(10), 14);
    Bytes memos = read_file(file_in(folder, L"2009m.dat"));
    const size_t at = 11 * 651 + 9 * 21;
    EXPECT_EQ(std::string(memos.begin() + at, memos.begin() + at + 6), std::string("1+1\r\n\0", 6)) << "typed in the memo";
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Desk, YearDialogByKeyboard)
{
    Bytes amounts(1488, 0);
    put_amount(amounts, 11, 5, -2000);
    put_amount(amounts, 12, 1, 5000);
    ASSERT_TRUE(write_file(file_in(folder, L"2009.dat"), amounts));
    launch(options_at(40, 40), sunday_in_2009);
    PostMessageW(program.window, WM_COMMAND, 40004, 0);
    HWND dialog = wait_for_dialog(L"年情報");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(focus(), GetDlgItem(dialog, IDOK)) << "on 閉じる";
    auto shown = [&](int id) { return GetDlgCtrlID(focus()) == id ? control_text(dialog, id) : L"no focus"; };
    type(L"", {VK_RIGHT, VK_UP});  // as Tab from 閉じる
    EXPECT_EQ(shown(1216), L"2010");
    long dots = 0;  // of the focus frame inside the year box, also after its text changed
    for (int waited = 0; waited < 1000 && dots < 20; waited += 50, Sleep(50)) {
        Capture box = capture_client(GetDlgItem(dialog, 1216));
        dots = std::count_if(box.pixels.begin() + box.width, box.pixels.begin() + 2 * box.width,
                             [](uint32_t pixel) { return pixel != 0xFFFFFFu; });
    }
    EXPECT_GE(dots, 20);
    type(L"", {VK_DOWN, VK_TAB, VK_DOWN, VK_DOWN, VK_UP});
    EXPECT_EQ(shown(502), L"0") << "February's total";
    for (int month = 2; month < 11; ++month) type(L"", {VK_DOWN});
    type(L"", {VK_RETURN, VK_TAB, VK_TAB});
    EXPECT_EQ(shown(301), L"0") << "1 November, after the month totals";
    type(L"", {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    HWND entry = wait_for_dialog(L"勝ったり負けたり");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(control_text(entry, 1001), L"2009/11/5(木) ");
    type(L"700", {VK_RETURN});
    EXPECT_EQ(shown(305), L"700");
    type(L"", {VK_NEXT});
    EXPECT_EQ(control_text(dialog, 301), L"5,000") << "December";
    type(L"", {VK_NEXT});
    EXPECT_EQ(control_text(dialog, 1216) + control_text(dialog, 501), L"20100") << "January 2010";
    type(L"", {VK_PRIOR, VK_PRIOR});
    EXPECT_EQ(control_text(dialog, 1216) + control_text(dialog, 511), L"2009700") << "November 2009";
    type(L"", {VK_PRIOR}, true);
    EXPECT_EQ(control_text(dialog, 1216) + control_text(dialog, 305), L"20080") << "Ctrl: the year";
    EXPECT_EQ(shown(305), L"0") << "the focus stays on the day";
    press(dialog, IDOK);
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Desk, SaturdayHeaderTellsTheEra)
{
    launch(options_at(40, 40), sunday_in_2009);
    PostMessageW(program.window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(middle(6), middle(0)));
    HWND box = wait_for_dialog(L"和暦で知りたいね");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(control_text(box, 65535), L"西暦2009年は、昭和84年で、平成21年です。");
    press(box, IDOK);
    EXPECT_FALSE(IsWindow(box));
    for (int year = 2009; year < 2025; ++year) mouse(WM_LBUTTONDBLCLK, middle(5), middle(6));  // year caption
    PostMessageW(program.window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(middle(6), middle(0)));
    box = wait_for_dialog(L"和暦で知りたいね");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(control_text(box, 65535), L"西暦2025年は、昭和100年で、平成37年で、令和7年です。");
    press(box, IDOK);
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Desk, HideShowAndTheNotificationIcon)
{
    launch(options_at(40, 40));
    command(40019);
    EXPECT_FALSE(IsWindowVisible(program.window));
    command(40019);
    EXPECT_TRUE(IsWindowVisible(program.window));

    // Off the screen and hidden: the icon brings it back, active and whole.
    SetWindowPos(program.window, nullptr, -500, -400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    command(40019);
    PostMessageW(program.window, 1124, 1, WM_LBUTTONDOWN);
    settle(program.window);
    EXPECT_TRUE(IsWindowVisible(program.window));
    EXPECT_EQ(GetForegroundWindow(), program.window);
    RECT rect = window_rect();
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Desk, NotificationIconOnlyBringsAnOpenDialogForward)
{
    launch(options_at(40, 40), sunday_in_2009);
    PostMessageW(program.window, WM_COMMAND, 40004, 0);
    HWND dialog = wait_for_dialog(L"年情報");
    ASSERT_NE(dialog, nullptr);
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 600, 600, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(wait_for_foreground(other));
    // The display's own focus events for it may still be on their way on a
    // busy machine: the click comes once they are in.
    for (int steady = 0, waited = 0; steady < 300 && waited < 3000; waited += 20) {
        steady = GetForegroundWindow() == other ? steady + 20 : 0;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(20);
    }
    PostMessageW(program.window, 1124, 1, WM_RBUTTONDOWN);
    settle(program.window);
    EXPECT_TRUE(wait_for_foreground(dialog));
    EXPECT_EQ(FindWindowW(L"#32768", nullptr), nullptr) << "no popup menu over the dialog";
    DestroyWindow(other);
    press(dialog, IDOK);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Desk, NotificationIconMenuLeavesTheShownMonth)
{
    ob::Bytes options = options_at(40, 40);
    options[ob::year_mode] = 1;
    Bytes amounts(1488, 0);
    amounts[(11 * 31 + 4) * 4] = 50;  // 5 December 2009
    ASSERT_TRUE(write_file(file_in(folder, L"2009.dat"), amounts));
    launch(options, sunday_in_2009);
    SetCursorPos(5, 5);  // over no month block
    PostMessageW(program.window, 1124, 1, WM_RBUTTONDOWN);
    for (int waited = 0; waited < 5000 && !FindWindowW(L"#32768", nullptr); waited += 20) Sleep(20);
    ASSERT_NE(FindWindowW(L"#32768", nullptr), nullptr) << "the popup menu";
    probe(1);  // closes it
    PostMessageW(program.window, WM_COMMAND, 40004, 0);
    HWND dialog = wait_for_dialog(L"年情報");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(control_text(dialog, 305), L"50") << "the year dialog opens on December, the shown month";
    press(dialog, IDOK);
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Desk, AbsurdStoredPositionComesOnTheScreen)
{
    launch(options_at(0x7FFFFFF0, 0x7FFFFFF0));
    RECT rect = window_rect();
    EXPECT_GE(rect.left, 0);
    EXPECT_LE(rect.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_LE(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
    ASSERT_TRUE(exit_program(program));
    EXPECT_EQ(ob::get32(saved_options(), ob::month_left), static_cast<uint32_t>(rect.left)) << "and is stored there";

    // An absurd font width of the one-year view: a window that fits, painted.
    ob::Bytes options = options_at(10, 10);
    options[ob::year_mode] = 1;
    ob::put32(options, 129 + 4, 0x7FFFFFFF);  // lfWidth of the year font
    ob::put32(options, ob::background_color, 0x00123456);
    launch(options);
    rect = window_rect();
    EXPECT_LE(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN));
    Capture client = capture_client(program.window);
    EXPECT_EQ(client.at(2, client.height - 2), 0x563412u) << "the background, not a black window";
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Desk, AgreedSessionEndClosesTheProgram)
{
    launch(options_at(40, 40));
    DeleteFileW(file_in(folder, L"Option.bin").c_str());
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(program.window, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_NORMAL, 5000, &answer);
    EXPECT_EQ(answer, 1u);
    PostMessageW(program.window, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
    EXPECT_EQ(wait_for_exit(program), 0u) << "the program leaves instead of lingering without clock or icon";
    EXPECT_EQ(saved_options().size(), 512u) << "the options are on disk";
}

TEST_F(Desk, MidnightOfNewYearsEveMovesTodayMonthYearAndLedger)
{
    ob::Bytes options = options_at(40, 40);
    options[ob::show_time] = 1;  // a tick every second
    options[98] = 1;             // show_results
    Bytes amounts(1488, 0);
    amounts[1 * 4] = 50;  // a win on 2 January 2010, a Saturday: position 6
    ASSERT_TRUE(write_file(file_in(folder, L"2010.dat"), amounts));
    launch(options, "2009-12-31 23:59:57");
    ASSERT_TRUE(month_view_caption_shows(program.window, year_caption, L"2009"));
    EXPECT_EQ(month_view_cell_color(program.window, 2 + 30), 0xE0FFFFu) << "today: the 31st";
    bool turned = false;
    for (int waited = 0; waited < 8000 && !turned; waited += 250) {
        Sleep(250);
        turned = month_view_caption_shows(program.window, year_caption, L"2010");
    }
    ASSERT_TRUE(turned);
    settle(program.window);
    EXPECT_TRUE(month_view_caption_shows(program.window, month_caption, L"1"));
    EXPECT_EQ(month_view_cell_color(program.window, 5), 0xE0FFFFu) << "today: 1 January, a Friday";
    EXPECT_EQ(month_view_cell_color(program.window, 6), 0xFFFF00u) << "the 2010 ledger is loaded";
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Desk, ChangeOfTheSystemTimeDoesNotHideMidnight)
{
    launch(options_at(40, 40), "2009-12-31 23:59:58");  // a tick every 10 seconds
    Sleep(3000);
    // Sets today's record at once; the next tick must still turn the month.
    SendMessageTimeoutW(program.window, WM_TIMECHANGE, 0, 0, SMTO_NORMAL, 5000, nullptr);
    bool turned = false;
    for (int waited = 0; waited < 13000 && !turned; waited += 250) {
        Sleep(250);
        turned = month_view_caption_shows(program.window, year_caption, L"2010");
    }
    EXPECT_TRUE(turned);
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Desk, RunValueIsWrittenQuotedRewrittenAndRemoved)
{
    ob::Bytes options = options_at(40, 40);
    options[ob::start_with_windows] = 1;
    launch(options);
    EXPECT_EQ(run_value(), L"\"" + folder + L"Ravo.exe\"");
    ASSERT_TRUE(exit_program(program));

    // The same settings in another folder: the value follows the program.
    std::wstring first = folder;
    folder = new_program_folder();
    launch(read_file(file_in(first, L"Option.bin")));
    EXPECT_EQ(run_value(), L"\"" + folder + L"Ravo.exe\"");
    command(40013);
    EXPECT_EQ(run_value(), L"<none>");
    ASSERT_TRUE(exit_program(program));
    EXPECT_EQ(saved_options()[ob::start_with_windows], 0);
    remove_folder(first);
}

TEST_F(Desk, SessionCommandsAskSaveAndRequest)
{
    // The probe build records the request instead of ending the session.
    ASSERT_TRUE(CopyFileW((own_folder() + L"RavoProbe.exe").c_str(), file_in(folder, L"Ravo.exe").c_str(), FALSE));
    std::wstring request = file_in(folder, L"session-request.txt");
    launch();
    PostMessageW(program.window, WM_COMMAND, 40007, 0);
    HWND box = wait_for_dialog(L"シャットダウン");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(control_text(box, 65535), L"コンピュータを再起動します。よろしいですか？");
    press(box, IDNO);
    EXPECT_EQ(wait_for_exit(program, 200), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_FALSE(file_exists(file_in(folder, L"Option.bin"))) << "No saves nothing";
    EXPECT_FALSE(file_exists(request));

    PostMessageW(program.window, WM_COMMAND, 40024, 0);
    box = wait_for_dialog(L"シャットダウン");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(control_text(box, 65535), L"ログオフします。よろしいですか？");
    press(box, IDYES);
    EXPECT_EQ(wait_for_exit(program), 0u);
    Bytes flags = read_file(request);
    EXPECT_EQ(std::string(flags.begin(), flags.end()), "0");

    ob::Bytes options = saved_options();
    ASSERT_EQ(options.size(), 512u);
    options[94] = 1;  // no_exit_confirm
    ob::put32(options, ob::month_left, 77);
    DeleteFileW(request.c_str());
    launch(options);
    command(40006);
    EXPECT_EQ(wait_for_exit(program), 0u);
    flags = read_file(request);
    EXPECT_EQ(std::string(flags.begin(), flags.end()), "9") << "shut down and power off";
    EXPECT_EQ(saved_options(), options);
}

TEST_F(Desk, CancelledSessionEndLeavesAWorkingCalendar)
{
    launch(options_at(40, 40), sunday_in_2009);
    DWORD_PTR answer = 0;
    RECT before = window_rect();
    SendMessageTimeoutW(program.window, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &answer);
    EXPECT_EQ(answer, 1u);
    command(40012);  // a command before the answer lays the window out as before
    RECT during = window_rect();
    EXPECT_EQ(during.right - during.left, before.right - before.left);
    EXPECT_EQ(during.bottom - during.top, before.bottom - before.top);
    SendMessageTimeoutW(program.window, WM_ENDSESSION, FALSE, 0, SMTO_NORMAL, 5000, &answer);
    mouse(WM_LBUTTONDBLCLK, middle(6), middle(6));
    EXPECT_TRUE(month_view_caption_shows(program.window, month_caption, L"1")) << "fonts are back";
    EXPECT_TRUE(month_view_caption_shows(program.window, year_caption, L"2010"));
    EXPECT_TRUE(exit_program(program));
}

