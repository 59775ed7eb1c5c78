// Stand-ins for the test build of the program: the session request records
// its flags in session-request.txt beside the exe instead of ending the
// session; the notification area refuses as many additions as
// refuse-icon.txt says, as a shell not ready at logon does, and notes each
// addition in icon-calls.txt.
#include <cstdio>

#include "app/session.h"
#include "settings/program_folder.h"

void request_session_end(UINT exit_flags)
{
    char path[path_capacity];
    program_file(path, sizeof path, "session-request.txt");
    if (FILE* file = std::fopen(path, "w")) {
        std::fprintf(file, "%u", exit_flags);
        std::fclose(file);
    }
}

BOOL notify_icon(DWORD message, NOTIFYICONDATAW* data)
{
    if (message != NIM_ADD) return Shell_NotifyIconW(message, data);
    char path[path_capacity];
    program_file(path, sizeof path, "refuse-icon.txt");
    int refusals = 0;
    if (FILE* file = std::fopen(path, "r")) {
        if (std::fscanf(file, "%d", &refusals) != 1) refusals = 0;
        std::fclose(file);
    }
    static int additions = 0;
    const bool refused = additions++ < refusals;
    char log[path_capacity];
    program_file(log, sizeof log, "icon-calls.txt");
    if (FILE* file = std::fopen(log, "ab")) {
        std::fputs(refused ? "refused\n" : "added\n", file);
        std::fclose(file);
    }
    return refused ? FALSE : Shell_NotifyIconW(message, data);
}
