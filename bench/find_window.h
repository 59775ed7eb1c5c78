// The visible top-level window of a class that a process shows (null while
// it has none): how the benchmarks find the programs they started.
#pragma once
#include <windows.h>

inline HWND find_class(DWORD process_id, const wchar_t* class_name)
{
    struct Search {
        DWORD process_id;
        const wchar_t* name;
        HWND found;
    } search = {process_id, class_name, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t name[32];
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->process_id && IsWindowVisible(window) && GetClassNameW(window, name, 32) &&
                lstrcmpW(name, s->name) == 0) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}
