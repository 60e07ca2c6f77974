// The pictures of war reports and answers: the answer panel with its
// portrait frame, the report backdrop and its four scenes (marching out, two
// armies meeting, victory, defeat) and the small message frame of the battle.
// The game writes black text over all of them, so their text areas stay pale.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tools/resgen/battle/battle_art.h"
#include "tools/resgen/common/picture_files.h"
#include "tools/resgen/common/pictures.h"
#include "tools/resgen/screens/screens_common.h"

using namespace paint;

namespace {

// The answer panel at (20, 250): portrait at (80, 40), the speaker's name at
// (80, 180) and three lines from x 280 at y 30 to 220, all in panel pixels.
constexpr int kAnswerW = PicWidth(Pic::kAnswerPanel);
constexpr int kAnswerH = PicHeight(Pic::kAnswerPanel);
// The report backdrop at (80, 70); its scene at (140, 30); the report line at y 360.
constexpr int kReportW = PicWidth(Pic::kReportBack);
constexpr int kReportH = PicHeight(Pic::kReportBack);
// Every report scene has the size of the march.
constexpr int kSceneW = PicWidth(Pic::kWarGo);
constexpr int kSceneH = PicHeight(Pic::kWarGo);
constexpr int kSceneX = 140;
constexpr int kSceneY = 30;
constexpr int kKuangW = PicWidth(Pic::kBattleMessage);
constexpr int kKuangH = PicHeight(Pic::kBattleMessage);

Surface AnswerPanel() {
  Surface s(kAnswerW, kAnswerH);
  Paper(s, kPaperLight, 1600, 0.04f);
  Canvas c(s);
  // A lacquer border with gold rules, like a mounted letter.
  for (int i = 0; i < 8; ++i) {
    Line(c, i + 0.5f, 0, i + 0.5f, kAnswerH, 1, kLacquer, 1.0f);
    Line(c, kAnswerW - i - 0.5f, 0, kAnswerW - i - 0.5f, kAnswerH, 1, kLacquer, 1.0f);
    Line(c, 0, i + 0.5f, kAnswerW, i + 0.5f, 1, kLacquer, 1.0f);
    Line(c, 0, kAnswerH - i - 0.5f, kAnswerW, kAnswerH - i - 0.5f, 1, kLacquer, 1.0f);
  }
  DoubleRule(c, 10, 10, kAnswerW - 11, kAnswerH - 11, kGold, 0.9f);
  // Portrait frame and a plate under it for the name.
  FillBox(c, 72, 32, 208, 168, Mix(kLacquer, kInk, 0.3f), 1.0f);
  DoubleRule(c, 72, 32, 207, 167, kGold, 1.0f);
  Line(c, 240, 30, 240, kAnswerH - 30, 1.5f, Mix(kOchre, kPaperLight, 0.3f), 0.8f);
  Cloud(c, 40, 214, 9, kOchre, 0.35f, 1601);
  Seal(c, kAnswerW - 52, kAnswerH - 50, 30, "令", 1602);
  return s;
}

Surface ReportBackdrop() {
  Surface s(kReportW, kReportH);
  Paper(s, kPaperLight, 1610, 0.05f);
  MountFrame(s, 0, 0, kReportW, kReportH, 24, Mix(kLacquer, kInk, 0.2f), 1611);
  Canvas c(s);
  // A frame line where the scene goes and a rule above the report line.
  DoubleRule(c, kSceneX - 8, kSceneY - 8, kSceneX + kSceneW + 7, kSceneY + kSceneH + 7, Mix(kOchre, kInk, 0.3f), 0.8f);
  Line(c, 60, 352, kReportW - 60, 352, 1, Mix(kOchre, kInk, 0.3f), 0.6f);
  Cloud(c, 76, 180, 14, kOchre, 0.3f, 1612);
  Cloud(c, kReportW - 76, 180, 14, kOchre, 0.3f, 1613);
  return s;
}

// Sky, ground and a distant range shared by the four scenes.
Surface SceneGround(uint32_t seed, Pixel sky, Pixel ground) {
  Surface s(kSceneW, kSceneH);
  Silk(s, kSilk, seed, 0.06f);
  Canvas c(s);
  for (int y = 0; y < kSceneH; ++y)
    for (int x = 0; x < kSceneW; ++x) {
      float t = y / static_cast<float>(kSceneH);
      c.Blend(x, y, y < 190 ? sky : ground, y < 190 ? 0.35f * (1 - t) : 0.45f);
    }
  Mountain(c, -20, 200, 200, 70, seed + 1, Mix(kAzuriteLight, kSilk, 0.4f), 0.3f);
  Mountain(c, 150, 200, 240, 90, seed + 2, Mix(kAzuriteLight, kSilk, 0.3f), 0.35f);
  Wash(c, 180, 198, 200, 14, kPaperLight, 0.6f, seed + 3);
  return s;
}

void Banner(Canvas& c, float x, float y, float h, Pixel color, const char* word, uint32_t seed) {
  Line(c, x, y, x, y - h, 2.0f, kInk, 1.0f);
  float fw = h * 0.42f;
  FillPolygon(c,
              {{x + 1, y - h},
               {x + fw, y - h + 4},
               {x + fw - 6, y - h + fw * 0.6f},
               {x + fw, y - h + fw * 1.2f},
               {x + 1, y - h + fw * 1.2f}},
              color, 1.0f);
  if (word)
    Calligraphy(c, static_cast<int>(x + 4), static_cast<int>(y - h + 4), word, kFaceKai, static_cast<int>(fw * 0.7f),
                kPaperLight, 1.0f, seed, 700);
}

void Column(Canvas& c, float x0, float y, int count, bool faceLeft, int side, uint32_t seed, float scale) {
  for (int i = 0; i < count; ++i) {
    battle_art::Pose pose;
    pose.stride = (i % 4) * 0.25f;
    float x = x0 + (faceLeft ? -1 : 1) * i * 30 * scale;
    battle_art::PaintTrooper(c, i % 3 == 0 ? battle_art::kCavalry : battle_art::kInfantry, x, y + (i % 2) * 8 * scale,
                             scale, faceLeft, side, pose, seed + i);
  }
}

// The army marches out under its banners toward a far city.
Surface MarchScene() {
  Surface s = SceneGround(1620, kGoldPale, kOchreLight);
  Canvas c(s);
  // The city on the horizon.
  FillBox(c, 250, 176, 340, 200, Rgb(128, 118, 104), 1.0f);
  FillPolygon(c, {{270, 176}, {320, 176}, {312, 166}, {278, 166}}, kInk, 0.9f);
  for (int x = 250; x < 340; x += 8) FillBox(c, x, 172, x + 5, 176, Rgb(128, 118, 104), 1.0f);
  Banner(c, 60, 250, 110, kLacquer, "征", 1621);
  Column(c, 20, 262, 7, false, 1, 1622, 1.3f);
  Column(c, 60, 290, 6, false, 1, 1630, 1.5f);
  CalligraphyVertical(c, 318, 12, "出征", kFaceKai, 36, kInk, 1.0f, 1640, 2);
  return s;
}

// Two armies meet: blue from the left, red from the right, the word "war" between.
Surface ClashScene() {
  Surface s = SceneGround(1650, Mix(kCinnabar, kSilk, 0.5f), kOchreLight);
  Canvas c(s);
  Banner(c, 40, 240, 100, kAzurite, nullptr, 1651);
  Banner(c, 320, 240, 100, kCinnabar, nullptr, 1652);
  Column(c, 24, 270, 3, false, 0, 1653, 1.5f);
  Column(c, 336, 270, 3, true, 1, 1660, 1.5f);
  // Dust where they meet.
  Wash(c, 180, 250, 60, 30, Mix(kOchre, kPaperLight, 0.4f), 0.6f, 1670);
  CalligraphyCentered(c, 180, 40, "战", kFaceKai, 110, kInk, 1.0f, 1671, 700);
  Seal(c, 232, 132, 30, "对垒", 1672);
  return s;
}

// Victory: the banner planted on the taken wall under a bright sun.
Surface VictoryScene() {
  Surface s = SceneGround(1680, kGoldPale, kOchreLight);
  Canvas c(s);
  FillEllipse(c, 290, 60, 30, 30, kCinnabar, 0.85f);
  FillBox(c, 120, 190, 360, 260, Rgb(128, 118, 104), 1.0f);
  for (int x = 120; x < 360; x += 12) FillBox(c, x, 182, x + 8, 190, Rgb(128, 118, 104), 1.0f);
  for (int y = 198; y < 260; y += 9) Line(c, 120, y, 360, y, 0.6f, Rgb(100, 92, 80), 0.8f);
  FillBox(c, 220, 222, 252, 260, kInk, 1.0f);
  Banner(c, 236, 184, 120, kCinnabar, "捷", 1681);
  Column(c, 20, 290, 5, false, 0, 1682, 1.4f);
  CalligraphyVertical(c, 22, 14, "大捷", kFaceKai, 50, kLacquer, 1.0f, 1690, 4);
  return s;
}

// Defeat: a broken banner in the smoke, the field left to crows.
Surface DefeatScene() {
  Surface s = SceneGround(1700, Rgb(110, 104, 100), Mix(kOchre, kInkGrey, 0.5f));
  Canvas c(s);
  for (int i = 0; i < 5; ++i) Wash(c, 60 + i * 70, 120 + (i % 2) * 30, 70, 40, kInkGrey, 0.45f, 1701 + i);
  // The snapped pole and its fallen flag.
  Line(c, 150, 280, 162, 200, 3, kInk, 1.0f);
  Line(c, 162, 200, 200, 180, 3, kInk, 1.0f);
  FillPolygon(c, {{168, 276}, {230, 282}, {226, 296}, {172, 292}}, Mix(kCinnabar, kInkGrey, 0.5f), 1.0f);
  Rng rng(1710);
  for (int i = 0; i < 6; ++i) {
    float x = rng.Range(30, 330);
    float y = rng.Range(230, 290);
    Line(c, x, y, x + rng.Range(-20, 20), y - rng.Range(10, 30), 1.5f, kInk, 0.8f);  // spears left in the ground
  }
  for (int i = 0; i < 4; ++i) {
    float x = 230 + i * 22;
    float y = 60 + (i % 2) * 12;
    Stroke(c, {{x - 6, y}, {x, y + 3}, {x + 6, y}}, 1, 2, 1, kInk, 0.9f, 1720 + i);
  }
  CalligraphyCentered(c, 280, 130, "败", kFaceKai, 100, kInk, 0.9f, 1730, 700);
  return s;
}

// The battle's small message frame: a pale strip in a lacquer frame, pale
// all over because the game writes at several places inside it.
Surface MessageFrame() {
  Surface s(kKuangW, kKuangH);
  Paper(s, kPaperLight, 1740, 0.04f);
  Canvas c(s);
  for (int i = 0; i < 5; ++i) {
    Line(c, i + 0.5f, 0, i + 0.5f, kKuangH, 1, kLacquer, 1.0f);
    Line(c, kKuangW - i - 0.5f, 0, kKuangW - i - 0.5f, kKuangH, 1, kLacquer, 1.0f);
    Line(c, 0, i + 0.5f, kKuangW, i + 0.5f, 1, kLacquer, 1.0f);
    Line(c, 0, kKuangH - i - 0.5f, kKuangW, kKuangH - i - 0.5f, 1, kLacquer, 1.0f);
  }
  DoubleRule(c, 7, 7, kKuangW - 8, kKuangH - 8, kGold, 0.9f);
  return s;
}

}  // namespace

bool GenerateWarPictures(const ResgenPaths& paths) {
  bool ok = true;
  ok &= SavePicture(paths, Pic::kAnswerPanel, AnswerPanel());
  ok &= SavePicture(paths, Pic::kReportBack, ReportBackdrop());
  ok &= SavePicture(paths, Pic::kWarGo, MarchScene());
  ok &= SavePicture(paths, Pic::kWarVs, ClashScene());
  ok &= SavePicture(paths, Pic::kWarWin, VictoryScene());
  ok &= SavePicture(paths, Pic::kWarLose, DefeatScene());
  ok &= SavePicture(paths, Pic::kBattleMessage, MessageFrame());
  return ok;
}
