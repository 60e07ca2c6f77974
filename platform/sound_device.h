#pragma once
// The sound services: one SDL audio device whose callback runs the mixer on
// SDL's audio thread, so music goes on while the game's thread sits in one of
// its delays. Without an audio device (none there, a broken driver, headless
// runs, the browser) everything here is silently nothing: the game never
// depends on being heard.
#include <string>

// Opens the device for files of `rate` samples a second at the given volumes
// (0..10); false, and silence, when there is none or both volumes are 0.
bool OpenSoundDevice(int rate, int musicVolume, int effectVolume);
void CloseSoundDevice();
bool SoundDeviceOpen();
// Plays a WAV file (read once, then kept); a file that cannot be read is silence.
void PlayMusicFile(const std::string& path, bool loops);
void PlayEffectFile(const std::string& path);
void StopMusicNow();
