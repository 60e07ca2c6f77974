#pragma once
// Officer portraits: one painted face per officer, made from his record and
// seeded by his name, so the same man has the same face in every scenario.
#include <cstdint>
#include <memory>
#include <utility>
#include <string>
#include <vector>

#include "platform/surface.h"
#include "tools/resgen/common/paint.h"

constexpr int kPortraitSize = 120;
constexpr int kPortraitsPerRow = 10;
constexpr int kPortraitRecords = 300;

enum class PortraitRole { Ruler, Warrior, Strategist };

// What a man wears on his head. Only an emperor wears the bead-hung crown.
enum class Headgear {
  Auto,
  Helmet,
  PlumeHelmet,
  LionHelmet,
  Pheasant,
  Scholar,
  LordCap,
  OfficialCap,
  Crown,
  Southern,
  SouthernWoman,
  Woman,
  Headband,
  Kerchief,
  Topknot,
  Taoist,
  Hood,
  Count
};

// Hand-tuned features of a famous man (data/portraits.tsv); -1 (or Auto) leaves
// the feature to the generator. The numbers index the name lists of
// portraits_look.cpp, which the data file spells out.
struct PortraitLook {
  int crownedFrom = 0;  // the year he takes the imperial crown; 0 never
  int skin = -1, face = -1, eyes = -1, brows = -1, beard = -1, ears = -1, armour = -1, prop = -1, mark = -1;
  int beardColor = -1, hatColor = -1, robe = -1;  // colour names
  Headgear headgear = Headgear::Auto;
  bool tuned = false;  // listed in the data file
};

struct PortraitSubject {
  std::string name;  // UTF-8; the first character is his surname
  PortraitRole role = PortraitRole::Warrior;
  int age = 30;
  int force = 50;
  int intelligence = 50;
  int year = 0;     // the scenario's year (the crown depends on it)
  int variant = 0;  // picked so that no two men of a scenario look alike
  PortraitLook look;
};

// The headgear he is painted with: the crown for an emperor on his throne only,
// a lord's or official's cap (or his own headdress) for any other ruler.
Headgear HeadgearOf(const PortraitSubject& who);

// Reads data/portraits.tsv into looks by name; false (reported) on a bad line.
bool LoadPortraitLooks(const std::string& dataDir, std::vector<std::pair<std::string, PortraitLook>>& out);

// The four scenarios' tables made ready to paint: looks attached by name and a
// variant for every generated face, the same man keeping his variant in every
// scenario. tables[s] is scenario s + 1; a missing table stays empty.
constexpr float kDistinctFaces = 10.0f;  // the least PortraitDistance between two men of a scenario
struct PortraitTable;
bool PreparePortraitTables(const std::string& dataDir, const std::string& resDir, PortraitTable tables[4],
                           bool present[4]);

// FNV-1a of the name's bytes: the seed of every choice in his face.
uint32_t NameSeed(const std::string& name);

// Paints the portrait into a 120 x 120 surface (resized when it is not): his
// layer laid on the paper that is there, then the grain and his seal.
void PaintPortrait(Surface& cell, const PortraitSubject& who);
// The face on a layer of its own (colour and coverage), painted once and laid
// on any paper: the variant search compares it and the sheet shows it.
paint::Figure PaintPortraitLayer(const PortraitSubject& who);
void FinishPortrait(Surface& cell, const paint::Figure& layer, const PortraitSubject& who);  // a layer made above
// All that his painting depends on: two subjects with the same key paint the
// same pixels (the same man in two scenarios often does).
std::string PortraitPaintKey(const PortraitSubject& who);

// One scenario's officers as the tables give them; an entry with an empty
// name is an unused record and keeps plain paper.
struct PortraitTable {
  std::vector<PortraitSubject> subjects;  // indexed by heroId, 300 entries
  // The layers the variant search painted for the faces it chose, by heroId
  // (shared where two scenarios paint a man alike); empty where none is kept.
  std::vector<std::shared_ptr<const paint::Figure>> layers;
};

// Reads Res/Hero/hero<n>.kdt and heroname<n>.kss (GBK names) under resDir.
// Returns false when either file is missing.
bool ReadPortraitTable(const std::string& resDir, int scenarioNumber, PortraitTable& out);
// What of the officer tables the portraits follow (names, roles, ages, force and
// intelligence): the sheets need painting again only when it changes.
std::string PortraitSubjectsSummary(const std::string& resDir);

// The whole sheet: 10 portraits per row, 30 rows.
void PaintPortraitSheet(const PortraitTable& table, Surface& sheet);

// How far apart two faces look: the portraits painted on the same plain paper,
// averaged over 4 x 4 pixel blocks (so the grain does not count), and the mean
// absolute difference of the blocks' colour channels, 0..255.
constexpr int kSignatureBlock = 4;
std::vector<float> PortraitSignature(const PortraitSubject& who);
std::vector<float> LayerSignature(const paint::Figure& layer, const PortraitSubject& who);
std::vector<float> BlockSignature(const Surface& cell);  // of a 120 x 120 cell
float PortraitDistance(const std::vector<float>& a, const std::vector<float>& b);
// The lesser of `bound` and their distance, without summing past the bound.
float LesserPortraitDistance(const std::vector<float>& a, const std::vector<float>& b, float bound);
