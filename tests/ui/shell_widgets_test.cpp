// The pieces of the shell one at a time: message panel, terminal page, value entry check and the
// placement rules of the settings file.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <array>

#include "core/config/image.hpp"
#include "core/device/device_link.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "support/virtual_window_clock.hpp"
#include "ui/app/panel_menu.hpp"
#include "ui/app/window_shell.hpp"
#include "ui/common/message_box.hpp"
#include "ui/common/shell_settings.hpp"
#include "ui/common/translate_form.hpp"
#include "ui/common/window_placement.hpp"
#include "ui/monitor/terminal_page.hpp"
#include "window_test_main.hpp"

namespace shell_widgets_test {
namespace {

using kivprism::ui::fitOnScreen;
using kivprism::ui::PanelMenu;
using kivprism::ui::placeWindow;
using kivprism::ui::ReceivedTextView;
using kivprism::ui::storedPlace;
using kivprism::ui::TerminalPage;

class ShellWidgetsTest : public QObject {
  Q_OBJECT

 private slots:
  // Each service of the window's shell is the box the controller's program showed for it, with
  // the poll held off while the box is open; a page's flag-chosen box reaches the same services.
  void theShellsBoxesHoldThePollAndKeepTheirPreselection() {
    namespace box = kivprism::ui::box;
    QWidget window;
    std::vector<unsigned> flags;
    std::vector<unsigned> suspended;
    kivprism::device::DeviceLink* link = nullptr;
    kivprism::ui::WindowShell shell(
        window,
        [&](unsigned f, const QString&, const QString&) {
          flags.push_back(f);
          suspended.push_back(link->pollSuspendCount());
          return box::kYes;
        },
        kivprism::ui::wallClock());
    kivprism::sim::SimulatedController controller;
    kivprism::sim::SimulatedHidPort port(controller);
    kivprism::config::ConfigModel model;
    kivprism::device::DeviceLink deviceLink(port, shell, model);
    link = &deviceLink;
    shell.setLink(link);
    link->resumePoll();

    shell.showError("e");
    shell.showInformation("i");
    QVERIFY(shell.askYesNo("w"));
    QVERIFY(shell.askQuestion("q"));
    QVERIFY(shell.askContinue("c"));
    QCOMPARE(flags,
             (std::vector<unsigned>{box::kError, box::kInformation, box::kWarning | box::kDefaultNo,
                                    box::kQuestion | box::kDefaultNo, box::kWarning}));
    flags.clear();
    QCOMPARE(kivprism::ui::showShellBox(&shell, &window, box::kWarning, "c"), box::kYes);
    QCOMPARE(kivprism::ui::showShellBox(&shell, &window, box::kWarning | box::kDefaultNo, "w"),
             box::kYes);
    QCOMPARE(kivprism::ui::showShellBox(&shell, &window, box::kError, "e"), box::kOk);
    QCOMPARE(flags,
             (std::vector<unsigned>{box::kWarning, box::kWarning | box::kDefaultNo, box::kError}));
    QCOMPARE(suspended, std::vector<unsigned>(8, 1u));
    QCOMPARE(link->pollSuspendCount(), 0u);
    QVERIFY(shell.pollTimer().isActive());

    // Redraw pauses nest: the window repaints again only when the outer one ends.
    {
      kivprism::shell::RedrawPause outer(shell);
      {
        kivprism::shell::RedrawPause inner(shell);
        QVERIFY(!window.updatesEnabled());
      }
      QVERIFY(!window.updatesEnabled());
    }
    QVERIFY(window.updatesEnabled());
    shell.beginShutDown();
    QVERIFY(!shell.pollTimer().isActive());
    shell.setLink(nullptr);
  }

  void flashMessageEndsAfterItsDuration() {
    kivprism::testing::VirtualWindowClock clock;
    PanelMenu panel(clock);
    panel.show();
    panel.flashMessage(150, 0, "Send of changes");
    QCOMPARE(panel.text(), QString("Send of changes"));
    QVERIFY(!panel.blinking());
    clock.advance(149);
    QCOMPARE(panel.text(), QString("Send of changes"));
    clock.advance(1);
    QVERIFY(panel.text().isEmpty());
    QVERIFY(panel.contentVisible());
  }

  void blinkingTogglesAndEndFlashRestores() {
    kivprism::testing::VirtualWindowClock clock;
    PanelMenu panel(clock);
    panel.show();
    panel.flashMessage(0, 20, "blink");
    QVERIFY(panel.blinking());
    clock.advance(19);
    QVERIFY(panel.contentVisible());
    clock.advance(1);
    QVERIFY(!panel.contentVisible());
    clock.advance(20);
    QVERIFY(panel.contentVisible());
    clock.advance(20);
    QVERIFY(!panel.contentVisible());
    QCOMPARE(panel.text(), QString("blink"));
    panel.endFlash();
    QVERIFY(!panel.blinking());
    QVERIFY(panel.contentVisible());
    QVERIFY(panel.text().isEmpty());
  }

  void aNewMessageCancelsThePendingEnd() {
    kivprism::testing::VirtualWindowClock clock;
    PanelMenu panel(clock);
    panel.show();
    panel.flashMessage(50, 0, "first");
    panel.flashMessage(0, 0, "stays");
    clock.advance(200);
    QCOMPARE(panel.text(), QString("stays"));
    // A timed message over a timed one runs its own full duration.
    panel.flashMessage(100, 0, "first");
    clock.advance(60);
    panel.flashMessage(100, 0, "second");
    clock.advance(60);
    QCOMPARE(panel.text(), QString("second"));
    clock.advance(40);
    QVERIFY(panel.text().isEmpty());
  }

  void progressGaugeReplacesTheText() {
    PanelMenu panel(kivprism::ui::wallClock());
    panel.show();
    panel.showProgress(64, 15218);
    QVERIFY(panel.progressVisible());
    panel.hideProgress();
    QVERIFY(!panel.progressVisible());
  }

  void scrollbackKeepsTheNewestLines() {
    ReceivedTextView view;
    view.setScrollbackLines(50);
    for (int i = 0; i < 120; ++i) {
      view.appendLine(i % 2 == 0 ? Qt::blue : Qt::red, QString("line %1").arg(i));
      if (i % 7 == 0) {
        view.flush();
      }
    }
    view.flush();
    QCOMPARE(view.lineCount(), 50);
    QCOMPARE(view.line(0), QString("line 70"));
    QCOMPARE(view.line(49), QString("line 119"));
    // Each line keeps its own colour after the oldest have gone.
    QCOMPARE(view.lineColour(0), QColor(Qt::blue));
    QCOMPARE(view.lineColour(49), QColor(Qt::red));
    // A burst longer than the scrollback keeps only its newest lines.
    for (int i = 0; i < 130; ++i) {
      view.appendLine(Qt::blue, QString("burst %1").arg(i));
    }
    view.flush();
    QCOMPARE(view.lineCount(), 50);
    QCOMPARE(view.line(0), QString("burst 80"));
    // Fewer lines to keep lets the oldest go at once.
    view.setScrollbackLines(10);
    QCOMPARE(view.lineCount(), 10);
    QCOMPARE(view.line(0), QString("burst 120"));
    QCOMPARE(ReceivedTextView().scrollbackLines(), ReceivedTextView::kScrollbackLines);
  }

  void newLinesScrollOnlyAReaderAtTheBottom() {
    ReceivedTextView view;
    view.setScrollbackLines(300);
    view.resize(300, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const auto add = [&view](int from, int count) {
      for (int i = from; i < from + count; ++i) {
        view.appendLine(Qt::blue, QString("line %1").arg(i));
      }
      view.flush();
    };
    const auto topLine = [&view] { return view.line(view.lineAt(QPoint(2, 2))); };
    QScrollBar* bar = view.verticalScrollBar();
    add(0, 100);
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());
    add(100, 50);
    QCOMPARE(bar->value(), bar->maximum());  // at the bottom the view follows

    // A reader who scrolled up keeps the lines in front of them.
    bar->setValue(120);
    const QString shown = topLine();
    QCOMPARE(shown, QString("line 120"));
    add(150, 100);
    QCOMPARE(topLine(), shown);
    QVERIFY(bar->value() < bar->maximum());
    // Also when the oldest lines make room: 250 + 100 lines keep only 300.
    add(250, 100);
    QCOMPARE(view.line(0), QString("line 50"));
    QCOMPARE(topLine(), shown);

    // Back at the bottom it follows again.
    bar->setValue(bar->maximum());
    add(350, 10);
    QCOMPARE(bar->value(), bar->maximum());
    QCOMPARE(view.line(view.lineCount() - 1), QString("line 359"));
  }

  void theMemoHeightIsKeptWhileThePageWasNeverShown() {
    QTabWidget tabs;
    auto* page = new TerminalPage([] { return 0u; });
    tabs.addTab(new QWidget, "params");
    tabs.addTab(page, "terminal");
    tabs.resize(600, 500);
    page->setMemoHeight(120);
    tabs.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tabs));
    QCOMPARE(page->memoHeight(), 120);
    tabs.setCurrentIndex(1);
    QTRY_COMPARE(page->sendMemo()->height(), 120);
    QCOMPARE(page->memoHeight(), 120);
    tabs.setCurrentIndex(0);
    QCOMPARE(page->memoHeight(), 120);  // the laid-out height stays when the page is left
  }

  void messageBoxesStayOnTopAndAreModal() {
    QWidget owner;
    owner.resize(400, 300);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    Qt::WindowFlags seenFlags;
    Qt::WindowModality seenModality = Qt::NonModal;
    QString seenDefault;
    QTimer::singleShot(0, [&] {
      auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (shown == nullptr) {
        return;
      }
      seenFlags = shown->windowFlags();
      seenModality = shown->windowModality();
      seenDefault = shown->defaultButton() != nullptr ? shown->defaultButton()->text() : QString();
      shown->button(QMessageBox::No)->click();
    });
    const int pressed = kivprism::ui::showMessageBox(
        &owner, kivprism::ui::box::kQuestion | kivprism::ui::box::kDefaultNo, "Sure?");
    QCOMPARE(pressed, kivprism::ui::box::kNo);
    QVERIFY(seenFlags.testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(seenModality, Qt::ApplicationModal);
    QCOMPARE(
        seenDefault,
        QMessageBox(QMessageBox::NoIcon, "", "", QMessageBox::No).button(QMessageBox::No)->text());
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
    QCOMPARE(view.lineCount(), 2);
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

  // Lines are selected whole: a press picks a line, a drag or a shift-press extends the choice,
  // Ctrl+C copies the chosen lines and Ctrl+A chooses all.
  void selectedLinesAreCopiedWhole() {
    ReceivedTextView view;
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    for (int i = 0; i < 40; ++i) {
      view.appendLine(Qt::blue, QString("line %1").arg(i));
    }
    view.flush();
    view.verticalScrollBar()->setValue(10);
    const auto at = [&view](int line) {
      const int height = view.fontMetrics().lineSpacing();
      return QPoint(20, (line - view.firstVisibleLine()) * height + height / 2);
    };
    QCOMPARE(view.lineAt(at(12)), 12);
    QWidget* viewport = view.viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, at(12));
    QMouseEvent drag(QEvent::MouseMove, QPointF(at(14)), viewport->mapToGlobal(QPointF(at(14))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drag);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at(14));
    QApplication::clipboard()->clear();
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("line 12\nline 13\nline 14"));

    // Shift extends from where the choice began, also upwards.
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, at(10));
    QCOMPARE(view.selectedText(), QString("line 10\nline 11\nline 12"));
    // A plain press starts again.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, at(15));
    QCOMPARE(view.selectedText(), QString("line 15"));

    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(view.selectionFirst(), 0);
    QCOMPARE(view.selectionLast(), 39);
    // A press below the last line chooses nothing, and Ctrl+C leaves the clipboard alone.
    view.clearAll();
    view.appendLine(Qt::blue, "only");
    view.flush();
    QApplication::clipboard()->setText("kept");
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(20, viewport->height() - 2));
    QVERIFY(!view.hasSelection());
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("kept"));
  }

  void keysScrollAndLinesAreFoundFromTheOldest() {
    ReceivedTextView view;
    view.resize(300, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    for (int i = 0; i < 100; ++i) {
      view.appendLine(Qt::blue, QString("line %1").arg(i));
    }
    view.flush();
    QScrollBar* bar = view.verticalScrollBar();
    QCOMPARE(bar->value(), bar->maximum());
    QTest::keyClick(&view, Qt::Key_Home);
    QCOMPARE(bar->value(), 0);
    QTest::keyClick(&view, Qt::Key_PageDown);
    QCOMPARE(bar->value(), bar->pageStep());
    QTest::keyClick(&view, Qt::Key_End);
    QCOMPARE(bar->value(), bar->maximum());
    QCOMPARE(view.findLine("line 0"), 0);
    QCOMPARE(view.findLine("missing"), -1);
    // A range past either end is cut to the lines there are.
    view.selectLines(500, 99);
    QCOMPARE(view.selectedText(), QString("line 99"));
    view.selectLines(-5, 1);
    QCOMPARE(view.selectedText(), QString("line 0\nline 1"));
  }

  void aSelectionStaysOnItsLinesWhileTheOldestGo() {
    ReceivedTextView view;
    view.setScrollbackLines(10);
    const auto add = [&view](int from, int count) {
      for (int i = from; i < from + count; ++i) {
        view.appendLine(Qt::blue, QString("line %1").arg(i));
      }
      view.flush();
    };
    add(0, 10);
    view.selectLines(5, 3);
    QCOMPARE(view.selectedText(), QString("line 3\nline 4\nline 5"));
    add(10, 2);
    QCOMPARE(view.selectionFirst(), 1);
    QCOMPARE(view.selectedText(), QString("line 3\nline 4\nline 5"));
    // Selected lines that go leave the selection; the rest stay chosen.
    add(12, 2);
    QCOMPARE(view.selectedText(), QString("line 4\nline 5"));
    add(14, 2);
    QVERIFY(!view.hasSelection());
    QVERIFY(view.selectedText().isEmpty());
    // Clearing drops the choice too.
    view.selectAll();
    view.clearAll();
    QVERIFY(!view.hasSelection());
  }

  void copyAllAndClearScreenFromTheMenu() {
    TerminalPage page([] { return 0u; });
    page.logLine("first");
    page.appendLine(TerminalPage::monitoringColour(), "second");
    // The lines still waiting for the event loop are copied too.
    QApplication::clipboard()->clear();
    page.findChild<QAction*>("CopyAllx")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("first\nsecond"));
    QCOMPARE(page.receivedView()->selectedText(), QString("first\nsecond"));
    // Not while the owner forbids it.
    page.copyAllAllowed = [] { return false; };
    page.logLine("third");
    page.findChild<QAction*>("CopyAllx")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("first\nsecond"));
    // Clear screen acts only from the menu opened on the terminal.
    page.findChild<QAction*>("DeleteKeyx")->trigger();
    QCOMPARE(page.receivedView()->text(), QString("first\nsecond\nthird"));
    emit page.receivedView()->rightPressed(QPoint(0, 0));
    page.findChild<QAction*>("DeleteKeyx")->trigger();
    QVERIFY(page.receivedView()->text().isEmpty());
  }

  void theWidestLineSetsTheHorizontalRange() {
    ReceivedTextView view;
    view.resize(200, 150);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QScrollBar* bar = view.horizontalScrollBar();
    view.appendLine(Qt::blue, "short");
    view.flush();
    QCOMPARE(bar->maximum(), 0);
    const QString wide(200, QChar('W'));
    view.appendLine(Qt::blue, wide);
    view.flush();
    const int range = bar->maximum();
    QVERIFY(range + view.viewport()->width() >= view.fontMetrics().horizontalAdvance(wide));
    // It stays while the wide line may be scrolled back to, and goes with clearing.
    view.appendLine(Qt::blue, "short again");
    view.flush();
    QCOMPARE(bar->maximum(), range);
    // A larger font widens it.
    QFont larger = view.font();
    larger.setPixelSize(larger.pixelSize() * 2);
    view.setFont(larger);
    QVERIFY(bar->maximum() > range);
    view.clearAll();
    QCOMPARE(bar->maximum(), 0);
    QCOMPARE(view.verticalScrollBar()->maximum(), 0);
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

  // Every window opens wholly on a screen: a stored place partly off it is pulled in, one off
  // every screen is not used, and a window larger than its screen is made to fit.
  void placementRules() {
    const QRect laptop(0, 0, 1366, 728);
    const QRect right(1366, 0, 1920, 1040);
    const QSize keyboard(790, 560);
    // No place stored: centred on the home screen.
    QCOMPARE(placeWindow(std::nullopt, keyboard, {laptop}, laptop),
             QRect(QPoint(288, 84), keyboard));
    // A place on the screen stays.
    QCOMPARE(placeWindow(QPoint(30, 40), keyboard, {laptop}, laptop),
             QRect(QPoint(30, 40), keyboard));
    // Partly off the bottom right, or half off the left: moved until the whole window shows.
    QCOMPARE(placeWindow(QPoint(1000, 400), keyboard, {laptop}, laptop),
             QRect(QPoint(1366 - 790, 728 - 560), keyboard));
    QCOMPARE(placeWindow(QPoint(-395, -5), keyboard, {laptop}, laptop),
             QRect(QPoint(0, 0), keyboard));
    // Off every screen: the stored place is not used.
    QCOMPARE(placeWindow(QPoint(5000, 5000), keyboard, {laptop, right}, laptop),
             placeWindow(std::nullopt, keyboard, {laptop}, laptop));
    // Mostly on the second screen: fitted there, not pulled back to the first.
    QCOMPARE(placeWindow(QPoint(1300, 100), keyboard, {laptop, right}, laptop),
             QRect(QPoint(1366, 100), keyboard));
    // Mostly on the first screen and a little on the second: fitted on the first.
    QCOMPARE(placeWindow(QPoint(600, 100), keyboard, {laptop, right}, laptop),
             QRect(QPoint(1366 - 790, 100), keyboard));
    // Larger than the screen: the size shrinks to it.
    QCOMPARE(placeWindow(QPoint(10, 10), QSize(1600, 900), {laptop}, laptop), laptop);
    QCOMPARE(placeWindow(std::nullopt, QSize(1600, 900), {laptop}, laptop), laptop);
    QCOMPARE(fitOnScreen(QRect(-50, 700, 100, 100), right), QRect(1366, 700, 100, 100));
    // One stored coordinate: the other is the centred one.
    QCOMPARE(storedPlace(std::nullopt, 5, keyboard, laptop), std::optional(QPoint(288, 5)));
    QCOMPARE(storedPlace(7, std::nullopt, keyboard, laptop), std::optional(QPoint(7, 84)));
    QCOMPARE(storedPlace(std::nullopt, std::nullopt, keyboard, laptop), std::nullopt);
  }

  // A box that only tells something is shown once: the same text raised again while it is open
  // (by a timer, the poll or the field it took the focus from) does not stack a copy under it.
  void theSameMessageIsNotShownTwiceAtOnce() {
    using kivprism::ui::showMessageBox;
    namespace box = kivprism::ui::box;
    int boxesAtOnce = 0;
    int second = -1;
    QTimer::singleShot(0, [&] {
      QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
          if (auto* shown = qobject_cast<QMessageBox*>(w); shown && shown->isVisible()) {
            ++boxesAtOnce;
            shown->done(0);
          }
        }
      });
      second = showMessageBox(nullptr, box::kError, "The value must be in the range");
    });
    QCOMPARE(showMessageBox(nullptr, box::kError, "The value must be in the range"), box::kOk);
    QCOMPARE(second, box::kOk);
    QCOMPARE(boxesAtOnce, 1);
    // Another text, or the same one once the first is closed, is shown.
    int answered = 0;
    const kivprism::ui::BoxAnswerer answerer = [&](unsigned, const QString&, const QString&) {
      ++answered;
      if (answered == 1) {
        showMessageBox(nullptr, box::kError, "Another",
                       [&](unsigned, const QString&, const QString&) {
                         ++answered;
                         return box::kOk;
                       });
        showMessageBox(nullptr, box::kError, "Same", [&](unsigned, const QString&, const QString&) {
          ++answered;
          return box::kOk;
        });
      }
      return box::kOk;
    };
    showMessageBox(nullptr, box::kError, "Same", answerer);
    QCOMPARE(answered, 2);
    showMessageBox(nullptr, box::kError, "Same", answerer);
    QCOMPARE(answered, 3);
    // A question is always asked.
    int asked = 0;
    const kivprism::ui::BoxAnswerer yes = [&](unsigned, const QString&, const QString&) {
      ++asked;
      if (asked == 1) {
        showMessageBox(nullptr, box::kQuestion, "Sure?",
                       [&](unsigned, const QString&, const QString&) {
                         ++asked;
                         return box::kYes;
                       });
      }
      return box::kYes;
    };
    QCOMPARE(showMessageBox(nullptr, box::kQuestion, "Sure?", yes), box::kYes);
    QCOMPARE(asked, 2);
  }
};

KIVPRISM_WINDOW_TEST(ShellWidgetsTest);

}  // namespace
}  // namespace shell_widgets_test
#include "shell_widgets_test.moc"
