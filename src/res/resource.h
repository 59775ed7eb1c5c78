// Resource and command ids, shared by the resource script and the code.
// The numbers are fixed: other copies of the program use the same ones.
#pragma once

#define IDD_VERSION_PAGE 100
#define IDR_POPUP_MENU 101
#define IDD_DAY_ENTRY 102
#define IDI_APP 103
#define IDD_OPTIONS_PAGE 105
#define IDD_YEAR_INFO 106
#define IDD_COLORS_PAGE 144
#define IDD_FORMAT_PAGE 146

#define IDM_FONT 40001
#define IDM_TOPMOST 40002
#define IDM_EXIT 40003
#define IDM_YEAR_INFO 40004
#define IDM_EXPLORER 40005
#define IDM_SHUTDOWN 40006
#define IDM_RESTART 40007
#define IDM_SMALL_DISPLAY 40008
#define IDM_PROPERTIES 40009
#define IDM_DATE_TIME 40010
#define IDM_YEAR_VIEW 40011
#define IDM_TODAY 40012
#define IDM_START_WITH_WINDOWS 40013
#define IDM_PROGRAMS 40015
#define IDM_CONTROL_PANEL 40016
#define IDM_ALL_USERS_PROGRAMS 40017
#define IDM_HIDE 40019
#define IDM_HELP 40022
#define IDM_HOLIDAYS 40023
#define IDM_LOG_OFF 40024

// Day entry dialog (102).
#define IDC_DATE_CAPTION 1001
#define IDC_DISPLAY 1002
#define IDC_KEY_0 200  // 200..209: digits
#define IDC_KEY_THOUSAND 210
#define IDC_KEY_CLEAR 1003
#define IDC_KEY_PLUS 1004
#define IDC_KEY_MINUS 1005
#define IDC_KEY_EQUALS 1006
#define IDC_KEY_NEGATE 1007
#define IDC_KEY_BACKSPACE 1008
#define IDC_KEY_DIVIDE 1010
#define IDC_KEY_MULTIPLY 1011
#define IDC_KEY_DRAW 1205
#define IDC_MEMO 1051
#define IDC_MEMO_CLEAR 1077
#define IDC_DAY_OFF 1227
#define IDC_DRAW_HINT 1206
#define IDC_CALCULATOR 1207

// Year information dialog (106).
#define IDC_DAY_AMOUNT 300  // 301..331: amount of day 1..31
#define IDC_DAY_MEMO 331    // 332..362: memo of day 1..31
#define IDC_MONTH_WINS 363
#define IDC_MONTH_LOSSES 364
#define IDC_YEAR_WINS 367
#define IDC_YEAR_LOSSES 368
#define IDC_MONTH_DRAWS 369
#define IDC_YEAR_DRAWS 370
#define IDC_ALL_WINS 371
#define IDC_ALL_LOSSES 372
#define IDC_ALL_DRAWS 373
#define IDC_MONTH_TOTAL 500  // 501..512: total of month 1..12
#define IDC_YEAR_TOTAL 1030
#define IDC_ALL_TOTAL 1031
#define IDC_INFO_HINT 1054
#define IDC_LIST_GROUP 1208
#define IDC_YEAR_GROUP 1209
#define IDC_ALL_GROUP 1210
#define IDC_CSV 1211
#define IDC_YEAR_NUMBER 1216
#define IDC_YEAR_SPIN 1217
