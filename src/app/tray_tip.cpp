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
int today_day_off_mark(int year, int month, int day)
{
    if (year == shown_ledger().year) return day_of(shown_ledger(), month, day).day_off;
    LedgerYear today_year;
    read_ledger_year(year, today_year);
    return day_of(today_year, month, day).day_off;
}

std::u16string today_holiday_name(const DateRecord& today)
{
    const int year = today.year;
    DateRecord record = today;
    const int first = compute_first_weekday(&record);
    int kind = day_kind(year, today.month, today.day, first, today_day_off_mark(year, today.month, today.day));
    if (kind != kind_holiday && kind != kind_day_off) return std::u16string();
    std::wstring name = sjis_to_wide(holiday_name());
    return std::u16string(name.begin(), name.end());
}
}  // namespace

void write_tray_tip(wchar_t* tip)
{
    const DateRecord today = *today_date();
    ResultSummary so_far = month_summary_through(today.year, today.month, today.day);
    std::u16string text = tray_tip_text(today, today_holiday_name(today), so_far, loss_limits());
    text.copy(reinterpret_cast<char16_t*>(tip), text.size());
    tip[text.size()] = 0;
}
