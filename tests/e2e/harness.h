// Drives Ravo.exe from another process the way a person would: start it
// from a fresh program folder, find its window, send it messages, read
// back its files and its pixels.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

typedef std::vector<uint8_t> Bytes;

struct Program {
    PROCESS_INFORMATION process = {};
    DWORD window_process = 0;  // owner of the window; 0 = any (fake clock)
    HWND window = nullptr;
    std::wstring folder;
};

// Folder of the running test executable (Ravo.exe is built beside it).
std::wstring own_folder();
// A new empty folder under the temporary folder, with Ravo.exe copied in.
std::wstring new_program_folder();
void remove_folder(const std::wstring& folder);

// Starts folder\Ravo.exe. `fake_time` ("2009-12-06 09:05:07") starts its
// clock at that local time. False when it could not be started.
bool start_program(Program& program, const std::wstring& folder, const char* fake_time = nullptr);
// The same for any executable in the folder, with arguments.
bool start_executable(Program& program, const std::wstring& folder, const wchar_t* name,
                      const std::wstring& arguments, const char* fake_time);
// The visible or hidden top-level Zured window of the process (any
// process for 0), waiting for it up to `timeout_ms`.
HWND wait_for_window(DWORD process_id, int timeout_ms = 15000);
// Finds the program's window and keeps it in `program`; for a program on
// a fake clock also the process that owns it. False after the timeout.
bool attach_window(Program& program, int timeout_ms = 15000);
// All top-level windows of class Zured on the desktop.
std::vector<HWND> zured_windows();
// Round trip through the program's message queue: everything posted
// before has been handled.
bool settle(HWND window);
// Waits for the process to end; its exit code, or STILL_ACTIVE.
DWORD wait_for_exit(Program& program, int timeout_ms = 15000);
// Sends the exit command and waits for the process to end. True when it
// ended with code 0.
bool exit_program(Program& program);
// Ends the process hard (cleanup after a failed test).
void kill_program(Program& program);

std::wstring file_in(const std::wstring& folder, const wchar_t* name);
// What the probe DLL writes is UTF-8.
std::wstring wide_from_utf8(const std::string& text);
Bytes read_file(const std::wstring& path);
bool write_file(const std::wstring& path, const Bytes& bytes);
bool file_exists(const std::wstring& path);

// Client area of a window as seen on the screen, 32-bit pixels 0x00RRGGBB.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    // 0xFFFFFFFF outside the capture (a failed capture is empty).
    uint32_t at(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height) return 0xFFFFFFFF;
        return pixels[static_cast<size_t>(y) * width + x];
    }
};
Capture capture_screen(const RECT& area);
Capture capture_client(HWND window);
Capture capture_window(HWND window);  // frame included
bool save_bitmap(const Capture& capture, const std::wstring& path);

}  // namespace e2e
