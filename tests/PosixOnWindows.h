// The few POSIX calls the tests make that Windows' C library lacks, in its
// own terms. A Windows build includes this before every test source.
#ifndef POSIXONWINDOWS_H
#define POSIXONWINDOWS_H
#ifdef _WIN32

#include <direct.h>  // _mkdir
#include <fcntl.h>   // _O_CREAT, _O_EXCL, _O_RDWR, _O_BINARY
#include <io.h>      // _mktemp_s, _open
#include <stdlib.h>  // _putenv_s, getenv
#include <string.h>  // strlen

#include <string>

// Windows' _putenv_s also sets the variable for the system's own calls, which
// SDL reads; an empty value removes it.
inline int setenv(const char* name, const char* value, int overwrite)
{
    if (!overwrite && getenv(name))
        return 0;
    return _putenv_s(name, value) == 0 ? 0 : -1;
}

inline int unsetenv(const char* name)
{
    return _putenv_s(name, "") == 0 ? 0 : -1;
}

inline char* mkdtemp(char* pattern)
{
    if (_mktemp_s(pattern, strlen(pattern) + 1) != 0 || _mkdir(pattern) != 0)
        return nullptr;
    return pattern;
}

// mkstemps: the six X before a suffix of suffixLength characters.
inline int mkstemps(char* pattern, int suffixLength)
{
    size_t length = strlen(pattern) - suffixLength;
    std::string suffix(pattern + length);
    pattern[length] = '\0';
    int made = _mktemp_s(pattern, length + 1);
    memcpy(pattern + length, suffix.c_str(), suffix.size() + 1);
    if (made != 0)
        return -1;
    return _open(pattern, _O_CREAT | _O_EXCL | _O_RDWR | _O_BINARY, 0600);
}

#endif
#endif
