#include "ledger/csv.h"

#include <charconv>
#include <cstring>

void append_always_quoted(std::string& text, std::string_view field)
{
    text += '"';
    for (char c : field) {
        if (c == '"') text += '"';
        text += c;
    }
    text += '"';
}

void append_quoted_when_needed(std::string& text, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") != std::string_view::npos)
        append_always_quoted(text, field);
    else
        text += field;
}

void append_number(std::string& text, int64_t value)
{
    char digits[24];
    text.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

size_t utf8_character_length(const unsigned char* text, size_t size)
{
    unsigned char lead = text[0];
    if (lead < 0x80) return 1;
    size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
    if (length == 0 || length > size) return 0;
    for (size_t i = 1; i < length; ++i)
        if ((text[i] & 0xC0) != 0x80) return 0;
    // No overlong forms, no surrogates, nothing beyond U+10FFFF.
    if ((lead == 0xE0 && text[1] < 0xA0) || (lead == 0xED && text[1] > 0x9F)) return 0;
    if ((lead == 0xF0 && text[1] < 0x90) || (lead == 0xF4 && text[1] > 0x8F)) return 0;
    return length;
}

namespace {
bool starts_with(const unsigned char* data, size_t size, const char* mark)
{
    const size_t length = std::strlen(mark);
    return size >= length && std::memcmp(data, mark, length) == 0;
}

// Text never holds zero bytes; UTF-16 has one beside every ASCII letter.
bool has_zero_bytes(const unsigned char* data, size_t size)
{
    // An empty file may come as no buffer at all, which memchr must not see.
    return size > 0 && std::memchr(data, 0, size < 256 ? size : 256) != nullptr;
}
}  // namespace

CsvEncoding csv_encoding(const unsigned char* data, size_t size, size_t* text_start)
{
    *text_start = 0;
    if (starts_with(data, size, "\xFF\xFE") || starts_with(data, size, "\xFE\xFF") || has_zero_bytes(data, size))
        return csv_utf16;
    if (starts_with(data, size, "\xEF\xBB\xBF")) {
        *text_start = 3;
        return csv_utf8;
    }
    bool long_character = false;
    for (size_t position = 0; position < size;) {
        size_t length = utf8_character_length(data + position, size - position);
        if (length == 0) return csv_shift_jis;
        long_character = long_character || length >= 3;
        position += length;
    }
    return long_character ? csv_utf8 : csv_shift_jis;
}

CsvReader csv_reader(const unsigned char* data, size_t size, size_t text_start)
{
    return CsvReader{data, size, text_start, 1};
}

namespace {
// Where the bytes from the reader's position stop being plain text.
size_t ordinary_run(const CsvReader& reader, bool quoted)
{
    size_t at = reader.position;
    for (; at < reader.size; ++at) {
        const unsigned char c = reader.data[at];
        if (c == '"' || c == '\n' || c == '\r' || (c == ',' && !quoted)) break;
    }
    return at;
}
}  // namespace

bool read_csv_record(CsvReader& reader, CsvRecord& record, size_t kept_fields)
{
    if (reader.position >= reader.size) return false;
    record.line = reader.line;
    // The fields keep their room from record to record.
    record.fields.resize(kept_fields);
    for (std::string& field : record.fields) field.clear();
    record.unclosed = false;
    record.quote_line = 0;
    size_t column = 0;
    bool quoted = false, at_field_start = true;
    while (reader.position < reader.size) {
        // A run of bytes that mean nothing here is taken whole.
        const size_t run = ordinary_run(reader, quoted);
        if (run > reader.position) {
            if (column < kept_fields)
                record.fields[column].append(reinterpret_cast<const char*>(reader.data + reader.position), run - reader.position);
            reader.position = run;
            at_field_start = false;
            continue;
        }
        const char byte = static_cast<char>(reader.data[reader.position++]);
        // The end of the data acts as a line end.
        const char next = reader.position < reader.size ? static_cast<char>(reader.data[reader.position]) : '\n';
        // CR LF ends at its LF; a CR alone ends a line too.
        const bool line_end = byte == '\n' || (byte == '\r' && next != '\n');
        if (line_end) ++reader.line;
        if (quoted) {
            if (byte == '"') {
                quoted = next == '"';
                if (!quoted) continue;
                ++reader.position;
            }
        } else {
            if (line_end) {
                // CR CR LF is one line end, not a CR at the end of the last field.
                const size_t after = reader.position;
                if (byte == '\r' && after + 1 < reader.size && reader.data[after] == '\r' && reader.data[after + 1] == '\n')
                    reader.position += 2;
                return true;
            }
            if (byte == '\r') continue;  // of CR LF
            if (byte == ',') {
                ++column;
                at_field_start = true;
                continue;
            }
            if (byte == '"' && at_field_start) {
                quoted = true;
                record.quote_line = reader.line;
                at_field_start = false;
                continue;
            }
        }
        at_field_start = false;
        if (column < kept_fields) record.fields[column] += byte;
    }
    record.unclosed = quoted;
    return true;
}

namespace {
bool is_empty_record(const CsvRecord& record)
{
    for (const std::string& field : record.fields)
        if (field.find_first_not_of(" \t") != std::string::npos) return false;
    return !record.unclosed;
}
}  // namespace

CsvEncoding read_csv_records(const unsigned char* data, size_t size, size_t kept_fields,
                             const std::function<void(const CsvRecord&)>& take)
{
    size_t start = 0;
    const CsvEncoding encoding = csv_encoding(data, size, &start);
    if (encoding == csv_utf16) return encoding;
    CsvReader reader = csv_reader(data, size, start);
    CsvRecord record;
    while (read_csv_record(reader, record, kept_fields))
        if (!is_empty_record(record)) take(record);
    return encoding;
}

std::string trimmed_field(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}
