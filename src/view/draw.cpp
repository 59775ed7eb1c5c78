#include "view/draw.h"

#include <initializer_list>

namespace {
// Solid fills with the DC's own brush, which the caller has selected: a
// paint draws hundreds of boxes and makes no brush or pen for them.
void fill(HDC dc, long left, long top, long right, long bottom, COLORREF color)
{
    SetDCBrushColor(dc, color);
    PatBlt(dc, left, top, right - left, bottom - top, PATCOPY);
}

// The two-pixel bevel of a raised or sunken edge in the system's 3D
// colours, laid out as DrawEdge lays it (left and top first, then right
// and bottom over the corners), drawn with plain fills.
void draw_bevel(HDC dc, const RECT& r, bool sunken)
{
    COLORREF outer_top = GetSysColor(sunken ? COLOR_3DSHADOW : COLOR_3DLIGHT);
    COLORREF inner_top = GetSysColor(sunken ? COLOR_3DDKSHADOW : COLOR_3DHILIGHT);
    COLORREF outer_bottom = GetSysColor(sunken ? COLOR_3DHILIGHT : COLOR_3DDKSHADOW);
    COLORREF inner_bottom = GetSysColor(sunken ? COLOR_3DLIGHT : COLOR_3DSHADOW);
    fill(dc, r.left, r.top, r.right, r.top + 1, outer_top);
    fill(dc, r.left, r.top, r.left + 1, r.bottom, outer_top);
    fill(dc, r.left + 1, r.top + 1, r.right - 1, r.top + 2, inner_top);
    fill(dc, r.left + 1, r.top + 1, r.left + 2, r.bottom - 1, inner_top);
    fill(dc, r.left, r.bottom - 1, r.right, r.bottom, outer_bottom);
    fill(dc, r.right - 1, r.top, r.right, r.bottom, outer_bottom);
    // Drawn on their own, the inner right and bottom lines run to the far
    // corners over the left and top lines.
    fill(dc, r.left, r.bottom - 2, r.right - 1, r.bottom - 1, inner_bottom);
    fill(dc, r.right - 2, r.top, r.right - 1, r.bottom - 1, inner_bottom);
}
}  // namespace

BoxPainting begin_boxes(HDC dc)
{
    const COLORREF brush_color = GetDCBrushColor(dc);
    return BoxPainting{SelectObject(dc, GetStockObject(DC_BRUSH)), brush_color, SetBkMode(dc, TRANSPARENT)};
}

void end_boxes(HDC dc, const BoxPainting& saved)
{
    SetBkMode(dc, saved.background_mode);
    SetDCBrushColor(dc, saved.brush_color);
    SelectObject(dc, saved.brush);
}

void draw_box(HDC dc, const RECT& rect, COLORREF fill_color, int frame, int raised, int sunken)
{
    if (raised) {
        // The box outlined in its own colour, then the edge over it.
        fill(dc, rect.left, rect.top, rect.right, rect.bottom, fill_color);
        draw_bevel(dc, rect, sunken != 0);
    } else if (frame) {
        HGDIOBJ old_pen = SelectObject(dc, GetStockObject(BLACK_PEN));
        SetDCBrushColor(dc, fill_color);
        RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, 10, 10);
        SelectObject(dc, old_pen);
    } else {
        // A rectangle outlined in its fill colour covers what a fill covers.
        fill(dc, rect.left, rect.top, rect.right, rect.bottom, fill_color);
    }
}

void draw_label(HDC dc, const wchar_t* text, const RECT& rect, COLORREF color)
{
    SetTextColor(dc, GetNearestColor(dc, color));
    RECT area = rect;
    DrawTextW(dc, text, -1, &area, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOCLIP);
}


void rect_to_client(HWND window, RECT& rect)
{
    POINT corner = {rect.left, rect.top};
    ScreenToClient(window, &corner);
    rect.left = corner.x;
    rect.top = corner.y;
    corner = {rect.right, rect.bottom};
    ScreenToClient(window, &corner);
    rect.right = corner.x;
    rect.bottom = corner.y;
}

DialogBrushes make_dialog_brushes()
{
    return DialogBrushes{CreateSolidBrush(RGB(255, 255, 224)), CreateSolidBrush(RGB(224, 255, 255)),
                         CreateSolidBrush(RGB(255, 255, 255)), CreateSolidBrush(RGB(0, 0, 0))};
}

void free_dialog_brushes(DialogBrushes& brushes)
{
    for (HBRUSH brush : {brushes.light_yellow, brushes.light_cyan, brushes.white, brushes.black})
        if (brush) DeleteObject(brush);
    brushes = DialogBrushes();
}
