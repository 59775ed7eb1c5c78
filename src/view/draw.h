// Small drawing routines shared by the calendar, the small display and the
// dialogs.
#pragma once
#include <windows.h>

// Boxes and labels are drawn between begin_boxes and end_boxes: the DC's
// own brush is selected and text is transparent once for all of them (a
// paint draws hundreds), and the DC is given back as it was.
struct BoxPainting {
    HGDIOBJ brush;
    COLORREF brush_color;
    int background_mode;
};
BoxPainting begin_boxes(HDC dc);
void end_boxes(HDC dc, const BoxPainting& saved);
// A filled box in one of four frame styles: flat, black rounded frame,
// raised or sunken 3D edge.
void draw_box(HDC dc, const RECT& rect, COLORREF fill, int frame, int raised, int sunken);
// One line of text centred in rect, not clipped.
void draw_label(HDC dc, const wchar_t* text, const RECT& rect, COLORREF color);

void rect_to_client(HWND window, RECT& rect);

// The fills the dialogs put behind their hints (light yellow), captions
// and chosen figures (light cyan), figures (white) and the calculator's
// display (black): made for one dialog, freed when it goes.
struct DialogBrushes {
    HBRUSH light_yellow;
    HBRUSH light_cyan;
    HBRUSH white;
    HBRUSH black;
};
DialogBrushes make_dialog_brushes();
void free_dialog_brushes(DialogBrushes& brushes);
