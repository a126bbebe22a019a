// The rules table beside the editor on the simulated controller: the filter and the hide-unused
// toggle, the selection shared with the editor, an edit redrawing only its row with the selection
// kept, and the rule commands (copy, paste, duplicate, move, clear) as undo steps that reach the
// controller, with garbage in the clipboard refused.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "core/config/image_layout.hpp"
#include "core/events/entry.hpp"
#include "core/events/entry_types.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "support/window_rig.hpp"
#include "ui/app/main_window.hpp"
#include "ui/common/edit_history.hpp"
#include "ui/editor/event_reaction_pane.hpp"
#include "ui/params/parameters_page.hpp"
#include "ui/rules/rule_commands.hpp"
#include "ui/rules/rule_table_model.hpp"
#include "ui/rules/rules_pane.hpp"
#include "window_test_main.hpp"

namespace rules_table_test {
namespace {

using kivprism::config::ConfigImage;
using kivprism::sim::SimulatedController;
using kivprism::sim::SimulatedHidPort;
using kivprism::ui::MainWindowOptions;
using kivprism::ui::TMainForm;
using kivprism::ui::rules::RuleTableModel;
namespace box = kivprism::ui::box;

constexpr std::uint32_t kTimeoutMs = 10000;

kivprism::testing::WindowRigSetup britishSystem() {
  kivprism::testing::WindowRigSetup setup;
  setup.systemLanguage = "en-GB";
  return setup;
}

class Rig : public kivprism::testing::WindowRig {
 public:
  Rig() : WindowRig(britishSystem()) {
    answerBox = [this](unsigned, const QString&, const QString& text) {
      asked.append(text);
      return answer;
    };
    window->rules().showRulesTable(true);
  }

  bool waitSynced() {
    const auto synced = [this] {
      return window->link().isConnected() && window->link().inSync() &&
             window->model().working == window->model().device &&
             controller.configuration() == window->model().working;
    };
    if (!waitFor(synced, kTimeoutMs)) {
      return false;
    }
    advance(50);
    return waitFor(synced, kTimeoutMs);
  }

  kivprism::ui::rules::RulesPane& pane() { return *window->pages().rulesPane; }
  RuleTableModel& model() { return pane().model(); }
  QTableView* view() { return pane().view(); }
  kivprism::ui::editor::EventReactionPane& editor() { return *window->pages().eventPane; }
  kivprism::ui::rules::RuleCommands& commands() { return *window->pages().ruleCommands; }
  QString cell(std::size_t entry, int column) {
    const auto row = model().rowOf(entry);
    return row ? model().index(*row, column).data().toString() : QString("(hidden)");
  }
  std::vector<std::uint8_t> rule(const ConfigImage& image, std::size_t entry) {
    const auto e = image.entry(entry - 1);
    return {e.begin(), e.end()};
  }
  // Right-clicks the table and picks the command from its menu.
  void fromTableMenu(QAction* command) {
    emit pane().contextMenuWanted(view()->mapToGlobal(QPoint(5, 5)));
    auto* menu = window->findChild<QMenu*>("PopupMenuRulesx");
    QVERIFY(menu != nullptr);
    QVERIFY(menu->actions().contains(command));
    command->trigger();
    menu->close();
    advance(20);
  }

  int answer = box::kYes;
  QStringList asked;
};

class RulesTableTest : public QObject {
  Q_OBJECT

 private slots:
  void theTableShowsEveryRuleBesideTheEditorAndFilters() {
    Rig rig;
    QVERIFY(rig.waitSynced());
    QVERIFY(rig.pane().isVisible());
    QVERIFY(rig.editor().isVisible());
    QVERIFY(!rig.window->pages().parameters->isVisible());
    QCOMPARE(rig.model().rowCount(), 100);
    QCOMPARE(rig.model().headerData(RuleTableModel::kEvent, Qt::Horizontal, Qt::DisplayRole),
             QVariant("Event"));
    QCOMPARE(rig.cell(1, RuleTableModel::kName), QString("Volume up"));
    QCOMPARE(rig.cell(4, RuleTableModel::kMark), QString("unused"));

    rig.pane().hideUnused()->setChecked(true);
    QCOMPARE(rig.model().rowCount(), 3);
    rig.pane().filter()->setText("vol+");
    QCOMPARE(rig.model().rowCount(), 1);
    QCOMPARE(rig.model().entryAt(0), std::size_t{1});
    rig.pane().filter()->clear();
    rig.pane().hideUnused()->setChecked(false);
    QCOMPARE(rig.model().rowCount(), 100);

    // Ctrl+F brings the table back and puts the typing into the filter.
    rig.window->rules().showRulesTable(false);
    QVERIFY(!rig.pane().isVisible());
    QVERIFY(rig.window->pages().parameters->isVisible());
    rig.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
    QTest::keyClick(rig.window.get(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(rig.pane().isVisible());
    QVERIFY(rig.pane().filter()->hasFocus());
    QVERIFY(rig.pane().filter()->toolTip().contains("Ctrl+F"));

    // The words follow the language.
    rig.window->findChild<QToolButton*>("SpeedButtonLangx")->click();
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.cell(4, RuleTableModel::kMark), QString::fromUtf8("пусто"),
                              kTimeoutMs);
    QCOMPARE(rig.model().headerData(RuleTableModel::kEvent, Qt::Horizontal, Qt::DisplayRole),
             QVariant(QString::fromUtf8("Событие")));
  }

  void aParameterThatLetsAReactionFireClearsItsMarkAtOnce() {
    Rig rig;
    QVERIFY(rig.waitSynced());
    auto* usb = rig.window->pages().parameters->findChild<QListWidget*>("CheckListBoxUSBMODEx");
    QVERIFY(usb);
    for (int i = 0; i < usb->count(); ++i) {
      usb->item(i)->setCheckState(Qt::Unchecked);
    }
    // At once, not at the next poll.
    rig.window->shell().pollTimer().stop();
    QApplication::processEvents();
    QCOMPARE(rig.cell(1, RuleTableModel::kMark), QString::fromUtf8("⚠ check"));
    // The factory's USB key rules cannot fire while every USB function is off; the hint says so.
    const auto mark = rig.model().index(*rig.model().rowOf(1), RuleTableModel::kMark);
    QVERIFY(mark.data(Qt::ToolTipRole).toString().contains("USB function"));
    for (int i = 0; i < usb->count(); ++i) {
      usb->item(i)->setCheckState(Qt::Checked);
    }
    QApplication::processEvents();
    QCOMPARE(rig.cell(1, RuleTableModel::kMark), QString());
    QVERIFY(!mark.data(Qt::ToolTipRole).isValid());
    rig.window->shell().pollTimer().start();
  }

  void theSelectionFollowsBothWays() {
    Rig rig;
    QVERIFY(rig.waitSynced());
    const auto row7 = rig.model().index(*rig.model().rowOf(7), 0);
    QTest::mouseClick(rig.view()->viewport(), Qt::LeftButton, {},
                      rig.view()->visualRect(row7).center());
    QCOMPARE(rig.editor().selectedEntry(), std::size_t{7});
    rig.editor().selectEntry(12);
    QCOMPARE(rig.pane().selectedEntries(), std::vector<std::size_t>{12});
    // A rule among several selected in the table keeps the selection when the editor shows it.
    rig.pane().selectEntries({3, 4, 5});
    rig.editor().selectEntry(4);
    QCOMPARE(rig.pane().selectedEntries(), (std::vector<std::size_t>{3, 4, 5}));
  }

  void anEditRedrawsItsRowAndKeepsTheSelectionAndScrollPlace() {
    Rig rig;
    QVERIFY(rig.waitSynced());
    rig.view()->scrollTo(rig.model().index(60, 0), QAbstractItemView::PositionAtTop);
    const int scrolled = rig.view()->verticalScrollBar()->value();
    rig.pane().selectEntries({2, 61});
    rig.view()->scrollTo(rig.model().index(60, 0), QAbstractItemView::PositionAtTop);
    rig.editor().selectEntry(61);
    const std::size_t full = rig.model().fullRebuilds();
    const std::size_t rows = rig.model().rowRebuilds();
    rig.editor().eventPages()->setCurrentIndex(
        static_cast<int>(kivprism::events::EventType::Timeout));
    VTRY_VERIFY_WITH_TIMEOUT(rig, rig.cell(61, RuleTableModel::kEvent) != "", kTimeoutMs);
    VTRY_VERIFY_WITH_TIMEOUT(rig, rig.model().rowRebuilds() > rows, kTimeoutMs);
    QCOMPARE(rig.model().fullRebuilds(), full);
    QCOMPARE(rig.cell(61, RuleTableModel::kMark), QString());
    QCOMPARE(rig.pane().selectedEntries(), (std::vector<std::size_t>{2, 61}));
    QCOMPARE(rig.view()->verticalScrollBar()->value(), scrolled);

    // With unused rules hidden the edited rule joins the rows, selected as the editor shows it.
    rig.pane().hideUnused()->setChecked(true);
    QCOMPARE(rig.pane().selectedEntries(), (std::vector<std::size_t>{2, 61}));
    rig.editor().selectEntry(62);
    rig.editor().eventPages()->setCurrentIndex(
        static_cast<int>(kivprism::events::EventType::Timeout));
    VTRY_VERIFY_WITH_TIMEOUT(rig, rig.model().rowOf(62).has_value(), kTimeoutMs);
    QCOMPARE(rig.pane().selectedEntries(), (std::vector<std::size_t>{62}));

    // An undo is an edit too.
    rig.window->pages().editHistory->undo();
    VTRY_VERIFY_WITH_TIMEOUT(rig, !rig.model().rowOf(62).has_value(), kTimeoutMs);
  }

  void pastingTextThatIsNoRuleSaysSoAndChangesNothing() {
    Rig rig;
    QVERIFY(rig.waitSynced());
    const ConfigImage before = rig.window->model().working;
    QApplication::clipboard()->setText("VOL+ does Seek up, please copy that");
    rig.pane().selectEntries({5});
    rig.view()->setFocus();
    rig.fromTableMenu(rig.commands().pasteAction());
    QCOMPARE(rig.asked.size(), qsizetype{1});
    QVERIFY(rig.asked.front().contains("no kivprism rules"));
    QCOMPARE(rig.window->model().working, before);
    QVERIFY(!rig.window->pages().editHistory->undoAction()->isEnabled());
  }

  void aCopiedRulePastesOntoAnotherEntryOnTheControllerAndUndoTakesItBack() {
    Rig rig;
    QVERIFY(rig.waitSynced());
    const ConfigImage before = rig.window->model().working;
    rig.pane().selectEntries({1});
    rig.view()->setFocus();
    // The keys act while the table has the focus.
    QTest::keyClick(rig.view(), Qt::Key_C, Qt::ControlModifier);
    QVERIFY(QApplication::clipboard()->text().startsWith("kivprism rule 1 | Volume up | "));
    rig.pane().selectEntries({10});
    QTest::keyClick(rig.view(), Qt::Key_V, Qt::ControlModifier);
    QVERIFY(rig.asked.isEmpty());  // entry 10 was unused: nothing to ask
    QCOMPARE(rig.rule(rig.window->model().working, 10), rig.rule(before, 1));
    QCOMPARE(rig.editor().selectedEntry(), std::size_t{10});
    QCOMPARE(rig.cell(10, RuleTableModel::kName), QString("Volume up"));
    QVERIFY(rig.waitSynced());
    QCOMPARE(rig.rule(rig.controller.configuration(), 10), rig.rule(before, 1));
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.window->pages().editHistory->undoAction()->text(),
                              QString("Undo: Paste of rule 10"), kTimeoutMs);

    rig.window->pages().editHistory->undo();
    QCOMPARE(rig.window->model().working, before);
    QVERIFY(rig.waitSynced());
    QCOMPARE(rig.controller.configuration(), before);
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.cell(10, RuleTableModel::kMark), QString("unused"),
                              kTimeoutMs);
  }

  void pasteOverAndClearOfUsedRulesAsk() {
    Rig rig;
    QVERIFY(rig.waitSynced());
    const ConfigImage before = rig.window->model().working;
    rig.pane().selectEntries({3});
    rig.view()->setFocus();
    QTest::keyClick(rig.view(), Qt::Key_C, Qt::ControlModifier);
    rig.pane().selectEntries({1, 2});
    rig.answer = box::kNo;
    QTest::keyClick(rig.view(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(rig.asked.size(), qsizetype{1});
    QVERIFY(rig.asked.back().contains(": 1."));
    QCOMPARE(rig.window->model().working, before);
    QTest::keyClick(rig.view(), Qt::Key_Delete);
    QCOMPARE(rig.asked.size(), qsizetype{2});
    QVERIFY(rig.asked.back().contains("1, 2"));
    QCOMPARE(rig.window->model().working, before);
    rig.answer = box::kYes;
    QTest::keyClick(rig.view(), Qt::Key_Delete);
    QVERIFY(kivprism::events::isEmpty(kivprism::events::entryAt(rig.window->model().working, 1)));
    QVERIFY(kivprism::events::isEmpty(kivprism::events::entryAt(rig.window->model().working, 2)));
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.window->pages().editHistory->undoAction()->text(),
                              QString("Undo: Clearing of rules"), kTimeoutMs);
    rig.window->pages().editHistory->undo();
    QCOMPARE(rig.window->model().working, before);
  }

  void theEntryTabsCarryTheCommandsAndAFieldKeepsItsKeys() {
    Rig rig;
    QVERIFY(rig.waitSynced());
    const ConfigImage before = rig.window->model().working;
    rig.editor().selectEntry(2);
    QMenu* menu = rig.editor().tabsMenu();
    QVERIFY(menu->actions().contains(rig.commands().duplicateAction()));
    QVERIFY(menu->actions().contains(rig.commands().moveDownAction()));
    rig.commands().duplicateAction()->trigger();
    menu->deleteLater();
    rig.advance(20);
    QCOMPARE(rig.rule(rig.window->model().working, 4), rig.rule(before, 2));
    QCOMPARE(rig.editor().selectedEntry(), std::size_t{4});
    // Ctrl+Up on the focused tabs moves the rule up.
    rig.editor().entryTabs()->setFocus();
    QTest::keyClick(rig.editor().entryTabs(), Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(rig.rule(rig.window->model().working, 3), rig.rule(before, 2));
    QCOMPARE(rig.rule(rig.window->model().working, 4), rig.rule(before, 3));
    QCOMPARE(rig.editor().selectedEntry(), std::size_t{3});
    // Delete in a field being typed in is the field's.
    const ConfigImage moved = rig.window->model().working;
    rig.pane().filter()->setText("abc");
    rig.pane().filter()->setFocus();
    rig.pane().filter()->setCursorPosition(0);
    QTest::keyClick(rig.pane().filter(), Qt::Key_Delete);
    QCOMPARE(rig.pane().filter()->text(), QString("bc"));
    QCOMPARE(rig.window->model().working, moved);
    QVERIFY(rig.asked.isEmpty());
  }
};

KIVPRISM_WINDOW_TEST(RulesTableTest);

}  // namespace
}  // namespace rules_table_test
#include "rules_table_test.moc"
