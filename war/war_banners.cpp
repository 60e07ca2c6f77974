// The banner screens before and after a war: the march, the two rulers face
// to face, and the outcome. "我方" stands for the player's side.
#include "campaign/scenario_files.h"
#include "rules/pictures.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"
#include "shell/sound_cues.h"
#include "strategy/game_map.h"
#include "war/war_tables.h"

namespace {

constexpr const char* kBannerBack = PicPath(Pic::kReportBack);
constexpr const char* kGoPicture = PicPath(Pic::kWarGo);
constexpr const char* kVsPicture = PicPath(Pic::kWarVs);
constexpr const char* kWinPicture = PicPath(Pic::kWarWin);
constexpr const char* kLosePicture = PicPath(Pic::kWarLose);
constexpr const char* kOwnSide = "我方";

void BannerFrame() {
  if (colorMode) PaintBmp(0, kBannerBack, 80, 20);
  else DrawFrameRect(*backDC, 80, 70, 720, 510);
}

void BannerText(const char* text, int x) { PaintText(text, x, kBannerTextY, kBannerFontHeight); }

}  // namespace

void GameMap::ShowItAfterWar(int mode, int attacker, int defender, int city) {
  Log(1, "GameMap::ShowItAfterWar", "开始", 0);
  char attackerName[kHeroNameBuffer + 1] = {};
  char defenderName[kHeroNameBuffer + 1] = {};
  char cityName[kHeroNameBuffer + 1] = {};
  if (attacker >= 0 && attacker < kHeroCount)
    CopyListLine(HeroNameList(scenario), attacker, attackerName, kHeroNameBuffer);
  if (defender >= 0 && defender < kHeroCount)
    CopyListLine(HeroNameList(scenario), defender, defenderName, kHeroNameBuffer);
  if (city >= 0 && city < kCityCount) CopyListLine(kCityNameByNumber, city, cityName, kHeroNameBuffer);
  // Each screen stays up for a moment, then the map comes back under the next one.
  auto finish = [this](const char* picture) {
    PaintBmp(0, picture, 220, 50);
    CopyBackToWindow();
    Wait(kBannerPause);
    Show(0);
  };

  PlayCue(Sound::kMarch);
  bool playerMarches = mode < 0 && defender + 1 != playerRuler && mode != kBannerComputerMarchIn;
  BannerFrame();
  BannerText("军队进攻", 310);
  BannerText(playerMarches ? kOwnSide : attackerName, 190);
  BannerText(cityName, 480);
  finish(kGoPicture);
  if (mode == kBannerBattle) return;

  if (mode == kBannerComputerMarchIn) {
    BannerFrame();
    BannerText(" 战斗失败", 370);
    BannerText(kOwnSide, 250);
    finish(kLosePicture);
    return;
  }
  if (mode == kBannerDefenderHeld || mode == kBannerAttackerWon) {
    BannerFrame();
    BannerText("军 vs      军", 310);
    BannerText(attackerName, 190);
    BannerText(defenderName, 420);
    finish(kVsPicture);
  }
  const char* winner = kOwnSide;
  if (mode == kBannerDefenderHeld) winner = defenderName;
  if (mode == kBannerAttackerWon) winner = attackerName;
  BannerFrame();
  BannerText(" 战斗胜利", 370);
  BannerText(winner, 250);
  finish(kWinPicture);
}
