// Stand-in for the session request in the test build of the program:
// records the flags in session-request.txt beside the exe instead of
// ending the session.
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
