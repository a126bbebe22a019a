// The File menu on the demo controller: comparing the working configuration with a file lists the
// differences and leads to the rule or the control; exporting writes the summary of the window's
// configuration; both menu items in both languages.
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "core/config/config_file.hpp"
#include "core/config/image_layout.hpp"
#include "core/events/entry.hpp"
#include "core/summary/config_diff.hpp"
#include "core/summary/config_export.hpp"
#include "sim/factory_defaults.hpp"
#include "support/window_rig.hpp"
#include "ui/app/compare_dialog.hpp"
#include "ui/editor/event_reaction_pane.hpp"
#include "ui/params/parameters_page.hpp"
#include "window_test_main.hpp"

namespace compare_export_test {
namespace {

using kivprism::ui::FileChooser;
using kivprism::ui::TFormCompare;
using kivprism::ui::TMainForm;
namespace config = kivprism::config;
namespace summary = kivprism::summary;

constexpr int kTimeoutMs = 10000;

class CompareExportTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    rig_ = std::make_unique<kivprism::testing::WindowRig>();
    rig_->boxAnswer = 0;
    rig_->answerBox = [this](unsigned, const QString&, const QString& text) {
      boxes_ << text;
      return 0;
    };
    rig_->answerFile = [this](FileChooser kind, const QString&) {
      return kind == FileChooser::ConfigToCompare ? compareFile_ : summaryFile_;
    };
    window_ = rig_->window.get();
    QVERIFY(rig_->waitConnected(kTimeoutMs));
    QVERIFY(rig_->waitFor(
        [this] { return window_->shell().syncText() == "All changes are on the controller"; },
        kTimeoutMs));
  }
  void cleanup() {
    window_ = nullptr;
    rig_.reset();
    boxes_.clear();
  }

  void comparingWithAFileListsItsDifferencesAndLeadsToThem() {
    config::ConfigImage other = window_->model().working;
    other.set(config::layout::kCanParamBaud500k, 2);
    kivprism::events::setEntryName(kivprism::events::entryAt(other, 2), "Quieter");
    compareFile_ = dir_.filePath("other.KST401");
    QVERIFY(!config::writeConfigFile(compareFile_.toStdString(), other).has_value());

    action("MenuItemCompareFile")->trigger();
    TFormCompare* dialog = window_->fileMenu().compareDialog();
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QString("Comparing configurations"));
    QListWidget* list = dialog->list();
    const auto expected =
        summary::compareImages(other, window_->model().working, kivprism::lang::Language::English);
    QCOMPARE(list->count(), 2);
    QCOMPARE(static_cast<std::size_t>(list->count()), expected.size());
    for (int i = 0; i < list->count(); ++i) {
      QCOMPARE(list->item(i)->text(), QString::fromStdString(expected[i].line()));
    }
    QVERIFY(list->item(0)->text().startsWith("Rule 2 \"Volume down\": name: \"Quieter\" -> "));
    QVERIFY(list->item(1)->text().startsWith("CANPARAM_BAUD500K (Bus speed): "));

    // Enter on the rule's line selects that rule in the editor.
    window_->pages().eventPane->selectEntry(5);
    list->setFocus();
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(window_->pages().eventPane->selectedEntry(), std::size_t{2});

    // A double click on the parameter's line shows the tab holding its control.
    auto* tabs = window_->pages().parameters->pageControl();
    tabs->setCurrentIndex(0);
    const QString control = list->item(1)->data(TFormCompare::kControlRole).toString();
    QVERIFY(!control.isEmpty());
    QWidget* widget = window_->pages().parameters->findChild<QWidget*>(control);
    QVERIFY(widget != nullptr);
    QVERIFY(!tabs->widget(0)->isAncestorOf(widget));
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    const QRect rect = list->visualItemRect(list->item(1));
    // A real double click: a first click, then the second press that the system reports as double.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QVERIFY2(tabs->currentWidget()->isAncestorOf(widget),
             qPrintable(control + " " + tabs->currentWidget()->objectName()));
    QCOMPARE(window_->findChild<QTabWidget*>("PageControlMain")->currentWidget()->objectName(),
             QString("TabSheetParameters"));

    // The same file again, equal now: one line says so.
    QVERIFY(!config::writeConfigFile(compareFile_.toStdString(), window_->model().working));
    action("MenuItemCompareFile")->trigger();
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QString("The configurations are equal"));
    QVERIFY(boxes_.isEmpty());

    // A file that cannot be read says why and leaves the list alone.
    compareFile_ = dir_.filePath("missing.KST401");
    action("MenuItemCompareFile")->trigger();
    QCOMPARE(boxes_.size(), 1);
    QVERIFY(boxes_.front().startsWith("Error reading the file to compare\n"));
    QVERIFY(boxes_.front().contains("missing.KST401"));
  }

  void exportingWritesTheSummaryOfTheWorkingConfiguration() {
    for (const char* name : {"summary.html", "summary.csv", "summary.md"}) {
      summaryFile_ = dir_.filePath(name);
      action("MenuItemExportSummary")->trigger();
      std::string written;
      QVERIFY(!config::readFileBytes(summaryFile_.toStdString(), written).has_value());
      const auto format = QString(name).endsWith(".html")  ? summary::ExportFormat::Html
                          : QString(name).endsWith(".csv") ? summary::ExportFormat::Csv
                                                           : summary::ExportFormat::Markdown;
      const std::string expected = summary::renderExport(
          summary::buildExportSummary(window_->model().working, window_->link().deviceInfo(),
                                      kivprism::lang::Language::English, name),
          format);
      QCOMPARE(written, expected);
    }
    QVERIFY(QString::fromStdString([this] {
              std::string t;
              (void)config::readFileBytes(dir_.filePath("summary.md").toStdString(), t);
              return t;
            }())
                .contains("| Model | KIVSOLANPRISM\\-F401 |"));
    // A cancelled chooser writes nothing; an unwritable place says so.
    summaryFile_.clear();
    action("MenuItemExportSummary")->trigger();
    QVERIFY(boxes_.isEmpty());
    summaryFile_ = dir_.filePath("no/folder/summary.html");
    action("MenuItemExportSummary")->trigger();
    QCOMPARE(boxes_.size(), 1);
    QVERIFY(boxes_.front().startsWith("Error writing the summary\n"));
  }

  void theFileMenuSpeaksBothLanguages() {
    auto* menu = window_->findChild<QMenu*>("MenuFile");
    QVERIFY(menu != nullptr);
    QCOMPARE(menu->title(), QString("File"));
    QCOMPARE(action("MenuItemCompareFile")->text(), QString("Compare with file..."));
    QCOMPARE(action("MenuItemExportSummary")->text(), QString("Export summary..."));
    // A comparison shown before the switch speaks the new language too.
    config::ConfigImage other = window_->model().working;
    other.set(config::layout::kCanParamBaud500k, 2);
    compareFile_ = dir_.filePath("other.KST401");
    QVERIFY(!config::writeConfigFile(compareFile_.toStdString(), other).has_value());
    action("MenuItemCompareFile")->trigger();
    QVERIFY(window_->fileMenu().compareDialog()->list()->item(0)->text().startsWith(
        "CANPARAM_BAUD500K (Bus speed): "));
    window_->language().applyLanguage(0);
    QVERIFY(window_->fileMenu().compareDialog()->list()->item(0)->text().startsWith(
        "CANPARAM_BAUD500K (Скорость шины): "));
    QVERIFY(window_->fileMenu()
                .compareDialog()
                ->findChild<QLabel*>("LabelCompareFilex")
                ->text()
                .startsWith("Файл: other.KST401\n"));
    QCOMPARE(menu->title(), QString("Файл"));
    QCOMPARE(action("MenuItemCompareFile")->text(), QString("Сравнить с файлом..."));
    QCOMPARE(action("MenuItemExportSummary")->text(), QString("Экспорт сводки..."));
    QCOMPARE(window_->fileMenu().compareDialog()->windowTitle(), QString("Сравнение конфигураций"));
  }

 private:
  QAction* action(const char* name) {
    auto* a = window_->findChild<QAction*>(name);
    if (a == nullptr) {
      qFatal("no action %s", name);
    }
    return a;
  }

  QTemporaryDir dir_;
  std::unique_ptr<kivprism::testing::WindowRig> rig_;
  TMainForm* window_ = nullptr;
  QString compareFile_;
  QString summaryFile_;
  QStringList boxes_;
};

KIVPRISM_WINDOW_TEST(CompareExportTest);

}  // namespace
}  // namespace compare_export_test
#include "compare_export_test.moc"
