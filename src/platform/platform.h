// The few things the portable core needs from the operating system.
// Paths are UTF-8; the Windows implementation converts them to UTF-16.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

struct LocalTime {
    int year;     // full year
    int month;    // 1..12
    int day;
    int weekday;  // 0 = Sunday
    int hour;
    int minute;
    int second;
};

void local_time_now(LocalTime* now);

// Full path of the running executable (module_instance may be null for the
// program itself). Returns false when it cannot be found or does not fit.
bool module_file_name(void* module_instance, char* path, size_t capacity);

// Reading a file in pieces. open_input_file gives null when the file
// cannot be opened; `missing` then tells whether it does not exist.
struct InputFile;
InputFile* open_input_file(const char* path, bool* missing);
// Bytes read, 0 at the end of the file, -1 after a read error.
long read_input_file(InputFile* file, void* buffer, size_t size);
void close_input_file(InputFile* file);

// Why the last file change (or open for reading) failed, so a message can
// say what the user can do about it.
enum FileProblem {
    file_fine,
    file_held,           // another program has it open
    file_read_only,      // the file's read-only mark is set
    file_denied,         // no right to write (or held by a scanner)
    file_path_too_long,  // past what the system takes
    file_disk_full,
    file_unreadable,     // it exists but could not be read
    file_failed,         // anything else
};
FileProblem last_file_problem();
// Kept for last_file_problem by the platform's own calls; always false.
bool note_file_problem(FileProblem problem);
// The reason in a few Japanese words for a message (UTF-8): "読み取り専用です".
const char* file_problem_text(FileProblem problem);

// How long, in all, the changes given it may wait for another program to
// let go of a file: a save waits about a second, a read never (no waits).
// A file found held once in a run is not waited for again.
struct FileWaits {
    int left_ms;
};
enum { save_wait_ms = 1000 };

// The file changes a save is made of; a crash can fall between any two.
// Writes `content` to `path` (created, or emptied first) and flushes it to
// the disk.
bool write_new_file(const char* path, const std::vector<unsigned char>& content);
// Puts the file `from` in the place of `to`, replacing it and keeping what
// belongs to the file rather than its bytes (rights, attributes,
// encryption, creation time) where the system can. When another program
// holds `to` so that it cannot be replaced even after waiting (as long as
// `waits` allows; none without), the bytes of `from` are written over `to`
// in place and `from` is removed. False when neither works.
bool move_over(const char* from, const char* to, FileWaits* waits = nullptr);
// Writes `content` over the file itself, keeping its identity (what a file
// of several names needs to stay one file). The room is taken first and
// the old bytes are put back when the write fails, so a full disk never
// leaves it half new.
bool write_in_place(const char* path, const std::vector<unsigned char>& content);
bool remove_file(const char* path);
// The file exists with its read-only mark set: it can be neither replaced
// nor written.
bool is_read_only_file(const char* path);
// The file a path names once links are followed (the path itself when it
// is missing), and how many names that file has.
std::string linked_file(const char* path, unsigned* names);

// For tests: another program opens the file for reading only, as a
// spreadsheet does. Until it lets go, the file can be read but not
// replaced, written or removed.
struct HeldFile;
HeldFile* hold_file_open(const char* path);
void let_go_of_file(HeldFile* held);

// Writes `content` to a new file beside `path` and moves it over `path`,
// so a failure leaves the previous file whole. A link stays a link: the
// file it names is replaced (a file of several names is written in place).
// True when all of it reached the disk.
bool replace_file(const char* path, const std::vector<unsigned char>& content);

// For tests of what a crash leaves: after `changes` more file changes
// (the calls above), every further one changes nothing and fails, as if
// the program had ended there; -1 lets them all through again.
void stop_file_changes_after(long changes);
// Whether the next file change may happen (counts it).
bool file_change_allowed();

bool path_exists(const char* path);
// Creates a folder; an existing one is fine. False when it cannot exist.
bool make_directory(const char* path);

// The current user's registration to start at logon: a string value under
// Software\Microsoft\Windows\CurrentVersion\Run. Failures pass silently.
void set_run_value(const char* name, const char* command);
void delete_run_value(const char* name);

// Built on the calls above (files.cpp):

// Reads up to `size` bytes from the start of an existing file. False when
// the file cannot be opened; `bytes_read` then stays 0. `unreadable` (when
// given) tells a file that exists but could not be opened or read whole
// from one that is missing or short.
bool read_file_start(const char* path, void* buffer, size_t size, size_t* bytes_read, bool* unreadable = nullptr);

// The last part of a path: the file's name.
std::string file_name_of(const std::string& path);

// Reads a whole file; false when it cannot be opened or read.
bool read_whole_file(const char* path, std::vector<unsigned char>& content, bool* missing);

// Puts `size` bytes at the start of the file, creating it if missing and
// keeping whatever lies beyond them, through replace_file.
bool write_file_start(const char* path, const void* data, size_t size);
