// The editor says what its hidden gestures do: an empty key panel takes a key dragged from the
// keys table, and the page of no type opens the list of types with a right click, in both
// languages.
#include <QApplication>
#include <QDragEnterEvent>
#include <QLabel>
#include <QMimeData>
#include <QTabWidget>
#include <memory>

#include "pane_rig.hpp"
#include "ui/editor/panel_button.hpp"
#include "window_test_main.hpp"

namespace gesture_hints_test {
namespace {

using kivprism::ui::editor::KeyDropPanel;
using namespace pane_rig;

bool dropOnto(KeyDropPanel* panel, int column, int row) {
  std::unique_ptr<QMimeData> mime(kivprism::ui::editor::keyMimeData(column, row));
  const QPoint centre = panel->rect().center();
  QDragEnterEvent enter(centre, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(panel, &enter);
  QDropEvent drop(QPointF(centre), Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(panel, &drop);
  return drop.isAccepted();
}

class GestureHintsTest : public QObject {
  Q_OBJECT

 private slots:
  void anEmptyKeyPanelSaysWhereItsKeyComesFrom() {
    Rig rig;
    QVERIFY(rig.showActive());
    QVERIFY(rig.waitConnected());
    // An unused entry made a key event: no key yet.
    rig.pane().selectEntry(90);
    rig.chooseEventPage(static_cast<int>(events::EventType::Key));
    KeyDropPanel* key = rig.pane().keyPanel(false);
    QLabel* hint = rig.pane().keyHint();
    QVERIFY(key != nullptr && hint != nullptr);
    QVERIFY(key->text().isEmpty());
    QVERIFY(hint->isVisible());
    QCOMPARE(hint->text(), QString::fromUtf8("Перетащите сюда кнопку из таблицы кнопок"));
    // Under the key panel, on the same page.
    QCOMPARE(hint->parentWidget(), rig.pane().eventPages()->currentWidget());
    QVERIFY(hint->geometry().top() >= key->mapTo(hint->parentWidget(), QPoint(0, 0)).y());

    // With a key there it says nothing more.
    QVERIFY(dropOnto(key, 0, 5));
    QVERIFY(!key->text().isEmpty());
    QVERIFY(!hint->isVisible());

    rig.window->language().applyLanguage(1);
    VTRY_COMPARE(rig, hint->text(), QString("Drag a key here from the keys table"));
  }

  void thePageOfNoTypeSaysThatARightClickListsTheTypes() {
    Rig rig;
    QVERIFY(rig.showActive());
    // The demo's later entries are unused: event and reaction not set.
    rig.pane().selectEntry(90);
    QCOMPARE(rig.pane().eventPages()->currentIndex(), 0);
    QCOMPARE(rig.pane().reactionPages()->currentIndex(), 0);
    for (QTabWidget* pages : {rig.pane().eventPages(), rig.pane().reactionPages()}) {
      auto* hint = pages->widget(0)->findChild<QLabel*>(pages->objectName() + "TypeHintx");
      QVERIFY2(hint != nullptr, qPrintable(pages->objectName()));
      QVERIFY(hint->isVisible());
      VTRY_COMPARE(rig, hint->text(),
                   QString::fromUtf8("Щелчок правой кнопкой мыши открывает список типов"));
      rig.window->language().applyLanguage(1);
      VTRY_COMPARE(rig, hint->text(), QString("A right click opens the list of types"));
      rig.window->language().applyLanguage(0);
    }
  }
};

KIVPRISM_WINDOW_TEST(GestureHintsTest);

}  // namespace
}  // namespace gesture_hints_test
#include "gesture_hints_test.moc"
