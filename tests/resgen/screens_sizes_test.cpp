// Every picture of the screens and the strategic map is in Res at the size
// the game's drawing calls need, and the map pictures agree with the tables.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/bmp.h"
#include "rules/pictures.h"
#include "tools/resgen/common/picture_files.h"

namespace {

// The sizes are the manifest's (rules/pictures.h), from the drawing calls: the
// back buffer is 800 x 600; a full picture fills the 800 x 480 picture area; the
// title entries fit their 385 x 130 slots, the scenario cards theirs of 402 x
// 185 (at most 175 high in the lower row); map cells are 90 x 80 on a 12 x 9
// grid with 40 x 40 icons; the side panel is what is left right of x 680; the
// faction map is 480 x 400 at (300, 150); the road map fits inside the framed
// backdrop from (200, 120); the answer panel replaces the rectangle (20, 250)-
// (780, 500), the report backdrop (80, 70)-(720, 510); report scenes at (220,
// 100) stay above the report line at y 430.
const Pic kScreenPictures[] = {
    Pic::kBackBuffer,    Pic::kBlack,      Pic::kWhite,        Pic::kIntro05,    Pic::kIntro06,   Pic::kIntro07,
    Pic::kIntro08,       Pic::kTitle,      Pic::kBa,           Pic::kBaMask,     Pic::kYe,        Pic::kYeMask,
    Pic::kTitleMenu,     Pic::kTitleNew,   Pic::kTitleLoad,    Pic::kTitleAbout, Pic::kTitleQuit, Pic::kCredits,
    Pic::kMessageBack,   Pic::kFrame,      Pic::kSaveScreen,   Pic::kHistory,    Pic::kCard1,     Pic::kCard2,
    Pic::kCard3,         Pic::kCard4,      Pic::kFactionMap,   Pic::kMap,        Pic::kMyCity,    Pic::kHisCity,
    Pic::kEmptyCity,     Pic::kMapArrow,   Pic::kMapArrowMask, Pic::kSidePanel,  Pic::kRoads,     Pic::kIcon,
    Pic::kAnswerPanel,   Pic::kReportBack, Pic::kWarGo,        Pic::kWarVs,      Pic::kWarWin,    Pic::kWarLose,
    Pic::kBattleMessage,
};

TEST(ScreenPictures, EveryPictureIsThereAtItsSize) {
  for (Pic pic : kScreenPictures) {
    Surface s;
    std::string path = "Res/" + PicFile(pic);
    ASSERT_TRUE(LoadBmpFile(path, s)) << path << " is missing or unreadable";
    EXPECT_EQ(s.Width(), PicWidth(pic)) << path;
    EXPECT_EQ(s.Height(), PicHeight(pic)) << path;
  }
}

TEST(ScreenPictures, LitTitleEntriesFitTheirSlots) {
  // The entries are drawn at x 25 and 410, y 220 and 350: two side by side
  // and two rows must not overlap, and the lower row must stay in the area.
  Surface lit;
  ASSERT_TRUE(LoadBmpFile("Res/gmnew.kbp", lit));
  EXPECT_LE(25 + lit.Width(), 410);
  EXPECT_LE(220 + lit.Height(), 350);
  EXPECT_LE(350 + lit.Height(), 480);
}

TEST(ScreenPictures, LitEntryCornersMatchTheMenuGround) {
  // The lit entry is copied as a rectangle; outside its cut corners it must
  // show what the menu shows there, or a box would flash around it.
  Surface menu;
  Surface lit;
  ASSERT_TRUE(LoadBmpFile("Res/gmstart.kbp", menu));
  ASSERT_TRUE(LoadBmpFile("Res/gmend.kbp", lit));
  EXPECT_EQ(lit.Get(0, 0), menu.Get(410, 350));
  EXPECT_EQ(lit.Get(lit.Width() - 1, lit.Height() - 1), menu.Get(410 + lit.Width() - 1, 350 + lit.Height() - 1));
}

std::vector<int> ReadInts(const char* path) {
  std::vector<int> out;
  FILE* f = std::fopen(path, "r");
  if (!f) return out;
  int v;
  while (std::fscanf(f, "%d", &v) == 1) out.push_back(v);
  std::fclose(f);
  return out;
}

float Luma(Pixel p) { return 0.299f * ((p >> 16) & 255) + 0.587f * ((p >> 8) & 255) + 0.114f * (p & 255); }

TEST(MapPictures, EveryCityCellIsLeftClearForItsIcon) {
  // Around each icon the map shows its plain plinth, so no river, peak or
  // road runs into the 40 x 40 square the icon covers.
  Surface map;
  ASSERT_TRUE(LoadBmpFile("Res/map.kbp", map));
  std::vector<int> pos = ReadInts("Res/City/postion.kdt");
  ASSERT_GE(pos.size(), 2u);
  int checked = 0;
  for (size_t i = 0; i + 1 < pos.size(); i += 2) {
    int c = pos[i], r = pos[i + 1];
    if (c < 0 || r < 0) continue;
    Pixel ground = map.Get(c * 90 + 10, r * 80 + 25);
    for (int y = 0; y < 40; y += 3)
      for (int x = 0; x < 40; x += 3) ASSERT_EQ(map.Get(c * 90 + 10 + x, r * 80 + 25 + y), ground) << "city " << i / 2;
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

TEST(MapPictures, FactionMarksFallInsideTheFactionMapOnOpenBoxes) {
  // The game blackens 10 x 10 at (x + 2, y - 2) for a ruler's cities; the
  // picture shows a pale box there, so the mark reads at once.
  Surface who;
  ASSERT_TRUE(LoadBmpFile("Res/who.kbp", who));
  std::vector<int> xy = ReadInts("Res/who.kdt");
  std::vector<int> pos = ReadInts("Res/City/postion.kdt");
  ASSERT_GE(xy.size(), 100u);
  for (size_t k = 0; k < 50 && 2 * k + 1 < pos.size(); ++k) {
    if (pos[2 * k] < 0) continue;  // off the map: never owned, never marked
    int x = xy[2 * k] - 300 + 2;
    int y = xy[2 * k + 1] - 150 - 2;
    ASSERT_GE(x, 0);
    ASSERT_GE(y, 0);
    ASSERT_LE(x + 10, who.Width());
    ASSERT_LE(y + 10, who.Height());
    EXPECT_GT(Luma(who.Get(x + 5, y + 5)), 180) << "city " << k;
  }
}

TEST(MapPictures, SidePanelIsDarkWhereWhiteTextGoes) {
  // With colour on the counts, date and city name are written in white.
  Surface panel;
  ASSERT_TRUE(LoadBmpFile("Res/right.kbp", panel));
  const int spots[][2] = {{60, 150}, {60, 200}, {30, 265}, {30, 315}, {40, 370}};
  for (const auto& p : spots) EXPECT_LT(Luma(panel.Get(p[0], p[1])), 110) << p[0] << "," << p[1];
}

TEST(ScreenPictures, TextAreasArePaleWhereBlackTextGoes) {
  // Answer lines from (280, 50), report lines at y 360 of the backdrop, the
  // message strip from (5, 5): black text without a background must read.
  struct Spot {
    const char* name;
    int x, y;
  };
  const Spot spots[] = {{"Fight/fight_imformation", 400, 80},  {"Fight/fight_imformation", 500, 210},
                        {"Fight/fight_msgback", 200, 380},     {"messageback", 200, 30},
                        {"Fight/fight_messagekuang", 300, 55}, {"white", 400, 240}};
  for (const Spot& s : spots) {
    Surface pic;
    ASSERT_TRUE(LoadBmpFile(std::string("Res/") + s.name + ".kbp", pic));
    EXPECT_GT(Luma(pic.Get(s.x, s.y)), 190) << s.name;
  }
}

}  // namespace
