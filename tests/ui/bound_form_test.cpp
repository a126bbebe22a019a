// The bound form on a small editor-like form: fields of the selected entry, built from a table and
// a layout, changed through the core, and applied without storing anything back.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

#include "core/config/image.hpp"
#include "core/events/entry.hpp"
#include "core/lang/text.hpp"
#include "core/view/binding.hpp"
#include "support/fake_link_host.hpp"
#include "ui/common/bound_form.hpp"
#include "window_test_main.hpp"

namespace bound_form_test {
namespace {

namespace view = kivprism::view;
namespace entry = kivprism::events::entry;
using kivprism::config::ConfigImage;
using kivprism::ui::BoundForm;
using kivprism::ui::FormRow;

constexpr kivprism::lang::TextPair kKinds[] = {{"Кратко", "Short"}, {"Долго", "Long"}};
view::ItemList kinds() { return kKinds; }

view::ChangeOutcome storeNumber(ConfigImage& image, const view::Binding& b, const view::Change& c,
                                const view::FormContext& context) {
  bool ok = false;
  const unsigned value = QString::fromUtf8(c.text.data(), qsizetype(c.text.size())).toUInt(&ok);
  if (!ok || value > b.maximum) {
    return {view::Notice{view::NoticeKind::Error, "нет", "no"}, view::After::None, std::nullopt};
  }
  view::storeField(image, b.field, context.entry, value);
  return {std::nullopt, b.after, std::nullopt};
}
constexpr view::Rule kNumber{"Number", storeNumber};

const view::Binding kTable[] = {
    {"ComboBoxPressKind", view::ControlKind::Combo, nullptr, view::EntryField{entry::kPressKind},
     kinds},
    {"CheckBoxOnce", view::ControlKind::Check, nullptr, view::EntryField{entry::kOnceFlag}},
    {"EditSourceMask", view::ControlKind::Edit, &kNumber, view::EntryField{entry::kSourceMask},
     nullptr, 0, 255},
};
constexpr FormRow kRows[] = {{"ComboBoxPressKind"}, {"CheckBoxOnce"}, {"EditSourceMask"}};

class BoundFormTest : public QObject {
  Q_OBJECT

 private slots:
  void aTableAndALayoutMakeAFormOverTheSelectedEntry() {
    const view::BindingTable table(kTable);
    ConfigImage image;
    view::FormContext context;
    context.entry = 42;
    int changes = 0;
    int followUps = 0;
    kivprism::testing::FakeLinkHost shell;
    QWidget owner;
    BoundForm::Hooks hooks;
    hooks.change = [&](std::string_view control, view::ControlKind kind, const view::Change& c) {
      ++changes;
      return view::change(image, table, control, kind, c, context);
    };
    hooks.showOne = [&](std::string_view control) {
      view::ControlView v;
      view::showControl(v, *table.find(control), image, context);
      return v;
    };
    hooks.followUp = [&](const view::ChangeOutcome&, QWidget*) { ++followUps; };
    hooks.shell = &shell;
    auto* form = new BoundForm(&owner, table, std::move(hooks));
    QWidget* page = form->buildRows(kRows, &owner, nullptr);
    QVERIFY(page->findChild<QLabel*>("PanelPressKind") != nullptr);
    QVERIFY(page->findChild<QLabel*>("PanelSourceMask") != nullptr);

    // Applying a derived view fills the controls and stores nothing back.
    kivprism::events::set(kivprism::events::entryAt(image, 42), entry::kPressKind, 1);
    kivprism::events::set(kivprism::events::entryAt(image, 42), entry::kSourceMask, 7);
    view::FormView v;
    view::deriveControls(v, table, image, context);
    const ConfigImage before = image;
    form->apply(v);
    QCOMPARE(changes, 0);
    QVERIFY(image == before);
    auto* kind = page->findChild<QComboBox*>("ComboBoxPressKind");
    QCOMPARE(kind->count(), 2);
    QCOMPARE(kind->currentIndex(), 1);
    auto* mask = page->findChild<QLineEdit*>("EditSourceMask");
    QCOMPARE(mask->text(), QString("7"));
    QCOMPARE(mask->toolTip(), QString::fromUtf8("Диапазон: 0 … 255"));

    // User changes go to the selected entry through the core.
    emit kind->activated(0);
    page->findChild<QCheckBox*>("CheckBoxOnce")->click();
    mask->setText("200");
    emit mask->returnPressed();
    const auto e = kivprism::events::entryAt(std::as_const(image), 42);
    QCOMPARE(int(kivprism::events::get(e, entry::kPressKind)), 0);
    QCOMPARE(int(kivprism::events::get(e, entry::kOnceFlag)), 1);
    QCOMPARE(int(kivprism::events::get(e, entry::kSourceMask)), 200);
    QCOMPARE(followUps, 3);
    QVERIFY(shell.errors.empty());
    mask->setText("300");
    emit mask->returnPressed();
    // A refusal is an error box of the shell.
    QCOMPARE(shell.errors.size(), std::size_t{1});
    QVERIFY(shell.informations.empty());
    QCOMPARE(int(kivprism::events::get(e, entry::kSourceMask)), 200);
  }

  // A tab bar that stands for a choice (the amplifier parameter): the view sets its tab texts and
  // its current tab without the tab bar reporting a change.
  void aTabBarShowsItsItemsAndValue() {
    const view::BindingTable table(kTable);
    QWidget owner;
    BoundForm form(&owner, table, {});
    auto* tabs = new QTabBar(&owner);
    tabs->setObjectName("TabControlKinds");
    tabs->addTab("?");
    tabs->addTab("?");
    form.addNamed(tabs);
    QSignalSpy changed(tabs, &QTabBar::currentChanged);
    view::ControlView c;
    c.name = "TabControlKinds";
    c.kind = view::ControlKind::Widget;
    c.items = kinds();
    c.value = 1;
    view::FormView v;
    v.controls.push_back(c);
    kivprism::lang::setCurrentLanguage(kivprism::lang::Language::English);
    form.apply(v);
    QCOMPARE(tabs->tabText(0), QString("Short"));
    QCOMPARE(tabs->tabText(1), QString("Long"));
    QCOMPARE(tabs->currentIndex(), 1);
    // A view without a value (another page shown) leaves the tab alone.
    v.controls[0].hasValue = false;
    v.controls[0].value = 0;
    form.apply(v);
    QCOMPARE(tabs->currentIndex(), 1);
    QCOMPARE(changed.count(), 0);
    kivprism::lang::setCurrentLanguage(kivprism::lang::Language::Russian);
  }

  // A list is as wide as its longest item, whether its size was asked for before its items came
  // (a page built empty and filled by the language) or it is shown and its items change (a
  // language switch).
  void aListFitsItsLongestItemWheneverItsItemsChange() {
    const view::BindingTable table(kTable);
    QWidget owner;
    BoundForm form(&owner, table, {});
    form.buildRows(kRows, &owner, nullptr);
    auto* list = owner.findChild<QComboBox*>("ComboBoxPressKind");
    QVERIFY(list);
    const int empty = list->sizeHint().width();
    list->addItems({"Short", QString(40, 'W')});
    const int filled = list->sizeHint().width();
    QVERIFY2(filled > empty + 100, qPrintable(QString("%1 %2").arg(empty).arg(filled)));
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    QCOMPARE(list->sizeHint().width(), filled);
    list->setItemText(1, QString(80, 'W'));
    QVERIFY(list->sizeHint().width() > filled + 100);
    list->clear();
    list->addItem("Short");
    QVERIFY(list->sizeHint().width() < filled);
  }

  void aLayoutNamingAnUnknownControlFailsLoudly() {
    const view::BindingTable table(kTable);
    QWidget owner;
    BoundForm form(&owner, table, {});
    constexpr FormRow kBad[] = {{"ComboBoxNoSuchThing"}};
    bool thrown = false;
    try {
      form.buildRows(kBad, &owner, nullptr);
    } catch (const std::invalid_argument& e) {
      thrown = QString(e.what()).contains("ComboBoxNoSuchThing");
    }
    QVERIFY(thrown);
  }
};

KIVPRISM_WINDOW_TEST(BoundFormTest);

}  // namespace
}  // namespace bound_form_test
#include "bound_form_test.moc"
