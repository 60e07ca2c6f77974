#include "platform/number_text.h"

#include <cctype>
#include <cstdlib>

bool NumberText::SkipSpace() {
  const std::string& text = *bytes_;
  while (at_ < text.size() && std::isspace(static_cast<unsigned char>(text[at_]))) ++at_;
  return at_ < text.size();
}

void NumberText::TakeLoneSign() {
  const std::string& text = *bytes_;
  if (text[at_] == '-' || text[at_] == '+') ++at_;
}

namespace {

// Up to nine digits always fit an int.
constexpr int kSureDigits = 9;

bool EndsNumber(char c) { return c == 0 || std::isspace(static_cast<unsigned char>(c)); }

// The tables hold short plain numbers: read those without strtol. Anything
// else (long, or running into other characters) is left to strtol.
bool ReadPlainInt(const char* text, int& value, int& length) {
  int i = text[0] == '-' || text[0] == '+' ? 1 : 0;
  int digits = 0;
  int v = 0;
  while (text[i] >= '0' && text[i] <= '9' && digits < kSureDigits) {
    v = v * 10 + (text[i] - '0');
    ++i, ++digits;
  }
  if (digits == 0 || !EndsNumber(text[i])) return false;
  value = text[0] == '-' ? -v : v;
  length = i;
  return true;
}

}  // namespace

bool NumberText::Read(int& out) {
  if (!bytes_ || !SkipSpace()) return false;
  const char* start = bytes_->c_str() + at_;
  int plain = 0, length = 0;
  if (ReadPlainInt(start, plain, length)) {
    at_ += static_cast<size_t>(length);
    out = plain;
    return true;
  }
  char* end = nullptr;
  long value = std::strtol(start, &end, 10);
  if (end == start) {
    TakeLoneSign();
    return false;
  }
  at_ += static_cast<size_t>(end - start);
  out = static_cast<int>(value);
  return true;
}

bool NumberText::Read(double& out) {
  if (!bytes_ || !SkipSpace()) return false;
  const char* start = bytes_->c_str() + at_;
  char* end = nullptr;
  double value = std::strtod(start, &end);
  if (end == start) {
    TakeLoneSign();
    return false;
  }
  at_ += static_cast<size_t>(end - start);
  out = value;
  return true;
}
