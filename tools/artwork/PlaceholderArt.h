#pragma once
// The editor's placeholder pictures: what a new object shows until the user picks a file.

#include <filesystem>

// "placeholder.jpg", "colorbar.jpg", "ticker.jpg", "window.jpg" and "ss__1.jpg" to
// "ss__7.jpg" into folder; false when one cannot be written.
bool writePlaceholders(const std::filesystem::path& folder);
