#include "platform/text_memo.h"

#include <cstring>

namespace {

bool SameRows(const Surface& target, const TextMemo::Box& box, const std::vector<Pixel>& rows) {
  size_t width = static_cast<size_t>(box.x1 - box.x0);
  const Pixel* kept = rows.data();
  for (int y = box.y0; y < box.y1; ++y, kept += width)
    if (std::memcmp(target.Row(y) + box.x0, kept, width * sizeof(Pixel)) != 0) return false;
  return true;
}

}  // namespace

std::vector<Pixel> TextMemo::Read(const Surface& target, const Box& box) {
  size_t width = static_cast<size_t>(box.x1 - box.x0);
  std::vector<Pixel> rows(box.Pixels());
  Pixel* out = rows.data();
  for (int y = box.y0; y < box.y1; ++y, out += width) std::memcpy(out, target.Row(y) + box.x0, width * sizeof(Pixel));
  return rows;
}

bool TextMemo::Replay(const std::string& key, Surface& target, Drawn& drawn) {
  auto found = byKey_.find(key);
  if (found == byKey_.end()) return false;
  Entry& entry = *found->second;
  const Box& box = entry.drawn.box;
  if (!SameRows(target, box, entry.before)) return false;
  size_t width = static_cast<size_t>(box.x1 - box.x0);
  const Pixel* kept = entry.after.data();
  for (int y = box.y0; y < box.y1; ++y, kept += width) std::memcpy(target.Row(y) + box.x0, kept, width * sizeof(Pixel));
  drawn = entry.drawn;
  entries_.splice(entries_.begin(), entries_, found->second);
  return true;
}

void TextMemo::Keep(const std::string& key, const Surface& target, const Drawn& drawn, std::vector<Pixel> before) {
  auto found = byKey_.find(key);
  if (found != byKey_.end()) Drop(found->second);
  Entry entry;
  entry.key = key;
  entry.drawn = drawn;
  entry.before = std::move(before);
  entry.after = Read(target, drawn.box);
  if (entry.Bytes() > budget_) return;
  held_ += entry.Bytes();
  entries_.push_front(std::move(entry));
  byKey_[key] = entries_.begin();
  while (held_ > budget_) Drop(std::prev(entries_.end()));
}

void TextMemo::Drop(std::list<Entry>::iterator it) {
  held_ -= it->Bytes();
  byKey_.erase(it->key);
  entries_.erase(it);
}
