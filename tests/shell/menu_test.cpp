#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "shell/globals.h"
#include "shell/menu.h"
#include "shell/text_grid.h"

namespace {

std::string WriteList(const std::string& name, int entries) {
  std::string path = (std::filesystem::temp_directory_path() / name).string();
  std::ofstream out(path);
  for (int i = 0; i < entries; ++i) out << "entry" << i << "\n";
  return path;
}

struct Window {
  int firstShown;
  int highlightRow;
  int selected;
};

Window Press(Menu& m, int key, int times = 1) {
  for (int i = 0; i < times; ++i) m.KeyDown(key);
  return {m.firstShown, m.highlightRow, m.selected};
}

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override { backDC->Resize(800, 600, kWhite); }
};

// The highlighted row must always show entry `selected` while the list is at
// least as long as the window.
void ExpectHighlightShowsSelection(const Menu& m) { EXPECT_EQ(m.firstShown + m.highlightRow, m.selected); }

}  // namespace

TEST_F(MenuTest, WrappingListOfFourteenInSixRows) {
  std::string list = WriteList("menu14.kss", 14);
  Menu m;
  m.InitMenu(2, 6, 100, 100, 13, list.c_str(), 1);
  m.Show(0);
  for (int i = 0; i < 13; ++i) {
    Press(m, keyDown);
    ExpectHighlightShowsSelection(m);
  }
  EXPECT_EQ(m.selected, 13);
  Window w = Press(m, keyDown);  // past the end: back to the top
  EXPECT_EQ(w.selected, 0);
  EXPECT_EQ(w.firstShown, 0);
  EXPECT_EQ(w.highlightRow, 0);
  w = Press(m, keyUp);  // and from the top to the end
  EXPECT_EQ(w.selected, 13);
  EXPECT_EQ(w.firstShown, 8);
  EXPECT_EQ(w.highlightRow, 5);
  for (int i = 0; i < 20; ++i) {
    Press(m, keyUp);
    ExpectHighlightShowsSelection(m);
  }
}

TEST_F(MenuTest, WithoutWrapTheEndsHoldAndThePictureStays) {
  std::string list = WriteList("menu8.kss", 8);
  Menu m;
  m.InitMenu(3, 6, 80, 120, 7, list.c_str(), 0);
  m.Show(0);
  Press(m, keyDown, 7);
  Surface before = *backDC;
  Window w = Press(m, keyDown);
  EXPECT_EQ(w.selected, 7);
  EXPECT_EQ(w.firstShown, 2);
  EXPECT_EQ(w.highlightRow, 5);
  EXPECT_EQ(backDC->Pixels(), before.Pixels());
  Press(m, keyUp, 7);
  before = *backDC;
  w = Press(m, keyUp);
  EXPECT_EQ(w.selected, 0);
  EXPECT_EQ(w.firstShown, 0);
  EXPECT_EQ(w.highlightRow, 0);
  EXPECT_EQ(backDC->Pixels(), before.Pixels());
}

TEST_F(MenuTest, KeysAnswerConfirmCancelOrStay) {
  std::string list = WriteList("menu3.kss", 3);
  Menu m;
  m.InitMenu(2, 3, 0, 0, 2, list.c_str(), 1);
  EXPECT_EQ(m.KeyDown(keyReturn), 1);
  EXPECT_EQ(m.KeyDown(keyEsc), -1);
  EXPECT_EQ(m.KeyDown(keyDown), 0);
  EXPECT_EQ(m.KeyDown('Q'), 0);
  EXPECT_EQ(m.selected, 1);
}

TEST_F(MenuTest, InitWipesTheGridAndShowRecountsUnlessToldNotTo) {
  std::string list = WriteList("menu5.kss", 5);
  LoadLineList(list.c_str());
  Menu m;
  m.InitMenu(2, 2, 0, 0, 1, list.c_str(), 3);
  EXPECT_EQ(textGrid[0][0], ' ');
  m.Show(0);
  EXPECT_EQ(m.lastIndex, 1);  // wrap mode 3 keeps the caller's count
  m.InitMenu(2, 2, 0, 0, 1, list.c_str(), 1);
  m.Show(0);
  EXPECT_EQ(m.lastIndex, 4);
}

TEST_F(MenuTest, HighlightBandIsInverted) {
  std::string list = WriteList("menu2.kss", 2);
  Menu m;
  m.InitMenu(4, 2, 100, 100, 1, list.c_str(), 1);
  colorMode = 0;
  m.Show(0);
  // Inside the band past the end of the text: white turned black.
  EXPECT_EQ(backDC->Get(100 + 240 - 8, 100 + 5 + 25), kBlack);
  EXPECT_EQ(backDC->Get(100 + 240 - 8, 100 + 60 + 5 + 25), kWhite);
}

// A menu with more entries than rows marks beside its frame (at its right, like
// a scroll bar's arrows) that more lie above or below; a short menu has none.
TEST_F(MenuTest, MarksShowWhereMoreEntriesLie) {
  std::string list = WriteList("menu14m.kss", 14);
  Menu m;
  m.InitMenu(2, 6, 100, 100, 13, list.c_str(), 1);
  const int x = 100 + 120 + 13;  // the marks' middle column
  auto upMark = [&] { return backDC->Get(x, 100 + 4 + 6) == kBlack; };
  auto downMark = [&] { return backDC->Get(x, 100 + 360 - 13 + 3) == kBlack; };
  m.Show(0);
  EXPECT_FALSE(upMark());
  EXPECT_TRUE(downMark());
  backDC->Resize(800, 600, kWhite);
  Press(m, keyDown, 9);  // entries 4..9 shown
  EXPECT_TRUE(upMark());
  EXPECT_TRUE(downMark());
  backDC->Resize(800, 600, kWhite);
  Press(m, keyUp, 10);  // wrapped to the end: entries 8..13
  EXPECT_TRUE(upMark());
  EXPECT_FALSE(downMark());

  backDC->Resize(800, 600, kWhite);
  std::string shortList = WriteList("menu4m.kss", 4);
  m.InitMenu(2, 4, 100, 100, 3, shortList.c_str(), 1);
  m.Show(0);
  EXPECT_FALSE(upMark());
  EXPECT_FALSE(backDC->Get(x, 100 + 240 - 13 + 3) == kBlack);
}
