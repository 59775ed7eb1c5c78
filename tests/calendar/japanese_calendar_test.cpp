// The shipped Holiday.ini, read and derived by the program's own code, must
// give the real Japanese holidays of every year the calendar shows.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cstring>
#include <fstream>
#include <map>
#include <string>

#include "calendar/dates.h"
#include "calendar/holiday_file.h"
#include "calendar/holidays.h"
#include "settings/program_folder.h"
#include "support/temp_folder.h"

namespace {

std::string utf8_from_sjis(const std::string& text)
{
    iconv_t converter = iconv_open("UTF-8", "CP932");
    std::string out(text.size() * 3 + 1, '\0');
    char* in = const_cast<char*>(text.data());
    size_t in_left = text.size();
    char* target = &out[0];
    size_t out_left = out.size();
    size_t result = iconv(converter, &in, &in_left, &target, &out_left);
    iconv_close(converter);
    if (result == static_cast<size_t>(-1)) return "<invalid Shift-JIS>";
    out.resize(out.size() - out_left);
    return out;
}

typedef std::map<std::string, std::string> HolidayList;  // date -> name

HolidayList recorded_holidays()
{
    HolidayList list;
    std::ifstream in(RAVO_SOURCE_DIR "/tests/calendar/data/japanese_holidays_1990_2037.csv");
    std::string line;
    while (std::getline(in, line))
        if (!line.empty() && line[0] != '#') list[line.substr(0, 10)] = line.substr(11);
    return list;
}

HolidayList derived_holidays()
{
    TempFolder folder;
    std::filesystem::copy_file(RAVO_SOURCE_DIR "/data/Holiday.ini", folder.path() / "Holiday.ini");
    set_program_path(folder.file("Ravo.exe").c_str());
    EXPECT_EQ(load_holiday_file(), 1);

    HolidayList list;
    for (int year = 1990; year <= 2037; ++year)
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= days_in_month(year, month); ++day) {
                const DayKind kind = kind_of_day(year, month, day);
                if (kind.kind != kind_holiday) continue;
                char date[16];
                std::snprintf(date, sizeof date, "%04d-%02d-%02d", year, month, day);
                list[date] = utf8_from_sjis(kind.name);
            }
    return list;
}

// Days where the derivation cannot follow the law of its time, whatever
// the rules of the file say. "" means: not a holiday.
struct KnownDifference {
    const char* date;
    const char* derived;
    const char* recorded;
    const char* reason;
};

const char citizens_first[] =
    "4 May lies between two holidays of the table, and the citizens' holiday is tested before the "
    "substitute holiday: the day is free either way, only its name differs";
const char sunday_fourth[] =
    "A Sunday between 3 and 5 May: the citizens' holiday is derived whatever the weekday, where the "
    "law before 2007 left the Sunday as it was (it is drawn in the Sunday colour either way)";
const char old_substitute_rule[] =
    "Before 2007 the law freed only the Monday after a Sunday holiday; the derivation follows the "
    "rule of 2007 (the first free weekday after a run of holidays that began on a Sunday) in every year";

const KnownDifference known_differences[] = {
    {"1992-05-04", "国民の休日", "振替休日", citizens_first},
    {"1998-05-04", "国民の休日", "振替休日", citizens_first},
    {"1997-05-04", "国民の休日", "", sunday_fourth},
    {"2003-05-04", "国民の休日", "", sunday_fourth},
    {"1992-05-06", "振替休日", "", old_substitute_rule},
    {"1998-05-06", "振替休日", "", old_substitute_rule},
};

}  // namespace

TEST(JapaneseCalendar, ShippedRulesGiveTheRecordedHolidays)
{
    HolidayList recorded = recorded_holidays();
    ASSERT_EQ(recorded.size(), 828u);
    HolidayList derived = derived_holidays();

    for (const KnownDifference& known : known_differences) {
        auto d = derived.find(known.date);
        auto r = recorded.find(known.date);
        EXPECT_EQ(d == derived.end() ? "" : d->second, known.derived) << known.date;
        EXPECT_EQ(r == recorded.end() ? "" : r->second, known.recorded) << known.date;
        if (d != derived.end()) derived.erase(d);
        if (r != recorded.end()) recorded.erase(r);
    }
    for (const auto& [date, name] : recorded) {
        auto found = derived.find(date);
        EXPECT_TRUE(found != derived.end()) << date << " " << name << " is missing";
        if (found != derived.end()) {
            EXPECT_EQ(found->second, name) << date;
        }
    }
    for (const auto& [date, name] : derived)
        EXPECT_TRUE(recorded.count(date)) << date << " " << name << " is no holiday";
}

TEST(JapaneseCalendar, DerivedHolidaysOfRecentYears)
{
    HolidayList derived = derived_holidays();
    EXPECT_EQ(derived["2009-05-06"], "振替休日");
    EXPECT_EQ(derived["2009-09-22"], "国民の休日");
    EXPECT_EQ(derived["2019-04-30"], "国民の休日");
    EXPECT_EQ(derived["2019-05-02"], "国民の休日");
    EXPECT_EQ(derived["2021-08-09"], "振替休日");
    EXPECT_EQ(derived["2024-09-23"], "振替休日");
    EXPECT_EQ(derived["2009-12-23"], "天皇誕生日");
    EXPECT_EQ(derived.count("2019-12-23"), 0u);
    EXPECT_EQ(derived.count("2019-02-23"), 0u);
}

TEST(ShippedFiles, HelpIsShiftJisWithCrLf)
{
    Bytes bytes = read_bytes(RAVO_SOURCE_DIR "/data/Readme.txt");
    std::string text(bytes.begin(), bytes.end());
    ASSERT_GT(text.size(), 1000u);
    std::string utf8 = utf8_from_sjis(text);
    EXPECT_NE(utf8, "<invalid Shift-JIS>");
    for (const char* topic : {"フォント", "年情報", "Holiday.ini", "CSV", "Option.bin", "別のパソコン", "±0", "この日を入力"})
        EXPECT_NE(utf8.find(topic), std::string::npos) << topic;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare line feed at " << i;
        }
    }
    EXPECT_NE(text.compare(0, 3, "\xEF\xBB\xBF"), 0) << "no byte-order mark";
}

// The help names the Alt letters the analysis window's template gives.
TEST(ShippedFiles, HelpGivesTheAnalysisWindowsAltLetters)
{
    const Bytes rc = read_bytes(RAVO_SOURCE_DIR "/src/res/dialogs.rc");
    std::string dialog(rc.begin(), rc.end());
    dialog = dialog.substr(dialog.find("IDD_ANALYSIS DIALOGEX"));
    dialog = dialog.substr(0, dialog.find("\nEND"));
    const Bytes readme = read_bytes(RAVO_SOURCE_DIR "/README.md"), help = read_bytes(RAVO_SOURCE_DIR "/data/Readme.txt");
    const std::string readme_text(readme.begin(), readme.end());
    const std::string help_text = utf8_from_sjis(std::string(help.begin(), help.end()));
    int letters = 0;
    for (size_t at = 0; (at = dialog.find("(&", at)) != std::string::npos; ++at, ++letters) {
        const std::string label = dialog.substr(dialog.rfind('"', at) + 1, at - dialog.rfind('"', at) - 1);
        const std::string letter = dialog.substr(at + 2, 1);
        EXPECT_NE(readme_text.find(label + " " + letter), std::string::npos) << label << " in README.md";
        EXPECT_NE(help_text.find("Alt+" + letter + " …… " + label), std::string::npos) << label << " in Readme.txt";
    }
    EXPECT_EQ(letters, 8);
}

TEST(JapaneseCalendar, ShippedFileIsShiftJisWithCrLfAndFitsTheTable)
{
    Bytes bytes = read_bytes(RAVO_SOURCE_DIR "/data/Holiday.ini");
    std::string text(bytes.begin(), bytes.end());
    ASSERT_FALSE(text.empty());
    EXPECT_NE(utf8_from_sjis(text), "<invalid Shift-JIS>");
    int data_lines = 0;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        ASSERT_GT(end, start) << "no empty lines";
        EXPECT_EQ(text[end - 1], '\r') << "CR LF at offset " << end;
        EXPECT_LE(end - start, static_cast<size_t>(holiday_line_max_bytes));
        data_lines += text[start] != '#' && text[start] != ' ';
    }
    EXPECT_EQ(start, text.size()) << "the last line ends in CR LF";
    EXPECT_LE(data_lines, holiday_rule_count);
    EXPECT_EQ(text[0], '#') << "the explanation comes first";
}
