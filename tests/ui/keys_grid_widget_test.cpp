// StringGridKeys on its own: cells from the model, label editing through the real cell editor,
// the refusal of a taken name, the context menu and the highlight.
#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include "core/config/image.hpp"
#include "core/events/entry_operations.hpp"
#include "core/events/entry_types.hpp"
#include "core/keys/keys_grid_binding.hpp"
#include "ui/params/keys_grid_widget.hpp"
#include "window_test_main.hpp"

namespace keys_grid_widget_test {
namespace {

using kivprism::config::ConfigImage;
using kivprism::ui::KeysGridWidget;
namespace keys = kivprism::keys;
namespace layout = kivprism::config::layout;
namespace lang = kivprism::lang;

class KeysGridWidgetTest : public QObject {
  Q_OBJECT

 private:
  struct Setup {
    ConfigImage image;
    keys::KeysGrid grid;
    keys::KeysGridBinding binding{image, grid};
    KeysGridWidget widget{binding};

    Setup() {
      image.set(layout::keyLevel(0, 0), 1000);
      image.set(layout::keyLevel(0, 1), 1840);
      keys::storeTypedLabel(image, 0, 2, "Vol+");
      image.set(layout::keyLevel(1, 0), 2600);
      widget.resize(400, 340);
      widget.fillKeysGrid();
      widget.show();
    }
    QString cell(int column, int row) { return widget.item(row, column)->text(); }
    QLineEdit* openEditor(int column, int row) {
      widget.setCurrentCell(row, column);
      widget.editItem(widget.item(row, column));
      return widget.findChild<QLineEdit*>();
    }
  };

 private slots:
  void init() { lang::setCurrentLanguage(lang::Language::English); }

  void cellsComeFromTheModelAndFillTheGrid() {
    Setup s;
    QCOMPARE(s.widget.objectName(), QString("StringGridKeys"));
    QCOMPARE(s.cell(0, 0), QString("Ch 1"));
    QCOMPARE(s.cell(4, 0), QString("Encoder"));
    QCOMPARE(s.cell(0, 1), QString("1.1000"));
    QCOMPARE(s.cell(0, 2), QString("Vol+"));
    QCOMPARE(s.cell(1, 1), QString("2.2600"));
    QCOMPARE(s.cell(4, 1), QString());
    s.image.set(layout::kEnc0Mode, 1);
    s.widget.fillKeysGrid();
    QCOMPARE(s.cell(4, 2), QString("Enc1-"));
    int width = 0;
    for (int c = 0; c < keys::kGridColumns; ++c) {
      width += s.widget.columnWidth(c);
    }
    const int viewport = s.widget.viewport()->width();
    QVERIFY(width <= viewport);
    QVERIFY(width > viewport - keys::kGridColumns - 1);
  }

  void typedLabelIsCutAndStoredAtThePollTick() {
    Setup s;
    QSignalSpy events(&s.widget, &KeysGridWidget::keyEventsChanged);
    QLineEdit* editor = s.openEditor(0, 2);
    QVERIFY(editor);
    s.widget.pollTick();
    QCOMPARE(s.grid.editState(), 2);
    editor->clear();
    QTest::keyClicks(editor, "ABCDEFG");
    QCOMPARE(editor->text(), QString("ABCDE"));
    // The delegate commits and closes the editor on its next event round.
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!s.widget.isEditorOpen());
    s.widget.pollTick();
    QCOMPARE(keys::storedLabel(s.image, 0, 2), std::string("ABCDE"));
    QCOMPARE(s.cell(0, 2), QString("ABCDE"));
    QCOMPARE(events.count(), 1);
    QVERIFY(s.widget.selectedItems().isEmpty());
  }

  void takenNameIsRefused() {
    Setup s;
    s.widget.item(2, 0)->setText("Mute");
    QSignalSpy refused(&s.widget, &KeysGridWidget::nameRefused);
    QLineEdit* editor = s.openEditor(1, 1);
    QVERIFY(editor);
    s.widget.pollTick();
    editor->clear();
    QTest::keyClicks(editor, "Mute");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!s.widget.isEditorOpen());
    s.widget.pollTick();
    QCOMPARE(refused.count(), 1);
    QCOMPARE(refused.at(0).at(0).toString(),
             QString("The name \"Mute\"\nis already assigned\nPlease enter a different name"));
    QCOMPARE(s.cell(1, 1), QString("2.2600"));
  }

  void encoderColumnAndEmptySlotsStayClosed() {
    Setup s;
    s.image.set(layout::kEnc0Mode, 1);
    s.widget.fillKeysGrid();
    QVERIFY(!s.openEditor(4, 1));
    QCOMPARE(s.grid.editState(), 0);
    s.widget.clearKeysSelection();
    s.widget.setCurrentCell(5, 0);
    QVERIFY(s.widget.selectedItems().isEmpty());
    s.widget.setCurrentCell(1, 4);
    QCOMPARE(s.widget.selectedItems().size(), 1);
  }

  void contextMenuDeletesAKeyAndItsReferences() {
    Setup s;
    auto entry = s.image.entry(0);
    kivprism::events::setEventType(entry,
                                   static_cast<std::uint8_t>(kivprism::events::EventType::Key));
    kivprism::events::setKey(entry, {2, 0});
    QVERIFY(!s.widget.menuFor(0, 5));
    QMenu* menu = s.widget.menuFor(0, 2);
    QVERIFY(menu);
    QAction* action = menu->findChild<QAction*>("DeleteKeyx");
    QVERIFY(action);
    QCOMPARE(action->text(), QString("Delete this key"));
    QSignalSpy events(&s.widget, &KeysGridWidget::keyEventsChanged);
    action->trigger();
    QCOMPARE(events.count(), 1);
    QCOMPARE(keys::keyLevelAt(s.image, 0, 2), std::uint16_t{0});
    QCOMPARE(s.cell(0, 2), QString());
    QVERIFY(!kivprism::events::keyOf(s.image.entry(0)).isSet());

    menu = s.widget.menuFor(1, 0);
    QVERIFY(menu);
    QCOMPARE(menu->actions().at(0)->text(), QString("Delete all buttons of the channel 2"));
    QStringList questions;
    s.widget.setQuestionAsker([&](const QString& text) {
      questions << text;
      return true;
    });
    menu->actions().at(0)->trigger();
    QCOMPARE(
        questions,
        QStringList{"Delete all buttons of the channel 2?\nKey events using these buttons: 0"});
    QCOMPARE(events.count(), 1);  // no key event names the channel
    QCOMPARE(s.cell(1, 1), QString());
    QVERIFY(!keys::channelHasData(s.image, 1));
  }

  void deletingAChannelAsksAndRedrawsTheKeyEventsThatNameIt() {
    Setup s;
    auto entry = s.image.entry(3);
    kivprism::events::setEventType(entry,
                                   static_cast<std::uint8_t>(kivprism::events::EventType::Key));
    kivprism::events::setKey(entry, {1, 0});
    QSignalSpy events(&s.widget, &KeysGridWidget::keyEventsChanged);
    // Without anyone to answer, and on No, the keys stay.
    s.widget.menuFor(0, 0)->actions().at(0)->trigger();
    QCOMPARE(s.cell(0, 1), QString("1.1000"));
    QString asked;
    bool yes = false;
    s.widget.setQuestionAsker([&](const QString& text) {
      asked = text;
      return yes;
    });
    s.widget.menuFor(0, 0)->actions().at(0)->trigger();
    QCOMPARE(asked,
             QString("Delete all buttons of the channel 1?\nKey events using these buttons: 1"));
    QCOMPARE(keys::keyLevelAt(s.image, 0, 1), std::uint16_t{1000});
    QCOMPARE(s.cell(0, 1), QString("1.1000"));
    QCOMPARE(events.count(), 0);
    yes = true;
    s.widget.menuFor(0, 0)->actions().at(0)->trigger();
    QVERIFY(!keys::channelHasData(s.image, 0));
    QCOMPARE(s.cell(0, 1), QString());
    QCOMPARE(events.count(), 1);
    QCOMPARE(kivprism::events::keyOf(s.image.entry(3)), (kivprism::events::KeyReference{1, 0}));
  }

  void emptySlotTakesNoLabel() {
    Setup s;
    QVERIFY(!s.openEditor(0, 5));
    QCOMPARE(s.grid.editState(), 0);
    // Text put into the cell anyway does not stay.
    s.widget.item(5, 0)->setText("Ghost");
    QCOMPARE(s.cell(0, 5), QString());
    s.widget.pollTick();
    s.binding.writeKeyLabels();
    QCOMPARE(keys::storedLabel(s.image, 0, 5), std::string());
    QVERIFY(!keys::slotUsed(s.image, 0, 5));
  }

  void pollTickWithdrawsOnlyTheGridsOwnHint() {
    Setup s;
    QWidget other;
    other.resize(100, 30);
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    s.widget.setAttribute(Qt::WA_UnderMouse, false);
    QToolTip::showText(other.mapToGlobal(QPoint(5, 5)), "Toolbar hint", &other);
    QVERIFY(QToolTip::isVisible());
    for (int i = 0; i < 4; ++i) {
      s.widget.pollTick();
      QApplication::processEvents();
    }
    // A withdrawn hint goes after Qt's 300 ms hide delay.
    QTest::qWait(350);
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QString("Toolbar hint"));

    // The grid's hint of a learnt key goes once the mouse has left the grid.
    const QRect cell = s.widget.visualItemRect(s.widget.item(1, 0));
    QTest::mouseMove(s.widget.viewport(), cell.center());
    QCOMPARE(s.widget.currentHint(), QString("Channel 1, code 1000 (limit 0)"));
    QHelpEvent help(QEvent::ToolTip, cell.center(),
                    s.widget.viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(s.widget.viewport(), &help);
    QTRY_COMPARE(QToolTip::text(), QString("Channel 1, code 1000 (limit 0)"));
    s.widget.setAttribute(Qt::WA_UnderMouse, false);
    s.widget.pollTick();
    QVERIFY(s.widget.currentHint().isEmpty());
    QTRY_VERIFY(!QToolTip::isVisible());
  }

  void pressedKeyIsWhiteOnBlue() {
    Setup s;
    s.grid.showPressedKey(s.image, 0, 1);
    s.widget.showModel();
    QCOMPARE(s.widget.item(1, 0)->background().color(), QColor(Qt::blue));
    QCOMPARE(s.widget.item(1, 0)->foreground().color(), QColor(Qt::white));
    QCOMPARE(s.widget.item(2, 0)->foreground().color(), QColor(Qt::black));
  }
};

KIVPRISM_WINDOW_TEST(KeysGridWidgetTest);

}  // namespace
}  // namespace keys_grid_widget_test
#include "keys_grid_widget_test.moc"
