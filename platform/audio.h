#pragma once
// The game's audio library: samples with a playback limit each, and one
// looping tracker module, mixed by SDL2_mixer; the module is rendered by
// libopenmpt.

namespace kalup::audio {

// 0 is no handle: operations on it, or on a handle from before the last
// shutdown, do nothing. Handles are numbered in load order and never reused.
using Handle = unsigned;

enum class Device { Default, NoSound };

// Starts the audio library without opening anything. Without a session
// message bus it forks a helper to look for one: call it while the process
// has no other thread, since a child forked beside running threads may find
// their locks held for ever.
void startLibrary();

// Default opens the system's sound device; NoSound opens a silent one so
// the game runs on without sound. False when the device cannot be opened.
// A second init first releases everything the first one opened.
bool init(Device device);
void start();

// A sample (Ogg Vorbis or WAV) that never plays more than maxPlaybacks times
// at once: a request beyond the limit is dropped and the running playbacks go
// on. 0 when the file cannot be read or no device is open.
Handle loadSample(const char* path, int maxPlaybacks);
void playSample(Handle sample);
void stopSample(Handle sample);

// A tracker module (MO3 and the formats libopenmpt reads), looping for ever.
// 0 when the file cannot be read or no device is open.
Handle loadMusic(const char* path);
void playMusic(Handle music);

// Mutes or unmutes the music and every sample. Muted samples still play,
// unheard, so their playback limits hold as ever. The choice outlasts a
// shutdown and a new init.
void setMuted(bool muted);
// Holds the music and the running samples where they are until released.
void holdPlayback(bool held);

// What the library keeps for the calling thread (SDL's last error message)
// is freed: a thread of the game's own that used the audio calls it before
// it ends, since nothing else would.
void releaseThreadState();

// Stops everything and releases every sample, the module and the device.
// Harmless when nothing is open.
void shutdown();

} // namespace kalup::audio
