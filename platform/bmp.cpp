#include "platform/bmp.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "platform/files.h"

namespace {

constexpr int kMaxDimension = 16384;  // anything larger is a corrupt header, not a picture
constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;  // the old OS/2 header: 16-bit sizes, 3-byte palette entries
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kMaxHeaderSize = 124;  // the V5 header; larger ones do not exist
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}

// Where a direct-colour pixel keeps one channel, and how to widen it to 8 bits.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;  // the largest value the channel can hold after the shift

  explicit Channel(uint32_t m = 0) : mask(m) {
    if (!mask) return;
    while (!((mask >> shift) & 1)) ++shift;
    max = mask >> shift;
  }
  int Extract(uint32_t value) const {
    if (!max) return 0;
    return static_cast<int>(static_cast<uint64_t>((value & mask) >> shift) * 255 / max);
  }
};

struct BmpLayout {
  int width = 0;
  int height = 0;
  bool topDown = false;
  int bitsPerPixel = 0;
  Channel red, green, blue;
  std::vector<Pixel> palette;
  size_t dataOffset = 0;
  size_t stride = 0;
};

bool ReadMasks(const uint8_t* p, BmpLayout& layout) {
  layout.red = Channel(U32(p));
  layout.green = Channel(U32(p + 4));
  layout.blue = Channel(U32(p + 8));
  return true;
}

// Reads the headers and palette, checking every size against the bytes there are.
bool ParseLayout(const uint8_t* data, size_t size, BmpLayout& layout) {
  if (size < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M') return false;
  uint32_t offBits = U32(data + 10);
  uint32_t headerSize = U32(data + kFileHeaderSize);
  if (headerSize != kCoreHeaderSize && (headerSize < kInfoHeaderSize || headerSize > kMaxHeaderSize)) return false;
  if (size < kFileHeaderSize + headerSize) return false;
  const uint8_t* h = data + kFileHeaderSize;

  int64_t width, height;
  uint32_t compression = kBiRgb, colorsUsed = 0;
  size_t paletteEntrySize = 4;
  size_t afterHeader = kFileHeaderSize + headerSize;
  if (headerSize == kCoreHeaderSize) {
    width = U16(h + 4);
    height = U16(h + 6);
    layout.bitsPerPixel = U16(h + 10);
    paletteEntrySize = 3;
  } else {
    width = static_cast<int32_t>(U32(h + 4));
    height = static_cast<int32_t>(U32(h + 8));
    layout.bitsPerPixel = U16(h + 14);
    compression = U32(h + 16);
    colorsUsed = U32(h + 32);
  }
  if (height < 0) {
    layout.topDown = true;
    height = -height;
  }
  if (width <= 0 || height <= 0 || width > kMaxDimension || height > kMaxDimension) return false;
  layout.width = static_cast<int>(width);
  layout.height = static_cast<int>(height);

  int bpp = layout.bitsPerPixel;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
  if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
    if (bpp != 16 && bpp != 32) return false;
    if (headerSize >= kInfoHeaderSize + 12) {
      ReadMasks(h + kInfoHeaderSize, layout);  // V2 and later carry the masks inside the header
    } else {
      // The plain header is followed by the masks (and an alpha mask, which we ignore).
      size_t maskBytes = compression == kBiAlphaBitfields ? 16 : 12;
      if (size < afterHeader + maskBytes) return false;
      ReadMasks(data + afterHeader, layout);
      afterHeader += maskBytes;
    }
  } else if (compression == kBiRgb) {
    if (bpp == 16) {
      layout.red = Channel(0x7C00), layout.green = Channel(0x03E0), layout.blue = Channel(0x001F);
    } else if (bpp == 24 || bpp == 32) {
      layout.red = Channel(0xFF0000), layout.green = Channel(0x00FF00), layout.blue = Channel(0x0000FF);
    }
  } else {
    return false;  // run-length or embedded JPEG/PNG pictures are not used
  }

  if (bpp <= 8) {
    uint32_t entries = 1u << bpp;
    if (colorsUsed > 0 && colorsUsed < entries) entries = colorsUsed;
    // Old writers leave the count implied; the palette then ends where the pixels begin.
    if (offBits > afterHeader) entries = std::min<uint32_t>(entries, (offBits - afterHeader) / paletteEntrySize);
    if (size < afterHeader || (size - afterHeader) / paletteEntrySize < entries) return false;
    const uint8_t* p = data + afterHeader;
    for (uint32_t i = 0; i < entries; ++i, p += paletteEntrySize) layout.palette.push_back(Rgb(p[2], p[1], p[0]));
    afterHeader += entries * paletteEntrySize;
  }

  // Some writers leave the offset at 0; the pixels then follow the palette.
  layout.dataOffset = offBits ? offBits : afterHeader;
  layout.stride = ((static_cast<size_t>(layout.width) * bpp + 31) / 32) * 4;
  size_t lastRow = (static_cast<size_t>(layout.width) * bpp + 7) / 8;
  size_t needed = layout.stride * (layout.height - 1) + lastRow;
  return layout.dataOffset <= size && size - layout.dataOffset >= needed;
}

Pixel PalettePixel(const BmpLayout& layout, uint32_t index) {
  return index < layout.palette.size() ? layout.palette[index] : kBlack;
}

void DecodeRow(const uint8_t* row, const BmpLayout& layout, Pixel* out) {
  int w = layout.width;
  switch (layout.bitsPerPixel) {
    case 1:
      for (int x = 0; x < w; ++x) out[x] = PalettePixel(layout, (row[x >> 3] >> (7 - (x & 7))) & 1);
      break;
    case 4:
      for (int x = 0; x < w; ++x) out[x] = PalettePixel(layout, (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15);
      break;
    case 8:
      for (int x = 0; x < w; ++x) out[x] = PalettePixel(layout, row[x]);
      break;
    case 16:
      for (int x = 0; x < w; ++x) {
        uint32_t v = U16(row + 2 * x);
        out[x] = Rgb(layout.red.Extract(v), layout.green.Extract(v), layout.blue.Extract(v));
      }
      break;
    case 24:
      for (int x = 0; x < w; ++x) out[x] = Rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
      break;
    case 32:
      for (int x = 0; x < w; ++x) {
        uint32_t v = U32(row + 4 * x);
        out[x] = Rgb(layout.red.Extract(v), layout.green.Extract(v), layout.blue.Extract(v));
      }
      break;
  }
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// The file and info headers of a bottom-up, uncompressed picture.
std::vector<uint8_t> Headers(int width, int height, int bpp, uint32_t paletteEntries, size_t stride) {
  std::vector<uint8_t> out;
  uint32_t offBits = static_cast<uint32_t>(kFileHeaderSize + kInfoHeaderSize + 4 * paletteEntries);
  uint32_t imageSize = static_cast<uint32_t>(stride * height);
  out.push_back('B');
  out.push_back('M');
  Put32(out, offBits + imageSize);
  Put32(out, 0);
  Put32(out, offBits);
  Put32(out, kInfoHeaderSize);
  Put32(out, static_cast<uint32_t>(width));
  Put32(out, static_cast<uint32_t>(height));
  Put16(out, 1);
  Put16(out, static_cast<uint32_t>(bpp));
  Put32(out, kBiRgb);
  Put32(out, imageSize);
  Put32(out, 2835);  // 72 dots per inch, as pixels per metre
  Put32(out, 2835);
  Put32(out, paletteEntries);
  Put32(out, 0);
  return out;
}

bool WriteAll(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* file = OpenFile(path, "wb");
  if (!file) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = (std::fclose(file) == 0) && ok;
  return ok;
}

int ColourDistance(Pixel a, Pixel b) {
  int dr = static_cast<int>((a >> 16) & 255) - static_cast<int>((b >> 16) & 255);
  int dg = static_cast<int>((a >> 8) & 255) - static_cast<int>((b >> 8) & 255);
  int db = static_cast<int>(a & 255) - static_cast<int>(b & 255);
  return dr * dr + dg * dg + db * db;
}

uint8_t NearestIndex(Pixel colour, const std::vector<Pixel>& palette) {
  size_t best = 0;
  int bestDistance = ColourDistance(colour, palette[0]);
  for (size_t i = 1; i < palette.size() && bestDistance > 0; ++i) {
    int d = ColourDistance(colour, palette[i]);
    if (d < bestDistance) best = i, bestDistance = d;
  }
  return static_cast<uint8_t>(best);
}

}  // namespace

bool DecodeBmp(const uint8_t* data, size_t size, Surface& out) {
  if (!data) return false;
  BmpLayout layout;
  if (!ParseLayout(data, size, layout)) return false;
  Surface image(layout.width, layout.height);
  for (int y = 0; y < layout.height; ++y) {
    int fileRow = layout.topDown ? y : layout.height - 1 - y;
    DecodeRow(data + layout.dataOffset + layout.stride * fileRow, layout, image.Row(y));
  }
  out = std::move(image);
  return true;
}

bool LoadBmpFile(const std::string& path, Surface& out) {
  FILE* file = OpenFile(path, "rb");
  if (!file) return false;
  std::vector<uint8_t> bytes;
  uint8_t buffer[65536];
  size_t got;
  // Largest sensible file: the biggest picture at 32 bits plus its headers.
  constexpr size_t kMaxFileSize = static_cast<size_t>(kMaxDimension) * kMaxDimension * 4 + 4096;
  // A portrait sheet is 13 MB: growing the buffer by doubling would hold up to
  // twice that while the decoded copy is made, and copy it over and over.
  if (std::fseek(file, 0, SEEK_END) == 0) {
    long size = std::ftell(file);
    if (size > 0 && static_cast<size_t>(size) <= kMaxFileSize) bytes.reserve(static_cast<size_t>(size));
    std::rewind(file);
  }
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0 && bytes.size() <= kMaxFileSize)
    bytes.insert(bytes.end(), buffer, buffer + got);
  std::fclose(file);
  return DecodeBmp(bytes.data(), bytes.size(), out);
}

bool SaveBmp24(const std::string& path, const Surface& image) {
  if (image.Empty()) return false;
  size_t stride = (static_cast<size_t>(image.Width()) * 3 + 3) & ~static_cast<size_t>(3);
  std::vector<uint8_t> bytes = Headers(image.Width(), image.Height(), 24, 0, stride);
  // Sized once and written in place: resgen saves pictures of millions of pixels.
  size_t start = bytes.size();
  bytes.resize(start + stride * static_cast<size_t>(image.Height()), 0);
  uint8_t* out = bytes.data() + start;
  for (int y = image.Height() - 1; y >= 0; --y, out += stride) {
    const Pixel* row = image.Row(y);
    for (int x = 0; x < image.Width(); ++x) {
      out[3 * x] = static_cast<uint8_t>(row[x]);
      out[3 * x + 1] = static_cast<uint8_t>(row[x] >> 8);
      out[3 * x + 2] = static_cast<uint8_t>(row[x] >> 16);
    }
  }
  return WriteAll(path, bytes);
}

bool SaveBmp8(const std::string& path, const Surface& image, const std::vector<Pixel>& palette) {
  if (image.Empty() || palette.empty() || palette.size() > 256) return false;
  size_t stride = (static_cast<size_t>(image.Width()) + 3) & ~static_cast<size_t>(3);
  uint32_t entries = static_cast<uint32_t>(palette.size());
  std::vector<uint8_t> bytes = Headers(image.Width(), image.Height(), 8, entries, stride);
  for (Pixel p : palette) {
    bytes.push_back(static_cast<uint8_t>(p));
    bytes.push_back(static_cast<uint8_t>(p >> 8));
    bytes.push_back(static_cast<uint8_t>(p >> 16));
    bytes.push_back(0);
  }
  // Pictures repeat few colours; remember each one's palette index.
  std::unordered_map<Pixel, uint8_t> nearest;
  for (int y = image.Height() - 1; y >= 0; --y) {
    const Pixel* row = image.Row(y);
    size_t start = bytes.size();
    for (int x = 0; x < image.Width(); ++x) {
      auto found = nearest.find(row[x]);
      if (found == nearest.end()) found = nearest.emplace(row[x], NearestIndex(row[x], palette)).first;
      bytes.push_back(found->second);
    }
    bytes.resize(start + stride, 0);
  }
  return WriteAll(path, bytes);
}
