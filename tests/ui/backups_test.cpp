// Backups of the controller's configuration from the window, on the simulated controller: a file
// opened, a restore of defaults and a firmware update each leave the configuration they replace in
// the backups folder, and the message that ends them names it.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTest>
#include <QUrl>
#include <filesystem>

#include "core/config/backups.hpp"
#include "core/config/config_file.hpp"
#include "core/config/image_layout.hpp"
#include "core/device/firmware_file.hpp"
#include "core/device/packet.hpp"
#include "core/lang/language.hpp"
#include "support/window_rig.hpp"
#include "ui/app/panel_menu.hpp"
#include "window_test_main.hpp"

namespace backups_test {
namespace {

using kivprism::sim::SimulatedController;
using kivprism::sim::SimulatedHidPort;
using kivprism::sim::SimulatedUpdateDisk;
using kivprism::ui::MainWindowOptions;
namespace box = kivprism::ui::box;
namespace device = kivprism::device;
namespace config = kivprism::config;

constexpr int kConnectTimeoutMs = 10000;
constexpr std::uint32_t kType = 0x0401;

std::filesystem::path fsPath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

class Rig;
kivprism::testing::WindowRigSetup setupFor(Rig* rig);

class Rig : public kivprism::testing::WindowRig {
 public:
  Rig() : WindowRig(setupFor(this)) {
    disk.setAppearDelay(300);
    answerBox = [this](unsigned flags, const QString&, const QString&) {
      return (flags & box::kInformation) != 0 ? box::kOk : answer;
    };
    window->startUp();
  }

  QString backupsFolder() const { return dir.filePath("kivprism-backups"); }
  QStringList backups() const {
    return QDir(backupsFolder()).entryList({"*.KST401"}, QDir::Files, QDir::Name);
  }
  config::ConfigImage readBackup(const QString& name) const {
    config::ConfigImage image;
    const auto error = config::readConfigFile(fsPath(QDir(backupsFolder()).filePath(name)), image);
    if (error) {
      qWarning("%s", error->describe().c_str());
    }
    return image;
  }
  // A configuration file that differs from the controller in its long-press time.
  void chooseConfigFile(std::uint32_t longPress) {
    config::ConfigImage image = controller.configuration();
    image.set(config::layout::kLongPressTime, longPress);
    chosenFile = dir.filePath("car.KST401");
    QVERIFY(!config::writeConfigFile(fsPath(chosenFile), image));
  }
  void chooseFirmware(std::uint32_t version) {
    std::vector<std::uint8_t> bytes(3001, 0x5A);
    namespace h = device::firmware_header;
    config::writeLe(bytes, h::kDeviceTypeOffset, 4, kType);
    config::writeLe(bytes, h::kApplicationVersionOffset, 4, version);
    config::writeLe(bytes, h::kChecksumOffset, 4, device::fileChecksum(bytes));
    const QString path = dir.filePath("FW.LDR");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    file.close();
    chosenFile = path;
  }
  std::size_t writesTo(std::uint8_t area) const {
    std::size_t n = 0;
    for (const auto& r : controller.requests()) {
      n += r.cmd == (area | device::kWriteFlag) ? 1 : 0;
    }
    return n;
  }

  std::vector<QUrl> opened;
  int answer = box::kYes;
};

kivprism::testing::WindowRigSetup setupFor(Rig* rig) {
  kivprism::testing::WindowRigSetup setup;
  setup.systemLanguage = "en-GB";
  setup.start = false;
  setup.adjust = [rig](MainWindowOptions& options) {
    options.urlOpener = [rig](const QUrl& url) {
      rig->opened.push_back(url);
      return true;
    };
  };
  return setup;
}

class BackupsTest : public QObject {
  Q_OBJECT

 private slots:
  void openingAFileKeepsTheControllersConfigurationAndNamesTheBackup() {
    Rig rig;
    rig.controller.configuration().set(config::layout::kLongPressTime, 777);
    QVERIFY(rig.waitConnected());
    VTRY_VERIFY_WITH_TIMEOUT(rig, rig.window->link().inSync(), kConnectTimeoutMs);
    const config::ConfigImage before = rig.controller.configuration();
    rig.chooseConfigFile(1234);
    rig.window->toolbar().SpeedButtonReadConfigClick();
    const QStringList backups = rig.backups();
    QCOMPARE(backups.size(), 1);
    const auto name = config::parseBackupFileName(backups[0].toStdString());
    QVERIFY(name.has_value());
    QCOMPARE(name->serialNumber, rig.controller.identity().serialNumber);
    QVERIFY(rig.readBackup(backups[0]) == before);
    // One plain message, naming the backup; the file still goes with the next poll.
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(rig.boxes[0].flags & box::kInformation, box::kInformation);
    QVERIFY(
        rig.boxes[0].text.startsWith("The file is read and is now being written to the "
                                     "controller."));
    QVERIFY2(rig.boxes[0].text.endsWith(backups[0]), qPrintable(rig.boxes[0].text));
    VTRY_COMPARE_WITH_TIMEOUT(rig,
                              rig.controller.configuration().get(config::layout::kLongPressTime),
                              1234u, kConnectTimeoutMs);
  }

  void aBackupThatCannotBeWrittenAsksAndNoKeepsTheWindowsImage() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    VTRY_VERIFY_WITH_TIMEOUT(rig, rig.window->link().inSync(), kConnectTimeoutMs);
    QFile blocker(rig.backupsFolder());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    rig.advance(600);
    const config::ConfigImage before = rig.window->model().working;
    const auto longPress = rig.controller.configuration().get(config::layout::kLongPressTime);
    rig.chooseConfigFile(1234);
    rig.answer = box::kNo;
    rig.window->toolbar().SpeedButtonReadConfigClick();
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(rig.boxes[0].flags, box::kWarning | box::kDefaultNo);
    QVERIFY2(rig.boxes[0].text.startsWith(
                 "The backup of the controller's configuration could not be written:"),
             qPrintable(rig.boxes[0].text));
    QVERIFY(rig.window->model().working == before);
    rig.advance(600);
    QCOMPARE(rig.controller.configuration().get(config::layout::kLongPressTime), longPress);
  }

  void restoringTheDefaultsBacksUpFirst() {
    Rig rig;
    rig.controller.configuration().set(config::layout::kLongPressTime, 777);
    QVERIFY(rig.waitConnected());
    VTRY_VERIFY_WITH_TIMEOUT(rig, rig.window->link().inSync(), kConnectTimeoutMs);
    const config::ConfigImage before = rig.controller.configuration();
    rig.controller.clearRequests();
    rig.window->toolbar().SpeedButtonToDefaultClick();
    QCOMPARE(rig.writesTo(device::area::kRestoreDefaults), std::size_t{1});
    const QStringList backups = rig.backups();
    QCOMPARE(backups.size(), 1);
    QVERIFY(rig.readBackup(backups[0]) == before);
    QVERIFY2(rig.window->pages().panelMenu->text().endsWith(backups[0]),
             qPrintable(rig.window->pages().panelMenu->text()));

    // No to the question makes none.
    rig.answer = box::kNo;
    rig.window->toolbar().SpeedButtonToDefaultClick();
    QCOMPARE(rig.writesTo(device::area::kRestoreDefaults), std::size_t{1});
    QCOMPARE(rig.backups().size(), 1);
  }

  void aFirmwareUpdateBacksUpBeforeTheBootLoaderStarts() {
    Rig rig;
    rig.controller.configuration().set(config::layout::kLongPressTime, 777);
    QVERIFY(rig.waitConnected());
    VTRY_VERIFY_WITH_TIMEOUT(rig, rig.window->link().inSync(), kConnectTimeoutMs);
    const config::ConfigImage before = rig.controller.configuration();
    rig.chooseFirmware(rig.controller.identity().applicationVersion + 1);
    rig.window->toolbar().SpeedButtonUpdateDeviceClick();
    QCOMPARE(rig.writesTo(device::area::kBootLoader), std::size_t{1});
    const QStringList backups = rig.backups();
    QCOMPARE(backups.size(), 1);
    QVERIFY(rig.readBackup(backups[0]) == before);
    QVERIFY2(rig.window->pages().panelMenu->text().endsWith(backups[0]),
             qPrintable(rig.window->pages().panelMenu->text()));
  }

  void theMenuItemOpensTheFolderAndMakesItWhenMissing() {
    Rig rig;
    auto* item = rig.window->findChild<QAction*>("MenuItemBackups");
    QVERIFY(item != nullptr);
    QCOMPARE(item->text(), QString("Folder of the configuration backups"));
    QVERIFY(!QDir(rig.backupsFolder()).exists());
    item->trigger();
    QVERIFY(QDir(rig.backupsFolder()).exists());
    QCOMPARE(rig.opened.size(), std::size_t{1});
    QCOMPARE(rig.opened[0], QUrl::fromLocalFile(rig.backupsFolder()));
    rig.window->language().applyLanguage(0);
    QCOMPARE(item->text(), QString::fromUtf8("Папка резервных копий конфигурации"));

    // A folder that cannot be made is said, and nothing is opened.
    QDir(rig.backupsFolder()).removeRecursively();
    QFile blocker(rig.backupsFolder());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    item->trigger();
    QCOMPARE(rig.opened.size(), std::size_t{1});
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(rig.boxes[0].flags, box::kError);
    QVERIFY(rig.boxes[0].text.startsWith(
        QString::fromUtf8("Не удалось создать папку резервных копий")));
  }
};

KIVPRISM_WINDOW_TEST(BackupsTest);

}  // namespace
}  // namespace backups_test
#include "backups_test.moc"
