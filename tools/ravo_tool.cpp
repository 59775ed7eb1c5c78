// Small helper for the scripts, run under Wine next to a running Ravo.exe.
//   ravo-tool screenshot FILE.bmp   wait for the window, capture it with
//                                   its frame, then send the exit command
//   ravo-tool now FILE              write the local time as the program
//                                   sees it ("YYYY-MM-DD hh:mm:ss")
#include <windows.h>

#include <cstdio>
#include <string>

#include "e2e/harness.h"

namespace {

HWND wait_for_any_window(int timeout_ms)
{
    for (int waited = 0; waited < timeout_ms; waited += 50) {
        std::vector<HWND> windows = e2e::zured_windows();
        if (!windows.empty()) return windows.front();
        Sleep(50);
    }
    return nullptr;
}

int screenshot(const wchar_t* path)
{
    HWND window = wait_for_any_window(30000);
    if (!window || !e2e::settle(window)) {
        std::fprintf(stderr, "ravo-tool: no Ravo window\n");
        return 1;
    }
    Sleep(300);  // let the first paint reach the screen
    bool saved = e2e::save_bitmap(e2e::capture_window(window), path);
    PostMessageW(window, WM_COMMAND, 40003, 0);
    for (int waited = 0; IsWindow(window) && waited < 10000; waited += 50) Sleep(50);
    return saved ? 0 : 1;
}

int write_now(const wchar_t* path)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[32];
    int length = std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", now.wYear, now.wMonth, now.wDay,
                               now.wHour, now.wMinute, now.wSecond);
    return e2e::write_file(path, e2e::Bytes(text, text + length)) ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 3 && std::wstring(argv[1]) == L"screenshot") return screenshot(argv[2]);
    if (argc == 3 && std::wstring(argv[1]) == L"now") return write_now(argv[2]);
    std::fprintf(stderr, "usage: ravo-tool screenshot FILE.bmp | now FILE\n");
    return 2;
}
