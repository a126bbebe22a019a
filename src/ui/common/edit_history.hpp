// Undo and redo in the window: every change of the working image becomes one named step of the
// core's change history. Changes are not caught in each handler: the history keeps the image as
// of the last step and, once a user action has settled (a form's change with its refresh and
// dialogs, a file opened, a whole read, a procedure ended), records whatever differs as one step,
// named after the control, the command, or where the bytes lie. An undone or redone step is written
// into the working image, so the change sending delivers it like any edit, and the pages redraw.
#pragma once

#include <QObject>
#include <functional>
#include <optional>

#include "core/config/image.hpp"
#include "core/history/change_history.hpp"

class QAction;

namespace kivprism::ui {

class BoundForm;

class EditHistory : public QObject {
  Q_OBJECT

 public:
  struct Hooks {
    // A command, a procedure or a device exchange runs: the image is not the user's to change.
    std::function<bool()> busy;
    // The image was replaced under the pages: every page redraws.
    std::function<void()> imageReplaced;
    // Rule numbers of the event/reaction pane's forms: the entry shown (1..100).
    std::function<unsigned()> selectedRule;
  };

  EditHistory(config::ConfigImage& working, Hooks hooks, QObject* parent);

  // The image as it is now is where the history starts; the start-up's redraw and the first
  // configuration read from a controller belong to that start, not to a step.
  void restart();
  // Records what changed since the last step as one step, unless a change is still under way.
  void settle();
  // The same once the events already waiting (queued redraws) have run.
  void settleLater();

  // A change of one of the form's controls is one step named by the control's caption; forRules
  // adds the number of the rule it belongs to.
  void watch(BoundForm& form, bool forRules);
  // A command or procedure that changes the image: what it changes is one step of this name;
  // forRule adds the number of the rule it changes.
  void beginCommand(const lang::TextPair& name, bool forRule = false);
  void endCommand();
  // What changed since the last step, by a control outside the forms (a key's name typed into the
  // keys grid), is one step of this name once its redraw has run; inside a command or a form's
  // change it stays theirs.
  void nameChange(const lang::TextPair& name);
  // The next whole read, which a command on the controller leads to, is named so.
  void nameNextRead(const lang::TextPair& name);
  // A whole read from the controller arrived in the working image.
  void wholeReadArrived();

  void undo();
  void redo();
  QAction* undoAction() const { return undo_; }
  QAction* redoAction() const { return redo_; }
  const history::ChangeHistory& steps() const { return history_; }
  // The actions' texts and hints in the current language.
  void retranslate();

 private:
  void apply(std::optional<history::ImageChange> change);
  // Takes the image as the last step's, and so what the redraws it causes write back.
  void absorbRedraw();
  // A change begins: what came before is a step of its own.
  void beginChange();
  void updateActions();

  config::ConfigImage& working_;
  Hooks hooks_;
  history::ChangeHistory history_;
  // The image as of the last step.
  config::ConfigImage baseline_;
  // The name of the change under way, and whether its rule comes from the bytes it changed.
  std::optional<history::StepName> pending_;
  bool pendingRuleFromBytes_ = false;
  std::optional<history::StepName> nextRead_;
  // Changes under way (a form's change with its dialogs, a command): no step is cut inside them.
  int changing_ = 0;
  // What the next settle finds is the pages' redraw after an undo, redo or the start: no step.
  bool absorbNext_ = false;
  unsigned absorbGeneration_ = 0;
  // No configuration has arrived yet: a whole read becomes the start instead of a step, so undo
  // never sends the empty start-up image to a controller.
  bool atStart_ = true;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
};

}  // namespace kivprism::ui
