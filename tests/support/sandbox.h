#pragma once
// A private working folder for a test that runs the game: Res/ links to the
// build's generated data, but the folders the game writes (Log, Save) and the
// startup.ini are the test's own, so tests running side by side never share them.
#include <filesystem>
#include <string>

class Sandbox {
 public:
  Sandbox();
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  std::filesystem::path Res() const { return root_ / "Res"; }
  // Writes a file relative to the sandbox root.
  void Write(const std::string& relative, const std::string& text) const;
  std::string Read(const std::string& relative) const;
  // Runs the game binary headless here with a key script; returns its exit code.
  int RunGame(const std::string& script, const std::string& extraArgs = "") const;

 private:
  std::filesystem::path root_;
};

// The folder the tests run in (the build folder, which holds Res/ and the binaries).
std::filesystem::path BuildDir();
