#include "ui/common/window_clock.hpp"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

namespace kivprism::ui {

namespace {

class WallClock : public WindowClock {
 public:
  WallClock() { elapsed_.start(); }

  std::uint32_t nowMs() override { return static_cast<std::uint32_t>(elapsed_.elapsed()); }
  void processEvents() override { QCoreApplication::processEvents(); }
  void waitMs(std::uint32_t ms) override {
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(ms), &loop, &QEventLoop::quit);
    loop.exec();
  }
  void timerStarted(ClockTimer& timer) override { timer.wallTimer().start(timer.interval()); }
  void timerStopped(ClockTimer& timer) override { timer.wallTimer().stop(); }

 private:
  QElapsedTimer elapsed_;
};

}  // namespace

WindowClock& wallClock() {
  static WallClock clock;
  return clock;
}

ClockTimer::ClockTimer(WindowClock& clock, QObject* parent) : QObject(parent), clock_(clock) {
  connect(&wallTimer_, &QTimer::timeout, this, &ClockTimer::fire);
}

ClockTimer::~ClockTimer() { stop(); }

void ClockTimer::start() {
  active_ = true;
  clock_.timerStarted(*this);
}

void ClockTimer::stop() {
  if (active_) {
    active_ = false;
    clock_.timerStopped(*this);
  }
}

void ClockTimer::setInterval(int ms) {
  intervalMs_ = ms;
  if (active_) {
    clock_.timerStarted(*this);
  }
}

void ClockTimer::fire() {
  if (active_) {
    emit timeout();
  }
}

}  // namespace kivprism::ui
