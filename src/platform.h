// What the game does about the machine it runs on: displays it cannot show
// a window on, a Wayland driver with nothing to reach, and ALSA's own error
// messages when there is no sound card.
#ifndef WINDCART_PLATFORM_H
#define WINDCART_PLATFORM_H

#include <string>

// Whether SDL found a display a player can see.
bool hasDisplay();
// Keeps SDL from probing Wayland where it cannot work.
void skipUnreachableWayland();
// Opens the audio device; where none can be opened the game runs silently
// and the reason is returned, to be told once the game has started.
std::string initAudio();

#endif
