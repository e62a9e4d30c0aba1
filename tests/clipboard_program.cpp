// A small Larchfield program for the clipboard and icon end-to-end test: it
// sets its window's icon from the file named by its argument, puts a text on
// the clipboard and reads it back, then answers other programs' requests for
// the clipboard while its loop runs. Each result goes to standard output as
// a line; V prints the clipboard's text, Escape quits.
#include <stdio.h>

#include <GL/gl.h>

#include "Larchfield/Larchfield.h"

static const char kCopied[] = "h\xC3\xA9llo from Larchfield";

int main(int argc, char** argv)
{
    setvbuf(stdout, NULL, _IOLBF, 0);
    if (argc != 2 || !LFInit(LFTempString("%s", argv[0]))) {
        fprintf(stderr, "clipboard_program: %s\n", argc != 2 ? "usage: clipboard_program icon.png" : LFError());
        return 1;
    }
    LFWindow* window = new LFWindow(LFTempString("Clipboard"), LFMakeSize(160, 120));
    window->setRenderContext();
    int iconSet = window->setIcon(argv[1]);
    printf("icon %d %s\n", iconSet, iconSet ? "" : LFError());
    printf("missing icon %d %s\n", window->setIcon("missing.png"), LFError());
    printf("set %d\n", LFSetClipboardText(kCopied));
    printf("read %s\n", LFClipboardText());

    LFResetLogicLoop();
    while (!LFApplicationQuitRequested()) {
        LFPreLogicLoop();
        while (LFLogicLoop()) {
            if (LFKey(LFKeyEscape, -1))
                LFApplicationRequestQuit();
            if (LFKey(LFKeyV, -1))
                printf("pasted %s\n", LFClipboardText());
            LFLogicUpdate();
        }
        LFPostLogicLoop();
        window->setRenderContext();
        glClear(GL_COLOR_BUFFER_BIT);
        window->swapBuffers();
    }
    delete window;
    LFDeInit();
    return 0;
}
