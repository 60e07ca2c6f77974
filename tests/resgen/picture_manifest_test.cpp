// The picture manifest (rules/pictures.h) and what resgen writes agree both
// ways: every row is a file in Res at its size, and no picture in Res lacks a
// row, so neither side can rename or resize a picture alone.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

#include "platform/bmp.h"
#include "rules/pictures.h"
#include "tools/resgen/common/picture_files.h"

namespace {

namespace fs = std::filesystem;

TEST(PictureManifest, EveryRowIsWrittenAtItsSize) {
  std::set<std::string> files;
  for (int i = 0; i < kPictureCount; ++i) {
    Pic pic = static_cast<Pic>(i);
    std::string file = PicFile(pic);
    EXPECT_TRUE(files.insert(file).second) << file << " has two rows";
    Surface s;
    ASSERT_TRUE(LoadBmpFile("Res/" + file, s)) << file << " is not written";
    EXPECT_EQ(s.Width(), PicWidth(pic)) << file;
    EXPECT_EQ(s.Height(), PicHeight(pic)) << file;
    EXPECT_NE(std::string(PicInfo(pic).painter), "") << file;
  }
}

TEST(PictureManifest, EveryPictureWrittenHasARow) {
  int seen = 0;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator("Res")) {
    if (!e.is_regular_file() || e.path().extension() != ".kbp") continue;
    std::string file = fs::relative(e.path(), "Res").generic_string();
    Pic pic;
    EXPECT_TRUE(PicOfFile(file, pic)) << file << " is written but the game never loads it";
    ++seen;
  }
  EXPECT_EQ(seen, kPictureCount);
}

TEST(PictureManifest, APictureOfTheWrongSizeIsNotWritten) {
  // A painter that drifts from the manifest would hand the game a picture it
  // cuts or places wrongly; resgen stops instead of writing it.
  fs::path dir = fs::temp_directory_path() / ("kestrel-manifest-" + std::to_string(getpid()));
  fs::create_directories(dir);
  ResgenPaths paths{"", dir.string()};
  EXPECT_FALSE(SavePicture(paths, Pic::kIcon, Surface(PicWidth(Pic::kIcon) + 1, PicHeight(Pic::kIcon))));
  EXPECT_FALSE(fs::exists(dir / PicFile(Pic::kIcon)));
  EXPECT_TRUE(SavePicture(paths, Pic::kIcon, Surface(PicWidth(Pic::kIcon), PicHeight(Pic::kIcon))));
  EXPECT_TRUE(fs::exists(dir / PicFile(Pic::kIcon)));
  fs::remove_all(dir);
}

}  // namespace
