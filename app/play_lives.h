#pragma once
// The random and the guided players both play one life of the program after
// another on their own key source, each life a fresh start with game randoms
// of its own, until the player has used its keys or a record check broke.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "campaign/game.h"
#include "app/app.h"
#include "shell/globals.h"

// What a new process would start from: the intro, and a game object fresh
// from its constructor.
inline void ResetForNewLife() {
  screenNumber = kScreenIntro;
  TheGame() = Game();
}

// With KESTREL_RECORD_KEYS=FILE set, the keys of each life are written as a
// key script (raw codes, so it replays whatever the bindings): the first life
// to FILE, the later ones to FILE.1, FILE.2 ... A run of a player becomes
// scripts the runner replays to the same records, each with its life's seed.
class KeyRecording {
 public:
  KeyRecording() {
    if (const char* path = std::getenv("KESTREL_RECORD_KEYS")) path_ = path;
  }
  ~KeyRecording() { Stop(); }
  KeyRecording(const KeyRecording&) = delete;
  KeyRecording& operator=(const KeyRecording&) = delete;
  void Start(uint32_t life, uint32_t seed) {
    Stop();
    if (path_.empty()) return;
    std::string name = life == 0 ? path_ : path_ + "." + std::to_string(life);
    file_ = std::fopen(name.c_str(), "w");
    if (file_) std::fprintf(file_, "# seed %u\n", static_cast<unsigned>(seed));
  }
  void Note(const Message& m) {
    if (file_ && m.type == MessageType::KeyDown) std::fprintf(file_, "VK:%d\n", m.param);
  }
  void Stop() {
    if (!file_) return;
    std::fputs("quit\n", file_);
    std::fclose(file_);
    file_ = nullptr;
  }

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
};

template <class Player>
void PlayLives(Player& player, const LaunchOptions& options, uint32_t seed) {
  LaunchOptions life = options;
  life.seedGiven = true;
  KeyRecording recording;
  for (uint32_t lives = 0;; ++lives) {
    // Each life draws its own game randoms, as separate processes would.
    life.seed = seed + lives;
    recording.Start(lives, life.seed);
    StartHeadless([&player, &recording](Message& next) {
      if (!player.Next(next)) return false;
      recording.Note(next);
      return true;
    });
    WinMain(life);
    player.ProcessEnded();
    recording.Stop();
    if (player.Failed() || player.Exhausted()) return;
    ResetForNewLife();
  }
}
