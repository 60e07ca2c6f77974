// Comfort additions on the map: the autosave after every month, the
// report log's subjects, and each faction's colour on its cities' flags.
#include <cstring>
#include <memory>
#include <vector>

#include "campaign/scenario_files.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/report_log.h"
#include "shell/run_log.h"
#include "strategy/game_map.h"

namespace {

// Eighteen colours, one for each line of a scenario's ruler choice. Under a
// simulation of deuteranopia (Machado, Oliveira and Fernandes 2009, severity 1)
// red and green fall together, so the set is spread over lightness and over
// blue against yellow first: any two stay more than 11 apart (CIEDE2000) with
// normal sight and with that simulation, every one more than 15 from the paper
// of the map, the banded ones 20 from their white band. No blue at all: a blue
// flag is read as the player's own even when it is far from that blue.
// The second nine also carry the band, a cue that needs no colour at all; they
// are the nine that the white band stands out on.
constexpr Pixel kPalette[kFactionColors] = {
    Rgb(0, 68, 51),    Rgb(28, 68, 17),    Rgb(150, 17, 0),    Rgb(51, 102, 68),   Rgb(204, 34, 85),
    Rgb(170, 85, 0),   Rgb(201, 170, 204), Rgb(85, 221, 187),  Rgb(128, 255, 255), Rgb(153, 102, 119),
    Rgb(238, 11, 255), Rgb(153, 153, 51),  Rgb(153, 153, 119), Rgb(5, 170, 187),   Rgb(96, 170, 153),
    Rgb(255, 153, 0),  Rgb(221, 153, 255), Rgb(255, 255, 0),
};
constexpr Pixel kBand = Rgb(255, 255, 255);

// The flag and the roof of a city icon are its strongly red pixels in the
// upper part of the picture.
constexpr int kFlagRows = 15;
bool IsFlagRed(Pixel p) {
  int r = (p >> 16) & 255;
  int g = (p >> 8) & 255;
  int b = p & 255;
  return r > g + 50 && r > b + 50;
}

Pixel Shade(Pixel color, int brightness) {
  int r = ((color >> 16) & 255) * brightness / 255;
  int g = ((color >> 8) & 255) * brightness / 255;
  int b = (color & 255) * brightness / 255;
  return Rgb(r, g, b);
}

bool autosaveDue = false;

}  // namespace

int FactionPaletteIndex(int index) { return (index % kFactionColors + kFactionColors) % kFactionColors; }

Pixel FactionPaletteColor(int index) { return kPalette[FactionPaletteIndex(index)]; }

bool FactionPaletteBanded(int index) { return FactionPaletteIndex(index) >= kFactionColors / 2; }

void PaintFactionMark(int index, int x, int y, int size) {
  backDC->FillRect(x, y, x + size, y + size, FactionPaletteColor(index));
  if (FactionPaletteBanded(index)) backDC->FillRect(x, y + size / 2 - 1, x + size, y + size / 2 + 1, kBand);
}

void GameMap::MonthFinished() {
  if (rulerSuccession == kSuccessionPick) {
    autosaveDue = true;  // the month is saved once the new ruler is crowned
    return;
  }
  autosaveDue = false;
  Autosave();
}

void GameMap::AfterSuccessionKey() {
  if (!autosaveDue || rulerSuccession != kSuccessionNone || pendingBattles != kBattlesUncounted || battleOpen ||
      warPick != kWarPickNone)
    return;
  autosaveDue = false;
  Autosave();
}

bool GameMap::Autosave() {
  Log(1, "GameMap::Autosave", "开始", 0);
  if (playerRuler <= 0 || playerCityCount <= 0) return false;  // a lost campaign is not kept
  ChangeDataToSave();
  bool ok = save.Write(kAutosaveSlot);
  ok = ok && ReportLogWrite(ReportLogPathFor(Save::SlotPath(kAutosaveSlot)));
  if (!ok) {
    MonthEndScope notLogged(&date.year, &date.month, false);  // the notice is no report of the month
    ShowMessage2("自动存档失败！", "", 50, 280, 12, 1, 1000);
    Show(0);
    if (rulerSuccession == kSuccessionPick) heroList.Show(0);
  }
  return ok;
}

void GameMap::ReportSubject(int city) {
  char name[kNameBytes + 1] = {};
  if (city >= 0 && city < kCityCount) CopyListLine(kCityNameByNumber, city, name, kNameBytes);
  ReportLogPanelSubject(name, nullptr);
}

// Rulers of the scenario's start keep their ruler choice line's colour; a ruler
// who rose later takes the first colour no standing faction holds, band and all.
int GameMap::FactionMark(int rulerNumber) const {
  int line = RulerChoiceOf(scenario, rulerNumber);
  if (line >= 0) return FactionPaletteIndex(line);
  bool taken[kFactionColors] = {};
  for (const CityRecord& c : cityList.cities) {
    int l = RulerChoiceOf(scenario, c.ownerId);
    if (l >= 0 && l < kFactionColors) taken[l] = true;
  }
  // The newer rulers in officer order, each taking the next free colour.
  for (int n = 1; n < kHeroCount; ++n) {
    const HeroRecord& h = heroList.heroes[n - 1];
    if (!h.IsRuler() || RulerChoiceOf(scenario, n) >= 0) continue;
    int free = 0;
    while (free < kFactionColors && taken[free]) ++free;
    if (free == kFactionColors) free = n % kFactionColors;
    if (n == rulerNumber) return FactionPaletteIndex(free);
    if (free < kFactionColors) taken[free] = true;
  }
  return FactionPaletteIndex(rulerNumber);
}

Pixel GameMap::FactionColor(int rulerNumber) const { return FactionPaletteColor(FactionMark(rulerNumber)); }

namespace {

// Each other faction's icons are drawn on every map draw: the tinted copy is
// kept with the picture it came from. A picture changed on disk comes back
// from the picture cache as a new one, so its old tints are never used.
struct TintedIcon {
  std::shared_ptr<const Surface> source;
  Pixel color = 0;
  bool banded = false;
  Surface tinted;
};
constexpr size_t kMaxTintedIcons = 64;  // a few icons in eighteen colours
std::vector<TintedIcon> tintedIcons;

void Tint(Surface& tinted, Pixel color, bool banded) {
  int rows = tinted.Height() < kFlagRows ? tinted.Height() : kFlagRows;
  // The flag's rows that get the white band: its middle, as on the ruler choice's marks.
  for (int py = 0; py < rows; ++py) {
    Pixel* row = tinted.Row(py);
    for (int px = 0; px < tinted.Width(); ++px) {
      if (!IsFlagRed(row[px])) continue;
      int bright = (row[px] >> 16) & 255;
      bool band = banded && (py == 3 || py == 4 || py == 12);
      row[px] = band ? kBand : Shade(color, 128 + bright / 2);
    }
  }
  tinted.Touch();
}

const Surface& TintedCopy(const std::shared_ptr<const Surface>& source, Pixel color, bool banded) {
  for (const TintedIcon& icon : tintedIcons)
    if (icon.source == source && icon.color == color && icon.banded == banded) return icon.tinted;
  if (tintedIcons.size() >= kMaxTintedIcons) tintedIcons.clear();
  TintedIcon icon{source, color, banded, *source};
  Tint(icon.tinted, color, banded);
  tintedIcons.push_back(std::move(icon));
  return tintedIcons.back().tinted;
}

}  // namespace

void GameMap::PaintCityIcon(const MapPiece& icon, const PixelBox& within) {
  if (!icon.picture) return;
  if (icon.tint < 0) {
    CopyPictureWithin(*backDC, within, *icon.picture, icon.x, icon.y, RasterOp::Copy);
    return;
  }
  const Surface& tinted =
      TintedCopy(icon.picture, static_cast<Pixel>(icon.tint & (kBandedTint - 1)), (icon.tint & kBandedTint) != 0);
  CopyPictureWithin(*backDC, within, tinted, icon.x, icon.y, RasterOp::Copy);
}
