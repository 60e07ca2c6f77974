// Sheets cut into cells during one screen draw: read once for the draw and
// valid to its end, whatever happens to the file or the picture cache
// meanwhile; a sheet changed on disk shows at the next draw.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "battle/battle_paint.h"
#include "platform/bmp.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "tests/support/sandbox.h"

namespace {

constexpr const char* kSheet = "Res\\test-sheet.kbp";  // Res itself is the sandbox's own folder

void WriteSheet(const Sandbox& box, int width, Pixel colour) {
  ASSERT_TRUE(SaveBmp24((box.Res() / "test-sheet.kbp").string(), Surface(width, 80, colour)));
}

TEST(SheetScope, ASheetStaysAsItWasReadUntilTheDrawEnds) {
  Sandbox box;
  std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(box.Root());
  backDC->Resize(800, 600, kWhite);
  WriteSheet(box, 160, Rgb(200, 0, 0));
  {
    PictureScope draw;
    PaintCell(kSheet, 0, 0, 80, 80, 0, 0);
    EXPECT_EQ(backDC->Get(10, 10), Rgb(200, 0, 0));
    // The file changes in the middle of the draw, and another drawing reads it
    // through the cache, which drops the picture the draw holds.
    WriteSheet(box, 240, Rgb(0, 0, 200));
    PaintBmp(0, kSheet, 0, 200);
    EXPECT_EQ(backDC->Get(10, 260), Rgb(0, 0, 200));
    // The draw goes on with the sheet it started with.
    PaintCell(kSheet, 80, 0, 80, 80, 100, 0);
    EXPECT_EQ(backDC->Get(110, 10), Rgb(200, 0, 0));
  }
  // The next draw reads the changed file, scope or not.
  PaintCell(kSheet, 0, 0, 80, 80, 200, 0);
  EXPECT_EQ(backDC->Get(210, 10), Rgb(0, 0, 200));
  {
    PictureScope draw;
    PaintMaskedCell(kSheet, kSheet, 160, 0, 80, 80, 300, 0);
    EXPECT_EQ(backDC->Get(310, 10), Rgb(0, 0, 200));
  }
  // A sheet that is gone draws nothing.
  std::filesystem::remove(box.Res() / "test-sheet.kbp");
  PaintCell(kSheet, 0, 0, 80, 80, 400, 0);
  EXPECT_EQ(backDC->Get(410, 10), kWhite);
  std::filesystem::current_path(before);
}

}  // namespace
