#include "campaign/save.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "campaign/scenario_files.h"
#include "platform/files.h"
#include "rules/data_files.h"
#include "rules/pictures.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"
#include "shell/text_grid.h"

namespace {

static_assert(kSaveSlotFiles == kSaveRows, "one file per row of the save screen");
constexpr const char* kAutosaveLabel = "自动";
constexpr int kSlotDateX = 450;
constexpr int kSlotDateHeight = 40;
// The slot picture has three bars; the fourth row copies the third one lower down.
constexpr int kBarLeft = 150;  // the bar without the third row's numeral
constexpr int kBarTop = 305;
constexpr int kBarWidth = 490;
constexpr int kBarHeight = 62;
// A piece of the bar without writing on it covers the picture's own "年".
constexpr int kBarPlainX = 300;
constexpr int kYearMarkX = 575;
constexpr int kYearMarkWidth = 60;
constexpr const char* kEmptySlotName = "无";
constexpr int kSlotTextX = 155;
constexpr int kSlotYearX = 500;
constexpr int kSlotTop = 220;
constexpr int kSlotStep = 70;
constexpr int kNumberChars = 16;  // an int in decimal, its sign and a space
constexpr int kSlotBandTop = 210;
constexpr int kSlotBandWidth = 480;
constexpr int kSlotTextHeight = 50;
constexpr long long kMaxSlotFileBytes = 4 << 20;

// Ranges of the numbers that refer to something: a file that points outside
// them could only come from damage, and loading it would index past a table.
constexpr int kMaxOfficerNumber = 300;
constexpr int kMaxCaptiveOwner = 600;
constexpr int kMaxCityNumber = 50;
constexpr int kMaxItemNumber = 49;

// Reads whitespace-separated decimal numbers; fails on anything else.
class NumberStream {
 public:
  NumberStream(const char* text, size_t size) : p_(text), end_(text + size) {}
  bool Next(int& out) {
    while (p_ < end_ && (*p_ == ' ' || *p_ == '\n' || *p_ == '\r' || *p_ == '\t')) ++p_;
    if (p_ >= end_) return false;
    const char* start = p_;
    if (*p_ == '-' || *p_ == '+') ++p_;
    long long v = 0;
    int digits = 0;
    while (p_ < end_ && *p_ >= '0' && *p_ <= '9') {
      v = v * 10 + (*p_ - '0');
      if (v > INT_MAX) return false;
      ++p_;
      ++digits;
    }
    if (digits == 0 || (p_ < end_ && !std::strchr(" \n\r\t", *p_))) return false;
    out = static_cast<int>(*start == '-' ? -v : v);
    return true;
  }
  bool AtEnd() {
    while (p_ < end_ && (*p_ == ' ' || *p_ == '\n' || *p_ == '\r' || *p_ == '\t')) ++p_;
    return p_ >= end_;
  }

 private:
  const char* p_;
  const char* end_;
};

bool ReadAll(NumberStream& in, int* values, int count) {
  for (int i = 0; i < count; ++i) {
    if (!in.Next(values[i])) return false;
  }
  return true;
}

bool In(int v, int lo, int hi) { return v >= lo && v <= hi; }

bool OfficerNumber(int v) { return In(v, 0, kMaxOfficerNumber); }

bool HeroesMakeSense(const SaveImage& s) {
  for (int i = 0; i < kSaveHeroes; ++i) {
    const int* h = s.heroes[i];
    // heroId, heroOwnerId, item1, item2, cityNo, loyalToId
    if (!In(h[0], 0, kSaveHeroes - 1) || !In(h[1], 0, kMaxCaptiveOwner) || !In(h[11], 0, kMaxItemNumber) ||
        !In(h[12], 0, kMaxItemNumber) || !In(h[14], INT_MIN, kMaxCityNumber) || !OfficerNumber(h[17])) {
      return false;
    }
  }
  return true;
}

bool CitiesMakeSense(const SaveImage& s) {
  for (int i = 0; i < kSaveCities; ++i) {
    const int* c = s.cities[i];
    if (!In(c[0], 0, kSaveCities - 1) || !OfficerNumber(c[1]) || !OfficerNumber(c[2])) return false;
  }
  return true;
}

bool GoodsMakeSense(const SaveImage& s) {
  for (int i = 0; i < kSaveGoods; ++i) {
    const int* g = s.goods[i];
    if (!OfficerNumber(g[1]) || !In(g[7], 0, kMaxCityNumber) || !OfficerNumber(g[8])) return false;
  }
  return true;
}

bool TasksMakeSense(const SaveImage& s) {
  if (!In(s.taskCount, 0, kSaveTasks - 1)) return false;
  for (int i = 0; i < kSaveTasks; ++i) {
    const int* t = s.tasks[i];
    if (!In(t[1], 0, kMaxCityNumber) || !In(t[2], -1, kSaveHeroes - 1) || !In(t[9], 0, 1)) return false;
  }
  return true;
}

bool StatesMakeSense(const SaveImage& s) {
  const int* m = s.mapState;
  return In(s.playerRuler, 1, kMaxOfficerNumber - 1) && In(s.scenario, 0, 3) && In(s.month, 1, 12) && In(m[0], 0, 11) &&
         In(m[1], 0, 8) && In(m[2], 0, kMaxCityNumber) && In(m[3], 0, 3) && In(m[6], 1, kMaxOfficerNumber - 1) &&
         In(m[7], 0, 17) && In(m[8], 0, 3) && In(s.heroListState[2], 0, kSaveCities - 1) &&
         In(s.cityListState[2], 0, kSaveCities - 1) && In(s.goodListState[2], 0, kSaveCities - 1);
}

bool MakesSense(const SaveImage& s) {
  return HeroesMakeSense(s) && CitiesMakeSense(s) && GoodsMakeSense(s) && TasksMakeSense(s) && StatesMakeSense(s);
}

// Row layouts: "n n n\n" for row 1; "n n ... n \n" (a space after every
// number) for the record rows; "n\n" for the last three.
// The campaign is saved after every month: the numbers go straight into the
// text, without a string of their own each.
void AppendSpaced(std::string& out, const int* values, int count) {
  // Room for the longest numbers, written in place and cut back after.
  size_t at = out.size();
  out.resize(at + static_cast<size_t>(count) * kNumberChars + 1);
  char* p = out.data() + at;
  char* end = out.data() + out.size();
  for (int i = 0; i < count; ++i) {
    p = std::to_chars(p, end, values[i]).ptr;
    *p++ = ' ';
  }
  *p++ = '\n';
  out.resize(static_cast<size_t>(p - out.data()));
}

bool ReadFile(const char* path, std::vector<char>& out) {
  FILE* f = OpenFile(path, "rb");
  if (!f) return false;
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
    out.insert(out.end(), buf, buf + n);
    if (static_cast<long long>(out.size()) > kMaxSlotFileBytes) break;
  }
  std::fclose(f);
  return true;
}

bool WriteWhole(const std::string& path, const std::string& text) {
  FILE* f = OpenFile(path, "wb");
  if (!f) return false;
  bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  ok = std::fflush(f) == 0 && ok;
  ok = std::fclose(f) == 0 && ok;
  return ok;
}

}  // namespace

int ParseSaveText(const char* text, size_t size, int programVersion, SaveImage& out) {
  NumberStream in(text, size);
  SaveImage s;
  if (!in.Next(s.playerRuler)) return size == 0 ? kReadEmpty : kReadDamaged;
  if (s.playerRuler == 0) return kReadEmpty;
  bool complete =
      in.Next(s.year) && in.Next(s.scenario) && ReadAll(in, &s.heroes[0][0], kSaveHeroes * kSaveHeroFields) &&
      ReadAll(in, &s.cities[0][0], kSaveCities * kSaveCityFields) &&
      ReadAll(in, &s.goods[0][0], kSaveGoods * kSaveGoodFields) &&
      ReadAll(in, &s.tasks[0][0], kSaveTasks * kSaveTaskFields) && ReadAll(in, s.heroListState, kSaveHeroListFields) &&
      ReadAll(in, s.cityListState, kSaveCityListFields) && ReadAll(in, s.goodListState, kSaveGoodListFields) &&
      ReadAll(in, s.mapState, kSaveMapFields) && in.Next(s.month) && in.Next(s.version);
  if (!complete) return kReadDamaged;
  if (programVersion < s.version) return kReadNewerVersion;
  if (!in.Next(s.taskCount) || !in.AtEnd()) return kReadDamaged;
  if (!MakesSense(s)) return kReadDamaged;
  out = s;
  return kReadOk;
}

std::string FormatSaveText(const SaveImage& s, int version) {
  std::string out;
  out.reserve(64 * 1024);
  out += std::to_string(s.playerRuler) + ' ' + std::to_string(s.year) + ' ' + std::to_string(s.scenario) + '\n';
  for (const auto& h : s.heroes) AppendSpaced(out, h, kSaveHeroFields);
  out += '\n';
  for (const auto& c : s.cities) AppendSpaced(out, c, kSaveCityFields);
  out += '\n';
  for (const auto& g : s.goods) AppendSpaced(out, g, kSaveGoodFields);
  out += '\n';
  for (const auto& t : s.tasks) AppendSpaced(out, t, kSaveTaskFields);
  out += '\n';
  AppendSpaced(out, s.heroListState, kSaveHeroListFields);
  AppendSpaced(out, s.cityListState, kSaveCityListFields);
  AppendSpaced(out, s.goodListState, kSaveGoodListFields);
  AppendSpaced(out, s.mapState, kSaveMapFields);
  out += std::to_string(s.month) + '\n';
  out += std::to_string(version) + '\n';
  out += std::to_string(s.taskCount) + '\n';
  return out;
}

const char* Save::SlotPath(int slot) { return kSaveSlotPaths[slot >= 0 && slot < kSaveRows ? slot : 0]; }

void Save::Init(int ruler, int year) {
  Log(1, "Save::Init", "开始", 0);
  slotRuler[0] = ruler;
  slotYear[0] = year;
  slotChoice = 0;
  rows = kSaveSlots;
}

void Save::InitLoadScreen() {
  Init(-1, -1);
  rows = kSaveRows;
}

int Save::Read(int slot) {
  Log(1, "Save::Read", "开始", 0);
  if (slot < 0) {
    for (int k = 0; k < kSaveRows; ++k) {
      slotRuler[k] = 0;
      slotMonth[k] = 0;
      std::vector<char> text;
      int header[3] = {0, 0, 0};
      if (ReadFile(kSaveSlotPaths[k], text)) {
        NumberStream in(text.data(), text.size());
        if (ReadAll(in, header, 3)) {
          slotRuler[k] = header[0];
          slotYear[k] = header[1];
        }
        // The month is row 14 of the file: only a file read whole tells it.
        SaveImage whole;
        if (slotRuler[k] != 0 && ParseSaveText(text.data(), text.size(), INT_MAX, whole) == kReadOk) {
          slotMonth[k] = whole.month;
        }
      }
      if (slotRuler[k] == 0) continue;
      // A slot whose header names nobody the name list holds keeps "无".
      std::memset(slotName[k], 0, kSlotNameBytes);
      int line = slotRuler[k] - 1;
      if (In(header[2], 0, 3) && In(line, 0, kGridRows - 1) && LoadLineList(HeroNameList(header[2])) > line) {
        std::memcpy(slotName[k], textGrid[line], kSlotNameBytes - 1);
      } else {
        std::strcpy(slotName[k], kEmptySlotName);
      }
    }
    for (int k = 0; k < kSaveRows; ++k) {
      if (slotRuler[k] == 0) std::strcpy(slotName[k], kEmptySlotName);
    }
    return kReadOk;
  }
  if (slot >= kSaveRows) return kReadEmpty;
  std::vector<char> text;
  if (!ReadFile(kSaveSlotPaths[slot], text)) return kReadEmpty;
  return ParseSaveText(text.data(), text.size(), gameVersion, image);
}

bool Save::Write(int slot) {
  Log(1, "Save::Write", "开始", 0);
  if (slot < 0 || slot >= kSaveRows) return false;
  std::string path = NormalizePath(kSaveSlotPaths[slot]);
  std::string temp = path + ".tmp";
  if (!WriteWhole(temp, FormatSaveText(image, gameVersion))) {
    DeleteFileAt(temp);
    return false;
  }
  if (!MoveFileTo(temp, path)) {
    DeleteFileAt(temp);
    return false;
  }
  return true;
}

void Save::Show() {
  Log(1, "Save::Show", "开始", 0);
  PaintBmp(0, PicPath(Pic::kSaveScreen), 0, 0);
  const Surface* picture = Picture(PicPath(Pic::kSaveScreen));
  Pixel color = colorMode == 1 ? kWhite : kBlack;
  for (int k = 0; k < rows && k < kSaveRows; ++k) {
    int y = kSlotTop + kSlotStep * k;
    if (picture && k >= kSaveSlots) {
      backDC->Blit(kBarLeft, kBarTop + kPictureOffsetY + kSlotStep * (k - 2), *picture, kBarLeft, kBarTop, kBarWidth,
                   kBarHeight, RasterOp::Copy);
    }
    std::string name = slotName[k];
    if (k == kAutosaveSlot) name = std::string(kAutosaveLabel) + " " + name;
    DrawTextIn(*backDC, name.c_str(), kSlotTextX, y, kFontHei, kSlotTextHeight, color);
    if (slotRuler[k] == 0) continue;
    char date[32];
    if (slotMonth[k] != 0) {
      // Year and month in one text; the picture's own "年" is covered by plain bar.
      if (picture) {
        int barY = kBarTop + kPictureOffsetY + kSlotStep * (k - 2);
        backDC->Blit(kYearMarkX, barY + 4, *picture, kBarPlainX, kBarTop + 4, kYearMarkWidth, kBarHeight - 8,
                     RasterOp::Copy);
      }
      std::snprintf(date, sizeof date, "%d年%2d月", slotYear[k], slotMonth[k]);
      DrawTextIn(*backDC, date, kSlotDateX, y + 5, kFontHei, kSlotDateHeight, color);
    } else {
      std::snprintf(date, sizeof date, "%d", slotYear[k]);
      DrawTextIn(*backDC, date, kSlotYearX, y, kFontHei, kSlotTextHeight, color);
    }
  }
  InvertBand(*backDC, kSlotTextX, kSlotBandTop + kSlotStep * slotChoice, kSlotBandWidth, kSlotStep);
}

int Save::KeyDown(int key) {
  Log(1, "Save::KeyDown", "开始", 0);
  if (key == keyDown) {
    slotChoice = slotChoice + 1 >= rows ? 0 : slotChoice + 1;
    Show();
    return kSaveKeyStay;
  }
  if (key == keyUp) {
    slotChoice = slotChoice - 1 < 0 ? rows - 1 : slotChoice - 1;
    Show();
    return kSaveKeyStay;
  }
  if (key == keyReturn) return slotChoice == kAutosaveSlot ? kAutosaveChoice : slotChoice;
  if (key == keyEsc) return -1;
  return kSaveKeyStay;
}

int Save::RowAt(int x, int y) const {
  if (x < kSlotTextX || x >= kSlotTextX + kSlotBandWidth || y < kSlotBandTop) return -1;
  int row = (y - kSlotBandTop) / kSlotStep;
  return row < rows && row < kSaveRows ? row : -1;
}

void Save::Dump(JsonWriter& out) const {
  out.IntArray("slotRuler", slotRuler, kSaveSlots);
  out.IntArray("slotYear", slotYear, kSaveSlots);
  out.Int("slotChoice", slotChoice);
  out.BeginArray("slotName");
  for (int k = 0; k < kSaveSlots; ++k) out.String(slotName[k]);
  out.EndArray();
}
