// Copy, paste, duplicate, move up and down, and clear of rules, for the rules table and the
// editor's entry tabs: their actions (in the context menus, and on Ctrl+C, Ctrl+V, Ctrl+D,
// Ctrl+Up, Ctrl+Down and Delete while the table or the tabs have the focus, so a field being typed
// in keeps its keys), the questions before a used rule is overwritten, and one undo step each.
// What they do to the image is the core's (summary/rule_operations, summary/rule_clipboard).
#pragma once

#include <QObject>
#include <QString>
#include <cstddef>
#include <functional>
#include <vector>

#include "core/config/image.hpp"
#include "core/lang/text.hpp"

class QAction;
class QMenu;
class QWidget;

namespace kivprism::ui::rules {

class RuleCommands : public QObject {
  Q_OBJECT

 public:
  struct Hooks {
    // The rules the commands act on (ascending numbers 1..100).
    std::function<std::vector<std::size_t>()> targets;
    std::function<int(unsigned flags, const QString& text)> messageBox;
    // A procedure or an exchange runs: the image is not the user's to change.
    std::function<bool()> busy;
    // Brackets a change of the image: one undo step of this name.
    std::function<void(const lang::TextPair& name, bool forRule)> beginStep;
    std::function<void()> endStep;
    // The image changed: the pages redraw and these rules are selected.
    std::function<void(const std::vector<std::size_t>& select)> changed;
    // A short note in the message panel.
    std::function<void(const QString& text)> note;
  };

  RuleCommands(config::ConfigImage& image, Hooks hooks, QObject* parent);

  // The actions' keys work while this widget has the focus.
  void attachTo(QWidget* widget);
  void fillMenu(QMenu* menu) const;
  void retranslate();

  QAction* copyAction() const { return copy_; }
  QAction* pasteAction() const { return paste_; }
  QAction* duplicateAction() const { return duplicate_; }
  QAction* moveUpAction() const { return moveUp_; }
  QAction* moveDownAction() const { return moveDown_; }
  QAction* clearAction() const { return clear_; }

  void copy();
  void paste();
  void duplicate();
  void move(bool up);
  void clear();

 private:
  bool ask(const lang::TextPair& question, const std::vector<std::size_t>& entries);
  void refuse(const QString& text);
  // Runs the change of the image as one step; `select` are the rules to select afterwards.
  void asStep(const lang::TextPair& name, bool forRule,
              const std::function<std::vector<std::size_t>()>& change);

  config::ConfigImage& image_;
  Hooks hooks_;
  QAction* copy_ = nullptr;
  QAction* paste_ = nullptr;
  QAction* duplicate_ = nullptr;
  QAction* moveUp_ = nullptr;
  QAction* moveDown_ = nullptr;
  QAction* clear_ = nullptr;
};

}  // namespace kivprism::ui::rules
