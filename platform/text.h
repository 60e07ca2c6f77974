#pragma once
// Text output in a named face, standing in for font creation and text output
// of a 2D graphics interface. Strings are GBK, as everywhere in the game; they
// are converted to Unicode only here.
#include <string>

#include "platform/surface.h"

struct FontSpec {
  const char* face;  // GBK face name: "黑体" or "隶书"
  int height;        // cell height in pixels (ascent + descent), as font creation takes it
  int weight;        // 400 normal, 700 bold, 900 heavy (heavier than 600 is drawn emboldened)
};

struct TextStyle {
  FontSpec font;
  Pixel color = kBlack;
  bool opaque = true;         // fill the text cell's background first
  Pixel background = kWhite;  // the opaque background colour
};

// Draws GBK text with its cell's top-left at (x, y). Returns the advance in pixels.
int DrawText(Surface& target, int x, int y, const char* gbk, const TextStyle& style);
// The width the text would take, in pixels.
int MeasureText(const char* gbk, const FontSpec& font);

// Conversions between the game's GBK and UTF-8 (for files we write for people: JSON, PNG labels).
std::string GbkToUtf8(const std::string& gbk);
std::string Utf8ToGbk(const std::string& utf8);
