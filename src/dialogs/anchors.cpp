#include "dialogs/anchors.h"

#include <algorithm>

namespace {
const long template_margin = 6;  // dialog units around the controls

// Pixels of 4 dialog units across and of 8 down.
SIZE base_units(HWND dialog)
{
    RECT base = {0, 0, 4, 8};
    MapDialogRect(dialog, &base);
    return SIZE{std::max(1L, base.right), std::max(1L, base.bottom)};
}

// The inverse of MapDialogRect: a dialog unit is at least a pixel, so the
// nearest unit is the one the template gave.
RECT units_of(HWND dialog, const RECT& pixels)
{
    const SIZE base = base_units(dialog);
    return RECT{MulDiv(pixels.left, 4, base.cx), MulDiv(pixels.top, 8, base.cy), MulDiv(pixels.right, 4, base.cx),
                MulDiv(pixels.bottom, 8, base.cy)};
}

// One axis: anchored to the far edge only it moves, to both it stretches.
void follow(long& low, long& high, unsigned edges, unsigned near_edge, unsigned far_edge, long growth)
{
    if (edges & far_edge) high += growth;
    if ((edges & far_edge) && !(edges & near_edge)) low += growth;
}
}  // namespace

void read_anchored_layout(HWND dialog, unsigned (*anchors_of)(int id), AnchoredLayout& layout)
{
    layout.controls.clear();
    RECT client;
    GetClientRect(dialog, &client);
    const RECT units = units_of(dialog, client);
    layout.units = SIZE{units.right, units.bottom};
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        RECT place;
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
        const RECT place_units = units_of(dialog, place);
        layout.controls.push_back(AnchoredControl{control, place_units, anchors_of(GetDlgCtrlID(control))});
        // A template larger than the screen opens cut to it: its size is
        // then that of its controls with the margin.
        layout.units.cx = std::max(layout.units.cx, place_units.right + template_margin);
        layout.units.cy = std::max(layout.units.cy, place_units.bottom + template_margin);
    }
}

RECT pixels_of(HWND dialog, const RECT& units)
{
    RECT pixels = units;
    MapDialogRect(dialog, &pixels);
    return pixels;
}

SIZE template_client_size(HWND dialog, const AnchoredLayout& layout)
{
    const RECT client = pixels_of(dialog, RECT{0, 0, layout.units.cx, layout.units.cy});
    return SIZE{client.right, client.bottom};
}

// Without SWP_NOCOPYBITS a moved control would keep its old pixels; a
// control that does not stretch keeps its size (a combo box's is that of
// its list).
void place_anchored(HWND dialog, const AnchoredLayout& layout, SIZE client)
{
    const SIZE template_client = template_client_size(dialog, layout);
    // Smaller than the template, a stretching control gives way.
    const long grow_x = client.cx - template_client.cx;
    const long grow_y = client.cy - template_client.cy;
    HDWP batch = BeginDeferWindowPos(static_cast<int>(layout.controls.size()));
    for (const AnchoredControl& anchored : layout.controls) {
        RECT place = pixels_of(dialog, anchored.units);
        follow(place.left, place.right, anchored.edges, anchor_left, anchor_right, grow_x);
        follow(place.top, place.bottom, anchored.edges, anchor_top, anchor_bottom, grow_y);
        const unsigned both_x = anchor_left | anchor_right, both_y = anchor_top | anchor_bottom;
        const bool stretches = (anchored.edges & both_x) == both_x || (anchored.edges & both_y) == both_y;
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | (stretches ? 0 : SWP_NOSIZE);
        if (batch)
            batch = DeferWindowPos(batch, anchored.control, nullptr, place.left, place.top, place.right - place.left,
                                   place.bottom - place.top, flags);
    }
    if (batch) EndDeferWindowPos(batch);
}
