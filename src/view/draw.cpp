#include "view/draw.h"

#include <commdlg.h>

#include "settings/options.h"

#include <cstring>

namespace {
CHOOSECOLORW picker;
COLORREF custom_colors[16];
}  // namespace

void draw_box(HDC dc, const RECT& rect, COLORREF fill, int frame, int raised, int sunken)
{
    // The DC's own brush and pen take the colours: nothing to make or
    // delete for each of the hundreds of boxes of a paint.
    HGDIOBJ old_brush = SelectObject(dc, GetStockObject(DC_BRUSH));
    HGDIOBJ old_pen = SelectObject(dc, GetStockObject(DC_PEN));
    COLORREF old_brush_color = SetDCBrushColor(dc, fill);
    COLORREF old_pen_color = SetDCPenColor(dc, frame && !raised ? RGB(0, 0, 0) : fill);
    if (raised) {
        Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
        RECT edge = rect;
        UINT kind = sunken ? EDGE_SUNKEN : EDGE_RAISED;
        DrawEdge(dc, &edge, kind, BF_LEFT | BF_TOP);
        edge = rect;
        DrawEdge(dc, &edge, kind, BF_RIGHT | BF_BOTTOM);
    } else if (frame) {
        RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, 10, 10);
    } else {
        Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    }
    SetDCBrushColor(dc, old_brush_color);
    SetDCPenColor(dc, old_pen_color);
    SelectObject(dc, old_brush);
    SelectObject(dc, old_pen);
}

void draw_label(HDC dc, const wchar_t* text, const RECT& rect, COLORREF color)
{
    SetTextColor(dc, GetNearestColor(dc, color));
    int old_mode = SetBkMode(dc, TRANSPARENT);
    RECT area = rect;
    DrawTextW(dc, text, -1, &area, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOCLIP);
    SetBkMode(dc, old_mode);
}

int choose_color(HWND owner, COLORREF initial)
{
    picker = CHOOSECOLORW();
    picker.lStructSize = sizeof picker;
    picker.hwndOwner = owner;
    picker.rgbResult = initial;
    // The custom colours belong to the options record and are saved with
    // it; they sit at an odd offset there, so the dialog gets an aligned copy.
    std::memcpy(custom_colors, options()->custom_colors, sizeof custom_colors);
    picker.lpCustColors = custom_colors;
    picker.Flags = CC_RGBINIT | CC_FULLOPEN;
    int confirmed = ChooseColorW(&picker) ? 1 : 0;
    std::memcpy(options()->custom_colors, custom_colors, sizeof custom_colors);
    return confirmed;
}

COLORREF picked_color() { return picker.rgbResult; }

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
