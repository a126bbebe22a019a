#include "core/device/can_rate.hpp"

namespace kivprism::device {

void CanRateCounter::count(std::uint32_t nowMs) {
  const std::uint32_t second = nowMs / 1000;
  if (second != second_) {
    // A gap of more than a second means the second before this one had no records.
    lastSecond_ = second == second_ + 1 ? thisSecond_ : 0;
    thisSecond_ = 0;
    second_ = second;
  }
  ++thisSecond_;
}

std::uint32_t CanRateCounter::perSecond(std::uint32_t nowMs) const {
  const std::uint32_t second = nowMs / 1000;
  if (second == second_) {
    return lastSecond_;
  }
  return second == second_ + 1 ? thisSecond_ : 0;
}

}  // namespace kivprism::device
