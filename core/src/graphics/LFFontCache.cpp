// The library's font cache. Holds nothing until fonts exist.
#include "LFFontCache.h"

_LFFontCache::_LFFontCache()
{
}

_LFFontCache::~_LFFontCache()
{
}

void _LFFontCache::clear()
{
}

int _LFFontCache::numberOfFonts()
{
    return 0;
}
