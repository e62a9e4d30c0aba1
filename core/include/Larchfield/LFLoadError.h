// The exception a constructor throws when the file it loads cannot be:
// a std::bad_alloc, so code that catches that keeps working, whose what()
// says why and names the file.
#ifndef LFLOADERROR_H
#define LFLOADERROR_H

#include <new>  // std::bad_alloc

// Thrown by LFTexture(path), LFFont(path, aliasMode), LFSound(path) and
// LFTextureCacheLoad(path) when the file cannot be loaded; the reason is
// also left in LFError().
class LFLoadError : public std::bad_alloc {
public:
    // Keeps a copy of reason, cut at 511 bytes.
    explicit LFLoadError(const char* reason);
    // The reason, naming the file: "<path>: <why>".
    const char* what() const noexcept override;

private:
    char _reason[512];
};

#endif
