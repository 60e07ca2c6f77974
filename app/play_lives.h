#pragma once
// The random and the guided players both play one life of the program after
// another on their own key source, each life a fresh start with game randoms
// of its own, until the player has used its keys or a record check broke.
#include <cstdint>

#include "campaign/game.h"
#include "app/app.h"
#include "shell/globals.h"

// What a new process would start from: the intro, and a game object fresh
// from its constructor.
inline void ResetForNewLife() {
  screenNumber = kScreenIntro;
  TheGame() = Game();
}

template <class Player>
void PlayLives(Player& player, const LaunchOptions& options, uint32_t seed) {
  LaunchOptions life = options;
  life.seedGiven = true;
  for (uint32_t lives = 0;; ++lives) {
    // Each life draws its own game randoms, as separate processes would.
    life.seed = seed + lives;
    StartHeadless([&player](Message& next) { return player.Next(next); });
    WinMain(life);
    player.ProcessEnded();
    if (player.Failed() || player.Exhausted()) return;
    ResetForNewLife();
  }
}
