#include "ui/editor/reaction_half.hpp"

#include <QMenu>
#include <QPushButton>
#include <QTabBar>

#include "core/editor/derive.hpp"
#include "core/editor/pane_texts.hpp"
#include "core/editor/reaction_bindings.hpp"
#include "core/editor/reaction_handlers.hpp"
#include "core/lang/language_table.hpp"
#include "ui/common/bound_form.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/editor/event_reaction_pane.hpp"
#include "ui/editor/reaction_layout.hpp"

namespace kivprism::ui::editor {

namespace core = kivprism::editor;

namespace {

constexpr std::string_view kReactionIrPanel = "PanelEventReactionIRx";
constexpr std::string_view kTouchCaptureButton = "SpeedButtonReactionTouch";
constexpr std::string_view kAmplifierTabs = "TabControlAMPLx";

core::PaneChange changeReaction(config::ConfigImage& image, std::size_t entry,
                                std::string_view control, view::ControlKind kind,
                                const view::Change& change) {
  return core::changeReactionControl(image, entry, control, kind, change,
                                     {lang::currentLanguage()});
}

// The clicks of the controls the reaction layout makes. Nothing fires while a refresh applies a
// view: the refresh's own updates are not the user's.
void connectSpecial(EventReactionPane& pane, std::string_view control, QWidget* w) {
  if (auto* panel = qobject_cast<ReactionClickPanel*>(w)) {
    if (control == kReactionIrPanel) {
      QObject::connect(panel, &ReactionClickPanel::clicked, &pane, [&pane] {
        if (!pane.applyingView()) {
          emit pane.irPanelClicked(pane.selectedEntry(), events::IrContext::Reaction);
        }
      });
      QObject::connect(panel, &ReactionClickPanel::rightClicked, &pane, [&pane](QPoint at) {
        if (QMenu* menu = reactionIrPanelMenu(pane)) {
          menu->popup(at);
        }
      });
    } else {
      // The keyboard panel asks the core too: the keyboard opens only while a keyboard function
      // of the controller is on.
      QObject::connect(panel, &ReactionClickPanel::clicked, &pane,
                       [&pane, control, panel] { pane.changeReactionWidget(control, {}, panel); });
    }
  } else if (auto* tabs = qobject_cast<QTabBar*>(w); tabs && control == kAmplifierTabs) {
    QObject::connect(tabs, &QTabBar::currentChanged, &pane, [&pane, control, tabs](int index) {
      pane.changeReactionWidget(control, {.index = index}, tabs);
    });
  } else if (auto* button = qobject_cast<QPushButton*>(w);
             button && control == kTouchCaptureButton) {
    QObject::connect(button, &QPushButton::clicked, &pane, [&pane] {
      if (!pane.applyingView()) {
        emit pane.touchCaptureClicked(pane.selectedEntry());
      }
    });
  }
}

}  // namespace

PaneHalf reactionHalf() {
  PaneHalf half;
  half.bindings = &core::reactionBindings();
  half.bindingPages = core::reactionBindingPages();
  half.pages = reactionPages();
  half.special = [](EventReactionPane& pane, std::string_view control,
                    QWidget* parent) -> QWidget* {
    QWidget* w = makeReactionSpecial(control, parent);
    if (!w) {
      return nullptr;
    }
    if (isBoundReactionSpecial(control)) {
      pane.reactionForm().addNamed(w);
    }
    connectSpecial(pane, control, w);
    return w;
  };
  half.derive = [](const config::ConfigImage& image, std::size_t entry,
                   const core::EventPaneContext& context) {
    core::ReactionPaneView v = core::deriveReactionPane(image, entry, context);
    const std::size_t page = v.page;
    return HalfView{static_cast<view::FormView&&>(std::move(v)), page};
  };
  half.change = changeReaction;
  half.chooseType = core::chooseReactionType;
  half.selectionMenu = core::selectResponseMenu;
  half.menuName = "PopupMenuSelectResponse";
  return half;
}

QMenu* reactionIrPanelMenu(EventReactionPane& pane) {
  const std::size_t entry = pane.selectedEntry();
  if (!core::reactionIrCodeRequest(pane.image(), entry)) {
    return nullptr;
  }
  auto* menu = new QMenu(&pane);
  menu->setObjectName("PopupMenuKeys");
  menu->setAttribute(Qt::WA_DeleteOnClose);
  QAction* edit = menu->addAction(translated(core::texts::kEditIrCode));
  edit->setObjectName("CopyAllx");
  QObject::connect(edit, &QAction::triggered, &pane, [&pane, entry] {
    // The code as it is when the item is chosen, for the entry the menu opened on.
    if (const auto request = core::reactionIrCodeRequest(pane.image(), entry)) {
      pane.ask(*request, pane.control(kReactionIrPanel));
      pane.refresh();
    }
  });
  return menu;
}

}  // namespace kivprism::ui::editor
