// The firmware update from the window's toolbar, on the simulated controller and its update disk.
#include <QFile>
#include <QGroupBox>
#include <QProgressBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "core/config/image.hpp"
#include "core/device/firmware_file.hpp"
#include "core/device/packet.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "sim/update_disk.hpp"
#include "support/window_rig.hpp"
#include "ui/app/main_window.hpp"
#include "ui/app/panel_menu.hpp"
#include "ui/monitor/terminal_page.hpp"
#include "window_test_main.hpp"

namespace firmware_update_test {
namespace {

using kivprism::sim::SimulatedController;
using kivprism::sim::SimulatedHidPort;
using kivprism::sim::SimulatedUpdateDisk;
using kivprism::ui::MainWindowOptions;
using kivprism::ui::TMainForm;
namespace box = kivprism::ui::box;
namespace device = kivprism::device;

constexpr std::uint32_t kConnectTimeoutMs = 10000;
constexpr std::uint32_t kType = 0x0401;

kivprism::testing::WindowRigSetup britishSystem() {
  kivprism::testing::WindowRigSetup setup;
  setup.systemLanguage = "en-GB";
  setup.show = false;
  return setup;
}

class Rig : public kivprism::testing::WindowRig {
 public:
  Rig() : WindowRig(britishSystem()) {
    disk.setAppearDelay(300);
    answerBox = [this](unsigned, const QString&, const QString&) {
      // The toolbar is disabled while the command runs.
      toolbarBusyAtBox = !button("SpeedButtonReadConfig")->isEnabled() &&
                         !button("SpeedButtonUpdateDevice")->isEnabled();
      keyboardLockedAtBox = !keyboardGroup()->isEnabled();
      return answer;
    };
  }

  QToolButton* button(const char* name) const { return window->findChild<QToolButton*>(name); }
  QGroupBox* keyboardGroup() const {
    return window->findChild<QGroupBox*>("GroupBoxKeyboardPage07");
  }
  QString log() const { return window->pages().terminal->receivedView()->text(); }
  // A firmware file of 3001 bytes with a correct checksum.
  void chooseFirmware(std::uint32_t type, std::uint32_t version) {
    std::vector<std::uint8_t> bytes(3001, 0x5A);
    namespace h = device::firmware_header;
    kivprism::config::writeLe(bytes, h::kDeviceTypeOffset, 4, type);
    kivprism::config::writeLe(bytes, h::kApplicationVersionOffset, 4, version);
    kivprism::config::writeLe(bytes, h::kChecksumOffset, 4, device::fileChecksum(bytes));
    const QString path = dir.filePath("FW.LDR");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    file.close();
    chosenFile = path;
  }
  std::size_t bootLoaderStarts() const {
    std::size_t n = 0;
    for (const auto& r : controller.requests()) {
      n += r.cmd == (device::area::kBootLoader | device::kWriteFlag) ? 1 : 0;
    }
    return n;
  }
  std::size_t canLogStops() const {
    std::size_t n = 0;
    for (const auto& r : controller.requests()) {
      n += r.cmd == (device::area::kCanLog | device::kWriteFlag) && r.len == 1 && r.data[0] == 0;
    }
    return n;
  }

  bool toolbarBusyAtBox = false;
  bool keyboardLockedAtBox = false;
  int answer = box::kYes;
};

class FirmwareUpdateTest : public QObject {
  Q_OBJECT

 private slots:
  void updatesTheControllerAndReadsItAgain() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    QVERIFY(rig.button("SpeedButtonUpdateDevice")->isEnabled());
    QCOMPARE(rig.button("SpeedButtonUpdateDevice")->toolTip(), QString("Firmware update"));
    rig.chooseFirmware(kType, 141);
    rig.controller.configuration().data()[200] = 0x42;
    rig.button("SpeedButtonUpdateDevice")->click();

    QVERIFY(rig.boxes.empty());
    QCOMPARE(rig.bootLoaderStarts(), std::size_t{1});
    QCOMPARE(rig.canLogStops(), std::size_t{1});
    QCOMPARE(rig.disk.installs(), 1u);
    QVERIFY2(rig.window->pages().panelMenu->text().startsWith(
                 "The device is updated to version 1.41, the previous configuration is in backup_"),
             qPrintable(rig.window->pages().panelMenu->text()));
    QVERIFY(rig.log().contains("****************** Update *****************"));
    QVERIFY(rig.log().contains("The update file           \"FW.LDR\""));
    QVERIFY(rig.button("SpeedButtonUpdateDevice")->isEnabled());
    QVERIFY(rig.button("SpeedButtonReadConfig")->isEnabled());
    // The gauge of the wait is gone.
    QVERIFY(rig.window->statusBar()->findChild<QProgressBar*>("ProgressBarUpdateDiskx") == nullptr);

    // The controller comes back with the new version and its configuration is read again.
    QVERIFY(rig.waitFor(
        [&rig] {
          return rig.window->link().isConnected() &&
                 rig.window->link().deviceInfo().applicationVersion == 141;
        },
        kConnectTimeoutMs));
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.window->model().working.data()[200], std::uint8_t{0x42},
                              kConnectTimeoutMs);
    QVERIFY(rig.log().contains("Application version 1.41"));
  }

  void sameVersionAnsweredNoSendsNothing() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    rig.chooseFirmware(kType, 140);
    rig.answer = box::kNo;
    rig.button("SpeedButtonUpdateDevice")->click();
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(rig.boxes[0].text,
             QString("Are you trying to download the same version as in the device\nContinue?"));
    // A warning with Yes preselected.
    QCOMPARE(rig.boxes[0].flags, box::kWarning);
    QVERIFY(rig.toolbarBusyAtBox);
    // The keyboard dialog's keys are locked while the update runs, and free again after it.
    QVERIFY(rig.keyboardLockedAtBox);
    QVERIFY(rig.keyboardGroup()->isEnabled());
    QCOMPARE(rig.bootLoaderStarts(), std::size_t{0});
    QVERIFY(!rig.controller.inBootLoader());
    QVERIFY(rig.button("SpeedButtonUpdateDevice")->isEnabled());
  }

  void anotherDeviceIsRefusedInAnErrorBox() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    rig.chooseFirmware(kType + 1, 150);
    rig.button("SpeedButtonUpdateDevice")->click();
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(rig.boxes[0].flags & box::kKindMask, box::kError);
    QCOMPARE(rig.boxes[0].text, QString("This update is not for this device"));
    QCOMPARE(rig.bootLoaderStarts(), std::size_t{0});
  }
};

KIVPRISM_WINDOW_TEST(FirmwareUpdateTest);

}  // namespace
}  // namespace firmware_update_test
#include "firmware_update_test.moc"
