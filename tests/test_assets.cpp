// Tests of the game's data files as make_assets writes them: every file loads
// with SDL's own decoders, the notes are in tune, the ambience loops cleanly,
// and the pictures fit the scene (ground under the towers, sky left open).
#include <algorithm>
#include <cmath>
#include <complex>  // the FFT that finds each note's pitch
#include <cstdio>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

namespace {

const std::string kData = WINDCART_DATA_DIR;

// The scene the pictures are made for: the window, the tower anchors and the
// three cables' end points.
constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;
struct Point {
    double x, y;
};
const Point kTowerAnchors[] = {{100, 280}, {360, 210}, {600, 100}};
const Point kCableEnds[] = {{-50, 300}, {100, 280}, {360, 210}, {600, 100}};

const char* const kNoteNames[12] = {"c", "c#", "d", "d#", "e", "f", "f#", "g", "g#", "a", "a#", "b"};
constexpr double kC4 = 261.6255653;

std::string notePath(int i)
{
    return kData + "/notes/" + kNoteNames[i % 12] + std::to_string(1 + i / 12) + ".wav";
}

// A sound decoded by SDL_LoadWAV, as mono samples in -1..1.
struct Sound {
    bool loaded = false;
    int rate = 0;
    std::vector<double> samples;
};

Sound loadSound(const std::string& path)
{
    Sound sound;
    SDL_AudioSpec format;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(path.c_str(), &format, &buffer, &length))
        return sound;
    if (format.format == AUDIO_S16LSB && (format.channels == 1 || format.channels == 2)) {
        const Sint16* pcm = reinterpret_cast<const Sint16*>(buffer);
        size_t frames = length / (2 * format.channels);
        for (size_t f = 0; f < frames; ++f) {
            double sum = 0;
            for (int c = 0; c < format.channels; ++c)
                sum += pcm[f * format.channels + c] / 32768.0;
            sound.samples.push_back(sum / format.channels);
        }
        sound.rate = format.freq;
        sound.loaded = true;
    }
    SDL_FreeWAV(buffer);
    return sound;
}

// In-place radix-2 FFT; the size must be a power of two.
void fft(std::vector<std::complex<double>>& a)
{
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        std::complex<double> step = std::polar(1.0, -2 * M_PI / len);
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> w = 1;
            for (size_t k = 0; k < len / 2; ++k, w *= step) {
                std::complex<double> u = a[i + k], v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
}

// The fundamental in Hz: the lowest spectral peak at least a quarter as
// strong as the strongest, located between bins by a parabola through the
// log magnitudes. A Hann-windowed stretch after the attack, zero-padded.
double fundamental(const Sound& sound)
{
    const size_t start = sound.rate / 100, length = 16384, padded = 65536;
    std::vector<std::complex<double>> bins(padded, 0.0);
    for (size_t i = 0; i < length && start + i < sound.samples.size(); ++i)
        bins[i] = sound.samples[start + i] * (0.5 - 0.5 * std::cos(2 * M_PI * i / (length - 1)));
    fft(bins);
    const double hzPerBin = double(sound.rate) / padded;
    const size_t lo = size_t(80 / hzPerBin), hi = size_t(5000 / hzPerBin);
    std::vector<double> mag(hi + 2);
    double strongest = 0;
    for (size_t k = lo - 1; k <= hi + 1; ++k) {
        mag[k] = std::abs(bins[k]);
        if (k >= lo && k <= hi)
            strongest = std::max(strongest, mag[k]);
    }
    for (size_t k = lo; k <= hi; ++k)
        if (mag[k] >= strongest / 4 && mag[k] >= mag[k - 1] && mag[k] > mag[k + 1]) {
            double a = std::log(mag[k - 1]), b = std::log(mag[k]), c = std::log(mag[k + 1]);
            return (k + 0.5 * (a - c) / (a - 2 * b + c)) * hzPerBin;
        }
    return 0;
}

double rms(const std::vector<double>& s, size_t from, size_t count)
{
    double sum = 0;
    for (size_t i = from; i < from + count; ++i)
        sum += s[i] * s[i];
    return std::sqrt(sum / count);
}

// A picture decoded by IMG_Load, kept as RGBA bytes for reading.
struct Picture {
    int width = 0, height = 0;
    int bytesPerPixel = 0;  // as the file decodes, before conversion
    std::vector<Uint8> rgba;
    Uint8 alpha(int x, int y) const { return rgba[(size_t(y) * width + x) * 4 + 3]; }
};

Picture loadPicture(const std::string& path)
{
    Picture picture;
    SDL_Surface* decoded = IMG_Load(path.c_str());
    if (!decoded)
        return picture;
    picture.bytesPerPixel = decoded->format->BytesPerPixel;
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(decoded);
    if (!rgba)
        return picture;
    picture.width = rgba->w;
    picture.height = rgba->h;
    picture.rgba.resize(size_t(rgba->w) * rgba->h * 4);
    for (int y = 0; y < rgba->h; ++y)
        std::copy_n(static_cast<Uint8*>(rgba->pixels) + y * rgba->pitch, rgba->w * 4,
                    picture.rgba.begin() + size_t(y) * rgba->w * 4);
    SDL_FreeSurface(rgba);
    return picture;
}

// The first row of the mask that stops a leaf in column x (the height if none).
int groundTop(const Picture& mask, int x)
{
    for (int y = 0; y < mask.height; ++y)
        if (mask.alpha(x, y) != 0)
            return y;
    return mask.height;
}

}  // namespace

TEST(Assets, EverySoundLoadsAsSixteenBitPcm)
{
    std::vector<std::string> paths = {kData + "/ambience.wav", kData + "/leaf.wav"};
    for (int i = 0; i < 24; ++i)
        paths.push_back(notePath(i));
    for (const std::string& path : paths) {
        Sound sound = loadSound(path);
        ASSERT_TRUE(sound.loaded) << path << ": " << SDL_GetError();
        EXPECT_TRUE(sound.rate == 44100 || sound.rate == 22050) << path;
        EXPECT_FALSE(sound.samples.empty()) << path;
    }
}

TEST(Assets, NotesAreTwoEqualTemperedOctavesFromMiddleC)
{
    double previous = 0;
    for (int i = 0; i < 24; ++i) {
        Sound note = loadSound(notePath(i));
        ASSERT_TRUE(note.loaded) << notePath(i);
        double expected = kC4 * std::pow(2.0, i / 12.0);
        double measured = fundamental(note);
        EXPECT_NEAR(measured, expected, expected * 0.01) << notePath(i);
        EXPECT_GT(measured, previous) << notePath(i);
        previous = measured;
    }
}

TEST(Assets, NotesStrikeQuicklyAndDieAway)
{
    for (int i = 0; i < 24; ++i) {
        Sound note = loadSound(notePath(i));
        ASSERT_TRUE(note.loaded) << notePath(i);
        const std::vector<double>& s = note.samples;
        double seconds = double(s.size()) / note.rate;
        EXPECT_GE(seconds, 0.6) << notePath(i);
        EXPECT_LE(seconds, 1.0) << notePath(i);
        size_t loudest = std::max_element(s.begin(), s.end(), [](double a, double b) {
                             return std::fabs(a) < std::fabs(b);
                         }) - s.begin();
        EXPECT_LT(loudest, size_t(note.rate / 50)) << notePath(i) << ": the peak comes within 20 ms";
        size_t tenth = note.rate / 10;
        EXPECT_LT(rms(s, s.size() - tenth, tenth), rms(s, 0, tenth) * 0.1) << notePath(i);
        EXPECT_LT(std::fabs(s.front()), 0.01) << notePath(i);
        EXPECT_LT(std::fabs(s.back()), 0.01) << notePath(i);
    }
}

TEST(Assets, AmbienceLoopsWithoutAClick)
{
    Sound wind = loadSound(kData + "/ambience.wav");
    ASSERT_TRUE(wind.loaded);
    const std::vector<double>& s = wind.samples;
    double seconds = double(s.size()) / wind.rate;
    EXPECT_GE(seconds, 4.0);
    EXPECT_LE(seconds, 8.0);

    // The jump from the last sample back to the first is no bigger than the
    // steps the sound takes almost everywhere else.
    std::vector<double> steps;
    for (size_t i = 1; i < s.size(); ++i)
        steps.push_back(std::fabs(s[i] - s[i - 1]));
    std::sort(steps.begin(), steps.end());
    EXPECT_LE(std::fabs(s.front() - s.back()), steps[steps.size() * 99 / 100]);

    // And the level on either side of the seam matches: no swell cut off.
    size_t quarter = wind.rate / 4;
    double before = rms(s, s.size() - quarter, quarter), after = rms(s, 0, quarter);
    EXPECT_GT(before, 0.005);
    EXPECT_NEAR(after / before, 1.0, 0.35);
}

TEST(Assets, LeafIsAShortRustle)
{
    Sound leaf = loadSound(kData + "/leaf.wav");
    ASSERT_TRUE(leaf.loaded);
    double seconds = double(leaf.samples.size()) / leaf.rate;
    EXPECT_GE(seconds, 0.15);
    EXPECT_LE(seconds, 0.3);
    EXPECT_GT(rms(leaf.samples, 0, leaf.samples.size()), 0.02);
    EXPECT_LT(std::fabs(leaf.samples.back()), 0.01);
}

TEST(Assets, PicturesDecodeAsThirtyTwoBitRgba)
{
    for (const char* name : {"background.png", "mask.png", "cart.png", "tower.png"}) {
        Picture picture = loadPicture(kData + "/" + name);
        ASSERT_GT(picture.width, 0) << name << ": " << SDL_GetError();
        EXPECT_EQ(4, picture.bytesPerPixel) << name;
    }
}

TEST(Assets, MaskCoversTheWindowWithAlphaZeroOrFull)
{
    Picture mask = loadPicture(kData + "/mask.png");
    ASSERT_GE(mask.width, kWindowWidth);
    ASSERT_GE(mask.height, kWindowHeight);
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x)
            ASSERT_TRUE(mask.alpha(x, y) == 0 || mask.alpha(x, y) == 255) << x << "," << y;
    // The ground reaches the bottom edge everywhere.
    for (int x = 0; x < kWindowWidth; ++x)
        EXPECT_EQ(255, mask.alpha(x, kWindowHeight - 1)) << x;
}

TEST(Assets, MaskIsExactlyTheOpaqueScenery)
{
    Picture background = loadPicture(kData + "/background.png");
    Picture mask = loadPicture(kData + "/mask.png");
    ASSERT_EQ(background.width, mask.width);
    ASSERT_EQ(background.height, mask.height);
    int differing = 0;
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x)
            differing += (background.alpha(x, y) == 255) != (mask.alpha(x, y) == 255);
    EXPECT_EQ(0, differing);
}

TEST(Assets, SkyIsTransparentAboveTheScenery)
{
    Picture background = loadPicture(kData + "/background.png");
    Picture mask = loadPicture(kData + "/mask.png");
    ASSERT_GE(background.width, kWindowWidth);
    // Everything above the highest anchor is sky in both pictures.
    for (int y = 0; y < int(kTowerAnchors[2].y); ++y)
        for (int x = 0; x < kWindowWidth; ++x) {
            ASSERT_EQ(0, background.alpha(x, y)) << x << "," << y;
            ASSERT_EQ(0, mask.alpha(x, y)) << x << "," << y;
        }
}

// Wherever the cart can be, its cable bent by the heaviest wind (2, 2) and
// sagging its full 20 pixels, falling leaves can reach it: the mask is clear
// over the whole cart and everything above it.
TEST(Assets, LeavesCanReachTheCartAnywhere)
{
    Picture mask = loadPicture(kData + "/mask.png");
    Picture cart = loadPicture(kData + "/cart.png");
    ASSERT_GE(mask.width, kWindowWidth);
    ASSERT_GT(cart.width, 0);
    for (int cable = 0; cable < 3; ++cable) {
        Point p1 = kCableEnds[cable], p4 = kCableEnds[cable + 1];
        for (double windX : {0.0, 2.0})
            for (double windY : {0.0, 2.0})
                for (double sag : {0.0, 20.0})
                    for (int step = 0; step <= 100; ++step) {
                        double t = step / 100.0, u = 1 - t;
                        Point c2 = {p1.x + 30 * windX, p1.y + sag + 30 * windX};
                        Point c3 = {p4.x + 30 * windY, p4.y + sag + 30 * windY};
                        double x = u * u * u * p1.x + 3 * u * u * t * c2.x + 3 * u * t * t * c3.x + t * t * t * p4.x;
                        double y = u * u * u * p1.y + 3 * u * u * t * c2.y + 3 * u * t * t * c3.y + t * t * t * p4.y;
                        // The picture is drawn centred under the anchor; the
                        // hit rectangle reaches right of it. Cover both.
                        int left = std::max(0, int(x) - cart.width / 2);
                        int right = std::min(kWindowWidth - 1, int(x) + cart.width);
                        int bottom = int(y) + cart.height;
                        for (int cx = left; cx <= right; ++cx)
                            ASSERT_GT(groundTop(mask, cx), bottom)
                                << "cable " << cable << " t " << t << " wind " << windX << "," << windY;
                    }
    }
}

TEST(Assets, TowersStandOnTheGround)
{
    Picture mask = loadPicture(kData + "/mask.png");
    Picture tower = loadPicture(kData + "/tower.png");
    ASSERT_GE(mask.width, kWindowWidth);
    ASSERT_GT(tower.height, 0);
    for (const Point& anchor : kTowerAnchors) {
        int left = int(anchor.x - tower.width / 2.0);
        int bottom = int(anchor.y) + tower.height;  // the first row below the picture
        EXPECT_NEAR(groundTop(mask, int(anchor.x)), bottom, 2) << "tower at " << anchor.x;
        // Every foot (an opaque pixel in the picture's last row) rests on the ground.
        int feet = 0;
        for (int x = 0; x < tower.width; ++x)
            if (tower.alpha(x, tower.height - 1) != 0) {
                ++feet;
                EXPECT_NEAR(groundTop(mask, left + x), bottom, 2) << "tower at " << anchor.x << ", column " << x;
            }
        EXPECT_GT(feet, 0);
    }
}

TEST(Assets, CartAndTowerHangFromTheirTopCentre)
{
    for (const char* name : {"cart.png", "tower.png"}) {
        Picture picture = loadPicture(kData + "/" + name);
        ASSERT_GT(picture.width, 0) << name;
        EXPECT_EQ(255, picture.alpha(picture.width / 2, 0)) << name << ": the anchor pixel";
        // Transparent all round: the outer columns, and the top row away from
        // the middle third where the picture hangs from its cable.
        for (int y = 0; y < picture.height; ++y) {
            EXPECT_EQ(0, picture.alpha(0, y)) << name << " row " << y;
            EXPECT_EQ(0, picture.alpha(picture.width - 1, y)) << name << " row " << y;
        }
        for (int x = 0; x < picture.width; ++x) {
            if (x < picture.width / 3 || x >= picture.width - picture.width / 3) {
                EXPECT_EQ(0, picture.alpha(x, 0)) << name << " column " << x;
            }
        }
    }
}

TEST(Assets, CartIsSmallAndAnchorsFallOnWholePixels)
{
    Picture cart = loadPicture(kData + "/cart.png");
    Picture tower = loadPicture(kData + "/tower.png");
    EXPECT_GE(cart.width, 16);
    EXPECT_LE(cart.width, 40);
    EXPECT_GE(cart.height, 12);
    EXPECT_LE(cart.height, 32);
    // Towers are drawn at their anchors' x with the picture's width halved;
    // an even width puts the anchor on a whole pixel.
    EXPECT_EQ(0, tower.width % 2);
    EXPECT_EQ(0, cart.width % 2);
}

TEST(Assets, FontIsAnOutlineFont)
{
    FILE* f = std::fopen((kData + "/font/FSEX300.ttf").c_str(), "rb");
    ASSERT_NE(nullptr, f);
    unsigned char tag[4] = {0, 0, 0, 0};
    size_t got = std::fread(tag, 1, 4, f);
    std::fclose(f);
    ASSERT_EQ(4u, got);
    // An OpenType font with CFF outlines starts "OTTO"; one with TrueType outlines 0x00010000.
    bool cff = tag[0] == 'O' && tag[1] == 'T' && tag[2] == 'T' && tag[3] == 'O';
    bool glyf = tag[0] == 0 && tag[1] == 1 && tag[2] == 0 && tag[3] == 0;
    EXPECT_TRUE(cff || glyf);
}
