#include "strategy/map_frame.h"

PictureStamp StampOf(const PictureRef& picture) {
  return picture ? PictureStamp{picture->Serial(), picture->Version()} : PictureStamp{};
}

bool MapScene::SamePanel(const MapScene& o) const {
  return StampOf(panel) == StampOf(o.panel) && StampOf(portraits) == StampOf(o.portraits) && panelLeft == o.panelLeft &&
         year == o.year && month == o.month && portrait == o.portrait && cities == o.cities && officers == o.officers &&
         colorMode == o.colorMode && named == o.named && name == o.name;
}

void Subtract(std::vector<PixelBox>& parts, const PixelBox& cover) {
  if (cover.Empty()) return;
  std::vector<PixelBox> left;
  for (const PixelBox& p : parts) {
    PixelBox c = p.Intersect(cover);
    if (c.Empty()) {
      left.push_back(p);
      continue;
    }
    // What lies above, below, left and right of the cover.
    const PixelBox pieces[] = {
        {p.x0, p.y0, p.x1, c.y0}, {p.x0, c.y1, p.x1, p.y1}, {p.x0, c.y0, c.x0, c.y1}, {c.x1, c.y0, p.x1, c.y1}};
    for (const PixelBox& piece : pieces)
      if (!piece.Empty()) left.push_back(piece);
  }
  parts = std::move(left);
}

bool& MapFrame::AlwaysWhole() {
  static bool whole = false;
  return whole;
}

MapRedraw MapFrame::Needed(const Surface& back, const MapScene& now) const {
  PixelBox screen{0, 0, back.Width(), back.Height()};
  PixelBox over;
  const MapScene& was = scene_;
  bool known = !AlwaysWhole() && surface_ == back.Serial() && back.Watched(ticket_, over);
  // The map picture, its scroll and the black bands lie under everything.
  if (!known || now.width != was.width || now.height != was.height || StampOf(now.map) != StampOf(was.map) ||
      StampOf(now.black) != StampOf(was.black) || now.scrollX != was.scrollX || now.scrollY != was.scrollY ||
      now.icons.size() != was.icons.size() || now.panelLeft != was.panelLeft)
    return MapRedraw{screen, true};
  PixelBox map = over;
  for (size_t i = 0; i < now.icons.size(); ++i)
    if (!now.icons[i].Same(was.icons[i])) map = map.Union(now.icons[i].box).Union(was.icons[i].box);
  if (!now.arrow.Same(was.arrow)) map = map.Union(now.arrow.box).Union(was.arrow.box);
  // The panel's text and portrait start inside its column, which spans the
  // screen's height: drawn again whole, it covers everything it draws.
  PixelBox column{now.panelLeft, 0, back.Width(), back.Height()};
  bool panel = !now.SamePanel(was) || !map.Intersect(column).Empty();
  map = map.Intersect(PixelBox{0, 0, now.panelLeft, back.Height()});
  return MapRedraw{map, panel};
}

void MapFrame::Drawn(Surface& back, MapScene now) {
  surface_ = back.Serial();
  ticket_ = back.StartWatch();
  scene_ = std::move(now);
}
