// What the dialogs share for the keyboard: their own keys, seen before the
// dialog manager handles them, and statics that take the focus.
#pragma once
#include <windows.h>

#include "view/draw.h"

// Hooks this thread's message filter, which the dialog manager calls with
// every message of a dialog before it handles it; unhook in WM_DESTROY.
HHOOK watch_dialog_keys(HOOKPROC hook);
// The dialog of `procedure` that a key message of the filter goes to (to
// the dialog or one of its controls); null for other windows and while the
// dialog is disabled, as it is under a box it opened.
HWND dialog_taking_key(const MSG& message, DLGPROC procedure);
bool control_held();
// The arrow keys on a control that has no use for them move the focus as
// Tab and Shift+Tab do, never onto a label, a frame or a keypad key. True
// when the message was one of them.
bool arrow_moves_focus(HWND dialog, const MSG& message);

// Makes a notifying static a place for the keyboard: it shows the focus as
// a dotted frame inside its edge, Space and Enter click it, and the arrow
// keys never carry the focus off to a label.
void make_focus_cell(HWND control);

// What a dialog makes for itself: its key hook, its fills and a font of its
// own, all given back in WM_DESTROY however it ends.
struct DialogMade {
    HHOOK keys;
    DialogBrushes brushes;
    HFONT font;
};
void free_dialog_made(DialogMade& made);
