#include "tests/support/sandbox.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

fs::path BuildDir() {
  static fs::path dir = fs::current_path();
  return dir;
}

Sandbox::Sandbox() {
  std::string pattern = (fs::temp_directory_path() / "kestrel-XXXXXX").string();
  char* made = mkdtemp(pattern.data());
  root_ = made ? fs::path(made) : fs::temp_directory_path() / "kestrel-sandbox";
  fs::create_directories(Res() / "Log" / "Err");
  fs::create_directories(Res() / "Save");
  fs::path source = BuildDir() / "Res";
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(source, ec)) {
    std::string name = entry.path().filename().string();
    if (name == "Log" || name == "Save" || name == "startup.ini" || name == "tmp.ktp") continue;
    fs::create_symlink(entry.path(), Res() / name, ec);
  }
  if (fs::exists(source / "startup.ini")) fs::copy_file(source / "startup.ini", Res() / "startup.ini", ec);
}

Sandbox::~Sandbox() {
  std::error_code ec;
  fs::remove_all(root_, ec);
}

void Sandbox::Write(const std::string& relative, const std::string& text) const {
  fs::path p = root_ / relative;
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << text;
}

std::string Sandbox::Read(const std::string& relative) const {
  std::ifstream in(root_ / relative, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

int Sandbox::RunGame(const std::string& script, const std::string& extraArgs) const {
  Write("keys.txt", script);
  std::string cmd = "cd '" + root_.string() + "' && '" + (BuildDir() / "kestrelmoor").string() +
                    "' --headless --seed 7 --keys keys.txt --shots shots " + extraArgs + " >out.txt 2>err.txt";
  int status = std::system(cmd.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
