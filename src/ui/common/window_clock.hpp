// The window's time: the millisecond tick the device link reads, the waits it makes and the timers
// that drive the poll. The program runs them on the wall clock; tests hand in a clock of their own
// that moves only when they move it, so timed behaviour is checked without real waiting.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>

namespace kivprism::ui {

class ClockTimer;

class WindowClock {
 public:
  virtual ~WindowClock() = default;

  virtual std::uint32_t nowMs() = 0;
  // Handles the pending events and whatever timers are due.
  virtual void processEvents() = 0;
  // Handles events and timers for this long before it returns.
  virtual void waitMs(std::uint32_t ms) = 0;
  // A timer of this clock was started (again) or stopped; it fires timeout() on the clock's time.
  virtual void timerStarted(ClockTimer& timer) = 0;
  virtual void timerStopped(ClockTimer& timer) = 0;
};

// The wall clock of the running program; one for the whole process.
WindowClock& wallClock();

// A repeating timer on a WindowClock, with the part of QTimer the window uses.
class ClockTimer : public QObject {
  Q_OBJECT

 public:
  explicit ClockTimer(WindowClock& clock, QObject* parent = nullptr);
  ~ClockTimer() override;

  void start();
  void stop();
  bool isActive() const { return active_; }
  void setInterval(int ms);
  int interval() const { return intervalMs_; }
  WindowClock& clock() const { return clock_; }
  // The Qt timer that runs it on the wall clock.
  QTimer& wallTimer() { return wallTimer_; }
  // The clock says the interval has passed.
  void fire();

 signals:
  void timeout();

 private:
  WindowClock& clock_;
  QTimer wallTimer_;
  int intervalMs_ = 0;
  bool active_ = false;
};

}  // namespace kivprism::ui
