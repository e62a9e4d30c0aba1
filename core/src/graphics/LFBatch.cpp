// Batched drawing: shapes and sprites held in a fixed buffer as runs of one
// kind, and sent as vertex arrays, one draw per run, leaving the OpenGL state
// the same calls made one by one leave.
#include <GL/glew.h>  // buffer objects

#include <limits.h>  // INT_MAX
#include <math.h>    // fabsf
#include <stddef.h>  // offsetof
#include <stdint.h>  // uintptr_t

#include <map>

#include <SDL.h>  // SDL_GL_GetCurrentContext

#include "graphics/LFBatchPrivate.h"

enum {
    _LFBatchCapacity = 4 * 6144,  // vertices held at most: 6144 quads
    _LFBatchMaxRuns = 256,        // runs held at most
};

// A stretch of held vertices of one kind.
struct _LFBatchRun {
    _LFBatchKind kind;
    int first;
    int count;
};

// Per kind: the OpenGL primitive and the line width its one-by-one call sets
// (0: none). Quads are held as their four corners (_LFBatchHoldQuad).
static const GLenum _LFBatchModes[] = {GL_QUADS, GL_QUADS, GL_LINES, GL_TRIANGLES, GL_LINE_LOOP, GL_QUADS};
static const GLfloat _LFBatchLineWidths[] = {0, 1, 1, 1, 2, 0};
// Per kind: the vertices of one shape as held.
static const int _LFBatchShapeVertices[] = {4, 4, 2, 3, 3, 4};
// Vertices of one triangle outline: each is a loop of its own.
static const int _LFOutlineVertices = 3;

// The open batches and what they hold: runs of shapes, or runs of sprites
// of _LFBatchTexture.
static int _LFBatchDepth = 0;
static _LFBatchVertex _LFBatchVertices[_LFBatchCapacity];
static int _LFBatchVertexCount = 0;
static _LFBatchRun _LFBatchRuns[_LFBatchMaxRuns];
static int _LFBatchRunCount = 0;
static GLuint _LFBatchTexture = 0;
// Indices that draw a run of held quads as the triangles 0 1 3 and 1 2 3 of
// each: both end on the last corner, which gives a flat-shaded quad its colour.
static GLushort _LFQuadTriangles[_LFBatchCapacity / 4 * 6];
// Where the held vertices lie for OpenGL while they are sent: their address
// in client memory, or 0, their offset in the buffer object they were copied into.
static uintptr_t _LFBatchArrays = 0;
// While they are sent: the rows x, y, z and w of the transform from a held
// vertex (x, y, 1) to clip coordinates.
static GLfloat _LFBatchClipRows[4][3];

static int _LFIsQuadKind(_LFBatchKind kind)
{
    return kind == _LFBatchFills || kind == _LFBatchRings || kind == _LFBatchSprites;
}

// Non-zero when a quad drawn as two triangles lands on exactly the pixels of
// the quad: always, unless polygons are drawn as outlines or points (the
// shared edge would show) or antialiased (it would blend twice).
static int _LFTrianglesMatchQuads()
{
    GLint modes[2];
    glGetIntegerv(GL_POLYGON_MODE, modes);
    return modes[0] == GL_FILL && modes[1] == GL_FILL && !glIsEnabled(GL_POLYGON_SMOOTH);
}

// Points the vertex, colour and texture coordinate arrays at the held
// vertex first and those after it.
static void _LFPointArraysAt(int first)
{
    uintptr_t start = _LFBatchArrays + first * sizeof(_LFBatchVertex);
    GLsizei stride = sizeof(_LFBatchVertex);
    glVertexPointer(2, GL_FLOAT, stride, (const GLvoid*)(start + offsetof(_LFBatchVertex, x)));
    glColorPointer(4, GL_FLOAT, stride, (const GLvoid*)(start + offsetof(_LFBatchVertex, color)));
    glTexCoordPointer(2, GL_FLOAT, stride, (const GLvoid*)(start + offsetof(_LFBatchVertex, u)));
}

// Sets _LFBatchClipRows from the projection and model-view matrices now.
static void _LFLoadClipTransform()
{
    GLfloat projection[16], modelView[16];  // column by column
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    static const int columns[3] = {0, 1, 3};  // x, y and the translation; held vertices have z 0
    for (int row = 0; row < 4; row++)
        for (int c = 0; c < 3; c++) {
            const GLfloat* column = modelView + 4 * columns[c];
            _LFBatchClipRows[row][c] = projection[row] * column[0] + projection[4 + row] * column[1] +
                                       projection[8 + row] * column[2] + projection[12 + row] * column[3];
        }
}

// Non-zero when the count held vertices from first all lie inside the clip volume.
static int _LFInsideClipVolume(int first, int count)
{
    for (int i = first; i < first + count; i++) {
        const _LFBatchVertex& v = _LFBatchVertices[i];
        GLfloat c[4];
        for (int row = 0; row < 4; row++)
            c[row] = _LFBatchClipRows[row][0] * v.x + _LFBatchClipRows[row][1] * v.y + _LFBatchClipRows[row][2];
        if (fabsf(c[0]) > c[3] || fabsf(c[1]) > c[3] || fabsf(c[2]) > c[3])
            return 0;
    }
    return -1;
}

// Draws the shapes of a run from its vertex first to end, quads as two
// triangles each; the arrays point at the run's first vertex.
static void _LFDrawShapes(const _LFBatchRun& run, int first, int end)
{
    if (_LFQuadTriangles[1] == 0)
        for (int q = 0; q < _LFBatchCapacity / 4; q++) {
            static const int corners[6] = {0, 1, 3, 1, 2, 3};
            for (int i = 0; i < 6; i++)
                _LFQuadTriangles[6 * q + i] = (GLushort)(4 * q + corners[i]);
        }
    first -= run.first;
    end -= run.first;
    if (_LFIsQuadKind(run.kind))
        glDrawElements(GL_TRIANGLES, (end - first) / 4 * 6, GL_UNSIGNED_SHORT, _LFQuadTriangles + first / 4 * 6);
    else
        glDrawArrays(_LFBatchModes[run.kind], first, end - first);
}

// Draws a run of held shapes, those wholly inside the clip volume apart from
// those partly outside it: a driver that clips on the processor (Mesa's
// software renderer does, for a window with a depth buffer) sends a whole
// draw, thousands of vertices at a time, down its slow path for a single
// vertex outside, and shapes crossing the window's edges are common.
static void _LFDrawClippedApart(const _LFBatchRun& run)
{
    int step = _LFBatchShapeVertices[run.kind];
    int start = run.first, end = run.first + run.count;
    int inside = _LFInsideClipVolume(start, step);
    for (int i = start + step; i < end; i += step) {
        int shapeInside = _LFInsideClipVolume(i, step);
        if (shapeInside != inside) {
            _LFDrawShapes(run, start, i);
            start = i;
            inside = shapeInside;
        }
    }
    _LFDrawShapes(run, start, end);
}

// Draws a run; its quads as quads where triangles would not land on their pixels.
static void _LFDrawRun(const _LFBatchRun& run, int trianglesMatchQuads)
{
    if (_LFBatchLineWidths[run.kind] > 0)
        glLineWidth(_LFBatchLineWidths[run.kind]);
    _LFPointArraysAt(run.first);
    if (run.kind == _LFBatchOutlines) {
        for (int i = 0; i < run.count; i += _LFOutlineVertices)
            glDrawArrays(_LFBatchModes[run.kind], i, _LFOutlineVertices);
    } else if (run.kind == _LFBatchRings) {
        // Edge flags only show in a polygon mode other than fill; the
        // one-by-one call draws its strips with the flag on and restores it.
        GLboolean edgeFlag;
        glGetBooleanv(GL_EDGE_FLAG, &edgeFlag);
        glEdgeFlag(GL_TRUE);
        if (trianglesMatchQuads)
            _LFDrawClippedApart(run);
        else
            glDrawArrays(_LFBatchModes[run.kind], 0, run.count);
        glEdgeFlag(edgeFlag);
    } else if (_LFIsQuadKind(run.kind) && !trianglesMatchQuads) {
        glDrawArrays(_LFBatchModes[run.kind], 0, run.count);
    } else {
        _LFDrawClippedApart(run);
    }
}

// The windows' contexts, each with its buffer object (0 until first used).
static std::map<void*, GLuint> _LFBatchBuffers;

void _LFBatchAddContext(void* context)
{
    _LFBatchBuffers[context] = 0;
}

void _LFBatchDropContext(void* context)
{
    _LFBatchBuffers.erase(context);
}

// The buffer object of the context current now, made on first use with room
// for every vertex held; 0 when that context is no window's, or without
// buffer objects. It may be left bound to GL_ARRAY_BUFFER.
static GLuint _LFBatchBuffer()
{
    std::map<void*, GLuint>::iterator found = _LFBatchBuffers.find(SDL_GL_GetCurrentContext());
    if (found == _LFBatchBuffers.end() || !glGenBuffers)
        return 0;
    if (!found->second) {
        glGenBuffers(1, &found->second);
        glBindBuffer(GL_ARRAY_BUFFER, found->second);
        glBufferData(GL_ARRAY_BUFFER, sizeof _LFBatchVertices, NULL, GL_STREAM_DRAW);
    }
    return found->second;
}

// Copies the held vertices into the current window's buffer object, whose
// storage is made once: drawn straight from client memory, or from storage
// specified anew at each send, they cost some drivers (Mesa's software
// renderer among them) fresh memory at every send, which takes longer than
// the drawing. Without a buffer object they are drawn from client memory.
static void _LFPlaceArrays()
{
    _LFBatchArrays = (uintptr_t)_LFBatchVertices;
    if (!glBindBuffer)
        return;
    GLuint buffer = _LFBatchBuffer();
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);  // the quad indices are in client memory
    if (buffer) {
        glBufferSubData(GL_ARRAY_BUFFER, 0, _LFBatchVertexCount * sizeof(_LFBatchVertex), _LFBatchVertices);
        _LFBatchArrays = 0;
    }
}

// Non-zero when textures modulate and every held vertex is opaque white:
// the texels then land unchanged, as they do with GL_REPLACE, which spares
// the driver a colour to interpolate and multiply at every pixel.
static int _LFHeldColourChangesNothing()
{
    GLint mode;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    if (mode != GL_MODULATE)
        return 0;
    for (int i = 0; i < _LFBatchVertexCount; i++) {
        const LFColor& c = _LFBatchVertices[i].color;
        if (c.r != 1 || c.g != 1 || c.b != 1 || c.a != 1)
            return 0;
    }
    return -1;
}

// Sends every held run. Shapes switch texturing off for the send and back on
// after it, as each of their calls does; sprites bind their texture, as each
// of theirs does. Client array state and buffer bindings are restored, and
// the current colour and texture coordinate, which drawing from arrays leaves
// undefined, become those of the last vertex, as with the calls made one by one.
static void _LFSendBatch()
{
    int sprites = _LFBatchRuns[0].kind == _LFBatchSprites;
    if (sprites)
        glBindTexture(GL_TEXTURE_2D, _LFBatchTexture);
    else
        glDisable(GL_TEXTURE_2D);

    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    _LFPlaceArrays();
    glEnableClientState(GL_VERTEX_ARRAY);
    int replace = sprites && _LFHeldColourChangesNothing();
    if (replace) {
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        glDisableClientState(GL_COLOR_ARRAY);
    } else {
        glEnableClientState(GL_COLOR_ARRAY);
    }
    if (sprites)
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    else
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    _LFLoadClipTransform();
    int trianglesMatchQuads = _LFTrianglesMatchQuads();
    for (int i = 0; i < _LFBatchRunCount; i++)
        _LFDrawRun(_LFBatchRuns[i], trianglesMatchQuads);
    glPopClientAttrib();
    if (replace)
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

    const _LFBatchVertex& last = _LFBatchVertices[_LFBatchVertexCount - 1];
    glColor4f(last.color.r, last.color.g, last.color.b, last.color.a);
    if (sprites)
        glTexCoord2f(last.u, last.v);
    else
        glEnable(GL_TEXTURE_2D);
    _LFBatchVertexCount = 0;
    _LFBatchRunCount = 0;
}

// Past INT_MAX nested batches the depth stays there: the batch then ends
// with the INT_MAXth LFEndBatch, not the last.
void LFBeginBatch()
{
    if (_LFBatchDepth < INT_MAX)
        _LFBatchDepth++;
}

void LFEndBatch()
{
    if (_LFBatchDepth == 0)
        return;
    if (--_LFBatchDepth == 0)
        LFFlushBatch();
}

void LFFlushBatch()
{
    if (_LFBatchVertexCount > 0)
        _LFSendBatch();
}

int _LFBatchOpen()
{
    return _LFBatchDepth > 0;
}

_LFBatchVertex* _LFBatchHold(_LFBatchKind kind, unsigned int texture, int count)
{
    if (_LFBatchDepth == 0)
        return NULL;
    if (_LFBatchRunCount > 0) {
        _LFBatchKind held = _LFBatchRuns[_LFBatchRunCount - 1].kind;
        int otherGroup = (held == _LFBatchSprites) != (kind == _LFBatchSprites);
        int otherTexture = kind == _LFBatchSprites && texture != _LFBatchTexture;
        int newRun = held != kind;
        int full = _LFBatchVertexCount + count > _LFBatchCapacity;
        if (otherGroup || otherTexture || full || (newRun && _LFBatchRunCount == _LFBatchMaxRuns))
            _LFSendBatch();
        // A driver drawing on threads of its own (Mesa's software renderer)
        // then draws what was full while the rest is being held.
        if (full)
            glFlush();
    }
    if (_LFBatchRunCount == 0 || _LFBatchRuns[_LFBatchRunCount - 1].kind != kind)
        _LFBatchRuns[_LFBatchRunCount++] = {kind, _LFBatchVertexCount, 0};
    _LFBatchTexture = texture;
    _LFBatchRuns[_LFBatchRunCount - 1].count += count;
    _LFBatchVertex* vertices = _LFBatchVertices + _LFBatchVertexCount;
    _LFBatchVertexCount += count;
    return vertices;
}

int _LFBatchHoldQuad(_LFBatchKind kind, unsigned int texture, const _LFBatchVertex* corners)
{
    _LFBatchVertex* v = _LFBatchHold(kind, texture, 4);
    if (!v)
        return 0;
    for (int i = 0; i < 4; i++)
        v[i] = corners[i];
    return -1;
}

void _LFEndAllBatches()
{
    LFFlushBatch();
    _LFBatchDepth = 0;
}
