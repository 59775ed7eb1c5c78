// Time stamps of the start-up path, counted from the process's creation,
// added to ravo-startup-trace.txt in the temporary folder once the start
// is finished.
// Only in a build with RAVO_STARTUP_TRACE defined; otherwise nothing.
#pragma once

#ifdef RAVO_STARTUP_TRACE
void trace_stamp(const char* what);
void write_startup_trace();
#else
inline void trace_stamp(const char*) {}
inline void write_startup_trace() {}
#endif
