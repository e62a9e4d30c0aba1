// The exception of the constructors that load a file: a std::bad_alloc that
// carries its reason in a buffer of its own, so throwing it allocates nothing.
#include <stdio.h>  // snprintf

#include "LFLoadError.h"

LFLoadError::LFLoadError(const char* reason)
{
    // Outside LFInit..LFDeInit there is no error text to copy.
    snprintf(_reason, sizeof _reason, "%s", reason ? reason : "the file could not be loaded");
}

const char* LFLoadError::what() const noexcept
{
    return _reason;
}
