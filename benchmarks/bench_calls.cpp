// Per-call costs: printing the game's marquee, measuring text with markup,
// reading a pixel of the mask with and without the retained snapshot, and
// single drawing calls outside any batch.
// Run under a display: xvfb-run -a bench_calls
#include <GL/glew.h>

#include <benchmark/benchmark.h>

#include "Larchfield/Larchfield.h"
#include "string/LFStringPrivate.h"

static const char* const kMessage = "Quill February 2024! Hey Pim :)                        ";

// The library with a 640 x 480 window, its font, its mask and its cart, for every benchmark.
struct Scene {
    Scene()
    {
        LFInit();
        window = new LFWindow(LFTempString("bench"), LFMakeSize(640, 480));
        window->setRenderContext();
        font = new LFFont(LFTempString(WINDCART_DATA "/font/FSEX300.ttf"), LFAliased);
        font->setSize(32);
        mask = new LFTexture(LFTempString(WINDCART_DATA "/mask.png"));
        cart = new LFTexture(LFTempString(WINDCART_DATA "/cart.png"));
    }
    LFWindow* window;
    LFFont* font;
    LFTexture* mask;
    LFTexture* cart;
};

static Scene& TheScene()
{
    static Scene scene;
    return scene;
}

static void BM_PrintMarquee(benchmark::State& state)
{
    Scene& s = TheScene();
    for (auto _ : state)
        s.font->print(LFMakePoint(10, 4), LFMakeColor(0, 0, 0, 1), (char*)kMessage);
    glFinish();
}
BENCHMARK(BM_PrintMarquee)->Unit(benchmark::kMicrosecond);

static void BM_StringBoundsWithMarkup(benchmark::State& state)
{
    Scene& s = TheScene();
    char text[] = "Plorps: {C1,0,0,1}42{EC} and {C0,0,1,1}more{EC}";
    for (auto _ : state) {
        benchmark::DoNotOptimize(s.font->stringBounds(text));
        _LFCleanTempStrings();
    }
}
BENCHMARK(BM_StringBoundsWithMarkup)->Unit(benchmark::kMicrosecond);

static void BM_MaskPixelCached(benchmark::State& state)
{
    Scene& s = TheScene();
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(s.mask->getPixel(LFMakePoint(i % 640, (i / 640) % 480), -1));
        i += 7;
    }
}
BENCHMARK(BM_MaskPixelCached);

static void BM_MaskPixelUncached(benchmark::State& state)
{
    LFTexture mask(LFTempString(WINDCART_DATA "/mask.png"));
    for (auto _ : state)
        benchmark::DoNotOptimize(mask.getPixel(LFMakePoint(320, 400), 0));
}
BENCHMARK(BM_MaskPixelUncached)->Unit(benchmark::kMicrosecond);

// One drawing call outside a batch, as a program without batches makes it:
// each is its own OpenGL batch with its own state changes.
static void BM_UnbatchedRectFill(benchmark::State& state)
{
    TheScene();
    int i = 0;
    for (auto _ : state) {
        LFDrawRectFill(LFMakeRect(i % 600, i % 400, 3, 3), LFMakeColor(0.1f, 0.9f, 0.1f, 1));
        i += 7;
    }
    glFinish();
}
BENCHMARK(BM_UnbatchedRectFill);

static void BM_UnbatchedRect(benchmark::State& state)
{
    TheScene();
    int i = 0;
    for (auto _ : state) {
        LFDrawRect(LFMakeRect(i % 600, i % 400, 5, 5), LFMakeColor(0.1f, 0.9f, 0.1f, 1));
        i += 7;
    }
    glFinish();
}
BENCHMARK(BM_UnbatchedRect);

static void BM_UnbatchedLine(benchmark::State& state)
{
    TheScene();
    int i = 0;
    for (auto _ : state) {
        LFDrawLine(LFMakePoint(i % 600, i % 400), LFMakePoint(i % 600 + 5, i % 400 + 3), LFMakeColor(0, 0, 0, 1));
        i += 7;
    }
    glFinish();
}
BENCHMARK(BM_UnbatchedLine);

static void BM_UnbatchedSprite(benchmark::State& state)
{
    Scene& s = TheScene();
    int i = 0;
    for (auto _ : state) {
        s.cart->draw(i % 600, i % 400, -1);
        i += 7;
    }
    glFinish();
}
BENCHMARK(BM_UnbatchedSprite);

BENCHMARK_MAIN();
