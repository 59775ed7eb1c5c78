#include "settings/limits.h"

#include "platform/platform.h"
#include "settings/program_folder.h"

namespace {
const char16_t section[] = u"[収支の上限]";
const char16_t month_key[] = u"月の負け上限";
const char16_t year_key[] = u"年の負け上限";
const char16_t warn_key[] = u"知らせる割合";
const char16_t display_section[] = u"[表示]";
const char16_t amounts_key[] = u"金額を表示";
bool amounts_shown = false;

// The limits in force, and Ravo.ini as read (its other lines are kept).
struct LoadedLimits {
    LimitsFile file;
    LossLimits limits;
};
LoadedLimits loaded = {{}, {0, 0, warn_percent_default}};

std::u16string trimmed(const std::u16string& text)
{
    size_t first = text.find_first_not_of(u" \t");
    if (first == std::u16string::npos) return std::u16string();
    return text.substr(first, text.find_last_not_of(u" \t") - first + 1);
}

bool read_number(const std::u16string& text, int64_t low, int64_t high, int64_t* value)
{
    const std::u16string digits = trimmed(text);
    if (digits.empty() || digits.size() > 10) return false;
    *value = 0;
    for (char16_t c : digits) {
        if (c < u'0' || c > u'9') return false;
        *value = *value * 10 + (c - u'0');
    }
    return *value >= low && *value <= high;
}

std::u16string number_text(int64_t value)
{
    std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::vector<std::u16string> split_lines(const std::u16string& text)
{
    std::vector<std::u16string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos) end = text.size();
        std::u16string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == u'\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// One line of ours: its key's value taken, or the line judged.
bool take_line(const std::u16string& line, bool in_section, LossLimits* limits)
{
    const std::u16string plain = trimmed(line);
    if (plain.empty() || plain[0] == u';') return true;  // blank, or a comment
    if (plain[0] == u'[') return plain.back() == u']';
    const size_t equals = plain.find(u'=');
    if (equals == std::u16string::npos) return false;
    if (!in_section) return true;
    const std::u16string key = trimmed(plain.substr(0, equals)), value = plain.substr(equals + 1);
    int64_t number = 0;
    if (key == month_key || key == year_key) {
        if (!read_number(value, 0, loss_limit_max, &number)) return false;
        (key == month_key ? limits->month : limits->year) = number;
    } else if (key == warn_key) {
        if (!read_number(value, warn_percent_low, warn_percent_high, &number)) return false;
        limits->warn_percent = static_cast<int>(number);
    }
    return true;
}

// The line of `section`, added at the end when missing.
size_t section_line(std::vector<std::u16string>& lines, const char16_t* section)
{
    size_t at = 0;
    while (at < lines.size() && trimmed(lines[at]) != section) ++at;
    if (at == lines.size()) {
        if (!lines.empty() && !trimmed(lines.back()).empty()) lines.push_back(u"");
        at = lines.size();
        lines.push_back(section);
    }
    return at;
}

std::vector<unsigned char> file_bytes(const std::vector<std::u16string>& lines)
{
    std::vector<unsigned char> bytes = {0xFF, 0xFE};
    for (const std::u16string& line : lines)
        for (char16_t c : line + u"\r\n") {
            bytes.push_back(static_cast<unsigned char>(c & 0xFF));
            bytes.push_back(static_cast<unsigned char>(c >> 8));
        }
    return bytes;
}

void set_key(std::vector<std::u16string>& lines, size_t section_at, const char16_t* key, int64_t value)
{
    const std::u16string line = std::u16string(key) + u"=" + number_text(value);
    size_t at = section_at + 1;
    for (; at < lines.size() && trimmed(lines[at]).compare(0, 1, u"[") != 0; ++at) {
        const size_t equals = lines[at].find(u'=');
        if (equals != std::u16string::npos && trimmed(lines[at].substr(0, equals)) == key) {
            lines[at] = line;
            return;
        }
    }
    lines.insert(lines.begin() + static_cast<long>(section_at + 1), line);
}
}  // namespace

LimitsFile parse_limits_file(const unsigned char* data, size_t size, LossLimits* limits)
{
    *limits = LossLimits{0, 0, warn_percent_default};
    LimitsFile file = {{}, false};
    if (size == 0) return file;
    if (size < 2 || size % 2 || data[0] != 0xFF || data[1] != 0xFE) {
        file.damaged = true;
        return file;
    }
    std::u16string text;
    for (size_t at = 2; at + 1 < size; at += 2) text += static_cast<char16_t>(data[at] | data[at + 1] << 8);
    file.lines = split_lines(text);
    bool in_section = false;
    LossLimits read = *limits;
    for (const std::u16string& line : file.lines) {
        const std::u16string plain = trimmed(line);
        if (!plain.empty() && plain[0] == u'[') in_section = plain == section;
        if (!take_line(line, in_section, &read)) file.damaged = true;
    }
    if (!file.damaged) *limits = read;
    return file;
}

std::vector<unsigned char> limits_file_bytes(const LimitsFile& file, const LossLimits& limits)
{
    std::vector<std::u16string> lines = file.damaged ? std::vector<std::u16string>() : file.lines;
    const size_t section_at = section_line(lines, section);
    set_key(lines, section_at, warn_key, limits.warn_percent);
    set_key(lines, section_at, year_key, limits.year);
    set_key(lines, section_at, month_key, limits.month);
    return file_bytes(lines);
}

int stored_show_amounts(const LimitsFile& file)
{
    bool in_section = false;
    int stored = -1;
    for (const std::u16string& line : file.lines) {
        const std::u16string plain = trimmed(line);
        if (!plain.empty() && plain[0] == u'[') in_section = plain == display_section;
        const size_t equals = plain.find(u'=');
        if (!in_section || equals == std::u16string::npos || trimmed(plain.substr(0, equals)) != amounts_key) continue;
        const std::u16string value = trimmed(plain.substr(equals + 1));
        if (value == u"0" || value == u"1") stored = value == u"1";
    }
    return stored;
}

std::vector<unsigned char> show_amounts_bytes(const LimitsFile& file, bool on)
{
    std::vector<std::u16string> lines = file.damaged ? std::vector<std::u16string>() : file.lines;
    set_key(lines, section_line(lines, display_section), amounts_key, on ? 1 : 0);
    return file_bytes(lines);
}

bool show_amounts() { return amounts_shown; }
void set_show_amounts(bool on) { amounts_shown = on; }

void load_show_amounts(bool first_start)
{
    const int stored = loaded.file.damaged ? -1 : stored_show_amounts(loaded.file);
    amounts_shown = stored < 0 ? first_start : stored == 1;
}

bool save_show_amounts()
{
    if (loaded.file.damaged || (stored_show_amounts(loaded.file) == 1) == amounts_shown) return true;
    if (!replace_file(limits_file_path().c_str(), show_amounts_bytes(loaded.file, amounts_shown))) return false;
    std::vector<unsigned char> content;
    LossLimits limits;
    if (read_whole_file(limits_file_path().c_str(), content, nullptr)) {
        loaded.file = parse_limits_file(content.data(), content.size(), &limits);
        if (!loaded.file.damaged) loaded.limits = limits;
    }
    return true;
}

std::string limits_file_path() { return std::string(program_folder()) + "Ravo.ini"; }

const LossLimits& loss_limits() { return loaded.limits; }

bool load_loss_limits()
{
    std::vector<unsigned char> content;
    bool missing = false;
    if (!read_whole_file(limits_file_path().c_str(), content, &missing)) {
        loaded.file = LimitsFile{{}, !missing};
        loaded.limits = LossLimits{0, 0, warn_percent_default};
        return !missing;
    }
    loaded.file = parse_limits_file(content.data(), content.size(), &loaded.limits);
    return loaded.file.damaged;
}

bool save_loss_limits(const LossLimits& limits)
{
    if (!replace_file(limits_file_path().c_str(), limits_file_bytes(loaded.file, limits))) return false;
    loaded.limits = limits;
    loaded.file.damaged = false;
    std::vector<unsigned char> content;
    if (read_whole_file(limits_file_path().c_str(), content, nullptr))
        loaded.file = parse_limits_file(content.data(), content.size(), &loaded.limits);
    return true;
}

LimitStanding limit_standing(int64_t balance, int64_t limit, int warn_percent)
{
    if (limit <= 0) return limit_clear;
    if (balance < -limit) return limit_passed;
    return balance * 100 <= -limit * warn_percent ? limit_near : limit_clear;
}

bool limit_crossed(int64_t before, int64_t after, int64_t limit)
{
    return limit > 0 && before >= -limit && after < -limit;
}
