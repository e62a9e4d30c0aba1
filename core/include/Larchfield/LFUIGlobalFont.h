// One global font for user-interface text, at any size: LFUISetGlobalFont
// names the file, alias mode, size and rendering offset once; every function
// then comes in two forms, one for the font at that size and one for any size.
#ifndef LFUIGLOBALFONT_H
#define LFUIGLOBALFONT_H

#include "LF2DPrimitives.h"
#include "LFColor.h"
#include "LFFont.h"

// Makes the face at fontPath, drawn as mode, the global font and fetches it
// from the library's font cache at size for the window current now; offset
// becomes the rendering offset of every size of it. Always returns -1: a font
// that cannot be made shows only in LFError() ("Unable to load font and add it
// to the global cache."), and the functions below then draw nothing and
// measure 0.
int LFUISetGlobalFont(char* fontPath, LFAliasMode mode, int size, LFPoint offset);

// The functions without a size use the font fetched by LFUISetGlobalFont, for
// the window that was current then. After LFClearGUIFontCache() deletes it,
// or once that window is deleted, the next such call fetches it again at the
// same size, for the window current at that call. After LFDeInit there is no global font: they draw nothing and
// measure 0 until the next LFUISetGlobalFont.
// The functions with a size fetch the global font at that size for the window
// current at the call, loading it on first use; the size's rendering offset is
// set to the global offset on every fetch.
// Before any LFUISetGlobalFont, or when the font cannot be made, nothing is
// drawn and every measure is 0.

// Draws text in baseColor at pos, as LFFont::print does; colour escapes work.
// Note: text is used as a format without arguments: write "%%" for a "%".
void LFUIGlobalFontPrint(LFPoint pos, LFColor baseColor, char* text);
void LFUIGlobalFontPrint(LFPoint pos, LFColor baseColor, int size, char* text);

// Line height rounded up to whole pixels.
int LFUIGlobalFontLineHeight();
int LFUIGlobalFontLineHeight(int size);

// Descender rounded up to whole pixels, so toward zero: -2.7 gives -2.
int LFUIGlobalFontDescender();
int LFUIGlobalFontDescender(int size);

// Bounds of text with its escapes removed (LFFont::stringBounds), each
// dimension rounded up to whole pixels: 10.2 x 11.0 gives 11 x 11.
LFSize LFUIGlobalFontStringBounds(char* text);
LFSize LFUIGlobalFontStringBounds(int size, char* text);

// The rendering offset of the font's current size.
LFPoint LFUIGlobalFontRenderingOffset();
LFPoint LFUIGlobalFontRenderingOffset(int size);

#endif
