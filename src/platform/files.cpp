#include <cstring>

#include "platform/platform.h"

bool read_file_start(const char* path, void* buffer, size_t size, size_t* bytes_read, bool* unreadable)
{
    *bytes_read = 0;
    bool missing = false;
    InputFile* file = open_input_file(path, &missing);
    if (unreadable) *unreadable = !file && !missing;
    if (!file) return false;
    char* target = static_cast<char*>(buffer);
    while (*bytes_read < size) {
        long got = read_input_file(file, target + *bytes_read, size - *bytes_read);
        if (got < 0 && unreadable) *unreadable = true;
        if (got <= 0) break;
        *bytes_read += static_cast<size_t>(got);
    }
    close_input_file(file);
    return true;
}

std::string file_name_of(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool read_whole_file(const char* path, std::vector<unsigned char>& content, bool* missing)
{
    content.clear();
    InputFile* file = open_input_file(path, missing);
    if (!file) return false;
    // Large reads straight into the content: a year's visits are many pages.
    size_t have = 0;
    long got;
    do {
        if (content.size() - have < 16384) content.resize(content.size() < 65536 ? 65536 : content.size() * 2);
        got = read_input_file(file, content.data() + have, content.size() - have);
        if (got > 0) have += static_cast<size_t>(got);
    } while (got > 0);
    close_input_file(file);
    content.resize(have);
    return got == 0;
}

bool write_file_start(const char* path, const void* data, size_t size)
{
    std::vector<unsigned char> content;
    bool missing = false;
    // An existing file that cannot be read must not be replaced: its tail
    // would be lost.
    if (!read_whole_file(path, content, &missing) && !missing) return false;
    if (content.size() < size) content.resize(size);
    if (size) std::memcpy(content.data(), data, size);
    return replace_file(path, content);
}

namespace {
// The file changes of the run: how many more a test lets through (-1: no
// limit), and why the last one failed.
struct FileChanges {
    long left;
    FileProblem last_problem;
};
FileChanges changes = {-1, file_fine};
}  // namespace

FileProblem last_file_problem() { return changes.last_problem; }

bool note_file_problem(FileProblem problem)
{
    changes.last_problem = problem;
    return false;
}

const char* file_problem_text(FileProblem problem)
{
    switch (problem) {
    case file_held: return "ほかのプログラムが開いています。";
    case file_read_only: return "読み取り専用です。";
    case file_denied: return "書き込む権限がありません（ほかのプログラムが開いていることもあります）。";
    case file_path_too_long: return "パスが長すぎます。もっと短い名前のフォルダに移してください。";
    case file_disk_full: return "ディスクがいっぱいです。";
    case file_unreadable: return "読めません。";
    default: return "書き込めませんでした。";
    }
}

void stop_file_changes_after(long count) { changes.left = count; }

bool file_change_allowed()
{
    if (changes.left < 0) return true;
    if (changes.left == 0) return note_file_problem(file_failed);
    --changes.left;
    return true;
}

bool replace_file(const char* path, const std::vector<unsigned char>& content)
{
    // A link stays a link: the file it names is the one replaced.
    unsigned names = 1;
    const std::string target = linked_file(path, &names);
    if (names > 1) return write_in_place(target.c_str(), content);
    const std::string temporary = target + ".new";
    FileWaits waits = {save_wait_ms};
    if (write_new_file(temporary.c_str(), content) && move_over(temporary.c_str(), target.c_str(), &waits)) return true;
    const FileProblem problem = last_file_problem();
    remove_file(temporary.c_str());
    return note_file_problem(problem);
}
