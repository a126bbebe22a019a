#include <signal.h>

#include <string_view>

#include "apps/cli/cli.hpp"
#include "core/config/config_file.hpp"

namespace kivprism::cli {

std::optional<std::string> saveSimulatorState(const std::filesystem::path& path,
                                              std::string_view bytes) {
  // Ctrl+C, a closed terminal or a termination request during the save waits until the state file
  // has been replaced whole; the temporary file is never left behind by them.
  sigset_t held;
  sigset_t previous;
  ::sigemptyset(&held);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    ::sigaddset(&held, signal);
  }
  ::sigprocmask(SIG_BLOCK, &held, &previous);
  const auto error = config::writeFileAtomically(path, bytes);
  ::sigprocmask(SIG_SETMASK, &previous, nullptr);
  if (error) {
    return error->describe();
  }
  return std::nullopt;
}

}  // namespace kivprism::cli
