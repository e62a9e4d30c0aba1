// Windows: creation and the window map, the size cache, projections,
// render-context globals and scissor clipping, read back from real OpenGL.
#include <math.h>  // NAN
#include <string.h>

#include <algorithm>  // std::min

#include "TestSupport.h"
#include "graphics/LFWindowPrivate.h"
#include "string/LFStringPrivate.h"
#include "system/LFApplicationPrivate.h"

class Window : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(0, LFInit()) << LFError(); }
    void TearDown() override
    {
        _LFCleanTempStrings();
        LFDeInit();
    }
    static SDL_Window* sdlWindow(LFWindow* w) { return SDL_GetWindowFromID(w->id()); }
};

TEST_F(Window, WindowsAreRegisteredByIdAndTheMapGoesWithTheLast)
{
    EXPECT_EQ(nullptr, _windowsMap);
    LFWindow* a = new LFWindow(LFTempString("a"), LFMakeSize(64, 48));
    LFWindow* b = new LFWindow(LFTempString("b"), LFMakeSize(32, 32));
    ASSERT_NE(nullptr, _windowsMap);
    EXPECT_EQ(2u, _windowsMap->size());
    EXPECT_EQ(a, (*_windowsMap)[a->id()]);
    EXPECT_EQ(b, (*_windowsMap)[b->id()]);
    delete a;
    EXPECT_EQ(1u, _windowsMap->size());
    delete b;
    EXPECT_EQ(nullptr, _windowsMap);

    LFWindow* c = new LFWindow(LFTempString("c"), LFMakeSize(16, 16));
    ASSERT_NE(nullptr, _windowsMap);
    EXPECT_EQ(1u, _windowsMap->size());
    delete c;
}

TEST_F(Window, CreationFailureThrowsWithTheErrorText)
{
    // Without a usable video driver SDL cannot make the window.
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    EXPECT_THROW(new LFWindow(LFTempString("x"), LFMakeSize(100.9f, 50)), std::bad_alloc);
    unsetenv("SDL_VIDEODRIVER");
    EXPECT_EQ(std::string("Couldn't set 100x50 video mode: ") + SDL_GetError(), LFError());
    EXPECT_STRNE("", SDL_GetError()) << "SDL's reason follows the colon";
    EXPECT_EQ(nullptr, _windowsMap) << "nothing is registered";
}

// Sizes no display takes: SDL's reason follows the sizes, and sizes beyond
// the int range (converting them was undefined) stop at its end.
TEST_F(Window, WindowTooLargeSaysWhy)
{
    struct {
        LFSize size;
        const char* message;
    } cases[] = {{LFMakeSize(1e9f, 1e9f), "Couldn't set 1000000000x1000000000 video mode: "},
                 {LFMakeSize(INFINITY, 1e30f), "Couldn't set 2147483647x2147483647 video mode: "}};
    for (auto& c : cases) {
        SDL_SetError("an older error");
        EXPECT_THROW(new LFWindow(LFTempString("x"), c.size), std::bad_alloc);
        EXPECT_EQ(std::string(c.message) + SDL_GetError(), LFError());
        EXPECT_STRNE("", SDL_GetError());
        EXPECT_STRNE("an older error", SDL_GetError());  // SDL 2.26: "Window is too large."
    }
    EXPECT_EQ(nullptr, _windowsMap) << "nothing is registered";
}

// Converting these to int was undefined (the sanitized build stops on it);
// they pin as every other coordinate does. SDL refuses a minimum side of 0.
TEST_F(Window, PositionAndMinimumSizeBeyondTheIntRangePin)
{
    LFWindow* w = new LFWindow(LFTempString("w"), LFMakeSize(64, 48));
    w->setMinimumSize(LFMakeSize(20.7f, 10));
    for (float side : {NAN, -INFINITY, -3e9f}) {
        w->setMinimumSize(LFMakeSize(side, 30));
        w->setMinimumSize(LFMakeSize(30, side));
    }
    int width = 0, height = 0;
    SDL_GetWindowMinimumSize(sdlWindow(w), &width, &height);
    EXPECT_EQ(20, width);
    EXPECT_EQ(10, height);
    for (float x : {NAN, -INFINITY, INFINITY, 3e9f, -3e9f})
        w->setPosition(LFMakePoint(x, -x));
    delete w;
}

TEST_F(Window, TitleFlagsAndIdentity)
{
    LFWindow* w = new LFWindow(LFTempString("Windcart"), LFMakeSize(64, 48));
    SDL_Window* s = sdlWindow(w);
    ASSERT_NE(nullptr, s);
    EXPECT_STREQ("Windcart", SDL_GetWindowTitle(s));
    EXPECT_EQ(0u, SDL_GetWindowFlags(s) & SDL_WINDOW_RESIZABLE);
    EXPECT_NE(0u, SDL_GetWindowFlags(s) & SDL_WINDOW_OPENGL);
    EXPECT_EQ(0, w->isFullscreen());
    int focused = w->isFocused();
    EXPECT_TRUE(focused == 0 || focused == 1);
    w->setTitle(LFTempString("Renamed"));
    EXPECT_STREQ("Renamed", SDL_GetWindowTitle(s));
    EXPECT_EQ(0, w->getDisplayIndex());
    delete w;

    LFWindow* r = new LFWindow(LFTempString("r"), LFMakeSize(64, 48), 1);
    EXPECT_NE(0u, SDL_GetWindowFlags(sdlWindow(r)) & SDL_WINDOW_RESIZABLE);
    delete r;
}

TEST_F(Window, SizeIsCachedUntilSetSize)
{
    LFWindow* w = new LFWindow(LFTempString("w"), LFMakeSize(64, 48));
    EXPECT_EQ(64, w->size().width);
    EXPECT_EQ(48, w->size().height);
    SDL_SetWindowSize(sdlWindow(w), 80, 60);
    EXPECT_EQ(64, w->size().width) << "size() does not ask SDL again";
    EXPECT_EQ(80, w->rect().size.width) << "rect() always asks SDL";
    w->setSize(LFMakeSize(90.7f, 70));
    EXPECT_EQ(90, w->size().width);
    EXPECT_EQ(70, w->size().height);
    _LFWindowAccess::invalidateSizeCache(w);
    EXPECT_EQ(90, w->size().width);
    delete w;
}

// 40000 x 40000 used to end the process two frames later with an X error.
TEST_F(Window, SetSizeClampsToTheDisplayAndTheLargestViewport)
{
    LFWindow* w = new LFWindow(LFTempString("w"), LFMakeSize(64, 48), -1);
    w->setRenderContext();
    SDL_Rect display;
    ASSERT_EQ(0, SDL_GetDisplayBounds(w->getDisplayIndex(), &display)) << SDL_GetError();
    GLint viewport[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    w->setSize(LFMakeSize(40000, 40000));
    for (int frame = 0; frame < 3; frame++) {
        SDL_PumpEvents();
        w->setRenderContext();
        glClear(GL_COLOR_BUFFER_BIT);
        LFDrawRectFill(LFMakeRect(LFZeroPoint, w->size()), LFMakeColor(1, 0, 0, 1));
        w->swapBuffers();
    }
    SDL_PumpEvents();
    LFSize size = w->rect().size;
    EXPECT_EQ(std::min(display.w, viewport[0]), size.width);
    EXPECT_EQ(std::min(display.h, viewport[1]), size.height);

    w->setSize(LFMakeSize(100.9f, NAN));
    EXPECT_EQ(size.width, w->rect().size.width) << "SDL refuses a height of 0; nothing changes";
    w->setSize(LFMakeSize(100.9f, 80));
    EXPECT_EQ(100, w->size().width);
    EXPECT_EQ(80, w->size().height);
    delete w;
}

TEST_F(Window, SetRenderContextSelectsTheWindowAndItsDrawable)
{
    EXPECT_EQ(nullptr, LFCurrentRenderContext());
    LFWindow* w = new LFWindow(LFTempString("w"), LFMakeSize(64, 48));
    w->setRenderContext();
    EXPECT_EQ(w, LFCurrentRenderContext());
    EXPECT_EQ((void*)w, _LFCurrentWindowRenderContext);
    w->unsetRenderContext();
    EXPECT_EQ(w, LFCurrentRenderContext()) << "unsetting a window changes nothing";

    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    int dw, dh;
    SDL_GL_GetDrawableSize(sdlWindow(w), &dw, &dh);
    EXPECT_EQ(0, viewport[0]);
    EXPECT_EQ(dw, viewport[2]);
    EXPECT_EQ(dh, viewport[3]);
    delete w;
}

TEST_F(Window, VSyncSetsTheSwapIntervalOfTheWindowsOwnContext)
{
    LFWindow* a = new LFWindow(LFTempString("a"), LFMakeSize(64, 48));
    LFWindow* b = new LFWindow(LFTempString("b"), LFMakeSize(64, 48));
    a->setRenderContext();
    SDL_GLContext aContext = SDL_GL_GetCurrentContext();
    int aInterval = SDL_GL_GetSwapInterval();
    _LFSetError("%s", "");

    int accepted = b->setVSync(-1);
    EXPECT_EQ(aContext, SDL_GL_GetCurrentContext()) << "the context current before is current again";
    EXPECT_EQ(aInterval, SDL_GL_GetSwapInterval()) << "and keeps its interval";
    if (accepted) {
        EXPECT_EQ(-1, accepted);
        EXPECT_STREQ("", LFError());
        b->setRenderContext();
        EXPECT_EQ(1, SDL_GL_GetSwapInterval());
        EXPECT_EQ(-1, b->setVSync(0));
        EXPECT_EQ(0, SDL_GL_GetSwapInterval());
    } else {
        EXPECT_EQ(0, strncmp("Unable to set swap interval: ", LFError(), 29)) << LFError();
    }
    delete b;
    delete a;
}

TEST_F(Window, StandingStateIsTexturingAndAlphaBlending)
{
    LFWindow* w = new LFWindow(LFTempString("w"), LFMakeSize(64, 48));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    GLint src, dst;
    glGetIntegerv(GL_BLEND_SRC, &src);
    glGetIntegerv(GL_BLEND_DST, &dst);
    EXPECT_EQ(GL_SRC_ALPHA, src);
    EXPECT_EQ(GL_ONE_MINUS_SRC_ALPHA, dst);
    delete w;
}

TEST_F(Window, ThreeDModeUsesPerspectiveAndDepth)
{
    LFWindow* w = new LFWindow(LFTempString("w"), LFMakeSize(64, 48));
    w->setRenderingMode(LFWindowRenderingMode3D);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    // gluPerspective(45, 64/48, 1, 1000): f = 1/tan(22.5 deg).
    float f = 1.0f / tanf(22.5f * (float)M_PI / 180.0f);
    EXPECT_NEAR(f / (64.0f / 48.0f), projection[0], 1e-4);
    EXPECT_NEAR(f, projection[5], 1e-4);
    EXPECT_NEAR(-1001.0f / 999.0f, projection[10], 1e-4);

    w->setRenderingMode(LFWindowRenderingMode2D);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    delete w;
}

class WindowDrawing : public WindowTest {};

TEST_F(WindowDrawing, TwoDCoordinatesRunFromTheTopLeft)
{
    LFDrawRectFill(LFMakeRect(0, 0, 1, 1), LFMakeColor(1, 0, 0, 1));
    LFDrawRectFill(LFMakeRect(kWidth - 1, kHeight - 1, 1, 1), LFMakeColor(0, 1, 0, 1));
    EXPECT_EQ(255, at(0, 0).r);
    EXPECT_EQ(0, at(1, 0).r);
    EXPECT_EQ(255, at(kWidth - 1, kHeight - 1).g);
    EXPECT_EQ(0, at(kWidth - 2, kHeight - 1).g);
}

TEST_F(WindowDrawing, ClipSetsTheFlippedScissorAndUnclipRestores)
{
    window->setClipTo(LFMakeRect(10, 20, 30, 15));
    EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
    GLint box[4];
    glGetIntegerv(GL_SCISSOR_BOX, box);
    EXPECT_EQ(10, box[0]);
    EXPECT_EQ(kHeight - 20 - 15, box[1]);
    EXPECT_EQ(30, box[2]);
    EXPECT_EQ(15, box[3]);

    LFDrawRectFill(LFMakeRect(0, 0, kWidth, kHeight), LFMakeColor(1, 1, 1, 1));
    EXPECT_TRUE(lit(10, 20));
    EXPECT_TRUE(lit(39, 34));
    EXPECT_FALSE(lit(9, 20));
    EXPECT_FALSE(lit(10, 19));
    EXPECT_FALSE(lit(40, 34));
    EXPECT_FALSE(lit(39, 35));

    window->unsetClip();
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
    glGetIntegerv(GL_SCISSOR_BOX, box);
    EXPECT_EQ(0, box[0]);
    EXPECT_EQ(0, box[1]);
    EXPECT_EQ(kWidth, box[2]);
    EXPECT_EQ(kHeight, box[3]);
}
