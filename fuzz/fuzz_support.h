#pragma once
// The readers under fuzz read named files; each input becomes that file in a
// private working folder made once per fuzzer process (in memory when /dev/shm
// is there, so that writing the input costs next to nothing).
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

// Makes a scratch folder with Res/ (and the named sub-folders) and enters it;
// the folder goes when the process ends normally (every merge and every run
// of libFuzzer is a process of its own, so they would pile up).
inline void EnterScratchFolder(const char* const* folders, int count) {
  static bool done = false;
  static std::string made;
  if (done) return;
  done = true;
  struct stat st {};
  std::string pattern = stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) ? "/dev/shm" : "/tmp";
  pattern += "/kestrel-fuzz-XXXXXX";
  if (!mkdtemp(pattern.data()) || chdir(pattern.c_str()) != 0) std::abort();
  made = pattern;
  std::atexit([] {
    std::error_code ec;
    std::filesystem::remove_all(made, ec);
  });
  std::string make = "mkdir -p Res";
  for (int i = 0; i < count; ++i) make += std::string(" Res/") + folders[i];
  if (std::system(make.c_str()) != 0) std::abort();
}

inline void WriteInput(const char* path, const uint8_t* data, size_t size) {
  FILE* f = std::fopen(path, "wb");
  if (!f) std::abort();
  if (size > 0) std::fwrite(data, 1, size, f);
  std::fclose(f);
}
