// After a battle, a march or an automatic war: what returns to the records,
// who holds the city, who is captured or flees, and what becomes of rulers.
#include <cstring>

#include "tests/war/war_fixture.h"

namespace {

class Aftermath : public WarTest {
 protected:
  void SetUp() override {
    WarTest::SetUp();
    Enlist(7, 17, 2, 60, 500);
    Enlist(16, 17, 2, 75, 800);
    Hero(16).heroId = 16;
  }
  // Seeds so that the next capture roll (rand() % 100) comes out as `roll`.
  void NextRoll(int roll) {
    SeedFor([roll] { return Rand() % 100 == roll; });
  }
};

// Food is never made: the defenders fed on the city's store, so what they
// have left is the store now, and the attackers' leftover comes on top of it,
// whoever won. A negative leftover counts as none.
TEST_F(Aftermath, TheCityKeepsWhatBothArmiesLeftAndNoMore) {
  struct Case {
    int warType, result, ownFood, enemyFood, cityFood;
  };
  const Case cases[] = {
      {0, -1, -50, 300, 300},                         // the player's attack failed: the defenders kept 300
      {0, -1, 0, -1, 0},      {0, -2, 120, 80, 200},  // the player took the city: both leftovers are in it
      {1, -2, 700, 40, 740},                          // the player held: his 700 of the store and the attackers' 40
      {1, -1, -5, 60, 60},
  };
  for (const Case& c : cases) {
    SetUp();
    City(3).ownerId = 17;  // somewhere to flee to, so no faction falls
    City(2).food = 5000;
    City(1).food = 5000;
    if (c.warType == 1) {
      Battle(1, {1}, {7}, c.ownFood, c.enemyFood);
      map->AfterWar(c.result, 2, 1);
      EXPECT_EQ(City(1).food, c.cityFood) << c.ownFood << " " << c.enemyFood;
    } else {
      Battle(0, {0}, {7}, c.ownFood, c.enemyFood);
      map->AfterWar(c.result, 0, 2);
      EXPECT_EQ(City(2).food, c.cityFood) << c.ownFood << " " << c.enemyFood;
    }
    TakeQuit();
  }
  // Nothing happens for a result of 0.
  City(2).food = 900;
  map->AfterWar(0, 0, 2);
  EXPECT_EQ(City(2).food, 900);
}

TEST_F(Aftermath, WonAttackMovesEveryUnitInAndTheSmartestGoverns) {
  City(3).ownerId = 17;       // ruler 17 keeps another city, so his officers may flee there
  Enlist(20, 6, 0, 85, 0);    // a beaten unit: no soldiers left, still moves in
  Enlist(21, 6, 0, 85, 300);  // as clever as 20 but in a later slot
  Hero(0).intelligence = 70;
  Battle(0, {0, 20, 21}, {16, 7}, 100, 100);
  map->fight.units[1].soldiers = 0;
  map->fight.units[0].level = 9;
  map->fight.units[0].experience = 77;
  int cities = map->playerCityCount;
  NextRoll(99);  // 7 (intelligence 60) is captured ...
  map->AfterWar(-2, 0, 2);
  EXPECT_EQ(City(2).ownerId, 6);
  EXPECT_EQ(City(2).governorId, 21);  // officer 20: ties keep the earlier slot
  for (int h : {0, 20, 21}) EXPECT_EQ(Hero(h).cityNo, 3) << h;
  EXPECT_EQ(Hero(20).soldiers, 0);
  EXPECT_EQ(Hero(0).level, 9);
  EXPECT_EQ(Hero(0).experience, 77);
  EXPECT_EQ(map->playerCityCount, cities + 1);
  EXPECT_EQ(warOutcomeCode, 4);
  EXPECT_EQ(capturedCount, 0);  // cleared when the aftermath ends
  EXPECT_EQ(Hero(7).heroOwnerId, 317);
  EXPECT_EQ(Hero(7).soldiers, 0);
  EXPECT_EQ(Hero(7).cityNo, 3);
}

TEST_F(Aftermath, LastCityLostMakesEveryOfficerInItACaptiveAndTheFactionFalls) {
  // Ruler 17 holds only city 2; city 3 is ownerless, so the player wins the campaign.
  Enlist(9, 17, 3, 50, 100);  // his officer away from home serves nobody afterwards
  Battle(0, {0}, {16}, 0, 0);
  map->AfterWar(-2, 0, 2);
  EXPECT_EQ(Hero(9).heroOwnerId, 0);
  EXPECT_EQ(Hero(9).cityNo, 4);
  EXPECT_EQ(Hero(16).heroOwnerId, 317);
  EXPECT_EQ(Hero(7).heroOwnerId, 317);
  EXPECT_EQ(Hero(16).cityNo, 3);
  EXPECT_EQ(Hero(7).cityNo, 3);
  EXPECT_EQ(rulerFate, 2);
  EXPECT_TRUE(TakeQuit());  // "我军大获全胜"
}

// Another faction's ruler who happened to stand in the captured city (he
// kept his own faction when the city rose for a rebel, say) is succeeded like
// the city's own ruler, and the city's ruler, still free, keeps his throne.
TEST_F(Aftermath, AVisitingRulerTakenCaptiveIsSucceededToo) {
  City(10).ownerId = 17;                               // somewhere for ruler 17's people to flee to
  Hero(16).intelligence = Hero(7).intelligence = 200;  // they always escape
  Enlist(30, 31, 2, -1, 100);                          // ruler 31, always taken
  Enlist(31, 31, 3, 40, 100);                          // his officer at home in city 3
  City(3).ownerId = 31;
  Battle(0, {0}, {16, 7}, 0, 0);
  map->AfterWar(-2, 0, 2);
  EXPECT_EQ(Hero(30).heroOwnerId, 331);
  EXPECT_EQ(Hero(31).heroOwnerId, 32);  // the new ruler of the faction
  EXPECT_EQ(City(3).ownerId, 32);
  EXPECT_EQ(Hero(16).heroOwnerId, 17);  // ruler 17 was not taken and still reigns
  EXPECT_EQ(City(10).ownerId, 17);
  EXPECT_EQ(City(2).ownerId, 6);
}

TEST_F(Aftermath, CaptureRollsAtIntelligenceZeroAndNinetyEight) {
  Hero(0).intelligence = 0;
  NextRoll(0);
  EXPECT_EQ(map->BeCapatured(0, 2), -1);  // the one roll that lets him go
  EXPECT_EQ(Hero(0).heroOwnerId, 6);
  NextRoll(1);
  EXPECT_EQ(map->BeCapatured(0, 2), 0);
  EXPECT_EQ(Hero(0).heroOwnerId, 306);
  EXPECT_EQ(Hero(0).cityNo, 3);

  Hero(1).intelligence = 98;
  NextRoll(98);
  EXPECT_EQ(map->BeCapatured(1, 2), -1);
  NextRoll(99);
  EXPECT_EQ(map->BeCapatured(1, 2), 1);
  EXPECT_EQ(capturedCount, 2);
  EXPECT_EQ(rulerFate, 0);
}

TEST_F(Aftermath, CaptivesLoseTheirItemsToTheCity) {
  GoodRecord* sword = map->goodList.Record(1);
  GoodRecord* book = map->goodList.Record(2);
  ASSERT_NE(sword, nullptr);
  ASSERT_NE(book, nullptr);
  HeroRecord& h = Hero(1);
  h.item1 = 1;
  h.item2 = 2;
  int force = h.force;
  int intelligence = h.intelligence;
  sword->holderId = book->holderId = 2;
  map->MakeCaptive(1, 2);
  EXPECT_EQ(h.item1, 0);
  EXPECT_EQ(h.item2, 0);
  EXPECT_EQ(h.force, force - sword->forceBonus);
  EXPECT_EQ(h.intelligence, intelligence - book->intelligenceBonus);
  EXPECT_EQ(sword->holderId, 0);
  EXPECT_EQ(book->goodCityNo, 3);
}

TEST_F(Aftermath, EscapesGoToTheFactionsOtherCities) {
  City(3).ownerId = 17;
  warOutcomeCode = 4;
  Hero(7).intelligence = 99;  // never captured by the roll
  for (uint32_t seed = 1; seed < 20; ++seed) {
    SeedRandom(seed);
    Hero(7).cityNo = 3;
    EXPECT_EQ(map->GetCaptive(7, 2), -1);
    EXPECT_EQ(Hero(7).cityNo, 4);  // his ruler's only other city
  }
  // The player's officers flee to one of the player's cities.
  Hero(1).intelligence = 99;
  for (uint32_t seed = 1; seed < 20; ++seed) {
    SeedRandom(seed);
    map->BeCapatured(1, 2);
    EXPECT_TRUE(Hero(1).cityNo == 1 || Hero(1).cityNo == 2);
  }
  // Attackers beaten by the player's defence may flee home, even to the city they came from.
  City(3).ownerId = 0;
  warOutcomeCode = 5;
  Hero(7).cityNo = 3;
  map->GetCaptive(7, 1);
  EXPECT_EQ(Hero(7).cityNo, 3);
  EXPECT_EQ(Hero(7).heroOwnerId, 17);
}

TEST_F(Aftermath, LostDefenceWithoutAnotherCityEndsTheCampaign) {
  City(0).ownerId = 0;  // city 1 is the player's last
  Enlist(1, 6, 1, 10, 300);
  Battle(1, {1}, {16, 7}, 0, 0);
  map->AfterWar(-1, 2, 1);
  EXPECT_EQ(rulerFate, 3);
  EXPECT_EQ(Hero(1).heroOwnerId, 6);  // nobody is captured or moved
  EXPECT_EQ(Hero(1).cityNo, 2);
  EXPECT_EQ(City(1).ownerId, 17);
  EXPECT_TRUE(TakeQuit());
}

TEST_F(Aftermath, WonDefenceCapturesTheRulerAndHisHeirTakesOver) {
  City(3).ownerId = 17;
  Enlist(30, 17, 3, 95, 100);  // the heir in the other city
  Enlist(31, 17, 3, 40, 100);
  Hero(16).intelligence = 0;
  Hero(7).intelligence = 0;
  SeedFor([] { return Rand() % 100 > 0 && Rand() % 100 > 0; });
  Battle(1, {1}, {16, 7}, 0, 0);
  map->AfterWar(-2, 2, 1);
  EXPECT_EQ(warOutcomeCode, 5);
  EXPECT_EQ(Hero(16).heroOwnerId, 317);
  EXPECT_EQ(Hero(16).cityNo, 2);
  EXPECT_EQ(City(2).ownerId, 31);
  EXPECT_EQ(City(3).ownerId, 31);
  EXPECT_EQ(Hero(31).heroOwnerId, 31);
  EXPECT_EQ(Hero(30).heroOwnerId, 31);
}

class RulerCaptured : public Aftermath {
 protected:
  void LoseAttackWithTheRuler() {
    Hero(5).intelligence = 10;
    Battle(0, {5}, {16}, 0, 0);
    NextRoll(50);
    map->AfterWar(-1, 0, 2);
  }
};

TEST_F(RulerCaptured, ThePlayerCrownsOneOfHisOfficers) {
  LoseAttackWithTheRuler();
  EXPECT_EQ(Hero(5).heroOwnerId, 306);
  EXPECT_EQ(rulerSuccession, 1);
  EXPECT_GT(map->heroList.ownOfficerCount, 0);
  EXPECT_FALSE(TakeQuit());
}

TEST_F(RulerCaptured, WithNobodyLeftToCrownTheCampaignIsLost) {
  for (int h : {0, 1, 2}) Hero(h).heroOwnerId = 300;
  LoseAttackWithTheRuler();
  EXPECT_EQ(rulerSuccession, 0);
  EXPECT_TRUE(TakeQuit());
}

TEST_F(Aftermath, AutomaticVictoryMovesAtMostTenAndAFallenFactionsCitiesGoToTheWinner) {
  // Ruler 25 attacks ruler 17's city 2 from city 3 with twelve officers.
  City(3).ownerId = 25;
  Enlist(24, 25, 3, 80, 300);  // ruler 25 himself
  for (int i = 40; i < 51; ++i) Enlist(i, 25, 3, 50, 300);
  City(1).ownerId = 17;  // ruler 17's last other city, empty of officers
  Hero(16).intelligence = 0;
  Hero(7).intelligence = 0;
  SeedFor([] { return Rand() % 100 > 0 && Rand() % 100 > 0; });
  map->AfterWar_Auto(1, 3, 2, 24, 16);
  EXPECT_EQ(warOutcomeCode, 6);
  EXPECT_EQ(City(2).ownerId, 25);
  EXPECT_EQ(City(2).governorId, 25);
  int moved = 0;
  for (int h : {24, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50}) moved += Hero(h).cityNo == 3;
  EXPECT_EQ(moved, 10);
  EXPECT_EQ(Hero(49).cityNo, 4);
  // Ruler 17 was taken and nobody serves him any more: his city 1 passes to ruler 25, not to the player.
  EXPECT_EQ(Hero(16).heroOwnerId, 317);
  EXPECT_EQ(City(1).ownerId, 25);
  EXPECT_EQ(capturedCount, 0);
}

}  // namespace
