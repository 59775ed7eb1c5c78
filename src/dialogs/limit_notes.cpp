#include "dialogs/limit_notes.h"

#include "calendar/dates.h"
#include "ledger/results.h"
#include "settings/limits.h"
#include "settings/options.h"
#include "view/amount_text.h"
#include "view/chart_math.h"
#include "view/tip_text.h"

namespace {
std::wstring yen(int64_t amount)
{
    char16_t text[large_amount_text_size];
    format_large_amount(amount, text);
    std::wstring shown = reinterpret_cast<const wchar_t*>(text);
    if (!shown.empty() && shown[0] == L'-') shown[0] = L'−';
    return shown;
}

void tell_passed(HWND owner, const wchar_t* period, int64_t limit)
{
    const std::wstring text = std::wstring(period) + L"の負けが上限の " + yen(limit) + L"円 を超えました。";
    MessageBoxW(owner, text.c_str(), L"収支", MB_OK | MB_ICONINFORMATION);
}
}  // namespace

LimitBalances balances_so_far()
{
    const DateRecord today = clock_now();
    return LimitBalances{month_summary_through(today.year, today.month, today.day).sum,
                         year_summary_through(today.year, today.month, today.day).sum};
}


bool limit_line_warns(int64_t month_balance)
{
    const LossLimits& limits = loss_limits();
    return limit_standing(month_balance, limits.month, limits.warn_percent) != limit_clear;
}

void show_limit_line(HWND dialog, int id)
{
    const int64_t month = balances_so_far().month;
    HWND line = GetDlgItem(dialog, id);
    SetWindowTextW(line, reinterpret_cast<const wchar_t*>(month_limit_line(month, loss_limits()).c_str()));
    // The static keeps whether it warns, for its colour.
    SetWindowLongPtrW(line, GWLP_USERDATA, limit_line_warns(month) ? 1 : 0);
}

bool high_contrast_on()
{
    HIGHCONTRASTW contrast = {};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

COLORREF limit_text_color(bool warns)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // A high-contrast theme's own colours are the readable ones.
    if (!warns || high_contrast_on()) return GetSysColor(COLOR_BTNTEXT);
    const ColorRef loss = options()->loss_color;
    const Rgb text = readable_text_color(Rgb{GetRValue(loss), GetGValue(loss), GetBValue(loss)},
                                         Rgb{GetRValue(face), GetGValue(face), GetBValue(face)});
    return RGB(text.red, text.green, text.blue);
}

INT_PTR limit_line_color(HDC dc, HWND control)
{
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, limit_text_color(GetWindowLongPtrW(control, GWLP_USERDATA) != 0));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

void tell_limits_crossed(HWND owner, int year, int month, const LimitBalances& before)
{
    const DateRecord today = clock_now();
    if (year != today.year) return;
    const LimitBalances after = balances_so_far();
    const LossLimits& limits = loss_limits();
    if (month == today.month && limit_crossed(before.month, after.month, limits.month))
        tell_passed(owner, L"今月", limits.month);
    if (limit_crossed(before.year, after.year, limits.year)) tell_passed(owner, L"今年", limits.year);
}
