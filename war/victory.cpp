// The end of the campaign: it is won when no other ruler holds a city.
#include "platform/window.h"
#include "shell/draw.h"
#include "shell/run_log.h"
#include "shell/sound_cues.h"
#include "strategy/game_map.h"

namespace {

// Ownerless cities do not stand in the way; a player who holds nothing at all
// has not won, whatever the others hold.
bool PlayerHasWon(const CityList& cities, int playerRuler) {
  bool holdsOne = false;
  for (const CityRecord& c : cities.cities) {
    if (c.ownerId != playerRuler && c.ownerId != 0) return false;
    if (c.ownerId == playerRuler) holdsOne = true;
  }
  return holdsOne;
}

void Triumph() {
  PlayMusic(Sound::kVictory);
  ShowMessage2("我军大获全胜", "", 50, 280, 12, 1, 1000);
  DeleteTodayLog();
  // The program ends when the main loop takes this message; no save is written.
  PostQuitMessage(0);
}

}  // namespace

void GameMap::CheckWin() {
  Log(1, "GameMap::CheckWin", "开始", 0);
  if (PlayerHasWon(cityList, playerRuler)) Triumph();
}

int GameMap::IsWinOrLose() {
  Log(1, "GameMap::IsWinOrLose", "开始", 0);
  if (PlayerHasWon(cityList, playerRuler)) Triumph();
  return 0;
}
