#include "settings/limits.h"

#include <gtest/gtest.h>

#include "settings/program_folder.h"
#include "support/temp_folder.h"

namespace {
Bytes utf16_file(const std::u16string& text)
{
    Bytes bytes = {0xFF, 0xFE};
    for (char16_t c : text) bytes.push_back(static_cast<uint8_t>(c & 0xFF)), bytes.push_back(static_cast<uint8_t>(c >> 8));
    return bytes;
}

LimitsFile parsed(const Bytes& bytes, LossLimits* limits) { return parse_limits_file(bytes.data(), bytes.size(), limits); }
}  // namespace

TEST(LimitsFile, ReadAndWrittenKeepingWhatItDoesNotKnow)
{
    LossLimits limits;
    EXPECT_FALSE(parsed(Bytes(), &limits).damaged) << "no file, no limits";
    EXPECT_EQ(limits.month + limits.year, 0);
    EXPECT_EQ(limits.warn_percent, 80);

    const LossLimits set = {50000, 300000, 90};
    Bytes fresh = limits_file_bytes(LimitsFile{{}, false}, set);
    EXPECT_EQ(fresh, utf16_file(u"[収支の上限]\r\n月の負け上限=50000\r\n年の負け上限=300000\r\n知らせる割合=90\r\n"));
    EXPECT_FALSE(parsed(fresh, &limits).damaged);
    EXPECT_EQ(limits.month, 50000);
    EXPECT_EQ(limits.year, 300000);
    EXPECT_EQ(limits.warn_percent, 90);
    EXPECT_EQ(limits_file_bytes(parsed(fresh, &limits), {1, 2, 50}),
              utf16_file(u"[収支の上限]\r\n月の負け上限=1\r\n年の負け上限=2\r\n知らせる割合=50\r\n"));
    EXPECT_FALSE(parsed(utf16_file(u"[収支の上限]\r\n月の負け上限=5"), &limits).damaged) << "no last line end";
    EXPECT_EQ(limits.month, 5);
    EXPECT_FALSE(parsed(utf16_file(u""), &limits).damaged) << "only the mark";
    Bytes odd = fresh;
    odd.push_back('x');
    EXPECT_TRUE(parsed(odd, &limits).damaged);

    // Another program's section, a comment and a key of a later version
    // stay where they are; ours change in place.
    const Bytes others = utf16_file(u"; mine\r\n[他]\r\nx=1\r\n[収支の上限]\r\n新しい鍵=y\r\n年の負け上限=5\r\n");
    LimitsFile file = parsed(others, &limits);
    ASSERT_FALSE(file.damaged);
    EXPECT_EQ(limits.year, 5);
    EXPECT_EQ(limits_file_bytes(file, set),
              utf16_file(u"; mine\r\n[他]\r\nx=1\r\n[収支の上限]\r\n月の負け上限=50000\r\n知らせる割合=90\r\n新しい鍵=y\r\n"
                         u"年の負け上限=300000\r\n"));

    // Damaged: not UTF-16 with its mark, a line that is no key, a value out
    // of range. No limits, and written anew only when asked.
    for (const Bytes& damaged : {Bytes{'[', 'a', ']'}, utf16_file(u"[収支の上限]\r\n月の負け上限=-1\r\n"),
                                 utf16_file(u"[収支の上限]\r\n知らせる割合=101\r\n"), utf16_file(u"garbage\r\n")}) {
        EXPECT_TRUE(parsed(damaged, &limits).damaged);
        EXPECT_EQ(limits.month, 0);
    }
    EXPECT_EQ(limits_file_bytes(parsed(utf16_file(u"garbage\r\n"), &limits), set), fresh);
    EXPECT_TRUE(parsed(utf16_file(u"[収支の上限]\r\n月の負け上限=500\r\ngarbage\r\n"), &limits).damaged);
    EXPECT_EQ(limits.month, 0) << "nothing of a damaged file is taken, not even what came before the damage";

    // A limit of 0 (none) is written whenever only the other one is set.
    EXPECT_FALSE(parsed(limits_file_bytes(LimitsFile{{}, false}, {0, 7, 50}), &limits).damaged);
    EXPECT_EQ(limits.year, 7);
    EXPECT_EQ(limits.warn_percent, 50);
    EXPECT_FALSE(parsed(utf16_file(u"[他]\r\n月の負け上限=500\r\n"), &limits).damaged);
    EXPECT_EQ(limits.month, 0) << "our keys count in our section only";

    // 金額を表示 in its own section, beside the limits, which it keeps.
    EXPECT_EQ(show_amounts_bytes(LimitsFile{{}, false}, true), utf16_file(u"[表示]\r\n金額を表示=1\r\n"));
    LimitsFile with_limits = parsed(fresh, &limits);
    const Bytes both = show_amounts_bytes(with_limits, true);
    EXPECT_EQ(both, utf16_file(u"[収支の上限]\r\n月の負け上限=50000\r\n年の負け上限=300000\r\n知らせる割合=90\r\n\r\n"
                               u"[表示]\r\n金額を表示=1\r\n"));
    EXPECT_EQ(stored_show_amounts(with_limits), -1);
    EXPECT_EQ(stored_show_amounts(parsed(both, &limits)), 1);
    EXPECT_EQ(limits.year, 300000);
    EXPECT_EQ(show_amounts_bytes(parsed(both, &limits), false), utf16_file(u"[収支の上限]\r\n月の負け上限=50000\r\n"
                                                                         u"年の負け上限=300000\r\n知らせる割合=90\r\n\r\n"
                                                                         u"[表示]\r\n金額を表示=0\r\n"));
    EXPECT_EQ(limits_file_bytes(parsed(both, &limits), set), both) << "the limits keep the key";
    EXPECT_EQ(stored_show_amounts(parsed(utf16_file(u"[他]\r\n金額を表示=1\r\n[表示]\r\n金額を表示=2\r\n"), &limits)), -1)
        << "another section's key, a value not 0 or 1";

    TempFolder folder;
    set_program_path(folder.file("Ravo.exe").c_str());
    EXPECT_FALSE(load_loss_limits()) << "no Ravo.ini yet: nothing to tell";
    EXPECT_EQ(loss_limits().month + loss_limits().year, 0);
    std::filesystem::create_directory(folder.path() / "Ravo.ini");
    EXPECT_FALSE(save_loss_limits(set)) << "a folder in the way";
    std::filesystem::remove(folder.path() / "Ravo.ini");
    write_bytes(folder.path() / "Ravo.ini", Bytes{'x'});
    EXPECT_TRUE(load_loss_limits()) << "damaged: to be told";
    EXPECT_EQ(read_bytes(folder.path() / "Ravo.ini"), Bytes{'x'}) << "left as it was";
    ASSERT_TRUE(save_loss_limits(set));
    EXPECT_FALSE(load_loss_limits());
    EXPECT_EQ(loss_limits().month, 50000);
}
