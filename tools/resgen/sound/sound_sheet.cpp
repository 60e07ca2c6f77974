// Sounds to look at: every file of Res/Sound as a spectrogram on a
// logarithmic pitch axis with the pentatonic scale's lines across it, the
// waveform's envelope under it, and its figures (length, peak, offset, the
// loop's seam) beside its name. A note off the scale, a click, clipping or a
// drifting offset shows at a glance.
#include <cmath>
#include <complex>
#include <string>
#include <vector>

#include "platform/png_writer.h"
#include "platform/text.h"
#include "platform/wav.h"
#include "rules/sounds.h"
#include "tools/resgen/common/paint.h"
#include "tools/resgen/sound/sound_sheet.h"

namespace {

constexpr int kColumns = 3;
constexpr int kWidth = 400;  // of one sound's cell
constexpr int kLabelH = 20;
constexpr int kSpectrumH = 160;
constexpr int kWaveH = 30;
constexpr int kRowH = kLabelH + kSpectrumH + kWaveH + 8;
constexpr int kFftSize = 2048;
constexpr double kLowHz = 55.0;  // A1
constexpr double kOctaves = 6.0;
constexpr double kPi = 3.14159265358979323846;
// Degree 1 of every piece (D), and the scale's other degrees above it.
constexpr int kTonicMidi = 62;
constexpr int kScaleSemitones[] = {0, 2, 4, 7, 9};

void Fft(std::vector<std::complex<double>>& a) {
  size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    std::complex<double> w(std::cos(-2 * kPi / len), std::sin(-2 * kPi / len));
    for (size_t i = 0; i < n; i += len) {
      std::complex<double> u(1, 0);
      for (size_t k = 0; k < len / 2; ++k, u *= w) {
        std::complex<double> x = a[i + k], y = a[i + k + len / 2] * u;
        a[i + k] = x + y;
        a[i + k + len / 2] = x - y;
      }
    }
  }
}

int RowOfHz(double hz) { return kSpectrumH - 1 - static_cast<int>(std::log2(hz / kLowHz) / kOctaves * kSpectrumH); }

Pixel Heat(double level) {  // 0..1
  level = std::fmin(std::fmax(level, 0.0), 1.0);
  int r = static_cast<int>(255 * std::fmin(1.0, level * 2));
  int g = static_cast<int>(255 * std::fmax(0.0, level * 2 - 1));
  int b = static_cast<int>(90 * (1 - level));
  return Rgb(r, g, b);
}

void PaintSpectrum(Surface& sheet, int left, int top, const WavClip& clip) {
  std::vector<std::complex<double>> frame(kFftSize);
  size_t n = clip.samples.size();
  for (int x = 0; x < kWidth; ++x) {
    size_t centre = n * x / kWidth;
    for (int i = 0; i < kFftSize; ++i) {
      long at = static_cast<long>(centre) + i - kFftSize / 2;
      double window = 0.5 - 0.5 * std::cos(2 * kPi * i / (kFftSize - 1));
      double v = at >= 0 && at < static_cast<long>(n) ? clip.samples[at] / 32768.0 : 0.0;
      frame[i] = {v * window, 0};
    }
    Fft(frame);
    for (int y = 0; y < kSpectrumH; ++y) {
      double hz = kLowHz * std::pow(2.0, kOctaves * (kSpectrumH - 1 - y) / kSpectrumH);
      size_t bin = static_cast<size_t>(hz * kFftSize / clip.rate);
      if (bin >= kFftSize / 2) continue;
      double db = 20 * std::log10(std::abs(frame[bin]) / (kFftSize / 4) + 1e-9);
      sheet.Set(left + x, top + y, Heat((db + 80) / 70));
    }
  }
  for (int octave = -2; octave < 5; ++octave) {
    for (int degree : kScaleSemitones) {
      double hz = 440.0 * std::pow(2.0, (kTonicMidi + 12 * octave + degree - 69) / 12.0);
      int y = RowOfHz(hz);
      if (y < 0 || y >= kSpectrumH) continue;
      Pixel line = degree == 0 ? Rgb(120, 200, 255) : Rgb(60, 110, 150);
      for (int x = 0; x < kWidth; x += degree == 0 ? 2 : 6) sheet.Set(left + x, top + y, line);
    }
  }
}

void PaintWave(Surface& sheet, int left, int top, const WavClip& clip) {
  size_t n = clip.samples.size();
  for (int x = 0; x < kWidth; ++x) {
    int lo = 0, hi = 0;
    for (size_t i = n * x / kWidth; i < n * (x + 1) / kWidth; ++i) {
      lo = std::min<int>(lo, clip.samples[i]);
      hi = std::max<int>(hi, clip.samples[i]);
    }
    int y0 = top + kWaveH / 2 - hi * kWaveH / 2 / 32768, y1 = top + kWaveH / 2 - lo * kWaveH / 2 / 32768;
    bool clipped = hi >= 32767 || lo <= -32768;
    for (int y = y0; y <= y1; ++y) sheet.Set(left + x, y, clipped ? Rgb(255, 40, 40) : Rgb(200, 200, 190));
  }
}

std::string Figures(const SoundRow& row, const WavClip& clip) {
  double sum = 0;
  int peak = 0;
  for (int16_t s : clip.samples) {
    sum += s;
    peak = std::max(peak, std::abs(static_cast<int>(s)));
  }
  size_t n = clip.samples.size();
  char text[200];
  std::snprintf(text, sizeof text, "%s  %.2f s  peak %.0f%%  offset %.3f%%", row.name, n / double(clip.rate),
                100.0 * peak / 32767, n ? 100.0 * sum / n / 32767 : 0.0);
  std::string out = text;
  if (row.loops && n > 1) {
    std::snprintf(text, sizeof text, "  seam %d", std::abs(clip.samples[0] - clip.samples[n - 1]));
    out += text;
  }
  return out;
}

}  // namespace

bool WriteSoundSheet(const std::string& resDir, const std::string& pngPath) {
  int rows = (kSoundCount + kColumns - 1) / kColumns;
  Surface sheet(kColumns * (kWidth + 4), kRowH * rows, Rgb(20, 20, 28));
  std::string face = Utf8ToGbk(paint::kFaceHei);
  TextStyle style{{face.c_str(), 14, 400}, kWhite, false, kBlack};
  for (int k = 0; k < kSoundCount; ++k) {
    const SoundRow& row = kSoundRows[k];
    int top = k / kColumns * kRowH;
    int left = k % kColumns * (kWidth + 4);
    WavClip clip;
    if (!ReadWav(resDir + "/Sound/" + row.name + ".wav", clip) || clip.samples.empty()) {
      DrawText(sheet, left + 6, top + 2, (std::string(row.name) + "  (unreadable)").c_str(), style);
      continue;
    }
    DrawText(sheet, left + 6, top + 2, Figures(row, clip).c_str(), style);
    PaintSpectrum(sheet, left, top + kLabelH, clip);
    PaintWave(sheet, left, top + kLabelH + kSpectrumH + 4, clip);
  }
  return SavePng(pngPath, sheet);
}
