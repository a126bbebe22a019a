// The pieces of the shell one at a time: message panel, terminal page, value entry check and the
// placement rules of the settings file.
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>
#include <array>

#include "ui/app/panel_menu.hpp"
#include "ui/app/shell_settings.hpp"
#include "ui/app/translate_form.hpp"
#include "ui/monitor/terminal_page.hpp"

using kivprism::ui::PanelMenu;
using kivprism::ui::placeCoordinate;
using kivprism::ui::ReceivedTextView;
using kivprism::ui::TerminalPage;

class ShellWidgetsTest : public QObject {
  Q_OBJECT

 private slots:
  void flashMessageEndsAfterItsDuration() {
    PanelMenu panel;
    panel.show();
    panel.flashMessage(150, 0, "Send of changes");
    QCOMPARE(panel.text(), QString("Send of changes"));
    QVERIFY(!panel.blinking());
    QTRY_VERIFY_WITH_TIMEOUT(panel.text().isEmpty(), 2000);
    QVERIFY(panel.contentVisible());
  }

  void blinkingTogglesAndEndFlashRestores() {
    PanelMenu panel;
    panel.show();
    panel.flashMessage(0, 20, "blink");
    QVERIFY(panel.blinking());
    QTRY_VERIFY_WITH_TIMEOUT(!panel.contentVisible(), 2000);
    panel.endFlash();
    QVERIFY(!panel.blinking());
    QVERIFY(panel.contentVisible());
    QVERIFY(panel.text().isEmpty());
  }

  void aNewMessageCancelsThePendingEnd() {
    PanelMenu panel;
    panel.show();
    panel.flashMessage(50, 0, "first");
    panel.flashMessage(0, 0, "stays");
    QTest::qWait(200);
    QCOMPARE(panel.text(), QString("stays"));
  }

  void progressGaugeReplacesTheText() {
    PanelMenu panel;
    panel.show();
    panel.showProgress(64, 15218);
    QVERIFY(panel.progressVisible());
    panel.hideProgress();
    QVERIFY(!panel.progressVisible());
  }

  void scrollbackKeepsTheNewestLines() {
    ReceivedTextView view;
    view.setMaximumBlockCount(50);
    for (int i = 0; i < 120; ++i) {
      view.appendLine(Qt::blue, QString("line %1").arg(i));
      if (i % 7 == 0) {
        view.flush();
      }
    }
    view.flush();
    QCOMPARE(view.document()->blockCount(), 50);
    QVERIFY(view.document()->firstBlock().text() == "line 70");
    QVERIFY(view.document()->lastBlock().text() == "line 119");
    QCOMPARE(ReceivedTextView().maximumBlockCount(), ReceivedTextView::kScrollbackLines);
  }

  void emptyLinesKeepTheirPlace() {
    ReceivedTextView view;
    view.appendLine(Qt::blue, "");
    view.appendLine(Qt::blue, "first");
    QCOMPARE(view.text(), QString("\nfirst"));
    view.clearAll();
    view.appendLine(Qt::blue, "again");
    view.flush();
    view.appendLine(Qt::blue, "");
    QCOMPARE(view.text(), QString("again\n"));
    QCOMPARE(view.document()->blockCount(), 2);
  }

  void doublePressClearsTheView() {
    std::uint32_t now = 1000;
    TerminalPage page([&] { return now; });
    page.show();
    page.logLine("hello");
    QWidget* viewport = page.receivedView()->viewport();
    QTest::mousePress(viewport, Qt::LeftButton);
    now += 500;
    QTest::mousePress(viewport, Qt::LeftButton);
    QCOMPARE(page.receivedView()->text(), QString("hello"));
    now += 499;
    QTest::mousePress(viewport, Qt::LeftButton);
    QVERIFY(page.receivedView()->text().isEmpty());
  }

  void aRealDoubleClickClearsTheView() {
    // Through the window system the second press of a fast double click reaches the view as a
    // double-click event only.
    TerminalPage page([] { return 1000u; });
    page.resize(400, 300);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.logLine("hello");
    QWidget* viewport = page.receivedView()->viewport();
    const QPoint at = viewport->mapTo(&page, viewport->rect().center());
    QTest::mouseDClick(page.windowHandle(), Qt::LeftButton, {}, at);
    QVERIFY(page.receivedView()->text().isEmpty());
  }

  void doubleClickClearsTheMemo() {
    TerminalPage page([] { return 0u; });
    page.show();
    page.sendMemo()->setPlainText("typed");
    QTest::mouseDClick(page.sendMemo()->viewport(), Qt::LeftButton);
    QVERIFY(page.sendMemo()->toPlainText().isEmpty());
  }

  void enterWithoutControllerIsAnOrdinaryKey() {
    TerminalPage page([] { return 0u; });
    int sent = 0;
    page.sendMemo()->isConnected = [] { return false; };
    page.sendMemo()->sendLine = [&](const std::string&) { ++sent; };
    page.sendMemo()->setPlainText("abc");
    QTextCursor cursor = page.sendMemo()->textCursor();
    cursor.setPosition(1);
    page.sendMemo()->setTextCursor(cursor);
    QTest::keyClick(page.sendMemo(), Qt::Key_Return);
    QCOMPARE(sent, 0);
    QCOMPARE(page.sendMemo()->toPlainText(), QString("a\nbc"));
  }

  void translateFormWalksNamedControls() {
    QWidget form;
    auto* tabs = new QTabWidget(&form);
    auto* page = new QWidget;
    page->setObjectName("TabSheetA");
    tabs->addTab(page, "old");
    auto* label = new QLabel("design", &form);
    label->setObjectName("Panelx");
    auto* button = new QToolButton(&form);
    button->setObjectName("SpeedButtonB");
    const kivprism::lang::LanguageRow rows[] = {
        {"F_TabSheetA_Caption", {"Страница", "Page"}},
        {"F_Panelx_Caption", {"Нет", "No"}},
        {"F_SpeedButtonB_Hint", {"Подсказка", "Hint"}},
    };
    kivprism::lang::setCurrentLanguage(kivprism::lang::Language::English);
    kivprism::ui::translateForm(&form, "F", rows);
    QCOMPARE(tabs->tabText(0), QString("Page"));
    QCOMPARE(label->text(), QString("design"));
    QCOMPARE(button->toolTip(), QString("Hint"));
    kivprism::lang::setCurrentLanguage(kivprism::lang::Language::Russian);
    kivprism::ui::translateForm(&form, "F", rows);
    QCOMPARE(tabs->tabText(0), QString::fromUtf8("Страница"));
  }

  void unreadableSettingsFileIsNeverOverwritten() {
    QTemporaryDir dir;
    // A folder where the file should be reads as an error, like a file without read access.
    const QString path = dir.filePath("kivprism.ini");
    QVERIFY(QDir().mkpath(path + "/keep"));
    kivprism::ui::SettingsFile settings(path);
    QVERIFY(!settings.load());
    settings.remember("KIVSOLANPRISM-F401", "DirectoryConfig", "/tmp/car.KST401");
    std::string reason;
    QVERIFY(!settings.save(&reason));
    QVERIFY(!reason.empty());
    QVERIFY(QFileInfo(path + "/keep").isDir());
  }

  void placementRules() {
    // Top: negative or below the screen's lower half of the window gives the centred default.
    QCOMPARE(placeCoordinate(-5, 768, 513, 0), 768 / 2 - 513 / 2);
    QCOMPARE(placeCoordinate(0, 768, 513, 0), 0);
    QCOMPARE(placeCoordinate(768 - 256, 768, 513, 0), 768 - 256);
    QCOMPARE(placeCoordinate(768 - 255, 768, 513, 0), 768 / 2 - 513 / 2);
    QCOMPARE(placeCoordinate(std::nullopt, 768, 513, 0), 768 / 2 - 513 / 2);
    // Left: half the window may hang off the left edge.
    QCOMPARE(placeCoordinate(-360, 1024, 720, -360), -360);
    QCOMPARE(placeCoordinate(-361, 1024, 720, -360), 1024 / 2 - 720 / 2);
  }
};

QTEST_MAIN(ShellWidgetsTest)
#include "shell_widgets_test.moc"
