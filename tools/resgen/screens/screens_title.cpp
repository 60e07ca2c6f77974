// The start-up and title pictures: the back buffer's first picture, the intro
// frames, the title with its two great characters, the title menu and its
// highlighted entries, and the credits.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tools/resgen/common/picture_files.h"
#include "tools/resgen/common/pictures.h"
#include "tools/resgen/screens/screens_common.h"

using namespace paint;

namespace {

// The full pictures share the size of the plain black one.
constexpr int kW = PicWidth(Pic::kBlack);
constexpr int kH = PicHeight(Pic::kBlack);

// ---- the landscape shared by intro and title -------------------------------
struct LandscapeLook {
  uint32_t seed = 1;
  float sunX = 640;
  float sunY = 110;
  float sunR = 38;
  bool boats = true;
  bool geese = true;
  bool banners = false;  // an army on the near ridge
};

void PaintGeese(Canvas& c, float x, float y, uint32_t seed) {
  Rng rng(seed);
  for (int i = 0; i < 7; ++i) {
    float gx = x + i * 16 + rng.Range(-3, 3);
    float gy = y + std::abs(i - 3) * 7 + rng.Range(-2, 2);
    float s = rng.Range(4, 6);
    Stroke(c, {{gx - s, gy - s * 0.5f}, {gx - s * 0.3f, gy - s * 0.1f}, {gx, gy}}, 0.8f, 1.6f, 0.8f, kInk, 0.75f,
           seed + i);
    Stroke(c, {{gx, gy}, {gx + s * 0.4f, gy - s * 0.2f}, {gx + s, gy - s * 0.6f}}, 0.8f, 1.4f, 0.6f, kInk, 0.75f,
           seed + 50 + i);
  }
}

void PaintBoat(Canvas& c, float x, float y, float size, uint32_t seed) {
  std::vector<Vec2> hull = {{x - size, y - size * 0.1f},
                            {x + size, y - size * 0.15f},
                            {x + size * 0.7f, y + size * 0.12f},
                            {x - size * 0.75f, y + size * 0.12f}};
  FillPolygon(c, hull, kInk, 0.8f);
  Line(c, x, y - size * 0.1f, x + size * 0.05f, y - size * 1.2f, 1.0f, kInk, 0.8f);
  std::vector<Vec2> sail = {
      {x + size * 0.07f, y - size * 1.15f}, {x + size * 0.6f, y - size * 0.3f}, {x + size * 0.07f, y - size * 0.25f}};
  FillPolygon(c, sail, kOchreLight, 0.85f);
  Stroke(c, {{x + size * 0.07f, y - size * 1.15f}, {x + size * 0.6f, y - size * 0.3f}}, 0.8f, 1.0f, 0.6f, kInk, 0.6f,
         seed);
}

void PaintBanners(Canvas& c, float x, float y, uint32_t seed) {
  Rng rng(seed);
  for (int i = 0; i < 9; ++i) {
    float bx = x + i * 13 + rng.Range(-3, 3);
    float by = y + rng.Range(-4, 4) + std::abs(i - 4) * 2.0f;
    Line(c, bx, by, bx, by - 30, 1.2f, kInk, 0.85f);
    Pixel flag = (i % 3 == 1) ? kInk : kCinnabar;
    std::vector<Vec2> f = {{bx, by - 30}, {bx + 11, by - 27}, {bx + 9, by - 22}, {bx, by - 19}};
    FillPolygon(c, f, flag, 0.9f);
  }
}

// A blue-green landscape after the court painters: far ranges in mist, a red
// sun, the great river and its boats, near peaks in mineral colour.
void PaintLandscape(Surface& s, const LandscapeLook& look) {
  Silk(s, kSilk, look.seed, 0.07f);
  // The sky warms toward the horizon.
  for (int y = 0; y < s.Height(); ++y) {
    float t = SmoothStep(0, 300, static_cast<float>(y));
    for (int x = 0; x < s.Width(); ++x) s.Set(x, y, Mix(s.Get(x, y), Scale(s.Get(x, y), 1.06f), t));
  }
  Canvas c(s);
  FillEllipse(c, look.sunX, look.sunY, look.sunR, look.sunR, kCinnabar, 0.82f);
  Wash(c, look.sunX, look.sunY, look.sunR * 2.2f, look.sunR * 1.6f, kCinnabar, 0.08f, look.seed + 2);
  // Three ranges, paler with distance, each with mist at its foot.
  Rng rng(look.seed + 3);
  const Pixel farTone = Mix(kAzuriteLight, kSilk, 0.55f);
  for (int i = 0; i < 5; ++i)
    Mountain(c, -60 + i * 190 + rng.Range(-30, 30), 260, rng.Range(220, 300), rng.Range(70, 120), look.seed + 10 + i,
             farTone, 0.15f);
  for (int i = 0; i < 4; ++i)
    Mountain(c, -90 + i * 250 + rng.Range(-30, 30), 300, rng.Range(230, 320), rng.Range(100, 170), look.seed + 20 + i,
             Mix(kAzurite, kSilk, 0.35f), 0.45f);
  for (int i = 0; i < 3; ++i) Wash(c, 130 + i * 270, 292, 240, 22, kPaperLight, 0.55f, look.seed + 30 + i);
  // The river: a pale band with ripple strokes.
  for (int y = 300; y < 400; ++y)
    for (int x = 0; x < s.Width(); ++x) {
      float t = SmoothStep(300, 320, static_cast<float>(y)) * (1 - SmoothStep(370, 400, static_cast<float>(y)));
      c.Blend(x, y, Mix(kAzuriteLight, kPaperLight, 0.55f), 0.45f * t);
    }
  for (int i = 0; i < 40; ++i) {
    float y = rng.Range(310, 385);
    float x = rng.Range(-20, s.Width());
    float len = rng.Range(25, 70);
    Stroke(c, {{x, y}, {x + len * 0.5f, y - 1.5f}, {x + len, y}}, 0.4f, 1.2f, 0.3f, kAzurite, 0.35f,
           look.seed + 40 + i);
  }
  if (look.boats) {
    PaintBoat(c, 250, 345, 16, look.seed + 5);
    PaintBoat(c, 330, 362, 11, look.seed + 6);
  }
  // Near peaks on both sides frame the view, with trees on their slopes.
  Mountain(c, -120, 480, 420, 250, look.seed + 60, kMalachite, 1.0f);
  Mountain(c, 560, 480, 360, 230, look.seed + 61, kMalachite, 1.0f);
  Mountain(c, 180, 480, 260, 110, look.seed + 62, Mix(kMalachite, kOchre, 0.4f), 0.8f);
  for (int i = 0; i < 6; ++i) {
    Tree(c, 30 + i * 28 + rng.Range(-6, 6), 430 + rng.Range(-10, 10), rng.Range(26, 40), look.seed + 70 + i,
         Mix(kMalachite, kInk, 0.35f));
    Tree(c, 640 + i * 26 + rng.Range(-6, 6), 440 + rng.Range(-10, 10), rng.Range(24, 38), look.seed + 80 + i,
         Mix(kMalachite, kInk, 0.35f));
  }
  if (look.banners) PaintBanners(c, 620, 305, look.seed + 90);
  if (look.geese) PaintGeese(c, 430, 120, look.seed + 95);
  Vignette(s, 0.35f);
}

// Darkens a picture toward night ink, keeping a trace of the forms.
void Dusk(Surface& s, float amount) {
  Pixel night = Rgb(18, 20, 26);
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) s.Set(x, y, Mix(s.Get(x, y), night, amount));
}

// ---- single pictures -------------------------------------------------------
// The back buffer's own picture: a dark lacquer ground whose top and bottom
// strips stay visible around the 800 x 480 picture area until the map blanks them.
Surface BackBuffer() {
  Surface s(PicWidth(Pic::kBackBuffer), PicHeight(Pic::kBackBuffer));
  Paper(s, Rgb(34, 24, 20), 101, 0.12f);
  Canvas c(s);
  for (int band = 0; band < 2; ++band) {
    int y0 = band == 0 ? 0 : 530;
    int y1 = band == 0 ? 50 : 600;
    int mid = (y0 + y1) / 2;
    // A running cloud scroll in dull gold between two rules.
    Line(c, 0, y0 + 6, kW, y0 + 6, 1.0f, kGold, 0.6f);
    Line(c, 0, y1 - 7, kW, y1 - 7, 1.0f, kGold, 0.6f);
    for (int i = 0; i < 10; ++i) Cloud(c, 40 + i * 80, mid - 4, 11, kGold, 0.35f, 110 + i + band * 20);
  }
  return s;
}

Surface Plain(Pixel color) { return Surface(kW, kH, color); }

// The situation screens and the colour ruler choice: pale paper that black
// text and inverted blocks read on.
Surface WhitePaper() {
  Surface s(kW, kH);
  Paper(s, kPaperLight, 131, 0.035f);
  Canvas c(s);
  DoubleRule(c, 8, 8, kW - 9, kH - 9, Mix(kOchre, kPaperLight, 0.35f), 0.7f);
  return s;
}

// The opening words of the old novel, one phrase per frame.
const char* const kIntroLines[4] = {"话说", "天下大势", "分久必合", "合久必分"};

Surface IntroFrame(int k) {
  LandscapeLook look;
  look.seed = 200;
  look.sunY = 190 - k * 25.0f;  // the sun climbs as the frames go on
  look.banners = k >= 2;
  Surface s(kW, kH);
  PaintLandscape(s, look);
  const float dusk[4] = {0.86f, 0.6f, 0.3f, 0.0f};
  Dusk(s, dusk[k]);
  Canvas c(s);
  // The phrases stand in a column at the right, each new one beside the last.
  for (int i = 0; i <= k; ++i) {
    Pixel ink = k == 3 ? kInk : Mix(kGoldPale, kPaperLight, 0.3f);
    float fade = i == k ? 1.0f : 0.7f;
    CalligraphyVertical(c, 730 - i * 60, 30 + (i == 0 ? 0 : 10), kIntroLines[i], kFaceKai, 48, ink, fade, 210 + i);
  }
  if (k == 3) Seal(c, 556, 250, 40, "霸业", 219);
  return s;
}

// The title's ground: the landscape left open in the middle for the two great
// characters painted over it.
Surface TitleBackground() {
  LandscapeLook look;
  look.seed = 300;
  look.sunX = 400;
  look.sunY = 86;
  look.sunR = 30;
  look.banners = true;
  Surface s(kW, kH);
  PaintLandscape(s, look);
  Canvas c(s);
  // Mist behind the characters so their ink stands clear.
  Wash(c, 220, 250, 190, 150, kPaperLight, 0.55f, 305);
  Wash(c, 590, 250, 190, 150, kPaperLight, 0.55f, 306);
  CalligraphyVertical(c, 384, 150, "三国", kFaceKai, 34, kCinnabar, 0.9f, 307, 4);
  Seal(c, 750, 418, 36, "鹰原", 308);
  return s;
}

// One of the two great characters as a masked figure: dense ink with a dry
// edge and a few spatters, as from a loaded brush.
Figure GreatCharacter(const char* ch, uint32_t seed) {
  const int size = PicWidth(Pic::kBa);
  Figure fig(size, PicHeight(Pic::kBa));
  Canvas c(fig);
  Coverage cov = TextCoverage(ch, kFaceKai, 270, 700);
  int margin = 270 / 4;
  int w = TextWidth(ch, kFaceKai, 270, 700);
  int ox = (size - w) / 2 - margin;
  int oy = (size - 270) / 2 - margin + 8;
  Coverage rough(cov.width, cov.height);
  for (int j = 0; j < cov.height; ++j)
    for (int i = 0; i < cov.width; ++i) {
      float v = cov.At(i, j);
      float n = ValueNoise(seed, i * 0.12f, j * 0.12f);
      rough.value[static_cast<size_t>(j) * cov.width + i] = std::min(1.0f, v * (0.85f + 0.4f * n));
    }
  ApplyInk(c, rough, ox, oy, kInk, 1.0f, seed, 0.12f);
  Rng rng(seed);
  for (int i = 0; i < 14; ++i) {
    float r = rng.Range(1.5f, 4.5f);
    FillEllipse(c, rng.Range(20, size - 20), rng.Range(20, size - 20), r, r * rng.Range(0.7f, 1.0f), kInk, 0.95f);
  }
  return fig;
}

// ---- the title menu --------------------------------------------------------
constexpr int kEntryW = PicWidth(Pic::kTitleNew);
constexpr int kEntryH = PicHeight(Pic::kTitleNew);
struct MenuEntry {
  const char* label;
  int x;
  int y;
};
const MenuEntry kEntries[4] = {
    {"新的征程", 25, 220}, {"读取进度", 410, 220}, {"制作人员", 25, 350}, {"退出游戏", 410, 350}};

// A tablet for a menu entry. Lit: lacquer red with gold writing and a
// banner mark; unlit: pale silk with ink writing.
void PaintEntry(Surface& s, int x, int y, const char* label, bool lit, uint32_t seed) {
  Canvas c(s);
  Pixel ground = lit ? kLacquer : Mix(kPaperLight, kSilk, 0.4f);
  Pixel edge = lit ? kGold : Mix(kOchre, kInk, 0.3f);
  for (int j = 0; j < kEntryH; ++j)
    for (int i = 0; i < kEntryW; ++i) {
      // Cut corners like a bamboo tablet.
      int cx = std::min(i, kEntryW - 1 - i);
      int cy = std::min(j, kEntryH - 1 - j);
      if (cx + cy < 10) continue;
      float n = Fbm(seed, i * 0.03f, j * 0.08f, 3);
      float grain = 0.9f + 0.2f * n;
      c.Blend(x + i, y + j, Scale(ground, grain), lit ? 1.0f : 0.88f);
    }
  std::vector<Vec2> outline = {{x + 10.f, y + 3.f},
                               {x + kEntryW - 11.f, y + 3.f},
                               {x + kEntryW - 4.f, y + 10.f},
                               {x + kEntryW - 4.f, y + kEntryH - 11.f},
                               {x + kEntryW - 11.f, y + kEntryH - 4.f},
                               {x + 10.f, y + kEntryH - 4.f},
                               {x + 3.f, y + kEntryH - 11.f},
                               {x + 3.f, y + 10.f}};
  for (size_t i = 0; i < outline.size(); ++i) {
    const Vec2& a = outline[i];
    const Vec2& b = outline[(i + 1) % outline.size()];
    Line(c, a.x, a.y, b.x, b.y, 2.0f, edge, 0.9f);
  }
  Line(c, x + 14, y + 10, x + kEntryW - 15, y + 10, 1.0f, edge, 0.6f);
  Line(c, x + 14, y + kEntryH - 11, x + kEntryW - 15, y + kEntryH - 11, 1.0f, edge, 0.6f);
  Pixel textColor = lit ? kGoldPale : kInk;
  CalligraphyCentered(c, x + kEntryW / 2 + (lit ? 22 : 0), y + 22, label, kFaceKai, 66, textColor, 1.0f, seed + 1, 700);
  if (lit) {
    // A small war banner marks the chosen entry.
    Line(c, x + 24, y + 20, x + 24, y + 92, 2.0f, kGold, 1.0f);
    std::vector<Vec2> flag = {
        {x + 25.f, y + 22.f}, {x + 52.f, y + 27.f}, {x + 46.f, y + 40.f}, {x + 52.f, y + 53.f}, {x + 25.f, y + 51.f}};
    FillPolygon(c, flag, kCinnabar, 1.0f);
    Calligraphy(c, x + 27, y + 25, "帅", kFaceKai, 22, kGoldPale, 1.0f, seed + 2, 700);
  }
}

Surface TitleMenuGround() {
  LandscapeLook look;
  look.seed = 400;
  look.sunX = 120;
  look.sunY = 70;
  look.sunR = 26;
  look.boats = false;
  Surface s(kW, kH);
  PaintLandscape(s, look);
  Canvas c(s);
  Wash(c, 400, 110, 300, 80, kPaperLight, 0.7f, 401);
  CalligraphyCentered(c, 400, 28, "霸业", kFaceKai, 130, kInk, 1.0f, 402, 700);
  Seal(c, 560, 120, 44, "三国", 403);
  return s;
}

Surface TitleMenu(const Surface& ground) {
  Surface s = ground;
  for (int i = 0; i < 4; ++i) PaintEntry(s, kEntries[i].x, kEntries[i].y, kEntries[i].label, false, 410 + i);
  return s;
}

// The lit entry is copied over the menu as a rectangle, so its ground outside
// the tablet's cut corners is the menu's own ground at that place.
Surface LitEntry(const Surface& menuGround, int i) {
  Surface s(kEntryW, kEntryH);
  s.Blit(0, 0, menuGround, kEntries[i].x, kEntries[i].y, kEntryW, kEntryH, RasterOp::Copy);
  PaintEntry(s, 0, 0, kEntries[i].label, true, 430 + i);
  return s;
}

// ---- credits ---------------------------------------------------------------
// The poem that opens the old novel, and who made the game.
Surface Credits() {
  Surface s(kW, kH);
  Silk(s, Rgb(52, 40, 34), 500, 0.1f);
  Surface scroll(560, 440);
  Paper(scroll, kPaperLight, 501, 0.05f);
  Canvas sc(scroll);
  DoubleRule(sc, 10, 10, 549, 429, Mix(kOchre, kInk, 0.2f), 0.8f);
  // The poem in columns, right to left.
  const char* const poem[] = {"临江仙",         "滚滚长江东逝水", "浪花淘尽英雄",   "是非成败转头空",
                              "青山依旧在",     "几度夕阳红",     "白发渔樵江渚上", "惯看秋月春风",
                              "一壶浊酒喜相逢", "古今多少事",     "都付笑谈中"};
  int x = 500;
  for (int i = 0; i < 11; ++i) {
    int size = i == 0 ? 34 : 28;
    CalligraphyVertical(sc, x, i == 0 ? 30 : 60, poem[i], kFaceKai, size, i == 0 ? kCinnabar : kInk, 0.95f, 510 + i, 2);
    x -= i == 0 ? 48 : 36;
  }
  Seal(sc, 26, 360, 46, "杨慎", 530);
  Place(
      s,
      [&] {
        Figure f(scroll.Width(), scroll.Height());
        f.color = scroll;
        for (float& a : f.alpha) a = 1.0f;
        return f;
      }(),
      20, 20);
  Canvas c(s);
  // The makers, at the right on the dark silk, in columns like the poem.
  CalligraphyVertical(c, 716, 40, "霸业", kFaceKai, 60, kGoldPale, 1.0f, 540, 6);
  CalligraphyVertical(c, 650, 60, "鹰原工作室制作", kFaceKai, 28, kGold, 1.0f, 550, 2);
  CalligraphyVertical(c, 606, 60, "献给三国的知音", kFaceKai, 28, Mix(kPaperLight, kSilk, 0.5f), 0.9f, 560, 2);
  Seal(c, 712, 330, 50, "鹰原", 570);
  return s;
}

}  // namespace

bool GenerateTitlePictures(const ResgenPaths& paths) {
  bool ok = true;
  ok &= SavePicture(paths, Pic::kBackBuffer, BackBuffer());
  ok &= SavePicture(paths, Pic::kBlack, Plain(kBlack));
  ok &= SavePicture(paths, Pic::kWhite, WhitePaper());
  for (int k = 0; k < kIntroFramePics; ++k) ok &= SavePicture(paths, IntroFramePic(k), IntroFrame(k));
  ok &= SavePicture(paths, Pic::kTitle, TitleBackground());
  ok &= SaveMaskedPicture(paths, Pic::kBa, Pic::kBaMask, GreatCharacter("霸", 320));
  ok &= SaveMaskedPicture(paths, Pic::kYe, Pic::kYeMask, GreatCharacter("业", 330));
  Surface menuGround = TitleMenuGround();
  ok &= SavePicture(paths, Pic::kTitleMenu, TitleMenu(menuGround));
  for (int i = 0; i < kTitleEntryPics; ++i) ok &= SavePicture(paths, TitleEntryPic(i), LitEntry(menuGround, i));
  ok &= SavePicture(paths, Pic::kCredits, Credits());
  return ok;
}
