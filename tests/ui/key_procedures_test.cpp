// Key learning and touch calibration hosted by the main window on the simulated controller, in
// real time: the waits process events, so a second click and the poll run inside them.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "core/keys/key_rules.hpp"
#include "sim/learning_scenarios.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "support/window_rig.hpp"
#include "ui/app/main_window.hpp"
#include "ui/common/message_box.hpp"
#include "ui/params/key_procedures.hpp"
#include "ui/params/keys_grid_widget.hpp"
#include "window_test_main.hpp"

namespace key_procedures_test {
namespace {

using kivprism::sim::SimulatedController;
using kivprism::sim::SimulatedHidPort;
using kivprism::ui::KeyProcedures;
using kivprism::ui::MainWindowOptions;
using kivprism::ui::TMainForm;
namespace box = kivprism::ui::box;
namespace keys = kivprism::keys;
namespace layout = kivprism::config::layout;

constexpr std::uint32_t kConnectTimeoutMs = 10000;

class Rig : public kivprism::testing::WindowRig {
 public:
  static kivprism::testing::WindowRigSetup setup() {
    kivprism::testing::WindowRigSetup s;
    s.systemLanguage = "de-DE";
    s.show = false;
    return s;
  }
  Rig() : WindowRig(setup()) { procedures = window->pages().keyProcedures; }

  KeyProcedures* procedures = nullptr;
};

class KeyProceduresTest : public QObject {
  Q_OBJECT

 private slots:
  void learnsTwoChannelsAndStopsOnTheSecondClick() {
    Rig rig;
    rig.controller.configuration().clear(layout::kKeysTable);
    rig.controller.keyLearning().setScript(
        kivprism::sim::keyPressSequence({4000, 3500, 4095, 4095}, {{0, 1000}, {1, 1200}}, 300));
    QVERIFY(rig.waitConnected());
    rig.procedures->fillKeysGrid();
    bool sawActive = false;
    // The quiet phase takes two seconds, the presses another 1.6 s; then the second click.
    rig.during(4500, [&] {
      sawActive = rig.procedures->keyLearningActive();
      rig.procedures->SpeedButtonKeysSetupClick();
    });
    rig.procedures->SpeedButtonKeysSetupClick();
    QVERIFY(sawActive);
    QVERIFY(!rig.procedures->keyLearningRunning());
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(rig.boxes[0].flags, box::kQuestion | box::kDefaultNo);
    QCOMPARE(rig.boxes[0].text, QString("You really want to launch setup of keys?"));
    const auto& device = rig.controller.configuration();
    QCOMPARE(keys::keyLevelAt(device, 0, 1), std::uint16_t{1000});
    QCOMPARE(keys::keyLevelAt(device, 1, 1), std::uint16_t{1200});
    QCOMPARE(device.getU16(layout::keyReferenceLevel(0)), std::uint16_t{2500});
    QCOMPARE(device.getU16(layout::keyReferenceLevel(1)), std::uint16_t{2350});
    QCOMPARE(keys::keyToleranceAt(device, 1, 1), std::uint16_t{1150});
    QCOMPARE(rig.procedures->grid()->item(1, 1)->text(), QString("2.1200"));
    QVERIFY(!rig.controller.keyLearning().active());
  }

  void calibratesAndTheChangeSendingStoresTheBlock() {
    Rig rig;
    const kivprism::sim::TouchBlock block{1, 2, 3, 4, 5, 6, 7, 8, 9};
    rig.controller.touchCalibration().setScript(
        kivprism::sim::calibrationStates({1, 0x81, 2, 3, 0}, 200, block));
    QVERIFY(rig.waitConnected());
    rig.controller.clearRequests();
    rig.procedures->SpeedButtonTouchSetupClick(true);
    QVERIFY(!rig.procedures->touchCalibrationRunning());
    const auto touch = rig.window->model().working.span(layout::kTouchBlock);
    QVERIFY(std::equal(touch.begin(), touch.end(), block.begin()));
    // The poll sends the new block at image offset 0.
    QVERIFY(rig.waitFor(
        [&] {
          for (const auto& r : rig.controller.requests()) {
            if (r.cmd == 0x90 && r.offset == 0 && r.len == block.size()) {
              return true;
            }
          }
          return false;
        },
        kConnectTimeoutMs));
  }
};

KIVPRISM_WINDOW_TEST(KeyProceduresTest);

}  // namespace
}  // namespace key_procedures_test
#include "key_procedures_test.moc"
