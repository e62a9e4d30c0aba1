// The primitives drawn into a real window and read back pixel by pixel; the
// vertices a call emits are captured with OpenGL's feedback mode.
#include <limits.h>  // INT_MIN, INT_MAX
#include <math.h>    // NAN, INFINITY
#include <string.h>  // memcmp

#include <vector>

#include "TestSupport.h"

class Primitives : public WindowTest {
protected:
    // Runs a draw call in feedback mode and returns the line segments it
    // produced, each as two (x, y) vertices in window coordinates (y down).
    std::vector<LFPoint> feedbackLineVertices(void (*draw)())
    {
        std::vector<GLfloat> buffer(8192);
        glFeedbackBuffer((GLsizei)buffer.size(), GL_2D, buffer.data());
        glRenderMode(GL_FEEDBACK);
        draw();
        int count = glRenderMode(GL_RENDER);
        std::vector<LFPoint> vertices;
        for (int i = 0; i < count;) {
            GLfloat token = buffer[i++];
            if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
                for (int v = 0; v < 2; v++, i += 2)
                    vertices.push_back(LFMakePoint(buffer[i], kHeight - buffer[i + 1]));
            } else if (token == GL_POLYGON_TOKEN) {
                int n = (int)buffer[i++];
                for (int v = 0; v < n; v++, i += 2)
                    vertices.push_back(LFMakePoint(buffer[i], kHeight - buffer[i + 1]));
            } else if (token == GL_POINT_TOKEN) {
                i += 2;
            } else {
                ADD_FAILURE() << "unexpected feedback token " << token;
                break;
            }
        }
        return vertices;
    }
};

static const LFColor kWhite = {1, 1, 1, 1};

TEST_F(Primitives, MakeColorKeepsValuesAsGiven)
{
    LFColor c = LFMakeColor(2, -1, 0.5f, 1);
    EXPECT_EQ(2, c.r);
    EXPECT_EQ(-1, c.g);
    EXPECT_EQ(0.5f, c.b);
    EXPECT_EQ(1, c.a);
}

TEST_F(Primitives, RectFillTruncatesItsCorners)
{
    LFDrawRectFill(LFMakeRect(10.7f, 20.2f, 5.6f, 3.9f), kWhite);
    // Corners (10, 20) to (15, 23): pixels 10..14 by 20..22.
    EXPECT_TRUE(lit(10, 20));
    EXPECT_TRUE(lit(14, 22));
    EXPECT_FALSE(lit(9, 20));
    EXPECT_FALSE(lit(15, 22));
    EXPECT_FALSE(lit(14, 23));
    EXPECT_FALSE(lit(10, 19));
}

TEST_F(Primitives, RectLightsOnlyTheOutermostRing)
{
    LFDrawRect(LFMakeRect(0, 0, 4, 3), kWhite);
    for (int y = 0; y < 3; y++) {
        EXPECT_TRUE(lit(0, y)) << "left column, row " << y;
        EXPECT_TRUE(lit(3, y)) << "right column, row " << y;
    }
    for (int x = 0; x < 4; x++) {
        EXPECT_TRUE(lit(x, 0)) << "top row, column " << x;
        EXPECT_TRUE(lit(x, 2)) << "bottom row, column " << x;
    }
    EXPECT_FALSE(lit(1, 1));
    EXPECT_FALSE(lit(2, 1));
    EXPECT_FALSE(lit(4, 1));
    EXPECT_FALSE(lit(1, 3));

    LFDrawRect(LFMakeRect(20, 10, 10, 8), kWhite);
    EXPECT_TRUE(lit(20, 10));
    EXPECT_TRUE(lit(29, 17));
    EXPECT_FALSE(lit(30, 17));
    EXPECT_FALSE(lit(29, 18));
    EXPECT_FALSE(lit(25, 14));
}

TEST_F(Primitives, TranslucentRectBlendsItsTopLeftPixelTwice)
{
    LFDrawRect(LFMakeRect(10, 10, 6, 6), LFMakeColor(1, 1, 1, 0.5f));
    EXPECT_NEAR(191, at(10, 10).r, 2);
    EXPECT_NEAR(128, at(12, 10).r, 2);
    EXPECT_NEAR(128, at(15, 15).r, 2);
}

TEST_F(Primitives, RectRestoresTheEdgeFlag)
{
    glEdgeFlag(GL_FALSE);
    LFDrawRect(LFMakeRect(1, 1, 5, 5), kWhite);
    GLboolean flag = GL_TRUE;
    glGetBooleanv(GL_EDGE_FLAG, &flag);
    EXPECT_EQ(GL_FALSE, flag);
}

TEST_F(Primitives, LineEndpointsAreTruncated)
{
    std::vector<LFPoint> v = feedbackLineVertices([] {
        LFDrawLine(LFMakePoint(0.9f, 5.9f), LFMakePoint(10.9f, 5.9f), kWhite);
    });
    ASSERT_EQ(2u, v.size());
    EXPECT_EQ(0, v[0].x);
    EXPECT_EQ(5, v[0].y);
    EXPECT_EQ(10, v[1].x);
    EXPECT_EQ(5, v[1].y);

    LFDrawLine(LFMakePoint(2.9f, 20.5f), LFMakePoint(40.9f, 20.5f), kWhite);
    int litInRows = 0;
    for (int y = 18; y <= 22; y++)
        litInRows += lit(20, y);
    EXPECT_EQ(1, litInRows) << "a one-pixel line";
    EXPECT_FALSE(lit(41, 19) || lit(41, 20) || lit(41, 21));
}

TEST_F(Primitives, CircleStartsBelowTheCentreAndRunsCounterClockwise)
{
    std::vector<LFPoint> v = feedbackLineVertices([] {
        LFDrawCircle(LFMakePoint(30, 20), 10, 32, kWhite);
    });
    ASSERT_EQ(64u, v.size()) << "32 points give 32 segments of the loop";
    EXPECT_NEAR(30, v[0].x, 1e-3);
    EXPECT_NEAR(30, v[0].y, 1e-3);
    // The second point lies to the right of the first (below the centre,
    // moving toward the right side).
    EXPECT_GT(v[1].x, v[0].x);
    // A quarter of the way round the point is right of the centre.
    EXPECT_NEAR(40, v[16].x, 0.1);
    EXPECT_NEAR(20, v[16].y, 0.5);
}

static int CircleSegmentCount(int segments)
{
    std::vector<GLfloat> buffer(8192);
    glFeedbackBuffer((GLsizei)buffer.size(), GL_2D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    LFDrawCircle(LFMakePoint(30, 20), 10, segments, kWhite);
    int count = glRenderMode(GL_RENDER);
    // Each segment of the loop is a token and two 2D vertices.
    return count / 5;
}

TEST_F(Primitives, CirclePointCountsFollowTheAccumulatedAngle)
{
    EXPECT_EQ(4, CircleSegmentCount(3));
    EXPECT_EQ(8, CircleSegmentCount(7));
    EXPECT_EQ(12, CircleSegmentCount(12));
    EXPECT_EQ(37, CircleSegmentCount(36));
    EXPECT_EQ(65, CircleSegmentCount(64));
}

TEST_F(Primitives, CircleWithNoSegmentsDrawsNothing)
{
    EXPECT_EQ(0, CircleSegmentCount(0));
    EXPECT_EQ(0, CircleSegmentCount(-4));
}

TEST_F(Primitives, CircleFillCoversTheDisc)
{
    LFDrawCircleFill(LFMakePoint(30, 20), 6, 12, LFMakeColor(0, 0, 1, 1));
    EXPECT_EQ(255, at(30, 20).b);
    EXPECT_EQ(255, at(30, 24).b);
    EXPECT_EQ(0, at(30, 28).b);
    EXPECT_EQ(0, at(38, 20).b);

    std::vector<LFPoint> v = feedbackLineVertices([] {
        LFDrawCircleFill(LFMakePoint(30, 20), 6, 12, kWhite);
    });
    EXPECT_EQ(30u, v.size()) << "a fan of 12 points is 10 triangles";
}

TEST_F(Primitives, TrianglesDrawTheirOutlineAndFill)
{
    LFDrawTriangleFill(LFMakePoint(10, 10), LFMakePoint(30, 10), LFMakePoint(10, 30), kWhite);
    EXPECT_TRUE(lit(12, 12));
    EXPECT_FALSE(lit(28, 28));

    GLfloat width = 0;
    LFDrawTriangle(LFMakePoint(40, 5), LFMakePoint(60, 5), LFMakePoint(40, 25), LFMakeColor(1, 0, 0, 1));
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_EQ(2, width);
    EXPECT_FALSE(lit(45, 10)) << "the outline leaves the inside empty";

    LFDrawCircle(LFMakePoint(30, 20), 5, 8, kWhite);
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_EQ(1, width);
}

TEST_F(Primitives, EveryPrimitiveLeavesTexturingOnAndItsColourCurrent)
{
    void (*calls[])() = {
        [] { LFDrawLine(LFMakePoint(1, 1), LFMakePoint(5, 5), LFMakeColor(0.5f, 0, 0, 1)); },
        [] { LFDrawRect(LFMakeRect(1, 1, 5, 5), LFMakeColor(0.5f, 0, 0, 1)); },
        [] { LFDrawRectFill(LFMakeRect(1, 1, 5, 5), LFMakeColor(0.5f, 0, 0, 1)); },
        [] { LFDrawCircle(LFMakePoint(9, 9), 3, 12, LFMakeColor(0.5f, 0, 0, 1)); },
        [] { LFDrawCircleFill(LFMakePoint(9, 9), 3, 12, LFMakeColor(0.5f, 0, 0, 1)); },
        [] { LFDrawTriangle(LFMakePoint(1, 1), LFMakePoint(5, 1), LFMakePoint(1, 5), LFMakeColor(0.5f, 0, 0, 1)); },
        [] { LFDrawTriangleFill(LFMakePoint(1, 1), LFMakePoint(5, 1), LFMakePoint(1, 5), LFMakeColor(0.5f, 0, 0, 1)); },
    };
    for (size_t i = 0; i < sizeof calls / sizeof calls[0]; i++) {
        glDisable(GL_TEXTURE_2D);
        calls[i]();
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << "call " << i;
        GLfloat color[4];
        glGetFloatv(GL_CURRENT_COLOR, color);
        EXPECT_EQ(0.5f, color[0]) << "call " << i;
        GLint depth;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        EXPECT_EQ(1, depth) << "call " << i;
    }
}

TEST_F(Primitives, RectFillsMatchFillingEachRectInTurn)
{
    // Overlapping translucent rectangles with fractional corners: blending
    // order and truncation must both match.
    std::vector<LFRect> rects;
    std::vector<LFColor> colors;
    for (int i = 0; i < 40; i++) {
        rects.push_back(LFMakeRect((i * 7) % 50 + 0.6f, (i * 5) % 36 + 0.3f, 3.7f + i % 9, 2.2f + i % 7));
        colors.push_back(LFMakeColor((i % 3) / 2.0f, (i % 5) / 4.0f, (i % 7) / 6.0f, 0.3f + (i % 4) * 0.2f));
    }
    std::vector<Pixel> expected(kWidth * kHeight), actual(kWidth * kHeight);
    for (size_t i = 0; i < rects.size(); i++)
        LFDrawRectFill(rects[i], colors[i]);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, expected.data());

    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    LFDrawRectFills(rects.data(), colors.data(), (int)rects.size());
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, actual.data());
    EXPECT_EQ(0, memcmp(expected.data(), actual.data(), expected.size() * sizeof(Pixel)));

    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLfloat color[4];
    glGetFloatv(GL_CURRENT_COLOR, color);
    EXPECT_EQ(colors.back().r, color[0]) << "the last colour stays current";
    EXPECT_EQ(colors.back().a, color[3]);
    LFDrawRectFills(rects.data(), colors.data(), 0);  // nothing to draw, nothing touched
}

TEST_F(Primitives, LinesMatchDrawingEachSegmentInTurn)
{
    std::vector<LFPoint> points;
    for (int i = 0; i < 30; i++) {
        points.push_back(LFMakePoint((i * 13) % 60 + 0.7f, (i * 7) % 44 + 0.2f));
        points.push_back(LFMakePoint((i * 5) % 60 + 0.9f, (i * 11) % 44 + 0.5f));
    }
    std::vector<Pixel> expected(kWidth * kHeight), actual(kWidth * kHeight);
    for (size_t i = 0; i < points.size(); i += 2)
        LFDrawLine(points[i], points[i + 1], LFMakeColor(1, 1, 1, 0.5f));
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, expected.data());

    glClear(GL_COLOR_BUFFER_BIT);
    points.push_back(LFMakePoint(1, 1));  // an odd last point draws nothing
    LFDrawLines(points.data(), (int)points.size(), LFMakeColor(1, 1, 1, 0.5f));
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, actual.data());
    EXPECT_EQ(0, memcmp(expected.data(), actual.data(), expected.size() * sizeof(Pixel)));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

// As no LFDrawLine call at all: no texture switch, colour or line width.
TEST_F(Primitives, LinesWithoutAPairChangeNothing)
{
    LFPoint point = LFMakePoint(3, 3);
    glDisable(GL_TEXTURE_2D);
    glColor4f(0, 0.25f, 0, 1);
    glLineWidth(3);
    for (int count : {1, 0, -1}) {
        LFDrawLines(&point, count, kWhite);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << "count " << count;
        GLfloat color[4], width;
        glGetFloatv(GL_CURRENT_COLOR, color);
        glGetFloatv(GL_LINE_WIDTH, &width);
        EXPECT_EQ(0.25f, color[1]) << "count " << count;
        EXPECT_EQ(0, color[0]) << "count " << count;
        EXPECT_EQ(3, width) << "count " << count;
    }
    LFDrawLines(nullptr, 0, kWhite);
    EXPECT_EQ(GL_NO_ERROR, (int)glGetError());
}

// Coordinates that truncate to the ends of the int range used to overflow in
// the outline's arithmetic and the texture's corners (the sanitizer build
// stops on it). They saturate: what lies inside the window still draws.
TEST_F(Primitives, CoordinatesBeyondTheIntRangeSaturate)
{
    const float values[] = {NAN, -INFINITY, INFINITY, -2.1e9f, 2.1e9f, -3e9f, 3e9f, 5};
    LFTexture texture(4, 4);
    texture.clear();
    for (float a : values)
        for (float b : values) {
            LFRect rect = LFMakeRect(LFMakePoint(a, b), LFMakeSize(b, a));
            LFDrawRect(rect, kWhite);
            LFDrawRectFill(rect, kWhite);
            LFDrawRectFills(&rect, &kWhite, 1);
            texture.drawNineSlice(rect.origin, rect.size, 2);
            window->setClipTo(rect);
            window->unsetClip();
        }
    const int ends[] = {INT_MIN, INT_MIN + 1, INT_MAX - 1, INT_MAX, 0};
    for (int a : ends)
        for (int b : ends) {
            texture.draw(a, b, -1);
            texture.draw(0, 0, 4, 4, a, b, a, b, 1.0f, 1.0f, 0, 0, -1);
            texture.bind();
            glBegin(GL_QUADS);
            texture.draw(0, 0, 4, 4, a, b, a, b, 1.0f, 1.0f, 0, 0, 0);
            glEnd();
            glPushMatrix();
            texture.drawingPosition(0, 0, a, b, 1, 90, 6);
            glPopMatrix();
        }

    // The outline of a rectangle reaching far beyond the window lies outside
    // it; a NaN origin counts as 0.
    glClear(GL_COLOR_BUFFER_BIT);
    LFDrawRect(LFMakeRect(LFMakePoint(-3e9f, -3e9f), LFMakeSize(INFINITY, INFINITY)), kWhite);
    EXPECT_FALSE(lit(0, 0));
    EXPECT_FALSE(lit(kWidth - 1, kHeight - 1));
    LFDrawRectFill(LFMakeRect(LFMakePoint(NAN, NAN), LFMakeSize(10, 10)), kWhite);
    EXPECT_TRUE(lit(0, 0));
    EXPECT_TRUE(lit(9, 9));
    EXPECT_FALSE(lit(10, 10));
}

// Line ends that are NaN or beyond the int range were converted to int
// unchecked, which is undefined (x86 makes all of them INT_MIN; the sanitized
// build stops). They pin as rectangle corners do: the same pixels as the ends
// pinned by hand, batched or not. Lines from NaN ends show; Mesa draws none
// that reach 2^31.
TEST_F(Primitives, LineEndsBeyondTheIntRangeSaturate)
{
    const float big = 2147483648.0f;  // 2^31, whose truncation stops at INT_MAX
    const LFPoint given[] = {LFMakePoint(NAN, NAN),     LFMakePoint(20, 30), LFMakePoint(NAN, 20),
                             LFMakePoint(30, 20),       LFMakePoint(10, -NAN), LFMakePoint(10, 40),
                             LFMakePoint(-INFINITY, 10), LFMakePoint(40, 10), LFMakePoint(5, INFINITY),
                             LFMakePoint(5, 5),         LFMakePoint(3e9f, NAN), LFMakePoint(50, -3e9f)};
    const LFPoint pinned[] = {LFMakePoint(0, 0),    LFMakePoint(20, 30), LFMakePoint(0, 20),   LFMakePoint(30, 20),
                              LFMakePoint(10, 0),   LFMakePoint(10, 40), LFMakePoint(-big, 10), LFMakePoint(40, 10),
                              LFMakePoint(5, big),  LFMakePoint(5, 5),   LFMakePoint(big, 0),  LFMakePoint(50, -big)};
    const int count = sizeof given / sizeof given[0];
    for (bool batched : {false, true}) {
        SCOPED_TRACE(batched ? "in a batch" : "one by one");
        std::vector<Pixel> expected(kWidth * kHeight), actual(kWidth * kHeight);
        for (const LFPoint* points : {pinned, given}) {
            glClear(GL_COLOR_BUFFER_BIT);
            if (batched)
                LFBeginBatch();
            LFDrawLines(points, count, kWhite);
            if (batched)
                LFEndBatch();
            glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE,
                         points == pinned ? expected.data() : actual.data());
        }
        int litPixels = 0;
        for (const Pixel& p : expected)
            litPixels += IsLit(p);
        EXPECT_GT(litPixels, 90) << "the three lines from NaN ends, 30, 30 and 40 pixels long";
        EXPECT_EQ(0, memcmp(expected.data(), actual.data(), expected.size() * sizeof(Pixel)));
    }
}
