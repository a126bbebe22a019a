// A WindowClock for window tests: its time moves only when the test or a wait of the window moves
// it. Waiting handles the window's events and fires its timers and the test's scheduled actions in
// the order of their due times, each at its own tick, so timed behaviour runs in no wall time and
// the same way every run.
#pragma once

#include <QCoreApplication>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>

#include "sim/sim_clock.hpp"
#include "ui/common/window_clock.hpp"

namespace kivprism::testing {

class VirtualWindowClock : public ui::WindowClock {
 public:
  static constexpr std::uint32_t kStepMs = 10;

  std::uint32_t nowMs() override { return static_cast<std::uint32_t>(now_); }
  // The simulated controller's view of the same time.
  sim::MillisClock function() {
    return [this] { return static_cast<std::uint32_t>(now_); };
  }
  // Time passes without the events being handled, as during a USB exchange.
  void pass(std::uint32_t ms) { now_ += ms; }

  void processEvents() override { runUntil(now_); }
  void waitMs(std::uint32_t ms) override { runUntil(now_ + ms); }
  void timerStarted(ui::ClockTimer& timer) override {
    auto found = std::find_if(due_.begin(), due_.end(),
                              [&timer](const auto& entry) { return entry.second.timer == &timer; });
    const std::uint64_t due = now_ + std::max(timer.interval(), 1);
    if (found != due_.end()) {
      found->second.due = due;
    } else {
      due_.emplace(nextId_++, Entry{&timer, {}, due, false});
    }
  }
  void timerStopped(ui::ClockTimer& timer) override {
    std::erase_if(due_, [&timer](const auto& entry) { return entry.second.timer == &timer; });
  }

  // --- for the test ---
  // Handles events and timers for this long, as the user waiting would.
  void advance(std::uint32_t ms) { waitMs(ms); }
  // Runs what once this much time has passed (inside whatever wait is running then).
  void after(std::uint32_t ms, std::function<void()> what) {
    due_.emplace(nextId_++, Entry{nullptr, std::move(what), now_ + ms, false});
  }
  // Advances in short steps until the condition holds or the time-out has passed.
  // The condition is also tried right after each timer and action, before the events they
  // posted are handled, as QTest::qWaitFor tries it after each pass of the event loop.
  bool waitFor(const std::function<bool()>& condition, std::uint32_t timeoutMs = 10000) {
    const std::uint64_t end = now_ + timeoutMs;
    if (condition()) {
      return true;
    }
    for (;;) {
      if (runUntil(std::min(now_ + kStepMs, end), condition)) {
        return true;
      }
      if (now_ >= end) {
        return false;
      }
    }
  }

 private:
  struct Entry {
    ui::ClockTimer* timer;
    std::function<void()> action;
    std::uint64_t due;
    // A timer is not fired again from a wait inside its own handler, as with Qt's timers.
    bool firing;
  };

  // True when `stop` held after a timer or action (the time stays at that tick).
  bool runUntil(std::uint64_t target, const std::function<bool()>& stop = {}) {
    QCoreApplication::processEvents();
    if (stop && stop()) {
      return true;
    }
    for (;;) {
      auto next = due_.end();
      for (auto it = due_.begin(); it != due_.end(); ++it) {
        if (!it->second.firing && it->second.due <= target &&
            (next == due_.end() || it->second.due < next->second.due)) {
          next = it;
        }
      }
      if (next == due_.end()) {
        break;
      }
      now_ = std::max(now_, next->second.due);
      const std::uint64_t id = next->first;
      if (next->second.timer == nullptr) {
        const std::function<void()> action = std::move(next->second.action);
        due_.erase(next);
        action();
      } else {
        ui::ClockTimer* timer = next->second.timer;
        next->second.due = now_ + std::max(timer->interval(), 1);
        next->second.firing = true;
        timer->fire();
        if (auto again = due_.find(id); again != due_.end()) {
          again->second.firing = false;
        }
      }
      if (stop && stop()) {
        return true;
      }
      QCoreApplication::processEvents();
    }
    now_ = std::max(now_, target);
    return stop && stop();
  }

  std::uint64_t now_ = 1;
  std::uint64_t nextId_ = 0;
  std::map<std::uint64_t, Entry> due_;
};

}  // namespace kivprism::testing
