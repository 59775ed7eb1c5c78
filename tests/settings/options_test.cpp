#include "settings/options.h"

#include <gtest/gtest.h>

#include <cstring>

#include "settings/program_folder.h"
#include "support/option_bytes.h"
#include "support/temp_folder.h"

namespace {

using option_bytes::default_file;
using option_bytes::put32;

// Fields of the packed record sit at odd offsets: the checks compare copies
// (unary +), never references bound to them.
class OptionsFile : public ::testing::Test {
protected:
    void SetUp() override { set_program_path(folder.file("Ravo.exe").c_str()); }
    std::filesystem::path options_path() const { return folder.path() / "Option.bin"; }
    Bytes saved_bytes()
    {
        EXPECT_EQ(save_options(), 1);
        return read_bytes(options_path());
    }
    TempFolder folder;
};

}  // namespace

TEST_F(OptionsFile, MissingFileGivesTheDefaults)
{
    EXPECT_EQ(load_options(), 1);
    const OptionsRecord* o = options();
    EXPECT_EQ(+o->month_font.lfHeight, 20);
    EXPECT_STREQ(o->month_font.lfFaceName, "Times New Roman");
    EXPECT_EQ(+o->year_font.lfHeight, 16);
    EXPECT_STREQ(o->year_font.lfFaceName, "Times New Roman");
    EXPECT_STREQ(o->title, "Tovrel");
    EXPECT_EQ(+o->topmost, 1);
    EXPECT_EQ(+o->format_version, 't');
    EXPECT_EQ(+o->today_text_color, 0x00FFFFE0u);
    EXPECT_EQ(+o->reshow_seconds, 5);
    EXPECT_EQ(+o->month_top, 0);
    EXPECT_EQ(+o->month_left, 0);
    EXPECT_EQ(+o->year_left, 0);
    EXPECT_EQ(+o->small_top, 0);
    EXPECT_FALSE(std::filesystem::exists(options_path())) << "loading never writes";

    // A first start shows the results, and Japanese names to a Japanese
    // user; a folder with its Option.bin is no first start.
    EXPECT_TRUE(options_were_missing());
    OptionsRecord look = *o;
    apply_first_start_look(&look, false);
    EXPECT_EQ(+look.show_results, 1);
    EXPECT_EQ(+look.year_font.lfCharSet, 0);
    apply_first_start_look(&look, true);
    EXPECT_EQ(+look.month_font.lfCharSet, 128);
    EXPECT_EQ(+look.year_font.lfCharSet, 128);
    EXPECT_EQ(save_options(), 1);
    load_options();
    EXPECT_FALSE(options_were_missing());
}

TEST_F(OptionsFile, FreshSaveIsTheDocumentedDefaultFileByteForByte)
{
    load_options();
    EXPECT_EQ(saved_bytes(), default_file());
}

TEST_F(OptionsFile, FileOf128BytesKeepsItsBytesAndGainsTheRest)
{
    Bytes old = junk_bytes(128, 7);
    old[59] = 0;  // face name and title end inside their fields
    old[92] = 0;
    write_bytes(options_path(), old);
    std::memset(options(), 0x5A, sizeof *options());  // what was loaded before plays no part
    load_options();
    Bytes now = saved_bytes();
    Bytes fresh = default_file();
    ASSERT_EQ(now.size(), 512u);
    EXPECT_TRUE(std::equal(old.begin(), old.end(), now.begin()));
    EXPECT_TRUE(std::equal(fresh.begin() + 128, fresh.end(), now.begin() + 128));
    EXPECT_EQ(+options()->format_version, 't');
}

TEST_F(OptionsFile, GenerationQKeepsColoursAndResetsTheLaterFields)
{
    Bytes old = default_file();
    old[128] = 'q';
    put32(old, 205, 0x00123456);  // today_back_color
    put32(old, 201, 0x00000000);  // today_text_color as the 'q' generation wrote it
    put32(old, 233, 0x00ABCDEF);  // background_color
    old[317 + 0] = 0;             // month frame: kept
    old[317 + 6] = 1;             // day frame: reset
    old[325 + 2] = 0;             // today raised: reset
    old[341] = 1;                 // start_with_windows: reset
    old[342] = 1;                 // auto_hide: reset
    old[343] = 9;                 // reshow_seconds: reset
    write_bytes(options_path(), old);
    load_options();
    const OptionsRecord* o = options();
    EXPECT_EQ(+o->today_back_color, 0x00123456u);
    EXPECT_EQ(+o->today_text_color, 0x00123456u);
    EXPECT_EQ(+o->background_color, 0x00ABCDEFu);
    EXPECT_EQ(+o->frame_flags[frame_month], 0);
    EXPECT_EQ(+o->frame_flags[frame_day], 0);
    EXPECT_EQ(+o->raised_flags[frame_today], 1);
    EXPECT_EQ(+o->start_with_windows, 0);
    EXPECT_EQ(+o->auto_hide, 0);
    EXPECT_EQ(+o->reshow_seconds, 5);
    EXPECT_EQ(+o->format_version, 't');
}

TEST_F(OptionsFile, OlderThanQGetsBothLayersOverItsBytes)
{
    Bytes old = default_file();
    old[128] = 'a';
    put32(old, 189, 0x00010203);  // sunday_color of an unknown generation
    write_bytes(options_path(), old);
    load_options();
    EXPECT_EQ(+options()->sunday_color, 0x000000FFu);
    EXPECT_EQ(+options()->format_version, 't');
    // Whatever such a file holds past its marker, the two layers set the
    // year font's face and everything after it up to reserved_344.
    std::fill(old.begin() + 129, old.end(), 0x5A);
    write_bytes(options_path(), old);
    load_options();
    const Bytes now = saved_bytes(), fresh = default_file();
    EXPECT_TRUE(std::equal(fresh.begin() + 157, fresh.begin() + 344, now.begin() + 157));
}

TEST_F(OptionsFile, CurrentAndNewerMarkersAreUsedUnchanged)
{
    for (char marker : {'t', 'u', '\x7f'}) {
        Bytes old = junk_bytes(512, 3);
        old[128] = static_cast<uint8_t>(marker);
        old[343] = 12;
        write_bytes(options_path(), old);
        load_options();
        Bytes now = saved_bytes();
        // Only the text fields get a terminating NUL if junk had none.
        for (size_t i = 0; i < 512; ++i) {
            bool text = (i >= 72 && i < 93) || (i >= 28 && i < 60) || (i >= 157 && i < 189);
            if (!text) {
                ASSERT_EQ(now[i], old[i]) << "offset " << i << " marker " << int(marker);
            }
        }
    }
}

TEST_F(OptionsFile, NegativeMarkerCountsAsOld)
{
    Bytes old = default_file();
    old[128] = 0xF4;  // signed: below 'q'
    write_bytes(options_path(), old);
    load_options();
    EXPECT_EQ(+options()->format_version, 't');
}

TEST_F(OptionsFile, ZeroReshowSecondsLoadsAsFive)
{
    Bytes old = default_file();
    old[343] = 0;
    write_bytes(options_path(), old);
    load_options();
    EXPECT_EQ(+options()->reshow_seconds, 5);
}

TEST_F(OptionsFile, BytesBeyondTheRecordSurviveASave)
{
    Bytes old = default_file();
    Bytes tail = junk_bytes(88, 11);
    old.insert(old.end(), tail.begin(), tail.end());
    write_bytes(options_path(), old);
    load_options();
    options()->show_time = 1;
    Bytes now = saved_bytes();
    ASSERT_EQ(now.size(), 600u);
    EXPECT_EQ(now[60], 1);
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), now.begin() + 512));
}

TEST_F(OptionsFile, TwentyByteTitleEndsWithItsNul)
{
    load_options();
    std::memcpy(options()->title, "ABCDEFGHIJKLMNOPQRST", 21);
    Bytes now = saved_bytes();
    EXPECT_EQ(std::string(now.begin() + 72, now.begin() + 92), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(now[92], 0);
}

TEST_F(OptionsFile, TextFieldsWithoutNulAreTerminatedOnACharacterBoundary)
{
    Bytes old = default_file();
    std::memset(&old[72], 'A', 21);
    // Face name: 31 single bytes then a Shift-JIS lead byte in the last place.
    std::memset(&old[28], 'B', 32);
    old[28 + 30] = 0x82;
    old[28 + 31] = 0xA0;
    write_bytes(options_path(), old);
    load_options();
    EXPECT_EQ(std::string(options()->title), std::string(20, 'A'));
    EXPECT_EQ(std::string(options()->month_font.lfFaceName), std::string(30, 'B'));
}

TEST_F(OptionsFile, DamagedFilesOfEveryLengthLoadWithoutHarm)
{
    for (size_t size = 0; size <= 520; size += 13) {
        write_bytes(options_path(), junk_bytes(size, static_cast<uint32_t>(size)));
        EXPECT_EQ(load_options(), 1);
        EXPECT_NE(options()->reshow_seconds, 0);
        EXPECT_LT(std::strlen(options()->title), 21u);
        EXPECT_LT(std::strlen(options()->year_font.lfFaceName), 32u);
    }
}

TEST_F(OptionsFile, SaveIntoAMissingFolderReportsFailure)
{
    set_program_path(folder.file("gone/Ravo.exe").c_str());
    load_options();
    EXPECT_EQ(save_options(), 0);
}

TEST_F(OptionsFile, UnreadableFileIsNeverReplacedByTheDefaults)
{
    std::filesystem::create_directory(options_path());  // exists, cannot be read
    EXPECT_EQ(load_options(), 1);
    EXPECT_STREQ(options()->title, "Tovrel");
    std::filesystem::remove(options_path());
    Bytes stored = default_file();
    stored[option_bytes::title] = 'X';  // the user's own title
    write_bytes(options_path(), stored);
    EXPECT_EQ(save_options(), 0);
    EXPECT_EQ(read_bytes(options_path()), stored);

    EXPECT_EQ(load_options(), 1);  // readable again
    EXPECT_EQ(options()->title[0], 'X');
    EXPECT_EQ(save_options(), 1);
}

TEST(ProgramFolder, IsThePathUpToTheLastSeparator)
{
    set_program_path("C:\\Tools\\Tovrel\\Ravo.exe");
    EXPECT_STREQ(program_path(), "C:\\Tools\\Tovrel\\Ravo.exe");
    EXPECT_STREQ(program_folder(), "C:\\Tools\\Tovrel\\");
    char file[path_capacity];
    program_file(file, sizeof file, "Option.bin");
    EXPECT_STREQ(file, "C:\\Tools\\Tovrel\\Option.bin");
    set_program_path("/opt/tovrel/Ravo.exe");
    EXPECT_STREQ(program_folder(), "/opt/tovrel/");
}

TEST(ProgramFolder, FromTheModuleOrAPath)
{
    find_program_folder(nullptr);
    const std::string path = program_path(), folder = program_folder();
    EXPECT_NE(path.find("core_tests"), std::string::npos) << path;
    EXPECT_EQ(path.rfind(folder, 0), 0u);
    EXPECT_TRUE(folder.back() == '/' || folder.back() == '\\');
    set_program_path("Ravo.exe");
    EXPECT_STREQ(program_folder(), "") << "no separator, no folder";
}
