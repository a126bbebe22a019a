#include "ui/app/key_procedures.hpp"

#include "ui/app/keys_grid_widget.hpp"
#include "ui/app/main_window.hpp"
#include "ui/app/message_box.hpp"
#include "ui/app/qt_text.hpp"

namespace kivprism::ui {

namespace {
constexpr std::uint32_t kPromptBlinkMs = 250;
}  // namespace

KeyProcedures::KeyProcedures(TMainForm& window, QObject* parent)
    : QObject(parent),
      window_(window),
      binding_(window.model().working, model_),
      grid_(std::make_unique<KeysGridWidget>(binding_)),
      learning_(window.link(), *this, model_),
      calibration_(window.link(), *this) {
  connect(grid_.get(), &KeysGridWidget::keyEventsChanged, this, &KeyProcedures::keyEventsChanged);
  connect(grid_.get(), &KeysGridWidget::nameRefused, this,
          [this](const QString& text) { window_.messageBox(box::kInformation, text); });
  grid_->setQuestionAsker([this](const QString& text) {
    return window_.messageBox(box::kQuestion | box::kDefaultNo, text) == box::kYes;
  });
}

KeyProcedures::~KeyProcedures() = default;

void KeyProcedures::SpeedButtonKeysSetupClick() { learning_.click(); }

void KeyProcedures::SpeedButtonTouchSetupClick(bool withMargin) { calibration_.click(withMargin); }

void KeyProcedures::pollTick() { grid_->pollTick(); }

void KeyProcedures::fillKeysGrid() { grid_->fillKeysGrid(); }

void KeyProcedures::writeKeyLabels() { binding_.writeKeyLabels(); }

bool KeyProcedures::askQuestion(std::string_view text) {
  return window_.messageBox(box::kQuestion | box::kDefaultNo, qtText(text)) == box::kYes;
}

void KeyProcedures::showError(std::string_view text) {
  window_.messageBox(box::kError, qtText(text));
}

void KeyProcedures::waitMs(std::uint32_t ms) { window_.waitMs(ms); }

bool KeyProcedures::shuttingDown() const { return window_.shuttingDown(); }

void KeyProcedures::showPrompt(std::uint32_t durationMs, std::string_view text) {
  window_.flashMessage(durationMs, kPromptBlinkMs, qtText(text));
}

void KeyProcedures::endPrompt() { window_.endFlash(); }

void KeyProcedures::setProcedureRunning(bool running) {
  window_.updateToolbar(running);
  emit procedureRunningChanged(running);
}

void KeyProcedures::keysGridChanged() { grid_->showModel(); }

void KeyProcedures::keyLearningEnded() {
  grid_->showModel();
  grid_->clearKeysSelection();
  emit keyEventsChanged();
}

}  // namespace kivprism::ui
