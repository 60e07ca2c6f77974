#pragma once
// Child-process probes of the real window on the display (make bench gives it
// a virtual one): what the program costs while it waits for a key, and what
// showing a changed full-screen frame costs.
#include <string>

// Runs the real program in a window from buildDir, through its intro to the
// title, then on to the strategic map with keys a keyboard would send, and
// prints the share of one core the process used while idle on each ("-1" for
// a screen not reached).
int IdleProbe(const std::string& buildDir);
// Opens a full-screen window and prints the median and 99th percentile of the
// processor time (ms) of presenting a changed frame, the elapsed p99, and the
// window's size.
int PresentProbe();
