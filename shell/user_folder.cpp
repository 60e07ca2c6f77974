#include "shell/user_folder.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr const char* kInstalledData = "../share/kestrelmoor/Res";
constexpr const char* kFolderName = "kestrelmoor";

// The entries of Res/ a player writes; everything else is read-only data.
bool IsPlayersOwn(const std::string& name) {
  return name == "Save" || name == "Log" || name == "startup.ini" || name == "tmp.ktp" || name == ".stamp";
}

std::string ExecutableDir() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return "";
  return exe.parent_path().string();
}

// Replaces whatever stands at `link` by a link to `target`, unless it already is one.
void LinkTo(const fs::path& target, const fs::path& link) {
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(link, ec)) && fs::read_symlink(link, ec) == target) return;
  // A player's real file in the place of a data entry is left alone: it may be a mod.
  if (fs::exists(fs::symlink_status(link, ec)) && !fs::is_symlink(fs::symlink_status(link, ec))) return;
  fs::remove(link, ec);
  fs::create_symlink(target, link, ec);
}

}  // namespace

std::string InstalledDataFor(const std::string& exeDir) {
  if (exeDir.empty()) return "";
  std::error_code ec;
  // Res beside the binary is a build tree, whatever else is around it.
  if (fs::is_directory(fs::path(exeDir) / "Res", ec)) return "";
  fs::path data = fs::weakly_canonical(fs::path(exeDir) / kInstalledData, ec);
  if (ec || !fs::is_directory(data, ec)) return "";
  return data.string();
}

std::string UserFolderRoot() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  // The base directory rules ignore a relative XDG_DATA_HOME.
  if (xdg && xdg[0] == '/') return (fs::path(xdg) / kFolderName).string();
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return (fs::path(home) / ".local" / "share" / kFolderName).string();
  return "";
}

bool PrepareUserFolder(const std::string& installedRes, const std::string& userRoot) {
  std::error_code ec;
  fs::path res = fs::path(userRoot) / "Res";
  fs::create_directories(res / "Save", ec);
  fs::create_directories(res / "Log" / "Err", ec);
  if (!fs::is_directory(res / "Save") || !fs::is_directory(res / "Log" / "Err")) return false;
  fs::path data(installedRes);
  for (const auto& entry : fs::directory_iterator(data, ec)) {
    std::string name = entry.path().filename().string();
    if (IsPlayersOwn(name)) continue;
    LinkTo(entry.path(), res / name);
  }
  if (ec) return false;
  // Links left by an older package whose data is gone would only confuse the loaders.
  for (const auto& entry : fs::directory_iterator(res, ec)) {
    std::error_code linkEc;
    if (!fs::is_symlink(entry.symlink_status(linkEc)) || fs::exists(entry.path(), linkEc)) continue;
    std::string target = fs::read_symlink(entry.path(), linkEc).string();
    if (target.rfind(installedRes, 0) == 0) fs::remove(entry.path(), linkEc);
  }
  fs::path ini = res / "startup.ini";
  if (!fs::exists(fs::symlink_status(ini, ec))) {
    fs::copy_file(data / "startup.ini", ini, ec);
    // The installed copy is read-only; the player's copy must be writable.
    if (!ec) fs::permissions(ini, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
  }
  return true;
}

bool EnterUserFolder() {
  std::string installed = InstalledDataFor(ExecutableDir());
  if (installed.empty()) return true;
  std::string root = UserFolderRoot();
  if (root.empty()) {
    std::fprintf(stderr, "kestrelmoor: neither XDG_DATA_HOME nor HOME names a folder for the player's files\n");
    return false;
  }
  if (!PrepareUserFolder(installed, root)) {
    std::fprintf(stderr, "kestrelmoor: cannot prepare %s\n", root.c_str());
    return false;
  }
  if (chdir(root.c_str()) != 0) {
    std::fprintf(stderr, "kestrelmoor: cannot enter %s\n", root.c_str());
    return false;
  }
  return true;
}

void AnchorToStartFolder(std::string& path) {
  if (path.empty() || path == "-" || path[0] == '/') return;
  std::error_code ec;
  fs::path here = fs::current_path(ec);
  if (!ec) path = (here / path).string();
}
