#pragma once
// The one place that turns what happens in the game into what is heard: the
// game says PlayCue(Sound::kRefusal) or PlayMusic(Sound::kBattle) where the
// thing happens, and this picks the file and plays it. Every cue is also kept
// with the clock's tick it came at, so a headless run (which has no audio
// device) can show what would have been heard and when. Sounds never touch
// the game's state, its random numbers or its timing.
#include <cstdint>
#include <string>
#include <vector>

#include "rules/sounds.h"

struct SoundEvent {
  uint32_t tick = 0;  // GetTickCount() when it was asked for
  Sound sound = Sound::kTitle;
};

// The volumes of [Sound] (0..10, 0 silent), and whether to open the audio
// device for them (not in headless runs). A sound at volume 0 is neither
// played nor kept.
void StartSound(int musicVolume, int effectVolume, bool openDevice);
void StopSound();

void PlayCue(Sound effect);
// Nothing happens when that music is already the one playing.
void PlayMusic(Sound music);
// The keys' own sounds, before the screen takes the key: the arrows move a
// cursor, the confirming key confirms, the back key cancels.
void KeyCue(int key);

// The cues so far (the oldest first; a very long run keeps its first million).
const std::vector<SoundEvent>& SoundEvents();
// One line a cue: the tick, "music" or "effect", the sound's name.
std::string SoundEventsText();
bool WriteSoundEvents(const std::string& path);
