// Textures loaded from image files that each test writes at run time, drawn
// into a real window and read back pixel by pixel (vertices through OpenGL's
// feedback mode), and pixel queries checked against the images' own data.
#include <limits.h>  // INT_MAX
#include <math.h>    // NAN, INFINITY
#include <stdio.h>   // fopen
#include <string.h>  // memcpy

#include <functional>
#include <memory>
#include <new>  // std::bad_alloc
#include <ostream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "graphics/LFTexturePrivate.h"
#include "system/LFApplicationPrivate.h"

#include <SDL_image.h>  // IMG_SavePNG

static void ClearErrors()
{
    while (glGetError() != GL_NO_ERROR) {
    }
}

static Pixel MakePixel(int r, int g, int b, int a)
{
    Pixel p = {(unsigned char)r, (unsigned char)g, (unsigned char)b, (unsigned char)a};
    return p;
}

static const Pixel kBlack = MakePixel(0, 0, 0, 255);

// A different colour for every texel of textures up to 16 x 8.
static Pixel Texel(int x, int y)
{
    return MakePixel(10 + 15 * x, 10 + 30 * y, 77, 255);
}

// The same colours with an alpha of their own, for pixel queries.
static Pixel TranslucentTexel(int x, int y)
{
    return MakePixel(10 + 15 * x, 10 + 30 * y, 77, 100 + 10 * x + y);
}

static Pixel White(int, int)
{
    return MakePixel(255, 255, 255, 255);
}

// A 12 x 12 nine-patch: one flat colour per 4 x 4 piece, by column and row.
static Pixel NinePiece(int column, int row)
{
    return MakePixel(40 + 100 * column, 40 + 100 * row, 200, 255);
}

static Pixel NineTexel(int x, int y)
{
    return NinePiece(x / 4, y / 4);
}

// How a test image is stored, and so how it decodes.
enum ImageKind {
    kPNG32,    // decodes red first: GL_RGBA
    kPNG24,    // decodes red first: GL_RGB
    kBMP32,    // decodes blue first: GL_BGRA
    kBMP24,    // decodes blue first: GL_BGR
    kPNG8      // paletted: 1 byte per pixel
};

// One vertex that a draw produced, in window coordinates (y down).
struct Corner {
    float x, y, s, t;
};

// The texture's private side, which LFTexture opens to the library alone:
// the chosen format, the snapshot, and the upload only screen capture reaches.
class TextureInside {
protected:
    static GLint formatOf(LFTexture* texture) { return _LFTextureAccess::format(texture); }
    static GLint bytesPerPixelOf(LFTexture* texture) { return _LFTextureAccess::bytesPerPixel(texture); }
    static const float* snapshotOf(LFTexture* texture) { return _LFTextureAccess::snapshot(texture); }
    // Loads width x height RGBA pixels of texel(x, y) the way screen capture does.
    static void reload(LFTexture* texture, int width, int height, Pixel (*texel)(int, int))
    {
        std::vector<Pixel> data;
        for (int y = 0; y < height; y++)
            for (int x = 0; x < width; x++)
                data.push_back(texel(x, y));
        _LFTextureAccess::loadPackedRGBA(texture, width, height, (char*)data.data());
    }
};

// A window to draw into, a scratch directory for the images the tests write,
// and the texture's private side.
class Texture : public WindowTest, protected TextureInside {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        LFSetTextureMode(1);
        directory = scratch.path();
        ASSERT_FALSE(directory.empty());
    }

    void TearDown() override
    {
        LFSetTextureMode(1);
        WindowTest::TearDown();
    }

    // Writes a width x height image whose pixel (x, y) is texel(x, y); returns its path.
    std::string writeImage(const char* name, ImageKind kind, int width, int height, Pixel (*texel)(int, int))
    {
        std::string path = scratch.file(name);
        SDL_Surface* image;
        if (kind == kPNG8) {
            image = SDL_CreateRGBSurfaceWithFormat(0, width, height, 8, SDL_PIXELFORMAT_INDEX8);
        } else {
            SDL_Surface* rgba = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
            for (int y = 0; y < height; y++)
                for (int x = 0; x < width; x++) {
                    Pixel p = texel(x, y);
                    memcpy((Uint8*)rgba->pixels + y * rgba->pitch + 4 * x, &p, 4);
                }
            Uint32 format = SDL_PIXELFORMAT_RGBA32;
            if (kind == kPNG24 || kind == kBMP24)
                format = SDL_PIXELFORMAT_RGB24;
            else if (kind == kBMP32)
                format = SDL_PIXELFORMAT_ARGB8888;
            image = SDL_ConvertSurfaceFormat(rgba, format, 0);
            SDL_FreeSurface(rgba);
        }
        int failed = (kind == kBMP32 || kind == kBMP24) ? SDL_SaveBMP(image, path.c_str())
                                                         : IMG_SavePNG(image, path.c_str());
        EXPECT_EQ(0, failed) << SDL_GetError();
        SDL_FreeSurface(image);
        return path;
    }

    // Writes bytes as the file name; returns its path.
    std::string writeFile(const char* name, const std::string& bytes)
    {
        std::string path = scratch.file(name);
        FILE* file = fopen(path.c_str(), "wb");
        EXPECT_NE(nullptr, file);
        if (file) {
            fwrite(bytes.data(), 1, bytes.size(), file);
            fclose(file);
        }
        return path;
    }

    std::string readFile(const std::string& path)
    {
        std::string bytes;
        FILE* file = fopen(path.c_str(), "rb");
        EXPECT_NE(nullptr, file);
        for (int c; file && (c = fgetc(file)) != EOF;)
            bytes += (char)c;
        if (file)
            fclose(file);
        return bytes;
    }

    std::unique_ptr<LFTexture> load(const std::string& path)
    {
        return std::unique_ptr<LFTexture>(new LFTexture(LFTempString("%s", path.c_str())));
    }

    // A 16 x 8 texture of Texel colours.
    std::unique_ptr<LFTexture> loadTexels() { return load(writeImage("texels.png", kPNG32, 16, 8, Texel)); }

    // The whole window, top row first.
    std::vector<Pixel> frame()
    {
        std::vector<Pixel> rows(kWidth * kHeight);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
        std::vector<Pixel> top(rows.size());
        for (int y = 0; y < kHeight; y++)
            memcpy(&top[y * kWidth], &rows[(kHeight - 1 - y) * kWidth], kWidth * sizeof(Pixel));
        return top;
    }

    // Compares every window pixel with expected(x, y); reports the mismatches.
    ::testing::AssertionResult windowShows(const std::function<Pixel(int, int)>& expected)
    {
        std::vector<Pixel> pixels = frame();
        int mismatches = 0;
        ::testing::AssertionResult result = ::testing::AssertionFailure();
        for (int y = 0; y < kHeight; y++)
            for (int x = 0; x < kWidth; x++) {
                Pixel want = expected(x, y);
                Pixel got = pixels[y * kWidth + x];
                got.a = want.a;  // the window has no alpha channel to compare
                if (!(got == want) && mismatches++ < 5)
                    result << "(" << x << ", " << y << ") is " << got << ", not " << want << "; ";
            }
        if (mismatches == 0)
            return ::testing::AssertionSuccess();
        return result << mismatches << " pixels differ";
    }

    // Runs draw in feedback mode and returns the vertices of what it drew.
    std::vector<Corner> feedbackCorners(const std::function<void()>& draw)
    {
        // x, y, z, four colour components, four texture coordinates.
        const int vertexSize = 11;
        std::vector<GLfloat> buffer(8192);
        glFeedbackBuffer((GLsizei)buffer.size(), GL_3D_COLOR_TEXTURE, buffer.data());
        glRenderMode(GL_FEEDBACK);
        draw();
        int count = glRenderMode(GL_RENDER);
        std::vector<Corner> corners;
        for (int i = 0; i < count;) {
            GLfloat token = buffer[i++];
            if (token != GL_POLYGON_TOKEN) {
                ADD_FAILURE() << "unexpected feedback token " << token;
                break;
            }
            int n = (int)buffer[i++];
            for (int v = 0; v < n; v++, i += vertexSize) {
                Corner c = {buffer[i], kHeight - buffer[i + 1], buffer[i + 7], buffer[i + 8]};
                corners.push_back(c);
            }
        }
        return corners;
    }

    // The texture coordinates of the vertex at (x, y), or (-99, -99) when there is none.
    static LFPoint texCoordAt(const std::vector<Corner>& corners, float x, float y)
    {
        for (const Corner& c : corners)
            if (fabsf(c.x - x) < 1e-3f && fabsf(c.y - y) < 1e-3f)
                return LFMakePoint(c.s, c.t);
        return LFMakePoint(-99, -99);
    }

    // Replaces every pixel of the texture behind the library's back, as
    // drawing into it would.
    static void overwrite(LFTexture* texture, Pixel colour)
    {
        LFSize s = texture->size();
        std::vector<Pixel> data((size_t)(s.width * s.height), colour);
        texture->bind();
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, (int)s.width, (int)s.height, GL_RGBA, GL_UNSIGNED_BYTE,
                        data.data());
    }

    TempDir scratch{"lftexture"};
    std::string directory;
};

static ::testing::AssertionResult IsOutside(LFColor c)
{
    if (c.r == -1 && c.g == -1 && c.b == -1 && c.a == -1)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << c.r << ", " << c.g << ", " << c.b << ", " << c.a
                                         << ") is not all -1";
}

// --- Loading and pixel formats

TEST_F(Texture, RedFirstImagesUploadAsRGBAndRGBA)
{
    std::unique_ptr<LFTexture> rgb = load(writeImage("rgb.png", kPNG24, 16, 8, Texel));
    EXPECT_EQ(GL_RGB, formatOf(rgb.get()));
    EXPECT_EQ(3, bytesPerPixelOf(rgb.get()));
    std::unique_ptr<LFTexture> rgba = load(writeImage("rgba.png", kPNG32, 16, 8, Texel));
    EXPECT_EQ(GL_RGBA, formatOf(rgba.get()));
    EXPECT_EQ(4, bytesPerPixelOf(rgba.get()));

    rgb->draw(0, 0, -1);
    rgba->draw(20, 0, -1);
    EXPECT_TRUE(windowShows([](int x, int y) {
        if (y < 8 && x < 16)
            return Texel(x, y);
        if (y < 8 && x >= 20 && x < 36)
            return Texel(x - 20, y);
        return kBlack;
    }));
}

TEST_F(Texture, BlueFirstImagesUploadAsBGRAndBGRA)
{
    std::unique_ptr<LFTexture> bgr = load(writeImage("bgr.bmp", kBMP24, 16, 8, Texel));
    EXPECT_EQ(GL_BGR, formatOf(bgr.get()));
    EXPECT_EQ(3, bytesPerPixelOf(bgr.get()));
    std::unique_ptr<LFTexture> bgra = load(writeImage("bgra.bmp", kBMP32, 16, 8, TranslucentTexel));
    EXPECT_EQ(GL_BGRA, formatOf(bgra.get()));
    EXPECT_EQ(4, bytesPerPixelOf(bgra.get()));

    bgr->draw(0, 0, -1);
    EXPECT_TRUE(windowShows([](int x, int y) { return (x < 16 && y < 8) ? Texel(x, y) : kBlack; }));
    EXPECT_TRUE(IsColour(bgra->getPixel(LFMakePoint(3, 5), 0), TranslucentTexel(3, 5)));
}

TEST_F(Texture, RowsPaddedToFourBytesUploadUpright)
{
    // Five 3-byte pixels make 15-byte rows, which SDL pads to 16.
    std::unique_ptr<LFTexture> png = load(writeImage("odd.png", kPNG24, 5, 3, Texel));
    std::unique_ptr<LFTexture> bmp = load(writeImage("odd.bmp", kBMP24, 5, 3, Texel));
    EXPECT_EQ(5, png->size().width);
    EXPECT_EQ(3, png->size().height);
    png->draw(0, 0, -1);
    bmp->draw(10, 0, -1);
    EXPECT_TRUE(windowShows([](int x, int y) {
        if (y < 3 && x < 5)
            return Texel(x, y);
        if (y < 3 && x >= 10 && x < 15)
            return Texel(x - 10, y);
        return kBlack;
    }));
}

TEST_F(Texture, PalettedImageThrowsAndNamesTheFile)
{
    std::string path = writeImage("paletted.png", kPNG8, 4, 4, NULL);
    EXPECT_THROW(load(path), std::bad_alloc);
    EXPECT_EQ(path + ": not a truecolor image", LFError());
}

TEST_F(Texture, MissingFileThrowsWithoutErrorText)
{
    _LFSetError("earlier");
    EXPECT_THROW(load(directory + "/missing.png"), std::bad_alloc);
    EXPECT_STREQ("earlier", LFError());
}

// Numbers as image headers store them.
static std::string BigEndian(unsigned value, int bytes)
{
    std::string out;
    for (int i = bytes - 1; i >= 0; i--)
        out += (char)(value >> (8 * i));
    return out;
}

static std::string LittleEndian(unsigned value, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; i++)
        out += (char)(value >> (8 * i));
    return out;
}

static const std::string kPNGSignature("\x89PNG\r\n\x1A\n", 8);

// A PNG chunk; the CRC is not checked before decoding, and decoding never comes.
static std::string PNGChunk(const char* type, const std::string& data, unsigned length)
{
    return BigEndian(length, 4) + type + data + BigEndian(0, 4);
}

static std::string PNGHeader(unsigned width, unsigned height)
{
    return kPNGSignature + PNGChunk("IHDR", BigEndian(width, 4) + BigEndian(height, 4) + "\x08\x06" + std::string(3, '\0'), 13);
}

// A BMP file header and info header for width x height pixels of 24 bits.
static std::string BMPHeader(int width, int height)
{
    return "BM" + LittleEndian(0, 4) + LittleEndian(0, 4) + LittleEndian(54, 4) + LittleEndian(40, 4) +
           LittleEndian((unsigned)width, 4) + LittleEndian((unsigned)height, 4) + LittleEndian(1, 2) +
           LittleEndian(24, 2) + std::string(24, '\0');
}

// Files whose headers claim more than the file or a texture holds: each is
// refused before it is decoded, quickly, with the reason in LFError(). Before,
// the first kept libpng reading for ever and the second made SDL allocate and
// clear 13 GB.
TEST_F(Texture, DamagedOrOversizedImagesThrowWithTheReason)
{
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    ASSERT_GT(largest, 0);
    std::string tooLarge = std::to_string(largest + 1);
    std::string beyond = " pixels, larger than the largest texture (" + std::to_string(largest) + " a side)";
    std::string pastEnd = ": damaged image: its data would run past the end of the file";

    std::string whole = readFile(writeImage("whole.png", kPNG32, 16, 8, Texel));
    std::string wholeBMP = readFile(writeImage("whole.bmp", kBMP24, 4, 4, Texel));
    // The 44-byte PNG: a text chunk of 0x7FFFFFF0 bytes after its header.
    std::string textChunk = PNGHeader(4, 4) + BigEndian(0x7FFFFFF0, 4) + "tEXtabc";
    ASSERT_EQ(44u, textChunk.size());
    // The 118-byte BMP of 65536 x 65536 pixels.
    std::string bigBMP = BMPHeader(65536, 65536) + std::string(64, '\0');
    ASSERT_EQ(118u, bigBMP.size());
    std::string wideBMP = BMPHeader(largest + 1, 1) + std::string((largest + 1) * 3 + 4, '\0');
    std::string jpeg = std::string("\xFF\xD8\xFF\xE0", 4) + BigEndian(16, 2) + std::string(14, '\0') +
                       std::string("\xFF\xC0", 2) + BigEndian(11, 2) + "\x08" + BigEndian(65500, 2) +
                       BigEndian(65500, 2) + std::string(6, '\0');
    std::string gif = std::string("GIF89a") + LittleEndian(8, 2) + LittleEndian(8, 2) + std::string(3, '\0') +
                      "\x21\xF9\x04" + std::string(4, '\0') + std::string(1, '\0') + "," + LittleEndian(0, 4) +
                      LittleEndian(65535, 2) + LittleEndian(65535, 2) + std::string(1, '\0');
    std::string tga = std::string("\0\0\x02", 3) + std::string(9, '\0') + LittleEndian(65535, 2) +
                      LittleEndian(65535, 2) + std::string("\x20\0", 2);
    // PNM is not probed: it is refused once decoded.
    std::string pnm = "P6\n" + tooLarge + " 1\n255\n" + std::string((largest + 1) * 3, '\x40');

    struct Case {
        const char* name;
        std::string bytes;
        std::string error;  // after the path
    } cases[] = {
        {"text-chunk.png", textChunk, pastEnd},
        {"truncated.png", whole.substr(0, whole.size() - 20), pastEnd},
        {"big.bmp", bigBMP, pastEnd},
        {"truncated.bmp", wholeBMP.substr(0, wholeBMP.size() - 1), pastEnd},
        {"wide.png", PNGHeader(largest + 1, 1) + PNGChunk("IEND", "", 0), ": " + tooLarge + "x1" + beyond},
        {"tall.png", PNGHeader(1, largest + 1) + PNGChunk("IEND", "", 0), ": 1x" + tooLarge + beyond},
        {"wide.bmp", wideBMP, ": " + tooLarge + "x1" + beyond},
        {"big.jpg", jpeg, ": 65500x65500" + beyond},
        {"big.gif", gif, ": 65535x65535" + beyond},
        {"big.tga", tga, ": 65535x65535" + beyond},
        {"wide.ppm", pnm, ": " + tooLarge + "x1" + beyond},
    };
    for (const Case& c : cases) {
        std::string path = writeFile(c.name, c.bytes);
        _LFSetError("earlier");
        EXPECT_THROW(load(path), std::bad_alloc) << c.name;
        EXPECT_EQ(path + c.error, LFError()) << c.name;
    }

    _LFSetError("earlier");
    EXPECT_THROW(LFTexture((char*)NULL), std::bad_alloc);
    EXPECT_STREQ("No image file path given", LFError());

    // What lies after the end of an image is not its data.
    std::unique_ptr<LFTexture> png = load(writeFile("trailing.png", whole + "trailing bytes"));
    EXPECT_EQ(16, png->size().width);
    std::unique_ptr<LFTexture> bmp = load(writeFile("trailing.bmp", wholeBMP + "trailing bytes"));
    EXPECT_EQ(4, bmp->size().width);
}

// --- Construction, state and destruction

TEST_F(Texture, EmptyTextureHasNoSizeAndDrawsNothing)
{
    LFTexture empty;
    EXPECT_EQ(0, empty.size().width);
    EXPECT_EQ(0, empty.size().height);
    EXPECT_EQ(0, formatOf(&empty));
    empty.draw(0, 0, -1);
    empty.drawNineSlice(LFMakePoint(0, 0), LFMakeSize(20, 20), 4);
    EXPECT_TRUE(windowShows([](int, int) { return kBlack; }));
    EXPECT_TRUE(IsOutside(empty.getPixel(LFMakePoint(0, 0), -1)));
    EXPECT_EQ(nullptr, snapshotOf(&empty));
}

TEST_F(Texture, BlankTextureIsRGBAOfTheGivenSize)
{
    LFTexture blank(8, 4);
    EXPECT_EQ(8, blank.size().width);
    EXPECT_EQ(4, blank.size().height);
    EXPECT_EQ(GL_RGBA, formatOf(&blank));
    EXPECT_EQ(4, bytesPerPixelOf(&blank));
    blank.bind();
    GLint width = 0, height = 0, internalFormat = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &internalFormat);
    EXPECT_EQ(8, width);
    EXPECT_EQ(4, height);
    EXPECT_EQ(4, internalFormat) << "the component count, as handed to OpenGL";
}

// Sides beyond the largest texture report success with no pixels, or abort
// inside the driver (2^25 on Mesa).
TEST_F(Texture, BlankTextureLargerThanTheLargestThrows)
{
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    ASSERT_GT(largest, 0);
    int sizes[][2] = {{largest + 1, 1}, {1, largest + 1}, {1 << 25, 1}, {1, 1 << 25}, {INT_MAX, INT_MAX}};
    for (auto& size : sizes) {
        EXPECT_THROW(LFTexture(size[0], size[1]), std::bad_alloc) << size[0] << " x " << size[1];
        std::string expected = "Blank texture: " + std::to_string(size[0]) + "x" + std::to_string(size[1]) +
                               " pixels, larger than the largest texture (" + std::to_string(largest) + " a side)";
        EXPECT_EQ(expected, LFError());
    }
    LFTexture widest(largest, 1);
    EXPECT_EQ(largest, widest.size().width);
}

// A negative side used to make a texture of negative size() that no
// framebuffer could draw into.
TEST_F(Texture, BlankTextureWithASideBelowZeroThrows)
{
    int sizes[][2] = {{-1, -1}, {INT_MIN, INT_MIN}, {-1, 8}, {8, INT_MIN}, {0, -1}};
    ClearErrors();
    for (auto& size : sizes) {
        _LFSetError("%s", "");
        EXPECT_THROW(LFTexture(size[0], size[1]), std::bad_alloc) << size[0] << " x " << size[1];
        std::string expected =
            "Blank texture: " + std::to_string(size[0]) + "x" + std::to_string(size[1]) + " pixels, a side below zero";
        EXPECT_EQ(expected, LFError());
    }
    EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError()) << "nothing reached OpenGL";
}

TEST_F(Texture, DestructorDeletesTheOpenGLTexture)
{
    LFTexture* texture = new LFTexture(LFTempString("%s", writeImage("t.png", kPNG32, 4, 4, White).c_str()));
    texture->getPixel(LFMakePoint(0, 0), -1);
    texture->bind();
    GLint name = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
    ASSERT_NE(0, name);
    EXPECT_TRUE(glIsTexture(name));
    delete texture;
    EXPECT_FALSE(glIsTexture(name));
}

TEST_F(Texture, TextureModeAppliesToTexturesCreatedAfterwards)
{
    std::string path = writeImage("t.png", kPNG32, 4, 4, White);
    auto filters = [](LFTexture* texture) {
        texture->bind();
        GLint min = 0, mag = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag);
        return std::make_pair(min, mag);
    };
    std::unique_ptr<LFTexture> nearest = load(path);
    EXPECT_EQ(std::make_pair(GL_NEAREST, GL_NEAREST), filters(nearest.get()));

    LFSetTextureMode(2);
    std::unique_ptr<LFTexture> linear = load(path);
    LFTexture blank(4, 4);
    EXPECT_EQ(std::make_pair(GL_LINEAR, GL_LINEAR), filters(linear.get()));
    EXPECT_EQ(std::make_pair(GL_LINEAR, GL_LINEAR), filters(&blank));
    EXPECT_EQ(std::make_pair(GL_NEAREST, GL_NEAREST), filters(nearest.get())) << "existing textures keep theirs";

    LFSetTextureMode(0);
    EXPECT_EQ(std::make_pair(GL_LINEAR, GL_LINEAR), filters(load(path).get()));
    LFSetTextureMode(1);
    EXPECT_EQ(std::make_pair(GL_NEAREST, GL_NEAREST), filters(load(path).get()));
}

TEST_F(Texture, TintMultipliesTheTexelsAndAlphaReplacesItsAlpha)
{
    std::unique_ptr<LFTexture> white = load(writeImage("white.png", kPNG32, 4, 4, White));
    EXPECT_TRUE(IsColour(white->tint(), MakePixel(255, 255, 255, 255))) << "starts white";
    white->setTint(LFMakeColor(0.5f, 1, 0.25f, 0));
    LFColor tint = white->tint();
    EXPECT_EQ(0.5f, tint.r);
    EXPECT_EQ(0.25f, tint.b);
    EXPECT_EQ(0, tint.a);

    white->draw(0, 0, -1);                          // the tint's alpha 0 is not used
    white->draw(10, 0, 0.5f, 1.0f, 0, 0, -1);       // half over black
    Pixel opaque = at(1, 1);
    Pixel half = at(11, 1);
    EXPECT_NEAR(128, opaque.r, 1);
    EXPECT_EQ(255, opaque.g);
    EXPECT_NEAR(64, opaque.b, 1);
    EXPECT_NEAR(64, half.r, 1);
    EXPECT_NEAR(128, half.g, 1);
    EXPECT_NEAR(32, half.b, 1);
}

// --- Drawing

TEST_F(Texture, DrawPlacesTheTopLeftCorner)
{
    std::unique_ptr<LFTexture> texture = loadTexels();
    texture->draw(10, 20, -1);
    EXPECT_TRUE(windowShows([](int x, int y) {
        return (x >= 10 && x < 26 && y >= 20 && y < 28) ? Texel(x - 10, y - 20) : kBlack;
    }));

    std::vector<Corner> corners = feedbackCorners([&] { texture->draw(10, 20, -1); });
    EXPECT_TRUE(LFEqualPoints(LFMakePoint(0, 0), texCoordAt(corners, 10, 20)));
    EXPECT_TRUE(LFEqualPoints(LFMakePoint(1, 0), texCoordAt(corners, 26, 20)));
    EXPECT_TRUE(LFEqualPoints(LFMakePoint(1, 1), texCoordAt(corners, 26, 28)));
    EXPECT_TRUE(LFEqualPoints(LFMakePoint(0, 1), texCoordAt(corners, 10, 28)));
}

TEST_F(Texture, DrawLeavesTheMatrixAndSetsTheColour)
{
    std::unique_ptr<LFTexture> texture = loadTexels();
    ClearErrors();
    texture->setTint(LFMakeColor(0.5f, 0.25f, 1, 1));
    texture->draw(0, 0, 8, 4, 16, 16, 5, 5, 0.75f, 2.0f, 45, 6, -1);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(1, depth);
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(i % 5 == 0 ? 1.0f : 0.0f, m[i]) << "element " << i;
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(0.5f, colour[0]);
    EXPECT_EQ(0.25f, colour[1]);
    EXPECT_EQ(1.0f, colour[2]);
    EXPECT_EQ(0.75f, colour[3]);
    EXPECT_EQ(GL_NO_ERROR, (int)glGetError());
}

TEST_F(Texture, SourceRectanglesAreClampedToTheTexture)
{
    std::unique_ptr<LFTexture> texture = loadTexels();
    texture->draw(-5, 0, 100, 4, 10, 10, -1);   // (0, 0)-(16, 4)
    texture->draw(4, 2, 12, 6, 0, 40, -1);      // inside: taken as given
    texture->draw(20, 2, 5, 1, 40, 20, -1);     // start beyond the texture, end before it: empty
    texture->draw(6, 6, 2, 2, 40, 30, -1);      // end before start: empty
    EXPECT_TRUE(windowShows([](int x, int y) {
        if (x >= 10 && x < 26 && y >= 10 && y < 14)
            return Texel(x - 10, y - 10);
        if (x < 8 && y >= 40 && y < 44)
            return Texel(x + 4, y - 40 + 2);
        return kBlack;
    }));

    std::vector<Corner> corners = feedbackCorners([&] { texture->draw(-5, 0, 100, 4, 10, 10, -1); });
    EXPECT_TRUE(LFEqualPoints(LFMakePoint(1, 0.5f), texCoordAt(corners, 26, 14)));
}

TEST_F(Texture, GivenSizeStretchesTheSource)
{
    std::unique_ptr<LFTexture> texture = loadTexels();
    texture->draw(0, 0, 16, 8, 32, -1, 0, 30, 1.0f, 1.0f, 0, 0, -1);  // 32 x 8
    texture->draw(0, 0, 16, 8, -1, 16, 40, 0, 1.0f, 1.0f, 0, 0, -1);  // 16 x 16
    EXPECT_TRUE(windowShows([](int x, int y) {
        if (x < 32 && y >= 30 && y < 38)
            return Texel(x / 2, y - 30);
        if (x >= 40 && x < 56 && y < 16)
            return Texel(x - 40, y / 2);
        return kBlack;
    }));
}

TEST_F(Texture, ScaleGrowsAboutTheTopLeftCorner)
{
    std::unique_ptr<LFTexture> texture = loadTexels();
    texture->draw(10, 10, 1.0f, 2.0f, 0, 0, -1);
    EXPECT_TRUE(windowShows([](int x, int y) {
        return (x >= 10 && x < 42 && y >= 10 && y < 26) ? Texel((x - 10) / 2, (y - 10) / 2) : kBlack;
    }));
}

TEST_F(Texture, RotationTurnsClockwiseAboutTheSourceCentre)
{
    std::unique_ptr<LFTexture> texture = loadTexels();
    // 16 x 8 at (20, 20) turns about (28, 24) into 8 x 16 at (24, 16); the
    // top-left texel ends at the top right.
    texture->draw(20, 20, 1.0f, 1.0f, 90, 0, -1);
    EXPECT_TRUE(windowShows([](int x, int y) {
        return (x >= 24 && x < 32 && y >= 16 && y < 32) ? Texel(y - 16, 7 - (x - 24)) : kBlack;
    }));
}

TEST_F(Texture, RotationPivotIgnoresTheStretchedSize)
{
    std::unique_ptr<LFTexture> texture = loadTexels();
    // A 32 x 8 quad turned half way about (8, 4), the 16 x 8 source's centre,
    // spans x -16..16 from (10, 10): on screen -6..26 (clipped at 0).
    texture->draw(0, 0, 16, 8, 32, -1, 10, 10, 1.0f, 1.0f, 180, 0, -1);
    EXPECT_TRUE(windowShows([](int x, int y) {
        if (x < 26 && y >= 10 && y < 18)
            return Texel((25 - x) / 2, 17 - y);
        return kBlack;
    }));
}

TEST_F(Texture, FlipsMirrorTheQuadInPlace)
{
    std::unique_ptr<LFTexture> texture = loadTexels();
    struct Case {
        int flipMode;
        bool mirrorX, mirrorY;
    } cases[] = {
        {2, true, false}, {4, false, true}, {6, true, true}, {1, false, false}, {8, false, false}, {10, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "flipMode " << c.flipMode);
        glClear(GL_COLOR_BUFFER_BIT);
        texture->draw(10, 10, 1.0f, 1.0f, 0, c.flipMode, -1);
        EXPECT_TRUE(windowShows([&](int x, int y) {
            if (x < 10 || x >= 26 || y < 10 || y >= 18)
                return kBlack;
            int u = x - 10, v = y - 10;
            return Texel(c.mirrorX ? 15 - u : u, c.mirrorY ? 7 - v : v);
        }));
    }
}

TEST_F(Texture, DrawingPositionTurnsThenMirrorsThenScalesThenMoves)
{
    std::unique_ptr<LFTexture> texture = loadTexels();
    auto place = [&](int width, int height, float scale, int rot, int flipMode, LFPoint corner) {
        glPushMatrix();
        glLoadIdentity();
        texture->drawingPosition(10, 20, width, height, scale, rot, flipMode);
        GLfloat m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        glPopMatrix();
        return LFMakePoint(m[0] * corner.x + m[4] * corner.y + m[12], m[1] * corner.x + m[5] * corner.y + m[13]);
    };
    auto expectNear = [](LFPoint want, LFPoint got) {
        EXPECT_NEAR(want.x, got.x, 1e-4);
        EXPECT_NEAR(want.y, got.y, 1e-4);
    };
    // Plain: moved and scaled only.
    expectNear(LFMakePoint(42, 36), place(16, 8, 2, 0, 0, LFMakePoint(16, 8)));
    // Corner (0, 0) of 16 x 8 is (-8, -4) from the centre; turned clockwise
    // it is (4, -8), mirrored left to right (-4, -8), back (4, -4), scaled
    // (8, -8), moved (18, 12). Mirroring first would give (34, 44).
    expectNear(LFMakePoint(18, 12), place(16, 8, 2, 90, 2, LFMakePoint(0, 0)));
    expectNear(LFMakePoint(10, 28), place(16, 8, 1, 0, 4, LFMakePoint(0, 0)));
    expectNear(LFMakePoint(26, 28), place(16, 8, 1, 0, 6, LFMakePoint(0, 0)));
    // Odd sizes turn about the integer halves: 5 x 3 about (2, 1).
    expectNear(LFMakePoint(14, 22), place(5, 3, 1, 180, 0, LFMakePoint(0, 0)));
}

TEST_F(Texture, WithoutQuadWrapDrawEmitsCornersIntoTheCallersList)
{
    std::unique_ptr<LFTexture> texture = loadTexels();
    ClearErrors();
    std::vector<Corner> corners = feedbackCorners([&] {
        texture->bind();
        glBegin(GL_QUADS);
        texture->draw(0, 0, 8, 4, 5, 6, 1.0f, 3.0f, 90, 6, 0);  // scale, turn and flip ignored
        texture->draw(10, 20, 0);
        glEnd();
    });
    EXPECT_TRUE(LFEqualPoints(LFMakePoint(0, 0), texCoordAt(corners, 5, 6)));
    EXPECT_TRUE(LFEqualPoints(LFMakePoint(0.5f, 0.5f), texCoordAt(corners, 13, 10)));
    EXPECT_TRUE(LFEqualPoints(LFMakePoint(0, 0), texCoordAt(corners, 10, 20)));
    EXPECT_TRUE(LFEqualPoints(LFMakePoint(1, 1), texCoordAt(corners, 26, 28)));
    for (const Corner& c : corners)
        EXPECT_TRUE((c.x >= 5 && c.x <= 13 && c.y >= 6 && c.y <= 10) || (c.x >= 10 && c.x <= 26 && c.y >= 20))
            << "stray vertex at (" << c.x << ", " << c.y << ")";
    EXPECT_EQ(GL_NO_ERROR, (int)glGetError()) << "nothing outside a list's allowed calls";

    texture->bind();
    glBegin(GL_QUADS);
    texture->draw(10, 20, 0);
    glEnd();
    EXPECT_TRUE(windowShows([](int x, int y) {
        return (x >= 10 && x < 26 && y >= 20 && y < 28) ? Texel(x - 10, y - 20) : kBlack;
    }));
}

// --- Nine-slice

TEST_F(Texture, NineSliceKeepsCornersAndStretchesTheRest)
{
    std::unique_ptr<LFTexture> texture = load(writeImage("nine.png", kPNG32, 12, 12, NineTexel));
    // Over (2, 2, 40, 30) with corners of 4: columns split at 6 and 38, rows
    // at 6 and 28; the centre is stretched to 32 x 22.
    texture->drawNineSlice(LFMakePoint(2.9f, 2.9f), LFMakeSize(40, 30), 4);
    EXPECT_TRUE(windowShows([](int x, int y) {
        if (x < 2 || x >= 42 || y < 2 || y >= 32)
            return kBlack;
        int column = x < 6 ? 0 : x < 38 ? 1 : 2;
        int row = y < 6 ? 0 : y < 28 ? 1 : 2;
        return NinePiece(column, row);
    }));
}

TEST_F(Texture, NineSliceNarrowerThanTwoCornersFallsBackToTheSourceWidth)
{
    std::unique_ptr<LFTexture> texture = load(writeImage("nine.png", kPNG32, 12, 12, NineTexel));
    // Width 6 with corners of 4: the top edge keeps its source width of 4 at
    // x 6..9; the top-right corner, drawn after it at x 4..7, covers its start.
    texture->drawNineSlice(LFMakePoint(2, 2), LFMakeSize(6, 40), 4);
    EXPECT_EQ(NinePiece(0, 0), at(3, 2));
    EXPECT_EQ(NinePiece(2, 0), at(5, 2));
    EXPECT_EQ(NinePiece(1, 0), at(8, 2));
    EXPECT_EQ(NinePiece(1, 0), at(9, 3));
    EXPECT_EQ(kBlack, at(10, 2));
}

TEST_F(Texture, NineSliceAlphaDefaultsToOpaque)
{
    std::unique_ptr<LFTexture> texture = load(writeImage("nine.png", kPNG32, 12, 12, NineTexel));
    texture->drawNineSlice(LFMakePoint(0, 0), LFMakeSize(20, 20), 4);
    texture->drawNineSlice(LFMakePoint(30, 0), LFMakeSize(20, 20), 4, 0.5f);
    EXPECT_EQ(NinePiece(1, 1), at(10, 10));
    Pixel half = at(40, 10);
    EXPECT_NEAR(NinePiece(1, 1).r / 2, half.r, 1);
    EXPECT_NEAR(NinePiece(1, 1).b / 2, half.b, 1);
}

// --- Pixel queries

TEST_F(Texture, GetPixelReadsRowZeroAsTheTop)
{
    std::unique_ptr<LFTexture> texture = load(writeImage("q.png", kPNG32, 16, 8, TranslucentTexel));
    for (int cached : {0, -1}) {
        SCOPED_TRACE(::testing::Message() << "cached " << cached);
        EXPECT_TRUE(IsColour(texture->getPixel(LFMakePoint(0, 0), cached), TranslucentTexel(0, 0)));
        EXPECT_TRUE(IsColour(texture->getPixel(LFMakePoint(7, 2), cached), TranslucentTexel(7, 2)));
        EXPECT_TRUE(IsColour(texture->getPixel(LFMakePoint(15, 7), cached), TranslucentTexel(15, 7)));
        // Coordinates truncate toward zero.
        EXPECT_TRUE(IsColour(texture->getPixel(LFMakePoint(-0.5f, 0), cached), TranslucentTexel(0, 0)));
        EXPECT_TRUE(IsColour(texture->getPixel(LFMakePoint(15.9f, 7.9f), cached), TranslucentTexel(15, 7)));
    }

    std::unique_ptr<LFTexture> rgb = load(writeImage("rgb.png", kPNG24, 16, 8, Texel));
    EXPECT_TRUE(IsColour(rgb->getPixel(LFMakePoint(3, 4), 0), Texel(3, 4))) << "no alpha channel reads 1";
}

TEST_F(Texture, GetPixelOutsideTheTextureAnswersMinusOne)
{
    std::unique_ptr<LFTexture> texture = loadTexels();
    const LFPoint outside[] = {
        {16, 0}, {-1, 0}, {0, 8}, {0, -1}, {-1.5f, 3}, {16.5f, 3}, {NAN, 0}, {0, NAN}, {INFINITY, 0},
        {-INFINITY, 0}, {0, INFINITY}, {1e30f, 1e30f}, {-1e30f, -1e30f}, {3e9f, 0}, {0, -3e9f},
    };
    for (int cached : {0, -1})
        for (LFPoint p : outside)
            EXPECT_TRUE(IsOutside(texture->getPixel(p, cached)))
                << "at (" << p.x << ", " << p.y << "), cached " << cached;
}

TEST_F(Texture, CachedQueryKeepsItsSnapshotForever)
{
    std::unique_ptr<LFTexture> texture = loadTexels();
    EXPECT_EQ(nullptr, snapshotOf(texture.get()));
    EXPECT_TRUE(IsColour(texture->getPixel(LFMakePoint(5, 3), -1), Texel(5, 3)));
    const float* snapshot = snapshotOf(texture.get());
    ASSERT_NE(nullptr, snapshot);

    overwrite(texture.get(), MakePixel(255, 0, 0, 255));
    texture->draw(0, 0, -1);
    EXPECT_EQ(MakePixel(255, 0, 0, 255), at(5, 3)) << "the texture itself has changed";
    // Cached and uncached queries both answer from the old snapshot, which is
    // never read again.
    for (int i = 0; i < 1000; i++)
        texture->getPixel(LFMakePoint((float)(i % 16), (float)(i % 8)), -1);
    EXPECT_TRUE(IsColour(texture->getPixel(LFMakePoint(5, 3), -1), Texel(5, 3)));
    EXPECT_TRUE(IsColour(texture->getPixel(LFMakePoint(9, 1), 0), Texel(9, 1)));
    EXPECT_EQ(snapshot, snapshotOf(texture.get()));
}

TEST_F(Texture, UncachedQueryWithoutSnapshotReadsTheTextureEachTime)
{
    std::unique_ptr<LFTexture> texture = loadTexels();
    EXPECT_TRUE(IsColour(texture->getPixel(LFMakePoint(5, 3), 0), Texel(5, 3)));
    EXPECT_EQ(nullptr, snapshotOf(texture.get())) << "the snapshot was freed";
    overwrite(texture.get(), MakePixel(0, 255, 0, 255));
    EXPECT_TRUE(IsColour(texture->getPixel(LFMakePoint(5, 3), 0), MakePixel(0, 255, 0, 255)));
    EXPECT_EQ(nullptr, snapshotOf(texture.get()));
}

TEST_F(Texture, ReloadOfAnotherSizeDropsTheSnapshot)
{
    std::unique_ptr<LFTexture> texture = loadTexels();
    texture->getPixel(LFMakePoint(0, 0), -1);
    ASSERT_NE(nullptr, snapshotOf(texture.get()));

    // Larger: the old 16 x 8 snapshot would be read far past its end.
    reload(texture.get(), 32, 16, TranslucentTexel);
    EXPECT_EQ(nullptr, snapshotOf(texture.get()));
    EXPECT_TRUE(IsColour(texture->getPixel(LFMakePoint(31, 15), -1), TranslucentTexel(31, 15)));
    EXPECT_TRUE(IsColour(texture->getPixel(LFMakePoint(20, 9), -1), TranslucentTexel(20, 9)));
    ASSERT_NE(nullptr, snapshotOf(texture.get()));

    // Smaller: the new rows are shorter, and the old pixels are gone.
    reload(texture.get(), 4, 2, Texel);
    EXPECT_TRUE(IsColour(texture->getPixel(LFMakePoint(3, 1), -1), Texel(3, 1)));
    EXPECT_TRUE(IsColour(texture->getPixel(LFMakePoint(1, 0), 0), Texel(1, 0)));
    EXPECT_TRUE(IsOutside(texture->getPixel(LFMakePoint(20, 9), -1)));
}

TEST_F(Texture, ReloadOfTheSameSizeKeepsTheSnapshot)
{
    std::unique_ptr<LFTexture> texture = loadTexels();
    texture->getPixel(LFMakePoint(0, 0), -1);
    const float* snapshot = snapshotOf(texture.get());
    reload(texture.get(), 16, 8, White);
    EXPECT_EQ(snapshot, snapshotOf(texture.get()));
    EXPECT_TRUE(IsColour(texture->getPixel(LFMakePoint(6, 2), -1), Texel(6, 2)));
    texture->draw(0, 0, -1);
    EXPECT_EQ(MakePixel(255, 255, 255, 255), at(6, 2)) << "the new pixels are drawn";
}
