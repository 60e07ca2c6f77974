#pragma once
// Text drawn again at the same place over the same pixels comes out as the
// same pixels. The month end shows the same panels with the same words over
// and over (every ruler's "thinking" panel, every month), and blending the
// edges of large glyphs onto what lies under them is most of its drawing; a
// kept drawing is put back instead, when the pixels it would cover are those
// it was drawn over.
#include <cstddef>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/surface.h"

class TextMemo {
 public:
  // The pixels [x0, x1) x [y0, y1) of a surface, already clipped to it.
  struct Box {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    size_t Pixels() const { return static_cast<size_t>(x1 - x0) * static_cast<size_t>(y1 - y0); }
  };

  // What a drawing reached: the pixels it may change, and what the caller
  // reports of it (the text's advance and the part it marks changed).
  struct Drawn {
    Box box;
    int advance = 0;
    Box changed;  // unclipped
  };

  explicit TextMemo(size_t budgetBytes) : budget_(budgetBytes) {}

  // When the drawing `key` was kept and the target's pixels in its box are
  // those it was drawn over, writes the drawn pixels, fills `drawn` and
  // returns true. The key must name everything the drawing follows besides
  // the pixels under it.
  bool Replay(const std::string& key, Surface& target, Drawn& drawn);
  // Keeps the drawing: `before` holds the box's pixels (row by row) before it
  // was drawn, the target holds them after.
  void Keep(const std::string& key, const Surface& target, const Drawn& drawn, std::vector<Pixel> before);
  // The box's pixels, row by row (for `before`).
  static std::vector<Pixel> Read(const Surface& target, const Box& box);
  size_t HeldBytes() const { return held_; }

 private:
  struct Entry {
    std::string key;
    Drawn drawn;
    std::vector<Pixel> before, after;
    size_t Bytes() const { return (before.size() + after.size()) * sizeof(Pixel) + key.size(); }
  };
  void Drop(std::list<Entry>::iterator it);

  size_t budget_;
  size_t held_ = 0;
  std::list<Entry> entries_;  // most recently used first
  std::unordered_map<std::string, std::list<Entry>::iterator> byKey_;
};
