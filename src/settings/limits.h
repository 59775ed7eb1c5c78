// The loss limits the player sets: a monthly and a yearly one, and the
// share of a limit at which the figures start to warn. They live in
// Ravo.ini beside Option.bin, which stays exactly as it is: a UTF-16 text
// with a BOM, in sections of `key=value` lines a person can read, written
// with the same safe replacement as the year files; keys it does not know
// are kept when it is written.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum { warn_percent_default = 80, warn_percent_low = 50, warn_percent_high = 100, loss_limit_max = 999999999 };

struct LossLimits {
    int64_t month;  // yen; 0 for none
    int64_t year;
    int warn_percent;  // 50..100
};

// Ravo.ini's lines as read, so a write keeps what it does not know.
struct LimitsFile {
    std::vector<std::u16string> lines;
    bool damaged;  // not a file of ours: it is named and left as it is
};

// A missing file is no limits; a damaged one too (and says so).
LimitsFile parse_limits_file(const unsigned char* data, size_t size, LossLimits* limits);
// The file's bytes with these limits, every other line as it was.
std::vector<unsigned char> limits_file_bytes(const LimitsFile& file, const LossLimits& limits);

// The program's Ravo.ini: read once at start-up; written by the page's OK.
// A damaged file is never written over before that.
const LossLimits& loss_limits();
// True when the file was damaged (to be told once).
bool load_loss_limits();
bool save_loss_limits(const LossLimits& limits);
std::string limits_file_path();

// Where a balance stands against a limit: none, within the warning share
// (balance ≤ −limit × share), or past the limit (balance < −limit).
enum LimitStanding { limit_clear, limit_near, limit_passed };
LimitStanding limit_standing(int64_t balance, int64_t limit, int warn_percent);
// Passed by this change: at or above −limit before, below it after.
bool limit_crossed(int64_t before, int64_t after, int64_t limit);

// Ravo.ini's [表示] section: whether the calendar shows the days' amounts
// and the period's line.
bool show_amounts();
void set_show_amounts(bool on);  // in memory; save_show_amounts keeps it
// 1 or 0 as the file says, -1 when it does not.
int stored_show_amounts(const LimitsFile& file);
// The file's bytes with the key, every other line as it was.
std::vector<unsigned char> show_amounts_bytes(const LimitsFile& file, bool on);
// After load_loss_limits: what the file says, else on at a first start
// (no Option.bin) and off beside an existing Option.bin, whose look stays.
void load_show_amounts(bool first_start);
// Writes the key when the file says otherwise (absent reads as off);
// never over a damaged file. False when the write failed.
bool save_show_amounts();
