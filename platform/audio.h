#pragma once
// The game's audio library: samples with a playback limit each, and one
// looping tracker module, mixed by SDL2_mixer; the module is rendered by
// libopenmpt.

namespace kalup::audio {

// 0 is no handle: operations on it do nothing.
using Handle = unsigned;

enum class Device { Default, NoSound };

// Default opens the system's sound device; NoSound opens a silent one so
// the game runs on without sound. False when the device cannot be opened.
bool init(Device device, void* window);
void start();

// A sample that never plays more than maxPlaybacks times at once: a request
// beyond the limit is dropped and the running playbacks go on.
Handle loadSample(const char* path, int maxPlaybacks);
void playSample(Handle sample);
void stopSample(Handle sample);
// How many playbacks of the sample are running now.
int playingCount(Handle sample);

// A tracker module (MO3 and the formats libopenmpt reads), looping for ever.
Handle loadMusic(const char* path);
void playMusic(Handle music);

// Stops everything and releases every sample, the module and the device.
void shutdown();

} // namespace kalup::audio
