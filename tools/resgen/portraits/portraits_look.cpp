// The hand-tuned looks of the famous (data/portraits.tsv), the headgear by rank,
// and the choice of a variant for every other face so that no two men of a
// scenario look alike.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>

#include "platform/files.h"
#include "tools/resgen/portraits/portraits.h"
#include "tools/resgen/portraits/portraits_look.h"
#include "tools/resgen/common/resgen_io.h"

namespace {

constexpr int kScenarioYears[4] = {190, 198, 208, 225};
constexpr int kMaxVariants = 40;

int IndexIn(const std::vector<std::string>& names, const std::string& cell) {
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == cell) return static_cast<int>(i);
  return -2;  // not a known word
}

// A face's signature with the sums of its blocks over wider squares, coarse
// first: the sum of differences of such sums is never more than that of the
// blocks themselves, so a pair whose coarse sums already lie as far apart as
// the nearest face so far needs no closer look. The signature's values are
// multiples of 1/16 and every sum here stays exact in a float.
constexpr int kSignatureSide = kPortraitSize / kSignatureBlock;
constexpr int kGroupSides[] = {6, 2};
struct SearchSignature {
  std::vector<float> fine;
  std::vector<float> groups[std::size(kGroupSides)];
};

SearchSignature MakeSearchSignature(std::vector<float> fine) {
  SearchSignature sig;
  for (size_t level = 0; level < std::size(kGroupSides); ++level) {
    int g = kGroupSides[level], n = kSignatureSide / g;
    std::vector<float>& out = sig.groups[level];
    out.assign(static_cast<size_t>(n) * n * 3, 0.0f);
    for (int y = 0; y < kSignatureSide; ++y)
      for (int x = 0; x < kSignatureSide; ++x)
        for (int ch = 0; ch < 3; ++ch)
          out[((y / g) * n + x / g) * 3 + ch] += fine[(static_cast<size_t>(y) * kSignatureSide + x) * 3 + ch];
  }
  sig.fine = std::move(fine);
  return sig;
}

// The lesser of `bound` and their distance, as LesserPortraitDistance gives it.
float LesserDistance(const SearchSignature& a, const SearchSignature& b, float bound) {
  for (size_t level = 0; level < std::size(kGroupSides); ++level) {
    const std::vector<float>& x = a.groups[level];
    const std::vector<float>& y = b.groups[level];
    float sum = 0;
    for (size_t i = 0; i < x.size(); ++i) sum += std::abs(x[i] - y[i]);
    if (static_cast<double>(sum) / a.fine.size() >= bound) return bound;
  }
  return LesserPortraitDistance(a.fine, b.fine, bound);
}

}  // namespace

const std::vector<std::string>& LookWords(LookField field) {
  static const std::vector<std::string> kWords[] = {
      {"fair", "warm", "tan", "pale", "red", "dark", "sallow", "bronze"},
      {"oval", "round", "long", "square", "broad", "fat", "lean"},
      {"calm", "phoenix", "round", "narrow", "bright", "blue", "fierce", "gentle"},
      {"sword", "silkworm", "bristle", "thin", "knit", "white"},
      {"none", "moustache", "goatee", "short", "full", "bristle", "long", "curly", "forked"},
      {"small", "large"},
      {"none", "iron", "silver", "gold", "leather", "lion", "bare"},
      {"none", "fan", "whisk", "blade", "halberd", "sword", "book", "spear", "axe", "knives", "staff"},
      {"none", "eyepatch", "scar", "bells", "flower", "paint", "blind"},
      {"red", "crimson", "green", "black", "white", "blue", "azure", "yellow", "purple", "grey", "gold", "silver",
       "brown", "ochre", "teal", "pink", "orange", "jade", "violet"},
      {"auto", "helmet", "plume", "lion", "pheasant", "scholar", "lord", "official", "crown", "southern",
       "southern-woman", "woman", "headband", "kerchief", "topknot", "taoist", "hood"},
  };
  return kWords[static_cast<int>(field)];
}

Pixel LookColour(int index) {
  static const Pixel kColours[] = {Rgb(176, 44, 34),   Rgb(128, 28, 36),   Rgb(46, 112, 70),  Rgb(34, 32, 34),
                                   Rgb(234, 232, 222), Rgb(38, 70, 130),   Rgb(80, 130, 170), Rgb(206, 162, 52),
                                   Rgb(104, 56, 112),  Rgb(120, 120, 118), Rgb(200, 160, 70), Rgb(188, 192, 198),
                                   Rgb(112, 72, 44),   Rgb(176, 126, 60),  Rgb(44, 110, 112), Rgb(214, 140, 150),
                                   Rgb(206, 110, 40),  Rgb(96, 150, 110),  Rgb(92, 70, 150)};
  constexpr int n = sizeof(kColours) / sizeof(kColours[0]);
  return kColours[((index % n) + n) % n];
}

Headgear HeadgearOf(const PortraitSubject& who) {
  const PortraitLook& look = who.look;
  if (who.role == PortraitRole::Ruler) {
    if (look.crownedFrom > 0 && who.year >= look.crownedFrom) return Headgear::Crown;
    // A ruler of his own people keeps their headdress; every other ruler a cap of office.
    if (look.headgear == Headgear::Southern || look.headgear == Headgear::OfficialCap) return look.headgear;
    return Headgear::LordCap;
  }
  if (look.headgear == Headgear::Crown) return Headgear::LordCap;
  return look.headgear;  // Auto: the painter picks by calling
}

bool LoadPortraitLooks(const std::string& dataDir, std::vector<std::pair<std::string, PortraitLook>>& out) {
  // Without the file every face is generated.
  if (!FileExists(JoinPath(dataDir, "portraits.tsv"))) return true;
  TsvTable t;
  if (!ReadTsv(JoinPath(dataDir, "portraits.tsv"), t)) return false;
  struct Col {
    const char* name;
    LookField field;
    int PortraitLook::*member;
  };
  const Col cols[] = {
      {"skin", LookField::Skin, &PortraitLook::skin},    {"face", LookField::Face, &PortraitLook::face},
      {"eyes", LookField::Eyes, &PortraitLook::eyes},    {"brows", LookField::Brows, &PortraitLook::brows},
      {"beard", LookField::Beard, &PortraitLook::beard}, {"beardColor", LookField::Colour, &PortraitLook::beardColor},
      {"ears", LookField::Ears, &PortraitLook::ears},    {"hat", LookField::Colour, &PortraitLook::hatColor},
      {"robe", LookField::Colour, &PortraitLook::robe},  {"armour", LookField::Armour, &PortraitLook::armour},
      {"prop", LookField::Prop, &PortraitLook::prop},    {"mark", LookField::Mark, &PortraitLook::mark}};
  int nameCol = t.Column("name"), crownCol = t.Column("crowned"), hgCol = t.Column("headgear");
  bool ok = nameCol >= 0 && crownCol >= 0 && hgCol >= 0;
  int colIndex[sizeof(cols) / sizeof(cols[0])];
  for (size_t k = 0; k < sizeof(cols) / sizeof(cols[0]); ++k) {
    colIndex[k] = t.Column(cols[k].name);
    ok = ok && colIndex[k] >= 0;
  }
  if (!ok) return false;
  for (const SourceRow& row : t.rows) {
    PortraitLook look;
    look.tuned = true;
    const std::string& name = t.Cell(row, nameCol);
    const std::string& crowned = t.Cell(row, crownCol);
    if (crowned != "-" && !t.Int(row, crownCol, look.crownedFrom)) ok = false;
    for (size_t k = 0; k < sizeof(cols) / sizeof(cols[0]); ++k) {
      const std::string& cell = t.Cell(row, colIndex[k]);
      if (cell == "-") continue;
      int v = IndexIn(LookWords(cols[k].field), cell);
      if (v < 0) {
        ReportError(t.path, row.line, name + ": \"" + cell + "\" is not a " + cols[k].name + " the painter knows");
        ok = false;
        continue;
      }
      look.*cols[k].member = v;
    }
    const std::string& hg = t.Cell(row, hgCol);
    if (hg != "-") {
      int v = IndexIn(LookWords(LookField::Headgear), hg);
      if (v < 0) {
        ReportError(t.path, row.line, name + ": \"" + hg + "\" is not a headgear the painter knows");
        ok = false;
      } else {
        look.headgear = static_cast<Headgear>(v);
      }
    }
    for (const auto& seen : out)
      if (seen.first == name) {
        ReportError(t.path, row.line, name + " is listed twice");
        ok = false;
      }
    out.emplace_back(name, look);
  }
  return ok;
}

bool PreparePortraitTables(const std::string& dataDir, const std::string& resDir, PortraitTable tables[4],
                           bool present[4]) {
  std::vector<std::pair<std::string, PortraitLook>> looks;
  bool ok = LoadPortraitLooks(dataDir, looks);
  std::map<std::string, PortraitLook> byName(looks.begin(), looks.end());
  for (int s = 0; s < 4; ++s) {
    present[s] = ReadPortraitTable(resDir, s + 1, tables[s]);
    if (!present[s]) continue;
    tables[s].layers.assign(tables[s].subjects.size(), nullptr);
    for (PortraitSubject& who : tables[s].subjects) {
      who.year = kScenarioYears[s];
      auto it = byName.find(who.name);
      if (it != byName.end()) who.look = it->second;
    }
  }
  // Man by man, the famous first (their looks are fixed), then by first
  // appearance: each takes the first variant that stands clear of everyone
  // already painted in every scenario he appears in, and keeps it everywhere.
  struct Man {
    std::vector<std::pair<int, int>> at;  // (scenario, record)
    bool tuned = false;
  };
  std::vector<std::string> names;
  std::map<std::string, Man> men;
  for (int s = 0; s < 4; ++s)
    if (present[s])
      for (int id = 0; id < kPortraitRecords; ++id) {
        const PortraitSubject& who = tables[s].subjects[id];
        if (who.name.empty()) continue;
        if (!men.count(who.name)) names.push_back(who.name);
        men[who.name].at.emplace_back(s, id);
        men[who.name].tuned = who.look.tuned;
      }
  std::stable_sort(names.begin(), names.end(),
                   [&](const std::string& a, const std::string& b) { return men[a].tuned && !men[b].tuned; });
  std::vector<SearchSignature> painted[4];
  for (const std::string& name : names) {
    const Man& man = men[name];
    int best = 0;
    float bestDistance = -1;
    std::vector<SearchSignature> bestSigs;
    std::vector<std::shared_ptr<const paint::Figure>> bestLayers;
    for (int v = 0; v < kMaxVariants; ++v) {
      float least = 1e9f;
      std::vector<SearchSignature> sigs;
      std::vector<std::shared_ptr<const paint::Figure>> layers;
      std::vector<std::string> keys;
      for (const auto& [s, id] : man.at) {
        PortraitSubject& who = tables[s].subjects[id];
        who.variant = v;
        // A variant no better than the best so far is not taken, whatever the
        // other scenarios say (least only falls): they are not painted.
        if (least <= bestDistance) break;
        keys.push_back(PortraitPaintKey(who));
        size_t same = std::find(keys.begin(), keys.end(), keys.back()) - keys.begin();
        if (same + 1 < keys.size()) {
          sigs.push_back(sigs[same]);
          layers.push_back(layers[same]);
        } else {
          layers.push_back(std::make_shared<const paint::Figure>(PaintPortraitLayer(who)));
          sigs.push_back(MakeSearchSignature(LayerSignature(*layers.back(), who)));
        }
        for (const auto& other : painted[s]) {
          least = LesserDistance(sigs.back(), other, least);
          if (least <= bestDistance) break;
        }
      }
      if (least > bestDistance) {
        bestDistance = least;
        best = v;
        bestSigs = std::move(sigs);
        bestLayers = std::move(layers);
      }
      if (least >= kDistinctFaces * 1.1f) break;
    }
    for (size_t k = 0; k < man.at.size(); ++k) {
      auto [s, id] = man.at[k];
      tables[s].subjects[id].variant = best;
      tables[s].layers[id] = std::move(bestLayers[k]);
      painted[s].push_back(std::move(bestSigs[k]));
    }
  }
  return ok;
}
