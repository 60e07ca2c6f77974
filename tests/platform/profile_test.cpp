#include "platform/profile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/files.h"

namespace {

class Profile : public ::testing::Test {
 protected:
  void TearDown() override { DeleteFileAt(path_); }

  void WriteFile(const std::string& text) {
    FILE* f = OpenFile(path_, "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
  std::string ReadFile() {
    std::string text;
    FILE* f = OpenFile(path_, "rb");
    if (!f) return text;
    char buffer[256];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, got);
    std::fclose(f);
    return text;
  }
  int Get(const char* section, const char* key, int fallback = -7) {
    return GetPrivateProfileInt(section, key, fallback, path_.c_str());
  }

  // CTest runs the cases side by side: each gets a file of its own.
  std::string path_ =
      std::string("platform_test_profile_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
};

TEST_F(Profile, ReadsWithWindowsRules) {
  WriteFile(
      "; settings\n"
      "[Startup]\n"
      "  Width = 1600 \n"
      "height=1200px\n"
      "Version=-205\n"
      "Color=abc\n"
      "Quoted=\"42\"\n"
      "Plus=+7\n"
      "Huge=99999999999\n"
      "[ key ]\r\n"
      "UP=87\r\n");
  EXPECT_EQ(Get("Startup", "Width"), 1600);
  EXPECT_EQ(Get("startup", "WIDTH"), 1600);   // case-insensitive both ways
  EXPECT_EQ(Get("Startup", "Height"), 1200);  // stops at the first non-digit
  EXPECT_EQ(Get("Startup", "Version"), -205);
  EXPECT_EQ(Get("Startup", "Color"), 0);  // no digits: 0, not the default
  EXPECT_EQ(Get("Startup", "Quoted"), 42);
  EXPECT_EQ(Get("Startup", "Plus"), 7);
  EXPECT_EQ(Get("Startup", "Huge"), static_cast<int>(99999999999LL & 0xFFFFFFFF));  // wraps, no overflow
  EXPECT_EQ(Get("Key", "Up"), 87);                                                  // padded header, CRLF lines
  EXPECT_EQ(Get("Key", "Down", 40), 40);                                            // missing key
  EXPECT_EQ(Get("Battle", "Width", 800), 800);                                      // missing section
  EXPECT_EQ(Get("Key", "Width", 800), 800);                                         // key of another section
  EXPECT_EQ(Get("settings", "x", 3), 3);                                            // a comment is not a section
  EXPECT_EQ(GetPrivateProfileInt("Startup", "Width", 800, "no_such_file.ini"), 800);
}

TEST_F(Profile, WriterReplacesInPlaceAndKeepsEverythingElse) {
  WriteFile(
      "; battle display\n"
      "[Startup]\n"
      "Width=800\n"
      "menushow=0\n"
      "\n"
      "[Key]\n"
      "Up=38\n");
  ASSERT_TRUE(WritePrivateProfileString("Startup", "Menushow", "1", path_.c_str()));
  ASSERT_TRUE(WritePrivateProfileString("Startup", "Menuspeed", "2", path_.c_str()));
  ASSERT_TRUE(WritePrivateProfileString("Key", "Down", "83", path_.c_str()));
  EXPECT_EQ(ReadFile(),
            "; battle display\n"
            "[Startup]\n"
            "Width=800\n"
            "Menushow=1\n"
            "Menuspeed=2\n"
            "\n"
            "[Key]\n"
            "Up=38\n"
            "Down=83\n");
  EXPECT_EQ(Get("Startup", "menuspeed"), 2);
}

TEST_F(Profile, WriterAddsSectionsAndCreatesFiles) {
  ASSERT_TRUE(WritePrivateProfileString("Startup", "Menumove", "1", path_.c_str()));
  EXPECT_EQ(ReadFile(), "[Startup]\nMenumove=1\n");

  // A file without a final line end, in CRLF: the style is kept.
  WriteFile("[Key]\r\nUp=38");
  ASSERT_TRUE(WritePrivateProfileString("Startup", "Menushow", "3", path_.c_str()));
  EXPECT_EQ(ReadFile(), "[Key]\r\nUp=38\r\n[Startup]\r\nMenushow=3\r\n");
  ASSERT_TRUE(WritePrivateProfileString("key", "Left", "65", path_.c_str()));
  EXPECT_EQ(Get("Key", "Left"), 65);
  EXPECT_EQ(Get("Key", "Up"), 38);
  EXPECT_EQ(Get("Startup", "Menushow"), 3);
  EXPECT_FALSE(FileExists(path_ + ".tmp"));  // the temporary is renamed away
}

TEST_F(Profile, NullValueOrKeyDeletes) {
  WriteFile("[A]\nx=1\ny=2\n[B]\nz=3\n");
  ASSERT_TRUE(WritePrivateProfileString("A", "x", nullptr, path_.c_str()));
  EXPECT_EQ(ReadFile(), "[A]\ny=2\n[B]\nz=3\n");
  ASSERT_TRUE(WritePrivateProfileString("A", nullptr, nullptr, path_.c_str()));
  EXPECT_EQ(ReadFile(), "[B]\nz=3\n");
}

TEST_F(Profile, UnwritableTargetFailsAndLeavesNoTemporary) {
  EXPECT_FALSE(WritePrivateProfileString("A", "x", "1", "no_such_dir/sub/startup.ini"));
  EXPECT_FALSE(FileExists("no_such_dir/sub/startup.ini.tmp"));
}

}  // namespace
