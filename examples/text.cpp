// text: fonts in both alias modes at several sizes, printf-style printing,
// inline colour markup, a text's bounds drawn as a box around it, the global
// UI font, a paragraph wrapped in a box (Tab changes its alignment), and a
// line of typed text (Backspace deletes). Escape or the window's close button
// quits.
#include <math.h>   // floorf
#include <stdio.h>  // fprintf

#include <new>  // std::bad_alloc
#include <string>

#include <GL/gl.h>  // glClear: every frame starts from a cleared window

#include "Larchfield/Larchfield.h"

static const float kWidth = 640, kHeight = 480;
static const char* const kFontPath = "data/DejaVuSans.ttf";
static const int kSizes[] = {12, 16, 24, 32};
static const LFColor kWhite = {1, 1, 1, 1};
static const LFColor kGrey = {0.6f, 0.65f, 0.7f, 1};
static const LFRect kParagraphBox = {{420, 240}, {200, 160}};
static const char* const kParagraph =
    "A paragraph in a box: lines break at spaces to fit its width, "
    "{C1,0.8,0.2,1}colour markup carries across the breaks{EC}, and a "
    "word too wide for a line, Donaudampfschifffahrtsgesellschaft, breaks between letters.";
// The alignments Tab steps through, and their names.
static const LFTextAlign kAligns[] = {LFAlignLeft | LFAlignTop, LFAlignCenter | LFAlignMiddle,
                                      LFAlignRight | LFAlignBottom};
static const char* const kAlignNames[] = {"left, top", "centre, middle", "right, bottom"};

// Takes the last character off UTF-8 text: its continuation bytes, then its first.
static void deleteLastCharacter(std::string& text)
{
    while (!text.empty() && (text.back() & 0xC0) == 0x80)
        text.pop_back();
    if (!text.empty())
        text.pop_back();
}

// Deletes the fonts.
static void deleteFonts(LFFont* fonts[2][4])
{
    for (int mode = 0; mode < 2; mode++)
        for (int i = 0; i < 4; i++)
            delete fonts[mode][i];
}

int main(int argc, char* argv[])
{
    // LFInit makes the executable's directory the working directory (so the
    // data paths work from anywhere); it writes into its argument: pass a copy.
    if (!LFInit(LFTempString("%s", argc > 0 ? argv[0] : "text"))) {
        fprintf(stderr, "text: %s\n", LFError() ? LFError() : "cannot start Larchfield");
        LFDeInit();
        return 1;
    }
    LFWindow* window;
    try {
        window = new LFWindow(LFTempString("Larchfield: text"), LFMakeSize(kWidth, kHeight));
    } catch (std::bad_alloc&) {
        fprintf(stderr, "text: %s %s\n", LFError(), SDL_GetError());
        LFDeInit();
        return 1;
    }
    window->setRenderContext();

    // An LFFont is one face at one size: keep one per size drawn every frame,
    // since changing the size renders the glyphs again. LFAliased draws the
    // outlines as polygons (hard edges), LFAntiAliased from glyph textures
    // (smooth edges). A file that cannot be opened throws std::bad_alloc.
    LFFont* fonts[2][4] = {};
    try {
        for (int mode = 0; mode < 2; mode++)
            for (int i = 0; i < 4; i++) {
                fonts[mode][i] = new LFFont(LFTempString("%s", kFontPath), mode == 0 ? LFAliased : LFAntiAliased);
                fonts[mode][i]->setSize(kSizes[i]);
            }
    } catch (std::bad_alloc&) {
        fprintf(stderr, "text: cannot load %s\n", kFontPath);
        deleteFonts(fonts);
        delete window;
        LFDeInit();
        return 1;
    }
    // The global UI font: one face, fetched from the library's font cache at
    // any size on demand. The fonts above show the file is there.
    LFUISetGlobalFont(LFTempString("%s", kFontPath), LFAliased, 16, LFZeroPoint);
    LFFont* big = fonts[0][3];
    LFFont* medium = fonts[1][2];
    LFFont* small = fonts[1][0];

    // Typed text comes as UTF-8 from the keyboard layout and input method,
    // once text input is started.
    std::string typed;
    int align = 0;
    LFStartTextInput();
    LFResetLogicLoop();
    while (!LFApplicationQuitRequested()) {
        LFPreLogicLoop();
        while (LFLogicLoop()) {
            if (LFKey(LFKeyEscape))
                LFApplicationRequestQuit();
            if (LFKey(LFKeyTab, -1))
                align = (align + 1) % 3;
            if (LFKeyWithDelayedRepeat(LFKeyBackspace))
                deleteLastCharacter(typed);
            if (typed.size() < 60)
                typed += LFTextTyped();
            LFLogicUpdate();
        }
        LFPostLogicLoop();

        glClearColor(0.1f, 0.11f, 0.16f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        window->setRenderContext();

        // Both alias modes at four sizes. print takes a printf format.
        float y = 10;
        for (int i = 0; i < 4; i++) {
            fonts[0][i]->print(LFMakePoint(20, y), kWhite, "Aliased %d px", kSizes[i]);
            fonts[1][i]->print(LFMakePoint(330, y), kWhite, "AntiAliased %d px", kSizes[i]);
            y += kSizes[i] + 8;
        }

        // Colour markup: {Cr,g,b,a}text{EC} draws text in that colour; the
        // rest is drawn in the base colour. A literal percent sign is "%%".
        // Note: the text parameters are char*, so literals need a cast.
        medium->print(LFMakePoint(20, 150), kWhite,
                      "Plain, {C1,0.3,0.3,1}red{EC}, {C0.3,1,0.4,1}green{EC} and {C0.4,0.6,1,1}blue{EC}: 100%%");

        // stringBounds measures without drawing (its text is no format);
        // markup counts as its coloured text, or as written when asked. It
        // gives a size, not a place: print puts the baseline at pos.y +
        // floor(ascender) + floor(descender), and a text without descenders
        // rises about the height of its bounds above it (the box below has a
        // margin of 3 pixels for the rounding).
        const char* sample = "Bounds {C1,0.8,0.2,1}box{EC}";
        LFSize bounds = big->stringBounds(sample);
        LFPoint at = LFMakePoint(20, 200);
        big->print(at, kWhite, "%s", sample);
        float baseline = at.y + floorf(big->ascender()) + floorf(big->descender());
        LFDrawRect(LFMakeRect(at.x - 3, baseline - bounds.height - 3, bounds.width + 6, bounds.height + 6),
                   LFMakeColor(1, 0.8f, 0.2f, 1));
        LFUIGlobalFontPrint(LFMakePoint(250, 196), kGrey,
                            LFTempString("stringBounds %.0f x %.0f; with markup %.0f wide", bounds.width,
                                         bounds.height, big->stringBounds(sample, 1).width));
        LFUIGlobalFontPrint(LFMakePoint(250, 216), kGrey,
                            LFTempString("ascender %.0f, descender %.0f, line %.0f", big->ascender(),
                                         big->descender(), big->lineHeight()));

        // The global UI font needs no object: print at its own size or any other.
        LFUIGlobalFontPrint(LFMakePoint(20, 300), kWhite, "Global UI font at its size (16)");
        LFUIGlobalFontPrint(LFMakePoint(20, 325), kWhite, 24, "and at 24, loaded on first use");
        LFUIGlobalFontPrint(LFMakePoint(20, 360), kWhite, 32, "{C0.5,0.9,1,1}or 32{EC}, markup too");
        LFUIGlobalFontPrint(LFMakePoint(20, 410), kGrey,
                            LFTempString("the font cache holds %d fonts: one per size", LFGUIFontCacheSize()));

        // printInRect wraps to the box and aligns each line and the block;
        // wrappedSize measures the same layout.
        LFRect inside = LFMakeRect(kParagraphBox.origin.x + 6, kParagraphBox.origin.y + 6,
                                   kParagraphBox.size.width - 12, kParagraphBox.size.height - 12);
        LFDrawRect(kParagraphBox, kGrey);
        small->printInRect(inside, kAligns[align], kWhite, "%s", kParagraph);
        LFSize wrapped = small->wrappedSize(inside.size.width, kParagraph);
        LFUIGlobalFontPrint(LFMakePoint(420, 404), kGrey,
                            LFTempString("%s (Tab), %.0f x %.0f", kAlignNames[align], wrapped.width, wrapped.height));

        // The typed line, with a caret after it.
        medium->print(LFMakePoint(20, 440), kWhite, "Typed: %s{C1,0.8,0.2,1}_{EC}", typed.c_str());
        window->swapBuffers();
    }

    deleteFonts(fonts);
    delete window;
    LFDeInit();
    return 0;
}
