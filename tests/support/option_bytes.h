// Option.bin as documented, built from offsets alone (not from the code
// under test), for the native and the end-to-end tests.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace option_bytes {

typedef std::vector<uint8_t> Bytes;

enum Offset : size_t {
    show_time = 60,
    topmost = 61,
    month_top = 62,
    month_left = 66,
    no_title_bar = 70,
    small_mode = 71,
    title = 72,
    small_top = 99,
    small_left = 103,
    year_mode = 110,
    year_top = 111,
    year_left = 115,
    format_version = 128,
    today_text_color = 201,
    today_back_color = 205,
    background_color = 233,
    frame_flags = 317,
    raised_flags = 325,
    sunken_flags = 333,
    start_with_windows = 341,
    auto_hide = 342,
    reshow_seconds = 343,
};

// The 512 bytes a fresh start writes.
Bytes default_file();
void put32(Bytes& bytes, size_t offset, uint32_t value);
uint32_t get32(const Bytes& bytes, size_t offset);

}  // namespace option_bytes
