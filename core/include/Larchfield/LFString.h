// Throw-away formatted strings. Every string lives in one pool that the logic
// loop empties at the end of each tick (LFLogicUpdate).
#ifndef LFSTRING_H
#define LFSTRING_H

// printf-style text of at most 1023 characters, never freed by the caller and
// valid until the current logic tick ends. Null for a null format or when
// memory runs out.
char* LFTempString(const char* input, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Internal: a malloc'd block of length bytes holding an empty string, not
// pooled; null when length is not positive or memory runs out.
char* _LFMakeString(int length);
// Internal: frees every pooled string.
void _LFCleanTempStrings();
// Internal: number of strings in the pool.
int _LFTempStringCount();

#endif
