#pragma once
// Files with the game's path literals: "Res\\x.kbp" and "Res//x.kbp" both name Res/x.kbp.
#include <cstdio>
#include <string>

std::string NormalizePath(const std::string& path);
FILE* OpenFile(const std::string& path, const char* mode);
bool MoveFileTo(const std::string& from, const std::string& to);  // replaces an existing target
bool DeleteFileAt(const std::string& path);
bool FileExists(const std::string& path);
bool MakeDirectory(const std::string& path);  // true if it exists afterwards
