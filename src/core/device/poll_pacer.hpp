// The pace of the connection poll, apart from the packets it sends: whether a tick may poll (the
// nesting suspension, the hold-off after other traffic), what the poll drains next when the
// controller holds monitoring text and CAN records, and how long until the next tick.
#pragma once

#include <cstdint>

namespace kivprism::device {

// Poll intervals: idle, for a few ticks after data, while CAN records wait.
inline constexpr std::uint32_t kPollIdleMs = 200;
inline constexpr std::uint32_t kPollFastMs = 10;
inline constexpr std::uint32_t kPollCanMs = 1;
inline constexpr unsigned kFastPollTicks = 5;
// Ticks the connection line shows the CAN record rate after the last CAN drain.
inline constexpr unsigned kCanRateTicks = 5;
// Poll ticks to skip after any other device traffic.
inline constexpr unsigned kTrafficHoldOffTicks = 2;

class PollPacer {
 public:
  enum class Drain { Nothing, MonitorText, CanLog };

  // --- suspension (nesting; starts suspended) ---
  // True when this suspension stops a running poll.
  bool suspend() { return suspendCount_++ == 0; }
  // True when this resumption lets the poll run again; a resumption without a suspension is
  // ignored.
  bool resume() {
    if (suspendCount_ == 0) {
      return false;
    }
    return --suspendCount_ == 0;
  }
  unsigned suspendCount() const { return suspendCount_; }

  // Other traffic went to the controller: the next ticks leave it alone.
  void trafficSent() { holdOff_ = kTrafficHoldOffTicks; }
  unsigned holdOff() const { return holdOff_; }
  // Whether a tick may poll now; a tick spent in the hold-off counts it down.
  bool tickMayPoll();
  // The poll exchanged its packets: any hold-off they caused is its own.
  void polled() { holdOff_ = 0; }

  // What to drain after a state word with these flags; monitoring text and CAN records take turns
  // when both wait. Sets the interval for the next tick.
  Drain afterState(bool monitorWaiting, bool canWaiting);
  // The controller is gone: the probe runs at the idle pace, whatever was streaming before.
  void lost();

  // The connection line shows the record rate for a few ticks after a CAN drain; each call
  // counts one.
  bool takeRateTick();

  std::uint32_t interval() const { return interval_; }

 private:
  unsigned suspendCount_ = 1;
  unsigned holdOff_ = 0;
  unsigned fastCountdown_ = 0;
  unsigned rateCountdown_ = 0;
  bool canNext_ = false;
  std::uint32_t interval_ = kPollIdleMs;
};

}  // namespace kivprism::device
