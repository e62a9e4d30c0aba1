// sound: sound effects played on key presses, each with its own volume and
// panning shown on screen; the master volume; a looping sound started and
// stopped. Keys: 1, 2, 3 play a sound and select it; Up/Down its volume,
// Left/Right its panning; -/= the master volume; L loops the hum, S stops
// everything. Escape or the window's close button quits.
#include <stdio.h>  // fprintf

#include <new>  // std::bad_alloc

#include <GL/gl.h>  // glClear: every frame starts from a cleared window

#include "Larchfield/Larchfield.h"

static const float kWidth = 640, kHeight = 480;
static const char* const kFontPath = "data/DejaVuSans.ttf";
static const char* const kSoundPaths[] = {"data/sounds/blip.wav", "data/sounds/chime.wav", "data/sounds/thump.wav",
                                          "data/sounds/hum.wav"};
static const char* const kNames[] = {"1  blip", "2  chime", "3  thump", "L  hum (loops)"};

// A bar of `value` out of `full`, 200 pixels wide at full.
static void bar(float x, float y, int value, int full, LFColor color)
{
    LFDrawRect(LFMakeRect(x, y, 202, 12), LFMakeColor(0.5f, 0.5f, 0.5f, 1));
    LFDrawRectFill(LFMakeRect(x + 1, y + 1, 200.0f * value / full, 10), color);
}

static void text(float x, float y, LFColor color, char* line)
{
    LFUIGlobalFontPrint(LFMakePoint(x, y), color, line);
}

int main(int argc, char* argv[])
{
    if (!LFInit(LFTempString("%s", argc > 0 ? argv[0] : "sound"))) {
        fprintf(stderr, "sound: %s\n", LFError() ? LFError() : "cannot start Larchfield");
        LFDeInit();
        return 1;
    }
    // Sounds can only be loaded once a device is open. Without a sound card,
    // SDL's dummy driver plays into the void, so the example still runs.
    if (!LFInitAudio()) {
        fprintf(stderr, "sound: no audio device (%s); playing silently\n", LFError());
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
        LFInitAudio();
    }
    LFSetMixingChannels(16);
    LFWindow* window;
    try {
        window = new LFWindow(LFTempString("Larchfield: sound"), LFMakeSize(kWidth, kHeight));
    } catch (std::bad_alloc&) {
        fprintf(stderr, "sound: %s %s\n", LFError(), SDL_GetError());
        LFDeInit();
        return 1;
    }
    window->setRenderContext();

    // A sound that cannot be loaded throws std::bad_alloc.
    const char* missing = nullptr;
    LFSound* sounds[4] = {};
    LFUISetGlobalFont(LFTempString("%s", kFontPath), LFAliased, 16, LFZeroPoint);
    if (LFUIGlobalFontLineHeight() == 0)  // a font that did not load measures 0
        missing = kFontPath;
    for (int i = 0; i < 4 && !missing; i++) {
        try {
            sounds[i] = new LFSound(LFTempString("%s", kSoundPaths[i]));
        } catch (std::bad_alloc&) {
            missing = kSoundPaths[i];
        }
    }
    if (missing) {
        fprintf(stderr, "sound: cannot load %s\n", missing);
        for (LFSound* sound : sounds)
            delete sound;
        delete window;
        LFDeInit();
        return 1;
    }

    int selected = 0, master = 128;
    int pan[4] = {};  // -4 (left) .. 4 (right); the library keeps no panning of its own
    LFResetLogicLoop();
    while (!LFApplicationQuitRequested()) {
        LFPreLogicLoop();
        while (LFLogicLoop()) {
            if (LFKey(LFKeyEscape))
                LFApplicationRequestQuit();
            int play = -1;
            for (int i = 0; i < 3; i++)
                if (LFKey(LFKey1 + i, -1))  // -1: true once per press
                    play = selected = i;
            if (LFKey(LFKeyL, -1)) {
                if (sounds[3]->isPlaying())
                    sounds[3]->stop();
                else
                    play = selected = 3;
            }
            if (play >= 0)
                sounds[play]->play(play == 3 ? -1 : 0);  // -1 repeats until stopped
            if (LFKey(LFKeyS, -1))
                LFStopAllSounds();
            // Held keys repeat after half a second.
            LFSound* sound = sounds[selected];
            int up = LFKeyWithDelayedRepeat(LFKeyUp) ? 8 : LFKeyWithDelayedRepeat(LFKeyDown) ? -8 : 0;
            if (up)
                sound->setVolume(LFMaxi(0, LFMini(128, sound->vol + up)));
            int right = LFKeyWithDelayedRepeat(LFKeyRight) ? 1 : LFKeyWithDelayedRepeat(LFKeyLeft) ? -1 : 0;
            if (right || play >= 0) {
                // Panning belongs to the mixer channel, and the next sound played
                // there inherits it: set it again after every play.
                int& p = pan[selected];
                p = LFMaxi(-4, LFMini(4, p + right));
                sound->setPanning(p > 0 ? 255 - p * 63 : 255, p < 0 ? 255 + p * 63 : 255);
            }
            int louder = LFKeyWithDelayedRepeat(LFKeyEquals) ? 8 : LFKeyWithDelayedRepeat(LFKeyMinus) ? -8 : 0;
            if (louder) {
                // The master volume sets every channel to it at once; setting each
                // sound's volume again restores their own levels beneath it.
                master = LFMaxi(0, LFMini(128, master + louder));
                LFSetSoundVolume(master);
                for (LFSound* s : sounds)
                    s->setVolume(s->vol);
            }
            LFLogicUpdate();
        }
        LFPostLogicLoop();

        glClearColor(0.13f, 0.12f, 0.16f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        window->setRenderContext();
        LFColor white = LFMakeColor(1, 1, 1, 1), grey = LFMakeColor(0.6f, 0.6f, 0.65f, 1);
        text(20, 14, white, LFTempString("Master volume %d  (- and =)", master));
        bar(300, 18, master, 128, LFMakeColor(0.9f, 0.7f, 0.2f, 1));
        for (int i = 0; i < 4; i++) {
            float y = 70 + i * 90;
            if (i == selected)
                LFDrawRectFill(LFMakeRect(10, y - 8, 620, 80), LFMakeColor(0.22f, 0.21f, 0.28f, 1));
            int playing = sounds[i]->isPlaying();
            LFDrawCircleFill(LFMakePoint(30, y + 10), 8, 16,
                             playing ? LFMakeColor(0.3f, 1, 0.4f, 1) : LFMakeColor(0.35f, 0.35f, 0.4f, 1));
            text(50, y, white, (char*)kNames[i]);
            // volume() is what the mixer channel plays at: master x own / 128.
            text(50, y + 24, grey, playing ? LFTempString("channel %d at volume %d", sounds[i]->channel, sounds[i]->volume())
                                           : (char*)"idle");
            text(300, y, grey, LFTempString("volume %d", sounds[i]->vol));
            bar(420, y + 4, sounds[i]->vol, 128, LFMakeColor(0.3f, 0.6f, 1, 1));
            text(300, y + 30, grey, (char*)"panning");
            LFDrawLine(LFMakePoint(420, y + 40), LFMakePoint(620, y + 40), grey);
            LFDrawRectFill(LFMakeRect(516 + pan[i] * 24, y + 32, 8, 17), LFMakeColor(1, 0.5f, 0.3f, 1));
        }
        text(20, 446, grey, (char*)"Up/Down volume, Left/Right panning of the selected sound; S stops all");
        window->swapBuffers();
    }

    for (LFSound* sound : sounds)
        delete sound;
    delete window;
    LFDeInit();
    return 0;
}
