// File names travel through the program as UTF-8 text; these turn them into paths and back the
// same way on every system (on Windows a narrow string would otherwise be read in the ANSI code
// page and a Cyrillic name would be lost).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kivprism::config {

inline std::filesystem::path pathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string pathToUtf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace kivprism::config
