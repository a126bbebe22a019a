#include "ui/app/window_rules.hpp"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QMainWindow>
#include <QMenu>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "core/device/device_link.hpp"
#include "core/lang/rules_texts.hpp"
#include "ui/app/window_pages.hpp"
#include "ui/app/window_shell.hpp"
#include "ui/app/window_toolbar.hpp"
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

// Shown in place of the parameters tabs, so the window keeps its size at 1366x768 with the
// editor visible.
WindowRules::WindowRules(QMainWindow& window, WindowShell& shell, device::DeviceLink& link,
                         config::ConfigImage& image, WindowToolbar& toolbar, QMenu& popupMenu,
                         WindowPages& pages)
    : pages_(pages) {
  QWidget* parametersTab = pages_.parametersTab;
  editor::EventReactionPane* eventPane = pages_.eventPane;
  EditHistory* history = pages_.editHistory;
  auto* rulesPane = new rules::RulesPane(image, parametersTab);
  pages_.rulesPane = rulesPane;
  rulesPane->hide();
  if (QBoxLayout* row = layoutHolding(parametersTab->layout(), eventPane)) {
    row->insertWidget(row->indexOf(eventPane), rulesPane, 1);
  }

  // The switch on the toolbar, before the only-used switch.
  rulesx_ = new QToolButton(&window);
  rulesx_->setObjectName("SpeedButtonRulesx");
  rulesx_->setIcon(QApplication::style()->standardIcon(QStyle::SP_FileDialogDetailedView));
  rulesx_->setAutoRaise(true);
  rulesx_->setCheckable(true);
  toolbar.insertSwitch(rulesx_);
  connect(rulesx_, &QToolButton::clicked, this, [this](bool on) { showRulesTable(on); });
  auto* find = new QAction(&window);
  find->setObjectName("MenuItemRulesFindx");
  find->setShortcut(QKeySequence::Find);
  window.addAction(find);
  connect(find, &QAction::triggered, this, [this] {
    showRulesTable(true);
    pages_.rulesPane->focusFilter();
  });

  rules::RuleCommands::Hooks hooks;
  hooks.targets = [this] { return ruleTargets(); };
  hooks.messageBox = [&shell](unsigned flags, const QString& text) {
    return shell.messageBox(flags, text);
  };
  hooks.busy = [&toolbar, &link] {
    return toolbar.procedureRunning() || link.transportBusy() || link.userCommand();
  };
  hooks.beginStep = [this](const lang::TextPair& name, bool forRule) {
    pages_.eventPane->storeTypedValues();
    pages_.editHistory->beginCommand(name, forRule);
  };
  hooks.endStep = [this] { pages_.editHistory->endCommand(); };
  hooks.changed = [this](const std::vector<std::size_t>& select) {
    if (!select.empty()) {
      pages_.eventPane->selectEntry(select.front());
    }
    pages_.eventPane->forcedRefresh();
    pages_.rulesPane->sync();
    pages_.rulesPane->selectEntries(select);
  };
  hooks.note = [&shell](const QString& text) { shell.flashText(2000, 0, text); };
  auto* ruleCommands = new rules::RuleCommands(image, std::move(hooks), &window);
  pages_.ruleCommands = ruleCommands;
  ruleCommands->attachTo(rulesPane->view());
  ruleCommands->attachTo(eventPane->entryTabs());

  // The menus: the table's own, the entry tabs' after their rule list, and the Edit submenu of the
  // window's menu with undo and redo.
  const auto fill = [ruleCommands, history](QMenu* menu) {
    ruleCommands->fillMenu(menu);
    menu->addSeparator();
    menu->addAction(history->undoAction());
    menu->addAction(history->redoAction());
  };
  connect(rulesPane, &rules::RulesPane::contextMenuWanted, this,
          [this, fill, &window](const QPoint& at) {
            auto* menu = new QMenu(&window);
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
  eventPane->setTabsMenuExtension([this, fill](QMenu* menu) {
    fill(menu);
    ruleSource_ = RuleSource::Editor;
    connect(menu, &QMenu::aboutToHide, this,
            [this] { QTimer::singleShot(0, this, [this] { ruleSource_ = RuleSource::Focus; }); });
  });
  auto* editMenu = new QMenu(&popupMenu);
  pages_.ruleEditMenu = editMenu;
  editMenu->setObjectName("MenuItemEditx");
  ruleCommands->fillMenu(editMenu);
  popupMenu.insertMenu(popupMenu.actions().value(2), editMenu);
  // The window's menu takes the focus from the table: the table's rules while it is shown.
  connect(editMenu, &QMenu::aboutToShow, this, [this] {
    ruleSource_ = rulesTableShown() && !pages_.rulesPane->selectedEntries().empty()
                      ? RuleSource::Table
                      : RuleSource::Editor;
  });
  connect(&popupMenu, &QMenu::aboutToHide, this,
          [this] { QTimer::singleShot(0, this, [this] { ruleSource_ = RuleSource::Focus; }); });

  // The selection follows both ways.
  connect(rulesPane, &rules::RulesPane::entryChosen, eventPane,
          &editor::EventReactionPane::selectEntry);
  connect(eventPane, &editor::EventReactionPane::entrySelected, rulesPane,
          [rulesPane](std::size_t entry) {
            rulesPane->sync();
            rulesPane->followEntry(entry);
          });
  // Any edit: a form's change, a key dropped or learnt, the keyboard dialog, a capture, an undo,
  // a file, a whole read, the language. The table compares the image with what it shows, so
  // calling it often is cheap; the poll tick catches anything else before the change is sent.
  const auto sync = [rulesPane] { rulesPane->sync(); };
  for (BoundForm* form : parametersTab->findChildren<BoundForm*>()) {
    connect(form, &BoundForm::changeFinished, rulesPane, sync, Qt::QueuedConnection);
  }
  for (BoundForm* form : eventPane->findChildren<BoundForm*>()) {
    connect(form, &BoundForm::changeFinished, rulesPane, sync, Qt::QueuedConnection);
  }
  connect(pages_.keyboard, &dialogs::TFormKeyBoard::entryChanged, rulesPane, sync,
          Qt::QueuedConnection);
  connect(pages_.captures, &editor::CaptureProcedures::entryChanged, rulesPane, sync,
          Qt::QueuedConnection);
  connect(&shell.pollTimer(), &ClockTimer::timeout, rulesPane, sync);
  retranslate();
}

void WindowRules::retranslate() {
  rulesx_->setText(translated(lang::rules::kShowTable));
  rulesx_->setToolTip(translated(lang::rules::kShowTableHint));
  pages_.ruleEditMenu->setTitle(translated(lang::rules::kEditMenu));
  pages_.ruleCommands->retranslate();
  pages_.rulesPane->retranslate();
  pages_.rulesPane->followEntry(pages_.eventPane->selectedEntry());
}

void WindowRules::showRulesTable(bool shown) {
  rulesx_->setChecked(shown);
  if (shown) {
    pages_.pageControl->setCurrentWidget(pages_.parametersTab);
    pages_.rulesPane->sync();
  }
  pages_.parameters->setVisible(!shown);
  pages_.rulesPane->setVisible(shown);
  if (shown) {
    pages_.rulesPane->followEntry(pages_.eventPane->selectedEntry());
  }
}

bool WindowRules::rulesTableShown() const {
  return pages_.rulesPane && pages_.rulesPane->isVisible();
}

std::vector<std::size_t> WindowRules::ruleTargets() const {
  RuleSource source = ruleSource_;
  if (source == RuleSource::Focus) {
    source = pages_.rulesPane->view()->hasFocus() ? RuleSource::Table : RuleSource::Editor;
  }
  if (source == RuleSource::Table) {
    return pages_.rulesPane->selectedEntries();
  }
  return {pages_.eventPane->selectedEntry()};
}

}  // namespace kivprism::ui
