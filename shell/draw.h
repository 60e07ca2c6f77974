#pragma once
// The drawing toolkit every screen draws through. Pictures are BMP files under
// Res, placed 50 pixels below the y given (the picture area starts at y 50).
// Text is GBK in the game font ("黑体", weight 900, fixed pitch).
#include <memory>

#include "platform/surface.h"

constexpr int kPictureOffsetY = 50;
constexpr int kCell = 60;            // message boxes and menus are sized in 60-pixel cells
constexpr int kDefaultDelay = 2000;  // a delay of -1 means this many milliseconds

// Panel colours (colorMode 1) and the plain frame (colorMode 0).
constexpr Pixel kPanelPen = Rgb(180, 106, 41);
constexpr Pixel kPanelBrush = Rgb(198, 151, 81);
constexpr int kFramePenWidth = 5;

constexpr const char* kFontHei = "黑体";
constexpr const char* kFontLi = "隶书";
constexpr int kFontWeightHeavy = 900;

// Loads a picture; false (and an empty surface) when it is missing.
bool LoadBmp(const char* path, Surface& out);
// The picture of a file, kept in memory between draws for as long as the file
// on disk keeps its size and modification time (a changed file is read again).
// Null when the file is missing or unreadable. Valid until the next call.
const Surface* Picture(const char* path);
// The same picture, shared: it stays valid for as long as the caller holds it,
// whatever the cache does with its own reference meanwhile.
std::shared_ptr<const Surface> SharedPicture(const char* path);
void PaintBmp(int unused, const char* path, int x, int y);
void PaintMaskedBmp(int unused, const char* image, const char* mask, int x, int y);
// The same, leaving every pixel of the back buffer outside `within` as it is.
void PaintBmpWithin(const PixelBox& within, const char* path, int x, int y);
void PaintMaskedBmpWithin(const PixelBox& within, const char* image, const char* mask, int x, int y);
// A picture copy onto `target` at (x, y) as PaintBmp places it.
void CopyPictureWithin(Surface& target, const PixelBox& within, const Surface& picture, int x, int y, RasterOp op);
// The part of the back buffer that PaintBmp of `picture` at (x, y) may change.
PixelBox PictureBox(const Surface& picture, int x, int y);
void ShowBmp(int delay, const char* path, int x, int y);
void ShowBmpNow(int delay, const char* path, int x, int y);
void PaintText(const char* text, int x, int y, int height);
void PaintTextNow(const char* text, int x, int y, int height);
void PaintMessageFrame(const char* text, int left, int top, int cellsWide, int cellsHigh);
void ShowMessage2(const char* text1, const char* text2, int left, int top, int cellsWide, int cellsHigh, int delay);
void ShowMessage2Narrow(const char* text1, const char* text2, int left, int top, int cellsWide, int cellsHigh,
                        int delay);
void ShowMessage3(const char* text1, const char* text2, const char* text3, int left, int top, int cellsWide,
                  int cellsHigh, int delay);
void Wait(int ms);
void PumpMessage();
int SqrtBelow(int a);

// The lower-level pieces the screens share (the graphics calls the toolkit is
// made of). `target` is backDC or windowDC.

// Text in a given face, height and colour, with the background mode of the
// process: opaque white unless colorMode is 1 (then transparent).
void DrawTextIn(Surface& target, const char* text, int x, int y, const char* face, int height, Pixel color);
// A rectangle from (x1, y1) to (x2, y2) with the panel pen and brush when
// colorMode is 1, else the black 5-pixel pen and a white brush.
void DrawPanelRect(Surface& target, int x1, int y1, int x2, int y2);
// A rectangle with the black 5-pixel pen and a white brush, whatever colorMode says.
void DrawFrameRect(Surface& target, int x1, int y1, int x2, int y2);
// Destination inversion of (x, y, w, h).
void InvertBand(Surface& target, int x, int y, int w, int h);
// Asks the window to show the back buffer at the next paint (drawing into the
// back buffer already does this; kept for the places that say so).
void RequestRepaint();
// Copies the whole back buffer onto the window now and presents it.
void CopyBackToWindow();
