// The data resgen reads against the rule tables the game plays by: roads and
// the battle's direction look-up, the terrain the battle reads from each map
// square, the skill costs, and the order menus.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <vector>

#include "rules/battle_maps.h"
#include "rules/directions.h"
#include "rules/orders.h"
#include "rules/skills.h"
#include "rules/terrain.h"
#include "tests/resgen/world_test_util.h"
#include "tools/resgen/world/world_data.h"
#include "tools/resgen/world/world_lists.h"

namespace {

TEST(RulesData, EveryRoadIsFoundByTheBattlesDirectionLookUp) {
  QuietErrors quiet;
  World world;
  ASSERT_TRUE(LoadWorld(SourceData(), world)) << quiet.All();
  int tableEntries = 0;
  for (const auto& row : kAttackDirectionTable)
    for (int number : row) tableEntries += number != 0;
  EXPECT_EQ(2 * static_cast<int>(world.links.size()), tableEntries);
  for (const CityLink& l : world.links) {
    EXPECT_EQ(TableDirection(l.from, l.to + 1), l.direction) << l.from << " -> " << l.to;
    EXPECT_NE(TableDirection(l.to, l.from + 1), kNoDirection) << l.to << " -> " << l.from;
  }
}

TEST(RulesData, TheBattleReadsEachMapSquareAsDrawn) {
  const std::map<char, int> kDrawn = {{'.', kPlain},  {',', kGrass},    {'C', kCity},  {'v', kVillage},
                                      {'f', kForest}, {'^', kMountain}, {'~', kRiver}, {'c', kCamp}};
  QuietErrors quiet;
  BattleMap maps[kBattleMapCount];
  ASSERT_TRUE(LoadBattleMaps(SourceData(), maps)) << quiet.All();
  for (const BattleMap& map : maps) {
    std::vector<SourceRow> rows;
    ASSERT_TRUE(ReadLineFile(map.file, rows));
    ASSERT_EQ(static_cast<int>(rows.size()), kBattleRows) << map.file;
    for (int r = 0; r < kBattleRows; ++r)
      for (int c = 0; c < kBattleCols; ++c)
        EXPECT_EQ(TerrainKindOfTile(map.tiles[r][c]), kDrawn.at(rows[r].cells[0][c]))
            << map.file << " " << r << "," << c;
  }
}

TEST(RulesData, SkillCostsListedForReadingAreTheBattles) {
  QuietErrors quiet;
  SkillTable skills;
  ASSERT_TRUE(LoadSkills(SourceData(), skills)) << quiet.All();
  ASSERT_EQ(static_cast<int>(skills.rows.size()), kSkillCount);
  for (int s = 0; s < kSkillCount; ++s)
    EXPECT_EQ(skills.rows[s].values[kSkillCostColumn], SkillCost(s)) << skills.rows[s].name;
}

TEST(RulesData, OrderMenusListTheOrdersOfTheirRange) {
  struct Menu {
    const char* source;
    Order first;
    Order last;
  };
  const Menu kMenus[] = {{"neizhen.txt", kFirstInteriorOrder, Order::kMove},
                         {"waijiao.txt", kFirstDiplomacyOrder, Order::kCallToSubmit},
                         {"junbei.txt", kFirstArmamentOrder, Order::kWar}};
  for (const Menu& m : kMenus) {
    const MenuList* list = nullptr;
    for (int i = 0; i < kMenuListCount; ++i)
      if (std::strcmp(kMenuLists[i].source, m.source) == 0) list = &kMenuLists[i];
    ASSERT_NE(list, nullptr) << m.source;
    EXPECT_EQ(list->entries, OrderNumber(m.last) - OrderNumber(m.first) + 1) << m.source;
  }
}

}  // namespace
