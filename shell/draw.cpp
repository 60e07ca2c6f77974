#include "shell/draw.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <list>
#include <string>

#include "platform/bmp.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/text.h"
#include "platform/window.h"
#include "rules/pictures.h"
#include "shell/globals.h"
#include "shell/report_log.h"
#include "shell/run_log.h"

namespace {

// A picture copy takes at most this much of the picture from its top-left.
constexpr int kPictureAreaWidth = 800;
constexpr int kPictureAreaHeight = 480;
constexpr int kMessageFontHeight = 50;
constexpr int kFrameFontHeight = 45;
constexpr int kDelayTick = 1;
constexpr const char* kMessageBack = PicPath(Pic::kMessageBack);

bool TransparentText() { return colorMode == 1; }

TextStyle GameFont(int height, Pixel color) {
  TextStyle style;
  style.font = FontSpec{kFontHei, height, kFontWeightHeavy};
  style.color = color;
  style.opaque = !TransparentText();
  style.background = kWhite;
  return style;
}

int PictureWidth(const Surface& picture) { return std::min(picture.Width(), kPictureAreaWidth); }
int PictureHeight(const Surface& picture) { return std::min(picture.Height(), kPictureAreaHeight); }

void CopyPicture(Surface& target, const Surface& picture, int x, int y, RasterOp op) {
  target.Blit(x, y + kPictureOffsetY, picture, 0, 0, PictureWidth(picture), PictureHeight(picture), op);
}

void Delay(int delay) { Wait(delay == -1 ? kDefaultDelay : delay); }

Surface& Window() { return windowDC ? *windowDC : WindowSurface(); }

void DrawBoxOnWindow(int left, int top, int cellsWide, int cellsHigh) {
  if (colorMode != 0) {
    ShowBmp(0, kMessageBack, left - 20, top - kPictureOffsetY);
  } else {
    Window().Rectangle(left, top, left + kCell * cellsWide, top + kCell * cellsHigh, kFramePenWidth, kBlack, -1);
  }
}

}  // namespace

namespace {

// Every screen redraws its pictures for every key; reading them from disk each
// time would dominate the game's own work. The cache holds the most recently
// used pictures up to a byte budget.
constexpr size_t kPictureCacheBytes = 48u << 20;

struct CachedPicture {
  std::string path;
  off_t size = 0;
  struct timespec mtime {};
  std::shared_ptr<const Surface> surface;
  size_t Bytes() const { return static_cast<size_t>(surface->Width()) * surface->Height() * sizeof(Pixel); }
};

std::list<CachedPicture> pictureCache;  // most recently used first
size_t pictureCacheBytes = 0;

void TrimPictureCache() {
  while (pictureCacheBytes > kPictureCacheBytes && pictureCache.size() > 1) {
    pictureCacheBytes -= pictureCache.back().Bytes();
    pictureCache.pop_back();
  }
}

}  // namespace

std::shared_ptr<const Surface> SharedPicture(const char* path) {
  std::string real = NormalizePath(path);
  struct stat st;
  if (stat(real.c_str(), &st) != 0) return nullptr;
  for (auto it = pictureCache.begin(); it != pictureCache.end(); ++it) {
    if (it->path != real) continue;
    if (it->size == st.st_size && it->mtime.tv_sec == st.st_mtim.tv_sec && it->mtime.tv_nsec == st.st_mtim.tv_nsec) {
      pictureCache.splice(pictureCache.begin(), pictureCache, it);
      return pictureCache.front().surface;
    }
    pictureCacheBytes -= it->Bytes();
    pictureCache.erase(it);
    break;
  }
  auto surface = std::make_shared<Surface>();
  if (!LoadBmpFile(real, *surface)) return nullptr;
  CachedPicture entry;
  entry.surface = surface;
  entry.path = real;
  entry.size = st.st_size;
  entry.mtime = st.st_mtim;
  pictureCacheBytes += entry.Bytes();
  pictureCache.push_front(std::move(entry));
  TrimPictureCache();
  return surface;
}

const Surface* Picture(const char* path) { return SharedPicture(path).get(); }

bool LoadBmp(const char* path, Surface& out) {
  const Surface* picture = Picture(path);
  out = picture ? *picture : Surface();
  return picture != nullptr;
}

void PaintBmp(int, const char* path, int x, int y) {
  if (const Surface* picture = Picture(path)) CopyPicture(*backDC, *picture, x, y, RasterOp::Copy);
}

void PaintMaskedBmp(int, const char* image, const char* mask, int x, int y) {
  if (const Surface* picture = Picture(mask)) CopyPicture(*backDC, *picture, x, y, RasterOp::Or);
  if (const Surface* picture = Picture(image)) CopyPicture(*backDC, *picture, x, y, RasterOp::And);
}

void CopyPictureWithin(Surface& target, const PixelBox& within, const Surface& picture, int x, int y, RasterOp op) {
  target.BlitWithin(within, x, y + kPictureOffsetY, picture, 0, 0, PictureWidth(picture), PictureHeight(picture), op);
}

PixelBox PictureBox(const Surface& picture, int x, int y) {
  PixelBox box{x, y + kPictureOffsetY, x + PictureWidth(picture), y + kPictureOffsetY + PictureHeight(picture)};
  return box.Empty() ? PixelBox{} : box;
}

void PaintBmpWithin(const PixelBox& within, const char* path, int x, int y) {
  if (const Surface* picture = Picture(path)) CopyPictureWithin(*backDC, within, *picture, x, y, RasterOp::Copy);
}

void PaintMaskedBmpWithin(const PixelBox& within, const char* image, const char* mask, int x, int y) {
  if (const Surface* picture = Picture(mask)) CopyPictureWithin(*backDC, within, *picture, x, y, RasterOp::Or);
  if (const Surface* picture = Picture(image)) CopyPictureWithin(*backDC, within, *picture, x, y, RasterOp::And);
}

void ShowBmp(int delay, const char* path, int x, int y) {
  PaintBmp(0, path, x, y);
  CopyBackToWindow();
  Delay(delay);
}

void ShowBmpNow(int delay, const char* path, int x, int y) {
  if (const Surface* picture = Picture(path)) CopyPicture(Window(), *picture, x, y, RasterOp::Copy);
  Present();
  Delay(delay);
}

void DrawTextIn(Surface& target, const char* text, int x, int y, const char* face, int height, Pixel color) {
  TextStyle style = GameFont(height, color);
  style.font.face = face;
  DrawText(target, x, y, text, style);
}

void PaintText(const char* text, int x, int y, int height) {
  ReportLogPaintedText(text, x, y, height);
  DrawTextIn(*backDC, text, x, y, kFontHei, height, kBlack);
}

void PaintTextNow(const char* text, int x, int y, int height) {
  DrawTextIn(Window(), text, x, y, kFontHei, height, kBlack);
  Present();
}

void DrawPanelRect(Surface& target, int x1, int y1, int x2, int y2) {
  if (colorMode == 1) {
    target.Rectangle(x1, y1, x2, y2, kFramePenWidth, kPanelPen, kPanelBrush);
  } else {
    target.Rectangle(x1, y1, x2, y2, kFramePenWidth, kBlack, kWhite);
  }
}

void DrawFrameRect(Surface& target, int x1, int y1, int x2, int y2) {
  target.Rectangle(x1, y1, x2, y2, kFramePenWidth, kBlack, kWhite);
}

void InvertBand(Surface& target, int x, int y, int w, int h) { target.InvertRect(x, y, w, h); }

void RequestRepaint() {}

namespace {
// The pair of the last copy. Right after a copy the window shows the back
// buffer, so the next copy need only cover what either changed since.
const Surface* copiedBack = nullptr;
const Surface* copiedWindow = nullptr;

struct Part {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool Empty() const { return y0 >= y1; }
};

Part TakeChanged(Surface& s) {
  Part p;
  s.TakeChangedBox(p.x0, p.y0, p.x1, p.y1);
  return p;
}

Part Union(const Part& a, const Part& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return Part{std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}
}  // namespace

void CopyBackToWindow() {
  Surface& window = Window();
  Part changed = Union(TakeChanged(*backDC), TakeChanged(window));
  if (copiedBack != backDC || copiedWindow != &window) changed = Part{0, 0, kLogicalWidth, kLogicalHeight};
  if (!changed.Empty())
    window.Blit(changed.x0, changed.y0, *backDC, changed.x0, changed.y0, changed.x1 - changed.x0,
                changed.y1 - changed.y0, RasterOp::Copy);
  TakeChanged(window);  // what was just copied agrees with the back buffer
  copiedBack = backDC;
  copiedWindow = &window;
  Present();
}

void PaintMessageFrame(const char* text, int left, int top, int cellsWide, int cellsHigh) {
  if (colorMode != 0) {
    PaintBmp(0, kMessageBack, left, top - kPictureOffsetY);
  } else {
    backDC->Rectangle(left, top, left + kCell * cellsWide, top + kCell * cellsHigh, kFramePenWidth, kBlack, -1);
  }
  DrawTextIn(*backDC, text, left + 5, top + 5, kFontHei, kFrameFontHeight, kBlack);
}

void ShowMessage2(const char* text1, const char* text2, int left, int top, int cellsWide, int cellsHigh, int delay) {
  ReportLogMessage(text1, text2, nullptr);
  DrawBoxOnWindow(left, top, cellsWide, cellsHigh);
  DrawTextIn(Window(), text1, left + 5, top + 5, kFontHei, kMessageFontHeight, kBlack);
  DrawTextIn(Window(), text2, left + 185, top + 5, kFontHei, kMessageFontHeight, kBlack);
  Present();
  Wait(delay);
}

void ShowMessage2Narrow(const char* text1, const char* text2, int left, int top, int cellsWide, int cellsHigh,
                        int delay) {
  ReportLogMessage(text1, text2, nullptr);
  DrawBoxOnWindow(left, top, cellsWide, cellsHigh);
  DrawTextIn(Window(), text1, left + 5, top + 5, kFontHei, kMessageFontHeight, kBlack);
  DrawTextIn(Window(), text2, left + 125, top + 5, kFontHei, kMessageFontHeight, kBlack);
  Present();
  Wait(delay);
}

void ShowMessage3(const char* text1, const char* text2, const char* text3, int left, int top, int cellsWide,
                  int cellsHigh, int delay) {
  ReportLogMessage(text2, text1, text3);
  DrawBoxOnWindow(left, top, cellsWide, cellsHigh);
  DrawTextIn(Window(), text2, left + 5, top + 5, kFontHei, kMessageFontHeight, kBlack);
  DrawTextIn(Window(), text1, left + 135, top + 5, kFontHei, kMessageFontHeight, kBlack);
  DrawTextIn(Window(), text3, left + 375, top + 5, kFontHei, kMessageFontHeight, kBlack);
  Present();
  Wait(delay);
}

void PumpMessage() {
  if (!PeekMessage()) return;
  Message m = GetMessage();
  // Input that arrives during a delay is lost on purpose; only the quit
  // request survives (it goes back on the queue for the main loop).
  if (m.type == MessageType::Quit) PostQuitMessage(m.param);
}

void Wait(int ms) {
  if (ms <= 0) return;
  // The month end's panels go into the report log as they begin to wait, and
  // its delays run at the Speed setting.
  if (InMonthEnd()) {
    ReportLogFlushPending();
    ms = ScaledDelay(ms);
  }
  uint32_t start = GetTickCount();
  uint32_t end = start + static_cast<uint32_t>(ms);
  while (GetTickCount() < end) {
    PumpMessage();
    SleepMs(kDelayTick);
  }
}

int SqrtBelow(int a) {
  int step = 10;
  int result = 0;
  while (step != 0) {
    long long next = result + step;
    if (next * next < a) {
      result += step;
    } else {
      --step;
    }
  }
  return result;
}
