#include "platform/surface.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace {

constexpr Pixel kColourMask = 0xFFFFFF;
constexpr int kMaxPenWidth = 4096;  // wider than any surface; keeps the band arithmetic in range

// Narrows [a, a + len) to [lo, hi) (in 64 bits, so no argument can overflow);
// the new start and length come back through the references.
void ClipSpan(int& a, int& len, int lo, int hi) {
  int64_t start = a, end = static_cast<int64_t>(a) + len;
  start = std::max<int64_t>(start, lo);
  end = std::min<int64_t>(end, hi);
  if (end <= start) {
    a = lo;
    len = 0;
    return;
  }
  a = static_cast<int>(start);
  len = static_cast<int>(end - start);
}

}  // namespace

uint64_t Surface::NextSerial() {
  static std::atomic<uint64_t> next{1};
  return next.fetch_add(1, std::memory_order_relaxed);
}

Surface::Surface(int width, int height, Pixel fill) { Resize(width, height, fill); }

Surface::Surface(const Surface& other)
    : width_(other.width_),
      height_(other.height_),
      version_(other.version_),
      changedLeft_(other.changedLeft_),
      changedTop_(other.changedTop_),
      changedRight_(other.changedRight_),
      changedBottom_(other.changedBottom_),
      pixels_(other.pixels_) {}

PixelBox PixelBox::Union(const PixelBox& o) const {
  if (Empty()) return o;
  if (o.Empty()) return *this;
  return PixelBox{std::min(x0, o.x0), std::min(y0, o.y0), std::max(x1, o.x1), std::max(y1, o.y1)};
}

PixelBox PixelBox::Intersect(const PixelBox& o) const {
  PixelBox box{std::max(x0, o.x0), std::max(y0, o.y0), std::min(x1, o.x1), std::min(y1, o.y1)};
  return box.Empty() ? PixelBox{} : box;
}

namespace {
int64_t Area(const PixelBox& b) { return b.Empty() ? 0 : int64_t{b.x1 - b.x0} * (b.y1 - b.y0); }
}  // namespace

void PixelBoxes::Add(PixelBox box) {
  if (box.Empty()) return;
  // A box that meets a kept one takes it in, until it meets none.
  for (int i = 0; i < count_;) {
    if (box.Intersect(boxes_[i]).Empty()) {
      ++i;
      continue;
    }
    box = box.Union(boxes_[i]);
    boxes_[i] = boxes_[--count_];
    i = 0;
  }
  if (count_ < kMax) {
    boxes_[count_++] = box;
    return;
  }
  // Full: the two of the kept and the new whose union adds the least become one.
  PixelBox all[kMax + 1];
  for (int i = 0; i < kMax; ++i) all[i] = boxes_[i];
  all[kMax] = box;
  int bestA = 0, bestB = 1;
  int64_t best = INT64_MAX;
  for (int a = 0; a <= kMax; ++a)
    for (int b = a + 1; b <= kMax; ++b) {
      int64_t added = Area(all[a].Union(all[b])) - Area(all[a]) - Area(all[b]);
      if (added < best) best = added, bestA = a, bestB = b;
    }
  PixelBox merged = all[bestA].Union(all[bestB]);
  count_ = 0;
  for (int i = 0; i <= kMax; ++i)
    if (i != bestA && i != bestB) boxes_[count_++] = all[i];
  Add(merged);
}

PixelBox PixelBoxes::Bounds() const {
  PixelBox bounds;
  for (int i = 0; i < count_; ++i) bounds = bounds.Union(boxes_[i]);
  return bounds;
}

uint64_t Surface::StartWatch() {
  watchTicket_ = NextSerial();
  watched_ = PixelBoxes{};
  return watchTicket_;
}

bool Surface::Watched(uint64_t ticket, PixelBoxes& changed) const {
  if (ticket == 0 || ticket != watchTicket_) return false;
  changed = watched_;
  return true;
}

void Surface::Changed(int x0, int y0, int x1, int y1) {
  ++version_;
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, width_);
  y1 = std::min(y1, height_);
  if (x0 >= x1 || y0 >= y1) return;
  watched_.Add(PixelBox{x0, y0, x1, y1});
  if (changedTop_ >= changedBottom_) {
    changedLeft_ = x0, changedTop_ = y0, changedRight_ = x1, changedBottom_ = y1;
  } else {
    changedLeft_ = std::min(changedLeft_, x0);
    changedTop_ = std::min(changedTop_, y0);
    changedRight_ = std::max(changedRight_, x1);
    changedBottom_ = std::max(changedBottom_, y1);
  }
}

void Surface::TakeChangedBox(int& x0, int& y0, int& x1, int& y1) {
  x0 = changedLeft_;
  y0 = changedTop_;
  x1 = std::min(changedRight_, width_);
  y1 = std::min(changedBottom_, height_);
  changedLeft_ = changedTop_ = changedRight_ = changedBottom_ = 0;
}

Surface::Surface(Surface&& other) noexcept
    : width_(other.width_), height_(other.height_), version_(other.version_), pixels_(std::move(other.pixels_)) {
  other.width_ = 0;
  other.height_ = 0;
  other.pixels_.clear();
  ++other.version_;  // emptied: a change, though no row is left to name
}

Surface& Surface::operator=(const Surface& other) {
  if (this == &other) return *this;
  uint32_t version = std::max(version_, other.version_);
  width_ = other.width_;
  height_ = other.height_;
  pixels_ = other.pixels_;
  version_ = version;
  Touch();
  return *this;
}

Surface& Surface::operator=(Surface&& other) noexcept {
  if (this == &other) return *this;
  uint32_t version = std::max(version_, other.version_);
  width_ = other.width_;
  height_ = other.height_;
  pixels_ = std::move(other.pixels_);
  other.width_ = 0;
  other.height_ = 0;
  other.pixels_.clear();
  ++other.version_;
  version_ = version;
  Touch();
  return *this;
}

void Surface::Resize(int width, int height, Pixel fill) {
  if (width <= 0 || height <= 0) {
    width = 0;
    height = 0;
  }
  width_ = width;
  height_ = height;
  pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill & kColourMask);
  Touch();
}

Pixel Surface::Get(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kBlack;
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

void Surface::Set(int x, int y, Pixel p) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<size_t>(y) * width_ + x] = p & kColourMask;
  Changed(x, y, x + 1, y + 1);
}

void Surface::Blit(int dx, int dy, const Surface& src, int sx, int sy, int w, int h, RasterOp op) {
  if (w <= 0 || h <= 0 || Empty()) return;
  if (op == RasterOp::Invert) {
    // The source plays no part; only the destination rectangle is clipped.
    InvertRect(dx, dy, w, h);
    return;
  }
  if (src.Empty()) return;
  // Copying, OR-ing or AND-ing the same source again changes nothing.
  LastCopy copy{src.serial_, src.version_, version_, dx, dy, sx, sy, w, h, op};
  if (&src != this && copy.Same(lastCopy_)) return;
  // Skip whatever lies left of or above either surface, in both at once, then
  // cut what runs past the right or bottom of either.
  int64_t sx0 = sx, sy0 = sy, dx0 = dx, dy0 = dy, ww = w, hh = h;
  int64_t skipX = std::max<int64_t>({0, -sx0, -dx0});
  int64_t skipY = std::max<int64_t>({0, -sy0, -dy0});
  sx0 += skipX, dx0 += skipX, ww -= skipX;
  sy0 += skipY, dy0 += skipY, hh -= skipY;
  ww = std::min<int64_t>({ww, src.width_ - sx0, width_ - dx0});
  hh = std::min<int64_t>({hh, src.height_ - sy0, height_ - dy0});
  if (ww <= 0 || hh <= 0) return;
  sx = static_cast<int>(sx0), sy = static_cast<int>(sy0), dx = static_cast<int>(dx0), dy = static_cast<int>(dy0);
  w = static_cast<int>(ww), h = static_cast<int>(hh);

  // A surface copied onto itself may overlap; work from a copy of the source rows.
  std::vector<Pixel> scratch;
  const Pixel* from = nullptr;
  size_t stride = 0;
  if (&src == this) {
    scratch.resize(static_cast<size_t>(w) * h);
    for (int row = 0; row < h; ++row)
      std::memcpy(&scratch[static_cast<size_t>(row) * w], src.Row(sy + row) + sx, sizeof(Pixel) * w);
    from = scratch.data();
    stride = w;
  } else {
    from = src.Row(sy) + sx;
    stride = src.width_;
  }
  // Only a real change counts: the window mirrors the back buffer many times a
  // second, and an unchanged mirror must not make the presenter upload a frame.
  int firstChanged = -1, lastChanged = -1;
  for (int row = 0; row < h; ++row) {
    const Pixel* s = from + row * stride;
    Pixel* d = Row(dy + row) + dx;
    bool changed = false;
    if (op == RasterOp::Copy) {
      if (std::memcmp(d, s, sizeof(Pixel) * w) == 0) continue;
      std::memcpy(d, s, sizeof(Pixel) * w);
      changed = true;
    } else {
      // Straight loops without branches, which the compiler vectorises.
      Pixel diff = 0;
      if (op == RasterOp::Or) {
        for (int col = 0; col < w; ++col) {
          Pixel p = d[col] | s[col];
          diff |= p ^ d[col];
          d[col] = p;
        }
      } else {
        for (int col = 0; col < w; ++col) {
          Pixel p = d[col] & s[col];
          diff |= p ^ d[col];
          d[col] = p;
        }
      }
      changed = diff != 0;
    }
    if (!changed) continue;
    if (firstChanged < 0) firstChanged = row;
    lastChanged = row;
  }
  if (firstChanged >= 0) Changed(dx, dy + firstChanged, dx + w, dy + lastChanged + 1);
  copy.version = version_;
  if (&src != this) lastCopy_ = copy;
}

void Surface::BlitWithin(const PixelBox& within, int dx, int dy, const Surface& src, int sx, int sy, int w, int h,
                         RasterOp op) {
  if (w <= 0 || h <= 0) return;
  // Narrow the target rectangle to `within`, moving the source's corner along.
  int64_t left = std::max<int64_t>(dx, within.x0), top = std::max<int64_t>(dy, within.y0);
  int64_t right = std::min<int64_t>(static_cast<int64_t>(dx) + w, within.x1);
  int64_t bottom = std::min<int64_t>(static_cast<int64_t>(dy) + h, within.y1);
  if (right <= left || bottom <= top) return;
  int64_t sx0 = sx + (left - dx), sy0 = sy + (top - dy);
  if (sx0 < INT32_MIN || sx0 > INT32_MAX || sy0 < INT32_MIN || sy0 > INT32_MAX) return;
  Blit(static_cast<int>(left), static_cast<int>(top), src, static_cast<int>(sx0), static_cast<int>(sy0),
       static_cast<int>(right - left), static_cast<int>(bottom - top), op);
}

void Surface::InvertRect(int x, int y, int w, int h) {
  ClipSpan(x, w, 0, width_);
  ClipSpan(y, h, 0, height_);
  if (w <= 0 || h <= 0) return;
  for (int row = 0; row < h; ++row) {
    Pixel* d = Row(y + row) + x;
    for (int col = 0; col < w; ++col) d[col] = ~d[col] & kColourMask;
  }
  Changed(x, y, x + w, y + h);
}

void Surface::FillRect(int x1, int y1, int x2, int y2, Pixel color) {
  x1 = std::max(x1, 0), y1 = std::max(y1, 0);
  x2 = std::min(x2, width_), y2 = std::min(y2, height_);
  if (x2 <= x1 || y2 <= y1) return;
  color &= kColourMask;
  for (int y = y1; y < y2; ++y) std::fill(Row(y) + x1, Row(y) + x2, color);
  Changed(x1, y1, x2, y2);
}

void Surface::Rectangle(int x1, int y1, int x2, int y2, int penWidth, Pixel pen, int64_t brush) {
  // Like the graphics interface, accept the corners in either order.
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (brush >= 0) FillRect(x1, y1, x2, y2, static_cast<Pixel>(brush));
  if (penWidth <= 0 || x2 <= x1 || y2 <= y1) return;
  penWidth = std::min(penWidth, kMaxPenWidth);
  // The border runs along the first and last pixel rows and columns of the
  // rectangle; a wide pen straddles it, half outside and half inside.
  int half = penWidth / 2;
  int left = x1 - half, top = y1 - half;
  int right = x2 - 1 - half, bottom = y2 - 1 - half;
  int outerRight = right + penWidth, outerBottom = bottom + penWidth;
  FillRect(left, top, outerRight, top + penWidth, pen);    // top band
  FillRect(left, bottom, outerRight, outerBottom, pen);    // bottom band
  FillRect(left, top, left + penWidth, outerBottom, pen);  // left band
  FillRect(right, top, outerRight, outerBottom, pen);      // right band
}

FitRect FitKeepingAspect(int srcW, int srcH, int areaW, int areaH) {
  FitRect r;
  if (srcW <= 0 || srcH <= 0 || areaW <= 0 || areaH <= 0) return r;
  // Compare the aspects exactly: srcW / srcH against areaW / areaH.
  if (static_cast<int64_t>(srcW) * areaH >= static_cast<int64_t>(areaW) * srcH) {
    r.w = areaW;
    r.h = static_cast<int>(static_cast<int64_t>(srcH) * areaW / srcW);
  } else {
    r.h = areaH;
    r.w = static_cast<int>(static_cast<int64_t>(srcW) * areaH / srcH);
  }
  r.x = (areaW - r.w) / 2;
  r.y = (areaH - r.h) / 2;
  return r;
}

void ScaleRowsNearest(const Surface& src, int srcY0, int srcY1, Pixel* dst, int pitch, const FitRect& fit, int& y0,
                      int& y1) {
  y0 = y1 = 0;
  if (src.Empty() || fit.w <= 0 || fit.h <= 0) return;
  srcY0 = std::max(srcY0, 0);
  srcY1 = std::min(srcY1, src.Height());
  if (srcY0 >= srcY1) return;
  int64_t sw = src.Width(), sh = src.Height();
  // The source column under the centre of each target column, worked out once.
  static std::vector<int> columns;
  columns.resize(static_cast<size_t>(fit.w));
  for (int x = 0; x < fit.w; ++x) columns[x] = static_cast<int>((2 * static_cast<int64_t>(x) + 1) * sw / (2 * fit.w));
  int previous = -1;
  const Pixel* previousRow = nullptr;
  for (int ty = 0; ty < fit.h; ++ty) {
    int sy = static_cast<int>((2 * static_cast<int64_t>(ty) + 1) * sh / (2 * fit.h));
    if (sy < srcY0) continue;
    if (sy >= srcY1) break;
    Pixel* out = dst + static_cast<size_t>(fit.y + ty) * pitch + fit.x;
    if (sy == previous) {
      std::memcpy(out, previousRow, sizeof(Pixel) * fit.w);  // the same source row again
    } else {
      const Pixel* in = src.Row(sy);
      for (int x = 0; x < fit.w; ++x) out[x] = in[columns[x]];
      previous = sy;
      previousRow = out;
    }
    if (y0 == y1) y0 = fit.y + ty;
    y1 = fit.y + ty + 1;
  }
}
