// The program's version, written at build time from the project version (and the git description
// when built from a git checkout). Shown by the command-line tool and the About box, and written
// into the files the program produces where their format has room for a comment.
#pragma once

#include <string>
#include <string_view>

namespace kivprism::about {

inline constexpr std::string_view kProgramName = "kivprism";

// "0.1.0": the version the package carries.
std::string_view projectVersion();
// "0.1.0", or "0.1.0 (git 5c2823b-dirty)" when built from a git checkout between releases.
std::string_view programVersion();

// "kivprism 0.1.0": the line that names the writer in a file's header.
inline std::string writerLine() {
  return std::string(kProgramName) + ' ' + std::string(programVersion());
}

}  // namespace kivprism::about
