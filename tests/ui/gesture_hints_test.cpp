// The editor says what its hidden gestures do: an empty key panel that a key is dragged onto, and
// the page of no type whose right click opens the list of types, in both languages.
#include <QImage>
#include <QLabel>
#include <QTabWidget>

#include "pane_rig.hpp"
#include "ui/editor/panel_button.hpp"

using kivprism::ui::editor::KeyDropPanel;
using namespace pane_rig;

class GestureHintsTest : public QObject {
  Q_OBJECT

 private slots:
  void anEmptyKeyPanelSaysWhereItsKeyComesFrom() {
    Rig rig;
    rig.pane().selectEntry(4);
    rig.chooseEventPage(static_cast<int>(events::EventType::Key));
    KeyDropPanel* key = rig.pane().keyPanel(false);
    QVERIFY(key != nullptr);
    QVERIFY(key->text().isEmpty());
    QCOMPARE(key->placeholder(), QString::fromUtf8("Перетащите сюда кнопку из таблицы кнопок"));
    // The placeholder is drawn only while the panel holds no key.
    key->resize(300, 40);
    const QImage withHint = key->grab().toImage();
    const QString hint = key->placeholder();
    key->setPlaceholder(QString());
    const QImage without = key->grab().toImage();
    QVERIFY(withHint != without);
    key->setPlaceholder(hint);
    key->setText("1.[3]");
    const QImage withKey = key->grab().toImage();
    key->setText(QString());
    key->setPlaceholder(QString());
    key->setText("1.[3]");
    QCOMPARE(withKey, key->grab().toImage());

    rig.window->applyLanguage(1);
    QTRY_COMPARE(key->placeholder(), QString("Drag a key here from the keys table"));
  }

  void thePageOfNoTypeSaysThatARightClickListsTheTypes() {
    Rig rig;
    // The demo's later entries are unused: event and reaction not set.
    rig.pane().selectEntry(90);
    QCOMPARE(rig.pane().eventPages()->currentIndex(), 0);
    QCOMPARE(rig.pane().reactionPages()->currentIndex(), 0);
    for (QTabWidget* pages : {rig.pane().eventPages(), rig.pane().reactionPages()}) {
      auto* hint = pages->widget(0)->findChild<QLabel*>(pages->objectName() + "TypeHintx");
      QVERIFY2(hint != nullptr, qPrintable(pages->objectName()));
      QVERIFY(hint->isVisible());
      QTRY_COMPARE(hint->text(),
                   QString::fromUtf8("Щелчок правой кнопкой мыши открывает список типов"));
      rig.window->applyLanguage(1);
      QTRY_COMPARE(hint->text(), QString("A right click opens the list of types"));
      rig.window->applyLanguage(0);
    }
  }
};

QTEST_MAIN(GestureHintsTest)
#include "gesture_hints_test.moc"
