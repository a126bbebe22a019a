// The simulated controller's randomness: a seeded generator whose sequence the standard fixes, and
// range helpers written out here (the standard distributions differ between libraries), so one
// seed gives the same traffic everywhere.
#pragma once

#include <cstdint>
#include <random>

namespace kivprism::sim {

class SimRandom {
 public:
  explicit SimRandom(std::uint32_t seed) : engine_(seed == 0 ? 1 : seed) {}

  // A value in 0..bound-1; 0 when bound is 0.
  std::uint32_t below(std::uint32_t bound) {
    return bound == 0 ? 0 : static_cast<std::uint32_t>(engine_() % bound);
  }
  std::uint8_t byte() { return static_cast<std::uint8_t>(below(256)); }
  // True with the given chance in percent.
  bool chance(std::uint32_t percent) { return below(100) < percent; }

 private:
  std::minstd_rand engine_;
};

}  // namespace kivprism::sim
