// Key learning and touch calibration as a user runs them in the main window on the simulated
// controller with the demo scenarios: the set-up buttons on the parameters page, the question, the
// locked toolbar, the keys grid in its group, label edits and what reaches the controller and
// files.
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include "core/config/config_file.hpp"
#include "core/keys/key_rules.hpp"
#include "sim/learning_scenarios.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "support/window_rig.hpp"
#include "ui/app/main_window.hpp"
#include "ui/common/message_box.hpp"
#include "ui/common/window_clock.hpp"
#include "ui/params/key_procedures.hpp"
#include "ui/params/keys_grid_widget.hpp"
#include "ui/params/parameters_page.hpp"
#include "window_test_main.hpp"

namespace key_setup_window_test {
namespace {

using kivprism::sim::SimulatedController;
using kivprism::sim::SimulatedHidPort;
using kivprism::ui::KeysGridWidget;
using kivprism::ui::MainWindowOptions;
using kivprism::ui::TMainForm;
namespace box = kivprism::ui::box;
namespace keys = kivprism::keys;
namespace layout = kivprism::config::layout;

constexpr std::uint32_t kLearningTimeoutMs = 60000;

class Rig : public kivprism::testing::WindowRig {
 public:
  Rig() : WindowRig(setup()) {
    kivprism::sim::useDemoScenarios(controller);
    window->startUp();
    window->show();
  }

  static kivprism::testing::WindowRigSetup setup() {
    kivprism::testing::WindowRigSetup s;
    s.systemLanguage = "de-DE";
    s.start = false;
    return s;
  }
  QToolButton* button(const char* name) const { return window->findChild<QToolButton*>(name); }
  KeysGridWidget* grid() const { return window->findChild<KeysGridWidget*>("StringGridKeys"); }
  void showTab(const char* name) {
    auto* tabs = window->pages().parameters->pageControl();
    tabs->setCurrentWidget(tabs->findChild<QWidget*>(name));
  }
  int learntKeys() const {
    int n = 0;
    for (int row = 1; row <= 15; ++row) {
      for (int column = 0; column < 4; ++column) {
        n += grid()->item(row, column)->text().isEmpty() ? 0 : 1;
      }
    }
    return n;
  }
  // The toolbar buttons a set-up procedure must keep locked.
  bool toolbarLocked() const {
    for (const char* name :
         {"SpeedButtonReadConfig", "SpeedButtonWriteConfig", "SpeedButtonReadDevice",
          "SpeedButtonWriteDevice", "SpeedButtonToDefault", "SpeedButtonReset"}) {
      if (button(name)->isEnabled()) {
        return false;
      }
    }
    return true;
  }
};

std::vector<std::uint16_t> levelsOf(const kivprism::config::ConfigImage& image,
                                    std::size_t channel) {
  std::vector<std::uint16_t> levels;
  for (std::size_t key = 1; key <= 15; ++key) {
    if (const std::uint16_t level = keys::keyLevelAt(image, channel, key); level != 0) {
      levels.push_back(level);
    }
  }
  std::sort(levels.begin(), levels.end());
  return levels;
}

bool near(const std::vector<std::uint16_t>& got, const std::vector<std::uint16_t>& pressed) {
  if (got.size() != pressed.size()) {
    return false;
  }
  for (std::size_t i = 0; i < got.size(); ++i) {
    if (std::abs(int(got[i]) - int(pressed[i])) > 20) {
      return false;
    }
  }
  return true;
}

QLineEdit* openEditor(KeysGridWidget* grid, int column, int row) {
  grid->setCurrentCell(row, column);
  grid->editItem(grid->item(row, column));
  return grid->findChild<QLineEdit*>();
}

class KeySetupWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void learnsTheDemoKeysRenamesOneAndSavesTheLabels() {
    Rig rig;
    rig.controller.configuration().clear(layout::kKeysTable);
    QVERIFY(rig.waitConnected());
    rig.showTab("TabSheetKEYS");
    QToolButton* keysSetup = rig.button("SpeedButtonKeysSetup");
    QToolButton* touchSetup = rig.button("SpeedButtonTouchSetup");
    QVERIFY(rig.waitFor([&] { return keysSetup->isEnabled() && touchSetup->isEnabled(); }));
    KeysGridWidget* grid = rig.grid();
    QVERIFY(grid);
    auto* group = qobject_cast<QGroupBox*>(grid->parentWidget());
    QVERIFY(group);
    QCOMPARE(group->objectName(), QString("GroupBoxKeys"));
    QCOMPARE(group->title(), QString(" Keys "));
    QVERIFY(grid->isVisible());
    QCOMPARE(rig.learntKeys(), 0);

    // The user watches the grid fill and stops learning with a second click once every demo key
    // is there and one of them was pressed again.
    bool lockedWhileRunning = true;
    bool sawRunning = false;
    bool sentWhileLearning = false;
    std::optional<std::uint32_t> allShownAt;
    kivprism::ui::ClockTimer watch(rig.clock);
    watch.setInterval(100);
    QObject::connect(&watch, &kivprism::ui::ClockTimer::timeout, [&] {
      if (!rig.window->pages().keyProcedures->keyLearningActive()) {
        return;
      }
      if (!sawRunning) {
        // An edit made meanwhile waits until learning ends.
        rig.window->model().working.set(layout::kLongPressTime, 1234);
      }
      sawRunning = true;
      // A poll tick that gets through between the learning's own reads.
      auto& link = rig.window->link();
      while (link.trafficHoldOff() > 0) {
        link.pollTick();
      }
      link.pollTick();
      sentWhileLearning =
          sentWhileLearning || rig.controller.configuration().get(layout::kLongPressTime) == 1234;
      lockedWhileRunning = lockedWhileRunning && rig.toolbarLocked() && keysSetup->isEnabled() &&
                           !touchSetup->isEnabled();
      if (rig.learntKeys() < 7) {
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
    rig.during(kLearningTimeoutMs, [&] { watch.stop(); });
    keysSetup->click();
    watch.stop();

    QVERIFY(sawRunning);
    QVERIFY(lockedWhileRunning);
    QVERIFY(!rig.window->pages().keyProcedures->keyLearningRunning());
    QVERIFY(!rig.boxes.empty());
    QCOMPARE(rig.boxes[0].flags, box::kQuestion | box::kDefaultNo);
    QCOMPARE(rig.boxes[0].text, QString("You really want to launch setup of keys?"));
    QCOMPARE(rig.learntKeys(), 7);
    QVERIFY(grid->item(1, 0)->text().startsWith("1."));
    QVERIFY(grid->item(1, 1)->text().startsWith("2."));
    QVERIFY(grid->item(1, 2)->text().isEmpty());

    // The controller holds the learnt table, and so do the window's two copies.
    const auto& device = rig.controller.configuration();
    QVERIFY(near(levelsOf(device, 0), {620, 1240, 1850, 2470}));
    QVERIFY(near(levelsOf(device, 1), {900, 1750, 2600}));
    QVERIFY(levelsOf(device, 2).empty());
    const auto table = [](const kivprism::config::ConfigImage& image) {
      const auto bytes = image.span(layout::kKeysTable);
      return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    };
    QVERIFY(rig.waitFor([&] { return table(rig.window->model().working) == table(device); }));
    QVERIFY(table(rig.window->model().device) == table(device));
    QVERIFY(!sentWhileLearning);
    rig.waitFor([&] { return device.get(layout::kLongPressTime) == 1234u; });
    QCOMPARE(device.get(layout::kLongPressTime), 1234u);
    QVERIFY(rig.waitFor([&] {
      return rig.toolbarLocked() == false && keysSetup->isEnabled() && touchSetup->isEnabled();
    }));

    // A name typed into a cell reaches the controller through the poll tick's label step.
    QLineEdit* editor = openEditor(grid, 0, 1);
    QVERIFY(editor);
    editor->clear();
    QTest::keyClicks(editor, "Vol+");
    QTest::keyClick(editor, Qt::Key_Return);
    rig.waitFor([&] { return keys::storedLabel(device, 0, 1) == "Vol+"; });
    QCOMPARE(keys::storedLabel(device, 0, 1), std::string("Vol+"));
    QCOMPARE(grid->item(1, 0)->text(), QString("Vol+"));
    // An emptied cell gets the automatic label back, stored as typed until the labels are written.
    editor = openEditor(grid, 0, 2);
    QVERIFY(editor);
    editor->clear();
    QTest::keyClick(editor, Qt::Key_Return);
    QVERIFY(
        rig.waitFor([&] { return !keys::storedLabel(rig.window->model().working, 0, 2).empty(); }));
    QVERIFY(grid->item(2, 0)->text().startsWith("1."));

    // Saving stores the grid's labels first: the automatic one is cleared in the file.
    rig.chosenFile = rig.dir.filePath("keys.KST401");
    rig.button("SpeedButtonWriteConfig")->click();
    kivprism::config::ConfigImage saved;
    QVERIFY(!kivprism::config::readConfigFile(rig.chosenFile.toStdString(), saved).has_value());
    QCOMPARE(keys::storedLabel(saved, 0, 1), std::string("Vol+"));
    QCOMPARE(keys::storedLabel(saved, 0, 2), std::string());
    QVERIFY(levelsOf(saved, 0) == levelsOf(device, 0));
  }

  void calibratesTheTouchPanelAndTheControllerGetsTheBlock() {
    Rig rig;
    // An uncalibrated controller: the window's device copy differs from the block read at the end.
    rig.controller.configuration().clear(layout::kTouchBlock);
    QVERIFY(rig.waitConnected());
    rig.showTab("TabSheetTouch");
    QToolButton* keysSetup = rig.button("SpeedButtonKeysSetup");
    QToolButton* touchSetup = rig.button("SpeedButtonTouchSetup");
    QVERIFY(rig.waitFor([&] { return touchSetup->isEnabled(); }));
    auto* margin = rig.window->findChild<QCheckBox*>("CheckBoxTouchDXY");
    QVERIFY(margin && margin->isEnabled());
    margin->setChecked(true);
    rig.controller.clearRequests();

    bool lockedWhileRunning = true;
    bool sawRunning = false;
    kivprism::ui::ClockTimer watch(rig.clock);
    watch.setInterval(100);
    QObject::connect(&watch, &kivprism::ui::ClockTimer::timeout, [&] {
      if (!rig.window->pages().keyProcedures->touchCalibrationRunning()) {
        return;
      }
      sawRunning = true;
      lockedWhileRunning = lockedWhileRunning && rig.toolbarLocked() && touchSetup->isEnabled() &&
                           !keysSetup->isEnabled();
    });
    watch.start();
    touchSetup->click();
    watch.stop();

    QVERIFY(sawRunning);
    QVERIFY(lockedWhileRunning);
    QVERIFY(rig.controller.touchCalibration().withMargin());
    const auto block = kivprism::sim::demoTouchCalibration().touchBlock;
    const auto working = rig.window->model().working.span(layout::kTouchBlock);
    QVERIFY(std::equal(working.begin(), working.end(), block.begin(), block.end()));
    // The change sending delivers the block read from the controller at image offset 0, and the
    // window's device copy follows.
    QVERIFY(rig.waitFor([&] {
      const auto device = rig.window->model().device.span(layout::kTouchBlock);
      return std::equal(device.begin(), device.end(), block.begin(), block.end());
    }));
    bool sent = false;
    for (const auto& r : rig.controller.requests()) {
      sent = sent || (r.cmd == 0x90 && r.offset == 0);
    }
    QVERIFY(sent);
    QVERIFY(rig.waitFor(
        [&] { return !rig.toolbarLocked() && keysSetup->isEnabled() && touchSetup->isEnabled(); }));
  }

  void touchSetupWaitsWhileTheCapacitiveConverterFeedsTheTouches() {
    Rig rig;
    rig.controller.configuration().set(layout::kCap2ResNum, 1);
    QVERIFY(rig.waitConnected());
    QToolButton* keysSetup = rig.button("SpeedButtonKeysSetup");
    QToolButton* touchSetup = rig.button("SpeedButtonTouchSetup");
    QVERIFY(rig.waitFor([&] { return keysSetup->isEnabled(); }));
    QVERIFY(rig.waitFor([&] { return !touchSetup->isEnabled(); }));
    // The refresh after the whole read filled the grid with the controller's key names.
    const std::string name = keys::storedLabel(rig.controller.configuration(), 0, 1);
    QVERIFY(!name.empty());
    rig.waitFor([&] { return rig.grid()->item(1, 0)->text() == QString::fromStdString(name); });
    QCOMPARE(rig.grid()->item(1, 0)->text(), QString::fromStdString(name));
    // Turning the converter off gives the button back at the next refresh.
    rig.window->model().working.set(layout::kCap2ResNum, 0);
    rig.window->pages().parameters->refresh();
    QVERIFY(touchSetup->isEnabled());
  }
};

KIVPRISM_WINDOW_TEST(KeySetupWindowTest);

}  // namespace
}  // namespace key_setup_window_test
#include "key_setup_window_test.moc"
