#include "dialogs/properties.h"

// The property sheet arrives with the settings pages.
void show_properties(HWND, HINSTANCE) {}
