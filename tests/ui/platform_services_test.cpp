// The Qt-based platform services: where the settings file goes and the single-instance lock.
#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include "platform/settings_location.hpp"
#include "platform/single_instance.hpp"
#include "window_test_main.hpp"

namespace platform_services_test {
namespace {

using kivprism::platform::chooseSettingsFilePath;
using kivprism::platform::SingleInstance;

class PlatformServicesTest : public QObject {
  Q_OBJECT

 private slots:
  void settingsFileLivesBesideAWritableProgram() {
    QTemporaryDir folder;
    const QString program = folder.filePath("kivprism-demo");
    QCOMPARE(chooseSettingsFilePath(program, "/home/u/.config"),
             folder.filePath("kivprism-demo.ini"));
  }

  void settingsFileGoesToTheUserFolderOtherwise() {
    QCOMPARE(chooseSettingsFilePath("/no/such/folder/kivprism", "/home/u/.config"),
             QString("/home/u/.config/kivprism/kivprism.ini"));
  }

  // Installed under a prefix the user may write to (root, or a user's own prefix): the settings
  // still go to the user's folder, not into PREFIX/bin. Another program's entry does not count.
  void anInstalledProgramKeepsItsSettingsWithTheUserEvenInAWritableFolder() {
    QTemporaryDir prefix;
    QVERIFY(QDir(prefix.path()).mkpath("bin"));
    QVERIFY(QDir(prefix.path()).mkpath("share/applications"));
    const QString program = prefix.filePath("bin/kivprism-demo");
    QFile other(prefix.filePath("share/applications/kivprism.desktop"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.close();
    QCOMPARE(chooseSettingsFilePath(program, "/home/u/.config"),
             prefix.filePath("bin/kivprism-demo.ini"));
    QFile entry(prefix.filePath("share/applications/kivprism-demo.desktop"));
    QVERIFY(entry.open(QIODevice::WriteOnly));
    entry.close();
    QCOMPARE(chooseSettingsFilePath(program, "/home/u/.config"),
             QString("/home/u/.config/kivprism/kivprism-demo.ini"));
  }

  void secondLockIsRefusedUntilTheFirstIsReleased() {
    QTemporaryDir folder;
    SingleInstance first("KIVST_GUI_F401", folder.path());
    SingleInstance second("KIVST_GUI_F401", folder.path());
    QVERIFY(first.acquire());
    QVERIFY(!second.acquire());
    first.release();
    QVERIFY(second.acquire());
  }

  void lockOfACrashedCopyIsTakenOver() {
    QTemporaryDir folder;
    QFile stale(QDir(folder.path()).filePath("KIVST_GUI_F401.lock"));
    QVERIFY(stale.open(QIODevice::WriteOnly));
    // A process id no running process has.
    stale.write("2147483646\nkivprism\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    SingleInstance instance("KIVST_GUI_F401", folder.path());
    QVERIFY(instance.acquire());
  }
};

KIVPRISM_WINDOW_TEST(PlatformServicesTest);

}  // namespace
}  // namespace platform_services_test
#include "platform_services_test.moc"
