#pragma once
// The battle pictures of Res/Fight, painted in groups. Each group writes its
// files into Res/Fight and returns false when a file
// cannot be written.
#include <string>

#include "platform/surface.h"
#include "rules/pictures.h"
#include "tools/resgen/common/paint.h"
#include "tools/resgen/common/resgen.h"

namespace battle_art {

// The two sides read apart everywhere: the player's azurite, the computer's cinnabar.
constexpr Pixel kSideColor[2] = {Rgb(40, 86, 160), Rgb(186, 40, 30)};

// Troop types as the battle numbers them; 6 is the boat a unit becomes on water.
enum Troop { kCavalry = 0, kInfantry, kArcher, kNavy, kElite, kMystic, kBoat, kTroopKinds };

// One figure's pose. All fields are fractions 0..1 of the movement.
struct Pose {
  float stride = 0;    // walking / galloping phase (0..1 is one full cycle)
  float strike = 0;    // weapon from ready (0) to full thrust or release (1)
  float hit = 0;       // recoil after being struck
  bool spent = false;  // the unit has acted: drawn in faded ink
};

// Paints one troop figure with its feet at (x, y), `scale` times the map
// size (a man on foot is about 46 pixels tall at scale 1), facing right
// unless `faceLeft`. The side decides banner, plume and sash colours.
void PaintTrooper(paint::Canvas& c, Troop troop, float x, float y, float scale, bool faceLeft, int side,
                  const Pose& pose, uint32_t seed);

// Writes one battle picture.
bool SaveFight(const ResgenPaths& paths, Pic pic, const Surface& image);
// Writes a masked pair (NAME.kbp and NAMEmask.kbp) from a figure.
bool SaveFightMasked(const ResgenPaths& paths, Pic image, Pic mask, const paint::Figure& figure);

bool PaintTiles(const ResgenPaths& paths);
bool PaintUnitSheet(const ResgenPaths& paths);
bool PaintMarkers(const ResgenPaths& paths);      // stepcross, stepat, arrow
bool PaintEffects(const ResgenPaths& paths);      // sj, sw, atshow
bool PaintStatusBar(const ResgenPaths& paths);    // fight_statue, weather icons
bool PaintWeatherDays(const ResgenPaths& paths);  // day images and the day banner
bool PaintDuel(const ResgenPaths& paths);         // SpeBack, fight_left, fight_right, arrow1/2
bool PaintSkillSheet(const ResgenPaths& paths);   // fight_skill

}  // namespace battle_art
