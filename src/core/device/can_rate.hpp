// The CAN records received in the last whole second, for the connection line.
#pragma once

#include <cstdint>

namespace kivprism::device {

class CanRateCounter {
 public:
  // One record arrived at this tick.
  void count(std::uint32_t nowMs);
  // The records of the whole second before the current one; 0 once a second passed without any.
  std::uint32_t perSecond(std::uint32_t nowMs) const;

 private:
  std::uint32_t second_ = 0;
  std::uint32_t thisSecond_ = 0;
  std::uint32_t lastSecond_ = 0;
};

}  // namespace kivprism::device
