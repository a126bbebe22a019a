// The event/reaction pane in the main window on the simulated controller, driven as a user would
// drive it: every edit must reach the controller with the bytes of the entry.
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDragEnterEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <vector>

#include "core/events/entry.hpp"
#include "pane_rig.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "ui/app/main_window.hpp"
#include "ui/common/source_mask_dialog.hpp"
#include "ui/dialogs/can_frame_dialogs.hpp"
#include "ui/dialogs/entry_name_dialog.hpp"
#include "ui/dialogs/ir_code_dialog.hpp"
#include "ui/editor/event_reaction_pane.hpp"
#include "ui/editor/panel_button.hpp"
#include "ui/params/parameters_page.hpp"
#include "window_test_main.hpp"

namespace event_pane_test {
namespace {

using kivprism::ui::editor::KeyDropPanel;
using namespace pane_rig;

// A drag of the keys grid's cell over a key panel, dropped there.
bool dragOnto(KeyDropPanel* panel, int column, int row, KeyDropPanel::Look& lookWhileOver) {
  std::unique_ptr<QMimeData> mime(kivprism::ui::editor::keyMimeData(column, row));
  const QPoint centre = panel->rect().center();
  QDragEnterEvent enter(centre, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(panel, &enter);
  lookWhileOver = panel->look();
  QDropEvent drop(QPointF(centre), Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(panel, &drop);
  return drop.isAccepted();
}

class EventPaneTest : public QObject {
  Q_OBJECT

 private slots:
  void voltageEventReachesTheControllerWithItsBytes() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    rig.pane().selectEntry(5);
    rig.chooseEventPage(static_cast<int>(events::EventType::Voltage));
    QCOMPARE(rig.pane().eventPages()->currentWidget()->objectName(),
             QString("TabSheetEventVoltage"));
    rig.typeInto("EditEventVoltageValue", "12000");
    rig.typeInto("EditEventVoltageTO", "x1F4");
    auto* sign = rig.control<QLabel>("SpeedButtonEventVoltageZnakx");
    QCOMPARE(sign->text(), QString("<"));
    QTest::mouseClick(sign, Qt::LeftButton);
    QCOMPARE(sign->text(), QString(">"));
    QVERIFY(rig.boxes.empty());
    QVERIFY(rig.entryDelivered(5));
    const auto e = rig.deviceEntry(5);
    QCOMPARE(at(e, 16), std::uint8_t{7});     // event type
    QCOMPARE(at(e, 19), std::uint8_t{1});     // ">"
    QCOMPARE(at(e, 20), std::uint8_t{0xE0});  // 12000, little-endian
    QCOMPARE(at(e, 21), std::uint8_t{0x2E});
    QCOMPARE(at(e, 22), std::uint8_t{0xF4});  // 500 ms typed in hex
    QCOMPARE(at(e, 23), std::uint8_t{0x01});
    QCOMPARE(at(e, 24), std::uint8_t{0});
    QCOMPARE(at(e, 78), std::uint8_t{1});  // once forced on a voltage event
    // The tab caption marks the entry as used.
    QCOMPARE(rig.pane().entryTabs()->tabText(4), QString("5*"));
  }

  void valueEntryMessagesStoreNothing() {
    Rig rig;
    QVERIFY(rig.showActive());
    rig.pane().selectEntry(2);
    rig.chooseEventPage(static_cast<int>(events::EventType::Timeout));
    rig.typeInto("EditEventTimeout", "12a");
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(rig.boxes[0].flags & box::kKindMask, box::kError);
    QCOMPARE(rig.boxes[0].text, QString::fromUtf8("Введите значение в указанную позицию"));
    auto* edit = rig.control<QLineEdit>("EditEventTimeout");
    QCOMPARE(edit->selectedText(), QString("12a"));
    QCOMPARE(QCursor::pos(), edit->mapToGlobal(edit->rect().center()));
    rig.typeInto("EditEventTimeout", "1000000001");
    QCOMPARE(rig.boxes.size(), std::size_t{2});
    QVERIFY(rig.boxes[1].text.contains("1000000000"));
    const auto e = rig.workingEntry(2);
    QCOMPARE(at(e, 19) | at(e, 20) | at(e, 21) | at(e, 22), 0);
    rig.typeInto("EditEventTimeout", "1000000000");
    QCOMPARE(rig.boxes.size(), std::size_t{2});
    QCOMPARE(at(rig.workingEntry(2), 22), std::uint8_t{0x3B});  // 0x3B9ACA00
  }

  void namingAnEntryThroughTheDialog() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    rig.pane().selectEntry(7);
    QTabBar* tabs = rig.pane().entryTabs();
    QCOMPARE(tabs->tabText(6), QString("7"));
    whenShown<kivprism::ui::dialogs::TFormEditEventReactionName>([](QDialog* d) {
      retype(d, "EditEventReaction", "Door");
      QTest::mouseClick(child<QPushButton>(d, "BitBtnOk"), Qt::LeftButton);
    });
    QTest::mouseDClick(tabs, Qt::LeftButton, {}, tabs->tabRect(6).center());
    QCOMPARE(tabs->tabText(6), QString("7* (Door)"));
    QVERIFY(rig.entryDelivered(7));
    const auto e = rig.deviceEntry(7);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(e.data()), 5), QByteArray("Door\0", 5));
  }

  void canFilterFromTheDialogReachesTheController() {
    Rig rig;
    QVERIFY(rig.showActive());
    QVERIFY(rig.waitConnected());
    rig.pane().selectEntry(3);
    rig.chooseEventPage(static_cast<int>(events::EventType::SwCan));
    auto* button = rig.control<QLabel>("SpeedButtonCANFILERx");
    QVERIFY(button && button->isVisible());
    QCOMPARE(button->text(), QString::fromUtf8("Фильтр не установлен"));
    whenShown<kivprism::ui::dialogs::TFormCANFilter>([](QDialog* d) {
      retype(d, "EditID", "123");
      retype(d, "EditMask", "FF 00");
      retype(d, "EditData", "12 34");
      QTest::mouseClick(child<QPushButton>(d, "BitBtnOK"), Qt::LeftButton);
    });
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(rig.entryDelivered(3));
    const auto e = rig.deviceEntry(3);
    const std::vector<std::uint8_t> filter(e.begin() + 19, e.begin() + 40);
    const std::vector<std::uint8_t> expected = {
        0x00, 0x00, 0x8C, 0x04, 0x02,            // id word 0x123 << 18, two bytes compared
        0xFF, 0x00, 0,    0,    0,    0, 0, 0,   // mask
        0x12, 0x34, 0,    0,    0,    0, 0, 0};  // data
    QCOMPARE(filter, expected);
    QVERIFY(button->text().startsWith("Id:123"));
  }

  void refusedKeyDropStoresNothing() {
    Rig rig;
    rig.pane().selectEntry(4);
    rig.chooseEventPage(static_cast<int>(events::EventType::Key));
    KeyDropPanel* modifier = rig.pane().keyPanel(true);
    KeyDropPanel* key = rig.pane().keyPanel(false);
    KeyDropPanel::Look look{};
    // A modifier from channel 1, then a key from the same channel: refused, panel red.
    QVERIFY(dragOnto(modifier, 0, 3, look));
    QCOMPARE(look, KeyDropPanel::Look::Accepting);
    const std::vector<std::uint8_t> before(rig.workingEntry(4).begin(), rig.workingEntry(4).end());
    QVERIFY(!dragOnto(key, 0, 5, look));
    QCOMPARE(look, KeyDropPanel::Look::Refusing);
    QCOMPARE(key->look(), KeyDropPanel::Look::Idle);
    const std::vector<std::uint8_t> after(rig.workingEntry(4).begin(), rig.workingEntry(4).end());
    QCOMPARE(after, before);
    // An encoder key is no modifier either.
    QVERIFY(!dragOnto(modifier, 4, 1, look));
    // A key from another channel is taken; the modifier's fallback text shows (no label learnt).
    QVERIFY(dragOnto(key, 2, 5, look));
    QCOMPARE(at(rig.workingEntry(4), 18), std::uint8_t{5});
    QCOMPARE(at(rig.workingEntry(4), 19), std::uint8_t{2});
    QCOMPARE(at(rig.workingEntry(4), 20), std::uint8_t{3});
    QCOMPARE(modifier->text(), QString("1.[3] ?"));
    // The panel's context menu deletes the modifier.
    QMenu* menu = rig.pane().keyPanelMenu(true);
    QVERIFY(menu);
    QCOMPARE(menu->actions().at(0)->text(), QString::fromUtf8("Удалить модификатор"));
    menu->actions().at(0)->trigger();
    QCOMPARE(at(rig.workingEntry(4), 20), std::uint8_t{0});
    QVERIFY(modifier->text().isEmpty());
    QVERIFY(!rig.pane().keyPanelMenu(true));
  }

  void sourceMaskDialogStoresTheTickedSources() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    rig.pane().selectEntry(8);
    rig.chooseEventPage(static_cast<int>(events::EventType::Timeout));
    auto* box = rig.control<QComboBox>("ComboBoxEventSRCMASK");
    QVERIFY(box->isEnabled());
    // The items are copied: an initializer_list would dangle once the dialog opens.
    const auto tick = [](std::vector<int> items) {
      return [items = std::move(items)](QDialog* d) {
        auto* list = child<QListWidget>(d, "CheckListBoxInterceptSourcesx");
        for (int i = 0; i < list->count(); ++i) {
          list->item(i)->setCheckState(Qt::Unchecked);
        }
        for (int i : items) {
          list->item(i)->setCheckState(Qt::Checked);
        }
        QTest::mouseClick(child<QPushButton>(d, "ButtonOK"), Qt::LeftButton);
      };
    };
    whenShown<kivprism::ui::TInterceptForm>(tick({0, 2}));
    emit box->activated(1);
    QCOMPARE(at(rig.workingEntry(8), 17), std::uint8_t{0x05});
    QCOMPARE(box->currentIndex(), 1);
    QCOMPARE(box->currentText(), QString(" 1 3"));
    QVERIFY(rig.entryDelivered(8));
    // Every source ticked means any source: the mask is stored as 0 and the box goes back.
    whenShown<kivprism::ui::TInterceptForm>(tick({0, 1, 2, 3, 4, 5, 6, 7}));
    emit box->activated(1);
    QCOMPARE(at(rig.workingEntry(8), 17), std::uint8_t{0});
    QCOMPARE(box->currentIndex(), 0);
  }

  void irPanelLearnsEditsAndDeletes() {
    Rig rig;
    const auto e = events::entryAt(rig.window->model().working, 6);
    e[16] = 2;     // IR code event
    e[18] = 1;     // NEC
    e[19] = 17;    // command
    e[20] = 0x34;  // address 0x1234
    e[21] = 0x12;
    e[77] = 3;
    rig.pane().selectEntry(6);
    auto* panel = rig.control<QLabel>("PanelIRDEFx");
    QCOMPARE(panel->text(), QString("NEC 4660/17"));
    QSignalSpy learn(&rig.pane(), &EventReactionPane::irPanelClicked);
    QTest::mouseClick(panel, Qt::LeftButton);
    QCOMPARE(learn.size(), 1);
    QCOMPARE(learn.at(0).at(0).value<std::size_t>(), std::size_t{6});

    QMenu* menu = rig.pane().irPanelMenu();
    QVERIFY(menu);
    QCOMPARE(menu->actions().size(), 2);
    QCOMPARE(menu->actions().at(1)->text(), QString::fromUtf8("Редактировать ИК код"));
    whenShown<kivprism::ui::dialogs::TFormIRCode>([](QDialog* d) {
      retype(d, "EditIRCodeCommand", "18");
      QTest::mouseClick(child<QPushButton>(d, "ButtonIRCodeOK"), Qt::LeftButton);
    });
    menu->actions().at(1)->trigger();
    delete menu;
    QCOMPARE(at(rig.workingEntry(6), 19), std::uint8_t{18});
    QCOMPARE(panel->text(), QString("NEC 4660/18"));

    menu = rig.pane().irPanelMenu();
    QCOMPARE(menu->actions().at(0)->text(), QString::fromUtf8("Удалить ИК код"));
    menu->actions().at(0)->trigger();
    delete menu;
    QCOMPARE(at(rig.workingEntry(6), 16), std::uint8_t{2});
    QCOMPARE(at(rig.workingEntry(6), 18), std::uint8_t{0});
    QCOMPARE(at(rig.workingEntry(6), 77), std::uint8_t{0});  // no code, no press kind
    QCOMPARE(panel->text(), QString::fromUtf8("Получить код"));
    // Another page: the IR panel offers nothing.
    rig.pane().selectEntry(1);
    QVERIFY(!rig.pane().irPanelMenu());
  }

  // A code learnt in USER, which the event list does not offer, survives an edit with OK, and so
  // does the reaction behind it.
  void editingAUserEventCodeKeepsTheCodeAndTheReaction() {
    Rig rig;
    const auto e = events::entryAt(rig.window->model().working, 6);
    e[16] = 2;     // IR code event
    e[18] = 9;     // USER
    e[19] = 17;    // command
    e[20] = 0x34;  // address 0x1234
    e[21] = 0x12;
    e[80] = 2;  // IR code reaction
    e[81] = 1;  // NEC
    e[82] = 5;
    rig.pane().selectEntry(6);
    QMenu* menu = rig.pane().irPanelMenu();
    QVERIFY(menu);
    whenShown<kivprism::ui::dialogs::TFormIRCode>([](QDialog* d) {
      retype(d, "EditIRCodeCommand", "18");
      QTest::mouseClick(child<QPushButton>(d, "ButtonIRCodeOK"), Qt::LeftButton);
    });
    menu->actions().at(1)->trigger();
    delete menu;
    QCOMPARE(at(rig.workingEntry(6), 18), std::uint8_t{9});
    QCOMPARE(at(rig.workingEntry(6), 19), std::uint8_t{18});
    QCOMPARE(at(rig.workingEntry(6), 21), std::uint8_t{0x12});
    QCOMPARE(at(rig.workingEntry(6), 80), std::uint8_t{2});
    QCOMPARE(at(rig.workingEntry(6), 82), std::uint8_t{5});
  }

  // The window's own wiring: a click on the IR panel asks the controller for its last code.
  void irPanelClickLearnsTheControllersCode() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    rig.pane().selectEntry(4);
    rig.chooseEventPage(static_cast<int>(events::EventType::IrCode));
    rig.controller.receiveIrCode({1, 17, 0x34, 0x12});  // NEC, command 17, address 0x1234
    QTest::mouseClick(rig.control<QLabel>("PanelIRDEFx"), Qt::LeftButton);
    VTRY_COMPARE(rig, at(rig.workingEntry(4), 18), std::uint8_t{1});
    QCOMPARE(at(rig.workingEntry(4), 19), std::uint8_t{17});
    QCOMPARE(at(rig.workingEntry(4), 21), std::uint8_t{0x12});
    QVERIFY(rig.entryDelivered(4));
    QCOMPARE(rig.control<QLabel>("PanelIRDEFx")->text(), QString("NEC 4660/17"));
  }

  // A number typed and left without Enter belongs to the entry it was typed for: switching to
  // another entry or closing the window stores it there, and nothing of it reaches the next entry.
  void aTypedValueIsStoredWhenTheEntryChangesOrTheWindowCloses() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    const auto typeWithoutEnter = [&rig](std::size_t entry, const QString& text) {
      rig.pane().selectEntry(entry);
      rig.chooseEventPage(static_cast<int>(events::EventType::Timeout));
      auto* edit = rig.control<QLineEdit>("EditEventTimeout");
      edit->setFocus();
      edit->selectAll();
      QTest::keyClicks(edit, text);
      return edit;
    };
    typeWithoutEnter(3, "1234");
    rig.pane().selectEntry(5);
    QCOMPARE(at(rig.workingEntry(3), 19), std::uint8_t{0xD2});  // 1234, little-endian
    QCOMPARE(at(rig.workingEntry(3), 20), std::uint8_t{0x04});
    QCOMPARE(at(rig.workingEntry(5), 16), std::uint8_t{0});
    QVERIFY(rig.boxes.empty());
    QVERIFY(rig.entryDelivered(3));

    QLineEdit* edit = typeWithoutEnter(6, "777");
    rig.window->close();
    QCOMPARE(at(rig.workingEntry(6), 19), std::uint8_t{0x09});  // 777
    QCOMPARE(at(rig.workingEntry(6), 20), std::uint8_t{0x03});
    QVERIFY(!kivprism::ui::isUnstored(edit));
  }

  void reactionTypeTabsStoreTheReactionType() {
    Rig rig;
    QVERIFY(rig.waitConnected());
    rig.pane().selectEntry(9);
    rig.chooseEventPage(static_cast<int>(events::EventType::Voltage));
    QCOMPARE(rig.pane().reactionPages()->count(), 31);
    QCOMPARE(rig.pane().reactionPages()->currentIndex(), 0);
    rig.pane().reactionPages()->setCurrentIndex(5);  // source switch
    QCOMPARE(at(rig.workingEntry(9), 80), std::uint8_t{5});
    QVERIFY(rig.entryDelivered(9));
    QMenu* menu = rig.pane().reactionMenu();
    QCOMPARE(menu->objectName(), QString("PopupMenuSelectResponse"));
    QVERIFY(!menu->actions().isEmpty());
    QCOMPARE(menu->actions().at(0)->text(), QString::fromUtf8("Не задана"));
    menu->actions().at(0)->trigger();
    delete menu;
    QCOMPARE(at(rig.workingEntry(9), 80), std::uint8_t{0});
    QCOMPARE(rig.pane().reactionPages()->currentIndex(), 0);
  }

  void wholeReadRedrawsTheCaptionsAndTheSelectedEntry() {
    Rig rig;
    const auto first = events::entryAt(rig.controller.configuration(), 1);
    std::fill(first.begin(), first.end(), std::uint8_t{0});
    const QByteArray name("Horn");
    std::copy(name.begin(), name.end(), first.begin());
    first[16] = 7;  // voltage
    first[19] = 1;
    first[78] = 1;
    QVERIFY(rig.waitConnected());
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.pane().entryTabs()->tabText(0), QString("1* (Horn)"),
                              kTimeoutMs);
    QCOMPARE(rig.pane().eventPages()->currentWidget()->objectName(),
             QString("TabSheetEventVoltage"));
    QCOMPARE(rig.control<QLabel>("SpeedButtonEventVoltageZnakx")->text(), QString(">"));
  }

  void tabMenuSelectsEntry95() {
    Rig rig;
    QMenu* menu = rig.pane().tabsMenu();
    // Ten submenus of ten rules, then a separator and the commands on the selected rule.
    QVERIFY(menu->actions().size() > 11);
    for (int i = 0; i < 10; ++i) {
      QVERIFY(menu->actions().at(i)->menu() != nullptr);
    }
    QVERIFY(menu->actions().at(10)->isSeparator());
    QCOMPARE(menu->actions().at(11)->objectName(), QString("MenuItemRuleCopyx"));
    QMenu* last = menu->actions().at(9)->menu();
    QCOMPARE(menu->actions().at(9)->text(), QString("91...100"));
    QCOMPARE(last->actions().at(4)->text(), QString("95"));
    last->actions().at(4)->trigger();
    QCOMPARE(rig.pane().selectedEntry(), std::size_t{95});
    QCOMPARE(rig.pane().entryTabs()->currentIndex(), 94);
    delete menu;
  }

  void onlyUsedViewHidesUnusedPages() {
    Rig rig;
    rig.pane().selectEntry(1);
    rig.chooseEventPage(static_cast<int>(events::EventType::Voltage));
    const int timeout = static_cast<int>(events::EventType::Timeout);
    QVERIFY(rig.pane().eventPages()->isTabVisible(timeout));
    rig.window->toolbar().SpeedButtonOnlyUsedxClick();
    VTRY_VERIFY(rig, !rig.pane().eventPages()->isTabVisible(timeout));
    QVERIFY(rig.pane().eventPages()->isTabVisible(static_cast<int>(events::EventType::Voltage)));
    QMenu* menu = rig.pane().eventMenu();
    QStringList items;
    for (QAction* a : menu->actions()) {
      items << a->text();
    }
    QVERIFY(!items.contains(QString::fromUtf8("Таймаут")));
    QVERIFY(items.contains(QString::fromUtf8("Напряжение")));
    delete menu;
    rig.window->toolbar().SpeedButtonOnlyUsedxClick();
    VTRY_VERIFY(rig, rig.pane().eventPages()->isTabVisible(timeout));
  }

  void identicalEntriesAreNotRedrawn() {
    Rig rig;
    auto& image = rig.window->model().working;
    for (std::size_t n : {10, 11}) {
      const auto e = events::entryAt(image, n);
      e[16] = 8;  // USB event, deactivation, any press
      e[18] = 1;
      e[77] = 3;
      e[78] = 1;
    }
    rig.pane().selectEntry(10);
    const std::size_t afterFirst = rig.pane().refreshCount();
    rig.pane().selectEntry(11);
    QCOMPARE(rig.pane().refreshCount(), afterFirst);
    rig.pane().selectEntry(12);
    QCOMPARE(rig.pane().refreshCount(), afterFirst + 1);
  }

  void windowRequestsReachTheParametersPage() {
    Rig rig;
    // Key learning's end redraws the pane even though the selected entry did not change.
    const std::size_t before = rig.pane().refreshCount();
    rig.window->pages().parameters->keyEventsChanged();
    QCOMPARE(rig.pane().refreshCount(), before + 1);
    // A reaction pin that needs configuring shows the pins tab.
    QTabWidget* params = rig.window->pages().parameters->pageControl();
    params->setCurrentIndex(params->count() - 1);
    emit rig.pane().pinsTabWanted();
    QCOMPARE(params->currentWidget()->objectName(), QString("TabSheetPINS"));
  }

  void languageSwitchRetranslatesThePane() {
    Rig rig;
    auto* group = rig.pane().findChild<QGroupBox*>("GroupBoxEvent");
    QCOMPARE(group->title(), QString::fromUtf8(" Событие "));
    rig.window->language().applyLanguage(1);
    VTRY_COMPARE(rig, group->title(), QString(" Event "));
    VTRY_COMPARE(rig, rig.pane().eventPages()->tabText(1), QString("Button"));
    VTRY_COMPARE(rig, rig.pane().keyPanel(false)->toolTip(), QString("Drag a button here"));
  }
};

KIVPRISM_WINDOW_TEST(EventPaneTest);

}  // namespace
}  // namespace event_pane_test
#include "event_pane_test.moc"
