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

// Internal: the size of the stack buffer text is formatted into (1023
// characters and the NUL).
enum { _LFFormatBufferSize = 1024 };
// Internal: formats printf-style into buffer, cut at _LFFormatBufferSize - 1
// characters; an encoding error gives an empty text. Non-zero when cut.
int _LFFormatV(char buffer[_LFFormatBufferSize], const char* format, va_list args);

// Internal: a malloc'd block of length bytes holding an empty string, not
// pooled; null when length is not positive or memory runs out.
char* _LFMakeString(int length);
// Internal: frees every pooled string.
void _LFCleanTempStrings();
// Internal: number of strings in the pool.
int _LFTempStringCount();

#endif
