#include "ledger/undo_steps.h"

#include <gtest/gtest.h>

#include <cstring>

#include "ledger/csv_export.h"
#include "ledger/csv_import.h"
#include "settings/program_folder.h"
#include "support/temp_folder.h"

namespace {
const char* const year_files[] = {"2009.dat", "2009m.dat", "2009h.dat", "2009d.csv"};

class UndoSteps : public ::testing::Test {
public:
    void SetUp() override
    {
        set_program_path(folder.file("Ravo.exe").c_str());
        // A memo with bytes after its NUL, as another program may leave them.
        Bytes memos(7812, 0);
        std::memcpy(&memos[11 * 651 + 5 * 21], "old\0junk", 8);
        write_bytes(folder.path() / "2009m.dat", memos);
        read_ledger_year(2009, v);
        set_day_visits(v, 3, 1, {Visit{0, 0, "競馬", "東京", "", 1000, 0, no_time, no_time, ""}});
        EXPECT_TRUE(save_ledger_year(v));
    }
    std::vector<Bytes> files()
    {
        std::vector<Bytes> all;
        for (const char* name : year_files) all.push_back(read_bytes(folder.path() / name));
        return all;
    }
    // The day entry's save of 12/6 changed as `change` says.
    UndoStep entered(void (*change)(LedgerYear&))
    {
        read_ledger_year(2009, v);
        change(v);
        UndoStep step = {};
        EXPECT_TRUE(save_year_step(v, step_entry, 12, 6, step));
        return step;
    }

    TempFolder folder;
    LedgerYear v;
    UndoHistory history;
};
}  // namespace

TEST_F(UndoSteps, AnEntryAndAVisitsChangeGoBackAndComeAgainByteForByte)
{
    const std::vector<Bytes> before = files();
    UndoStep step = entered([](LedgerYear& value) {
        set_day(value, 12, 6, DayEntry{-3000, "new", 1});
        set_day_visits(value, 12, 6, {Visit{0, 0, "パチンコ", "駅前", "", 5000, 2000, no_time, no_time, ""}});
    });
    ASSERT_EQ(step.days.size(), 1u);
    EXPECT_EQ(step.days[0].month * 100 + step.days[0].day, 1206);
    EXPECT_STREQ(step.days[0].before.memo + 4, "junk");
    EXPECT_EQ(step.days[0].visits_after.size(), 1u);
    EXPECT_EQ(step_caption(step), "12/6 の入力");
    add_undo_step(history, step);
    const std::vector<Bytes> after = files();
    ASSERT_EQ(take_step(history, false, nullptr, nullptr, nullptr), step_taken);
    EXPECT_EQ(files(), before) << "the memo's bytes after its NUL too";
    ASSERT_EQ(take_step(history, true, nullptr, nullptr, nullptr), step_taken);
    EXPECT_EQ(files(), after);

    // Only the visits of another day, as the 明細 window changes them.
    step = entered([](LedgerYear& value) { replace_day_visits(value, 3, 1, {}); });
    ASSERT_EQ(step.days.size(), 1u);
    EXPECT_TRUE(step.days[0].visits_after.empty());
    add_undo_step(history, step);
    EXPECT_TRUE(history.redo.empty()) << "a new change drops what was taken back";
    ASSERT_EQ(take_step(history, false, nullptr, nullptr, nullptr), step_taken);
    EXPECT_EQ(files(), after);
    EXPECT_EQ(history.undo.size(), 1u);
    EXPECT_EQ(history.redo.size(), 1u);
}

TEST_F(UndoSteps, AnImportGoesBackWhole)
{
    const std::vector<Bytes> before = files();
    ASSERT_TRUE(export_csv(2009));
    const Bytes exported = read_bytes(csv_path(2009));
    std::string csv(exported.begin(), exported.end());
    csv.replace(csv.find("2009/01/01,0"), 12, "2009/01/01,7");
    csv.replace(csv.find("2009/12/31,0"), 12, "2009/12/31,9");
    const ImportOutcome outcome =
        apply_year_csv(parse_year_csv(2009, reinterpret_cast<const unsigned char*>(csv.data()), csv.size()));
    ASSERT_EQ(outcome.status, import_saved);
    EXPECT_EQ(outcome.step.days.size(), 2u);
    EXPECT_EQ(step_caption(outcome.step), "2009年の読み込み");
    add_undo_step(history, outcome.step);
    ASSERT_EQ(take_step(history, false, nullptr, nullptr, nullptr), step_taken);
    EXPECT_EQ(files(), before);
}

TEST_F(UndoSteps, TwentyAreKeptAndAYearChangedOnDiskIsNeverWrittenOver)
{
    for (int n = 1; n <= undo_steps_kept + 1; ++n) {
        UndoStep step = {};
        step.day = n;
        add_undo_step(history, step);
    }
    ASSERT_EQ(history.undo.size(), 20u);
    EXPECT_EQ(history.undo.front().day, 2) << "the 21st drops the oldest";

    history = UndoHistory();
    add_undo_step(history, entered([](LedgerYear& value) { set_day(value, 12, 6, DayEntry{100, "", 0}); }));
    LedgerYear outside;
    read_ledger_year(2009, outside);
    set_day(outside, 1, 2, DayEntry{5, "", 0});
    ASSERT_TRUE(save_ledger_year(outside));
    const std::vector<Bytes> now = files();
    EXPECT_EQ(take_step(history, false, nullptr, nullptr, nullptr), step_changed_on_disk);
    EXPECT_EQ(files(), now);
    EXPECT_TRUE(history.undo.empty()) << "the year's steps are forgotten";
    EXPECT_EQ(take_step(history, false, nullptr, nullptr, nullptr), step_none);
}
