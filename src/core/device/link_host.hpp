// What the device link needs from the application around it: time, pending events, the poll
// timer, the status bar and toolbar, and the boxes. The main window implements it with Qt, the
// command-line tool with the terminal, and tests with a fake whose clock moves only when the test
// says so. What pages consume (monitoring text, CAN records, the state word, the variables,
// connection changes) reaches them through the listeners of link_listeners.hpp instead. Everything
// runs on the one user-interface thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The listeners' types (VariablesView, CanRecord) come along for the pages that include this.
#include "core/device/link_listeners.hpp"

namespace kivprism::device {

class LinkHost {
 public:
  virtual ~LinkHost() = default;

  // --- time, events and shut-down ---
  // A free-running millisecond tick; it wraps at 2^32.
  virtual std::uint32_t tickMs() = 0;
  // Let the user interface handle what is pending; timers and commands may run inside.
  virtual void processEvents() = 0;
  // Wait the given time while handling pending events.
  virtual void waitMs(std::uint32_t ms) = 0;
  // True once the main window has started to close; waits and drains stop on it.
  virtual bool shuttingDown() const = 0;

  // --- poll timer ---
  virtual void setPollTimerEnabled(bool enabled) = 0;
  virtual void setPollInterval(std::uint32_t ms) = 0;

  // --- status bar and toolbar ---
  // Status-bar panel 0: probe status, connection line, progress caption.
  virtual void setStatusText(std::string_view text) = 0;
  // The panel beside it: whether the user's changes are on the controller.
  virtual void setSyncText(std::string_view text) = 0;
  // The progress gauge in the toolbar panel; shown at the given position.
  virtual void showProgress(std::size_t position, std::size_t total) = 0;
  virtual void hideProgress() = 0;
  // Enables or disables the toolbar's buttons from the busy state and the connected flag.
  virtual void updateToolbar(bool busy) = 0;
  // A short message in the toolbar panel; 0 duration stays until replaced, 0 blink does not blink.
  virtual void flashMessage(std::uint32_t durationMs, std::uint32_t blinkMs,
                            std::string_view text) = 0;

  // --- boxes (modal; the link suspends its poll around them) ---
  virtual void showError(std::string_view text) = 0;
  // A warning with Yes and No, No preselected; true for Yes.
  virtual bool askYesNo(std::string_view text) = 0;
  // The same as a question rather than a warning (the toolbar's write command).
  virtual bool askQuestion(std::string_view text) = 0;
};

}  // namespace kivprism::device
