#include "e2e/harness.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <ctime>

namespace e2e {

namespace {
const wchar_t program_name[] = L"Ravo.exe";
const DWORD poll_ms = 20;

// Milliseconds from now to the given local time "YYYY-MM-DD hh:mm:ss".
bool milliseconds_until(const char* local_time, long long& milliseconds)
{
    int year, month, day, hour, minute, second;
    if (std::sscanf(local_time, "%d-%d-%d %d:%d:%d", &year, &month, &day, &hour, &minute, &second) != 6) return false;
    SYSTEMTIME target = {};
    target.wYear = static_cast<WORD>(year);
    target.wMonth = static_cast<WORD>(month);
    target.wDay = static_cast<WORD>(day);
    target.wHour = static_cast<WORD>(hour);
    target.wMinute = static_cast<WORD>(minute);
    target.wSecond = static_cast<WORD>(second);
    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME target_file, now_file;
    SystemTimeToFileTime(&target, &target_file);
    SystemTimeToFileTime(&now, &now_file);
    auto ticks = [](FILETIME t) { return (static_cast<long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    milliseconds = (ticks(target_file) - ticks(now_file)) / 10000;
    return true;
}

// Wine gives a new Windows process the Unix environment of its server, so
// libfaketime cannot be passed through CreateProcess. Wine does start Unix
// programs, though: env sets the fake clock and starts wine on the exe.
std::wstring fake_clock_command(const char* fake_time, const std::wstring& program_and_arguments)
{
    long long offset = 0;
    if (!milliseconds_until(fake_time, offset)) return std::wstring();
    // libfaketime reads an offset only with its sign. To the millisecond, so
    // the clock starts at the given second and not up to one second later.
    wchar_t seconds[32];
    swprintf(seconds, 32, L"%c%lld.%03llds", offset < 0 ? L'-' : L'+', std::llabs(offset) / 1000, std::llabs(offset) % 1000);
    return L"Z:\\usr\\bin\\env LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 FAKETIME=" +
           std::wstring(seconds) + L" NO_FAKE_STAT=1 FAKETIME_DONT_FAKE_MONOTONIC=1 /usr/bin/wine " +
           program_and_arguments;
}

struct WindowSearch {
    DWORD process_id;
    HWND found;
};

BOOL CALLBACK match_process_window(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<WindowSearch*>(data);
    wchar_t name[16];
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    bool ours = search->process_id == 0 || owner == search->process_id;
    if (ours && GetClassNameW(window, name, 16) && wcscmp(name, L"Zured") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK collect_zured(HWND window, LPARAM data)
{
    wchar_t name[16];
    if (GetClassNameW(window, name, 16) && wcscmp(name, L"Zured") == 0)
        reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}
}  // namespace

std::wstring own_folder()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring text(path, length);
    return text.substr(0, text.find_last_of(L"\\/") + 1);
}

std::wstring new_program_folder()
{
    static int counter = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder;
    do {
        folder = std::wstring(temp) + L"ravo-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(++counter) + L"\\";
    } while (!CreateDirectoryW(folder.c_str(), nullptr));
    CopyFileW((own_folder() + program_name).c_str(), (folder + program_name).c_str(), FALSE);
    return folder;
}

void remove_folder(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                remove_folder(folder + name + L"\\");
            else
                DeleteFileW((folder + name).c_str());
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

bool start_program(Program& program, const std::wstring& folder, const char* fake_time)
{
    return start_executable(program, folder, program_name, L"", fake_time);
}

bool start_executable(Program& program, const std::wstring& folder, const wchar_t* name,
                      const std::wstring& arguments, const char* fake_time)
{
    program = Program();
    program.folder = folder;
    std::wstring path = folder + name;
    std::wstring command = L"\"" + path + L"\" " + arguments;
    if (fake_time) {
        command = fake_clock_command(fake_time, command);
        if (command.empty()) return false;
        program.window_process = 0;  // the Windows process is wine's child
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessW(fake_time ? nullptr : path.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &program.process))
        return false;
    if (!fake_time) program.window_process = program.process.dwProcessId;
    return true;
}

HWND wait_for_window(DWORD process_id, int timeout_ms)
{
    for (int waited = 0; waited <= timeout_ms; waited += poll_ms) {
        WindowSearch search = {process_id, nullptr};
        EnumWindows(match_process_window, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(poll_ms);
    }
    return nullptr;
}

bool attach_window(Program& program, int timeout_ms)
{
    program.window = wait_for_window(program.window_process, timeout_ms);
    if (!program.window) return false;
    if (program.window_process == 0) {
        // Started through env and wine: the handle we hold is of a Unix
        // process and cannot be waited on; take the real one.
        DWORD owner = 0;
        GetWindowThreadProcessId(program.window, &owner);
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, owner);
        if (!process) return false;
        if (program.process.hProcess) CloseHandle(program.process.hProcess);
        if (program.process.hThread) CloseHandle(program.process.hThread);
        program.process = PROCESS_INFORMATION();
        program.process.hProcess = process;
        program.process.dwProcessId = owner;
        program.window_process = owner;
    }
    // Until the program has started up: a round trip of sent messages may
    // be answered while it still waits on the shell for its icon, before
    // anything posted to it is taken up.
    WaitForInputIdle(program.process.hProcess, 10000);
    return true;
}

std::vector<HWND> zured_windows()
{
    std::vector<HWND> windows;
    EnumWindows(collect_zured, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool settle(HWND window)
{
    // A sent message is handled before anything posted, so one round trip
    // proves little: the pause lets the program take up what was posted,
    // and the second round trip waits until it is done with it.
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result)) return false;
    Sleep(25);
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result)) return false;
    // Then the repaint it asked for, and its way to the screen.
    for (int waited = 0; waited < 1000 && GetUpdateRect(window, nullptr, FALSE); waited += 10) Sleep(10);
    Sleep(30);
    return true;
}

DWORD wait_for_exit(Program& program, int timeout_ms)
{
    if (!program.process.hProcess) return STILL_ACTIVE;
    WaitForSingleObject(program.process.hProcess, static_cast<DWORD>(timeout_ms));
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(program.process.hProcess, &code);
    if (code != STILL_ACTIVE) {
        CloseHandle(program.process.hProcess);
        CloseHandle(program.process.hThread);
        program.process = PROCESS_INFORMATION();
    }
    return code;
}

bool exit_program(Program& program)
{
    if (program.window) PostMessageW(program.window, WM_COMMAND, 40003, 0);
    return wait_for_exit(program) == 0;
}

void kill_program(Program& program)
{
    if (!program.process.hProcess) return;
    TerminateProcess(program.process.hProcess, 1);
    wait_for_exit(program);
}

std::wstring file_in(const std::wstring& folder, const wchar_t* name) { return folder + name; }

std::wstring wide_from_utf8(const std::string& text)
{
    int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    if (length > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

Bytes read_file(const std::wstring& path)
{
    Bytes bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    uint8_t chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.insert(bytes.end(), chunk, chunk + got);
    CloseHandle(file);
    return bytes;
}

bool write_file(const std::wstring& path, const Bytes& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD wrote = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) && wrote == bytes.size();
    CloseHandle(file);
    return ok;
}

bool file_exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

Capture capture_screen(const RECT& area)
{
    Capture capture;
    capture.width = area.right - area.left;
    capture.height = area.bottom - area.top;
    if (capture.width <= 0 || capture.height <= 0) return Capture();

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, capture.width, capture.height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const uint32_t* source = static_cast<const uint32_t*>(bits);
    capture.pixels.assign(source, source + static_cast<size_t>(capture.width) * capture.height);
    for (uint32_t& pixel : capture.pixels) pixel &= 0x00FFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return capture;
}

Capture capture_client(HWND window)
{
    RECT area;
    GetClientRect(window, &area);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    return capture_screen(area);
}

Capture capture_window(HWND window)
{
    RECT area;
    GetWindowRect(window, &area);
    return capture_screen(area);
}

bool save_bitmap(const Capture& capture, const std::wstring& path)
{
    BITMAPFILEHEADER file_header = {};
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = capture.width;
    header.biHeight = -capture.height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    DWORD image_size = static_cast<DWORD>(capture.pixels.size() * 4);
    file_header.bfType = 0x4D42;
    file_header.bfOffBits = sizeof file_header + sizeof header;
    file_header.bfSize = file_header.bfOffBits + image_size;
    Bytes bytes(file_header.bfSize);
    memcpy(bytes.data(), &file_header, sizeof file_header);
    memcpy(bytes.data() + sizeof file_header, &header, sizeof header);
    memcpy(bytes.data() + file_header.bfOffBits, capture.pixels.data(), image_size);
    return write_file(path, bytes);
}

}  // namespace e2e
