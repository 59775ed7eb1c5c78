// Every GDI object and window a dialog makes goes with it: opened, painted
// and closed again and again, the process holds no more of them than after
// the first openings.
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>
#include <gtest/gtest.h>

#include <functional>

#include "calendar/dates.h"
#include "dialogs/analysis_window.h"
#include "dialogs/day_entry.h"
#include "dialogs/jump_dialog.h"
#include "dialogs/properties.h"
#include "dialogs/restore_dialog.h"
#include "dialogs/search_dialog.h"
#include "dialogs/year_info.h"
#include "platform/late_library.h"
#include "settings/options.h"
#include "settings/program_folder.h"
#include "support/temp_folder.h"

namespace {

// Wine 8 answers GetGuiResources with 0. Its handle table takes an index
// without the upper word, so there the live entries are counted.
int gdi_objects()
{
    if (DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(counted);
    int live = 0;
    for (ULONG_PTR index = 1; index <= 0xFFFF; ++index) live += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    return live;
}

BOOL CALLBACK count_child(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// A top-level window and all its descendants.
BOOL CALLBACK count_window(HWND window, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, count_child, count);
    return TRUE;
}

// The system's count where it keeps one, else the windows of this thread.
int user_objects()
{
    if (DWORD counted = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return static_cast<int>(counted);
    int windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), count_window, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// What the timer does with the dialog it finds: every page of a property
// sheet shown (as many as its tabs), all painted, then Escape.
struct Closer {
    HWND owner;
    bool sheet;
    int pages_shown;
    int closed;
};
Closer closer;

BOOL CALLBACK find_shown_dialog(HWND window, LPARAM found)
{
    if (GetWindow(window, GW_OWNER) != closer.owner || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

void CALLBACK close_shown_dialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), find_shown_dialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    if (closer.sheet) {
        closer.pages_shown = TabCtrl_GetItemCount(PropSheet_GetTabControl(dialog));
        for (int page = 0; page < closer.pages_shown; ++page) SendMessageW(dialog, PSM_SETCURSEL, page, 0);
    }
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ++closer.closed;
}

class DialogResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        set_program_path(folder.file("Ravo.exe").c_str());
        OptionsRecord* o = options();
        apply_fresh_defaults(o);
        init_common_controls();
        owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        closer = Closer{owner, false, 0, 0};
    }
    void TearDown() override { DestroyWindow(owner); }

    // Opens the dialog `times` times; how many of them were shown.
    int open(const std::function<void()>& run, int times, bool sheet = false)
    {
        closer.sheet = sheet;
        closer.closed = 0;
        UINT_PTR timer = SetTimer(nullptr, 0, 30, close_shown_dialog);
        for (int i = 0; i < times; ++i) run();
        KillTimer(nullptr, timer);
        return closer.closed;
    }

    // Two openings first: what the system makes once, on first use, stays.
    void expect_all_given_back(const char* name, const std::function<void()>& run, bool sheet = false)
    {
        open(run, 2, sheet);
        const int gdi = gdi_objects(), user = user_objects();
        EXPECT_EQ(open(run, 5, sheet), 5) << name;
        EXPECT_EQ(gdi_objects(), gdi) << name << ": GDI objects";
        EXPECT_EQ(user_objects(), user) << name << ": USER objects";
    }

    TempFolder folder;
    HWND owner = nullptr;
};

}  // namespace

TEST_F(DialogResources, EachDialogGivesBackItsObjects)
{
    const int gdi = gdi_objects(), user = user_objects();
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 9, 9, owner, nullptr, nullptr, nullptr);
    ASSERT_EQ(gdi_objects(), gdi + 1) << "the counts must see what is made";
    ASSERT_GT(user_objects(), user);
    DeleteObject(brush);
    DestroyWindow(window);

    expect_all_given_back("year dialog", [this] { run_year_info_dialog(owner, 2009, 12); });
    expect_all_given_back("analysis window", [this] { run_analysis_window(owner, 2009, LedgerDate{2009, 12, 6}); });
    expect_all_given_back("restore dialog", [this] { run_restore_dialog(owner, 2009); });
    expect_all_given_back("day entry", [this] { run_day_entry_dialog(owner, 2009, 12, 6); });
    TypedDate date = {2009, 12, 6};
    expect_all_given_back("jump", [&] { run_jump_dialog(owner, &date); });
    expect_all_given_back("search", [this] { run_search_dialog(owner); });
    expect_all_given_back("property sheet", [this] { show_properties(owner, GetModuleHandleW(nullptr)); }, true);
    EXPECT_GT(closer.pages_shown, 1) << "the sheet's pages were counted";
}
