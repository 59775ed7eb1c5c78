// Every setting of the program: one 512-byte record, stored byte for byte
// as Option.bin in the program folder.
#pragma once
#include <cstddef>
#include <cstdint>

typedef uint32_t ColorRef;  // 0x00BBGGRR, as the Win32 COLORREF

// The Win32 LOGFONTA layout (60 bytes), so the record needs no Windows header.
#pragma pack(push, 1)
struct StoredLogFont {
    int32_t lfHeight;
    int32_t lfWidth;
    int32_t lfEscapement;
    int32_t lfOrientation;
    int32_t lfWeight;
    uint8_t lfItalic;
    uint8_t lfUnderline;
    uint8_t lfStrikeOut;
    uint8_t lfCharSet;
    uint8_t lfOutPrecision;
    uint8_t lfClipPrecision;
    uint8_t lfQuality;
    uint8_t lfPitchAndFamily;
    char lfFaceName[32];  // Shift-JIS
};

enum FrameElement {
    frame_month,
    frame_year,
    frame_today,
    frame_time,
    frame_win,
    frame_loss,
    frame_day,
    frame_weekday,
    frame_element_count
};

struct OptionsRecord {
    StoredLogFont month_font;
    int8_t show_time;
    int8_t topmost;
    int32_t month_top;
    int32_t month_left;
    int8_t no_title_bar;
    int8_t small_mode;
    char title[21];  // Shift-JIS
    int8_t hide_shutdown_items;
    int8_t no_exit_confirm;
    int8_t no_seconds;
    uint8_t reserved_96;
    int8_t clock_content;  // 0 date, 1 date and time, 2 time
    int8_t show_results;
    int32_t small_top;
    int32_t small_left;
    int8_t digital_clock;
    uint8_t reserved_108[2];
    int8_t year_mode;
    int32_t year_top;
    int32_t year_left;
    uint8_t reserved_119[9];
    char format_version;
    StoredLogFont year_font;
    ColorRef sunday_color;
    ColorRef weekday_color;
    ColorRef saturday_color;
    ColorRef today_text_color;
    ColorRef today_back_color;
    ColorRef month_text_color;
    ColorRef month_back_color;
    ColorRef year_text_color;
    ColorRef year_back_color;
    ColorRef time_text_color;
    ColorRef time_back_color;
    ColorRef background_color;
    ColorRef win_color;
    ColorRef loss_color;
    ColorRef small_text_color;
    ColorRef small_back_color;
    ColorRef custom_colors[16];
    int8_t frame_flags[frame_element_count];
    int8_t raised_flags[frame_element_count];
    int8_t sunken_flags[frame_element_count];
    int8_t start_with_windows;
    int8_t auto_hide;
    int8_t reshow_seconds;
    uint8_t reserved_344[168];
};
#pragma pack(pop)

enum { options_size = 512, title_max_bytes = 20 };

OptionsRecord* options();

// The three generations of defaults, oldest first.
void apply_base_defaults(OptionsRecord* record);
void apply_q_defaults(OptionsRecord* record);
void apply_t_defaults(OptionsRecord* record);
// All three: what a fresh start holds.
void apply_fresh_defaults(OptionsRecord* record);

// What a first start shows beyond the defaults: the wins and losses, and
// for a user whose display language is Japanese the Japanese names.
enum { shift_jis_charset = 128 };
void apply_first_start_look(OptionsRecord* record, bool japanese);
// There was no Option.bin at load_options (not merely an unreadable one).
bool options_were_missing();

// Fills the record from Option.bin, or with the defaults. Always 1.
int load_options();
// Fills a record from the bytes of such a file (the defaults for what a
// short one lacks).
void options_from_bytes(OptionsRecord* record, const unsigned char* data, size_t size);
// Writes the record over the start of Option.bin and applies the Run value.
// 1 when the file was written completely, else 0.
int save_options();
