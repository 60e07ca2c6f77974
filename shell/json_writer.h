#pragma once
// A small streaming JSON writer for the headless runner's state dumps. Strings
// given to it are GBK (the game's text) and are written as UTF-8.
#include <string>

class JsonWriter {
 public:
  void BeginObject();  // as a value (top level or array element)
  void BeginObject(const char* key);
  void EndObject();
  void BeginArray(const char* key);
  void BeginArray();
  void EndArray();
  void Int(const char* key, long long value);
  void Int(long long value);  // an array element
  void Double(const char* key, double value);
  void String(const char* key, const char* gbk);
  void String(const char* gbk);
  void IntArray(const char* key, const int* values, int count);
  const std::string& Text() const { return text_; }

 private:
  void Key(const char* key);
  void Separator();
  void Escaped(const std::string& utf8);
  std::string text_;
  bool needComma_ = false;
};
