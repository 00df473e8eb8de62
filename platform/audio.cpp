#include "platform/audio.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

#include <alsa/asoundlib.h>
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include "platform/module_music.h"

namespace kalup::audio {

namespace {
// What the mixer thread reads while the module plays; changed only while
// the music hook is removed.
struct MusicFeed {
    openmpt_module* module = nullptr;
    int rate = 0;
    int channels = 0;
};

bool subsystemOpen = false;
bool deviceOpen = false;
Handle lastHandle = 0;
// Each sample owns a run of mixer channels tagged with its handle: the run's
// length is its playback limit.
std::map<Handle, Mix_Chunk*> samples;
std::map<Handle, openmpt_module*> modules;
int channelsTaken = 0;
MusicFeed feed;
// Read by the mixer thread: while either is set the module is not rendered,
// so it stays silent and picks up where it stood.
std::atomic<bool> muted{false};
std::atomic<bool> held{false};

// Runs on SDL's audio thread with the device locked; the mixer adds the
// samples on top of what it writes.
void SDLCALL feedMusic(void* arg, Uint8* stream, int length)
{
    // The mixer has filled the stream with silence already.
    if (muted || held)
        return;
    auto* music = static_cast<MusicFeed*>(arg);
    int frames = length / static_cast<int>(sizeof(std::int16_t) * music->channels);
    module_music::render(music->module, music->rate, music->channels,
                         reinterpret_cast<std::int16_t*>(stream), frames);
}

// SDL keeps a small block of its own (its last error message) for every
// thread that calls it. A thread SDL did not start, such as the one the
// sounds load on, must hand it back before it ends, or it is lost.
struct SdlThreadState {
    SdlThreadState() = default;
    SdlThreadState(const SdlThreadState&) = delete;
    SdlThreadState& operator=(const SdlThreadState&) = delete;
    ~SdlThreadState() { SDL_TLSCleanup(); }
};

void releaseSdlStateAtThreadEnd() { thread_local SdlThreadState state; }

// Mix_LoadWAV leaves its file reader open when it cannot decode the file:
// open and close the reader here instead.
Mix_Chunk* readSampleFile(const char* path)
{
    SDL_RWops* file = SDL_RWFromFile(path, "rb");
    if (!file)
        return nullptr;
    Mix_Chunk* chunk = Mix_LoadWAV_RW(file, 0);
    SDL_RWclose(file);
    return chunk;
}

// ALSA writes its own lines on stderr when the machine has no sound card;
// the game then plays silently, which needs no word to the player.
void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

bool openDevice()
{
    snd_lib_error_set_handler(ignoreAlsaMessage);
    // SDL would otherwise take SIGINT and SIGTERM for an event queue the game
    // never reads, and a quit signal while the game loads would be lost.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    subsystemOpen = true;
    // Mix_OpenAudio spelled out: rate and channel count may follow the
    // device, the 16-bit format may not (the module is rendered in it).
    if (Mix_OpenAudioDevice(44100, AUDIO_S16SYS, 2, 1024, nullptr,
                            SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE) != 0) {
        shutdown();
        return false;
    }
    deviceOpen = true;
    // Every channel belongs to a sample's run; the mixer's eight spare ones would not.
    Mix_AllocateChannels(0);
    setMuted(muted);
    return true;
}

std::vector<unsigned char> readFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
} // namespace

void startLibrary()
{
    // What SDL does once per process, whatever it is asked to start later:
    // the message bus connection among it.
    SDL_Init(0);
}

bool init(Device device)
{
    releaseSdlStateAtThreadEnd();
    shutdown();
    if (device == Device::NoSound)
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    else
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    return openDevice();
}

void start()
{
    if (deviceOpen)
        Mix_Resume(-1);
}

Handle loadSample(const char* path, int maxPlaybacks)
{
    if (!deviceOpen || maxPlaybacks < 1)
        return 0;
    Mix_Chunk* chunk = readSampleFile(path);
    if (!chunk)
        return 0;
    int first = channelsTaken;
    if (Mix_AllocateChannels(first + maxPlaybacks) != first + maxPlaybacks) {
        Mix_FreeChunk(chunk);
        return 0;
    }
    Handle handle = ++lastHandle;
    Mix_GroupChannels(first, first + maxPlaybacks - 1, static_cast<int>(handle));
    channelsTaken += maxPlaybacks;
    samples[handle] = chunk;
    return handle;
}

void playSample(Handle sample)
{
    auto found = samples.find(sample);
    if (found == samples.end())
        return;
    // Only this thread starts playbacks, so a free channel stays free until used.
    int channel = Mix_GroupAvailable(static_cast<int>(sample));
    if (channel >= 0)
        Mix_PlayChannel(channel, found->second, 0);
}

void stopSample(Handle sample)
{
    if (samples.count(sample))
        Mix_HaltGroup(static_cast<int>(sample));
}

Handle loadMusic(const char* path)
{
    if (!deviceOpen)
        return 0;
    openmpt_module* module = module_music::openModule(readFile(path));
    if (!module)
        return 0;
    Handle handle = ++lastHandle;
    modules[handle] = module;
    return handle;
}

void playMusic(Handle music)
{
    auto found = modules.find(music);
    if (found == modules.end())
        return;
    Uint16 format = 0;
    int rate = 0;
    int channels = 0;
    Mix_QuerySpec(&rate, &format, &channels);
    // Removing the hook waits for the mixer thread, so the feed can change.
    Mix_HookMusic(nullptr, nullptr);
    feed = MusicFeed{found->second, rate, channels};
    Mix_HookMusic(feedMusic, &feed);
}

void setMuted(bool mute)
{
    muted = mute;
    if (deviceOpen)
        Mix_MasterVolume(mute ? 0 : MIX_MAX_VOLUME);
}

void holdPlayback(bool hold)
{
    held = hold;
    if (!deviceOpen)
        return;
    if (hold)
        Mix_Pause(-1);
    else
        Mix_Resume(-1);
}

void releaseThreadState() { SDL_TLSCleanup(); }

void shutdown()
{
    if (deviceOpen) {
        // Unhooked first: the mixer thread must be done with the module before it goes.
        Mix_HookMusic(nullptr, nullptr);
        Mix_HaltChannel(-1);
        for (auto& [handle, chunk] : samples)
            Mix_FreeChunk(chunk);
        Mix_CloseAudio();
        Mix_Quit();
    }
    for (auto& [handle, module] : modules)
        module_music::closeModule(module);
    samples.clear();
    modules.clear();
    channelsTaken = 0;
    feed = MusicFeed{};
    held = false;
    deviceOpen = false;
    if (subsystemOpen)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    subsystemOpen = false;
}

} // namespace kalup::audio
