// The reaction pages built from the core's reaction bindings and the layout data: every page
// builds without an unknown name, every binding sits on exactly its own page, and a derived view
// applies to the built widgets (texts, items, signed spin values) without storing anything back.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>
#include <set>

#include "core/config/image.hpp"
#include "core/editor/derive.hpp"
#include "core/editor/reaction_bindings.hpp"
#include "core/editor/reaction_handlers.hpp"
#include "core/events/entry.hpp"
#include "support/fake_link_host.hpp"
#include "ui/common/bound_form.hpp"
#include "ui/editor/reaction_layout.hpp"
#include "window_test_main.hpp"

namespace reaction_layout_test {
namespace {

namespace view = kivprism::view;
namespace editor = kivprism::editor;
using kivprism::config::ConfigImage;
using kivprism::ui::BoundForm;
using kivprism::ui::editor::isBoundReactionSpecial;
using kivprism::ui::editor::makeReactionSpecial;
using kivprism::ui::editor::ReactionClickPanel;
using kivprism::ui::editor::reactionPages;

class ReactionLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void everyPageBuildsFromTheBindings() {
    ConfigImage image;
    QWidget owner;
    kivprism::testing::FakeLinkHost shell;
    int changes = 0;
    BoundForm::Hooks hooks;
    hooks.change = [&](std::string_view control, view::ControlKind kind, const view::Change& c) {
      ++changes;
      return editor::changeReactionControl(image, 1, control, kind, c, {}).change;
    };
    hooks.followUp = [](const view::ChangeOutcome&, QWidget*) {};
    hooks.shell = &shell;
    auto* form = new BoundForm(&owner, editor::reactionBindings(), std::move(hooks));
    const auto special = [form](std::string_view control, QWidget* parent) -> QWidget* {
      QWidget* w = makeReactionSpecial(control, parent);
      if (w && isBoundReactionSpecial(control)) {
        form->addNamed(w);
      }
      return w;
    };

    const auto pages = reactionPages();
    QCOMPARE(pages.size(), std::size_t{31});
    const auto bindings = editor::reactionBindings().all();
    const auto bindingPages = editor::reactionBindingPages();
    std::set<std::string_view> placed;
    for (std::size_t p = 0; p < pages.size(); ++p) {
      QCOMPARE(pages[p].name, editor::reactionPageSheet(p));
      QWidget* page = form->buildRows(pages[p].rows, &owner, special);
      QVERIFY(page);
      for (const auto& row : pages[p].rows) {
        const int i = editor::reactionBindings().indexOf(row.control);
        if (i >= 0) {
          QCOMPARE(bindingPages[static_cast<std::size_t>(i)], static_cast<int>(p));
          placed.insert(row.control);
        }
      }
    }
    // Every binding has a place.
    for (const auto& b : bindings) {
      QVERIFY2(placed.count(b.control) == 1, std::string(b.control).c_str());
    }
    QVERIFY(qobject_cast<ReactionClickPanel*>(form->widget("PanelEventReactionIRx")));
    QVERIFY(qobject_cast<QTabBar*>(owner.findChild<QTabBar*>("TabControlAMPLx")));
    QVERIFY(makeReactionSpecial("NoSuchControl", &owner) == nullptr);

    // A derived view applies without storing anything back.
    auto e = kivprism::events::entryAt(image, 1);
    kivprism::events::set(e, kivprism::events::entry::kReactionType, 10);
    kivprism::events::set(e, kivprism::events::reaction::encoder::kConnection, 2);
    kivprism::events::set(e, kivprism::events::reaction::encoder::kSteps, -7);
    const ConfigImage before = image;
    form->apply(editor::deriveReactionPane(image, 1, {}));
    QVERIFY(image == before);
    QCOMPARE(changes, 0);
    auto* spin = owner.findChild<QSpinBox*>("CSpinEditReactionEncoderDIRx");
    QVERIFY(spin);
    QCOMPARE(spin->minimum(), -10);
    QCOMPARE(spin->value(), -7);

    kivprism::events::set(e, kivprism::events::entry::kReactionType, 24);
    kivprism::events::set(e, kivprism::events::reaction::sw_can::kType, 3);
    form->apply(editor::deriveReactionPane(image, 1, {}));
    auto* commands = owner.findChild<QComboBox*>("ComboBoxReactionSWVWMODEx");
    QCOMPARE(commands->count(), 8);
    QCOMPARE(commands->itemText(0), QString("UP"));
  }
};

KIVPRISM_WINDOW_TEST(ReactionLayoutTest);

}  // namespace
}  // namespace reaction_layout_test
#include "reaction_layout_test.moc"
