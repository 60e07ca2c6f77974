// The computer's attacks and skills: when it casts, what a cast may do, and
// what a hit takes and gives.
#include "tests/battle/battle_fixture.h"

namespace {
// A state of the generator whose next draw modulo `m` is (or is not) zero.
uint32_t StateWithFirstDraw(int m, bool zero, uint32_t from = 1) {
  for (uint32_t s = from;; ++s) {
    SetRandomState(s);
    bool isZero = Rand() % m == 0;
    if (isZero == zero) return s;
  }
}
}  // namespace

TEST_F(BattleTest, ComputerUnitWithoutIntelligenceCastsOnlyOnADrawOfZero) {
  auto setUp = [&]() {
    NewBattle(1, 1, 0);
    Place(0, 10, 12);  // two squares away: in reach of skill 0, out of the infantry's attack
    Place(10, 10, 10);
    FightHero& caster = fight->units[10];
    caster.intelligence = 0;
    caster.soldiers = 1;  // the strength draw almost never holds it back
    caster.skillPower = 100;
    targetUnit = 10;
  };
  for (uint32_t from = 1, tries = 0; tries < 20; ++tries) {
    uint32_t s = StateWithFirstDraw(150, false, from);
    from = s + 1;
    setUp();
    SetRandomState(s);
    EXPECT_EQ(fight->AISkillEnable(), 0);
    EXPECT_EQ(fight->units[0].soldiers, 1000);
  }
  setUp();
  SetRandomState(StateWithFirstDraw(150, true));
  EXPECT_EQ(fight->AISkillEnable(), 1);
  EXPECT_LT(fight->units[0].soldiers, 1000);
  EXPECT_EQ(fight->units[10].skillPower, 100);  // the computer never pays
}

TEST_F(BattleTest, ComputerSkillPreconditionsMountainAndSkillPower) {
  NewBattle(1, 1, 0);
  Place(10, 10, 10);
  targetUnit = 10;
  EXPECT_EQ(fight->AILandOK(1), 0);
  EXPECT_EQ(fight->AILandOK(2), 0);
  EXPECT_EQ(fight->AILandOK(0), 1);
  SetTile(10, 10, 6);
  EXPECT_EQ(fight->AILandOK(1), 1);
  EXPECT_EQ(fight->AILandOK(2), 1);
  SetTile(10, 10, 15);
  EXPECT_EQ(fight->AILandOK(2), 1);
  // Skill 3 wants a city under its target from the player, not from the computer.
  EXPECT_EQ(fight->AILandOK(3), 1);

  fight->units[10].skillPower = 14;
  EXPECT_EQ(fight->AISkillOK(0), 0);  // costs 15
  EXPECT_EQ(fight->AICanUseSkill(0), 0);
  fight->units[10].skillPower = 15;
  EXPECT_EQ(fight->AISkillOK(0), 1);
  fight->weather = kWeatherRain;
  EXPECT_EQ(fight->AICanUseSkill(0), 0);
}

TEST_F(BattleTest, AStatusSkillCastByTheComputerOnlyGivesExperience) {
  for (int skill : {12, 13, 14, 18, 23}) {
    NewBattle(1, 1, 0);
    Place(0, 10, 12);
    Place(10, 10, 10, kMystic);
    fight->units[10].skillPower = 100;
    targetUnit = 10;
    aiTarget = 0;
    int total = fight->ownSoldierTotal;
    EXPECT_EQ(fight->AICountSkillHurtBefore(0, skill), -1);
    fight->AICountSkillHurt(skill);
    EXPECT_EQ(fight->units[0].unitStatus, kStatusNormal) << skill;
    EXPECT_EQ(fight->units[0].soldiers, 1000);
    EXPECT_EQ(fight->ownSoldierTotal, total);
    EXPECT_EQ(fight->units[10].skillPower, 100);
    EXPECT_EQ(fight->units[10].experience, 2);  // GetExp(0) against a unit of equal level
    EXPECT_EQ(lastExp, 2);
    EXPECT_EQ(targetUnit, 10);  // the acting unit is still the acting unit
  }
}

TEST_F(BattleTest, AComputerHitIsCappedAtTheTargetsSoldiers) {
  NewBattle(2, 1, 0);
  Place(0, 20, 20);
  Place(1, 10, 11);
  Place(10, 10, 10);
  fight->units[1].soldiers = 5;
  fight->ownSoldierTotal = 1005;
  targetUnit = 10;
  aiTarget = 1;
  ASSERT_GT(fight->AICountAtHurtBefore(1), 5);
  fight->AICountAtHurt();
  EXPECT_EQ(fight->units[1].soldiers, 0);
  EXPECT_EQ(fight->units[1].unitStatus, kStatusBeaten);
  EXPECT_EQ(fight->ownSoldierTotal, 1000);
  EXPECT_EQ(fight->units[0].soldiers, 1000);

  // A damage skill (power 400 in the fixture's table) is capped the same way.
  Place(0, 10, 12);
  fight->units[0].soldiers = 7;
  aiTarget = 0;
  ASSERT_EQ(fight->AICountSkillHurtBefore(0, 0), 400);
  fight->AICountSkillHurt(0);
  EXPECT_EQ(fight->units[0].soldiers, 0);
  EXPECT_EQ(fight->ownSoldierTotal, 993);
}

TEST_F(BattleTest, ABlowTakesTheSameWhicheverSideStrikesIt) {
  NewBattle(1, 1, 0);
  Place(0, 10, 11);
  Place(10, 10, 10);
  fight->ownSoldierTotal = fight->enemySoldierTotal = 1000;
  HitOutcome byPlayer = fight->StrikeUnit(0, 10, fight->enemySoldierTotal);
  fight->units[10].soldiers = 1000;
  fight->units[10].experience = 0;
  HitOutcome byComputer = fight->StrikeUnit(10, 0, fight->ownSoldierTotal);
  EXPECT_GT(byPlayer.loss, 0);
  EXPECT_EQ(byComputer.loss, byPlayer.loss);
  EXPECT_EQ(byComputer.gain, byPlayer.gain);
  EXPECT_EQ(fight->enemySoldierTotal, 1000 - byPlayer.loss);
  EXPECT_EQ(fight->ownSoldierTotal, 1000 - byComputer.loss);
  EXPECT_EQ(fight->units[0].soldiers, 1000 - byComputer.loss);
  EXPECT_EQ(fight->units[10].experience, fight->units[0].experience);
}

TEST_F(BattleTest, AComputerUnitLevelsUpFromItsHitsAndRefillsOnlyItself) {
  NewBattle(1, 1, 0);
  Place(0, 10, 11);
  Place(10, 10, 10);
  FightHero& a = fight->units[10];
  a.experience = 99;
  a.life = 0;
  a.skillPower = 0;
  fight->units[0].skillPower = 3;
  targetUnit = 10;
  aiTarget = 0;
  fight->AICountAtHurt();
  EXPECT_EQ(a.level, 2);
  EXPECT_LT(a.experience, 100);
  EXPECT_EQ(a.life, a.LifeFormula());
  EXPECT_EQ(a.skillPower, a.SkillPowerCeiling());
  EXPECT_GT(a.skillPower, 0);
  EXPECT_EQ(fight->units[0].skillPower, 3);
  EXPECT_EQ(fight->units[0].level, 1);
}

TEST_F(BattleTest, EndingTheDayLetsTheComputerAct) {
  NewBattle(1, 2, 1);
  Place(0, 10, 10);
  Place(10, 10, 13);
  Place(11, 25, 25);
  fight->units[0].soldiers = 3000;
  fight->ownSoldierTotal = 3000;
  fight->escMenuOpen = 1;
  fight->escMenu.selected = kEscEndDay;
  EXPECT_EQ(fight->KeyDown(keyReturn), 0);
  EXPECT_LT(fight->units[0].soldiers, 3000);
  EXPECT_EQ(fight->ownSoldierTotal, fight->units[0].soldiers);
  // The far unit walked towards the commander.
  EXPECT_LT(fight->units[11].row + fight->units[11].col, 50);
}
