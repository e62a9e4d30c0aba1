// Batched drawing: shapes and sprites held in a fixed buffer as runs of one
// kind, and sent as client-side vertex arrays, one draw per run, leaving the
// OpenGL state the same calls made one by one leave.
#include <GL/glew.h>  // glBindBuffer

#include "LFBatch.h"

enum {
    _LFBatchCapacity = 4096,  // vertices held at most
    _LFBatchMaxRuns = 256,    // runs held at most
};

// A stretch of held vertices of one kind.
struct _LFBatchRun {
    _LFBatchKind kind;
    int first;
    int count;
};

// Per kind: the OpenGL primitive and the line width its one-by-one call sets
// (0: none).
static const GLenum _LFBatchModes[] = {GL_QUADS, GL_QUADS, GL_LINES, GL_TRIANGLES, GL_LINE_LOOP, GL_QUADS};
static const GLfloat _LFBatchLineWidths[] = {0, 1, 1, 1, 2, 0};
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

static void _LFDrawRun(const _LFBatchRun& run)
{
    if (_LFBatchLineWidths[run.kind] > 0)
        glLineWidth(_LFBatchLineWidths[run.kind]);
    GLenum mode = _LFBatchModes[run.kind];
    if (run.kind == _LFBatchOutlines) {
        for (int i = 0; i < run.count; i += _LFOutlineVertices)
            glDrawArrays(mode, run.first + i, _LFOutlineVertices);
    } else if (run.kind == _LFBatchRings) {
        // Edge flags only show in a polygon mode other than fill; the
        // one-by-one call draws its strips with the flag on and restores it.
        GLboolean edgeFlag;
        glGetBooleanv(GL_EDGE_FLAG, &edgeFlag);
        glEdgeFlag(GL_TRUE);
        glDrawArrays(mode, run.first, run.count);
        glEdgeFlag(edgeFlag);
    } else {
        glDrawArrays(mode, run.first, run.count);
    }
}

// Sends every held run. Shapes switch texturing off for the send and back on
// after it, as each of their calls does; sprites bind their texture, as each
// of theirs does. Client array state is restored, and the current colour
// and texture coordinate, which drawing from arrays leaves undefined, become
// those of the last vertex, as with the calls made one by one.
static void _LFSendBatch()
{
    int sprites = _LFBatchRuns[0].kind == _LFBatchSprites;
    if (sprites)
        glBindTexture(GL_TEXTURE_2D, _LFBatchTexture);
    else
        glDisable(GL_TEXTURE_2D);

    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    if (glBindBuffer)
        glBindBuffer(GL_ARRAY_BUFFER, 0);  // the arrays are in client memory
    const _LFBatchVertex* v = _LFBatchVertices;
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, sizeof *v, &v->x);
    glEnableClientState(GL_COLOR_ARRAY);
    glColorPointer(4, GL_FLOAT, sizeof *v, &v->color);
    if (sprites) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, sizeof *v, &v->u);
    } else {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    for (int i = 0; i < _LFBatchRunCount; i++)
        _LFDrawRun(_LFBatchRuns[i]);
    glPopClientAttrib();

    const _LFBatchVertex& last = _LFBatchVertices[_LFBatchVertexCount - 1];
    glColor4f(last.color.r, last.color.g, last.color.b, last.color.a);
    if (sprites)
        glTexCoord2f(last.u, last.v);
    else
        glEnable(GL_TEXTURE_2D);
    _LFBatchVertexCount = 0;
    _LFBatchRunCount = 0;
}

void LFBeginBatch()
{
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
        if (otherGroup || otherTexture || _LFBatchVertexCount + count > _LFBatchCapacity ||
            (newRun && _LFBatchRunCount == _LFBatchMaxRuns))
            _LFSendBatch();
    }
    if (_LFBatchRunCount == 0 || _LFBatchRuns[_LFBatchRunCount - 1].kind != kind)
        _LFBatchRuns[_LFBatchRunCount++] = {kind, _LFBatchVertexCount, 0};
    _LFBatchTexture = texture;
    _LFBatchRuns[_LFBatchRunCount - 1].count += count;
    _LFBatchVertex* vertices = _LFBatchVertices + _LFBatchVertexCount;
    _LFBatchVertexCount += count;
    return vertices;
}

void _LFEndAllBatches()
{
    LFFlushBatch();
    _LFBatchDepth = 0;
}
