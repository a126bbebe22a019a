// IR code learning and touch-point capture hosted by the main window on the simulated controller,
// in real time: boxes, the message panel, the touch progress bar and the busy toolbar.
#include <QFile>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

#include "core/device/packet.hpp"
#include "core/events/entry.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "support/window_rig.hpp"
#include "ui/app/main_window.hpp"
#include "ui/app/panel_menu.hpp"
#include "ui/common/message_box.hpp"
#include "ui/editor/capture_procedures.hpp"
#include "ui/params/key_procedures.hpp"
#include "window_test_main.hpp"

namespace capture_procedures_test {
namespace {

using kivprism::sim::SimulatedController;
using kivprism::sim::SimulatedHidPort;
using kivprism::ui::MainWindowOptions;
using kivprism::ui::TMainForm;
using kivprism::ui::editor::CaptureProcedures;
namespace box = kivprism::ui::box;
namespace events = kivprism::events;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kTimeoutMs = 10000;
constexpr std::size_t kEntry = 12;

class Rig : public kivprism::testing::WindowRig {
 public:
  static kivprism::testing::WindowRigSetup setup() {
    kivprism::testing::WindowRigSetup s;
    s.systemLanguage = "de-DE";
    s.show = false;
    return s;
  }
  Rig() : WindowRig(setup()) {
    capture = std::make_unique<CaptureProcedures>(window->link(), window->shell(), [this] {
      const auto& keys = *window->pages().keyProcedures;
      return keys.keyLearningRunning() || keys.touchCalibrationRunning();
    });
  }
  static Bytes bytesOf(std::span<const std::uint8_t> s) { return {s.begin(), s.end()}; }
  Bytes working() { return bytesOf(events::entryAt(window->model().working, kEntry)); }
  // The poll sends the entry as the working image holds it.
  bool entryReachesController() {
    const Bytes wanted = working();
    return waitFor(
        [&] { return bytesOf(events::entryAt(controller.configuration(), kEntry)) == wanted; },
        kTimeoutMs);
  }
  QToolButton* toolButton(const char* name) { return window->findChild<QToolButton*>(name); }

  std::unique_ptr<CaptureProcedures> capture;
};

class CaptureProceduresTest : public QObject {
  Q_OBJECT

 private slots:
  void learntEventCodeReachesTheController() {
    Rig rig;
    rig.controller.receiveIrCode({5, 0x12, 0x01, 0x00});
    QVERIFY(rig.waitConnected());
    QSignalSpy changed(rig.capture.get(), &CaptureProcedures::entryChanged);
    rig.capture->learnIrCode(kEntry, events::IrContext::Event);
    QVERIFY(rig.boxes.empty());
    QCOMPARE(changed.count(), 1);
    const Bytes entry = rig.working();
    QCOMPARE(entry[16], std::uint8_t{2});
    QCOMPARE(Bytes(entry.begin() + 18, entry.begin() + 23), (Bytes{5, 0x12, 0x01, 0x00, 0x00}));
    QCOMPARE(entry[77], std::uint8_t{3});
    QVERIFY(rig.entryReachesController());

    // Nothing received: the message panel says so.
    rig.controller.receiveIrCode({0, 0, 0, 0});
    rig.capture->learnIrCode(kEntry, events::IrContext::Event);
    QCOMPARE(rig.window->pages().panelMenu->text(), QString("No Infrared code"));
    QCOMPARE(rig.working(), entry);
  }

  void reactionRefusesRc5() {
    Rig rig;
    rig.controller.receiveIrCode({3, 0x0C, 0x00, 0x00});
    QVERIFY(rig.waitConnected());
    const Bytes before = rig.working();
    QSignalSpy changed(rig.capture.get(), &CaptureProcedures::entryChanged);
    rig.capture->learnIrCode(kEntry, events::IrContext::Reaction);
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(rig.boxes[0].flags, box::kInformation);
    QCOMPARE(rig.boxes[0].text, QString("This protocol is not supported for reaction"));
    QCOMPARE(rig.working(), before);
    QCOMPARE(changed.count(), 0);

    // A Samsung code is taken.
    rig.controller.receiveIrCode({10, 0x02, 0x07, 0x07});
    rig.capture->learnIrCode(kEntry, events::IrContext::Reaction);
    QCOMPARE(rig.working()[80], std::uint8_t{2});
    QVERIFY(rig.entryReachesController());
  }

  void touchPointCapturedWithBarAndBusyToolbar() {
    Rig rig;
    rig.controller.touchCapture().setScript({true, 1000, 700, 600});
    QVERIFY(rig.waitConnected());
    QProgressBar bar;
    bar.hide();
    QSignalSpy running(rig.capture.get(), &CaptureProcedures::procedureRunningChanged);
    bool barShown = false;
    bool toolbarLocked = false;
    QString prompt;
    rig.during(350, [&] {
      barShown = bar.isVisible() && bar.value() > 0 && bar.maximum() == 100;
      toolbarLocked = !rig.toolButton("SpeedButtonReadDevice")->isEnabled();
      prompt = rig.window->pages().panelMenu->text();
    });
    rig.capture->captureTouchPoint(kEntry, &bar);
    QVERIFY(barShown);
    QVERIFY(toolbarLocked);
    QCOMPARE(prompt, QString("Click in the right place on the screen"));
    QVERIFY(!bar.isVisible());
    QVERIFY(rig.toolButton("SpeedButtonReadDevice")->isEnabled());
    QCOMPARE(running.count(), 2);
    QCOMPARE(running[0][0].toBool(), true);
    QCOMPARE(running[1][0].toBool(), false);
    QVERIFY(!rig.capture->touchCaptureRunning());
    const Bytes entry = rig.working();
    QCOMPARE(Bytes(entry.begin() + 80, entry.begin() + 87),
             (Bytes{6, 0xE8, 0x03, 0xBC, 0x02, 200, 0}));
    QVERIFY(!rig.controller.touchCapture().waiting());
    QVERIFY(rig.entryReachesController());
  }

  void noTouchCaptureWhileKeysAreLearnt() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    auto& keys = *rig.window->pages().keyProcedures;
    bool captureRan = true;
    rig.during(600, [&] {
      rig.controller.clearRequests();
      QProgressBar bar;
      rig.capture->captureTouchPoint(kEntry, &bar);
      captureRan = !rig.controller.touchCapture().waiting() && rig.capture->touchCaptureRunning();
      for (const auto& r : rig.controller.requests()) {
        captureRan = captureRan || (r.cmd & 0x7F) == kivprism::device::area::kTouchPoint;
      }
      keys.SpeedButtonKeysSetupClick();  // the second click ends learning
    });
    keys.SpeedButtonKeysSetupClick();
    QVERIFY(!captureRan);
    QVERIFY(!keys.keyLearningRunning());
  }

  // The whole read handles window events between its packets: a capture clicked then would run
  // inside the read (the touch wait for up to ten seconds) and store into an image the read is
  // still overwriting. The click is ignored.
  void noCaptureDuringAWholeRead() {
    Rig rig;
    rig.controller.touchCapture().setScript({true, 1000, 700, 100});
    rig.controller.receiveIrCode({1, 17, 0x34, 0x12});
    QVERIFY(rig.waitConnected());
    QVERIFY(rig.waitFor(
        [&] { return rig.window->model().working == rig.controller.configuration(); }, kTimeoutMs));
    rig.controller.setAnswerDelay(0, 2);
    rig.controller.clearRequests();
    const Bytes before = rig.working();
    QProgressBar bar;
    bool clicked = false;
    rig.during(100, [&] {
      clicked = true;
      rig.capture->captureTouchPoint(kEntry, &bar);
      rig.capture->learnIrCode(kEntry, events::IrContext::Event);
    });
    rig.window->toolbar().SpeedButtonReadDeviceClick();
    QVERIFY(clicked);
    namespace area = kivprism::device::area;
    for (const auto& r : rig.controller.requests()) {
      const std::uint8_t a = kivprism::device::cmdArea(r.cmd);
      QVERIFY(a != area::kTouchPoint && a != area::kIrCode);
    }
    QVERIFY(!rig.capture->touchCaptureRunning());
    QCOMPARE(rig.working(), before);
    QVERIFY(rig.boxes.empty());
  }

  void disconnectedShowsTheMessage() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    rig.controller.unplug();
    QVERIFY(rig.waitFor([&] { return !rig.window->link().isConnected(); }, kTimeoutMs));
    rig.boxes.clear();
    const Bytes before = rig.working();
    QProgressBar bar;
    rig.capture->learnIrCode(kEntry, events::IrContext::Event);
    rig.capture->learnIrCode(kEntry, events::IrContext::Reaction);
    rig.capture->captureTouchPoint(kEntry, &bar);
    QCOMPARE(rig.boxes.size(), std::size_t{3});
    for (const auto& [flags, caption, text] : rig.boxes) {
      QCOMPARE(flags, box::kError);
      QCOMPARE(text, QString("Controller is disconnected"));
    }
    QCOMPARE(rig.working(), before);
  }
};

KIVPRISM_WINDOW_TEST(CaptureProceduresTest);

}  // namespace
}  // namespace capture_procedures_test
#include "capture_procedures_test.moc"
