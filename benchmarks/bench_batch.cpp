// Per-call drawing inside a batch against one hand-written glBegin/glEnd
// batch of the same quads, in the same run: small rectangles (1 to 5 pixels,
// one colour each) and sprites (8x8 and 32x32), 5,000 and 20,000 a frame;
// the same calls one by one for comparison. Prints the median time of a
// frame (clear, draw, swap). Run under a display: xvfb-run -a bench_batch
#include <GL/glew.h>

#include <stdio.h>

#include "BouncingSprites.h"  // MedianMilliseconds, SpritePixels
#include "Larchfield/Larchfield.h"

static const int kCounts[] = {5000, 20000};

struct Quad {
    LFRect rect;
    LFColor color;
};

// count quads spread over the screen: rectangles of 1 to 5 pixels in
// translucent colours, or sprite positions (the rectangles' corners).
static std::vector<Quad> MakeQuads(int count)
{
    std::vector<Bouncer> places = MakeBouncers(count, 32);
    std::vector<Quad> quads;
    int i = 0;
    for (const Bouncer& b : places) {
        float side = (float)(1 + i++ % 5);
        quads.push_back({LFMakeRect((int)b.x, (int)b.y, side, side),
                         LFMakeColor((i % 7) / 6.0f, (i % 5) / 4.0f, (i % 3) / 2.0f, 0.5f + (i % 2) * 0.5f)});
    }
    return quads;
}

static void DrawRectsByHand(const std::vector<Quad>& quads)
{
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    for (const Quad& q : quads) {
        float x1 = q.rect.origin.x, y1 = q.rect.origin.y;
        float x2 = x1 + q.rect.size.width, y2 = y1 + q.rect.size.height;
        glColor4f(q.color.r, q.color.g, q.color.b, q.color.a);
        glVertex2f(x1, y1);
        glVertex2f(x1, y2);
        glVertex2f(x2, y2);
        glVertex2f(x2, y1);
    }
    glEnd();
    glEnable(GL_TEXTURE_2D);
}

static void DrawSpritesByHand(const std::vector<Quad>& quads, LFTexture* texture, int size)
{
    texture->bind();
    glColor4f(1, 1, 1, 1);
    glBegin(GL_QUADS);
    for (const Quad& q : quads) {
        float x1 = q.rect.origin.x, y1 = q.rect.origin.y;
        float x2 = x1 + size, y2 = y1 + size;
        glTexCoord2f(0, 0);
        glVertex2f(x1, y1);
        glTexCoord2f(1, 0);
        glVertex2f(x2, y1);
        glTexCoord2f(1, 1);
        glVertex2f(x2, y2);
        glTexCoord2f(0, 1);
        glVertex2f(x1, y2);
    }
    glEnd();
}

int main()
{
    if (!LFInit()) {
        fprintf(stderr, "bench_batch: %s\n", LFError());
        return 1;
    }
    LFWindow* window = new LFWindow(LFTempString("batch"), LFMakeSize(kScreenWidth, kScreenHeight));
    window->setRenderContext();
    LFTexture* sprites[33] = {};
    for (int size : kSpriteSizes) {
        // Painted through a render target: the pixels do not matter, the size does.
        sprites[size] = new LFTexture(size, size);
        sprites[size]->clear();
        sprites[size]->setRenderContext();
        LFDrawCircleFill(LFMakePoint(size / 2.0f, size / 2.0f), size / 2, 16, LFMakeColor(0.8f, 0.5f, 0.2f, 1));
        sprites[size]->unsetRenderContext();
    }
    window->setRenderContext();

    // One frame: clear, draw, present.
    auto measure = [&](const std::function<void()>& draw, int* frames) {
        FrameCosts costs;
        double ms = MedianMilliseconds(
            [&] {
                glClear(GL_COLOR_BUFFER_BIT);
                draw();
                window->swapBuffers();
            },
            &costs);
        *frames = costs.frames;
        return ms;
    };
    auto report = [](const char* what, int count, double byHand, double batched, double oneByOne, int frames) {
        printf("%-14s %6d: hand-written batch %7.2f ms, batched calls %7.2f ms (%.2fx), one by one %7.2f ms "
               "(%.2fx)  [median of %d+ frames]\n",
               what, count, byHand, batched, batched / byHand, oneByOne, oneByOne / byHand, frames);
        fflush(stdout);
    };

    for (int count : kCounts) {
        std::vector<Quad> quads = MakeQuads(count);
        auto calls = [&](bool batched) {
            if (batched)
                LFBeginBatch();
            for (const Quad& q : quads)
                LFDrawRectFill(q.rect, q.color);
            if (batched)
                LFEndBatch();
        };
        int frames;
        double byHand = measure([&] { DrawRectsByHand(quads); }, &frames);
        double batched = measure([&] { calls(true); }, &frames);
        double oneByOne = measure([&] { calls(false); }, &frames);
        report("rects 1-5 px", count, byHand, batched, oneByOne, frames);
    }
    for (int size : kSpriteSizes)
        for (int count : kCounts) {
            std::vector<Quad> quads = MakeQuads(count);
            LFTexture* texture = sprites[size];
            auto calls = [&](bool batched) {
                if (batched)
                    LFBeginBatch();
                for (const Quad& q : quads)
                    texture->draw((int)q.rect.origin.x, (int)q.rect.origin.y, -1);
                if (batched)
                    LFEndBatch();
            };
            int frames;
            double byHand = measure([&] { DrawSpritesByHand(quads, texture, size); }, &frames);
            double batched = measure([&] { calls(true); }, &frames);
            double oneByOne = measure([&] { calls(false); }, &frames);
            char what[32];
            snprintf(what, sizeof what, "sprites %dx%d", size, size);
            report(what, count, byHand, batched, oneByOne, frames);
        }

    for (int size : kSpriteSizes)
        delete sprites[size];
    delete window;
    LFDeInit();
    return 0;
}
