#include "calendar/holiday_file.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "calendar/holidays.h"
#include "platform/platform.h"
#include "platform/shift_jis.h"
#include "settings/program_folder.h"

namespace {

// Reads lines of at most holiday_line_max_bytes bytes; the rest of a
// longer line is dropped, so it never becomes a second line.
struct LineReader {
    const unsigned char* data;
    size_t size;
    size_t position;
};

const int end_of_text = 0x1A;  // Ctrl-Z: text mode ends the file there

// -1 at the end, else the next byte.
int next_byte(LineReader& reader)
{
    if (reader.position == reader.size) return -1;
    int byte = reader.data[reader.position++];
    if (byte == end_of_text) {
        reader.position = reader.size;
        return -1;
    }
    return byte;
}

// False when there is no further line. A carriage return before the line
// feed is dropped, as text mode does.
bool read_line(LineReader& reader, char (&line)[holiday_line_max_bytes + 1])
{
    size_t length = 0;
    int byte = next_byte(reader);
    if (byte < 0) return false;
    while (byte >= 0 && byte != '\n') {
        if (length < holiday_line_max_bytes) line[length++] = static_cast<char>(byte);
        byte = next_byte(reader);
    }
    if (length > 0 && line[length - 1] == '\r') --length;
    line[length] = 0;
    return true;
}

// Decimal like atoi: blanks, a sign, digits; no digits give 0. Saturates
// instead of overflowing; the caller narrows it to its field.
long long read_number(const char* text)
{
    while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\v' || *text == '\f' || *text == '\r') ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        if (value < 1000000000000LL) value = value * 10 + (*text - '0');
    return negative ? -value : value;
}

void parse_rule(char* line, HolidayRule& rule)
{
    char* fields[5] = {line, nullptr, nullptr, nullptr, nullptr};
    int count = 1;
    for (char* p = line; *p && count < 5; ++p)
        if (*p == ',') {
            *p = 0;
            fields[count++] = p + 1;
        }
    rule.from_year = static_cast<int16_t>(read_number(fields[0]));
    rule.month = static_cast<int8_t>(fields[1] ? read_number(fields[1]) : 0);
    rule.day_code = static_cast<int8_t>(fields[2] ? read_number(fields[2]) : 0);
    rule.to_year = static_cast<int16_t>(fields[3] ? read_number(fields[3]) : 0);
    if (fields[4]) {
        if (char* end = std::strchr(fields[4], ',')) *end = 0;
        copy_sjis_cut(rule.name, fields[4], holiday_name_max_bytes);
    }
}

bool is_comment(const char* line) { return line[0] == '#' || line[0] == ' '; }

}  // namespace

void parse_holiday_file(const unsigned char* data, size_t size)
{
    HolidayRule* table = holiday_table();
    std::memset(table, 0, sizeof(HolidayRule) * holiday_rule_count);
    LineReader reader = {data, size, 0};
    char line[holiday_line_max_bytes + 1];
    int filled = 0;
    // Rules beyond the 64th have no place and are ignored.
    while (filled < holiday_rule_count && read_line(reader, line))
        if (!is_comment(line)) parse_rule(line, table[filled++]);
}

int load_holiday_file()
{
    char path[path_capacity];
    program_file(path, sizeof path, "Holiday.ini");
    std::vector<unsigned char> content;
    bool missing = false;
    bool read = read_whole_file(path, content, &missing);
    // A file that cannot be opened leaves the rules as they were; a read
    // error keeps what was read before it.
    if (!read && content.empty()) return missing ? 1 : 0;
    parse_holiday_file(content.data(), content.size());
    return read ? 1 : 0;
}
