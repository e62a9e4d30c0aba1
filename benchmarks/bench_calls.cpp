// Per-call costs: printing the game's marquee, measuring text with markup,
// and reading a pixel of the mask with and without the retained snapshot.
// Run under a display: xvfb-run -a bench_calls
#include <GL/glew.h>

#include <benchmark/benchmark.h>

#include "Larchfield/Larchfield.h"

static const char* const kMessage = "Quill February 2024! Hey Pim :)                        ";

// The library with a 640 x 480 window, its font and its mask, for every benchmark.
struct Scene {
    Scene()
    {
        LFInit();
        window = new LFWindow(LFTempString("bench"), LFMakeSize(640, 480));
        window->setRenderContext();
        font = new LFFont(LFTempString(WINDCART_DATA "/font/FSEX300.ttf"), LFAliased);
        font->setSize(32);
        mask = new LFTexture(LFTempString(WINDCART_DATA "/mask.png"));
    }
    LFWindow* window;
    LFFont* font;
    LFTexture* mask;
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

BENCHMARK_MAIN();
