#include "platform/audio_mixer.h"

#include <algorithm>

namespace {

// About 40 ms at 22 050 Hz: long enough that a change of music never clicks,
// short enough that it is not heard as a fade.
constexpr int kFadeSamples = 900;
// An effect started again within this many samples (about 20 ms) is the same one.
constexpr size_t kSameEffectSamples = 440;

int Clamp(int volume) { return std::clamp(volume, 0, AudioMixer::kMaxVolume); }

}  // namespace

void AudioMixer::SetVolumes(int music, int effects) {
  musicVolume_ = Clamp(music);
  effectVolume_ = Clamp(effects);
}

void AudioMixer::PlayMusic(SoundClip clip, bool loops) {
  if (!clip || clip->empty()) return;
  Voice next{std::move(clip), 0, loops, 0, kFadeSamples};
  if (music_.clip && !music_.loops) {
    next_ = next;
    return;
  }
  if (music_.clip) {
    fading_ = music_;
    fading_.fade = kFadeSamples;
  }
  music_ = next;
  next_ = Voice();
}

void AudioMixer::StopMusic() {
  if (music_.clip) {
    fading_ = music_;
    fading_.fade = kFadeSamples;
  }
  music_ = Voice();
  next_ = Voice();
}

void AudioMixer::PlayEffect(SoundClip clip) {
  if (!clip || clip->empty()) return;
  Voice* free = nullptr;
  for (Voice& v : effects_) {
    if (v.clip == clip && v.at < kSameEffectSamples) return;
    if (!v.clip) free = &v;
  }
  if (!free) {
    // All busy: the one nearest its end gives way.
    free = &effects_[0];
    for (Voice& v : effects_)
      if (v.clip->size() - v.at < free->clip->size() - free->at) free = &v;
  }
  *free = Voice{std::move(clip), 0, false, 0, 0};
}

int32_t AudioMixer::NextSample(Voice& v) {
  if (!v.clip) return 0;
  int32_t s = (*v.clip)[v.at++];
  if (v.fade > 0) s = s * v.fade-- / kFadeSamples;  // the caller drops a voice faded to 0
  if (v.rise > 0) s = s * (kFadeSamples - v.rise--) / kFadeSamples;
  if (v.at >= v.clip->size()) {
    if (v.loops) v.at = 0;
    else v = Voice();
  }
  return s;
}

int32_t AudioMixer::MusicSample() {
  int32_t s = NextSample(music_) + NextSample(fading_);
  if (fading_.clip && fading_.fade == 0) fading_ = Voice();
  if (!music_.clip && next_.clip) {
    music_ = next_;
    next_ = Voice();
  }
  return s;
}

void AudioMixer::Mix(int16_t* out, int frames) {
  for (int i = 0; i < frames; ++i) {
    int32_t music = MusicSample();
    int32_t effects = 0;
    for (Voice& v : effects_) effects += NextSample(v);
    int32_t s = (music * musicVolume_ + effects * effectVolume_) / kMaxVolume;
    out[i] = static_cast<int16_t>(std::clamp(s, -32768, 32767));
  }
}

bool AudioMixer::Silent() const {
  if (musicVolume_ > 0 && (music_.clip || fading_.clip || next_.clip)) return false;
  if (effectVolume_ == 0) return true;
  for (const Voice& v : effects_)
    if (v.clip) return false;
  return true;
}
