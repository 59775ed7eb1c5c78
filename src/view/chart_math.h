// The arithmetic of the balance chart on plain values: a grid at round
// steps, values to pixel rows, equal slots across the plot, bars that
// stand out from the background. Portable, so it is tested natively.
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

// The rows a bar covers, top to bottom inclusive: from the zero row to the
// value's, but at least `least_height` rows beyond the zero row, so a
// small sum on a large scale still shows.
struct BarRows {
    long top;
    long bottom;
};
BarRows bar_rows(long value_row, long zero_row, bool above_zero, long least_height);

struct Rgb {
    int red;  // 0..255 each
    int green;
    int blue;
};
// WCAG 2 relative luminance: 0 for black, 1 for white.
double relative_luminance(Rgb color);
// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on
// white.
double contrast_ratio(Rgb one, Rgb other);
// WCAG's least contrast for the parts of a graphic.
const double least_graphic_contrast = 3.0;
// The edge of a bar in `fill`: the fill darkened (on a light background;
// lightened on a dark one) just as far as it takes to stand out from
// `background` by least_graphic_contrast, and never less than to 55 %.
Rgb bar_edge(Rgb fill, Rgb background);
// WCAG's least contrast for text.
const double least_text_contrast = 4.5;
// Text in `color` that reads on `background`: the colour itself when it
// does, else its hue made full and darkened (lightened on a dark
// background) just as far as it takes to reach least_text_contrast.
Rgb readable_text_color(Rgb color, Rgb background);
