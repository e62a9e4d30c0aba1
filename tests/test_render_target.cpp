// Render targets and screen capture with real parts under Xvfb: the current
// render context as windows and textures are selected, drawing into a
// texture read back from the texture and drawn out again, clipping, clearing,
// and the PNG and BMP files read back by SDL_image's and SDL's own decoders.
#include <stdio.h>   // fopen, fread
#include <string.h>  // memcpy
#include <unistd.h>  // access

#include <algorithm>  // std::count, std::count_if, std::sort
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "graphics/LFWindowPrivate.h"
#include "string/LFStringPrivate.h"
#include "system/LFApplicationPrivate.h"

#include <SDL_image.h>  // IMG_Load

static Pixel MakePixel(int r, int g, int b, int a)
{
    Pixel p = {(unsigned char)r, (unsigned char)g, (unsigned char)b, (unsigned char)a};
    return p;
}

static const LFColor kRed = {1, 0, 0, 1};
static const LFColor kGreen = {0, 1, 0, 1};
static const LFColor kWhite = {1, 1, 1, 1};
static const Pixel kRedPixel = MakePixel(255, 0, 0, 255);
static const Pixel kClearPixel = MakePixel(0, 0, 0, 0);
static const Pixel kBlackPixel = MakePixel(0, 0, 0, 255);

// A different opaque colour for every texel of textures up to 16 x 8.
static Pixel Texel(int x, int y)
{
    return MakePixel(10 + 15 * x, 10 + 30 * y, 77, 255);
}

// A picture of pixels, row 0 at the top.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels;
    Pixel at(int x, int y) const { return pixels[(size_t)y * width + x]; }
};

// Decodes a surface that SDL_image or SDL loaded into RGBA pixels; an empty
// image when there is none.
static Image FromSurface(SDL_Surface* loaded)
{
    Image image;
    if (!loaded)
        return image;
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    image.width = rgba->w;
    image.height = rgba->h;
    image.pixels.resize((size_t)rgba->w * rgba->h);
    for (int y = 0; y < rgba->h; y++)
        memcpy(&image.pixels[(size_t)y * rgba->w], (Uint8*)rgba->pixels + y * rgba->pitch, 4 * (size_t)rgba->w);
    SDL_FreeSurface(rgba);
    return image;
}

static Image ReadPNG(const std::string& path)
{
    return FromSurface(IMG_Load(path.c_str()));
}

static Image ReadBMP(const std::string& path)
{
    return FromSurface(SDL_LoadBMP(path.c_str()));
}

// The whole of a texture as RGBA bytes, read by OpenGL, not by the library.
static Image Contents(LFTexture* texture)
{
    Image image;
    image.width = (int)texture->size().width;
    image.height = (int)texture->size().height;
    image.pixels.resize((size_t)image.width * image.height);
    texture->bind();
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels.data());
    return image;
}

// Compares every pixel with expected(x, y) and reports the first mismatches.
static ::testing::AssertionResult Shows(const Image& image, int width, int height,
                                        const std::function<Pixel(int, int)>& expected)
{
    if (image.width != width || image.height != height)
        return ::testing::AssertionFailure() << "the image is " << image.width << " x " << image.height << ", not "
                                             << width << " x " << height;
    int mismatches = 0;
    ::testing::AssertionResult result = ::testing::AssertionFailure();
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            Pixel want = expected(x, y);
            Pixel got = image.at(x, y);
            if (!(got == want) && mismatches++ < 5)
                result << "(" << x << ", " << y << ") is " << got << ", not " << want << "; ";
        }
    if (mismatches == 0)
        return ::testing::AssertionSuccess();
    return result << mismatches << " pixels differ";
}

static bool Exists(const std::string& path)
{
    return access(path.c_str(), F_OK) == 0;
}

// --- Texture render targets: a 64 x 48 window and textures to draw into

class RenderTarget : public WindowTest {
protected:
    static constexpr int kTargetWidth = 64;
    static constexpr int kTargetHeight = 32;

    void SetUp() override
    {
        WindowTest::SetUp();
        ASSERT_FALSE(scratch.path().empty()) << "no scratch directory";
    }

    // A cleared target with an opaque red top row, drawn and released.
    void drawRedTopRow(LFTexture* target)
    {
        target->clear();
        target->setRenderContext();
        LFDrawRectFill(LFMakeRect(0, 0, kTargetWidth, 1), kRed);
        target->unsetRenderContext();
    }

    static GLint integer(GLenum name)
    {
        GLint value = 0;
        glGetIntegerv(name, &value);
        return value;
    }

    TempDir scratch{"lfrendertarget"};
};

TEST_F(RenderTarget, CurrentContextFollowsTheSelectedTarget)
{
    LFTexture texture(kTargetWidth, kTargetHeight);
    EXPECT_EQ(window, LFCurrentRenderContext());
    texture.setRenderContext();
    EXPECT_EQ(&texture, LFCurrentRenderContext());
    EXPECT_EQ((void*)window, _LFCurrentWindowRenderContext) << "the OpenGL context in use is still the window's";
    texture.unsetRenderContext();
    EXPECT_EQ(nullptr, LFCurrentRenderContext());
    EXPECT_EQ((void*)window, _LFCurrentWindowRenderContext);

    window->setRenderContext();
    EXPECT_EQ(window, LFCurrentRenderContext());
    window->unsetRenderContext();
    EXPECT_EQ(window, LFCurrentRenderContext()) << "unsetting a window changes nothing";
    EXPECT_EQ((void*)window, _LFCurrentWindowRenderContext);
}

TEST_F(RenderTarget, SelectingTakesOverViewportProjectionAndBlending)
{
    LFTexture texture(kTargetWidth, kTargetHeight);
    texture.setRenderContext();
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(0, viewport[0]);
    EXPECT_EQ(0, viewport[1]);
    EXPECT_EQ(kTargetWidth, viewport[2]);
    EXPECT_EQ(kTargetHeight, viewport[3]);
    EXPECT_EQ(GL_ONE, integer(GL_BLEND_SRC));
    EXPECT_EQ(GL_ONE_MINUS_SRC_ALPHA, integer(GL_BLEND_DST));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(2, integer(GL_MODELVIEW_STACK_DEPTH));
    texture.unsetRenderContext();

    EXPECT_EQ(GL_SRC_ALPHA, integer(GL_BLEND_SRC)) << "blending is restored";
    EXPECT_EQ(GL_ONE_MINUS_SRC_ALPHA, integer(GL_BLEND_DST));
    EXPECT_EQ(1, integer(GL_MODELVIEW_STACK_DEPTH));
    EXPECT_EQ(0, integer(GL_TEXTURE_BINDING_2D));
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(kTargetWidth, viewport[2]) << "the viewport stays the texture's until a window is selected";

    window->setRenderContext();
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(kWidth, viewport[2]);
    EXPECT_EQ(kHeight, viewport[3]);
}

TEST_F(RenderTarget, FramebufferObjectLivesOnlyWhileTheTextureIsSelected)
{
    LFTexture texture(kTargetWidth, kTargetHeight);
    EXPECT_EQ(0, integer(GL_FRAMEBUFFER_BINDING));
    texture.setRenderContext();
    GLuint first = (GLuint)integer(GL_FRAMEBUFFER_BINDING);
    EXPECT_NE(0u, first);
    EXPECT_TRUE(glIsFramebuffer(first));
    texture.unsetRenderContext();
    EXPECT_EQ(0, integer(GL_FRAMEBUFFER_BINDING));
    EXPECT_FALSE(glIsFramebuffer(first)) << "deleted when released";

    texture.setRenderContext();
    GLuint second = (GLuint)integer(GL_FRAMEBUFFER_BINDING);
    EXPECT_TRUE(glIsFramebuffer(second)) << "made afresh for the next use";
    texture.unsetRenderContext();
    EXPECT_FALSE(glIsFramebuffer(second));
}

TEST_F(RenderTarget, DrawingAtTheTopFillsRowZero)
{
    LFTexture texture(kTargetWidth, kTargetHeight);
    drawRedTopRow(&texture);
    EXPECT_TRUE(IsColour(texture.getPixel(LFMakePoint(0, 0), 0), kRedPixel));
    EXPECT_TRUE(IsColour(texture.getPixel(LFMakePoint(63, 0), 0), kRedPixel));
    EXPECT_EQ(0, texture.getPixel(LFMakePoint(0, 31), 0).a);
    EXPECT_EQ(0, texture.getPixel(LFMakePoint(0, 1), 0).a);
    EXPECT_TRUE(Shows(Contents(&texture), kTargetWidth, kTargetHeight,
                      [](int, int y) { return y == 0 ? kRedPixel : kClearPixel; }));
}

TEST_F(RenderTarget, DrawingLandsAtTheSamePixelsAsInAWindow)
{
    LFTexture texture(kTargetWidth, kTargetHeight);
    texture.clear();
    texture.setRenderContext();
    LFDrawRectFill(LFMakeRect(10, 5, 4, 3), kRed);
    LFDrawRectFill(LFMakeRect(kTargetWidth - 1, kTargetHeight - 1, 1, 1), kGreen);
    texture.unsetRenderContext();
    EXPECT_TRUE(Shows(Contents(&texture), kTargetWidth, kTargetHeight, [](int x, int y) {
        if (x >= 10 && x < 14 && y >= 5 && y < 8)
            return kRedPixel;
        if (x == kTargetWidth - 1 && y == kTargetHeight - 1)
            return MakePixel(0, 255, 0, 255);
        return kClearPixel;
    }));
}

TEST_F(RenderTarget, TextureDrawnOutShowsTheTopRowAtTheTop)
{
    LFTexture texture(kTargetWidth, kTargetHeight);
    drawRedTopRow(&texture);
    window->setRenderContext();
    glClear(GL_COLOR_BUFFER_BIT);
    texture.draw(0, 0, -1);
    for (int x : {0, 31, 63}) {
        EXPECT_EQ(255, at(x, 0).r) << "x " << x;
        EXPECT_EQ(0, at(x, 1).r) << "x " << x;
        EXPECT_EQ(0, at(x, 31).r) << "x " << x;
    }
}

TEST_F(RenderTarget, TextureDrawnIntoATextureKeepsItsOrientation)
{
    // A 16 x 8 source of Texel colours, row 0 being the first row handed in.
    LFTexture source(16, 8);
    std::vector<Pixel> texels;
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 16; x++)
            texels.push_back(Texel(x, y));
    source.bind();
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 16, 8, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());

    LFTexture target(kTargetWidth, kTargetHeight);
    target.clear();
    target.setRenderContext();
    source.draw(3, 2, -1);
    target.unsetRenderContext();
    EXPECT_TRUE(Shows(Contents(&target), kTargetWidth, kTargetHeight, [](int x, int y) {
        return (x >= 3 && x < 19 && y >= 2 && y < 10) ? Texel(x - 3, y - 2) : kClearPixel;
    }));
}

TEST_F(RenderTarget, TranslucentDrawingAddsColourInFullAndAccumulatesAlpha)
{
    LFTexture texture(kTargetWidth, kTargetHeight);
    texture.clear();
    texture.setRenderContext();
    LFDrawRectFill(LFMakeRect(0, 0, 4, 4), LFMakeColor(0, 1, 0, 0.5f));
    LFDrawRectFill(LFMakeRect(0, 0, 2, 2), LFMakeColor(0, 1, 0, 0.5f));
    texture.unsetRenderContext();
    Image image = Contents(&texture);
    // (GL_ONE, GL_ONE_MINUS_SRC_ALPHA) onto transparent black: green in full, alpha one half.
    EXPECT_EQ(255, image.at(3, 3).g);
    EXPECT_NEAR(128, image.at(3, 3).a, 1);
    // Twice: alpha 1/2 + 1/2 x 1/2.
    EXPECT_NEAR(191, image.at(0, 0).a, 1);
}

TEST_F(RenderTarget, SecondTextureTakesOverAndReleasingReturnsToTheWindowFramebuffer)
{
    LFTexture first(kTargetWidth, kTargetHeight);
    LFTexture second(kTargetWidth, kTargetHeight);
    first.clear();
    second.clear();
    first.setRenderContext();
    GLint firstFramebuffer = integer(GL_FRAMEBUFFER_BINDING);
    second.setRenderContext();
    EXPECT_EQ(&second, LFCurrentRenderContext());
    EXPECT_NE(firstFramebuffer, integer(GL_FRAMEBUFFER_BINDING));
    LFDrawRectFill(LFMakeRect(0, 0, kTargetWidth, kTargetHeight), kRed);
    second.unsetRenderContext();
    EXPECT_EQ(nullptr, LFCurrentRenderContext());
    EXPECT_EQ(0, integer(GL_FRAMEBUFFER_BINDING)) << "the window's framebuffer, not the first texture's";
    first.unsetRenderContext();

    EXPECT_TRUE(Shows(Contents(&second), kTargetWidth, kTargetHeight, [](int, int) { return kRedPixel; }));
    EXPECT_TRUE(Shows(Contents(&first), kTargetWidth, kTargetHeight, [](int, int) { return kClearPixel; }));
}

TEST_F(RenderTarget, ClipRectangleIsInTheTexturesOwnCoordinates)
{
    LFTexture texture(kTargetWidth, kTargetHeight);
    texture.clear();
    texture.setRenderContext();
    texture.setClipTo(LFMakeRect(10.9f, 4.9f, 20.9f, 8.9f));
    EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
    GLint box[4];
    glGetIntegerv(GL_SCISSOR_BOX, box);
    EXPECT_EQ(10, box[0]) << "truncated, neither scaled nor flipped";
    EXPECT_EQ(4, box[1]);
    EXPECT_EQ(20, box[2]);
    EXPECT_EQ(8, box[3]);
    LFDrawRectFill(LFMakeRect(0, 0, kTargetWidth, kTargetHeight), kRed);

    texture.unsetClip();
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
    glGetIntegerv(GL_SCISSOR_BOX, box);
    EXPECT_EQ(0, box[0]);
    EXPECT_EQ(0, box[1]);
    EXPECT_EQ(kTargetWidth, box[2]);
    EXPECT_EQ(kTargetHeight, box[3]);
    texture.unsetRenderContext();

    EXPECT_TRUE(Shows(Contents(&texture), kTargetWidth, kTargetHeight, [](int x, int y) {
        return (x >= 10 && x < 30 && y >= 4 && y < 12) ? kRedPixel : kClearPixel;
    }));
}

TEST_F(RenderTarget, ClearMakesEveryPixelTransparentBlackAndLeavesTheTextureBound)
{
    LFTexture texture(kTargetWidth, kTargetHeight);
    texture.setRenderContext();
    LFDrawRectFill(LFMakeRect(0, 0, kTargetWidth, kTargetHeight), kWhite);
    texture.unsetRenderContext();
    texture.bind();
    GLint name = integer(GL_TEXTURE_BINDING_2D);
    glBindTexture(GL_TEXTURE_2D, 0);

    texture.clear();
    EXPECT_EQ(name, integer(GL_TEXTURE_BINDING_2D));
    EXPECT_TRUE(Shows(Contents(&texture), kTargetWidth, kTargetHeight, [](int, int) { return kClearPixel; }));
}

TEST_F(RenderTarget, ClearKeepsAHeldPixelSnapshot)
{
    LFTexture texture(kTargetWidth, kTargetHeight);
    drawRedTopRow(&texture);
    EXPECT_TRUE(IsColour(texture.getPixel(LFMakePoint(5, 0), -1), kRedPixel));
    texture.clear();
    EXPECT_TRUE(IsColour(texture.getPixel(LFMakePoint(5, 0), -1), kRedPixel)) << "answered from the snapshot";
}

TEST_F(RenderTarget, IncompleteFramebufferPrintsOneLineAndStillSelects)
{
    LFTexture complete(kTargetWidth, kTargetHeight);
    ::testing::internal::CaptureStdout();
    complete.setRenderContext();
    complete.unsetRenderContext();
    EXPECT_EQ("", ::testing::internal::GetCapturedStdout()) << "a complete target prints nothing";

    LFTexture empty;
    ::testing::internal::CaptureStdout();
    empty.setRenderContext();
    std::string printed = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(0u, printed.find("Fatal error. Framebutter not complete! texID: 0 -> fboID: ")) << printed;
    EXPECT_EQ(1, (int)std::count(printed.begin(), printed.end(), '\n'));
    EXPECT_EQ(')', printed[printed.size() - 2]);
    EXPECT_EQ(&empty, LFCurrentRenderContext());
    empty.unsetRenderContext();
    EXPECT_EQ(nullptr, LFCurrentRenderContext());
}

TEST_F(RenderTarget, WriteToPNGWritesTheTextureUprightWithItsAlpha)
{
    LFTexture texture(kTargetWidth, kTargetHeight);
    texture.clear();
    texture.setRenderContext();
    LFDrawRectFill(LFMakeRect(0, 0, kTargetWidth, 1), kRed);
    LFDrawRectFill(LFMakeRect(5, 10, 3, 2), LFMakeColor(0, 1, 0, 0.5f));
    texture.unsetRenderContext();

    std::string path = scratch.file("target.png");
    EXPECT_EQ(-1, texture.writeToPNG(LFTempString("%s", path.c_str())));
    Image png = ReadPNG(path);
    Image texels = Contents(&texture);
    EXPECT_TRUE(Shows(png, kTargetWidth, kTargetHeight, [&](int x, int y) { return texels.at(x, y); }));
    EXPECT_EQ(kRedPixel, png.at(0, 0));
    EXPECT_EQ(0, png.at(0, 31).a);
    EXPECT_EQ(255, png.at(6, 11).g);
    EXPECT_NEAR(128, png.at(6, 11).a, 1);
}

TEST_F(RenderTarget, WriteToPNGOfAClearedTextureIsTransparentEverywhere)
{
    LFTexture texture(kTargetWidth, kTargetHeight);
    texture.clear();
    std::string path = scratch.file("cleared.png");
    EXPECT_EQ(-1, texture.writeToPNG(LFTempString("%s", path.c_str())));
    EXPECT_TRUE(Shows(ReadPNG(path), kTargetWidth, kTargetHeight, [](int, int) { return kClearPixel; }));
}

TEST_F(RenderTarget, WriteToPNGFailsWithTheReason)
{
    LFTexture texture(kTargetWidth, kTargetHeight);
    texture.clear();
    std::string missing = scratch.path() + "/no/such/dir/t.png";
    EXPECT_EQ(0, texture.writeToPNG(LFTempString("%s", missing.c_str())));
    EXPECT_FALSE(Exists(missing));
    EXPECT_EQ("Unable to save PNG image (" + missing + "): No such file or directory", std::string(LFError()));

    LFTexture empty;
    std::string path = scratch.file("empty.png");
    EXPECT_EQ(0, empty.writeToPNG(LFTempString("%s", path.c_str())));
    EXPECT_FALSE(Exists(path));
    EXPECT_EQ("Unable to save PNG image (" + path + "): the texture is empty", std::string(LFError()));
}

// Pictures that run out of room half way, as under `ulimit -f 1` (a full
// disk): both calls fail with the reason and leave the files they would
// have replaced as they were, with nothing else beside them.
TEST(PictureFiles, AWriteThatRunsOutOfRoomFailsAndLeavesTheOldFile)
{
#ifdef _WIN32
    GTEST_SKIP() << kNoChildProcess;
#else
    TempDir scratch{"lfrendertarget"};
    std::string png = scratch.file("texture.png");
    std::string bmp = scratch.file("window.bmp");
    std::string results = scratch.file("results");
    std::ofstream(png) << "old";
    std::ofstream(bmp) << "old";
    int status = RunInChild(1024, [&] {
        if (!LFInit())
            return 2;
        LFWindow* window = new LFWindow(LFTempString("files"), LFMakeSize(64, 48));  // a BMP of 12 KB
        window->setRenderContext();
        // 4 x 4 cells of random colours: a PNG of some 20 KB.
        LFTexture* texture = new LFTexture(256, 256);
        texture->setRenderContext();
        for (int y = 0; y < 256; y += 4)
            for (int x = 0; x < 256; x += 4)
                LFDrawRectFill(LFMakeRect(x, y, 4, 4), LFMakeColor(LFRandomizef(0, 1), LFRandomizef(0, 1), 0.5f, 1));
        texture->unsetRenderContext();
        window->setRenderContext();
        std::ofstream out(results);
        out << texture->writeToPNG(LFTempString("%s", png.c_str())) << "\n" << LFError() << "\n";
        out << window->saveBuffer(LFTempString("%s", bmp.c_str()), 0) << "\n" << LFError() << "\n";
        delete texture;
        delete window;
        LFDeInit();
        return 0;
    });
    ASSERT_EQ(0, status);
    std::ifstream in(results);
    std::string lines[4];
    for (std::string& line : lines)
        std::getline(in, line);
    EXPECT_EQ("0", lines[0]);
    EXPECT_EQ("Unable to save PNG image (" + png + "): File too large", lines[1]);
    EXPECT_EQ("0", lines[2]);
    EXPECT_EQ("Unable to save bitmap image (" + bmp + "): File too large", lines[3]);
    for (const std::string& path : {png, bmp}) {
        std::ifstream old(path);
        std::string content;
        std::getline(old, content);
        EXPECT_EQ("old", content) << path;
    }
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(scratch.path()))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::string>{"results", "texture.png", "window.bmp"}), names);
#endif
}

// --- Screen capture from windows of several sizes

class Capture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(scratch.path().empty()) << "no scratch directory";
        ASSERT_NE(0, LFInit()) << LFError();
        SDL_WarpMouseGlobal(4000, 4000);
    }

    void TearDown() override
    {
        delete window;
        _LFCleanTempStrings();
        LFDeInit();
    }

    // Opens a window of width x height, selects it and draws Picture into its back buffer.
    void open(int width, int height)
    {
        window = new LFWindow(LFTempString("capture"), LFMakeSize((float)width, (float)height));
        window->setRenderContext();
        glReadBuffer(GL_BACK);
        drawPicture(width, height);
    }

    // In window coordinates: blue, a red block at the top left, a green one
    // at the bottom right and a white line a third of the way down.
    static void drawPicture(int width, int height)
    {
        glClearColor(0, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        LFDrawRectFill(LFMakeRect(0, 0, 10, 5), kRed);
        LFDrawRectFill(LFMakeRect((float)width - 7, (float)height - 3, 7, 3), kGreen);
        LFDrawRectFill(LFMakeRect((float)(width / 4), (float)(height / 3), (float)(width / 4), 1), kWhite);
    }

    static Pixel picture(int x, int y, int width, int height)
    {
        if (x < 10 && y < 5)
            return kRedPixel;
        if (x >= width - 7 && y >= height - 3)
            return MakePixel(0, 255, 0, 255);
        if (y == height / 3 && x >= width / 4 && x < width / 4 + width / 4)
            return MakePixel(255, 255, 255, 255);
        return MakePixel(0, 0, 255, 255);
    }

    // Leaves width x height in the window's size cache while the window
    // keeps its real size: it is resized to that and back behind the cache's
    // back, with no drawing in between, so the GL back buffer keeps its size.
    void cacheAStaleSize(int width, int height)
    {
        SDL_Window* sdlWindow = SDL_GetWindowFromID(window->id());
        int realWidth = 0, realHeight = 0;
        SDL_GetWindowSize(sdlWindow, &realWidth, &realHeight);
        SDL_SetWindowSize(sdlWindow, width, height);
        _LFWindowAccess::invalidateSizeCache(window);
        window->size();
        SDL_SetWindowSize(sdlWindow, realWidth, realHeight);
    }

    // True when the whole width x height back buffer takes a clear: pixels
    // a read cannot reach are left as they were.
    ::testing::AssertionResult backBufferIs(int width, int height)
    {
        std::vector<Pixel> pixels((size_t)width * height, kClearPixel);
        glClearColor(0, 0, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        Pixel blue = MakePixel(0, 0, 255, 255);
        long filled = std::count_if(pixels.begin(), pixels.end(), [&](const Pixel& p) { return p == blue; });
        if (filled == (long)pixels.size())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "only " << filled << " pixels of " << width << " x " << height;
    }

    int save(const std::string& path, int forceResizeToPow2)
    {
        return window->saveBuffer(LFTempString("%s", path.c_str()), forceResizeToPow2);
    }

    LFWindow* window = nullptr;
    TempDir scratch{"lfrendertarget"};
};

TEST_F(Capture, SaveBufferWritesTheWindowUprightAtItsSize)
{
    open(640, 480);
    // A stale SDL error must not make a good save look failed.
    SDL_SetError("stale");
    std::string path = scratch.file("shot.bmp");
    ASSERT_EQ(-1, save(path, 0)) << LFError();
    EXPECT_TRUE(Shows(ReadBMP(path), 640, 480, [](int x, int y) { return picture(x, y, 640, 480); }));
}

TEST_F(Capture, SaveBufferWritesABitmapWhateverTheExtension)
{
    open(64, 48);
    std::string path = scratch.file("shot.png");
    ASSERT_EQ(-1, save(path, 0)) << LFError();
    FILE* file = fopen(path.c_str(), "rb");
    ASSERT_NE(nullptr, file);
    char magic[2] = {0, 0};
    EXPECT_EQ(2u, fread(magic, 1, 2, file));
    fclose(file);
    EXPECT_EQ('B', magic[0]);
    EXPECT_EQ('M', magic[1]);
    EXPECT_TRUE(Shows(ReadBMP(path), 64, 48, [](int x, int y) { return picture(x, y, 64, 48); }));
}

TEST_F(Capture, PowerOfTwoOptionPutsThePictureAtTheTopLeftOfATransparentCanvas)
{
    open(640, 480);
    std::string path = scratch.file("pow2.bmp");
    ASSERT_EQ(-1, save(path, -1)) << LFError();
    EXPECT_TRUE(Shows(ReadBMP(path), 1024, 512, [](int x, int y) {
        return (x < 640 && y < 480) ? picture(x, y, 640, 480) : kClearPixel;
    }));
}

TEST_F(Capture, PowerOfTwoWindowSavesAtItsOwnSizeEitherWay)
{
    open(512, 256);
    for (int option : {0, 1}) {
        SCOPED_TRACE(::testing::Message() << "forceResizeToPow2 " << option);
        std::string path = scratch.file(option ? "pow2.bmp" : "plain.bmp");
        ASSERT_EQ(-1, save(path, option)) << LFError();
        EXPECT_TRUE(Shows(ReadBMP(path), 512, 256, [](int x, int y) { return picture(x, y, 512, 256); }));
    }
}

TEST_F(Capture, SaveBufferIntoAMissingDirectoryFailsWithThePath)
{
    open(64, 48);
    std::string path = scratch.path() + "/no/such/dir/shot.bmp";
    EXPECT_EQ(0, save(path, 0));
    std::string prefix = "Unable to save bitmap image (" + path + "): ";
    EXPECT_EQ(0u, std::string(LFError()).find(prefix)) << LFError();
    EXPECT_GT(strlen(LFError()), prefix.size()) << "followed by SDL's reason";
    EXPECT_FALSE(Exists(path));
    EXPECT_EQ(0, save(path, -1));
}

TEST_F(Capture, CopyTextureHoldsTheWindowUprightAtTheWindowSize)
{
    open(640, 480);
    LFTexture* copy = window->copyTexture();
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(window, LFCurrentRenderContext()) << "no redraw step where drawable and window agree";
    EXPECT_TRUE(Shows(Contents(copy), 640, 480, [](int x, int y) { return picture(x, y, 640, 480); }));

    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    copy->draw(0, 0, -1);
    std::string path = scratch.file("redrawn.bmp");
    ASSERT_EQ(-1, save(path, 0)) << LFError();
    EXPECT_TRUE(Shows(ReadBMP(path), 640, 480, [](int x, int y) { return picture(x, y, 640, 480); }));
    delete copy;
}

// The drawable larger than the window as the window knows it, as on a
// high-density display: a 128 x 96 window whose size cache says 64 x 48, so
// the projection is 64 x 48 over the 128 x 96 drawable and each window
// coordinate covers 2 x 2 pixels.
class CaptureOfALargerDrawable : public Capture {
protected:
    void SetUp() override
    {
        Capture::SetUp();
        window = new LFWindow(LFTempString("capture"), LFMakeSize(128, 96));
        cacheAStaleSize(64, 48);
        ASSERT_EQ(64, window->size().width);
        ASSERT_EQ(48, window->size().height);
        window->setRenderContext();
        glReadBuffer(GL_BACK);
        ASSERT_TRUE(backBufferIs(128, 96));
        drawPicture(64, 48);
    }
};

TEST_F(CaptureOfALargerDrawable, SaveBufferKeepsTheDrawablesFullPixels)
{
    std::string path = scratch.file("full.bmp");
    ASSERT_EQ(-1, save(path, 0)) << LFError();
    EXPECT_TRUE(Shows(ReadBMP(path), 128, 96, [](int x, int y) { return picture(x / 2, y / 2, 64, 48); }));

    std::string pow2 = scratch.file("pow2.bmp");
    ASSERT_EQ(-1, save(pow2, -1)) << LFError();
    EXPECT_TRUE(Shows(ReadBMP(pow2), 128, 128, [](int x, int y) {
        return y < 96 ? picture(x / 2, y / 2, 64, 48) : kClearPixel;
    }));
}

TEST_F(CaptureOfALargerDrawable, CopyTextureScalesDownToTheWindowSize)
{
    LFTexture* copy = window->copyTexture();
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(64, copy->size().width);
    EXPECT_EQ(48, copy->size().height);
    EXPECT_TRUE(Shows(Contents(copy), 64, 48, [](int x, int y) { return picture(x, y, 64, 48); }));
    EXPECT_EQ(nullptr, LFCurrentRenderContext()) << "the reduction leaves no target selected";
    delete copy;
}

TEST_F(CaptureOfALargerDrawable, ScaledCopyIgnoresTheWindowsClip)
{
    window->setClipTo(LFMakeRect(0, 0, 4, 4));
    LFTexture* copy = window->copyTexture();
    ASSERT_NE(nullptr, copy);
    EXPECT_TRUE(Shows(Contents(copy), 64, 48, [](int x, int y) { return picture(x, y, 64, 48); }));
    EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST)) << "the window's clip is left as it was";
    delete copy;
}

// The reverse: a 64 x 48 window whose size cache says 128 x 96.
class CaptureOfASmallerDrawable : public Capture {
protected:
    void SetUp() override
    {
        Capture::SetUp();
        window = new LFWindow(LFTempString("capture"), LFMakeSize(64, 48));
        cacheAStaleSize(128, 96);
        ASSERT_EQ(128, window->size().width);
        window->setRenderContext();
        glReadBuffer(GL_BACK);
        ASSERT_TRUE(backBufferIs(64, 48));
        drawPicture(128, 96);
    }
};

TEST_F(CaptureOfASmallerDrawable, BufferReadAndFileFollowTheDrawable)
{
    std::string path = scratch.file("small.bmp");
    ASSERT_EQ(-1, save(path, 0)) << LFError();
    Image image = ReadBMP(path);
    ASSERT_EQ(64, image.width);
    ASSERT_EQ(48, image.height);
    EXPECT_EQ(kRedPixel, image.at(0, 0));
    EXPECT_EQ(MakePixel(0, 255, 0, 255), image.at(63, 47));
    EXPECT_EQ(MakePixel(0, 0, 255, 255), image.at(40, 5));

    LFTexture* copy = window->copyTexture();
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(128, copy->size().width) << "the copy is made at the window size";
    EXPECT_EQ(96, copy->size().height);
    delete copy;
}

// --- The window's internal capture steps

TEST_F(Capture, ReadPixelsGivesTheBottomRowFirstAndFlipPixelsTurnsItOver)
{
    open(64, 48);
    std::vector<Pixel> buffer(64 * 48);
    _LFWindowAccess::readPixels(window, (char*)buffer.data());
    EXPECT_EQ(kRedPixel, buffer[47 * 64]) << "the window's top-left corner comes last";
    EXPECT_EQ(MakePixel(0, 255, 0, 255), buffer[63]);

    for (int y = 0; y < 48; y++)
        for (int x = 0; x < 64; x++)
            buffer[y * 64 + x] = MakePixel(x, y, 7, 9);
    _LFWindowAccess::flipPixels(window, (char*)buffer.data());
    int mismatches = 0;
    for (int y = 0; y < 48; y++)
        for (int x = 0; x < 64; x++)
            if (!(buffer[y * 64 + x] == MakePixel(x, 47 - y, 7, 9)))
                mismatches++;
    EXPECT_EQ(0, mismatches);
}
