#include "platform/wav.h"

#include <cstring>

#include "platform/files.h"

namespace {

constexpr int kHeaderBytes = 44;
constexpr int kFmtChunkBytes = 16;
constexpr int kPcmFormat = 1;
constexpr int kBitsPerSample = 16;

void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void Put16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

uint32_t Get32(const std::string& s, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + i]);
  return v;
}

uint16_t Get16(const std::string& s, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(s[at]) | static_cast<unsigned char>(s[at + 1]) << 8);
}

}  // namespace

std::string WavBytes(const WavClip& clip) {
  uint32_t data = static_cast<uint32_t>(clip.samples.size() * 2);
  std::string out;
  out.reserve(kHeaderBytes + data);
  out += "RIFF";
  Put32(out, kHeaderBytes - 8 + data);
  out += "WAVEfmt ";
  Put32(out, kFmtChunkBytes);
  Put16(out, kPcmFormat);
  Put16(out, 1);  // mono
  Put32(out, static_cast<uint32_t>(clip.rate));
  Put32(out, static_cast<uint32_t>(clip.rate) * 2);
  Put16(out, 2);
  Put16(out, kBitsPerSample);
  out += "data";
  Put32(out, data);
  for (int16_t s : clip.samples) Put16(out, static_cast<uint16_t>(s));
  return out;
}

bool WriteWav(const std::string& path, const WavClip& clip) {
  std::string bytes = WavBytes(clip);
  FILE* f = OpenFile(path, "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

bool ParseWav(const std::string& bytes, WavClip& out) {
  if (bytes.size() < kHeaderBytes || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 8, "WAVEfmt ") != 0)
    return false;
  if (Get32(bytes, 16) != kFmtChunkBytes || Get16(bytes, 20) != kPcmFormat || Get16(bytes, 22) != 1 ||
      Get16(bytes, 34) != kBitsPerSample || bytes.compare(36, 4, "data") != 0)
    return false;
  uint32_t data = Get32(bytes, 40);
  if (data % 2 != 0 || data > bytes.size() - kHeaderBytes) return false;
  out.rate = static_cast<int>(Get32(bytes, 24));
  out.samples.resize(data / 2);
  for (size_t i = 0; i < out.samples.size(); ++i)
    out.samples[i] = static_cast<int16_t>(Get16(bytes, kHeaderBytes + 2 * i));
  return out.rate > 0;
}

bool ReadWav(const std::string& path, WavClip& out) {
  FILE* f = OpenFile(path, "rb");
  if (!f) return false;
  std::string bytes;
  char buffer[1 << 14];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
  std::fclose(f);
  return ParseWav(bytes, out);
}
