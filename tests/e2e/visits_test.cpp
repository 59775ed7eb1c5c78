// The visits window (明細) of a day, typed into as a person would: what
// lands in YYYYd.csv and in the day, what is refused, and a visits file
// that cannot be read left as it is.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "e2e/program_test.h"

using namespace e2e;

namespace {

const wchar_t entry_caption[] = L"勝ったり負けたり";
const char header[] = "\xEF\xBB\xBF日付,種別,場所,機種,投資,回収,開始,終了,メモ\r\n";
enum { display = 1002, memo = 1051, visits_button = 1230, difference = 1231, visit_list = 1401, sum_stake = 1413,
       sum_rate = 1416 };

class Visits : public ProgramTest {
protected:
    // The day entry of today, 6 December 2009, and its visits window.
    HWND open_visits(HWND* entry)
    {
        launch("2009-12-06 09:05:07");
        PostMessageW(program.window, WM_KEYDOWN, VK_RETURN, 0);
        *entry = wait_for_dialog(entry_caption);
        if (!*entry) return nullptr;
        press(*entry, visits_button);
        return wait_for_dialog(L"明細");
    }
    Bytes file(const wchar_t* name) { return read_file(file_in(folder, name)); }
    void write(const wchar_t* name, const std::string& text)
    {
        ASSERT_TRUE(write_file(file_in(folder, name), Bytes(text.begin(), text.end())));
    }
    std::wstring error_text() { return box_text(L"エラーです。"); }
};

}  // namespace

TEST_F(Visits, TypedWithEnterTheyLandInTheFileAndGiveTheDayItsAmountAndMemo)
{
    HWND entry = nullptr, visits = open_visits(&entry);
    ASSERT_NE(visits, nullptr);
    EXPECT_EQ(control_text(visits, 1400), L"2009/12/06(日) の明細");
    type(L"パチ", {VK_TAB});  // completed from the offered categories
    type(L"ABCホール", {VK_TAB});
    type(L"海物語", {VK_TAB});
    type(L"20,000", {VK_TAB});
    type(L"３５０００", {VK_TAB});
    type(L"21:30", {VK_TAB});
    type(L"1:05", {VK_TAB});
    type(L"朝から", {VK_RETURN});
    EXPECT_EQ(SendMessageW(GetDlgItem(visits, visit_list), LVM_GETITEMCOUNT, 0, 0), 1);
    type(L"ス", {VK_TAB});
    type(L"ABCホール", {VK_TAB, VK_TAB});
    type(L"10000", {VK_TAB});
    type(L"7000");
    EXPECT_EQ(control_text(visits, sum_stake), L"投資 30,000") << "the sums follow the fields";
    EXPECT_EQ(control_text(visits, sum_rate), L"回収率 140.0%");
    type(L"", {VK_RETURN});
    EXPECT_EQ(SendMessageW(GetDlgItem(visits, visit_list), LVM_GETITEMCOUNT, 0, 0), 2);
    press(visits, IDOK);
    EXPECT_FALSE(IsWindow(visits));
    EXPECT_EQ(control_text(entry, display), L"12,000");
    EXPECT_EQ(control_text(entry, memo), L"ABCホール");
    press(entry, 200 + 5);  // the amount now differs from the visits
    EXPECT_EQ(control_text(entry, difference), L"明細の合計と 11,995 違います");
    press(entry, 1205);  // ±0
    press(entry, IDOK);
    const std::string lines = std::string(header) + "2009/12/06,パチンコ,ABCホール,海物語,20000,35000,21:30,01:05,朝から\r\n"
                                                    "2009/12/06,スロット,ABCホール,,10000,7000,,,\r\n";
    EXPECT_EQ(file(L"2009d.csv"), Bytes(lines.begin(), lines.end())) << "kept as they were entered";
    Bytes amounts = file(L"2009.dat");
    ASSERT_EQ(amounts.size(), 1488u);
    EXPECT_EQ(amounts[4 * (11 * 31 + 5)], 0xFF) << "the draw entered after the visits";

    // Delete on a chosen visit asks first; キャンセル keeps the file.
    const Bytes kept = file(L"2009d.csv");
    PostMessageW(program.window, WM_KEYDOWN, VK_RETURN, 0);
    entry = wait_for_dialog(entry_caption);
    ASSERT_NE(entry, nullptr);
    press(entry, visits_button);
    visits = wait_for_dialog(L"明細");
    ASSERT_NE(visits, nullptr);
    EXPECT_EQ(list_rows(), (std::vector<std::wstring>{L"1401|パチンコ|ABCホール|海物語|20,000|35,000|+15,000|3:35",
                                                      L"1401|スロット|ABCホール||10,000|7,000|-3,000|"}));
    RECT header_rect;
    GetWindowRect(GetWindow(GetDlgItem(visits, visit_list), GW_CHILD), &header_rect);
    PostMessageW(GetDlgItem(visits, visit_list), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, header_rect.bottom - header_rect.top + 4));
    PostMessageW(GetDlgItem(visits, visit_list), WM_LBUTTONUP, 0, MAKELPARAM(20, header_rect.bottom - header_rect.top + 4));
    settle(program.window);
    EXPECT_EQ(control_text(visits, 1404), L"海物語") << "the chosen visit in the fields";
    PostMessageW(GetDlgItem(visits, visit_list), WM_KEYDOWN, VK_DELETE, 1);
    HWND question = wait_for_dialog(L"明細の削除");
    ASSERT_NE(question, nullptr);
    press(question, IDYES);
    EXPECT_EQ(SendMessageW(GetDlgItem(visits, visit_list), LVM_GETITEMCOUNT, 0, 0), 1);
    PostMessageW(focus(), WM_KEYDOWN, VK_ESCAPE, 1);
    question = wait_for_dialog(L"明細の変更");
    ASSERT_NE(question, nullptr) << "Escape asks before dropping the deletion";
    press(question, IDNO);
    EXPECT_FALSE(IsWindow(visits)) << "いいえ drops it";
    press(entry, IDCANCEL);
    EXPECT_EQ(file(L"2009d.csv"), kept);
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Visits, ADaySumBeyond32BitsIsRefusedAndNothingStored)
{
    std::string lines = header;
    for (int i = 0; i < 21; ++i) lines += "2009/12/06,競馬,,,0,99999999,,,\r\n";
    write(L"2009d.csv", lines);
    HWND entry = nullptr, visits = open_visits(&entry);
    ASSERT_NE(visits, nullptr);
    EXPECT_EQ(SendMessageW(GetDlgItem(visits, visit_list), LVM_GETITEMCOUNT, 0, 0), 21);
    type(L"競馬", {VK_TAB, VK_TAB, VK_TAB, VK_TAB});
    type(L"99999999");
    press(visits, IDOK);
    EXPECT_NE(error_text().find(L"1日の金額の範囲"), std::wstring::npos);
    EXPECT_TRUE(IsWindow(visits)) << "the window stays for the visits to be mended";
    type(L"", {VK_TAB, VK_TAB, VK_TAB});
    type(L"x");
    press(visits, IDOK);
    EXPECT_NE(error_text().find(L"投資は 0 から 99,999,999"), std::wstring::npos) << "a stake that does not read";
    press(visits, IDCANCEL);
    press(wait_for_dialog(L"明細の変更"), IDNO);
    EXPECT_EQ(control_text(entry, display), L"0");
    press(entry, IDOK);
    EXPECT_EQ(file(L"2009d.csv"), Bytes(lines.begin(), lines.end()));
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Visits, FilesChangedOutsideWhileTheWindowIsOpenKeepTheirChange)
{
    HWND entry = nullptr, visits = open_visits(&entry);
    ASSERT_NE(visits, nullptr);
    // A copy from another PC adds 1/21: 8,888 遠征, with its visit.
    Bytes amounts(1488, 0), memos(7812, 0);
    put_amount(amounts, 1, 21, 8888);
    const char expedition[] = "\x89\x93\x90\xAA";  // 遠征
    std::copy(expedition, expedition + 4, memos.begin() + 20 * 21);
    ASSERT_TRUE(write_file(file_in(folder, L"2009.dat"), amounts));
    ASSERT_TRUE(write_file(file_in(folder, L"2009m.dat"), memos));
    const std::string outside = std::string(header) + "2009/01/21,パチンコ,遠征,,1112,10000,,,\r\n";
    write(L"2009d.csv", outside);
    type(L"競馬", {VK_TAB, VK_TAB, VK_TAB});
    type(L"1000", {VK_TAB});
    type(L"3000", {VK_RETURN});
    press(visits, IDOK);
    press(entry, IDOK);
    const std::wstring told = box_text(L"ほかのプログラムの変更");
    EXPECT_EQ(told.substr(0, told.find(L' ')), L"2009.dat、2009m.dat、2009d.csv");
    amounts = file(L"2009.dat");
    put_amount(amounts, 12, 6, 0);
    Bytes expected(1488, 0);
    put_amount(expected, 1, 21, 8888);
    EXPECT_EQ(amounts, expected) << "1/21 kept, and only 12/6 added";
    EXPECT_EQ(file(L"2009.dat")[4 * (11 * 31 + 5)], 2000 & 0xFF);
    EXPECT_EQ(file(L"2009m.dat")[20 * 21], 0x89);
    const std::string lines = outside + "2009/12/06,競馬,,,1000,3000,,,\r\n";
    EXPECT_EQ(file(L"2009d.csv"), Bytes(lines.begin(), lines.end()));
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Visits, AFileThatCannotBeReadIsNamedWithItsLinesOnceAndNeverWrittenOver)
{
    const std::string lines = std::string(header) + "2009/02/30,競馬,,,0,100,,,\r\n";
    write(L"2009d.csv", lines);
    launch("2009-12-06 09:05:07");
    const std::wstring named = L"2009d.csv を読めません。\n\n" + folder + L"2009d.csv\n";
    EXPECT_EQ(error_text(), L"2009年の明細を読めないため、分析にも日の入力にも使えません。\n\n" + named +
                                L"2行目: 2009/02/30 はありません。\n\nファイルを直すか、ほかの場所へ移してください。")
        << "told once the calendar shows";
    PostMessageW(program.window, WM_KEYDOWN, VK_RETURN, 0);
    HWND entry = wait_for_dialog(entry_caption);
    ASSERT_NE(entry, nullptr);
    press(entry, visits_button);
    EXPECT_EQ(error_text(), L"この年の明細を読めないため、明細を変えられません。\n\n" + named) << "its lines told once";
    press(entry, 200 + 7);
    press(entry, IDOK);
    EXPECT_EQ(file(L"2009.dat")[4 * (11 * 31 + 5)], 7) << "the day's amount works";
    EXPECT_EQ(file(L"2009d.csv"), Bytes(lines.begin(), lines.end()));
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Visits, TypedThroughTheInputMethodALossIsStoredAsALoss)
{
    launch("2009-12-06 09:05:07");
    PostMessageW(program.window, WM_KEYDOWN, VK_RETURN, 0);
    HWND entry = wait_for_dialog(entry_caption);
    ASSERT_NE(entry, nullptr);
    SetForegroundWindow(entry);
    for (wchar_t character : std::wstring(L"ー5000")) {  // as the input method hands it on
        INPUT input[2] = {{INPUT_KEYBOARD, {}}, {INPUT_KEYBOARD, {}}};
        input[0].ki = {0, character, KEYEVENTF_UNICODE, 0, 0};
        input[1].ki = {0, character, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP, 0, 0};
        SendInput(2, input, sizeof(INPUT)), settle(program.window);
    }
    EXPECT_EQ(control_text(entry, display), L"-5,000") << "the minus shows as it is typed";
    press(entry, IDOK);
    Bytes expected(1488, 0);
    put_amount(expected, 12, 6, -5000);
    EXPECT_EQ(file(L"2009.dat"), expected);
    EXPECT_TRUE(exit_program(program));
}

TEST_F(Visits, AClearedDayTakesItsVisitsWhenTheUserSaysSo)
{
    write(L"2009d.csv", std::string(header) + "2009/12/06,競馬,XYZ,,1000,0,,,\r\n2009/12/06,競馬,XYZ,,500,0,,,\r\n");
    launch("2009-12-06 09:05:07");
    PostMessageW(program.window, WM_KEYDOWN, VK_RETURN, 0);
    HWND entry = wait_for_dialog(entry_caption);
    ASSERT_NE(entry, nullptr);
    press(entry, 1003);  // C
    press(entry, IDOK);
    HWND question = wait_for_dialog(L"明細の削除");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(control_text(question, 65535), L"この日の明細 2 件も消しますか？");
    press(question, IDYES);
    const Bytes visits = file(L"2009d.csv");
    EXPECT_EQ(std::string(visits.begin(), visits.end()).find("2009/12/06"), std::string::npos);
    command(40030);
    ASSERT_NE(wait_for_dialog(L"収支分析"), nullptr);
    for (const std::wstring& row : list_rows()) EXPECT_EQ(row.find(L"XYZ"), std::wstring::npos) << "no visit left to count";
    EXPECT_TRUE(exit_program(program));
}
