// Bringing a year back from a backup, from the year dialog, as a person
// would: open the dialog, choose the folder, OK.
#include <gtest/gtest.h>

#include <windows.h>

#include "e2e/program_test.h"

using namespace e2e;

namespace {
class Restore : public ProgramTest {
protected:
    void write(const std::wstring& name, const Bytes& bytes)
    {
        CreateDirectoryW(file_in(folder, L"backup").c_str(), nullptr);
        const size_t slash = name.rfind(L'\\');
        if (slash != std::wstring::npos) CreateDirectoryW(file_in(folder, name.substr(0, slash).c_str()).c_str(), nullptr);
        ASSERT_TRUE(write_file(file_in(folder, name.c_str()), bytes));
    }
    Bytes file(const wchar_t* name) { return read_file(file_in(folder, name)); }
};
}  // namespace

TEST_F(Restore, AChosenBackupComesBackByteForByteAfterABackupOfTheYearAsItWas)
{
    Bytes amounts(1488, 0), then_amounts(1488, 0), then_memos(7812, 0), then_days_off(372, 0);
    put_amount(amounts, 12, 1, 5000);
    put_amount(then_amounts, 12, 1, -300), put_amount(then_amounts, 12, 2, 100);
    std::copy_n("\x95\x89\x82\xAF", 4, then_memos.begin() + 11 * 651);  // 負け
    then_days_off[11 * 31 + 2] = 1;
    write(L"2009.dat", amounts), write(L"2009m.dat", Bytes(7812, 0));
    write(L"backup\\20091201\\2009.dat", then_amounts), write(L"backup\\20091201\\2009m.dat", then_memos);
    write(L"backup\\20091201\\2009h.dat", then_days_off);
    CreateDirectoryW(file_in(folder, L"backup\\20091205").c_str(), nullptr);
    CreateDirectoryW(file_in(folder, L"backup\\20091205\\2009.dat").c_str(), nullptr);  // cannot be read
    write(L"backup\\20091206\\2009.dat", amounts);  // today's backup is made already
    launch("2009-12-06 09:05:07");
    command(40004);
    HWND dialog = wait_for_dialog(L"年情報");
    ASSERT_NE(dialog, nullptr);
    press(dialog, 1700);
    HWND restore = wait_for_dialog(L"バックアップから戻す");
    ASSERT_NE(restore, nullptr);
    EXPECT_EQ(list_rows(), (std::vector<std::wstring>{L"1702|2009/12/06|5,000|0日", L"1702|2009/12/05|読み込めません|",
                                                       L"1702|2009/12/01|-200|3日"}));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(restore, IDOK)));
    type(L"", {VK_END, VK_UP});
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(restore, IDOK))) << "an unreadable folder cannot be chosen";
    type(L"", {VK_END});
    EXPECT_EQ(list_rows(), (std::vector<std::wstring>{L"1702|2009/12/06|5,000|0日", L"1702|2009/12/05|読み込めません|",
                                                       L"1702|2009/12/01|-200|3日", L"1704|2009/12/01(火)|5,000|-300|※||",
                                                       L"1704|2009/12/02(水)|0|100|||", L"1704|2009/12/03(木)|0|0||※|"}));
    press(restore, IDOK);
    EXPECT_NE(box_text(L"戻しました").find(L"backup\\20091206-2\\"), std::wstring::npos);
    EXPECT_EQ(file(L"2009.dat"), then_amounts);
    EXPECT_EQ(file(L"2009m.dat"), then_memos);
    EXPECT_EQ(file(L"2009h.dat"), then_days_off);
    EXPECT_EQ(file(L"backup\\20091206-2\\2009.dat"), amounts) << "the year as it was, backed up anew";
    EXPECT_EQ(file(L"backup\\20091206-2\\2009m.dat"), Bytes(7812, 0));
    EXPECT_EQ(control_text(dialog, 512), L"-200") << "the year dialog shows the year restored";
    press(dialog, IDOK);
    EXPECT_TRUE(exit_program(program));
}
