#include "platform/files.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef __EMSCRIPTEN__
#include <cstring>

#include "platform/web.h"
#endif

std::string NormalizePath(const std::string& path) {
  std::string out;
  out.reserve(path.size());
  for (char c : path) {
    if (c == '\\') c = '/';
    // The game spells some folders with a doubled separator; one is enough.
    if (c == '/' && !out.empty() && out.back() == '/') continue;
    out.push_back(c);
  }
  return out;
}

FILE* OpenFile(const std::string& path, const char* mode) {
#ifdef __EMSCRIPTEN__
  std::string real = NormalizePath(path);
  bool writing = std::strpbrk(mode, "wa+") != nullptr;
  if (!writing && WebIsLate(real)) WebFetchIfLate(real);
  FILE* file = std::fopen(real.c_str(), mode);
  if (file && writing) WebFileWritten();
  return file;
#else
  return std::fopen(NormalizePath(path).c_str(), mode);
#endif
}

bool MoveFileTo(const std::string& from, const std::string& to) {
  std::string source = NormalizePath(from), target = NormalizePath(to);
#ifdef __EMSCRIPTEN__
  WebFileWritten();
#endif
  if (std::rename(source.c_str(), target.c_str()) == 0) return true;
  if (errno != EXDEV) return false;
  // Across file systems a rename cannot work; copy, then drop the original.
  std::error_code ec;
  std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing, ec);
  if (ec) return false;
  std::filesystem::remove(source, ec);
  return true;
}

bool DeleteFileAt(const std::string& path) {
#ifdef __EMSCRIPTEN__
  WebFileWritten();
#endif
  return std::remove(NormalizePath(path).c_str()) == 0;
}

bool FileExists(const std::string& path) {
#ifdef __EMSCRIPTEN__
  if (WebIsLate(NormalizePath(path))) return true;  // on the server, fetched when opened
#endif
  struct stat info;
  return stat(NormalizePath(path).c_str(), &info) == 0;
}

bool MakeDirectory(const std::string& path) {
  std::string real = NormalizePath(path);
  if (real.empty()) return false;
  std::error_code ec;
#ifdef __EMSCRIPTEN__
  WebFileWritten();
#endif
  std::filesystem::create_directories(real, ec);
  return std::filesystem::is_directory(real, ec);
}
