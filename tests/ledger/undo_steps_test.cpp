#include "ledger/undo_steps.h"

#include <gtest/gtest.h>

#include "ledger/csv_import.h"
#include "settings/program_folder.h"
#include "support/temp_folder.h"

namespace {
struct UndoSteps : ::testing::Test {
    void SetUp() override
    {
        set_program_path(folder.file("Ravo.exe").c_str());
        Bytes memos(7812, 0);  // 12/6 holds a memo with bytes after its NUL
        std::copy_n("old\0junk", 8, memos.begin() + 11 * 651 + 5 * 21);
        write_bytes(folder.path() / "2009m.dat", memos);
        change([](LedgerYear& v) { set_day_visits(v, 3, 1, {Visit{0, 0, "競馬", "東京", "", 1, 0, -1, -1, ""}}); });
        history = UndoHistory();
    }
    std::vector<Bytes> files()
    {
        std::vector<Bytes> all;
        for (const char* name : {"2009.dat", "2009m.dat", "2009h.dat", "2009d.csv"}) all.push_back(read_bytes(folder.path() / name));
        return all;
    }
    // The day entry's save of 12/6, kept as a step.
    UndoStep change(void (*edit)(LedgerYear&))
    {
        LedgerYear v;
        read_ledger_year(2009, v);
        edit(v);
        UndoStep step = {};
        EXPECT_TRUE(save_year_step(v, step_entry, 12, 6, step));
        add_undo_step(history, step);
        return step;
    }
    StepOutcome take(bool redo) { return take_step(history, redo, nullptr, nullptr, nullptr); }

    TempFolder folder;
    UndoHistory history;
};
}  // namespace

TEST_F(UndoSteps, EntriesVisitsAndImportsGoBackAndComeAgainByteForByte)
{
    const std::vector<Bytes> before = files();
    const UndoStep step = change([](LedgerYear& v) {
        set_day(v, 12, 6, DayEntry{-3000, "new", 1});
        set_day_visits(v, 12, 6, {Visit{0, 0, "パチンコ", "駅前", "", 5000, 2000, -1, -1, ""}});
    });
    EXPECT_EQ(step_caption(step), "12/6 の入力");
    const std::vector<Bytes> after = files();
    ASSERT_EQ(take(false), step_taken);
    EXPECT_EQ(files(), before) << "the memo's bytes after its NUL too";
    ASSERT_EQ(take(true), step_taken);
    EXPECT_EQ(files(), after);
    ASSERT_EQ(take(false), step_taken);
    // Only the visits of another day, as the 明細 window changes them.
    EXPECT_EQ(change([](LedgerYear& v) { replace_day_visits(v, 3, 1, {}); }).days.size(), 1u);
    EXPECT_TRUE(history.redo.empty()) << "a new change drops what was taken back";
    ASSERT_EQ(take(false), step_taken);
    EXPECT_EQ(files(), before);

    const std::string csv = "2009/01/01,7,\"\",0,0,0,0\r\n2009/12/31,9,\"\",0,0,0,0\r\n";
    const ImportOutcome outcome =
        apply_year_csv(parse_year_csv(2009, reinterpret_cast<const unsigned char*>(csv.data()), csv.size()));
    EXPECT_EQ(outcome.step.days.size(), 2u);
    EXPECT_EQ(step_caption(outcome.step), "2009年の読み込み");
    add_undo_step(history, outcome.step);
    ASSERT_EQ(take(false), step_taken);
    EXPECT_EQ(files(), before);
}

TEST_F(UndoSteps, TwentyAreKeptAndAYearChangedOnDiskIsNeverWrittenOver)
{
    UndoStep step = {};
    for (step.day = 1; step.day <= undo_steps_kept + 1; ++step.day) add_undo_step(history, step);
    EXPECT_EQ(history.undo.size(), 20u);
    EXPECT_EQ(history.undo.front().day, 2) << "the 21st drops the oldest";
    history = UndoHistory();
    change([](LedgerYear& v) { set_day(v, 12, 6, DayEntry{100, "", 0}); });
    change([](LedgerYear& v) { set_day(v, 1, 2, DayEntry{5, "", 0}); });
    history.undo.pop_back();  // as another program writes it
    const std::vector<Bytes> now = files();
    EXPECT_EQ(take(false), step_changed_on_disk);
    EXPECT_EQ(files(), now);
    EXPECT_EQ(take(false), step_none) << "the year's steps are forgotten";
}
