// The parameters page: every control the core's view names is a widget of the page and the
// reverse, and edits made on the page reach the simulated controller.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSet>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <memory>

#include <QWheelEvent>

#include "core/config/image_layout.hpp"
#include "core/device/packet.hpp"
#include "core/lang/language_table.hpp"
#include "core/params/assignment.hpp"
#include "core/params/derive.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "support/fake_link_host.hpp"
#include "support/window_rig.hpp"
#include "ui/app/main_window.hpp"
#include "ui/common/bound_form.hpp"
#include "ui/common/source_mask_dialog.hpp"
#include "ui/params/page_layout.hpp"
#include "ui/params/parameters_page.hpp"
#include "window_test_main.hpp"

namespace params_page_test {
namespace {

namespace layout = kivprism::config::layout;
using kivprism::sim::SimulatedController;
using kivprism::sim::SimulatedHidPort;
using kivprism::ui::MainWindowOptions;
using kivprism::ui::TMainForm;
using kivprism::ui::params::ParametersPage;
namespace box = kivprism::ui::box;

constexpr std::uint32_t kTimeoutMs = 10000;

QTreeWidgetItem* listItem(QTreeWidget* list, const QString& name) {
  for (int c = 0; c < list->topLevelItemCount(); ++c) {
    QTreeWidgetItem* category = list->topLevelItem(c);
    if (category->data(0, Qt::UserRole).toString() == name) {
      return category;
    }
    for (int i = 0; i < category->childCount(); ++i) {
      if (category->child(i)->data(0, Qt::UserRole).toString() == name) {
        return category->child(i);
      }
    }
  }
  return nullptr;
}

void choose(QTreeWidget* list, const QString& name) {
  QTreeWidgetItem* item = listItem(list, name);
  QVERIFY2(item != nullptr, qPrintable(name));
  list->setCurrentItem(item);
  emit list->itemClicked(item, 0);
}

QStringList lines(const QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) {
    out << list->item(i)->text();
  }
  return out;
}

QSet<QString> viewNames(const kivprism::params::PageView& view) {
  QSet<QString> names;
  for (const auto& c : view.controls) {
    names.insert(QString::fromLatin1(c.name.data(), qsizetype(c.name.size())));
  }
  return names;
}

class Rig : public kivprism::testing::WindowRig {
 public:
  static kivprism::testing::WindowRigSetup setup() {
    kivprism::testing::WindowRigSetup s;
    s.settings = "[MainSettings]\r\nLang=0\r\n";
    s.systemLanguage = "ru-RU";
    s.show = false;
    return s;
  }
  Rig() : WindowRig(setup()) { boxAnswer = box::kOk; }

  bool waitSynced() {
    const bool ok = waitFor(
        [this] {
          return window->link().isConnected() && window->link().inSync() &&
                 window->model().working == window->model().device &&
                 controller.configuration() == window->model().working;
        },
        kTimeoutMs);
    if (!ok) {
      qWarning() << window->link().isConnected() << window->link().inSync()
                 << (window->model().working == window->model().device)
                 << (controller.configuration() == window->model().working);
      for (std::size_t i = 0; i < layout::kImageSize; ++i) {
        if (controller.configuration().data()[i] != window->model().working.data()[i]) {
          qWarning() << "differs at" << i - layout::kParamBlock.offset;
        }
      }
    }
    return ok;
  }

  bool sentWrites() const {
    for (const auto& request : controller.requests()) {
      if ((request.cmd & kivprism::device::kWriteFlag) != 0) {
        return true;
      }
    }
    return false;
  }

  template <typename T>
  T* control(const char* name) {
    return window->pages().parameters->findChild<T*>(name);
  }
};

class ParamsPageTest : public QObject {
  Q_OBJECT

 private slots:
  void everyViewNameIsAWidgetAndTheReverse() {
    kivprism::config::ConfigModel model;
    ParametersPage page(model, {});
    QVERIFY(page.lastView() != nullptr);
    const QSet<QString> names = viewNames(*page.lastView());
    for (const QString& name : names) {
      QVERIFY2(page.findChild<QWidget*>(name) != nullptr, qPrintable(name));
    }
    QSet<QString> widgets;
    for (QWidget* w : page.findChildren<QWidget*>()) {
      const bool control = qobject_cast<QComboBox*>(w) || qobject_cast<QCheckBox*>(w) ||
                           qobject_cast<QLineEdit*>(w) || qobject_cast<QSpinBox*>(w) ||
                           qobject_cast<QListWidget*>(w) || qobject_cast<QTableWidget*>(w);
      const QString name = w->objectName();
      // The search box and its matches find controls; they edit nothing.
      if (!control || name.isEmpty() || name.startsWith("qt_") || name == "StringGridVARx" ||
          w->window()->objectName() == "InterceptForm" || name == "EditParamFindx" ||
          name == "ListBoxParamFindx") {
        continue;
      }
      widgets.insert(name);
      QVERIFY2(names.contains(name), qPrintable(name));
    }
    QVERIFY2(widgets.size() > 120, qPrintable(QString::number(widgets.size())));
    auto* tabs = page.findChild<QTabWidget*>("PageControlParams");
    QCOMPARE(tabs->count(), 27);
    const auto order = kivprism::params::paramTabNames();
    for (int i = 0; i < tabs->count(); ++i) {
      QCOMPARE(tabs->widget(i)->objectName().toStdString(),
               std::string(order[static_cast<std::size_t>(i)]));
    }
    QCOMPARE(page.findChild<QStackedWidget*>("PageControl_DIFF_BUS_MODE")->count(), 9);
    QVERIFY(!page.findChild<QWidget*>("SpeedButtonKeysSetup")->isEnabled());
    QVERIFY(!page.findChild<QWidget*>("SpeedButtonTouchSetup")->isEnabled());
  }

  void ownerNamesAndTabsFollowTheImage() {
    kivprism::config::ConfigModel model;
    ParametersPage page(model, {});
    auto* touch = page.findChild<QComboBox*>("ComboBoxTouchMode");
    touch->setCurrentIndex(1);
    emit touch->activated(1);
    auto* x24 = page.findChild<QComboBox*>("ComboBoxX24x");
    QCOMPARE(x24->itemText(0), QString::fromUtf8("Тачпанель"));
    QVERIFY(!x24->isEnabled());
    auto* bus = page.findChild<QComboBox*>("ComboBoxDIFFBUSx");
    emit bus->activated(2);
    auto* tabs = page.findChild<QTabWidget*>("PageControlParams");
    QVERIFY(tabs->isTabVisible(11));
    QCOMPARE(tabs->tabText(11), QString::fromUtf8("Шина CAN"));
    emit bus->activated(1);
    QVERIFY(!tabs->isTabVisible(11));
  }

  void editsReachTheControllerAndARefusalSendsNothing() {
    Rig rig;
    QVERIFY(rig.waitSynced());

    auto* speed = rig.control<QComboBox>("ComboBoxGPSSPEED");
    emit speed->activated(4);
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.controller.configuration().getU8(layout::kGpsSpeed), 4,
                              kTimeoutMs);

    rig.control<QCheckBox>("CheckBoxHondaPanel")->click();
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.controller.configuration().getU8(layout::kHondaPanel), 1,
                              kTimeoutMs);

    auto* reassign = rig.control<QLineEdit>("Edit_KEY_REASSIGN_TO");
    reassign->setText("x3E8");
    emit reassign->returnPressed();
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.controller.configuration().getU16(layout::kKeyReassignTo),
                              1000, kTimeoutMs);
    QCOMPARE(reassign->text(), QString("1000"));

    emit rig.control<QComboBox>("ComboBoxBTNum")->activated(1);
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.controller.configuration().getU8(layout::kBtNum), 1,
                              kTimeoutMs);
    QVERIFY(rig.waitSynced());
    rig.controller.clearRequests();
    rig.boxes.clear();
    auto* uart = rig.control<QComboBox>("ComboBoxUARTNum");
    uart->setCurrentIndex(1);
    emit uart->activated(1);
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(rig.boxes[0].flags, box::kInformation);
    QVERIFY(rig.boxes[0].text.contains("Bluetooth"));
    QCOMPARE(uart->currentIndex(), 0);
    rig.advance(800);
    QVERIFY(!rig.sentWrites());
  }

  void touchSourcesGoThroughTheSourceMaskDialog() {
    kivprism::config::ConfigModel model;
    std::optional<std::uint8_t> answer = 0x05;
    QStringList asked;
    ParametersPage::Hooks hooks;
    hooks.editSourceMask = [&](const QString& first, const QString& second, QPoint, std::uint8_t) {
      asked << first << second;
      return answer;
    };
    ParametersPage page(model, std::move(hooks));
    auto* mode = page.findChild<QComboBox*>("ComboBoxTouchMode");
    emit mode->activated(4);
    QCOMPARE(asked, QStringList({QString::fromUtf8("Перехват тачпанели"),
                                 QString::fromUtf8("при выборе источника:")}));
    QCOMPARE(model.working.getU8(layout::kTouchMode), 4);
    QCOMPARE(mode->currentIndex(), 4);
    QCOMPARE(mode->itemText(4), QString::fromUtf8("Источники 1 3"));

    // Every source over USB is stored as "any source"; a cancelled dialog changes nothing.
    auto* usb = page.findChild<QComboBox*>("ComboBoxSource2Touch");
    answer = 0xFF;
    emit usb->activated(1);
    QCOMPARE(model.working.getU8(layout::kTouchSrcMask), 0);
    QCOMPARE(usb->currentIndex(), 0);
    answer = std::nullopt;
    usb->setCurrentIndex(1);
    emit usb->activated(1);
    QCOMPARE(usb->currentIndex(), 0);
    QCOMPARE(usb->itemText(1), QString::fromUtf8("Выбрать..."));
  }

  void aCorrectedTimeShowsTheStoredValue() {
    kivprism::config::ConfigModel model;
    kivprism::testing::FakeLinkHost shell;
    ParametersPage::Hooks hooks;
    hooks.shell = &shell;
    ParametersPage page(model, std::move(hooks));
    auto* longPress = page.findChild<QLineEdit*>("Edit_PAR_LongTO");
    longPress->setText("150");
    emit longPress->returnPressed();
    QCOMPARE(model.working.getU16(layout::kLongPressTime), 1000);
    QCOMPARE(longPress->text(), QString("1000"));
    // A range error keeps the typed text for the user to correct.
    auto* pause = page.findChild<QLineEdit*>("EditPULSEMSPAUSE");
    pause->setText("70000");
    emit pause->returnPressed();
    QCOMPARE(shell.errors.size(), std::size_t{1});
    QVERIFY(shell.informations.empty());
    QCOMPARE(pause->text(), QString("70000"));
  }

  void interceptFormTicksStandForMaskBits() {
    kivprism::ui::TInterceptForm form;
    form.setTicks(0x81);
    auto* list = form.findChild<QListWidget*>("CheckListBoxInterceptSourcesx");
    QCOMPARE(list->count(), 8);
    QCOMPARE(list->item(0)->checkState(), Qt::Checked);
    QCOMPARE(list->item(1)->checkState(), Qt::Unchecked);
    QCOMPARE(list->item(7)->checkState(), Qt::Checked);
    list->item(1)->setCheckState(Qt::Checked);
    QCOMPARE(form.ticks(), std::uint8_t{0x83});
  }

  void theVariablesViewShowsWhatThePollReads() {
    Rig rig;
    // The poll reads the variables only while their view is on the screen.
    rig.window->show();
    QVERIFY(rig.waitSynced());
    rig.controller.setVariables({0xA5, 0x00, 0x7F, 0xFF});
    auto* main = rig.window->findChild<QTabWidget*>("PageControlMain");
    main->setCurrentWidget(rig.window->findChild<QWidget*>("TabSheetParameters"));
    auto* tabs = rig.control<QTabWidget>("PageControlParams");
    tabs->setCurrentWidget(rig.control<QWidget>("TabSheetVARViewx"));
    auto* grid = rig.control<QTableWidget>("StringGridVARx");
    VTRY_COMPARE_WITH_TIMEOUT(rig, grid->item(0, 0)->text(), QString("xA5"), kTimeoutMs);
    QCOMPARE(grid->item(1, 0)->text(), QString("1010 0101"));
    QCOMPARE(grid->item(2, 3)->text(), QString("255"));
  }

  void sourceNamesSitBesideTheirSourceNumbersUnderTwoColumnTitles() {
    Rig rig;
    QVERIFY(rig.waitSynced());
    auto* grid = rig.control<QTableWidget>("ValueListEditorSourceName");
    QCOMPARE(grid->columnCount(), 2);
    QCOMPARE(grid->rowCount(), 8);
    QCOMPARE(grid->horizontalHeaderItem(0)->text(), QString::fromUtf8("Источник"));
    QCOMPARE(grid->horizontalHeaderItem(1)->text(), QString::fromUtf8("Имя"));
    QCOMPARE(grid->item(0, 0)->text(), QString("1"));
    QCOMPARE(grid->item(7, 0)->text(), QString("8"));
    QVERIFY(!(grid->item(2, 0)->flags() & Qt::ItemIsEditable));
    grid->item(2, 1)->setText("RADIO");
    const auto field = rig.window->model().working.span(layout::sourceName(3));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(field.data()), 5), QByteArray("RADIO"));
    QCOMPARE(grid->item(2, 0)->text(), QString("3"));
    rig.window->language().applyLanguage(1);
    VTRY_COMPARE(rig, grid->horizontalHeaderItem(0)->text(), QString("Source"));
    QCOMPARE(grid->horizontalHeaderItem(1)->text(), QString("Name"));
  }

  void languageAndOnlyUsedHintFollowTheWindow() {
    Rig rig;
    auto* onlyUsed = rig.window->findChild<QToolButton*>("SpeedButtonOnlyUsedx");
    VTRY_COMPARE(rig, onlyUsed->toolTip(),
                 QString::fromUtf8("Отображать только используемые события и реакции"));
    rig.window->toolbar().SpeedButtonOnlyUsedxClick();
    VTRY_COMPARE(rig, onlyUsed->toolTip(), QString::fromUtf8("Отображать все события и реакции"));
    rig.window->language().applyLanguage(1);
    auto* tabs = rig.control<QTabWidget>("PageControlParams");
    VTRY_COMPARE(rig, tabs->tabText(0), QString("Pins"));
    QCOMPARE(rig.control<QComboBox>("ComboBoxX22x")->itemText(0),
             QString("According to its purpose"));
    QCOMPARE(onlyUsed->toolTip(), QString("Display all events and reactions"));
    QCOMPARE(rig.control<QLineEdit>("EditiDriveLightMin")->toolTip(),
             QString("Backlight off voltage"));
    QCOMPARE(rig.control<QLineEdit>("EditiDriveLightMax")->toolTip(),
             QString("Voltage for maximum backlight brightness"));
    rig.window->language().applyLanguage(0);
    VTRY_COMPARE(rig, rig.control<QLineEdit>("EditiDriveLightMax")->toolTip(),
                 QString::fromUtf8("Напряжение для максимальной яркости подсветки"));
    QStringList captions;
    for (QLabel* label : rig.control<QWidget>("TabSheetParamControl")->findChildren<QLabel*>()) {
      captions << label->text();
    }
    QVERIFY(captions.contains(QString::fromUtf8("Напряжение по умолчанию")));
    QVERIFY(captions.contains(QString::fromUtf8("Минимум/максимум")));
  }

  // Every window text of the page comes from the language table or from a binding.
  void everyCaptionRowNamesAWidgetAndEveryLabelHasAText() {
    kivprism::config::ConfigModel model;
    ParametersPage page(model, {});
    for (const auto& row : kivprism::lang::parametersPageRows()) {
      std::string_view key = row.key;
      key.remove_prefix(kivprism::lang::kMainFormName.size() + 1);
      key.remove_suffix(key.ends_with("_Hint") ? 5 : 8);
      const QString name = QString::fromLatin1(key.data(), qsizetype(key.size()));
      QVERIFY2(page.findChild<QObject*>(name) != nullptr, qPrintable(name));
    }
    for (QWidget* w : page.findChildren<QWidget*>()) {
      const QString name = w->objectName();
      if (name.isEmpty() || name.startsWith("qt_") || name == "LabelPinOverlapx" ||
          w->window()->objectName() == "InterceptForm") {
        continue;
      }
      if (auto* label = qobject_cast<QLabel*>(w)) {
        QVERIFY2(!label->text().isEmpty(), qPrintable(name));
      } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
        QVERIFY2(!box->text().isEmpty(), qPrintable(name));
      }
    }
    QCOMPARE(page.findChild<QLabel*>("PanelGPSConnect")->text(), QString::fromUtf8("Подключение"));
    QCOMPARE(page.findChild<QCheckBox*>("CheckBox_USE_RX350JOYx")->text(),
             QString::fromUtf8("Джойстик RX350"));
  }

  void aWheelNotchOverAnUnfocusedFieldChangesNothing() {
    kivprism::config::ConfigModel model;
    ParametersPage page(model, {});
    page.resize(600, 200);
    page.show();
    const auto before = model.working;
    for (const char* name : {"ComboBoxDIFFBUSx", "ComboBoxLIN1MODEx"}) {
      auto* combo = page.findChild<QComboBox*>(name);
      QCOMPARE(combo->focusPolicy(), Qt::StrongFocus);
      const int index = combo->currentIndex();
      QWheelEvent notch(QPointF(5, 5), combo->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(combo, &notch);
      QCOMPARE(combo->currentIndex(), index);
    }
    auto* spin = page.findChild<QSpinBox*>("CSpinEditIEBUS_PREDDIV");
    const int value = spin->value();
    QWheelEvent up(QPointF(5, 5), spin->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(spin, &up);
    QCOMPARE(spin->value(), value);
    QVERIFY(model.working == before);
  }

  void aTypedNumberIsStoredWhenTheFieldIsLeftAndTintedUntilThen() {
    kivprism::config::ConfigModel model;
    kivprism::testing::FakeLinkHost shell;
    ParametersPage::Hooks hooks;
    hooks.shell = &shell;
    ParametersPage page(model, std::move(hooks));
    auto* edit = page.findChild<QLineEdit*>("Edit_KEY_REASSIGN_TO");
    const QColor plain = edit->palette().color(QPalette::Base);
    edit->clear();
    QTest::keyClicks(edit, "1234");
    QVERIFY(kivprism::ui::isUnstored(edit));
    QVERIFY(edit->palette().color(QPalette::Base) != plain);
    emit edit->editingFinished();  // the field has lost the focus
    QCOMPARE(model.working.getU16(layout::kKeyReassignTo), 1234);
    QVERIFY(!kivprism::ui::isUnstored(edit));
    QCOMPARE(edit->palette().color(QPalette::Base), plain);

    // Out of range: the same message as Enter gives, nothing stored, the text kept and tinted.
    edit->clear();
    QTest::keyClicks(edit, "x2711");
    emit edit->editingFinished();
    QCOMPARE(shell.errors.size(), std::size_t{1});
    // Typed in hexadecimal: the bounds in hexadecimal, the message the check's text alone.
    QCOMPARE(QString::fromStdString(shell.errors[0]),
             QString::fromUtf8("Значение должно находиться в интервале от 00 до 2710"));
    QCOMPARE(model.working.getU16(layout::kKeyReassignTo), 1234);
    QCOMPARE(edit->text(), QString("x2711"));
    QVERIFY(kivprism::ui::isUnstored(edit));
    QVERIFY(edit->toolTip().contains("10000"));
  }

  void joystickBusPagesSayTheyHaveNoSettings() {
    kivprism::config::ConfigModel model;
    ParametersPage page(model, {});
    auto* bus = page.findChild<QComboBox*>("ComboBoxDIFFBUSx");
    auto* pages = page.findChild<QStackedWidget*>("PageControl_DIFF_BUS_MODE");
    for (const auto& [mode, pageName, line] :
         {std::tuple{4, "TabSheet_CAN_RJOYx", "LabelRJOYNoSettings"},
          std::tuple{5, "TabSheet_CAN_MJOYx", "LabelMJOYNoSettings"}}) {
      emit bus->activated(mode);
      QCOMPARE(pages->currentWidget()->objectName(), QString(pageName));
      auto* label = pages->currentWidget()->findChild<QLabel*>(line);
      QVERIFY(label != nullptr);
      QCOMPARE(label->text(), QString::fromUtf8("В этом режиме шины нет настроек"));
    }
  }

  void thePinsTabNamesPinsThatTwoFunctionsClaim() {
    kivprism::config::ConfigModel model;
    ParametersPage page(model, {});
    auto* warning = page.findChild<QLabel*>("LabelPinOverlapx");
    QVERIFY(warning->isHidden());
    for (unsigned p = 0; p < 32; ++p) {
      if (kivprism::params::irInputPin(p) == layout::Pin::X43) {
        model.working.set(layout::kIrInpNum, p);
      }
    }
    emit page.findChild<QComboBox*>("ComboBoxGPSNUM")->activated(1);
    QVERIFY(!warning->isHidden());
    QCOMPARE(warning->text(), QString::fromUtf8("Вывод X4/3 занят дважды: ИК вход и UART GPS"));
  }
  // The side list stands for the hidden tab row: it chooses the tab, shows and hides the tabs as
  // the settings do, names them as the tabs are named, and gives way to a refused change.
  void theCategoryListChoosesTabsAndHidesWhatTheSettingsHide() {
    kivprism::config::ConfigModel model;
    bool allowed = true;
    ParametersPage::Hooks hooks;
    hooks.tabChangeAllowed = [&allowed] { return allowed; };
    ParametersPage page(model, std::move(hooks));
    QTabWidget* tabs = page.pageControl();
    QTreeWidget* list = page.categoryList();
    QVERIFY(!tabs->tabBar()->isVisibleTo(&page));
    QVERIFY(list->isVisibleTo(&page));
    choose(list, "TabSheetGPS");
    QCOMPARE(tabs->currentWidget()->objectName(), QString("TabSheetGPS"));
    QCOMPARE(listItem(list, "TabSheetGPS")->text(0), QString::fromUtf8("GPS порт"));
    QCOMPARE(list->currentItem(), listItem(list, "TabSheetGPS"));
    QCOMPARE(listItem(list, "inputs")->text(0), QString::fromUtf8("Входы"));
    // Every tab is in the list once; the list hides exactly the tabs the page hides.
    for (int i = 0; i < tabs->count(); ++i) {
      QTreeWidgetItem* item = listItem(list, tabs->widget(i)->objectName());
      QVERIFY2(item != nullptr, qPrintable(tabs->widget(i)->objectName()));
      QCOMPARE(item->isHidden(), !tabs->isTabVisible(i));
    }
    QVERIFY(listItem(list, "TabSheet_DIFFBUSx")->isHidden());
    QVERIFY(listItem(list, "TabSheetRESEMULPARAMx")->isHidden());
    QVERIFY(listItem(list, "buses")->isHidden());  // no bus tab is offered with these settings
    auto* bus = page.findChild<QComboBox*>("ComboBoxDIFFBUSx");
    emit bus->activated(2);
    QVERIFY(!listItem(list, "TabSheet_DIFFBUSx")->isHidden());
    QVERIFY(!listItem(list, "buses")->isHidden());
    QCOMPARE(listItem(list, "TabSheet_DIFFBUSx")->text(0), QString::fromUtf8("Шина CAN"));
    choose(list, "TabSheet_DIFFBUSx");
    QCOMPARE(tabs->currentWidget()->objectName(), QString("TabSheet_DIFFBUSx"));
    emit bus->activated(1);
    QVERIFY(listItem(list, "TabSheet_DIFFBUSx")->isHidden());
    QVERIFY(tabs->currentWidget()->objectName() != QString("TabSheet_DIFFBUSx"));
    QCOMPARE(list->currentItem()->data(0, Qt::UserRole).toString(),
             tabs->currentWidget()->objectName());
    // While a procedure holds the keyboard dialog the tab stays, and so does the list.
    choose(list, "TabSheetKEYS");
    allowed = false;
    choose(list, "TabSheetEnc");
    QCOMPARE(tabs->currentWidget()->objectName(), QString("TabSheetKEYS"));
    QCOMPARE(list->currentItem(), listItem(list, "TabSheetKEYS"));
    QVERIFY(!page.revealControl(QString("ComboBoxGPSNUM")));
    allowed = true;
    // The right-click menu of visible tabs moved to the list.
    QCOMPARE(list->contextMenuPolicy(), Qt::CustomContextMenu);
  }

  // Russian and English captions and hints find their controls; a match opens its tab, gives the
  // control the focus and marks it for a moment; a control the settings hide is marked.
  void theSearchFindsCaptionsInBothLanguagesAndRevealsTheControl() {
    kivprism::config::ConfigModel model;
    kivprism::testing::VirtualWindowClock clock;
    ParametersPage page(model, {});
    page.setClock(clock);
    page.resize(1000, 700);
    page.show();
    page.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&page));
    QLineEdit* find = page.findBox();
    QListWidget* results = page.findResults();
    QCOMPARE(find->placeholderText(), QString::fromUtf8("Найти параметр..."));
    find->setText(QString::fromUtf8("РАССЧЕТ"));
    QVERIFY(results->isVisible());
    QVERIFY(!page.categoryList()->isVisible());
    QCOMPARE(lines(results), QStringList{QString::fromUtf8("Рассчет курса — GPS порт")});
    find->clear();
    QTest::keyClicks(find, "BAUD rate");  // an English hint while the page speaks Russian
    QCOMPARE(lines(results), (QStringList{QString::fromUtf8("Скорость — GPS порт"),
                                          QString::fromUtf8("Скорость — UART")}));
    QTest::keyClick(find, Qt::Key_Return);
    auto* speed = page.findChild<QComboBox*>("ComboBoxGPSSPEED");
    QCOMPARE(page.pageControl()->currentWidget()->objectName(), QString("TabSheetGPS"));
    QCOMPARE(page.categoryList()->currentItem(), listItem(page.categoryList(), "TabSheetGPS"));
    // The speed waits for a GPS port and cannot take the focus; the highlight shows it anyway.
    QVERIFY(!speed->isEnabled());
    QCOMPARE(page.highlighted(), speed);
    QVERIFY(speed->graphicsEffect() != nullptr);
    clock.advance(1499);
    QCOMPARE(page.highlighted(), speed);
    QVERIFY(speed->graphicsEffect() != nullptr);
    clock.advance(1);
    QVERIFY(page.highlighted() == nullptr);
    QVERIFY(speed->graphicsEffect() == nullptr);
    // The differential-bus switch is found but hidden while the bus has no mode.
    find->setText("w203");
    QCOMPARE(
        lines(results),
        QStringList{QString::fromUtf8("W203_WO_HEAD — Шина CAN (не показан при этих настройках)")});
    QVERIFY(!page.revealControl(QString("W203_CAN_WO_HEAD_USE")));
    find->setText("нет такого параметра");
    QCOMPARE(lines(results), QStringList{QString::fromUtf8("Ничего не найдено")});
    QVERIFY(!(results->item(0)->flags() & Qt::ItemIsEnabled));
    find->clear();
    QVERIFY(!results->isVisible());
    QVERIFY(page.categoryList()->isVisible());
    // Once the bus is CAN the switch opens on its page, found by its file key.
    emit page.findChild<QComboBox*>("ComboBoxDIFFBUSx")->activated(2);
    auto* w203 = page.findChild<QCheckBox*>("CheckBox_CAN_W203_WO_HEAD_USEx");
    QVERIFY(page.revealControl(QString("W203_CAN_WO_HEAD_USE")));
    QCOMPARE(page.pageControl()->currentWidget()->objectName(), QString("TabSheet_DIFFBUSx"));
    QTRY_VERIFY(w203->hasFocus());
    QVERIFY(!page.revealControl(QString("NO_SUCH_KEY")));
    QCOMPARE(page.highlighted(), w203);
    clock.advance(1000);
    // The car category reaches the bus variants on the interfaces tab. The new highlight takes
    // over from the old at once and lasts its own full time.
    choose(page.categoryList(), "ComboBoxDIFFBUSx");
    QCOMPARE(page.pageControl()->currentWidget()->objectName(), QString("TabSheetInterfaces"));
    auto* diffBus = page.findChild<QComboBox*>("ComboBoxDIFFBUSx");
    QTRY_VERIFY(diffBus->hasFocus());
    QVERIFY(w203->graphicsEffect() == nullptr);
    QCOMPARE(page.highlighted(), diffBus);
    clock.advance(1499);
    QCOMPARE(page.highlighted(), diffBus);
    QVERIFY(diffBus->graphicsEffect() != nullptr);
    clock.advance(1);
    QVERIFY(page.highlighted() == nullptr);
    QVERIFY(diffBus->graphicsEffect() == nullptr);
    // In English: the English caption, the English tab name.
    kivprism::lang::setCurrentLanguage(kivprism::lang::Language::English);
    page.retranslate();
    QCOMPARE(find->placeholderText(), QString("Find a setting..."));
    find->setText("course");
    QCOMPARE(lines(results), QStringList{QString("Course calculation — GPS port")});
    find->setText(QString::fromUtf8("приёмник"));  // a Russian hint while the page speaks English
    QCOMPARE(lines(results).size(), 2);
    QCOMPARE(lines(results).at(0), QString("Connection — GPS port"));
    emit results->itemActivated(results->item(0));
    QTRY_VERIFY(page.findChild<QComboBox*>("ComboBoxGPSNUM")->hasFocus());
    QCOMPARE(listItem(page.categoryList(), "car")->text(0), QString("Car"));
    kivprism::lang::setCurrentLanguage(kivprism::lang::Language::Russian);
  }

  // The settings file keeps the last tab; the next start opens it.
  void theLastTabIsKeptForTheNextStart() {
    QString settings;
    {
      Rig rig;
      settings = rig.dir.filePath("kivprism.ini");
      QVERIFY(rig.waitSynced());
      choose(rig.window->pages().parameters->categoryList(), "TabSheetEnc");
      rig.window->close();
      QFile file(settings);
      QVERIFY(file.open(QIODevice::ReadOnly));
      QVERIFY(file.readAll().contains("ParamsTab=TabSheetEnc"));
      QTemporaryDir keep;
      QVERIFY(QFile::copy(settings, keep.filePath("kept.ini")));
      settings = keep.filePath("kept.ini");
      keep.setAutoRemove(false);
    }
    SimulatedController controller;
    SimulatedHidPort port(controller);
    MainWindowOptions options;
    options.settingsPath = settings;
    options.systemLanguage = "ru-RU";
    options.boxAnswerer = [](unsigned, const QString&, const QString&) { return box::kOk; };
    TMainForm window(port, options);
    window.startUp();
    QCOMPARE(window.pages().parameters->currentTabName(), QString("TabSheetEnc"));
    QCOMPARE(window.pages().parameters->categoryList()->currentItem(),
             listItem(window.pages().parameters->categoryList(), "TabSheetEnc"));
    QFile::remove(settings);
  }
};

KIVPRISM_WINDOW_TEST(ParamsPageTest);

}  // namespace
}  // namespace params_page_test
#include "params_page_test.moc"
