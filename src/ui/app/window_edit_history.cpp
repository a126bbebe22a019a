#include "ui/app/window_edit_history.hpp"

#include "core/lang/history_texts.hpp"
#include "ui/app/window_pages.hpp"
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

EditHistory* buildEditHistory(QWidget& window, config::ConfigImage& image,
                              std::function<bool()> busy, std::function<void()> imageReplaced,
                              const WindowPages& pages) {
  EditHistory::Hooks hooks;
  // While a command, a procedure or an exchange runs, the image is theirs: a step is cut and an
  // undo applied only once they are done.
  hooks.busy = std::move(busy);
  hooks.imageReplaced = std::move(imageReplaced);
  hooks.selectedRule = [&pages] {
    return pages.eventPane ? static_cast<unsigned>(pages.eventPane->selectedEntry()) : 0u;
  };
  auto* history = new EditHistory(image, std::move(hooks), &window);
  window.addAction(history->undoAction());
  window.addAction(history->redoAction());
  return history;
}

void watchEdits(EditHistory& history, const WindowPages& pages) {
  EditHistory* watching = &history;
  KeyProcedures* keys = pages.keyProcedures;
  for (BoundForm* form : pages.parameters->findChildren<BoundForm*>()) {
    watching->watch(*form, false);
  }
  for (BoundForm* form : pages.eventPane->findChildren<BoundForm*>()) {
    watching->watch(*form, true);
  }
  // Edits outside the forms (a key dropped, a type chosen, the keyboard dialog, a capture) end in
  // a redraw of the entry or of the key events; the step is cut after it.
  QObject::connect(pages.eventPane, &editor::EventReactionPane::entrySelected, watching,
                   &EditHistory::settleLater);
  QObject::connect(pages.keyboard, &dialogs::TFormKeyBoard::entryChanged, watching,
                   &EditHistory::settleLater);
  QObject::connect(pages.captures, &editor::CaptureProcedures::entryChanged, watching,
                   &EditHistory::settleLater);
  QObject::connect(keys, &KeyProcedures::keyEventsChanged, watching, &EditHistory::settleLater);
  QObject::connect(keys->grid(), &KeysGridWidget::keyLabelStored, watching,
                   [watching] { watching->nameChange(lang::history::kStepKeyName); });
  // A key dragged from the keys grid onto the event's key panels.
  for (const bool modifier : {false, true}) {
    if (editor::KeyDropPanel* panel = pages.eventPane->keyPanel(modifier)) {
      panel->dropped = [watching, drop = std::move(panel->dropped)](int column, int row) {
        watching->beginCommand(lang::history::kStepKeyDragged, true);
        if (drop) {
          drop(column, row);
        }
        watching->endCommand();
      };
    }
  }
  // Key learning and touch calibration write the image while they run: one step each.
  QObject::connect(keys, &KeyProcedures::procedureRunningChanged, watching,
                   [watching, keys, running = false](bool now) mutable {
                     if (now && !running) {
                       watching->beginCommand(keys->touchCalibrationRunning()
                                                  ? lang::history::kStepTouchCalibration
                                                  : lang::history::kStepKeyLearning);
                     } else if (!now && running) {
                       watching->endCommand();
                     }
                     running = now;
                   });
}

}  // namespace kivprism::ui
