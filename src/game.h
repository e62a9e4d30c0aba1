// Windcart, the game: a cart rides three cables through a fall of wind-blown
// leaves, scores a point at every blue target it reaches and loses one to
// every leaf that hits it. Its world and the run from start-up to teardown;
// the tests, tools and benchmarks run it with a hook after every frame.
#ifndef WINDCART_GAME_H
#define WINDCART_GAME_H

#include <list>
#include <vector>

#include "Larchfield/Larchfield.h"

static const float kWindowWidth = 640;
static const float kWindowHeight = 480;
// The marquee's text.
static const char* const kMessage = "Quill February 2024! Hey Pim :)                        ";

// One cable: a cubic curve through four control points.
struct Cable {
    LFPoint p1, p2, p3, p4;
};

// A falling leaf: a small green square that steps every 0.02 s of real time.
class Leaf {
public:
    Leaf()
    {
        int s = LFRandomize(1, 5);
        size = LFMakeSize(s, s);
        pos = LFMakePoint(LFRandomize(0, (int)kWindowWidth), -s);
        timer = new LFRealTimeTimer(0.02);
        vel = LFMakePoint(0, LFRandomizef(0.01, 0.2));
        float b = LFRandomizef(0.01, 0.03);
        float g = LFRandomizef(0.8, 1);
        float r = LFRandomizef(0.01, 0.03);
        color = LFMakeColor(r, g, b, 1);
    }
    ~Leaf() { delete timer; }
    Leaf(const Leaf&) = delete;
    Leaf& operator=(const Leaf&) = delete;

    LFRect rect() { return LFMakeRect(pos, size); }

    void update(LFPoint wind)
    {
        if (!timer->tick())
            return;
        pos.y += vel.y;
        pos.x += LFRandomize(-1, 1);
        pos.x += wind.x;
        pos.y += wind.y;
    }

    void draw() { LFDrawRectFill(rect(), color); }

    LFPoint pos;
    LFPoint vel;
    LFRealTimeTimer* timer;
    LFColor color;
    LFSize size;
};

// A burst: a ring of flickering colour that grows and fades where a leaf hit.
class Pewpew {
public:
    explicit Pewpew(LFPoint origin) : origin(origin), _done(0)
    {
        timer = new LFRealTimeTimer(LFRandomizef(1, 2));
    }
    ~Pewpew() { delete timer; }
    Pewpew(const Pewpew&) = delete;
    Pewpew& operator=(const Pewpew&) = delete;

    void update()
    {
        if (timer->tick())
            _done = -1;
    }

    void draw()
    {
        float alpha = (float)(1.0 - timer->progress());
        float b = LFRandomizef(0, 0.99);
        float g = LFRandomizef(0, 0.99);
        float r = LFRandomizef(0, 0.99);
        int radius = (int)(timer->progress() * 100);
        LFDrawCircle(origin, radius, 32, LFMakeColor(r, g, b, alpha));
    }

    int done() { return _done; }

    LFPoint origin;
    LFRealTimeTimer* timer;
    int _done;
};

typedef std::list<Pewpew*> PewpewList;

// Everything the game keeps for the whole run; one instance lives in
// WindcartRun.
struct World {
    LFWindow* window = nullptr;
    LFFont* gamefont = nullptr;
    LFTexture* background = nullptr;
    LFTexture* mask = nullptr;
    LFTexture* cart = nullptr;
    LFTexture* tower1 = nullptr;
    LFSound* sound = nullptr;
    LFSound* leafSound = nullptr;
    std::list<Leaf*>* leaves = nullptr;
    PewpewList* pewpews = nullptr;
    std::vector<LFSound*>* notes = nullptr;
    Cable cable1, cable2, cable3;
    float cartProgress = 0;
    int cartTargetCableIndex = 0;
    LFPoint cartPoint = LFZeroPoint;
    LFPoint messagePos = LFZeroPoint;
    const char* message = kMessage;
    int messageWidth = 0;
    LFPoint windVelocityTarget = LFZeroPoint;
    LFPoint windVelocity = LFZeroPoint;
    LFRealTimeTimer* flowTimer = nullptr;
    int flowRate = 0;
    int targetCable = 0;
    float targetPerc = 0;
    LFPoint targetPoint = LFZeroPoint;
    LFSize targetSize = LFZeroSize;
    int playerScore = 0;
};

// Called after every frame's draw, to watch and steer the game; the tests,
// tools and benchmarks pass one, the game itself none.
typedef void (*WindcartFrameHook)(World& world);

// The whole run: start-up from the program's path (argv[0]), the frame loop
// (update slots once per logic tick, then the draw slots) until a quit is
// asked for, and teardown. 0; 1 with one line on standard error when the game
// cannot start or its recording, replay or capture failed.
int WindcartRun(int argc, char** argv, WindcartFrameHook frameHook);

// Draws the marquee and the score as every frame does (bench_game draws the
// rest of the picture by hand around it).
void WindcartDrawText(World& world);

#endif
