// Choosing where to move and whom to hit: backing out with Esc.
#include <string>

#include "tests/battle/battle_fixture.h"

namespace {
enum class Choice { kMove, kAttack, kSkill };
const char* Name(Choice c) { return c == Choice::kMove ? "move" : c == Choice::kAttack ? "attack" : "skill"; }
}  // namespace

// The arrows may scroll the view far from the acting unit during target
// choice; Esc must bring the view back so the cursor lands on the unit.
TEST_F(BattleTest, EscFromTargetChoicePutsTheCursorOnTheUnitInsideTheView) {
  struct Case {
    Choice choice;
    int row, col;
    int key;  // 0 up, 1 down, 2 left, 3 right
    int presses;
  };
  const Case cases[] = {
      {Choice::kAttack, 15, 3, 3, 25},  {Choice::kSkill, 15, 3, 3, 25},   {Choice::kAttack, 29, 28, 0, 30},
      {Choice::kSkill, 29, 28, 2, 30},  {Choice::kAttack, 1, 30, 1, 30},  {Choice::kSkill, 0, 0, 3, 40},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(Name(k.choice)) + " from " + std::to_string(k.row) + "," + std::to_string(k.col));
    NewBattle(1, 1);
    Place(0, k.row, k.col);
    Place(10, k.row == 15 ? 5 : 15, 15);
    fight->units[0].skillPower = 50;
    MoveUnit(k.row, k.col, k.row, k.col);
    ASSERT_EQ(fight->actionMenuOpen, 1);
    if (k.choice == Choice::kAttack) Press(keyReturn);
    else ChooseSkill(0);
    ASSERT_EQ(k.choice == Choice::kAttack ? fight->attackMode : fight->skillMode, 1);
    const int arrows[4] = {keyUp, keyDown, keyLeft, keyRight};
    for (int i = 0; i < k.presses; ++i) Press(arrows[k.key]);
    Press(keyEsc);
    const FightMap& m = fight->battleMap;
    EXPECT_EQ(fight->actionMenuOpen, 1);
    EXPECT_TRUE(m.cursorRow >= 0 && m.cursorRow < kViewRows && m.cursorCol >= 0 && m.cursorCol < kViewCols)
        << "cursor (" << m.cursorRow << ", " << m.cursorCol << ")";
    EXPECT_EQ(m.CursorMapRow(), k.row);
    EXPECT_EQ(m.CursorMapCol(), k.col);
  }
}
