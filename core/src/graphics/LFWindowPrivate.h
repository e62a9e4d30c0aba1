// The window map the event pump looks windows up in, and what the library
// reaches inside a window: its size cache, serial number and pixels.
#ifndef LFWINDOWPRIVATE_H
#define LFWINDOWPRIVATE_H

#include <map>

#include "LFWindow.h"

typedef std::map<Uint32, LFWindow*> _LFWindowsMap;

// Every live window by SDL window id; null when there is none. Does not own them.
extern _LFWindowsMap* _windowsMap;

// -1 while a window with this serial number exists, else 0.
int _LFWindowSerialIsLive(Uint64 serial);
// What the library reaches inside a window (LFWindow's friend).
struct _LFWindowAccess {
    // Forgets the cached size (the pump calls it on a resize).
    static void invalidateSizeCache(LFWindow* window);
    // A number no other window of the process ever has, from 1 up.
    static Uint64 serialNumber(LFWindow* window);
    // Reads the whole drawable as RGBA bytes, bottom row first, into buffer,
    // which must hold 4 x drawable width x drawable height bytes.
    static void readPixels(LFWindow* window, char* buffer);
    // Turns such a buffer upside down in place, so row 0 is the top.
    static void flipPixels(LFWindow* window, char* buffer);
    // The drawable read once, upright (LFWindow::_capturePixels).
    static char* capturePixels(LFWindow* window, int& width, int& height);
};

#endif
