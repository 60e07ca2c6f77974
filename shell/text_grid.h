#pragma once
// The single grid of 255 lines of 20 bytes into which every ".kss" list is read.
// A list must be used right after loading it: the next load overwrites the grid.
constexpr int kGridRows = 255;
constexpr int kGridWidth = 20;

extern char textGrid[kGridRows][kGridWidth];

// Reads the list file line by line into the grid; returns the number of lines
// read. Stops at the end, at a line of 20 or more bytes, or after 255 lines.
// A missing file returns 0 and leaves the grid as it was.
int LoadLineList(const char* path);
