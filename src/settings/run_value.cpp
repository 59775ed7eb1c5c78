#include "settings/run_value.h"

// Registration at logon comes with the desk-behaviour work; until then the
// registry is left alone.
void apply_run_value(int) {}
