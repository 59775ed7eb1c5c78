// CSV as the program writes and reads it: fields separated by commas,
// records ending in CR LF, text in Shift-JIS (or UTF-8 when read back from
// a program that writes it).
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The two quoting rules. A year's file quotes every memo, so a memo can
// never break its row whatever it holds; the analysis quotes a field only
// when it must (a comma, a quote or a line break in it). A quote inside is
// doubled either way.
// A field is written whole, whatever bytes it holds.
void append_always_quoted(std::string& text, std::string_view field);
void append_quoted_when_needed(std::string& text, std::string_view field);
void append_number(std::string& text, int64_t value);

// How a file read back is encoded. A byte order mark decides; without
// one, text that is all well-formed UTF-8 and holds a character of three
// or four bytes (every Japanese character is one) is UTF-8. Text whose
// only bytes beyond ASCII pair up as two-byte UTF-8 is Shift-JIS: its
// half-width katakana (ﾃｨ) look just like that. Zero bytes between the
// characters mean UTF-16, which is not read.
enum CsvEncoding { csv_shift_jis, csv_utf8, csv_utf16 };
CsvEncoding csv_encoding(const unsigned char* data, size_t size, size_t* text_start);

// Length of the well-formed UTF-8 character at `text`, 0 when there is none.
size_t utf8_character_length(const unsigned char* text, size_t size);

struct CsvRecord {
    int line;  // where it starts, from 1
    std::vector<std::string> fields;
    bool unclosed;   // a quote opened and never closed
    int quote_line;  // where it opens
};

struct CsvReader {
    const unsigned char* data;
    size_t size;
    size_t position;
    int line;
};

CsvReader csv_reader(const unsigned char* data, size_t size, size_t text_start);
// The next record, keeping its first `kept_fields` fields. A record ends
// at a line end outside quotes: CR LF, LF, a lone CR, or a CR before CR LF
// (as some programs write). A quote opens only at the start of a field;
// inside, a doubled quote stands for one. False at the end of the data.
bool read_csv_record(CsvReader& reader, CsvRecord& record, size_t kept_fields);

// Without the spaces and tabs around it.
std::string trimmed_field(const std::string& text);

// Every record of a file read back that holds anything, in order, for
// `take`; the file's encoding tells how its text is to be read. A UTF-16
// file gives no record.
CsvEncoding read_csv_records(const unsigned char* data, size_t size, size_t kept_fields,
                             const std::function<void(const CsvRecord&)>& take);
