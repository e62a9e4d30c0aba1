// walker: a fish walks over a floor of tiles with the arrow keys and picks up
// coins, each with a sound and a point; the score and the frame rate show at
// the top. Escape or the close button quits. Written as a first program:
// no casts, no OpenGL header.
#include <stdio.h>

#include "Larchfield/Larchfield.h"

int main(int, char* argv[])
{
    if (!LFInit(LFTempString("%s", argv[0]))) {  // LFInit writes into its argument
        fprintf(stderr, "walker: %s\n", LFError() ? LFError() : "cannot start");
        return 1;
    }
    LFWindow* window = nullptr;
    LFTexture *fish = nullptr, *coin = nullptr;
    LFFont* font = nullptr;
    LFSound* blip = nullptr;
    try {
        window = new LFWindow("Larchfield: walker", LFMakeSize(640, 480));
        window->setRenderContext();
        fish = new LFTexture("data/fish.png");
        coin = new LFTexture("data/coin.png");
        font = new LFFont("data/DejaVuSans.ttf", LFAntiAliased);
        font->setSize(20);
        if (LFInitAudio())  // without a sound device the game is silent
            blip = new LFSound("data/sounds/blip.wav");
    } catch (std::bad_alloc&) {  // LFError() says why: no window, or which file did not load
        fprintf(stderr, "walker: %s\n", LFError());
        LFDeInit();
        return 1;
    }

    LFPoint walker = LFMakePoint(288, 216);
    int coinX = 96, coinY = 320;
    int score = 0;
    LFResetLogicLoop();
    while (!LFApplicationQuitRequested()) {
        LFPreLogicLoop();
        while (LFLogicLoop()) {  // 60 ticks a second, whatever the frame rate
            if (LFKey(LFKeyEscape))
                LFApplicationRequestQuit();
            walker.x += 2.5f * ((LFKey(LFKeyRight) ? 1 : 0) - (LFKey(LFKeyLeft) ? 1 : 0));
            walker.y += 2.5f * ((LFKey(LFKeyDown) ? 1 : 0) - (LFKey(LFKeyUp) ? 1 : 0));
            if (LFIntersectRects(LFMakeRect(walker, fish->size()), LFMakeRect(coinX, coinY, 32, 32))) {
                score++;
                if (blip)
                    blip->play(0);
                coinX = LFRandomize(0, 608);
                coinY = LFRandomize(40, 448);
            }
            LFLogicUpdate();
        }
        LFPostLogicLoop();

        window->setRenderContext();
        LFClear(LFMakeColor(0.1f, 0.1f, 0.12f, 1));
        LFBeginBatch();  // 300 tiles, sent to OpenGL together
        for (int y = 0; y < 15; y++)
            for (int x = 0; x < 20; x++)
                LFDrawRectFill(LFMakeRect(x * 32.0f, y * 32.0f, 31, 31),
                               (x + y) % 2 ? LFMakeColor(0.25f, 0.5f, 0.3f, 1) : LFMakeColor(0.3f, 0.56f, 0.34f, 1));
        LFEndBatch();
        coin->draw(0, 0, 32, 32, coinX, coinY, -1);  // the sheet's first frame
        fish->drawAt(walker);
        font->print(LFMakePoint(10, 10), LFMakeColor(1, 1, 1, 1), "Score %d   %.0f fps", score, LFFramesPerSecond());
        window->swapBuffers();
    }
    delete blip;
    delete font;
    delete coin;
    delete fish;
    delete window;
    LFDeInit();
    return 0;
}
