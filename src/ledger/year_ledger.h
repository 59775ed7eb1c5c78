// The loaded year of the ledger: amounts, memos and day-off marks.
#pragma once

// Reads the three year files of `year`, then the holiday file.
int load_year(int year);
