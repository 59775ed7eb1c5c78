// Visits (明細): what a day was made of. A day holds any number of them,
// in the order entered, each with its category, place, game, stake,
// return, hours and note. A year's visits live in YYYYd.csv beside its
// other files: UTF-8 with a BOM, CR LF, quoted as CSV wants, read as
// leniently as a year's CSV file so a spreadsheet may edit it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum {
    category_max_chars = 16,
    place_max_chars = 40,
    game_max_chars = 40,
    note_max_chars = 200,
    visit_amount_max = 99999999,
    no_time = -1,
    offered_category_count = 8,
};

// A visit's names, each with a table of its own where they are counted.
enum VisitTable { table_category, table_place, table_game, visit_table_count };

// Text is UTF-8 (as the file holds it); times are minutes after midnight.
struct Visit {
    int month;  // 1..12
    int day;    // 1..31
    std::string category;
    std::string place;
    std::string game;
    int32_t stake;     // 投資, 0..99,999,999
    int32_t returned;  // 回収, 0..99,999,999
    int start;         // 開始, or no_time
    int end;           // 終了, or no_time; before the start it is past midnight
    std::string note;  // one line
};

// パチンコ, スロット, 競馬, 競輪, 競艇, オートレース, 麻雀, その他 (UTF-8).
extern const char* const offered_categories[offered_category_count];

// The name of a visit's field for a table.
const std::string& visit_field(const Visit& visit, int table);
// 回収 − 投資.
int32_t visit_balance(const Visit& visit);
// The minutes played, or -1 without both times.
int visit_minutes(const Visit& visit);
// Code points of UTF-8 text.
size_t character_count(const std::string& text);
// What keeps a visit from being stored (UTF-8, Japanese), empty when
// nothing does: a field too long, an amount out of range, a line break in
// the note.
std::string visit_fault(const Visit& visit);

// The file's bytes for a year's visits, in their order.
std::vector<unsigned char> visits_file_bytes(int year, const std::vector<Visit>& visits);

// A year's visits read from the file's bytes: every visit, or the problems
// (the first ones, with their line numbers) and none.
struct VisitsFile {
    std::vector<Visit> visits;
    std::vector<std::string> problems;
    int problem_count;
};
VisitsFile parse_visits_file(int year, const unsigned char* data, size_t size);

// "21:05", or "" without a time; a time typed as H:MM, HH:MM, HMM or
// HHMM, with seconds as a spreadsheet writes them (H:MM:SS, dropped), or
// nothing (no_time). False for anything else.
std::string time_text(int minutes);
bool read_time(const std::string& text, int* minutes);
