// IR code learning and touch-point capture as the main window hosts them: the Qt side of the
// core's captures (boxes, short messages in the message panel, waits that process events, the
// touch progress bar, the toolbar's busy state). The event/reaction pane's clicks reach it:
//   connect(pane, &EventReactionPane::irPanelClicked, capture, &CaptureProcedures::learnIrCode);
//   connect(pane, &EventReactionPane::touchCaptureClicked, capture,
//           [=](std::size_t entry) { capture->captureTouchPoint(entry, touchBar); });
// and its entryChanged() makes the pane refresh, its procedureRunningChanged(bool) locks the
// keyboard dialog's key groups.
#pragma once

#include <QObject>
#include <QPointer>
#include <cstddef>

#include "core/editor/capture.hpp"
#include "core/events/ir_protocols.hpp"

class QProgressBar;

namespace kivprism::ui {

class TMainForm;

namespace editor {

class CaptureProcedures : public QObject, public kivprism::editor::CaptureHost {
  Q_OBJECT

 public:
  explicit CaptureProcedures(TMainForm& window, QObject* parent = nullptr);

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
  void showError(std::string_view text) override;
  void showInformation(std::string_view text) override;
  void flashMessage(std::uint32_t durationMs, std::uint32_t blinkMs,
                    std::string_view text) override;
  void endFlash() override;
  void waitMs(std::uint32_t ms) override;
  bool shuttingDown() const override;
  void showTouchProgress(std::size_t pass) override;
  void hideTouchProgress() override;
  void setCaptureRunning(bool running) override;
  void refreshEntry() override;

 private:
  TMainForm& window_;
  kivprism::editor::TouchPointCapture touch_;
  QPointer<QProgressBar> bar_;
};

}  // namespace editor
}  // namespace kivprism::ui
