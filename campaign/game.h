#pragma once
// The single top-level object: the intro, the title menu, the about picture,
// the load screen, and the door into a campaign. Every key of the program
// arrives at Game::KeyDown.
#include "campaign/new_game.h"
#include "campaign/save.h"
#include "shell/json_writer.h"

// The title menu's entries and who receives keys.
constexpr int kTitleNewGame = 0;
constexpr int kTitleLoad = 1;
constexpr int kTitleAbout = 2;
constexpr int kTitleQuit = 3;
constexpr int kTitleEntries = 4;

constexpr int kModeTitle = 0;
constexpr int kModeNewCampaign = 1;
constexpr int kModeLoadScreen = 2;
constexpr int kModeLoadedCampaign = 3;
constexpr int kModeAbout = 10;

class Game {
 public:
  int titleChoice = -1;
  int titleMode = 0;
  NewGame newGame;
  Save loadScreen;

  void Game_Init();
  void Game_Main();
  void GameCG();
  void GetData();
  void ChoiceShow();
  void About();
  void Load();
  void KeyDown(int key);
  // The title entry whose picture covers (x, y), -1 for none.
  static int TitleEntryAt(int x, int y);
  void ReleaseObjs();
  void ChangeSaveToData();
  void Dump(JsonWriter& out) const;

 private:
  void TitleKey(int key);
  void LoadScreenKey(int key);
  void StartFromSlot();
};

// The one game object of the process.
Game& TheGame();
