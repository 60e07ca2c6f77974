// The portrait sheets of Res/Head, one per scenario, painted from the officer
// tables that GenerateTables has just written.
#include "tools/resgen/portraits.h"

#include <cstdio>
#include <fstream>

#include "platform/text.h"
#include "tools/resgen/paint.h"
#include "tools/resgen/picture_files.h"
#include "tools/resgen/pictures.h"

namespace {

constexpr int kRecordFields = 16;  // as the officer table stores a record
constexpr int kFieldId = 0, kFieldOwner = 1, kFieldForce = 3, kFieldIntelligence = 4, kFieldAge = 13;
constexpr int kPaperVariants = 6;
const char* const kSheetNames[4] = {"1dznq", "2ccjq", "3cbzz", "4sgdl"};

PortraitRole RoleOf(const int* record) {
  if (record[kFieldOwner] == record[kFieldId] + 1) return PortraitRole::Ruler;
  return record[kFieldForce] >= record[kFieldIntelligence] ? PortraitRole::Warrior : PortraitRole::Strategist;
}

}  // namespace

bool ReadPortraitTable(const std::string& resDir, int scenarioNumber, PortraitTable& out) {
  std::string n = std::to_string(scenarioNumber);
  std::ifstream table(resDir + "/Hero/hero" + n + ".kdt");
  std::ifstream names(resDir + "/Hero/heroname" + n + ".kss", std::ios::binary);
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
    if (!who.name.empty()) PaintPortrait(cell, who);
    sheet.Blit((id % kPortraitsPerRow) * kPortraitSize, (id / kPortraitsPerRow) * kPortraitSize, cell, 0, 0,
               kPortraitSize, kPortraitSize, RasterOp::Copy);
  }
}

bool GeneratePortraits(const ResgenPaths& paths) {
  for (int s = 0; s < 4; ++s) {
    PortraitTable table;
    // Without the scenario's officer tables there is nobody to paint yet.
    if (!ReadPortraitTable(paths.resDir, s + 1, table)) continue;
    Surface sheet;
    PaintPortraitSheet(table, sheet);
    if (!SavePicture(paths, std::string("Head/") + kSheetNames[s] + ".kbp", sheet)) return false;
  }
  return true;
}
