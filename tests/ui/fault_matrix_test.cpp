// The fault matrix: every phase of a conversation with the controller, broken by an unplugged
// cable, corrupt answers, another controller at the same port or a refused write, in the real main
// window on the simulated controller. For each row: the box the user sees, that the window keeps
// working, what the working image holds, that the sync state tells the truth (the device copy is
// what the controller really holds), and that putting things right recovers everything.
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <memory>

#include "core/config/image_layout.hpp"
#include "core/device/device_link.hpp"
#include "core/device/firmware_file.hpp"
#include "core/device/packet.hpp"
#include "core/events/entry.hpp"
#include "core/events/entry_types.hpp"
#include "core/keys/key_rules.hpp"
#include "sim/learning_scenarios.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "sim/update_disk.hpp"
#include "support/window_rig.hpp"
#include "ui/app/main_window.hpp"
#include "ui/app/panel_menu.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/dialogs/keyboard_dialog.hpp"
#include "ui/editor/capture_procedures.hpp"
#include "ui/editor/event_reaction_pane.hpp"
#include "ui/monitor/can_log_page.hpp"
#include "ui/params/key_procedures.hpp"
#include "window_test_main.hpp"

namespace fault_matrix_test {
namespace {

using kivprism::sim::AnswerFault;
using kivprism::sim::SimulatedController;
using kivprism::sim::SimulatedHidPort;
using kivprism::sim::SimulatedUpdateDisk;
using kivprism::ui::MainWindowOptions;
using kivprism::ui::TMainForm;
using kivprism::ui::dialogs::TFormKeyBoard;
using kivprism::ui::editor::CaptureProcedures;
using kivprism::ui::editor::EventReactionPane;
namespace box = kivprism::ui::box;
namespace device = kivprism::device;
namespace area = kivprism::device::area;
namespace layout = kivprism::config::layout;
namespace events = kivprism::events;

constexpr std::uint32_t kTimeoutMs = 10000;
constexpr int kSettleMs = 600;
constexpr std::uint32_t kDeviceType = 0x0401;
// Two edits the user made before the phase: one early in the image, one in the parameter block.
constexpr std::size_t kEditEarly = 100;
constexpr std::size_t kEditLate = layout::kParamBlock.offset + 700;
// Whole-image transfers are 238 packets.
constexpr unsigned kImagePackets = 238;
const QString kAllSent = "All changes are on the controller";
// Bytes of a cleared parameter block that the pages' first redraw sets to their lowest values.
constexpr std::ptrdiff_t kNormalisedBytes = 24;

// What a touch-point capture holds while it runs: the progress bar, the locked toolbar, the
// keyboard dialog's locked key groups.
struct CaptureState {
  bool running = false;
  bool barShown = false;
  bool toolbarLocked = false;
  bool keyGroupsLocked = false;
};

class Rig : public kivprism::testing::WindowRig {
 public:
  Rig() : WindowRig(unshown()) { disk.setAppearDelay(300); }
  static kivprism::testing::WindowRigSetup unshown() {
    kivprism::testing::WindowRigSetup setup;
    setup.show = false;
    return setup;
  }

  // Connected, and the normalisations of the pages' first redraw are on the controller.
  bool waitSettled() {
    if (!waitConnected()) {
      return false;
    }
    advance(kSettleMs);
    return waitFor([this] { return window->shell().syncText() == kAllSent; });
  }
  void edit() {
    model().working.data()[kEditEarly] ^= 0x5A;
    model().working.data()[kEditLate] ^= 0x3C;
    edited = model().working;
    editedAny = true;
  }
  bool editsOn(const kivprism::config::ConfigImage& image) const {
    return image.data()[kEditEarly] == edited.data()[kEditEarly] &&
           image.data()[kEditLate] == edited.data()[kEditLate];
  }
  void chooseFirmware(std::uint32_t version) {
    std::vector<std::uint8_t> bytes(3001, 0x5A);
    namespace h = device::firmware_header;
    kivprism::config::writeLe(bytes, h::kDeviceTypeOffset, 4, kDeviceType);
    kivprism::config::writeLe(bytes, h::kApplicationVersionOffset, 4, version);
    kivprism::config::writeLe(bytes, h::kChecksumOffset, 4, device::fileChecksum(bytes));
    chosenFile = dir.filePath("FW.LDR");
    QFile file(chosenFile);
    file.open(QIODevice::WriteOnly);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    file.close();
  }
  kivprism::config::ConfigImage edited;
  bool editedAny = false;
  std::uint32_t firstSerial = 0;
  CaptureState duringCapture;
};

// What the working image must hold right after the fault.
enum class ImageAfter {
  Unchanged,          // what it held before the phase, edits included
  ParametersCleared,  // a failed whole read: the parameter block cleared to its read defaults
  ControllerImage,    // what the controller holds
  KeysLearnt,         // the keys learnt before the fault, not yet on the controller
};

// How the fault is put right.
enum class Recovery {
  PlugIn,          // the same controller comes back
  ClearFaults,     // the controller answers normally again; a new edit shows it takes changes
  AnotherPlugged,  // another controller is plugged in instead
  LeaveBootLoader,
  None,  // nothing went wrong for good
};

struct Row {
  const char* name;
  bool editFirst;  // the user has edits on the controller's way before the phase
  std::function<void(Rig&)> arm;
  std::function<void(Rig&)> act;
  QString box;  // the start of the first box; empty: no box
  ImageAfter image;
  bool disconnected;  // the phase ends with the controller gone
  Recovery recovery;
  // After recovery the controller holds the user's edits (false: they went with the old one).
  bool editsReachController;
  // Before the phase: what the window shows for it (its own changes reach the controller first).
  std::function<void(Rig&)> setUp = {};
  // After recovery: the phase runs again and succeeds.
  std::function<void(Rig&)> again = {};
};

QString readError() { return "Error reading the configuration of the device\n"; }

void readDevice(Rig& rig) { rig.window->toolbar().SpeedButtonReadDeviceClick(); }
void writeDevice(Rig& rig) { rig.window->toolbar().SpeedButtonWriteDeviceClick(); }
void unplugAt(Rig& rig, unsigned n) { rig.controller.unplugAtRequest(n); }
// The edits wait for the next poll tick, whose device-information read is the first request.
void sendChanges(Rig& rig) {
  rig.edit();
  rig.advance(kSettleMs);
}
void learnKeys(Rig& rig) {
  rig.window->pages().keyProcedures->fillKeysGrid();
  rig.window->pages().keyProcedures->SpeedButtonKeysSetupClick();
}
void calibrateTouch(Rig& rig) {
  rig.controller.touchCalibration().setScript(
      kivprism::sim::calibrationStates({1, 0x81, 2, 3, 0}, 300, {1, 2, 3, 4, 5, 6, 7, 8, 9}));
  rig.window->pages().keyProcedures->SpeedButtonTouchSetupClick(true);
}
void startCanLog(Rig& rig) { rig.window->pages().canLogPage->CANLOG_BEGINClick(); }
void stopCanLog(Rig& rig) { rig.window->pages().canLogPage->CANLOG_ENDClick(); }
void updateFirmware(Rig& rig) {
  rig.chooseFirmware(141);
  rig.window->toolbar().SpeedButtonUpdateDeviceClick();
}

// --- IR code capture and touch-point capture, on the pane's entry ---
constexpr std::size_t kCaptureEntry = 15;
// NEC, command 17, address 0x1234: an event and a reaction both take it.
constexpr kivprism::sim::IrCodeRecord kRemoteCode{1, 17, 0x34, 0x12};
const QString kNoTouchPoint = "No touch point";

EventReactionPane& pane(Rig& r) { return *r.window->pages().eventPane; }
void showIrEvent(Rig& r) {
  pane(r).selectEntry(kCaptureEntry);
  pane(r).eventPages()->setCurrentIndex(static_cast<int>(events::EventType::IrCode));
}
void showIrReaction(Rig& r) {
  pane(r).selectEntry(kCaptureEntry);
  pane(r).reactionPages()->setCurrentIndex(static_cast<int>(events::ReactionType::IrCode));
}
// The capture's button takes a click only where it is laid out: in the shown window.
void showTouchReaction(Rig& r) {
  r.window->show();
  pane(r).selectEntry(kCaptureEntry);
  pane(r).reactionPages()->setCurrentIndex(static_cast<int>(events::ReactionType::UsbTouch));
}
void clickPanel(Rig& r, const char* name) {
  auto* panel = qobject_cast<QLabel*>(pane(r).control(name));
  QVERIFY(panel);
  QTest::mouseClick(panel, Qt::LeftButton);
}
void learnEventCode(Rig& r) { clickPanel(r, "PanelIRDEFx"); }
void learnReactionCode(Rig& r) { clickPanel(r, "PanelEventReactionIRx"); }
// A code has arrived from the remote; the fault then hits its read.
void codeArrivedAnd(Rig& r, const std::function<void()>& fault) {
  r.controller.receiveIrCode(kRemoteCode);
  fault();
}

CaptureState captureState(Rig& r) {
  CaptureState s;
  const auto* captures = r.window->findChild<CaptureProcedures*>();
  s.running = captures != nullptr && captures->touchCaptureRunning();
  const auto* bar = pane(r).findChild<QProgressBar*>("ProgressBarReactionTouch");
  s.barShown = bar != nullptr && !bar->isHidden();
  s.toolbarLocked = !r.window->findChild<QToolButton*>("SpeedButtonReadConfig")->isEnabled();
  const auto* keyboard = r.window->findChild<TFormKeyBoard*>();
  s.keyGroupsLocked = keyboard != nullptr;
  for (const char* group :
       {"GroupBoxSystemControl", "GroupBoxKeyboardPage0C", "GroupBoxKeyboardPage07"}) {
    const auto* g = keyboard != nullptr ? keyboard->findChild<QGroupBox*>(group) : nullptr;
    s.keyGroupsLocked = s.keyGroupsLocked && g != nullptr && !g->isEnabled();
  }
  return s;
}
// Clicks SpeedButtonReactionTouch and notes what the capture holds a little after its start.
void captureTouchPoint(Rig& r) {
  r.duringCapture = {};
  r.during(350, [&r] { r.duringCapture = captureState(r); });
  auto* button = pane(r).findChild<QPushButton*>("SpeedButtonReactionTouch");
  QVERIFY(button);
  QTest::mouseClick(button, Qt::LeftButton);
}
// A capture that ran and ended without a point: everything it held is free again, the controller
// waits for no touch, and the message panel says no point came.
void verifyCaptureEndedWithoutPoint(Rig& r) {
  QVERIFY(r.duringCapture.running);
  QVERIFY(r.duringCapture.barShown);
  QVERIFY(r.duringCapture.toolbarLocked);
  QVERIFY(r.duringCapture.keyGroupsLocked);
  const CaptureState after = captureState(r);
  QVERIFY(!after.running);
  QVERIFY(!after.barShown);
  QVERIFY(!after.toolbarLocked);
  QVERIFY(!after.keyGroupsLocked);
  QCOMPARE(r.window->pages().panelMenu->text(), kNoTouchPoint);
}

// After recovery: the code of the remote is learnt into the entry and reaches the controller.
void learnsAgain(Rig& r, const std::function<void(Rig&)>& click, events::IrCodeField field) {
  r.controller.receiveIrCode(kRemoteCode);
  click(r);
  const auto learnt = events::entryAt(std::as_const(r.model().working), kCaptureEntry)
                          .subspan(field.offset, kRemoteCode.size());
  QVERIFY(std::equal(learnt.begin(), learnt.end(), kRemoteCode.begin()));
}
void eventCodeLearntAgain(Rig& r) { learnsAgain(r, learnEventCode, events::event::ir_code::kCode); }
void reactionCodeLearntAgain(Rig& r) {
  learnsAgain(r, learnReactionCode, events::reaction::ir_code::kCode);
}
// After recovery: the controller waits for no touch left over from the broken capture, and a new
// capture stores the point.
void touchPointCapturedAgain(Rig& r) {
  QVERIFY(!r.controller.touchCapture().waiting());
  r.controller.touchCapture().setScript({true, 1000, 700, 300});
  captureTouchPoint(r);
  const auto e = events::entryAt(std::as_const(r.model().working), kCaptureEntry);
  QCOMPARE(events::get(e, events::reaction::usb_touch::kX), std::uint16_t{1000});
  QCOMPARE(events::get(e, events::reaction::usb_touch::kY), std::uint16_t{700});
  QVERIFY(!captureState(r).running);
  QVERIFY(!r.controller.touchCapture().waiting());
}
unsigned touchPointRequests(const Rig& r) {
  const auto& all = r.controller.requests();
  return static_cast<unsigned>(std::count_if(all.begin(), all.end(), [](const auto& q) {
    return device::cmdArea(q.cmd) == area::kTouchPoint;
  }));
}

const std::vector<Row>& rows() {
  static const std::vector<Row> table = {
      // --- reading the whole configuration (toolbar) ---
      {"read: unplug at the first packet", false, [](Rig& r) { unplugAt(r, 1); }, readDevice,
       readError(), ImageAfter::ParametersCleared, true, Recovery::PlugIn, false},
      {"read: unplug half way", false, [](Rig& r) { unplugAt(r, kImagePackets / 2); }, readDevice,
       readError(), ImageAfter::ParametersCleared, true, Recovery::PlugIn, false},
      {"read: unplug at the last packet", false, [](Rig& r) { unplugAt(r, kImagePackets); },
       readDevice, readError(), ImageAfter::ParametersCleared, true, Recovery::PlugIn, false},
      {"read: one corrupt answer", false,
       [](Rig& r) { r.controller.injectFault(AnswerFault::WrongChecksum, 1); }, readDevice, "",
       ImageAfter::ControllerImage, false, Recovery::None, false},
      {"read: every answer corrupt", false,
       [](Rig& r) { r.controller.injectFault(AnswerFault::WrongChecksum); }, readDevice,
       readError(), ImageAfter::ParametersCleared, true, Recovery::ClearFaults, false},
      {"read: LEN above 64 in every answer", false,
       [](Rig& r) { r.controller.injectFault(AnswerFault::LengthAbove64); }, readDevice,
       readError(), ImageAfter::ParametersCleared, true, Recovery::ClearFaults, false},
      {"read: unplug half way, then edits while away", false,
       [](Rig& r) { unplugAt(r, kImagePackets / 2); },
       [](Rig& r) {
         readDevice(r);
         QVERIFY(r.waitDisconnected());
         r.edit();
       },
       readError(), ImageAfter::ParametersCleared, true, Recovery::PlugIn, true},
      {"read: another controller plugged in after an unplug", true, [](Rig& r) { unplugAt(r, 10); },
       readDevice, readError(), ImageAfter::ParametersCleared, true, Recovery::AnotherPlugged,
       false},

      // --- writing the whole configuration (toolbar, answered Yes) ---
      {"write: unplug at the first packet", true, [](Rig& r) { unplugAt(r, 1); }, writeDevice,
       "Error writing configuration\n", ImageAfter::Unchanged, true, Recovery::PlugIn, true},
      {"write: unplug half way", true, [](Rig& r) { unplugAt(r, kImagePackets / 2); }, writeDevice,
       "Error writing configuration\n", ImageAfter::Unchanged, true, Recovery::PlugIn, true},
      {"write: unplug at the reset after the image", true,
       [](Rig& r) { unplugAt(r, kImagePackets + 1); }, writeDevice, "Error writing configuration\n",
       ImageAfter::Unchanged, true, Recovery::PlugIn, true},
      {"write: refused (0xFD)", true,
       [](Rig& r) { r.controller.setAreaAnswer(area::kConfiguration, device::kAnswerFailed); },
       writeDevice, "Error writing configuration\n", ImageAfter::Unchanged, false,
       Recovery::ClearFaults, true},
      {"write: unplugged half way, another controller plugged in", true,
       [](Rig& r) { unplugAt(r, kImagePackets / 2); }, writeDevice, "Error writing configuration\n",
       ImageAfter::Unchanged, true, Recovery::AnotherPlugged, false},

      // --- change sending (an edit goes out on the next poll tick) ---
      {"change sending: unplug at the change's write", false, [](Rig& r) { unplugAt(r, 2); },
       sendChanges, "Error writing to the device", ImageAfter::Unchanged, true, Recovery::PlugIn,
       true},
      {"change sending: unplug at the poll before it", false, [](Rig& r) { unplugAt(r, 1); },
       sendChanges, "", ImageAfter::Unchanged, true, Recovery::PlugIn, true},
      {"change sending: refused (0xFE)", false,
       [](Rig& r) {
         r.controller.setAreaAnswer(area::kConfiguration, device::kAnswerBadParameters);
       },
       sendChanges, "Error writing to the device", ImageAfter::Unchanged, false,
       Recovery::ClearFaults, true},
      {"change sending: every answer corrupt", false,
       [](Rig& r) { r.controller.injectFault(AnswerFault::WrongChecksum); }, sendChanges, "",
       ImageAfter::Unchanged, true, Recovery::ClearFaults, true},
      {"change sending: another controller while changes are kept", false,
       [](Rig& r) { r.controller.unplug(); },
       [](Rig& r) {
         QVERIFY(r.waitDisconnected());
         r.edit();
       },
       "", ImageAfter::Unchanged, true, Recovery::AnotherPlugged, false},

      // --- key learning (answered Yes) ---
      {"key learning: unplug while the levels are read", false,
       [](Rig& r) { r.during(700, [&r] { r.controller.unplug(); }); }, learnKeys,
       "Error reading from device", ImageAfter::Unchanged, true, Recovery::PlugIn, false},
      {"key learning: refused start", false,
       [](Rig& r) { r.controller.setAreaAnswer(area::kKeyLearning, device::kAnswerBadParameters); },
       learnKeys, "Error writing to the device", ImageAfter::Unchanged, false,
       Recovery::ClearFaults, false},

      {"key learning: unplug after keys were pressed", false,
       [](Rig& r) {
         r.controller.keyLearning().setScript(kivprism::sim::keyPressSequence(
             {4000, 3500, 4095, 4095}, {{0, 1000}, {1, 1200}}, 300));
         r.during(4300, [&r] { r.controller.unplug(); });
       },
       learnKeys, "Error reading from device", ImageAfter::KeysLearnt, true, Recovery::PlugIn,
       false},

      // --- touch calibration (answered Yes) ---
      {"touch calibration: unplug between the steps", false,
       [](Rig& r) { r.during(500, [&r] { r.controller.unplug(); }); }, calibrateTouch,
       "Error reading from device", ImageAfter::Unchanged, true, Recovery::PlugIn, false},
      {"touch calibration: refused start", false,
       [](Rig& r) {
         r.controller.setAreaAnswer(area::kTouchCalibration, device::kAnswerBadParameters);
       },
       calibrateTouch, "Error writing to the device", ImageAfter::Unchanged, false,
       Recovery::ClearFaults, false},

      // --- CAN log ---
      {"CAN start: unplug at the stop before the start", false, [](Rig& r) { unplugAt(r, 1); },
       startCanLog, "", ImageAfter::Unchanged, true, Recovery::PlugIn, false},
      {"CAN start: refused (not supported)", false,
       [](Rig& r) { r.controller.setAreaAnswer(area::kCanLog, device::kAnswerBadParameters); },
       startCanLog, "This operation\nfor this firmware\nis not supported", ImageAfter::Unchanged,
       false, Recovery::ClearFaults, false},
      {"CAN stop: unplug while the log streams", false,
       [](Rig& r) {
         r.controller.canLog().setRate(3000);
         startCanLog(r);
         r.advance(300);
         unplugAt(r, 1);
       },
       stopCanLog, "", ImageAfter::Unchanged, true, Recovery::PlugIn, false},

      // --- firmware update (file version 1.41 over 1.40) ---
      {"firmware: unplug before the device information", false,
       [](Rig& r) { r.controller.unplug(); }, updateFirmware,
       "Error reading the device configuration\n", ImageAfter::Unchanged, true, Recovery::PlugIn,
       false},
      {"firmware: the update disk's write stops short", false,
       [](Rig& r) { r.disk.faults().shortWriteAfter = 1000; }, updateFirmware,
       "Failed to update the firmware\nError writing file", ImageAfter::Unchanged, true,
       Recovery::LeaveBootLoader, false},

      // --- IR code capture (a code has arrived from the remote) ---
      {"IR capture: controller unplugged before the click", false,
       [](Rig& r) { codeArrivedAnd(r, [&r] { r.controller.unplug(); }); },
       [](Rig& r) {
         QVERIFY(r.waitDisconnected());
         learnEventCode(r);
       },
       "Controller is disconnected", ImageAfter::Unchanged, true, Recovery::PlugIn, false,
       showIrEvent, eventCodeLearntAgain},
      {"IR capture: unplug at the code's read", false,
       [](Rig& r) { codeArrivedAnd(r, [&r] { unplugAt(r, 1); }); }, learnEventCode,
       "Failed to get IR code\nController is disconnected", ImageAfter::Unchanged, true,
       Recovery::PlugIn, false, showIrEvent, eventCodeLearntAgain},
      {"IR capture (reaction): refused read (0xFD)", false,
       [](Rig& r) {
         codeArrivedAnd(r,
                        [&r] { r.controller.setAreaAnswer(area::kIrCode, device::kAnswerFailed); });
       },
       learnReactionCode, "Failed to get IR code\nFailed result", ImageAfter::Unchanged, false,
       Recovery::ClearFaults, false, showIrReaction, reactionCodeLearntAgain},
      {"IR capture: every answer corrupt", false,
       [](Rig& r) {
         codeArrivedAnd(r, [&r] { r.controller.injectFault(AnswerFault::WrongChecksum); });
       },
       learnEventCode, "Failed to get IR code\nFailed to communicate with the controller",
       ImageAfter::Unchanged, true, Recovery::ClearFaults, false, showIrEvent,
       eventCodeLearntAgain},
      {"IR capture (reaction): the answer cut short", false,
       [](Rig& r) { codeArrivedAnd(r, [&r] { r.controller.endReadsAt(area::kIrCode, 2); }); },
       learnReactionCode, "Failed to get IR code\nFailed to communicate with the controller",
       ImageAfter::Unchanged, false, Recovery::ClearFaults, false, showIrReaction,
       reactionCodeLearntAgain},

      // --- touch-point capture (the user never touches the screen unless the row says so) ---
      {"touch-point capture: unplug while waiting for the touch", false,
       [](Rig& r) {
         r.controller.touchCapture().setScript({.touches = false});
         r.during(600, [&r] { r.controller.unplug(); });
       },
       [](Rig& r) {
         captureTouchPoint(r);
         verifyCaptureEndedWithoutPoint(r);
       },
       "", ImageAfter::Unchanged, true, Recovery::PlugIn, false, showTouchReaction,
       touchPointCapturedAgain},
      {"touch-point capture: every answer corrupt while waiting", false,
       [](Rig& r) {
         r.controller.touchCapture().setScript({.touches = false});
         r.during(600, [&r] { r.controller.injectFault(AnswerFault::WrongChecksum); });
       },
       [](Rig& r) {
         captureTouchPoint(r);
         verifyCaptureEndedWithoutPoint(r);
       },
       "", ImageAfter::Unchanged, true, Recovery::ClearFaults, false, showTouchReaction,
       touchPointCapturedAgain},
      {"touch-point capture: unplug at the start", false, [](Rig& r) { unplugAt(r, 1); },
       [](Rig& r) {
         captureTouchPoint(r);
         // The start went with the cable: the controller never heard of the capture.
         QCOMPARE(touchPointRequests(r), 0u);
         const CaptureState after = captureState(r);
         QVERIFY(!after.running && !after.barShown && !after.toolbarLocked &&
                 !after.keyGroupsLocked);
       },
       "Error writing to the device", ImageAfter::Unchanged, true, Recovery::PlugIn, false,
       showTouchReaction, touchPointCapturedAgain},
      {"touch-point capture: refused start (0xFE)", false,
       [](Rig& r) { r.controller.setAreaAnswer(area::kTouchPoint, device::kAnswerBadParameters); },
       [](Rig& r) {
         captureTouchPoint(r);
         // A start the controller refused is not followed by a closing write.
         QCOMPARE(touchPointRequests(r), 1u);
         const CaptureState after = captureState(r);
         QVERIFY(!after.running && !after.barShown && !after.toolbarLocked &&
                 !after.keyGroupsLocked);
       },
       "Error writing to the device", ImageAfter::Unchanged, false, Recovery::ClearFaults, false,
       showTouchReaction, touchPointCapturedAgain},
      {"touch-point capture: no touch in time", false,
       [](Rig& r) { r.controller.touchCapture().setScript({.touches = false}); },
       [](Rig& r) {
         captureTouchPoint(r);
         verifyCaptureEndedWithoutPoint(r);
         QVERIFY(!r.controller.touchCapture().waiting());
       },
       "", ImageAfter::Unchanged, false, Recovery::None, false, showTouchReaction,
       touchPointCapturedAgain},
  };
  return table;
}

class FaultMatrixTest : public QObject {
  Q_OBJECT

 private slots:
  void matrix_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < rows().size(); ++i) {
      QTest::newRow(rows()[i].name) << static_cast<int>(i);
    }
  }

  void matrix() {
    QFETCH(int, row);
    const Row& r = rows()[static_cast<std::size_t>(row)];
    Rig rig;
    QVERIFY(rig.waitSettled());
    rig.firstSerial = rig.link().lastSerialNumber();
    if (r.setUp) {
      r.setUp(rig);
      QVERIFY(rig.waitFor(
          [&rig] {
            return rig.window->shell().syncText() == kAllSent &&
                   rig.controller.configuration() == rig.model().working;
          },
          kTimeoutMs));
    }
    if (r.editFirst) {
      rig.edit();
    }
    const auto before = rig.model().working;
    const auto controllerBefore = rig.controller.configuration();
    rig.controller.clearRequests();
    r.arm(rig);
    r.act(rig);
    if (QTest::currentTestFailed()) {
      return;
    }

    // What the user sees: one error box with the phase's text, or none (questions aside).
    std::vector<QString> errors;
    for (const auto& b : rig.boxes) {
      if ((b.flags & box::kKindMask) == box::kError) {
        errors.push_back(b.text);
      }
    }
    if (r.box.isEmpty()) {
      QVERIFY2(errors.empty(), qPrintable(errors.empty() ? "" : errors[0]));
    } else {
      QVERIFY(!errors.empty());
      QVERIFY2(errors[0].startsWith(r.box), qPrintable(errors[0]));
      QVERIFY2(errors.size() == 1, qPrintable(errors.back()));
    }

    // The window keeps working: the poll runs, no command is left half done, files can be used.
    if (r.disconnected) {
      QVERIFY(rig.waitDisconnected());
    }
    QVERIFY(rig.waitFor([&rig] { return rig.window->shell().pollTimer().isActive(); }));
    QCOMPARE(rig.link().pollSuspendCount(), 0u);
    QVERIFY(!rig.link().userCommand());
    QVERIFY(rig.window->findChild<QToolButton*>("SpeedButtonReadConfig")->isEnabled());
    QVERIFY(rig.window->findChild<QToolButton*>("SpeedButtonUpdateDevice")->isEnabled());

    // The working image.
    switch (r.image) {
      case ImageAfter::Unchanged:
        QCOMPARE(rig.model().working, rig.editedAny ? rig.edited : before);
        break;
      case ImageAfter::ParametersCleared: {
        // Cleared, then the read defaults of the key block and the pages' normalisations.
        const auto params = rig.model().working.span(layout::kParamBlock);
        QCOMPARE(rig.model().working.getU16(layout::kLongPressTime), std::uint16_t{1000});
        QCOMPARE(rig.model().working.getU16(layout::keyReferenceLevel(3)), std::uint16_t{4095});
        const auto set = std::count_if(params.begin() + layout::kKeyBlock.width, params.end(),
                                       [](std::uint8_t b) { return b != 0; });
        QVERIFY2(set <= kNormalisedBytes, qPrintable(QString::number(set)));
        break;
      }
      case ImageAfter::ControllerImage:
        QCOMPARE(rig.model().working, rig.controller.configuration());
        break;
      case ImageAfter::KeysLearnt:
        QCOMPARE(rig.model().working.getU16(layout::keyReferenceLevel(0)), std::uint16_t{2500});
        QVERIFY(rig.window->shell().syncText().startsWith("Not connected: changes are kept here"));
        break;
    }

    // The sync state tells the truth: the device copy is what the controller holds, and the
    // panel shows the link's state.
    QCOMPARE(rig.model().device, rig.controller.configuration());
    rig.waitFor([&rig] {
      return rig.window->shell().syncText() ==
             kivprism::ui::qtText(device::syncStateText(rig.link().syncState()));
    });
    QCOMPARE(rig.window->shell().syncText(),
             kivprism::ui::qtText(device::syncStateText(rig.link().syncState())));
    if (rig.model().working != rig.model().device && !r.disconnected) {
      QVERIFY(rig.window->shell().syncText() != kAllSent);
    }

    // What the table in docs/fault_matrix.md shows for the row.
    qInfo().noquote() << "box:" << (errors.empty() ? QString("none") : errors[0])
                      << "| sync:" << rig.window->shell().syncText();

    // Recovery.
    rig.boxes.clear();
    rig.controller.clearFaults();
    rig.disk.faults() = {};
    switch (r.recovery) {
      case Recovery::PlugIn:
        rig.controller.plugIn();
        break;
      case Recovery::ClearFaults:
        break;
      case Recovery::AnotherPlugged:
        rig.controller.replaceWithAnotherController(rig.firstSerial + 1000);
        break;
      case Recovery::LeaveBootLoader:
        rig.controller.leaveBootLoader();
        break;
      case Recovery::None:
        break;
    }
    QVERIFY(rig.waitConnected());
    rig.advance(kSettleMs);
    if (r.recovery == Recovery::ClearFaults) {
      // Refused changes are tried again after the next change the controller takes.
      rig.model().working.data()[kEditEarly + 1] ^= 0x11;
    }
    QVERIFY(rig.waitFor([&rig] {
      return rig.window->shell().syncText() == kAllSent &&
             rig.controller.configuration() == rig.model().working;
    }));
    QCOMPARE(rig.controller.configuration(), rig.model().working);
    QCOMPARE(rig.model().device, rig.model().working);
    if (r.image == ImageAfter::ParametersCleared && r.recovery != Recovery::AnotherPlugged) {
      // The cleared block of the failed read is no change of the user's: the controller keeps
      // its parameters.
      auto now = rig.controller.configuration();
      now.data()[kEditLate] = controllerBefore.data()[kEditLate];
      const auto block = now.span(layout::kParamBlock);
      const auto then = controllerBefore.span(layout::kParamBlock);
      QVERIFY(std::equal(block.begin(), block.end(), then.begin()));
    }
    if (r.image == ImageAfter::KeysLearnt) {
      QCOMPARE(rig.controller.configuration().getU16(layout::keyReferenceLevel(0)),
               std::uint16_t{2500});
    }
    if (r.editsReachController) {
      QVERIFY(rig.editsOn(rig.controller.configuration()));
    }
    if (r.recovery == Recovery::AnotherPlugged) {
      QCOMPARE(rig.link().lastSerialNumber(), rig.firstSerial + 1000);
      QVERIFY(!rig.editsOn(rig.controller.configuration()) || !r.editFirst);
    }
    if (r.again) {
      r.again(rig);
      if (QTest::currentTestFailed()) {
        return;
      }
      QVERIFY(rig.waitFor([&rig] {
        return rig.window->shell().syncText() == kAllSent &&
               rig.controller.configuration() == rig.model().working;
      }));
    }
    QVERIFY(rig.boxes.empty());
  }
};

KIVPRISM_WINDOW_TEST(FaultMatrixTest);

}  // namespace
}  // namespace fault_matrix_test
#include "fault_matrix_test.moc"
