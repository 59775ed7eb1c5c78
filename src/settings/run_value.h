// The value under the current user's Run key that starts the program at
// logon.
#pragma once

enum { run_value_register = 1, run_value_remove = 2 };

// register_value 1 writes the value, anything else removes it.
void apply_run_value(int register_value);
