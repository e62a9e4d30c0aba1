// make_assets: draws Windcart's pictures and synthesises its sounds, and those
// of the teaching examples.
// Usage: make_assets <output directory> writes the game's images, ambience.wav,
// leaf.wav and notes/*.wav there; make_assets --examples <output directory>
// writes the examples' fish.png, coin.png, panel.png and sounds/*.wav (tune.wav
// is music, for the music channel). The same
// input always gives the same files.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <cstring>   // strcmp, strerror
#include <iterator>  // std::size
#include <string>
#include <vector>

// ---------------------------------------------------------------------------
// Named constants
// ---------------------------------------------------------------------------

// The window the scenery fills; the mask must cover at least this much.
constexpr int kSceneWidth = 640;
constexpr int kSceneHeight = 480;

// Tower and cart images. Each hangs from its anchor at the top-centre pixel
// column (width / 2), so the widths are even to put the anchor on a pixel.
constexpr int kTowerWidth = 32;
constexpr int kTowerHeight = 160;
constexpr int kCartWidth = 24;
constexpr int kCartHeight = 20;

// Where the game stands its towers (top-centre of the image). The ground is
// shaped so that each tower's feet rest on it: flat pads of kPadHalfWidth
// either side of the anchor at anchor y + kTowerHeight.
struct Anchor {
    int x, y;
};
constexpr Anchor kTowerAnchors[] = {{100, 280}, {360, 210}, {600, 100}};
constexpr int kPadHalfWidth = 22;
// The ground at the window's left and right edges.
constexpr int kGroundLeftEdge = 450;
constexpr int kGroundRightEdge = 254;
// How far each stretch of ground, left to right (edge to first pad, pad to
// pad, last pad to edge), bulges above a plain slope: rolling hills.
constexpr float kHumpPerStretch[] = {14, 20, 12, 0};
static_assert(std::size(kHumpPerStretch) == std::size(kTowerAnchors) + 1);

// Sound format: 16-bit stereo PCM at 44100 Hz, the format LFInitAudio opens
// the device in, so that loading a sound converts nothing.
constexpr int kSampleRate = 44100;
constexpr int kChannels = 2;
// Two chromatic octaves from C4 in equal temperament.
constexpr double kLowestNoteHz = 261.6255653;
constexpr const char* kNoteNames[12] = {"c", "c#", "d", "d#", "e", "f", "f#", "g", "g#", "a", "a#", "b"};
constexpr double kNoteSeconds = 0.9;
constexpr double kAmbienceSeconds = 6.0;
constexpr double kAmbienceCrossfadeSeconds = 0.5;
constexpr double kLeafSeconds = 0.22;

// The examples' sprites: a fish facing right (so mirroring shows), a sheet of
// coin frames side by side, and a panel whose corners survive nine-slicing.
constexpr int kFishWidth = 64;
constexpr int kFishHeight = 48;
constexpr int kCoinFrame = 32;
constexpr int kCoinFrames = 4;
constexpr int kPanelSize = 48;
constexpr int kPanelBorder = 10;  // the frame; the examples slice at 12 px

// Every random choice comes from this seed, so rebuilds are byte-identical.
constexpr uint32_t kSeed = 0x57C4A27u;

// ---------------------------------------------------------------------------
// Helpers: pixels, shapes, randomness and files
// ---------------------------------------------------------------------------

struct Rgba {
    float r, g, b, a;  // colour 0..255, alpha 0..1
};

// An RGBA picture in floats; straight (not premultiplied) colour.
struct Image {
    int width, height;
    std::vector<Rgba> pixels;

    Image(int w, int h) : width(w), height(h), pixels(size_t(w) * h, Rgba{0, 0, 0, 0}) {}
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Rgba& at(int x, int y) { return pixels[size_t(y) * width + x]; }

    // Paints c over the pixel with the usual "over" rule.
    void paint(int x, int y, Rgba c)
    {
        if (!inside(x, y) || c.a <= 0)
            return;
        Rgba& d = at(x, y);
        float a = c.a + d.a * (1 - c.a);
        d.r = (c.r * c.a + d.r * d.a * (1 - c.a)) / a;
        d.g = (c.g * c.a + d.g * d.a * (1 - c.a)) / a;
        d.b = (c.b * c.a + d.b * d.a * (1 - c.a)) / a;
        d.a = a;
    }
    void fill(int x0, int y0, int x1, int y1, Rgba c)
    {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                paint(x, y, c);
    }
    // A one-pixel line, endpoints included (Bresenham).
    void line(int x0, int y0, int x1, int y1, Rgba c)
    {
        int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        for (int err = dx + dy;;) {
            paint(x0, y0, c);
            if (x0 == x1 && y0 == y1)
                return;
            int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x0 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y0 += sy;
            }
        }
    }
};

constexpr Rgba opaque(float r, float g, float b) { return {r, g, b, 1}; }

// A small, fully defined generator (xorshift32): the same numbers on every
// compiler and library, which the standard distributions do not promise.
struct Random {
    uint32_t state;
    explicit Random(uint32_t seed) : state(seed ? seed : 1) {}
    uint32_t next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    double unit() { return (next() >> 8) * (1.0 / 16777216.0); }  // [0, 1)
    double symmetric() { return unit() * 2 - 1; }                 // [-1, 1)
    int range(int lo, int hi) { return lo + int(next() % uint32_t(hi - lo + 1)); }
};

static float smoothstep(float u) { return u * u * (3 - 2 * u); }

// 4x4 ordered dither threshold in (0, 1): blends two flat colours into a
// pixel-art gradient without noise.
static float bayer(int x, int y)
{
    static const int m[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (m[y & 3][x & 3] + 0.5f) / 16;
}

// The top row of solid ground in column x. Towers stand on flat pads; between
// them the ground eases from one pad's height to the next with a soft hump.
static int groundTop(int x)
{
    struct Knot {
        float x0, x1, y;  // a flat stretch from x0 to x1 at height y
    };
    std::vector<Knot> knots = {{-1, -1, float(kGroundLeftEdge)}};
    for (const Anchor& a : kTowerAnchors)
        knots.push_back({float(a.x - kPadHalfWidth), float(a.x + kPadHalfWidth), float(a.y + kTowerHeight)});
    knots.push_back({float(kSceneWidth), float(kSceneWidth), float(kGroundRightEdge)});

    for (int i = 0; i + 1 < int(knots.size()); ++i) {
        const Knot& a = knots[i];
        const Knot& b = knots[i + 1];
        if (x <= a.x1)
            return int(a.y);
        if (x < b.x0) {
            float u = (x - a.x1) / (b.x0 - a.x1);
            float hump = kHumpPerStretch[i] * std::pow(std::sin(float(M_PI) * u), 2.0f);
            return int(std::lround(a.y + (b.y - a.y) * smoothstep(u) - hump));
        }
    }
    return kGroundRightEdge;
}

// Smooth 1D value noise: random heights at every `step` pixels, eased between.
static std::vector<float> ridge(int width, int step, uint32_t seed)
{
    Random random(seed);
    std::vector<float> knots(width / step + 2);
    for (float& k : knots)
        k = float(random.unit());
    std::vector<float> out(width);
    for (int x = 0; x < width; ++x) {
        int i = x / step;
        float u = smoothstep(float(x % step) / step);
        out[x] = knots[i] + (knots[i + 1] - knots[i]) * u;
    }
    return out;
}

// Writes bytes as the whole file at path; false, with errno set, if it cannot.
static bool writeFile(const std::vector<uint8_t>& bytes, const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

// Appends the four bytes of v to out, most significant first (PNG).
static void putBigEndian32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 3; i >= 0; --i)
        out.push_back(uint8_t(v >> (8 * i)));
}

// Appends the low bytes of v to out, least significant first (WAV, deflate).
static void putLittleEndian(std::vector<uint8_t>& out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

// The CRC-32 that closes each PNG chunk, over its type and data.
static uint32_t crc32(const uint8_t* data, size_t size)
{
    static uint32_t table[256];
    if (!table[1])
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i)
        c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

static void putPngChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data)
{
    putBigEndian32(out, uint32_t(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putBigEndian32(out, crc32(&out[start], out.size() - start));
}

// Writes the picture as 8-bit RGBA PNG; alpha rounds to 0..255. The rows are
// stored, not compressed: the game decodes them at start-up several times
// faster, for files of four bytes a pixel.
static bool savePng(const Image& image, const std::string& path)
{
    // Each row: PNG's filter byte (0, none), then its pixels.
    std::vector<uint8_t> rows;
    rows.reserve(image.height * (1 + image.width * 4));
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        if (i % image.width == 0)
            rows.push_back(0);
        const Rgba& p = image.pixels[i];
        bool clear = p.a <= 0;
        rows.push_back(clear ? 0 : uint8_t(std::clamp(std::lround(p.r), 0L, 255L)));
        rows.push_back(clear ? 0 : uint8_t(std::clamp(std::lround(p.g), 0L, 255L)));
        rows.push_back(clear ? 0 : uint8_t(std::clamp(std::lround(p.b), 0L, 255L)));
        rows.push_back(uint8_t(std::clamp(std::lround(p.a * 255), 0L, 255L)));
    }
    // A zlib stream of stored deflate blocks (at most 65535 bytes each) and
    // the Adler-32 of the rows.
    std::vector<uint8_t> zlib = {0x78, 0x01};
    uint32_t a = 1, b = 0;
    for (size_t at = 0; at < rows.size();) {
        size_t n = std::min<size_t>(65535, rows.size() - at);
        zlib.push_back(at + n == rows.size());  // the last block
        putLittleEndian(zlib, uint32_t(n), 2);
        putLittleEndian(zlib, uint32_t(~n), 2);
        for (size_t i = at; i < at + n; ++i) {
            a = (a + rows[i]) % 65521;
            b = (b + a) % 65521;
        }
        zlib.insert(zlib.end(), rows.begin() + at, rows.begin() + at + n);
        at += n;
    }
    putBigEndian32(zlib, (b << 16) | a);

    std::vector<uint8_t> header;
    putBigEndian32(header, uint32_t(image.width));
    putBigEndian32(header, uint32_t(image.height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits a channel, RGBA, deflate, no interlace
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    putPngChunk(out, "IHDR", header);
    putPngChunk(out, "IDAT", zlib);
    putPngChunk(out, "IEND", {});
    return writeFile(out, path);
}

// Writes samples in -1..1 as a 16-bit PCM WAV file with its RIFF header, the
// same sample in every channel.
static bool saveWav(const std::vector<float>& samples, const std::string& path)
{
    std::vector<uint8_t> out;
    auto tag = [&out](const char* t) { out.insert(out.end(), t, t + 4); };

    const uint32_t dataBytes = uint32_t(samples.size() * 2 * kChannels);
    tag("RIFF");
    putLittleEndian(out, 36 + dataBytes, 4);
    tag("WAVE");
    tag("fmt ");
    putLittleEndian(out, 16, 4);                           // size of the PCM format block
    putLittleEndian(out, 1, 2);                            // PCM
    putLittleEndian(out, kChannels, 2);
    putLittleEndian(out, kSampleRate, 4);
    putLittleEndian(out, kSampleRate * 2 * kChannels, 4);  // bytes per second
    putLittleEndian(out, 2 * kChannels, 2);                // bytes per frame
    putLittleEndian(out, 16, 2);                           // bits per sample
    tag("data");
    putLittleEndian(out, dataBytes, 4);
    for (float s : samples) {
        uint16_t value = uint16_t(int16_t(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767)));
        for (int c = 0; c < kChannels; ++c)
            putLittleEndian(out, value, 2);
    }
    return writeFile(out, path);
}

// Scales the sound so that its loudest sample is `peak`.
static void normalise(std::vector<float>& samples, float peak)
{
    float loudest = 0;
    for (float s : samples)
        loudest = std::max(loudest, std::fabs(s));
    if (loudest > 0)
        for (float& s : samples)
            s *= peak / loudest;
}

// A resonant state-variable filter (Chamberlin); its band-pass output is the
// usual voice of wind and rustling noise.
struct BandPass {
    float low = 0, band = 0;
    float step(float in, float hz, float damping)
    {
        float f = 2 * std::sin(float(M_PI) * hz / kSampleRate);
        low += f * band;
        float high = in - low - damping * band;
        band += f * high;
        return band;
    }
};

// ---------------------------------------------------------------------------
// Pictures
// ---------------------------------------------------------------------------

// Distant ranges and rolling hills over a transparent sky. The far layers are
// translucent haze (the game's sky shows through them and leaves fall in front
// of them); only the near ground, where leaves settle, is fully opaque.
static Image makeBackground()
{
    Image image(kSceneWidth, kSceneHeight);

    // Far mountains: blue haze with a jagged crest.
    const Rgba farHigh = {96, 118, 150, 0.42f}, farLow = {104, 130, 150, 0.5f};
    std::vector<float> broad = ridge(kSceneWidth, 90, kSeed + 1), fine = ridge(kSceneWidth, 17, kSeed + 2);
    for (int x = 0; x < kSceneWidth; ++x) {
        int crest = int(groundTop(x) * 0.45f + 95 - broad[x] * 70 - fine[x] * 14);
        for (int y = crest; y < kSceneHeight; ++y) {
            float depth = std::min(1.0f, (y - crest) / 120.0f);
            image.paint(x, y, depth > bayer(x, y) * 0.8f + 0.1f ? farLow : farHigh);
        }
        // A light rim on the crest catches the sun.
        image.paint(x, crest, {170, 190, 205, 0.35f});
    }

    // Middle hills: rounded, blue-green, with a line of small firs.
    const Rgba midHill = {66, 112, 98, 0.62f};
    std::vector<float> roll = ridge(kSceneWidth, 70, kSeed + 3);
    std::vector<int> midTop(kSceneWidth);
    for (int x = 0; x < kSceneWidth; ++x)
        midTop[x] = groundTop(x) - 18 - int(roll[x] * 42);
    Random firs(kSeed + 4);
    for (int x = 6; x < kSceneWidth - 6; x += firs.range(9, 26)) {
        // Two tiers, each wider at its foot: the outline of a fir.
        int h = firs.range(8, 14), base = midTop[x] + 3;
        for (int y = 0; y < h; ++y) {
            int half = y < h / 2 ? 1 + (y * 5) / h : (y * 5) / h;
            for (int dx = -half; dx <= half; ++dx)
                midTop[x + dx] = std::min(midTop[x + dx], base - h + y);
        }
    }
    for (int x = 0; x < kSceneWidth; ++x)
        for (int y = midTop[x]; y < kSceneHeight; ++y)
            image.paint(x, y, midHill);

    // Near ground: opaque grass, lit along its top edge and darkening with
    // depth in dithered bands.
    const Rgba rim = opaque(156, 204, 96), grass = opaque(104, 164, 70), deep = opaque(70, 124, 58);
    for (int x = 0; x < kSceneWidth; ++x) {
        int top = groundTop(x);
        for (int y = top; y < kSceneHeight; ++y) {
            float depth = (y - top) / 60.0f;
            image.at(x, y) = y - top < 2 ? rim : depth > bayer(x, y) ? deep : grass;
        }
    }
    // Faint furrows that follow the slope, dark grass tufts along the edge and
    // a scatter of flowers.
    Random detail(kSeed + 5);
    for (int x = 0; x < kSceneWidth; ++x) {
        int top = groundTop(x);
        for (int y = top + 14; y < kSceneHeight; y += 14)
            if ((x / 3 + y / 14) % 2 == 0)
                image.paint(x, y, {50, 100, 46, 0.35f});
        if (detail.unit() < 0.22)
            image.fill(x, top + 1, x, top + detail.range(2, 4), opaque(76, 136, 56));
    }
    const Rgba petals[] = {opaque(250, 246, 230), opaque(252, 214, 84), opaque(236, 130, 150)};
    for (int i = 0; i < 160; ++i) {
        int x = detail.range(0, kSceneWidth - 1);
        int y = groundTop(x) + detail.range(4, 60);
        if (y < kSceneHeight - 1)
            image.paint(x, y, petals[detail.range(0, 2)]);
    }

    // A cottage and a few round trees on the near ground. Their bases reach
    // down to the slope under every column, so nothing floats.
    auto standDown = [&image](int x, int y, Rgba c) {
        for (int yy = y, end = groundTop(x) + 2; yy < end; ++yy)
            image.at(x, yy) = c;
    };
    const int cottageX = 236, cottageW = 18;
    int cottageBase = kSceneHeight;  // the floor sits on the highest ground under it
    for (int x = cottageX; x < cottageX + cottageW; ++x)
        cottageBase = std::min(cottageBase, groundTop(x) + 1);
    for (int x = cottageX; x < cottageX + cottageW; ++x)
        standDown(x, cottageBase - 10, x == cottageX || x == cottageX + cottageW - 1 ? opaque(190, 170, 140)
                                                                                    : opaque(234, 222, 196));
    for (int y = 0; y < 8; ++y)  // the roof
        for (int x = cottageX - 2 + y; x < cottageX + cottageW + 2 - y; ++x)
            image.at(x, cottageBase - 11 - y) = y == 0 ? opaque(150, 52, 44) : opaque(186, 70, 54);
    image.fill(cottageX + 4, cottageBase - 7, cottageX + 6, cottageBase - 5, opaque(90, 120, 150));
    image.fill(cottageX + 11, cottageBase - 6, cottageX + 13, cottageBase - 1, opaque(110, 72, 48));
    image.fill(cottageX + 12, cottageBase - 20, cottageX + 13, cottageBase - 16, opaque(120, 96, 86));

    const int treeXs[] = {28, 168, 300, 452, 526};
    for (int tx : treeXs) {
        int base = groundTop(tx);
        for (int x = tx - 1; x <= tx; ++x)
            standDown(x, base - 6, opaque(104, 74, 52));
        int r = 7, cy = base - 6 - r + 2;
        for (int y = -r; y <= r; ++y)
            for (int x = -r; x <= r; ++x)
                if (x * x + y * y <= r * r + 2) {
                    bool shade = x + y > 2 || (x * x + y * y > (r - 2) * (r - 2) && x > 0);
                    image.at(tx + x, cy + y) = shade ? opaque(46, 104, 50) : opaque(72, 138, 62);
                }
    }
    return image;
}

// Exactly the fully opaque part of the background: where leaves settle.
static Image makeMask(const Image& background)
{
    Image mask(background.width, background.height);
    for (size_t i = 0; i < mask.pixels.size(); ++i)
        if (std::lround(background.pixels[i].a * 255) == 255)
            mask.pixels[i] = opaque(0, 0, 0);
    return mask;
}

// A small gondola: a grip on the cable at the top-centre, a hanger and a red
// cabin with windows.
static Image makeCart()
{
    Image image(kCartWidth, kCartHeight);
    const int c = kCartWidth / 2;  // the anchor column
    const Rgba steel = opaque(54, 58, 66), steelLight = opaque(120, 126, 136);
    const Rgba body = opaque(204, 64, 50), bodyDark = opaque(140, 38, 34), outline = opaque(70, 24, 24);
    const Rgba glass = opaque(196, 226, 240), glassShade = opaque(140, 176, 200), trim = opaque(246, 236, 214);

    image.fill(c - 2, 0, c + 1, 1, steel);  // grip round the cable
    image.paint(c - 1, 0, steelLight);
    image.fill(c - 1, 2, c, 5, steel);      // hanger
    image.paint(c - 1, 3, steelLight);
    image.fill(c - 6, 6, c + 5, 6, steel);  // roof
    image.fill(c - 7, 7, c + 6, 7, outline);

    // Cabin with rounded lower corners: outline, body, a darker skirt.
    const int left = 1, right = kCartWidth - 2, top = 8, bottom = kCartHeight - 1;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            int inset = y == bottom ? 2 : y == bottom - 1 ? 1 : 0;  // the rounded corners
            if (x < left + inset || x > right - inset)
                continue;
            bool edge = x == left + inset || x == right - inset || y == bottom;
            image.at(x, y) = edge ? outline : y >= bottom - 3 ? bodyDark : body;
        }
    // Three windows with a glint, and a cream stripe below them.
    for (int w = 0; w < 3; ++w) {
        int x0 = left + 3 + w * 6;
        image.fill(x0, top + 2, x0 + 3, top + 6, glass);
        image.fill(x0 + 2, top + 4, x0 + 3, top + 6, glassShade);
        image.paint(x0, top + 2, trim);
    }
    image.fill(left + 1, top + 8, right - 1, top + 8, trim);
    return image;
}

// A steel lattice pylon: a head with the cable sheave at the top-centre, two
// legs spreading to the ground, cross-braced, on concrete footings.
static Image makeTower()
{
    Image image(kTowerWidth, kTowerHeight);
    const int c = kTowerWidth / 2;  // the anchor column, right of the pylon's axis
    const Rgba steel = opaque(58, 64, 76), brace = opaque(96, 104, 118), light = opaque(150, 158, 170);
    const Rgba concrete = opaque(176, 172, 162), concreteDark = opaque(128, 124, 116);

    // Legs run from the head down to the footings, mirrored about the axis;
    // the column of leg `side` (-1 left, 1 right) at row y.
    const int headY = 8, footY = kTowerHeight - 4;
    auto legX = [&](int y, int side) {
        int spread = 2 + int(std::lround(10.0 * (y - headY) / (footY - headY)));  // 2 at the head, 12 at the foot
        return side < 0 ? c - 1 - spread : c + spread;
    };

    // Cross-bracing: a strut every panel and an X inside it.
    const int panels = 9;
    for (int i = 0; i <= panels; ++i) {
        int y = headY + (footY - headY) * i / panels;
        image.line(legX(y, -1), y, legX(y, 1), y, brace);
        if (i < panels) {
            int y1 = headY + (footY - headY) * (i + 1) / panels;
            image.line(legX(y, -1), y, legX(y1, 1), y1, brace);
            image.line(legX(y, 1), y, legX(y1, -1), y1, brace);
        }
    }
    // Legs drawn last and doubled, so they read heavier than the bracing.
    for (int y = headY; y <= footY; ++y) {
        image.fill(legX(y, -1), y, legX(y, -1) + 1, y, steel);
        image.fill(legX(y, 1) - 1, y, legX(y, 1), y, steel);
        image.paint(legX(y, -1), y, light);
    }

    // Head: a cross-arm under the sheave, which sits on the anchor pixel.
    image.fill(c - 9, headY - 2, c + 8, headY - 1, steel);
    image.fill(c - 9, headY - 2, c + 8, headY - 2, light);
    image.fill(c - 2, 0, c + 1, headY - 3, steel);  // sheave block
    image.fill(c - 1, 1, c, 2, light);              // its wheel

    // Footings under each leg, resting on the ground's top row.
    for (int side : {-1, 1}) {
        int x = legX(footY, side);
        image.fill(x - 2, footY, x + 2, kTowerHeight - 1, concrete);
        image.fill(x - 2, kTowerHeight - 1, x + 2, kTowerHeight - 1, concreteDark);
    }
    return image;
}

// ---------------------------------------------------------------------------
// Sounds
// ---------------------------------------------------------------------------

// A plucked, celesta-like tone: harmonics that die away faster the higher they
// are, a 4 ms attack and a short fade so the file ends in silence.
static std::vector<float> makeNote(double hz)
{
    struct Partial {
        double ratio, level, decaySeconds;
    };
    const Partial partials[] = {{1, 1.0, 0.32}, {2, 0.35, 0.14}, {3, 0.14, 0.08}, {4, 0.06, 0.05}};
    const int n = int(kNoteSeconds * kSampleRate);
    const double attack = 0.004, fade = 0.06;
    std::vector<float> samples(n);
    for (int i = 0; i < n; ++i) {
        double t = double(i) / kSampleRate;
        double v = 0;
        for (const Partial& p : partials)
            v += p.level * std::exp(-t / p.decaySeconds) * std::sin(2 * M_PI * hz * p.ratio * t);
        double envelope = std::min(1.0, t / attack) * std::min(1.0, (kNoteSeconds - t) / fade);
        samples[i] = float(v * envelope);
    }
    normalise(samples, 0.5f);
    return samples;
}

// Soft wind. Noise through a band-pass whose centre and level swell with
// gusts; every modulation repeats exactly once per loop, and the extra noise
// past the loop's end is crossfaded into its start, so the loop has no seam.
static std::vector<float> makeAmbience()
{
    const int loop = int(kAmbienceSeconds * kSampleRate);
    const int overlap = int(kAmbienceCrossfadeSeconds * kSampleRate);
    Random random(kSeed + 10);
    BandPass body, whistle;
    float rumble = 0;
    std::vector<float> raw(loop + overlap);
    for (int i = 0; i < loop + overlap; ++i) {
        double phase = 2 * M_PI * (i % loop) / loop;  // one turn per loop
        float gust = float(0.5 + 0.28 * std::sin(phase + 0.6) + 0.14 * std::sin(2 * phase + 2.1) +
                           0.08 * std::sin(5 * phase + 0.3));
        float level = 0.15f + 0.85f * gust * gust;  // calm between gusts, rising steeply into them
        float noise = float(random.symmetric());
        rumble += 0.02f * (noise - rumble);  // a low bed that never quite stops
        float v = body.step(noise, 260 + 420 * gust, 1.1f) * level;
        v += whistle.step(noise, 700 + 500 * gust, 0.12f) * 0.06f * level;
        raw[i] = v + rumble * (0.4f + 0.6f * gust);
    }
    std::vector<float> samples(raw.begin(), raw.begin() + loop);
    for (int i = 0; i < overlap; ++i) {
        // Equal-power fade: the two noise streams are unrelated.
        double u = 0.5 * M_PI * i / overlap;
        samples[i] = float(raw[i] * std::sin(u) + raw[loop + i] * std::cos(u));
    }
    normalise(samples, 0.3f);
    return samples;
}

// A leaf against the cart: four quick, bright crackles of noise.
static std::vector<float> makeLeaf()
{
    const int n = int(kLeafSeconds * kSampleRate);
    Random random(kSeed + 20);
    BandPass crackle;
    std::vector<float> samples(n);
    const double starts[] = {0.0, 0.035, 0.085, 0.13};
    const double levels[] = {1.0, 0.7, 0.85, 0.45};
    float previous = 0;
    for (int i = 0; i < n; ++i) {
        double t = double(i) / kSampleRate;
        double envelope = 0;
        for (size_t b = 0; b < std::size(starts); ++b)
            if (t >= starts[b])
                envelope += levels[b] * std::min(1.0, (t - starts[b]) / 0.001) * std::exp(-(t - starts[b]) / 0.014);
        float noise = float(random.symmetric());
        float bright = noise - previous;  // a first difference tilts the noise toward the treble
        previous = noise;
        float v = crackle.step(bright, 3200, 0.9f) + 0.3f * bright;
        samples[i] = float(v * envelope * std::min(1.0, (kLeafSeconds - t) / 0.02));
    }
    normalise(samples, 0.55f);
    return samples;
}

// ---------------------------------------------------------------------------
// The examples' pictures and sounds
// ---------------------------------------------------------------------------

// True inside the ellipse of centre (cx, cy) and radii (rx, ry).
static bool inEllipse(float x, float y, float cx, float cy, float rx, float ry)
{
    float dx = (x - cx) / rx, dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1;
}

// A clownfish facing right: orange body with white bands, tail on the left,
// an eye near the head. Nothing in it is symmetric, so every mirror shows.
static Image makeFish()
{
    Image image(kFishWidth, kFishHeight);
    const Rgba orange = opaque(240, 130, 40), belly = opaque(250, 186, 110), dark = opaque(80, 36, 20);
    const Rgba band = opaque(250, 246, 236), tail = opaque(214, 96, 30);
    const float cx = 36, cy = 24, rx = 24, ry = 15;
    for (int y = 0; y < kFishHeight; ++y)
        for (int x = 0; x < kFishWidth; ++x) {
            float px = x + 0.5f, py = y + 0.5f;
            bool fin = py >= 4 && py < cy && std::fabs(px - 30) < (py - 4) * 0.9f;  // the dorsal fin
            // The tail fans out to the left, forked at its end.
            bool tailFin = px >= 3 && px < 16 && std::fabs(py - cy) < (16 - px) * 0.75f + 3 &&
                           std::fabs(py - cy) >= (7 - px) * 1.5f;
            if (inEllipse(px, py, cx, cy, rx - 1.5f, ry - 1.5f)) {
                bool white = std::fabs(px - 30) < 3 || std::fabs(px - 44) < 2.5f;
                image.at(x, y) = white ? band : py > cy + 5 ? belly : orange;
            } else if (inEllipse(px, py, cx, cy, rx, ry) || fin || tailFin) {
                image.at(x, y) = fin || tailFin ? tail : dark;
            }
        }
    Image filled = image;  // outline the fins against the water
    for (int y = 1; y < kFishHeight - 1; ++y)
        for (int x = 1; x < kFishWidth - 1; ++x)
            if (filled.at(x, y).a > 0 && (filled.at(x - 1, y).a == 0 || filled.at(x + 1, y).a == 0 ||
                                          filled.at(x, y - 1).a == 0 || filled.at(x, y + 1).a == 0))
                image.at(x, y) = dark;
    for (int y = -4; y <= 4; ++y)
        for (int x = -4; x <= 4; ++x)
            if (x * x + y * y <= 16)
                image.at(50 + x, 19 + y) = x * x + y * y <= 4 ? opaque(10, 10, 20) : opaque(255, 255, 255);
    image.fill(57, 27, 59, 27, dark);  // the mouth
    return image;
}

// Four frames of a turning coin, side by side: wide, narrow, edge-on, narrow
// with the shine on the other side.
static Image makeCoin()
{
    Image image(kCoinFrame * kCoinFrames, kCoinFrame);
    const float halfWidths[kCoinFrames] = {13, 8, 2.5f, 8};
    const Rgba gold = opaque(244, 196, 48), rim = opaque(150, 100, 20), shine = opaque(255, 246, 190);
    for (int f = 0; f < kCoinFrames; ++f) {
        float cx = f * kCoinFrame + 16, rx = halfWidths[f];
        for (int y = 0; y < kCoinFrame; ++y)
            for (int x = f * kCoinFrame; x < (f + 1) * kCoinFrame; ++x) {
                float px = x + 0.5f, py = y + 0.5f;
                if (!inEllipse(px, py, cx, 16, rx, 13))
                    continue;
                bool edge = !inEllipse(px, py, cx, 16, rx - 1.5f, 11.5f);
                float side = f == 3 ? -1 : 1;  // the shine moves across as it turns
                bool glint = inEllipse(px, py, cx - side * rx * 0.4f, 11, rx * 0.25f + 0.5f, 3);
                image.at(x, y) = edge ? rim : glint ? shine : gold;
            }
    }
    return image;
}

// A wooden frame round parchment, with a rivet in each corner: stretched as a
// nine-slice panel the rivets stay round while the edges and centre stretch.
static Image makePanel()
{
    Image image(kPanelSize, kPanelSize);
    const int last = kPanelSize - 1, b = kPanelBorder;
    for (int y = 0; y < kPanelSize; ++y)
        for (int x = 0; x < kPanelSize; ++x) {
            bool outline = x == 0 || y == 0 || x == last || y == last;
            bool inner = x >= b && y >= b && x <= last - b && y <= last - b;
            bool lit = std::min(x, y) < std::min(last - x, last - y);  // top and left bevels catch the light
            image.at(x, y) = outline ? opaque(40, 28, 22)
                             : inner ? opaque(236, 222, 184)
                             : lit   ? opaque(186, 132, 82)
                                     : opaque(116, 76, 46);
        }
    for (int cy : {5, last - 5})
        for (int cx : {5, last - 5})
            for (int y = -3; y <= 3; ++y)
                for (int x = -3; x <= 3; ++x)
                    if (x * x + y * y <= 9)
                        image.at(cx + x, cy + y) = x * x + y * y >= 6 ? opaque(60, 60, 70) : opaque(206, 208, 220);
    return image;
}

// A short square-ish beep: odd harmonics of 880 Hz, clicked off by a fade.
static std::vector<float> makeBlip()
{
    const int n = int(0.15 * kSampleRate);
    std::vector<float> samples(n);
    for (int i = 0; i < n; ++i) {
        double t = double(i) / kSampleRate, v = 0;
        for (int h = 1; h <= 7; h += 2)
            v += std::sin(2 * M_PI * 880 * h * t) / h;
        samples[i] = float(v * std::min(1.0, (0.15 - t) / 0.03));
    }
    normalise(samples, 0.4f);
    return samples;
}

// A bell: inharmonic partials ringing out over 1.2 s.
static std::vector<float> makeChime()
{
    const double ratios[] = {1, 2.76, 5.40, 8.93}, decays[] = {0.6, 0.3, 0.15, 0.08};
    const int n = int(1.2 * kSampleRate);
    std::vector<float> samples(n);
    for (int i = 0; i < n; ++i) {
        double t = double(i) / kSampleRate, v = 0;
        for (size_t p = 0; p < std::size(ratios); ++p)
            v += std::exp(-t / decays[p]) * std::sin(2 * M_PI * 660 * ratios[p] * t) / (p + 1);
        samples[i] = float(v * std::min(1.0, t / 0.002) * std::min(1.0, (1.2 - t) / 0.05));
    }
    normalise(samples, 0.5f);
    return samples;
}

// A drum: a sine falling from 140 Hz to 50 Hz with a burst of noise on top.
static std::vector<float> makeThump()
{
    const int n = int(0.35 * kSampleRate);
    Random random(kSeed + 30);
    std::vector<float> samples(n);
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        double t = double(i) / kSampleRate;
        phase += 2 * M_PI * (50 + 90 * std::exp(-t / 0.05)) / kSampleRate;
        double v = std::sin(phase) * std::exp(-t / 0.12) + random.symmetric() * 0.3 * std::exp(-t / 0.01);
        samples[i] = float(v * std::min(1.0, (0.35 - t) / 0.03));
    }
    normalise(samples, 0.6f);
    return samples;
}

// A drone for looping: every partial fits a whole number of cycles into the
// two seconds, so the loop has no seam.
static std::vector<float> makeHum()
{
    const int n = 2 * kSampleRate;
    const double cycles[] = {220, 221, 330, 441};  // per loop: 110 Hz, 110.5 Hz, 165 Hz, 220.5 Hz
    std::vector<float> samples(n);
    for (int i = 0; i < n; ++i) {
        double u = double(i) / n, v = 0;
        for (size_t p = 0; p < std::size(cycles); ++p)
            v += std::sin(2 * M_PI * cycles[p] * u) / (p + 1);
        samples[i] = float(v);
    }
    normalise(samples, 0.3f);
    return samples;
}

// Music for the music channel: a four-second loop of sixteen plucked notes
// over two chords, each ringing on past the loop's end into its start, so
// the loop has no seam.
static std::vector<float> makeTune()
{
    const double noteSeconds = 0.25, middleC = 261.63;
    const int semitones[] = {0, 4, 7, 12, 7, 4, 0, 4, 5, 9, 12, 17, 12, 9, 5, 9};
    const int n = int(std::size(semitones) * noteSeconds * kSampleRate);
    std::vector<float> samples(n);
    for (size_t k = 0; k < std::size(semitones); ++k) {
        double hz = middleC * std::pow(2.0, semitones[k] / 12.0);
        int start = int(k * noteSeconds * kSampleRate);
        for (int i = 0; i < n; ++i) {
            double t = double(i) / kSampleRate;
            samples[(start + i) % n] += float(std::exp(-t / 0.3) * std::sin(2 * M_PI * hz * t) * std::min(1.0, t / 0.004));
        }
    }
    normalise(samples, 0.4f);
    return samples;
}

// ---------------------------------------------------------------------------
// Main
// ---------------------------------------------------------------------------

// Reports a file that could not be written; false from then on.
struct Writer {
    bool ok = true;
    void check(bool written, const std::string& path)
    {
        if (!written) {
            std::fprintf(stderr, "make_assets: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
            ok = false;
        }
    }
    void png(const Image& image, const std::string& path) { check(savePng(image, path), path); }
    void wav(const std::vector<float>& samples, const std::string& path) { check(saveWav(samples, path), path); }
};

static void writeGameAssets(const std::string& dir, Writer& out)
{
    Image background = makeBackground();
    out.png(background, dir + "/background.png");
    out.png(makeMask(background), dir + "/mask.png");
    out.png(makeCart(), dir + "/cart.png");
    out.png(makeTower(), dir + "/tower.png");
    for (int i = 0; i < 24; ++i)
        out.wav(makeNote(kLowestNoteHz * std::pow(2.0, i / 12.0)),
                dir + "/notes/" + kNoteNames[i % 12] + std::to_string(1 + i / 12) + ".wav");
    out.wav(makeAmbience(), dir + "/ambience.wav");
    out.wav(makeLeaf(), dir + "/leaf.wav");
}

static void writeExampleAssets(const std::string& dir, Writer& out)
{
    out.png(makeFish(), dir + "/fish.png");
    out.png(makeCoin(), dir + "/coin.png");
    out.png(makePanel(), dir + "/panel.png");
    out.wav(makeBlip(), dir + "/sounds/blip.wav");
    out.wav(makeChime(), dir + "/sounds/chime.wav");
    out.wav(makeThump(), dir + "/sounds/thump.wav");
    out.wav(makeHum(), dir + "/sounds/hum.wav");
    out.wav(makeTune(), dir + "/sounds/tune.wav");
}

int main(int argc, char** argv)
{
    const bool examples = argc == 3 && std::strcmp(argv[1], "--examples") == 0;
    if (argc != 2 && !examples) {
        std::fprintf(stderr, "usage: make_assets [--examples] <output directory>\n");
        return 2;
    }
    const std::string dir = argv[argc - 1];
    const std::string subdir = dir + (examples ? "/sounds" : "/notes");
    std::error_code error;
    std::filesystem::create_directories(subdir, error);
    if (error) {
        std::fprintf(stderr, "make_assets: cannot create %s: %s\n", subdir.c_str(), error.message().c_str());
        return 1;
    }
    Writer out;
    if (examples)
        writeExampleAssets(dir, out);
    else
        writeGameAssets(dir, out);
    return out.ok ? 0 : 1;
}
