// The review sheet: every picture under Res on one PNG, each scaled into its
// cell with its name and size under it and, below that, the function that
// paints it (or a warning for a picture the game never loads).
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/bmp.h"
#include "platform/png_writer.h"
#include "platform/text.h"
#include "tools/resgen/common/paint.h"
#include "tools/resgen/common/picture_files.h"
#include "tools/resgen/common/pictures.h"

namespace {
constexpr int kCellW = 240;
constexpr int kCellH = 216;
constexpr int kThumbH = 170;
constexpr int kColumns = 6;
constexpr int kLineH = 18;

// Nearest-neighbour shrink into (x, y, w, h) keeping the aspect ratio.
void DrawThumb(Surface& sheet, const Surface& pic, int x, int y, int w, int h) {
  float scale = std::min({1.0f, static_cast<float>(w) / pic.Width(), static_cast<float>(h) / pic.Height()});
  int tw = std::max(1, static_cast<int>(pic.Width() * scale));
  int th = std::max(1, static_cast<int>(pic.Height() * scale));
  int ox = x + (w - tw) / 2;
  int oy = y + (h - th) / 2;
  for (int j = 0; j < th; ++j)
    for (int i = 0; i < tw; ++i)
      sheet.Set(ox + i, oy + j, pic.Get(static_cast<int>(i / scale), static_cast<int>(j / scale)));
}
}  // namespace

bool WriteContactSheet(const std::string& resDir, const std::string& pngPath) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(resDir, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file() && it->path().extension() == ".kbp")
      names.push_back(fs::relative(it->path(), resDir).generic_string());
  if (names.empty()) return false;
  std::sort(names.begin(), names.end());
  int rows = (static_cast<int>(names.size()) + kColumns - 1) / kColumns;
  Surface sheet(kColumns * kCellW, rows * kCellH, Rgb(90, 86, 80));
  std::string face = Utf8ToGbk(paint::kFaceHei);
  TextStyle style{{face.c_str(), 14, 400}, kWhite, false, kBlack};
  for (size_t k = 0; k < names.size(); ++k) {
    int x = static_cast<int>(k % kColumns) * kCellW;
    int y = static_cast<int>(k / kColumns) * kCellH;
    Surface pic;
    std::string label = names[k];
    if (LoadBmpFile(resDir + "/" + names[k], pic)) {
      DrawThumb(sheet, pic, x + 4, y + 4, kCellW - 8, kThumbH - 8);
      label += "  " + std::to_string(pic.Width()) + "x" + std::to_string(pic.Height());
    } else {
      label += "  (unreadable)";
    }
    DrawText(sheet, x + 6, y + kThumbH + 4, label.c_str(), style);
    Pic row;
    std::string painter = PicOfFile(names[k], row) ? PicInfo(row).painter : "(not in rules/pictures.h)";
    DrawText(sheet, x + 6, y + kThumbH + 4 + kLineH, painter.c_str(), style);
  }
  return SavePng(pngPath, sheet);
}
