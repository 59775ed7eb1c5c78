// The calendar as a person sees it: window sizes from the fonts, today's
// cell on a fixed clock.
#include <gtest/gtest.h>

#include "e2e/harness.h"
#include "support/option_bytes.h"

using namespace e2e;
namespace ob = option_bytes;

namespace {

// Cell size of the stored default fonts, measured the way the program does.
int cell_of_times_new_roman(int height)
{
    LOGFONTW font = {};
    font.lfHeight = height;
    lstrcpyW(font.lfFaceName, L"Times New Roman");
    HFONT handle = CreateFontIndirectW(&font);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, handle);
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(handle);
    int by_height = metrics.tmHeight + 2, by_width = metrics.tmAveCharWidth * 36 / 10;
    return by_height > by_width ? by_height : by_width;
}

const int frame_width = 2 * (GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXDLGFRAME));
const int frame_height = 2 * (GetSystemMetrics(SM_CYEDGE) + GetSystemMetrics(SM_CYDLGFRAME));
const int caption = GetSystemMetrics(SM_CYCAPTION);

class CalendarView : public ::testing::Test {
protected:
    void SetUp() override { folder = new_program_folder(); }
    void TearDown() override
    {
        kill_program(program);
        remove_folder(folder);
    }
    void launch(const ob::Bytes& options, const char* fake_time = nullptr)
    {
        ASSERT_TRUE(write_file(file_in(folder, L"Option.bin"), options));
        ASSERT_TRUE(start_program(program, folder, fake_time));
        ASSERT_TRUE(attach_window(program));
        ASSERT_TRUE(settle(program.window));
    }
    SIZE window_size()
    {
        RECT rect;
        GetWindowRect(program.window, &rect);
        return SIZE{rect.right - rect.left, rect.bottom - rect.top};
    }
    std::wstring folder;
    Program program;
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

TEST_F(CalendarView, MonthViewIsSevenCellsSquarePlusFrameAndCaption)
{
    launch(options_at(40, 60));
    int cell = cell_of_times_new_roman(20);
    SIZE size = window_size();
    EXPECT_EQ(size.cx, 7 * cell + frame_width);
    EXPECT_EQ(size.cy, caption + 7 * cell + frame_height);
    EXPECT_TRUE(exit_program(program));
}

TEST_F(CalendarView, YearViewIsThirtyOneByTwentyFourCells)
{
    ob::Bytes options = options_at(0, 0);
    options[ob::year_mode] = 1;
    launch(options);
    int cell = cell_of_times_new_roman(16);
    SIZE size = window_size();
    EXPECT_EQ(size.cx, 31 * cell + frame_width);
    EXPECT_EQ(size.cy, caption + 24 * cell + frame_height);
    EXPECT_TRUE(exit_program(program));
}

TEST_F(CalendarView, WithoutTitleBarTheWindowLosesTheCaptionHeight)
{
    ob::Bytes options = options_at(40, 60);
    options[ob::no_title_bar] = 1;
    launch(options);
    int cell = cell_of_times_new_roman(20);
    SIZE size = window_size();
    EXPECT_EQ(size.cx, 7 * cell + frame_width);
    EXPECT_EQ(size.cy, 7 * cell + frame_height);
    EXPECT_TRUE(exit_program(program));
}

TEST_F(CalendarView, TodayIsMarkedOnAFixedClock)
{
    ob::Bytes options = options_at(100, 100);
    options[ob::show_time] = 1;
    launch(options, "2009-12-06 09:05:07");
    Sleep(200);  // the first paint reaches the screen
    int cell = cell_of_times_new_roman(20);
    Capture client = capture_client(program.window);
    ASSERT_GE(client.height, 7 * cell);
    // 6 December 2009: first column, second day row (1 December is a Tuesday).
    EXPECT_EQ(client.at(4, 2 * cell + 4), 0xE0FFFFu) << "today_back_color as seen on the screen";
    EXPECT_EQ(client.at(cell + 4, 2 * cell + 4), 0x88C0B8u) << "the 7th has the background";
    EXPECT_EQ(client.at(4, cell + 4), 0x88C0B8u) << "an empty cell before the 1st";
    EXPECT_TRUE(exit_program(program));
}
