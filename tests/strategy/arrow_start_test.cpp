#include <gtest/gtest.h>

#include <fstream>

#include "shell/globals.h"
#include "strategy/game_map.h"

// A ruler whose seat sits on the viewport's border must not be able to push
// the arrow off the screen with his first key.
TEST(ArrowStart, SeatOnTheBorderKeepsTheArrowOnScreen) {
  backDC->Resize(800, 600);
  for (int scenario = 0; scenario < 4; ++scenario) {
    std::ifstream table("Res/arrowset" + std::to_string(scenario + 1) + ".kdt");
    int v[6];
    for (int choice = 0; table >> v[0] >> v[1] >> v[2] >> v[3] >> v[4] >> v[5]; ++choice) {
      // The whole campaign set-up, as the ruler choice runs it.
      static GameMap map;
      map.InitMap(choice, scenario);
      for (int key : {keyUp, keyDown, keyLeft, keyRight}) {
        for (int press = 0; press < 12; ++press) map.KeyDown(key);
        ASSERT_GE(map.arrowX, 12) << scenario << " " << choice;
        ASSERT_LE(map.arrowX, 642) << scenario << " " << choice;
        ASSERT_GE(map.arrowY, 35) << scenario << " " << choice;
        ASSERT_LE(map.arrowY, 435) << scenario << " " << choice;
        ASSERT_EQ(map.cursorCol * 90 + 12 - map.scrollX, map.arrowX);
        ASSERT_EQ(map.cursorRow * 80 + 35 - map.scrollY, map.arrowY);
      }
    }
  }
}
