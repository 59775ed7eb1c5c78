#include "view/pickers.h"

namespace {
FARPROC picker_function(const char* name)
{
    static HMODULE library = LoadLibraryW(L"comdlg32.dll");
    return library ? GetProcAddress(library, name) : nullptr;
}

template <typename Function>
Function picker(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(picker_function(name)));
}
}  // namespace

BOOL run_font_picker(CHOOSEFONTW* dialog)
{
    auto choose = picker<BOOL(WINAPI*)(CHOOSEFONTW*)>("ChooseFontW");
    return choose ? choose(dialog) : FALSE;
}

BOOL run_color_picker(CHOOSECOLORW* dialog)
{
    auto choose = picker<BOOL(WINAPI*)(CHOOSECOLORW*)>("ChooseColorW");
    return choose ? choose(dialog) : FALSE;
}
