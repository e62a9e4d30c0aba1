// The flags of open() that Windows has under other names or needs besides:
// its descriptors are text, translating line ends, unless opened O_BINARY,
// and programs the process starts inherit them unless opened _O_NOINHERIT.
#ifndef LFFILEFLAGS_H
#define LFFILEFLAGS_H

#include <fcntl.h>

#ifdef _WIN32
#define O_CLOEXEC _O_NOINHERIT
#else
#define O_BINARY 0
#endif

#endif
