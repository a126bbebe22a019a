#include "core/device/poll_pacer.hpp"

namespace kivprism::device {

bool PollPacer::tickMayPoll() {
  if (suspendCount_ > 0) {
    return false;
  }
  if (holdOff_ > 0) {
    --holdOff_;
    return false;
  }
  return true;
}

PollPacer::Drain PollPacer::afterState(bool monitorWaiting, bool canWaiting) {
  Drain drain = Drain::Nothing;
  if (monitorWaiting && canWaiting) {
    drain = canNext_ ? Drain::CanLog : Drain::MonitorText;
    canNext_ = !canNext_;
    interval_ = kPollCanMs;
    fastCountdown_ = kFastPollTicks;
  } else if (canWaiting) {
    drain = Drain::CanLog;
    interval_ = kPollCanMs;
    fastCountdown_ = kFastPollTicks;
  } else if (monitorWaiting) {
    drain = Drain::MonitorText;
    interval_ = kPollFastMs;
    fastCountdown_ = kFastPollTicks;
  } else if (fastCountdown_ == 0) {
    interval_ = kPollIdleMs;
  } else {
    --fastCountdown_;
    interval_ = kPollFastMs;
  }
  if (drain == Drain::CanLog) {
    rateCountdown_ = kCanRateTicks;
  }
  return drain;
}

void PollPacer::lost() {
  fastCountdown_ = 0;
  rateCountdown_ = 0;
  interval_ = kPollIdleMs;
}

bool PollPacer::takeRateTick() {
  if (rateCountdown_ == 0) {
    return false;
  }
  --rateCountdown_;
  return true;
}

}  // namespace kivprism::device
