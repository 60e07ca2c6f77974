#include "shell/json_writer.h"

#include <cstdio>

#include "platform/text.h"

void JsonWriter::Separator() {
  if (needComma_) text_ += ',';
  needComma_ = false;
}

void JsonWriter::Key(const char* key) {
  Separator();
  Escaped(key);
  text_ += ':';
}

void JsonWriter::Escaped(const std::string& utf8) {
  text_ += '"';
  for (unsigned char c : utf8) {
    if (c == '"' || c == '\\') {
      text_ += '\\';
      text_ += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      text_ += buf;
    } else {
      text_ += static_cast<char>(c);
    }
  }
  text_ += '"';
}

void JsonWriter::BeginObject() {
  Separator();
  text_ += '{';
}

void JsonWriter::BeginObject(const char* key) {
  Key(key);
  text_ += '{';
}

void JsonWriter::EndObject() {
  text_ += '}';
  needComma_ = true;
}

void JsonWriter::BeginArray(const char* key) {
  Key(key);
  text_ += '[';
}

void JsonWriter::BeginArray() {
  Separator();
  text_ += '[';
}

void JsonWriter::EndArray() {
  text_ += ']';
  needComma_ = true;
}

void JsonWriter::Int(const char* key, long long value) {
  Key(key);
  text_ += std::to_string(value);
  needComma_ = true;
}

void JsonWriter::Int(long long value) {
  Separator();
  text_ += std::to_string(value);
  needComma_ = true;
}

void JsonWriter::Double(const char* key, double value) {
  Key(key);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17g", value);
  text_ += buf;
  needComma_ = true;
}

void JsonWriter::String(const char* key, const char* gbk) {
  Key(key);
  Escaped(GbkToUtf8(gbk ? gbk : ""));
  needComma_ = true;
}

void JsonWriter::String(const char* gbk) {
  Separator();
  Escaped(GbkToUtf8(gbk ? gbk : ""));
  needComma_ = true;
}

void JsonWriter::IntArray(const char* key, const int* values, int count) {
  BeginArray(key);
  for (int i = 0; i < count; ++i) Int(values[i]);
  EndArray();
}
