// Batched drawing against the same calls made one by one: mixed scenes drawn
// both ways into a window and into a texture and read back pixel for pixel,
// the OpenGL state each way leaves, and the batch's bad input.
#include <limits.h>  // INT_MAX
#include <stdint.h>
#include <string.h>  // memcmp

#include <random>
#include <vector>

#include "TestSupport.h"
#include "graphics/LFBatchPrivate.h"
#include "string/LFStringPrivate.h"

static const int kWidth = 256;
static const int kHeight = 192;

// The OpenGL state a drawing call may leave behind.
struct DrawingState {
    GLboolean texturing;
    GLfloat color[4];
    GLfloat texCoord[4];
    GLfloat lineWidth;
    GLint matrixDepth;
    GLint boundTexture;
    GLboolean edgeFlag;
    GLint arrayBuffer;
    GLint textureEnvMode;

    static DrawingState read()
    {
        DrawingState s;
        s.texturing = glIsEnabled(GL_TEXTURE_2D);
        glGetFloatv(GL_CURRENT_COLOR, s.color);
        glGetFloatv(GL_CURRENT_TEXTURE_COORDS, s.texCoord);
        glGetFloatv(GL_LINE_WIDTH, &s.lineWidth);
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &s.matrixDepth);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.boundTexture);
        glGetBooleanv(GL_EDGE_FLAG, &s.edgeFlag);
        glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &s.arrayBuffer);
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &s.textureEnvMode);
        return s;
    }
};

static ::testing::AssertionResult SameState(const DrawingState& a, const DrawingState& b)
{
    if (a.texturing != b.texturing)
        return ::testing::AssertionFailure() << "texturing " << (int)a.texturing << " / " << (int)b.texturing;
    if (memcmp(a.color, b.color, sizeof a.color) != 0)
        return ::testing::AssertionFailure() << "colour (" << a.color[0] << ", " << a.color[1] << ", " << a.color[2]
                                             << ", " << a.color[3] << ") / (" << b.color[0] << ", " << b.color[1]
                                             << ", " << b.color[2] << ", " << b.color[3] << ")";
    if (memcmp(a.texCoord, b.texCoord, sizeof a.texCoord) != 0)
        return ::testing::AssertionFailure() << "texture coordinate (" << a.texCoord[0] << ", " << a.texCoord[1]
                                             << ") / (" << b.texCoord[0] << ", " << b.texCoord[1] << ")";
    if (a.lineWidth != b.lineWidth)
        return ::testing::AssertionFailure() << "line width " << a.lineWidth << " / " << b.lineWidth;
    if (a.matrixDepth != b.matrixDepth)
        return ::testing::AssertionFailure() << "matrix depth " << a.matrixDepth << " / " << b.matrixDepth;
    if (a.boundTexture != b.boundTexture)
        return ::testing::AssertionFailure() << "bound texture " << a.boundTexture << " / " << b.boundTexture;
    if (a.edgeFlag != b.edgeFlag)
        return ::testing::AssertionFailure() << "edge flag " << (int)a.edgeFlag << " / " << (int)b.edgeFlag;
    if (a.arrayBuffer != b.arrayBuffer)
        return ::testing::AssertionFailure() << "array buffer " << a.arrayBuffer << " / " << b.arrayBuffer;
    if (a.textureEnvMode != b.textureEnvMode)
        return ::testing::AssertionFailure() << "texture environment " << a.textureEnvMode << " / "
                                             << b.textureEnvMode;
    return ::testing::AssertionSuccess();
}

// A picture read back: kWidth x kHeight RGBA pixels.
typedef std::vector<Pixel> Picture;

// Pixels that differ between two pictures, and of those the ones that lie
// on no edge of the first picture: an edge pixel has a neighbour (of eight)
// of another value, at the rim of a shape or between two texels.
struct Difference {
    int pixels = 0;
    int offEdges = 0;
};

static Difference Compare(const Picture& expected, const Picture& actual)
{
    Difference d;
    for (int y = 0; y < kHeight; y++)
        for (int x = 0; x < kWidth; x++) {
            const Pixel& p = expected[y * kWidth + x];
            if (p == actual[y * kWidth + x])
                continue;
            d.pixels++;
            bool edge = false;
            for (int ny = y - 1; ny <= y + 1; ny++)
                for (int nx = x - 1; nx <= x + 1; nx++)
                    if (nx >= 0 && ny >= 0 && nx < kWidth && ny < kHeight && !(expected[ny * kWidth + nx] == p))
                        edge = true;
            d.offEdges += !edge;
        }
    return d;
}

// One drawing call of a scene, chosen and placed at random.
struct Op {
    enum Kind {
        RectFill, Rect, Line, TriangleFill, Triangle, RectFills, Lines, Sprite, TurnedSprite, Circle, CircleFill,
        NineSlice, Text, KindCount
    } kind;
    LFRect rects[4];
    LFColor colors[4];
    LFPoint points[7];
    int count;
    int texture;  // 0 or 1
    int source[4];
    int x, y, width, height, rot, flipMode, form;
    float alpha, scale;
};

// The library with a window of kWidth x kHeight, two sprite textures with
// distinct texels, a texture the same size as the window to draw into, one
// more to switch to in the middle of a scene, and a font.
class Batch : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(0, LFInit()) << LFError();
        LFSetTextureMode(1);
        window = new LFWindow(LFTempString("batch"), LFMakeSize(kWidth, kHeight));
        window->setRenderContext();
        glReadBuffer(GL_BACK);
        sprites[0] = Painted(16, 16, 0);
        sprites[1] = Painted(10, 14, 1);
        canvas = new LFTexture(kWidth, kHeight);
        side = new LFTexture(40, 30);
        font = new LFFont(LFTempString(WINDCART_DATA_DIR "/font/FSEX300.ttf"), LFAliased);
        font->setSize(16);
        window->setRenderContext();
    }

    void TearDown() override
    {
        delete font;
        delete side;
        delete canvas;
        delete sprites[0];
        delete sprites[1];
        delete window;
        _LFCleanTempStrings();
        LFDeInit();
    }

    // A texture of width x height whose texels differ in colour and alpha.
    LFTexture* Painted(int width, int height, int variant)
    {
        LFTexture* t = new LFTexture(width, height);
        t->clear();
        t->setRenderContext();
        for (int y = 0; y < height; y += 2)
            for (int x = 0; x < width; x += 2)
                LFDrawRectFill(LFMakeRect(x, y, 2, 2),
                               LFMakeColor((x * 16 % 256) / 255.0f, (y * 16 % 256) / 255.0f, variant ? 0.2f : 0.9f,
                                           ((x + y) % 6 == 0) ? 0.5f : 1.0f));
        t->unsetRenderContext();
        return t;
    }

    // count calls at random. Sprites keep their own size unless scaled is
    // set: then most are scaled or turned, some stretched, and nine-slices
    // stretch theirs.
    static std::vector<Op> RandomOps(int count, unsigned seed, bool scaled)
    {
        std::mt19937 rng(seed);
        auto num = [&](int low, int high) { return low + (int)(rng() % (unsigned)(high - low + 1)); };
        auto coord = [&](int high) { return num(-20, high + 20) + num(0, 9) / 10.0f; };
        auto color = [&] {
            return LFMakeColor(num(0, 255) / 255.0f, num(0, 255) / 255.0f, num(0, 255) / 255.0f,
                               num(1, 4) / 4.0f);
        };
        std::vector<Op> ops(count);
        for (Op& op : ops) {
            int pick = num(0, 99);
            // Mostly shapes and sprites, in runs of one kind now and then.
            if (pick < 14)
                op.kind = Op::RectFill;
            else if (pick < 22)
                op.kind = Op::Rect;
            else if (pick < 32)
                op.kind = Op::Line;
            else if (pick < 40)
                op.kind = Op::TriangleFill;
            else if (pick < 45)
                op.kind = Op::Triangle;
            else if (pick < 50)
                op.kind = Op::RectFills;
            else if (pick < 55)
                op.kind = Op::Lines;
            else if (pick < 97)
                op.kind = scaled && pick < 80 ? Op::TurnedSprite : Op::Sprite;
            else
                op.kind = (Op::Kind)num(Op::Circle, scaled ? Op::Text : Op::CircleFill);
            if (pick == 99)
                op.kind = scaled ? Op::NineSlice : Op::Text;
            for (int i = 0; i < 4; i++) {
                op.rects[i] = LFMakeRect(coord(kWidth), coord(kHeight), num(0, 30) + num(0, 9) / 10.0f,
                                         num(0, 30) + num(0, 9) / 10.0f);
                op.colors[i] = color();
                op.source[i] = num(-3, 18);
            }
            for (LFPoint& p : op.points)
                p = LFMakePoint(coord(kWidth), coord(kHeight));
            op.count = num(-1, 7);
            op.texture = num(0, 9) < 7 ? 0 : 1;  // runs of one texture, broken now and then
            op.x = num(-16, kWidth);
            op.y = num(-16, kHeight);
            op.width = scaled ? num(-1, 30) : -1;
            op.height = scaled ? num(-1, 30) : -1;
            op.rot = op.kind == Op::TurnedSprite ? num(-360, 360) : 0;
            op.scale = op.kind == Op::TurnedSprite ? num(2, 12) / 4.0f : 1;
            op.flipMode = num(0, 7) & 6;
            op.form = num(0, 5);
            op.alpha = num(1, 4) / 4.0f;
        }
        return ops;
    }

    // The op's position moved by fractions of a pixel that any float holds
    // exactly, and that put the corners off the pixel centres and off the
    // diamonds that decide which pixels a line's end covers: one by one and
    // batched, the same pixels then lie inside.
    static LFPoint subPixel(const Op& op)
    {
        return LFMakePoint(op.x + ((op.source[0] & 1) ? 0.25f : 0.75f), op.y + ((op.source[1] & 1) ? 0.375f : 0.625f));
    }

    void Run(const Op& op)
    {
        LFTexture* sprite = sprites[op.texture];
        switch (op.kind) {
        case Op::RectFill: LFDrawRectFill(op.rects[0], op.colors[0]); break;
        case Op::Rect: LFDrawRect(op.rects[0], op.colors[0]); break;
        case Op::Line: LFDrawLine(op.points[0], op.points[1], op.colors[0]); break;
        case Op::TriangleFill: LFDrawTriangleFill(op.points[0], op.points[1], op.points[2], op.colors[0]); break;
        case Op::Triangle: LFDrawTriangle(op.points[0], op.points[1], op.points[2], op.colors[0]); break;
        case Op::RectFills: LFDrawRectFills(op.rects, op.colors, op.count < 4 ? op.count : 4); break;
        case Op::Lines: LFDrawLines(op.points, op.count, op.colors[0]); break;
        case Op::Sprite:
        case Op::TurnedSprite:
            sprite->setTint(op.colors[0]);
            if (op.form == 0)
                sprite->draw(op.x, op.y, -1);
            else if (op.form == 1)
                sprite->draw(op.x, op.y, op.alpha, op.scale, op.rot, op.flipMode, -1);
            else if (op.form == 2)
                sprite->draw(op.source[0], op.source[1], op.source[2], op.source[3], op.x, op.y, op.alpha, op.scale,
                             op.rot, op.flipMode, -1);
            else if (op.form == 3)
                sprite->draw(op.source[0], op.source[1], op.source[2], op.source[3], op.width, op.height, op.x, op.y,
                             op.alpha, op.scale, op.rot, op.flipMode, -1);
            else if (op.form == 4)
                sprite->drawAt(subPixel(op));
            else
                sprite->drawAt(subPixel(op), op.alpha, op.scale, op.rot, op.flipMode);
            break;
        case Op::Circle: LFDrawCircle(op.points[0], op.count * 3, 16, op.colors[0]); break;
        case Op::CircleFill: LFDrawCircleFill(op.points[0], op.count * 3, 12, op.colors[0]); break;
        case Op::NineSlice:
            sprite->drawNineSlice(op.points[0], op.rects[0].size, 4, op.alpha);
            break;
        case Op::Text: font->print(op.points[0], op.colors[0], LFTempString("Batch %d", op.count)); break;
        default: break;
        }
    }

    // Draws ops into the selected target, the second quarter clipped, then
    // some into another target, and back. A translucent veil over everything
    // goes right before each switch, so that something is held at each. With
    // cameras set, every target is seen through a zoomed and turned camera,
    // and the second quarter through one more inside it.
    void Draw(const std::vector<Op>& ops, LFRenderContext* target)
    {
        auto veil = [] { LFDrawRectFill(LFMakeRect(0, 0, kWidth, kHeight), LFMakeColor(0.5f, 0.5f, 0, 0.25f)); };
        auto look = [this](LFPoint center, float zoom, float rotation) {
            if (cameras)
                LFPushCamera(center, zoom, rotation);
        };
        auto lookBack = [this] {
            if (cameras)
                LFPopCamera();
        };
        size_t quarter = ops.size() / 4;
        look(LFMakePoint(kWidth / 2 + 10, kHeight / 2 - 5), 1.25f, 20);
        for (size_t i = 0; i < quarter; i++)
            Run(ops[i]);
        veil();
        target->setClipTo(LFMakeRect(20, 15, kWidth - 60, kHeight - 50));
        look(LFMakePoint(40, 30), 0.75f, -35);
        for (size_t i = quarter; i < 2 * quarter; i++)
            Run(ops[i]);
        lookBack();
        veil();
        target->unsetClip();
        veil();
        lookBack();
        target->unsetRenderContext();
        side->clear();
        side->setRenderContext();
        look(LFMakePoint(15, 20), 2, 90);
        for (size_t i = 2 * quarter; i < 2 * quarter + 40; i++)
            Run(ops[i]);
        veil();
        lookBack();
        side->unsetRenderContext();
        window->setRenderContext();
        target->setRenderContext();
        look(LFMakePoint(kWidth / 2, kHeight / 2), 0.5f, 0);
        side->draw(30, 20, -1);
        for (size_t i = 2 * quarter + 40; i < ops.size(); i++)
            Run(ops[i]);
        lookBack();
    }

    // Draws the scene into the window, or into the canvas, one by one or in
    // a batch; returns the picture and the state left behind.
    Picture Render(const std::vector<Op>& ops, bool intoTexture, bool batched, DrawingState* state)
    {
        LFRenderContext* target = intoTexture ? (LFRenderContext*)canvas : (LFRenderContext*)window;
        window->setRenderContext();
        glClearColor(0.1f, 0.2f, 0.3f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        canvas->clear();
        target->setRenderContext();
        if (batched)
            LFBeginBatch();
        Draw(ops, target);
        if (batched)
            LFEndBatch();
        *state = DrawingState::read();

        Picture picture(kWidth * kHeight);
        if (intoTexture) {
            canvas->unsetRenderContext();
            canvas->bind();
            glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, picture.data());
        } else {
            glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, picture.data());
        }
        return picture;
    }

    // Draws the scene one by one and then in a batch, checks that both leave
    // the same state, and returns how their pictures differ.
    Difference RenderBothWays(const std::vector<Op>& ops, bool intoTexture)
    {
        DrawingState oneByOneState, batchedState;
        Picture oneByOne = Render(ops, intoTexture, false, &oneByOneState);
        Picture batched = Render(ops, intoTexture, true, &batchedState);
        EXPECT_TRUE(SameState(oneByOneState, batchedState));
        return Compare(oneByOne, batched);
    }

    LFWindow* window = nullptr;
    LFTexture* sprites[2] = {nullptr, nullptr};
    LFTexture* canvas = nullptr;
    LFTexture* side = nullptr;
    LFFont* font = nullptr;
    bool cameras = false;
};

TEST_F(Batch, MixedScenesLandOnTheSamePixelsAsOneByOne)
{
    std::vector<Op> ops = RandomOps(3000, 7, false);
    for (bool intoTexture : {false, true}) {
        SCOPED_TRACE(intoTexture ? "into a texture" : "into the window");
        EXPECT_EQ(0, RenderBothWays(ops, intoTexture).pixels) << "pixels that differ";
    }

    // Polygons drawn as outlines: the edge between the two triangles a held
    // quad is drawn as must not show.
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    Difference outlined = RenderBothWays(ops, false);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    EXPECT_EQ(0, outlined.pixels) << "pixels that differ with polygons as outlines";
}

TEST_F(Batch, UnderCamerasTheSamePixelsAsOneByOne)
{
    cameras = true;
    std::vector<Op> ops = RandomOps(3000, 13, false);
    for (bool intoTexture : {false, true}) {
        SCOPED_TRACE(intoTexture ? "into a texture" : "into the window");
        EXPECT_EQ(0, RenderBothWays(ops, intoTexture).pixels) << "pixels that differ";
    }
}

// Sprites neither tinted nor faded are sent with their texels replacing the
// colour: the same pixels, and the texture environment is left as it was,
// whichever it was.
TEST_F(Batch, UntintedSpritesLandOnTheSamePixelsAsOneByOne)
{
    std::vector<Op> ops = RandomOps(3000, 13, false);
    for (Op& op : ops) {
        op.colors[0] = LFMakeColor(1, 1, 1, 1);
        op.alpha = 1;
    }
    for (bool intoTexture : {false, true}) {
        SCOPED_TRACE(intoTexture ? "into a texture" : "into the window");
        EXPECT_EQ(0, RenderBothWays(ops, intoTexture).pixels) << "pixels that differ";
    }
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    Difference decal = RenderBothWays(ops, false);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    EXPECT_EQ(0, decal.pixels) << "pixels that differ with textures as decals";
}

TEST_F(Batch, ScaledAndTurnedSpritesDifferAtMostAtEdges)
{
    std::vector<Op> ops = RandomOps(1500, 11, true);
    for (bool intoTexture : {false, true}) {
        SCOPED_TRACE(intoTexture ? "into a texture" : "into the window");
        Difference d = RenderBothWays(ops, intoTexture);
        EXPECT_EQ(0, d.offEdges) << "pixels that differ away from any edge";
        EXPECT_LT(d.pixels, kWidth * kHeight / 100) << "pixels that differ";
        std::cout << (intoTexture ? "texture" : "window") << ": " << d.pixels << " of " << kWidth * kHeight
                  << " pixels differ, all on edges\n";
        RecordProperty(intoTexture ? "TexturePixelsDiffering" : "WindowPixelsDiffering", d.pixels);
    }
}


// After every send, whatever set it off (LFFlushBatch, LFEndBatch, a circle,
// text, a nine-slice, another texture, shapes after sprites), the state is
// the one the same calls leave one by one, from any state before them.
TEST_F(Batch, EverySendLeavesTheStateOfTheCallsOneByOne)
{
    std::vector<Op> ops = RandomOps(1200, 23, true);
    std::mt19937 rng(5);
    GLint spriteName = 0;
    side->bind();
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &spriteName);
    GLuint textures[] = {0, (GLuint)spriteName};
    size_t next = 0;
    for (int run = 0; next < ops.size(); run++) {
        size_t count = 1 + rng() % 6;
        count = std::min(count, ops.size() - next);
        // A state before the calls that none of them would leave.
        bool texturing = rng() % 2;
        float shade = (float)(rng() % 7) / 8;
        GLfloat width = (float)(2 + rng() % 3);
        GLuint bound = textures[rng() % 2];
        int pushed = rng() % 2;
        DrawingState states[2];
        for (bool batched : {false, true}) {
            if (texturing)
                glEnable(GL_TEXTURE_2D);
            else
                glDisable(GL_TEXTURE_2D);
            glColor4f(shade, 1 - shade, 0.5f, 0.75f);
            glTexCoord2f(shade, 0.25f);
            glLineWidth(width);
            glBindTexture(GL_TEXTURE_2D, bound);
            if (pushed)
                glPushMatrix();
            if (batched)
                LFBeginBatch();
            for (size_t i = next; i < next + count; i++)
                Run(ops[i]);
            if (batched && run % 2)
                LFFlushBatch();
            else if (batched)
                LFEndBatch();
            states[batched] = DrawingState::read();
            if (batched && run % 2)
                LFEndBatch();
            if (pushed)
                glPopMatrix();
        }
        EXPECT_TRUE(SameState(states[0], states[1])) << "after calls " << next << " to " << next + count - 1;
        next += count;
    }
    glEnable(GL_TEXTURE_2D);
    glLineWidth(1);
}


// The pixel at (x, y) of the window's back buffer as it is now, whatever is held.
static Pixel At(int x, int y)
{
    return ReadPixel(x, y, kHeight);
}

TEST_F(Batch, HeldUntilTheOutermostEndAFlushOrAFullBuffer)
{
    const LFColor red = LFMakeColor(1, 0, 0, 1);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);

    LFEndBatch();  // without a batch: nothing to end, drawing stays immediate
    LFDrawRectFill(LFMakeRect(0, 0, 4, 4), red);
    EXPECT_TRUE(IsRed(At(1, 1)));

    LFBeginBatch();
    LFBeginBatch();
    LFDrawRectFill(LFMakeRect(10, 10, 4, 4), red);
    LFEndBatch();
    EXPECT_FALSE(IsLit(At(11, 11))) << "held while the outer batch is open";
    LFFlushBatch();
    EXPECT_TRUE(IsRed(At(11, 11))) << "sent by LFFlushBatch";
    LFDrawLine(LFMakePoint(20, 20.5f), LFMakePoint(30, 20.5f), red);
    EXPECT_FALSE(IsLit(At(25, 20))) << "the batch stays open after a flush";
    LFEndBatch();
    EXPECT_TRUE(IsRed(At(25, 20))) << "sent at the outermost end";
    LFEndBatch();  // one end too many does nothing

    // The buffer is bounded: holding more than it takes sends the oldest.
    LFBeginBatch();
    sprites[0]->setTint(LFMakeColor(1, 1, 1, 1));
    sprites[0]->draw(40, 40, -1);
    for (int i = 0; i < 100000; i++)
        sprites[0]->draw(-100, -100, -1);
    EXPECT_TRUE(IsLit(At(43, 43))) << "sent when the buffer filled";
    LFEndBatch();
}

// 2^31 nested LFBeginBatch calls overflowed the depth, which then read as no
// batch at all: drawing went out at once. The depth stops at INT_MAX.
TEST_F(Batch, NestingPastTheLargestDepthKeepsTheBatchOpen)
{
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    for (long long i = 0; i <= INT_MAX; i++)
        LFBeginBatch();
    LFDrawRectFill(LFMakeRect(10, 10, 4, 4), LFMakeColor(1, 0, 0, 1));
    LFEndBatch();
    EXPECT_FALSE(IsLit(At(11, 11))) << "held while the batch is open";
    _LFEndAllBatches();
    EXPECT_TRUE(IsRed(At(11, 11)));
}

TEST_F(Batch, SentAtSwapAndBeforeItsTextureGoes)
{
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    LFBeginBatch();
    LFDrawRectFill(LFMakeRect(5, 5, 8, 8), LFMakeColor(0, 1, 0, 1));
    window->swapBuffers();
    // Mesa keeps the back buffer over a swap: what was sent before it is there.
    EXPECT_TRUE(IsGreen(At(8, 8))) << "a batch left open is sent with the frame";
    glClear(GL_COLOR_BUFFER_BIT);
    LFFlushBatch();
    EXPECT_FALSE(IsLit(At(8, 8))) << "and no longer held";

    glClear(GL_COLOR_BUFFER_BIT);
    LFTexture* doomed = Painted(16, 16, 0);
    window->setRenderContext();
    doomed->draw(50, 50, -1);
    delete doomed;
    EXPECT_TRUE(IsLit(At(53, 53))) << "held draws of a texture are sent before it is deleted";
    LFEndBatch();
}

TEST_F(Batch, ArrayCallsWithoutElementsTouchNothing)
{
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    LFPoint points[1] = {LFMakePoint(3, 3)};
    LFRect rects[1] = {LFMakeRect(3, 3, 5, 5)};
    LFColor colors[1] = {LFMakeColor(1, 1, 1, 1)};
    for (bool batched : {false, true}) {
        SCOPED_TRACE(batched ? "in a batch" : "one by one");
        glDisable(GL_TEXTURE_2D);
        glColor4f(0.25f, 0.5f, 0.75f, 1);
        glLineWidth(3);
        DrawingState before = DrawingState::read();
        if (batched)
            LFBeginBatch();
        for (int count : {1, 0, -1})
            LFDrawLines(points, count, colors[0]);
        for (int count : {0, -1})
            LFDrawRectFills(rects, colors, count);
        if (batched)
            LFEndBatch();
        EXPECT_TRUE(SameState(before, DrawingState::read()));
        EXPECT_FALSE(IsLit(At(4, 4)));
    }
    glEnable(GL_TEXTURE_2D);
}
