// Undo and redo in the main window on the simulated controller: a parameter edit and a file
// opened are steps that undo and redo put back into the image, the controls and the controller,
// and the commands name the step in the language shown.
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <optional>

#include "core/config/config_file.hpp"
#include "core/config/image_layout.hpp"
#include "core/events/entry_types.hpp"
#include "core/keys/key_rules.hpp"
#include "sim/learning_scenarios.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "support/window_rig.hpp"
#include "ui/app/main_window.hpp"
#include "ui/common/edit_history.hpp"
#include "ui/editor/event_reaction_pane.hpp"
#include "ui/editor/panel_button.hpp"
#include "ui/params/key_procedures.hpp"
#include "ui/params/keys_grid_widget.hpp"
#include "ui/params/parameters_page.hpp"
#include "window_test_main.hpp"

namespace edit_history_test {
namespace {

using kivprism::config::ConfigImage;
using kivprism::sim::SimulatedController;
using kivprism::sim::SimulatedHidPort;
using kivprism::ui::MainWindowOptions;
using kivprism::ui::TMainForm;
namespace box = kivprism::ui::box;
namespace layout = kivprism::config::layout;

constexpr std::uint32_t kTimeoutMs = 10000;

kivprism::testing::WindowRigSetup russian() {
  kivprism::testing::WindowRigSetup setup;
  setup.settings = "[MainSettings]\r\nLang=0\r\n";
  setup.systemLanguage = "ru-RU";
  setup.show = false;
  return setup;
}

class Rig : public kivprism::testing::WindowRig {
 public:
  Rig() : WindowRig(russian()) { boxAnswer = box::kOk; }

  // Connected, the pages redrawn, and the controller holds every change of the working image.
  bool waitSynced() {
    const auto synced = [this] {
      return window->link().isConnected() && window->link().inSync() &&
             window->model().working == window->model().device &&
             controller.configuration() == window->model().working;
    };
    // The redraw after a read or an undo may write corrections, which are sent in turn.
    if (!waitFor(synced, kTimeoutMs)) {
      return false;
    }
    advance(50);
    return waitFor(synced, kTimeoutMs);
  }

  // The demo's keys and touch corners for key learning and touch calibration.
  void useDemoScenarios() { kivprism::sim::useDemoScenarios(controller); }
  QToolButton* button(const char* name) const { return window->findChild<QToolButton*>(name); }
  void showTab(const char* name) {
    auto* tabs = window->pages().parameters->pageControl();
    tabs->setCurrentWidget(tabs->findChild<QWidget*>(name));
  }
  std::vector<std::uint8_t> bytesOf(const ConfigImage& image, kivprism::config::Field span) const {
    const auto bytes = image.span(span);
    return {bytes.begin(), bytes.end()};
  }

  QAction* undo() const { return window->findChild<QAction*>("MenuItemUndox"); }
  QAction* redo() const { return window->findChild<QAction*>("MenuItemRedox"); }
  ConfigImage& working() { return window->model().working; }
};

class EditHistoryTest : public QObject {
  Q_OBJECT

 private slots:
  void aParameterEditIsUndoneAndRedoneInImageControlAndController() {
    Rig rig;
    QVERIFY(rig.waitSynced());
    // The configuration the controller brought is where undo starts.
    QVERIFY(!rig.undo()->isEnabled());
    QVERIFY(!rig.redo()->isEnabled());
    QCOMPARE(rig.undo()->text(), QString::fromUtf8("Отменить"));
    const ConfigImage before = rig.working();
    const unsigned old = before.getU16(layout::kLongPressTime);
    const unsigned edited = old == 1500 ? 2500 : 1500;

    auto* longPress = rig.window->findChild<QLineEdit*>("Edit_PAR_LongTO");
    longPress->setText(QString::number(edited));
    emit longPress->returnPressed();
    QCOMPARE(rig.working().getU16(layout::kLongPressTime), edited);
    VTRY_VERIFY_WITH_TIMEOUT(rig, rig.undo()->isEnabled(), kTimeoutMs);
    QCOMPARE(rig.undo()->text(), QString::fromUtf8("Отменить: Длинное нажатие более чем"));
    QCOMPARE(rig.window->findChild<QToolButton*>("SpeedButtonUndox")->toolTip(),
             rig.undo()->toolTip());
    QVERIFY(rig.waitSynced());
    const ConfigImage after = rig.working();

    rig.undo()->trigger();
    QCOMPARE(rig.working(), before);
    VTRY_COMPARE_WITH_TIMEOUT(rig, longPress->text(), QString::number(old), kTimeoutMs);
    // Sent like any edit: the controller holds the old value again.
    QVERIFY(rig.waitSynced());
    QCOMPARE(rig.controller.configuration(), before);
    QVERIFY(!rig.undo()->isEnabled());
    QVERIFY(rig.redo()->isEnabled());
    QCOMPARE(rig.redo()->text(), QString::fromUtf8("Повторить: Длинное нажатие более чем"));

    rig.redo()->trigger();
    QCOMPARE(rig.working(), after);
    VTRY_COMPARE_WITH_TIMEOUT(rig, longPress->text(), QString::number(edited), kTimeoutMs);
    QVERIFY(rig.waitSynced());
    QCOMPARE(rig.controller.configuration(), after);
    QVERIFY(!rig.redo()->isEnabled());

    // The texts follow the language.
    rig.window->findChild<QToolButton*>("SpeedButtonLangx")->click();
    QCOMPARE(rig.undo()->text(), QString("Undo: Long press longer than"));
    QCOMPARE(rig.redo()->text(), QString("Redo"));
    rig.undo()->trigger();
    QCOMPARE(rig.redo()->text(), QString("Redo: Long press longer than"));
    QCOMPARE(rig.undo()->text(), QString("Undo"));
    QCOMPARE(rig.working(), before);
  }

  void anEntryEditIsAStepOfItsRule() {
    Rig rig;
    QVERIFY(rig.waitSynced());
    auto* pane = rig.window->pages().eventPane;
    pane->selectEntry(4);
    QVERIFY(rig.waitSynced());
    const ConfigImage before = rig.working();
    pane->eventPages()->setCurrentIndex(static_cast<int>(kivprism::events::EventType::Timeout));
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.undo()->text(),
                              QString::fromUtf8("Отменить: Тип события (правило 4)"), kTimeoutMs);
    const ConfigImage chosen = rig.working();
    auto* timeout = rig.window->findChild<QLineEdit*>("EditEventTimeout");
    timeout->setText("1234");
    emit timeout->returnPressed();
    // "after [ ] ms" is named by its page.
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.undo()->text(),
                              QString::fromUtf8("Отменить: Таймаут (правило 4)"), kTimeoutMs);
    QVERIFY(rig.waitSynced());

    rig.undo()->trigger();
    QCOMPARE(rig.working(), chosen);
    VTRY_COMPARE_WITH_TIMEOUT(rig, timeout->text(), QString("0"), kTimeoutMs);
    rig.undo()->trigger();
    QCOMPARE(rig.working(), before);
    QVERIFY(rig.waitSynced());
    QCOMPARE(rig.controller.configuration(), before);
    QVERIFY(!rig.undo()->isEnabled());
    rig.window->findChild<QToolButton*>("SpeedButtonLangx")->click();
    QCOMPARE(rig.redo()->text(), QString("Redo: Event type of rule 4"));
    rig.redo()->trigger();
    rig.redo()->trigger();
    QCOMPARE(rig.undo()->text(), QString("Undo: Timeout of rule 4"));
    VTRY_COMPARE_WITH_TIMEOUT(rig, timeout->text(), QString("1234"), kTimeoutMs);
  }

  void aKeyDroppedOnAnEventIsAStepOfItsRule() {
    Rig rig;
    QVERIFY(rig.waitSynced());
    auto* pane = rig.window->pages().eventPane;
    pane->selectEntry(4);
    pane->eventPages()->setCurrentIndex(static_cast<int>(kivprism::events::EventType::Key));
    VTRY_VERIFY_WITH_TIMEOUT(rig, rig.undo()->isEnabled(), kTimeoutMs);
    QVERIFY(rig.waitSynced());
    const ConfigImage chosen = rig.working();
    pane->keyPanel(false)->dropped(2, 5);
    QCOMPARE(rig.working().entry(3)[18], std::uint8_t{5});
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.undo()->text(),
                              QString::fromUtf8("Отменить: Кнопка события (правило 4)"),
                              kTimeoutMs);
    rig.undo()->trigger();
    QCOMPARE(rig.working(), chosen);
  }

  void aWholeReadAndARestoreOfDefaultsAreStepsThatUndoSendsBack() {
    Rig rig;
    QVERIFY(rig.waitSynced());
    const ConfigImage before = rig.working();
    const unsigned old = before.getU16(layout::kLongPressTime);
    rig.controller.configuration().set(layout::kLongPressTime, old + 100);
    rig.window->findChild<QToolButton*>("SpeedButtonReadDevice")->click();
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.undo()->text(),
                              QString::fromUtf8("Отменить: Чтение конфигурации из контроллера"),
                              kTimeoutMs);
    QCOMPARE(rig.working().getU16(layout::kLongPressTime), old + 100);
    QVERIFY(rig.waitSynced());
    rig.undo()->trigger();
    QCOMPARE(rig.working(), before);
    QVERIFY(rig.waitSynced());
    QCOMPARE(rig.controller.configuration(), before);

    // Defaults replace an edit; undoing them gives the controller the edit back.
    auto* longPress = rig.window->findChild<QLineEdit*>("Edit_PAR_LongTO");
    VTRY_COMPARE_WITH_TIMEOUT(rig, longPress->text(), QString::number(old), kTimeoutMs);
    longPress->setText(QString::number(old + 200));
    emit longPress->returnPressed();
    QVERIFY(rig.waitSynced());
    const ConfigImage edited = rig.working();
    rig.boxAnswer = box::kYes;
    rig.window->findChild<QToolButton*>("SpeedButtonToDefault")->click();
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.undo()->text(),
                              QString::fromUtf8("Отменить: Восстановление настроек по умолчанию"),
                              kTimeoutMs);
    QCOMPARE(rig.working().getU16(layout::kLongPressTime), old);
    QVERIFY(rig.waitSynced());
    rig.undo()->trigger();
    QCOMPARE(rig.working(), edited);
    QVERIFY(rig.waitSynced());
    QCOMPARE(rig.controller.configuration(), edited);
  }

  void theKeysUndoAndRedoOutsideATypedField() {
    Rig rig;
    QVERIFY(rig.waitSynced());
    rig.window->show();
    rig.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
    auto* longPress = rig.window->findChild<QLineEdit*>("Edit_PAR_LongTO");
    const QString old = longPress->text();
    const QString edited = old == "1500" ? "2500" : "1500";
    longPress->setFocus();
    longPress->selectAll();
    QTest::keyClicks(longPress, edited);
    QTest::keyClick(longPress, Qt::Key_Return);
    VTRY_VERIFY_WITH_TIMEOUT(rig, rig.undo()->isEnabled(), kTimeoutMs);
    // In the field Ctrl+Z takes back its own typing, not the stored step.
    QTest::keyClick(longPress, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(rig.undo()->isEnabled());
    QCOMPARE(rig.working().getU16(layout::kLongPressTime), edited.toUInt());
    auto* tabs = rig.window->findChild<QWidget*>("PageControlMain");
    tabs->setFocus();
    QTest::keyClick(tabs, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(rig.working().getU16(layout::kLongPressTime), old.toUInt());
    QTest::keyClick(tabs, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(rig.working().getU16(layout::kLongPressTime), edited.toUInt());
    QTest::keyClick(tabs, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(tabs, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(rig.working().getU16(layout::kLongPressTime), edited.toUInt());
    QCOMPARE(rig.undo()->shortcuts(), QList<QKeySequence>{QKeySequence("Ctrl+Z")});
    QCOMPARE(rig.redo()->shortcuts(),
             (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
    QVERIFY(rig.window->actions().contains(rig.undo()));
    QVERIFY(rig.window->actions().contains(rig.redo()));
  }

  void openingAFileIsUndoneAndThePreviousConfigurationSentAgain() {
    Rig rig;
    QVERIFY(rig.waitSynced());
    const ConfigImage before = rig.working();
    ConfigImage file = before;
    file.set(layout::kLongPressTime, before.getU16(layout::kLongPressTime) == 3000 ? 3500 : 3000);
    file.entry(3)[0] = 'Q';  // the name of rule 4
    rig.chosenFile = rig.dir.filePath("car.KST401");
    QVERIFY(!kivprism::config::writeConfigFile(rig.chosenFile.toStdString(), file));

    rig.window->findChild<QToolButton*>("SpeedButtonReadConfig")->click();
    QCOMPARE(rig.working().getU16(layout::kLongPressTime), file.getU16(layout::kLongPressTime));
    QVERIFY(rig.waitSynced());
    QCOMPARE(rig.undo()->text(), QString::fromUtf8("Отменить: Открытие файла конфигурации"));
    const ConfigImage opened = rig.working();

    rig.undo()->trigger();
    QCOMPARE(rig.working(), before);
    QVERIFY(rig.waitSynced());
    QCOMPARE(rig.controller.configuration(), before);
    QCOMPARE(rig.redo()->text(), QString::fromUtf8("Повторить: Открытие файла конфигурации"));

    rig.redo()->trigger();
    QCOMPARE(rig.working(), opened);
    QVERIFY(rig.waitSynced());
    QCOMPARE(rig.controller.configuration(), opened);

    // A new step after an undo leaves nothing to redo.
    rig.undo()->trigger();
    auto* longPress = rig.window->findChild<QLineEdit*>("Edit_PAR_LongTO");
    VTRY_COMPARE_WITH_TIMEOUT(rig, longPress->text(),
                              QString::number(before.getU16(layout::kLongPressTime)), kTimeoutMs);
    longPress->setText("4000");
    emit longPress->returnPressed();
    VTRY_VERIFY_WITH_TIMEOUT(rig, !rig.redo()->isEnabled(), kTimeoutMs);
    QCOMPARE(rig.undo()->text(), QString::fromUtf8("Отменить: Длинное нажатие более чем"));
  }

  // Key learning writes the keys table while it runs, and a name typed into the grid afterwards
  // stores a label: two steps, each undone and redone in the image and on the controller.
  void keyLearningAndAKeyNameAreStepsOfTheirOwn() {
    Rig rig;
    rig.useDemoScenarios();
    rig.controller.configuration().clear(layout::kKeysTable);
    rig.boxAnswer = box::kYes;
    QVERIFY(rig.waitSynced());
    rig.showTab("TabSheetKEYS");
    QToolButton* keysSetup = rig.button("SpeedButtonKeysSetup");
    VTRY_VERIFY_WITH_TIMEOUT(rig, keysSetup->isEnabled(), kTimeoutMs);
    auto* grid = rig.window->findChild<kivprism::ui::KeysGridWidget*>("StringGridKeys");
    QVERIFY(grid != nullptr);
    const ConfigImage before = rig.working();
    const auto learnt = [&] {
      int n = 0;
      for (int row = 1; row <= 15; ++row) {
        for (int column = 0; column < 4; ++column) {
          n += grid->item(row, column)->text().isEmpty() ? 0 : 1;
        }
      }
      return n;
    };
    // Learning runs inside the click; the user stops it once the demo's seven keys are there.
    std::optional<std::uint32_t> allShownAt;
    kivprism::ui::ClockTimer watch(rig.clock);
    watch.setInterval(100);
    QObject::connect(&watch, &kivprism::ui::ClockTimer::timeout, [&] {
      if (!rig.window->pages().keyProcedures->keyLearningActive() || learnt() < 7) {
        return;
      }
      if (!allShownAt) {
        allShownAt = rig.clock.nowMs();
      } else if (rig.clock.nowMs() - *allShownAt > 2500) {
        watch.stop();
        keysSetup->click();
      }
    });
    watch.start();
    rig.during(60000, [&] { watch.stop(); });
    keysSetup->click();
    watch.stop();
    QCOMPARE(learnt(), 7);
    QVERIFY(rig.waitSynced());
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.undo()->text(),
                              QString::fromUtf8("Отменить: Настройка кнопок"), kTimeoutMs);
    const ConfigImage learned = rig.working();
    QVERIFY(rig.bytesOf(learned, layout::kKeysTable) != rig.bytesOf(before, layout::kKeysTable));

    grid->setCurrentCell(1, 0);
    grid->editItem(grid->item(1, 0));
    auto* editor = grid->findChild<QLineEdit*>();
    QVERIFY(editor != nullptr);
    editor->clear();
    QTest::keyClicks(editor, "Vol+");
    QTest::keyClick(editor, Qt::Key_Return);
    VTRY_COMPARE_WITH_TIMEOUT(rig, kivprism::keys::storedLabel(rig.working(), 0, 1),
                              std::string("Vol+"), kTimeoutMs);
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.undo()->text(), QString::fromUtf8("Отменить: Имя кнопки"),
                              kTimeoutMs);
    QVERIFY(rig.waitSynced());
    const ConfigImage named = rig.working();

    rig.undo()->trigger();
    QCOMPARE(rig.working(), learned);
    QCOMPARE(rig.undo()->text(), QString::fromUtf8("Отменить: Настройка кнопок"));
    QVERIFY(rig.waitSynced());
    rig.undo()->trigger();
    QVERIFY(rig.bytesOf(rig.working(), layout::kKeysTable) ==
            rig.bytesOf(before, layout::kKeysTable));
    QVERIFY(rig.waitSynced());
    QVERIFY(rig.bytesOf(rig.controller.configuration(), layout::kKeysTable) ==
            rig.bytesOf(before, layout::kKeysTable));
    QCOMPARE(rig.redo()->text(), QString::fromUtf8("Повторить: Настройка кнопок"));
    rig.redo()->trigger();
    rig.redo()->trigger();
    QCOMPARE(rig.working(), named);
    QVERIFY(rig.waitSynced());
    QCOMPARE(kivprism::keys::storedLabel(rig.controller.configuration(), 0, 1),
             std::string("Vol+"));
    rig.window->language().applyLanguage(1);
    QCOMPARE(rig.undo()->text(), QString("Undo: Key name"));
  }

  void touchCalibrationIsOneStep() {
    Rig rig;
    rig.useDemoScenarios();
    rig.controller.configuration().clear(layout::kTouchBlock);
    rig.boxAnswer = box::kYes;
    QVERIFY(rig.waitSynced());
    rig.showTab("TabSheetTouch");
    QToolButton* touchSetup = rig.button("SpeedButtonTouchSetup");
    VTRY_VERIFY_WITH_TIMEOUT(rig, touchSetup->isEnabled(), kTimeoutMs);
    const ConfigImage before = rig.working();
    touchSetup->click();
    QVERIFY(rig.waitSynced());
    const ConfigImage calibrated = rig.working();
    QVERIFY(rig.bytesOf(calibrated, layout::kTouchBlock) !=
            rig.bytesOf(before, layout::kTouchBlock));
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.undo()->text(),
                              QString::fromUtf8("Отменить: Калибровка тачпанели"), kTimeoutMs);

    rig.undo()->trigger();
    QVERIFY(rig.bytesOf(rig.working(), layout::kTouchBlock) ==
            rig.bytesOf(before, layout::kTouchBlock));
    QVERIFY(rig.waitSynced());
    QVERIFY(rig.bytesOf(rig.controller.configuration(), layout::kTouchBlock) ==
            rig.bytesOf(before, layout::kTouchBlock));
    rig.redo()->trigger();
    QCOMPARE(rig.working(), calibrated);
    QVERIFY(rig.waitSynced());
    QVERIFY(rig.bytesOf(rig.controller.configuration(), layout::kTouchBlock) ==
            rig.bytesOf(calibrated, layout::kTouchBlock));
  }

  // A No to the defaults question sends nothing: the read the user asks for next is named as a
  // read.
  void aReadAfterDefaultsAnsweredNoIsARead() {
    Rig rig;
    QVERIFY(rig.waitSynced());
    rig.boxAnswer = box::kNo;
    rig.window->toolbar().SpeedButtonToDefaultClick();
    rig.controller.configuration().set(layout::kLongPressTime,
                                       rig.working().get(layout::kLongPressTime) + 100);
    rig.window->toolbar().SpeedButtonReadDeviceClick();
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.undo()->text(),
                              QString::fromUtf8("Отменить: Чтение конфигурации из контроллера"),
                              kTimeoutMs);
  }
};

KIVPRISM_WINDOW_TEST(EditHistoryTest);

}  // namespace
}  // namespace edit_history_test
#include "edit_history_test.moc"
