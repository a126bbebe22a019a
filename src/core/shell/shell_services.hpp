// What every device procedure, page and dialog needs from the program around it: time and
// waits, the boxes, the short message in the toolbar panel, the shut-down flag, the toolbar lock,
// and holding the poll and the redraw off. The window implements it with Qt, the command-line
// tool with the terminal, tests with fakes whose clock moves only when the test says so.
// Everything runs on the one user-interface thread: waits let pending events run, so the poll,
// repaints and a second click on a procedure's button happen inside them.
#pragma once

#include <cstdint>
#include <string_view>

namespace kivprism::shell {

class ShellServices {
 public:
  virtual ~ShellServices() = default;

  // --- time, events and shut-down ---
  // A free-running millisecond tick; it wraps at 2^32.
  virtual std::uint32_t tickMs() = 0;
  // Let the user interface handle what is pending; timers and commands may run inside.
  virtual void processEvents() = 0;
  // Wait the given time while handling pending events.
  virtual void waitMs(std::uint32_t ms) = 0;
  // True once the program has started to close; waits and drains stop on it.
  virtual bool shuttingDown() const = 0;

  // --- boxes (modal) ---
  virtual void showError(std::string_view text) = 0;
  virtual void showInformation(std::string_view text) = 0;
  // A warning with Yes and No, No preselected; true for Yes.
  virtual bool askYesNo(std::string_view text) = 0;
  // A question with Yes and No, No preselected; true for Yes.
  virtual bool askQuestion(std::string_view text) = 0;
  // A warning with Yes and No, Yes preselected; true for Yes.
  virtual bool askContinue(std::string_view text) = 0;

  // --- the short message in the toolbar panel ---
  // 0 duration stays until replaced or ended, 0 blink does not blink.
  virtual void flashMessage(std::uint32_t durationMs, std::uint32_t blinkMs,
                            std::string_view text) = 0;
  virtual void endFlash() = 0;

  // --- the toolbar lock ---
  // Enables or disables the toolbar's buttons from the busy state and the connected flag.
  virtual void updateToolbar(bool busy) = 0;

  // --- holding off (counted; take them through PollPause and RedrawPause) ---
  // No poll tick runs while suspended, so a box or a page's redraw sees no exchange meanwhile.
  virtual void suspendPoll() = 0;
  virtual void resumePoll() = 0;
  // The window does not repaint while suspended, so a redraw of many controls shows once.
  virtual void suspendRedraw() = 0;
  virtual void resumeRedraw() = 0;
};

// Holds the poll of a shell or a device link off for as long as it lives, so that no early
// return leaves the poll off.
template <class Owner>
class PollPause {
 public:
  explicit PollPause(Owner& owner) : owner_(owner) { owner_.suspendPoll(); }
  ~PollPause() { owner_.resumePoll(); }
  PollPause(const PollPause&) = delete;
  PollPause& operator=(const PollPause&) = delete;

 private:
  Owner& owner_;
};

// Holds the window's repaint off for as long as it lives.
class RedrawPause {
 public:
  explicit RedrawPause(ShellServices& shell) : shell_(shell) { shell_.suspendRedraw(); }
  ~RedrawPause() { shell_.resumeRedraw(); }
  RedrawPause(const RedrawPause&) = delete;
  RedrawPause& operator=(const RedrawPause&) = delete;

 private:
  ShellServices& shell_;
};

}  // namespace kivprism::shell
