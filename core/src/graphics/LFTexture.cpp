// Textures: image files and raw pixels uploaded as OpenGL textures, drawn as
// quads and nine-patches in immediate mode (or held in a batch), pixel
// queries answered from a snapshot read back from the texture, and textures
// as render targets through a framebuffer object made for each use.
#include <GL/glew.h>  // before any other OpenGL header; the framebuffer-object calls

#include <math.h>    // sin, cos
#include <stddef.h>  // size_t
#include <stdio.h>   // printf
#include <string.h>  // memcmp, strrchr

#include <new>  // std::bad_alloc, std::nothrow

#include <SDL_image.h>  // IMG_Load

#include "LFLoadError.h"
#include "graphics/LFBatchPrivate.h"
#include "graphics/LFCameraPrivate.h"
#include "graphics/LFImageFile.h"
#include "graphics/LFRenderContextPrivate.h"
#include "graphics/LFTexturePrivate.h"
#include "math/LFMathUtilitiesPrivate.h"
#include "system/LFApplicationPrivate.h"

// Min and mag filter of every texture created from now on; LFSetTextureMode sets it.
static GLint _LFTextureMode = GL_NEAREST;

// Red mask of decoded pixels whose bytes lie red first in memory on this host.
static Uint32 _LFExpectedRedMask()
{
    return _LFEndianness ? 0x000000FF : 0xFF000000;
}

// OpenGL format of the decoded pixels as they lie, or 0 when they are neither
// 3 nor 4 bytes each.
static GLenum _LFImageFormat(SDL_Surface* image)
{
    int redFirst = image->format->Rmask == _LFExpectedRedMask();
    if (image->format->BytesPerPixel == 4)
        return redFirst ? GL_RGBA : GL_BGRA;
    if (image->format->BytesPerPixel == 3)
        return redFirst ? GL_RGB : GL_BGR;
    return 0;
}

// Tells OpenGL how far apart the image's rows lie. SDL pads them to 4 bytes,
// OpenGL's own default; any other pitch is given as a row length in pixels.
static void _LFSetUnpackRows(SDL_Surface* image)
{
    int bytesPerPixel = image->format->BytesPerPixel;
    int paddedRow = (image->w * bytesPerPixel + 3) / 4 * 4;
    int padded = image->pitch == paddedRow;
    glPixelStorei(GL_UNPACK_ALIGNMENT, padded ? 4 : 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, padded ? 0 : image->pitch / bytesPerPixel);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
}

void _LFUsePackedRows()
{
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
}

void _LFTextureAccess::loadPackedRGBA(LFTexture* texture, int width, int height, char* pixels)
{
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    _LFUsePackedRows();
    texture->_loadFromData(width, height, 4, GL_RGBA, pixels);
    glPopClientAttrib();
}

// Reads level 0 as RGBA components of the given type into pixels, which
// holds four components for every texel.
static void _LFGetTexImage(GLuint textureID, GLenum type, void* pixels)
{
    LFFlushBatch();  // held drawing may land in this texture
    glBindTexture(GL_TEXTURE_2D, textureID);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    _LFUsePackedRows();
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, type, pixels);
    glPopClientAttrib();
}

// The whole of level 0 as RGBA floats, four per pixel; null when there is no
// memory for it. Zeroed first, so a failed read gives black, not garbage.
static float* _LFReadTexture(GLuint textureID, int width, int height)
{
    float* pixels = new (std::nothrow) float[(size_t)width * height * 4]();
    if (pixels)
        _LFGetTexImage(textureID, GL_FLOAT, pixels);
    return pixels;
}

// Makes a framebuffer object in *fboID with level 0 of the texture as its
// colour attachment, binds it and returns its status; 0 without
// framebuffer-object support, whose entry points GLEW then leaves null.
static GLenum _LFBindTextureFramebuffer(GLuint textureID, GLuint* fboID)
{
    if (!glGenFramebuffers || !glBindFramebuffer || !glFramebufferTexture2D || !glCheckFramebufferStatus)
        return 0;
    glGenFramebuffers(1, fboID);
    glBindFramebuffer(GL_FRAMEBUFFER, *fboID);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, textureID, 0);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER);
}

static int _LFClamp(int value, int low, int high)
{
    if (value < low)
        return low;
    return value > high ? high : value;
}

// One quad's corners, clockwise from the top left, each texture coordinate
// before its vertex.
static void _LFEmitCorners(int x, int y, int width, int height, float texStartX, float texStartY, float texEndX,
                           float texEndY)
{
    float right = (float)_LFAddSaturated(x, width);
    float bottom = (float)_LFAddSaturated(y, height);
    glTexCoord2f(texStartX, texStartY);
    glVertex2f((float)x, (float)y);
    glTexCoord2f(texEndX, texStartY);
    glVertex2f(right, (float)y);
    glTexCoord2f(texEndX, texEndY);
    glVertex2f(right, bottom);
    glTexCoord2f(texStartX, texEndY);
    glVertex2f((float)x, bottom);
}

// --- Image files: what a header claims, checked before decoding
// The decoders trust a file's header: a PNG chunk length past the end of the
// file keeps libpng reading for ever, and a header that claims 65536 x 65536
// pixels makes a decoder allocate and clear gigabytes before it finds the
// pixels missing. So a PNG, BMP, JPEG, GIF or TGA file is read as far as its
// dimensions (for PNG and BMP also the extent of its data) and refused when it
// claims more than the file holds or a texture can hold. Images of other
// formats are checked once decoded.

// What a header claims; the sides stay 0 when the format is not probed.
struct _LFImageClaims {
    Sint64 width;
    Sint64 height;
    int pastEnd;  // non-zero when its data would run past the end of the file
};

// Reads count bytes at offset; 0 when the file ends before.
static int _LFReadAt(SDL_RWops* file, Sint64 offset, Uint8* bytes, size_t count)
{
    return SDL_RWseek(file, offset, RW_SEEK_SET) == offset && SDL_RWread(file, bytes, count, 1) == 1;
}

static Sint64 _LFBigEndian(const Uint8* b, int count)
{
    Sint64 value = 0;
    for (int i = 0; i < count; i++)
        value = value << 8 | b[i];
    return value;
}

static Sint64 _LFLittleEndian(const Uint8* b, int count)
{
    Sint64 value = 0;
    for (int i = count - 1; i >= 0; i--)
        value = value << 8 | b[i];
    return value;
}

// PNG: the sides in IHDR, and every chunk up to IEND inside the file (a chunk
// is a 4-byte length and type, its data and a 4-byte CRC).
static void _LFProbePNG(SDL_RWops* file, Sint64 fileSize, _LFImageClaims* claims)
{
    Uint8 chunk[16];
    for (Sint64 offset = 8; _LFReadAt(file, offset, chunk, 8); offset += 12 + _LFBigEndian(chunk, 4)) {
        Sint64 length = _LFBigEndian(chunk, 4);
        if (length > 0x7FFFFFFF || offset + 12 + length > fileSize) {
            claims->pastEnd = 1;
            return;
        }
        if (offset == 8 && memcmp(chunk + 4, "IHDR", 4) == 0 && length >= 8 &&
            _LFReadAt(file, offset + 8, chunk + 8, 8)) {
            claims->width = _LFBigEndian(chunk + 8, 4);
            claims->height = _LFBigEndian(chunk + 12, 4);
        }
        if (memcmp(chunk + 4, "IEND", 4) == 0)
            return;
    }
}

// BMP: the sides in the info header and, for uncompressed pixels, the rows
// they make, which must lie inside the file.
static void _LFProbeBMP(SDL_RWops* file, Sint64 fileSize, _LFImageClaims* claims)
{
    Uint8 header[34];  // the file header, then the info header up to its compression
    if (!_LFReadAt(file, 0, header, 26))
        return;
    Sint64 dataOffset = _LFLittleEndian(header + 10, 4);
    Sint64 bitsPerPixel = 0;
    Sint64 compression = 0;
    if (_LFLittleEndian(header + 14, 4) == 12) {
        // The OS/2 core header has 16-bit sides.
        claims->width = _LFLittleEndian(header + 18, 2);
        claims->height = _LFLittleEndian(header + 20, 2);
        bitsPerPixel = _LFLittleEndian(header + 24, 2);
    } else if (_LFReadAt(file, 0, header, 34)) {
        claims->width = (Sint32)_LFLittleEndian(header + 18, 4);
        // A negative height stores the rows top down.
        Sint64 height = (Sint32)_LFLittleEndian(header + 22, 4);
        claims->height = height < 0 ? -height : height;
        bitsPerPixel = _LFLittleEndian(header + 28, 2);
        compression = _LFLittleEndian(header + 30, 4);
    }
    // Uncompressed rows (BI_RGB, BI_BITFIELDS) are padded to 4 bytes.
    Sint64 rowBytes = (claims->width * bitsPerPixel + 31) / 32 * 4;
    Sint64 room = fileSize - dataOffset;
    if ((compression == 0 || compression == 3) && rowBytes > 0 && claims->height > 0 &&
        (room < 0 || claims->height > room / rowBytes))
        claims->pastEnd = 1;
}

// JPEG: the sides in the first start-of-frame segment.
static void _LFProbeJPEG(SDL_RWops* file, _LFImageClaims* claims)
{
    Uint8 segment[9];  // marker, length, then a frame's precision, height and width
    Sint64 offset = 2;
    while (_LFReadAt(file, offset, segment, 4) && segment[0] == 0xFF) {
        Uint8 marker = segment[1];
        if (marker == 0xFF) {
            offset++;  // a fill byte before a marker
            continue;
        }
        // SOF0 to SOF15, less DHT, JPG and DAC, which share the range.
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            if (_LFReadAt(file, offset, segment, 9)) {
                claims->height = _LFBigEndian(segment + 5, 2);
                claims->width = _LFBigEndian(segment + 7, 2);
            }
            return;
        }
        offset += 2 + _LFBigEndian(segment + 2, 2);
    }
}

// GIF: the logical screen's sides and the first image's, whichever are larger.
static void _LFProbeGIF(SDL_RWops* file, _LFImageClaims* claims)
{
    Uint8 block[10];
    if (!_LFReadAt(file, 6, block, 7))
        return;
    claims->width = _LFLittleEndian(block, 2);
    claims->height = _LFLittleEndian(block + 2, 2);
    // Past the global colour table, then past the extensions (0x21, a label,
    // sub-blocks up to an empty one) that come before the first image (0x2C).
    Sint64 offset = 13 + ((block[4] & 0x80) ? 3 << ((block[4] & 7) + 1) : 0);
    while (_LFReadAt(file, offset, block, 2) && block[0] == 0x21) {
        offset += 2;
        while (_LFReadAt(file, offset, block, 1) && block[0])
            offset += 1 + block[0];
        offset++;
    }
    if (_LFReadAt(file, offset, block, 10) && block[0] == 0x2C) {
        claims->width = SDL_max(claims->width, _LFLittleEndian(block + 5, 2));
        claims->height = SDL_max(claims->height, _LFLittleEndian(block + 7, 2));
    }
}

// TGA, which has no magic: the sides at the end of its 18-byte header.
static void _LFProbeTGA(SDL_RWops* file, _LFImageClaims* claims)
{
    Uint8 header[18];
    if (!_LFReadAt(file, 0, header, 18))
        return;
    claims->width = _LFLittleEndian(header + 12, 2);
    claims->height = _LFLittleEndian(header + 14, 2);
}

// 0, with the reason in the error text, when an image of width x height
// pixels, named name there, is larger than the largest texture of the
// current context. Without a context there is nothing to ask: 1.
static int _LFFitsTexture(const char* name, Sint64 width, Sint64 height)
{
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    if (largest <= 0 || (width <= largest && height <= largest))
        return 1;
    _LFSetError("%s: %lldx%lld pixels, larger than the largest texture (%d a side)", name, (long long)width,
                (long long)height, (int)largest);
    return 0;
}

// 0, with the reason in LFError(), when the image file opened as file from
// path claims more than it holds or than a texture can hold (extension: the
// path's, or null). The decoder is chosen as IMG_Load chooses it: by the
// file's magic, or for TGA by the extension.
static int _LFCheckImageClaims(SDL_RWops* file, const char* path, const char* extension)
{
    _LFImageClaims claims = {0, 0, 0};
    Sint64 fileSize = SDL_RWsize(file);
    Uint8 magic[8] = {0};
    _LFReadAt(file, 0, magic, sizeof magic);
    if (memcmp(magic, "\x89PNG\r\n\x1A\n", 8) == 0)
        _LFProbePNG(file, fileSize, &claims);
    else if (memcmp(magic, "BM", 2) == 0)
        _LFProbeBMP(file, fileSize, &claims);
    else if (magic[0] == 0xFF && magic[1] == 0xD8)
        _LFProbeJPEG(file, &claims);
    else if (memcmp(magic, "GIF", 3) == 0)
        _LFProbeGIF(file, &claims);
    else if (extension && SDL_strcasecmp(extension, "tga") == 0)
        _LFProbeTGA(file, &claims);

    if (claims.pastEnd) {
        _LFSetError("%s: damaged image: its data would run past the end of the file", path);
        return 0;
    }
    return _LFFitsTexture(path, claims.width, claims.height);
}

// Where drawingPosition puts the quad corner (x, y): turned by rot degrees
// about the pivot (half the width and height, in whole pixels), mirrored by
// flipMode, scaled about the top-left corner and moved to (xPos, yPos).
// Computed in double, so the result is the exact placement rounded once.
static void _LFPlaceCorner(_LFBatchVertex* v, int x, int y, double xPos, double yPos, int width, int height,
                           float scale, int rot, int flipMode)
{
    double cx = x, cy = y;
    if (flipMode != 0 || rot != 0) {
        double pivotX = width / 2, pivotY = height / 2;
        double dx = cx - pivotX, dy = cy - pivotY;
        if (rot != 0) {
            double angle = rot * 3.14159265358979323846 / 180;
            double turnedX = dx * cos(angle) - dy * sin(angle);
            dy = dx * sin(angle) + dy * cos(angle);
            dx = turnedX;
        }
        if (flipMode & 2)
            dx = -dx;
        if (flipMode & 4)
            dy = -dy;
        cx = pivotX + dx;
        cy = pivotY + dy;
    }
    v->x = (float)(xPos + scale * cx);
    v->y = (float)(yPos + scale * cy);
}

// Read backwards, each corner is turned about the centre, mirrored, scaled
// about the top-left corner and moved to (xPos, yPos).
static void _LFMultiplyPlacement(float xPos, float yPos, int width, int height, float scale, int rot, int flipMode)
{
    glTranslatef(xPos, yPos, 0);
    glScalef(scale, scale, 0);
    if (flipMode == 0 && rot == 0)
        return;
    // Integer halves keep the pivot of an odd-sized quad on a whole pixel.
    glTranslatef((float)(width / 2), (float)(height / 2), 0);
    int mirrorX = flipMode & 2;
    int mirrorY = flipMode & 4;
    if (mirrorX && mirrorY)
        glRotatef(180, 0, 0, 1);  // both mirrors together are a half turn
    else if (mirrorX)
        glRotatef(180, 0, 1, 0);
    else if (mirrorY)
        glRotatef(180, 1, 0, 0);
    if (rot != 0)
        glRotatef((float)rot, 0, 0, 1);
    // -(w / 2) equals -w / 2 in C's division, and cannot overflow.
    glTranslatef((float)-(width / 2), (float)-(height / 2), 0);
}

// A source rectangle cut to the texture, the size it is drawn at and its
// texture coordinates.
struct _LFQuad {
    int sourceWidth, sourceHeight;
    int width, height;
    float u0, v0, u1, v1;
};

// Cuts the source rectangle (startX, startY)-(endX, endY) to a texture of
// the given size; width and height below zero take the source's. 0 for an
// empty texture: no pixels to draw, and the coordinates would divide by zero.
static int _LFCutQuad(LFSize size, int startX, int startY, int endX, int endY, int width, int height, _LFQuad* quad)
{
    int w = (int)size.width;
    int h = (int)size.height;
    if (w <= 0 || h <= 0)
        return 0;
    startX = _LFClamp(startX, 0, w);
    startY = _LFClamp(startY, 0, h);
    endX = _LFClamp(endX, startX, w);
    endY = _LFClamp(endY, startY, h);
    quad->sourceWidth = endX - startX;
    quad->sourceHeight = endY - startY;
    quad->width = (width >= 0) ? width : quad->sourceWidth;
    quad->height = (height >= 0) ? height : quad->sourceHeight;
    quad->u0 = (float)startX / w;
    quad->v0 = (float)startY / h;
    quad->u1 = (float)endX / w;
    quad->v1 = (float)endY / h;
    return -1;
}

// Draws a whole quad of the texture with its top-left corner at (xPos,
// yPos), in color, held in an open batch or at once.
static void _LFDrawQuad(GLuint textureID, LFColor color, const _LFQuad& quad, double xPos, double yPos, float scale,
                        int rot, int flipMode)
{
    // Under a camera a sprite drawn on its own goes as a batch of one: the
    // camera's matrix times drawingPosition's would round otherwise than a
    // batch's placement, and land on other pixels at the edges.
    int alone = !_LFBatchOpen() && _LFCameraPushed();
    if (alone)
        LFBeginBatch();
    _LFBatchVertex* corners = _LFBatchHold(_LFBatchSprites, textureID, 4);
    if (corners) {
        // The corners in the order below, placed as drawingPosition would.
        const int place[4][2] = {{0, 0}, {quad.width, 0}, {quad.width, quad.height}, {0, quad.height}};
        const float u[4] = {quad.u0, quad.u1, quad.u1, quad.u0};
        const float v[4] = {quad.v0, quad.v0, quad.v1, quad.v1};
        for (int i = 0; i < 4; i++) {
            _LFPlaceCorner(&corners[i], place[i][0], place[i][1], xPos, yPos, quad.sourceWidth, quad.sourceHeight,
                           scale, rot, flipMode);
            corners[i].u = u[i];
            corners[i].v = v[i];
            corners[i].color = color;
        }
        if (alone)
            LFEndBatch();
        return;
    }
    glBindTexture(GL_TEXTURE_2D, textureID);
    glPushMatrix();
    glColor4f(color.r, color.g, color.b, color.a);
    // Note: the pivot comes from the source rectangle, not the drawn size.
    _LFMultiplyPlacement((float)xPos, (float)yPos, quad.sourceWidth, quad.sourceHeight, scale, rot, flipMode);
    glBegin(GL_QUADS);
    _LFEmitCorners(0, 0, quad.width, quad.height, quad.u0, quad.v0, quad.u1, quad.v1);
    glEnd();
    glPopMatrix();
}

void LFSetTextureMode(int mode)
{
    _LFTextureMode = (mode == 1) ? GL_NEAREST : GL_LINEAR;
}

LFTexture::LFTexture()
{
    _commonInit();
}

LFTexture::LFTexture(const char* filePath)
{
    LFFlushBatch();  // loading binds the new texture
    _commonInit();
    if (!_loadImage(filePath))
        throw LFLoadError(LFError());
}

LFTexture::LFTexture(int width, int height)
{
    LFFlushBatch();
    _commonInit();
    if (width < 0 || height < 0) {
        _LFSetError("Blank texture: %dx%d pixels, a side below zero", width, height);
        throw std::bad_alloc();
    }
    // Some drivers abort on a side far beyond their largest.
    if (!_LFFitsTexture("Blank texture", width, height))
        throw std::bad_alloc();
    _loadFromData(width, height, 4, GL_RGBA, NULL);
}

LFTexture::~LFTexture()
{
    LFFlushBatch();  // held draws of this texture go before it does
    _clearTextureID();
    _clearFBOID();
    delete[] _getPixels;
}

void LFTexture::_commonInit()
{
    _textureID = 0;
    _fboID = 0;
    _format = 0;
    _bytesPerPixel = 0;
    _tint = LFMakeColor(1, 1, 1, 1);
    _size = LFZeroSize;
    _getPixels = NULL;
}

void LFTexture::_clearTextureID()
{
    if (_textureID)
        glDeleteTextures(1, &_textureID);
    _textureID = 0;
}

void LFTexture::_clearFBOID()
{
    if (_fboID)
        glDeleteFramebuffers(1, &_fboID);
    _fboID = 0;
}

SDL_Surface* _LFLoadImageFile(const char* path)
{
    SDL_RWops* file = SDL_RWFromFile(path, "rb");
    if (!file) {
        _LFSetError("%s: %s", path, SDL_GetError());
        return NULL;
    }
    const char* extension = strrchr(path, '.');
    extension = extension ? extension + 1 : NULL;
    if (!_LFCheckImageClaims(file, path, extension)) {
        SDL_RWclose(file);
        return NULL;
    }
    SDL_RWseek(file, 0, RW_SEEK_SET);
    SDL_Surface* image = IMG_LoadTyped_RW(file, 1, extension);
    if (!image)
        _LFSetError("%s: %s", path, IMG_GetError());
    return image;
}

int LFTexture::_loadImage(const char* filePath)
{
    if (!filePath) {
        _LFSetError("No image file path given");
        return 0;
    }
    SDL_Surface* image = _LFLoadImageFile(filePath);
    if (!image)
        return 0;
    if (!_LFFitsTexture(filePath, image->w, image->h)) {
        SDL_FreeSurface(image);
        return 0;
    }
    GLenum format = _LFImageFormat(image);
    if (!format) {
        _LFSetError("%s: not a truecolor image", filePath);
        SDL_FreeSurface(image);
        return 0;
    }
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    _LFSetUnpackRows(image);
    _loadFromData(image->w, image->h, image->format->BytesPerPixel, format, (char*)image->pixels);
    glPopClientAttrib();
    SDL_FreeSurface(image);
    return -1;
}

int LFTexture::_loadFromData(int w, int h, GLint bytesPerPixel, GLenum textureFormat, char* data)
{
    LFFlushBatch();  // held draws of the old pixels go first
    // A snapshot of another size no longer fits the texture: queries would
    // index past it. One of the same size is kept, stale, like any snapshot.
    if (_getPixels && (w != (int)_size.width || h != (int)_size.height)) {
        delete[] _getPixels;
        _getPixels = NULL;
    }
    _clearTextureID();
    glGenTextures(1, &_textureID);
    glBindTexture(GL_TEXTURE_2D, _textureID);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, _LFTextureMode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, _LFTextureMode);
    glTexImage2D(GL_TEXTURE_2D, 0, bytesPerPixel, w, h, 0, textureFormat, GL_UNSIGNED_BYTE, data);
    _bytesPerPixel = bytesPerPixel;
    _format = (GLint)textureFormat;
    _size = LFMakeSize((float)w, (float)h);
    return -1;
}

LFSize LFTexture::size()
{
    return _size;
}

void LFTexture::bind()
{
    LFFlushBatch();
    glBindTexture(GL_TEXTURE_2D, _textureID);
}

void LFTexture::setTint(LFColor tint)
{
    _tint = tint;
}

LFColor LFTexture::tint()
{
    return _tint;
}

void LFTexture::draw(int startX, int startY, int endX, int endY, int width, int height, int xPos, int yPos,
                     float alpha, float scale, int rot, int flipMode, int doQuadWrap)
{
    _LFQuad quad;
    if (!_LFCutQuad(_size, startX, startY, endX, endY, width, height, &quad))
        return;
    if (!doQuadWrap) {
        // Inside the caller's open list only colour, texture coordinates and
        // vertices are allowed; binding and matrices are the caller's.
        glColor4f(_tint.r, _tint.g, _tint.b, alpha);
        _LFEmitCorners(xPos, yPos, quad.width, quad.height, quad.u0, quad.v0, quad.u1, quad.v1);
        return;
    }
    _LFDrawQuad(_textureID, LFMakeColor(_tint.r, _tint.g, _tint.b, alpha), quad, xPos, yPos, scale, rot, flipMode);
}

void LFTexture::draw(int xPos, int yPos, int doQuadWrap)
{
    draw(0, 0, (int)_size.width, (int)_size.height, -1, -1, xPos, yPos, 1, 1, 0, 0, doQuadWrap);
}

void LFTexture::draw(int xPos, int yPos, float alpha, float scale, int rot, int flipMode, int doQuadWrap)
{
    draw(0, 0, (int)_size.width, (int)_size.height, -1, -1, xPos, yPos, alpha, scale, rot, flipMode, doQuadWrap);
}

void LFTexture::draw(int startX, int startY, int endX, int endY, int xPos, int yPos, int doQuadWrap)
{
    draw(startX, startY, endX, endY, -1, -1, xPos, yPos, 1, 1, 0, 0, doQuadWrap);
}

void LFTexture::draw(int startX, int startY, int endX, int endY, int xPos, int yPos, float alpha, float scale,
                     int rot, int flipMode, int doQuadWrap)
{
    draw(startX, startY, endX, endY, -1, -1, xPos, yPos, alpha, scale, rot, flipMode, doQuadWrap);
}

void LFTexture::drawAt(LFPoint position)
{
    drawAt(position, 1, 1, 0, 0);
}

void LFTexture::drawAt(LFPoint position, float alpha, float scale, int rot, int flipMode)
{
    _LFQuad quad;
    if (_LFCutQuad(_size, 0, 0, (int)_size.width, (int)_size.height, -1, -1, &quad))
        _LFDrawQuad(_textureID, LFMakeColor(_tint.r, _tint.g, _tint.b, alpha), quad, position.x, position.y, scale,
                    rot, flipMode);
}

void LFTexture::drawingPosition(int xPos, int yPos, int width, int height, float scale, int rot, int flipMode)
{
    LFFlushBatch();  // held draws were placed under the matrix as it was
    _LFMultiplyPlacement((float)xPos, (float)yPos, width, height, scale, rot, flipMode);
}

void LFTexture::drawNineSlice(LFPoint position, LFSize size, int cornerSize, float alpha)
{
    LFFlushBatch();
    float cs = (float)cornerSize;
    int x0 = _LFTruncate(position.x);
    int x1 = _LFTruncate(position.x + cs);
    int x2 = _LFTruncate(position.x + size.width - cs);
    int y0 = _LFTruncate(position.y);
    int y1 = _LFTruncate(position.y + cs);
    int y2 = _LFTruncate(position.y + size.height - cs);
    // Stretched middle sizes; a negative one falls back to the source's size.
    int middleWidth = _LFTruncate(size.width - 2 * cs);
    int middleHeight = _LFTruncate(size.height - 2 * cs);
    int tw = (int)_size.width;
    int th = (int)_size.height;
    int farX = _LFTruncate(_size.width - cs);
    int farY = _LFTruncate(_size.height - cs);
    auto piece = [&](int startX, int startY, int endX, int endY, int width, int height, int xPos, int yPos) {
        draw(startX, startY, endX, endY, width, height, xPos, yPos, alpha, 1, 0, 0, -1);
    };
    piece(0, 0, cornerSize, cornerSize, -1, -1, x0, y0);
    piece(cornerSize, 0, farX, cornerSize, middleWidth, cornerSize, x1, y0);
    piece(farX, 0, tw, cornerSize, -1, -1, x2, y0);
    piece(0, cornerSize, cornerSize, farY, cornerSize, middleHeight, x0, y1);
    piece(cornerSize, cornerSize, farX, farY, middleWidth, middleHeight, x1, y1);
    piece(farX, cornerSize, tw, farY, cornerSize, middleHeight, x2, y1);
    piece(0, farY, cornerSize, th, -1, -1, x0, y2);
    piece(cornerSize, farY, farX, th, middleWidth, cornerSize, x1, y2);
    piece(farX, farY, tw, th, -1, -1, x2, y2);
}

void LFTexture::drawNineSlice(LFPoint position, LFSize size, int cornerSize)
{
    drawNineSlice(position, size, cornerSize, 1);
}

LFColor LFTexture::getPixel(LFPoint location, int cached)
{
    float r = -1, g = -1, b = -1, a = -1;
    // Range-checked before truncating: a NaN or huge coordinate has no int
    // value. (-1, width) is exactly the range that truncates into 0..width-1.
    if (location.x > -1 && location.x < _size.width && location.y > -1 && location.y < _size.height)
        _getPixel((int)location.x, (int)location.y, r, g, b, a, cached);
    return LFMakeColor(r, g, b, a);
}

void LFTexture::_getPixel(int x, int y, float& r, float& g, float& b, float& a, int store)
{
    r = g = b = a = -1;
    if (x < 0 || x > _size.width - 1 || y < 0 || y > _size.height - 1)
        return;
    int width = (int)_size.width;
    // A held snapshot always answers; otherwise one is taken, and kept only when asked to.
    int taken = !_getPixels;
    float* pixels = taken ? _LFReadTexture(_textureID, width, (int)_size.height) : _getPixels;
    if (!pixels)
        return;
    const float* pixel = pixels + 4 * (size_t)x + 4 * (size_t)y * width;
    r = pixel[0];
    g = pixel[1];
    b = pixel[2];
    a = pixel[3];
    if (taken && store)
        _getPixels = pixels;
    else if (taken)
        delete[] pixels;
}

// --- As a render target

void LFTexture::setRenderContext()
{
    LFFlushBatch();
    _clearFBOID();
    GLenum status = _LFBindTextureFramebuffer(_textureID, &_fboID);
    if (status != GL_FRAMEBUFFER_COMPLETE)
        printf("Fatal error. Framebutter not complete! texID: %d -> fboID: %d (%x)\n", (int)_textureID, (int)_fboID,
               (unsigned)status);
    glViewport(0, 0, (int)_size.width, (int)_size.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, _size.width, _size.height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    _LFDropCameras();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glPushMatrix();
    _LFApplyBlendMode(1);
    // Framebuffer row 0 is texture row 0, which draw and getPixel treat as the
    // top; turned upside down, a point drawn at y lands in row y.
    glRotatef(180, 1, 0, 0);
    glTranslatef(0, -_size.height, 0);
    _LFCurrentRenderContext = this;
}

void LFTexture::unsetRenderContext()
{
    LFFlushBatch();
    if (glBindFramebuffer)
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    _clearFBOID();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    _LFDropCameras();
    _LFApplyBlendMode(0);
    _LFCurrentRenderContext = NULL;
}

// Framebuffer rows run the same way as the drawing, so the rectangle needs
// neither scaling nor flipping.
void LFTexture::setClipTo(LFRect rect)
{
    LFFlushBatch();
    glEnable(GL_SCISSOR_TEST);
    glScissor(_LFTruncate(rect.origin.x), _LFTruncate(rect.origin.y), _LFTruncate(rect.size.width),
              _LFTruncate(rect.size.height));
}

void LFTexture::unsetClip()
{
    LFFlushBatch();
    glScissor(0, 0, (int)_size.width, (int)_size.height);
    glDisable(GL_SCISSOR_TEST);
}

void LFTexture::clear()
{
    bind();  // sends what is held first
    int width = (int)_size.width;
    int height = (int)_size.height;
    if (width <= 0 || height <= 0)
        return;
    unsigned char* zeros = new (std::nothrow) unsigned char[(size_t)width * height * 4]();
    if (!zeros)
        return;
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    _LFUsePackedRows();
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, zeros);
    glPopClientAttrib();
    delete[] zeros;
}

int LFTexture::writeToPNG(const char* filePath)
{
    int width = (int)_size.width;
    int height = (int)_size.height;
    unsigned char* pixels = NULL;
    if (width <= 0 || height <= 0)
        SDL_SetError("the texture is empty");
    else if (!(pixels = new (std::nothrow) unsigned char[(size_t)width * height * 4]))
        SDL_OutOfMemory();
    else
        _LFGetTexImage(_textureID, GL_UNSIGNED_BYTE, pixels);
    int written = pixels && _LFWriteImage(filePath, pixels, width, height, _LFImagePNG);
    if (!written)
        _LFSetError("Unable to save PNG image (%s): %s", filePath, SDL_GetError());
    delete[] pixels;
    return written ? -1 : 0;
}
