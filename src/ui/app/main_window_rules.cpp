// The rules table's place in the main window: beside the event/reaction editor, in place of the
// parameters tabs while its toolbar switch is on (so the window keeps its size at 1366x768 with
// the editor visible), Ctrl+F to its filter, the selection shared with the editor, and the rule
// commands on the table, on the entry tabs and in the menu's Edit submenu.
#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QMenu>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "core/lang/rules_texts.hpp"
#include "ui/app/main_window.hpp"
#include "ui/common/bound_form.hpp"
#include "ui/common/edit_history.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/dialogs/keyboard_dialog.hpp"
#include "ui/editor/capture_procedures.hpp"
#include "ui/editor/event_reaction_pane.hpp"
#include "ui/params/parameters_page.hpp"
#include "ui/rules/rule_commands.hpp"
#include "ui/rules/rule_table_model.hpp"
#include "ui/rules/rules_pane.hpp"

namespace kivprism::ui {

namespace {

// The layout that holds the widget among its direct items.
QBoxLayout* layoutHolding(QLayout* layout, QWidget* widget) {
  if (!layout) {
    return nullptr;
  }
  if (layout->indexOf(widget) >= 0) {
    return qobject_cast<QBoxLayout*>(layout);
  }
  for (int i = 0; i < layout->count(); ++i) {
    if (QBoxLayout* found = layoutHolding(layout->itemAt(i)->layout(), widget)) {
      return found;
    }
  }
  return nullptr;
}

}  // namespace

void TMainForm::buildRulesPane() {
  rulesPane_ = new rules::RulesPane(model_.working, parametersPage_);
  rulesPane_->hide();
  if (QBoxLayout* row = layoutHolding(parametersPage_->layout(), eventPane_)) {
    row->insertWidget(row->indexOf(eventPane_), rulesPane_, 1);
  }

  // The switch on the toolbar, before the only-used switch.
  rulesx_ = new QToolButton(mainToolBar_);
  rulesx_->setObjectName("SpeedButtonRulesx");
  rulesx_->setIcon(QApplication::style()->standardIcon(QStyle::SP_FileDialogDetailedView));
  rulesx_->setAutoRaise(true);
  rulesx_->setCheckable(true);
  QAction* before = nullptr;
  for (QAction* action : mainToolBar_->actions()) {
    if (mainToolBar_->widgetForAction(action) == onlyUsedx_) {
      before = action;
    }
  }
  mainToolBar_->insertWidget(before, rulesx_);
  connect(rulesx_, &QToolButton::clicked, this, [this](bool on) { showRulesTable(on); });
  auto* find = new QAction(this);
  find->setObjectName("MenuItemRulesFindx");
  find->setShortcut(QKeySequence::Find);
  addAction(find);
  connect(find, &QAction::triggered, this, [this] {
    showRulesTable(true);
    rulesPane_->focusFilter();
  });

  rules::RuleCommands::Hooks hooks;
  hooks.targets = [this] { return ruleTargets(); };
  hooks.messageBox = [this](unsigned flags, const QString& text) {
    return messageBox(flags, text);
  };
  hooks.busy = [this] {
    return procedureRunning_ || link_->transportBusy() || link_->userCommand();
  };
  hooks.beginStep = [this](const lang::TextPair& name, bool forRule) {
    eventPane_->storeTypedValues();
    history_->beginCommand(name, forRule);
  };
  hooks.endStep = [this] { history_->endCommand(); };
  hooks.changed = [this](const std::vector<std::size_t>& select) {
    if (!select.empty()) {
      eventPane_->selectEntry(select.front());
    }
    eventPane_->forcedRefresh();
    rulesPane_->sync();
    rulesPane_->selectEntries(select);
  };
  hooks.note = [this](const QString& text) { shell_.flashText(2000, 0, text); };
  ruleCommands_ = new rules::RuleCommands(model_.working, std::move(hooks), this);
  ruleCommands_->attachTo(rulesPane_->view());
  ruleCommands_->attachTo(eventPane_->entryTabs());

  // The menus: the table's own, the entry tabs' after their rule list, and the Edit submenu of the
  // window's menu with undo and redo.
  const auto fill = [this](QMenu* menu) {
    ruleCommands_->fillMenu(menu);
    menu->addSeparator();
    menu->addAction(history_->undoAction());
    menu->addAction(history_->redoAction());
  };
  connect(rulesPane_, &rules::RulesPane::contextMenuWanted, this, [this, fill](const QPoint& at) {
    auto* menu = new QMenu(this);
    menu->setObjectName("PopupMenuRulesx");
    menu->setAttribute(Qt::WA_DeleteOnClose);
    fill(menu);
    ruleSource_ = RuleSource::Table;
    connect(menu, &QMenu::aboutToHide, this, [this] {
      // After the chosen action has run.
      QTimer::singleShot(0, this, [this] { ruleSource_ = RuleSource::Focus; });
    });
    menu->popup(at);
  });
  eventPane_->setTabsMenuExtension([this, fill](QMenu* menu) {
    fill(menu);
    ruleSource_ = RuleSource::Editor;
    connect(menu, &QMenu::aboutToHide, this,
            [this] { QTimer::singleShot(0, this, [this] { ruleSource_ = RuleSource::Focus; }); });
  });
  ruleEditMenu_ = new QMenu(popupMenu_);
  ruleEditMenu_->setObjectName("MenuItemEditx");
  ruleCommands_->fillMenu(ruleEditMenu_);
  popupMenu_->insertMenu(popupMenu_->actions().value(2), ruleEditMenu_);
  // The window's menu takes the focus from the table: the table's rules while it is shown.
  connect(ruleEditMenu_, &QMenu::aboutToShow, this, [this] {
    ruleSource_ = rulesTableShown() && !rulesPane_->selectedEntries().empty() ? RuleSource::Table
                                                                              : RuleSource::Editor;
  });
  connect(popupMenu_, &QMenu::aboutToHide, this,
          [this] { QTimer::singleShot(0, this, [this] { ruleSource_ = RuleSource::Focus; }); });

  // The selection follows both ways.
  connect(rulesPane_, &rules::RulesPane::entryChosen, eventPane_,
          &editor::EventReactionPane::selectEntry);
  connect(eventPane_, &editor::EventReactionPane::entrySelected, rulesPane_,
          [this](std::size_t entry) {
            rulesPane_->sync();
            rulesPane_->followEntry(entry);
          });
  // Any edit: a form's change, a key dropped or learnt, the keyboard dialog, a capture, an undo,
  // a file, a whole read, the language. The table compares the image with what it shows, so
  // calling it often is cheap; the poll tick catches anything else before the change is sent.
  const auto sync = [this] { rulesPane_->sync(); };
  for (BoundForm* form : parametersPage_->findChildren<BoundForm*>()) {
    connect(form, &BoundForm::changeFinished, rulesPane_, sync, Qt::QueuedConnection);
  }
  for (BoundForm* form : eventPane_->findChildren<BoundForm*>()) {
    connect(form, &BoundForm::changeFinished, rulesPane_, sync, Qt::QueuedConnection);
  }
  connect(keyboard_, &dialogs::TFormKeyBoard::entryChanged, rulesPane_, sync, Qt::QueuedConnection);
  connect(captures_, &editor::CaptureProcedures::entryChanged, rulesPane_, sync,
          Qt::QueuedConnection);
  connect(
      this, &TMainForm::pagesInvalidated, rulesPane_, [this] { retranslateRulesPane(); },
      Qt::QueuedConnection);
  connect(&shell_.pollTimer(), &ClockTimer::timeout, rulesPane_, sync);
  retranslateRulesPane();
}

void TMainForm::retranslateRulesPane() {
  rulesx_->setText(translated(lang::rules::kShowTable));
  rulesx_->setToolTip(translated(lang::rules::kShowTableHint));
  ruleEditMenu_->setTitle(translated(lang::rules::kEditMenu));
  ruleCommands_->retranslate();
  rulesPane_->retranslate();
  rulesPane_->followEntry(eventPane_->selectedEntry());
}

void TMainForm::showRulesTable(bool shown) {
  rulesx_->setChecked(shown);
  if (shown) {
    pageControlMain_->setCurrentWidget(parametersPage_);
    rulesPane_->sync();
  }
  parameters_->setVisible(!shown);
  rulesPane_->setVisible(shown);
  if (shown) {
    rulesPane_->followEntry(eventPane_->selectedEntry());
  }
}

bool TMainForm::rulesTableShown() const { return rulesPane_ && rulesPane_->isVisible(); }

std::vector<std::size_t> TMainForm::ruleTargets() const {
  RuleSource source = ruleSource_;
  if (source == RuleSource::Focus) {
    source = rulesPane_->view()->hasFocus() ? RuleSource::Table : RuleSource::Editor;
  }
  if (source == RuleSource::Table) {
    return rulesPane_->selectedEntries();
  }
  return {eventPane_->selectedEntry()};
}

}  // namespace kivprism::ui
