#include "settings/run_value.h"

#include <string>

#include "platform/platform.h"
#include "settings/program_folder.h"

void apply_run_value(int register_value)
{
    if (register_value != run_value_register) {
        delete_run_value("Ravo.exe");
        return;
    }
    // Quoted: an unquoted path with spaces lets Windows start another
    // program first ("C:\Program.exe" for "C:\Program Files\...").
    std::string command = std::string("\"") + program_path() + "\"";
    set_run_value("Ravo.exe", command.c_str());
}
