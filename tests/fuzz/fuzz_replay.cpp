// libFuzzer harness for the replay reader: every input is written to a file
// and started as LF_REPLAY, as LFInit starts it; an input that is refused
// must say why, and one that is taken is replayed by a program of requests
// seeded from the input's bytes until it asks to quit. Built with clang and
// -DLF_BUILD_FUZZERS=ON, which instruments the library too; how to run it is
// in docs/testing.md.
#include <stddef.h>  // size_t
#include <stdint.h>  // uint8_t, uint32_t
#include <stdio.h>   // FILE, fopen, fwrite, fprintf
#include <stdlib.h>  // abort, atexit, mkdtemp, setenv
#include <unistd.h>  // rmdir, unlink

#include <random>
#include <string>

#include "DriveReplay.h"
#include "record/LFRecordPrivate.h"
#include "system/LFApplicationPrivate.h"

static std::string directory;
static std::string input;

static void RemoveInput()
{
    unlink(input.c_str());
    rmdir(directory.c_str());
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    char pattern[] = "/tmp/lffuzzXXXXXX";
    if (!mkdtemp(pattern))
        abort();
    directory = pattern;
    input = directory + "/input.lfrec";
    atexit(RemoveInput);
    // The library started without a display or any variable: its error text
    // is there, and the pump runs on SDL's dummy video driver.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (!LFInit()) {
        fprintf(stderr, "fuzz_replay: %s\n", LFError());
        abort();
    }
    setenv("LF_REPLAY", input.c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FILE* file = fopen(input.c_str(), "wb");
    if (!file || fwrite(data, 1, size, file) != size || fclose(file) != 0)
        abort();
    _LFSetError("%s", "");
    if (_LFRecordStart()) {
        uint32_t seed = 2166136261u;  // FNV-1a of the input
        for (size_t i = 0; i < size; i++)
            seed = (seed ^ data[i]) * 16777619u;
        std::mt19937 random(seed);
        DriveReplay(random);
    } else if (!LFError()[0]) {
        abort();  // refused without a reason
    }
    _LFRecordClose();
    LFApplicationCancelQuitRequest();
    return 0;
}
