#pragma once
// Windows BMP files: reading every uncompressed variant (1, 4, 8, 24 and
// 32 bits per pixel, bottom-up and top-down) and writing 24-bit and 8-bit files.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/surface.h"

// Loads a BMP file (path as the game writes it; normalised). Returns false and
// leaves `out` untouched when the file is missing or not a readable BMP.
bool LoadBmpFile(const std::string& path, Surface& out);
// Parses BMP bytes held in memory (used by the file loader and by tests).
bool DecodeBmp(const uint8_t* data, size_t size, Surface& out);

bool SaveBmp24(const std::string& path, const Surface& image);
// Writes an 8-bit BMP; colours are mapped to the nearest palette entry.
bool SaveBmp8(const std::string& path, const Surface& image, const std::vector<Pixel>& palette);
