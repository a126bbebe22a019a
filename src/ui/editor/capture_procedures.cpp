#include "ui/editor/capture_procedures.hpp"

#include <QProgressBar>

#include "ui/app/key_procedures.hpp"
#include "ui/app/main_window.hpp"
#include "ui/app/message_box.hpp"
#include "ui/app/qt_text.hpp"

namespace kivprism::ui::editor {

namespace capture = kivprism::editor;

CaptureProcedures::CaptureProcedures(TMainForm& window, QObject* parent)
    : QObject(parent), window_(window), touch_(window.link(), *this) {}

void CaptureProcedures::learnIrCode(std::size_t entry, events::IrContext context) {
  capture::learnIrCode(window_.link(), *this, entry, context);
}

void CaptureProcedures::captureTouchPoint(std::size_t entry, QProgressBar* bar) {
  // Key learning and touch calibration talk to the controller in waits of their own.
  const KeyProcedures& keys = window_.keyProcedures();
  if (!touch_.running() && (keys.keyLearningRunning() || keys.touchCalibrationRunning())) {
    return;
  }
  if (!touch_.running()) {
    bar_ = bar;
  }
  touch_.click(entry);
}

void CaptureProcedures::showError(std::string_view text) {
  window_.messageBox(box::kError, qtText(text));
}

void CaptureProcedures::showInformation(std::string_view text) {
  window_.messageBox(box::kInformation, qtText(text));
}

void CaptureProcedures::flashMessage(std::uint32_t durationMs, std::uint32_t blinkMs,
                                     std::string_view text) {
  window_.flashMessage(durationMs, blinkMs, qtText(text));
}

void CaptureProcedures::endFlash() { window_.endFlash(); }

void CaptureProcedures::waitMs(std::uint32_t ms) { window_.waitMs(ms); }

bool CaptureProcedures::shuttingDown() const { return window_.shuttingDown(); }

void CaptureProcedures::showTouchProgress(std::size_t pass) {
  if (!bar_) {
    return;
  }
  bar_->setRange(0, static_cast<int>(capture::kTouchPolls));
  bar_->setValue(static_cast<int>(pass));
  bar_->show();
}

void CaptureProcedures::hideTouchProgress() {
  if (bar_) {
    bar_->hide();
  }
}

void CaptureProcedures::setCaptureRunning(bool running) {
  window_.updateToolbar(running);
  emit procedureRunningChanged(running);
}

void CaptureProcedures::refreshEntry() { emit entryChanged(); }

}  // namespace kivprism::ui::editor
