#include "app/tray_tip.h"

#include <string>

#include "app/shell.h"
#include "calendar/dates.h"
#include "calendar/holidays.h"
#include "ledger/results.h"
#include "ledger/year_ledger.h"
#include "platform/win32_text.h"
#include "view/tip_text.h"

namespace {
// Today's day-off mark: of the shown year when it is today's, else as the
// ledger holds that year.
int today_day_off_mark(const LedgerYear& shown, int year, int month, int day)
{
    if (year == shown.year) return day_of(shown, month, day).day_off;
    LedgerYear today_year;
    read_ledger_year(year, today_year);
    return day_of(today_year, month, day).day_off;
}

std::u16string today_holiday_name(const DateRecord& today, const LedgerYear& shown)
{
    const DayKind kind = kind_of_day(today.year, today.month, today.day,
                                     today_day_off_mark(shown, today.year, today.month, today.day));
    std::wstring name = sjis_to_wide(kind.name);
    return std::u16string(name.begin(), name.end());
}
}  // namespace

void write_tray_tip(const MainWindow& main_window, wchar_t* tip)
{
    const DateRecord& today = main_window.view.today;
    ResultSummary so_far = month_summary_through(today.year, today.month, today.day);
    std::u16string text = tray_tip_text(today, today_holiday_name(today, main_window.shown_year), so_far, loss_limits());
    text.copy(reinterpret_cast<char16_t*>(tip), text.size());
    tip[text.size()] = 0;
}
