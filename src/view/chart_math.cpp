#include "view/chart_math.h"

namespace {
int64_t floor_multiple(int64_t value, int64_t step)
{
    int64_t quotient = value / step;
    if (value % step != 0 && value < 0) --quotient;
    return quotient * step;
}

int64_t ceil_multiple(int64_t value, int64_t step)
{
    int64_t quotient = value / step;
    if (value % step != 0 && value > 0) ++quotient;
    return quotient * step;
}
}  // namespace

ChartScale chart_scale(int64_t low, int64_t high, int most_steps)
{
    if (low > 0) low = 0;
    if (high < 0) high = 0;
    if (low == high) high = 1000;
    if (most_steps < 1) most_steps = 1;
    const int64_t factors[3] = {1, 2, 5};
    for (int64_t power = 1;; power *= 10) {
        for (int64_t factor : factors) {
            int64_t step = factor * power;
            int64_t bottom = floor_multiple(low, step);
            int64_t top = ceil_multiple(high, step);
            // Past 10^17 one step covers any ledger; stop there whatever asked.
            if ((top - bottom) / step <= most_steps || power >= 100000000000000000) return ChartScale{bottom, top, step};
        }
    }
}

long scale_row(const ChartScale& scale, int64_t value, long top_row, long bottom_row)
{
    int64_t span = scale.top - scale.bottom;
    int64_t offset = (scale.top - value) * (bottom_row - top_row);
    // Rounded to the nearest row, whichever side of 0.
    int64_t rows = offset >= 0 ? (offset + span / 2) / span : -((-offset + span / 2) / span);
    return top_row + static_cast<long>(rows);
}

long slot_left(int index, int count, long left, long right)
{
    if (count <= 0) return left;
    return left + static_cast<long>(static_cast<int64_t>(right - left) * index / count);
}
