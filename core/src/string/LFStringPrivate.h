// The formatting behind the temporary strings, and their pool.
#ifndef LFSTRINGPRIVATE_H
#define LFSTRINGPRIVATE_H

#include <stdarg.h>  // va_list

#include "LFString.h"

// The size of the stack buffer text is formatted into (1023
// characters and the NUL).
enum { _LFFormatBufferSize = 1024 };
// Formats printf-style into buffer, cut at _LFFormatBufferSize - 1
// characters; an encoding error gives an empty text. Non-zero when cut.
int _LFFormatV(char buffer[_LFFormatBufferSize], const char* format, va_list args);

// A malloc'd block of length bytes holding an empty string, not
// pooled; null when length is not positive or memory runs out.
char* _LFMakeString(int length);
// Frees every pooled string.
void _LFCleanTempStrings();
// Number of strings in the pool.
int _LFTempStringCount();

#endif
