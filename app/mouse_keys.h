#pragma once
// The mouse speaks keys: a click, the wheel or the pointer over a menu is
// turned into the configured keys a player would press for it on the screen
// showing, worked out from where the screen's own objects draw their rows,
// cells and squares. The keys then go the way typed keys go, so every rule,
// refusal and delay of the keyboard holds for the mouse as well.
#include <vector>

#include "platform/window.h"

class Game;

class MouseKeys {
 public:
  // The keys one mouse message stands for (none for any other message, or
  // where the pointer is on nothing that takes a key).
  static std::vector<int> For(const Message& message, Game& game);

  // A left click at the logical point (x, y): the keys that bring the
  // selection, cursor or highlight there, then the confirming key.
  static std::vector<int> Click(Game& game, int x, int y);
  // The pointer resting at (x, y): on a menu, list or slot row the keys that
  // highlight it; nothing elsewhere.
  static std::vector<int> Hover(Game& game, int x, int y);
  // Right click is Esc; the wheel is Up (away from the player) and Down.
  static std::vector<int> RightClick();
  static std::vector<int> Wheel(int notches);
};
