#include <string_view>

#include "apps/cli/cli.hpp"
#include "core/config/config_file.hpp"
#include "platform/system.hpp"

namespace kivprism::cli {

std::optional<std::string> saveSimulatorState(const std::filesystem::path& path,
                                              std::string_view bytes) {
  // Ctrl+C, a closed terminal or a termination request during the save waits until the state file
  // has been replaced whole; the temporary file is never left behind by them.
  std::optional<config::FileError> error;
  {
    const platform::HeldInterrupts held;
    error = config::writeFileAtomically(path, bytes);
  }
  if (error) {
    return error->describe();
  }
  return std::nullopt;
}

}  // namespace kivprism::cli
