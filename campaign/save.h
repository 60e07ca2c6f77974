#pragma once
// The three save slots: the slot screen, and the plain-text slot file of
// decimal numbers. The campaign goes through an image of the file's numbers:
// the map fills it before writing, the title's loader copies it back.
#include "shell/json_writer.h"

constexpr int kSaveSlots = 3;
// The autosave of every ended month: a fourth file, never one of the three
// slots; only the title's load screen shows it, as its fourth row.
constexpr int kAutosaveSlot = 3;
constexpr int kSaveRows = 4;
constexpr int kSaveHeroes = 300;
constexpr int kSaveHeroFields = 18;
constexpr int kSaveCities = 50;
constexpr int kSaveCityFields = 19;
constexpr int kSaveGoods = 50;
constexpr int kSaveGoodFields = 10;
constexpr int kSaveTasks = 255;
constexpr int kSaveTaskFields = 10;
constexpr int kSaveHeroListFields = 12;
constexpr int kSaveCityListFields = 4;
constexpr int kSaveGoodListFields = 9;
constexpr int kSaveMapFields = 9;
constexpr int kSlotNameBytes = 20;

// Save::Read answers and Save::KeyDown's "nothing chosen".
constexpr int kReadOk = 0;
constexpr int kReadEmpty = -1;
constexpr int kReadNewerVersion = -2;
constexpr int kReadDamaged = -3;
constexpr int kSaveKeyStay = 3;
constexpr int kAutosaveChoice = 10;  // Save::KeyDown's Return on the autosave row (3 means "stay")

// The numbers of a slot file, in file order.
struct SaveImage {
  int playerRuler = 0;
  int year = 0;
  int scenario = 0;
  int heroes[kSaveHeroes][kSaveHeroFields] = {};
  int cities[kSaveCities][kSaveCityFields] = {};
  int goods[kSaveGoods][kSaveGoodFields] = {};
  int tasks[kSaveTasks][kSaveTaskFields] = {};
  int heroListState[kSaveHeroListFields] = {};
  int cityListState[kSaveCityListFields] = {};
  int goodListState[kSaveGoodListFields] = {};
  int mapState[kSaveMapFields] = {};
  int month = 0;
  int version = 0;
  int taskCount = 0;
};

class Save {
 public:
  int slotRuler[kSaveRows] = {};
  int slotYear[kSaveRows] = {};
  int slotChoice = 0;
  SaveImage image;
  char slotName[kSaveRows][kSlotNameBytes] = {};
  int slotMonth[kSaveRows] = {};  // 0 when the file could not be read whole
  int rows = kSaveSlots;          // kSaveRows on the load screen

  void Init(int ruler, int year);
  // The load screen: Init, then the autosave as a fourth row.
  void InitLoadScreen();
  // -1 reads the three slot headers for the screen (always 0); a slot number
  // reads that slot into the image: 0, -1 empty, -2 newer version, -3 damaged.
  // The image changes only when the whole file was read and makes sense.
  int Read(int slot);
  // Writes the image into the slot (or kAutosaveSlot) through a temporary file,
  // so a failed write leaves the slot as it was. False when it could not be written.
  bool Write(int slot);
  void Show();
  // -1 Esc, a slot number on Return, 3 otherwise.
  int KeyDown(int key);
  // The row whose band Show inverts at (x, y), -1 for none.
  int RowAt(int x, int y) const;
  void Dump(JsonWriter& out) const;

  static const char* SlotPath(int slot);
};

// Parses the text of a slot file into `out`; the same answers as Save::Read.
int ParseSaveText(const char* text, size_t size, int programVersion, SaveImage& out);
// The text of a slot file for the image (with the given version as row 15).
std::string FormatSaveText(const SaveImage& image, int version);
