// What every command-line test starts: the built tool, and the option that gives it a simulated
// controller whose configuration memory lives in the test's folder.
#pragma once

#include <filesystem>
#include <string>

#include "support/process.hpp"

namespace kivprism {

inline const std::filesystem::path kCli = KIVPRISM_CLI_PATH;

inline std::string simulator(const testing::TempDir& dir) {
  return "--simulator=" + (dir / "state.bin").string();
}

}  // namespace kivprism
