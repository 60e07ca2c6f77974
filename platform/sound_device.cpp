#include "platform/sound_device.h"

#include <SDL.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "platform/audio_mixer.h"
#include "platform/files.h"
#include "platform/wav.h"

namespace {

// About 46 ms a buffer: short enough for a cursor's click to follow its key,
// long enough that a busy machine does not starve the device.
constexpr Uint16 kBufferFrames = 1024;

struct SoundState {
  SDL_AudioDeviceID device = 0;
  int rate = 0;
  AudioMixer mixer;
  std::map<std::string, SoundClip> clips;
};

SoundState& State() {
  static SoundState state;
  return state;
}

void Callback(void* user, Uint8* stream, int bytes) {
  static_cast<AudioMixer*>(user)->Mix(reinterpret_cast<int16_t*>(stream), bytes / 2);
}

SoundClip Clip(const std::string& path) {
  SoundState& s = State();
  auto found = s.clips.find(path);
  if (found != s.clips.end()) return found->second;
  WavClip wav;
  SoundClip clip;
  if (ReadWav(path, wav) && wav.rate == s.rate)
    clip = std::make_shared<const std::vector<int16_t>>(std::move(wav.samples));
  s.clips[path] = clip;  // a missing file is looked for once
  return clip;
}

// No driver named, no sound card and no sound server: nothing could be heard,
// and asking SDL would only have ALSA's library print its complaints about
// the missing card on the player's terminal (a server, a container, CI).
bool NothingToPlayOn() {
  for (const char* named : {"SDL_AUDIODRIVER", "PULSE_SERVER"}) {
    const char* value = std::getenv(named);
    if (value && *value) return false;
  }
  std::ifstream cards("/proc/asound/cards");
  std::string first;
  bool hasCard = cards && std::getline(cards, first) && first.find("no soundcards") == std::string::npos;
  if (hasCard) return false;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string dir = runtime ? runtime : "/run/user/" + std::to_string(getuid());
  for (const std::string& server : {dir + "/pulse/native", dir + "/pipewire-0", std::string("/run/pulse/native")})
    if (FileExists(server)) return false;
  return true;
}

// Runs `change` on the mixer while the audio thread keeps out of it.
template <typename Change>
void WithMixer(Change change) {
  SoundState& s = State();
  if (!s.device) return;
  SDL_LockAudioDevice(s.device);
  change(s.mixer);
  SDL_UnlockAudioDevice(s.device);
}

}  // namespace

bool OpenSoundDevice(int rate, int musicVolume, int effectVolume) {
#ifdef __EMSCRIPTEN__
  // The page stays silent: the music would take a third of its download.
  return false;
#endif
  SoundState& s = State();
  CloseSoundDevice();
  if (musicVolume <= 0 && effectVolume <= 0) return false;
  if (NothingToPlayOn()) return false;
  if (!SDL_WasInit(SDL_INIT_AUDIO) && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec want{};
  want.freq = rate;
  s.rate = rate;
  want.format = AUDIO_S16SYS;
  want.channels = 1;
  want.samples = kBufferFrames;
  want.callback = Callback;
  want.userdata = &s.mixer;
  s.mixer = AudioMixer();
  s.mixer.SetVolumes(musicVolume, effectVolume);
  // No changes allowed: SDL converts to whatever the hardware takes.
  s.device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
  if (!s.device) return false;
  SDL_PauseAudioDevice(s.device, 0);
  return true;
}

void CloseSoundDevice() {
  SoundState& s = State();
  if (s.device) SDL_CloseAudioDevice(s.device);
  s.device = 0;
  s.clips.clear();
}

bool SoundDeviceOpen() { return State().device != 0; }

void PlayMusicFile(const std::string& path, bool loops) {
  if (!SoundDeviceOpen()) return;
  SoundClip clip = Clip(path);
  WithMixer([&](AudioMixer& m) { m.PlayMusic(clip, loops); });
}

void PlayEffectFile(const std::string& path) {
  if (!SoundDeviceOpen()) return;
  SoundClip clip = Clip(path);
  WithMixer([&](AudioMixer& m) { m.PlayEffect(clip); });
}

void StopMusicNow() {
  WithMixer([](AudioMixer& m) { m.StopMusic(); });
}
