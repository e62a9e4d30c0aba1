// fountain: 10,000 translucent particles thrown up from the bottom of the
// window, falling back and thrown again, their light adding up where they
// cross (LFBlendAdditive); the frame rate shows at the top. Escape or the
// close button quits. Written as a first program: no casts, no OpenGL header.
#include <stdio.h>

#include <vector>

#include "Larchfield/Larchfield.h"

struct Particle {
    LFPoint position;
    LFPoint velocity;
};

// Thrown from the spout, up and a little sideways.
static void launch(Particle& p)
{
    p.position = LFMakePoint(320, 470);
    p.velocity = LFMakePoint(LFRandomFloat(-1.5f, 1.5f), LFRandomFloat(-9, -5));
}

// One tick of flight under gravity; back to the spout once it has fallen out.
static void step(Particle& p)
{
    p.velocity.y += 0.15f;
    p.position.x += p.velocity.x;
    p.position.y += p.velocity.y;
    if (p.position.y > 480)
        launch(p);
}

int main(int, char* argv[])
{
    if (!LFInit(LFTempString("%s", argv[0]))) {  // LFInit writes into its argument
        fprintf(stderr, "fountain: %s\n", LFError() ? LFError() : "cannot start");
        return 1;
    }
    LFWindow* window = nullptr;
    LFFont* font = nullptr;
    try {
        window = new LFWindow("Larchfield: fountain", LFMakeSize(640, 480));
        window->setRenderContext();
        font = new LFFont("data/DejaVuSans.ttf", LFAntiAliased);
        font->setSize(20);
    } catch (std::bad_alloc&) {  // LFError() says why: no window, or which file did not load
        fprintf(stderr, "fountain: %s\n", LFError());
        LFDeInit();
        return 1;
    }

    std::vector<Particle> particles(10000);
    for (Particle& p : particles) {  // already on their way at the start
        launch(p);
        for (int ticks = LFRandomize(0, 120); ticks > 0; ticks--)
            step(p);
    }
    LFResetLogicLoop();
    while (!LFApplicationQuitRequested()) {
        LFPreLogicLoop();
        while (LFLogicLoop()) {
            if (LFKey(LFKeyEscape))
                LFApplicationRequestQuit();
            for (Particle& p : particles)
                step(p);
            LFLogicUpdate();
        }
        LFPostLogicLoop();

        window->setRenderContext();
        LFClear(LFMakeColor(0.02f, 0.03f, 0.08f, 1));
        LFSetBlendMode(LFBlendAdditive);
        LFBeginBatch();  // 10,000 squares, sent to OpenGL in a few draws
        for (const Particle& p : particles)
            LFDrawRectFill(LFMakeRect(p.position, LFMakeSize(3, 3)), LFMakeColor(0.25f, 0.5f, 1, 0.3f));
        LFEndBatch();
        LFSetBlendMode(LFBlendAlpha);
        font->print(LFMakePoint(10, 10), LFMakeColor(1, 1, 1, 1), "%.0f fps", LFFramesPerSecond());
        window->swapBuffers();
    }
    delete font;
    delete window;
    LFDeInit();
    return 0;
}
