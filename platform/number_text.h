#pragma once
// Whitespace-separated decimal numbers read one at a time from a file's bytes,
// as the stream reads of the game's tables took them: a failed read consumes
// nothing but a lone sign, and a number too long for an int keeps its low bits.
#include <memory>
#include <string>

class NumberText {
 public:
  NumberText() = default;
  explicit NumberText(std::shared_ptr<const std::string> bytes) : bytes_(std::move(bytes)) {}

  bool HasText() const { return bytes_ != nullptr; }
  bool Read(int& out);
  bool Read(double& out);

 private:
  // Skips white space; false at the end of the text.
  bool SkipSpace();
  // A sign with no digit after it is taken and the read fails.
  void TakeLoneSign();

  std::shared_ptr<const std::string> bytes_;
  size_t at_ = 0;
};
