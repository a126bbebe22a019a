// Key learning, touch calibration and the keys grid of the keys tab: the two procedures over the
// device link and the shell's services (boxes, waits, prompts in the message panel, the toolbar
// lock), and the grid widget bound to the link's working image. The window creates one, places
// grid() on the keys tab, connects the two buttons to the click handlers, answers
// keyLearningActive() from it, calls pollTick() first in every poll tick and writeKeyLabels()
// before a file save or a whole write.
#pragma once

#include <QObject>
#include <memory>

#include "core/keys/key_learning.hpp"
#include "core/keys/keys_grid.hpp"
#include "core/keys/keys_grid_binding.hpp"
#include "core/keys/procedure_host.hpp"
#include "core/keys/touch_calibration.hpp"

namespace kivprism::ui {

class KeysGridWidget;

class KeyProcedures : public QObject, public keys::KeyLearningHost {
  Q_OBJECT

 public:
  KeyProcedures(device::DeviceLink& link, shell::ShellServices& shell, QObject* parent = nullptr);
  ~KeyProcedures() override;

  // StringGridKeys; without a parent until the window places it.
  KeysGridWidget* grid() const { return grid_.get(); }

  // SpeedButtonKeysSetupClick and SpeedButtonTouchSetupClick (with CheckBoxTouchDXY's state).
  void SpeedButtonKeysSetupClick();
  void SpeedButtonTouchSetupClick(bool withMargin);
  bool keyLearningActive() const { return learning_.active(); }
  bool keyLearningRunning() const { return learning_.running(); }
  bool touchCalibrationRunning() const { return calibration_.running(); }

  // The poll tick's first step: finishKeyLabelEdit and the withdrawal of a hint.
  void pollTick();
  void fillKeysGrid();
  void writeKeyLabels();

  // --- keys::KeyLearningHost ---
  void setProcedureRunning(bool running) override;
  void keysGridChanged() override;
  void keyLearningEnded() override;

 signals:
  // While a procedure runs the toolbar is locked; the page keeps the procedure's button enabled
  // (and locks the keyboard dialog's groups) on this signal.
  void procedureRunningChanged(bool running);
  // Key events lost a reference or a label changed: the event pane redraws.
  void keyEventsChanged();

 private:
  shell::ShellServices& shell_;
  keys::KeysGrid model_;
  keys::KeysGridBinding binding_;
  std::unique_ptr<KeysGridWidget> grid_;
  keys::KeyLearning learning_;
  keys::TouchCalibration calibration_;
};

}  // namespace kivprism::ui
