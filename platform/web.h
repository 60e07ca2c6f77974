#pragma once
// What the game needs from the page when it runs in a browser. Only the
// browser build has these; their callers are inside #ifdef __EMSCRIPTEN__.
#include <string>

// A file was opened for writing, moved or removed: the page copies the
// player's folder to the browser's storage once the game next yields.
void WebFileWritten();
// The game is about to wait for the next key (true) or has taken one (false):
// the page syncs the player's folder then, and its test driver waits for it.
void WebWaiting(bool waiting);
// Some data files are left out of the first download and fetched from the
// page's server the first time the game opens them. True when `path` is one
// of those and it is now on the page's disk (or the fetch failed: false).
bool WebFetchIfLate(const std::string& path);
// Whether `path` is a data file the page fetches late (and has not yet).
bool WebIsLate(const std::string& path);
// The game slept `ms` in one of its delays and its clock now reads `ticks`
// (the page's timing figures).
void WebSlept(unsigned ms, unsigned ticks);
// Hands a file the game wrote (a screenshot) to the browser as a download.
void WebOfferDownload(const std::string& path);
