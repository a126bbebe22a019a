// The window's keys on the simulated controller: what each does, the hints that name them in both
// languages, and that a field being typed in keeps its keys and has its value stored first.
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <memory>

#include "core/config/config_file.hpp"
#include "core/config/image_layout.hpp"
#include "core/device/packet.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "support/window_rig.hpp"
#include "ui/app/main_window.hpp"
#include "ui/common/edit_history.hpp"
#include "window_test_main.hpp"

namespace shortcuts_test {
namespace {

using kivprism::sim::SimulatedController;
using kivprism::sim::SimulatedHidPort;
using kivprism::ui::FileChooser;
using kivprism::ui::MainWindowOptions;
using kivprism::ui::TMainForm;
namespace box = kivprism::ui::box;
namespace device = kivprism::device;
namespace layout = kivprism::config::layout;

constexpr std::uint32_t kTimeoutMs = 10000;
constexpr int kSettleMs = 600;

class Rig : public kivprism::testing::WindowRig {
 public:
  Rig() {
    boxAnswer = box::kOk;
    answerFile = [this](FileChooser kind, const QString&) {
      choosers.push_back(kind);
      return chosenFile;
    };
  }

  bool waitSynced() {
    if (!waitConnected()) {
      return false;
    }
    advance(kSettleMs);
    return waitFor(
        [this] { return window->shell().syncText() == "All changes are on the controller"; },
        kTimeoutMs);
  }
  bool activate() {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window.get());
  }
  QToolButton* button(const char* name) const { return window->findChild<QToolButton*>(name); }
  QTabWidget* pages() const { return window->findChild<QTabWidget*>("PageControlMain"); }
  QLineEdit* longPress() const { return window->findChild<QLineEdit*>("Edit_PAR_LongTO"); }
  std::size_t wholeReads() const {
    std::size_t n = 0;
    for (const auto& r : controller.requests()) {
      n += device::cmdArea(r.cmd) == device::area::kConfiguration &&
                   (r.cmd & device::kWriteFlag) == 0 && r.offset == 0
               ? 1
               : 0;
    }
    return n;
  }

  std::vector<FileChooser> choosers;
};

class ShortcutsTest : public QObject {
  Q_OBJECT

 private slots:
  void theHintsNameTheKeysInBothLanguages() {
    Rig rig;
    QCOMPARE(rig.button("SpeedButtonReadConfig")->toolTip(),
             QString("Open a device configuration file (Ctrl+O)"));
    QCOMPARE(rig.button("SpeedButtonWriteConfig")->toolTip(),
             QString("Save a device configuration file (Ctrl+S)"));
    QCOMPARE(rig.button("SpeedButtonReadDevice")->toolTip(),
             QString("Read the configuration from the device (F5)"));
    QCOMPARE(rig.pages()->tabToolTip(0), QString("Terminal (Ctrl+1)"));
    QCOMPARE(rig.pages()->tabToolTip(1), QString("Parameters (Ctrl+2)"));
    // Switching back and forth names each key once.
    rig.window->language().applyLanguage(0);
    rig.window->language().applyLanguage(1);
    rig.window->language().applyLanguage(0);
    QCOMPARE(rig.button("SpeedButtonReadConfig")->toolTip(),
             QString::fromUtf8("Открыть файл конфигурации устройства (Ctrl+O)"));
    QCOMPARE(rig.button("SpeedButtonReadDevice")->toolTip(),
             QString::fromUtf8("Прочитать конфигурацию из устройства (F5)"));
    QCOMPARE(rig.pages()->tabToolTip(0), QString::fromUtf8("Терминал (Ctrl+1)"));
    QCOMPARE(rig.pages()->tabToolTip(1), QString::fromUtf8("Параметры (Ctrl+2)"));
  }

  void theKeysRunTheirCommandsOnlyWhereTheButtonsWould() {
    Rig rig;
    rig.controller.unplug();
    QVERIFY(rig.activate());
    // Without a controller F5 has nothing to read.
    QTest::keyClick(rig.window.get(), Qt::Key_F5);
    QCOMPARE(rig.wholeReads(), std::size_t{0});
    rig.controller.plugIn();
    QVERIFY(rig.waitSynced());
    rig.controller.clearRequests();
    QTest::keyClick(rig.window.get(), Qt::Key_F5);
    QCOMPARE(rig.wholeReads(), std::size_t{1});

    QTest::keyClick(rig.window.get(), Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(rig.window.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(rig.choosers,
             (std::vector<FileChooser>{FileChooser::ConfigToOpen, FileChooser::ConfigToSave}));

    QTest::keyClick(rig.window.get(), Qt::Key_1, Qt::ControlModifier);
    QCOMPARE(rig.pages()->currentIndex(), 0);
    QTest::keyClick(rig.window.get(), Qt::Key_2, Qt::ControlModifier);
    QCOMPARE(rig.pages()->currentIndex(), 1);
    QTest::keyClick(rig.window.get(), Qt::Key_3, Qt::ControlModifier);
    QCOMPARE(rig.pages()->currentIndex(), 2);
    // A page not shown (the CAN log while the bus is not CAN) is not reached by its key.
    rig.pages()->setCurrentIndex(1);
    rig.pages()->setTabVisible(2, false);
    QTest::keyClick(rig.window.get(), Qt::Key_3, Qt::ControlModifier);
    QCOMPARE(rig.pages()->currentIndex(), 1);
    QTest::keyClick(rig.window.get(), Qt::Key_9, Qt::ControlModifier);
    QCOMPARE(rig.pages()->currentIndex(), 1);
  }

  void aFieldBeingTypedInKeepsItsKeysAndIsStoredFirst() {
    Rig rig;
    QVERIFY(rig.waitSynced());
    QVERIFY(rig.activate());
    QTest::keyClick(rig.window.get(), Qt::Key_2, Qt::ControlModifier);
    QLineEdit* field = rig.longPress();
    QVERIFY(field != nullptr);
    const std::uint32_t before = rig.window->model().working.get(layout::kLongPressTime);
    QVERIFY(before != 2345u);
    field->setFocus();
    field->selectAll();
    // Digits are the field's, also those of the page keys.
    QTest::keyClicks(field, "2345");
    QCOMPARE(field->text(), QString("2345"));
    QCOMPARE(rig.pages()->currentIndex(), 1);
    QCOMPARE(rig.window->model().working.get(layout::kLongPressTime), before);
    // A page key leaves the page and so the field, which stores what was typed.
    QTest::keyClick(field, Qt::Key_1, Qt::ControlModifier);
    QCOMPARE(rig.pages()->currentIndex(), 0);
    QCOMPARE(rig.window->model().working.get(layout::kLongPressTime), 2345u);
    QTest::keyClick(rig.window.get(), Qt::Key_2, Qt::ControlModifier);
    QCOMPARE(rig.pages()->currentIndex(), 1);
    QCOMPARE(field->text(), QString("2345"));

    // Ctrl+S in the field saves what the field shows.
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, "2400");
    rig.chosenFile = rig.dir.filePath("typed.KST401");
    QTest::keyClick(field, Qt::Key_S, Qt::ControlModifier);
    kivprism::config::ConfigImage saved;
    QVERIFY(!kivprism::config::readConfigFile(
        std::filesystem::path(rig.chosenFile.toStdU16String()), saved));
    QCOMPARE(saved.get(layout::kLongPressTime), 2400u);
    QVERIFY(rig.waitSynced());
    QCOMPARE(rig.controller.configuration().get(layout::kLongPressTime), 2400u);

    // F5 with a value typed and not stored: the value becomes a step, the read then replaces it,
    // and leaving the field afterwards stores nothing stale into what was read.
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, "3456");
    QTest::keyClick(field, Qt::Key_F5);
    VTRY_COMPARE_WITH_TIMEOUT(rig, field->text(), QString("2400"), kTimeoutMs);
    rig.pages()->setFocus();
    rig.advance(kSettleMs);
    QCOMPARE(rig.window->model().working.get(layout::kLongPressTime), 2400u);
    QCOMPARE(rig.controller.configuration().get(layout::kLongPressTime), 2400u);
    // What was typed is not lost: undoing the read brings it back.
    rig.window->pages().editHistory->undo();
    QCOMPARE(rig.window->model().working.get(layout::kLongPressTime), 3456u);
  }
};

KIVPRISM_WINDOW_TEST(ShortcutsTest);

}  // namespace
}  // namespace shortcuts_test
#include "shortcuts_test.moc"
