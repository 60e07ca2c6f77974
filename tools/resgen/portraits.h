#pragma once
// Officer portraits: one painted face per officer, made from his record and
// seeded by his name, so the same man has the same face in every scenario.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/surface.h"

constexpr int kPortraitSize = 120;
constexpr int kPortraitsPerRow = 10;
constexpr int kPortraitRecords = 300;

enum class PortraitRole { Ruler, Warrior, Strategist };

struct PortraitSubject {
  std::string name;  // UTF-8; the first character is his surname
  PortraitRole role = PortraitRole::Warrior;
  int age = 30;
  int force = 50;
  int intelligence = 50;
};

// FNV-1a of the name's bytes: the seed of every choice in his face.
uint32_t NameSeed(const std::string& name);

// Paints the portrait into a 120 x 120 surface (resized when it is not).
void PaintPortrait(Surface& cell, const PortraitSubject& who);

// One scenario's officers as the tables give them; an entry with an empty
// name is an unused record and keeps plain paper.
struct PortraitTable {
  std::vector<PortraitSubject> subjects;  // indexed by heroId, 300 entries
};

// Reads Res/Hero/hero<n>.kdt and heroname<n>.kss (GBK names) under resDir.
// Returns false when either file is missing.
bool ReadPortraitTable(const std::string& resDir, int scenarioNumber, PortraitTable& out);

// The whole sheet: 10 portraits per row, 30 rows.
void PaintPortraitSheet(const PortraitTable& table, Surface& sheet);
