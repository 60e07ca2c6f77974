#pragma once
// Writing the pictures: every ".kbp" goes through here so the folder layout
// and the optional review copies live in one place.
#include <string>

#include "platform/surface.h"
#include "tools/resgen/paint.h"
#include "tools/resgen/resgen.h"

// Writes Res/<name> (name like "City/mycity.kbp") as a 24-bit BMP. When the
// environment variable KESTREL_ART_PREVIEW names a folder, a PNG copy goes
// there too, for looking at the art while painting it.
bool SavePicture(const ResgenPaths& paths, const std::string& name, const Surface& image);
// A masked pair: image on a white ground and its mask (white where the figure stands).
bool SaveMaskedPicture(const ResgenPaths& paths, const std::string& imageName, const std::string& maskName,
                       const paint::Figure& figure);
