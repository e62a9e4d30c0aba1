// The library's own work per batched drawing call, apart from the driver's:
// rounds of calls inside a batch, each round fewer than the batch holds, so
// that every send comes at LFEndBatch, outside the calls. run_call_cost.sh
// runs it under callgrind collecting inside LFTexture::draw or LFDrawRectFill
// only, and divides the instructions by the calls made.
// Usage: bench_call_cost sprites|rects  (prints the number of calls made)
#include <stdio.h>
#include <string.h>

#include "BouncingSprites.h"  // MakeBouncers
#include "Larchfield/Larchfield.h"

static const int kRounds = 5;
static const int kCallsPerRound = 4000;

int main(int argc, char** argv)
{
    bool sprites = argc == 2 && strcmp(argv[1], "sprites") == 0;
    if (argc != 2 || (!sprites && strcmp(argv[1], "rects") != 0)) {
        fprintf(stderr, "usage: bench_call_cost sprites|rects\n");
        return 2;
    }
    if (!LFInit()) {
        fprintf(stderr, "bench_call_cost: %s\n", LFError());
        return 1;
    }
    LFWindow* window = new LFWindow(LFTempString("calls"), LFMakeSize(kScreenWidth, kScreenHeight));
    window->setRenderContext();
    LFTexture* texture = new LFTexture(8, 8);
    std::vector<Bouncer> places = MakeBouncers(kCallsPerRound, 8);
    for (int round = 0; round < kRounds; round++) {
        LFBeginBatch();
        for (const Bouncer& b : places)
            if (sprites)
                texture->draw((int)b.x, (int)b.y, -1);
            else
                LFDrawRectFill(LFMakeRect(LFMakePoint(b.x, b.y), LFMakeSize(8, 8)), LFMakeColor(0.5f, 0.8f, 0.2f, 0.7f));
        LFEndBatch();
        window->swapBuffers();
    }
    printf("%d\n", kRounds * kCallsPerRound);
    delete texture;
    delete window;
    LFDeInit();
    return 0;
}
