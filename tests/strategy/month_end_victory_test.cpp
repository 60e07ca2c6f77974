// The end of the campaign: victory when no other ruler holds a city, checked
// at every month end and after a faction falls.
#include "tests/strategy/month_end_fixture.h"

namespace {

using Victory = MonthEndTest;

constexpr int kMessageFont = 50;

// Only the player's cities 0 and 1 keep an owner.
void LeaveOnlyThePlayer(GameMap& map) {
  for (int i = 2; i < kCityCount; ++i) map.cityList.cities[i].ownerId = 0;
}

TEST_F(Victory, AnotherRulersCityKeepsTheCampaignGoing) {
  EXPECT_EQ(map->IsWinOrLose(), 0);
  map->CheckWin();
  EXPECT_FALSE(TakeQuit());
}

TEST_F(Victory, OwnerlessCitiesDoNotStandInTheWay) {
  LeaveOnlyThePlayer(*map);
  EXPECT_EQ(map->IsWinOrLose(), 0);
  EXPECT_TRUE(TakeQuit());
  EXPECT_TRUE(WindowShows("我军大获全胜", 55, 285, kMessageFont));
}

TEST_F(Victory, CheckWinFollowsTheSameRule) {
  City(2).ownerId = 0;
  City(5).ownerId = 17;
  map->CheckWin();
  EXPECT_FALSE(TakeQuit());
  City(5).ownerId = 0;
  map->CheckWin();
  EXPECT_TRUE(TakeQuit());
}

TEST_F(Victory, APlayerWithoutACityHasNotWon) {
  for (CityRecord& c : map->cityList.cities) c.ownerId = 0;
  map->IsWinOrLose();
  map->CheckWin();
  EXPECT_FALSE(TakeQuit());
}

TEST_F(Victory, TheMonthEndCatchesAVictory) {
  LeaveOnlyThePlayer(*map);
  map->date.month = 4;
  map->DoEndEvent();
  EXPECT_TRUE(TakeQuit());
  EXPECT_EQ(pendingBattles, 0);
}

}  // namespace
