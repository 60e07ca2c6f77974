#pragma once
// Every picture the game loads: its file, its size and the resgen function
// that paints it. The game draws by these names, resgen writes each file at
// this size, and the resgen tests hold the two to each other, so a picture
// renamed or resized in one place cannot go unnoticed in the other.
//
// Each file name is written out once below, numbered families included, so a
// grep for a file finds the one row that names it.
#include "rules/weather.h"

enum class Pic : int {
  // Start-up, intro and title.
  kBackBuffer,
  kBlack,
  kWhite,
  kIntro05,
  kIntro06,
  kIntro07,
  kIntro08,
  kTitle,
  kBa,
  kBaMask,
  kYe,
  kYeMask,
  kTitleMenu,
  kTitleNew,
  kTitleLoad,
  kTitleAbout,
  kTitleQuit,
  kCredits,
  // Panels, the save and scenario screens.
  kMessageBack,
  kFrame,
  kSaveScreen,
  kHistory,
  kCard1,
  kCard2,
  kCard3,
  kCard4,
  kIcon,
  // The strategic map.
  kMap,
  kMyCity,
  kHisCity,
  kEmptyCity,
  kMapArrow,
  kMapArrowMask,
  kSidePanel,
  kRoads,
  kFactionMap,
  // Answers, reports and war banners.
  kAnswerPanel,
  kReportBack,
  kWarGo,
  kWarVs,
  kWarWin,
  kWarLose,
  kBattleMessage,
  // The battle.
  kTiles,
  kUnits,
  kUnitsMask,
  kStepCross,
  kStepCrossMask,
  kStepAt,
  kStepAtMask,
  kFightArrow,
  kFightArrowMask,
  kLevelUp,
  kLevelUpMask,
  kDefeat,
  kDefeatMask,
  kStrike,
  kStrikeMask,
  kStatusBar,
  kWeatherIcon1,
  kWeatherIcon1Mask,
  kWeatherIcon2,
  kWeatherIcon2Mask,
  kWeatherIcon3,
  kWeatherIcon3Mask,
  kWeatherIcon4,
  kWeatherIcon4Mask,
  kWeatherIcon5,
  kWeatherIcon5Mask,
  kDayClear,
  kDayOvercast,
  kDayWind,
  kDayRain,
  kDayIce,
  kDayBanner,
  kDuelBack,
  kDuelAttacker,
  kDuelTarget,
  kMissile1,
  kMissile2,
  kSkillSheet,
  // The portrait sheets, one per scenario.
  kPortraits1,
  kPortraits2,
  kPortraits3,
  kPortraits4,
  kCount
};

struct PicRow {
  Pic pic;              // the row's own name, so a row out of order fails to compile
  const char* path;     // as the game opens it
  int width, height;    // as resgen writes it and the game's drawing calls expect it
  const char* painter;  // the resgen function that paints it, shown on the contact sheet
};

// Sizes follow the drawing calls: the back buffer is 800 x 600 and a full
// picture fills the 800 x 480 area above the message strip; battle squares are
// 80 x 80 and the map's cells 90 x 80 with 40 x 40 city icons.
inline constexpr PicRow kPictureRows[] = {
    {Pic::kBackBuffer, "Res\\01a.kbp", 800, 600, "BackBuffer"},
    {Pic::kBlack, "Res\\black.kbp", 800, 480, "Plain"},
    {Pic::kWhite, "Res\\white.kbp", 800, 480, "WhitePaper"},
    {Pic::kIntro05, "Res\\05.kbp", 800, 480, "IntroFrame"},
    {Pic::kIntro06, "Res\\06.kbp", 800, 480, "IntroFrame"},
    {Pic::kIntro07, "Res\\07.kbp", 800, 480, "IntroFrame"},
    {Pic::kIntro08, "Res\\08.kbp", 800, 480, "IntroFrame"},
    {Pic::kTitle, "Res\\01.kbp", 800, 480, "TitleBackground"},
    {Pic::kBa, "Res\\ba.kbp", 300, 300, "GreatCharacter"},
    {Pic::kBaMask, "Res\\ba1.kbp", 300, 300, "GreatCharacter"},
    {Pic::kYe, "Res\\ye.kbp", 300, 300, "GreatCharacter"},
    {Pic::kYeMask, "Res\\ye1.kbp", 300, 300, "GreatCharacter"},
    {Pic::kTitleMenu, "Res\\gmstart.kbp", 800, 480, "TitleMenu"},
    {Pic::kTitleNew, "Res\\gmnew.kbp", 365, 110, "LitEntry"},
    {Pic::kTitleLoad, "Res\\gmback.kbp", 365, 110, "LitEntry"},
    {Pic::kTitleAbout, "Res\\gmwork.kbp", 365, 110, "LitEntry"},
    {Pic::kTitleQuit, "Res\\gmend.kbp", 365, 110, "LitEntry"},
    {Pic::kCredits, "Res\\maker.kbp", 800, 480, "Credits"},
    {Pic::kMessageBack, "Res\\messageback.kbp", 800, 64, "MessageStrip"},
    {Pic::kFrame, "Res\\kuang.kbp", 800, 480, "FramedBackdrop"},
    {Pic::kSaveScreen, "Res\\save.kbp", 800, 480, "SaveScreen"},
    {Pic::kHistory, "Res\\history.kbp", 800, 480, "HistoryScreen"},
    {Pic::kCard1, "Res\\1dznq.kbp", 382, 175, "PeriodCard"},
    {Pic::kCard2, "Res\\2ccjq.kbp", 382, 175, "PeriodCard"},
    {Pic::kCard3, "Res\\3cbzz.kbp", 382, 175, "PeriodCard"},
    {Pic::kCard4, "Res\\4sgdl.kbp", 382, 175, "PeriodCard"},
    {Pic::kIcon, "Res\\about.kbp", 64, 64, "WindowIcon"},
    {Pic::kMap, "Res\\map.kbp", 1120, 750, "StrategicMap"},
    {Pic::kMyCity, "Res\\City\\mycity.kbp", 40, 40, "CityIcon"},
    {Pic::kHisCity, "Res\\City\\hiscity.kbp", 40, 40, "CityIcon"},
    {Pic::kEmptyCity, "Res\\City\\emcity.kbp", 40, 40, "CityIcon"},
    {Pic::kMapArrow, "Res\\arrow.kbp", 72, 64, "CursorArrow"},
    {Pic::kMapArrowMask, "Res\\arrowmask.kbp", 72, 64, "CursorArrow"},
    {Pic::kSidePanel, "Res\\right.kbp", 120, 480, "SidePanel"},
    {Pic::kRoads, "Res\\way.kbp", 570, 385, "RoadMap"},
    {Pic::kFactionMap, "Res\\who.kbp", 480, 400, "FactionMap"},
    {Pic::kAnswerPanel, "Res\\Fight\\fight_imformation.kbp", 760, 250, "AnswerPanel"},
    {Pic::kReportBack, "Res\\Fight\\fight_msgback.kbp", 640, 440, "ReportBackdrop"},
    {Pic::kWarGo, "Res\\Fight\\fight_go.kbp", 360, 300, "MarchScene"},
    {Pic::kWarVs, "Res\\Fight\\fight_vs.kbp", 360, 300, "ClashScene"},
    {Pic::kWarWin, "Res\\Fight\\fight_win.kbp", 360, 300, "VictoryScene"},
    {Pic::kWarLose, "Res\\Fight\\fight_lose.kbp", 360, 300, "DefeatScene"},
    {Pic::kBattleMessage, "Res\\Fight\\fight_messagekuang.kbp", 590, 110, "MessageFrame"},
    {Pic::kTiles, "Res\\Fight\\tiles.kbp", 80, 3680, "PaintTiles"},
    {Pic::kUnits, "Res\\Fight\\fight_bing.kbp", 1120, 160, "PaintUnitSheet"},
    {Pic::kUnitsMask, "Res\\Fight\\fight_bingmask.kbp", 1120, 160, "PaintUnitSheet"},
    {Pic::kStepCross, "Res\\Fight\\stepcross.kbp", 80, 80, "RangeMarker"},
    {Pic::kStepCrossMask, "Res\\Fight\\stepcrossmask.kbp", 80, 80, "RangeMarker"},
    {Pic::kStepAt, "Res\\Fight\\stepat.kbp", 80, 80, "RangeMarker"},
    {Pic::kStepAtMask, "Res\\Fight\\stepatmask.kbp", 80, 80, "RangeMarker"},
    {Pic::kFightArrow, "Res\\Fight\\arrow.kbp", 80, 80, "PaintMarkers"},
    {Pic::kFightArrowMask, "Res\\Fight\\arrowmask.kbp", 80, 80, "PaintMarkers"},
    {Pic::kLevelUp, "Res\\Fight\\sj.kbp", 400, 80, "LevelUpFrame"},
    {Pic::kLevelUpMask, "Res\\Fight\\sjmask.kbp", 400, 80, "LevelUpFrame"},
    {Pic::kDefeat, "Res\\Fight\\sw.kbp", 400, 80, "DefeatFrame"},
    {Pic::kDefeatMask, "Res\\Fight\\swmask.kbp", 400, 80, "DefeatFrame"},
    {Pic::kStrike, "Res\\Fight\\atshow.kbp", 400, 80, "StrikeFrame"},
    {Pic::kStrikeMask, "Res\\Fight\\atshowmask.kbp", 400, 80, "StrikeFrame"},
    {Pic::kStatusBar, "Res\\Fight\\fight_statue.kbp", 800, 150, "PaintStatusBar"},
    {Pic::kWeatherIcon1, "Res\\Fight\\fight_weather1.kbp", 140, 100, "PaintIcon"},
    {Pic::kWeatherIcon1Mask, "Res\\Fight\\fight_weather1mask.kbp", 140, 100, "PaintIcon"},
    {Pic::kWeatherIcon2, "Res\\Fight\\fight_weather2.kbp", 140, 100, "PaintIcon"},
    {Pic::kWeatherIcon2Mask, "Res\\Fight\\fight_weather2mask.kbp", 140, 100, "PaintIcon"},
    {Pic::kWeatherIcon3, "Res\\Fight\\fight_weather3.kbp", 140, 100, "PaintIcon"},
    {Pic::kWeatherIcon3Mask, "Res\\Fight\\fight_weather3mask.kbp", 140, 100, "PaintIcon"},
    {Pic::kWeatherIcon4, "Res\\Fight\\fight_weather4.kbp", 140, 100, "PaintIcon"},
    {Pic::kWeatherIcon4Mask, "Res\\Fight\\fight_weather4mask.kbp", 140, 100, "PaintIcon"},
    {Pic::kWeatherIcon5, "Res\\Fight\\fight_weather5.kbp", 140, 100, "PaintIcon"},
    {Pic::kWeatherIcon5Mask, "Res\\Fight\\fight_weather5mask.kbp", 140, 100, "PaintIcon"},
    {Pic::kDayClear, "Res\\Fight\\01fight_qin.kbp", 640, 320, "PaintDayImage"},
    {Pic::kDayOvercast, "Res\\Fight\\02fight_yin.kbp", 640, 320, "PaintDayImage"},
    {Pic::kDayWind, "Res\\Fight\\03fight_feng.kbp", 640, 320, "PaintDayImage"},
    {Pic::kDayRain, "Res\\Fight\\04fight_yu.kbp", 640, 320, "PaintDayImage"},
    {Pic::kDayIce, "Res\\Fight\\05fight_bin.kbp", 640, 320, "PaintDayImage"},
    {Pic::kDayBanner, "Res\\Fight\\fight_days.kbp", 220, 100, "PaintDayBanner"},
    {Pic::kDuelBack, "Res\\Fight\\SpeBack.kbp", 650, 320, "PaintBackdrop"},
    {Pic::kDuelAttacker, "Res\\Fight\\fight_left.kbp", 1505, 1435, "AttackerCell"},
    {Pic::kDuelTarget, "Res\\Fight\\fight_right.kbp", 380, 1505, "TargetCell"},
    {Pic::kMissile1, "Res\\Fight\\arrow1.kbp", 45, 25, "PaintMissile"},
    {Pic::kMissile2, "Res\\Fight\\arrow2.kbp", 45, 25, "PaintMissile"},
    {Pic::kSkillSheet, "Res\\Fight\\fight_skill.kbp", 660, 2560, "PaintSkillSheet"},
    {Pic::kPortraits1, "Res\\Head\\1dznq.kbp", 1200, 3600, "PaintPortraitSheet"},
    {Pic::kPortraits2, "Res\\Head\\2ccjq.kbp", 1200, 3600, "PaintPortraitSheet"},
    {Pic::kPortraits3, "Res\\Head\\3cbzz.kbp", 1200, 3600, "PaintPortraitSheet"},
    {Pic::kPortraits4, "Res\\Head\\4sgdl.kbp", 1200, 3600, "PaintPortraitSheet"},
};
constexpr int kPictureCount = static_cast<int>(Pic::kCount);
static_assert(sizeof kPictureRows / sizeof kPictureRows[0] == kPictureCount, "one row per picture");

constexpr bool PictureRowsInOrder() {
  for (int i = 0; i < kPictureCount; ++i)
    if (static_cast<int>(kPictureRows[i].pic) != i) return false;
  return true;
}
static_assert(PictureRowsInOrder(), "row i names picture i");

constexpr const PicRow& PicInfo(Pic p) { return kPictureRows[static_cast<int>(p)]; }
constexpr const char* PicPath(Pic p) { return PicInfo(p).path; }
constexpr int PicWidth(Pic p) { return PicInfo(p).width; }
constexpr int PicHeight(Pic p) { return PicInfo(p).height; }

// Numbered families: the k-th member counted from the family's first row.
constexpr Pic PicAfter(Pic first, int k) { return static_cast<Pic>(static_cast<int>(first) + k); }

constexpr int kIntroFramePics = 4;
constexpr Pic IntroFramePic(int k) { return PicAfter(Pic::kIntro05, k); }  // 0..3
constexpr int kTitleEntryPics = 4;
constexpr Pic TitleEntryPic(int i) { return PicAfter(Pic::kTitleNew, i); }  // new, load, about, quit
constexpr int kScenarioPics = 4;
constexpr Pic ScenarioCardPic(int s) { return PicAfter(Pic::kCard1, s); }        // scenario 0..3
constexpr Pic PortraitSheetPic(int s) { return PicAfter(Pic::kPortraits1, s); }  // scenario 0..3
constexpr int kMissilePics = 2;
constexpr Pic MissilePic(int v) { return PicAfter(Pic::kMissile1, v); }  // 0..1
// Weather 1..5 (rules/weather.h); each icon is followed by its mask.
constexpr Pic WeatherIconPic(int weather) { return PicAfter(Pic::kWeatherIcon1, 2 * (weather - 1)); }
constexpr Pic WeatherIconMaskPic(int weather) { return PicAfter(Pic::kWeatherIcon1Mask, 2 * (weather - 1)); }
constexpr Pic WeatherDayPic(int weather) { return PicAfter(Pic::kDayClear, weather - 1); }

static_assert(IntroFramePic(kIntroFramePics - 1) == Pic::kIntro08);
static_assert(TitleEntryPic(kTitleEntryPics - 1) == Pic::kTitleQuit);
static_assert(ScenarioCardPic(kScenarioPics - 1) == Pic::kCard4);
static_assert(PortraitSheetPic(kScenarioPics - 1) == Pic::kPortraits4);
static_assert(MissilePic(kMissilePics - 1) == Pic::kMissile2);
static_assert(WeatherIconPic(kWeatherIce) == Pic::kWeatherIcon5);
static_assert(WeatherIconMaskPic(kWeatherIce) == Pic::kWeatherIcon5Mask);
static_assert(WeatherDayPic(kWeatherIce) == Pic::kDayIce);
