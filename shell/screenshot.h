#pragma once
// The screenshot key: the window as the player sees it, written as PNG into the
// working directory (the player's own folder for an installed game). It is taken
// in the window procedure before any screen sees the key, so no game state moves.
#include <string>

constexpr int kScreenshotKey = 123;  // F12

// Writes the window surface to the first free "kestrelmoor-YYYYMMDD-HHMMSS[-n].png"
// in `folder`. Returns the file written, or empty when it could not be written.
std::string SaveScreenshot(const std::string& folder);
