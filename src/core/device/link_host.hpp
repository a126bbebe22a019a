// What the device link needs from the application around it. The main window implements it with
// Qt, the command-line tool with the terminal, and tests with a fake whose clock moves only when
// the test says so. Everything runs on the one user-interface thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kivprism::device {

inline constexpr std::size_t kCanRecordSize = 17;
using CanRecord = std::span<const std::uint8_t, kCanRecordSize>;

// The variables view: VAR1..VAR4 as hexadecimal, binary and decimal text.
struct VariablesView {
  std::string hex[4];
  std::string bin[4];
  std::string dec[4];
};

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

  // --- status bar, toolbar and short messages ---
  // Status-bar panel 0: probe status, connection line, progress caption.
  virtual void setStatusText(std::string_view text) = 0;
  // The progress gauge in the toolbar panel; shown at the given position.
  virtual void showProgress(std::size_t position, std::size_t total) = 0;
  virtual void hideProgress() = 0;
  // The selected-source panel: its text and whether it is enabled.
  virtual void setCurrentSource(std::string_view text, bool enabled) = 0;
  // Enables or disables the toolbar's buttons from the busy state and the connected flag.
  virtual void updateToolbar(bool busy) = 0;
  // A short message in the toolbar panel; 0 duration stays until replaced, 0 blink does not blink.
  virtual void flashMessage(std::uint32_t durationMs, std::uint32_t blinkMs,
                            std::string_view text) = 0;

  // --- boxes (modal; the link suspends its poll around them) ---
  virtual void showError(std::string_view text) = 0;
  // A warning with Yes and No, No preselected; true for Yes.
  virtual bool askYesNo(std::string_view text) = 0;

  // --- monitoring page ---
  // A line of the program's own in the window-text colour (device information, packet log).
  virtual void logLine(std::string_view text) = 0;
  // Whether the packet log is switched on.
  virtual bool packetLogEnabled() const = 0;
  // A whole line of the controller's monitoring text, carriage returns removed, not yet rewritten.
  virtual void monitoringLine(std::string_view line) = 0;

  // --- CAN log ---
  virtual void canLogRecord(CanRecord record) = 0;
  // CAN records received in the last whole second.
  virtual std::uint32_t canRecordsPerSecond() const = 0;
  // Whether the CAN log is also being written to a file.
  virtual bool canLogWritingToFile() const = 0;
  // The CAN-log page follows the bus mode of the image.
  virtual void refreshCanLogPage() = 0;

  // --- pages ---
  // The image was replaced by a whole read: every page must redraw.
  virtual void configurationReloaded() = 0;
  // Whether the variables view of the parameters page is showing.
  virtual bool variablesViewActive() const = 0;
  virtual void showVariables(const VariablesView& view) = 0;
  // Whether key learning runs; edits are not sent meanwhile.
  virtual bool keyLearningActive() const = 0;
};

}  // namespace kivprism::device
