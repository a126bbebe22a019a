// The main window on the simulated controller, driven as a user would drive it.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>
#include <array>
#include <memory>

#include "core/about/version.hpp"
#include "core/device/packet.hpp"
#include "core/lang/text.hpp"
#include "platform/single_instance.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "support/window_rig.hpp"
#include "ui/app/main_window.hpp"
#include "ui/app/panel_menu.hpp"
#include "ui/app/program.hpp"
#include "ui/app/value_entry.hpp"
#include "ui/common/shell_settings.hpp"
#include "ui/monitor/terminal_page.hpp"
#include "window_test_main.hpp"

namespace main_window_test {
namespace {

using kivprism::sim::SimulatedController;
using kivprism::sim::SimulatedHidPort;
using kivprism::ui::MainWindowOptions;
using kivprism::ui::TMainForm;
namespace box = kivprism::ui::box;
namespace area = kivprism::device::area;

constexpr std::uint32_t kConnectTimeoutMs = 10000;

// One window on one simulated controller, with a settings file of its own and a scripted user.
kivprism::testing::WindowRigSetup germanSystem(const QString& settingsText) {
  kivprism::testing::WindowRigSetup setup;
  setup.settings = settingsText.toUtf8();
  setup.systemLanguage = "de-DE";
  // Shown only by the tests of the window's place and size on the screen.
  setup.show = false;
  return setup;
}

class Rig : public kivprism::testing::WindowRig {
 public:
  explicit Rig(const QString& settingsText = "[MainSettings]\r\nLang=0\r\n")
      : WindowRig(germanSystem(settingsText)) {
    boxAnswer = box::kNo;
  }

  QString log() const { return window->pages().terminal->receivedView()->text(); }

  // Writes other than the CAN-log stop, which the whole-image commands send first.
  bool sentWrites() const {
    for (const auto& request : controller.requests()) {
      if ((request.cmd & kivprism::device::kWriteFlag) != 0 &&
          kivprism::device::cmdArea(request.cmd) != area::kCanLog) {
        return true;
      }
    }
    return false;
  }
};

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void connectsReadsConfigurationAndShowsConnectionLine() {
    Rig rig;
    rig.controller.configuration().data()[100] = 0x5A;
    QVERIFY(rig.waitConnected());
    QCOMPARE(rig.window->model().working, rig.controller.configuration());
    QCOMPARE(rig.window->model().device, rig.controller.configuration());
    QVERIFY(rig.window->link().inSync());
    QVERIFY(rig.log().contains(QString::fromUtf8("Серийный номер")));
    VTRY_VERIFY_WITH_TIMEOUT(
        rig,
        rig.window->shell().statusText().startsWith(QString::fromUtf8("Контроллер \"")) &&
            rig.window->shell().statusText().contains(QString::fromUtf8("подключен")),
        kConnectTimeoutMs);
    // The panel beside the connection line says whether the changes are on the controller.
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.window->shell().syncText(),
                              QString::fromUtf8("Все изменения в контроллере"), kConnectTimeoutMs);
    rig.controller.setAreaAnswer(kivprism::device::area::kConfiguration,
                                 kivprism::device::kAnswerFailed);
    rig.boxAnswer = box::kOk;
    rig.window->model().working.data()[100] ^= 1;
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.window->shell().syncText(),
                              QString::fromUtf8("Не отправлено в контроллер изменений: 1"),
                              kConnectTimeoutMs);
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    rig.controller.setAreaAnswer(kivprism::device::area::kConfiguration, 0);
    rig.window->model().working.data()[101] ^= 1;
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.window->shell().syncText(),
                              QString::fromUtf8("Все изменения в контроллере"), kConnectTimeoutMs);
    QCOMPARE(rig.controller.configuration(), rig.window->model().working);
    auto* readDevice = rig.window->findChild<QToolButton*>("SpeedButtonReadDevice");
    QVERIFY(readDevice->isEnabled());
    QVERIFY(rig.window->findChild<QToolButton*>("SpeedButtonUpdateDevice")->isEnabled());
  }

  void toolbarButtonsComeInOrder() {
    Rig rig;
    const QStringList expected = {"SpeedButtonUpdateDevice",
                                  "SpeedButtonReadConfig",
                                  "SpeedButtonWriteConfig",
                                  "SpeedButtonReadDevice",
                                  "SpeedButtonWriteDevice",
                                  "SpeedButtonToDefault",
                                  "SpeedButtonReset",
                                  "SpeedButtonOnlyUsedx",
                                  "SpeedButtonLangx",
                                  "SpeedButtonLanguageMakerx",
                                  "PanelMenu"};
    QStringList names;
    auto* bar = rig.window->findChild<QWidget*>("MainToolBar");
    for (QObject* child : bar->children()) {
      if (expected.contains(child->objectName())) {
        names << child->objectName();
      }
    }
    QCOMPARE(names, expected);
    QVERIFY(rig.window->findChild<QToolButton*>("SpeedButtonLanguageMakerx")->isHidden());
    QCOMPARE(rig.window->findChild<QToolButton*>("SpeedButtonLangx")->text(), QString("EN"));
  }

  void anotherControllerIsReadAgain() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    const std::uint32_t first = rig.window->link().lastSerialNumber();
    rig.controller.replaceWithAnotherController(first + 1000);
    rig.controller.configuration().data()[200] = 0xA5;
    VTRY_VERIFY_WITH_TIMEOUT(
        rig,
        rig.window->link().lastSerialNumber() == first + 1000 && rig.window->link().isConnected(),
        kConnectTimeoutMs);
    QCOMPARE(rig.window->model().working, rig.controller.configuration());
    QCOMPARE(rig.window->model().working.data()[200], std::uint8_t{0xA5});
  }

  void noToTheWriteQuestionSendsNothing() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    rig.controller.clearRequests();
    rig.boxAnswer = box::kNo;
    rig.window->toolbar().SpeedButtonWriteDeviceClick();
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(rig.boxes[0].flags, box::kQuestion | box::kDefaultNo);
    QCOMPARE(rig.boxes[0].caption, QString::fromUtf8("Вопрос"));
    QVERIFY(!rig.sentWrites());
    QVERIFY(rig.window->findChild<QToolButton*>("SpeedButtonWriteDevice")->isEnabled());
    QVERIFY(!rig.window->link().userCommand());
  }

  void yesToTheWriteQuestionWritesTheImageAndResets() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    rig.window->model().working.data()[300] = 0x33;
    rig.window->link().setInSync(false);
    rig.boxAnswer = box::kYes;
    rig.window->toolbar().SpeedButtonWriteDeviceClick();
    QCOMPARE(rig.controller.configuration().data()[300], std::uint8_t{0x33});
    QCOMPARE(rig.controller.resetCount(), 1u);
  }

  void restoreDefaultsAsksWithAWarningAndNoSendsNothing() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    rig.controller.clearRequests();
    rig.boxAnswer = box::kNo;
    rig.window->toolbar().SpeedButtonToDefaultClick();
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(rig.boxes[0].flags, box::kWarning | box::kDefaultNo);
    QVERIFY(!rig.sentWrites());
  }

  void resetRestartsTheControllerAndReadsItAgain() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    rig.controller.setRestartTime(50);
    // The toolbar button, enabled while connected.
    rig.window->findChild<QToolButton*>("SpeedButtonReset")->click();
    QVERIFY(rig.boxes.empty());
    QCOMPARE(rig.controller.resetCount(), 1u);
    QCOMPARE(rig.window->link().lastSerialNumber(), 0u);
    VTRY_VERIFY_WITH_TIMEOUT(rig,
                             rig.window->link().lastSerialNumber() != 0 &&
                                 rig.window->link().inSync() && rig.window->link().isConnected(),
                             kConnectTimeoutMs);
  }

  void enterInTheMemoSendsTheLineUnderTheCaret() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    QPlainTextEdit* memo = rig.window->pages().terminal->sendMemo();
    memo->setPlainText("abc");
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(1);
    memo->setTextCursor(cursor);
    rig.controller.clearRequests();
    QTest::keyClick(memo, Qt::Key_Return);
    const auto& requests = rig.controller.requests();
    const auto write = std::find_if(requests.begin(), requests.end(), [](const auto& r) {
      return r.cmd == (area::kMonitorText | kivprism::device::kWriteFlag);
    });
    QVERIFY(write != requests.end());
    QCOMPARE(write->offset, std::uint16_t{0});
    const std::vector<std::uint8_t> sent(write->payload().begin(), write->payload().end());
    QCOMPARE(sent, (std::vector<std::uint8_t>{'a', 'b', 'c', 0}));
    QCOMPARE(memo->toPlainText(), QString("abc"));
    // At the end of the line the same is sent and a new line starts.
    cursor.movePosition(QTextCursor::End);
    memo->setTextCursor(cursor);
    QTest::keyClick(memo, Qt::Key_Return);
    QCOMPARE(memo->toPlainText(), QString("abc\n"));
    QCOMPARE(rig.controller.typedLines().size(), std::size_t{2});
  }

  void typedCyrillicGoesOutInCp1251() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    QPlainTextEdit* memo = rig.window->pages().terminal->sendMemo();
    memo->setPlainText(QString::fromUtf8("Да"));
    memo->moveCursor(QTextCursor::End);
    rig.controller.clearRequests();
    QTest::keyClick(memo, Qt::Key_Return);
    const auto& requests = rig.controller.requests();
    const auto write = std::find_if(requests.begin(), requests.end(), [](const auto& r) {
      return r.cmd == (area::kMonitorText | kivprism::device::kWriteFlag);
    });
    QVERIFY(write != requests.end());
    const std::vector<std::uint8_t> sent(write->payload().begin(), write->payload().end());
    QCOMPARE(sent, (std::vector<std::uint8_t>{0xC4, 0xE0, 0}));
  }

  void monitoringTextIsRewrittenAndBlue() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    rig.controller.queueMonitoringText("RX LIN ID:3 EV:91\r\n IR  CAN_AUTO  ADR:3 CMD:125 x\r\n");
    VTRY_VERIFY_WITH_TIMEOUT(rig, rig.log().contains("VOLVO Next (3/125) x"), kConnectTimeoutMs);
    QVERIFY(rig.log().contains("RX LIN ID:3 EV:EXHAUST"));
    const kivprism::ui::ReceivedTextView* view = rig.window->pages().terminal->receivedView();
    QCOMPARE(view->lineColour(view->findLine("VOLVO Next")), QColor(0, 0, 255));
  }

  void languageSwitchLogsTheDeviceAgain() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    QVERIFY(!rig.log().contains("The serial number"));
    rig.window->findChild<QToolButton*>("SpeedButtonLangx")->click();
    QCOMPARE(kivprism::lang::currentLanguage(), kivprism::lang::Language::English);
    rig.controller.configuration().data()[400] = 0x44;
    VTRY_VERIFY_WITH_TIMEOUT(rig, rig.log().contains("The serial number"), kConnectTimeoutMs);
    // The switch also reads the configuration again.
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.window->model().working.data()[400], std::uint8_t{0x44},
                              kConnectTimeoutMs);
    QVERIFY(
        rig.window->windowTitle().startsWith("Setup program KIV SOLAN PRISM F401. Version 1.40"));
    auto* tabs = rig.window->findChild<QTabWidget*>("PageControlMain");
    QCOMPARE(tabs->tabText(0), QString("Terminal"));
    QCOMPARE(rig.window->findChild<QToolButton*>("SpeedButtonLangx")->text(), QString("RU"));
    rig.window->language().applyLanguage(0);
    QCOMPARE(tabs->tabText(0), QString::fromUtf8("Терминал"));
  }

  void unreadableConfigurationFileNamesFileAndReason() {
    Rig rig;
    rig.chosenFile = rig.dir.filePath("missing.KST401");
    const auto before = rig.window->model().working;
    const bool inSync = rig.window->link().inSync();
    rig.window->toolbar().SpeedButtonReadConfigClick();
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(rig.boxes[0].flags, box::kError);
    QVERIFY(rig.boxes[0].text.contains("missing.KST401"));
    QCOMPARE(rig.window->model().working, before);
    QVERIFY(rig.window->pages().panelMenu->text().isEmpty());
    // A file that was not read leaves the change sending as it was.
    QCOMPARE(rig.window->link().inSync(), inSync);
  }

  void aFileThatIsNoConfigurationIsRefusedAndTheControllerKeepsItsValues() {
    Rig rig;
    rig.controller.configuration().data()[15000] = 0x5A;
    QVERIFY(rig.waitConnected());
    // Start-up change sending settles: whatever the refresh corrected has reached the controller.
    rig.advance(300);
    VTRY_VERIFY_WITH_TIMEOUT(rig, rig.controller.configuration() == rig.window->model().working,
                             kConnectTimeoutMs);
    const auto controllerBefore = rig.controller.configuration();
    const auto before = rig.window->model().working;
    rig.chosenFile = rig.dir.filePath("notes.KST401");
    QFile notes(rig.chosenFile);
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write("Shopping list\r\nmilk = 2\r\n");
    notes.close();
    rig.window->toolbar().SpeedButtonReadConfigClick();
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(rig.boxes[0].flags, box::kError);
    QVERIFY(rig.boxes[0].text.contains("notes.KST401"));
    QVERIFY(rig.boxes[0].text.contains("not a configuration file"));
    QCOMPARE(rig.window->model().working, before);
    QVERIFY(rig.window->pages().panelMenu->text() != QString::fromUtf8("Конфигурация прочитана"));
    // Change sending would have written the defaults by now.
    rig.advance(500);
    QCOMPARE(rig.controller.configuration(), controllerBefore);
    kivprism::ui::SettingsFile settings(rig.window->settings().path());
    QVERIFY(settings.load());
    QVERIFY(settings.remembered("KIVSOLANPRISM-F401", "DirectoryConfig").isEmpty());
  }

  // The first 3000 bytes of a saved file: loading them would blank all 100 entries and then the
  // controller's at the next change sending.
  void aDamagedFileNamesWhatIsMissingAndNoKeepsEverything() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    // The change sending delivers the entry; it is what a damaged file would blank.
    rig.window->model().working.entry(0)[0] = 0x11;
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.controller.configuration().entry(0)[0], std::uint8_t{0x11},
                              10000);
    rig.chosenFile = rig.dir.filePath("whole.KST401");
    rig.window->toolbar().SpeedButtonWriteConfigClick();
    QFile whole(rig.chosenFile);
    QVERIFY(whole.open(QIODevice::ReadOnly));
    const QByteArray head = whole.read(3000);
    whole.close();
    rig.chosenFile = rig.dir.filePath("cut.KST401");
    QFile cut(rig.chosenFile);
    QVERIFY(cut.open(QIODevice::WriteOnly));
    cut.write(head);
    cut.close();
    const auto before = rig.window->model().working;
    rig.boxAnswer = box::kNo;
    rig.window->toolbar().SpeedButtonReadConfigClick();
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(rig.boxes[0].flags, box::kWarning | box::kDefaultNo);
    QVERIFY2(rig.boxes[0].text.contains("EVENTS, SOURCE"), qPrintable(rig.boxes[0].text));
    QCOMPARE(rig.window->model().working, before);
    rig.advance(500);
    QCOMPARE(rig.controller.configuration().entry(0)[0], std::uint8_t{0x11});

    rig.boxAnswer = box::kYes;
    rig.window->toolbar().SpeedButtonReadConfigClick();
    // The question, then the message that the file now goes to the connected controller.
    QCOMPARE(rig.boxes.size(), std::size_t{3});
    QVERIFY2(rig.boxes[2].text.startsWith(
                 QString::fromUtf8("Файл прочитан и сейчас записывается в контроллер.")),
             qPrintable(rig.boxes[2].text));
    QCOMPARE(rig.window->model().working.entry(0)[0], std::uint8_t{0});
  }

  void configurationFileRoundTripRemembersTheFolder() {
    Rig rig;
    rig.window->model().working.data()[500] = 7;
    rig.chosenFile = rig.dir.filePath("car.KST401");
    rig.window->toolbar().SpeedButtonWriteConfigClick();
    QVERIFY(rig.boxes.empty());
    QCOMPARE(rig.window->pages().panelMenu->text(), QString::fromUtf8("Конфигурация записана"));
    rig.window->model().working.clear();
    rig.window->toolbar().SpeedButtonReadConfigClick();
    QCOMPARE(rig.window->model().working.data()[500], std::uint8_t{7});
    QCOMPARE(rig.window->pages().panelMenu->text(), QString::fromUtf8("Конфигурация прочитана"));
    kivprism::ui::SettingsFile settings(rig.window->settings().path());
    QVERIFY(settings.load());
    QCOMPARE(settings.remembered("KIVSOLANPRISM-F401", "DirectoryConfig"), rig.chosenFile);
  }

  void closingSavesEverySetting() {
    Rig rig("[MainSettings]\r\nLang=1\r\nDebug=1\r\nKeyTop=5\r\nKeyVisible=1\r\nTXHeight=120\r\n");
    QVERIFY(rig.window->menu().debugItemsVisible());
    rig.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    rig.window->findChild<QTabWidget*>("PageControlMain")->setCurrentIndex(0);
    VTRY_COMPARE(rig, rig.window->pages().terminal->sendMemo()->height(), 120);
    QCOMPARE(kivprism::lang::currentLanguage(), kivprism::lang::Language::English);
    rig.window->close();
    kivprism::ui::SettingsFile settings(rig.window->settings().path());
    QVERIFY(settings.load());
    const auto s = settings.shell();
    QCOMPARE(s.lang, 1);
    QVERIFY(s.debug);
    QVERIFY(!s.log);
    QCOMPARE(s.keyTop, 5);
    QCOMPARE(s.keyVisible, 1);
    QVERIFY(s.mainTop.has_value() && s.mainLeft.has_value());
    QCOMPARE(s.txHeight, 120);
    // The file names its writer and version once, on its first line, however often it is saved.
    QFile saved(rig.window->settings().path());
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(saved.readAll());
    const QString header =
        "; kivprism " + QString::fromUtf8(kivprism::about::programVersion()) + "\r\n[MainSettings]";
    QVERIFY2(text.startsWith(header), qPrintable(text));
    QCOMPARE(text.count("; kivprism "), 1);
  }

  // The toolbar's switch and the menu's item are one setting: each follows the other, the pages
  // redraw, and the file keeps what was last chosen.
  void onlyUsedSwitchAndMenuItemAreOneSetting() {
    Rig rig("[MainSettings]\r\nLang=1\r\nOnlyUsed=1\r\n");
    auto* button = rig.window->findChild<QToolButton*>("SpeedButtonOnlyUsedx");
    auto* item = rig.window->findChild<QAction*>("MenuItemOnlyUsed");
    QVERIFY(button != nullptr && item != nullptr);
    QVERIFY(button->isChecked() && item->isChecked() && rig.window->menu().onlyUsed());
    QSignalSpy redraws(rig.window.get(), &TMainForm::pagesInvalidated);
    button->click();
    QVERIFY(!button->isChecked() && !item->isChecked());
    QCOMPARE(redraws.count(), 1);
    item->trigger();
    QVERIFY(button->isChecked() && item->isChecked());
    QCOMPARE(redraws.count(), 2);
    item->trigger();
    QVERIFY(!button->isChecked() && !rig.window->menu().onlyUsed());
    rig.window->close();
    kivprism::ui::SettingsFile settings(rig.window->settings().path());
    QVERIFY(settings.load());
    QVERIFY(!settings.shell().onlyUsed);
  }

  // The About box names the version, the licence and the libraries, in the current language.
  void aboutBoxShowsVersionLicenceAndLibraries() {
    Rig rig("[MainSettings]\r\nLang=1\r\n");
    auto* about = rig.window->findChild<QAction*>("MenuItemAboutx");
    QVERIFY(about != nullptr);
    QCOMPARE(about->text(), QString("About"));
    rig.boxAnswer = box::kOk;
    about->trigger();
    QCOMPARE(rig.boxes.size(), std::size_t(1));
    QCOMPARE(rig.boxes[0].flags & box::kKindMask, box::kInformation);
    const QString text = rig.boxes[0].text;
    QVERIFY2(text.startsWith("kivprism " + QString::fromUtf8(kivprism::about::programVersion())),
             qPrintable(text));
    QVERIFY2(text.contains("MIT"), qPrintable(text));
    QVERIFY2(text.contains(QString("Qt ") + qVersion() + ", simulated controller"),
             qPrintable(text));
    rig.window->toolbar().SpeedButtonLangxClick();
    QCOMPARE(about->text(), QString::fromUtf8("О программе"));
    about->trigger();
    QCOMPARE(rig.boxes.size(), std::size_t(2));
    QVERIFY2(rig.boxes[1].text.contains(QString::fromUtf8("Лицензия MIT")),
             qPrintable(rig.boxes[1].text));
    QVERIFY2(rig.boxes[1].text.contains(QString::fromUtf8("симулятор контроллера")),
             qPrintable(rig.boxes[1].text));
  }

  // The window opens large enough for its pages (within the screen), wholly on the screen even
  // from a place stored far off it, and comes back maximized when it was closed so.
  void opensWholeOnTheScreenAndRemembersMaximized() {
    Rig rig("[MainSettings]\r\nLang=1\r\nMainTop=5000\r\nMainLeft=-5000\r\n");
    rig.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    const QRect screen = rig.window->screen()->availableGeometry();
    const auto rect = [](const QRect& r) {
      return QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    QVERIFY2(screen.contains(rig.window->frameGeometry()),
             qPrintable(rect(rig.window->frameGeometry()) + " on " + rect(screen) + " min " +
                        rect(QRect(QPoint(), rig.window->minimumSizeHint())) + " hint " +
                        rect(QRect(QPoint(), rig.window->sizeHint()))));
    // The parameters page and the status bar's texts show whole where the screen has the room.
    auto* page = rig.window->findChild<QWidget*>("TabSheetParameters");
    QVERIFY(page->width() >= std::min(page->sizeHint().width(), screen.width() - 40));
    QVERIFY2(page->height() >= std::min(page->sizeHint().height(), screen.height() - 150),
             qPrintable(rect(page->geometry()) + " hint " +
                        rect(QRect(QPoint(), page->sizeHint())) + " on " + rect(screen)));
    auto* sync = rig.window->findChild<QLabel*>("StatusBarPanelSyncx");
    QVERIFY(sync->width() >= sync->sizeHint().width());
    QVERIFY(!rig.window->isMaximized());
    rig.window->showMaximized();
    rig.window->close();
    kivprism::ui::SettingsFile settings(rig.window->settings().path());
    QVERIFY(settings.load());
    QVERIFY(settings.shell().mainMaximized);
    QVERIFY(screen.contains(QPoint(*settings.shell().mainLeft, *settings.shell().mainTop)));

    Rig again(QString::fromStdString("[MainSettings]\r\nLang=1\r\nMainMaximized=1\r\n"));
    QVERIFY(again.window->isMaximized());
  }

  void closingKeepsTheMemoHeightWhenTheTerminalWasNeverShown() {
    Rig rig("[MainSettings]\r\nLang=1\r\nTXHeight=120\r\n");
    rig.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    QVERIFY(!rig.window->pages().terminal->isVisible());
    rig.window->close();
    kivprism::ui::SettingsFile settings(rig.window->settings().path());
    QVERIFY(settings.load());
    QCOMPARE(settings.shell().txHeight, 120);
  }

  void withoutSettingsTheSystemLanguageRules() {
    Rig rig("");
    QVERIFY(!rig.window->menu().debugItemsVisible());
    QCOMPARE(kivprism::lang::currentLanguage(), kivprism::lang::Language::English);
    QCOMPARE(rig.window->findChild<QToolButton*>("SpeedButtonLangx")->text(), QString("RU"));
  }

  void minusOneKeepsTheRussianDesignTexts() {
    Rig rig("[MainSettings]\r\nLang=-1\r\n");
    QCOMPARE(kivprism::lang::currentLanguage(), kivprism::lang::Language::Russian);
    auto* tabs = rig.window->findChild<QTabWidget*>("PageControlMain");
    QCOMPARE(tabs->tabText(0), QString::fromUtf8("Терминал"));
    QVERIFY(rig.window->windowTitle().startsWith(QString::fromUtf8("Программа настройки")));
  }

  void valueEntryCheckRefusesAndStoresNothing() {
    Rig rig("[MainSettings]\r\nLang=1\r\n");
    QLineEdit field("300");
    std::array<std::uint8_t, 2> destination{};
    QVERIFY(!kivprism::ui::valueEntryCheck(rig.window->shell(), &field, 0, 255, destination, 1));
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(rig.boxes[0].text, QString("The value must be in the range from 0 to 255"));
    QCOMPARE(rig.boxes[0].caption, QString("Error"));
    QCOMPARE(destination[0], std::uint8_t{0});
    field.setText("x1F");
    QVERIFY(
        !kivprism::ui::valueEntryCheck(rig.window->shell(), &field, 0x20, 0x7F, destination, 1));
    QCOMPARE(rig.boxes[1].text, QString("The value must be in the range from 20 to 7F"));
    field.setText("x2A");
    QVERIFY(kivprism::ui::valueEntryCheck(rig.window->shell(), &field, 0x20, 0x7F, destination, 2));
    QCOMPARE(destination[0], std::uint8_t{0x2A});
    field.setText("");
    QVERIFY(!kivprism::ui::valueEntryCheck(rig.window->shell(), &field, 0, 1, destination, 1));
    QCOMPARE(rig.boxes[2].text, QString("Enter a value in the specified position"));
  }

  void secondInstanceIsRefused() {
    QTemporaryDir folder;
    kivprism::platform::SingleInstance first(kivprism::platform::kInstanceName, folder.path());
    QVERIFY(first.acquire());
    SimulatedController controller;
    SimulatedHidPort port(controller);
    std::vector<kivprism::testing::ShownBox> boxes;
    kivprism::ui::ProgramOptions options;
    options.instanceFolder = folder.path();
    options.window.boxAnswerer = [&](unsigned flags, const QString& caption, const QString& text) {
      boxes.push_back({flags, caption, text});
      return box::kOk;
    };
    bool started = false;
    options.started = [&](TMainForm&) { started = true; };
    QCOMPARE(kivprism::ui::runProgram(port, options), 1);
    QVERIFY(!started);
    QCOMPARE(boxes.size(), std::size_t{1});
    QCOMPARE(boxes[0].text, QString("Setup program KIVST_GUI_F401 is already running"));
    QCOMPARE(boxes[0].caption, QString("Error"));
    QVERIFY(first.held());
  }
};

KIVPRISM_WINDOW_TEST(MainWindowTest);

}  // namespace
}  // namespace main_window_test
#include "main_window_test.moc"
