// Windcart's world, its update slots (once per logic tick) and draw slots
// (once per frame), and the run from start-up to teardown (game.h).
#include <math.h>    // sin, fabs
#include <stdio.h>   // fprintf

#include <filesystem>  // std::filesystem::current_path
#include <new>         // std::bad_alloc
#include <string>
#include <system_error>  // std::error_code

#include <GL/gl.h>

#include "game.h"
#include "platform.h"

// Frames start 16 ms apart at the least (1000 / 63, rounded up to whole
// milliseconds): the logic tick itself, so every frame starts as a tick falls
// due and runs exactly that one, and the marquee keeps its 62.5 pixels a
// second. A limit of 62 or less means 17 ms frames, each dropping a
// millisecond of its tick (58.8 ticks a second); 125 keeps every tick too, but
// draws every picture twice. Where the driver waits for a 60 Hz display, the
// swap sets the pace instead: one tick per refresh.
static const unsigned int kFrameRateLimit = 63;
static const double kPi = 3.141592653589793;
static const char* const kNoteNames[] = {
    "c1", "c#1", "d1", "d#1", "e1", "f1", "f#1", "g1", "g#1", "a1", "a#1", "b1",
    "c2", "c#2", "d2", "d#2", "e2", "f2", "f#2", "g2", "g#2", "a2", "a#2", "b2",
};

// Steps of 0.01 are taken in double and rounded back to float.
static float step(float value, double delta)
{
    return (float)((double)value + delta);
}

// An asset file that could not be loaded.
struct MissingAsset {
    std::string path;
};

// Loads one texture, font or sound; a file that cannot be loaded ends the
// start-up with its name.
template <class Asset, class... Args>
static Asset* load(const char* path, Args... args)
{
    try {
        return new Asset(LFTempString("%s", path), args...);
    } catch (std::bad_alloc&) {
        throw MissingAsset{path};
    }
}

// The cart's hit rectangle: its top-left corner is the anchor on the cable.
static LFRect cartRect(World& world)
{
    return LFMakeRect(world.cartPoint, world.cart->size());
}

// The window, the font, the pictures and the sounds, in start-up order;
// throws MissingAsset for the first file that cannot be loaded, and
// std::bad_alloc when the window cannot be made.
static void openWindowAndLoadAssets(World& world)
{
    world.window = new LFWindow(LFTempString("Windcart"), LFMakeSize(kWindowWidth, kWindowHeight), 0);
    world.window->setRenderingMode(LFWindowRenderingMode2D);
    world.window->setRenderContext();
    // Waiting for the display's refresh where the driver can; the frame-rate
    // limit keeps the pace where it cannot.
    world.window->setVSync(-1);
    world.gamefont = load<LFFont>("./data/font/FSEX300.ttf", (int)LFAliased);
    world.gamefont->setSize(32);
    // The library's UI font is the same face at the same size.
    LFUISetGlobalFont(LFTempString("./data/font/FSEX300.ttf"), LFAliased, 32, LFZeroPoint);
    world.background = load<LFTexture>("./data/background.png");
    world.mask = load<LFTexture>("./data/mask.png");
    world.cart = load<LFTexture>("./data/cart.png");
    world.tower1 = load<LFTexture>("./data/tower.png");
    world.sound = load<LFSound>("./data/ambience.wav");
    world.leafSound = load<LFSound>("./data/leaf.wav");
    world.leaves = new std::list<Leaf*>();
    world.pewpews = new PewpewList();
    world.notes = new std::vector<LFSound*>();
    for (const char* name : kNoteNames)
        world.notes->push_back(load<LFSound>(LFTempString("./data/notes/%s.wav", name)));
}

// The world's starting state; the first three random draws place the target.
static void buildWorld(World& world)
{
    world.cable1 = {LFMakePoint(-50, 300), LFMakePoint(-50, 300), LFMakePoint(100, 280), LFMakePoint(100, 280)};
    world.cable2 = {LFMakePoint(100, 280), LFMakePoint(100, 280), LFMakePoint(360, 210), LFMakePoint(360, 210)};
    world.cable3 = {LFMakePoint(360, 210), LFMakePoint(360, 210), LFMakePoint(600, 100), LFMakePoint(600, 100)};
    world.cartProgress = 0.5;
    world.cartTargetCableIndex = 0;
    world.cartPoint = LFZeroPoint;
    world.messagePos = LFMakePoint(kWindowWidth, 4);
    world.message = kMessage;
    world.messageWidth = (int)world.gamefont->stringBounds(LFTempString("%s", kMessage)).width;
    world.windVelocityTarget = LFZeroPoint;
    world.windVelocity = LFZeroPoint;
    world.flowTimer = new LFRealTimeTimer(0.1);
    world.flowRate = 1;
    world.targetCable = LFRandomize(0, 2);
    world.targetPerc = LFRandomizef(0, 0.99);
    world.targetPoint = LFZeroPoint;
    world.targetSize = LFMakeSize(6, 6);
    world.playerScore = 0;
}

// ---------------------------------------------------------------------------
// Update slots, once per logic tick
// ---------------------------------------------------------------------------

// A flow of leaves whenever the flow timer fires; then the next flow is chosen.
static void updateFlow(World& world)
{
    if (!world.flowTimer->tick())
        return;
    for (int i = 0; i < world.flowRate; i++)
        world.leaves->push_back(new Leaf());
    world.flowTimer->setTimeout(LFRandomizef(0.1, 0.5));
    world.flowRate = LFRandomize(1, 10);
}

// Reaching the target: a new target (never on the first half of cable 0), a
// random note and a point.
static void updateTarget(World& world)
{
    LFRect target = LFMakeRect(world.targetPoint, world.targetSize);
    if (!LFIntersectRects(cartRect(world), target))
        return;
    do {
        world.targetCable = LFRandomize(0, 2);
        world.targetPerc = LFRandomizef(0, 0.99);
    } while (world.targetCable == 0 && world.targetPerc < 0.5);
    int n = (int)world.notes->size();
    (*world.notes)[LFRandomize(0, n - 1)]->play(0);
    world.playerScore++;
}

// The marquee moves a pixel left and re-enters on the right once it has gone.
static void updateMarquee(World& world)
{
    world.messagePos.x -= 1;
    if (world.messagePos.x < -(float)world.messageWidth)
        world.messagePos.x = kWindowWidth;
}

// Moves one wind component 0.01 toward its target.
static float easeToward(float value, float target)
{
    if (target > value)
        return step(value, 0.01);
    if (target < value)
        return step(value, -0.01);
    return value;
}

// The wind eases toward its target; once there, a new target is drawn.
static void updateWind(World& world)
{
    LFPoint& wind = world.windVelocity;
    LFPoint& target = world.windVelocityTarget;
    float dx = target.x - wind.x;
    float dy = target.y - wind.y;
    if (fabs((double)dx) < 0.001 && fabs((double)dy) < 0.001) {
        int y = LFRandomize(0, 2);
        int x = LFRandomize(0, 2);
        target = LFMakePoint(x, y);
        return;
    }
    wind.x = easeToward(wind.x, target.x);
    wind.y = easeToward(wind.y, target.y);
}

// Space held adds one leaf per tick.
static void updateSpace(World& world)
{
    if (LFKey(LFKeySpace, 0))
        world.leaves->push_back(new Leaf());
}

// Back keys win over forward keys; the cart passes from cable to cable and
// stops at the two outer ends.
static void updateCart(World& world)
{
    if (LFKey(LFKeyJ) || LFKey(LFKeyA) || LFKey(LFKeyLeft))
        world.cartProgress = step(world.cartProgress, -0.01);
    else if (LFKey(LFKeyL) || LFKey(LFKeyD) || LFKey(LFKeyRight))
        world.cartProgress = step(world.cartProgress, 0.01);

    if (world.cartProgress < 0) {
        if (world.cartTargetCableIndex > 0) {
            world.cartProgress = 1;
            world.cartTargetCableIndex--;
        } else {
            world.cartProgress = 0;
        }
    }
    if (world.cartProgress > 1) {
        if (world.cartTargetCableIndex <= 1) {
            world.cartProgress = 0;
            world.cartTargetCableIndex++;
        } else {
            world.cartProgress = 1;
        }
    }
}

// True when the leaf dies this tick: at the bottom, on the ground of the
// mask, or against the cart (with a rustle, a burst and a lost point).
static bool leafDies(World& world, Leaf* leaf)
{
    LFRect r = leaf->rect();
    LFSize s = world.window->size();
    if (r.origin.y >= s.height)
        return true;
    // Leaves partly outside the window are tested against nothing.
    if (!LFRectContainsRect(LFMakeRect(LFZeroPoint, s), r))
        return false;
    // The ground comes first: a leaf landing there never reaches the cart.
    if (world.mask->getPixel(r.origin, -1).a != 0)
        return true;
    if (!LFIntersectRects(r, cartRect(world)))
        return false;
    world.leafSound->play(0);
    world.pewpews->push_back(new Pewpew(r.origin));
    world.playerScore--;
    return true;
}

static void updateLeaves(World& world)
{
    std::vector<std::list<Leaf*>::iterator> deadLeaves;
    for (auto it = world.leaves->begin(); it != world.leaves->end(); ++it) {
        (*it)->update(world.windVelocity);
        if (leafDies(world, *it))
            deadLeaves.push_back(it);
    }
    for (auto it : deadLeaves) {
        delete *it;
        world.leaves->erase(it);
    }
}

// Bursts age; the first finished one goes, and the walk stops there.
static void updateBursts(World& world)
{
    for (auto it = world.pewpews->begin(); it != world.pewpews->end(); ++it) {
        (*it)->update();
        if ((*it)->done()) {
            delete *it;
            world.pewpews->erase(it);
            break;
        }
    }
}

static void updateTick(World& world)
{
    // Escape quits once per press; the rest of this frame still runs.
    if (LFKey(LFKeyEscape, -1))
        LFApplicationRequestQuit();
    updateFlow(world);
    updateTarget(world);
    updateMarquee(world);
    updateWind(world);
    updateSpace(world);
    updateCart(world);
    updateLeaves(world);
    updateBursts(world);
    if (world.playerScore < 0)
        world.playerScore = 0;
}

// ---------------------------------------------------------------------------
// Draw slots, once per frame
// ---------------------------------------------------------------------------

// Draws an image centred horizontally under an anchor, hanging down from it.
static void drawHanging(LFTexture* texture, LFPoint anchor)
{
    texture->draw((int)(anchor.x - texture->size().width / 2), (int)anchor.y, -1);
}

static void drawTowers(World& world)
{
    drawHanging(world.tower1, world.cable2.p1);
    drawHanging(world.tower1, world.cable3.p1);
    drawHanging(world.tower1, world.cable3.p4);
}

static void drawCart(World& world)
{
    LFDrawRectFill(LFMakeRect(world.cartPoint, LFMakeSize(2, 2)), LFMakeColor(0, 0, 0, 1));
    drawHanging(world.cart, world.cartPoint);
}

// The marquee and the score, each with its shadow first. print takes a
// format: ready text goes through "%s".
void WindcartDrawText(World& world)
{
    static char text[] = "%s";
    LFPoint pos = world.messagePos;
    world.gamefont->print(LFMakePoint(pos.x + 2, pos.y + 2), LFMakeColor(1, 1, 1, 1), text, world.message);
    world.gamefont->print(pos, LFMakeColor(0, 0, 0, 1), text, world.message);

    float height = world.window->size().height;
    world.gamefont->print(LFMakePoint(5, height - 30), LFMakeColor(0, 0, 0, 1), text,
                          LFTempString("Plorps: %d", world.playerScore));
    world.gamefont->print(LFMakePoint(3, height - 32), LFMakeColor(1, 1, 1, 1), text,
                          LFTempString("Plorps: %d", world.playerScore));
}

template <class MakeCable>
static void drawFrame(World& world, MakeCable makeCable)
{
    glClearColor(1.0, 0.1, 0.4, 1.0);
    glClear(GL_COLOR_BUFFER_BIT);
    world.window->setRenderContext();
    // Thousands of leaves and hundreds of cable segments, one call each, are
    // held and sent together; the pixels are those of the calls one by one.
    LFBeginBatch();

    LFSize windowSize = world.window->size();
    LFDrawRectFill(LFMakeRect(LFZeroPoint, windowSize), LFMakeColor(0.58, 0.69, 0.79, 1.0));
    world.background->draw(0, 0, -1);
    drawTowers(world);
    for (Leaf* leaf : *world.leaves)
        leaf->draw();

    // The cables are one polyline; sampling them places the cart and the target.
    LFPoint prevP = world.cable1.p1;
    const Cable* cables[] = {&world.cable1, &world.cable2, &world.cable3};
    for (int i = 0; i < 3; i++)
        makeCable(*cables[i], world.cartTargetCableIndex == i, world.cartProgress, world.targetCable == i,
                  world.targetPerc, world.cartPoint, world.targetPoint, prevP, world.windVelocity);

    LFDrawCircleFill(world.targetPoint, (int)world.targetSize.width, 12, LFMakeColor(0, 0, 1, 1));
    drawCart(world);
    for (Pewpew* pewpew : *world.pewpews)
        pewpew->draw();
    WindcartDrawText(world);
    LFEndBatch();
    world.window->swapBuffers();
}

// ---------------------------------------------------------------------------
// Start-up, frame loop and teardown
// ---------------------------------------------------------------------------

static void teardown(World& world)
{
    if (world.leaves)
        for (Leaf* leaf : *world.leaves)
            delete leaf;
    delete world.leaves;
    if (world.notes)
        for (LFSound* note : *world.notes)
            delete note;
    delete world.notes;
    if (world.pewpews)
        for (Pewpew* pewpew : *world.pewpews)
            delete pewpew;
    delete world.pewpews;
    delete world.flowTimer;
    delete world.leafSound;
    delete world.tower1;
    delete world.cart;
    delete world.mask;
    delete world.sound;
    delete world.background;
    delete world.gamefont;
    delete world.window;
    LFDeInitGamePad();
    LFDeInit();
}

int WindcartRun(int argc, char** argv, WindcartFrameHook frameHook)
{
    skipUnreachableWayland();
    // LFInit cuts the path it is given down to the directory: pass a copy.
    if (!LFInit(LFTempString("%s", argc > 0 ? argv[0] : "windcart"))) {
        fprintf(stderr, "windcart: %s\n", LFError() ? LFError() : "cannot start the library");
        LFDeInit();
        return 1;
    }
    // LFInit has already tried; on failure the data paths resolve from here.
    std::error_code ignored;
    std::filesystem::current_path(LFExecutablePath, ignored);
    if (!hasDisplay()) {
        fprintf(stderr, "windcart: no display to open the window on (is DISPLAY set?)\n");
        LFDeInit();
        return 1;
    }
    LFInitGamePad();
    std::string noSound = initAudio();

    World world;
    try {
        openWindowAndLoadAssets(world);
    } catch (std::bad_alloc&) {
        fprintf(stderr, "windcart: %s\n", LFError());
        teardown(world);
        return 1;
    } catch (MissingAsset& missing) {
        // The paths count from the game's own directory, where LFInit moved.
        fprintf(stderr, "windcart: cannot load %s (looked in %s)\n", missing.path.c_str(),
                std::filesystem::current_path(ignored).string().c_str());
        teardown(world);
        return 1;
    }
    if (!noSound.empty())
        fprintf(stderr, "windcart: no sound (%s); playing silently\n", noSound.c_str());
    buildWorld(world);
    LFSetFrameRateLimit(kFrameRateLimit);
    LFResetLogicLoop();
    world.sound->play(-1);

    // Draws one cable as 101 samples of its curve, bent by the wind and
    // sagging under the cart, and picks up the cart's and the target's points on it.
    auto makeCable = [](Cable cable, int cartTarget, float cartProgress, int isTargetCable, float targetPerc,
                        LFPoint& cartPoint, LFPoint& targetPoint, LFPoint& prevP, LFPoint windVelocity) {
        for (float t = 0; t < 1; t = step(t, 0.01)) {
            LFPoint veloff = LFMakePoint(windVelocity.x * 30, windVelocity.y * 30);
            int cableOffset = cartTarget ? (int)(sin(cartProgress * kPi) * 20) : 0;
            LFPoint c2 = LFMakePoint(cable.p2.x + veloff.x, cable.p2.y + cableOffset + veloff.x);
            LFPoint c3 = LFMakePoint(cable.p3.x + veloff.y, cable.p3.y + cableOffset + veloff.y);
            LFPoint p = LFBezierCurve(cable.p1, c2, c3, cable.p4, t);
            if (cartTarget && fabs((double)(t - cartProgress)) < 0.01)
                cartPoint = p;
            if (isTargetCable && fabs((double)(t - targetPerc)) < 0.01)
                targetPoint = p;
            LFDrawLine(prevP, p, LFMakeColor(0, 0, 0, 1));
            prevP = p;
        }
    };

    while (!LFApplicationQuitRequested()) {
        LFPreLogicLoop();
        while (LFLogicLoop()) {
            updateTick(world);
            LFLogicUpdate();
        }
        LFPostLogicLoop();
        drawFrame(world, makeCable);
        if (frameHook)
            frameHook(world);
    }

    teardown(world);
    // A recording or a capture that could not be written, or a replay that no
    // longer fits the game, fails the run; LFDeInit wrote the last of it.
    const char* failure = LFRecordError();
    if (failure)
        fprintf(stderr, "windcart: %s\n", failure);
    return failure ? 1 : 0;
}
