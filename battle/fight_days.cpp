// Between the player's turns: weather, the day counter and its limit, the
// daily events, the win and loss tests and the result banner.
#include <cstdio>

#include "battle/battle_globals.h"
#include "battle/battle_paint.h"
#include "battle/fight.h"
#include "platform/random.h"
#include "rules/pictures.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"
#include "shell/sound_cues.h"

namespace {
constexpr const char* kDayBanner = PicPath(Pic::kDayBanner);
constexpr const char* kResultBack = PicPath(Pic::kReportBack);
constexpr const char* kWinPicture = PicPath(Pic::kWarWin);
constexpr const char* kLosePicture = PicPath(Pic::kWarLose);
constexpr const char* kOwnFoodGone = " 我军的粮食消耗完了。";
constexpr const char* kEnemyFoodGone = " 敌军的粮食消耗完了。";
constexpr int kRecoveryDie = 60;

void ShowFoodGone(const char* text) { ShowMessage2(text, "", 50, 280, 12, 1, 1000); }
}  // namespace

void Fight::ChangeWeather() { weather = Rand() % kWeatherKinds + 1; }

void Fight::ShowWeather() {
  Log(1, "Fight::ShowWeather", "开始", 0);
  ChangeWeather();
  ShowBmp(0, PicPath(WeatherDayPic(weather)), 80, 90);
  Wait(500);
}

void Fight::ShowWeatherBar() {
  Log(1, "Fight::ShowWeatherBar", "开始", 0);
  if (weather < 1 || weather > kWeatherKinds) return;
  PaintMaskedBmp(0, PicPath(WeatherIconPic(weather)), PicPath(WeatherIconMaskPic(weather)), 225, 410);
}

int Fight::ShowDay() {
  Log(1, "Fight::ShowDay", "开始", 0);
  Log(1, "Fight::ShowDay", "当前战争类型：", warType);
  if (day >= kLastDay) {
    // Holding out to the end wins a defence and loses an attack.
    if (warType == 0) {
      GameEnd(0);
      return kFightLost;
    }
    GameEnd(1);
    return kFightWon;
  }
  ShowBmp(0, kDayBanner, 310, 180);
  char text[16];
  std::snprintf(text, sizeof text, "%d", day);
  DrawTextIn(*backDC, text, 397, 253, kFontHei, 50, colorMode == 1 ? kWhite : kBlack);
  CopyBackToWindow();
  Wait(1000);
  ++day;
  return 0;
}

int Fight::DayEvent() {
  Log(1, "Fight::DayEvent", "开始", 0);
  for (int i = 0; i < ownUnitCount && i < kSideSlots; ++i) {
    FightHero& u = units[i];
    if (u.Beaten()) continue;
    if (u.canAct == 1 && u.skillPower < u.SkillPowerCeiling()) u.skillPower += 1;
    if (u.unitStatus > 0) ChangeStatue(i);
    u.canAct = (u.unitStatus == kStatusConfused || u.unitStatus == kStatusStone) ? 0 : 1;
  }
  for (int i = kEnemyBase; i < kEnemyBase + enemyUnitCount && i < kUnitSlots; ++i) {
    FightHero& u = units[i];
    if (u.Beaten()) continue;
    u.canAct = 1;
    if (u.unitStatus > 0) ChangeStatue(i);
  }
  ownFood -= SqrtBelow(ownSoldierTotal) / 3;
  enemyFood -= SqrtBelow(enemySoldierTotal) / 3;
  if (ownFood < 0) {
    ShowFoodGone(kOwnFoodGone);
    GameEnd(0);
    return kFightLost;
  }
  if (enemyFood < 0) {
    ShowFoodGone(kEnemyFoodGone);
    GameEnd(1);
    return kFightWon;
  }
  return 0;
}

void Fight::ChangeStatue(int unit) {
  Log(1, "Fight::ChangeStatue", "开始", 0);
  FightHero& u = units[unit];
  bool recovers = Rand() % kRecoveryDie < (u.intelligence >> 1);
  switch (u.unitStatus) {
    case kStatusConfused:
    case kStatusSealed:
    case kStatusImmobile:
      if (recovers) u.unitStatus = kStatusNormal;
      break;
    case kStatusQimen:
    case kStatusHidden:
      if (!recovers) u.unitStatus = kStatusNormal;
      break;
    case kStatusStone: {
      int loss = u.soldiers >> 3;
      u.soldiers -= loss;
      if (loss != 0) ShowHurt2(unit, loss);
      if (recovers) u.unitStatus = kStatusNormal;
      break;
    }
    default: break;
  }
}

void Fight::ShowHurt2(int unit, int loss) {
  Log(1, "Fight::ShowHurt2", "开始", 0);
  PictureScope pictures;
  int top = 0, left = 0;
  ViewOnUnit(unit, top, left);
  PaintLossAt(loss, 320, 210);
  CopyBackToWindow();
  Wait(1000);
  PaintPictureAt(kMessageBox, 105, 185);
  CopyBackToWindow();
}

// A beaten unit decides nothing: only live units count as standing on a city,
// and only a computer unit can take the city from a defending player.
int Fight::TestWinLose() {
  Log(1, "Fight::TestWinLose", "开始", 0);
  int result = 0;
  if (ownFood < 0) {
    ShowFoodGone(kOwnFoodGone);
    result = kFightLost;
  } else if (enemyFood < 0) {
    ShowFoodGone(kEnemyFoodGone);
    result = kFightWon;
  } else if (units[kOwnCommander].soldiers == 0) {
    result = kFightLost;
  } else if (warType == 1 && units[kEnemyBase].soldiers == 0) {
    result = kFightWon;
  } else if (warType == 0 && IsOwnSlot(selectedUnit) && !units[selectedUnit].Beaten() &&
             KindUnder(selectedUnit) == kCity) {
    result = kFightWon;
  } else if (warType == 1 && targetUnit != 0 && IsEnemySlot(targetUnit) && !units[targetUnit].Beaten() &&
             KindUnder(targetUnit) == kCity) {
    result = kFightLost;
  }
  if (result == kFightLost) GameEnd(0);
  if (result == kFightWon) GameEnd(1);
  return result;
}

void Fight::CheckForceBefore() {
  Log(1, "Fight::CheckForceBefore", "开始", 0);
  for (int i = 0; i < kUnitSlots; ++i) {
    if (!(IsOwnSlot(i) || IsEnemySlot(i))) continue;
    if (units[i].soldiers != 0) continue;
    AIShowsw(i);
    units[i].unitStatus = kStatusBeaten;
  }
}

void Fight::GameEnd(int won) {
  Log(1, "Fight::GameEnd", "开始", 0);
  PlayMusic(won ? Sound::kVictory : Sound::kDefeat);
  if (colorMode) PaintPictureAt(kResultBack, 80, 70);
  else DrawFrameRect(*backDC, 80, 70, 720, 510);
  PaintBmp(0, won ? kWinPicture : kLosePicture, 220, 50);
  PaintText(won ? "我方  战斗胜利" : "我方  战斗失败", 230, 430, 40);
  CopyBackToWindow();
  Wait(1000);
}
