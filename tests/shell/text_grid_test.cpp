#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "shell/text_grid.h"

namespace {
std::string WriteFile(const std::string& name, const std::string& text) {
  std::string path = (std::filesystem::temp_directory_path() / name).string();
  std::ofstream(path, std::ios::binary) << text;
  return path;
}
}  // namespace

TEST(LoadLineList, StopsAtALineTooLongForARow) {
  std::string path = WriteFile("long.kss", "one\n" + std::string(19, 'x') + "\n" + std::string(25, 'y') + "\nfour\n");
  EXPECT_EQ(LoadLineList(path.c_str()), 2);
  EXPECT_STREQ(textGrid[0], "one");
  EXPECT_EQ(std::strlen(textGrid[1]), 19u);
}

TEST(LoadLineList, KeepsEmptyLinesAndALastLineWithoutBreak) {
  std::string path = WriteFile("empty.kss", "a\n\nc");
  EXPECT_EQ(LoadLineList(path.c_str()), 3);
  EXPECT_STREQ(textGrid[1], "");
  EXPECT_STREQ(textGrid[2], "c");
}

TEST(LoadLineList, MissingFileLeavesTheGridAsItWas) {
  std::string path = WriteFile("keep.kss", "kept\n");
  LoadLineList(path.c_str());
  EXPECT_EQ(LoadLineList("Res\\no-such-list.kss"), 0);
  EXPECT_STREQ(textGrid[0], "kept");
}

TEST(LoadLineList, CutsAFileAtTheGridsRows) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += std::to_string(i) + "\n";
  std::string path = WriteFile("many.kss", text);
  EXPECT_EQ(LoadLineList(path.c_str()), kGridRows);
  EXPECT_STREQ(textGrid[kGridRows - 1], "254");
}
