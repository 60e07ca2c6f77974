#pragma once
// What the map screen last put on the back buffer. The map is drawn again for
// nearly every key and after every message of the month end, mostly over
// pixels that already show it; a redraw need only cover the part where
// something differs: what was drawn over the map since (the back buffer's own
// record, so no screen that draws over it has to say so) and the pieces whose
// pictures or places changed. The rest of the back buffer already holds what
// a whole redraw would put there.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/surface.h"

// A picture by what decides its pixels: the surface's serial (a picture read
// again from a changed file is a new surface) and its version. 0 for none.
struct PictureStamp {
  uint64_t serial = 0;
  uint32_t version = 0;
  bool operator==(const PictureStamp&) const = default;
};
using PictureRef = std::shared_ptr<const Surface>;
PictureStamp StampOf(const PictureRef& picture);

// One picture of the map layer (a city icon, the arrow) and where it lands.
struct MapPiece {
  PictureRef picture, mask;
  int owner = 0;      // an icon's city owner
  int64_t tint = -1;  // -1 untinted, else the colour, with kBandedTint added when banded
  int x = 0, y = 0;   // as PaintBmp takes them
  PixelBox box;       // the part of the back buffer it covers
  bool Same(const MapPiece& o) const {
    return StampOf(picture) == StampOf(o.picture) && StampOf(mask) == StampOf(o.mask) && tint == o.tint && x == o.x &&
           y == o.y && box == o.box;
  }
};
constexpr int64_t kBandedTint = int64_t{1} << 24;

// Everything the map screen's pixels follow.
struct MapScene {
  int width = 0, height = 0;  // the back buffer's
  PictureRef map, black, panel, portraits;
  int scrollX = 0, scrollY = 0;
  std::vector<MapPiece> icons;
  MapPiece arrow;
  // The side panel's inputs; it covers the column right of panelLeft.
  int panelLeft = 0;
  int year = 0, month = 0, portrait = 0, cities = 0, officers = 0, colorMode = 0;
  bool named = false;  // the cursor's cell has a name to show
  std::string name;
  bool SamePanel(const MapScene& o) const;
};

// What a draw has to cover: parts of the screen, apart from each other, each
// drawn as a whole redraw would draw it there, and whether the side panel's
// text and portrait are drawn (its column is then one of the parts).
struct MapRedraw {
  std::vector<PixelBox> parts;
  bool panel = false;
};

// Takes `cover` out of the parts, which stay apart from each other.
void Subtract(std::vector<PixelBox>& parts, const PixelBox& cover);

class MapFrame {
 public:
  // Every draw covers the whole screen (for the test that holds the two alike).
  static bool& AlwaysWhole();
  // What drawing `now` onto `back` has to cover.
  MapRedraw Needed(const Surface& back, const MapScene& now) const;
  // `now` is what `back` shows from here on.
  void Drawn(Surface& back, MapScene now);

 private:
  uint64_t surface_ = 0;
  uint64_t ticket_ = 0;
  MapScene scene_;
};
