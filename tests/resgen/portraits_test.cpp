// Portraits: read from the officer tables, one face per man whatever his
// record number, plain paper for unused records, nothing written before the
// tables exist.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/text.h"
#include "tools/resgen/common/pictures.h"
#include "tools/resgen/portraits/portraits.h"

namespace {

namespace fs = std::filesystem;

struct TempRes {
  fs::path root;
  TempRes() {
    root = fs::temp_directory_path() / ("kestrel_portraits_" + std::to_string(::getpid()));
    fs::create_directories(root / "Hero");
    fs::create_directories(root / "Head");
  }
  ~TempRes() { fs::remove_all(root); }
};

// heroId, owner, level, force, intelligence, loyalty, character, experience,
// stamina, troop, soldiers, item1, item2, age, city, loyalTo
void WriteTable(const fs::path& res, int n, const std::string& records, const std::string& utf8Names) {
  std::ofstream(res / "Hero" / ("hero" + std::to_string(n) + ".kdt")) << records;
  std::ofstream(res / "Hero" / ("heroname" + std::to_string(n) + ".kss"), std::ios::binary) << Utf8ToGbk(utf8Names);
}

long Difference(const Surface& a, const Surface& b) {
  long d = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) d += a.Get(x, y) != b.Get(x, y);
  return d;
}

Surface Cell(const Surface& sheet, int id) {
  Surface cell(kPortraitSize, kPortraitSize);
  cell.Blit(0, 0, sheet, (id % kPortraitsPerRow) * kPortraitSize, (id / kPortraitsPerRow) * kPortraitSize,
            kPortraitSize, kPortraitSize, RasterOp::Copy);
  return cell;
}

TEST(Portraits, TableGivesRoleAgeAndName) {
  TempRes res;
  WriteTable(res.root, 1,
             "0 1 5 70 90 100 0 0 100 1 3000 0 0 40 1 0\n"
             "1 1 3 95 40 80 0 0 100 0 2000 0 0 30 1 0\n"
             "2 1 3 30 92 80 0 0 100 2 2000 0 0 61 1 0\n",
             "曹操\r\n典韦\r\n郭嘉\r\n");
  PortraitTable table;
  ASSERT_TRUE(ReadPortraitTable(res.root.string(), 1, table));
  ASSERT_EQ(table.subjects.size(), static_cast<size_t>(kPortraitRecords));
  EXPECT_EQ(table.subjects[0].name, "曹操");  // the CR of a DOS line is not part of the name
  EXPECT_EQ(table.subjects[0].role, PortraitRole::Ruler);
  EXPECT_EQ(table.subjects[1].role, PortraitRole::Warrior);
  EXPECT_EQ(table.subjects[2].role, PortraitRole::Strategist);
  EXPECT_EQ(table.subjects[2].age, 61);
  EXPECT_TRUE(table.subjects[3].name.empty());
  EXPECT_FALSE(ReadPortraitTable(res.root.string(), 2, table));
}

TEST(Portraits, SameManSameFaceDifferentMenDifferentFaces) {
  PortraitSubject a{"赵云", PortraitRole::Warrior, 30, 96, 76};
  PortraitSubject b = a;
  Surface one, two, other;
  PaintPortrait(one, a);
  PaintPortrait(two, b);
  EXPECT_EQ(Difference(one, two), 0);
  b.name = "马超";
  PaintPortrait(other, b);
  EXPECT_GT(Difference(one, other), kPortraitSize * kPortraitSize / 20);
  // Rank changes the headgear: a ruler's portrait is not a warrior's.
  a.role = PortraitRole::Ruler;
  PaintPortrait(other, a);
  EXPECT_GT(Difference(one, other), kPortraitSize * kPortraitSize / 20);
}

// The face follows the name, not the record number: the same officer at two
// indices of two scenarios gets the same portrait.
TEST(Portraits, SheetPlacesEachManAtHisIndex) {
  PortraitTable first, second;
  first.subjects.resize(kPortraitRecords);
  second.subjects.resize(kPortraitRecords);
  first.subjects[3] = {"关羽", PortraitRole::Warrior, 38, 97, 75};
  second.subjects[58] = first.subjects[3];
  Surface s1, s2;
  PaintPortraitSheet(first, s1);
  PaintPortraitSheet(second, s2);
  EXPECT_EQ(s1.Width(), 1200);
  EXPECT_EQ(s1.Height(), 3600);
  // Paper differs by cell and shows through the washes; the face must not.
  Surface f1 = Cell(s1, 3), f2 = Cell(s2, 58);
  EXPECT_LT(PortraitDistance(BlockSignature(f1), BlockSignature(f2)), 4.0f);
  EXPECT_GT(PortraitDistance(BlockSignature(f1), BlockSignature(Cell(s1, 4))), 20.0f);
  // An unused record is plain paper: nothing as dark as ink.
  Surface empty = Cell(s1, 4);
  for (int y = 0; y < kPortraitSize; ++y)
    for (int x = 0; x < kPortraitSize; ++x) {
      Pixel p = empty.Get(x, y);
      ASSERT_GT(((p >> 16) & 255) + ((p >> 8) & 255) + (p & 255), 300) << x << "," << y;
    }
}

TEST(Portraits, NothingWrittenBeforeTheTablesExist) {
  TempRes res;
  ResgenPaths paths{"", res.root.string()};
  EXPECT_TRUE(GeneratePortraits(paths));
  EXPECT_FALSE(fs::exists(res.root / "Head" / "1dznq.kbp"));
  WriteTable(res.root, 2, "0 1 5 70 90 100 0 0 100 1 3000 0 0 40 1 0\n", "曹操\n");
  EXPECT_TRUE(GeneratePortraits(paths));
  EXPECT_FALSE(fs::exists(res.root / "Head" / "1dznq.kbp"));
  EXPECT_TRUE(fs::exists(res.root / "Head" / "2ccjq.kbp"));
}

}  // namespace
