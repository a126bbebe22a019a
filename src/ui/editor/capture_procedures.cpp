#include "ui/editor/capture_procedures.hpp"

#include <QProgressBar>

namespace kivprism::ui::editor {

namespace capture = kivprism::editor;

CaptureProcedures::CaptureProcedures(device::DeviceLink& link, shell::ShellServices& shell,
                                     std::function<bool()> otherProcedureRunning, QObject* parent)
    : QObject(parent),
      link_(link),
      shell_(shell),
      otherProcedureRunning_(std::move(otherProcedureRunning)),
      touch_(link, shell, *this) {}

void CaptureProcedures::learnIrCode(std::size_t entry, events::IrContext context) {
  capture::learnIrCode(link_, shell_, *this, entry, context);
}

void CaptureProcedures::captureTouchPoint(std::size_t entry, QProgressBar* bar) {
  if (!touch_.running() && otherProcedureRunning_ && otherProcedureRunning_()) {
    return;
  }
  if (!touch_.running()) {
    bar_ = bar;
  }
  touch_.click(entry);
}

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
  shell_.updateToolbar(running);
  emit procedureRunningChanged(running);
}

void CaptureProcedures::refreshEntry() { emit entryChanged(); }

}  // namespace kivprism::ui::editor
