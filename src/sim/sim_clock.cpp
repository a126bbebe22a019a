#include "sim/sim_clock.hpp"

#include <chrono>
#include <memory>

namespace kivprism::sim {

MillisClock steadyMillisClock() {
  const auto start = std::make_shared<std::chrono::steady_clock::time_point>();
  *start = std::chrono::steady_clock::now();
  return [start] {
    const auto elapsed = std::chrono::steady_clock::now() - *start;
    // The tick starts at 1: a tick of 0 means "not yet" to some users of the clock.
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() + 1);
  };
}

}  // namespace kivprism::sim
