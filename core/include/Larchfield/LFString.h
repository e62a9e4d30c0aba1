// Throw-away formatted strings. Every string lives in one pool that the logic
// loop empties at the end of each tick (LFLogicUpdate).
#ifndef LFSTRING_H
#define LFSTRING_H

#include <stdarg.h>  // va_list

// printf-style text of at most 1023 characters, never freed by the caller and
// valid until the current logic tick ends. Null for a null format or when
// memory runs out.
// Note: input is a format; copy other text with LFTempString("%s", text).
char* LFTempString(const char* input, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

#endif
