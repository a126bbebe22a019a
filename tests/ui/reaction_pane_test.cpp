// The reaction half of the pane in the main window on the simulated controller, driven as a user
// drives it: a reaction chosen by its page tab, its fields typed, its panels clicked, its dialogs
// answered, and every edit reaching the controller with the entry's bytes.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>

#include "core/config/image_layout.hpp"
#include "core/dialogs/keyboard.hpp"
#include "pane_rig.hpp"
#include "ui/common/source_mask_dialog.hpp"
#include "ui/dialogs/can_frame_dialogs.hpp"
#include "ui/dialogs/ir_code_dialog.hpp"
#include "ui/dialogs/keyboard_dialog.hpp"
#include "ui/editor/reaction_half.hpp"
#include "ui/params/parameters_page.hpp"
#include "window_test_main.hpp"

namespace reaction_pane_test {
namespace {

using namespace pane_rig;
using events::ReactionType;
using kivprism::ui::dialogs::TFormKeyBoard;
namespace layout = kivprism::config::layout;

// Keyboard 101 keys, multimedia and system control.
constexpr std::uint32_t kAllKeyboardFunctions = 0x000E;

std::vector<std::uint8_t> bytes(events::ConstEntryBytes e, std::size_t from, std::size_t to) {
  return {e.begin() + static_cast<std::ptrdiff_t>(from),
          e.begin() + static_cast<std::ptrdiff_t>(to)};
}

QString parametersTab(Rig& rig) {
  return rig.window->pages().parameters->pageControl()->currentWidget()->objectName();
}

class ReactionPaneTest : public QObject {
  Q_OBJECT

 private slots:
  // Learnt from the controller, edited in the dialog, sent to an output that needs its pin set up.
  void irCodeReactionLearntEditedAndItsOutputChecked() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    rig.pane().selectEntry(3);
    auto* panel = rig.control<QLabel>("PanelEventReactionIRx");
    QVERIFY(panel);
    QVERIFY(!kivprism::ui::editor::reactionIrPanelMenu(rig.pane()));  // no IR reaction yet
    rig.controller.receiveIrCode({1, 17, 0x34, 0x12});  // NEC, command 17, address 0x1234
    QTest::mouseClick(panel, Qt::LeftButton);
    VTRY_COMPARE(rig, at(rig.workingEntry(3), 80), std::uint8_t{2});
    QCOMPARE(bytes(rig.workingEntry(3), 81, 85), (std::vector<std::uint8_t>{1, 17, 0x34, 0x12}));
    QCOMPARE(rig.pane().reactionPages()->currentIndex(), 2);
    QCOMPARE(panel->text(), QString("NEC 4660/17"));

    QMenu* menu = kivprism::ui::editor::reactionIrPanelMenu(rig.pane());
    QVERIFY(menu);
    QCOMPARE(menu->actions().size(), 1);
    QCOMPARE(menu->actions().at(0)->text(), QString::fromUtf8("Редактировать ИК код"));
    whenShown<kivprism::ui::dialogs::TFormIRCode>([](QDialog* d) {
      retype(d, "EditIRCodeCommand", "18");
      QTest::mouseClick(child<QPushButton>(d, "ButtonIRCodeOK"), Qt::LeftButton);
    });
    menu->actions().at(0)->trigger();
    delete menu;
    QCOMPARE(at(rig.workingEntry(3), 82), std::uint8_t{18});
    QCOMPARE(panel->text(), QString("NEC 4660/18"));

    // Output 3 is a connector pin whose mode is not set: 0 is stored and the pins tab shows.
    auto* output = rig.control<QComboBox>("ComboBoxReactionIROUTNUM");
    QVERIFY(output->isEnabled());
    rig.choose("ComboBoxReactionIROUTNUM", 3);
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(rig.boxes[0].flags & box::kKindMask, box::kInformation);
    QVERIFY(rig.boxes[0].text.startsWith(QString::fromUtf8("Сначала настройте параметры вывода")));
    QCOMPARE(parametersTab(rig), QString("TabSheetPINS"));
    QCOMPARE(at(rig.workingEntry(3), 86), std::uint8_t{0});
    QCOMPARE(output->currentIndex(), 0);
    // Output 8 needs no pin.
    rig.choose("ComboBoxReactionIROUTNUM", 8);
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(at(rig.workingEntry(3), 86), std::uint8_t{8});
    QVERIFY(rig.entryDelivered(3));
  }

  void unsupportedIrProtocolIsRefusedForAReaction() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    rig.pane().selectEntry(4);
    rig.chooseReactionPage(ReactionType::Pin);
    const std::vector<std::uint8_t> before = bytes(rig.workingEntry(4), 0, 128);
    rig.controller.receiveIrCode({3, 5, 6, 7});  // RC5: events only
    rig.chooseReactionPage(ReactionType::IrCode);
    const std::vector<std::uint8_t> irBefore = bytes(rig.workingEntry(4), 0, 128);
    QTest::mouseClick(rig.control<QLabel>("PanelEventReactionIRx"), Qt::LeftButton);
    VTRY_COMPARE(rig, rig.boxes.size(), std::size_t{1});
    QCOMPARE(rig.boxes[0].flags & box::kKindMask, box::kInformation);
    QCOMPARE(rig.boxes[0].text, QString::fromUtf8("Этот протокол не поддерживается для реакции"));
    QCOMPARE(bytes(rig.workingEntry(4), 0, 128), irBefore);
    QVERIFY(before != irBefore);
    QCOMPARE(rig.control<QLabel>("PanelEventReactionIRx")->text(),
             QString::fromUtf8("Получить код"));
  }

  void analogVoltsAndPwmValues() {
    // The outputs may span 0..5 V; voltages outside the parameters' span would be clamped into it.
    Rig rig([](SimulatedController& c) {
      c.configuration().set(layout::kMinMaxVout1, 500);
      c.configuration().set(layout::kMinMaxVout2, 500);
    });
    QVERIFY(rig.showActive());
    QVERIFY(rig.waitConnected());
    rig.pane().selectEntry(5);
    rig.chooseReactionPage(ReactionType::Control);
    QCOMPARE(at(rig.workingEntry(5), 80), std::uint8_t{4});
    rig.typeInto("EditReactionAnalogVOUT1", "3,456");
    rig.typeInto("EditReactionAnalogVOUT2", "7.2");
    QVERIFY(rig.boxes.empty());
    QCOMPARE(bytes(rig.workingEntry(5), 81, 85),
             (std::vector<std::uint8_t>{0x5A, 0x01, 0xF4, 0x01}));  // 346, capped at 500
    QCOMPARE(rig.control<QLineEdit>("EditReactionAnalogVOUT2")->text(), QString("5.00"));
    QVERIFY(rig.entryDelivered(5));

    rig.pane().selectEntry(6);
    rig.chooseReactionPage(ReactionType::Pwm);
    rig.choose("ComboBoxRespCh1Modex", 1);
    rig.typeInto("EditRespCh1Val", "60001");
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(rig.boxes[0].flags & box::kKindMask, box::kError);
    QVERIFY(rig.boxes[0].text.contains("60000"));
    QCOMPARE(bytes(rig.workingEntry(6), 80, 85), (std::vector<std::uint8_t>{30, 1, 0, 0, 0}));
    rig.typeInto("EditRespCh1Val", "60000");
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(bytes(rig.workingEntry(6), 83, 85), (std::vector<std::uint8_t>{0x60, 0xEA}));
    QVERIFY(rig.entryDelivered(6));
  }

  void steeringWheelCanMessageAndTypeChange() {
    Rig rig;
    QVERIFY(rig.showActive());
    QVERIFY(rig.waitConnected());
    rig.pane().selectEntry(7);
    rig.chooseReactionPage(ReactionType::SwCan);
    auto* press = rig.control<QLabel>("Panel_SW_CAN_PRESS");
    QVERIFY(press && press->isVisible());
    QString caption;
    whenShown<kivprism::ui::dialogs::TFormCANMSG>([&caption](QDialog* d) {
      caption = d->windowTitle();
      retype(d, "EditID", "123");
      retype(d, "EditData", "12 34");
      QTest::mouseClick(child<QPushButton>(d, "BitBtnOK"), Qt::LeftButton);
    });
    QTest::mouseClick(press, Qt::LeftButton);
    QCOMPARE(caption, QString::fromUtf8(" При нажатии "));
    QCOMPARE(bytes(rig.workingEntry(7), 83, 91),
             (std::vector<std::uint8_t>{0x00, 0x00, 0x8C, 0x04, 2, 0x12, 0x34, 0}));
    // The release message goes to its own slot.
    whenShown<kivprism::ui::dialogs::TFormCANMSG>([&caption](QDialog* d) {
      caption = d->windowTitle();
      retype(d, "EditID", "7FF");
      retype(d, "EditData", "AA");
      QTest::mouseClick(child<QPushButton>(d, "BitBtnOK"), Qt::LeftButton);
    });
    QTest::mouseClick(rig.control<QLabel>("Panel_SW_CAN_DEPRESS"), Qt::LeftButton);
    QCOMPARE(caption, QString::fromUtf8(" При отжатии "));
    QCOMPARE(bytes(rig.workingEntry(7), 100, 106),
             (std::vector<std::uint8_t>{0x00, 0x00, 0xFC, 0x1F, 1, 0xAA}));
    QCOMPARE(at(rig.workingEntry(7), 88), std::uint8_t{0x12});  // the press message kept
    QVERIFY(rig.entryDelivered(7));
    // Another type wipes the type's bytes and takes the first command of the type.
    rig.choose("ComboBoxReactionSWVWTYPEx", 3);
    QCOMPARE(at(rig.workingEntry(7), 82), std::uint8_t{3});
    QCOMPARE(bytes(rig.workingEntry(7), 83, 122), std::vector<std::uint8_t>(39, 0));
    QVERIFY(!press->isVisible());
    QCOMPARE(rig.control<QComboBox>("ComboBoxReactionSWVWMODEx")->currentIndex(), 0);
    QVERIFY(rig.entryDelivered(7));
  }

  void varOperationCyclesOnClick() {
    Rig rig;
    QVERIFY(rig.showActive());
    QVERIFY(rig.waitConnected());
    rig.pane().selectEntry(8);
    rig.chooseReactionPage(ReactionType::Var);
    auto* operation = rig.control<QLabel>("SpeedButtonReactionVARFuncx");
    QVERIFY(!operation->isVisible());  // no variable chosen
    rig.choose("ComboBoxReactionVarNamex", 2);
    QCOMPARE(at(rig.workingEntry(8), 81), std::uint8_t{2});
    QVERIFY(operation->isVisible());
    QStringList texts{operation->text()};
    for (int click = 1; click <= 7; ++click) {
      QTest::mouseClick(operation, Qt::LeftButton);
      QCOMPARE(at(rig.workingEntry(8), 82), std::uint8_t(click % 7));
      texts << operation->text();
    }
    QCOMPARE(texts.last(), texts.first());
    QCOMPARE(texts.removeDuplicates(), qsizetype{1});
    QCOMPARE(texts.size(), qsizetype{7});
    QVERIFY(rig.entryDelivered(8));
  }

  void amplifierTabsStoreParameterAndNeutral() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    rig.pane().selectEntry(9);
    rig.chooseReactionPage(ReactionType::Amplifier);
    auto* tabs = rig.pane().findChild<QTabBar*>("TabControlAMPLx");
    QVERIFY(tabs);
    tabs->setCurrentIndex(2);
    QCOMPARE(bytes(rig.workingEntry(9), 80, 83), (std::vector<std::uint8_t>{8, 2, 7}));
    rig.choose("ComboBoxAMPLPARx", 3);
    QCOMPARE(at(rig.workingEntry(9), 82), std::uint8_t{3});
    tabs->setCurrentIndex(3);
    QCOMPARE(bytes(rig.workingEntry(9), 80, 83), (std::vector<std::uint8_t>{8, 3, 5}));
    QVERIFY(rig.entryDelivered(9));
    // Another amplifier entry: the refresh moves the tabs without storing anything.
    rig.pane().selectEntry(10);
    rig.chooseReactionPage(ReactionType::Amplifier);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(bytes(rig.workingEntry(10), 80, 83), (std::vector<std::uint8_t>{8, 0, 0}));
    rig.pane().selectEntry(9);
    QCOMPARE(tabs->currentIndex(), 3);
    QCOMPARE(bytes(rig.workingEntry(9), 80, 83), (std::vector<std::uint8_t>{8, 3, 5}));
    QCOMPARE(bytes(rig.workingEntry(10), 80, 83), (std::vector<std::uint8_t>{8, 0, 0}));
    QCOMPARE(tabs->tabText(3), QString("BAS"));
  }

  void sourceSkipMaskFromItsButton() {
    Rig rig;
    QVERIFY(rig.showActive());
    QVERIFY(rig.waitConnected());
    rig.pane().selectEntry(11);
    rig.chooseReactionPage(ReactionType::Source);
    auto* skip = rig.control<QLabel>("SpeedButtonEventReactionSRCSkipx");
    QVERIFY(skip && skip->isVisible());
    whenShown<kivprism::ui::TInterceptForm>([](QDialog* d) {
      auto* list = child<QListWidget>(d, "CheckListBoxInterceptSourcesx");
      for (int i = 0; i < list->count(); ++i) {
        list->item(i)->setCheckState(i == 1 || i == 4 ? Qt::Checked : Qt::Unchecked);
      }
      QTest::mouseClick(child<QPushButton>(d, "ButtonOK"), Qt::LeftButton);
    });
    QTest::mouseClick(skip, Qt::LeftButton);
    QCOMPARE(bytes(rig.workingEntry(11), 80, 83), (std::vector<std::uint8_t>{5, 0, 0x12}));
    QVERIFY(rig.entryDelivered(11));
  }

  void usbKeyChosenOnTheDrawnKeyboard() {
    Rig rig([](SimulatedController& c) {
      c.configuration().set(layout::kPidSupport, kAllKeyboardFunctions);
    });
    QVERIFY(rig.waitConnected());
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.window->model().working.get(layout::kPidSupport),
                              kAllKeyboardFunctions, kTimeoutMs);
    auto* keyboard = rig.window->findChild<TFormKeyBoard*>();
    QVERIFY(keyboard);
    rig.pane().selectEntry(12);
    rig.chooseReactionPage(ReactionType::UsbKey);
    QSignalSpy asked(&rig.pane(), &EventReactionPane::keyboardPanelClicked);
    QTest::mouseClick(rig.control<QLabel>("PanelEventReactionx"), Qt::LeftButton);
    QCOMPARE(asked.count(), 1);
    QVERIFY(keyboard->isVisible());
    QCOMPARE(keyboard->target(), std::optional<std::size_t>{12});
    QTest::mouseClick(child<QLabel>(keyboard, "PanelMod1x"), Qt::LeftButton);
    QTest::mouseClick(child<QLabel>(keyboard, "PanelKey4x"), Qt::LeftButton);
    QCOMPARE(bytes(rig.workingEntry(12), 80, 85), (std::vector<std::uint8_t>{1, 7, 0x02, 4, 0}));
    QVERIFY(rig.entryDelivered(12));
    auto* memo = rig.control<QLabel>("MemoEventReactionx");
    QVERIFY(memo);
    const auto described = kivprism::dialogs::keyboardMemoText(rig.workingEntry(12),
                                                               kivprism::lang::Language::Russian);
    QVERIFY(described && described->find("A") != std::string::npos);
    QCOMPARE(memo->text(), QString::fromStdString(*described));
    // The dialog follows the pane at once, also to an entry that is no USB key reaction yet, so
    // that no click lands in entry 12 any more; it stays there once the entry is made one.
    rig.pane().selectEntry(13);
    QCOMPARE(keyboard->target(), std::optional<std::size_t>{13});
    QVERIFY(!child<QLabel>(keyboard, "PanelKey4x")->property("chosen").toBool());
    rig.chooseReactionPage(ReactionType::UsbKey);
    QCOMPARE(keyboard->target(), std::optional<std::size_t>{13});
    QCOMPARE(bytes(rig.workingEntry(12), 80, 85), (std::vector<std::uint8_t>{1, 7, 0x02, 4, 0}));
    keyboard->close();
  }

  void noKeyboardWhileTheControllerIsNoKeyboard() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    rig.window->model().working.set(layout::kPidSupport, 0);
    auto* keyboard = rig.window->findChild<TFormKeyBoard*>();
    rig.pane().selectEntry(14);
    rig.chooseReactionPage(ReactionType::UsbKey);
    QSignalSpy asked(&rig.pane(), &EventReactionPane::keyboardPanelClicked);
    QTest::mouseClick(rig.control<QLabel>("PanelEventReactionx"), Qt::LeftButton);
    QCOMPARE(asked.count(), 0);
    QVERIFY(!keyboard->isVisible());
    QVERIFY(!keyboard->target());
  }

  void touchPointCapturedFromItsButton() {
    Rig rig;
    QVERIFY(rig.showActive());
    rig.controller.touchCapture().setScript({true, 1000, 700, 300});
    QVERIFY(rig.waitConnected());
    rig.pane().selectEntry(15);
    rig.chooseReactionPage(ReactionType::UsbTouch);
    auto* button = rig.control<QPushButton>("SpeedButtonReactionTouch");
    QVERIFY(!button);  // not a binding: found on its page
    button = rig.pane().findChild<QPushButton*>("SpeedButtonReactionTouch");
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
    VTRY_COMPARE_WITH_TIMEOUT(rig, bytes(rig.workingEntry(15), 80, 87),
                              (std::vector<std::uint8_t>{6, 0xE8, 0x03, 0xBC, 0x02, 200, 0}),
                              kTimeoutMs);
    QCOMPARE(rig.control<QLineEdit>("EditReactionTouchX")->text(), QString("1000"));
    QVERIFY(rig.entryDelivered(15));
  }

  void encoderPinsTakenByTheTouchPanelAreRefused() {
    Rig rig([](SimulatedController& c) { c.configuration().set(layout::kTouchMode, 1); });
    QVERIFY(rig.waitConnected());
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.window->model().working.getU8(layout::kTouchMode),
                              std::uint8_t{1}, kTimeoutMs);
    rig.pane().selectEntry(16);
    rig.chooseReactionPage(ReactionType::Encoder);
    rig.choose("ComboBoxReactionEncoderMODE", 1);
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(rig.boxes[0].flags & box::kKindMask, box::kInformation);
    QCOMPARE(rig.boxes[0].text,
             QString::fromUtf8("Вы не можете использовать эти ножки для эмуляции энкодера,\nтак "
                               "как они уже используются для тачпанели"));
    QCOMPARE(at(rig.workingEntry(16), 81), std::uint8_t{0});
    QCOMPARE(rig.control<QComboBox>("ComboBoxReactionEncoderMODE")->currentIndex(), 0);
    rig.choose("ComboBoxReactionEncoderMODE", 4);
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(at(rig.workingEntry(16), 81), std::uint8_t{4});
    QVERIFY(rig.entryDelivered(16));
  }
};

KIVPRISM_WINDOW_TEST(ReactionPaneTest);

}  // namespace
}  // namespace reaction_pane_test
#include "reaction_pane_test.moc"
