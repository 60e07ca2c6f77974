// The mixer as the audio thread drives it, the WAV reader, and a device that
// cannot be had: volumes scale and 0 is silence, loops go round, a piece that
// ends hands over to the next, a change of music never clicks, and a broken
// driver is silence rather than a failed start.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "platform/audio_mixer.h"
#include "platform/sound_device.h"
#include "platform/wav.h"

namespace {

SoundClip Constant(int16_t value, size_t length) { return std::make_shared<const std::vector<int16_t>>(length, value); }

std::vector<int16_t> Mixed(AudioMixer& m, int frames) {
  std::vector<int16_t> out(frames);
  m.Mix(out.data(), frames);
  return out;
}

}  // namespace

TEST(AudioMixer, VolumesScaleEachKindAndZeroIsSilence) {
  struct Case {
    int music, effects;
    int16_t expected;  // music 1000 and an effect 300, mixed
  };
  const Case cases[] = {{10, 10, 1300}, {7, 7, 910}, {0, 10, 300}, {10, 0, 1000}, {0, 0, 0}, {12, -3, 1000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.music) + "/" + std::to_string(c.effects));
    AudioMixer m;
    m.SetVolumes(c.music, c.effects);
    m.PlayMusic(Constant(1000, 4000), true);
    Mixed(m, 1000);  // the music's fade-in
    m.PlayEffect(Constant(300, 4000));
    EXPECT_EQ(Mixed(m, 10)[5], c.expected);
    EXPECT_EQ(m.Silent(), c.expected == 0);
  }
}

TEST(AudioMixer, LoopsGoRoundAndAPieceThatEndsHandsOverToTheNext) {
  AudioMixer m;
  m.PlayMusic(Constant(100, 3), true);
  Mixed(m, 1000);  // past its fade-in
  std::vector<int16_t> out = Mixed(m, 7);
  EXPECT_EQ(out, std::vector<int16_t>(7, 100));  // round and round
  // A victory that does not loop; the map's music asked for meanwhile waits for it.
  m.PlayMusic(Constant(500, 5000), false);
  Mixed(m, 1000);
  m.PlayMusic(Constant(-200, 10), true);
  out = Mixed(m, 5000);
  EXPECT_EQ(out[3000], 500);
  EXPECT_EQ(out[4990], -200);
  // An effect plays once and is gone; the same one asked for again at once is heard once.
  AudioMixer fx;
  fx.PlayEffect(Constant(50, 600));
  SoundClip again = Constant(70, 600);
  fx.PlayEffect(again);
  fx.PlayEffect(again);
  out = Mixed(fx, 700);
  EXPECT_EQ(out[10], 120);
  EXPECT_EQ(out[650], 0);
  EXPECT_TRUE(fx.Silent());
}

TEST(AudioMixer, AChangeOfMusicFadesInsteadOfJumping) {
  AudioMixer m;
  m.PlayMusic(Constant(20000, 100000), true);
  Mixed(m, 100);
  m.PlayMusic(Constant(-20000, 100000), true);
  std::vector<int16_t> out = Mixed(m, 2000);
  int largest = 0;
  for (size_t i = 1; i < out.size(); ++i) largest = std::max(largest, std::abs(out[i] - out[i - 1]));
  EXPECT_LT(largest, 100);  // a cut would jump by 40000
  EXPECT_EQ(out.back(), -20000);
}

TEST(Wav, ReadsWhatItWritesAndRefusesEveryOtherShape) {
  WavClip clip{22050, {0, 1, -1, 32767, -32768, 1234}};
  std::string bytes = WavBytes(clip);
  ASSERT_EQ(bytes.size(), 44u + 12u);
  WavClip back;
  ASSERT_TRUE(ParseWav(bytes, back));
  EXPECT_EQ(back.rate, 22050);
  EXPECT_EQ(back.samples, clip.samples);
  struct Damage {
    const char* what;
    size_t at;
    char byte;
  };
  const Damage damages[] = {{"not RIFF", 0, 'X'}, {"stereo", 22, 2},          {"8-bit", 34, 8},
                            {"not PCM", 20, 3},   {"no data chunk", 36, 'x'}, {"data longer than the file", 41, 9}};
  for (const Damage& d : damages) {
    SCOPED_TRACE(d.what);
    std::string bad = bytes;
    bad[d.at] = d.byte;
    EXPECT_FALSE(ParseWav(bad, back));
  }
  EXPECT_FALSE(ParseWav(bytes.substr(0, 40), back));
  EXPECT_FALSE(ReadWav("Res/Sound/no-such-piece.wav", back));
}

TEST(SoundDevice, ABrokenDriverIsSilenceAndTheDummyDriverPlays) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  EXPECT_FALSE(OpenSoundDevice(22050, 7, 7));
  PlayMusicFile("Res/Sound/title.wav", true);  // nothing to play on: nothing happens
  PlayEffectFile("Res/Sound/cursor.wav");
  EXPECT_FALSE(SoundDeviceOpen());
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  EXPECT_FALSE(OpenSoundDevice(22050, 0, 0));  // both silent: no device is worth opening
  ASSERT_TRUE(OpenSoundDevice(22050, 7, 7));
  PlayMusicFile("Res/Sound/title.wav", true);
  PlayMusicFile("Res/Sound/missing.wav", true);  // an unreadable file is silence, the title goes on
  PlayEffectFile("Res/Sound/cursor.wav");
  StopMusicNow();
  CloseSoundDevice();
  EXPECT_FALSE(SoundDeviceOpen());
  unsetenv("SDL_AUDIODRIVER");
}
