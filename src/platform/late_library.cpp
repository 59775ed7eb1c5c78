#include "platform/late_library.h"

FARPROC late_function(const wchar_t* library, const char* name)
{
    HMODULE module = GetModuleHandleW(library);
    if (!module) module = LoadLibraryW(library);
    return module ? GetProcAddress(module, name) : nullptr;
}

void init_common_controls()
{
    // Version 6 registers what it is asked for: the tooltips, the property
    // sheet's tabs, the up-down control and the list views.
    INITCOMMONCONTROLSEX classes = {sizeof classes,
                                    ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES};
    if (auto init = late<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>(L"comctl32.dll", "InitCommonControlsEx"))
        init(&classes);
}

INT_PTR run_property_sheet(PROPSHEETHEADERW* header)
{
    auto run = late<INT_PTR(WINAPI*)(PROPSHEETHEADERW*)>(L"comctl32.dll", "PropertySheetW");
    return run ? run(header) : -1;
}

BOOL run_font_picker(CHOOSEFONTW* dialog)
{
    auto choose = late<BOOL(WINAPI*)(CHOOSEFONTW*)>(L"comdlg32.dll", "ChooseFontW");
    return choose ? choose(dialog) : FALSE;
}

BOOL run_color_picker(CHOOSECOLORW* dialog)
{
    auto choose = late<BOOL(WINAPI*)(CHOOSECOLORW*)>(L"comdlg32.dll", "ChooseColorW");
    return choose ? choose(dialog) : FALSE;
}
