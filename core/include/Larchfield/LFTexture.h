// Textures: one OpenGL 2D texture loaded from an image file or made blank,
// drawn into the current render context as a placed, stretched, rotated or
// mirrored quad or as a nine-patch, queried pixel by pixel, and itself a
// render target that can be drawn into, cleared and written to a PNG file.
#ifndef LFTEXTURE_H
#define LFTEXTURE_H

#include "LF2DPrimitives.h"
#include "LFColor.h"
#include "LFRenderContext.h"

// The OpenGL scalar types exactly as gl.h declares them. Repeating them here,
// instead of including an OpenGL header, lets this header come before or
// after any of them (glew.h must be included before gl.h).
typedef unsigned int GLenum;
typedef int GLint;
typedef unsigned int GLuint;

// Filter for textures created from now on: 1 = nearest (the start value),
// anything else = linear. Existing textures keep theirs.
void LFSetTextureMode(int mode);

// Final: the render-context base has virtual functions but, on purpose, no
// virtual destructor, so textures are deleted through their own type.
class LFTexture final : public LFRenderContext {
public:
    // An empty texture: no OpenGL texture, size (0, 0); it draws nothing.
    LFTexture();
    // Loads an image file that decodes to 24 or 32 bits per pixel. Throws
    // std::bad_alloc if it cannot. A file that cannot be opened or decoded
    // leaves LFError() as it was; these leave a reason there:
    // - a null path: "No image file path given";
    // - an image of other depth: "<path>: not a truecolor image";
    // - a side larger than the current context's largest texture:
    //   "<path>: <w>x<h> pixels, larger than the largest texture (<n> a side)";
    // - a PNG chunk or BMP pixel rows claimed past the end of the file:
    //   "<path>: damaged image: its data would run past the end of the file".
    // PNG, BMP, JPEG, GIF and TGA files are checked for the last two before
    // they are decoded, so a damaged header costs neither time nor memory.
    explicit LFTexture(char* filePath);
    // A blank RGBA texture for drawing into; its pixels are undefined until
    // cleared or drawn into. Throws std::bad_alloc when a side is larger than
    // the current context's largest texture ("Blank texture: <w>x<h> pixels,
    // larger than the largest texture (<n> a side)" in LFError()) or below
    // zero ("Blank texture: <w>x<h> pixels, a side below zero").
    LFTexture(int width, int height);
    // Deletes the OpenGL texture, its framebuffer object and the pixel snapshot.
    ~LFTexture();
    LFTexture(const LFTexture&) = delete;
    LFTexture& operator=(const LFTexture&) = delete;

    // Width and height in pixels.
    LFSize size();
    // Binds the OpenGL texture to GL_TEXTURE_2D.
    void bind();
    // Colour whose red, green and blue multiply the texels when drawing; its alpha is unused.
    void setTint(LFColor tint);
    LFColor tint();

    // Draws the source rectangle (startX, startY)-(endX, endY) of the texture
    // (far corner exclusive; clamped to the texture, never rejected) as a quad
    // of width x height pixels (negative: the source's own size) with its
    // top-left corner at (xPos, yPos). alpha replaces the tint's alpha; scale
    // grows it about its top-left corner; rot turns it clockwise by degrees
    // about the source rectangle's centre; flipMode bit 2 mirrors it left to
    // right and bit 4 top to bottom. doQuadWrap non-zero draws a complete quad;
    // zero only emits its four corners, unscaled, unturned and unmirrored,
    // into a GL_QUADS list for which the caller has bound the texture.
    // Inside a batch (LFBatch.h) whole quads are held and placed on the CPU:
    // the same pixels as one by one, except that a scaled, stretched or turned
    // quad may differ in pixels along its edges and between its texels.
    // Note: pass alpha and scale as floats (1.0f): with all-int arguments the
    // seven-argument call picks the source-rectangle form.
    void draw(int startX, int startY, int endX, int endY, int width, int height, int xPos, int yPos, float alpha,
              float scale, int rot, int flipMode, int doQuadWrap);
    // The whole texture at its own size, opaque, unscaled, unturned.
    void draw(int xPos, int yPos, int doQuadWrap);
    // The whole texture at its own size.
    void draw(int xPos, int yPos, float alpha, float scale, int rot, int flipMode, int doQuadWrap);
    // A source rectangle at its own size, opaque, unscaled, unturned.
    void draw(int startX, int startY, int endX, int endY, int xPos, int yPos, int doQuadWrap);
    // A source rectangle at its own size.
    void draw(int startX, int startY, int endX, int endY, int xPos, int yPos, float alpha, float scale, int rot,
              int flipMode, int doQuadWrap);

    // Multiplies the placement of a width x height quad onto the current matrix:
    // move to (xPos, yPos), scale, then mirror and turn about the quad's centre.
    void drawingPosition(int xPos, int yPos, int width, int height, float scale, int rot, int flipMode);

    // Stretches the texture over the rectangle (position, size) keeping its
    // corners of cornerSize pixels unscaled; edges and centre stretch.
    void drawNineSlice(LFPoint position, LFSize size, int cornerSize, float alpha);
    // The same, opaque.
    void drawNineSlice(LFPoint position, LFSize size, int cornerSize);

    // Colour (components 0..1; alpha 1 without an alpha channel) of the pixel
    // at location (truncated toward zero; row 0 is the top). Outside the
    // texture: all components -1. cached non-zero reads the texture back once
    // and answers from that snapshot ever after; zero uses a snapshot if one is
    // held, else reads the texture back for this query alone.
    // Note: a held snapshot is not refreshed by later drawing or same-size reloads.
    LFColor getPixel(LFPoint location, int cached);

    // --- As a render target (see LFRenderContext.h for the switching order)

    // Makes the texture the drawing target: drawing lands in its own pixels,
    // (0, 0) at the top left and y down, so what is drawn at y is row y for
    // getPixel, draw and writeToPNG. Blending is (GL_ONE,
    // GL_ONE_MINUS_SRC_ALPHA) meanwhile, so the alpha drawn accumulates as
    // coverage. The window whose OpenGL context is in use stays the cache key.
    // Note: an incomplete framebuffer (an empty texture, or a driver without
    // framebuffer objects) prints "Fatal error. Framebutter not complete! ..."
    // to standard output, the library's only output; the texture is selected
    // all the same and drawing into it shows nothing.
    void setRenderContext() override;
    // Ends drawing into the texture: the window's framebuffer is bound again,
    // blending is back to (GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA) and no target
    // is selected (LFCurrentRenderContext() is null).
    // Note: the viewport and projection are still the texture's; call the
    // window's setRenderContext() before drawing into it.
    void unsetRenderContext() override;
    // Limits drawing to rect in the texture's own top-left pixel coordinates,
    // truncated to whole pixels.
    void setClipTo(LFRect rect) override;
    // Lifts the limit: the scissor covers the whole texture and is switched off.
    void unsetClip() override;
    // Makes every pixel transparent black. Leaves the texture bound; a
    // snapshot held for getPixel is kept, stale.
    void clear();
    // Writes the texture to a PNG file, row 0 at the top, with its alpha.
    // -1 when written whole; 0 when it cannot be (an empty texture, an
    // unwritable path, a full disk), with "Unable to save PNG image (<path>):
    // <reason>" in LFError() and the file at path left as it was.
    int writeToPNG(char* filePath);

private:
    // The library's own way in to the members below (its private headers).
    friend struct _LFTextureAccess;

    void _commonInit();
    void _clearTextureID();
    void _clearFBOID();
    // -1 when the file is decoded and uploaded, else 0 (error text as for the constructor).
    int _loadImage(char* filePath);
    // Uploads w x h pixels of data (rows padded to 4 bytes); always -1.
    int _loadFromData(int w, int h, GLint bytesPerPixel, GLenum textureFormat, char* data);
    void _getPixel(int x, int y, float& r, float& g, float& b, float& a, int store);

    GLuint _textureID;
    GLuint _fboID;
    LFSize _size;
    LFColor _tint;
    GLint _bytesPerPixel;
    GLint _format;
    // The whole texture as RGBA floats, four per pixel, rows in texture order; null when none is held.
    float* _getPixels;
};

#endif
