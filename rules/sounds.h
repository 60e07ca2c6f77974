#pragma once
// Every sound the game plays: its name in data/sound/ and in Res/Sound/, and
// whether it is music (one at a time, looped or not) or an effect (mixed over
// the music). resgen writes one WAV file per row and refuses a source that
// lacks a row or names a sound the game never plays; the game plays by these
// rows, so a file name is spelt only here.
#include "rules/skills.h"

enum class Sound : int {
  // Music.
  kTitle,
  kMap,
  kBattle,
  kVictory,
  kDefeat,
  // Effects.
  kCursor,
  kConfirm,
  kCancel,
  kRefusal,
  kMonthEnd,
  kMarch,
  kAttack,
  kSkillFire,
  kSkillRocks,
  kSkillArrows,
  kSkillCharge,
  kSkillWater,
  kSkillSpell,
  kSkillThunder,
  kSkillHeal,
  kSkillWind,
  kLevelUp,
  kCapture,
};

struct SoundRow {
  Sound sound;
  const char* name;  // the piece's name in data/sound/, the file Res/Sound/<name>.wav
  bool music;
  bool loops;  // music that starts again from its head when it ends
};

constexpr SoundRow kSoundRows[] = {
    {Sound::kTitle, "title", true, true},
    {Sound::kMap, "map", true, true},
    {Sound::kBattle, "battle", true, true},
    {Sound::kVictory, "victory", true, false},
    {Sound::kDefeat, "defeat", true, false},
    {Sound::kCursor, "cursor", false, false},
    {Sound::kConfirm, "confirm", false, false},
    {Sound::kCancel, "cancel", false, false},
    {Sound::kRefusal, "refusal", false, false},
    {Sound::kMonthEnd, "month-end", false, false},
    {Sound::kMarch, "march", false, false},
    {Sound::kAttack, "attack", false, false},
    {Sound::kSkillFire, "skill-fire", false, false},
    {Sound::kSkillRocks, "skill-rocks", false, false},
    {Sound::kSkillArrows, "skill-arrows", false, false},
    {Sound::kSkillCharge, "skill-charge", false, false},
    {Sound::kSkillWater, "skill-water", false, false},
    {Sound::kSkillSpell, "skill-spell", false, false},
    {Sound::kSkillThunder, "skill-thunder", false, false},
    {Sound::kSkillHeal, "skill-heal", false, false},
    {Sound::kSkillWind, "skill-wind", false, false},
    {Sound::kLevelUp, "level-up", false, false},
    {Sound::kCapture, "capture", false, false},
};
constexpr int kSoundCount = static_cast<int>(sizeof kSoundRows / sizeof kSoundRows[0]);
static_assert(static_cast<int>(Sound::kCapture) + 1 == kSoundCount);

constexpr bool SoundRowsInOrder() {
  for (int i = 0; i < kSoundCount; ++i)
    if (static_cast<int>(kSoundRows[i].sound) != i) return false;
  return true;
}
static_assert(SoundRowsInOrder());

constexpr const SoundRow& SoundInfo(Sound s) { return kSoundRows[static_cast<int>(s)]; }

// The folder of the sound files under Res, and their one format: 16-bit mono
// PCM at a rate that keeps plucked strings and flutes clear and the files small.
constexpr const char* kSoundFolder = "Res/Sound";
constexpr int kSoundRate = 22050;

// [Sound] Music= and Effects= in startup.ini: 0 is silence, 10 as written.
constexpr int kMaxSoundVolume = 10;
constexpr int kDefaultSoundVolume = 7;

// The skills sound by what they look like: fire, falling rocks and logs, a
// hail of arrows, a charge, water, a spell, thunder, heartening drums, wind.
constexpr Sound SkillSound(int skill) {
  switch (skill) {
    case kSkillFire:
    case kSkillBurnFood:
    case kSkillFireShip:
    case kSkillSkyFire: return Sound::kSkillFire;
    case kSkillRockfall:
    case kSkillLogs:
    case kSkillSiege:
    case kSkillStoneMaze: return Sound::kSkillRocks;
    case kSkillVolley:
    case kSkillCrossbow: return Sound::kSkillArrows;
    case kSkillCharge:
    case kSkillAssault:
    case kSkillRaid:
    case kSkillMelee: return Sound::kSkillCharge;
    case kSkillFlood: return Sound::kSkillWater;
    case kSkillThunder: return Sound::kSkillThunder;
    case kSkillHeal:
    case kSkillGreatHeal: return Sound::kSkillHeal;
    case kSkillWeather: return Sound::kSkillWind;
    default: return Sound::kSkillSpell;  // sealing, holding, confusing, 奇门, 遁甲, spying
  }
}
