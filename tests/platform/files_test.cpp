#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

#include "platform/platform.h"
#include "platform/shift_jis.h"
#include "support/temp_folder.h"

TEST(FileStart, ReadingAMissingFileFails)
{
    TempFolder folder;
    char buffer[4] = {1, 2, 3, 4};
    size_t got = 99;
    EXPECT_FALSE(read_file_start(folder.file("none.dat").c_str(), buffer, sizeof buffer, &got));
    EXPECT_EQ(got, 0u);
}

TEST(FileStart, WritingCreatesKeepsTheTailAndLeavesNoHelperFile)
{
    TempFolder folder;
    std::string path = folder.file("a.dat");
    Bytes first = junk_bytes(100, 1);
    ASSERT_TRUE(write_file_start(path.c_str(), first.data(), first.size()));
    EXPECT_EQ(read_bytes(path), first);

    Bytes head = junk_bytes(10, 2);
    ASSERT_TRUE(write_file_start(path.c_str(), head.data(), head.size()));
    Bytes expected = first;
    std::copy(head.begin(), head.end(), expected.begin());
    EXPECT_EQ(read_bytes(path), expected);

    size_t entries = 0;
    for (auto& entry : std::filesystem::directory_iterator(folder.path())) entries += entry.is_regular_file();
    EXPECT_EQ(entries, 1u);

    Bytes back(200, 0xEE);
    size_t got = 0;
    ASSERT_TRUE(read_file_start(path.c_str(), back.data(), back.size(), &got));
    EXPECT_EQ(got, 100u);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), back.begin()));
    EXPECT_EQ(back[100], 0xEE);
}

TEST(FileStart, FailedWriteLeavesThePreviousFileWhole)
{
    TempFolder folder;
    std::string path = folder.file("b.dat");
    Bytes good = junk_bytes(64, 5);
    write_bytes(path, good);
    // The helper file's name is taken by a folder, so the new content
    // cannot be written.
    std::filesystem::create_directory(folder.path() / "b.dat.new");
    Bytes other = junk_bytes(64, 6);
    EXPECT_FALSE(write_file_start(path.c_str(), other.data(), other.size()));
    EXPECT_EQ(read_bytes(path), good);
    EXPECT_TRUE(path_exists(path.c_str()));
    EXPECT_FALSE(path_exists(folder.file("c.dat").c_str()));
}

#ifndef _WIN32
TEST(FileStart, LinkedFilesStayLinkedAndGetTheBytes)
{
    // Users keep their data elsewhere (a synced folder) behind a link.
    TempFolder folder, elsewhere;
    write_bytes(elsewhere.path() / "real.dat", Bytes(4, 1));
    std::filesystem::create_symlink(elsewhere.path() / "real.dat", folder.path() / "2009.dat");
    std::filesystem::create_hard_link(elsewhere.path() / "real.dat", folder.path() / "2010.dat");
    const uint8_t two[] = {2, 2};
    ASSERT_TRUE(write_file_start(folder.file("2009.dat").c_str(), two, 2));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "2009.dat"));
    EXPECT_EQ(read_bytes(elsewhere.path() / "real.dat"), (Bytes{2, 2, 1, 1}));
    const uint8_t three[] = {3};
    ASSERT_TRUE(write_file_start(folder.file("2010.dat").c_str(), three, 1));
    EXPECT_EQ(std::filesystem::hard_link_count(folder.path() / "2010.dat"), 2u);
    EXPECT_EQ(read_bytes(elsewhere.path() / "real.dat"), (Bytes{3, 2, 1, 1}));

    // Written in place and failing part way (the disk fills): the old
    // bytes go back, never half new.
    struct rlimit old_limit;
    getrlimit(RLIMIT_FSIZE, &old_limit);
    struct rlimit small = {6, old_limit.rlim_max};
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = write_in_place(folder.file("2010.dat").c_str(), Bytes(8, 9));
    setrlimit(RLIMIT_FSIZE, &old_limit);
    EXPECT_FALSE(written);
    EXPECT_EQ(read_bytes(elsewhere.path() / "real.dat"), (Bytes{3, 2, 1, 1}));
}
#endif

TEST(ShiftJis, CutsNeverSplitADoubleByteCharacter)
{
    // "あいう" is 82A0 82A2 82A4 in Shift-JIS.
    const char text[] = "\x82\xA0\x82\xA2\x82\xA4";
    EXPECT_EQ(sjis_cut_length(text, 6), 6u);
    EXPECT_EQ(sjis_cut_length(text, 5), 4u);
    EXPECT_EQ(sjis_cut_length(text, 1), 0u);
    EXPECT_EQ(sjis_cut_length("ab\x82\xA0", 3), 2u);
    EXPECT_EQ(sjis_cut_length("abc", 20), 3u);
    // Half-width katakana (A1-DF) are single bytes.
    EXPECT_EQ(sjis_cut_length("\xB1\xB2\xB3", 2), 2u);
    // A lead byte right before the terminator is not a character.
    EXPECT_EQ(sjis_cut_length("a\x82", 20), 1u);

    char out[8];
    copy_sjis_cut(out, text, 5);
    EXPECT_STREQ(out, "\x82\xA0\x82\xA2");
}

TEST(ShiftJis, TerminatingAFieldKeepsTerminatedFieldsAlone)
{
    char field[5] = {'a', 'b', 0, 'x', 'y'};
    terminate_sjis_field(field, sizeof field);
    EXPECT_EQ(field[3], 'x');
    char full[5] = {'a', 'b', 'c', '\x82', '\xA0'};
    terminate_sjis_field(full, sizeof full);
    EXPECT_STREQ(full, "abc");
}
