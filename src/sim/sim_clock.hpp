// Time as the simulated controller sees it: a millisecond tick that the owner injects, so tests and
// benchmarks run without real waiting and every timed behaviour is repeatable.
#pragma once

#include <cstdint>
#include <functional>

namespace kivprism::sim {

// Returns the current millisecond tick; wraps around like the controller's own counter.
using MillisClock = std::function<std::uint32_t()>;

// Real time: milliseconds of the steady clock since this function was called, starting at 1.
MillisClock steadyMillisClock();

// A clock that moves only when told to. The function it hands out refers to this object, which
// must outlive every user of that function.
class ManualClock {
 public:
  explicit ManualClock(std::uint32_t start = 1) : now_(start) {}

  std::uint32_t now() const { return now_; }
  void advance(std::uint32_t ms) { now_ += ms; }
  void set(std::uint32_t ms) { now_ = ms; }
  MillisClock function() {
    return [this] { return now_; };
  }

 private:
  std::uint32_t now_;
};

}  // namespace kivprism::sim
