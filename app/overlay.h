#pragma once
// Two panels laid over whatever screen is up, opened by fixed keys that no
// screen ever sees (like the screenshot key): F1 the help, F2 (on the plain map
// of a campaign) the report log. While one is open every key goes to it; the
// help closes on any key, the log scrolls with the arrows and closes on any
// other key. Closing puts the back buffer back exactly as it was, so the
// screen behind and every record are unchanged.

constexpr int kHelpKey = 112;       // F1
constexpr int kReportLogKey = 113;  // F2

enum class OverlayKind { None, Help, ReportLog };

// Takes a key before the game does. True when the key was the overlay's
// (an open panel's key, or F1 / F2), so the game must not see it.
bool OverlayKeyDown(int key);
OverlayKind OpenOverlay();
// The first entry line the report log shows (for tests).
int ReportLogScroll();
