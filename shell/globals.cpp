#include "shell/globals.h"

namespace {
Surface backBuffer;
Surface scratch;
}  // namespace

Surface* windowDC = nullptr;
Surface* backDC = &backBuffer;
Surface* workDC = &scratch;
int mainWindow = 0;

int screenNumber = 0;
int colorMode = 0;
int menuShow = 0;
int menuMove = 0;
int menuSpeed = 0;
int gameVersion = 0;

int keyReturn = 13;
int keyEsc = 27;
int keySpace = 32;
int keyHome = 36;
int keyUp = 38;
int keyDown = 40;
int keyLeft = 37;
int keyRight = 39;
