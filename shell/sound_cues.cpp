#include "shell/sound_cues.h"

#include <cstdio>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/sound_device.h"
#include "shell/globals.h"

namespace {

constexpr size_t kMaxEvents = 1 << 20;

struct CueState {
  int musicVolume = kDefaultSoundVolume;
  int effectVolume = kDefaultSoundVolume;
  bool musicPlaying = false;
  Sound music = Sound::kTitle;
  std::vector<SoundEvent> events;
};

CueState& State() {
  static CueState state;
  return state;
}

std::string PathOf(Sound s) { return std::string(kSoundFolder) + "/" + SoundInfo(s).name + ".wav"; }

void Keep(Sound s) {
  std::vector<SoundEvent>& events = State().events;
  if (events.size() < kMaxEvents) events.push_back({GetTickCount(), s});
}

}  // namespace

void StartSound(int musicVolume, int effectVolume, bool openDevice) {
  CueState& s = State();
  s.musicVolume = musicVolume < 0 ? 0 : musicVolume;
  s.effectVolume = effectVolume < 0 ? 0 : effectVolume;
  s.musicPlaying = false;
  s.events.clear();
  if (openDevice) OpenSoundDevice(kSoundRate, s.musicVolume, s.effectVolume);
}

void StopSound() {
  CloseSoundDevice();
  State().musicPlaying = false;
}

void PlayCue(Sound effect) {
  if (State().effectVolume == 0 || SoundInfo(effect).music) return;
  Keep(effect);
  PlayEffectFile(PathOf(effect));
}

void PlayMusic(Sound music) {
  CueState& s = State();
  if (s.musicVolume == 0 || !SoundInfo(music).music) return;
  if (s.musicPlaying && s.music == music) return;
  s.musicPlaying = true;
  s.music = music;
  Keep(music);
  PlayMusicFile(PathOf(music), SoundInfo(music).loops);
}

void KeyCue(int key) {
  if (key == keyReturn) PlayCue(Sound::kConfirm);
  else if (key == keyEsc) PlayCue(Sound::kCancel);
  else if (key == keyUp || key == keyDown || key == keyLeft || key == keyRight) PlayCue(Sound::kCursor);
}

const std::vector<SoundEvent>& SoundEvents() { return State().events; }

std::string SoundEventsText() {
  std::string out;
  char line[64];
  for (const SoundEvent& e : State().events) {
    const SoundRow& row = SoundInfo(e.sound);
    std::snprintf(line, sizeof line, "%u %s %s\n", e.tick, row.music ? "music" : "effect", row.name);
    out += line;
  }
  return out;
}

bool WriteSoundEvents(const std::string& path) {
  FILE* f = OpenFile(path, "wb");
  if (!f) return false;
  std::string text = SoundEventsText();
  bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  return std::fclose(f) == 0 && ok;
}
