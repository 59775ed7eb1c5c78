#ifdef RAVO_STARTUP_TRACE
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/startup_trace.h"

namespace {
struct Stamp {
    const char* what;
    ULONGLONG at;  // 100 ns units
};
Stamp stamps[64];
int stamp_count;

ULONGLONG as_number(FILETIME time) { return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime; }
}  // namespace

void trace_stamp(const char* what)
{
    if (stamp_count == 64) return;
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    stamps[stamp_count++] = Stamp{what, as_number(now)};
}

void write_startup_trace()
{
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    std::string text;
    char line[160];
    ULONGLONG previous = as_number(created);
    for (int i = 0; i < stamp_count; ++i) {
        std::snprintf(line, sizeof line, "%8.2f ms  +%7.2f  %s\r\n", (stamps[i].at - as_number(created)) / 1e4,
                      (stamps[i].at - previous) / 1e4, stamps[i].what);
        previous = stamps[i].at;
        text += line;
    }
    text += "\r\n";
    wchar_t path[MAX_PATH];
    GetTempPathW(MAX_PATH, path);
    lstrcatW(path, L"ravo-startup-trace.txt");
    HANDLE file = CreateFileW(path, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}
#endif
