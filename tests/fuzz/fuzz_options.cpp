// Option.bin of any content, from memory.
#include <cstdlib>
#include <cstring>

#include "settings/options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    OptionsRecord record;
    options_from_bytes(&record, data, size);
    if (record.reshow_seconds == 0 || std::strlen(record.title) > title_max_bytes) std::abort();
    if (!std::memchr(record.month_font.lfFaceName, 0, sizeof record.month_font.lfFaceName)) std::abort();
    return 0;
}
