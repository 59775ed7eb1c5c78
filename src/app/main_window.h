// The main window's record: what the calendar window shows and keeps
// between its messages. The window owns it (its GWLP_USERDATA) from
// WM_NCCREATE to WM_NCDESTROY and hands it to what paints, tests hits,
// answers the tips and handles the messages.
#pragma once
#include <windows.h>

#include <string>

#include "calendar/dates.h"
#include "ledger/undo_steps.h"
#include "ledger/year_ledger.h"
#include "view/calendar_view.h"

// What the clock saw: the day turning is told by its ticks alone.
struct ClockWatch {
    // The day the clock last saw. Today's date is also set by other paths
    // (a layout refresh, a change of the system time); they must not hide
    // a change of day from the tick.
    DateRecord day_seen = {};
    // Tick count at which that day ends on its own: a change of the system
    // time after it had come must still turn the calendar.
    ULONGLONG day_seen_ends = 0;
    // Set when the day turned while a modal dialog was open: the dialog
    // may be editing a day of the shown month and its loaded year, so they
    // follow only once it is closed.
    bool shown_month_behind = false;
};

// The notification icon: its picture at the shell's size, and how many
// more times an icon the shell did not take is asked for again.
struct TrayIcon {
    HICON metric_icon = nullptr;
    int retries_left = 0;
};

struct MainWindow {
    HWND window = nullptr;
    CalendarView view;
    LedgerYear shown_year = {};  // the shown year's ledger, as saved or held unsaved
    ClockWatch clock;
    TrayIcon tray;
    HWND day_tooltip = nullptr;
    std::wstring tip_text;       // the day tip shown, kept while it shows
    HMENU popup_menu = nullptr;  // loaded once the calendar shows
    CalendarDay menu_day = {};   // the day the menu was opened for
    UndoHistory history;         // the changes of this run that can be taken back
    bool user_hidden = false;    // hidden from the menu or its close box
    bool start_finished = false;
};

// The record of a main window; null before WM_NCCREATE and after
// WM_NCDESTROY.
MainWindow* find_main_window(HWND window);
