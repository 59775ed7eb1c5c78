// The user-editable holiday rules, Holiday.ini in the program folder:
// Shift-JIS text, one rule per line "from,month,day,to,name"; lines that
// begin with "#" or a space are comments.
#pragma once
#include <cstddef>

enum { holiday_line_max_bytes = 258 };

// Fills the holiday table from the file. 1 normally, also when there is no
// file (the table is then left as it was); 0 when a read error stopped it.
int load_holiday_file();
// Fills the holiday table from the bytes of such a file.
void parse_holiday_file(const unsigned char* data, size_t size);
