// Setting up a campaign and drawing the strategic map.
#include "strategy/game_map.h"
#include "war/war_globals.h"

#include <algorithm>
#include <cstdio>

#include "campaign/scenario_files.h"
#include "campaign/table_file.h"
#include "rules/pictures.h"
#include "rules/rulers.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/report_log.h"
#include "shell/run_log.h"
#include "shell/sound_cues.h"
#include "shell/text_grid.h"

namespace {

constexpr const char* kMapPicture = PicPath(Pic::kMap);
constexpr int kMapPictureWidth = 1120;
constexpr int kMapPictureHeight = 750;
constexpr int kCellWidth = 90;
constexpr int kCellHeight = 80;
constexpr int kLeftEdgeX = 12;
constexpr int kRightEdgeX = 642;
constexpr int kTopEdgeY = 35;
constexpr int kBottomEdgeY = 435;
constexpr int kMaxScrollX = 360;
constexpr int kMaxScrollY = 240;
constexpr int kPanelFont = 45;
// A city's icon stands this far into its cell; the panel covers the map right of kSidePanelX.
constexpr int kIconInsetX = 10;
constexpr int kIconInsetY = 25;
constexpr int kSidePanelX = 680;
constexpr int kPlayAreaBottom = 480;

constexpr int kPlayerStartSoldiers = 100;
constexpr int kComputerStartSoldiers = 800;

// The officer and item tables both say who holds an item. A short or damaged
// item table leaves records as they were (zeros, or the last campaign's), and
// an item that an officer carries but its record does not know of could be
// given to a second officer. The officer's slots win: the item record follows
// them, and an item already claimed is taken out of a second officer's slot.
void AgreeOnItemHolders(HeroList& heroes, GoodList& goods) {
  bool claimed[kGoodCount] = {};
  for (int i = 0; i < kHeroCount; ++i) {
    for (int* slot : {&heroes.heroes[i].item1, &heroes.heroes[i].item2}) {
      int item = *slot;
      if (item == 0) continue;
      GoodRecord* g = goods.Record(item);
      if (g == nullptr || claimed[item]) {
        *slot = 0;
        continue;
      }
      claimed[item] = true;
      g->holderId = i + 1;
    }
  }
}

}  // namespace

void GameMap::InitMap(int rulerChoiceIn, int scenarioIn) {
  Log(1, "GameMap::InitMap", "开始", 0);
  scenario = scenarioIn;
  rulerChoice = rulerChoiceIn;
  ResetCampaignGlobals();
  ReportLogClear();  // a new campaign starts with an empty report log
  ClearRecords();
  ArrowSet();  // also sets the edge flags from the arrow's start
  systemMenuResult = cityMenuResult = interiorMenuResult = diplomacyMenuResult = armamentMenuResult = 0;
  commandGroup = 0;
  systemMenuChoice = 0;
  command = 0;
  secondPickOpen = goodsListOpen = operateOpen = saveScreenOpen = battleOpen = 0;
  date.Init(scenario);
  cityList.PubInit(scenario);
  heroList.PubInit(scenario);
  goodList.PubInit(scenario);
  AgreeOnItemHolders(heroList, goodList);
  playerCityCount = country.GetCityNum(rulerChoice, scenario);
  playerOfficerCount = country.GetHeroNum(rulerChoice, scenario);
  ResetTasks();
  ChangeOwnerNum();
  save.Init(playerRuler, date.year);
  fight.PubInit(scenario);
  SetBingLi();
  warPartyCount = 0;
}

// A record the tables do not fill stays empty instead of keeping what the
// campaign before left in it.
void GameMap::ClearRecords() {
  for (int i = 0; i < kCityCount; ++i) {
    cityList.cities[i] = CityRecord{};
    cityList.cities[i].cityId = i;
  }
  for (int i = 0; i < kHeroCount; ++i) {
    heroList.heroes[i] = HeroRecord{};
    heroList.heroes[i].heroId = i;
  }
  for (int i = 0; i < kGoodCount; ++i) {
    goodList.goods[i] = GoodRecord{};
    goodList.goods[i].goodId = i;
  }
}

void GameMap::ArrowSet() {
  Log(1, "GameMap::ArrowSet", "开始", 0);
  if (ValidScenario(scenario)) {
    TableFile table(kArrowSetTables[scenario]);
    int* fields[] = {&arrowX, &arrowY, &scrollX, &scrollY, &cursorCol, &cursorRow};
    bool more = true;
    for (int line = 0; line <= rulerChoice && more; ++line) {
      for (int* field : fields) more = more && table.Read(*field);
    }
  }
  // A short or damaged table can leave the arrow off the cursor's cell: the
  // cursor's cell wins, with the view scrolled so that it shows.
  if (!ArrowStandsOnCursorCell()) PlaceArrowOnCursorCell();
  // A seat on the viewport's border starts with the arrow on that edge; with
  // the flag cleared the first press towards it would move the arrow off the
  // screen and away from the cursor cell, so the flags follow the position.
  atLeftEdge = arrowX == kLeftEdgeX;
  atRightEdge = arrowX == kRightEdgeX;
  atTopEdge = arrowY == kTopEdgeY;
  atBottomEdge = arrowY == kBottomEdgeY;
}

void GameMap::PlaceArrowOnCursorCell() {
  cursorCol = std::clamp(cursorCol, 0, kMapColumns - 1);
  cursorRow = std::clamp(cursorRow, 0, kCellRows - 1);
  int firstCol = std::clamp(cursorCol - (kRightEdgeX - kLeftEdgeX) / kCellWidth, 0, kMaxScrollX / kCellWidth);
  int firstRow = std::clamp(cursorRow - (kBottomEdgeY - kTopEdgeY) / kCellHeight, 0, kMaxScrollY / kCellHeight);
  scrollX = firstCol * kCellWidth;
  scrollY = firstRow * kCellHeight;
  arrowX = (cursorCol - firstCol) * kCellWidth + kLeftEdgeX;
  arrowY = (cursorRow - firstRow) * kCellHeight + kTopEdgeY;
}

bool GameMap::ArrowOnCursorCell() const { return ArrowStandsOnCursorCell() && EdgeFlagsAgree(); }

bool GameMap::ArrowStandsOnCursorCell() const {
  bool onCell = arrowX == cursorCol * kCellWidth + kLeftEdgeX - scrollX &&
                arrowY == cursorRow * kCellHeight + kTopEdgeY - scrollY;
  bool inView = arrowX >= kLeftEdgeX && arrowX <= kRightEdgeX && arrowY >= kTopEdgeY && arrowY <= kBottomEdgeY;
  bool onMap = cursorCol >= 0 && cursorCol < kMapColumns && cursorRow >= 0 && cursorRow < kCellRows;
  return onCell && inView && onMap;
}

bool GameMap::EdgeFlagsAgree() const {
  bool flagsAgree = (atLeftEdge != 0) == (arrowX == kLeftEdgeX) && (atRightEdge != 0) == (arrowX == kRightEdgeX) &&
                    (atTopEdge != 0) == (arrowY == kTopEdgeY) && (atBottomEdge != 0) == (arrowY == kBottomEdgeY);
  return flagsAgree;
}

int RulerChoiceOf(int scenarioNo, int rulerNumber) {
  if (!ValidScenario(scenarioNo)) return -1;
  for (int i = 0; i < kRulerCount[scenarioNo]; ++i) {
    if (kRulerTable[scenarioNo][i] == rulerNumber) return i;
  }
  return -1;
}

void GameMap::ChangeOwnerNum() {
  Log(1, "GameMap::ChangeOwnerNum", "开始", 0);
  bool known = ValidScenario(scenario) && rulerChoice >= 0 && rulerChoice < kRulerCount[scenario];
  playerRuler = known ? kRulerTable[scenario][rulerChoice] : 0;
}

void GameMap::SetBingLi() {
  Log(1, "GameMap::SetBingLi", "开始", 0);
  for (HeroRecord& h : heroList.heroes) {
    if (h.heroOwnerId == playerRuler) {
      h.soldiers = kPlayerStartSoldiers;
    } else if (h.ServesFaction()) {
      h.soldiers = kComputerStartSoldiers;
    }
  }
}

void GameMap::MoveArrow(int key) {
  if (key == keyRight || key == keyLeft) {
    if (atRightEdge && key == keyRight) {
      scrollX = scrollX + kCellWidth > kMaxScrollX ? kMaxScrollX : scrollX + kCellWidth;
      arrowX = kRightEdgeX;
    } else if (atLeftEdge && key == keyLeft) {
      scrollX = scrollX - kCellWidth < 0 ? 0 : scrollX - kCellWidth;
      arrowX = kLeftEdgeX;
    } else if (atRightEdge && key == keyLeft) {
      atRightEdge = 0;
      arrowX -= kCellWidth;
    } else if (atLeftEdge && key == keyRight) {
      atLeftEdge = 0;
      arrowX += kCellWidth;
    } else {
      arrowX += key == keyLeft ? -kCellWidth : kCellWidth;
    }
    if (arrowX == kRightEdgeX) atRightEdge = 1;
    if (arrowX == kLeftEdgeX) atLeftEdge = 1;
  }
  if (key == keyDown || key == keyUp) {
    if (atBottomEdge && key == keyDown) {
      scrollY = scrollY + kCellHeight > kMaxScrollY ? kMaxScrollY : scrollY + kCellHeight;
      arrowY = kBottomEdgeY;
    } else if (atTopEdge && key == keyUp) {
      scrollY = scrollY - kCellHeight < 0 ? 0 : scrollY - kCellHeight;
      arrowY = kTopEdgeY;
    } else if (atBottomEdge && key == keyUp) {
      atBottomEdge = 0;
      arrowY -= kCellHeight;
    } else if (atTopEdge && key == keyDown) {
      atTopEdge = 0;
      arrowY += kCellHeight;
    } else {
      arrowY += key == keyUp ? -kCellHeight : kCellHeight;
    }
    if (arrowY == kBottomEdgeY) atBottomEdge = 1;
    if (arrowY == kTopEdgeY) atTopEdge = 1;
  }
}

void GameMap::Show(int key) {
  Log(1, "GameMap::Show", "开始", 0);
  PlayMusic(Sound::kMap);
  if (key == kRoadMapKey) {
    ShowRoadMap();
    return;
  }
  MoveArrow(key);
  MapScene scene = Scene();
  MapRedraw redraw = frame.Needed(*backDC, scene);
  for (const PixelBox& part : redraw.parts) PaintMapLayer(scene, part);
  if (redraw.panel) PaintSidePanel(scene);
  if (IsCity()) GetCityTaisou();
  cityList.Init(cursorCol, cursorRow, scenario);
  RequestRepaint();
  frame.Drawn(*backDC, std::move(scene));
  ReportLogDiscardPending();  // the map behind a report is no part of it
}

MapScene GameMap::Scene() {
  MapScene scene;
  scene.width = backDC->Width();
  scene.height = backDC->Height();
  scene.map = SharedPicture(kMapPicture);
  scene.scrollX = scrollX;
  scene.scrollY = scrollY;
  scene.icons = CityIcons();
  MapPiece& arrow = scene.arrow;
  arrow.picture = SharedPicture(PicPath(Pic::kMapArrow));
  arrow.mask = SharedPicture(PicPath(Pic::kMapArrowMask));
  arrow.x = arrowX;
  arrow.y = arrowY;
  if (arrow.picture) arrow.box = PictureBox(*arrow.picture, arrowX, arrowY);
  if (arrow.mask) arrow.box = arrow.box.Union(PictureBox(*arrow.mask, arrowX, arrowY));
  scene.black = SharedPicture(PicPath(Pic::kBlack));
  scene.panel = SharedPicture(PicPath(Pic::kSidePanel));
  scene.panelLeft = kSidePanelX;
  scene.portraits = SharedPicture(PicPath(PortraitSheetPic(ValidScenario(scenario) ? scenario : 0)));
  scene.portrait = playerRuler - 1;
  scene.year = date.year;
  scene.month = date.month;
  scene.cities = playerCityCount;
  scene.officers = playerOfficerCount;
  scene.colorMode = colorMode;
  const char* name = GetCityName();
  scene.named = name != nullptr;
  if (name) scene.name = name;
  return scene;
}

void GameMap::PaintMapLayer(const MapScene& scene, const PixelBox& within) {
  // A copied picture covers whatever was drawn before it in its part, so the
  // layers under the black bands and the side panel are left out there.
  PixelBox panel = scene.panel ? PictureBox(*scene.panel, kSidePanelX, 0).Intersect(within) : PixelBox{};
  PixelBox bottom, top;
  if (scene.black) {
    bottom = PictureBox(*scene.black, 0, kPlayAreaBottom).Intersect(within);
    top = PictureBox(*scene.black, 0, -kPlayAreaBottom).Intersect(within);
  }
  std::vector<PixelBox> underBlack{within};
  Subtract(underBlack, panel);
  std::vector<PixelBox> underMap = underBlack;
  Subtract(underMap, bottom);
  Subtract(underMap, top);
  for (const PixelBox& part : underMap) PaintUnderBands(scene, part);
  if (scene.black) {
    for (const PixelBox& part : underBlack) {
      CopyPictureWithin(*backDC, part, *scene.black, 0, kPlayAreaBottom, RasterOp::Copy);
      CopyPictureWithin(*backDC, part, *scene.black, 0, -kPlayAreaBottom, RasterOp::Copy);
    }
  }
  if (scene.panel) CopyPictureWithin(*backDC, within, *scene.panel, kSidePanelX, 0, RasterOp::Copy);
}

void GameMap::PaintUnderBands(const MapScene& scene, const PixelBox& within) {
  if (scene.map)
    backDC->BlitWithin(within, 0, kPictureOffsetY, *scene.map, scrollX, scrollY, kMapPictureWidth, kMapPictureHeight,
                       RasterOp::Copy);
  for (const MapPiece& icon : scene.icons)
    if (!icon.box.Intersect(within).Empty()) PaintCityIcon(icon, within);
  const MapPiece& arrow = scene.arrow;
  if (arrow.mask) CopyPictureWithin(*backDC, within, *arrow.mask, arrow.x, arrow.y, RasterOp::Or);
  if (arrow.picture) CopyPictureWithin(*backDC, within, *arrow.picture, arrow.x, arrow.y, RasterOp::And);
}

void GameMap::PaintSidePanel(const MapScene& scene) {
  date.ShowYear(690, 300);
  date.ShowMonth(690, 350);
  head.Init(PicPath(PortraitSheetPic(ValidScenario(scenario) ? scenario : 0)), scene.portrait);
  head.Show(688, 58);
  if (scene.named) PaintPanelText(scene.name.c_str(), 695, 400);
  char text[16];
  snprintf(text, sizeof text, "%d", playerCityCount);
  PaintPanelText(text, 735, 185);
  snprintf(text, sizeof text, "%d", playerOfficerCount);
  PaintPanelText(text, 733, 235);
}

void GameMap::PaintPanelText(const char* text, int x, int y) {
  if (colorMode == 1) {
    DrawTextIn(*backDC, text, x, y, kFontLi, kPanelFont, kWhite);
  } else {
    DrawTextIn(*backDC, text, x, y, kFontHei, kPanelFont, kBlack);
  }
}

void GameMap::ShowRoadMap() {
  PaintBmp(0, PicPath(Pic::kBlack), 0, 480);
  PaintBmp(0, PicPath(Pic::kBlack), 0, -480);
  PaintBmp(0, PicPath(Pic::kFrame), 0, 0);
  Surface roads;
  if (LoadBmp(PicPath(Pic::kRoads), roads)) backDC->Blit(200, 120, roads, 0, 0, 800, 600, RasterOp::Copy);
  RequestRepaint();
}

void GameMap::ShowCityIcon(int mode) {
  PixelBox screen{0, 0, backDC->Width(), backDC->Height()};
  for (const MapPiece& icon : CityIcons()) PaintCityIcon(icon, screen);
}

std::vector<MapPiece> GameMap::CityIcons() {
  Log(1, "GameMap::ShowCityIcon", "开始", 0);
  std::vector<MapPiece> icons;
  if (!ValidScenario(scenario)) return icons;
  TableFile table(kCityOwnerTables[scenario]);
  // Each of the three pictures is looked up once a draw, and each owner's colour once.
  PictureRef empty = SharedPicture(PicPath(Pic::kEmptyCity));
  PictureRef mine = SharedPicture(PicPath(Pic::kMyCity));
  PictureRef theirs = SharedPicture(PicPath(Pic::kHisCity));
  std::vector<std::pair<int, int64_t>> tints;
  for (int i = 0; i < kCityCount; ++i) {
    int col = 0;
    int row = 0;
    int unused = 0;
    if (!table.Read(col) || !table.Read(row) || !table.Read(unused)) break;
    MapPiece icon;
    icon.owner = cityList.cities[i].ownerId;
    icon.picture = icon.owner == 0 ? empty : (icon.owner == playerRuler ? mine : theirs);
    icon.x = col * kCellWidth + kIconInsetX - scrollX;
    icon.y = row * kCellHeight + kIconInsetY - scrollY;
    if (icon.picture) {
      icon.box = PictureBox(*icon.picture, icon.x, icon.y);
      if (icon.owner != 0 && icon.owner != playerRuler) icon.tint = OwnerTint(icon.owner, tints);
    }
    icons.push_back(std::move(icon));
  }
  return icons;
}

int64_t GameMap::OwnerTint(int owner, std::vector<std::pair<int, int64_t>>& known) const {
  for (const auto& [who, tint] : known)
    if (who == owner) return tint;
  int mark = FactionMark(owner);
  int64_t tint = FactionPaletteColor(mark) + (FactionPaletteBanded(mark) ? kBandedTint : 0);
  known.emplace_back(owner, tint);
  return tint;
}

bool GameMap::CellAt(int x, int y, int& col, int& row) const {
  // The icons are pictures, painted kPictureOffsetY lower than they are placed.
  int placedY = y - kPictureOffsetY;
  if (x < 0 || x >= kSidePanelX || placedY < 0 || placedY >= kPlayAreaBottom) return false;
  int mapX = x + scrollX - kIconInsetX;
  int mapY = placedY + scrollY - kIconInsetY;
  if (mapX < 0 || mapY < 0) return false;
  col = mapX / kCellWidth;
  row = mapY / kCellHeight;
  return col < kMapColumns && row < kCellRows;
}

const char* GameMap::GetCityName() {
  Log(1, "GameMap::GetCityName", "开始", 0);
  int count = LoadLineList(kCityNameByCell);
  int index = cursorRow * kMapColumns + cursorCol;
  if (index < 0 || index >= kCityNameCells || index >= count || index >= kGridRows) return nullptr;
  if (textGrid[index][0] == '0') return nullptr;
  return textGrid[index];
}

void GameMap::Dump(JsonWriter& out) const {
  out.Int("selectedCity", selectedCity);
  out.Int("cursorCol", cursorCol);
  out.Int("cursorRow", cursorRow);
  out.Int("arrowX", arrowX);
  out.Int("arrowY", arrowY);
  out.Int("scrollX", scrollX);
  out.Int("scrollY", scrollY);
  out.Int("atLeftEdge", atLeftEdge);
  out.Int("atRightEdge", atRightEdge);
  out.Int("atTopEdge", atTopEdge);
  out.Int("atBottomEdge", atBottomEdge);
  out.Int("menuLevel", menuLevel);
  out.Int("rulerChoice", rulerChoice);
  out.Int("systemMenuResult", systemMenuResult);
  out.Int("cityMenuResult", cityMenuResult);
  out.Int("commandGroup", commandGroup);
  out.Int("systemMenuChoice", systemMenuChoice);
  out.Int("command", command);
  out.Int("secondPickOpen", secondPickOpen);
  out.Int("goodsListOpen", goodsListOpen);
  out.Int("operateOpen", operateOpen);
  out.Int("saveScreenOpen", saveScreenOpen);
  out.Int("battleOpen", battleOpen);
  out.Int("interiorMenuResult", interiorMenuResult);
  out.Int("diplomacyMenuResult", diplomacyMenuResult);
  out.Int("armamentMenuResult", armamentMenuResult);
  out.Int("scenario", scenario);
  out.Int("playerCityCount", playerCityCount);
  out.Int("playerOfficerCount", playerOfficerCount);
  out.Int("playerRuler", playerRuler);
  const Menu* menus[] = {&systemMenu, &cityMenu, &interiorMenu, &diplomacyMenu, &armamentMenu};
  const char* menuNames[] = {"systemMenu", "cityMenu", "interiorMenu", "diplomacyMenu", "armamentMenu"};
  for (int i = 0; i < 5; ++i) {
    out.BeginObject(menuNames[i]);
    menus[i]->Dump(out);
    out.EndObject();
  }
  date.Dump(out);
  out.BeginObject("head");
  head.Dump(out);
  out.EndObject();
  out.BeginObject("cityList");
  cityList.Dump(out);
  out.EndObject();
  cityList.DumpRecords(out);
  heroList.DumpRecords(out);
  goodList.DumpRecords(out);
  out.BeginObject("heroList");
  heroList.Dump(out);
  out.EndObject();
  out.BeginObject("goodList");
  goodList.Dump(out);
  out.EndObject();
  operate.Dump(out);
  out.BeginArray("tasks");
  for (const TaskRecord& t : taskTable) t.Dump(out);
  out.EndArray();
  out.Int("taskCount", taskCount);
  out.BeginObject("save");
  save.Dump(out);
  out.EndObject();
  out.BeginObject("fight");
  fight.Dump(out);
  out.EndObject();
  out.IntArray("warParty", warParty, kWarPartyMax);
  out.Int("warPartyCount", warPartyCount);
}
