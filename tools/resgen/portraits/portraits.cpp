// The portrait sheets of Res/Head, one per scenario, painted from the officer
// tables that GenerateTables has just written.
#include "tools/resgen/portraits/portraits.h"

#include <cmath>
#include <cstdio>
#include <fstream>

#include "platform/png_writer.h"
#include "platform/text.h"
#include "tools/resgen/common/paint.h"
#include "tools/resgen/common/picture_files.h"
#include "tools/resgen/common/pictures.h"
#include "tools/resgen/common/resgen_record.h"

namespace {

constexpr int kRecordFields = 16;  // as the officer table stores a record
constexpr int kFieldId = 0, kFieldOwner = 1, kFieldForce = 3, kFieldIntelligence = 4, kFieldAge = 13;
constexpr int kPaperVariants = 6;
// The sheet is the officers' cells row by row, as the game cuts them.
static_assert(kPortraitsPerRow * kPortraitSize == PicWidth(Pic::kPortraits1),
              "a sheet row holds kPortraitsPerRow cells");
static_assert(kPortraitRecords / kPortraitsPerRow * kPortraitSize == PicHeight(Pic::kPortraits1),
              "a sheet holds every officer");

PortraitRole RoleOf(const int* record) {
  if (record[kFieldOwner] == record[kFieldId] + 1) return PortraitRole::Ruler;
  return record[kFieldForce] >= record[kFieldIntelligence] ? PortraitRole::Warrior : PortraitRole::Strategist;
}

}  // namespace

bool ReadPortraitTable(const std::string& resDir, int scenarioNumber, PortraitTable& out) {
  std::string n = std::to_string(scenarioNumber);
  std::string tablePath = resDir + "/Hero/hero" + n + ".kdt";
  std::string namesPath = resDir + "/Hero/heroname" + n + ".kss";
  RunRecord().NoteRead(tablePath);
  RunRecord().NoteRead(namesPath);
  std::ifstream table(tablePath);
  std::ifstream names(namesPath, std::ios::binary);
  if (!table || !names) return false;
  out.subjects.assign(kPortraitRecords, PortraitSubject{});
  std::vector<std::string> nameLines;
  std::string line;
  while (std::getline(names, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    nameLines.push_back(GbkToUtf8(line));
  }
  int record[kRecordFields];
  for (;;) {
    int i = 0;
    while (i < kRecordFields && (table >> record[i])) ++i;
    if (i < kRecordFields) break;
    int id = record[kFieldId];
    // A record outside the sheet or without a name keeps plain paper.
    if (id < 0 || id >= kPortraitRecords || id >= static_cast<int>(nameLines.size())) continue;
    PortraitSubject& who = out.subjects[id];
    who.name = nameLines[id];
    who.role = RoleOf(record);
    who.age = record[kFieldAge];
    who.force = record[kFieldForce];
    who.intelligence = record[kFieldIntelligence];
  }
  return true;
}

void PaintPortraitSheet(const PortraitTable& table, Surface& sheet) {
  int rows = kPortraitRecords / kPortraitsPerRow;
  sheet.Resize(kPortraitsPerRow * kPortraitSize, rows * kPortraitSize);
  // A few sheets of paper, cut once: painting fresh paper for every cell costs
  // more than all the faces together.
  Surface papers[kPaperVariants];
  for (int v = 0; v < kPaperVariants; ++v) {
    papers[v].Resize(kPortraitSize, kPortraitSize);
    paint::Paper(papers[v], paint::kPaper, 2000 + v);
    paint::Vignette(papers[v], 0.25f);
  }
  Surface cell;
  for (int id = 0; id < kPortraitRecords; ++id) {
    const PortraitSubject& who = id < static_cast<int>(table.subjects.size()) ? table.subjects[id] : PortraitSubject{};
    cell = papers[id % kPaperVariants];
    const paint::Figure* kept = id < static_cast<int>(table.layers.size()) ? table.layers[id].get() : nullptr;
    if (kept) FinishPortrait(cell, *kept, who);
    else if (!who.name.empty()) PaintPortrait(cell, who);
    sheet.Blit((id % kPortraitsPerRow) * kPortraitSize, (id / kPortraitsPerRow) * kPortraitSize, cell, 0, 0,
               kPortraitSize, kPortraitSize, RasterOp::Copy);
  }
}

std::string PortraitSubjectsSummary(const std::string& resDir) {
  std::string out;
  for (int s = 0; s < 4; ++s) {
    PortraitTable table;
    if (!ReadPortraitTable(resDir, s + 1, table)) {
      out += "-\n";
      continue;
    }
    for (const PortraitSubject& who : table.subjects) {
      out += who.name;
      for (int value : {static_cast<int>(who.role), who.age, who.force, who.intelligence}) {
        out += ' ';
        out += std::to_string(value);
      }
      out += '\n';
    }
  }
  return out;
}

bool GeneratePortraits(const ResgenPaths& paths) {
  PortraitTable tables[4];
  bool present[4];
  if (!PreparePortraitTables(paths.dataDir, paths.resDir, tables, present)) return false;
  for (int s = 0; s < 4; ++s) {
    // Without the scenario's officer tables there is nobody to paint yet.
    if (!present[s]) continue;
    Surface sheet;
    PaintPortraitSheet(tables[s], sheet);
    if (!SavePicture(paths, PortraitSheetPic(s), sheet)) return false;
  }
  return true;
}

bool WriteFamousFaces(const std::string& dataDir, const std::string& resDir, const std::string& pngPath) {
  PortraitTable tables[4];
  bool present[4];
  std::vector<std::pair<std::string, PortraitLook>> looks;
  if (!PreparePortraitTables(dataDir, resDir, tables, present) || !LoadPortraitLooks(dataDir, looks)) return false;
  constexpr int kFamous = 40, kColumns = 8, kScale = 2, kLabel = 36;
  constexpr int kCellW = kPortraitSize * kScale + 8, kCellH = kPortraitSize * kScale + kLabel;
  int count = std::min(kFamous, static_cast<int>(looks.size()));
  Surface sheet(kColumns * kCellW, (count + kColumns - 1) / kColumns * kCellH, paint::kPaper);
  std::string face = Utf8ToGbk(paint::kFaceKai);
  for (int k = 0; k < count; ++k) {
    // Each as an emperor if he ever is one, else in his own headgear, else as
    // the last scenario shows him.
    const PortraitSubject* who = nullptr;
    int year = 0, bestScore = -1;
    for (int s = 0; s < 4; ++s)
      if (present[s])
        for (const PortraitSubject& p : tables[s].subjects)
          if (p.name == looks[k].first) {
            Headgear h = HeadgearOf(p);
            int score = h == Headgear::Crown ? 2 : h == p.look.headgear ? 1 : 0;
            if (score < bestScore) continue;
            bestScore = score;
            who = &p;
            year = p.year;
          }
    if (!who) continue;
    Surface cell(kPortraitSize, kPortraitSize);
    paint::Paper(cell, paint::kPaper, 2000 + k);
    PaintPortrait(cell, *who);
    int x = (k % kColumns) * kCellW + 4, y = (k / kColumns) * kCellH + 4;
    for (int j = 0; j < kPortraitSize * kScale; ++j)
      for (int i = 0; i < kPortraitSize * kScale; ++i) sheet.Set(x + i, y + j, cell.Get(i / kScale, j / kScale));
    std::string label = Utf8ToGbk(who->name + " " + std::to_string(year));
    TextStyle style{{face.c_str(), 26, 400}, paint::kInk, false, kBlack};
    DrawText(sheet, x + 6, y + kPortraitSize * kScale + 2, label.c_str(), style);
  }
  return SavePng(pngPath, sheet);
}

std::vector<float> PortraitSignature(const PortraitSubject& who) {
  return LayerSignature(PaintPortraitLayer(who), who);
}

std::vector<float> LayerSignature(const paint::Figure& layer, const PortraitSubject& who) {
  Surface cell(kPortraitSize, kPortraitSize, paint::kPaper);
  FinishPortrait(cell, layer, who);
  return BlockSignature(cell);
}

std::vector<float> BlockSignature(const Surface& cell) {
  if (cell.Width() < kPortraitSize || cell.Height() < kPortraitSize) {
    // Black beyond a smaller cell, as reading outside a surface gives.
    Surface whole(kPortraitSize, kPortraitSize, kBlack);
    whole.Blit(0, 0, cell, 0, 0, cell.Width(), cell.Height(), RasterOp::Copy);
    return BlockSignature(whole);
  }
  constexpr int n = kPortraitSize / kSignatureBlock;
  std::vector<float> sig(static_cast<size_t>(n) * n * 3, 0.0f);
  for (int y = 0; y < kPortraitSize; ++y)
    for (int x = 0; x < kPortraitSize; ++x) {
      Pixel p = cell.Row(y)[x];
      float* block = &sig[((y / kSignatureBlock) * n + x / kSignatureBlock) * 3];
      block[0] += paint::Red(p);
      block[1] += paint::Green(p);
      block[2] += paint::Blue(p);
    }
  for (float& v : sig) v /= kSignatureBlock * kSignatureBlock;
  return sig;
}

float LesserPortraitDistance(const std::vector<float>& a, const std::vector<float>& b, float bound) {
  if (a.size() != b.size() || a.empty()) return std::min(bound, 0.0f);
  // A block's channel is a sum of 16 bytes over 16, so every partial sum is a
  // multiple of 1/16 under 2^20 and exact in a float: summing in lanes, in any
  // order, gives the very sum of one running total. Every kLook values the sum
  // is held against the bound: it only grows, so once its mean reaches the
  // bound it cannot come under it.
  constexpr size_t kLanes = 8, kLook = 32;
  const size_t n = a.size();
  double sum = 0;
  size_t i = 0;
  for (; i + kLook <= n; i += kLook) {
    float lane[kLanes] = {};
    for (size_t j = 0; j < kLook; j += kLanes)
      for (size_t k = 0; k < kLanes; ++k) lane[k] += std::abs(a[i + j + k] - b[i + j + k]);
    for (float part : lane) sum += part;
    if (static_cast<float>(sum / n) >= bound) return bound;
  }
  for (; i < n; ++i) sum += std::abs(a[i] - b[i]);
  return std::min(bound, static_cast<float>(sum / n));
}

float PortraitDistance(const std::vector<float>& a, const std::vector<float>& b) {
  if (a.size() != b.size() || a.empty()) return 0.0f;
  double sum = 0;
  for (size_t i = 0; i < a.size(); ++i) sum += std::abs(a[i] - b[i]);
  return static_cast<float>(sum / a.size());
}
