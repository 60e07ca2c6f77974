// Skill lists, preconditions, targets and the refusals the player sees.
#include <vector>

#include "tests/battle/battle_fixture.h"

namespace {
std::vector<int> Offered(FightHero& u) {
  u.SetSkillList();
  u.GetMenuSkill();
  return std::vector<int>(u.skills, u.skills + skillMenuCount);
}
}  // namespace

TEST_F(BattleTest, SkillListsFollowTroopStyleAndLevel) {
  NewBattle(1, 0);
  FightHero& u = fight->units[0];
  u.troopType = kInfantry;
  u.level = 1;
  EXPECT_EQ(Offered(u), (std::vector<int>{0}));
  u.level = 16;
  EXPECT_EQ(Offered(u), (std::vector<int>{0, 1, 2, 3}));
  u.troopType = kCavalry;
  u.heroStyle = 6;
  u.level = 11;
  EXPECT_EQ(Offered(u), (std::vector<int>{22, 24, 7, 8, 9}));
  u.level = 10;
  EXPECT_EQ(Offered(u), (std::vector<int>{22, 24, 7, 8}));
  u.heroStyle = 8;  // a ruler of style 3 keeps the single spying skill
  u.troopType = kMystic;
  u.level = 11;
  EXPECT_EQ(Offered(u), (std::vector<int>{24, 12, 13, 14, 15, 16}));
  EXPECT_EQ(u.skillMenu.visibleRows, 2);
  // Rebuilding never grows the list.
  u.SetSkillList();
  u.SetSkillList();
  EXPECT_EQ(u.skillCount, 10);
}

TEST_F(BattleTest, SkillMenuFileHoldsTwoCharacterNames) {
  NewBattle(1, 0);
  FightHero& u = fight->units[0];
  u.troopType = kArcher;
  u.SetSkillList();
  u.WriteSkilltoFile();
  std::ifstream in("Res/tmp.ktp");
  std::string first, second;
  std::getline(in, first);
  std::getline(in, second);
  EXPECT_EQ(first, "SK04");
  EXPECT_EQ(second, "SK05");
}

TEST_F(BattleTest, FireInRainIsRefusedBeforeAnyTarget) {
  NewBattle(1, 1);
  Place(0, 15, 15, kInfantry);
  Place(10, 15, 17, kInfantry);
  fight->units[0].skillPower = 50;
  fight->weather = kWeatherRain;
  MoveUnit(15, 15, 15, 15);
  ASSERT_EQ(fight->actionMenuOpen, 1);
  ChooseSkill(0);
  EXPECT_EQ(messageCode, kMessageWeather);
  EXPECT_EQ(fight->skillMode, 0);
  EXPECT_EQ(fight->actionMenuOpen, 1);
  EXPECT_EQ(fight->actionMenu.selected, kActionSkill);
  EXPECT_EQ(fight->units[0].skillPower, 50);
}

TEST_F(BattleTest, SiegeAtAVillageIsRefusedAtConfirmation) {
  NewBattle(1, 1);
  Place(0, 15, 15, kInfantry);
  Place(10, 15, 16, kInfantry);
  fight->units[0].level = 16;
  fight->units[0].skillPower = 50;
  fight->units[10].intelligence = 200;  // the ruse would surely succeed
  SetTile(15, 16, 4);
  MoveUnit(15, 15, 15, 15);
  ChooseSkill(3);
  ASSERT_EQ(fight->skillMode, 1);
  PutCursor(15, 16);
  Press(keyReturn);
  EXPECT_EQ(messageCode, kMessageTerrain);
  EXPECT_EQ(fight->skillMode, 1);
  EXPECT_EQ(fight->units[10].soldiers, 1000);
  EXPECT_EQ(fight->units[0].skillPower, 50);

  SetTile(15, 16, kCityTile);
  Press(keyReturn);
  EXPECT_EQ(fight->skillMode, 0);
  EXPECT_EQ(fight->units[10].soldiers, 600);
  EXPECT_EQ(fight->units[0].skillPower, 50 - 30);
  EXPECT_EQ(fight->units[0].canAct, 0);
}

TEST_F(BattleTest, HealingTargetsTheCasterButNotAnEnemy) {
  NewBattle(1, 1);
  Place(0, 15, 15, kMystic);
  Place(10, 15, 16, kInfantry);
  fight->units[0].level = 7;
  fight->units[0].skillPower = 50;
  fight->units[10].intelligence = 200;
  MoveUnit(15, 15, 15, 15);
  ChooseSkill(3);  // 12, 13, 14, 15
  ASSERT_EQ(fight->skillMode, 1);
  EXPECT_EQ(skillMap[15][15], 1);
  PutCursor(15, 16);
  Press(keyReturn);
  EXPECT_EQ(messageCode, kMessageInvalid);
  EXPECT_EQ(fight->units[0].skillPower, 50);
  PutCursor(15, 15);
  Press(keyReturn);
  EXPECT_EQ(fight->units[0].soldiers, 1800);
  EXPECT_EQ(fight->units[0].skillPower, 35);
  EXPECT_EQ(fight->units[0].experience, 8);
}

TEST_F(BattleTest, ZeroPercentAgainstTheTroopIsInvalidAndFree) {
  WriteSkillTable(0);
  NewBattle(1, 1);
  Place(0, 15, 15, kInfantry);
  Place(10, 15, 17, kNavy);
  fight->units[0].skillPower = 50;
  fight->units[0].intelligence = 0;
  fight->units[0].level = 0;           // roll below 25
  fight->units[10].intelligence = 60;  // threshold 32: the ruse succeeds
  fight->weather = 1;
  MoveUnit(15, 15, 15, 15);
  ChooseSkill(0);
  ASSERT_EQ(fight->skillMode, 1);
  PutCursor(15, 17);
  Press(keyReturn);
  EXPECT_EQ(messageCode, kMessageInvalid);
  EXPECT_EQ(fight->units[0].skillPower, 50);
  EXPECT_EQ(fight->units[0].canAct, 1);
  EXPECT_EQ(fight->skillMode, 1);
  EXPECT_EQ(fight->units[10].soldiers, 1000);
}

TEST_F(BattleTest, AFailedRuseStillCostsAndEndsTheTurn) {
  NewBattle(1, 1);
  Place(0, 15, 15, kInfantry);
  Place(10, 15, 17, kInfantry);
  fight->units[0].skillPower = 50;
  fight->units[0].intelligence = 200;
  fight->units[10].intelligence = 0;
  fight->units[10].level = 0;  // threshold 2 against a roll up to 225
  fight->weather = 1;
  SeedRandom(3);
  MoveUnit(15, 15, 15, 15);
  ChooseSkill(0);
  PutCursor(15, 17);
  Press(keyReturn);
  EXPECT_EQ(fight->units[10].soldiers, 1000);
  EXPECT_EQ(fight->units[0].skillPower, 35);
  EXPECT_EQ(fight->units[0].canAct, 0);
  EXPECT_EQ(fight->units[0].experience, 0);
}

TEST_F(BattleTest, SkillPatternsAndPreconditions) {
  NewBattle(1, 0);
  fight->SetAtSkill(10, 10, 0, 8);
  int count = 0;
  for (auto& row : skillMap)
    for (int v : row) count += v;
  EXPECT_EQ(count, 8);
  EXPECT_EQ(skillMap[10][12], 1);
  EXPECT_EQ(skillMap[11][11], 1);
  fight->SetAtSkill(10, 10, 0, 0);
  count = 0;
  for (auto& row : skillMap)
    for (int v : row) count += v;
  EXPECT_EQ(count, 24);
  fight->SetAtSkill(10, 10, 0, kSkillSpy);
  EXPECT_EQ(skillMap[10][11], 0);

  fight->weather = kWeatherWind;
  EXPECT_EQ(fight->WeatherOK(16), 0);
  EXPECT_EQ(fight->WeatherOK(0), 1);
  fight->weather = kWeatherIce;
  EXPECT_EQ(fight->WeatherOK(8), 1);
  EXPECT_EQ(fight->WeatherOK(12), 0);
  Place(0, 3, 3);
  selectedUnit = 0;
  EXPECT_EQ(fight->LandOK(1, 0), 0);
  SetTile(3, 3, 9);
  EXPECT_EQ(fight->LandOK(1, 0), 1);
}

TEST_F(BattleTest, SpyingResolvesOnceAndRevealsEnemyFood) {
  NewBattle(1, 1);
  Place(0, 15, 15, kInfantry);
  Place(10, 20, 20, kInfantry);
  fight->units[0].heroStyle = 3;
  fight->units[0].skillPower = 50;
  fight->units[0].intelligence = 0;
  fight->units[0].level = 0;
  fight->units[10].intelligence = 60;
  MoveUnit(15, 15, 15, 15);
  ChooseSkill(0);
  EXPECT_EQ(fight->viewState, kViewSpyResult);
  EXPECT_EQ(fight->enemyIntelKnown, 1);
  EXPECT_EQ(fight->units[0].experience, 8);
  EXPECT_EQ(fight->units[0].skillPower, 35);
  fight->Show(0);  // a further redraw of the same screen changes nothing
  EXPECT_EQ(fight->units[0].experience, 8);
  Press(keyUp);
  EXPECT_EQ(fight->viewState, kViewMap);
}
