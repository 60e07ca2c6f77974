#pragma once
// The words of data/portraits.tsv and what the painter makes of them.
#include <string>
#include <vector>

#include "platform/surface.h"

enum class LookField { Skin, Face, Eyes, Brows, Beard, Ears, Armour, Prop, Mark, Colour, Headgear };

// The words a column may hold, in the order of the numbers a PortraitLook keeps.
const std::vector<std::string>& LookWords(LookField field);
// A named colour of robes, hats and beards.
Pixel LookColour(int index);

// The numbers behind the words, as the painter uses them.
namespace look {
enum SkinTone { kFair, kWarm, kTan, kPale, kRedSkin, kDark, kSallow, kBronze, kSkinCount };
enum FaceShape { kOval, kRound, kLongFace, kSquare, kBroad, kFat, kLean, kFaceCount };
enum EyeShape { kCalm, kPhoenix, kRoundEyes, kNarrow, kBright, kBlueEyes, kFierce, kGentle, kEyesCount };
enum BrowShape { kSword, kSilkworm, kBristleBrows, kThin, kKnit, kWhiteBrows, kBrowsCount };
enum BeardStyle { kNone, kMoustache, kGoatee, kShort, kFull, kBristle, kLong, kCurly, kForked, kBeardCount };
enum ArmourKind { kNoArmour, kIron, kSilver, kGoldArmour, kLeather, kLionArmour, kBare, kArmourCount };
enum PropKind { kNoProp, kFan, kWhisk, kBlade, kHalberd, kSwordProp, kBook, kSpear, kAxe, kKnives, kStaff };
enum MarkKind { kNoMark, kEyepatch, kScar, kBells, kFlower, kPaint, kBlind };
enum Colour {
  kCRed,
  kCCrimson,
  kCGreen,
  kCBlack,
  kCWhite,
  kCBlue,
  kCAzure,
  kCYellow,
  kCPurple,
  kCGrey,
  kCGold,
  kCSilver,
  kCBrown,
  kCOchre,
  kCTeal,
  kCPink,
  kCOrange,
  kCJade,
  kCViolet,
  kColourCount
};
}  // namespace look
