#include "calendar/holiday_file.h"

int load_holiday_file() { return 1; }
