// Cameras drawn through and read back: a rectangle at the world centre under
// zoom and rotation, sprites and text following, nesting and popping, a
// texture target, selecting a render context, and points converted both ways.
#include <random>

#include "TestSupport.h"

namespace {

const LFColor kRed = {1, 0, 0, 1};

::testing::AssertionResult SameRect(LFRect expected, LFRect actual)
{
    if (LFEqualRects(expected, actual))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << actual.origin.x << ", " << actual.origin.y << ", "
                                         << actual.size.width << " x " << actual.size.height << ") is not ("
                                         << expected.origin.x << ", " << expected.origin.y << ", "
                                         << expected.size.width << " x " << expected.size.height << ")";
}

class Camera : public WindowTest {
protected:
    LFRect redBounds() { return BoundsOf(ReadFrame(kWidth, kHeight), kWidth, kHeight, IsRed); }
};

// The window is 64 x 48: its middle is (32, 24).
TEST_F(Camera, ZoomTwoDrawsTheWorldCentreTwiceAsLargeInTheMiddle)
{
    LFPushCamera(LFMakePoint(100, 100), 2, 0);
    LFDrawRectFill(LFMakeRect(95, 95, 10, 10), kRed);
    LFPopCamera();
    EXPECT_TRUE(SameRect(LFMakeRect(22, 14, 20, 20), redBounds()));

    // Without a camera the same call lands where it says.
    glClear(GL_COLOR_BUFFER_BIT);
    LFDrawRectFill(LFMakeRect(5, 6, 10, 10), kRed);
    EXPECT_TRUE(SameRect(LFMakeRect(5, 6, 10, 10), redBounds()));
}

TEST_F(Camera, RotationTurnsTheWorldClockwiseAboutTheMiddle)
{
    // A bar right of the centre, turned a quarter clockwise, hangs below the middle.
    LFPushCamera(LFMakePoint(0, 0), 1, 90);
    LFDrawRectFill(LFMakeRect(4, -2, 12, 4), kRed);
    LFPopCamera();
    EXPECT_TRUE(SameRect(LFMakeRect(30, 28, 4, 12), redBounds()));
}

TEST_F(Camera, CamerasNestAndPopBackToTheViewBefore)
{
    LFPopCamera();  // nothing pushed: nothing happens
    LFPushCamera(LFMakePoint(10, 10), 2, 0);     // world (10, 10) at (32, 24), doubled
    LFPushCamera(LFMakePoint(76, 52), 0.5f, 0);  // in that world: back to the window's pixels
    LFDrawRectFill(LFMakeRect(0, 0, 8, 8), kRed);
    EXPECT_TRUE(SameRect(LFMakeRect(0, 0, 8, 8), redBounds()));
    glClear(GL_COLOR_BUFFER_BIT);
    LFPopCamera();
    LFDrawRectFill(LFMakeRect(10, 10, 4, 4), kRed);
    EXPECT_TRUE(SameRect(LFMakeRect(32, 24, 8, 8), redBounds()));
    glClear(GL_COLOR_BUFFER_BIT);
    LFPopCamera();
    LFDrawRectFill(LFMakeRect(10, 10, 4, 4), kRed);
    EXPECT_TRUE(SameRect(LFMakeRect(10, 10, 4, 4), redBounds()));
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(1, depth);
}

TEST_F(Camera, SpritesAndTextFollowIt)
{
    LFTexture sprite(4, 4);
    sprite.clear();
    sprite.setRenderContext();
    LFDrawRectFill(LFMakeRect(0, 0, 4, 4), kRed);
    sprite.unsetRenderContext();
    window->setRenderContext();
    LFPushCamera(LFMakePoint(2, 2), 3, 0);
    sprite.draw(0, 0, -1);
    LFPopCamera();
    EXPECT_TRUE(SameRect(LFMakeRect(26, 18, 12, 12), redBounds()));

    glClear(GL_COLOR_BUFFER_BIT);
    LFFont font(Str("/usr/share/fonts/opentype/unifont/unifont.otf"), LFAliased);
    ASSERT_EQ(-1, font.setSize(16));
    font.print(LFMakePoint(0, 0), kRed, Str("H"));
    LFRect plain = redBounds();
    ASSERT_GT(plain.size.width, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    LFPushCamera(LFMakePoint(32, 24), 2, 0);  // doubled about the middle
    font.print(LFMakePoint(16, 12), kRed, Str("H"));
    LFPopCamera();
    LFRect zoomed = redBounds();
    EXPECT_TRUE(SameRect(LFMakeRect(2 * plain.origin.x, 2 * plain.origin.y, 2 * plain.size.width,
                                    2 * plain.size.height),
                         zoomed));
}

TEST_F(Camera, SelectingARenderContextDropsTheCameras)
{
    LFPushCamera(LFMakePoint(0, 0), 4, 30);
    window->setRenderContext();
    EXPECT_TRUE(LFEqualPoints(LFMakePoint(7, 9), LFWorldToScreen(LFMakePoint(7, 9))));
    LFDrawRectFill(LFMakeRect(5, 6, 10, 10), kRed);
    EXPECT_TRUE(SameRect(LFMakeRect(5, 6, 10, 10), redBounds()));
    LFPopCamera();  // already dropped: nothing happens
    glClear(GL_COLOR_BUFFER_BIT);
    LFDrawRectFill(LFMakeRect(5, 6, 10, 10), kRed);
    EXPECT_TRUE(SameRect(LFMakeRect(5, 6, 10, 10), redBounds()));
}

// Inside a texture target the middle is the texture's, and rows still run
// from the top.
TEST_F(Camera, ATextureTargetIsSeenThroughItsOwnMiddle)
{
    LFTexture canvas(20, 10);
    canvas.clear();
    canvas.setRenderContext();
    LFPushCamera(LFMakePoint(0, 0), 2, 0);
    LFDrawRectFill(LFMakeRect(0, 0, 2, 1), kRed);  // lands at (10, 5), 4 x 2
    LFPopCamera();
    canvas.unsetRenderContext();
    window->setRenderContext();
    canvas.draw(0, 0, -1);
    EXPECT_TRUE(SameRect(LFMakeRect(10, 5, 4, 2), redBounds()));
}

TEST_F(Camera, ScreenToWorldUndoesWorldToScreen)
{
    LFPoint p = LFMakePoint(12.5f, -7.25f);
    EXPECT_TRUE(LFEqualPoints(p, LFScreenToWorld(p)));  // no camera
    std::mt19937 random(22);
    std::uniform_real_distribution<float> coordinate(-500, 500), zoom(0.1f, 8), angle(-360, 360);
    for (int round = 0; round < 200; round++) {
        int depth = 1 + round % 3;
        for (int i = 0; i < depth; i++)
            LFPushCamera(LFMakePoint(coordinate(random), coordinate(random)), zoom(random), angle(random));
        LFPoint world = LFMakePoint(coordinate(random), coordinate(random));
        LFPoint back = LFScreenToWorld(LFWorldToScreen(world));
        EXPECT_NEAR(world.x, back.x, 1e-3f * (1 + fabsf(world.x)));
        EXPECT_NEAR(world.y, back.y, 1e-3f * (1 + fabsf(world.y)));
        for (int i = 0; i < depth; i++)
            LFPopCamera();
    }
    // What is under the middle of the window is the centre; a zoom of 0
    // shows the centre everywhere.
    LFPushCamera(LFMakePoint(300, -40), 3, 45);
    LFPoint middle = LFScreenToWorld(LFMakePoint(32, 24));
    EXPECT_NEAR(300, middle.x, 1e-3f);
    EXPECT_NEAR(-40, middle.y, 1e-3f);
    LFPushCamera(LFMakePoint(5, 6), 0, 0);
    EXPECT_TRUE(LFEqualPoints(LFMakePoint(5, 6), LFScreenToWorld(LFMakePoint(1, 2))));
    LFPopCamera();
    LFPopCamera();
}

// The pixels drawn through the camera match its conversion: the window
// pixel under a world point is red where a rectangle there was drawn.
TEST_F(Camera, WorldToScreenPointsAtWhatWasDrawn)
{
    LFPushCamera(LFMakePoint(-50, 80), 1.5f, 30);
    LFDrawRectFill(LFMakeRect(-52, 78, 4, 4), kRed);
    LFPoint screen = LFWorldToScreen(LFMakePoint(-50, 80));
    LFPopCamera();
    EXPECT_NEAR(32, screen.x, 1e-3f);
    EXPECT_NEAR(24, screen.y, 1e-3f);
    EXPECT_TRUE(IsRed(at(32, 24)));
}

}  // namespace
