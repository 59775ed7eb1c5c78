// Option.bin of any content: load, then save it back.
#include <cstring>

#include "fuzz/fuzz_folder.h"
#include "settings/options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    write_fuzz_file("Option.bin", data, size);
    load_options();
    if (options()->reshow_seconds == 0 || std::strlen(options()->title) > title_max_bytes) std::abort();
    save_options();
    return 0;
}
