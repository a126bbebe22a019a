// The one place where Windows' UTF-16 text meets the program's UTF-8: volume names and labels,
// device paths and strings, file names, the command line.
#pragma once

#if defined(_WIN32)

#include <string>
#include <string_view>

namespace kivprism::platform {

std::wstring widen(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string narrow(std::wstring_view utf16);

}  // namespace kivprism::platform

#endif
