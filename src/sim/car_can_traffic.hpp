// The traffic of a car's CAN bus as the demo controller sees it: a few dozen standard and
// extended identifiers, each sent at its own period; some carry constant data, some a rolling
// counter, some a rising and falling value, some a byte that changes now and then.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "sim/can_log_engine.hpp"
#include "sim/sim_random.hpp"

namespace kivprism::sim {

class CarCanTraffic {
 public:
  enum class Kind { Constant, Counter, Ramp, Occasional };

  struct Source {
    std::uint32_t identifierWord;
    std::uint8_t length;
    std::uint32_t periodMs;
    Kind kind;
    std::array<std::uint8_t, 8> data;
    std::uint32_t nextDue;
  };

  explicit CarCanTraffic(std::uint32_t seed);

  // Every source starts again from this tick (a new capture), staggered over its first period.
  void restart(std::uint32_t now);
  // The frames that have become due by now, oldest first. A recorder left alone for long does not
  // get a burst: sources more than a second behind skip ahead.
  std::vector<CanRecord> due(std::uint32_t now);
  // Hands the frames due by now to the recorder, oldest first.
  void update(std::uint32_t now, CanLogEngine& recorder);

  const std::vector<Source>& sources() const { return sources_; }

 private:
  CanRecord frame(Source& source);

  SimRandom random_;
  std::vector<Source> sources_;
};

}  // namespace kivprism::sim
