#include "settings/options.h"

#include <cstring>

#include "platform/platform.h"
#include "platform/shift_jis.h"
#include "settings/program_folder.h"
#include "settings/run_value.h"

// Option.bin is the record itself: every offset is part of the file format.
static_assert(sizeof(StoredLogFont) == 60, "LOGFONTA is 60 bytes");
static_assert(offsetof(StoredLogFont, lfFaceName) == 28, "face name at 28");
static_assert(sizeof(OptionsRecord) == options_size, "Option.bin is 512 bytes");
static_assert(offsetof(OptionsRecord, month_font) == 0, "");
static_assert(offsetof(OptionsRecord, show_time) == 60, "");
static_assert(offsetof(OptionsRecord, topmost) == 61, "");
static_assert(offsetof(OptionsRecord, month_top) == 62, "");
static_assert(offsetof(OptionsRecord, month_left) == 66, "");
static_assert(offsetof(OptionsRecord, no_title_bar) == 70, "");
static_assert(offsetof(OptionsRecord, small_mode) == 71, "");
static_assert(offsetof(OptionsRecord, title) == 72, "");
static_assert(offsetof(OptionsRecord, hide_shutdown_items) == 93, "");
static_assert(offsetof(OptionsRecord, no_exit_confirm) == 94, "");
static_assert(offsetof(OptionsRecord, no_seconds) == 95, "");
static_assert(offsetof(OptionsRecord, reserved_96) == 96, "");
static_assert(offsetof(OptionsRecord, clock_content) == 97, "");
static_assert(offsetof(OptionsRecord, show_results) == 98, "");
static_assert(offsetof(OptionsRecord, small_top) == 99, "");
static_assert(offsetof(OptionsRecord, small_left) == 103, "");
static_assert(offsetof(OptionsRecord, digital_clock) == 107, "");
static_assert(offsetof(OptionsRecord, reserved_108) == 108, "");
static_assert(offsetof(OptionsRecord, year_mode) == 110, "");
static_assert(offsetof(OptionsRecord, year_top) == 111, "");
static_assert(offsetof(OptionsRecord, year_left) == 115, "");
static_assert(offsetof(OptionsRecord, reserved_119) == 119, "");
static_assert(offsetof(OptionsRecord, format_version) == 128, "");
static_assert(offsetof(OptionsRecord, year_font) == 129, "");
static_assert(offsetof(OptionsRecord, sunday_color) == 189, "");
static_assert(offsetof(OptionsRecord, weekday_color) == 193, "");
static_assert(offsetof(OptionsRecord, saturday_color) == 197, "");
static_assert(offsetof(OptionsRecord, today_text_color) == 201, "");
static_assert(offsetof(OptionsRecord, today_back_color) == 205, "");
static_assert(offsetof(OptionsRecord, month_text_color) == 209, "");
static_assert(offsetof(OptionsRecord, month_back_color) == 213, "");
static_assert(offsetof(OptionsRecord, year_text_color) == 217, "");
static_assert(offsetof(OptionsRecord, year_back_color) == 221, "");
static_assert(offsetof(OptionsRecord, time_text_color) == 225, "");
static_assert(offsetof(OptionsRecord, time_back_color) == 229, "");
static_assert(offsetof(OptionsRecord, background_color) == 233, "");
static_assert(offsetof(OptionsRecord, win_color) == 237, "");
static_assert(offsetof(OptionsRecord, loss_color) == 241, "");
static_assert(offsetof(OptionsRecord, small_text_color) == 245, "");
static_assert(offsetof(OptionsRecord, small_back_color) == 249, "");
static_assert(offsetof(OptionsRecord, custom_colors) == 253, "");
static_assert(offsetof(OptionsRecord, frame_flags) == 317, "");
static_assert(offsetof(OptionsRecord, raised_flags) == 325, "");
static_assert(offsetof(OptionsRecord, sunken_flags) == 333, "");
static_assert(offsetof(OptionsRecord, start_with_windows) == 341, "");
static_assert(offsetof(OptionsRecord, auto_hide) == 342, "");
static_assert(offsetof(OptionsRecord, reshow_seconds) == 343, "");
static_assert(offsetof(OptionsRecord, reserved_344) == 344, "");
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "Option.bin and the year files are little-endian dumps"
#endif

namespace {
// The program's settings, and whether Option.bin existed but could not
// be read when they were loaded (it is then never written over).
struct LoadedOptions {
    OptionsRecord record;
    bool unreadable;
    bool missing;  // no Option.bin: the program's first start in its folder
};
LoadedOptions loaded;

const char default_face[] = "Times New Roman";
const char options_file[] = "Option.bin";

void set_font(StoredLogFont& font, int32_t height)
{
    font.lfHeight = height;
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    std::memcpy(font.lfFaceName, default_face, sizeof default_face);
}

void set_frame_flags(int8_t* flags, const int8_t (&values)[frame_element_count])
{
    std::memcpy(flags, values, frame_element_count);
}

void options_path(char (&path)[path_capacity]) { program_file(path, sizeof path, options_file); }
}  // namespace

OptionsRecord* options() { return &loaded.record; }

void apply_base_defaults(OptionsRecord* record)
{
    std::memset(record, 0, sizeof *record);
    set_font(record->month_font, 20);
    std::memcpy(record->title, "Tovrel", sizeof "Tovrel");
    record->topmost = 1;
}

void apply_q_defaults(OptionsRecord* record)
{
    record->format_version = 'q';
    set_font(record->year_font, 16);
    record->sunday_color = 0x000000FF;
    record->weekday_color = 0x00000000;
    record->saturday_color = 0x00FF0000;
    record->today_text_color = 0x00000000;
    record->today_back_color = 0x00FFFFE0;
    record->month_text_color = 0x00000000;
    record->month_back_color = 0x00FFFFFF;
    record->year_text_color = 0x00008000;
    record->year_back_color = 0x00B8C088;
    record->time_text_color = 0x00FF0000;
    record->time_back_color = 0x00B8C088;
    record->background_color = 0x00B8C088;
    record->win_color = 0x0000FFFF;
    record->loss_color = 0x00E0E0FF;
    record->small_text_color = 0x0000FFFF;
    record->small_back_color = 0x00000000;
    for (int i = 0; i < 16; ++i) record->custom_colors[i] = 0x00B8C088;
    record->custom_colors[1] = 0x00FFFFE0;
    record->custom_colors[2] = 0x00E0FFFF;
    record->custom_colors[3] = 0x00E0E0FF;
    set_frame_flags(record->frame_flags, {1, 0, 1, 0, 1, 1, 0, 0});
}

void apply_t_defaults(OptionsRecord* record)
{
    record->format_version = 't';
    record->today_text_color = record->today_back_color;
    record->frame_flags[frame_day] = 0;
    record->frame_flags[frame_weekday] = 0;
    record->frame_flags[frame_win] = 1;
    record->frame_flags[frame_loss] = 1;
    set_frame_flags(record->raised_flags, {1, 0, 1, 0, 1, 1, 0, 0});
    set_frame_flags(record->sunken_flags, {0, 0, 0, 0, 0, 1, 0, 0});
    record->start_with_windows = 0;
    record->auto_hide = 0;
    record->reshow_seconds = 5;
}

void apply_fresh_defaults(OptionsRecord* record)
{
    apply_base_defaults(record);
    apply_q_defaults(record);
    apply_t_defaults(record);
}

void options_from_bytes(OptionsRecord* record, const unsigned char* data, size_t size)
{
    apply_base_defaults(record);
    // A short file overwrote only its own length; the rest keeps the base layer.
    std::memcpy(record, data, size < sizeof *record ? size : sizeof *record);
    if (static_cast<signed char>(record->format_version) < 'q') apply_q_defaults(record);
    if (static_cast<signed char>(record->format_version) < 't') apply_t_defaults(record);
    if (record->reshow_seconds == 0) record->reshow_seconds = 5;
    // A damaged file may hold text fields without their NUL.
    terminate_sjis_field(record->title, sizeof record->title);
    terminate_sjis_field(record->month_font.lfFaceName, sizeof record->month_font.lfFaceName);
    terminate_sjis_field(record->year_font.lfFaceName, sizeof record->year_font.lfFaceName);
}

void apply_first_start_look(OptionsRecord* record, bool japanese)
{
    record->show_results = 1;
    if (!japanese) return;
    // The weekday and month names follow the fonts' character set.
    record->month_font.lfCharSet = shift_jis_charset;
    record->year_font.lfCharSet = shift_jis_charset;
}

bool options_were_missing() { return loaded.missing; }

int load_options()
{
    char path[path_capacity];
    options_path(path);
    unsigned char bytes[options_size];
    size_t bytes_read = 0;
    loaded.missing = false;
    if (!read_file_start(path, bytes, sizeof bytes, &bytes_read, &loaded.unreadable)) {
        apply_fresh_defaults(&loaded.record);
        loaded.missing = !loaded.unreadable;
        return 1;
    }
    options_from_bytes(&loaded.record, bytes, bytes_read);
    return 1;
}

int save_options()
{
    char path[path_capacity];
    options_path(path);
    // Settings that could not be read (a file locked by another program)
    // are defaults here: they must not replace the user's own.
    if (loaded.unreadable || !write_file_start(path, &loaded.record, sizeof loaded.record)) return 0;
    apply_run_value(loaded.record.start_with_windows ? run_value_register : run_value_remove);
    return 1;
}
