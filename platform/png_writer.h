#pragma once
#include <string>

#include "platform/surface.h"

// Writes the surface as an 8-bit RGB PNG. Returns false when the file cannot be written.
bool SavePng(const std::string& path, const Surface& image);
