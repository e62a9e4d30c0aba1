// The texture cache under two real windows, each with its own OpenGL
// context: images written at run time are loaded once per path text and
// window, drawn and read back, and released by a purge.
#include <unistd.h>  // unlink

#include <new>  // std::bad_alloc
#include <string>
#include <vector>

#include "TestSupport.h"
#include "graphics/LFTextureCachePrivate.h"

#include <SDL_image.h>  // IMG_SavePNG

static const int kImageSize = 8;

static const Pixel kRed = {255, 0, 0, 255};
static const Pixel kGreen = {0, 255, 0, 255};
static const Pixel kBlue = {0, 0, 255, 255};

static bool SameColor(Pixel p, Pixel q)
{
    return p.r == q.r && p.g == q.g && p.b == q.b;
}

// The fixture's window and a second one, each with its own context; a
// scratch directory for the images the tests write.
class TextureCache : public TwoWindowTest {
protected:
    void SetUp() override
    {
        TwoWindowTest::SetUp();
        directory = scratch.path();
        ASSERT_FALSE(directory.empty());
    }

    // Writes a kImageSize square PNG of one colour; returns its path.
    std::string writeImage(const char* name, Pixel color)
    {
        std::string path = scratch.file(name);
        SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, kImageSize, kImageSize, 32, SDL_PIXELFORMAT_RGBA32);
        SDL_FillRect(image, NULL, SDL_MapRGBA(image->format, color.r, color.g, color.b, color.a));
        EXPECT_EQ(0, IMG_SavePNG(image, path.c_str())) << SDL_GetError();
        SDL_FreeSurface(image);
        return path;
    }

    // A fresh, writable copy of a path, as callers make with LFTempString.
    static char* Path(const std::string& path) { return LFTempString("%s", path.c_str()); }

    // What texture draws as in the current window: its centre, drawn at the origin.
    Pixel drawn(LFTexture* texture)
    {
        glClear(GL_COLOR_BUFFER_BIT);
        texture->draw(0, 0, -1);
        return at(kImageSize / 2, kImageSize / 2);
    }

    // The OpenGL name of a texture, read back from its binding.
    static GLuint NameOf(LFTexture* texture)
    {
        texture->bind();
        GLint name = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
        return (GLuint)name;
    }

    TempDir scratch{"lftexturecache"};
    std::string directory;
};

// ---------------------------------------------------------------------------
// Loading

TEST_F(TextureCache, SamePathUnderTheSameWindowIsLoadedOnce)
{
    std::string path = writeImage("red.png", kRed);
    LFTexture* first = LFTextureCacheLoad(Path(path));
    ASSERT_NE(nullptr, first);
    EXPECT_TRUE(SameColor(kRed, drawn(first)));

    // With the file gone, only the cache can answer.
    unlink(path.c_str());
    EXPECT_EQ(first, LFTextureCacheLoad(Path(path))) << "the same text in another buffer";
    EXPECT_EQ(first, LFTextureCacheLoad(Path(path)));
}

TEST_F(TextureCache, DifferentPathTextsForOneFileAreTwoEntries)
{
    std::string path = writeImage("red.png", kRed);
    std::string dotted = directory + "/./red.png";
    LFTexture* plain = LFTextureCacheLoad(Path(path));
    LFTexture* withDot = LFTextureCacheLoad(Path(dotted));
    EXPECT_NE(plain, withDot);
    ASSERT_NE(nullptr, _LFTextureCacheGet(Path(path)));
    ASSERT_NE(nullptr, _LFTextureCacheGet(Path(dotted)));
    EXPECT_EQ(plain, _LFTextureCacheGet(Path(path))->texture());
    EXPECT_EQ(withDot, _LFTextureCacheGet(Path(dotted))->texture());
    EXPECT_TRUE(SameColor(kRed, drawn(withDot)));
}

TEST_F(TextureCache, EntryRemembersTheWindowItWasLoadedUnder)
{
    std::string path = writeImage("red.png", kRed);
    LFTexture* texture = LFTextureCacheLoad(Path(path));
    _LFTextureCacheItem* item = _LFTextureCacheGet(Path(path));
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(texture, item->texture());
    EXPECT_EQ((void*)window, item->renderContext());
}

TEST_F(TextureCache, AnotherWindowGetsItsOwnTextureAndReplacesTheEntry)
{
    std::string path = writeImage("red.png", kRed);
    LFTexture* first = LFTextureCacheLoad(Path(path));
    _LFTextureCacheItem* firstItem = _LFTextureCacheGet(Path(path));

    other->setRenderContext();
    LFTexture* second = LFTextureCacheLoad(Path(path));
    EXPECT_NE(first, second);
    EXPECT_TRUE(SameColor(kRed, drawn(second))) << "uploaded in this window's context";
    EXPECT_EQ(second, LFTextureCacheLoad(Path(path))) << "and reused under it";
    _LFTextureCacheItem* secondItem = _LFTextureCacheGet(Path(path));
    ASSERT_NE(firstItem, secondItem);
    EXPECT_EQ(second, secondItem->texture());
    EXPECT_EQ((void*)other, secondItem->renderContext());

    // The first texture is no longer the cache's but stays usable; its holder
    // deletes it under its own window. Its entry is freed by the cache (the
    // sanitized run reports it if not).
    window->setRenderContext();
    EXPECT_TRUE(SameColor(kRed, drawn(first)));
    delete first;
}

// A new window at a deleted one's address: a texture of the deleted
// window's context is never handed out to it.
TEST_F(TextureCache, TextureOfADeletedWindowIsNeverHandedOutAgain)
{
    std::string path = writeImage("red.png", kRed);
    LFTexture* first = LFTextureCacheLoad(Path(path));

    // The new window is made in the deleted one's storage, at its address.
    LFWindow* storage = window;
    window->~LFWindow();
    window = new (storage) LFWindow(LFTempString("test"), LFMakeSize(kWidth, kHeight));
    window->setRenderContext();
    glReadBuffer(GL_BACK);
    LFTexture* second = LFTextureCacheLoad(Path(path));
    EXPECT_NE(first, second);
    EXPECT_TRUE(SameColor(kRed, drawn(second)));
    EXPECT_EQ(second, LFTextureCacheLoad(Path(path)));

    // The texture given up is its holder's; its OpenGL name died with its
    // context, and deleting it with no context current keeps the same name
    // in this one safe.
    SDL_GL_MakeCurrent(NULL, NULL);
    delete first;
    window->setRenderContext();
    EXPECT_TRUE(SameColor(kRed, drawn(second)));
}

TEST_F(TextureCache, TextureSelectedAsTargetDoesNotChangeTheWindowKey)
{
    std::string path = writeImage("red.png", kRed);
    LFTexture* first = LFTextureCacheLoad(Path(path));
    LFTexture target(16, 16);
    target.setRenderContext();
    EXPECT_EQ(first, LFTextureCacheLoad(Path(path)));
    target.unsetRenderContext();
    window->setRenderContext();
}

TEST_F(TextureCache, EntryWithoutTextureIsLoadedAgain)
{
    std::string path = writeImage("green.png", kGreen);
    _LFTextureCacheItem* empty = new _LFTextureCacheItem(nullptr, window);
    _LFTextureCacheAdd(path.c_str(), empty);
    LFTexture* texture = LFTextureCacheLoad(Path(path));
    ASSERT_NE(nullptr, texture);
    EXPECT_TRUE(SameColor(kGreen, drawn(texture)));
    EXPECT_NE(empty, _LFTextureCacheGet(Path(path)));  // and the cache has freed it
}

// ---------------------------------------------------------------------------
// Failure

TEST_F(TextureCache, MissingFileThrowsAddsNothingAndIsTriedAgain)
{
    std::string path = directory + "/late.png";
    EXPECT_THROW(LFTextureCacheLoad(Path(path)), std::bad_alloc);
    EXPECT_EQ(nullptr, _LFTextureCacheGet(Path(path)));
    EXPECT_THROW(LFTextureCacheLoad(Path(path)), std::bad_alloc);

    writeImage("late.png", kBlue);
    LFTexture* texture = LFTextureCacheLoad(Path(path));
    ASSERT_NE(nullptr, texture);
    EXPECT_TRUE(SameColor(kBlue, drawn(texture)));
}

TEST_F(TextureCache, NullPathThrowsAndAddsNothing)
{
    EXPECT_THROW(LFTextureCacheLoad(nullptr), std::bad_alloc);
    EXPECT_EQ(nullptr, _LFTextureCacheGet(nullptr));
}

// ---------------------------------------------------------------------------
// Entries by hand

TEST_F(TextureCache, AddStoresUnderACopyOfThePathAndDropsTheEntryItReplaces)
{
    std::string path = writeImage("red.png", kRed);
    _LFTextureCacheItem* first = new _LFTextureCacheItem(new LFTexture(Path(path)), window);
    _LFTextureCacheItem* second = new _LFTextureCacheItem(new LFTexture(Path(path)), window);

    char* text = Path(path);
    _LFTextureCacheAdd(text, first);
    text[0] = 'X';
    EXPECT_EQ(first, _LFTextureCacheGet(Path(path))) << "the key is a copy";
    EXPECT_EQ(nullptr, _LFTextureCacheGet(text));

    _LFTextureCacheAdd(path.c_str(), second);
    EXPECT_EQ(second, _LFTextureCacheGet(Path(path)));
    EXPECT_EQ(second->texture(), LFTextureCacheLoad(Path(path)));
    EXPECT_TRUE(SameColor(kRed, drawn(first->texture()))) << "the replaced entry is not deleted";
    delete first;
}

// ---------------------------------------------------------------------------
// Purging

TEST_F(TextureCache, PurgeDeletesEveryTextureAndEmptiesTheCache)
{
    std::string red = writeImage("red.png", kRed);
    std::string green = writeImage("green.png", kGreen);
    GLuint redName = NameOf(LFTextureCacheLoad(Path(red)));
    GLuint greenName = NameOf(LFTextureCacheLoad(Path(green)));
    ASSERT_TRUE(glIsTexture(redName));
    ASSERT_TRUE(glIsTexture(greenName));

    LFTextureCachePurge();
    EXPECT_FALSE(glIsTexture(redName));
    EXPECT_FALSE(glIsTexture(greenName));
    EXPECT_EQ(nullptr, _LFTextureCacheGet(Path(red)));
    EXPECT_EQ(nullptr, _LFTextureCacheGet(Path(green)));
}

TEST_F(TextureCache, LoadAfterAPurgeDecodesTheFileAgain)
{
    std::string path = writeImage("image.png", kRed);
    EXPECT_TRUE(SameColor(kRed, drawn(LFTextureCacheLoad(Path(path)))));
    LFTextureCachePurge();

    writeImage("image.png", kGreen);
    LFTexture* reloaded = LFTextureCacheLoad(Path(path));
    EXPECT_TRUE(SameColor(kGreen, drawn(reloaded)));
    EXPECT_EQ(reloaded, LFTextureCacheLoad(Path(path)));
}

TEST_F(TextureCache, PurgeOfAnEmptyCacheDoesNothing)
{
    LFTextureCachePurge();
    LFTextureCachePurge();
    std::string path = writeImage("red.png", kRed);
    EXPECT_TRUE(SameColor(kRed, drawn(LFTextureCacheLoad(Path(path)))));
}

TEST_F(TextureCache, DeInitPurgesTheCache)
{
    std::string path = writeImage("red.png", kRed);
    LFTextureCacheLoad(Path(path));
    delete other;
    delete window;
    other = nullptr;
    window = nullptr;
    LFDeInit();
    EXPECT_EQ(nullptr, _LFTextureCacheGet(Path(path)));

    // The cache is usable again after a new start.
    ASSERT_NE(0, LFInit()) << LFError();
    window = new LFWindow(LFTempString("test"), LFMakeSize(kWidth, kHeight));
    openOther();
    window->setRenderContext();
    EXPECT_TRUE(SameColor(kRed, drawn(LFTextureCacheLoad(Path(path)))));
}
