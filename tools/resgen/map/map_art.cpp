// The strategic map and everything drawn on or beside it: the map itself
// (land, coast, rivers, mountains, roads, city plinths and names), the three
// city icons, the cursor arrow, the side panel, the road map and the faction
// map. The pictures follow the generated tables: city cells from
// City/postion.kdt, roads from arrive.kdt, names from citynamebylist.kss and
// faction-map marks from who.kdt.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/text.h"
#include "tools/resgen/map/map_art.h"
#include "tools/resgen/common/picture_files.h"
#include "tools/resgen/common/pictures.h"
#include "tools/resgen/common/resgen_io.h"
#include "tools/resgen/world/world_data.h"
#include "tools/resgen/common/resgen_record.h"

using namespace paint;

namespace {

// ---- geometry the game fixes --------------------------------------------------
constexpr int kMapW = PicWidth(Pic::kMap);
constexpr int kMapH = PicHeight(Pic::kMap);
constexpr int kCols = 12;
constexpr int kRows = 9;
constexpr int kCellW = 90;
constexpr int kCellH = 80;
constexpr int kIconSize = PicWidth(Pic::kMyCity);
static_assert(PicHeight(Pic::kMyCity) == kIconSize, "city icons are square");
constexpr int kIconLeft = 10;  // icon of cell (c, r) at (c * 90 + 10, r * 80 + 25)
constexpr int kIconTop = 25;
// The cursor is drawn at (c * 90 + 12, r * 80 + 35); its tip points at the
// icon's lower right, this far inside the arrow picture.
constexpr int kArrowW = PicWidth(Pic::kMapArrow);
constexpr int kArrowH = PicHeight(Pic::kMapArrow);
constexpr float kArrowTipX = 34;
constexpr float kArrowTipY = 26;
// The faction map is drawn with its top-left at (300, 150); its marks are in
// back-buffer pixels.
constexpr int kWhoLeft = 300;
constexpr int kWhoTop = 150;
constexpr int kWhoW = PicWidth(Pic::kFactionMap);
constexpr int kWhoH = PicHeight(Pic::kFactionMap);
// The road map is copied to (200, 120) and stays inside the framed backdrop.
constexpr int kWayW = PicWidth(Pic::kRoads);
constexpr int kWayH = PicHeight(Pic::kRoads);
// The side panel at (680, 50): where the game writes into it, in panel pixels.
constexpr int kPanelW = PicWidth(Pic::kSidePanel);
constexpr int kPanelH = PicHeight(Pic::kSidePanel);

const Pixel kPlayerBlue = Rgb(40, 86, 160);
const Pixel kRivalRed = Rgb(186, 40, 30);

struct City {
  int index = 0;
  int col = -1;
  int row = -1;
  int whoX = 0;
  int whoY = 0;
  std::string name;  // UTF-8
  bool OnMap() const { return col >= 0 && col < kCols && row >= 0 && row < kRows; }
  float MapX() const { return col * kCellW + kIconLeft + kIconSize / 2.0f; }
  float MapY() const { return row * kCellH + kIconTop + kIconSize / 2.0f; }
};

struct MapWorld {
  std::vector<City> cities;
  std::vector<std::pair<int, int>> roads;  // 0-based, each once
};

std::vector<int> ReadInts(const std::string& path) {
  std::vector<int> out;
  RunRecord().NoteRead(path);
  FILE* f = OpenFile(path, "r");
  if (!f) return out;
  int v = 0;
  while (std::fscanf(f, "%d", &v) == 1) out.push_back(v);
  std::fclose(f);
  return out;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> out;
  RunRecord().NoteRead(path);
  FILE* f = OpenFile(path, "r");
  if (!f) return out;
  char buf[256];
  while (std::fgets(buf, sizeof buf, f)) {
    std::string line(buf);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    out.push_back(line);
  }
  std::fclose(f);
  return out;
}

// The tables as GenerateTables wrote them; missing tables leave the map without
// cities (the land is still painted).
MapWorld ReadWorld(const std::string& res) {
  MapWorld w;
  std::vector<int> pos = ReadInts(res + "/City/postion.kdt");
  std::vector<int> who = ReadInts(res + "/who.kdt");
  std::vector<std::string> names = ReadLines(res + "/citynamebylist.kss");
  for (size_t i = 0; 2 * i + 1 < pos.size() && i < 50; ++i) {
    City c;
    c.index = static_cast<int>(i);
    c.col = pos[2 * i];
    c.row = pos[2 * i + 1];
    if (2 * i + 1 < who.size()) {
      c.whoX = who[2 * i];
      c.whoY = who[2 * i + 1];
    }
    if (i < names.size()) c.name = GbkToUtf8(names[i]);
    w.cities.push_back(c);
  }
  std::vector<int> links = ReadInts(res + "/arrive.kdt");
  for (size_t i = 0; i + 1 < links.size(); i += 2) {
    int a = links[i] - 1;
    int b = links[i + 1] - 1;
    if (a < 0 || b < 0 || a >= static_cast<int>(w.cities.size()) || b >= static_cast<int>(w.cities.size())) continue;
    if (a > b) std::swap(a, b);
    if (std::find(w.roads.begin(), w.roads.end(), std::make_pair(a, b)) == w.roads.end()) w.roads.push_back({a, b});
  }
  return w;
}

const City* CityAt(const MapWorld& w, int col, int row) {
  for (const City& c : w.cities)
    if (c.col == col && c.row == row) return &c;
  return nullptr;
}

// ---- the land of the strategic map --------------------------------------------
// The coast in map pixels, west of it land; it keeps every coastal cell of the
// grid (Liaodong, Nanpi, Beihai, Xiapi, Guangling, Jianye, Kuaiji) ashore.
const std::vector<Vec2> kCoast = {{1120, 92}, {1062, 100}, {1000, 108}, {968, 150},  {975, 192},  {940, 205},
                                  {918, 222}, {955, 246},  {1010, 250}, {1084, 256}, {1100, 282}, {1046, 318},
                                  {990, 334}, {984, 380},  {992, 440},  {1000, 482}, {960, 500},  {918, 530},
                                  {900, 572}, {898, 622},  {888, 680},  {870, 750}};

// Rivers through the gaps between the rows of cities: the Yellow River past
// Jincheng, round the Ordos loop, between Shangdang and Luoyang to the Bohai;
// the Yangtze from Shu under the southern cities to the sea; the Wei and the Han.
const std::vector<Vec2> kYellowRiver = {{0, 178},   {90, 168},  {160, 160}, {215, 168}, {280, 160}, {318, 96},
                                        {380, 44},  {450, 30},  {512, 52},  {530, 100}, {528, 160}, {580, 172},
                                        {612, 208}, {652, 244}, {740, 248}, {830, 250}, {880, 238}, {930, 215}};
const std::vector<Vec2> kYangtze = {{0, 505},   {80, 492},  {160, 480}, {240, 482}, {330, 484},
                                    {410, 492}, {460, 530}, {540, 566}, {630, 567}, {720, 566},
                                    {775, 556}, {800, 508}, {860, 487}, {930, 488}, {1000, 488}};
const std::vector<Vec2> kWeiRiver = {{330, 246}, {400, 242}, {470, 244}, {560, 240}, {612, 210}};
const std::vector<Vec2> kHanRiver = {{360, 300}, {430, 308}, {490, 338}, {530, 396},
                                     {600, 404}, {616, 470}, {628, 562}};
// The Great Wall runs along the top of the map, north of every city of the
// first row (their plinths start at y 18).
const std::vector<Vec2> kGreatWall = {{40, 12}, {130, 9},  {220, 12}, {330, 10}, {420, 12}, {540, 10},
                                      {640, 8}, {740, 11}, {840, 9},  {940, 11}, {1040, 9}, {1110, 12}};

// Terrain of the empty cells, row by row: M mountains, H hills, P farmland and
// woods, D steppe. Cells that hold a city are cleared for it whatever is here.
const char* const kTerrain[kRows] = {"MDDDDDMMMMHM", "MMMDDHMMMPMS", "MMMHMMMMMMSS", "MMMMMMHMMMMS", "MMMMMMPPPPPS",
                                     "MHMMMHPPPPPS", "MHHMMPPPHPSS", "MMHMHHMPMMSS", "MMMMMHMMHHSS"};

// Fills a coverage plane with the land west of the coast.
Figure LandFigure() {
  Figure land(kMapW, kMapH);
  Canvas c(land);
  std::vector<Vec2> poly = {{0, 0}, {kMapW, 0}};
  // The coast gets a hand-drawn wobble between its points.
  for (size_t i = 0; i + 1 < kCoast.size(); ++i) {
    const Vec2& a = kCoast[i];
    const Vec2& b = kCoast[i + 1];
    for (int k = 0; k < 6; ++k) {
      float t = k / 6.0f;
      float wob = (ValueNoise(901, (i * 6 + k) * 0.7f, 0.5f) - 0.5f) * 10.0f;
      float dx = b.x - a.x;
      float dy = b.y - a.y;
      float len = std::max(1.0f, std::hypot(dx, dy));
      poly.push_back({a.x + dx * t - dy / len * wob, a.y + dy * t + dx / len * wob});
    }
  }
  poly.push_back(kCoast.back());
  poly.push_back({0, kMapH});
  FillPolygon(c, poly, kWhite, 1.0f);
  return land;
}

void PaintSea(Surface& s, const Figure& land) {
  Canvas c(s);
  Pixel deep = Mix(kAzurite, kSilk, 0.35f);
  Pixel shallow = Mix(kAzuriteLight, kSilk, 0.45f);
  for (int y = 0; y < kMapH; ++y)
    for (int x = 0; x < kMapW; ++x) {
      float a = 1.0f - land.Alpha(x, y);
      if (a <= 0) continue;
      // Shallows near the shore: the land's coverage blurred by distance sampling.
      float nearShore = 0;
      for (int k = 1; k <= 3; ++k)
        nearShore =
            std::max({nearShore, land.Alpha(x - 12 * k, y), land.Alpha(x, y - 12 * k), land.Alpha(x, y + 12 * k)});
      float n = Fbm(905, x * 0.01f, y * 0.01f, 3);
      Pixel col = Mix(deep, shallow, 0.4f * nearShore + 0.5f * (n - 0.5f) + 0.2f);
      c.Blend(x, y, col, a);
    }
  // Rows of fish-scale waves, as old maps draw the sea.
  for (int y = 20; y < kMapH; y += 18)
    for (int x = (y / 18 % 2) * 11; x < kMapW; x += 22) {
      if (land.Alpha(x, y) > 0.02f || land.Alpha(x - 12, y) > 0.02f || land.Alpha(x + 12, y + 6) > 0.02f) continue;
      std::vector<Vec2> arc;
      for (int k = 0; k <= 8; ++k) {
        float ang = 3.14159f + k * 3.14159f / 8;
        arc.push_back({x + std::cos(ang) * 10, y + 4 + std::sin(ang) * 6});
      }
      Stroke(c, arc, 0.6f, 1.3f, 0.6f, Mix(kAzurite, kInk, 0.2f), 0.45f, 906 + x * 7 + y);
    }
  // The shore line in ink.
  for (int y = 1; y < kMapH - 1; ++y)
    for (int x = 1; x < kMapW - 1; ++x) {
      float a = land.Alpha(x, y);
      if (a > 0.15f && a < 0.85f) c.Blend(x, y, Mix(kInk, kAzurite, 0.3f), 0.7f);
    }
}

void PaintRiver(Canvas& c, const std::vector<Vec2>& path, float width, Pixel water, uint32_t seed) {
  Stroke(c, path, width * 0.5f, width + 2.0f, width + 3.0f, Mix(kInk, water, 0.4f), 0.75f, seed);
  Stroke(c, path, width * 0.3f, width, width + 1.0f, water, 1.0f, seed + 1);
  Stroke(c, path, 0.5f, width * 0.35f, width * 0.4f, Mix(water, kPaperLight, 0.45f), 0.6f, seed + 2);
}

void PaintGreatWall(Canvas& c) {
  Stroke(c, kGreatWall, 3, 3.5f, 3, Mix(kOchre, kInk, 0.55f), 0.85f, 910);
  // Merlons and watchtowers along the top of the wall.
  std::vector<Vec2> path = kGreatWall;
  for (size_t i = 0; i + 1 < path.size(); ++i) {
    const Vec2& a = path[i];
    const Vec2& b = path[i + 1];
    int n = static_cast<int>(std::hypot(b.x - a.x, b.y - a.y) / 7);
    for (int k = 0; k < n; ++k) {
      float t = static_cast<float>(k) / n;
      float x = a.x + (b.x - a.x) * t;
      float y = a.y + (b.y - a.y) * t;
      FillBox(c, static_cast<int>(x), static_cast<int>(y) - 4, static_cast<int>(x) + 3, static_cast<int>(y) - 1,
              Mix(kOchre, kInk, 0.55f), 0.85f);
    }
    FillBox(c, static_cast<int>(a.x) - 3, std::max(0, static_cast<int>(a.y) - 8), static_cast<int>(a.x) + 4,
            static_cast<int>(a.y) + 2, Mix(kOchre, kInk, 0.6f), 0.9f);
  }
}

void PaintCellMotif(Canvas& c, int col, int row, char kind, uint32_t seed) {
  float x0 = col * kCellW;
  float y0 = row * kCellH;
  Rng rng(seed);
  switch (kind) {
    case 'M': {
      int peaks = 2 + rng.Int(2);
      for (int i = 0; i < peaks; ++i) {
        float w = rng.Range(56, 84);
        float h = rng.Range(40, 62);
        float x = x0 + rng.Range(-14, kCellW - w + 14);
        float base = y0 + kCellH - 4 + rng.Range(-6, 10) - (peaks - 1 - i) * 12;
        Pixel body = Mix(kMalachite, kAzurite, rng.Range(0.0f, 0.6f));
        Mountain(c, x, base, w, h, seed + 10 + i, body, 0.9f);
      }
      break;
    }
    case 'H': {
      for (int i = 0; i < 2; ++i) {
        float w = rng.Range(60, 90);
        Mountain(c, x0 + rng.Range(-10, 30), y0 + kCellH - rng.Range(4, 20), w, rng.Range(18, 28), seed + 20 + i,
                 Mix(kMalachiteLight, kOchre, 0.35f), 0.6f);
      }
      Tree(c, x0 + rng.Range(20, 70), y0 + rng.Range(55, 72), rng.Range(16, 24), seed + 30,
           Mix(kMalachite, kInk, 0.3f));
      break;
    }
    case 'P': {
      // Fields in a loose grid and a clump of trees.
      float fx = x0 + rng.Range(8, 30);
      float fy = y0 + rng.Range(10, 30);
      for (int i = 0; i < 4; ++i) {
        float w = rng.Range(18, 26);
        float h = rng.Range(12, 18);
        float px = fx + (i % 2) * (w + 3);
        float py = fy + (i / 2) * (h + 3);
        FillBox(c, static_cast<int>(px), static_cast<int>(py), static_cast<int>(px + w), static_cast<int>(py + h),
                Mix(kMalachiteLight, kOchreLight, rng.Range(0.2f, 0.8f)), 0.55f);
      }
      for (int i = 0; i < 3; ++i)
        Tree(c, x0 + rng.Range(10, 80), y0 + rng.Range(50, 76), rng.Range(12, 20), seed + 40 + i,
             Mix(kMalachite, kInk, 0.3f));
      break;
    }
    case 'D': {
      // Steppe: dune ridges and tufts of grass.
      for (int i = 0; i < 3; ++i) {
        float y = y0 + 20 + i * 20 + rng.Range(-4, 4);
        float x = x0 + rng.Range(0, 30);
        Stroke(c, {{x, y}, {x + 25, y - 5}, {x + 55, y}}, 0.5f, 2.0f, 0.5f, Mix(kOchre, kInk, 0.3f), 0.45f,
               seed + 50 + i, 0.4f);
      }
      for (int i = 0; i < 8; ++i) {
        float x = x0 + rng.Range(5, 85);
        float y = y0 + rng.Range(10, 75);
        Line(c, x, y, x - 2, y - 5, 1, Mix(kMalachite, kOchre, 0.5f), 0.6f);
        Line(c, x, y, x + 2, y - 5, 1, Mix(kMalachite, kOchre, 0.5f), 0.6f);
      }
      break;
    }
    default: break;
  }
}

// A road drawn as a hand-ruled dashed line that bows a little.
void PaintRoad(Canvas& c, const City& a, const City& b, uint32_t seed) {
  float ax = a.MapX(), ay = a.MapY(), bx = b.MapX(), by = b.MapY();
  float dx = bx - ax, dy = by - ay;
  float len = std::max(1.0f, std::hypot(dx, dy));
  float bow = (Hash2(seed, a.index, b.index) - 0.5f) * 18.0f;
  Vec2 mid = {(ax + bx) / 2 - dy / len * bow, (ay + by) / 2 + dx / len * bow};
  std::vector<Vec2> pts;
  for (int k = 0; k <= 40; ++k) {
    float t = k / 40.0f;
    float u = 1 - t;
    pts.push_back({u * u * ax + 2 * u * t * mid.x + t * t * bx, u * u * ay + 2 * u * t * mid.y + t * t * by});
  }
  // The roadbed, then red dashes along it.
  Stroke(c, pts, 5, 5, 5, Mix(kOchreLight, kPaperLight, 0.4f), 0.7f, seed);
  for (size_t k = 0; k + 1 < pts.size(); k += 2)
    Line(c, pts[k].x, pts[k].y, pts[k + 1].x, pts[k + 1].y, 2.2f, kCinnabar, 0.85f);
}

// The plinth a city icon stands on: flat paper the icons' ground matches, in a
// thin ink frame, and the city's name on a tag at the right.
constexpr Pixel kPlinth = Rgb(242, 233, 210);

void PaintCityPlace(Canvas& c, const City& city, uint32_t seed) {
  int x = city.col * kCellW + kIconLeft;
  int y = city.row * kCellH + kIconTop;
  Wash(c, x + 20, y + 20, 38, 32, kPaperLight, 0.6f, seed);
  // The frame's inner rule stays two pixels outside the icon.
  FillBox(c, x - 7, y - 7, x + kIconSize + 7, y + kIconSize + 7, kPlinth, 1.0f);
  DoubleRule(c, x - 7, y - 7, x + kIconSize + 6, y + kIconSize + 6, Mix(kInk, kOchre, 0.3f), 0.8f);
  if (city.name.empty()) return;
  // Vertical name: two characters of 16 pixels to the right of the plinth.
  int tagX = x + kIconSize + 9;
  int chars = static_cast<int>((city.name.size() + 2) / 3);
  int tagH = chars * 18 + 6;
  FillBox(c, tagX, y - 2, tagX + 22, y - 2 + tagH, kPaperLight, 0.9f);
  Line(c, tagX, y - 2, tagX, y - 2 + tagH, 1, Mix(kInk, kOchre, 0.3f), 0.7f);
  CalligraphyVertical(c, tagX + 3, y + 1, city.name, kFaceKai, 16, kInk, 1.0f, seed + 1, 2);
}

// The ink of a text drawn by Calligraphy at (0, 0): its bounding box.
MapBox InkBox(const std::string& text, const char* face, int height) {
  Coverage cov = TextCoverage(text, face, height);
  int margin = height / 4;
  MapBox b;
  b.name = text;
  b.x1 = b.y1 = 1e9f;
  b.x2 = b.y2 = -1e9f;
  for (int y = 0; y < cov.height; ++y)
    for (int x = 0; x < cov.width; ++x)
      if (cov.At(x, y) > 0.08f) {
        b.x1 = std::min(b.x1, static_cast<float>(x - margin));
        b.y1 = std::min(b.y1, static_cast<float>(y - margin));
        b.x2 = std::max(b.x2, static_cast<float>(x - margin + 1));
        b.y2 = std::max(b.y2, static_cast<float>(y - margin + 1));
      }
  if (b.x2 < b.x1) b.x1 = b.y1 = b.x2 = b.y2 = 0;
  return b;
}

MapBox Shifted(const MapBox& b, float dx, float dy) {
  MapBox o = b;
  o.x1 += dx;
  o.x2 += dx;
  o.y1 += dy;
  o.y2 += dy;
  return o;
}

// A city's plinth with its name tag, as PaintCityPlace draws them.
MapBox PlaceBox(const City& city) {
  int x = city.col * kCellW + kIconLeft, y = city.row * kCellH + kIconTop;
  int chars = static_cast<int>((city.name.size() + 2) / 3);
  MapBox b;
  b.name = city.name;
  b.x1 = x - 7;
  b.y1 = y - 7;
  b.x2 = x + kIconSize + 9 + 23;
  b.y2 = std::max(y + kIconSize + 8, y - 2 + chars * 18 + 7);
  b.cx = city.MapX();
  b.cy = city.MapY();
  return b;
}

const MapBox kCartouche = {"", 1026, 346, 1094, 604};

struct ProvinceName {
  MapBox ink;
  int x = 0, y = 0, size = 0;  // where CalligraphyCentered writes it
};

// Each province's name goes where its own cities are: as near their middle as
// it fits, on land, clear of every plinth and of the other names, and nearer
// to a city of its own than to any other.
std::vector<ProvinceName> PlaceProvinces(const MapWorld& w, const ::World& data, const Figure& land,
                                         std::vector<std::string>* unplaced) {
  std::vector<ProvinceName> out;
  std::vector<MapBox> blocked;
  for (const City& city : w.cities)
    if (city.OnMap()) blocked.push_back(PlaceBox(city));
  blocked.push_back(kCartouche);
  std::vector<std::string> provinces;
  for (const City& city : w.cities)
    if (city.OnMap() && city.index < kCityCount && !data.cities[city.index].province.empty() &&
        std::find(provinces.begin(), provinces.end(), data.cities[city.index].province) == provinces.end())
      provinces.push_back(data.cities[city.index].province);
  auto provinceOf = [&](int index) { return data.cities[index].province; };
  auto nearest = [&](float x, float y) {
    int best = -1;
    float bestD = 1e18f;
    for (const City& city : w.cities) {
      if (!city.OnMap()) continue;
      float d = (city.MapX() - x) * (city.MapX() - x) + (city.MapY() - y) * (city.MapY() - y);
      if (d < bestD) {
        bestD = d;
        best = city.index;
      }
    }
    return best;
  };
  for (const std::string& name : provinces) {
    float sx = 0, sy = 0;
    int n = 0;
    for (const City& city : w.cities)
      if (city.OnMap() && provinceOf(city.index) == name) {
        sx += city.MapX();
        sy += city.MapY();
        ++n;
      }
    sx /= n;
    sy /= n;
    ProvinceName best;
    float bestScore = 1e18f;
    for (int size : {40, 34, 28, 24}) {
      MapBox ink = InkBox(name, kFaceKai, size);
      int tw = TextWidth(name, kFaceKai, size);
      float midX = (ink.x1 + ink.x2) / 2, midY = (ink.y1 + ink.y2) / 2;
      for (float py = 4; py < kMapH - 4; py += 6)
        for (float px = 4; px < kMapW - 4; px += 6) {
          float d = std::hypot(px - sx, py - sy);
          float score = d + (40 - size) * 5.0f;
          if (score >= bestScore || d > 260) continue;
          // The name centred on (px, py).
          int x = static_cast<int>(px - midX), y = static_cast<int>(py - midY);
          MapBox at = Shifted(ink, static_cast<float>(x), static_cast<float>(y));
          if (at.x1 < 4 || at.y1 < 4 || at.x2 > kMapW - 4 || at.y2 > kMapH - 4) continue;
          MapBox padded = {"", at.x1 - 3, at.y1 - 3, at.x2 + 3, at.y2 + 3};
          bool clear = true;
          for (const MapBox& b : blocked)
            if (padded.Overlaps(b)) clear = false;
          for (const ProvinceName& p : out)
            if (padded.Overlaps(p.ink)) clear = false;
          if (!clear) continue;
          bool ashore = true;
          for (float fx : {at.x1, (at.x1 + at.x2) / 2, at.x2 - 1})
            for (float fy : {at.y1, (at.y1 + at.y2) / 2, at.y2 - 1})
              if (land.Alpha(static_cast<int>(fx), static_cast<int>(fy)) < 0.5f) ashore = false;
          if (!ashore) continue;
          int near = nearest((at.x1 + at.x2) / 2, (at.y1 + at.y2) / 2);
          if (near < 0 || provinceOf(near) != name) continue;
          bestScore = score;
          best.ink = at;
          best.ink.name = name;
          best.ink.cx = sx;
          best.ink.cy = sy;
          best.x = x + tw / 2;
          best.y = y;
          best.size = size;
        }
    }
    if (best.size == 0) {
      if (unplaced) unplaced->push_back(name);
      continue;
    }
    out.push_back(best);
  }
  return out;
}

void PaintProvinceNames(Canvas& c, const std::vector<ProvinceName>& names) {
  for (size_t i = 0; i < names.size(); ++i)
    CalligraphyCentered(c, names[i].x, names[i].y, names[i].ink.name, kFaceKai, names[i].size, kLacquer, 0.32f,
                        920 + static_cast<uint32_t>(i) * 13);
}

Surface StrategicMap(const MapWorld& w, const ::World* data) {
  Surface s(kMapW, kMapH);
  Silk(s, Mix(kSilk, kOchreLight, 0.35f), 900, 0.09f);
  Canvas c(s);
  // Broad regional tones: greener in the south, drier in the north-west.
  FbmBand tones(902, Columns(0, kMapW, 0.004f), 3);
  for (int y = 0; y < kMapH; ++y) {
    tones.SetRow(y * 0.004f);
    for (int x = 0; x < kMapW; ++x) {
      float south = SmoothStep(300, 700, static_cast<float>(y));
      float north = 1 - SmoothStep(40, 260, static_cast<float>(y));
      float n = tones.At(x);
      c.Blend(x, y, kMalachiteLight, 0.16f * south + 0.06f * (n - 0.5f));
      c.Blend(x, y, kOchre, 0.12f * north);
    }
  }
  Figure land = LandFigure();
  PaintSea(s, land);
  auto isCity = [&](int col, int row) { return CityAt(w, col, row) != nullptr; };
  auto isSea = [&](int col, int row) {
    return land.Alpha(col * kCellW + kCellW / 2, row * kCellH + kCellH / 2) < 0.5f;
  };
  PaintGreatWall(c);
  PaintRiver(c, kWeiRiver, 3, Mix(kAzurite, kOchre, 0.3f), 930);
  PaintRiver(c, kHanRiver, 3, kAzurite, 931);
  PaintRiver(c, kYellowRiver, 6, Mix(kOchre, kAzurite, 0.3f), 932);
  PaintRiver(c, kYangtze, 7, kAzurite, 933);
  // Terrain motifs, row by row so nearer (lower) peaks overlap farther ones.
  for (int row = 0; row < kRows; ++row)
    for (int col = 0; col < kCols; ++col) {
      if (isCity(col, row) || isSea(col, row)) continue;
      PaintCellMotif(c, col, row, kTerrain[row][col], 940 + row * kCols + col);
    }
  if (data) PaintProvinceNames(c, PlaceProvinces(w, *data, land, nullptr));
  Calligraphy(c, 422, 52, "黄河", kFaceKai, 18, Mix(kOchre, kInk, 0.5f), 0.9f, 950);
  Calligraphy(c, 470, 575, "长江", kFaceKai, 18, Mix(kAzurite, kInk, 0.4f), 0.9f, 951);
  // Age the sheet before the roads and plinths go on: the icons' flat ground
  // must match the plinths exactly.
  Vignette(s, 0.25f);
  for (const auto& road : w.roads) {
    const City& a = w.cities[road.first];
    const City& b = w.cities[road.second];
    if (a.OnMap() && b.OnMap()) PaintRoad(c, a, b, 960 + road.first * 50 + road.second);
  }
  for (const City& city : w.cities)
    if (city.OnMap()) PaintCityPlace(c, city, 1000 + city.index);
  // A cartouche in the eastern sea.
  FillBox(c, 1030, 350, 1090, 600, kPaperLight, 0.92f);
  DoubleRule(c, 1030, 350, 1089, 599, kLacquer, 0.9f);
  CalligraphyVertical(c, 1040, 362, "天下形势", kFaceKai, 38, kInk, 1.0f, 970, 4);
  Seal(c, 1044, 540, 32, "舆图", 971);
  Calligraphy(c, 1020, 650, "东海", kFaceKai, 30, Mix(kAzurite, kInk, 0.5f), 0.6f, 972);
  return s;
}

// ---- the icons ------------------------------------------------------------
// A walled city seen from the front: wall, gate, tower and a banner in the
// owner's colour. The ground is the plinth's flat paper so the icon sits in it.
Surface CityIcon(int owner) {  // 0 the player, 1 another ruler, 2 nobody
  Surface s(kIconSize, kIconSize, kPlinth);
  Canvas c(s);
  Pixel stone = owner == 2 ? Rgb(150, 142, 128) : Rgb(128, 118, 104);
  Pixel roof = owner == 0 ? kPlayerBlue : owner == 1 ? kRivalRed : Mix(kOchre, kInk, 0.25f);
  // Ground shadow and wall with crenellations.
  FillBox(c, 2, 36, 38, 38, Mix(kInk, kPlinth, 0.6f), 1.0f);
  FillBox(c, 3, 24, 37, 36, stone, 1.0f);
  for (int x = 3; x < 37; x += 5) FillBox(c, x, 21, x + 3, 24, stone, 1.0f);
  for (int y = 27; y < 36; y += 4) Line(c, 3, y, 37, y, 0.6f, Scale(stone, 0.75f), 0.8f);
  // Gate.
  FillBox(c, 16, 28, 24, 36, kInk, 1.0f);
  FillEllipse(c, 20, 28.5f, 4, 2.5f, kInk, 1.0f);
  // Tower and its sweeping roof.
  FillBox(c, 12, 14, 28, 21, Mix(kLacquer, stone, owner == 2 ? 0.7f : 0.2f), 1.0f);
  FillPolygon(c, {{7, 15}, {33, 15}, {28, 10}, {12, 10}}, roof, 1.0f);
  Line(c, 7, 15, 33, 15, 1.2f, kInk, 0.9f);
  Line(c, 6, 13.5f, 8, 15.5f, 1.0f, kInk, 0.9f);
  Line(c, 32, 15.5f, 34, 13.5f, 1.0f, kInk, 0.9f);
  // The banner: blue for the player, red for a rival; none over an empty city.
  if (owner != 2) {
    Line(c, 20, 10, 20, 1, 1.2f, kInk, 1.0f);
    FillPolygon(c, {{20.5f, 1}, {33, 2.5f}, {30, 5}, {33, 8}, {20.5f, 7}}, roof, 1.0f);
  } else {
    // Weeds on the wall of a city nobody holds.
    Line(c, 8, 24, 6, 20, 1, kMalachite, 0.8f);
    Line(c, 31, 24, 33, 20, 1, kMalachite, 0.8f);
  }
  return s;
}

// The cursor: a lacquer-red brush arrow whose tip points up and left.
Figure CursorArrow() {
  Figure f(kArrowW, kArrowH);
  Canvas c(f);
  float tx = kArrowTipX, ty = kArrowTipY;
  const float k = 1.35f;  // the arrow's scale against its drawn outline below
  std::vector<Vec2> head = {{tx, ty},
                            {tx + 22 * k, ty + 6 * k},
                            {tx + 13 * k, ty + 11 * k},
                            {tx + 26 * k, ty + 24 * k},
                            {tx + 24 * k, ty + 27 * k},
                            {tx + 11 * k, ty + 13 * k},
                            {tx + 6 * k, ty + 22 * k}};
  // An ink outline, then the red body and a pale gold highlight.
  std::vector<Vec2> outline;
  for (const Vec2& p : head) {
    float dx = p.x - (tx + 14 * k), dy = p.y - (ty + 14 * k);
    float len = std::max(1.0f, std::hypot(dx, dy));
    outline.push_back({p.x + dx / len * 2.2f, p.y + dy / len * 2.2f});
  }
  FillPolygon(c, outline, kInk, 1.0f);
  FillPolygon(c, head, kCinnabar, 1.0f);
  Line(c, tx + 3, ty + 3, tx + 17 * k, ty + 7 * k, 1.4f, kGoldPale, 0.9f);
  Line(c, tx + 3, ty + 3, tx + 7 * k, ty + 17 * k, 1.4f, kGoldPale, 0.9f);
  return f;
}

// ---- the side panel -------------------------------------------------------
Surface SidePanel() {
  Surface s(kPanelW, kPanelH);
  Paper(s, Rgb(58, 30, 26), 1100, 0.12f);
  Canvas c(s);
  // Wood grain running down the panel.
  for (int y = 0; y < kPanelH; ++y)
    for (int x = 0; x < kPanelW; ++x) {
      float g = ValueNoise(1101, x * 0.35f, y * 0.015f);
      c.Blend(x, y, kInk, 0.18f * g);
    }
  Line(c, 1.5f, 0, 1.5f, kPanelH, 3, kGold, 0.8f);
  // Portrait frame (the portrait lands at 8, 8 and runs past the screen edge).
  DoubleRule(c, 3, 3, kPanelW + 8, 131, kGold, 0.9f);
  // Labels beside the numbers the game writes: cities at y 135, officers at 185.
  Calligraphy(c, 8, 140, "城", kFaceKai, 38, kGoldPale, 1.0f, 1102, 700);
  Calligraphy(c, 8, 190, "将", kFaceKai, 38, kGoldPale, 1.0f, 1103, 700);
  Line(c, 6, 240, kPanelW - 4, 240, 1, kGold, 0.7f);
  // Year at y 250 and month at y 300, three and two digits from x 10.
  Calligraphy(c, 78, 252, "年", kFaceKai, 36, kGoldPale, 1.0f, 1104, 700);
  Calligraphy(c, 78, 302, "月", kFaceKai, 36, kGoldPale, 1.0f, 1105, 700);
  Line(c, 6, 345, kPanelW - 4, 345, 1, kGold, 0.7f);
  // The city name is written at y 350; below it the panel's seal and clouds.
  Line(c, 6, 398, kPanelW - 4, 398, 1, kGold, 0.7f);
  Cloud(c, 40, 432, 10, kGold, 0.45f, 1106);
  Seal(c, 68, 414, 40, "霸业", 1107);
  return s;
}

// ---- the road map -------------------------------------------------------------
Surface RoadMap(const MapWorld& w) {
  Surface s(kWayW, kWayH);
  Paper(s, kPaperLight, 1200, 0.05f);
  Canvas c(s);
  DoubleRule(c, 2, 2, kWayW - 3, kWayH - 3, Mix(kOchre, kInk, 0.3f), 0.8f);
  auto at = [](const City& city) { return Vec2{44.0f + city.col * 44.0f, 28.0f + city.row * 48.0f}; };
  for (const auto& road : w.roads) {
    const City& a = w.cities[road.first];
    const City& b = w.cities[road.second];
    if (!a.OnMap() || !b.OnMap()) continue;
    Vec2 p = at(a), q = at(b);
    Stroke(c, {p, {(p.x + q.x) / 2, (p.y + q.y) / 2}, q}, 2.2f, 2.6f, 2.2f, Mix(kInk, kOchre, 0.2f), 0.8f,
           1201 + road.first * 50 + road.second, 0.15f);
  }
  for (const City& city : w.cities) {
    if (!city.OnMap()) continue;
    Vec2 p = at(city);
    FillBox(c, static_cast<int>(p.x) - 6, static_cast<int>(p.y) - 6, static_cast<int>(p.x) + 6,
            static_cast<int>(p.y) + 6, kCinnabar, 1.0f);
    // The name on a paper ground so crossing roads do not cut it.
    int tw = TextWidth(city.name, kFaceHei, 13);
    FillBox(c, static_cast<int>(p.x) + 8, static_cast<int>(p.y) - 8, static_cast<int>(p.x) + 9 + tw,
            static_cast<int>(p.y) + 7, kPaperLight, 0.85f);
    Calligraphy(c, static_cast<int>(p.x) + 8, static_cast<int>(p.y) - 7, city.name, kFaceHei, 13, kInk, 1.0f,
                1300 + city.index);
  }
  CalligraphyVertical(c, 10, 24, "天下道路", kFaceKai, 28, kLacquer, 1.0f, 1210, 2);
  return s;
}

// ---- the faction map ---------------------------------------------------------------
// Real geography at a smaller scale, in back-buffer pixels (the picture starts
// at 300, 150): coast, the two great rivers and their tributaries, ranges.
const std::vector<Vec2> kWhoCoast = {{780, 250}, {768, 262}, {745, 235}, {735, 214}, {722, 222}, {712, 205}, {690, 212},
                                     {676, 210}, {650, 222}, {640, 240}, {642, 258}, {660, 262}, {690, 262}, {722, 272},
                                     {705, 288}, {680, 296}, {672, 320}, {668, 345}, {690, 368}, {700, 380}, {712, 400},
                                     {712, 425}, {708, 460}, {690, 490}, {660, 515}, {620, 530}, {580, 548}, {520, 554},
                                     {470, 550}, {430, 556}, {400, 552}, {390, 560}};
const std::vector<Vec2> kWhoYellow = {{300, 300}, {340, 290}, {366, 280}, {395, 258}, {420, 215},
                                      {455, 198}, {490, 204}, {502, 232}, {500, 300}, {502, 326},
                                      {540, 312}, {575, 302}, {605, 288}, {626, 276}, {645, 256}};
const std::vector<Vec2> kWhoYangtze = {{300, 432}, {340, 420}, {372, 420}, {396, 442}, {420, 446}, {450, 425},
                                       {480, 412}, {505, 416}, {534, 430}, {556, 432}, {576, 424}, {600, 428},
                                       {630, 416}, {650, 396}, {666, 390}, {701, 380}};
const std::vector<Vec2> kWhoHan = {{430, 362}, {470, 372}, {505, 380}, {532, 390}, {560, 402}, {576, 420}};
const std::vector<Vec2> kWhoWei = {{404, 328}, {440, 334}, {468, 336}, {502, 326}};

// City marks: an open box the game fills black for the chosen ruler's cities
// (a 10 x 10 square at x + 2, y - 2), and the names placed where they fit:
// beside, above, below or at a corner of the box, never over another box or name.
void LayOutMarks(const MapWorld& w, FactionMapLayout& out, std::vector<Vec2>* drawAt) {
  for (const City& city : w.cities) {
    if (!city.OnMap()) continue;
    MapBox b;
    b.name = city.name;
    b.x1 = static_cast<float>(city.whoX - kWhoLeft);
    b.y1 = static_cast<float>(city.whoY - kWhoTop - 4);
    b.x2 = b.x1 + kWhoBox;
    b.y2 = b.y1 + kWhoBox;
    b.cx = b.x1 + kWhoBox / 2.0f;
    b.cy = b.y1 + kWhoBox / 2.0f;
    out.boxes.push_back(b);
  }
  auto clear = [&](const MapBox& m) {
    if (m.x1 < 4 || m.y1 < 4 || m.x2 > kWhoW - 4 || m.y2 > kWhoH - 4) return false;
    MapBox padded = {"", m.x1 - 1, m.y1 - 1, m.x2 + 1, m.y2 + 1};
    MapBox wide = {"", m.x1 - 3, m.y1 - 2, m.x2 + 3, m.y2 + 2};  // names keep further apart
    for (const MapBox& b : out.boxes)
      if (padded.Overlaps(b)) return false;
    for (const MapBox& l : out.labels)
      if (wide.Overlaps(l)) return false;
    return true;
  };
  for (const MapBox& box : std::vector<MapBox>(out.boxes)) {
    if (box.name.empty()) continue;
    MapBox ink = InkBox(box.name, kFaceHei, 12);
    float iw = ink.x2 - ink.x1, ih = ink.y2 - ink.y1;
    // Where the ink's top-left may go, in order of preference.
    const Vec2 spots[] = {
        {box.x2 + 2, box.y1 + 1},       {box.x1 - 2 - iw, box.y1 + 1}, {box.cx - iw / 2, box.y1 - 2 - ih},
        {box.cx - iw / 2, box.y2 + 2},  {box.x2 + 1, box.y1 - ih},     {box.x2 + 1, box.y2},
        {box.x1 - 1 - iw, box.y1 - ih}, {box.x1 - 1 - iw, box.y2},     {box.x2 + 2, box.y1 + 6},
        {box.x1 - 2 - iw, box.y1 + 6},  {box.x2 + 2, box.y1 - 5},      {box.x1 - 2 - iw, box.y1 - 5}};
    bool placed = false;
    for (const Vec2& p : spots) {
      MapBox m = Shifted(ink, std::round(p.x - ink.x1), std::round(p.y - ink.y1));
      if (!clear(m)) continue;
      m.name = box.name;
      m.cx = box.cx;
      m.cy = box.cy;
      out.labels.push_back(m);
      if (drawAt) drawAt->push_back({m.x1 - ink.x1, m.y1 - ink.y1});
      placed = true;
      break;
    }
    if (!placed) out.unplaced.push_back(box.name);
  }
}

Surface FactionMap(const MapWorld& w) {
  Surface s(kWhoW, kWhoH);
  Silk(s, Mix(kSilk, kOchreLight, 0.3f), 1400, 0.07f);
  Canvas c(s);
  auto local = [](const std::vector<Vec2>& pts) {
    std::vector<Vec2> out;
    for (const Vec2& p : pts) out.push_back({p.x - kWhoLeft, p.y - kWhoTop});
    return out;
  };
  // The sea east and south of the coast.
  std::vector<Vec2> seaPoly = local(kWhoCoast);
  seaPoly.push_back({90, kWhoH});
  seaPoly.push_back({kWhoW, kWhoH});
  FillPolygon(c, seaPoly, Mix(kAzuriteLight, kSilk, 0.4f), 0.9f);
  Stroke(c, local(kWhoCoast), 1.4f, 1.6f, 1.4f, Mix(kInk, kAzurite, 0.3f), 0.8f, 1401);
  for (int y = 12; y < kWhoH; y += 14)
    for (int x = (y / 14 % 2) * 9; x < kWhoW; x += 18) {
      // Small waves only out at sea: well clear of the coast polygon's land side.
      Pixel here = s.Get(x, y);
      if (Blue(here) < Red(here)) continue;
      Stroke(c, {{x - 6.f, y + 2.f}, {x * 1.f, y - 2.f}, {x + 6.f, y + 2.f}}, 0.5f, 1.0f, 0.5f, kAzurite, 0.4f,
             1402 + x + y * 7);
    }
  // Ranges: the western plateau, the Qinling, the Taihang, the southern hills.
  struct Range {
    float x, y, w, h;
  };
  const Range ranges[] = {{305, 330, 40, 26}, {310, 370, 44, 30}, {312, 470, 40, 24}, {420, 356, 44, 20},
                          {458, 356, 40, 18}, {556, 270, 22, 22}, {548, 246, 24, 18}, {480, 500, 44, 20},
                          {540, 506, 44, 18}, {600, 500, 40, 16}, {660, 470, 30, 18}, {345, 250, 40, 18}};
  for (size_t i = 0; i < sizeof ranges / sizeof ranges[0]; ++i) {
    const Range& r = ranges[i];
    Mountain(c, r.x - kWhoLeft, r.y - kWhoTop, r.w, r.h, 1410 + static_cast<uint32_t>(i),
             Mix(kMalachite, kAzurite, 0.3f), 0.7f);
  }
  PaintRiver(c, local(kWhoWei), 1.2f, Mix(kAzurite, kOchre, 0.3f), 1430);
  PaintRiver(c, local(kWhoHan), 1.2f, kAzurite, 1431);
  PaintRiver(c, local(kWhoYellow), 2.2f, Mix(kOchre, kAzurite, 0.3f), 1432);
  PaintRiver(c, local(kWhoYangtze), 2.6f, kAzurite, 1433);
  Stroke(c, local({{330, 250}, {400, 240}, {460, 214}, {520, 200}, {580, 196}, {640, 190}, {700, 200}}), 1.5f, 2.0f,
         1.5f, Mix(kOchre, kInk, 0.5f), 0.7f, 1434);
  FactionMapLayout layout;
  std::vector<Vec2> at;
  LayOutMarks(w, layout, &at);
  for (const MapBox& b : layout.boxes) {
    float x = b.x1, y = b.y1;
    FillBox(c, static_cast<int>(x), static_cast<int>(y), static_cast<int>(x) + kWhoBox, static_cast<int>(y) + kWhoBox,
            kPaperLight, 1.0f);
    Line(c, x + 0.5f, y + 0.5f, x + kWhoBox - 0.5f, y + 0.5f, 1, kInk, 1.0f);
    Line(c, x + 0.5f, y + kWhoBox - 0.5f, x + kWhoBox - 0.5f, y + kWhoBox - 0.5f, 1, kInk, 1.0f);
    Line(c, x + 0.5f, y + 0.5f, x + 0.5f, y + kWhoBox - 0.5f, 1, kInk, 1.0f);
    Line(c, x + kWhoBox - 0.5f, y + 0.5f, x + kWhoBox - 0.5f, y + kWhoBox - 0.5f, 1, kInk, 1.0f);
  }
  for (size_t i = 0; i < layout.labels.size(); ++i)
    Calligraphy(c, static_cast<int>(at[i].x), static_cast<int>(at[i].y), layout.labels[i].name, kFaceHei, 12, kInk,
                0.95f, 1500 + static_cast<uint32_t>(i));
  DoubleRule(c, 1, 1, kWhoW - 2, kWhoH - 2, kLacquer, 0.9f);
  return s;
}

}  // namespace

FactionMapLayout LayOutFactionMap(const std::string& resDir) {
  FactionMapLayout layout;
  LayOutMarks(ReadWorld(resDir), layout, nullptr);
  return layout;
}

ProvinceLayout LayOutProvinces(const std::string& dataDir, const std::string& resDir) {
  ProvinceLayout layout;
  MapWorld w = ReadWorld(resDir);
  for (const City& city : w.cities)
    if (city.OnMap()) layout.places.push_back(PlaceBox(city));
  ::World data;
  if (!LoadWorld(dataDir, data)) return layout;
  for (const ProvinceName& p : PlaceProvinces(w, data, LandFigure(), &layout.unplaced))
    layout.provinces.push_back(p.ink);
  return layout;
}

float GreatWallY(float x) {
  for (size_t i = 0; i + 1 < kGreatWall.size(); ++i) {
    const Vec2& a = kGreatWall[i];
    const Vec2& b = kGreatWall[i + 1];
    if (x >= a.x && x <= b.x) return a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
  }
  return -1;
}

bool GenerateMapPictures(const ResgenPaths& paths) {
  MapWorld w = ReadWorld(paths.resDir);
  bool ok = true;
  ::World data;
  bool haveData = !paths.dataDir.empty() && LoadWorld(paths.dataDir, data);
  FactionMapLayout marks;
  LayOutMarks(w, marks, nullptr);
  for (const std::string& name : marks.unplaced) {
    ReportError("who.kbp", 0, "no free place for the name of " + name + " on the faction map");
    ok = false;
  }
  ok &= SavePicture(paths, Pic::kMap, StrategicMap(w, haveData ? &data : nullptr));
  ok &= SavePicture(paths, Pic::kMyCity, CityIcon(0));
  ok &= SavePicture(paths, Pic::kHisCity, CityIcon(1));
  ok &= SavePicture(paths, Pic::kEmptyCity, CityIcon(2));
  ok &= SaveMaskedPicture(paths, Pic::kMapArrow, Pic::kMapArrowMask, CursorArrow());
  ok &= SavePicture(paths, Pic::kSidePanel, SidePanel());
  ok &= SavePicture(paths, Pic::kRoads, RoadMap(w));
  ok &= SavePicture(paths, Pic::kFactionMap, FactionMap(w));
  return ok;
}
