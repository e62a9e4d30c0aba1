// camera: a tiled world far larger than the window seen through a camera -
// scrolled with the arrow keys or WASD, zoomed with the mouse wheel, turned
// with Q and E - with the tile under the mouse highlighted (the pointer's
// window position taken back into the world), fish swimming in the sea and
// a signpost of text, all drawn in world coordinates. Space looks at the
// middle again. Escape or the window's close button quits.
#include <math.h>   // sinf, cosf, floorf
#include <stdio.h>  // fprintf

#include <new>  // std::bad_alloc

#include <GL/gl.h>  // glClear: every frame starts from a cleared window

#include "Larchfield/Larchfield.h"

static const float kWidth = 640, kHeight = 480;
static const char* const kFontPath = "data/DejaVuSans.ttf";
static const char* const kFishPath = "data/fish.png";
static const int kColumns = 64, kRows = 48;  // the world: 2048 x 1536 pixels
static const float kTile = 32;
static const float kWorldWidth = kColumns * kTile, kWorldHeight = kRows * kTile;
static const LFColor kWhite = {1, 1, 1, 1};
static const LFColor kHighlight = {1, 0.9f, 0.2f, 1};

// The land's height at a tile, -1 (deep sea) .. 1 (high hills): a few waves
// across the world, the same every run.
static float height(int column, int row)
{
    float x = column / (float)kColumns, y = row / (float)kRows;
    return 0.55f * sinf(6.1f * x + 1.3f) * cosf(4.7f * y - 0.4f) + 0.3f * sinf(13.0f * x * y + 2.0f) +
           0.15f * cosf(23.0f * y + 9.0f * x);
}

static LFColor tileColor(int column, int row)
{
    float h = height(column, row);
    float shade = ((column + row) % 2) ? 0.04f : 0;  // a checker, to see the tiles
    if (h < -0.15f)
        return LFMakeColor(0.1f, 0.25f + shade, 0.55f + 0.3f * h, 1);  // sea
    if (h < 0)
        return LFMakeColor(0.85f, 0.78f + shade, 0.5f, 1);  // sand
    if (h < 0.45f)
        return LFMakeColor(0.25f, 0.55f + shade - 0.3f * h, 0.2f, 1);  // grass
    return LFMakeColor(0.5f + shade, 0.48f, 0.45f, 1);  // rock
}

// The range of tiles (inclusive) that the window shows: the world points at
// its four corners, which a turned camera puts anywhere around the centre.
static void visibleTiles(int* firstColumn, int* firstRow, int* lastColumn, int* lastRow)
{
    const LFPoint corners[] = {LFMakePoint(0, 0), LFMakePoint(kWidth, 0), LFMakePoint(0, kHeight),
                               LFMakePoint(kWidth, kHeight)};
    float left = kWorldWidth, top = kWorldHeight, right = 0, bottom = 0;
    for (LFPoint corner : corners) {
        LFPoint p = LFScreenToWorld(corner);
        left = LFMinf(left, p.x);
        right = LFMaxf(right, p.x);
        top = LFMinf(top, p.y);
        bottom = LFMaxf(bottom, p.y);
    }
    *firstColumn = LFMaxi(0, (int)floorf(left / kTile));
    *lastColumn = LFMini(kColumns - 1, (int)floorf(right / kTile));
    *firstRow = LFMaxi(0, (int)floorf(top / kTile));
    *lastRow = LFMini(kRows - 1, (int)floorf(bottom / kTile));
}

int main(int argc, char* argv[])
{
    if (!LFInit(LFTempString("%s", argc > 0 ? argv[0] : "camera"))) {
        fprintf(stderr, "camera: %s\n", LFError() ? LFError() : "cannot start Larchfield");
        LFDeInit();
        return 1;
    }
    LFWindow* window;
    try {
        window = new LFWindow(LFTempString("Larchfield: camera"), LFMakeSize(kWidth, kHeight));
    } catch (std::bad_alloc&) {
        fprintf(stderr, "camera: %s %s\n", LFError(), SDL_GetError());
        LFDeInit();
        return 1;
    }
    window->setRenderContext();
    LFUISetGlobalFont(LFTempString("%s", kFontPath), LFAntiAliased, 16, LFZeroPoint);
    LFTexture* fish = nullptr;
    try {
        fish = new LFTexture(LFTempString("%s", kFishPath));
    } catch (std::bad_alloc&) {
    }
    if (!fish || LFUIGlobalFontLineHeight() == 0) {  // a font that did not load measures 0
        fprintf(stderr, "camera: cannot load %s\n", fish ? kFontPath : kFishPath);
        delete fish;
        delete window;
        LFDeInit();
        return 1;
    }

    LFPoint center = LFMakePoint(kWorldWidth / 2, kWorldHeight / 2);
    float zoom = 1, rotation = 0;
    int ticks = 0;
    LFResetLogicLoop();
    while (!LFApplicationQuitRequested()) {
        LFPreLogicLoop();
        while (LFLogicLoop()) {
            if (LFKey(LFKeyEscape))
                LFApplicationRequestQuit();
            // The keys move the view by the same number of window pixels at
            // any zoom, along the window's own axes however the world is turned.
            float right = (LFKey(LFKeyRight) || LFKey(LFKeyD) ? 1.0f : 0) - (LFKey(LFKeyLeft) || LFKey(LFKeyA) ? 1 : 0);
            float down = (LFKey(LFKeyDown) || LFKey(LFKeyS) ? 1.0f : 0) - (LFKey(LFKeyUp) || LFKey(LFKeyW) ? 1 : 0);
            float radians = rotation * (float)M_PI / 180, step = 8 / zoom;
            center.x += step * (right * cosf(radians) + down * sinf(radians));
            center.y += step * (down * cosf(radians) - right * sinf(radians));
            center.x = LFMaxf(0, LFMinf(kWorldWidth, center.x));
            center.y = LFMaxf(0, LFMinf(kWorldHeight, center.y));
            rotation += LFKey(LFKeyE) ? 1.5f : LFKey(LFKeyQ) ? -1.5f : 0;
            if (LFKey(LFKeySpace, -1)) {
                center = LFMakePoint(kWorldWidth / 2, kWorldHeight / 2);
                zoom = 1;
                rotation = 0;
            }
            ticks++;
            LFLogicUpdate();
        }
        // The wheel flags tell which ways it turned during this frame's ticks.
        if (LFMouse(4))
            zoom = LFMinf(4, zoom * 1.25f);
        if (LFMouse(3))
            zoom = LFMaxf(0.25f, zoom / 1.25f);
        LFPostLogicLoop();

        glClearColor(0.05f, 0.05f, 0.08f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        window->setRenderContext();

        // Everything between push and pop is given in world coordinates.
        LFPushCamera(center, zoom, rotation);
        int firstColumn, firstRow, lastColumn, lastRow;
        visibleTiles(&firstColumn, &firstRow, &lastColumn, &lastRow);
        LFBeginBatch();  // the tiles, then the fish: two sends
        for (int row = firstRow; row <= lastRow; row++)
            for (int column = firstColumn; column <= lastColumn; column++)
                LFDrawRectFill(LFMakeRect(column * kTile, row * kTile, kTile, kTile), tileColor(column, row));
        for (int i = 0; i < 12; i++) {
            // Fish swim in circles about fixed points of the sea.
            float angle = ticks * 0.02f + i;
            int x = (int)(300 + (i % 4) * 420 + 60 * cosf(angle)), y = (int)(260 + (i / 4) * 470 + 40 * sinf(angle));
            if (height((x + 32) / (int)kTile, (y + 24) / (int)kTile) < -0.15f)  // its middle in the sea
                fish->draw(x, y, 1.0f, 1.0f, 0, cosf(angle) > 0 ? 2 : 0, -1);  // floats: not the source-rectangle form
        }
        LFEndBatch();
        LFUIGlobalFontPrint(LFMakePoint(kWorldWidth / 2 - 60, kWorldHeight / 2 - 60), kWhite, 24,
                            "The middle");

        // The tile under the pointer: its window position taken into the world.
        LFPoint pointer = LFScreenToWorld(LFMousePoint);
        int column = (int)floorf(pointer.x / kTile), row = (int)floorf(pointer.y / kTile);
        if (column >= 0 && column < kColumns && row >= 0 && row < kRows) {
            LFRect tile = LFMakeRect(column * kTile, row * kTile, kTile, kTile);
            LFDrawRectFill(tile, LFMakeColor(1, 0.9f, 0.2f, 0.35f));
            LFDrawRect(tile, kHighlight);
            LFDrawRect(LFMakeRect(tile.origin.x + 1, tile.origin.y + 1, kTile - 2, kTile - 2), kHighlight);
        }
        LFPopCamera();

        // Back in window coordinates: the heads-up display.
        LFDrawRectFill(LFMakeRect(0, 0, kWidth, 28), LFMakeColor(0, 0, 0, 0.6f));
        LFUIGlobalFontPrint(LFMakePoint(10, 5), kWhite,
                            LFTempString("centre %.0f, %.0f   zoom %.2f   turned %.0f   tile %d, %d", center.x,
                                         center.y, zoom, rotation, column, row));
        LFUIGlobalFontPrint(LFMakePoint(10, kHeight - 24), kWhite,
                            "arrows or WASD scroll, the wheel zooms, Q and E turn, Space: back");
        window->swapBuffers();
    }

    delete fish;
    delete window;
    LFDeInit();
    return 0;
}
