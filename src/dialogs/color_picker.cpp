#include "dialogs/color_picker.h"

#include <commdlg.h>

#include "platform/late_library.h"

bool pick_color(HWND owner, COLORREF& color, COLORREF (&custom)[custom_color_count])
{
    CHOOSECOLORW picker = {};
    picker.lStructSize = sizeof picker;
    picker.hwndOwner = owner;
    picker.rgbResult = color;
    picker.lpCustColors = custom;
    picker.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!run_color_picker(&picker)) return false;
    color = picker.rgbResult;
    return true;
}
