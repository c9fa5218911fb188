// The debug trace: printf-style lines on standard output. Each call is flushed
// so that a trace captured through a pipe or a file is complete even when the
// program is killed.
#pragma once

#if defined(__GNUC__)
#define TRACE_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define TRACE_FORMAT(fmt, args)
#endif

void Trace(const char* format, ...) TRACE_FORMAT(1, 2);
