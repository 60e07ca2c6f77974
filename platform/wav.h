#pragma once
// 16-bit mono PCM WAV files: resgen writes them, the game reads them back.
// Only this one shape is read; anything else is refused rather than guessed at.
#include <cstdint>
#include <string>
#include <vector>

struct WavClip {
  int rate = 0;
  std::vector<int16_t> samples;
};

// The file's bytes exactly: a 44-byte header, then the samples little-endian.
std::string WavBytes(const WavClip& clip);
bool WriteWav(const std::string& path, const WavClip& clip);
// False for a missing file, another format or a cut-off one.
bool ReadWav(const std::string& path, WavClip& out);
bool ParseWav(const std::string& bytes, WavClip& out);
