#include "campaign/game.h"

#include <cstring>
#include <string>

#include "platform/window.h"
#include "rules/pictures.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/report_log.h"
#include "shell/run_log.h"
#include "shell/sound_cues.h"

namespace {

constexpr int kIntroFrameMs = 300;
constexpr int kIntroTitleMs = 100;
constexpr int kIntroEndMs = 100;
constexpr int kAboutMs = 200;
constexpr int kHelpLineBytes = 76;

// The last frame stays up for a second turn.
const Pic kIntroFrames[] = {Pic::kIntro05, Pic::kIntro06, Pic::kIntro07, Pic::kIntro08, Pic::kIntro08};

const char* const kHelpLines[] = {
    "基本按键如下：方向键——移动        Enter（回车）——确认",
    "Esc——退出、返回或菜单             Space（空格）——战争界面可查看武将信息",
    "Home——地图界面显示城市连接信息，战争界面显示当前战场情况",
    "Tab ——地图界面设置高攻击概率  （可使用 窗口配置程序 在游戏关闭时更改按键）",
    "F1——任何界面显示按键帮助          F2——地图界面查看近十二个月的报告记录",
};
constexpr int kRuleDashes = 38;
constexpr int kHelpTop = 50;
constexpr int kHelpStep = 20;

struct TitleEntry {
  const char* picture;
  int x;
  int y;
};
const TitleEntry kTitlePictures[kTitleEntries] = {
    {PicPath(Pic::kTitleNew), 25, 220},
    {PicPath(Pic::kTitleLoad), 410, 220},
    {PicPath(Pic::kTitleAbout), 25, 350},
    {PicPath(Pic::kTitleQuit), 410, 350},
};

// Help lines are padded with spaces to a fixed width so that each one wipes
// whatever a longer line left under it.
void PaintHelpLine(const std::string& text, int y) {
  std::string line = text;
  if (line.size() < kHelpLineBytes) line.append(kHelpLineBytes - line.size(), ' ');
  PaintText(line.c_str(), 0, y, 20);
}

std::string Rule() {
  std::string rule;
  for (int i = 0; i < kRuleDashes; ++i) rule += "——";
  return rule;
}

void Quit() {
  DeleteTodayLog();
  PostQuitMessage(0);
}

}  // namespace

Game& TheGame() {
  static Game game;
  return game;
}

void Game::Game_Init() {
  Log(1, "Game::Game_Init", "开始", 0);
  titleChoice = -1;
  titleMode = kModeTitle;
  GetData();
}

void Game::GetData() { Log(1, "Game::GetData", "开始", 0); }

void Game::Game_Main() {
  Log(1, "Game::Game_Main", "开始", 0);
  if (screenNumber != kScreenIntro) return;
  PlayMusic(Sound::kTitle);
  GameCG();
  screenNumber = kScreenTitle;
}

void Game::GameCG() {
  Log(1, "Game::GameCG", "开始", 0);
  ShowBmp(1, PicPath(Pic::kBlack), 0, 0);
  for (Pic frame : kIntroFrames) ShowBmpNow(kIntroFrameMs, PicPath(frame), 0, 0);
  ShowBmpNow(0, PicPath(Pic::kTitle), 0, 0);
  ShowBmp(0, PicPath(Pic::kTitle), 0, 0);
  PaintMaskedBmp(0, PicPath(Pic::kBa), PicPath(Pic::kBaMask), 75, 100);
  PaintMaskedBmp(0, PicPath(Pic::kYe), PicPath(Pic::kYeMask), 450, 100);
  ShowBmpNow(kIntroTitleMs, PicPath(Pic::kTitle), 0, 0);
  PaintText("请按任意键继续", 250, 480, 40);
  int y = kHelpTop;
  for (const char* line : kHelpLines) {
    PaintHelpLine(line, y);
    y += kHelpStep;
  }
  PaintHelpLine(Rule(), y);
  Wait(kIntroEndMs);
}

void Game::ChoiceShow() {
  Log(1, "Game::ChoiceShow", "开始", 0);
  PlayMusic(Sound::kTitle);
  PaintBmp(0, PicPath(Pic::kTitleMenu), 0, 0);
  if (titleChoice < 0 || titleChoice >= kTitleEntries) return;
  const TitleEntry& e = kTitlePictures[titleChoice];
  PaintBmp(0, e.picture, e.x, e.y);
}

int Game::TitleEntryAt(int x, int y) {
  for (int i = 0; i < kTitleEntries; ++i) {
    const TitleEntry& e = kTitlePictures[i];
    Pic pic = TitleEntryPic(i);
    int top = e.y + kPictureOffsetY;  // pictures are painted below the caption band
    if (x >= e.x && x < e.x + PicWidth(pic) && y >= top && y < top + PicHeight(pic)) return i;
  }
  return -1;
}

void Game::About() {
  Log(1, "Game::About", "开始", 0);
  ShowBmp(0, PicPath(Pic::kBlack), 0, -50);
  ShowBmp(0, PicPath(Pic::kBlack), 0, 50);
  ShowBmp(kAboutMs, PicPath(Pic::kCredits), 0, 0);
}

void Game::Load() {
  Log(1, "Game::Load", "开始", 0);
  PaintBmp(0, PicPath(Pic::kSaveScreen), 0, 0);
  loadScreen.InitLoadScreen();
  loadScreen.Read(-1);
  loadScreen.Show();
}

void Game::LoadScreenKey(int key) {
  int r = loadScreen.KeyDown(key);
  if (r == -1) {
    titleMode = kModeTitle;
    ChoiceShow();
    return;
  }
  if (r == kSaveKeyStay) return;
  if (r == kAutosaveChoice) r = kAutosaveSlot;
  titleMode = kModeLoadedCampaign;
  const char* refusal = nullptr;
  switch (loadScreen.Read(r)) {
    case kReadOk: StartFromSlot(); return;
    case kReadNewerVersion: refusal = "存档版本错误！"; break;
    case kReadDamaged: refusal = "存档已损坏！"; break;
    default: refusal = "无法读取空存档！"; break;
  }
  titleMode = kModeLoadScreen;
  PlayCue(Sound::kRefusal);
  ShowMessage2(refusal, "", 50, 280, 12, 1, 1000);
  Load();
}

// A loaded campaign is built like a new one for the first ruler of the first
// scenario, then the slot overwrites all of it.
void Game::StartFromSlot() {
  newGame.Int();
  newGame.KeyDown(keyReturn);
  newGame.KeyDown(keyReturn);
  ChangeSaveToData();
  // The report log lives in a file of its own beside the slot.
  ReportLogRead(ReportLogPathFor(Save::SlotPath(loadScreen.slotChoice)));
  ShowMessage2("读取中. . .", "", 50, 280, 12, 1, 1000);
  GameMap& map = newGame.who;
  map.Show(0);
  map.ArrowSet();
  map.Show(0);
}

void Game::ChangeSaveToData() {
  Log(1, "Game::ChangeSaveToData", "开始", 0);
  newGame.who.LoadFromImage(loadScreen.image);
}

void Game::ReleaseObjs() { Log(1, "Game::ReleaseObjs", "开始", 0); }

void Game::KeyDown(int key) {
  Log(1, "Game::KeyDown", "开始", 0);
  switch (titleMode) {
    case kModeAbout:
      titleMode = kModeTitle;
      ChoiceShow();
      break;
    case kModeTitle: TitleKey(key); break;
    case kModeLoadScreen: LoadScreenKey(key); break;
    case kModeNewCampaign:
    case kModeLoadedCampaign:
      if (newGame.KeyDown(key) == -1) {
        titleMode = kModeTitle;
        ChoiceShow();
      }
      break;
    default: break;
  }
}

void Game::TitleKey(int key) {
  if (key == keyDown) {
    titleChoice = titleChoice + 1 >= kTitleEntries ? 0 : titleChoice + 1;
    ChoiceShow();
  } else if (key == keyUp) {
    // Up as the very first key selects the first entry like any other key.
    titleChoice = titleChoice <= 0 ? (titleChoice == 0 ? kTitleEntries - 1 : 0) : titleChoice - 1;
    ChoiceShow();
  } else if (key == keyReturn) {
    switch (titleChoice) {
      case kTitleNewGame:
        titleMode = kModeNewCampaign;
        screenNumber = kScreenScenario;
        newGame.Int();
        newGame.History();
        break;
      case kTitleLoad:
        Load();
        titleMode = kModeLoadScreen;
        break;
      case kTitleAbout:
        About();
        titleMode = kModeAbout;
        break;
      case kTitleQuit: Quit(); break;
      default:
        titleChoice = kTitleNewGame;
        ChoiceShow();
        break;
    }
  } else if (key == keyEsc) {
    ReleaseObjs();
    Quit();
  } else if (titleChoice == -1) {
    titleChoice = kTitleNewGame;
    ChoiceShow();
  }
}

void Game::Dump(JsonWriter& out) const {
  out.Int("titleChoice", titleChoice);
  out.Int("titleMode", titleMode);
  out.BeginObject("loadScreen");
  loadScreen.Dump(out);
  out.EndObject();
}
