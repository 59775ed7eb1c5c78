// Start-up to a painted window and resident memory: Ravo.exe against the
// least program that shows the same window, started alternately from
// fresh folders. Prints medians.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "find_window.h"

namespace {

struct Sample {
    double milliseconds;
    double resident_kib;
};

// Painted: a pixel of the client, away from any text, shows the background.
bool painted(HWND window)
{
    POINT point = {3, 3};
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    COLORREF pixel = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return pixel == RGB(0x88, 0xC0, 0xB8);
}

Sample run_once(const std::wstring& exe, const wchar_t* class_name, WPARAM exit_command)
{
    std::wstring folder = e2e::new_program_folder();
    std::wstring name = exe.substr(exe.find_last_of(L'\\') + 1);
    CopyFileW(exe.c_str(), (folder + name).c_str(), FALSE);
    e2e::Program program;
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    Sample sample = {-1, 0};
    if (!e2e::start_executable(program, folder, name.c_str(), L"", nullptr)) return sample;
    HWND window = nullptr;
    for (int spins = 0; spins < 200000; ++spins) {
        if (!window) window = find_class(program.process.dwProcessId, class_name);
        if (window && painted(window)) break;
        Sleep(0);
    }
    QueryPerformanceCounter(&now);
    sample.milliseconds = (now.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
    Sleep(300);  // settled, as it stays on the desk
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(program.process.hProcess, &memory, sizeof memory))
        sample.resident_kib = memory.WorkingSetSize / 1024.0;
    if (window) PostMessageW(window, exit_command ? WM_COMMAND : WM_CLOSE, exit_command, 0);
    if (window && !exit_command) PostMessageW(window, WM_DESTROY, 0, 0);
    if (e2e::wait_for_exit(program, 10000) == STILL_ACTIVE) e2e::kill_program(program);
    e2e::remove_folder(folder);
    return sample;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::atoi(argv[1]) : 9;
    std::wstring here = e2e::own_folder();
    std::vector<double> ravo_ms, ravo_kib, bare_ms, bare_kib;
    for (int i = 0; i < rounds; ++i) {
        Sample bare = run_once(here + L"bare_window.exe", L"BareZured", 0);
        Sample ravo = run_once(here + L"Ravo.exe", L"Zured", 40003);
        bare_ms.push_back(bare.milliseconds);
        bare_kib.push_back(bare.resident_kib);
        ravo_ms.push_back(ravo.milliseconds);
        ravo_kib.push_back(ravo.resident_kib);
    }
    std::printf("start-up to a painted window  Ravo %7.1f ms   bare %7.1f ms   ratio %.2f\n", median(ravo_ms),
                median(bare_ms), median(ravo_ms) / median(bare_ms));
    std::printf("resident memory               Ravo %7.0f KiB  bare %7.0f KiB  ratio %.2f\n", median(ravo_kib),
                median(bare_kib), median(ravo_kib) / median(bare_kib));
    HANDLE file = CreateFileW((here + L"Ravo.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    LARGE_INTEGER size = {};
    GetFileSizeEx(file, &size);
    CloseHandle(file);
    std::printf("Ravo.exe                      %lld bytes (%.2f MB)\n", static_cast<long long>(size.QuadPart),
                size.QuadPart / 1048576.0);
    return 0;
}
