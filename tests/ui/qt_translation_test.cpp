// Qt's own texts follow the program's language: the buttons of a question and the context menu of
// a text field are Russian in Russian mode and English again after switching back.
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>

#include "core/lang/text.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "ui/app/main_window.hpp"
#include "ui/app/qt_translation.hpp"
#include "window_test_main.hpp"

namespace qt_translation_test {
namespace {

using kivprism::lang::Language;
using kivprism::ui::applyQtTranslation;

struct QtTexts {
  QString yes;
  QString no;
  QStringList lineEditMenu;
};

// What Qt itself shows right now, built fresh as the program builds its questions and fields.
QtTexts currentQtTexts() {
  QtTexts texts;
  QMessageBox box(QMessageBox::Question, "kivprism", "?", QMessageBox::Yes | QMessageBox::No);
  texts.yes = box.button(QMessageBox::Yes)->text();
  texts.no = box.button(QMessageBox::No)->text();
  QLineEdit field("text");
  std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
  for (const QAction* action : menu->actions()) {
    if (!action->isSeparator()) {
      texts.lineEditMenu << action->text();
    }
  }
  return texts;
}

bool hasCyrillic(const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() >= 0x0400 && c.unicode() <= 0x04FF) {
      return true;
    }
  }
  return false;
}

bool allCyrillic(const QStringList& texts) {
  return !texts.isEmpty() && std::all_of(texts.begin(), texts.end(), hasCyrillic);
}

bool noneCyrillic(const QStringList& texts) {
  return !texts.isEmpty() && std::none_of(texts.begin(), texts.end(), hasCyrillic);
}

bool translationPresent() {
  return QFile::exists(kivprism::ui::qtTranslationsFolder() + "/qtbase_ru.qm");
}

// A window on the simulated controller that starts in the stored language (0 Russian, 1 English,
// -1 none applied).
class Rig {
 public:
  explicit Rig(int storedLanguage) : port(controller) {
    const QString path = dir.filePath("kivprism.ini");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(QString("[MainSettings]\r\nLang=%1\r\n").arg(storedLanguage).toUtf8());
    file.close();
    kivprism::ui::MainWindowOptions options;
    options.settingsPath = path;
    options.systemLanguage = "de-DE";
    options.boxAnswerer = [](unsigned, const QString&, const QString&) { return 0; };
    window = std::make_unique<kivprism::ui::TMainForm>(port, options);
    window->startUp();
  }

  QTemporaryDir dir;
  kivprism::sim::SimulatedController controller;
  kivprism::sim::SimulatedHidPort port;
  std::unique_ptr<kivprism::ui::TMainForm> window;
};

class QtTranslationTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { applyQtTranslation(Language::English); }

  void theWindowsLanguageSwitchCarriesQtsTexts() {
    if (!translationPresent()) {
      QSKIP("Qt's Russian translation is not installed (qt6-translations-l10n)");
    }
    Rig rig(1);
    QCOMPARE(currentQtTexts().yes, QString("&Yes"));

    rig.window->language().applyLanguage(0);
    QtTexts russian = currentQtTexts();
    QVERIFY2(hasCyrillic(russian.yes), qPrintable(russian.yes));
    QVERIFY2(hasCyrillic(russian.no), qPrintable(russian.no));
    QVERIFY2(allCyrillic(russian.lineEditMenu), qPrintable(russian.lineEditMenu.join(" | ")));

    rig.window->language().applyLanguage(1);
    QtTexts english = currentQtTexts();
    QCOMPARE(english.yes, QString("&Yes"));
    QCOMPARE(english.no, QString("&No"));
    QVERIFY2(noneCyrillic(english.lineEditMenu), qPrintable(english.lineEditMenu.join(" | ")));
    QVERIFY2(english.lineEditMenu.filter(QRegularExpression("^&Copy(\\t|$)")).size() == 1,
             qPrintable(english.lineEditMenu.join(" | ")));
  }

  // Stored -1: no language is applied at start and the window keeps its Russian design texts.
  void aWindowKeepingItsRussianDesignHasRussianQtTexts() {
    if (!translationPresent()) {
      QSKIP("Qt's Russian translation is not installed (qt6-translations-l10n)");
    }
    Rig rig(-1);
    QVERIFY(hasCyrillic(currentQtTexts().yes));
    // The language switch on the toolbar goes to English.
    rig.window->language().applyLanguage(1);
    QCOMPARE(currentQtTexts().no, QString("&No"));
  }

  // Switching to Russian again and again must not stack translations that one switch back to
  // English would leave behind.
  void oneSwitchBackUndoesRepeatedRussianSwitches() {
    if (!translationPresent()) {
      QSKIP("Qt's Russian translation is not installed (qt6-translations-l10n)");
    }
    QVERIFY(applyQtTranslation(Language::Russian));
    QVERIFY(applyQtTranslation(Language::Russian));
    QVERIFY(applyQtTranslation(Language::Russian));
    QVERIFY(hasCyrillic(currentQtTexts().yes));
    QVERIFY(applyQtTranslation(Language::English));
    QCOMPARE(currentQtTexts().yes, QString("&Yes"));
    // And back again, as often as the user likes.
    for (int round = 0; round < 3; ++round) {
      QVERIFY(applyQtTranslation(Language::Russian));
      QVERIFY(hasCyrillic(currentQtTexts().no));
      QVERIFY(applyQtTranslation(Language::English));
      QCOMPARE(currentQtTexts().no, QString("&No"));
    }
  }

  void withoutTheTranslationQtStaysEnglishAndTheProgramRuns() {
    QTemporaryDir empty;
    QVERIFY(!applyQtTranslation(Language::Russian, empty.path()));
    QCOMPARE(currentQtTexts().yes, QString("&Yes"));
    QVERIFY(applyQtTranslation(Language::English, empty.path()));
    QCOMPARE(currentQtTexts().no, QString("&No"));
    // A translation that is not one: the file exists but is no translation.
    QFile bogus(empty.filePath("qtbase_ru.qm"));
    QVERIFY(bogus.open(QIODevice::WriteOnly));
    bogus.write("not a translation");
    bogus.close();
    QVERIFY(!applyQtTranslation(Language::Russian, empty.path()));
    QCOMPARE(currentQtTexts().yes, QString("&Yes"));
  }

  // The translations folder changing under a running program (Qt's folder, then one without the
  // file, then Qt's again): Qt follows whatever can be read.
  void aMissingTranslationAfterAPresentOneAndBack() {
    if (!translationPresent()) {
      QSKIP("Qt's Russian translation is not installed (qt6-translations-l10n)");
    }
    QTemporaryDir empty;
    QVERIFY(applyQtTranslation(Language::Russian));
    QVERIFY(!applyQtTranslation(Language::Russian, empty.path()));
    QCOMPARE(currentQtTexts().yes, QString("&Yes"));
    QVERIFY(applyQtTranslation(Language::Russian));
    QVERIFY(hasCyrillic(currentQtTexts().yes));
  }
};

KIVPRISM_WINDOW_TEST(QtTranslationTest);

}  // namespace
}  // namespace qt_translation_test
#include "qt_translation_test.moc"
