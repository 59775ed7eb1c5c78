// The small display in its two looks, and the property sheet and its pages,
// on the fixed clock.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "e2e/expected_view.h"
#include "e2e/program_test.h"
#include "settings/options.h"
#include "view/clock_text.h"
#include "view/draw.h"
#include "view/fonts.h"
#include "view/layout_math.h"

using namespace e2e;
namespace ob = option_bytes;

namespace {

const char sunday_in_2009[] = "2009-12-06 09:05:07";
const int apply_button = 0x3021;

enum { byte_no_seconds = 95, byte_clock_content = 97, byte_digital = 107, byte_auto_hide = 342 };

ob::Bytes small_options(int digital, int content, int no_seconds)
{
    ob::Bytes options = ob::default_file();
    options[ob::small_mode] = 1;
    options[byte_digital] = static_cast<uint8_t>(digital);
    options[byte_clock_content] = static_cast<uint8_t>(content);
    options[byte_no_seconds] = static_cast<uint8_t>(no_seconds);
    ob::put32(options, ob::small_left, 200);
    ob::put32(options, ob::small_top, 200);
    return options;
}

// Pixels of a test-made picture against the client on the screen.
bool capture_equals(const Capture& screen, HDC picture, int width, int height)
{
    if (screen.width != width || screen.height != height) return false;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (screen.at(x, y) != screen_color(GetPixel(picture, x, y))) return false;
    return true;
}

bool client_equals(HWND window, HDC picture, int width, int height)
{
    return capture_equals(capture_client(window), picture, width, height);
}

struct Picture {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    Picture(int width, int height)
    {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, width, height);
        old = SelectObject(dc, bitmap);
        ReleaseDC(nullptr, screen);
    }
    ~Picture()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
};

class Settings : public ProgramTest {
protected:
    HWND open_sheet(int page = 0)
    {
        PostMessageW(program.window, WM_COMMAND, 40009, 0);
        HWND sheet = wait_for_dialog(L"プロパティ");
        if (sheet && page) {
            SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(page), 0);
            settle(sheet);
        }
        return sheet;
    }
    static HWND current_page(HWND sheet)
    {
        return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }
    // The colour picker opened from a swatch, by a click or by a key at the
    // focused one: the colour typed in, then OK.
    void pick_color(HWND page, int swatch, int red, int green, int blue, bool confirm, WPARAM key = 0)
    {
        if (key)
            PostMessageW(focus(), WM_KEYDOWN, key, 1);
        else
            PostMessageW(page, WM_COMMAND, MAKEWPARAM(swatch, STN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(page, swatch)));
        HWND picker = nullptr;
        for (int waited = 0; waited < 5000 && !picker; waited += 20) {
            Sleep(20);
            HWND candidate = GetForegroundWindow();
            if (candidate && GetDlgItem(candidate, 706)) picker = candidate;
        }
        ASSERT_NE(picker, nullptr) << "no colour picker";
        settle(picker);
        int values[3] = {red, green, blue};
        for (int i = 0; i < 3; ++i)
            SendMessageW(GetDlgItem(picker, 706 + i), WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>(std::to_wstring(values[i]).c_str()));
        press(picker, confirm ? IDOK : IDCANCEL);
    }
    uint32_t background_on_screen()
    {
        settle(program.window);
        return capture_client(program.window).at(2, 2);
    }
};

}  // namespace

TEST_F(Settings, SmallDisplayIsSizedToItsLine)
{
    struct Case {
        int content, no_seconds;
        SIZE size;
    };
    const Case cases[] = {{1, 0, {244, 21}}, {1, 1, {203, 21}}, {0, 0, {130, 21}}, {2, 0, {114, 21}}, {2, 1, {73, 21}}};
    for (const Case& c : cases) {
        launch(small_options(1, c.content, c.no_seconds), sunday_in_2009);
        SIZE size = client_size();
        EXPECT_EQ(size.cx, c.size.cx) << "content " << c.content << " no_seconds " << c.no_seconds;
        EXPECT_EQ(size.cy, c.size.cy);
        EXPECT_NE(GetWindowLongPtrW(program.window, GWL_STYLE) & WS_CAPTION, static_cast<LONG_PTR>(WS_CAPTION))
            << "no caption bar";
        ASSERT_TRUE(exit_program(program));
    }
}

TEST_F(Settings, TextLookShowsTheLineAndADoubleClickReturns)
{
    launch(small_options(0, 1, 0), sunday_in_2009);
    SIZE size = client_size();
    Capture screen = capture_client(program.window);
    Picture picture(size.cx, size.cy);
    HFONT font = make_font(picture.dc, face_gothic, 10, style_bold);
    HGDIOBJ old = SelectObject(picture.dc, font);
    RECT client = {0, 0, size.cx, size.cy};
    // The fake clock runs on from 9:05:07, and a slow start-up may show a
    // later second: the line must equal the one drawn for one of them.
    int shown_second = -1;
    for (int second = 7; second < 60 && shown_second < 0; ++second) {
        char16_t line[small_line_size];
        DateRecord now = {2009, 12, 6, 0, 9, 5, static_cast<int8_t>(second)};
        format_small_line(line, now, 1, 0);
        if (second == 7) {
            EXPECT_EQ(std::u16string(line), u"09/12/06(日) 9:05:07");
        }
        const BoxPainting saved = begin_boxes(picture.dc);
        draw_box(picture.dc, client, RGB(0, 0, 0), 0, 0, 0);
        draw_label(picture.dc, reinterpret_cast<const wchar_t*>(line), client, RGB(255, 255, 0));
        end_boxes(picture.dc, saved);
        if (capture_equals(screen, picture.dc, size.cx, size.cy)) shown_second = second;
    }
    SelectObject(picture.dc, old);
    DeleteObject(font);
    EXPECT_GE(shown_second, 7) << "the line drawn as the program draws it";

    mouse(WM_LBUTTONDBLCLK, 10, 10);
    EXPECT_GT(client_size().cy, 100) << "back to the calendar";
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Settings, DigitalLookIsTheGlyphStrip)
{
    launch(small_options(1, 2, 1), sunday_in_2009);  // 0 9 : 0 5
    HMODULE resources = LoadLibraryExW(file_in(folder, L"Ravo.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(resources, nullptr);
    Picture picture(73, 21);
    HDC source = CreateCompatibleDC(picture.dc);
    int x = 0;
    for (int id : {114, 120 + 3, 124, 114, 119}) {  // 0, 9, colon, 0, 5
        HBITMAP glyph = static_cast<HBITMAP>(LoadImageW(resources, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
        HGDIOBJ old = SelectObject(source, glyph);
        int width = id == 124 ? 9 : 16;
        BitBlt(picture.dc, x, 0, width, 21, source, 0, 0, SRCCOPY);
        x += width;
        SelectObject(source, old);
        DeleteObject(glyph);
    }
    DeleteDC(source);
    FreeLibrary(resources);
    EXPECT_TRUE(client_equals(program.window, picture.dc, 73, 21));
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Settings, AutoHideStepsAsideAndComesBackWithoutActivating)
{
    ob::Bytes options = small_options(0, 0, 0);
    options[byte_auto_hide] = 1;
    options[ob::reshow_seconds] = 2;
    launch(options, sunday_in_2009);
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 600, 600, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(wait_for_foreground(other));
    SIZE size = client_size();
    mouse(WM_MOUSEMOVE, size.cx / 2, 5);
    EXPECT_TRUE(IsWindowVisible(program.window)) << "the left five sixths do nothing";
    mouse(WM_MOUSEMOVE, size.cx - 2, 5);
    EXPECT_FALSE(IsWindowVisible(program.window));
    Sleep(1200);
    EXPECT_FALSE(IsWindowVisible(program.window));
    for (int waited = 0; waited < 3000 && !IsWindowVisible(program.window); waited += 100) Sleep(100);
    EXPECT_TRUE(IsWindowVisible(program.window));
    EXPECT_NE(GetForegroundWindow(), program.window) << "shown again without being activated";
    DestroyWindow(other);

    // Hidden by the user while stepped aside: it stays hidden.
    mouse(WM_MOUSEMOVE, size.cx - 2, 5);
    command(40019);
    Sleep(2500);
    EXPECT_FALSE(IsWindowVisible(program.window)) << "the user's hiding wins";
    command(40019);
    EXPECT_TRUE(IsWindowVisible(program.window));
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Settings, SheetPagesApplyToTheRecordAndTheWindow)
{
    ob::Bytes options = ob::default_file();
    ob::put32(options, ob::month_left, 60);
    ob::put32(options, ob::month_top, 60);
    launch(options, sunday_in_2009);
    HWND sheet = open_sheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(sheet, GWL_EXSTYLE) & WS_EX_CONTEXTHELP, 0) << "no ? button";
    probe(3);
    Bytes tabs = read_file(file_in(folder, L"tabs-probe.txt"));
    EXPECT_EQ(std::string(tabs.begin(), tabs.end()), "オプション\n表示色\n表示形式\n収支\nﾊﾞｰｼﾞｮﾝ情報\n");
    HWND page = current_page(sheet);
    ASSERT_TRUE(GetDlgItem(page, 1022)) << "opens on the options page";

    // Options: no title bar.
    press(page, 1022);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, 1021))) << "the title edit greys";
    press(sheet, apply_button);
    EXPECT_EQ(GetWindowLongPtrW(program.window, GWL_STYLE) & WS_CAPTION, static_cast<LONG_PTR>(WS_BORDER));

    // Display format: 3D off for the month frees its frame box.
    SendMessageW(sheet, PSM_SETCURSEL, 2, 0);
    settle(sheet);
    page = current_page(sheet);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, 607)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, 609)));
    press(page, 608);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, 607)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, 609)));
    EXPECT_EQ(IsDlgButtonChecked(page, 607), static_cast<UINT>(BST_CHECKED)) << "the tick is kept";

    // Colours: a background chosen, then the sheet cancelled: nothing.
    SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
    settle(sheet);
    page = current_page(sheet);
    pick_color(page, 1099, 10, 20, 30, true);
    press(sheet, IDCANCEL);
    EXPECT_EQ(background_on_screen(), 0x88C0B8u);

    // By keyboard: Tab reaches the background's square, which shows the
    // focus; Space and Enter open the picker.
    sheet = open_sheet(1);
    ASSERT_NE(sheet, nullptr);
    for (int i = 0; i < 30 && GetDlgCtrlID(focus()) != 1099; ++i) type(L"", {VK_TAB});
    ASSERT_EQ(GetDlgCtrlID(focus()), 1099);
    Capture square = capture_client(focus());
    const uint32_t fill = square.at(square.width / 2, square.height / 2);
    EXPECT_GT(std::count_if(square.pixels.begin(), square.pixels.end(), [&](uint32_t p) { return p != fill; }), 8);
    pick_color(current_page(sheet), 1099, 10, 20, 30, false, VK_SPACE);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet, apply_button))) << "a cancelled picker changes nothing";
    pick_color(current_page(sheet), 1099, 10, 20, 30, true, VK_RETURN);
    press(sheet, IDOK);
    EXPECT_EQ(background_on_screen(), 0x0A141Eu);

    ASSERT_TRUE(exit_program(program));
    ob::Bytes saved = saved_options();
    EXPECT_EQ(saved[ob::no_title_bar], 1);
    EXPECT_EQ(ob::get32(saved, ob::background_color), 0x001E140Au);
    EXPECT_EQ(saved[ob::raised_flags + 0], 1) << "the format page was cancelled";
}

TEST_F(Settings, SecondsFieldIsReadAsTwoCharacters)
{
    launch(ob::default_file(), sunday_in_2009);
    struct Case {
        const wchar_t* typed;
        const wchar_t* stored;
    };
    for (const Case& c : {Case{L"", L"5"}, Case{L"0", L"5"}, Case{L"00", L"5"}, Case{L"ab", L"5"}, Case{L"12", L"12"},
                          Case{L"-5", L"-5"}, Case{L"123", L"12"}}) {
        HWND sheet = open_sheet();
        ASSERT_NE(sheet, nullptr);
        HWND page = current_page(sheet);
        SendMessageW(GetDlgItem(page, 1026), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.typed));
        press(sheet, IDOK);
        sheet = open_sheet();
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(control_text(current_page(sheet), 1026), c.stored) << "typed: " << testing::PrintToString(c.typed);
        press(sheet, IDCANCEL);
    }
    EXPECT_TRUE(exit_program(program));
}

namespace {
class Scale : public ProgramTest {};

// The cell of a stored view font at a resolution, measured as the program
// measures it.
int cell_at(const StoredLogFont& stored, int dpi)
{
    LOGFONTW wide = log_font_at_dpi(stored, dpi);
    HFONT font = CreateFontIndirectW(&wide);
    TEXTMETRICW metrics = font_metrics(nullptr, font);
    DeleteObject(font);
    return cell_size_from_metrics(metrics.tmHeight, metrics.tmAveCharWidth);
}
}  // namespace

// Run at 96 DPI with the other tests, and again in a prefix at 144 DPI.
TEST_F(Scale, CalendarAndSmallDisplayFollowTheScreensResolution)
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (const char* expected = std::getenv("RAVO_TEST_DPI")) {
        ASSERT_EQ(dpi, std::atoi(expected)) << "the prefix's scale";
    }
    const double factor = dpi / 96.0;
    OptionsRecord defaults;
    options_from_bytes(&defaults, nullptr, 0);

    // The client is the grid of cells, which grow with the fonts.
    for (bool year_view : {false, true}) {
        ob::Bytes options = ob::default_file();
        options[ob::year_mode] = year_view;
        launch(options);
        const StoredLogFont& font = year_view ? defaults.year_font : defaults.month_font;
        const int cell = cell_at(font, dpi);
        EXPECT_NEAR(cell, cell_at(font, 96) * factor, 1.5) << "at " << dpi << " DPI";
        SIZE size = client_size();
        EXPECT_EQ(size.cx, (year_view ? 31 : 7) * cell);
        EXPECT_EQ(size.cy, (year_view ? 24 : 7) * cell);
        ASSERT_TRUE(exit_program(program));
    }

    // The digital strip from pictures of its own scale; the text look as
    // high as its font.
    launch(small_options(1, 1, 0), sunday_in_2009);
    SIZE strip = client_size();
    EXPECT_NEAR(strip.cx, 244 * factor, 2);
    EXPECT_NEAR(strip.cy, 21 * factor, 1);
    ASSERT_TRUE(exit_program(program));
    launch(small_options(0, 1, 0), sunday_in_2009);
    HFONT font = make_font_at_dpi(face_gothic, 10, style_bold, dpi);
    EXPECT_EQ(client_size().cy, font_metrics(nullptr, font).tmHeight);
    DeleteObject(font);
    EXPECT_TRUE(exit_program(program));
}

// A monthly loss limit set on its page lands in Ravo.ini, not Option.bin;
// the day entry shows the month against it; an entry that passes it says
// so once; the limit is there again after a restart.
TEST_F(Settings, ALossLimitIsKeptInItsOwnFileAndToldOncePassed)
{
    ob::Bytes options = ob::default_file();
    ob::put32(options, ob::month_left, 60);
    ob::put32(options, ob::month_top, 60);
    launch(options, sunday_in_2009);
    HWND sheet = open_sheet(3);
    ASSERT_NE(sheet, nullptr);
    SetDlgItemTextW(current_page(sheet), 1600, L"５，０００");  // folded as the 明細 window folds
    press(sheet, IDOK);
    Bytes ini = read_file(file_in(folder, L"Ravo.ini"));
    const std::u16string text(reinterpret_cast<const char16_t*>(ini.data()), ini.size() / 2);
    EXPECT_NE(text.find(u"\r\n月の負け上限=5000\r\n"), std::u16string::npos);

    // Today (the 6th): −6,000 passes the limit; −100 more is told no more.
    for (int round = 0; round < 2; ++round) {
        PostMessageW(program.window, WM_KEYDOWN, VK_RETURN, 0);
        HWND entry = wait_for_dialog(L"勝ったり負けたり");
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(control_text(entry, 1604), round ? L"今月 −6,000／上限 5,000（超過）" : L"今月 0／上限 5,000");
        for (int key : round ? std::vector<int>{1005, 201, 200, 200, 1006} : std::vector<int>{206, 210, 1007})
            press(entry, key);  // 6 000 +/-, then - 1 0 0 =
        press(entry, IDOK);
        HWND told = wait_for_dialog(L"収支", round ? 500 : 5000);
        if (round) {
            EXPECT_EQ(told, nullptr) << "passed before: not told again";
            continue;
        }
        ASSERT_NE(told, nullptr);
        EXPECT_EQ(control_text(told, 65535), L"今月の負けが上限の 5,000円 を超えました。");
        press(told, IDOK);
    }
    ASSERT_TRUE(exit_program(program));
    EXPECT_EQ(saved_options(), options) << "Option.bin is as it was";
    launch(sunday_in_2009);
    PostMessageW(program.window, WM_KEYDOWN, VK_RETURN, 0);
    HWND entry = wait_for_dialog(L"勝ったり負けたり");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(control_text(entry, 1604), L"今月 −6,100／上限 5,000（超過）") << "the limit after a restart";
    press(entry, IDCANCEL);
    EXPECT_TRUE(exit_program(program));
}

// 金額を表示 on the format page: kept in Ravo.ini, Option.bin untouched;
// the cells grow and the month's line follows an entered day.
TEST_F(Settings, AmountsAreTurnedOnTheFormatPageAndTheLineFollowsADay)
{
    ob::Bytes options = ob::default_file();
    ob::put32(options, ob::month_left, 60);
    ob::put32(options, ob::month_top, 60);
    launch(options, sunday_in_2009);
    const SIZE bare = client_size();
    HWND sheet = open_sheet(2);
    ASSERT_NE(sheet, nullptr);
    HWND box = GetDlgItem(current_page(sheet), 625);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED) << "an existing Option.bin keeps its look";
    SendMessageW(box, BM_CLICK, 0, 0);
    press(sheet, IDOK);
    const std::u16string written = u"\uFEFF[表示]\r\n金額を表示=1\r\n";
    const Bytes ini = read_file(file_in(folder, L"Ravo.ini"));
    EXPECT_EQ(ini, Bytes(reinterpret_cast<const uint8_t*>(written.data()),
                         reinterpret_cast<const uint8_t*>(written.data()) + 2 * written.size()));
    settle(program.window);
    Sleep(200);
    EXPECT_GT(client_size().cx, bare.cx) << "cells grown for the amounts";
    EXPECT_GT(client_size().cy, bare.cy);
    EXPECT_TRUE(period_line_shows(program.window, false, L"今月 ±0　0勝0敗0分", 0));

    PostMessageW(program.window, WM_KEYDOWN, VK_RETURN, 0);  // today, the 6th: −6,000
    HWND entry = wait_for_dialog(L"勝ったり負けたり");
    ASSERT_NE(entry, nullptr);
    for (int key : {206, 210, 1007}) press(entry, key);
    press(entry, IDOK);
    settle(program.window);
    Sleep(200);
    EXPECT_TRUE(period_line_shows(program.window, false, L"今月 \u22126,000　0勝1敗0分", -6000));
    ASSERT_TRUE(exit_program(program));
    EXPECT_EQ(saved_options(), options) << "Option.bin is as it was";
    EXPECT_EQ(read_file(file_in(folder, L"Ravo.ini")), ini);
}
