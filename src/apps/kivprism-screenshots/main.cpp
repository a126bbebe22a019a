// kivprism-screenshots DIR: pictures of every page, every tab of the parameters page, every event
// and reaction page the editor offers, every dialog and the CAN-log page, in Russian and in
// English, on the demo's simulated controller. The file names say language, place and page
// ("en-parameters-03-TabSheetPULSE.png"). Pages are walked as the window offers them, so new
// pages are pictured without changes here. Used by tools/screenshots.sh.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

#include "core/config/image_layout.hpp"
#include "core/events/entry.hpp"
#include "core/events/entry_types.hpp"
#include "core/events/ir_protocols.hpp"
#include "core/events/records.hpp"
#include "core/summary/config_diff.hpp"
#include "sim/learning_scenarios.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "ui/app/compare_dialog.hpp"
#include "ui/app/main_window.hpp"
#include "ui/dialogs/can_frame_dialogs.hpp"
#include "ui/dialogs/entry_name_dialog.hpp"
#include "ui/dialogs/ir_code_dialog.hpp"
#include "ui/dialogs/keyboard_dialog.hpp"
#include "ui/editor/event_reaction_pane.hpp"
#include "ui/params/parameters_page.hpp"
#include "ui/rules/rules_pane.hpp"

namespace {

using kivprism::ui::TMainForm;

// Lets the window's timers, the poll and queued redraws run for a while.
void waitMs(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
}

class Shooter {
 public:
  Shooter(TMainForm& window, QDir out) : window_(window), out_(std::move(out)) {}

  void all(const QString& language) {
    language_ = language;
    auto* main = window_.findChild<QTabWidget*>("PageControlMain");
    for (int i = 0; i < main->count(); ++i) {
      main->setCurrentIndex(i);
      settle();
      shoot(window_, "page", i, main->widget(i)->objectName());
    }
    main->setCurrentWidget(window_.findChild<QWidget*>("TabSheetParameters"));
    eachTab(window_.findChild<QTabWidget*>("PageControlParams"), "parameters");
    findShots();
    auto* pane = window_.pages().eventPane;
    eachTab(pane->eventPages(), "event");
    eachTab(pane->reactionPages(), "reaction");
    emptyKeyPanel();
    dialogs();
    rulesTable();
    for (const char* name : {"PopupMenu", "PopupMenuCANLOG", "MenuItemEditx", "MenuFile"}) {
      if (auto* menu = window_.findChild<QMenu*>(name)) {
        menu->popup(window_.geometry().center());
        settle();
        shoot(*menu, "menu", 0, menu->objectName());
        menu->hide();
      }
    }
  }

 private:
  static void settle() { waitMs(150); }

  // The rules table beside the editor on a 1366x768 screen: all rules, a filter, its menu.
  void rulesTable() {
    const QSize size = window_.size();
    window_.resize(1366, 738);
    window_.rules().showRulesTable(true);
    settle();
    auto* rules = window_.pages().rulesPane;
    rules->selectEntries({2});
    window_.pages().eventPane->selectEntry(2);
    settle();
    shoot(window_, "rules", 0, "TableRules");
    rules->filter()->setText("USB");
    settle();
    shoot(window_, "rules", 1, "TableRulesFiltered");
    rules->filter()->clear();
    emit rules->contextMenuWanted(rules->view()->mapToGlobal(QPoint(40, 60)));
    settle();
    if (auto* menu = window_.findChild<QMenu*>("PopupMenuRulesx")) {
      shoot(*menu, "rules", 2, "PopupMenuRules");
      menu->close();
    }
    settle();
    window_.rules().showRulesTable(false);
    window_.resize(size);
    settle();
  }

  void shoot(QWidget& widget, const QString& place, int index, const QString& name) {
    const QString file = QString("%1-%2-%3-%4.png")
                             .arg(language_, place)
                             .arg(index, 2, 10, QChar('0'))
                             .arg(name.isEmpty() ? QString("unnamed") : name);
    if (!widget.grab().save(out_.filePath(file))) {
      std::fprintf(stderr, "kivprism-screenshots: cannot write %s\n", qPrintable(file));
      failed_ = true;
    }
  }

  // Every visible tab; on the editor's pages choosing a tab gives the entry that type.
  void eachTab(QTabWidget* tabs, const QString& place) {
    if (tabs == nullptr) {
      return;
    }
    for (int i = 0; i < tabs->count(); ++i) {
      // A page the configuration does not offer is tried as well; it is pictured only when the
      // editor keeps it (the entry took the type).
      tabs->setTabVisible(i, true);
      tabs->setCurrentIndex(i);
      settle();
      if (tabs->currentIndex() == i && tabs->isTabVisible(i)) {
        shoot(window_, place, i, tabs->widget(i)->objectName());
      }
    }
    tabs->setCurrentIndex(0);
    settle();
  }

  // The category list, and the search with its matches, on the parameters page at 1366x768.
  void findShots() {
    auto* page = window_.pages().parameters;
    const QSize size = window_.size();
    window_.resize(1366, 768);
    settle();
    page->findBox()->clear();
    settle();
    shoot(window_, "find", 0, "categories");
    page->findBox()->setText(language_ == "ru" ? QString::fromUtf8("скорость") : QString("speed"));
    settle();
    shoot(window_, "find", 1, "search");
    page->revealControl(QString("ComboBoxCANSPEEDx"));
    page->revealControl(QString("ComboBoxGPSSPEED"));
    waitMs(50);
    shoot(window_, "find", 2, "revealed");
    page->findBox()->clear();
    window_.resize(size);
    settle();
  }

  // The key page of an event without its key: the panel says where the key comes from. The
  // editor's tabs end on the page of no type, so the entry is one without a key.
  void emptyKeyPanel() {
    auto* pages = window_.pages().eventPane->eventPages();
    pages->setCurrentIndex(static_cast<int>(kivprism::events::EventType::Key));
    settle();
    shoot(window_, "hint", 0, "PanelKeyValx");
    pages->setCurrentIndex(0);
    settle();
  }

  template <typename Dialog, typename Load>
  void dialog(Dialog& d, int index, Load load) {
    load(d);
    d.show();
    settle();
    shoot(d, "dialog", index,
          d.objectName().isEmpty() ? d.metaObject()->className() : d.objectName());
    d.hide();
  }

  void dialogs() {
    auto* pane = window_.pages().eventPane;
    const QPoint at = window_.geometry().center();
    if (auto* keyboard = window_.findChild<kivprism::ui::dialogs::TFormKeyBoard*>()) {
      // The groups follow the USB functions the configuration enables; the picture shows all.
      dialog(*keyboard, 0, [](auto& d) {
        d.openKeyboardDialog(1);
        d.show();
        waitMs(50);
        for (QGroupBox* group : d.template findChildren<QGroupBox*>()) {
          group->setVisible(true);
        }
        d.adjustSize();
      });
    }
    dialog(pane->irCodeDialog(), 1, [at](auto& d) {
      d.load(at, kivprism::events::IrCode{}, kivprism::events::IrContext::Event);
    });
    dialog(pane->canMessageDialog(), 2,
           [at](auto& d) { d.load(at, QStringLiteral("CAN"), kivprism::events::CanMessage{}); });
    dialog(pane->canFilterDialog(), 3,
           [at](auto& d) { d.load(at, QStringLiteral("CAN"), kivprism::events::CanFilter{}); });
    dialog(pane->entryNameDialog(), 4, [at](auto& d) { d.load(at, 1, std::string("KEY 1")); });
    // The comparison with a file that differs from the demo in one parameter and one rule.
    dialog(*window_.fileMenu().compareDialog(), 5, [this](auto& d) {
      kivprism::config::ConfigImage file = window_.model().working;
      file.set(kivprism::config::layout::kCanParamBaud500k, 2);
      kivprism::events::setEntryName(kivprism::events::entryAt(file, 2), "Quieter");
      d.showDifferences("other.KST401",
                        kivprism::summary::compareImages(file, window_.model().working,
                                                         kivprism::lang::currentLanguage()));
    });
  }

  TMainForm& window_;
  QDir out_;
  QString language_;
  bool failed_ = false;

 public:
  bool failed() const { return failed_; }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: kivprism-screenshots DIR\n");
    return 2;
  }
  QDir out(QString::fromLocal8Bit(argv[1]));
  if (!out.mkpath(".")) {
    std::fprintf(stderr, "kivprism-screenshots: cannot create %s\n", argv[1]);
    return 1;
  }
  QTemporaryDir settings;
  kivprism::sim::SimulatedController controller;
  controller.startDemo();
  kivprism::sim::useDemoScenarios(controller);
  kivprism::sim::SimulatedHidPort port(controller);
  kivprism::ui::MainWindowOptions options;
  options.settingsPath = settings.filePath("kivprism-screenshots.ini");
  options.systemLanguage = "ru-RU";
  options.boxAnswerer = [](unsigned, const QString&, const QString&) { return 0; };
  TMainForm window(port, options);
  window.startUp();
  window.resize(TMainForm::kDesignWidth * 3 / 2, TMainForm::kDesignHeight * 3 / 2);
  window.show();
  // The demo connects and reads its configuration; the terminal fills meanwhile.
  waitMs(3000);
  Shooter shooter(window, out);
  for (int language : {0, 1}) {
    window.language().applyLanguage(language);
    waitMs(300);
    shooter.all(language == 0 ? "ru" : "en");
  }
  return shooter.failed() ? 1 : 0;
}
