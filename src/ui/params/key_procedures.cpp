#include "ui/params/key_procedures.hpp"

#include "ui/params/keys_grid_widget.hpp"

namespace kivprism::ui {

KeyProcedures::KeyProcedures(device::DeviceLink& link, shell::ShellServices& shell, QObject* parent)
    : QObject(parent),
      shell_(shell),
      binding_(link.model().working, model_),
      grid_(std::make_unique<KeysGridWidget>(binding_)),
      learning_(link, shell, *this, model_),
      calibration_(link, shell, *this) {
  connect(grid_.get(), &KeysGridWidget::keyEventsChanged, this, &KeyProcedures::keyEventsChanged);
  connect(grid_.get(), &KeysGridWidget::nameRefused, this,
          [this](const QString& text) { shell_.showInformation(text.toStdString()); });
  grid_->setQuestionAsker(
      [this](const QString& text) { return shell_.askQuestion(text.toStdString()); });
}

KeyProcedures::~KeyProcedures() = default;

void KeyProcedures::SpeedButtonKeysSetupClick() { learning_.click(); }

void KeyProcedures::SpeedButtonTouchSetupClick(bool withMargin) { calibration_.click(withMargin); }

void KeyProcedures::pollTick() { grid_->pollTick(); }

void KeyProcedures::fillKeysGrid() { grid_->fillKeysGrid(); }

void KeyProcedures::writeKeyLabels() { binding_.writeKeyLabels(); }

void KeyProcedures::setProcedureRunning(bool running) {
  shell_.updateToolbar(running);
  emit procedureRunningChanged(running);
}

void KeyProcedures::keysGridChanged() { grid_->showModel(); }

void KeyProcedures::keyLearningEnded() {
  grid_->showModel();
  grid_->clearKeysSelection();
  emit keyEventsChanged();
}

}  // namespace kivprism::ui
