// Figures as the dialogs show them.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "analysis/visit_analysis.h"

// "-1,234": a sum, count or average (-1 is a real amount here).
std::wstring sum_text(int64_t amount);
// "+1,234" for a gain: the sign says win or loss.
std::wstring signed_sum_text(int64_t amount);
// "102.5%" from tenths of a percent, "－" without one.
std::wstring rate_text(const Rate& rate);
// "1,234:05": hours and minutes, the hours past 24.
std::wstring hours_text(int64_t minutes);
// A window's text.
std::wstring window_text(HWND window);
