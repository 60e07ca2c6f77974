#pragma once
// The private-profile (.ini) reader and writer. Sections and keys match without
// regard to case; a missing file or key gives the default; writing one key keeps
// every other line of the file as it was.

// Reads a decimal integer (leading sign and digits; what follows is ignored;
// no digits gives 0, as the profile reader of the target platform does).
int GetPrivateProfileInt(const char* section, const char* key, int defaultValue, const char* path);
// Writes key=value into section, adding the section or the key at need.
bool WritePrivateProfileString(const char* section, const char* key, const char* value, const char* path);
