// The language table against the real window, the keyboard dialog and the IR code dialog: every row
// reaches a control and holds its design text, a switch to English leaves no Russian behind, and a
// switch back restores every text and every selected position.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <string_view>

#include "core/forms/main_form_rows.hpp"
#include "core/lang/dialog_rows.hpp"
#include "core/lang/language_table.hpp"
#include "core/lang/text.hpp"
#include "support/window_rig.hpp"
#include "ui/common/translate_form.hpp"
#include "ui/dialogs/ir_code_dialog.hpp"
#include "ui/editor/event_reaction_pane.hpp"
#include "window_test_main.hpp"

namespace language_switch_test {
namespace {

using kivprism::lang::LanguageRow;
using kivprism::ui::TMainForm;

// Texts that name both languages and so read the same in each: the language menu and its Russian
// item, and the switch's hint.
const QStringList kCyrillicInEnglishAllowed = {"MenuItemLanguagex", "MenuItemLanguageRussianx",
                                               "SpeedButtonLangx"};

// Widgets whose texts come from the controller or the user, not from the program.
bool isLiveText(const QObject* object) {
  for (const QObject* o = object; o != nullptr; o = o->parent()) {
    const QString name = o->objectName();
    if (name == "TabSheetMonitoring" || qobject_cast<const QStatusBar*>(o) != nullptr) {
      return true;
    }
  }
  return false;
}

kivprism::testing::WindowRigSetup setupFor(const char* settings, const char* systemLanguage) {
  kivprism::testing::WindowRigSetup setup;
  setup.settings = settings;
  setup.systemLanguage = QString::fromLatin1(systemLanguage);
  // Started, not shown.
  setup.start = false;
  return setup;
}

class Rig : public kivprism::testing::WindowRig {
 public:
  // An empty settings text: no settings file at all.
  explicit Rig(const char* settings = "[MainSettings]\r\nLang=0\r\n",
               const char* systemLanguage = "ru-RU")
      : WindowRig(setupFor(settings, systemLanguage)) {
    boxAnswer = 0;
    window->startUp();
    settle();
  }

  void switchTo(int index) {
    window->language().applyLanguage(index);
    settle();
  }
  void settle() { advance(20); }
};

// The control part of a key: "MainForm_ComboBoxGPSNUM_Hint" -> "ComboBoxGPSNUM".
QString controlOf(std::string_view key, std::string_view form) {
  key.remove_prefix(form.size() + 1);
  key.remove_suffix(key.size() - key.rfind('_'));
  return QString::fromLatin1(key.data(), qsizetype(key.size()));
}

QTabWidget* owningTabs(QWidget* page) {
  auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
  return stack != nullptr ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
}

// What a caption row sets on this object, as the object shows it now; a null string when the
// walk has nothing to set there.
QString captionOf(QObject* object) {
  if (auto* combo = qobject_cast<QComboBox*>(object)) {
    QString items;
    for (int i = 0; i < combo->count(); ++i) {
      items += combo->itemText(i) + "\r\n";
    }
    return items;
  }
  if (auto* action = qobject_cast<QAction*>(object)) {
    return action->text();
  }
  if (auto* menu = qobject_cast<QMenu*>(object)) {
    return menu->title();
  }
  if (auto* button = qobject_cast<QAbstractButton*>(object)) {
    return button->text();
  }
  if (auto* label = qobject_cast<QLabel*>(object)) {
    return label->text();
  }
  if (auto* group = qobject_cast<QGroupBox*>(object)) {
    return group->title();
  }
  if (auto* page = qobject_cast<QWidget*>(object)) {
    if (QTabWidget* tabs = owningTabs(page)) {
      return tabs->tabText(tabs->indexOf(page));
    }
  }
  return {};
}

QString hintOf(QObject* object) {
  if (auto* action = qobject_cast<QAction*>(object)) {
    return action->toolTip();
  }
  auto* widget = qobject_cast<QWidget*>(object);
  return widget != nullptr ? widget->toolTip() : QString();
}

// Every text a user can read on these objects, keyed by object and role.
QMap<QString, QString> textsOf(QObject* root) {
  QMap<QString, QString> texts;
  QList<QObject*> objects = root->findChildren<QObject*>();
  objects.prepend(root);
  for (QObject* o : objects) {
    const QString name = o->objectName();
    if (name.isEmpty() || name.startsWith("qt_") || isLiveText(o)) {
      continue;
    }
    // The message panel's caption is the controller's prompt or the last short message.
    if (const QString caption = captionOf(o); !caption.isEmpty() && name != "PanelMenu") {
      texts[name + "/caption"] = caption;
    }
    if (const QString hint = hintOf(o); !hint.isEmpty()) {
      texts[name + "/hint"] = hint;
    }
    if (auto* view = qobject_cast<QAbstractItemView*>(o); view != nullptr && view->model()) {
      const QAbstractItemModel* model = view->model();
      for (int c = 0; c < model->columnCount(); ++c) {
        texts[name + "/column" + QString::number(c)] =
            model->headerData(c, Qt::Horizontal).toString();
      }
      for (int r = 0; r < model->rowCount(); ++r) {
        texts[name + "/row" + QString::number(r)] = model->headerData(r, Qt::Vertical).toString();
      }
    }
    // Grids whose fixed cells carry the headings (the keys table).
    if (auto* grid = qobject_cast<QTableWidget*>(o)) {
      for (int r = 0; r < grid->rowCount(); ++r) {
        for (int c = 0; c < grid->columnCount(); ++c) {
          if (const QTableWidgetItem* item = grid->item(r, c)) {
            texts[name + "/cell" + QString::number(r) + "," + QString::number(c)] = item->text();
          }
        }
      }
    }
    if (auto* tabs = qobject_cast<QTabBar*>(o)) {
      for (int i = 0; i < tabs->count(); ++i) {
        texts[name + "/tab" + QString::number(i)] = tabs->tabText(i);
      }
    }
    if (auto* w = qobject_cast<QWidget*>(o); w != nullptr && w->isWindow()) {
      texts[name + "/title"] = w->windowTitle();
    }
  }
  return texts;
}

bool hasCyrillic(const QString& text) {
  static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
  return text.contains(cyrillic);
}

// The event and reaction pages show their lists only while the entry has their type: give entry 1
// each type in turn, also the types the configuration does not offer (the page shows while the
// entry has its type), and check the page shown.
template <typename Check>
void onEveryEditorPage(Rig& rig, Check check) {
  for (QTabWidget* pages : {rig.window->pages().eventPane->eventPages(),
                            rig.window->pages().eventPane->reactionPages()}) {
    int visited = 0;
    for (int p = 0; p < pages->count(); ++p) {
      pages->setTabVisible(p, true);
      pages->setCurrentIndex(p);
      rig.settle();
      if (pages->currentIndex() == p) {
        check(pages->widget(p));
        ++visited;
      }
    }
    QCOMPARE(visited, pages->count());
    pages->setCurrentIndex(0);
    rig.settle();
  }
}

class LanguageSwitchTest : public QObject {
  Q_OBJECT

 private slots:
  void everyRowReachesAControlThatShowsItsRussianText() {
    Rig rig;
    struct Form {
      std::string_view name;
      std::span<const LanguageRow> rows;
      QWidget* widget;
    };
    const Form forms[] = {
        {kivprism::lang::kMainFormName, kivprism::forms::mainFormRows(), rig.window.get()},
        {kivprism::lang::kKeyboardFormName, kivprism::lang::keyboardDialogRows(),
         rig.window->findChild<QWidget*>("FormKeyBoard")},
        {kivprism::lang::kIrCodeFormName, kivprism::lang::irCodeFormRows(),
         &rig.window->pages().eventPane->irCodeDialog()},
    };
    for (const Form& form : forms) {
      QVERIFY(form.widget != nullptr);
      for (const LanguageRow& row : form.rows) {
        const QString name = controlOf(row.key, form.name);
        QObject* control = form.widget->findChild<QObject*>(name);
        QVERIFY2(control != nullptr, row.key.data());
        const QString russian =
            QString::fromUtf8(row.text.ru.data(), qsizetype(row.text.ru.size()));
        if (row.key.ends_with("_Hint")) {
          QVERIFY2(hintOf(control).startsWith(russian), row.key.data());
        } else {
          QVERIFY2(!captionOf(control).isNull(), row.key.data());
          QCOMPARE(captionOf(control), russian);
        }
      }
    }
    // The editor pages' lists as their own refresh fills them from the entry.
    const auto rows = kivprism::forms::mainFormRows();
    onEveryEditorPage(rig, [&](QWidget* page) {
      for (QComboBox* combo : page->findChildren<QComboBox*>()) {
        const std::string key = "MainForm_" + combo->objectName().toStdString() + "_Caption";
        if (const LanguageRow* row = kivprism::lang::findLanguageRow(key, rows)) {
          QCOMPARE(captionOf(combo),
                   QString::fromUtf8(row->text.ru.data(), qsizetype(row->text.ru.size())));
        }
      }
    });
  }

  void englishLeavesNoRussianOnAnyForm() {
    Rig rig;
    rig.switchTo(1);
    QStringList russian;
    const auto collect = [&russian](QWidget* root) {
      const auto texts = textsOf(root);
      for (auto it = texts.begin(); it != texts.end(); ++it) {
        if (hasCyrillic(it.value()) &&
            !kCyrillicInEnglishAllowed.contains(it.key().section('/', 0, 0))) {
          russian << it.key() + ": " + it.value();
        }
      }
    };
    collect(rig.window.get());
    onEveryEditorPage(rig, collect);
    russian.removeDuplicates();
    QVERIFY2(russian.isEmpty(), qPrintable(russian.join('\n')));
    QCOMPARE(rig.window->windowTitle().contains("KIV"), true);
  }

  void englishAndBackRestoresEveryTextAndSelection() {
    Rig rig;
    // Positions other than the first, so that a list refilled from scratch would show.
    for (const char* name : {"ComboBoxGPSSPEED", "ComboBoxUARTSPEED", "ComboBoxCarDspType"}) {
      auto* combo = rig.window->findChild<QComboBox*>(name);
      QVERIFY2(combo != nullptr, name);
      combo->setCurrentIndex(1);
      emit combo->activated(1);
      rig.settle();
      QCOMPARE(combo->currentIndex(), 1);
    }
    rig.settle();
    const auto before = textsOf(rig.window.get());
    QMap<QString, int> selected;
    for (QComboBox* combo : rig.window->findChildren<QComboBox*>()) {
      selected[combo->objectName()] = combo->currentIndex();
    }
    rig.switchTo(1);
    QVERIFY(before != textsOf(rig.window.get()));
    for (QComboBox* combo : rig.window->findChildren<QComboBox*>()) {
      QVERIFY2(selected.value(combo->objectName()) == combo->currentIndex(),
               qPrintable(combo->objectName()));
    }
    rig.switchTo(0);
    const auto after = textsOf(rig.window.get());
    for (auto it = before.begin(); it != before.end(); ++it) {
      QVERIFY2(after.value(it.key()) == it.value(),
               qPrintable(it.key() + ": " + it.value() + " -> " + after.value(it.key())));
    }
    QCOMPARE(after.size(), before.size());
  }

  void startLanguageFromSettingsAndSystem() {
    const struct {
      const char* settings;
      const char* system;
      kivprism::lang::Language language;
      const char* switchText;
    } cases[] = {
        {"[MainSettings]\r\nLang=7\r\n", "de-DE", kivprism::lang::Language::Russian, "EN"},
        {"", "uk-UA", kivprism::lang::Language::Russian, "EN"},
        {"", "de-DE", kivprism::lang::Language::English, "RU"},
        {"[MainSettings]\r\nLang=1\r\n", "ru-RU", kivprism::lang::Language::English, "RU"},
    };
    for (const auto& c : cases) {
      kivprism::lang::setCurrentLanguage(kivprism::lang::Language::Russian);
      Rig rig(c.settings, c.system);
      QCOMPARE(kivprism::lang::currentLanguage(), c.language);
      QCOMPARE(rig.window->findChild<QToolButton*>("SpeedButtonLangx")->text(),
               QString(c.switchText));
      QCOMPARE(rig.window->findChild<QAction*>("MenuItemLanguageEnglishx")->isChecked(),
               c.language == kivprism::lang::Language::English);
    }
    // -1 applies nothing: Russian design texts, neither menu item ticked.
    Rig rig("[MainSettings]\r\nLang=-1\r\n", "de-DE");
    QCOMPARE(kivprism::lang::currentLanguage(), kivprism::lang::Language::Russian);
    QCOMPARE(rig.window->findChild<QTabWidget*>("PageControlMain")->tabText(0),
             QString::fromUtf8("Терминал"));
    QVERIFY(!rig.window->findChild<QAction*>("MenuItemLanguageRussianx")->isChecked());
    QVERIFY(!rig.window->findChild<QAction*>("MenuItemLanguageEnglishx")->isChecked());
    QCOMPARE(rig.window->language().applyLanguage(-1), 0);
  }

  // The walk's class table on widgets alone: a list keeps its position, a check box its tick.
  void translateFormKeepsSelectionAndTicks() {
    QWidget form;
    auto* combo = new QComboBox(&form);
    combo->setObjectName("ComboBoxA");
    combo->addItems({"один", "два", "три"});
    combo->setCurrentIndex(2);
    auto* box = new QCheckBox(&form);
    box->setObjectName("CheckBoxB");
    box->setChecked(true);
    const LanguageRow rows[] = {
        {"F_ComboBoxA_Caption", {"один\r\nдва\r\nтри\r\n", "one\r\ntwo\r\nthree\r\n"}},
        {"F_CheckBoxB_Caption", {"Флажок", "Tick"}},
        {"F_ComboBoxA_Hint", {"Список", "List"}},
    };
    kivprism::lang::setCurrentLanguage(kivprism::lang::Language::English);
    kivprism::ui::translateForm(&form, "F", rows);
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->itemText(0), QString("one"));
    QCOMPARE(combo->currentIndex(), 2);
    QCOMPARE(combo->toolTip(), QString("List"));
    QVERIFY(box->isChecked());
    QCOMPARE(box->text(), QString("Tick"));
    kivprism::lang::setCurrentLanguage(kivprism::lang::Language::Russian);
    kivprism::ui::translateForm(&form, "F", rows);
    QCOMPARE(combo->itemText(2), QString::fromUtf8("три"));
    QCOMPARE(combo->currentIndex(), 2);

    // Lists that differ in their first item only, as most pin lists do ("Отключен", "X2/2").
    auto* pins = new QComboBox(&form);
    pins->setObjectName("ComboBoxPins");
    pins->addItems({QString::fromUtf8("Отключен"), "X2/2"});
    pins->setCurrentIndex(1);
    const LanguageRow pinRows[] = {
        {"F_ComboBoxPins_Caption", {"Отключен\r\nX2/2\r\n", "Disabled\r\nX2/2\r\n"}},
    };
    kivprism::lang::setCurrentLanguage(kivprism::lang::Language::English);
    kivprism::ui::translateForm(&form, "F", pinRows);
    QCOMPARE(pins->itemText(0), QString("Disabled"));
    QCOMPARE(pins->currentIndex(), 1);
    kivprism::lang::setCurrentLanguage(kivprism::lang::Language::Russian);
  }
};

KIVPRISM_WINDOW_TEST(LanguageSwitchTest);

}  // namespace
}  // namespace language_switch_test
#include "language_switch_test.moc"
