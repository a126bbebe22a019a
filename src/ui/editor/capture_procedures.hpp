// IR code learning and touch-point capture of the event/reaction pane: the core's captures over
// the device link and the shell's services (boxes, short messages, waits, the toolbar's busy
// state), with the touch progress bar. The event/reaction pane's clicks reach it:
//   connect(pane, &EventReactionPane::irPanelClicked, capture, &CaptureProcedures::learnIrCode);
//   connect(pane, &EventReactionPane::touchCaptureClicked, capture,
//           [=](std::size_t entry) { capture->captureTouchPoint(entry, touchBar); });
// and its entryChanged() makes the pane refresh, its procedureRunningChanged(bool) locks the
// keyboard dialog's key groups.
#pragma once

#include <QObject>
#include <QPointer>
#include <cstddef>
#include <functional>

#include "core/editor/capture.hpp"
#include "core/events/ir_protocols.hpp"

class QProgressBar;

namespace kivprism::ui::editor {

class CaptureProcedures : public QObject, public kivprism::editor::CaptureHost {
  Q_OBJECT

 public:
  // otherProcedureRunning: key learning or touch calibration talks to the controller in waits of
  // its own, and a touch capture does not start meanwhile.
  CaptureProcedures(device::DeviceLink& link, shell::ShellServices& shell,
                    std::function<bool()> otherProcedureRunning, QObject* parent = nullptr);

  bool touchCaptureRunning() const { return touch_.running(); }

 public slots:
  // PanelIRDEFx (event) or PanelEventReactionIRx (reaction) clicked for the entry.
  void learnIrCode(std::size_t entry, kivprism::events::IrContext context);
  // SpeedButtonReactionTouch clicked: captures a point for the entry while the bar
  // (ProgressBarReactionTouch, may be null) shows the passes; a click while it runs ends it.
  void captureTouchPoint(std::size_t entry, QProgressBar* bar);

 signals:
  // The entry may have changed: the pane refreshes.
  void entryChanged();
  // A touch capture started or ended: the keyboard dialog's key groups follow.
  void procedureRunningChanged(bool running);

 public:
  // --- editor::CaptureHost ---
  void showTouchProgress(std::size_t pass) override;
  void hideTouchProgress() override;
  void setCaptureRunning(bool running) override;
  void refreshEntry() override;

 private:
  device::DeviceLink& link_;
  shell::ShellServices& shell_;
  std::function<bool()> otherProcedureRunning_;
  kivprism::editor::TouchPointCapture touch_;
  QPointer<QProgressBar> bar_;
};

}  // namespace kivprism::ui::editor
