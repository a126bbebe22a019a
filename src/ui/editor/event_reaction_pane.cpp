#include "ui/editor/event_reaction_pane.hpp"

#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <string>
#include <variant>

#include "core/editor/pane_texts.hpp"
#include "core/editor/reaction_handlers.hpp"
#include "core/events/entry_types.hpp"
#include "core/forms/main_form_rows.hpp"
#include "core/lang/gesture_texts.hpp"
#include "core/lang/language_table.hpp"
#include "ui/common/message_box.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/common/source_mask_dialog.hpp"
#include "ui/common/translate_form.hpp"
#include "ui/dialogs/can_frame_dialogs.hpp"
#include "ui/dialogs/entry_name_dialog.hpp"
#include "ui/dialogs/ir_code_dialog.hpp"
#include "ui/editor/event_layout.hpp"
#include "ui/editor/panel_button.hpp"

namespace kivprism::ui::editor {

namespace core = kivprism::editor;

namespace {

QString qtName(std::string_view s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

// One visitor of the pane's requests from a lambda per kind.
template <typename... Answers>
struct Overloaded : Answers... {
  using Answers::operator()...;
};
// Written out for compilers without C++20's deduction for aggregates (clang before 17).
template <typename... Answers>
Overloaded(Answers...) -> Overloaded<Answers...>;

constexpr std::size_t kIrEventPage = static_cast<std::size_t>(events::EventType::IrCode);
constexpr int kBoxGap = 2;  // between the event and the reaction box

}  // namespace

// ---- building --------------------------------------------------------------------------------

EventReactionPane::EventReactionPane(config::ConfigImage& image, Hooks hooks, PaneHalf reaction,
                                     QWidget* parent)
    : QWidget(parent), image_(image), hooks_(std::move(hooks)) {
  PaneHalf& e = event_.description;
  e.bindings = &core::eventBindings();
  e.bindingPages = core::eventBindingPages();
  e.pages = editor::eventPages();
  e.special = [](EventReactionPane& pane, std::string_view control, QWidget* p) {
    return pane.makeEventSpecial(control, p);
  };
  e.derive = [](const config::ConfigImage& im, std::size_t entry, const core::EventPaneContext& c) {
    core::EventPaneView v = core::deriveEventPane(im, entry, c);
    const std::size_t page = v.page;
    return HalfView{static_cast<view::FormView&&>(std::move(v)), page};
  };
  e.change = [](config::ConfigImage& im, std::size_t entry, std::string_view control,
                view::ControlKind kind, const view::Change& change) {
    return core::changeEventControl(im, entry, control, kind, change, lang::currentLanguage());
  };
  e.chooseType = core::chooseEventType;
  e.selectionMenu = core::selectEventMenu;
  e.menuName = "PopupMenuSelectEvent";
  reaction_.description = std::move(reaction);
  for (std::size_t i = 0; i < captions_.size(); ++i) {
    captions_[i] = std::to_string(i + 1);
  }
  build();
  if (QWidget* top = window(); top != this) {
    top->installEventFilter(this);
  }
  retranslate();
}

EventReactionPane::~EventReactionPane() = default;

void EventReactionPane::build() {
  setObjectName("PanelEvents");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  entryTabs_ = new QTabBar(this);
  entryTabs_->setObjectName("TabControlEVENTREACTIONx");
  entryTabs_->setUsesScrollButtons(true);
  entryTabs_->setExpanding(false);
  entryTabs_->setDrawBase(false);
  for (const std::string& caption : captions_) {
    entryTabs_->addTab(qtText(caption));
  }
  entryTabs_->installEventFilter(this);
  entryTabs_->setContextMenuPolicy(Qt::CustomContextMenu);
  // A click gives the tabs the focus, so the rule commands' keys act on the selected rule.
  entryTabs_->setFocusPolicy(Qt::StrongFocus);
  connect(entryTabs_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    // The menu's commands act on the rule right-clicked.
    if (const int tab = entryTabs_->tabAt(at); tab >= 0) {
      entryTabs_->setCurrentIndex(tab);
    }
    tabsMenu()->popup(entryTabs_->mapToGlobal(at));
  });
  connect(entryTabs_, &QTabBar::currentChanged, this, [this] {
    // What was typed for the entry left belongs to it, not to the one chosen.
    storeTypedValues();
    // A refresh that redraws tells the keyboard dialog itself; one skipped (an identical entry)
    // must still tell it.
    const std::size_t before = refreshCount();
    refresh();
    if (refreshCount() == before) {
      emit entrySelected(selectedEntry());
    }
  });
  layout->addWidget(entryTabs_);

  // The event and the reaction box share the width below the entry tabs in equal halves,
  // whatever their pages would like.
  auto* boxes = new QHBoxLayout;
  boxes->setContentsMargins(0, 0, 0, 0);
  boxes->setSpacing(kBoxGap);
  layout->addLayout(boxes, 1);

  eventBox_ = new QGroupBox(this);
  eventBox_->setObjectName("GroupBoxEvent");
  auto* eventLayout = new QVBoxLayout(eventBox_);
  eventPages_ = buildPages(event_, "PageControlEvent", eventBox_);
  eventLayout->setSpacing(0);
  eventLayout->addWidget(event_.tabs);
  eventLayout->addWidget(eventPages_, 1);
  eventLayout->addSpacing(eventLayout->contentsMargins().top());
  eventLayout->addWidget(buildBottomRow(eventBox_));
  eventBox_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  boxes->addWidget(eventBox_, 1);

  reactionBox_ = new QGroupBox(this);
  reactionBox_->setObjectName("GroupBoxReaction");
  auto* reactionLayout = new QVBoxLayout(reactionBox_);
  reactionPages_ = buildPages(reaction_, "PageControlReaction", reactionBox_);
  reactionLayout->setSpacing(0);
  reactionLayout->addWidget(reaction_.tabs);
  reactionLayout->addWidget(reactionPages_, 1);
  reactionBox_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  boxes->addWidget(reactionBox_, 1);

  sourceMaskDialog_ = new TInterceptForm(this);
  irCodeDialog_ = new dialogs::TFormIRCode(this);
  canMessageDialog_ = new dialogs::TFormCANMSG(this);
  canFilterDialog_ = new dialogs::TFormCANFilter(this);
  entryNameDialog_ = new dialogs::TFormEditEventReactionName(this);
  // An empty key panel says where its key comes from.
  constexpr auto kKeyPage = static_cast<int>(events::EventType::Key);
  if (kKeyPage < eventPages_->count()) {
    keyHint_ = addPageHint(eventPages_->widget(kKeyPage), "PanelKeyHintx");
  }
  showGestureHints();
}

BoundForm* EventReactionPane::makeForm(Half& half) {
  BoundForm::Hooks form;
  form.change = [this, &half](std::string_view control, view::ControlKind kind,
                              const view::Change& change) {
    core::PaneChange result = half.description.change(image_, editedEntry(), control, kind, change);
    pendingRequest_ = std::move(result.request);
    return result.change;
  };
  form.showOne = [this, &half](std::string_view control) {
    view::ControlView v;
    if (const view::Binding* b = half.description.bindings->find(control)) {
      view::showControl(v, *b, image_, {lang::currentLanguage(), editedEntry()});
    }
    return v;
  };
  form.followUp = [this](const view::ChangeOutcome& outcome, QWidget* source) {
    afterChange(outcome, source);
  };
  form.forceRefresh = [this] { refresher_.force(); };
  form.refreshing = [this] { return refresher_.running() || applying_; };
  form.shell = hooks_.shell;
  return new BoundForm(this, *half.description.bindings, std::move(form));
}

QTabWidget* EventReactionPane::buildPages(Half& half, const char* name, QWidget* parent) {
  auto* tabs = new QTabWidget(parent);
  tabs->setObjectName(name);
  tabs->setUsesScrollButtons(true);
  half.pages = tabs;
  half.form = makeForm(half);
  const auto special = [this, &half](std::string_view control, QWidget* p) -> QWidget* {
    return half.description.special ? half.description.special(*this, control, p) : nullptr;
  };
  for (const TabLayout& page : half.description.pages) {
    QWidget* content = half.form->buildRows(page.rows, tabs, special);
    content->setObjectName(qtName(page.name));
    tabs->addTab(content, QString());
  }
  // The page of no type is empty: it says how to choose one.
  if (tabs->count() > 0) {
    half.typeHint = addPageHint(tabs->widget(0), QString::fromLatin1(name) + "TypeHintx");
  }
  half.pageCount = std::min<std::size_t>(half.description.pages.size(), half.visible.size());
  half.visible.fill(true);
  // The page control's own tab bar keeps every page, hidden ones too, and a bar whose last tab is
  // hidden scrolls wrongly: the tabs after the current one stay out of reach. The user's bar holds
  // only the pages shown.
  tabs->tabBar()->hide();
  half.tabs = new QTabBar(parent);
  half.tabs->setObjectName(QString::fromLatin1(name) + "Tabsx");
  half.tabs->setUsesScrollButtons(true);
  half.tabs->setExpanding(false);
  half.tabs->setElideMode(Qt::ElideNone);
  connect(half.tabs, &QTabBar::currentChanged, this, [this, &half](int tab) {
    if (!applying_ && tab >= 0) {
      half.pages->setCurrentIndex(half.tabs->tabData(tab).toInt());
    }
  });
  // A right click anywhere on the page control or its tabs offers the pages shown.
  for (QWidget* w : {static_cast<QWidget*>(tabs), static_cast<QWidget*>(half.tabs)}) {
    w->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(w, &QWidget::customContextMenuRequested, this,
            [this, &half, w](const QPoint& at) { pageMenu(half)->popup(w->mapToGlobal(at)); });
  }
  connect(tabs, &QTabWidget::currentChanged, this, [this, &half](int index) {
    if (!applying_) {
      pageChosen(half, index);
    }
  });
  return tabs;
}

QWidget* EventReactionPane::buildBottomRow(QWidget* parent) {
  auto* bottom = new QWidget(parent);
  bottom->setObjectName("PanelEventBottom");
  auto* grid = new QGridLayout(bottom);
  grid->setContentsMargins(0, 0, 0, 0);
  int column = 0;
  for (const FormRow& row : eventBottomRow()) {
    QWidget* control = event_.form->makeControl(row.control, bottom);
    if (!row.caption.empty() && row.caption != kDerivedCaption) {
      auto* label = new QLabel(bottom);
      label->setObjectName(qtName(row.caption));
      label->setBuddy(control);
      event_.form->follow(row.control, label);
      grid->addWidget(label, 0, column++);
    }
    grid->addWidget(control, 0, column++);
  }
  grid->setColumnStretch(column, 1);
  return bottom;
}

// The panels and speed buttons of the event pages; the rest the form makes from the bindings.
QWidget* EventReactionPane::makeEventSpecial(std::string_view control, QWidget* parent) {
  PanelButton* made = nullptr;
  if (control == kKeyPanel || control == kKeyModifierPanel) {
    const bool modifier = control == kKeyModifierPanel;
    auto* panel = new KeyDropPanel(parent);
    panel->accepts = [this, modifier](int column) {
      return core::keyDropAccepted(image_, selectedEntry(), column, modifier);
    };
    panel->dropped = [this, modifier](int column, int row) {
      if (core::dropGridKey(image_, selectedEntry(), column, row, modifier)) {
        refresh();
      }
    };
    connect(panel, &PanelButton::rightClicked, this, [this, modifier](QPoint at) {
      if (QMenu* menu = keyPanelMenu(modifier)) {
        menu->popup(at);
      }
    });
    (modifier ? modifierPanel_ : keyPanel_) = panel;
    made = panel;
  } else if (control == kIrPanel) {
    made = new PanelButton(PanelButton::Face::Panel, parent);
    made->setCursor(Qt::PointingHandCursor);
    connect(made, &PanelButton::clicked, this,
            [this] { emit irPanelClicked(selectedEntry(), events::IrContext::Event); });
    connect(made, &PanelButton::rightClicked, this, [this](QPoint at) {
      if (QMenu* menu = irPanelMenu()) {
        menu->popup(at);
      }
    });
    irPanel_ = made;
  } else if (control.starts_with("SpeedButton")) {
    made = new PanelButton(PanelButton::Face::Button, parent);
    connect(made, &PanelButton::clicked, this,
            [this, control, made] { widgetClicked(event_, control, made); });
  } else {
    return nullptr;
  }
  made->setObjectName(qtName(control));
  event_.form->addNamed(made);  // after naming: the form reaches it by its name
  // A caption or unit label beside the panel, as the form gives its own controls.
  const FormRow* row = findEventRow(control);
  if (!row || ((row->caption.empty() || row->caption == kDerivedCaption) && row->unit.empty())) {
    return made;
  }
  auto* box = new QWidget(parent);
  auto* line = new QHBoxLayout(box);
  line->setContentsMargins(0, 0, 0, 0);
  const auto addLabel = [&](std::string_view labelName) {
    auto* label = new QLabel(box);
    label->setObjectName(qtName(labelName));
    event_.form->follow(control, label);
    line->addWidget(label);
  };
  if (!row->caption.empty() && row->caption != kDerivedCaption) {
    addLabel(row->caption);
  }
  made->setParent(box);
  line->addWidget(made, 1);
  if (!row->unit.empty()) {
    addLabel(row->unit);
  }
  return box;
}

// ---- editing -----------------------------------------------------------------------------------

void EventReactionPane::changeReactionWidget(std::string_view control, const view::Change& change,
                                             QWidget* source) {
  widgetClicked(reaction_, control, source, change);
}

void EventReactionPane::widgetClicked(Half& half, std::string_view control, QWidget* source,
                                      const view::Change& change) {
  if (applyingView()) {
    return;
  }
  core::PaneChange result =
      half.description.change(image_, selectedEntry(), control, view::ControlKind::Widget, change);
  if (result.change.notice) {
    const bool error = result.change.notice->kind == view::NoticeKind::Error;
    messageBox(error ? box::kError : box::kInformation,
               qtText(result.change.notice->in(lang::currentLanguage())));
  }
  pendingRequest_ = std::move(result.request);
  afterChange(result.change, source);
}

void EventReactionPane::afterChange(const view::ChangeOutcome& outcome, QWidget* source) {
  std::optional<core::PaneRequest> request = std::move(pendingRequest_);
  pendingRequest_.reset();
  if (request) {
    ask(*request, source);
  }
  switch (outcome.after) {
    case view::After::None:
      break;
    case view::After::ForceRefresh:
      refresher_.force();
      refresh();
      break;
    case view::After::Refresh:
    case view::After::EventsOnly:
      refresh();
      break;
  }
}

void EventReactionPane::pageChosen(Half& half, int index) {
  if (index < 0 || !half.description.chooseType) {
    return;
  }
  if (!half.description.chooseType(image_, selectedEntry(), static_cast<std::uint8_t>(index))) {
    // The same type again, or a refused one: the page control goes back to the entry's page.
    refresher_.force();
  }
  refresh();
}

// Every request of both halves. The event half's dialogs redraw afterwards in any case: a
// cancelled dialog must put the list back on the stored item.
bool EventReactionPane::ask(const core::PaneRequest& request, QWidget* source,
                            std::optional<QPoint> at) {
  const QPoint under = at ? *at : source ? bottomCentre(source) : QCursor::pos();
  const QPoint cursor = at ? *at : QCursor::pos();
  const auto redrawn = [this](bool answered) {
    refresher_.force();
    refresh();
    return answered;
  };
  const Overloaded visitor{
      [&](const core::SourceMaskRequest& r) {
        const auto mask = editSourceMask(r.first, r.second, under, r.mask);
        if (mask) {
          core::answerSourceMask(image_, r.entry, *mask);
        }
        return redrawn(mask.has_value());
      },
      [&](const core::CanFilterRequest& r) {
        const auto filter =
            canFilterDialog().editCanFilter(cursor, translated(r.caption), r.filter);
        if (filter) {
          core::answerCanFilter(image_, r.entry, *filter);
        }
        return redrawn(filter.has_value());
      },
      [&](const core::EventIrCodeRequest& r) {
        const auto code = irCodeDialog().editIrCode(under, r.code, events::IrContext::Event);
        if (code) {
          core::answerEventIrCode(image_, r.entry, *code);
        }
        return redrawn(code.has_value());
      },
      [&](const core::EntryNameRequest& r) {
        const auto name = entryNameDialog().editEntryName(under, r.entry, r.name);
        if (name) {
          core::answerEntryName(image_, r.entry, *name);
          updateTabCaptions();
        }
        return name.has_value();
      },
      [&](const core::SkipMaskRequest& r) {
        const auto mask = editSourceMask(r.first, r.second, under, r.mask);
        if (mask) {
          core::answerSkipMask(image_, r.entry, *mask);
        }
        return mask.has_value();
      },
      [&](const core::ReactionIrCodeRequest& r) {
        const auto code = irCodeDialog().editIrCode(under, r.code, events::IrContext::Reaction);
        if (code) {
          core::answerReactionIrCode(image_, r.entry, *code);
        }
        return code.has_value();
      },
      [&](const core::CanMessageRequest& r) {
        const auto message =
            canMessageDialog().editCanMessage(cursor, translated(r.caption), r.message);
        if (message) {
          core::answerCanMessage(image_, r.entry, r.slot, *message);
        }
        return message.has_value();
      },
      [&](const core::KeyboardRequest& r) {
        emit keyboardPanelClicked(r.entry);
        return false;
      },
      [&](const core::PinsTabRequest&) {
        emit pinsTabWanted();
        return false;
      },
      [&](const core::ParametersPageRequest&) {
        emit parametersPageRefreshWanted();
        return false;
      },
  };
  return std::visit(visitor, request);
}

void EventReactionPane::editEntryName(QPoint at) {
  if (ask(core::entryNameRequest(image_, selectedEntry()), nullptr, at)) {
    refresh();
  }
}

std::optional<std::uint8_t> EventReactionPane::editSourceMask(const lang::TextPair& first,
                                                              const lang::TextPair& second,
                                                              QPoint at, std::uint8_t mask) {
  return sourceMaskDialog_->editSourceMask(translated(first), translated(second), at, mask);
}

dialogs::TFormIRCode& EventReactionPane::irCodeDialog() { return *irCodeDialog_; }
dialogs::TFormCANMSG& EventReactionPane::canMessageDialog() { return *canMessageDialog_; }
dialogs::TFormCANFilter& EventReactionPane::canFilterDialog() { return *canFilterDialog_; }
dialogs::TFormEditEventReactionName& EventReactionPane::entryNameDialog() {
  return *entryNameDialog_;
}

int EventReactionPane::messageBox(unsigned flags, const QString& text) {
  return showShellBox(hooks_.shell, this, flags, text);
}

QPoint EventReactionPane::bottomCentre(const QWidget* w) {
  return w->mapToGlobal(QPoint(w->width() / 2, w->height()));
}

// ---- menus -------------------------------------------------------------------------------------

QMenu* EventReactionPane::tabsMenu() {
  auto* menu = new QMenu(this);
  menu->setObjectName("PopupMenuSelectTabs");
  menu->setAttribute(Qt::WA_DeleteOnClose);
  for (const core::SubMenu& group : core::selectTabsMenu(captions_)) {
    QMenu* sub = menu->addMenu(qtText(group.caption));
    for (const core::MenuItem& item : group.items) {
      QAction* action = sub->addAction(qtText(item.caption));
      const std::size_t index = item.index;
      connect(action, &QAction::triggered, this, [this, index] { selectEntry(index + 1); });
    }
  }
  if (hooks_.extendTabsMenu) {
    menu->addSeparator();
    hooks_.extendTabsMenu(menu);
  }
  return menu;
}

QMenu* EventReactionPane::pageMenu(Half& half) {
  auto* menu = new QMenu(this);
  menu->setObjectName(half.description.menuName);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  const std::span<const bool> visible(half.visible.data(), half.pageCount);
  for (const core::MenuItem& item :
       half.description.selectionMenu(visible, lang::currentLanguage())) {
    QAction* action = menu->addAction(qtText(item.caption));
    action->setData(static_cast<int>(item.index));
    const int index = static_cast<int>(item.index);
    connect(action, &QAction::triggered, this, [this, &half, index] { pageChosen(half, index); });
  }
  return menu;
}

QMenu* EventReactionPane::eventMenu() { return pageMenu(event_); }
QMenu* EventReactionPane::reactionMenu() { return pageMenu(reaction_); }

QMenu* EventReactionPane::keyPanelMenu(bool modifier) {
  KeyDropPanel* panel = modifier ? modifierPanel_ : keyPanel_;
  // A set reference always shows a text, if only its "?" fallback.
  if (!panel || panel->text().isEmpty()) {
    return nullptr;
  }
  auto* menu = new QMenu(this);
  menu->setObjectName("PopupMenuKeys");
  menu->setAttribute(Qt::WA_DeleteOnClose);
  QAction* item = menu->addAction(
      translated(modifier ? core::texts::kDeleteModifier : core::texts::kDeleteKey));
  item->setObjectName("DeleteKeyx");
  connect(item, &QAction::triggered, this, [this, panel, modifier] {
    core::deleteKeyPanel(image_, selectedEntry(), modifier);
    panel->clear();
    refresh();
  });
  return menu;
}

QMenu* EventReactionPane::irPanelMenu() {
  if (event_.shownPage != kIrEventPage) {
    return nullptr;
  }
  auto* menu = new QMenu(this);
  menu->setObjectName("PopupMenuKeys");
  menu->setAttribute(Qt::WA_DeleteOnClose);
  QAction* remove = menu->addAction(translated(core::texts::kDeleteIrCode));
  remove->setObjectName("DeleteKeyx");
  connect(remove, &QAction::triggered, this, [this] {
    core::deleteEventIrCode(image_, selectedEntry());
    refresh();
  });
  QAction* edit = menu->addAction(translated(core::texts::kEditIrCode));
  edit->setObjectName("CopyAllx");
  connect(edit, &QAction::triggered, this,
          [this] { ask(core::eventIrCodeRequest(image_, selectedEntry()), irPanel_); });
  return menu;
}

// ---- the refresh -------------------------------------------------------------------------------

std::size_t EventReactionPane::selectedEntry() const {
  return static_cast<std::size_t>(std::max(0, entryTabs_->currentIndex())) + 1;
}

void EventReactionPane::selectEntry(std::size_t entry) {
  if (entry >= 1 && entry <= core::kTabCount) {
    entryTabs_->setCurrentIndex(static_cast<int>(entry - 1));
  }
}

QWidget* EventReactionPane::control(std::string_view name) const {
  if (QWidget* w = event_.form->widget(name)) {
    return w;
  }
  return reaction_.form->widget(name);
}

core::EventPaneContext EventReactionPane::context() const {
  core::EventPaneContext c;
  c.language = lang::currentLanguage();
  c.marks = hooks_.marks ? hooks_.marks() : kivprism::params::computeAvailability(image_);
  c.onlyUsed = hooks_.onlyUsed && hooks_.onlyUsed();
  return c;
}

void EventReactionPane::refresh() {
  if (refresher_.running() || applying_) {
    return;
  }
  const std::size_t entry = selectedEntry();
  const core::EventPaneContext c = context();
  std::optional<core::EventPaneView> eventView = refresher_.refresh(image_, entry, c);
  if (!eventView) {
    // The entry is as shown, but the parameters may have changed which pages make sense.
    shownEntry_ = entry;
    applyOnlyUsedView();
    return;
  }
  {
    std::optional<shell::RedrawPause> redraw;
    if (hooks_.shell) {
      redraw.emplace(*hooks_.shell);
    }
    core::EventPaneRefresher::Guard guard(refresher_);
    std::optional<shell::PollPause<shell::ShellServices>> poll;
    if (hooks_.shell) {
      poll.emplace(*hooks_.shell);
    }
    const std::size_t eventPage = eventView->page;
    applyHalf(event_, {static_cast<view::FormView&&>(std::move(*eventView)), eventPage});
    showKeyHint();
    if (reaction_.description.derive) {
      applyHalf(reaction_, reaction_.description.derive(image_, entry, c));
    }
    if (hooks_.focusWindow) {
      hooks_.focusWindow();
    }
    updateTabCaptions();
  }
  shownEntry_ = entry;
  // After the guard: the keyboard dialog may store into the entry and ask for a refresh.
  emit entrySelected(entry);
}

void EventReactionPane::applyHalf(Half& half, const HalfView& view) {
  applying_ = true;
  half.form->apply(view.form);
  const QSignalBlocker block(half.pages);
  BoundForm::applyTabs(half.pages, view.form.tabs);
  std::array<bool, 64> visible{};
  for (std::size_t i = 0; i < half.pageCount && i < view.form.tabs.size(); ++i) {
    visible[i] = view.form.tabs[i].visible;
  }
  half.shownPage = view.page;
  const int page = static_cast<int>(view.page);
  if (page < half.pages->count()) {
    half.pages->setTabVisible(page, true);
    half.pages->setCurrentIndex(page);
  }
  showPages(half, std::span<const bool>(visible.data(), half.pageCount));
  applying_ = false;
}

void EventReactionPane::applyOnlyUsedView() {
  if (refresher_.running() || applying_) {
    return;
  }
  const core::EventPaneContext c = context();
  const kivprism::params::PageVisibility v =
      kivprism::params::visiblePages(image_, c.marks, c.onlyUsed);
  applying_ = true;
  showPages(event_, v.event);
  showPages(reaction_, v.reaction);
  applying_ = false;
}

// The entry's own page shows even when the only-used view or a mark would hide its tab.
void EventReactionPane::showPages(Half& half, std::span<const bool> visible) {
  const QSignalBlocker block(half.pages);
  for (std::size_t i = 0; i < half.pageCount; ++i) {
    half.visible[i] = i < visible.size() && visible[i];
    const bool shown = half.visible[i] || i == half.shownPage;
    if (half.pages->isTabVisible(static_cast<int>(i)) != shown) {
      half.pages->setTabVisible(static_cast<int>(i), shown);
    }
  }
  syncTabs(half);
}

// The user's bar: one tab per page shown, captioned like it, the entry's page current.
void EventReactionPane::syncTabs(Half& half) {
  QList<int> pages;
  for (int p = 0; p < half.pages->count(); ++p) {
    if (half.pages->isTabVisible(p)) {
      pages << p;
    }
  }
  const QSignalBlocker block(half.tabs);
  bool same = half.tabs->count() == pages.size();
  for (int i = 0; same && i < pages.size(); ++i) {
    same = half.tabs->tabData(i).toInt() == pages[i] &&
           half.tabs->tabText(i) == half.pages->tabText(pages[i]);
  }
  if (!same) {
    while (half.tabs->count() > 0) {
      half.tabs->removeTab(half.tabs->count() - 1);
    }
    for (const int p : pages) {
      half.tabs->setTabData(half.tabs->addTab(half.pages->tabText(p)), p);
    }
  }
  const int current = static_cast<int>(pages.indexOf(static_cast<int>(half.shownPage)));
  if (current >= 0 && half.tabs->currentIndex() != current) {
    half.tabs->setCurrentIndex(current);
  }
}

std::size_t EventReactionPane::editedEntry() const {
  return typedEntry_ != 0 ? typedEntry_ : selectedEntry();
}

void EventReactionPane::storeTypedValues() {
  if (applyingView() || typedEntry_ != 0) {
    return;
  }
  typedEntry_ = shownEntry_ != 0 ? shownEntry_ : selectedEntry();
  event_.form->storeTypedValues();
  reaction_.form->storeTypedValues();
  typedEntry_ = 0;
}

void EventReactionPane::updateTabCaptions() {
  if (entryTabs_->count() != static_cast<int>(core::kTabCount)) {
    return;
  }
  for (const std::size_t i : core::updateTabCaptions(image_, captions_)) {
    entryTabs_->setTabText(static_cast<int>(i), qtText(captions_[i]));
  }
}

QLabel* EventReactionPane::addPageHint(QWidget* page, const QString& name) {
  auto* layout = qobject_cast<QVBoxLayout*>(page->layout());
  if (layout == nullptr) {
    return nullptr;
  }
  auto* hint = new QLabel(page);
  hint->setObjectName(name);
  hint->setWordWrap(true);
  hint->setEnabled(false);
  // Below the page's rows, above the stretch that keeps them at the top.
  layout->insertWidget(std::min(1, layout->count()), hint);
  return hint;
}

void EventReactionPane::showKeyHint() {
  if (keyHint_ != nullptr && keyPanel_ != nullptr) {
    keyHint_->setVisible(keyPanel_->text().isEmpty());
  }
}

void EventReactionPane::showGestureHints() {
  for (Half* half : {&event_, &reaction_}) {
    if (half->typeHint != nullptr) {
      half->typeHint->setText(qtText(lang::translateText(lang::gestures::kEmptyTypePage)));
    }
  }
  if (keyHint_ != nullptr) {
    keyHint_->setText(qtText(lang::translateText(lang::gestures::kEmptyKeyPanel)));
  }
}

void EventReactionPane::retranslate() {
  showGestureHints();
  ui::translateForm(this, lang::kMainFormName, forms::mainFormRows());
  event_.form->retranslate();
  reaction_.form->retranslate();
  refresher_.force();
  refresh();
}

bool EventReactionPane::eventFilter(QObject* watched, QEvent* event) {
  // Closing the window keeps what was typed: it is stored before the window asks about changes.
  if (watched == window() && watched != this && event->type() == QEvent::Close) {
    storeTypedValues();
    return false;
  }
  if (watched == entryTabs_ && event->type() == QEvent::MouseButtonDblClick) {
    editEntryName(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kivprism::ui::editor
