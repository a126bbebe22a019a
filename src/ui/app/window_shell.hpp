// The window's shell services: the boxes over the window with the poll held off while one is
// open, the short message and the gauge in the toolbar panel, the status-bar panels, the poll
// timer, the clock, waits that keep the window alive, and the repaint held off. The main window
// owns one and hands it to the device link, the procedures and the pages.
#pragma once

#include <QString>
#include <functional>

#include "core/device/link_host.hpp"
#include "ui/common/message_box.hpp"
#include "ui/common/window_clock.hpp"

class QLabel;
class QWidget;

namespace kivprism::device {
class DeviceLink;
}

namespace kivprism::ui {

class PanelMenu;

class WindowShell : public device::LinkHost {
 public:
  // The boxes sit over the window, and its repaint is what suspendRedraw holds off; the tick,
  // the waits and the poll timer run on the clock.
  WindowShell(QWidget& window, BoxAnswerer answerer, WindowClock& clock);
  WindowShell(const WindowShell&) = delete;
  WindowShell& operator=(const WindowShell&) = delete;

  // What the window builds after the shell: the link whose poll the boxes hold off, the toolbar
  // panel, the status-bar panels and the toolbar's own update.
  void setLink(device::DeviceLink* link) { link_ = link; }
  void setPanels(PanelMenu* panel, QLabel* status, QLabel* sync);
  void setToolbarUpdate(std::function<void(bool busy)> update) {
    toolbarUpdate_ = std::move(update);
  }

  // A box of any kind (box:: flags); the button pressed.
  int messageBox(unsigned flags, const QString& text);
  void flashText(std::uint32_t durationMs, std::uint32_t blinkMs, const QString& text);
  // The window has started to close: waits end, the poll timer stays off.
  void beginShutDown();
  ClockTimer& pollTimer() { return pollTimer_; }
  // The clock the window's other timers run on.
  WindowClock& clock() { return clock_; }
  QString statusText() const;
  QString syncText() const;

  // --- shell::ShellServices ---
  std::uint32_t tickMs() override;
  void processEvents() override;
  void waitMs(std::uint32_t ms) override;
  bool shuttingDown() const override { return shuttingDown_; }
  void showError(std::string_view text) override;
  void showInformation(std::string_view text) override;
  bool askYesNo(std::string_view text) override;
  bool askQuestion(std::string_view text) override;
  bool askContinue(std::string_view text) override;
  void flashMessage(std::uint32_t durationMs, std::uint32_t blinkMs,
                    std::string_view text) override;
  void endFlash() override;
  void updateToolbar(bool busy) override;
  void suspendPoll() override;
  void resumePoll() override;
  void suspendRedraw() override;
  void resumeRedraw() override;

  // --- device::LinkHost ---
  void setPollTimerEnabled(bool enabled) override;
  void setPollInterval(std::uint32_t ms) override;
  void setStatusText(std::string_view text) override;
  void setSyncText(std::string_view text) override;
  void showProgress(std::size_t position, std::size_t total) override;
  void hideProgress() override;

 private:
  QWidget& window_;
  BoxAnswerer answerer_;
  device::DeviceLink* link_ = nullptr;
  PanelMenu* panel_ = nullptr;
  QLabel* status_ = nullptr;
  QLabel* sync_ = nullptr;
  std::function<void(bool)> toolbarUpdate_;
  WindowClock& clock_;
  ClockTimer pollTimer_;
  bool shuttingDown_ = false;
  int redrawSuspended_ = 0;
};

}  // namespace kivprism::ui
