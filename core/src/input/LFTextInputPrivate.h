// The setters the event pump feeds typed text through.
#ifndef LFTEXTINPUTPRIVATE_H
#define LFTEXTINPUTPRIVATE_H

#include "LFTextInput.h"

// Empties the typed text at the start of a tick's pump.
void _LFClearTypedText();
// Adds the text of one text input event, when text input is on.
void _LFAddTypedText(const char* text);

#endif
