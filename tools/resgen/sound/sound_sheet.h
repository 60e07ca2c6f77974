#pragma once
#include <string>

// Every sound of Res/Sound on one PNG: spectrogram, envelope and figures.
bool WriteSoundSheet(const std::string& resDir, const std::string& pngPath);
