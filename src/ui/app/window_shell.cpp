#include "ui/app/window_shell.hpp"

#include <QLabel>
#include <QWidget>

#include "core/device/device_link.hpp"
#include "ui/app/panel_menu.hpp"
#include "ui/common/qt_text.hpp"

namespace kivprism::ui {

WindowShell::WindowShell(QWidget& window, BoxAnswerer answerer, WindowClock& clock)
    : window_(window), answerer_(std::move(answerer)), clock_(clock), pollTimer_(clock) {}

void WindowShell::setPanels(PanelMenu* panel, QLabel* status, QLabel* sync) {
  panel_ = panel;
  status_ = status;
  sync_ = sync;
}

int WindowShell::messageBox(unsigned flags, const QString& text) {
  // Without a link yet (start-up) there is no poll to hold off.
  if (link_ == nullptr) {
    return showMessageBox(&window_, flags, text, answerer_);
  }
  shell::PollPause pause(*link_);
  return showMessageBox(&window_, flags, text, answerer_);
}

void WindowShell::flashText(std::uint32_t durationMs, std::uint32_t blinkMs, const QString& text) {
  if (panel_ != nullptr) {
    panel_->flashMessage(durationMs, blinkMs, text);
  }
}

void WindowShell::beginShutDown() {
  pollTimer_.stop();
  shuttingDown_ = true;
}

QString WindowShell::statusText() const { return status_ ? status_->text() : QString(); }

QString WindowShell::syncText() const { return sync_ ? sync_->text() : QString(); }

std::uint32_t WindowShell::tickMs() { return clock_.nowMs(); }

void WindowShell::processEvents() { clock_.processEvents(); }

void WindowShell::waitMs(std::uint32_t ms) { clock_.waitMs(ms); }

void WindowShell::showError(std::string_view text) { messageBox(box::kError, qtText(text)); }

void WindowShell::showInformation(std::string_view text) {
  messageBox(box::kInformation, qtText(text));
}

bool WindowShell::askYesNo(std::string_view text) {
  return messageBox(box::kWarning | box::kDefaultNo, qtText(text)) == box::kYes;
}

bool WindowShell::askQuestion(std::string_view text) {
  return messageBox(box::kQuestion | box::kDefaultNo, qtText(text)) == box::kYes;
}

bool WindowShell::askContinue(std::string_view text) {
  return messageBox(box::kWarning, qtText(text)) == box::kYes;
}

void WindowShell::flashMessage(std::uint32_t durationMs, std::uint32_t blinkMs,
                               std::string_view text) {
  flashText(durationMs, blinkMs, qtText(text));
}

void WindowShell::endFlash() {
  if (panel_ != nullptr) {
    panel_->endFlash();
  }
}

void WindowShell::updateToolbar(bool busy) {
  if (toolbarUpdate_) {
    toolbarUpdate_(busy);
  }
}

void WindowShell::suspendPoll() {
  if (link_ != nullptr) {
    link_->suspendPoll();
  }
}

void WindowShell::resumePoll() {
  if (link_ != nullptr) {
    link_->resumePoll();
  }
}

void WindowShell::suspendRedraw() {
  if (redrawSuspended_++ == 0) {
    window_.setUpdatesEnabled(false);
  }
}

void WindowShell::resumeRedraw() {
  if (redrawSuspended_ > 0 && --redrawSuspended_ == 0) {
    window_.setUpdatesEnabled(true);
    window_.update();
  }
}

void WindowShell::setPollTimerEnabled(bool enabled) {
  if (enabled && !shuttingDown_) {
    pollTimer_.start();
  } else {
    pollTimer_.stop();
  }
}

void WindowShell::setPollInterval(std::uint32_t ms) {
  pollTimer_.setInterval(static_cast<int>(ms));
}

void WindowShell::setStatusText(std::string_view text) {
  if (status_ != nullptr) {
    status_->setText(qtText(text));
  }
}

void WindowShell::setSyncText(std::string_view text) {
  if (sync_ != nullptr) {
    sync_->setText(qtText(text));
  }
}

void WindowShell::showProgress(std::size_t position, std::size_t total) {
  if (panel_ != nullptr) {
    panel_->showProgress(position, total);
  }
}

void WindowShell::hideProgress() {
  if (panel_ != nullptr) {
    panel_->hideProgress();
  }
}

}  // namespace kivprism::ui
