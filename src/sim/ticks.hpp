// The simulated controller's millisecond counter wraps as the real one's does: a tick counts as
// reached once the counter is past it by less than half the counter's range.
#pragma once

#include <cstdint>

namespace kivprism::sim {

constexpr bool reached(std::uint32_t now, std::uint32_t tick) {
  return static_cast<std::int32_t>(now - tick) >= 0;
}

}  // namespace kivprism::sim
