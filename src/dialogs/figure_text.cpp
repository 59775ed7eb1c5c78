#include "dialogs/figure_text.h"

#include "view/amount_text.h"

std::wstring sum_text(int64_t amount)
{
    char16_t text[large_amount_text_size];
    format_sum(amount, text);
    return reinterpret_cast<const wchar_t*>(text);
}

std::wstring signed_sum_text(int64_t amount) { return (amount > 0 ? L"+" : L"") + sum_text(amount); }

std::wstring rate_text(const Rate& rate)
{
    if (!rate.known) return L"－";
    const int64_t tenths = rate.value < 0 ? -rate.value : rate.value;
    return (rate.value < 0 ? L"-" : L"") + sum_text(tenths / 10) + L"." + std::to_wstring(tenths % 10) + L"%";
}

std::wstring hours_text(int64_t minutes)
{
    const int64_t rest = minutes % 60;
    return sum_text(minutes / 60) + (rest < 10 ? L":0" : L":") + std::to_wstring(rest);
}

std::wstring window_text(HWND window)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    GetWindowTextW(window, &text[0], static_cast<int>(text.size()));
    text.resize(wcslen(text.c_str()));
    return text;
}
