#pragma once
// The process-wide globals every screen reads. Only start-up writes the window,
// surfaces, options and keys; the battle's settings menus also write the three
// battle display options.
#include "platform/surface.h"
#include "rules/data_files.h"  // kStartupIni, which every screen that saves a setting writes

// The surfaces that stand in for the window's own context, the back buffer and
// the scratch context. All drawing coordinates are logical 800 x 600.
extern Surface* windowDC;
extern Surface* backDC;
extern Surface* workDC;
extern int mainWindow;  // 1 while the window (or the headless stand-in) exists

extern int screenNumber;
extern int colorMode;
extern int menuShow;
extern int menuMove;
extern int menuSpeed;
extern int gameVersion;

extern int keyReturn;
extern int keyEsc;
extern int keySpace;
extern int keyHome;
extern int keyUp;
extern int keyDown;
extern int keyLeft;
extern int keyRight;

// The screen numbers.
constexpr int kScreenIntro = 0;
constexpr int kScreenTitle = 1;
constexpr int kScreenScenario = 2;
constexpr int kScreenRuler = 3;
constexpr int kScreenMap = 4;
constexpr int kScreenMapMenu = 5;
constexpr int kScreenCityMenu = 6;
