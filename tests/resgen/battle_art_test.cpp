// The battle pictures: present at the sizes the game's drawing calls need,
// masks that give clean figures, tiles that meet without seams, duel cells
// that vanish into their backdrop, and the same bytes on every run.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/bmp.h"
#include "tools/resgen/battle/battle_art.h"
#include "tools/resgen/battle/battle_tiles.h"
#include "tools/resgen/common/picture_files.h"

namespace {

struct Expected {
  Pic pic;
  Pic mask;  // of the same size; Pic::kCount for none
};
constexpr Pic kNoMask = Pic::kCount;

// Sizes from rules/pictures.h, after where the game draws each picture: tiles
// at y = 80 t, sprite cells of 80 x 80 (columns 2 x troop + acted, the boat at
// 12-13, one row per side), five-frame strips of 80 x 80, the bar at the bottom
// 150 rows, duel cells of 215 x 205 (7 x 7) and 190 x 215 (2 x 7), ruse frames
// of 330 x 320 (2 x 8), ten 120 x 120 portraits a row for 300 officers.
const Expected kPictures[] = {
    {Pic::kTiles, kNoMask},
    {Pic::kUnits, Pic::kUnitsMask},
    {Pic::kStepCross, Pic::kStepCrossMask},
    {Pic::kStepAt, Pic::kStepAtMask},
    {Pic::kFightArrow, Pic::kFightArrowMask},
    {Pic::kLevelUp, Pic::kLevelUpMask},
    {Pic::kDefeat, Pic::kDefeatMask},
    {Pic::kStrike, Pic::kStrikeMask},
    {Pic::kStatusBar, kNoMask},
    {Pic::kWeatherIcon1, Pic::kWeatherIcon1Mask},
    {Pic::kWeatherIcon2, Pic::kWeatherIcon2Mask},
    {Pic::kWeatherIcon3, Pic::kWeatherIcon3Mask},
    {Pic::kWeatherIcon4, Pic::kWeatherIcon4Mask},
    {Pic::kWeatherIcon5, Pic::kWeatherIcon5Mask},
    {Pic::kDayClear, kNoMask},
    {Pic::kDayOvercast, kNoMask},
    {Pic::kDayWind, kNoMask},
    {Pic::kDayRain, kNoMask},
    {Pic::kDayIce, kNoMask},
    {Pic::kDayBanner, kNoMask},
    {Pic::kDuelBack, kNoMask},
    {Pic::kDuelAttacker, kNoMask},
    {Pic::kDuelTarget, kNoMask},
    {Pic::kMissile1, kNoMask},
    {Pic::kMissile2, kNoMask},
    {Pic::kSkillSheet, kNoMask},
    {Pic::kPortraits1, kNoMask},
    {Pic::kPortraits2, kNoMask},
    {Pic::kPortraits3, kNoMask},
    {Pic::kPortraits4, kNoMask},
};

std::string ResPath(Pic pic) { return "Res/" + PicFile(pic); }

Surface Load(const std::string& path) {
  Surface s;
  EXPECT_TRUE(LoadBmpFile(path, s)) << path;
  return s;
}

TEST(BattleArt, EveryPictureIsThereAtItsSize) {
  for (const Expected& e : kPictures) {
    Surface image = Load(ResPath(e.pic));
    EXPECT_EQ(image.Width(), PicWidth(e.pic)) << PicFile(e.pic);
    EXPECT_EQ(image.Height(), PicHeight(e.pic)) << PicFile(e.pic);
    if (e.mask == kNoMask) continue;
    Surface mask = Load(ResPath(e.mask));
    EXPECT_EQ(mask.Width(), PicWidth(e.pic)) << PicFile(e.mask);
    EXPECT_EQ(mask.Height(), PicHeight(e.pic)) << PicFile(e.mask);
  }
}

// OR with the mask, then AND with the image: the background survives only
// where the mask is black and the image white, and the figure replaces it
// only where the mask is white.
TEST(BattleArt, MasksGiveCleanFigures) {
  for (const Expected& e : kPictures) {
    if (e.mask == kNoMask) continue;
    std::string name = PicFile(e.pic);
    Surface image = Load(ResPath(e.pic)), mask = Load(ResPath(e.mask));
    int figure = 0, stray = 0;
    for (int y = 0; y < mask.Height(); ++y)
      for (int x = 0; x < mask.Width(); ++x) {
        Pixel m = mask.Get(x, y);
        ASSERT_TRUE(m == kBlack || m == kWhite) << name << " mask is not two-tone at " << x << "," << y;
        if (m == kWhite) ++figure;
        else if (image.Get(x, y) != kWhite) ++stray;
      }
    EXPECT_EQ(stray, 0) << name << ": image pixels outside the mask would tint the background";
    EXPECT_GT(figure, 0) << name << " has an empty mask";
  }
}

TEST(BattleArt, EachFrameOfTheEffectsHasAFigure) {
  for (const char* name : {"sj", "sw", "atshow"}) {
    Surface mask = Load(std::string("Res/Fight/") + name + "mask.kbp");
    for (int f = 0; f < 5; ++f) {
      int covered = 0;
      for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 80; ++x) covered += mask.Get(f * 80 + x, y) == kWhite;
      EXPECT_GT(covered, 80) << name << " frame " << f;
    }
  }
}

// Land tiles share one ground, so their borders must be that ground: a motif
// reaching the edge would show as a cut wherever the tile meets another.
TEST(BattleArt, LandTilesMeetWithoutSeams) {
  Surface strip = Load("Res/Fight/tiles.kbp");
  auto edge = [&](int t, int i, int side) {
    int y0 = t * kTileSize;
    switch (side) {
      case 0: return strip.Get(i, y0);
      case 1: return strip.Get(kTileSize - 1, y0 + i);
      case 2: return strip.Get(i, y0 + kTileSize - 1);
      default: return strip.Get(0, y0 + i);
    }
  };
  for (int t = 0; t < kTileCount; ++t) {
    if (IsRiverTile(t) || t == kTilePlain || t == kTileCity) continue;
    for (int side = 0; side < 4; ++side)
      for (int i = 0; i < kTileSize; ++i)
        ASSERT_EQ(edge(t, i, side), edge(kTilePlain, i, side)) << "tile " << t << " side " << side << " at " << i;
  }
}

// Along a river tile's side the middle of the edge is water exactly like open
// water (so rivers flow on) or ground exactly like a land tile (the bank).
TEST(BattleArt, RiverEdgesJoinWaterAndLand) {
  Surface strip = Load("Res/Fight/tiles.kbp");
  auto pixel = [&](int t, int side, int i) {
    int y0 = t * kTileSize;
    switch (side) {
      case 0: return strip.Get(i, y0);
      case 1: return strip.Get(kTileSize - 1, y0 + i);
      case 2: return strip.Get(i, y0 + kTileSize - 1);
      default: return strip.Get(0, y0 + i);
    }
  };
  const int sideBit[4] = {kSideN, kSideE, kSideS, kSideW};
  for (int t = 16; t < kTileCount; ++t) {
    if (!IsRiverTile(t)) continue;
    RiverShape shape = RiverShapeOf(t);
    for (int side = 0; side < 4; ++side) {
      int reference = (shape.landSides & sideBit[side]) ? kTilePlain : kTileRiverOpen;
      for (int i = 28; i < 52; ++i)
        ASSERT_EQ(pixel(t, side, i), pixel(reference, side, i)) << "tile " << t << " side " << side << " at " << i;
    }
  }
}

TEST(BattleTiles, RiverPickerKeepsBanksAndNeverInventsCorners) {
  for (int bits = 0; bits < 256; ++bits) {
    bool n = bits & 1, e = bits & 2, s = bits & 4, w = bits & 8;
    bool ne = bits & 16, se = bits & 32, sw = bits & 64, nw = bits & 128;
    int t = RiverTileFor(n, e, s, w, ne, se, sw, nw);
    ASSERT_TRUE(IsRiverTile(t)) << bits;
    RiverShape shape = RiverShapeOf(t);
    int land = (n ? 0 : kSideN) | (e ? 0 : kSideE) | (s ? 0 : kSideS) | (w ? 0 : kSideW);
    EXPECT_EQ(shape.landSides, land) << bits;
    int allowed = (n && e && !ne ? kCornerNE : 0) | (s && e && !se ? kCornerSE : 0) | (s && w && !sw ? kCornerSW : 0) |
                  (n && w && !nw ? kCornerNW : 0);
    EXPECT_EQ(shape.innerCorners & ~allowed, 0) << "tile " << t << " for neighbours " << bits;
    // A river one square wide (every diagonal is land) always gets its exact tile.
    if (!ne && !se && !sw && !nw) {
      EXPECT_EQ(shape.innerCorners, allowed) << bits;
    }
  }
}

// The player's units carry blue, the computer's red, and a unit that has acted
// is paler than one that has not.
TEST(BattleArt, SidesAndSpentUnitsReadApart) {
  Surface sheet = Load("Res/Fight/fight_bing.kbp"), mask = Load("Res/Fight/fight_bingmask.kbp");
  for (int col = 0; col < 14; ++col) {
    long blue[2] = {0, 0}, red[2] = {0, 0};
    for (int side = 0; side < 2; ++side)
      for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 80; ++x) {
          int px = col * 80 + x, py = side * 80 + y;
          if (mask.Get(px, py) != kWhite) continue;
          Pixel p = sheet.Get(px, py);
          int r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
          // Banner blue and cinnabar, not the browns of horses and hulls.
          if (b > 100 && b * 10 > r * 13 && b > g + 15) ++blue[side];
          if (r > 120 && r * 2 > g * 3 && r * 2 > b * 3) ++red[side];
        }
    EXPECT_GT(blue[0], red[0]) << "column " << col;
    EXPECT_GT(red[1], blue[1]) << "column " << col;
  }
}

// The attacker and target cells are plain copies over the backdrop: the
// backdrop's stage must not change along a row, and the cells' empty margins
// must carry exactly the backdrop rows they land on (70 below its top).
TEST(BattleArt, DuelCellsVanishIntoTheBackdrop) {
  Surface back = Load("Res/Fight/SpeBack.kbp");
  for (int y = 70; y < 285; ++y)
    for (int x = 45; x < 615; x += 19) ASSERT_EQ(back.Get(x, y), back.Get(320, y)) << x << "," << y;
  Surface left = Load("Res/Fight/fight_left.kbp"), right = Load("Res/Fight/fight_right.kbp");
  for (int row = 0; row < 7; ++row) {
    for (int y = 0; y < 150; ++y) {
      for (int frame = 0; frame < 7; ++frame)
        ASSERT_EQ(left.Get(frame * 215, row * 205 + y), back.Get(320, 70 + y))
            << "left row " << row << " frame " << frame;
      for (int col = 0; col < 2; ++col)
        ASSERT_EQ(right.Get(col * 190 + 189, row * 215 + y), back.Get(320, 70 + y)) << "right row " << row;
    }
  }
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(BattleArt, SameBytesOnEveryRun) {
  namespace fs = std::filesystem;
  fs::path root = fs::temp_directory_path() / ("kestrel_battle_art_" + std::to_string(::getpid()));
  std::string dirs[2] = {(root / "a").string(), (root / "b").string()};
  for (const std::string& d : dirs) {
    fs::create_directories(d + "/Fight");
    ResgenPaths paths{"", d};
    ASSERT_TRUE(battle_art::PaintTiles(paths));
    ASSERT_TRUE(battle_art::PaintUnitSheet(paths));
    ASSERT_TRUE(battle_art::PaintEffects(paths));
  }
  for (const char* name : {"tiles", "fight_bing", "fight_bingmask", "sj", "swmask", "atshow"}) {
    std::string a = Slurp(dirs[0] + "/Fight/" + name + ".kbp"), b = Slurp(dirs[1] + "/Fight/" + name + ".kbp");
    EXPECT_FALSE(a.empty()) << name;
    EXPECT_TRUE(a == b) << name << " differs between two runs";
  }
  fs::remove_all(root);
}

}  // namespace

namespace {

float MeanDifference(const Surface& s, int ax, int ay, int bx, int by, int w, int h) {
  double sum = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Pixel p = s.Get(ax + x, ay + y), q = s.Get(bx + x, by + y);
      for (int shift : {16, 8, 0})
        sum += std::abs(static_cast<int>((p >> shift) & 255) - static_cast<int>((q >> shift) & 255));
    }
  return static_cast<float>(sum / (3.0 * w * h));
}

// The game alternates a ruse's two frames six times: they must differ enough
// to read as motion (the mounted border and the ground they share aside).
TEST(BattleArt, RuseFramesMove) {
  Surface sheet = Load("Res/Fight/fight_skill.kbp");
  for (int row = 0; row < 8; ++row) {
    float d = MeanDifference(sheet, 12, row * 320 + 12, 330 + 12, row * 320 + 12, 306, 296);
    EXPECT_GT(d, 8.0f) << "row " << row << " barely moves";
  }
}

// Wash, not flat fill: inside the figures and the ruse scenes hardly any pixel
// has the same colour as its right-hand neighbour.
TEST(BattleArt, FiguresAndRusesAreWashedNotFlat) {
  struct Sheet {
    const char* name;
    float most;  // the largest share of pixels equal to their neighbour
  };
  for (const Sheet& sh : {Sheet{"fight_bing", 0.1f}, Sheet{"fight_skill", 0.15f}}) {
    Surface image = Load(std::string("Res/Fight/") + sh.name + ".kbp");
    Surface mask;
    bool masked = LoadBmpFile(std::string("Res/Fight/") + sh.name + "mask.kbp", mask);
    long inside = 0, same = 0;
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x + 1 < image.Width(); ++x) {
        if (masked && (mask.Get(x, y) != kWhite || mask.Get(x + 1, y) != kWhite)) continue;
        // The ruses' scenes only, not their mounted borders.
        if (!masked && (x % 330 < 12 || x % 330 > 316 || y % 320 < 12 || y % 320 > 306)) continue;
        ++inside;
        same += image.Get(x, y) == image.Get(x + 1, y);
      }
    ASSERT_GT(inside, 1000) << sh.name;
    EXPECT_LT(static_cast<float>(same) / inside, sh.most) << sh.name;
    std::printf("%s: %.3f of the pixels repeat their neighbour\n", sh.name, static_cast<float>(same) / inside);
  }
}

}  // namespace
