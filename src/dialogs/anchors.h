// Resizable dialogs laid out from their templates: each control keeps its
// distance to the edges of the dialog it is anchored to, from the place
// the template gave it; anchored to two opposite edges, it stretches.
#pragma once
#include <windows.h>

#include <vector>

enum AnchorEdge { anchor_left = 1, anchor_top = 2, anchor_right = 4, anchor_bottom = 8 };

struct AnchoredControl {
    HWND control;
    RECT units;  // its place in the template, dialog units
    unsigned edges;
};
struct AnchoredLayout {
    std::vector<AnchoredControl> controls;
    SIZE units;  // the template's client size, dialog units
};

// Reads every control's place as the template put it, with the edges
// `anchors_of` gives for its id: call it as the dialog opens, before any
// resize.
void read_anchored_layout(HWND dialog, unsigned (*anchors_of)(int id), AnchoredLayout& layout);
// A template size or place in pixels, for the dialog's font and scale now.
RECT pixels_of(HWND dialog, const RECT& units);
SIZE template_client_size(HWND dialog, const AnchoredLayout& layout);
// Places every control for a client size; below the template's, the
// controls that stretch give way and those beyond them move in.
void place_anchored(HWND dialog, const AnchoredLayout& layout, SIZE client);
