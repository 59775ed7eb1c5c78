// The Windows edges: Shift-JIS and UTF-8 conversions, the module path, files.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ledger/year_ledger.h"
#include "platform/platform.h"
#include "platform/win32_text.h"
#include "settings/options.h"
#include "settings/program_folder.h"
#include "support/temp_folder.h"

TEST(Win32Text, ShiftJisToUtf16WhateverTheAnsiCodePage)
{
    EXPECT_EQ(sjis_to_wide("\x82\xA0\x82\xA2"), L"あい");
    EXPECT_EQ(sjis_to_wide("Tovrel"), L"Tovrel");
    EXPECT_EQ(sjis_to_wide("\xB1"), L"ｱ");  // half-width katakana
    EXPECT_EQ(sjis_to_wide(""), L"");
}

TEST(Win32Text, Utf16ToShiftJisCutsOnCharacterBoundaries)
{
    char out[21];
    wide_to_sjis(L"あいう", out, 5);
    EXPECT_STREQ(out, "\x82\xA0\x82\xA2");
    wide_to_sjis(L"勝ち負け", out, 20);
    EXPECT_STREQ(out, "\x8F\x9F\x82\xBF\x95\x89\x82\xAF");
    wide_to_sjis(L"abcdefghijklmnopqrstuvwxyz", out, 20);
    EXPECT_EQ(std::strlen(out), 20u);
}

TEST(Win32Text, CharactersShiftJisLacksBecomeQuestionMarks)
{
    char out[21];
    wide_to_sjis(L"a한b", out, 20);
    EXPECT_STREQ(out, "a?b");
}

TEST(Win32Text, LengthsAsStoredInShiftJis)
{
    EXPECT_EQ(sjis_length(L"a勝ち\r\n한"), 8u);
    EXPECT_EQ(sjis_fitting_length(L"a勝ち負け", 6), 3u) << "never half of 負";
    EXPECT_EQ(sjis_fitting_length(L"a勝ち負け", 20), 5u);
    EXPECT_EQ(sjis_fitting_length(L"\U00020BB7", 2), 2u) << "a pair whole, as one or two '?'";
    EXPECT_NE(sjis_fitting_length(L"\U00020BB7b", 1), 1u) << "never half of a pair";
}

TEST(Win32Text, ModulePathGivesTheFolderWithABackslash)
{
    char path[path_capacity];
    ASSERT_TRUE(module_file_name(nullptr, path, sizeof path));
    set_program_path(path);
    std::string folder = program_folder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_EQ(std::string(program_path()).substr(folder.size()), "core_tests.exe");
}

TEST(Win32Text, FilesLiveInAFolderWithAJapaneseName)
{
    TempFolder parent;
    std::filesystem::path folder = parent.path() / L"勝ち負け帳";
    std::filesystem::create_directory(folder);
    auto utf8 = (folder / L"Ravo.exe").u8string();
    set_program_path(std::string(utf8.begin(), utf8.end()).c_str());
    load_options();
    options()->show_results = 1;
    ASSERT_EQ(save_options(), 1);
    EXPECT_EQ(read_bytes(folder / L"Option.bin").size(), 512u);
    options()->show_results = 0;
    load_options();
    EXPECT_EQ(+options()->show_results, 1);
}

TEST(Win32Files, AYearLivesInAFolderOfTwoHundredAndFiftyCharacters)
{
    TempFolder parent;
    std::wstring folder = parent.path().wstring();
    while (folder.size() < 250) {
        const size_t left = 250 - folder.size() - 1;
        folder += L"\\" + std::wstring(left > 61 ? 60 : left, L'x');
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr));
    }
    ASSERT_EQ(folder.size(), 250u);
    set_program_path(wide_to_utf8(folder + L"\\Ravo.exe").c_str());
    LedgerYear year;
    read_ledger_year(2009, year);
    set_day(year, 3, 5, DayEntry{77, "long", 0});
    ASSERT_TRUE(save_ledger_year(year)) << "the year's .new files and its commit record pass 260 characters";
    read_ledger_year(2009, year);
    EXPECT_EQ(day_of(year, 3, 5).amount, 77);
    EXPECT_TRUE(path_exists((std::string(program_folder()) + "backup").c_str())) << "the day's backup too";
    EXPECT_FALSE(path_exists((std::string(program_folder()) + "2009.commit").c_str()));
}

TEST(Win32Files, FileHeldForAMomentIsStillReplaced)
{
    // A virus scanner or a backup tool opens a file without letting it be
    // replaced, and lets go soon after.
    TempFolder folder;
    std::string path = folder.file("2009.dat");
    write_bytes(folder.path() / "2009.dat", Bytes(8, 1));
    HANDLE held = CreateFileW((folder.path() / "2009.dat").wstring().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    HANDLE releaser = CreateThread(
        nullptr, 0,
        [](void* handle) -> DWORD {
            Sleep(60);
            CloseHandle(static_cast<HANDLE>(handle));
            return 0;
        },
        held, 0, nullptr);
    EXPECT_TRUE(replace_file(path.c_str(), std::vector<unsigned char>(8, 2)));
    WaitForSingleObject(releaser, INFINITE);
    CloseHandle(releaser);
    EXPECT_EQ(read_bytes(folder.path() / "2009.dat"), Bytes(8, 2));

    // Held for good, for reading and writing but not deleting: written in
    // place. Held without sharing writes: neither way, and it says so.
    auto hold = [&](DWORD sharing) {
        return CreateFileW((folder.path() / "2009.dat").wstring().c_str(), GENERIC_READ, sharing, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    held = hold(FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_TRUE(replace_file(path.c_str(), std::vector<unsigned char>(6, 3)));
    CloseHandle(held);
    EXPECT_EQ(read_bytes(folder.path() / "2009.dat"), Bytes(6, 3));
    held = hold(FILE_SHARE_READ);
    EXPECT_FALSE(replace_file(path.c_str(), std::vector<unsigned char>(6, 4)));
    CloseHandle(held);
    EXPECT_EQ(read_bytes(folder.path() / "2009.dat"), Bytes(6, 3));
}
