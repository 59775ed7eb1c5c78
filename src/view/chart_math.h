// The arithmetic of the balance chart on plain values: a grid at round
// steps, values to pixel rows, equal slots across the plot. Portable, so
// it is tested natively.
#pragma once
#include <cstdint>

// Grid lines from `bottom` to `top` every `step`; 0 is always one of them.
struct ChartScale {
    int64_t bottom;
    int64_t top;
    int64_t step;
};

// The smallest round step (1, 2 or 5 times a power of ten) that spans
// low..high (and 0) in at most `most_steps` steps, the ends rounded out to
// multiples of it. A flat period still gets a scale up to a thousand.
ChartScale chart_scale(int64_t low, int64_t high, int most_steps);

// The pixel row of a value, `top_row` showing scale.top and `bottom_row`
// scale.bottom.
long scale_row(const ChartScale& scale, int64_t value, long top_row, long bottom_row);

// The left edge of slot `index` of `count` equal slots across left..right;
// index == count gives right.
long slot_left(int index, int count, long left, long right);
