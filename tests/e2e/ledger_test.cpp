// The day entry dialog, the year information dialog, CSV export and the
// day tooltips, driven as a person would, on the fixed clock.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "e2e/expected_view.h"
#include "e2e/program_test.h"

using namespace e2e;
namespace ob = option_bytes;

namespace {

const char sunday_in_2009[] = "2009-12-06 09:05:07";  // 1 December is a Tuesday
const wchar_t entry_caption[] = L"勝ったり負けたり";
const wchar_t info_caption[] = L"年情報";

class Ledger : public ProgramTest {
protected:
    int cell = default_cell(false);

    static ob::Bytes options_at_60()
    {
        ob::Bytes options = ob::default_file();
        ob::put32(options, ob::month_left, 60);
        ob::put32(options, ob::month_top, 60);
        return options;
    }
    void start(bool show_results = false, const char* fake_time = sunday_in_2009)
    {
        ob::Bytes options = options_at_60();
        options[98] = show_results ? 1 : 0;
        options[ob::show_time] = fake_time == sunday_in_2009 ? 0 : 1;  // else a tick every second
        launch(options, fake_time);
    }
    // Double click on a day of December 2009 in the month view.
    HWND open_day(int day)
    {
        int position = 2 + day - 1;
        PostMessageW(program.window, WM_LBUTTONDBLCLK, MK_LBUTTON,
                     MAKELPARAM((position % 7) * cell + cell / 2, (position / 7 + 1) * cell + cell / 2));
        return wait_for_dialog(entry_caption);
    }
    void keys(HWND dialog, std::initializer_list<int> ids)
    {
        for (int id : ids) press(dialog, id);
    }
    Bytes file(const wchar_t* name) { return read_file(file_in(folder, name)); }
    void write(const wchar_t* name, const Bytes& bytes) { ASSERT_TRUE(write_file(file_in(folder, name), bytes)); }
    // CSV\2009.csv of one line read back from the year dialog, its
    // question answered with OK; the dialog stays open.
    HWND import_line(const std::string& line)
    {
        CreateDirectoryW(file_in(folder, L"CSV").c_str(), nullptr);
        write(L"CSV\\2009.csv", Bytes(line.begin(), line.end()));
        command(40004);
        HWND dialog = wait_for_dialog(info_caption);
        press(dialog, 1212);
        press(wait_for_dialog(L"CSV入力"), IDOK);
        return dialog;
    }
    // The overflow box: its text, then closed.
    std::wstring overflow_text() { return box_text(L"うそはいかん"); }
    // "勝った" on 10 December 2009.
    void write_memo_on_the_tenth()
    {
        Bytes memos(7812, 0);
        const char memo[] = "\x8F\x9F\x82\xC1\x82\xBD";
        std::copy(memo, memo + 6, memos.begin() + 11 * 651 + 9 * 21);
        write(L"2009m.dat", memos);
    }
};

enum { digit = 200, key_plus = 1004, key_minus = 1005, key_equals = 1006, key_negate = 1007, key_divide = 1010,
       key_clear = 1003, key_thousand = 210, key_draw = 1205 };

}  // namespace

TEST_F(Ledger, EntryStoresTheDayAtItsOffsetsAndCancelStoresNothing)
{
    start(true);
    HWND dialog = open_day(10);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(control_text(dialog, 1001), L"2009/12/10(木) ");
    keys(dialog, {digit + 1, digit + 2, key_plus, digit + 3, key_equals});
    EXPECT_EQ(control_text(dialog, 1002), L"15");
    SendMessageW(GetDlgItem(dialog, 1051), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"勝った"));
    press(dialog, 1227);
    press(dialog, IDOK);
    EXPECT_FALSE(IsWindow(dialog));

    Bytes amounts(1488, 0), memos(7812, 0), marks(372, 0);
    const size_t slot = 11 * 31 + 9;
    put_amount(amounts, 12, 10, 15);
    const char memo[] = "\x8F\x9F\x82\xC1\x82\xBD";  // 勝った in Shift-JIS
    std::copy(memo, memo + 6, memos.begin() + 11 * 651 + 9 * 21);
    marks[slot] = 1;
    EXPECT_EQ(file(L"2009.dat"), amounts);
    EXPECT_EQ(file(L"2009m.dat"), memos);
    EXPECT_EQ(file(L"2009h.dat"), marks);
    EXPECT_EQ(month_view_cell_color(program.window, 2 + 9), 0xFFFF00u) << "shown as won";

    dialog = open_day(10);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(control_text(dialog, 1001), L"2009/12/10(木) 休日");
    EXPECT_EQ(control_text(dialog, 1002), L"15");
    keys(dialog, {digit + 9, key_negate});
    SendMessageW(GetDlgItem(dialog, 1051), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"負けた"));
    press(dialog, 1227);
    press(dialog, IDCANCEL);
    EXPECT_EQ(file(L"2009.dat"), amounts);
    EXPECT_EQ(file(L"2009m.dat"), memos);
    EXPECT_EQ(file(L"2009h.dat"), marks);

    // A shorter memo leaves nothing of the longer one behind.
    dialog = open_day(10);
    ASSERT_NE(dialog, nullptr);
    SendMessageW(GetDlgItem(dialog, 1051), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"a"));
    press(dialog, IDOK);
    std::fill(memos.begin() + 11 * 651 + 9 * 21, memos.begin() + 11 * 651 + 10 * 21, 0);
    memos[11 * 651 + 9 * 21] = 'a';
    EXPECT_EQ(file(L"2009m.dat"), memos);
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Ledger, EntryOpenAcrossNewYearStoresTheDayItWasOpenedFor)
{
    start(false, "2009-12-31 23:59:55");
    HWND dialog = open_day(5);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(control_text(dialog, 1001), L"2009/12/5(土) ");
    Sleep(6000);  // midnight passes while the dialog is open
    keys(dialog, {digit + 7, key_equals});
    press(dialog, IDOK);
    ASSERT_FALSE(IsWindow(dialog));
    Bytes amounts(1488, 0);
    put_amount(amounts, 12, 5, 7);
    EXPECT_EQ(file(L"2009.dat"), amounts) << "stored on 5 December 2009";
    EXPECT_TRUE(file(L"2010.dat").empty()) << "nothing stored in the new year";
    bool turned = false;
    for (int waited = 0; waited < 3000 && !turned; waited += 100) {
        Sleep(100);
        turned = month_view_caption_shows(program.window, year_caption, L"2010");
    }
    EXPECT_TRUE(turned) << "the calendar moves to the new year once the dialog is closed";
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Ledger, MemoTakesALineBreakTypedWithEnterAndStopsAtTwentyBytes)
{
    start();
    HWND dialog = open_day(3);
    ASSERT_NE(dialog, nullptr);
    HWND memo = GetDlgItem(dialog, 1051);
    for (wchar_t key : {L'a', L'\r', L'b'}) PostMessageW(memo, WM_CHAR, key, 1);  // Enter types '\r'

    settle(dialog);
    EXPECT_EQ(control_text(dialog, 1051), L"a\r\nb");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 1218))) << "no note yet";
    // Pasted (Ctrl+V) into 15 bytes left: cut before the character that
    // would not fit whole; then one byte more is taken, and no more.
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const wchar_t pasted[] = L"c勝ち負けの記録をつける";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof pasted);
    memcpy(GlobalLock(memory), pasted, sizeof pasted);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    for (wchar_t key : {L'\x16', L'x', L'y'}) PostMessageW(memo, WM_CHAR, key, 1);
    settle(dialog);
    EXPECT_EQ(control_text(dialog, 1051), L"a\r\nbc勝ち負けの記録x");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, 1218)));
    EXPECT_EQ(control_text(dialog, 1218), L"メモは全角10文字まで");
    press(dialog, IDOK);
    Bytes memos = file(L"2009m.dat");
    ASSERT_EQ(memos.size(), 7812u);
    const size_t at = 11 * 651 + 2 * 21;
    EXPECT_EQ(std::string(memos.begin() + at, memos.begin() + at + 21),
              std::string("a\r\nbc\x8F\x9F\x82\xBF\x95\x89\x82\xAF\x82\xCC\x8B" "L\x98^x", 21));
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Ledger, OverflowKeepsTheDisplay)
{
    start();
    HWND dialog = open_day(7);
    ASSERT_NE(dialog, nullptr);
    keys(dialog, {digit + 2, digit + 1, digit + 4, digit + 7, digit + 4, digit + 8, digit + 3, digit + 6, digit + 4});
    press(dialog, digit + 8);
    EXPECT_EQ(overflow_text(), L"え～本当ですか？");
    EXPECT_EQ(control_text(dialog, 1002), L"214,748,364");

    keys(dialog, {key_clear, digit + 3, key_thousand, key_thousand});
    press(dialog, key_thousand);
    EXPECT_EQ(overflow_text(), L"え～本当ですか？");
    EXPECT_EQ(control_text(dialog, 1002), L"3,000,000");

    // -2147483648 / -1
    keys(dialog, {key_clear, digit + 2, digit + 1, digit + 4, digit + 7, digit + 4, digit + 8, digit + 3, digit + 6,
                  digit + 4, digit + 7, key_negate, key_minus, digit + 1, key_equals});
    EXPECT_EQ(control_text(dialog, 1002), L"-2,147,483,648");
    keys(dialog, {key_divide, digit + 1, key_negate});
    press(dialog, key_equals);
    EXPECT_EQ(overflow_text(), L"え～本当ですか？");
    EXPECT_EQ(control_text(dialog, 1002), L"±0") << "-1, shown as the draw";
    press(dialog, IDCANCEL);
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Ledger, YearDialogTotalsWrapAndEditsAnotherYear)
{
    Bytes amounts(1488, 0);
    put_amount(amounts, 12, 1, 5000);
    put_amount(amounts, 12, 2, -1);
    put_amount(amounts, 12, 3, -3000);
    put_amount(amounts, 11, 5, -2000);
    write(L"2009.dat", amounts);
    start();
    command(40004);
    HWND dialog = wait_for_dialog(info_caption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(control_text(dialog, 512), L"2,000");
    EXPECT_EQ(control_text(dialog, 302), L"±0");
    EXPECT_EQ(control_text(dialog, 363), L"1");
    EXPECT_EQ(control_text(dialog, 364), L"1");
    EXPECT_EQ(control_text(dialog, 369), L"1");
    EXPECT_EQ(control_text(dialog, 1030), L"0");
    EXPECT_EQ(control_text(dialog, 1209), L"2009年の勝敗");
    EXPECT_EQ(control_text(dialog, 1210), L"2009年までの総合計");
    RECT november;
    GetWindowRect(GetDlgItem(dialog, 511), &november);
    // The dialog's first paint may still be on its way to the screen; text
    // may be smoothed, so count the strongly red pixels.
    int red = 0;
    for (int waited = 0; waited < 2000 && red <= 3; waited += 100) {
        Sleep(100);
        Capture total = capture_screen(november);
        red = 0;
        for (uint32_t pixel : total.pixels)
            red += (pixel >> 16) > 200 && ((pixel >> 8) & 0xFF) < 90 && (pixel & 0xFF) < 90;
    }
    EXPECT_GT(red, 3) << "a negative total is red";

    // The up-down wraps 2037 to 1990 and back; the listed month stays.
    HWND spin = GetDlgItem(dialog, 1217);
    PostMessageW(dialog, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 2037), reinterpret_cast<LPARAM>(spin));
    settle(program.window);
    RECT arrows;
    GetClientRect(spin, &arrows);
    auto click_spin = [&](long y) {
        PostMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrows.right / 2, y));
        PostMessageW(spin, WM_LBUTTONUP, 0, MAKELPARAM(arrows.right / 2, y));
        settle(program.window);
    };
    click_spin(arrows.bottom / 4);
    EXPECT_EQ(control_text(dialog, 1216), L"1990");
    click_spin(arrows.bottom * 3 / 4);
    EXPECT_EQ(control_text(dialog, 1216), L"2037");
    EXPECT_EQ(control_text(dialog, 1209), L"2037年の勝敗");

    // 30 February does nothing; 5 January 2010 is stored at once.
    PostMessageW(dialog, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 2010), reinterpret_cast<LPARAM>(spin));
    settle(program.window);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(502, STN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 502)));
    settle(program.window);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(330, STN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 330)));
    EXPECT_EQ(wait_for_dialog(entry_caption, 300), nullptr);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(501, STN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 501)));
    settle(program.window);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(336, STN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 336)));
    HWND entry = wait_for_dialog(entry_caption);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(control_text(entry, 1001), L"2010/1/5(火) ");
    keys(entry, {digit + 7, digit + 0, digit + 0});
    press(entry, IDOK);
    EXPECT_EQ(control_text(dialog, 305), L"700");
    EXPECT_EQ(control_text(dialog, 501), L"700");
    EXPECT_EQ(control_text(dialog, 1031), L"700") << "all years up to 2010: 2009 sums to 0";
    press(dialog, IDOK);
    EXPECT_FALSE(IsWindow(dialog));
    Bytes saved = file(L"2010.dat");
    ASSERT_EQ(saved.size(), 1488u);
    EXPECT_EQ(saved[16], 700 % 256);
    Sleep(100);
    EXPECT_TRUE(month_view_caption_shows(program.window, year_caption, L"2009")) << "the main window's year is back";
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Ledger, CsvExportAsksAndWritesTheYear)
{
    Bytes amounts(1488, 0), memos(7812, 0);
    put_amount(amounts, 3, 1, 3000);
    put_amount(amounts, 3, 5, -1);
    put_amount(amounts, 3, 6, -500);
    const char memo[] = "a\"b";
    std::copy(memo, memo + 3, memos.begin() + 2 * 651);
    write(L"2009.dat", amounts);
    write(L"2009m.dat", memos);
    start();
    command(40004);
    HWND dialog = wait_for_dialog(info_caption);
    ASSERT_NE(dialog, nullptr);
    press(dialog, 1211);
    HWND question = wait_for_dialog(L"CSV出力");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(control_text(question, 65535), L"2009年の情報を" + folder + L"CSV\\2009.CSVに出力します。よろしいですか？");
    press(question, IDCANCEL);
    EXPECT_FALSE(file_exists(file_in(folder, L"CSV")));

    press(dialog, 1211);
    question = wait_for_dialog(L"CSV出力");
    ASSERT_NE(question, nullptr);
    press(question, IDOK);
    std::string expected = "\x94\x4E\x8C\x8E\x93\xFA,\x8B\xE0\x8A\x7A,\x83\x81\x83\x82,\x8D\x87\x8C\x76,"
                           "\x8F\x9F\x82\xBF,\x95\x89\x82\xAF,\x95\xAA\x82\xAF\r\n";
    const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int total = 0;
    for (int month = 1; month <= 12; ++month)
        for (int day = 1; day <= lengths[month - 1]; ++day) {
            int amount = 0, win = 0, loss = 0, draw = 0;
            std::string text;
            if (month == 3 && day == 1) amount = 3000, win = 1, text = "a\"\"b";
            if (month == 3 && day == 5) draw = 1;
            if (month == 3 && day == 6) amount = -500, loss = 1;
            total += amount;
            char line[96];
            snprintf(line, sizeof line, "2009/%02d/%02d,%d,\"%s\",%d,%d,%d,%d\r\n", month, day, amount, text.c_str(),
                     total, win, loss, draw);
            expected += line;
        }
    Bytes written = read_file(folder + L"CSV\\2009.csv");
    EXPECT_EQ(std::string(written.begin(), written.end()), expected);
    press(dialog, IDOK);
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Ledger, TooltipsShowTheDayUnderThePointerWithItsMemoAndVisits)
{
    write_memo_on_the_tenth();
    // Six visits on the 9th: five lines, then the sixth counted.
    std::string visits = "\xEF\xBB\xBF日付,種別,場所,機種,投資,回収,開始,終了,メモ\r\n";
    for (int i = 1; i <= 6; ++i) visits += "2009/12/09,パチンコ,ABCホール,海物語," + std::to_string(i) + "000,0,,,\r\n";
    write(L"2009d.csv", Bytes(visits.begin(), visits.end()));
    Bytes amounts(1488, 0);
    put_amount(amounts, 12, 9, -21000);
    write(L"2009.dat", amounts);
    start();
    EXPECT_EQ(tooltip_at(3 * cell + cell / 2, 2 * cell + cell / 2),
              L"11|2009/12/09(水)\n収支 -21,000\nパチンコ ABCホール 海物語 -1,000\nパチンコ ABCホール 海物語 -2,000\n"
              L"パチンコ ABCホール 海物語 -3,000\nパチンコ ABCホール 海物語 -4,000\nパチンコ ABCホール 海物語 -5,000\nほか 1 件");
    int position = 2 + 10 - 1;
    EXPECT_EQ(tooltip_at((position % 7) * cell + cell / 2, (position / 7 + 1) * cell + cell / 2), L"12|2009/12/10(木)\n勝った");
    // Memos show as typed: "&" is no mnemonic and a tab does not cut them.
    HWND tip = nullptr;
    EnumThreadWindows(
        GetWindowThreadProcessId(program.window, nullptr),
        [](HWND window, LPARAM found) -> BOOL {
            wchar_t name[32] = L"";
            GetClassNameW(window, name, 32);
            if (lstrcmpiW(name, L"tooltips_class32") != 0) return TRUE;
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&tip));
    EXPECT_TRUE(GetWindowLongPtrW(tip, GWL_STYLE) & TTS_NOPREFIX);
    position = 2 + 11 - 1;
    EXPECT_EQ(tooltip_at((position % 7) * cell + cell / 2, (position / 7 + 1) * cell + cell / 2), L"<none>")
        << "a day with nothing recorded";
    EXPECT_EQ(tooltip_at(cell / 2, cell + cell / 2), L"<none>") << "an empty cell";

    command(40011);  // the one-year view: the 10th in December's block
    int year_cell = default_cell(true);
    long x = 3 * 8 * year_cell + (position - 1) % 7 * year_cell + year_cell / 2;
    long y = 2 * 8 * year_cell + (2 + (position - 1) / 7) * year_cell + year_cell / 2;
    EXPECT_EQ(tooltip_at(x, y), L"430|2009/12/10(木)\n勝った") << "tool 11 x 38 + cell 11 + 1";
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Ledger, PartlyFailedSaveNamesWhatWasNotSavedAndExitTriesAgain)
{
    start();
    // The amounts file cannot be replaced: its new file's name is taken.
    const std::wstring blocker = file_in(folder, L"2009.dat.new");
    ASSERT_TRUE(CreateDirectoryW(blocker.c_str(), nullptr));
    HWND entry = open_day(10);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(entry, 1001), GWL_STYLE) & SS_NOPREFIX) << "a holiday name as written";
    keys(entry, {digit + 7, digit + 0, digit + 0});
    SendMessageW(GetDlgItem(entry, 1051), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"R&D勝ち"));
    press(entry, IDOK);
    HWND box = wait_for_dialog(L"エラーです。");
    ASSERT_NE(box, nullptr);
    std::wstring text = control_text(box, 65535);
    EXPECT_NE(text.find(L"金額: " + folder + L"2009.dat\n"), std::wstring::npos) << text;
    EXPECT_EQ(text.find(L"メモ:"), std::wstring::npos) << "only the file that failed is named";
    EXPECT_EQ(text.find(L"休日:"), std::wstring::npos);
    press(box, IDOK);
    EXPECT_FALSE(file_exists(file_in(folder, L"2009m.dat"))) << "all or nothing: the memo waits with the amount";

    // The year dialog counts the amount kept in memory; the memo as typed.
    command(40004);
    HWND info = wait_for_dialog(info_caption);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(control_text(info, 1031), L"700") << "all years agree with the months";
    EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(info, 341), GWL_STYLE) & SS_NOPREFIX);
    press(info, IDOK);

    // Exit tries once more and offers another try; then it is written.
    PostMessageW(program.window, WM_COMMAND, 40003, 0);
    box = wait_for_dialog(L"エラーです。");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(control_text(box, 65535).find(L"金額: "), std::wstring::npos);
    RemoveDirectoryW(blocker.c_str());
    press(box, IDRETRY);
    EXPECT_EQ(wait_for_exit(program), 0u);
    Bytes amounts(1488, 0);
    put_amount(amounts, 12, 10, 700);
    EXPECT_EQ(file(L"2009.dat"), amounts);
    EXPECT_EQ(file(L"2009m.dat")[11 * 651 + 9 * 21], 'R');
}

TEST_F(Ledger, CalculatorIsTheSystemsNeverAFileOfItsNameInTheFolder)
{
    ASSERT_TRUE(CopyFileW((own_folder() + L"planted_program.exe").c_str(), file_in(folder, L"CALC.EXE").c_str(), FALSE));
    start();
    HWND entry = open_day(10);
    ASSERT_NE(entry, nullptr);
    press(entry, 1207);
    // Wine has no calculator in its system folder: the system's is asked
    // for, and its absence told.
    HWND box = wait_for_dialog(L"エラーです。");
    ASSERT_NE(box, nullptr);
    press(box, IDOK);
    Sleep(500);
    EXPECT_FALSE(file_exists(file_in(folder, L"planted-ran.txt")));
    press(entry, IDCANCEL);
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Ledger, YearThatCouldNotBeReadIsNamedOncePerOpening)
{
    ASSERT_TRUE(CreateDirectoryW(file_in(folder, L"2005.dat").c_str(), nullptr));  // exists, cannot be read
    start();
    command(40004);
    HWND box = wait_for_dialog(L"エラーです。");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(control_text(box, 65535), L"2005年のファイルを読めませんでした。合計に含まれていません。");
    press(box, IDOK);
    HWND info = wait_for_dialog(info_caption);
    ASSERT_NE(info, nullptr);
    PostMessageW(info, WM_COMMAND, MAKEWPARAM(503, STN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(info, 503)));
    settle(program.window);
    EXPECT_EQ(wait_for_dialog(L"エラーです。", 300), nullptr) << "told once";
    press(info, IDOK);
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Ledger, AYearThatCannotBeReadIsNeverEditedNorImportedInto)
{
    ASSERT_TRUE(CreateDirectoryW(file_in(folder, L"2009m.dat").c_str(), nullptr));  // exists, cannot be read
    Bytes amounts(1488, 0);
    put_amount(amounts, 12, 1, 5000);
    write(L"2009.dat", amounts);
    start();
    PostMessageW(program.window, WM_KEYDOWN, VK_RETURN, 0);  // the selected day, today
    HWND box = wait_for_dialog(L"エラーです。");
    ASSERT_NE(box, nullptr);
    std::wstring text = control_text(box, 65535);
    EXPECT_EQ(text.find(L"2009m.dat を読めないため、この日の記録を変えられません。\n\nメモ: " + folder + L"2009m.dat\n"), 0u)
        << text;
    press(box, IDOK);
    EXPECT_EQ(wait_for_dialog(entry_caption, 300), nullptr);

    HWND dialog = import_line("2009/12/01,-300,\"\",0,0,0,0\r\n");
    ASSERT_NE(dialog, nullptr);
    box = wait_for_dialog(L"エラーです。");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(control_text(box, 65535).find(L"2009m.dat を読めないため、取り込めません。"), 0u);
    press(box, IDOK);
    press(dialog, IDOK);
    EXPECT_EQ(file(L"2009.dat"), amounts) << "nothing applied to a year read as zeros";
    EXPECT_FALSE(file_exists(file_in(folder, L"backup"))) << "refused before anything was done";
    EXPECT_TRUE(exit_program(program));
}

// Exported, opened in a spreadsheet set to Japanese and saved again as it
// writes (dates as 12月1日, memos it took for numbers and dates rewritten,
// no quotes), then read back: not a byte changes.
TEST_F(Ledger, ASpreadsheetsResaveOfTheExportComesBackAsItWas)
{
    Bytes amounts(1488, 0), memos(7812, 0);
    put_amount(amounts, 12, 1, 5000), put_amount(amounts, 12, 2, -1);
    std::copy_n("0123", 4, memos.begin() + 11 * 651), std::copy_n("1/2", 3, memos.begin() + 11 * 651 + 21);
    write(L"2009.dat", amounts), write(L"2009m.dat", memos), write(L"2009h.dat", Bytes(372, 0));
    start();
    command(40004);
    HWND dialog = wait_for_dialog(info_caption);
    ASSERT_NE(dialog, nullptr);
    press(dialog, 1211);
    press(wait_for_dialog(L"CSV出力"), IDOK);
    Bytes csv = file(L"CSV\\2009.csv");
    std::string text(csv.begin(), csv.end()), resaved;
    for (size_t start = text.find("\r\n") + 2, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        std::string line = text.substr(start, end - start);
        const int month = std::stoi(line.substr(5, 2)), day = std::stoi(line.substr(8, 2));
        line = std::to_string(month) + "\x8C\x8E" + std::to_string(day) + "\x93\xFA" + line.substr(10);
        for (auto [from, to] : {std::pair<std::string, std::string>{"\"0123\"", "123"}, {"\"1/2\"", "1\x8C\x8E" "2\x93\xFA"},
                                {"\"\"", ""}})
            if (line.find(from) != std::string::npos) line.replace(line.find(from), from.size(), to);
        resaved += line + "\r\n";
    }
    write(L"CSV\\2009.csv", Bytes(resaved.begin(), resaved.end()));
    press(dialog, 1212);
    HWND question = wait_for_dialog(L"CSV入力");
    ASSERT_NE(question, nullptr);
    EXPECT_NE(control_text(question, 65535).find(L"\n\n表計算ソフトが数や日付に変えたメモ 2 件は元のままにします。"),
              std::wstring::npos);
    press(question, IDOK);
    press(wait_for_dialog(L"CSV入力"), IDOK);
    press(dialog, IDOK);
    EXPECT_EQ(file(L"2009.dat"), amounts);
    EXPECT_EQ(file(L"2009m.dat"), memos);
    EXPECT_EQ(file(L"2009h.dat"), Bytes(372, 0));
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Ledger, TooltipsShowWithoutATitleBar)
{
    write_memo_on_the_tenth();
    ob::Bytes options = options_at_60();
    options[ob::no_title_bar] = 1;  // the whole window answers as caption
    launch(options, sunday_in_2009);
    int position = 2 + 10 - 1;
    EXPECT_EQ(tooltip_at((position % 7) * cell + cell / 2, (position / 7 + 1) * cell + cell / 2), L"12|2009/12/10(木)\n勝った");
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Ledger, FirstSaveOfTheDayBacksUpAndCsvImportReplacesTheYear)
{
    Bytes amounts(1488, 0);
    put_amount(amounts, 12, 1, 5000);
    write(L"2009.dat", amounts), write(L"2009m.dat", Bytes(7812, 0)), write(L"2009h.dat", Bytes(372, 0));
    start();
    HWND entry = open_day(10);
    keys(entry, {digit + 7, key_thousand, IDOK});
    EXPECT_EQ(file(L"backup\\20091206\\2009.dat"), amounts) << "the amounts as they were";
    command(40004);
    HWND dialog = wait_for_dialog(info_caption);
    ASSERT_NE(dialog, nullptr);
    press(dialog, 1211);
    press(wait_for_dialog(L"CSV出力"), IDOK);
    Bytes csv = file(L"CSV\\2009.csv");
    std::string text(csv.begin(), csv.end()), line = "2009/12/01,5000,\"\",5000,1,0,0";
    text.replace(text.find(line), line.size(), "2009/12/01,-300,\"\x95\x89\x82\xAF\",0,0,0,0");  // 負け
    write(L"CSV\\2009.csv", Bytes(text.begin(), text.end()));
    press(dialog, 1212);
    HWND question = wait_for_dialog(L"CSV入力");
    EXPECT_EQ(control_text(question, 65535),
              L"2009年の金額とメモを CSV\\2009.csv の内容（365日分）で置き換えます。よろしいですか？");
    press(question, IDOK);
    HWND done = wait_for_dialog(L"CSV入力");
    EXPECT_EQ(control_text(done, 65535), L"365日分を読み込みました。");
    press(done, IDOK);
    put_amount(amounts, 12, 1, -300), put_amount(amounts, 12, 10, 7000);
    EXPECT_EQ(file(L"2009.dat"), amounts);
    EXPECT_EQ(control_text(dialog, 332), L"負け");
    EXPECT_EQ(control_text(dialog, 512), L"6,700");
    EXPECT_EQ(control_text(dialog, 1031), L"6,700");
    EXPECT_TRUE(file_exists(folder + L"backup\\20091206-2\\2009.dat")) << "an import backs up anew";
    text += "2009/02/29,1,\"\",0,0,0,0\r\n";
    write(L"CSV\\2009.csv", Bytes(text.begin(), text.end()));
    press(dialog, 1212);
    HWND problems = wait_for_dialog(L"エラーです。");
    EXPECT_NE(control_text(problems, 65535).find(L"\n367行目: 2009/02/29 はありません。\n"), std::wstring::npos);
    press(problems, IDOK);
    EXPECT_EQ(file(L"2009.dat"), amounts);
    EXPECT_FALSE(file_exists(folder + L"backup\\20091206-3")) << "nothing changed, nothing backed up";
    press(dialog, IDOK);
    EXPECT_TRUE(exit_program(program));
}

// Ctrl+Z takes back a day's entry (Ctrl+Y makes it again) and an import:
// the year's files as they were.
TEST_F(Ledger, UndoLeavesTheYearsFilesAsTheyWere)
{
    Bytes amounts(1488, 0);
    put_amount(amounts, 12, 1, 5000);
    write(L"2009.dat", amounts), write(L"2009m.dat", Bytes(7812, 0)), write(L"2009h.dat", Bytes(372, 0));
    start();
    auto files = [this] { return std::vector<Bytes>{file(L"2009.dat"), file(L"2009m.dat"), file(L"2009h.dat")}; };
    const std::vector<Bytes> before = files();
    HWND entry = open_day(10);
    ASSERT_NE(entry, nullptr);
    SendMessageW(GetDlgItem(entry, 1051), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"勝った"));
    keys(entry, {digit + 7, key_thousand, 1227, IDOK});
    const std::vector<Bytes> entered = files();
    ASSERT_NE(entered, before);
    type(L"", {'Z'}, true, program.window);
    EXPECT_EQ(files(), before);
    type(L"", {'Y'}, true, program.window);
    EXPECT_EQ(files(), entered);

    HWND dialog = import_line("2009/12/01,-300,\"\x95\x89\x82\xAF\",0,0,0,0\r\n");
    press(wait_for_dialog(L"CSV入力"), IDOK);
    press(dialog, IDOK);
    ASSERT_NE(files(), entered);
    type(L"", {'Z'}, true, program.window);
    EXPECT_EQ(files(), entered);
    EXPECT_TRUE(exit_program(program));
}
