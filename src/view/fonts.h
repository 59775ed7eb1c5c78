// The two long-lived fonts of the calendar views.
#pragma once

void create_view_fonts();
void free_view_fonts();
