// The keyboard usage dialog driven with the mouse and the keyboard as a user drives it, alone over
// an image and on the main window running on the simulated controller.
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "core/config/image_layout.hpp"
#include "core/events/entry.hpp"
#include "core/lang/text.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "support/window_rig.hpp"
#include "ui/app/main_window.hpp"
#include "ui/common/shell_settings.hpp"
#include "ui/common/window_placement.hpp"
#include "ui/dialogs/keyboard_dialog.hpp"
#include "ui/editor/event_reaction_pane.hpp"
#include "ui/params/key_procedures.hpp"
#include "window_test_main.hpp"

namespace keyboard_dialog_test {
namespace {

using namespace kivprism;
using ui::dialogs::TFormKeyBoard;
namespace usb = events::reaction::usb_key;

constexpr int kConnectTimeoutMs = 10000;
// Keyboard 101 keys, multimedia and system control.
constexpr std::uint32_t kAllKeyboardFunctions = 0x000E;

template <typename T>
T* child(QWidget* form, const QString& name) {
  auto* w = form->findChild<T*>(name);
  if (w == nullptr) {
    qFatal("no control %s", qPrintable(name));
  }
  return w;
}

void clickPanel(QWidget* form, const QString& name) {
  QTest::mouseClick(child<QWidget>(form, name), Qt::LeftButton);
}

bool chosen(QWidget* form, const QString& name) {
  return child<QLabel>(form, name)->property("chosen").toBool();
}

void enterCode(QWidget* form, const char* edit, const QString& text) {
  auto* e = child<QLineEdit>(form, edit);
  e->selectAll();
  QTest::keyClicks(e, text);
  QTest::keyClick(e, Qt::Key_Return);
}

struct Lone {
  Lone() : dialog(image) {
    image.set(config::layout::kPidSupport, kAllKeyboardFunctions);
    dialog.setMemo(&memo);
  }
  events::EntryBytes entry(std::size_t n) { return events::entryAt(image, n); }
  config::ConfigImage image;
  QPlainTextEdit memo;
  TFormKeyBoard dialog;
};

class KeyboardDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { lang::setCurrentLanguage(lang::Language::Russian); }

  void clickedKeysReachTheEntryAndShowChosen() {
    Lone t;
    QSignalSpy changed(&t.dialog, &TFormKeyBoard::entryChanged);
    const config::ConfigImage before = t.image;
    clickPanel(&t.dialog, "PanelKey4x");  // nothing happens without a target
    QCOMPARE(t.image, before);
    t.dialog.openKeyboardDialog(3);
    QVERIFY(t.dialog.isVisible());
    QCOMPARE(t.dialog.windowTitle(), QString::fromUtf8("Клавиатура (реакция на событие 3)"));
    QCOMPARE(t.memo.toPlainText(), QString());  // entry 3 holds no USB key yet
    clickPanel(&t.dialog, "PanelMod1x");
    clickPanel(&t.dialog, "PanelKey4x");
    clickPanel(&t.dialog, "PanelKey5x");
    clickPanel(&t.dialog, "PanelKey6x");
    const auto e = t.entry(3);
    QCOMPARE(events::get(e, events::entry::kReactionType), std::uint8_t{1});
    QCOMPARE(events::get(e, usb::kUsagePage), std::uint8_t{7});
    QCOMPARE(events::get(e, usb::kModifiers), std::uint8_t{0x02});
    QCOMPARE(events::get(e, usb::kFirstKey), std::uint8_t{5});
    QCOMPARE(events::get(e, usb::kSecondKey), std::uint8_t{6});
    QCOMPARE(changed.count(), 4);
    QVERIFY(!chosen(&t.dialog, "PanelKey4x"));
    QVERIFY(chosen(&t.dialog, "PanelKey5x"));
    QVERIFY(chosen(&t.dialog, "PanelKey6x"));
    QVERIFY(chosen(&t.dialog, "PanelMod1x"));
    QCOMPARE(child<QLabel>(&t.dialog, "PanelKey5x")->palette().color(QPalette::Window),
             QColor(0, 0x80, 0));
    QCOMPARE(child<QLineEdit>(&t.dialog, "EditKEY1")->text(), QString("x05"));
    QCOMPARE(child<QLineEdit>(&t.dialog, "EditKEY2")->text(), QString("x06"));
    QCOMPARE(t.memo.toPlainText(), QString("  \n  \nlShift + B + C"));
    // A consumer key replaces the keyboard page; its button stays down.
    QTest::mouseClick(child<QToolButton>(&t.dialog, "SpeedButtonMMKey00E9x"), Qt::LeftButton);
    QCOMPARE(events::get(e, usb::kUsagePage), std::uint8_t{12});
    QCOMPARE(events::get(e, usb::kConsumerUsage), std::uint16_t{0x00E9});
    QCOMPARE(events::get(e, usb::kModifiers), std::uint8_t{0});
    QVERIFY(child<QToolButton>(&t.dialog, "SpeedButtonMMKey00E9x")->isChecked());
    for (auto* button : t.dialog.findChildren<QToolButton*>()) {
      QVERIFY(!button->icon().isNull());
      QVERIFY(!button->toolTip().isEmpty());
    }
    QVERIFY(!chosen(&t.dialog, "PanelKey5x"));
    QCOMPARE(child<QLineEdit>(&t.dialog, "EditMMKey")->text(), QString("x00E9"));
    QCOMPARE(t.memo.toPlainText(), QString("  \n  \nConsumerPage:VOL+"));
    QTest::mouseClick(child<QToolButton>(&t.dialog, "SpeedButtonMMKey00E9x"), Qt::LeftButton);
    QCOMPARE(events::get(e, usb::kUsagePage), std::uint8_t{0});
    QVERIFY(!child<QToolButton>(&t.dialog, "SpeedButtonMMKey00E9x")->isChecked());
    QCOMPARE(t.memo.toPlainText(), QString::fromUtf8("  \n  \nОтсутствует"));
    clickPanel(&t.dialog, "SystemControl1x");
    QCOMPARE(events::get(e, usb::kUsagePage), std::uint8_t{1});
    QCOMPARE(events::get(e, usb::kSystemControlMask), std::uint8_t{2});
    QVERIFY(chosen(&t.dialog, "SystemControl1x"));
    // Only entry 3 changed.
    config::ConfigImage other = t.image;
    std::fill(events::entryAt(other, 3).begin(), events::entryAt(other, 3).end(), 0);
    other.set(config::layout::kPidSupport, 0);
    QCOMPARE(other, config::ConfigImage{});
  }

  void codeFieldsStoreOnEnterOnly() {
    Lone t;
    t.dialog.openKeyboardDialog(1);
    auto* key2 = child<QLineEdit>(&t.dialog, "EditKEY2");
    key2->selectAll();
    QTest::keyClicks(key2, "x1F");
    QCOMPARE(events::get(t.entry(1), events::entry::kReactionType), std::uint8_t{0});
    QTest::keyClick(key2, Qt::Key_Return);
    QCOMPARE(events::get(t.entry(1), usb::kSecondKey), std::uint8_t{31});
    QVERIFY(chosen(&t.dialog, "PanelKey31x"));
    enterCode(&t.dialog, "EditKEY1", "300");
    QCOMPARE(events::get(t.entry(1), usb::kFirstKey), std::uint8_t{255});
    QCOMPARE(child<QLineEdit>(&t.dialog, "EditKEY1")->text(), QString("xFF"));
    QCOMPARE(t.memo.toPlainText(), QString("  \n  \nKEY1:255 + 2"));
    enterCode(&t.dialog, "EditMMKey", "x0192");
    QCOMPARE(events::get(t.entry(1), usb::kConsumerUsage), std::uint16_t{0x0192});
    QVERIFY(child<QToolButton>(&t.dialog, "SpeedButtonMMKey0192x")->isChecked());
  }

  void groupsFollowTheUsbFunctionsAndLockDuringProcedures() {
    Lone t;
    t.image.set(config::layout::kPidSupport, 0x0011);  // CDC and mouse: no keyboard
    t.dialog.openKeyboardDialog(2);
    QVERIFY(!t.dialog.isVisible());
    QCOMPARE(t.dialog.target(), std::nullopt);
    t.image.set(config::layout::kPidSupport, 0x0004);
    t.dialog.openKeyboardDialog(2);
    QVERIFY(t.dialog.isVisible());
    QVERIFY(child<QGroupBox>(&t.dialog, "GroupBoxKeyboardPage0C")->isVisible());
    QVERIFY(!child<QGroupBox>(&t.dialog, "GroupBoxKeyboardPage07")->isVisible());
    QVERIFY(!child<QGroupBox>(&t.dialog, "GroupBoxSystemControl")->isVisible());
    t.image.set(config::layout::kPidSupport, 0x000A);
    t.dialog.showKeyboardGroups();
    QVERIFY(!child<QGroupBox>(&t.dialog, "GroupBoxKeyboardPage0C")->isVisible());
    QVERIFY(child<QGroupBox>(&t.dialog, "GroupBoxKeyboardPage07")->isVisible());
    QVERIFY(child<QGroupBox>(&t.dialog, "GroupBoxSystemControl")->isVisible());
    t.dialog.setKeyGroupsEnabled(false);
    clickPanel(&t.dialog, "PanelKey4x");
    QCOMPARE(events::get(t.entry(2), events::entry::kReactionType), std::uint8_t{0});
    t.dialog.setKeyGroupsEnabled(true);
    clickPanel(&t.dialog, "PanelKey4x");
    QCOMPARE(events::get(t.entry(2), usb::kFirstKey), std::uint8_t{4});
  }

  void followsTheSelectedEntryWhileVisible() {
    Lone t;
    events::set(t.entry(5), events::entry::kReactionType, 1);
    events::set(t.entry(5), usb::kUsagePage, 7);
    events::set(t.entry(5), usb::kFirstKey, 41);
    events::set(t.entry(6), events::entry::kReactionType, 2);
    t.dialog.followEntry(5);  // hidden: it does not open itself
    QVERIFY(!t.dialog.isVisible());
    t.dialog.openKeyboardDialog(4);
    t.dialog.followEntry(5);
    QCOMPARE(t.dialog.target(), std::optional<std::size_t>(5));
    QVERIFY(chosen(&t.dialog, "PanelKey41x"));
    QCOMPARE(t.memo.toPlainText(), QString("  \n  \nEsc"));
    // Another reaction: the dialog moves with the selection and shows an empty keyboard, so a
    // click never lands in entry 5, which is no longer on view.
    t.dialog.followEntry(6);
    QCOMPARE(t.dialog.target(), std::optional<std::size_t>(6));
    QVERIFY(!chosen(&t.dialog, "PanelKey41x"));
    QCOMPARE(t.dialog.windowTitle(), QString::fromUtf8("Клавиатура (реакция на событие 6)"));
    clickPanel(&t.dialog, "PanelKey5x");
    QCOMPARE(events::get(t.entry(5), usb::kFirstKey), std::uint8_t{41});
    QCOMPARE(events::get(t.entry(5), usb::kSecondKey), std::uint8_t{0});
    QCOMPARE(events::get(t.entry(6), events::entry::kReactionType), std::uint8_t{1});
    QCOMPARE(events::get(t.entry(6), usb::kFirstKey), std::uint8_t{5});
    events::set(t.entry(6), events::entry::kReactionType, 2);
    // The pane redraws after the USB functions changed on the parameters page.
    t.image.set(config::layout::kPidSupport, 0x0002);
    t.dialog.followEntry(6);
    QVERIFY(!child<QGroupBox>(&t.dialog, "GroupBoxKeyboardPage0C")->isVisible());
    // The open entry turned into another reaction in the pane: its keys go from view.
    events::set(t.entry(5), events::entry::kReactionType, 2);
    t.dialog.followEntry(5);
    QVERIFY(!chosen(&t.dialog, "PanelKey41x"));
    QCOMPARE(child<QLineEdit>(&t.dialog, "EditKEY1")->text(), QString("x00"));
  }

  // Shown by the saved settings before any entry was opened: a click changes neither the image
  // nor the look, a consumer button included, which would otherwise toggle itself down.
  void withoutATargetAClickChangesNothing() {
    Lone t;
    const config::ConfigImage before = t.image;
    QSignalSpy changed(&t.dialog, &TFormKeyBoard::entryChanged);
    t.dialog.show();
    auto* mute = child<QToolButton>(&t.dialog, "SpeedButtonMMKey00E2x");
    QTest::mouseClick(mute, Qt::LeftButton);
    QVERIFY(!mute->isChecked());
    clickPanel(&t.dialog, "PanelKey4x");
    QVERIFY(!chosen(&t.dialog, "PanelKey4x"));
    QCOMPARE(t.image, before);
    QCOMPARE(changed.count(), 0);
  }

  void followsTheLanguage() {
    Lone t;
    t.dialog.openKeyboardDialog(12);
    QCOMPARE(child<QGroupBox>(&t.dialog, "GroupBoxKeyCodes")->title(),
             QString::fromUtf8(" Коды кнопок "));
    lang::setCurrentLanguage(lang::Language::English);
    t.dialog.retranslate();
    QCOMPARE(child<QGroupBox>(&t.dialog, "GroupBoxKeyCodes")->title(), QString(" Key codes "));
    QCOMPARE(child<QGroupBox>(&t.dialog, "GroupBoxKeyboardPage0C")->title(),
             QString(" Keyboard, page x0C "));
    QCOMPARE(t.dialog.windowTitle(), QString("Keyboard (Reactions for the event 12)"));
    t.dialog.refresh();
    QCOMPARE(t.memo.toPlainText(), QString());  // entry 12 is no USB key: the memo is not ours
    clickPanel(&t.dialog, "PanelMod4x");
    clickPanel(&t.dialog, "PanelMod4x");
    QCOMPARE(t.memo.toPlainText(), QString("  \n  \nNot specified"));
  }

  void placementIsKeptInTheSettings() {
    Lone t;
    ui::ShellSettings settings;
    settings.keyTop = 40;
    settings.keyLeft = 30;
    settings.keyVisible = 1;
    t.dialog.restoreKeyboardDialog(settings);
    QVERIFY(t.dialog.isVisible());
    QCOMPARE(t.dialog.pos(), QPoint(30, 40));
    ui::ShellSettings saved;
    t.dialog.storePlacement(saved);
    QCOMPARE(saved.keyTop, std::optional(40));
    QCOMPARE(saved.keyLeft, std::optional(30));
    QCOMPARE(saved.keyVisible, 1);
    t.dialog.hide();
    t.dialog.storePlacement(saved);
    QCOMPARE(saved.keyVisible, 0);
    // A stored place far off the screen is not used: the dialog, sized by its keys, opens wholly
    // on the screen, title bar included; hidden stays hidden.
    const QRect screen = ui::screenAreaOf(&t.dialog);
    for (const auto& [left, top] :
         {std::pair{30, 100000}, std::pair{-100000, -100000}, std::pair{-200, 10},
          std::pair{screen.right() - 20, screen.bottom() - 20}}) {
      Lone u;
      settings.keyLeft = left;
      settings.keyTop = top;
      settings.keyVisible = 0;
      u.dialog.restoreKeyboardDialog(settings);
      QVERIFY(!u.dialog.isVisible());
      const QRect frame(u.dialog.pos(), ui::frameSizeOf(&u.dialog));
      QVERIFY(frame.width() >= u.dialog.sizeHint().width());
      QVERIFY2(screen.contains(frame), qPrintable(QString("%1,%2 %3x%4")
                                                      .arg(frame.x())
                                                      .arg(frame.y())
                                                      .arg(frame.width())
                                                      .arg(frame.height())));
    }
  }

  // The whole road: a key chosen on the drawn keyboard of the running window reaches the
  // controller with exactly the entry's new bytes.
  void aUsbKeyChosenOnTheKeyboardReachesTheController() {
    QTemporaryDir dir;
    const QString path = dir.filePath("kivprism.ini");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[MainSettings]\r\nLang=1\r\n");
    file.close();
    kivprism::testing::VirtualWindowClock clock;
    sim::SimulatedController controller(clock.function());
    controller.setReportCallHook(
        [&clock] { clock.pass(kivprism::testing::WindowRig::kReportCallMs); });
    controller.configuration().set(config::layout::kPidSupport, kAllKeyboardFunctions);
    // Entry 7 sends a consumer key with a hold time; the keyboard makes it Ctrl+Alt+Del.
    auto seven = events::entryAt(controller.configuration(), 7);
    events::set(seven, events::entry::kEventType, 1);
    events::set(seven, events::entry::kReactionType, 1);
    events::set(seven, usb::kUsagePage, 12);
    events::set(seven, usb::kConsumerUsage, 0x00CD);
    events::set(seven, usb::kHoldMs, 500);
    sim::SimulatedHidPort port(controller);
    ui::MainWindowOptions options;
    options.settingsPath = path;
    options.systemLanguage = "en-US";
    options.clock = &clock;
    options.boxAnswerer = [](unsigned, const QString&, const QString&) { return 0; };
    ui::TMainForm window(port, options);
    auto* dialog = new TFormKeyBoard(window.model().working, window);
    window.startUp();
    window.show();
    QVERIFY(clock.waitFor([&] { return window.link().isConnected(); }, kConnectTimeoutMs));
    VTRY_COMPARE_WITH_TIMEOUT(clock, window.model().working, controller.configuration(),
                              kConnectTimeoutMs);
    dialog->openKeyboardDialog(7);
    QVERIFY(dialog->isVisible());
    QVERIFY(child<QToolButton>(dialog, "SpeedButtonMMKey00CDx")->isChecked());
    QCOMPARE(dialog->windowTitle(), QString("Keyboard (Reactions for the event 7)"));
    clickPanel(dialog, "PanelMod0x");
    clickPanel(dialog, "PanelMod2x");
    clickPanel(dialog, "PanelKey76x");
    events::EntryData expected{};
    std::copy(seven.begin(), seven.end(), expected.begin());
    std::fill(expected.begin() + events::entry::kReactionPart.offset, expected.end(), 0);
    expected[events::entry::kReactionType.offset] = 1;
    expected[usb::kUsagePage.offset] = 7;
    expected[usb::kModifiers.offset] = 0x05;
    expected[usb::kFirstKey.offset] = 76;
    VTRY_VERIFY_WITH_TIMEOUT(clock,
                             std::equal(expected.begin(), expected.end(),
                                        events::entryAt(controller.configuration(), 7).begin()),
                             kConnectTimeoutMs);
    VTRY_COMPARE_WITH_TIMEOUT(clock, controller.configuration(), window.model().working,
                              kConnectTimeoutMs);
    // The window's own dialog: the window's set-up procedures lock its groups; a new image
    // redraws it.
    TFormKeyBoard* own = nullptr;
    for (auto* d : window.findChildren<TFormKeyBoard*>()) {
      own = d != dialog ? d : own;
    }
    QVERIFY(own != nullptr);
    dialog->hide();
    own->openKeyboardDialog(7);
    emit window.pages().keyProcedures->procedureRunningChanged(true);
    QVERIFY(!child<QGroupBox>(own, "GroupBoxKeyboardPage07")->isEnabled());
    QVERIFY(!child<QGroupBox>(own, "GroupBoxSystemControl")->isEnabled());
    emit window.pages().keyProcedures->procedureRunningChanged(false);
    QVERIFY(child<QGroupBox>(own, "GroupBoxKeyboardPage07")->isEnabled());
    events::set(events::entryAt(window.model().working, 7), usb::kSecondKey, 41);
    emit window.pagesInvalidated();
    QVERIFY(chosen(own, "PanelKey41x"));

    // Open on entry 7, it follows the USB functions ticked on the interfaces tab and the entry
    // selected in the pane at once.
    window.pages().eventPane->selectEntry(7);
    own->openKeyboardDialog(7);
    QVERIFY(child<QGroupBox>(own, "GroupBoxKeyboardPage0C")->isVisible());
    auto* functions = window.findChild<QListWidget*>("CheckListBoxUSBMODEx");
    QVERIFY(functions != nullptr);
    functions->item(2)->setCheckState(Qt::Unchecked);  // Keyboard Multimedia
    QVERIFY(!child<QGroupBox>(own, "GroupBoxKeyboardPage0C")->isVisible());
    QVERIFY(child<QGroupBox>(own, "GroupBoxKeyboardPage07")->isVisible());
    functions->item(2)->setCheckState(Qt::Checked);
    QVERIFY(child<QGroupBox>(own, "GroupBoxKeyboardPage0C")->isVisible());
    window.pages().eventPane->selectEntry(8);
    QCOMPARE(own->target(), std::optional<std::size_t>(8));
    clickPanel(own, "PanelKey4x");
    QCOMPARE(events::get(events::entryAt(window.model().working, 7), usb::kFirstKey),
             std::uint8_t{76});
    QCOMPARE(events::get(events::entryAt(window.model().working, 8), usb::kFirstKey),
             std::uint8_t{4});
    window.close();
  }
};

KIVPRISM_WINDOW_TEST(KeyboardDialogTest);

}  // namespace
}  // namespace keyboard_dialog_test
#include "keyboard_dialog_test.moc"
