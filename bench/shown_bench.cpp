// Start-up as a person sees it: from CreateProcess until the window is on
// the screen with its picture painted, watched from this process by
// capturing the window's client from the screen every few milliseconds.
// Ravo.exe and bench/bare_window.exe run alternately, each from a fresh
// folder holding the same Option.bin, year files and Holiday.ini; the
// order within a pair alternates too. Prints both medians and their ratio.
//   shown_bench [pairs] [-v]   (-v: every start's time as well)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "find_window.h"
#include "support/option_bytes.h"

namespace {

namespace ob = option_bytes;

const int poll_ms = 3;
const int give_up_ms = 15000;
// The calendar's background (Option.bin's default) and the bare window's
// fill, as the screen capture gives it.
const uint32_t background = 0x88C0B8;
// The place of both windows: clear of Wine's own icon window at 0,0.
const int window_left = 300;
const int window_top = 300;

struct Contender {
    const wchar_t* exe;
    const wchar_t* class_name;
    WPARAM exit_command;  // 0: closed with WM_CLOSE
};

std::vector<uint8_t> options_file()
{
    ob::Bytes bytes = ob::default_file();
    ob::put32(bytes, ob::month_left, window_left);
    ob::put32(bytes, ob::month_top, window_top);
    return bytes;
}

// A year as a person fills it in: most days played, a short memo on each,
// now and then a day off. Raw tables: amounts, memos, day-off marks.
void write_year(const std::wstring& folder, int year)
{
    const int months = 12, days = 31, memo_bytes = 21;
    std::vector<uint8_t> amounts(months * days * 4), memos(months * days * memo_bytes), day_off(months * days);
    const char* const places[] = {"ABC hall", "XYZ kaikan", "station", "horse tokyo", "boat"};
    for (int slot = 0; slot < months * days; ++slot) {
        if (slot % 3 == 2) continue;
        const int32_t amount = ((slot * 7919 + year) % 41 - 20) * 500;
        ob::put32(amounts, static_cast<size_t>(slot) * 4, static_cast<uint32_t>(amount ? amount : -1));
        std::snprintf(reinterpret_cast<char*>(&memos[static_cast<size_t>(slot) * memo_bytes]), memo_bytes, "%s",
                      places[(slot + year) % 5]);
        day_off[slot] = slot % 17 == 0;
    }
    const std::wstring stem = folder + std::to_wstring(year);
    e2e::write_file(stem + L".dat", amounts);
    e2e::write_file(stem + L"m.dat", memos);
    e2e::write_file(stem + L"h.dat", day_off);
}

// A fresh program folder with the exe and what a user of some years has
// beside it.
std::wstring prepare_folder(const std::wstring& exe_name)
{
    const std::wstring here = e2e::own_folder();
    std::wstring folder = e2e::new_program_folder();
    CopyFileW((here + exe_name).c_str(), (folder + exe_name).c_str(), FALSE);
    CopyFileW((here + L"Holiday.ini").c_str(), (folder + L"Holiday.ini").c_str(), FALSE);
    e2e::write_file(folder + L"Option.bin", options_file());
    SYSTEMTIME now;
    GetLocalTime(&now);
    for (int year = now.wYear - 10; year <= now.wYear + 1; ++year) write_year(folder, year);
    return folder;
}

// The window's client as the screen shows it, copied into a bitmap made
// once per size: a fresh bitmap for every look would cost the polling
// process ten times as much, taken from the programs it times.
struct Grab {
    HDC screen = nullptr;
    HDC memory = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    const uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
};

void release_grab(Grab& grab)
{
    if (grab.memory) {
        SelectObject(grab.memory, grab.old);
        DeleteObject(grab.bitmap);
        DeleteDC(grab.memory);
    }
    if (grab.screen) ReleaseDC(nullptr, grab.screen);
    grab = Grab();
}

bool make_grab(Grab& grab, int width, int height)
{
    release_grab(grab);
    grab.screen = GetDC(nullptr);
    grab.memory = CreateCompatibleDC(grab.screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    grab.bitmap = CreateDIBSection(grab.screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!grab.bitmap) return false;
    grab.old = SelectObject(grab.memory, grab.bitmap);
    grab.bits = static_cast<const uint32_t*>(bits);
    grab.width = width;
    grab.height = height;
    return true;
}

// False when the window has no client to show.
bool grab_client(Grab& grab, HWND window)
{
    RECT area;
    GetClientRect(window, &area);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;
    if ((width != grab.width || height != grab.height) && !make_grab(grab, width, height)) return false;
    BitBlt(grab.memory, 0, 0, width, height, grab.screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    return true;
}

// Painted: the background covers a good part of the client and text
// stands on it.
bool painted(const Grab& grab)
{
    const size_t all = static_cast<size_t>(grab.width) * grab.height;
    if (all == 0) return false;
    size_t fill = 0;
    for (size_t i = 0; i < all; ++i) fill += (grab.bits[i] & 0xFFFFFF) == background;
    return fill * 4 >= all && (all - fill) * 100 >= all;
}

// FNV-1a over the size and the pixels: a picture seen while polling is
// compared with the one that stays without keeping them all.
uint64_t picture_hash(const Grab& grab)
{
    uint64_t hash = 14695981039346656037ULL;
    auto mix = [&hash](uint32_t value) { hash = (hash ^ value) * 1099511628211ULL; };
    mix(static_cast<uint32_t>(grab.width));
    mix(static_cast<uint32_t>(grab.height));
    const size_t all = static_cast<size_t>(grab.width) * grab.height;
    for (size_t i = 0; i < all; ++i) mix(grab.bits[i] & 0xFFFFFF);
    return hash;
}

struct Seen {
    double milliseconds;
    uint64_t hash;
};

double elapsed_ms(const LARGE_INTEGER& start)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return (now.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
}

void end_program(e2e::Program& program, HWND window, WPARAM exit_command)
{
    if (window) PostMessageW(window, exit_command ? WM_COMMAND : WM_CLOSE, exit_command, 0);
    if (e2e::wait_for_exit(program, 10000) == STILL_ACTIVE) e2e::kill_program(program);
}

// Milliseconds from CreateProcess to the first look of the client that
// is the one it keeps once settled, when that is a painted calendar; -1
// when it never showed so. Before its first paint a window shows what lay
// under it, or a picture not yet in its place.
double run_once(const Contender& contender)
{
    const std::wstring folder = prepare_folder(contender.exe);
    e2e::Program program;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    std::vector<Seen> seen;
    HWND window = nullptr;
    Grab grab;
    double milliseconds = -1;
    if (e2e::start_executable(program, folder, contender.exe, L"", nullptr)) {
        // Watched on for a while after the first painted look: a picture
        // may show before the window has its place.
        double watch_until = give_up_ms;
        while (elapsed_ms(start) < watch_until) {
            if (!window) window = find_class(program.process.dwProcessId, contender.class_name);
            if (window && IsWindowVisible(window) && grab_client(grab, window)) {
                seen.push_back(Seen{elapsed_ms(start), picture_hash(grab)});
                if (painted(grab) && watch_until == give_up_ms) watch_until = seen.back().milliseconds + 300;
            }
            Sleep(poll_ms);
        }
        Sleep(300);  // settled, as it stays on the desk
        if (window && grab_client(grab, window) && painted(grab)) {
            const uint64_t kept = picture_hash(grab);
            for (size_t i = 0; i < seen.size() && milliseconds < 0; ++i)
                if (seen[i].hash == kept) milliseconds = seen[i].milliseconds;
        }
        release_grab(grab);
        end_program(program, window, contender.exit_command);
    }
    e2e::remove_folder(folder);
    Sleep(200);  // the ended process's teardown out of the next start's way
    return milliseconds;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    const int pairs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const bool each = argc > 2 && std::string(argv[2]) == "-v";
    const Contender ravo = {L"Ravo.exe", L"Zured", 40003};
    const Contender bare = {L"bare_window.exe", L"BareZured", 0};
    run_once(bare);  // warms the file cache and the server for both
    run_once(ravo);
    std::vector<double> ravo_ms, bare_ms, ratios;
    for (int i = 0; i < pairs; ++i) {
        const bool bare_first = i % 2 == 0;
        double first = run_once(bare_first ? bare : ravo);
        double second = run_once(bare_first ? ravo : bare);
        double r = bare_first ? second : first, b = bare_first ? first : second;
        if (each) std::printf("pair %d: Ravo %.1f ms, bare %.1f ms\n", i + 1, r, b);
        if (r < 0 || b < 0) {
            std::printf("pair %d: a window never showed painted\n", i + 1);
            continue;
        }
        ravo_ms.push_back(r);
        bare_ms.push_back(b);
        ratios.push_back(r / b);
    }
    if (ravo_ms.empty()) return 1;
    std::printf("shown and painted, from outside  Ravo %7.1f ms   bare %7.1f ms   ratio %.2f   (%zu pairs; "
                "median of pair ratios %.2f)\n",
                median(ravo_ms), median(bare_ms), median(ravo_ms) / median(bare_ms), ravo_ms.size(), median(ratios));
    return 0;
}
