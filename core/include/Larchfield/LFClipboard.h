// The system clipboard's text, to copy from and paste into a program.
#ifndef LFCLIPBOARD_H
#define LFCLIPBOARD_H

// Puts text (UTF-8; null: empty) on the clipboard. -1 on success; 0 with the
// reason in LFError().
int LFSetClipboardText(const char* text);
// The clipboard's text as a temporary string (LFString.h: valid until the
// tick ends, never freed by the caller), of any length; empty when the
// clipboard holds no text or cannot be read, null when memory runs out.
// Recorded and replayed like the other values read from outside.
char* LFClipboardText();

#endif
