// The user-editable holiday rules, Holiday.ini.
#pragma once

int load_holiday_file();
