// The audio device, the master volume, sounds and music: channel state as
// SDL_mixer reports it on SDL's dummy driver, and what reaches the speakers as
// SDL's disk driver writes it. Test samples are made here at run time; the
// music in four formats at build time (LF_MUSIC_DIR, tests/CMakeLists.txt).
#include <limits.h>    // INT_MAX, INT_MIN
#include <math.h>      // sin, M_PI
#include <stdio.h>     // fopen, fwrite, fread
#include <stdlib.h>    // setenv
#include <string.h>    // strncmp
#include <sys/stat.h>  // stat

#include <algorithm>  // std::max, std::min
#include <new>        // std::bad_alloc
#include <string>
#include <vector>

#include "TestSupport.h"
#include "audio/LFAudioPrivate.h"
#include "string/LFStringPrivate.h"
#include "system/LFApplicationPrivate.h"

namespace {

const int kRate = 44100;
// Frames in one chunk of the default device: the mixer's unit of work.
const int kChunkFrames = 1024;
// The test tone: a square wave that never passes through zero, so that every
// frame it covers in the output is non-zero and a note's length can be counted.
const int kToneFrames = 2205;  // 50 ms
const int kToneLevel = 8000;

void Put16(std::vector<unsigned char>& bytes, int value)
{
    bytes.push_back(value & 0xFF);
    bytes.push_back((value >> 8) & 0xFF);
}

void Put32(std::vector<unsigned char>& bytes, long value)
{
    Put16(bytes, value & 0xFFFF);
    Put16(bytes, (value >> 16) & 0xFFFF);
}

void PutTag(std::vector<unsigned char>& bytes, const char* tag)
{
    bytes.insert(bytes.end(), tag, tag + 4);
}

void WriteFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, file) << path;
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
}

// Writes interleaved stereo 16-bit PCM at 44100 Hz as a RIFF/WAVE file: the
// device's own format, so the mixer loads the samples unconverted.
void WriteStereoWav(const std::string& path, const std::vector<Sint16>& samples)
{
    const int channels = 2, bytesPerSample = 2;
    long dataBytes = (long)samples.size() * bytesPerSample;
    std::vector<unsigned char> bytes;
    PutTag(bytes, "RIFF");
    Put32(bytes, 36 + dataBytes);
    PutTag(bytes, "WAVE");
    PutTag(bytes, "fmt ");
    Put32(bytes, 16);
    Put16(bytes, 1);  // PCM
    Put16(bytes, channels);
    Put32(bytes, kRate);
    Put32(bytes, (long)kRate * channels * bytesPerSample);
    Put16(bytes, channels * bytesPerSample);
    Put16(bytes, 8 * bytesPerSample);
    PutTag(bytes, "data");
    Put32(bytes, dataBytes);
    for (Sint16 sample : samples)
        Put16(bytes, (Uint16)sample);
    WriteFile(path, bytes);
}

// The same signal on both sides, interleaved.
std::vector<Sint16> Stereo(const std::vector<Sint16>& mono)
{
    std::vector<Sint16> stereo;
    for (Sint16 sample : mono) {
        stereo.push_back(sample);
        stereo.push_back(sample);
    }
    return stereo;
}

std::vector<Sint16> Sine(double hertz, int amplitude, int frames)
{
    std::vector<Sint16> samples;
    for (int i = 0; i < frames; i++)
        samples.push_back((Sint16)lround(amplitude * sin(2 * M_PI * hertz * i / kRate)));
    return samples;
}

// kToneLevel, then -kToneLevel, every 50 frames (441 Hz).
std::vector<Sint16> Tone(int frames = kToneFrames)
{
    std::vector<Sint16> samples;
    for (int i = 0; i < frames; i++)
        samples.push_back((i / 50) % 2 ? -kToneLevel : kToneLevel);
    return samples;
}

long FileSize(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? (long)info.st_size : 0;
}

// Every 16-bit little-endian sample of a file.
std::vector<Sint16> ReadSamples(const std::string& path)
{
    std::vector<Sint16> samples;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return samples;
    unsigned char pair[2];
    while (fread(pair, 1, 2, file) == 2)
        samples.push_back((Sint16)(pair[0] | (pair[1] << 8)));
    fclose(file);
    return samples;
}

// One side (0 left, 1 right) of interleaved stereo samples.
std::vector<Sint16> Side(const std::vector<Sint16>& stereo, int side)
{
    std::vector<Sint16> samples;
    for (size_t i = side; i < stereo.size(); i += 2)
        samples.push_back(stereo[i]);
    return samples;
}

// The frames from the first non-zero sample to the last; empty when silent.
struct Span {
    long first = -1;
    long last = -2;
    long length() const { return last - first + 1; }
};

Span NonSilentSpan(const std::vector<Sint16>& samples)
{
    Span span;
    for (size_t i = 0; i < samples.size(); i++) {
        if (samples[i] == 0)
            continue;
        if (span.first < 0)
            span.first = (long)i;
        span.last = (long)i;
    }
    return span;
}

// How many samples in [first, last] are neither level nor -level.
long CountOffLevel(const std::vector<Sint16>& samples, long first, long last, int level)
{
    long off = 0;
    for (long i = first; i <= last; i++)
        if (samples[i] != level && samples[i] != -level)
            off++;
    return off;
}

// The library started, with SDL's dummy audio driver selected but no device
// open. Every test sets its driver itself: they may all run in one process.
class Audio : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_NE(0, LFInit()) << LFError();
        // The master volume is module state: it outlives LFDeInit.
        LFSetSoundVolume(128);
    }

    void TearDown() override
    {
        _LFCleanTempStrings();
        LFDeInit();
    }

    // A sample written to the temporary directory, as the path a game passes.
    char* wav(const char* name, const std::vector<Sint16>& stereo)
    {
        std::string path = dir.file(name);
        WriteStereoWav(path, stereo);
        return LFTempString("%s", path.c_str());
    }
    // A sample far longer than any test runs, so that play(0) still plays.
    char* longWav(const char* name) { return wav(name, Stereo(Tone(10 * kRate))); }

    TempDir dir{"lfsound"};
};

// The default device open on the dummy driver: mixer state without output.
class Sound : public Audio {
protected:
    void SetUp() override
    {
        Audio::SetUp();
        ASSERT_EQ(-1, LFInitAudio()) << LFError();
    }
};

// The default device open on SDL's disk driver, whose thread writes the mixed
// output to a file at the pace of a real device.
class SoundOutput : public Audio {
protected:
    void SetUp() override
    {
        output = dir.file("output.raw");
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
        ASSERT_NE(0, LFInit()) << LFError();
        LFSetSoundVolume(128);
        ASSERT_EQ(-1, LFInitAudio()) << LFError();
        int rate = 0, channels = 0;
        Uint16 format = 0;
        ASSERT_NE(0, Mix_QuerySpec(&rate, &format, &channels));
        ASSERT_EQ(kRate, rate);
        ASSERT_EQ(AUDIO_S16LSB, format);
        ASSERT_EQ(2, channels);
    }

    // Waits until the driver has written `frames` frames beyond what the file
    // held at the call, plus three chunks: one the mixer may have had in hand,
    // one left in the file's write buffer, one to spare.
    bool waitForOutput(long frames)
    {
        long target = FileSize(output) + (frames + 3 * kChunkFrames) * 4;
        return WaitFor([&] { return FileSize(output) >= target; });
    }

    // Waits until the sound's channel has stopped by itself.
    bool waitUntilFinished(LFSound& sound)
    {
        return WaitFor([&] { return sound.isPlaying() == 0; });
    }

    // Lets `frames` more frames out, closes the device (which flushes the
    // file) and returns the left side of everything written.
    std::vector<Sint16> finishLeft(long frames = 0) { return Side(finish(frames), 0); }
    std::vector<Sint16> finish(long frames = 0)
    {
        EXPECT_TRUE(waitForOutput(frames)) << "the disk driver wrote too little";
        _LFDeInitAudio();
        return ReadSamples(output);
    }

    std::string output;

    // The device thread runs in real time: poll, giving up after 10 s.
    template <typename Condition>
    static bool WaitFor(Condition done)
    {
        Uint32 deadline = SDL_GetTicks() + 10000;
        while (!done()) {
            if (SDL_TICKS_PASSED(SDL_GetTicks(), deadline))
                return false;
            SDL_Delay(5);
        }
        return true;
    }
};

// ---------------------------------------------------------------- device

TEST_F(Audio, InitAudioOpensTheDefaultDevice)
{
    EXPECT_EQ(0, _LFAudioInitialized);
    ASSERT_EQ(-1, LFInitAudio()) << LFError();
    EXPECT_EQ(-1, _LFAudioInitialized);
    int rate = 0, channels = 0;
    Uint16 format = 0;
    EXPECT_EQ(1, Mix_QuerySpec(&rate, &format, &channels));
    EXPECT_EQ(44100, rate);
    EXPECT_EQ(AUDIO_S16LSB, format);
    EXPECT_EQ(2, channels);
    EXPECT_EQ(8, Mix_AllocateChannels(-1));
    EXPECT_STREQ("", LFError());
}

TEST_F(Audio, InitAudioTwiceClosesTheFirstDevice)
{
    ASSERT_EQ(-1, LFInitAudio());
    ASSERT_EQ(-1, LFInitAudio(22050, AUDIO_S16LSB, 1, 512)) << LFError();
    int rate = 0, channels = 0;
    Uint16 format = 0;
    EXPECT_EQ(1, Mix_QuerySpec(&rate, &format, &channels));  // opened once, not twice
    EXPECT_EQ(22050, rate);
    EXPECT_EQ(1, channels);
    _LFDeInitAudio();
    EXPECT_EQ(0u, SDL_WasInit(SDL_INIT_AUDIO));  // no reference left behind
}

TEST_F(Audio, DeInitAudioClosesTheDevice)
{
    ASSERT_EQ(-1, LFInitAudio());
    _LFDeInitAudio();
    EXPECT_EQ(0, _LFAudioInitialized);
    EXPECT_EQ(0, Mix_QuerySpec(NULL, NULL, NULL));
    EXPECT_EQ(0u, SDL_WasInit(SDL_INIT_AUDIO));
    _LFDeInitAudio();  // closed already: nothing happens
    EXPECT_EQ(0, _LFAudioInitialized);
}

TEST_F(Audio, DeInitClosesTheDevice)
{
    ASSERT_EQ(-1, LFInitAudio());
    LFDeInit();
    EXPECT_EQ(0, _LFAudioInitialized);
    EXPECT_EQ(0, Mix_QuerySpec(NULL, NULL, NULL));
}

TEST_F(Audio, MissingDriverIsReported)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_EQ(0, LFInitAudio());
    EXPECT_EQ(0, strncmp(LFError(), "Couldn't initialize SDL: ", 25)) << LFError();
    EXPECT_STRNE("Couldn't initialize SDL: ", LFError());  // SDL's reason follows
    EXPECT_EQ(0, _LFAudioInitialized);
}

TEST_F(Audio, UnopenableDeviceIsReported)
{
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (dir.path() + "/missing/output.raw").c_str(), 1);
    EXPECT_EQ(0, LFInitAudio());
    EXPECT_EQ(0, strncmp(LFError(), "Unable to initialize audio: ", 28)) << LFError();
    EXPECT_STRNE("Unable to initialize audio: ", LFError());
    EXPECT_EQ(0, _LFAudioInitialized);
    EXPECT_EQ(0u, SDL_WasInit(SDL_INIT_AUDIO));
}

// What a game does when no device can be opened: pick SDL's dummy driver and
// try again. The driver that failed must not stay selected.
TEST_F(Audio, AnotherDriverOpensAfterAFailure)
{
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (dir.path() + "/missing/output.raw").c_str(), 1);
    ASSERT_EQ(0, LFInitAudio());
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(-1, LFInitAudio()) << LFError();
    EXPECT_STREQ("dummy", SDL_GetCurrentAudioDriver());
    LFSound sound(longWav("a.wav"));
    EXPECT_EQ(-1, sound.play(0));
    EXPECT_EQ(1, sound.isPlaying());
}

TEST_F(Audio, FailedReopenLeavesTheDeviceClosed)
{
    ASSERT_EQ(-1, LFInitAudio());
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_EQ(0, LFInitAudio());
    EXPECT_EQ(0, _LFAudioInitialized);
    EXPECT_EQ(0, Mix_QuerySpec(NULL, NULL, NULL));
}

// ---------------------------------------------------------------- loading

TEST_F(Sound, DefaultConstructorThrows)
{
    EXPECT_THROW(new LFSound(), std::bad_alloc);
}

TEST_F(Sound, MissingFileThrowsLoadErrorNamingIt)
{
    std::string path = dir.file("missing.wav");
    try {
        LFSound sound(LFTempString("%s", path.c_str()));
        FAIL() << "no exception";
    } catch (const LFLoadError& error) {
        EXPECT_EQ(0, std::string(error.what()).find(path + ": ")) << error.what();
        EXPECT_STREQ(LFError(), error.what());
    }
}

TEST_F(Sound, UndecodableFileThrows)
{
    std::string path = dir.file("noise.wav");
    WriteFile(path, std::vector<unsigned char>(64, 0x5A));
    EXPECT_THROW(new LFSound(LFTempString("%s", path.c_str())), std::bad_alloc);
}

TEST_F(Audio, LoadingWithoutADeviceThrows)
{
    char* path = wav("a.wav", Stereo(Tone()));
    EXPECT_THROW(new LFSound(path), std::bad_alloc);
}

TEST_F(Sound, NewSoundHasNoChannelAndFullVolume)
{
    LFSound sound(wav("a.wav", Stereo(Tone())));
    EXPECT_NE(nullptr, sound.sound);
    EXPECT_EQ(-1, sound.channel);
    EXPECT_EQ(128, sound.vol);
    EXPECT_EQ(0, sound.volume());
    EXPECT_EQ(0, sound.isPlaying());
    sound.stop();
    EXPECT_EQ(-1, sound.channel);
}

TEST_F(Sound, UnplayedSoundTouchesNoChannel)
{
    Mix_Volume(-1, 100);
    LFSound sound(wav("a.wav", Stereo(Tone())));
    sound.setVolume(64);
    sound.setPanning(0, 0);
    sound.setDistance(255);
    EXPECT_EQ(64, sound.vol);
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(100, Mix_Volume(i, -1)) << "channel " << i;
    EXPECT_EQ(0, Mix_Playing(-1));
}

// ---------------------------------------------------------------- channels

TEST_F(Sound, PlayTakesTheFirstFreeChannel)
{
    LFSound first(longWav("a.wav")), second(longWav("b.wav"));
    EXPECT_EQ(-1, first.play(0));
    EXPECT_EQ(0, first.channel);
    EXPECT_EQ(-1, second.play(0));
    EXPECT_EQ(1, second.channel);
    EXPECT_EQ(1, first.isPlaying());
    EXPECT_EQ(1, Mix_Playing(1));
}

TEST_F(Sound, PlayLeavesReservedChannelsAlone)
{
    // The mixer keeps its reservation across devices: it is undone at the end.
    struct Reservation {
        ~Reservation() { Mix_ReserveChannels(0); }
    } reservation;
    LFSetMixingChannels(3);
    ASSERT_EQ(2, Mix_ReserveChannels(2));
    LFSound first(longWav("a.wav")), second(longWav("b.wav"));
    EXPECT_EQ(-1, first.play(0));
    EXPECT_EQ(2, first.channel);
    EXPECT_EQ(0, Mix_Playing(0));
    EXPECT_EQ(0, Mix_Playing(1));
    EXPECT_EQ(0, second.play(0)) << "the one channel that is not reserved is taken";
    EXPECT_EQ(-1, second.channel);
}

TEST_F(Sound, EndlessPlayLastsUntilStop)
{
    LFSound sound(wav("a.wav", Stereo(Tone())));
    ASSERT_EQ(-1, sound.play(-1));
    int channel = sound.channel;
    EXPECT_EQ(1, sound.isPlaying());
    sound.stop();
    EXPECT_EQ(-1, sound.channel);
    EXPECT_EQ(0, sound.isPlaying());
    EXPECT_EQ(0, Mix_Playing(channel));
}

TEST_F(Sound, PlayingAgainStartsASecondVoiceAndForgetsTheFirst)
{
    LFSound sound(longWav("a.wav"));
    ASSERT_EQ(-1, sound.play(0));
    ASSERT_EQ(-1, sound.play(0));
    EXPECT_EQ(1, sound.channel);
    sound.stop();
    EXPECT_EQ(1, Mix_Playing(0));  // the first voice plays on
    EXPECT_EQ(0, Mix_Playing(1));
}

TEST_F(Sound, NoFreeChannelMeansNothingPlays)
{
    LFSetMixingChannels(2);
    LFSound first(longWav("a.wav")), second(longWav("b.wav")), third(longWav("c.wav"));
    ASSERT_EQ(-1, first.play(0));
    ASSERT_EQ(-1, second.play(0));
    EXPECT_EQ(0, third.play(0));
    EXPECT_EQ(-1, third.channel);
    EXPECT_EQ(0, third.isPlaying());
    EXPECT_EQ(0, third.volume());
    first.stop();
    EXPECT_EQ(-1, third.play(0));
    EXPECT_EQ(0, third.channel);
}

TEST_F(Sound, SetMixingChannelsSetsTheChannelCount)
{
    LFSetMixingChannels(16);
    EXPECT_EQ(16, Mix_AllocateChannels(-1));
    LFSound sound(longWav("a.wav"));
    for (int i = 0; i < 16; i++)
        ASSERT_EQ(-1, sound.play(0)) << "voice " << i;
    EXPECT_EQ(0, sound.play(0));
    LFSetMixingChannels(4);  // the twelve voices cut off are halted
    EXPECT_EQ(4, Mix_Playing(-1));
}

// The sound acts on the channel it remembers, whoever plays there now.
TEST_F(Sound, RememberedChannelMayCarryAnotherSound)
{
    LFSound first(longWav("a.wav")), second(longWav("b.wav"));
    ASSERT_EQ(-1, first.play(0));
    LFStopAllSounds();
    EXPECT_EQ(0, first.channel);  // kept after the halt
    EXPECT_EQ(0, first.isPlaying());
    ASSERT_EQ(-1, second.play(0));
    EXPECT_EQ(0, second.channel);
    EXPECT_EQ(1, first.isPlaying());
    first.stop();
    EXPECT_EQ(0, second.isPlaying());
}

TEST_F(Sound, StopAllSoundsHaltsEveryChannel)
{
    LFSound first(longWav("a.wav")), second(wav("b.wav", Stereo(Tone())));
    ASSERT_EQ(-1, first.play(0));
    ASSERT_EQ(-1, second.play(-1));
    LFStopAllSounds();
    EXPECT_EQ(0, Mix_Playing(-1));
    EXPECT_EQ(0, first.isPlaying());
    EXPECT_EQ(0, second.isPlaying());
}

TEST_F(Sound, DeletingASoundHaltsAllItsVoices)
{
    LFSound* sound = new LFSound(longWav("a.wav"));
    ASSERT_EQ(-1, sound->play(0));
    ASSERT_EQ(-1, sound->play(-1));
    EXPECT_EQ(2, Mix_Playing(-1));
    delete sound;
    EXPECT_EQ(0, Mix_Playing(-1));
}

// ---------------------------------------------------------------- volume

TEST_F(Sound, PlayAppliesTheSoundsOwnVolume)
{
    LFSound sound(longWav("a.wav"));
    sound.setVolume(100);
    ASSERT_EQ(-1, sound.play(0));
    EXPECT_EQ(100, Mix_Volume(sound.channel, -1));
    EXPECT_EQ(100, sound.volume());
}

TEST_F(Sound, SetVolumeIsScaledByTheMasterVolume)
{
    LFSound sound(longWav("a.wav"));
    ASSERT_EQ(-1, sound.play(0));
    sound.setVolume(64);
    EXPECT_EQ(64, Mix_Volume(sound.channel, -1));
    LFSetSoundVolume(64);
    sound.setVolume(64);
    EXPECT_EQ(32, Mix_Volume(sound.channel, -1));
    sound.setVolume(127);
    EXPECT_EQ(63, Mix_Volume(sound.channel, -1));  // 63.5, truncated
    EXPECT_EQ(63, sound.volume());
    EXPECT_EQ(127, sound.vol);
}

TEST_F(Sound, SetSoundVolumeSetsEveryChannelNow)
{
    LFSound sound(longWav("a.wav"));
    ASSERT_EQ(-1, sound.play(0));
    sound.setVolume(100);
    LFSetSoundVolume(64);
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(64, Mix_Volume(i, -1)) << "channel " << i;
    EXPECT_EQ(100, sound.vol);  // the sound's own volume is kept
    LFSound later(longWav("b.wav"));
    ASSERT_EQ(-1, later.play(0));
    EXPECT_EQ(64, later.volume());  // 128 scaled by 64
}

// Volumes are stored as given; only the mixer holds them to 0..128, playing
// more as 128 and taking a negative volume as a query that changes nothing.
TEST_F(Sound, VolumesAreStoredAsGivenAndTheMixerClampsThem)
{
    LFSound sound(longWav("a.wav"));
    ASSERT_EQ(-1, sound.play(0));
    sound.setVolume(200);
    EXPECT_EQ(200, sound.vol);
    EXPECT_EQ(128, sound.volume());
    LFSetSoundVolume(64);
    sound.setVolume(sound.vol);
    EXPECT_EQ(100, sound.volume()) << "the master scales the 200 stored";
    sound.setVolume(-5);
    EXPECT_EQ(-5, sound.vol);
    EXPECT_EQ(100, sound.volume()) << "a negative volume leaves the channel as it was";

    sound.setVolume(64);
    ASSERT_EQ(32, sound.volume());
    LFSetSoundVolume(-5);
    EXPECT_EQ(32, sound.volume()) << "a negative master volume changes no channel";
    LFSound other(longWav("b.wav"));
    ASSERT_EQ(-1, other.play(0));
    EXPECT_EQ(64, other.volume()) << "and later sounds keep their channel's volume, 64 from before";
    sound.setVolume(128);
    EXPECT_EQ(32, sound.volume());

    // Products far beyond the int range act as the mixer would on their value.
    LFSetSoundVolume(INT_MAX);
    sound.setVolume(0);
    ASSERT_EQ(0, sound.volume());
    sound.setVolume(INT_MAX);
    EXPECT_EQ(128, sound.volume());
    sound.setVolume(INT_MIN);
    EXPECT_EQ(128, sound.volume());
    EXPECT_EQ(INT_MIN, sound.vol);
}

// ---------------------------------------------------------------- closed device

// A game may lose its device (a failed reopen) or shut down before deleting
// its sounds: nothing plays then, and nothing breaks.
TEST_F(Sound, ClosedDeviceIsHarmless)
{
    LFSound* sound = new LFSound(longWav("a.wav"));
    ASSERT_EQ(-1, sound->play(-1));
    _LFDeInitAudio();
    EXPECT_EQ(0, sound->isPlaying());
    EXPECT_EQ(0, sound->volume());
    sound->setVolume(64);
    EXPECT_EQ(64, sound->vol);
    sound->setPanning(255, 0);
    sound->setDistance(100);
    LFSetMixingChannels(2);
    LFSetSoundVolume(64);
    LFStopAllSounds();
    EXPECT_EQ(0, sound->play(0));
    EXPECT_EQ(-1, sound->channel);
    sound->stop();
    delete sound;

    ASSERT_EQ(-1, LFInitAudio());
    EXPECT_EQ(8, Mix_AllocateChannels(-1));
    LFSound later(longWav("b.wav"));
    ASSERT_EQ(-1, later.play(0));
    EXPECT_EQ(64, later.volume());  // the master volume set while closed holds
}

TEST_F(Sound, SoundsCanBeDeletedAfterDeInit)
{
    LFSound* sound = new LFSound(longWav("a.wav"));
    ASSERT_EQ(-1, sound->play(-1));
    LFDeInit();
    EXPECT_EQ(0, sound->play(0));
    delete sound;
}

TEST_F(Sound, SoundsSurviveAFailedReopen)
{
    LFSound sound(longWav("a.wav"));
    ASSERT_EQ(-1, sound.play(-1));
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    ASSERT_EQ(0, LFInitAudio());
    EXPECT_EQ(0, sound.isPlaying());
    EXPECT_EQ(0, sound.play(-1));
    LFStopAllSounds();
}

// ---------------------------------------------------------------- output

TEST_F(SoundOutput, PlayedNoteReachesTheOutput)
{
    const int frames = kRate / 4;
    std::vector<Sint16> note = Sine(440, 10000, frames);
    LFSound sound(wav("note.wav", Stereo(note)));
    ASSERT_EQ(-1, sound.play(0));
    std::vector<Sint16> out = finish(frames);
    std::vector<Sint16> left = Side(out, 0);
    EXPECT_EQ(left, Side(out, 1));

    // The sine opens with a zero sample: the note starts a frame before the
    // first sound. At full volume it arrives sample for sample.
    Span span = NonSilentSpan(left);
    ASSERT_GE(span.first, 1) << "nothing was played";
    long start = span.first - 1;
    ASSERT_LE(start + frames, (long)left.size());
    long differing = 0, risingCrossings = 0;
    for (long i = 0; i < frames; i++) {
        differing += left[start + i] != note[i];
        risingCrossings += i > 0 && left[start + i - 1] < 0 && left[start + i] >= 0;
    }
    EXPECT_EQ(0, differing);
    EXPECT_NEAR(440.0, risingCrossings * (double)kRate / frames, 8.0);
    EXPECT_LE(span.last, start + frames - 1);  // silence after
}

TEST_F(SoundOutput, PlayOncePlaysTheSampleOnce)
{
    LFSound sound(wav("tone.wav", Stereo(Tone())));
    ASSERT_EQ(-1, sound.play(0));
    int channel = sound.channel;
    ASSERT_TRUE(waitUntilFinished(sound));
    EXPECT_EQ(channel, sound.channel);  // remembered after the end
    EXPECT_EQ(128, sound.volume());
    std::vector<Sint16> left = finishLeft();
    Span span = NonSilentSpan(left);
    EXPECT_EQ(kToneFrames, span.length());
    EXPECT_EQ(0, CountOffLevel(left, span.first, span.last, kToneLevel));
}

TEST_F(SoundOutput, PlayTwoPlaysTheSampleThreeTimes)
{
    LFSound sound(wav("tone.wav", Stereo(Tone())));
    ASSERT_EQ(-1, sound.play(2));
    ASSERT_TRUE(waitUntilFinished(sound));
    std::vector<Sint16> left = finishLeft();
    Span span = NonSilentSpan(left);
    EXPECT_EQ(3 * kToneFrames, span.length());
    EXPECT_EQ(0, CountOffLevel(left, span.first, span.last, kToneLevel));
}

TEST_F(SoundOutput, EndlessPlayLoopsUntilStop)
{
    LFSound sound(wav("tone.wav", Stereo(Tone())));
    ASSERT_EQ(-1, sound.play(-1));
    ASSERT_TRUE(waitForOutput(20 * kToneFrames));
    EXPECT_EQ(1, sound.isPlaying());
    sound.stop();
    std::vector<Sint16> left = finishLeft(2 * kChunkFrames);
    Span span = NonSilentSpan(left);
    EXPECT_GE(span.length(), 20 * kToneFrames);
    EXPECT_EQ(0, CountOffLevel(left, span.first, span.last, kToneLevel));
    EXPECT_LT(span.last, (long)left.size() - kChunkFrames);  // it stopped
}

// The sound is set first, so its first chunk mixes at the scaled volume too.
TEST_F(SoundOutput, OutputIsScaledBySoundAndMasterVolume)
{
    LFSound sound(wav("tone.wav", Stereo(Tone())));
    LFSetSoundVolume(64);
    sound.setVolume(127);
    ASSERT_EQ(-1, sound.play(0));
    ASSERT_TRUE(waitUntilFinished(sound));
    std::vector<Sint16> left = finishLeft();
    Span span = NonSilentSpan(left);
    EXPECT_EQ(kToneFrames, span.length());
    EXPECT_EQ(0, CountOffLevel(left, span.first, span.last, kToneLevel * 63 / 128));
}

// Panning and distance act on a channel already playing: a chunk or two may
// be mixed before the call, so the checks start later.
const long kSettleFrames = 4 * kChunkFrames;

TEST_F(SoundOutput, PanningIsCutToEightBits)
{
    LFSound sound(wav("tone.wav", Stereo(Tone())));
    ASSERT_EQ(-1, sound.play(-1));
    sound.setPanning(256, 255);  // 0 and 255: right only
    ASSERT_TRUE(waitForOutput(kSettleFrames + 10 * kToneFrames));
    sound.stop();
    std::vector<Sint16> out = finish(2 * kChunkFrames);
    std::vector<Sint16> left = Side(out, 0), right = Side(out, 1);
    Span span = NonSilentSpan(right);
    ASSERT_GT(span.length(), kSettleFrames + 10 * kToneFrames);
    long from = span.first + kSettleFrames;
    EXPECT_EQ(0, CountOffLevel(right, from, span.last, kToneLevel));
    EXPECT_EQ(0, CountOffLevel(left, from, span.last, 0));
}

TEST_F(SoundOutput, DistanceIsCutToEightBits)
{
    LFSound sound(wav("tone.wav", Stereo(Tone())));
    ASSERT_EQ(-1, sound.play(-1));
    sound.setDistance(256 + 127);  // 127: about half way
    ASSERT_TRUE(waitForOutput(kSettleFrames + 10 * kToneFrames));
    sound.stop();
    std::vector<Sint16> left = finishLeft(2 * kChunkFrames);
    Span span = NonSilentSpan(left);
    ASSERT_GT(span.length(), kSettleFrames + 10 * kToneFrames);
    // The mixer scales by (255 - distance) / 255 in single precision.
    int expected = (int)(kToneLevel * ((255 - 127) / 255.0f));
    long from = span.first + kSettleFrames;
    long off = 0;
    for (long i = from; i <= span.last; i++)
        off += abs(abs(left[i]) - expected) > 1;
    EXPECT_EQ(0, off) << "expected about " << expected << ", got " << left[from];
}

// ---------------------------------------------------------------- music

const char* const kMusicFormats[] = {"wav", "ogg", "flac", "mp3"};

char* TunePath(const char* format)
{
    return LFTempString("%s/tune.%s", LF_MUSIC_DIR, format);
}

TEST_F(Audio, MusicNeedsAnOpenDeviceAndADecodableFile)
{
    char* path = TunePath("ogg");
    EXPECT_THROW(LFMusic music(path), std::bad_alloc);
    EXPECT_EQ("Unable to load music " + std::string(path) + ": the audio device is not open", LFError());
    ASSERT_EQ(-1, LFInitAudio());
    EXPECT_THROW(LFMusic music(NULL), std::bad_alloc);
    EXPECT_STREQ("Unable to load music (null): no path", LFError());
    for (const char* name : {"missing.ogg", "notes.txt"}) {
        std::string file = dir.file(name);
        if (name[0] == 'n')
            WriteFile(file, std::vector<unsigned char>(300, 'x'));
        std::string prefix = "Unable to load music " + file + ": ";
        try {
            LFMusic music(file.c_str());
            ADD_FAILURE() << "no exception for " << name;
        } catch (const LFLoadError& error) {
            EXPECT_STREQ(LFError(), error.what());
        }
        EXPECT_EQ(prefix, std::string(LFError()).substr(0, prefix.size()));
        EXPECT_GT(strlen(LFError()), prefix.size()) << "the mixer's reason follows";
    }
}

// The output is read once the device is closed (Windows does not share a
// file its writer holds); each format's stretch starts three chunks after
// its play, past what the mixer still had of the format before.
TEST_F(SoundOutput, MusicOfEveryFormatReachesTheOutput)
{
    std::vector<long> starts;
    for (const char* format : kMusicFormats) {
        SCOPED_TRACE(format);
        starts.push_back(FileSize(output) / 4);
        LFMusic music(TunePath(format));
        EXPECT_EQ(0, music.isPlaying());
        ASSERT_EQ(-1, music.play(-1)) << LFError();
        EXPECT_EQ(1, music.isPlaying());
        ASSERT_TRUE(waitForOutput(kRate / 10));
        music.stop();
        EXPECT_EQ(0, music.isPlaying());
    }
    std::vector<Sint16> left = finishLeft();
    starts.push_back((long)left.size());
    for (size_t i = 0; i + 1 < starts.size(); i++) {
        SCOPED_TRACE(kMusicFormats[i]);
        ASSERT_LE(starts[i + 1], (long)left.size());
        long from = std::min(starts[i] + 3 * kChunkFrames, starts[i + 1]);
        Span span = NonSilentSpan(std::vector<Sint16>(left.begin() + from, left.begin() + starts[i + 1]));
        EXPECT_GT(span.length(), kRate / 20) << "the tune is heard";
    }
}

// A WAV tone as music: loops counts the plays, and the samples come out as
// they went in.
TEST_F(SoundOutput, MusicPlaysLoopsTimesAndStopsByItself)
{
    LFMusic music(wav("tone.wav", Stereo(Tone())));
    ASSERT_EQ(-1, music.play(2));
    ASSERT_TRUE(WaitFor([&] { return music.isPlaying() == 0; }));
    std::vector<Sint16> left = finishLeft();
    Span span = NonSilentSpan(left);
    EXPECT_EQ(2 * kToneFrames, span.length());
    EXPECT_EQ(0, CountOffLevel(left, span.first, span.last, kToneLevel));
}

TEST_F(SoundOutput, MusicFadesInAndOut)
{
    LFMusic music(longWav("long.wav"));
    ASSERT_EQ(-1, music.fadeIn(200, -1));
    ASSERT_TRUE(waitForOutput(kRate / 2));
    music.fadeOut(200);
    ASSERT_TRUE(WaitFor([&] { return music.isPlaying() == 0; }));
    std::vector<Sint16> left = finishLeft();
    Span span = NonSilentSpan(left);
    ASSERT_GT(span.length(), kRate / 2);
    auto level = [&](long from) {
        int loudest = 0;
        for (long i = from; i < from + 100; i++)
            loudest = std::max(loudest, abs(left[i]));
        return loudest;
    };
    EXPECT_LT(level(span.first), kToneLevel / 4) << "fading in";
    EXPECT_EQ(kToneLevel, level(span.first + kRate / 4)) << "in full";
    EXPECT_LT(level(span.last - 100), kToneLevel / 4) << "faded out";
}

TEST_F(Sound, MusicPausesResumesFadesAndStops)
{
    LFMusic music(longWav("a.wav"));
    ASSERT_EQ(-1, music.fadeIn(60000, -1));
    EXPECT_EQ(MIX_FADING_IN, Mix_FadingMusic());
    music.pause();
    EXPECT_EQ(1, Mix_PausedMusic());
    EXPECT_EQ(1, music.isPlaying()) << "paused is still playing";
    music.resume();
    EXPECT_EQ(0, Mix_PausedMusic());
    music.fadeOut(60000);
    EXPECT_EQ(MIX_FADING_OUT, Mix_FadingMusic());
    EXPECT_EQ(1, music.isPlaying());
    // Playing cuts a fade-out short rather than waiting a minute for it.
    ASSERT_EQ(-1, music.play(-1));
    EXPECT_EQ(MIX_NO_FADING, Mix_FadingMusic());
    music.stop();
    EXPECT_EQ(0, music.isPlaying());
    EXPECT_EQ(0, Mix_PlayingMusic());
}

TEST_F(Sound, OnePieceHoldsTheMusicChannelAtATime)
{
    LFMusic first(longWav("a.wav"));
    LFMusic second(longWav("b.wav"));
    ASSERT_EQ(-1, first.play(-1));
    ASSERT_EQ(-1, second.play(-1));
    EXPECT_EQ(0, first.isPlaying());
    EXPECT_EQ(1, second.isPlaying());
    first.stop();
    first.pause();
    first.fadeOut(10);
    EXPECT_EQ(1, second.isPlaying()) << "the first piece no longer holds the channel";
    EXPECT_EQ(0, Mix_PausedMusic());
    EXPECT_EQ(MIX_NO_FADING, Mix_FadingMusic());

    // Deleting a piece fading out halts it at once: the mixer would wait.
    LFMusic* third = new LFMusic(longWav("c.wav"));
    ASSERT_EQ(-1, third->play(-1));
    third->fadeOut(60000);
    delete third;
    EXPECT_EQ(0, Mix_PlayingMusic());
    EXPECT_EQ(0, second.isPlaying());
}

TEST_F(Sound, MusicVolumeIsScaledByTheMasterVolume)
{
    LFMusic first(longWav("a.wav"));
    LFMusic second(longWav("b.wav"));
    LFSetSoundVolume(64);
    ASSERT_EQ(-1, first.play(-1));
    EXPECT_EQ(64, Mix_VolumeMusic(-1));
    first.setVolume(64);
    EXPECT_EQ(32, Mix_VolumeMusic(-1));
    second.setVolume(100);  // not on the channel: kept for its turn
    EXPECT_EQ(32, Mix_VolumeMusic(-1));
    LFSetSoundVolume(128);
    EXPECT_EQ(64, Mix_VolumeMusic(-1));
    ASSERT_EQ(-1, second.play(-1));
    EXPECT_EQ(100, Mix_VolumeMusic(-1));
    second.setVolume(INT_MAX);
    EXPECT_EQ(128, Mix_VolumeMusic(-1));
}

TEST_F(Sound, MusicOnAClosedDeviceIsHarmless)
{
    LFMusic* music = new LFMusic(longWav("a.wav"));
    ASSERT_EQ(-1, music->play(-1));
    _LFDeInitAudio();
    EXPECT_EQ(0, music->isPlaying());
    music->pause();
    music->resume();
    music->fadeOut(100);
    music->setVolume(10);
    music->stop();
    EXPECT_EQ(0, music->play(-1));
    EXPECT_STREQ("Unable to play music: the audio device is not open", LFError());
    EXPECT_EQ(0, music->fadeIn(100, 1));
    ASSERT_EQ(-1, LFInitAudio());
    ASSERT_EQ(-1, music->play(-1)) << LFError();
    EXPECT_EQ(1, music->isPlaying());
    LFDeInit();
    delete music;
}

}  // namespace
