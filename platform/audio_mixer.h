#pragma once
// Mixes one piece of music and a few effects into 16-bit mono samples. It
// knows nothing of devices or threads: the sound device calls Mix from its
// own thread under its lock, the tests call it directly.
#include <cstdint>
#include <memory>
#include <vector>

using SoundClip = std::shared_ptr<const std::vector<int16_t>>;

class AudioMixer {
 public:
  static constexpr int kEffectVoices = 6;
  static constexpr int kMaxVolume = 10;

  // 0 (silent) to 10 (as written), each clamped into that range.
  void SetVolumes(int music, int effects);
  // The old music fades out quickly rather than stopping dead, the new one
  // fades in as quickly. Music that is
  // asked for while a piece that does not loop (a victory) is still playing
  // waits for it to end.
  void PlayMusic(SoundClip clip, bool loops);
  void StopMusic();
  // Takes the quietest free voice; the same effect asked for again within a
  // few milliseconds (a click walking the cursor) is heard once.
  void PlayEffect(SoundClip clip);
  void Mix(int16_t* out, int frames);
  bool Silent() const;

 private:
  struct Voice {
    SoundClip clip;
    size_t at = 0;
    bool loops = false;
    int fade = 0;  // samples left of a fade-out, 0 for none
    int rise = 0;  // samples left of a fade-in: a loop's head is rarely silent
  };
  int32_t MusicSample();
  int32_t NextSample(Voice& v);

  int musicVolume_ = kMaxVolume;
  int effectVolume_ = kMaxVolume;
  Voice music_, fading_, next_;
  Voice effects_[kEffectVoices];
};
