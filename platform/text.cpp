#include "platform/text.h"

#ifndef __EMSCRIPTEN__
#include <fontconfig/fontconfig.h>
#endif
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/text_memo.h"

// Under the leak checker: fontconfig keeps (and loses) some of its parsed
// configuration for the life of the process, and the display libraries behind
// the window do the same; those are theirs, not ours. One list for the whole
// platform, here because every program that draws links this file.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n"
         "leak:libSDL2\n"
         "leak:libX11.so\n"
         "leak:libdbus-1.so\n";
}

namespace {

// The game asks for two Windows faces by their GBK names; these are the
// free faces that stand in for them (fixed-pitch 黑体 with half-width ASCII,
// and a brush-style 隶书).
constexpr const char* kHeiName = "黑体";
constexpr const char* kLiName = "隶书";
constexpr const char* kHeiFamily = "WenQuanYi Zen Hei Mono";
constexpr const char* kLiFamily = "AR PL UKai CN";
#ifndef __EMSCRIPTEN__
constexpr FcChar32 kProbeHanzi = 0x6C49;  // 汉: a fallback face must have it to count as CJK
#else
// The page has no fontconfig: the two faces come with it, cut down to the
// characters the game can show.
constexpr const char* kHeiFile = "/fonts/hei.ttf";
constexpr const char* kLiFile = "/fonts/li.ttf";
#endif

// 黑体 puts its baseline 859/1000 of the cell below the top. The stand-ins'
// ideographs reach from about -0.14 to 0.86 em, so the same baseline keeps
// their ink inside the cell as the original's is.
constexpr int kCellAscentPerMille = 859;
constexpr int kBoldWeight = 601;      // heavier than semi-bold is drawn emboldened
constexpr int kBoldExtraAdvance = 1;  // synthetic bold widens each character by a pixel
constexpr int kMaxHeight = 1024;      // beyond any screen; larger requests are refused
constexpr int kHeiSlot = 0;
constexpr int kLiSlot = 1;
constexpr int kFaceSlots = 2;

// ---------------------------------------------------------------- encodings

// Runs an iconv conversion, skipping bytes the source encoding cannot read
// (or characters the target cannot hold) instead of stopping.
std::string Convert(iconv_t cd, const char* in, size_t length) {
  std::string out;
  if (cd == reinterpret_cast<iconv_t>(-1) || !in) return out;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  out.resize(length * 4 + 16);
  char* src = const_cast<char*>(in);
  size_t srcLeft = length;
  char* dst = out.data();
  size_t dstLeft = out.size();
  while (srcLeft > 0) {
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) {
      size_t used = out.size() - dstLeft;
      out.resize(out.size() * 2);
      dst = out.data() + used;
      dstLeft = out.size() - used;
    } else if (errno == EILSEQ) {
      ++src, --srcLeft;
    } else {
      break;  // a sequence cut off at the end: nothing more to read
    }
  }
  out.resize(out.size() - dstLeft);
  return out;
}

iconv_t Converter(const char* to, const char* from) { return iconv_open(to, from); }

iconv_t GbkToUtf32() {
  static iconv_t cd = Converter("UTF-32LE", "GB18030");
  return cd;
}

// Game text as code points; control characters have no glyph and are dropped.
void DecodeGbk(const char* gbk, std::vector<char32_t>& out) {
  out.clear();
  if (!gbk) return;
  size_t length = std::strlen(gbk);
  bool ascii = true;
  for (size_t i = 0; i < length && ascii; ++i) ascii = static_cast<unsigned char>(gbk[i]) < 0x80;
  if (ascii) {
    for (size_t i = 0; i < length; ++i)
      if (static_cast<unsigned char>(gbk[i]) >= 0x20) out.push_back(static_cast<unsigned char>(gbk[i]));
    return;
  }
  std::string wide = Convert(GbkToUtf32(), gbk, length);
  for (size_t i = 0; i + 4 <= wide.size(); i += 4) {
    const auto* b = reinterpret_cast<const unsigned char*>(wide.data() + i);
    char32_t c = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<char32_t>(b[3]) << 24);
    if (c >= 0x20) out.push_back(c);
  }
}

// ---------------------------------------------------------------- fonts

struct Glyph {
  int left = 0;  // from the pen position to the bitmap's first column
  int top = 0;   // from the baseline up to the bitmap's first row
  int width = 0;
  int rows = 0;
  int advance = 0;
  std::vector<uint8_t> coverage;  // width x rows, 0..255
  // The covered pixels as runs along the rows: fully covered runs are filled
  // with the colour, partly covered ones blended (uncovered pixels are skipped).
  struct Run {
    int row = 0, col = 0, len = 0;
    bool solid = false;
  };
  std::vector<Run> runs;
};

void FindRuns(Glyph& g) {
  g.runs.clear();
  for (int r = 0; r < g.rows; ++r) {
    const uint8_t* cover = &g.coverage[static_cast<size_t>(r) * g.width];
    int c = 0;
    while (c < g.width) {
      if (cover[c] == 0) {
        ++c;
        continue;
      }
      bool solid = cover[c] == 255;
      int start = c;
      while (c < g.width && cover[c] != 0 && (cover[c] == 255) == solid) ++c;
      g.runs.push_back(Glyph::Run{r, start, c - start, solid});
    }
  }
}

struct FaceSlot {
  bool tried = false;
  FT_Face face = nullptr;
  FT_Long ascender = 0;  // the cell's extent (in font units) that a height measures
  FT_Long descender = 0;
  std::unordered_map<int, FT_Size> sizes;  // by cell height
};

// One size of one face, ready to draw with.
struct SizedFace {
  int slot = -1;
  int height = 0;
  int ascent = 0;
  bool bold = false;
};

class FontEngine {
 public:
  static FontEngine& Get() {
    static FontEngine engine;
    return engine;
  }

  bool Prepare(const FontSpec& wanted, SizedFace& out);
  const Glyph& GlyphFor(const SizedFace& face, char32_t c);

 private:
  FontEngine() { ready_ = FT_Init_FreeType(&library_) == 0; }
  FT_Face OpenFace(int slot);
  bool FindFontFile(const char* family, std::string& file, int& index);
  bool FindAnyCjkFont(std::string& file, int& index);
  FT_Size SizeFor(int slot, int height);
  void Render(FT_Face face, FT_UInt index, bool bold, Glyph& glyph);

  bool ready_ = false;
  FT_Library library_ = nullptr;
  FaceSlot slots_[kFaceSlots];
  std::unordered_map<uint64_t, Glyph> glyphs_;
};

int SlotForName(const char* face) {
  if (face && std::strcmp(face, kLiName) == 0) return kLiSlot;
  return kHeiSlot;  // 黑体 and every face the game does not know
}

#ifndef __EMSCRIPTEN__
bool HasFamily(FcPattern* pattern, const char* family) {
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &name) == FcResultMatch; ++i)
    if (FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8*>(family)) == 0) return true;
  return false;
}

bool FileOf(FcPattern* pattern, std::string& file, int& index) {
  FcChar8* path = nullptr;
  if (FcPatternGetString(pattern, FC_FILE, 0, &path) != FcResultMatch) return false;
  file = reinterpret_cast<const char*>(path);
  index = 0;
  FcPatternGetInteger(pattern, FC_INDEX, 0, &index);
  return true;
}

// fontconfig always offers its best match; accept it only if it is the family asked for.
bool FontEngine::FindFontFile(const char* family, std::string& file, int& index) {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(""));
  if (!pattern) return false;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  bool found = match && HasFamily(match, family) && FileOf(match, file, index);
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return found;
}

bool FontEngine::FindAnyCjkFont(std::string& file, int& index) {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(":lang=zh-cn"));
  if (!pattern) return false;
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  bool found = false;
  FcCharSet* charset = nullptr;
  if (match && FcPatternGetCharSet(match, FC_CHARSET, 0, &charset) == FcResultMatch &&
      FcCharSetHasChar(charset, kProbeHanzi))
    found = FileOf(match, file, index);
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return found;
}
#else
bool FontEngine::FindFontFile(const char* family, std::string& file, int& index) {
  file = std::strcmp(family, kLiFamily) == 0 ? kLiFile : kHeiFile;
  index = 0;
  return true;
}

bool FontEngine::FindAnyCjkFont(std::string& file, int& index) {
  file = kHeiFile;
  index = 0;
  return true;
}
#endif

// The cell a Windows height measures. 黑体 spans exactly one em from ascent to
// descent; the stand-ins' typographic metrics do too (their line metrics add a
// quarter em of spacing, which would shrink every glyph by a fifth and break
// layouts made for 黑体, such as digits half the height wide).
void CellMetrics(FT_Face face, FT_Long& ascender, FT_Long& descender) {
  ascender = face->ascender;
  descender = face->descender;
  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->version != 0xFFFF && os2->sTypoAscender - os2->sTypoDescender > 0) {
    ascender = os2->sTypoAscender;
    descender = os2->sTypoDescender;
  }
}

FT_Face FontEngine::OpenFace(int slot) {
  FaceSlot& s = slots_[slot];
  if (s.tried) return s.face;
  s.tried = true;
  if (!ready_) return nullptr;
  std::string file;
  int index = 0;
  const char* family = slot == kLiSlot ? kLiFamily : kHeiFamily;
  if (!FindFontFile(family, file, index) && !FindAnyCjkFont(file, index)) return nullptr;
  FT_Face face = nullptr;
  if (FT_New_Face(library_, file.c_str(), index, &face) != 0) return nullptr;
  CellMetrics(face, s.ascender, s.descender);
  if (!FT_IS_SCALABLE(face) || s.ascender - s.descender <= 0) {
    FT_Done_Face(face);
    return nullptr;
  }
  s.face = face;
  return face;
}

// The size at which the face's ascender-to-descender span is `height` pixels,
// which is what a positive height means to the platform's font creation.
FT_Size FontEngine::SizeFor(int slot, int height) {
  FaceSlot& s = slots_[slot];
  auto found = s.sizes.find(height);
  if (found != s.sizes.end()) return found->second;
  FT_Size size = nullptr;
  if (FT_New_Size(s.face, &size) != 0) return nullptr;
  FT_Activate_Size(size);
  FT_Long span = s.ascender - s.descender;
  FT_F26Dot6 ppem = static_cast<FT_F26Dot6>(static_cast<int64_t>(height) * 64 * s.face->units_per_EM / span);
  if (FT_Set_Char_Size(s.face, 0, ppem > 0 ? ppem : 1, 72, 72) != 0) {
    FT_Done_Size(size);
    return nullptr;
  }
  s.sizes.emplace(height, size);
  return size;
}

bool FontEngine::Prepare(const FontSpec& wanted, SizedFace& out) {
  if (wanted.height <= 0 || wanted.height > kMaxHeight) return false;
  int slot = SlotForName(wanted.face);
  if (!OpenFace(slot)) {
    slot = kHeiSlot;
    if (!OpenFace(slot)) return false;
  }
  if (!SizeFor(slot, wanted.height)) return false;
  out.slot = slot;
  out.height = wanted.height;
  out.ascent = (wanted.height * kCellAscentPerMille + 500) / 1000;
  out.bold = wanted.weight >= kBoldWeight;
  return true;
}

void FontEngine::Render(FT_Face face, FT_UInt index, bool bold, Glyph& glyph) {
  if (FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT) != 0) return;
  FT_GlyphSlot slot = face->glyph;
  glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  if (bold && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    // The same thickening FreeType's synthetic bold uses (a 24th of the em),
    // while the advance grows only by the pixel the platform adds.
    FT_Pos strength = FT_MulFix(face->units_per_EM, face->size->metrics.y_scale) / 24;
    FT_Outline_Embolden(&slot->outline, strength);
    glyph.advance += kBoldExtraAdvance;
  }
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return;
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.pixel_mode != FT_PIXEL_MODE_MONO) return;
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.width = static_cast<int>(bitmap.width);
  glyph.rows = static_cast<int>(bitmap.rows);
  glyph.coverage.assign(static_cast<size_t>(glyph.width) * glyph.rows, 0);
  int pitch = bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch;
  for (int r = 0; r < glyph.rows; ++r) {
    const unsigned char* src = bitmap.buffer + static_cast<size_t>(bitmap.pitch < 0 ? glyph.rows - 1 - r : r) * pitch;
    uint8_t* dst = &glyph.coverage[static_cast<size_t>(r) * glyph.width];
    for (int c = 0; c < glyph.width; ++c)
      dst[c] = bitmap.pixel_mode == FT_PIXEL_MODE_GRAY ? src[c] : (((src[c >> 3] >> (7 - (c & 7))) & 1) ? 255 : 0);
  }
  FindRuns(glyph);
}

const Glyph& FontEngine::GlyphFor(const SizedFace& face, char32_t c) {
  uint64_t key = (static_cast<uint64_t>(face.slot) << 56) | (static_cast<uint64_t>(face.height) << 40) |
                 (static_cast<uint64_t>(face.bold) << 32) | c;
  auto found = glyphs_.find(key);
  if (found != glyphs_.end()) return found->second;
  Glyph& glyph = glyphs_[key];
  // A character the face lacks is borrowed from the 黑体 stand-in, which covers the most.
  int slot = face.slot;
  FT_UInt index = FT_Get_Char_Index(slots_[slot].face, c);
  if (index == 0 && slot != kHeiSlot && OpenFace(kHeiSlot) && SizeFor(kHeiSlot, face.height)) {
    FT_UInt other = FT_Get_Char_Index(slots_[kHeiSlot].face, c);
    if (other != 0) slot = kHeiSlot, index = other;
  }
  FT_Activate_Size(SizeFor(slot, face.height));
  Render(slots_[slot].face, index, face.bold, glyph);
  return glyph;
}

// Lays the text out; returns its advance and fills `glyphs` in order.
int Layout(const char* gbk, const SizedFace& face, std::vector<const Glyph*>& glyphs) {
  static std::vector<char32_t> codepoints;
  DecodeGbk(gbk, codepoints);
  glyphs.clear();
  int advance = 0;
  for (char32_t c : codepoints) {
    const Glyph& g = FontEngine::Get().GlyphFor(face, c);
    glyphs.push_back(&g);
    advance += g.advance;
  }
  return advance;
}

uint32_t Mix(uint32_t under, uint32_t over, uint32_t alpha) {
  return (under * (255 - alpha) + over * alpha + 127) / 255;
}

Pixel Blend(Pixel under, uint32_t r, uint32_t g, uint32_t b, uint32_t alpha) {
  return (Mix((under >> 16) & 255, r, alpha) << 16) | (Mix((under >> 8) & 255, g, alpha) << 8) |
         Mix(under & 255, b, alpha);
}

// The colour over one ground colour at every coverage, worked out once: most
// partly covered pixels of opaque text lie on its own background.
struct BlendTable {
  Pixel under = 0, color = 0;
  bool ready = false;
  Pixel mixed[256];
  void For(Pixel u, Pixel c) {
    if (ready && u == under && c == color) return;
    under = u, color = c, ready = true;
    for (uint32_t a = 0; a < 256; ++a) mixed[a] = Blend(u, (c >> 16) & 255, (c >> 8) & 255, c & 255, a);
  }
};

void BlendGlyph(Surface& target, int penX, int baseline, const Glyph& g, Pixel color, const BlendTable* table) {
  int x0 = penX + g.left, y0 = baseline - g.top;
  uint32_t r = (color >> 16) & 255, gr = (color >> 8) & 255, b = color & 255;
  Pixel solidColor = color & 0xFFFFFF;
  int width = target.Width(), height = target.Height();
  for (const Glyph::Run& run : g.runs) {
    int y = y0 + run.row;
    if (y < 0 || y >= height) continue;
    int from = std::max(x0 + run.col, 0), to = std::min(x0 + run.col + run.len, width);
    if (from >= to) continue;
    Pixel* line = target.Row(y);
    if (run.solid) {
      std::fill(line + from, line + to, solidColor);
      continue;
    }
    const uint8_t* cover = &g.coverage[static_cast<size_t>(run.row) * g.width];
    for (int x = from; x < to; ++x) {
      uint32_t a = cover[x - x0];
      Pixel under = line[x];
      line[x] = table && under == table->under ? table->mixed[a] : Blend(under, r, gr, b, a);
    }
  }
}

// The pixels the glyphs reach, clipped to the target.
TextMemo::Box InkBox(const Surface& target, int x, int baseline, const std::vector<const Glyph*>& glyphs) {
  int64_t x0 = INT64_MAX, y0 = INT64_MAX, x1 = INT64_MIN, y1 = INT64_MIN;
  int64_t pen = x;
  for (const Glyph* g : glyphs) {
    if (!g->runs.empty()) {
      x0 = std::min(x0, pen + g->left);
      x1 = std::max(x1, pen + g->left + g->width);
      y0 = std::min<int64_t>(y0, static_cast<int64_t>(baseline) - g->top);
      y1 = std::max<int64_t>(y1, static_cast<int64_t>(baseline) - g->top + g->rows);
    }
    pen += g->advance;
  }
  TextMemo::Box box;
  if (x0 > x1) return box;
  box.x0 = static_cast<int>(std::max<int64_t>(x0, 0));
  box.y0 = static_cast<int>(std::max<int64_t>(y0, 0));
  box.x1 = static_cast<int>(std::min<int64_t>(x1, target.Width()));
  box.y1 = static_cast<int>(std::min<int64_t>(y1, target.Height()));
  if (box.x0 >= box.x1 || box.y0 >= box.y1) box = TextMemo::Box();
  return box;
}

// Everything a transparent drawing's pixels follow besides those under it.
std::string MemoKey(const char* gbk, const SizedFace& face, const TextStyle& style, int x, int y,
                    const Surface& target) {
  int fields[] = {face.slot, face.height, face.bold,      static_cast<int>(style.color & 0xFFFFFF),
                  x,         y,           target.Width(), target.Height()};
  std::string key(reinterpret_cast<const char*>(fields), sizeof fields);
  key += gbk;
  return key;
}

constexpr size_t kTextMemoBytes = 4u << 20;

}  // namespace

int DrawText(Surface& target, int x, int y, const char* gbk, const TextStyle& style) {
  SizedFace face;
  if (!FontEngine::Get().Prepare(style.font, face)) return 0;
  // Opaque text covers its ground whatever lies under it, so only transparent
  // text is kept.
  static TextMemo memo(kTextMemoBytes);
  TextMemo::Drawn drawn;
  std::string key;
  if (!style.opaque && !target.Empty() && gbk) {
    key = MemoKey(gbk, face, style, x, y, target);
    if (memo.Replay(key, target, drawn)) {
      target.Changed(drawn.changed.x0, drawn.changed.y0, drawn.changed.x1, drawn.changed.y1);
      return drawn.advance;
    }
  }
  static std::vector<const Glyph*> glyphs;
  int advance = Layout(gbk, face, glyphs);
  if (target.Empty() || advance <= 0) return advance;
  // The part the text reaches, glyphs and ground.
  int top = y, bottom = y + face.height;
  for (const Glyph* g : glyphs)
    if (g->rows > 0) {
      top = std::min(top, y + face.ascent - g->top);
      bottom = std::max(bottom, y + face.ascent - g->top + g->rows);
    }
  drawn.box = InkBox(target, x, y + face.ascent, glyphs);
  drawn.advance = advance;
  int right = static_cast<int>(std::min<int64_t>(static_cast<int64_t>(x) + advance, INT32_MAX));
  drawn.changed = drawn.box.Pixels() > 0
                      ? TextMemo::Box{std::min(x, drawn.box.x0), top, std::max(right, drawn.box.x1), bottom}
                      : TextMemo::Box{x, top, right, bottom};
  std::vector<Pixel> before;
  if (!key.empty()) {
    if (drawn.box.Pixels() > 0) before = TextMemo::Read(target, drawn.box);
    else key.clear();
  }
  if (style.opaque)
    target.FillRect(x, y, static_cast<int>(static_cast<int64_t>(x) + advance), y + face.height, style.background);
  static BlendTable table;
  if (style.opaque) table.For(style.background & 0xFFFFFF, style.color & 0xFFFFFF);
  int pen = x;
  for (const Glyph* g : glyphs) {
    BlendGlyph(target, pen, y + face.ascent, *g, style.color, style.opaque ? &table : nullptr);
    pen += g->advance;
  }
  target.Changed(drawn.changed.x0, drawn.changed.y0, drawn.changed.x1, drawn.changed.y1);
  if (!key.empty()) memo.Keep(key, target, drawn, std::move(before));
  return advance;
}

int MeasureText(const char* gbk, const FontSpec& font) {
  SizedFace face;
  if (!FontEngine::Get().Prepare(font, face)) return 0;
  static std::vector<const Glyph*> glyphs;
  return Layout(gbk, face, glyphs);
}

std::string GbkToUtf8(const std::string& gbk) {
  static iconv_t cd = Converter("UTF-8", "GB18030");
  return Convert(cd, gbk.data(), gbk.size());
}

#ifndef __EMSCRIPTEN__
std::string Utf8ToGbk(const std::string& utf8) {
  static iconv_t cd = Converter("GBK", "UTF-8");
  return Convert(cd, utf8.data(), utf8.size());
}
#else
// The browser's libc reads GBK but cannot write it: the table from code
// points back to GBK is made once from the reading direction.
std::string Utf8ToGbk(const std::string& utf8) {
  static const std::unordered_map<char32_t, uint16_t> table = [] {
    std::unordered_map<char32_t, uint16_t> t;
    for (int lead = 0x81; lead <= 0xFE; ++lead)
      for (int trail = 0x40; trail <= 0xFE; ++trail) {
        if (trail == 0x7F) continue;
        char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        std::string wide = Convert(GbkToUtf32(), pair, 2);
        if (wide.size() != 4) continue;
        const auto* b = reinterpret_cast<const unsigned char*>(wide.data());
        char32_t c = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<char32_t>(b[3]) << 24);
        t.emplace(c, static_cast<uint16_t>(lead << 8 | trail));
      }
    return t;
  }();
  static iconv_t toUtf32 = Converter("UTF-32LE", "UTF-8");
  std::string wide = Convert(toUtf32, utf8.data(), utf8.size());
  std::string out;
  for (size_t i = 0; i + 4 <= wide.size(); i += 4) {
    const auto* b = reinterpret_cast<const unsigned char*>(wide.data() + i);
    char32_t c = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<char32_t>(b[3]) << 24);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    auto found = table.find(c);
    if (found == table.end()) continue;  // no GBK form: skipped, as the desktop's conversion does
    out.push_back(static_cast<char>(found->second >> 8));
    out.push_back(static_cast<char>(found->second & 0xFF));
  }
  return out;
}
#endif
