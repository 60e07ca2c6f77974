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

bool NumberText::Read(int& out) {
  if (!bytes_ || !SkipSpace()) return false;
  const char* start = bytes_->c_str() + at_;
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
