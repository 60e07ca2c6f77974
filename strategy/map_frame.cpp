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
  PixelBoxes stale;
  const MapScene& was = scene_;
  bool known = !AlwaysWhole() && surface_ == back.Serial() && back.Watched(ticket_, stale);
  // The map picture, its scroll and the black bands lie under everything.
  if (!known || now.width != was.width || now.height != was.height || StampOf(now.map) != StampOf(was.map) ||
      StampOf(now.black) != StampOf(was.black) || now.scrollX != was.scrollX || now.scrollY != was.scrollY ||
      now.icons.size() != was.icons.size() || now.panelLeft != was.panelLeft)
    return MapRedraw{{screen}, true};
  for (size_t i = 0; i < now.icons.size(); ++i)
    if (!now.icons[i].Same(was.icons[i])) stale.Add(now.icons[i].box), stale.Add(was.icons[i].box);
  if (!now.arrow.Same(was.arrow)) stale.Add(now.arrow.box), stale.Add(was.arrow.box);
  // The panel's text and portrait start inside its column, which spans the
  // screen's height: drawn again whole, it covers everything it draws.
  PixelBox column{now.panelLeft, 0, back.Width(), back.Height()};
  PixelBox left{0, 0, now.panelLeft, back.Height()};
  MapRedraw redraw;
  redraw.panel = !now.SamePanel(was);
  for (int i = 0; i < stale.Count(); ++i) {
    redraw.panel = redraw.panel || !stale[i].Intersect(column).Empty();
    PixelBox part = stale[i].Intersect(left);
    if (!part.Empty()) redraw.parts.push_back(part);  // the boxes never overlap
  }
  if (redraw.panel) redraw.parts.push_back(column);
  return redraw;
}

void MapFrame::Drawn(Surface& back, MapScene now) {
  surface_ = back.Serial();
  ticket_ = back.StartWatch();
  scene_ = std::move(now);
}
