#pragma once
// A drawing surface of 32-bit pixels (0x00RRGGBB), standing in for a device
// context with a bitmap selected into it. A surface of size 0 x 0 is valid and
// every operation on it draws nothing (a context without a bitmap).
#include <cstddef>
#include <cstdint>
#include <vector>

using Pixel = uint32_t;

constexpr Pixel Rgb(int r, int g, int b) {
  return (static_cast<Pixel>(r & 255) << 16) | (static_cast<Pixel>(g & 255) << 8) | static_cast<Pixel>(b & 255);
}
constexpr Pixel kBlack = 0x000000;
constexpr Pixel kWhite = 0xFFFFFF;

// A rectangle of pixels [x0, x1) x [y0, y1); empty when either side is.
struct PixelBox {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool Empty() const { return x0 >= x1 || y0 >= y1; }
  // The smallest box holding both.
  PixelBox Union(const PixelBox& o) const;
  PixelBox Intersect(const PixelBox& o) const;
  bool operator==(const PixelBox& o) const { return x0 == o.x0 && y0 == o.y0 && x1 == o.x1 && y1 == o.y1; }
};

// A few boxes that together hold every pixel added to them, kept apart so
// that changes far from each other do not make one box spanning both.
class PixelBoxes {
 public:
  static constexpr int kMax = 4;
  void Add(PixelBox box);
  int Count() const { return count_; }
  const PixelBox& operator[](int i) const { return boxes_[i]; }
  PixelBox Bounds() const;

 private:
  PixelBox boxes_[kMax];
  int count_ = 0;
};

// The raster operations of a block transfer: plain copy, OR, AND, and
// inversion of the destination (the source is then ignored).
enum class RasterOp { Copy, Or, And, Invert };

class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, Pixel fill = kBlack);
  Surface(const Surface& other);
  Surface(Surface&& other) noexcept;  // leaves `other` empty (0 x 0)
  // Assigning takes the other's pixels but keeps this surface's version
  // growing, so a presenter watching it never mistakes new pixels for old.
  Surface& operator=(const Surface& other);
  Surface& operator=(Surface&& other) noexcept;

  void Resize(int width, int height, Pixel fill = kBlack);
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }

  Pixel Get(int x, int y) const;    // kBlack outside
  void Set(int x, int y, Pixel p);  // ignored outside
  Pixel* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const Pixel* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const std::vector<Pixel>& Pixels() const { return pixels_; }

  // Grows on every change (a copy that leaves the pixels as they were is no
  // change); a presenter compares it to skip idle frames.
  uint32_t Version() const { return version_; }
  // A change to every row (for writes through Row()).
  void Touch() { Changed(0, height_); }
  // A change to the rows [y0, y1) only.
  void Changed(int y0, int y1) { Changed(0, y0, width_, y1); }
  // A change to the pixels [x0, x1) x [y0, y1) only.
  void Changed(int x0, int y0, int x1, int y1);
  // The part changed since the last call, as [x0, x1) x [y0, y1) (empty when
  // y0 >= y1); the next call starts afresh. For the one copier that mirrors
  // this surface.
  void TakeChangedBox(int& x0, int& y0, int& x1, int& y1);
  void TakeChangedRows(int& y0, int& y1) {
    int x0 = 0, x1 = 0;
    TakeChangedBox(x0, y0, x1, y1);
  }

  // No other surface ever has this number, not even a copy of this one.
  uint64_t Serial() const { return serial_; }

  // A second record of the part changed, for a drawer that leaves its picture
  // here and, when it draws again, redraws only what was drawn over since.
  // Starting a watch ends the one before; the ticket names this one.
  uint64_t StartWatch();
  // The part changed since the watch `ticket` started; false when another
  // watch has started since (then nothing is known, and all counts as changed).
  bool Watched(uint64_t ticket, PixelBoxes& changed) const;

  // Copies w x h pixels of src from (sx, sy) to (dx, dy), clipped to both.
  void Blit(int dx, int dy, const Surface& src, int sx, int sy, int w, int h, RasterOp op);
  // The same copy, leaving every pixel outside `within` as it is.
  void BlitWithin(const PixelBox& within, int dx, int dy, const Surface& src, int sx, int sy, int w, int h,
                  RasterOp op);
  // Inverts every pixel of the rectangle (x, y, w, h), clipped.
  void InvertRect(int x, int y, int w, int h);
  // Fills [x1, x2) x [y1, y2), clipped.
  void FillRect(int x1, int y1, int x2, int y2, Pixel color);
  // A rectangle as a 2D graphics interface draws it: the interior
  // [x1, x2) x [y1, y2) filled with the brush (unless brush < 0), and an outline
  // of the given pen width centred on the border (none when penWidth <= 0).
  void Rectangle(int x1, int y1, int x2, int y2, int penWidth, Pixel pen, int64_t brush);

 private:
  // The last copy onto this surface, while nothing has changed since: the same
  // copy again (from the same source, itself unchanged) finds every pixel in
  // place. The month end lays the same panel under each of its messages. A
  // source is known by its serial, which no other surface ever has, and its version.
  struct LastCopy {
    uint64_t source = 0;
    uint32_t sourceVersion = 0, version = 0;
    int dx = 0, dy = 0, sx = 0, sy = 0, w = 0, h = 0;
    RasterOp op = RasterOp::Invert;  // none yet
    bool Same(const LastCopy& o) const {
      return source == o.source && sourceVersion == o.sourceVersion && version == o.version && dx == o.dx &&
             dy == o.dy && sx == o.sx && sy == o.sy && w == o.w && h == o.h && op == o.op;
    }
  };
  static uint64_t NextSerial();

  int width_ = 0;
  int height_ = 0;
  uint32_t version_ = 0;
  int changedLeft_ = 0, changedTop_ = 0, changedRight_ = 0, changedBottom_ = 0;  // since the last TakeChangedBox
  uint64_t serial_ = NextSerial();
  uint64_t watchTicket_ = 0;  // no watch yet: tickets start at 1
  PixelBoxes watched_;        // changed since the watch started
  LastCopy lastCopy_;
  std::vector<Pixel> pixels_;
};

// Where a picture of srcW x srcH lands when it is fitted into an area of
// areaW x areaH keeping its aspect, centred between black bars.
struct FitRect {
  int x = 0, y = 0, w = 0, h = 0;
};
FitRect FitKeepingAspect(int srcW, int srcH, int areaW, int areaH);

// Scales the source rows [srcY0, srcY1) of `src` into the rectangle `fit` of a
// 32-bit 0x00RRGGBB buffer (`pitch` pixels a row), nearest neighbour: each
// target pixel takes the source pixel under its centre. The target rows
// written come back as [y0, y1) (empty when y0 >= y1).
void ScaleRowsNearest(const Surface& src, int srcY0, int srcY1, Pixel* dst, int pitch, const FitRect& fit, int& y0,
                      int& y1);
