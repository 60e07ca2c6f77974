// The army's food on the status bar of the player's turn and of the computer's
// turn: the whole figure, inside the field the bar picture leaves for it.
#include <string>
#include <vector>

#include "tests/battle/battle_fixture.h"

namespace {
// The food field of the bar picture drawn at (0, 400), in window pixels.
constexpr int kFieldLeft = 54, kFieldTop = 456, kFieldRight = 218, kFieldBottom = 528;
// The bar's left part: food seal, food field, weather icon; the unit name starts at 390.
constexpr int kBandTop = 450, kBandRight = 380;
}  // namespace

TEST_F(BattleTest, BothStatusBarsShowTheWholeFoodInsideItsField) {
  const int foods[] = {0, 999, 1000, 2000, 10000, 12345, 99999, 1234567, 2147483647};
  for (bool computerTurn : {false, true}) {
    SCOPED_TRACE(computerTurn ? "computer's turn" : "player's turn");
    std::vector<std::vector<Pixel>> drawn;
    for (int food : foods) {
      SCOPED_TRACE("food " + std::to_string(food));
      NewBattle(1, 1);
      Place(0, 15, 15);
      Place(10, 15, 20);
      fight->ownFood = food;
      backDC->FillRect(0, 0, 800, 600, kWhite);
      if (computerTurn) {
        targetUnit = kEnemyBase;
        fight->AIShowMove(false);
      } else {
        fight->ShowBar();
      }
      std::vector<Pixel> band;
      int inkOutside = 0, ink = 0;
      for (int y = kBandTop; y < 600; ++y)
        for (int x = 0; x < kBandRight; ++x) {
          Pixel p = backDC->Get(x, y);
          band.push_back(p);
          if (p == kWhite) continue;
          ++ink;
          if (x < kFieldLeft || x >= kFieldRight || y < kFieldTop || y >= kFieldBottom) ++inkOutside;
        }
      EXPECT_GT(ink, 0);
      EXPECT_EQ(inkOutside, 0);
      // Different figures never look alike (a figure modulo 1000 made 10 000 read 0).
      for (size_t i = 0; i < drawn.size(); ++i) EXPECT_FALSE(drawn[i] == band) << "drawn like food " << foods[i];
      drawn.push_back(band);
    }
  }
}
