// Memory over many openings of each dialog: Ravo.exe against
// dialog_floor.exe, which opens the same dialog templates with nothing of
// ours in them. What both grow by is the system's; what Ravo grows by beyond
// that is ours. The verdict goes by the private memory the process holds
// (its commit charge); the working set (resident pages) is shown beside
// it, but it also counts file pages that the kernel drops and takes back
// while other programs run, by some MiB either way.
// dialog_memory_bench [openings]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "e2e/harness.h"
#include "find_window.h"
#include "res/resource.h"

namespace {

struct Dialog {
    const wchar_t* name;
    const wchar_t* caption;
    UINT message;  // what opens it, posted to the main window
    WPARAM wparam;
};
const Dialog dialogs[] = {
    {L"year dialog", L"年情報", WM_COMMAND, IDM_YEAR_INFO},
    {L"analysis window", L"収支分析", WM_COMMAND, IDM_ANALYSIS},
    {L"day entry", L"勝ったり負けたり", WM_KEYDOWN, VK_RETURN},
    {L"property sheet", L"プロパティ", WM_COMMAND, IDM_PROPERTIES},
};
// A hundred openings first: what the system and the program make once, or
// until their caches and the heap's first pages have filled, is no growth.
const int warm_up_openings = 100;

bool round_trip(HWND window)
{
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored) != 0;
}

HWND wait_for_dialog(DWORD process_id, const wchar_t* caption)
{
    for (int spins = 0; spins < 10000; ++spins) {
        HWND dialog = FindWindowW(L"#32770", caption);
        DWORD owner = 0;
        if (dialog) GetWindowThreadProcessId(dialog, &owner);
        if (dialog && owner == process_id && IsWindowVisible(dialog)) return dialog;
        Sleep(1);
    }
    return nullptr;
}

// Opened as a person opens it, closed as Escape closes it, and waited for
// until the main window is idle again.
bool open_and_close(HWND window, DWORD process_id, const Dialog& dialog)
{
    PostMessageW(window, dialog.message, dialog.wparam, 0);
    HWND shown = wait_for_dialog(process_id, dialog.caption);
    if (!shown || !round_trip(shown)) return false;
    PostMessageW(shown, WM_COMMAND, IDCANCEL, 0);
    for (int spins = 0; spins < 10000 && IsWindow(shown); ++spins) Sleep(1);
    return !IsWindow(shown) && round_trip(window);
}

// The year files the ledger benchmark leaves beside us, so the windows
// show figures, memos and bars.
void copy_year_files(const std::wstring& from, const std::wstring& to)
{
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((from + L"*.dat").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        CopyFileW((from + entry.cFileName).c_str(), (to + entry.cFileName).c_str(), FALSE);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}

struct Memory {
    double private_kib;
    double working_set_kib;
};

Memory memory_of(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return Memory{0, 0};
    return Memory{counters.PagefileUsage / 1024.0, counters.WorkingSetSize / 1024.0};
}

// The growth over `openings` after the warm-up; `ok` false when the
// program failed to open or close the dialog.
Memory growth(const std::wstring& exe, const wchar_t* class_name, const Dialog& dialog, int openings, bool& ok)
{
    std::wstring folder = e2e::new_program_folder();
    std::wstring name = exe.substr(exe.find_last_of(L'\\') + 1);
    CopyFileW(exe.c_str(), (folder + name).c_str(), FALSE);
    copy_year_files(e2e::own_folder(), folder);
    e2e::Program program;
    Memory grown = {0, 0};
    ok = e2e::start_executable(program, folder, name.c_str(), L"", nullptr);
    if (ok) {
        const DWORD id = program.process.dwProcessId;
        HWND window = nullptr;
        for (int waited = 0; !window && waited < 15000; waited += 20, Sleep(20)) window = find_class(id, class_name);
        ok = window && e2e::settle(window);
        for (int i = 0; ok && i < warm_up_openings; ++i) ok = open_and_close(window, id, dialog);
        Sleep(200);
        const Memory before = memory_of(program.process.hProcess);
        for (int i = 0; ok && i < openings; ++i) ok = open_and_close(window, id, dialog);
        Sleep(200);
        const Memory after = memory_of(program.process.hProcess);
        grown = Memory{after.private_kib - before.private_kib, after.working_set_kib - before.working_set_kib};
        PostMessageW(window, WM_COMMAND, IDM_EXIT, 0);
    }
    if (e2e::wait_for_exit(program, 10000) == STILL_ACTIVE) e2e::kill_program(program);
    e2e::remove_folder(folder);
    return grown;
}

}  // namespace

int main(int argc, char** argv)
{
    const int openings = argc > 1 ? std::atoi(argv[1]) : 500;
    const std::wstring here = e2e::own_folder();
    std::printf("memory grown over %d openings, after %d to warm up; limit 1.2 x floor + 64 KiB\n", openings,
                warm_up_openings);
    std::printf("%-16s %28s %10s %24s\n", "", "private (KiB)", "", "working set (KiB)");
    std::printf("%-16s %9s %9s %9s %10s %11s %11s\n", "", "Ravo", "floor", "limit", "", "Ravo", "floor");
    for (const Dialog& dialog : dialogs) {
        bool ravo_ok = false, floor_ok = false;
        const Memory ravo = growth(here + L"Ravo.exe", L"Zured", dialog, openings, ravo_ok);
        const Memory floor = growth(here + L"dialog_floor.exe", L"DialogFloor", dialog, openings, floor_ok);
        const double limit = 1.2 * std::max(floor.private_kib, 0.0) + 64;
        const char* verdict = !ravo_ok || !floor_ok ? "FAILED" : ravo.private_kib <= limit ? "within" : "OVER";
        std::printf("%-16ls %+9.0f %+9.0f %9.0f %-10s %+11.0f %+11.0f\n", dialog.name, ravo.private_kib, floor.private_kib,
                    limit, verdict, ravo.working_set_kib, floor.working_set_kib);
    }
    return 0;
}
