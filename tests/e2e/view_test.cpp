// The calendar as a person sees it: window sizes from the fonts, today's
// cell on a fixed clock.
#include <gtest/gtest.h>

#include "e2e/expected_view.h"
#include "e2e/harness.h"
#include "e2e/program_test.h"
#include "support/option_bytes.h"

using namespace e2e;
namespace ob = option_bytes;

namespace {

class CalendarView : public ProgramTest {
protected:
    // The frame of the window's own styles lies around the cells.
    void expect_frame_around_client()
    {
        RECT frame = {0, 0, 0, 0};
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(program.window, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(program.window, GWL_EXSTYLE)));
        RECT rect = window_rect();
        SIZE client = client_size();
        EXPECT_EQ(rect.right - rect.left, client.cx + frame.right - frame.left);
        EXPECT_EQ(rect.bottom - rect.top, client.cy + frame.bottom - frame.top);
    }
};

ob::Bytes options_at(int left, int top)
{
    ob::Bytes options = ob::default_file();
    ob::put32(options, ob::month_left, static_cast<uint32_t>(left));
    ob::put32(options, ob::month_top, static_cast<uint32_t>(top));
    ob::put32(options, ob::year_left, static_cast<uint32_t>(left));
    ob::put32(options, ob::year_top, static_cast<uint32_t>(top));
    return options;
}

}  // namespace

TEST_F(CalendarView, MonthViewIsSevenCellsSquareInItsFrame)
{
    launch(options_at(40, 60));
    int cell = default_cell(false);
    SIZE size = client_size();
    EXPECT_EQ(size.cx, 7 * cell);
    EXPECT_EQ(size.cy, 7 * cell);
    expect_frame_around_client();
    EXPECT_TRUE(exit_program(program));
}

TEST_F(CalendarView, YearViewIsThirtyOneByTwentyFourCells)
{
    ob::Bytes options = options_at(0, 0);
    options[ob::year_mode] = 1;
    launch(options);
    int cell = default_cell(true);
    SIZE size = client_size();
    EXPECT_EQ(size.cx, 31 * cell);
    EXPECT_EQ(size.cy, 24 * cell);
    expect_frame_around_client();
    EXPECT_TRUE(exit_program(program));
}

TEST_F(CalendarView, WithoutTitleBarTheWindowLosesTheCaptionHeight)
{
    ob::Bytes options = options_at(40, 60);
    options[ob::no_title_bar] = 1;
    launch(options);
    int cell = default_cell(false);
    SIZE size = client_size();
    EXPECT_EQ(size.cx, 7 * cell);
    EXPECT_EQ(size.cy, 7 * cell);
    expect_frame_around_client();
    EXPECT_EQ(GetWindowLongPtrW(program.window, GWL_STYLE) & WS_DLGFRAME, 0) << "no caption";
    EXPECT_TRUE(exit_program(program));
}

TEST_F(CalendarView, TodayIsMarkedOnAFixedClock)
{
    ob::Bytes options = options_at(100, 100);
    options[ob::show_time] = 1;
    launch(options, "2009-12-06 09:05:07");
    Sleep(200);  // the first paint reaches the screen
    int cell = default_cell(false);
    Capture client = capture_client(program.window);
    ASSERT_GE(client.height, 7 * cell);
    // 6 December 2009: first column, second day row (1 December is a Tuesday).
    EXPECT_EQ(client.at(4, 2 * cell + 4), 0xE0FFFFu) << "today_back_color as seen on the screen";
    EXPECT_EQ(client.at(cell + 4, 2 * cell + 4), 0x88C0B8u) << "the 7th has the background";
    EXPECT_EQ(client.at(4, cell + 4), 0x88C0B8u) << "an empty cell before the 1st";
    EXPECT_TRUE(exit_program(program));
}

// Ctrl+G: a date that cannot be shown is named with the field ready for
// another; one that can shows its month with the day selected.
TEST_F(CalendarView, JumpToATypedDate)
{
    launch(options_at(100, 100), "2009-12-06 09:05:07");
    type(L"", {'G'}, true, program.window);
    HWND dialog = wait_for_dialog(L"日付へ移動");
    ASSERT_NE(dialog, nullptr);
    HWND field = GetDlgItem(dialog, 1751);
    EXPECT_EQ(control_text(dialog, 1751), L"2009/12/6") << "the selected day";
    for (const wchar_t* refused : {L"2009/2/30", L"S64.1.7"}) {
        type(refused, {VK_RETURN});
        ASSERT_TRUE(IsWindow(dialog)) << refused;
        EXPECT_EQ(focus(), field);
        DWORD start = 1, end = 0;
        SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(end - start, wcslen(refused)) << "the whole text selected, to type over";
    }
    EXPECT_EQ(control_text(dialog, 1753), L"1990年から2037年までの日付を入力してください。");
    type(L"2009/2/1", {VK_RETURN});
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(month_view_caption_shows(program.window, month_caption, L"2"));
    EXPECT_TRUE(month_view_caption_shows(program.window, year_caption, L"2009"));
    type(L"", {VK_RETURN}, false, program.window);  // the selected day opens
    HWND entry = wait_for_dialog(L"勝ったり負けたり");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(control_text(entry, 1001), L"2009/2/1(日) ");
    press(entry, IDCANCEL);
    // The one-year view shows the year, the day selected in its month.
    command(40011);
    type(L"", {'G'}, true, program.window);
    ASSERT_NE(dialog = wait_for_dialog(L"日付へ移動"), nullptr);
    type(L"R2.3.4", {VK_RETURN});
    type(L"", {VK_RETURN}, false, program.window);
    ASSERT_NE(entry = wait_for_dialog(L"勝ったり負けたり"), nullptr);
    EXPECT_EQ(control_text(entry, 1001), L"2020/3/4(水) ");
    press(entry, IDCANCEL);
    EXPECT_TRUE(exit_program(program));
}

// With amounts, the line under the grid gives the stored year's figures
// for the shown month, the month before, and the one-year view's year.
TEST_F(CalendarView, TheLineGivesTheShownMonthsAndYearsFigures)
{
    const std::u16string ini = u"\uFEFF[表示]\r\n金額を表示=1\r\n";
    write_file(file_in(folder, L"Ravo.ini"), Bytes(reinterpret_cast<const uint8_t*>(ini.data()),
                                                    reinterpret_cast<const uint8_t*>(ini.data()) + 2 * ini.size()));
    Bytes amounts(1488, 0);
    put_amount(amounts, 12, 1, 12000);
    put_amount(amounts, 12, 3, -5000);
    put_amount(amounts, 12, 4, -1);
    put_amount(amounts, 12, 8, 3000);
    put_amount(amounts, 11, 2, -800);
    write_file(file_in(folder, L"2009.dat"), amounts);
    const std::string visits = "\xEF\xBB\xBF日付,種別,場所,機種,投資,回収,開始,終了,メモ\r\n"
                               "2009/12/01,パチンコ,A,,20000,32000,10:00,14:00,\r\n";
    write_file(file_in(folder, L"2009d.csv"), Bytes(visits.begin(), visits.end()));
    launch(options_at(100, 100), "2009-12-06 09:05:07");
    Sleep(200);
    EXPECT_TRUE(period_line_shows(program.window, false, L"今月 +10,000　2勝1敗1分　時給 +3,000", 10000));
    PostMessageW(program.window, WM_KEYDOWN, VK_PRIOR, 0);
    settle(program.window);
    Sleep(200);
    EXPECT_TRUE(period_line_shows(program.window, false, L"今月 \u2212800　0勝1敗0分", -800));
    command(40011);  // the one-year view
    Sleep(200);
    EXPECT_TRUE(period_line_shows(program.window, true, L"今年 +9,200　2勝2敗1分　時給 +3,000", 9200));
    EXPECT_TRUE(exit_program(program));
}
