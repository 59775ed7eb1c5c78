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
