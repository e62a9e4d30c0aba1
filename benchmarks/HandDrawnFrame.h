// The game's picture drawn by hand, for bench_game's fair baseline: the sky,
// the background picture, the towers, the leaves, the cables, the target, the
// cart and the bursts, each in one hand-written glBegin/glEnd batch (a ring
// each for the bursts), in the game's order and from the world the game's
// last frame left. The text is the game's own WindcartDrawText: drawing its
// glyphs by hand would measure the font, not the batching. Without bursts it
// lands on the game's frame pixel for pixel (compared through LF_CAPTURE);
// the bursts keep one colour where the game's flicker.
#ifndef HANDDRAWNFRAME_H
#define HANDDRAWNFRAME_H

#include <GL/glew.h>

#include <math.h>

// Corners of a whole texture drawn at (x, y), as LFTexture::draw places them.
static void HandTexturedQuad(LFTexture* texture, int x, int y)
{
    float w = texture->size().width, h = texture->size().height;
    glTexCoord2f(0, 0);
    glVertex2f(x, y);
    glTexCoord2f(1, 0);
    glVertex2f(x + w, y);
    glTexCoord2f(1, 1);
    glVertex2f(x + w, y + h);
    glTexCoord2f(0, 1);
    glVertex2f(x, y + h);
}

// A texture hanging from its anchor at its top-centre pixel, as the game
// hangs its towers and cart.
static void HandHanging(LFTexture* texture, LFPoint anchor)
{
    HandTexturedQuad(texture, (int)(anchor.x - texture->size().width / 2), (int)anchor.y);
}

static void HandRect(LFRect r, LFColor c)
{
    glColor4f(c.r, c.g, c.b, c.a);
    glVertex2f((int)r.origin.x, (int)r.origin.y);
    glVertex2f((int)r.origin.x, (int)(r.origin.y + r.size.height));
    glVertex2f((int)(r.origin.x + r.size.width), (int)(r.origin.y + r.size.height));
    glVertex2f((int)(r.origin.x + r.size.width), (int)r.origin.y);
}

// One cable as the game samples it: 101 points of its curve, bent by the
// wind and sagging under the cart, as line segments from the last point.
static void HandCable(const Cable& cable, int cartTarget, float cartProgress, LFPoint wind, LFPoint& previous)
{
    LFPoint offset = LFMakePoint(wind.x * 30, wind.y * 30);
    int sag = cartTarget ? (int)(sin(cartProgress * 3.141592653589793) * 20) : 0;
    LFPoint c2 = LFMakePoint(cable.p2.x + offset.x, cable.p2.y + sag + offset.x);
    LFPoint c3 = LFMakePoint(cable.p3.x + offset.y, cable.p3.y + sag + offset.y);
    for (float t = 0; t < 1; t = (float)((double)t + 0.01)) {
        LFPoint p = LFBezierCurve(cable.p1, c2, c3, cable.p4, t);
        glVertex2f((int)previous.x, (int)previous.y);
        glVertex2f((int)p.x, (int)p.y);
        previous = p;
    }
}

static void DrawByHand(World& world)
{
    glClearColor(1.0, 0.1, 0.4, 1.0);
    glClear(GL_COLOR_BUFFER_BIT);
    world.window->setRenderContext();

    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    HandRect(LFMakeRect(LFZeroPoint, world.window->size()), LFMakeColor(0.58, 0.69, 0.79, 1.0));
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    world.background->bind();
    glBegin(GL_QUADS);
    HandTexturedQuad(world.background, 0, 0);
    glEnd();
    world.tower1->bind();
    glBegin(GL_QUADS);
    HandHanging(world.tower1, world.cable2.p1);
    HandHanging(world.tower1, world.cable3.p1);
    HandHanging(world.tower1, world.cable3.p4);
    glEnd();

    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    for (Leaf* leaf : *world.leaves)
        HandRect(leaf->rect(), leaf->color);
    glEnd();
    glColor4f(0, 0, 0, 1);
    glBegin(GL_LINES);
    LFPoint previous = world.cable1.p1;
    const Cable* cables[] = {&world.cable1, &world.cable2, &world.cable3};
    for (int i = 0; i < 3; i++)
        HandCable(*cables[i], world.cartTargetCableIndex == i, world.cartProgress, world.windVelocity, previous);
    glEnd();
    // The target: a disc of 12 segments round its point.
    glColor4f(0, 0, 1, 1);
    glBegin(GL_TRIANGLE_FAN);
    glVertex2f(world.targetPoint.x, world.targetPoint.y);
    for (int i = 0; i <= 12; i++) {
        double angle = i * 2 * 3.141592653589793 / 12;
        glVertex2f(world.targetPoint.x + world.targetSize.width * sin(angle),
                   world.targetPoint.y + world.targetSize.width * cos(angle));
    }
    glEnd();
    glBegin(GL_QUADS);
    HandRect(LFMakeRect(world.cartPoint, LFMakeSize(2, 2)), LFMakeColor(0, 0, 0, 1));
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    world.cart->bind();
    glBegin(GL_QUADS);
    HandHanging(world.cart, world.cartPoint);
    glEnd();
    // The bursts: rings of 32 segments, one colour (the game's flicker would
    // draw from its random numbers).
    glDisable(GL_TEXTURE_2D);
    for (Pewpew* pewpew : *world.pewpews) {
        float radius = (int)(pewpew->timer->progress() * 100);
        glColor4f(0.5f, 0.5f, 0.5f, (float)(1.0 - pewpew->timer->progress()));
        glBegin(GL_LINE_LOOP);
        for (int i = 0; i < 32; i++) {
            double angle = i * 2 * 3.141592653589793 / 32;
            glVertex2f(pewpew->origin.x + radius * sin(angle), pewpew->origin.y + radius * cos(angle));
        }
        glEnd();
    }
    glEnable(GL_TEXTURE_2D);

    WindcartDrawText(world);
    world.window->swapBuffers();
    glFinish();
}

#endif
