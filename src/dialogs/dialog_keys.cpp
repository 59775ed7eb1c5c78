#include "dialogs/dialog_keys.h"

#include "view/dpi.h"

namespace {
const wchar_t cell_procedure_name[] = L"RavoCellProcedure";

WNDPROC cell_procedure(HWND cell) { return reinterpret_cast<WNDPROC>(GetPropW(cell, cell_procedure_name)); }

// After the static has drawn itself: the frame is inverted, so it shows
// on any colour.
void draw_focus(HWND cell)
{
    if (GetFocus() != cell) return;
    RECT frame;
    GetClientRect(cell, &frame);
    const int inset = scale_to_dpi(1, window_dpi(cell));
    InflateRect(&frame, -inset, -inset);
    HDC dc = GetDC(cell);
    DrawFocusRect(dc, &frame);
    ReleaseDC(cell, dc);
}

bool is_enter(LPARAM lparam)
{
    const MSG* message = reinterpret_cast<const MSG*>(lparam);
    return message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN;
}

LRESULT CALLBACK focus_cell_procedure(HWND cell, UINT message, WPARAM wparam, LPARAM lparam)
{
    const WNDPROC original = cell_procedure(cell);
    switch (message) {
    case WM_GETDLGCODE:
        return CallWindowProcW(original, cell, message, wparam, lparam) | DLGC_WANTARROWS |
               (is_enter(lparam) ? DLGC_WANTMESSAGE : 0);
    case WM_KEYDOWN:
        if (wparam != VK_SPACE && wparam != VK_RETURN) break;
        SendMessageW(GetParent(cell), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(cell), STN_CLICKED),
                     reinterpret_cast<LPARAM>(cell));
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(cell, nullptr, TRUE); break;
    case WM_SETTEXT: {
        // Some statics draw new text at once, over the frame: drawn anew.
        LRESULT result = CallWindowProcW(original, cell, message, wparam, lparam);
        if (GetFocus() == cell) InvalidateRect(cell, nullptr, TRUE);
        return result;
    }
    case WM_PAINT: {
        LRESULT result = CallWindowProcW(original, cell, message, wparam, lparam);
        draw_focus(cell);
        return result;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrW(cell, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropW(cell, cell_procedure_name);
        break;
    default: break;
    }
    return CallWindowProcW(original, cell, message, wparam, lparam);
}
}  // namespace

HHOOK watch_dialog_keys(HOOKPROC hook) { return SetWindowsHookExW(WH_MSGFILTER, hook, nullptr, GetCurrentThreadId()); }

HWND dialog_taking_key(const MSG& message, DLGPROC procedure)
{
    if (message.message != WM_KEYDOWN && message.message != WM_CHAR) return nullptr;
    HWND dialog = GetAncestor(message.hwnd, GA_ROOT);
    if (!dialog || reinterpret_cast<DLGPROC>(GetWindowLongPtrW(dialog, DWLP_DLGPROC)) != procedure) return nullptr;
    return IsWindowEnabled(dialog) ? dialog : nullptr;
}

bool control_held() { return GetKeyState(VK_CONTROL) < 0; }

bool arrow_moves_focus(HWND dialog, const MSG& message)
{
    if (message.message != WM_KEYDOWN) return false;
    const bool back = message.wParam == VK_LEFT || message.wParam == VK_UP;
    if (!back && message.wParam != VK_RIGHT && message.wParam != VK_DOWN) return false;
    const LRESULT wanted = SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
    if (wanted & DLGC_WANTARROWS) return false;
    SendMessageW(dialog, WM_NEXTDLGCTL, back, FALSE);
    return true;
}

void make_focus_cell(HWND control)
{
    if (!control || cell_procedure(control)) return;
    SetPropW(control, cell_procedure_name, reinterpret_cast<HANDLE>(GetWindowLongPtrW(control, GWLP_WNDPROC)));
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(focus_cell_procedure));
}

void free_dialog_made(DialogMade& made)
{
    if (made.keys) UnhookWindowsHookEx(made.keys);
    free_dialog_brushes(made.brushes);
    if (made.font) DeleteObject(made.font);
    made = DialogMade();
}
