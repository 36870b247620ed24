#pragma once
// The editor's own pictures: the splash screen and the about box picture.

#include <filesystem>

// The splash screen is this wide; its status and version lines sit in its lower band.
constexpr int kSplashWidth = 640;
constexpr int kSplashHeight = 360;
constexpr int kAboutPictureSize = 96;

// "splash.png" and "about.png" into folder; false when one cannot be written.
bool writeShellArt(const std::filesystem::path& folder);
