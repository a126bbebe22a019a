// Undo and redo in the main window: the edit history, the forms and procedures it watches, and
// its actions on the toolbar, in the menu and on the keys.
#include "core/lang/history_texts.hpp"
#include "ui/app/main_window.hpp"
#include "ui/common/bound_form.hpp"
#include "ui/common/edit_history.hpp"
#include "ui/dialogs/keyboard_dialog.hpp"
#include "ui/editor/capture_procedures.hpp"
#include "ui/editor/event_reaction_pane.hpp"
#include "ui/editor/panel_button.hpp"
#include "ui/params/key_procedures.hpp"
#include "ui/params/keys_grid_widget.hpp"
#include "ui/params/parameters_page.hpp"

namespace kivprism::ui {

void TMainForm::buildEditHistory() {
  EditHistory::Hooks hooks;
  // While a command, a procedure or an exchange runs, the image is theirs: a step is cut and an
  // undo applied only once they are done.
  hooks.busy = [this] {
    return procedureRunning_ || link_->transportBusy() || link_->pollSuspendCount() > 0 ||
           link_->userCommand();
  };
  hooks.imageReplaced = [this] { invalidatePages(); };
  hooks.selectedRule = [this] {
    return eventPane_ ? static_cast<unsigned>(eventPane_->selectedEntry()) : 0u;
  };
  history_ = new EditHistory(model_.working, std::move(hooks), this);
  addAction(history_->undoAction());
  addAction(history_->redoAction());
}

void TMainForm::watchEdits() {
  for (BoundForm* form : parameters_->findChildren<BoundForm*>()) {
    history_->watch(*form, false);
  }
  for (BoundForm* form : eventPane_->findChildren<BoundForm*>()) {
    history_->watch(*form, true);
  }
  // Edits outside the forms (a key dropped, a type chosen, the keyboard dialog, a capture) end in
  // a redraw of the entry or of the key events; the step is cut after it.
  connect(eventPane_, &editor::EventReactionPane::entrySelected, history_,
          &EditHistory::settleLater);
  connect(keyboard_, &dialogs::TFormKeyBoard::entryChanged, history_, &EditHistory::settleLater);
  connect(captures_, &editor::CaptureProcedures::entryChanged, history_, &EditHistory::settleLater);
  connect(keyProcedures_.get(), &KeyProcedures::keyEventsChanged, history_,
          &EditHistory::settleLater);
  connect(keyProcedures_->grid(), &KeysGridWidget::keyLabelStored, history_,
          [this] { history_->nameChange(lang::history::kStepKeyName); });
  // A key dragged from the keys grid onto the event's key panels.
  for (const bool modifier : {false, true}) {
    if (editor::KeyDropPanel* panel = eventPane_->keyPanel(modifier)) {
      panel->dropped = [this, drop = std::move(panel->dropped)](int column, int row) {
        history_->beginCommand(lang::history::kStepKeyDragged, true);
        if (drop) {
          drop(column, row);
        }
        history_->endCommand();
      };
    }
  }
  // Key learning and touch calibration write the image while they run: one step each.
  connect(keyProcedures_.get(), &KeyProcedures::procedureRunningChanged, history_,
          [this, running = false](bool now) mutable {
            if (now && !running) {
              history_->beginCommand(keyProcedures_->touchCalibrationRunning()
                                         ? lang::history::kStepTouchCalibration
                                         : lang::history::kStepKeyLearning);
            } else if (!now && running) {
              history_->endCommand();
            }
            running = now;
          });
}

}  // namespace kivprism::ui
