#include "view/chart_math.h"

#include <algorithm>
#include <cmath>

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

double linear_channel(int value)
{
    const double channel = std::clamp(value, 0, 255) / 255.0;
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

// `color` moved `share` (0..1) of the way to `target`.
Rgb blend(Rgb color, Rgb target, double share)
{
    auto mix = [share](int from, int to) { return static_cast<int>(std::lround(from + (to - from) * share)); };
    return Rgb{mix(color.red, target.red), mix(color.green, target.green), mix(color.blue, target.blue)};
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

BarRows bar_rows(long value_row, long zero_row, bool above_zero, long least_height)
{
    if (above_zero) return BarRows{std::min(value_row, zero_row - least_height), zero_row};
    return BarRows{zero_row, std::max(value_row, zero_row + least_height)};
}

double relative_luminance(Rgb color)
{
    return 0.2126 * linear_channel(color.red) + 0.7152 * linear_channel(color.green) +
           0.0722 * linear_channel(color.blue);
}

double contrast_ratio(Rgb one, Rgb other)
{
    const double a = relative_luminance(one), b = relative_luminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

namespace {
// `color` blended towards black (white on a dark background) in twentieths
// from `first_step` on, until it stands out from `background` by `least`.
Rgb standing_out(Rgb color, Rgb background, double least, int first_step)
{
    // Darkening can reach the contrast on a background light enough; a
    // darker background takes a lighter colour.
    const bool light_background = contrast_ratio(background, Rgb{0, 0, 0}) >= least;
    const Rgb target = light_background ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
    for (int step = first_step; step <= 20; ++step) {
        Rgb shifted = blend(color, target, step / 20.0);
        if (contrast_ratio(shifted, background) >= least) return shifted;
    }
    return target;
}
}  // namespace

Rgb bar_edge(Rgb fill, Rgb background) { return standing_out(fill, background, least_graphic_contrast, 9); }

Rgb readable_text_color(Rgb color, Rgb background)
{
    if (contrast_ratio(color, background) >= least_text_contrast) return color;
    // A pale colour darkened alone turns grey: its hue is made full first
    // (the weakest channel to 0), so a pale pink warns in red.
    const int low = std::min(color.red, std::min(color.green, color.blue));
    const int high = std::max(color.red, std::max(color.green, color.blue));
    if (high > low) {
        auto full = [&](int channel) { return (channel - low) * high / (high - low); };
        color = Rgb{full(color.red), full(color.green), full(color.blue)};
    }
    return standing_out(color, background, least_text_contrast, 0);
}
