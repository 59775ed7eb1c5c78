#include "view/fonts.h"

// The view fonts arrive with the calendar view; nothing is held until then.
void create_view_fonts() {}
void free_view_fonts() {}
