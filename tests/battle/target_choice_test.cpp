// Choosing where to move and whom to hit: backing out with Esc, looking at
// units with Space on the way, and the record check that guards the squares.
#include <string>

#include "tests/battle/battle_fixture.h"

namespace {
enum class Choice { kMove, kAttack, kSkill };
const char* Name(Choice c) { return c == Choice::kMove ? "move" : c == Choice::kAttack ? "attack" : "skill"; }

// "a and b" for the first two live units on one square, or "".
std::string SharedSquare(const Fight& f) {
  int a = 0, b = 0;
  return f.TwoOnOneSquare(a, b) ? std::to_string(a) + " and " + std::to_string(b) : "";
}
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
      {Choice::kAttack, 15, 3, 3, 25}, {Choice::kSkill, 15, 3, 3, 25},  {Choice::kAttack, 29, 28, 0, 30},
      {Choice::kSkill, 29, 28, 2, 30}, {Choice::kAttack, 1, 30, 1, 30}, {Choice::kSkill, 0, 0, 3, 40},
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

// Space on another player unit while a unit chooses its square or target shows
// that unit's information; the choice, its undo and its action stay with the
// unit that was chosen.
TEST_F(BattleTest, SpaceDuringAChoiceNeverChangesTheActingUnit) {
  struct Case {
    Choice choice;
    bool confirm;
  };
  const Case cases[] = {{Choice::kMove, true},
                        {Choice::kAttack, false},
                        {Choice::kAttack, true},
                        {Choice::kSkill, false},
                        {Choice::kSkill, true}};
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(Name(k.choice)) + (k.confirm ? ", confirmed" : ", cancelled"));
    NewBattle(2, 1);
    Place(0, 15, 15);
    Place(1, 15, 17);
    Place(10, 14, 16);
    for (int i : {0, 1}) fight->units[i].skillPower = 50;
    fight->units[kEnemyBase].intelligence = 200;  // the ruse roll always succeeds
    if (k.choice == Choice::kMove) {
      PutCursor(15, 15);
      Press(keyReturn);
    } else {
      MoveUnit(15, 15, 15, 16);
      if (k.choice == Choice::kAttack) Press(keyReturn);
      else ChooseSkill(0);
    }
    PutCursor(15, 17);
    Press(keySpace);
    EXPECT_EQ(fight->viewState, kViewOwnUnit);
    EXPECT_EQ(fight->portrait, fight->units[1].officerId);  // the screen shows the unit looked at
    Press(keyUp);
    EXPECT_EQ(selectedUnit, 0);

    if (k.choice == Choice::kMove) {
      PutCursor(14, 15);
      Press(keyReturn);
      EXPECT_EQ(fight->units[0].row, 14);
      EXPECT_EQ(fight->units[0].col, 15);
    } else if (k.confirm) {
      PutCursor(14, 16);
      Press(keyReturn);
      EXPECT_EQ(fight->units[0].canAct, 0);
      EXPECT_EQ(fight->units[1].canAct, 1);
      EXPECT_EQ(fight->units[1].skillPower, 50);
    } else {
      Press(keyEsc);
      Press(keyEsc);
      EXPECT_EQ(fight->units[0].row, 15);
      EXPECT_EQ(fight->units[0].col, 15);
    }
    EXPECT_EQ(fight->units[1].row, 15);
    EXPECT_EQ(fight->units[1].col, 17);
    EXPECT_EQ(SharedSquare(*fight), "");
  }
}

// The query behind the record check the monkey makes after every key.
TEST_F(BattleTest, TwoLiveUnitsOnOneSquareAreFoundWhicheverTheirSides) {
  struct Case {
    const char* what;
    int slot;  // the unit put on unit 0's square
    bool beaten;
    const char* found;
  };
  const Case cases[] = {{"every unit apart", -1, false, ""},
                        {"two player units", 1, false, "0 and 1"},
                        {"a player and a computer unit", kEnemyBase + 1, false, "0 and 11"},
                        {"a beaten computer unit", kEnemyBase + 1, true, ""},
                        {"a slot beyond the player's units", 2, false, ""}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    NewBattle(2, 2);
    for (int s : {0, 1, 2, kEnemyBase, kEnemyBase + 1}) Place(s, 10, 10 + s);
    if (k.slot >= 0) Place(k.slot, 10, 10);
    if (k.beaten) fight->units[k.slot].unitStatus = kStatusBeaten;
    EXPECT_EQ(SharedSquare(*fight), k.found);
  }
}
