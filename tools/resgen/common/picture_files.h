#pragma once
// Writing the pictures: every ".kbp" goes through here so the folder layout,
// the sizes of the manifest (rules/pictures.h) and the optional review copies
// live in one place.
#include <string>

#include "platform/surface.h"
#include "rules/pictures.h"
#include "tools/resgen/common/paint.h"
#include "tools/resgen/common/resgen.h"

// The file of a picture under Res/ as resgen writes it ("Fight/tiles.kbp").
std::string PicFile(Pic pic);
// Its name without folder and extension ("tiles").
std::string PicStem(Pic pic);
// The picture written to `file` (as PicFile spells it); false for a file the game never loads.
bool PicOfFile(const std::string& file, Pic& pic);

// Writes Res/<PicFile(pic)> as a 24-bit BMP. An image of another size than the
// manifest's is refused, as the game would cut or misplace it. When the
// environment variable KESTREL_ART_PREVIEW names a folder, a PNG copy goes
// there too, for looking at the art while painting it.
bool SavePicture(const ResgenPaths& paths, Pic pic, const Surface& image);
// A masked pair: image on a white ground and its mask (white where the figure stands).
bool SaveMaskedPicture(const ResgenPaths& paths, Pic image, Pic mask, const paint::Figure& figure);
