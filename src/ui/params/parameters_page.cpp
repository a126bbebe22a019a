#include "ui/params/parameters_page.hpp"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/lang/language_table.hpp"
#include "core/params/derive.hpp"
#include "ui/app/qt_text.hpp"
#include "ui/app/translate_form.hpp"
#include "ui/params/source_mask_dialog.hpp"

namespace kivprism::ui::params {

namespace core = kivprism::params;

namespace {

QString name(std::string_view s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

}  // namespace

ParametersPage::ParametersPage(config::ConfigModel& model, Hooks hooks, QWidget* parent)
    : QWidget(parent), model_(model), hooks_(std::move(hooks)) {
  BoundForm::Hooks form;
  form.change = [this](std::string_view control, view::ControlKind kind, const view::Change& c) {
    return core::controlChanged(model_.working, control, kind, c);
  };
  form.showOne = [this](std::string_view control) {
    return core::deriveControl(model_.working, control);
  };
  form.followUp = [this](const core::ChangeOutcome& outcome, QWidget* source) {
    followUp(outcome, source);
  };
  form.forceRefresh = [this] { refresher_.force(); };
  form.refreshing = [this] { return refresher_.running(); };
  form.messageBox = hooks_.messageBox;
  form_ = new BoundForm(this, core::pageBindings(), std::move(form));
  build();
  retranslate();
  refresh();
}

ParametersPage::~ParametersPage() = default;

void ParametersPage::build() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  pageControl_ = new QTabWidget(this);
  pageControl_->setObjectName("PageControlParams");
  pageControl_->setUsesScrollButtons(true);
  layout->addWidget(pageControl_);
  const auto special = [this](std::string_view control, QWidget* parent) {
    return makeSpecial(control, parent);
  };
  for (const TabLayout& tab : paramTabs()) {
    auto* scroll = new QScrollArea(pageControl_);
    scroll->setObjectName(name(tab.name));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    QWidget* content = nullptr;
    if (tab.name == "TabSheet_DIFFBUSx") {
      content = new QWidget(scroll);
      auto* v = new QVBoxLayout(content);
      diffBusPages_ = new QStackedWidget(content);
      diffBusPages_->setObjectName(name(kDiffBusPageControl));
      for (const TabLayout& page : diffBusPages()) {
        QWidget* p = form_->buildRows(page.rows, diffBusPages_, special);
        p->setObjectName(name(page.name));
        diffBusPages_->addWidget(p);
      }
      v->addWidget(diffBusPages_);
    } else {
      content = form_->buildRows(tab.rows, scroll, special);
    }
    scroll->setWidget(content);
    pageControl_->addTab(scroll, QString());
  }
  interceptForm_ = new TInterceptForm(this);
  QTabBar* bar = pageControl_->tabBar();
  bar->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(bar, &QWidget::customContextMenuRequested, this,
          [this, bar](const QPoint& at) { PageControlParamsMouseDown(bar->mapToGlobal(at)); });
  connect(pageControl_, &QTabWidget::currentChanged, this,
          &ParametersPage::PageControlParamsChange);
}

void ParametersPage::PageControlParamsMouseDown(const QPoint& at) {
  auto* menu = new QMenu(this);
  menu->setObjectName("PopupMenuSelectParams");
  menu->setAttribute(Qt::WA_DeleteOnClose);
  for (int i = 0; i < pageControl_->count(); ++i) {
    if (pageControl_->isTabVisible(i)) {
      QAction* item = menu->addAction(pageControl_->tabText(i));
      item->setData(i);
    }
  }
  connect(menu, &QMenu::triggered, this,
          [this](QAction* item) { pageControl_->setCurrentIndex(item->data().toInt()); });
  menu->popup(at);
}

void ParametersPage::PageControlParamsChange(int index) {
  if (hooks_.tabChangeAllowed && !hooks_.tabChangeAllowed() && index != activeTab_) {
    const QSignalBlocker block(pageControl_);
    pageControl_->setCurrentIndex(activeTab_);
    return;
  }
  activeTab_ = index;
}

QLabel* ParametersPage::namedLabel(const char* labelName, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(labelName);
  return label;
}

// Controls without a binding: the set-up buttons, the variables grid, the channel grids and the
// lines of the differential-bus pages that have no settings.
QWidget* ParametersPage::makeSpecial(std::string_view controlName, QWidget* parent) {
  if (controlName == kKeysSetup || controlName == kTouchSetup) {
    // Usable only once a controller is connected (setSetupAvailable).
    auto* button = new QToolButton(parent);
    button->setEnabled(false);
    button->setObjectName(name(controlName));
    if (controlName == kKeysSetup) {
      keysSetup_ = button;
      connect(button, &QToolButton::clicked, this, [this] {
        if (hooks_.keysSetupClicked) {
          hooks_.keysSetupClicked();
        }
      });
    } else {
      touchSetup_ = button;
      connect(button, &QToolButton::clicked, this, [this] {
        const auto* margin = findChild<QCheckBox*>(name(kTouchMargin));
        if (hooks_.touchSetupClicked) {
          hooks_.touchSetupClicked(margin && margin->isChecked());
        }
      });
    }
    return button;
  }
  if (controlName == kKeysGroup) {
    auto* group = new QGroupBox(parent);
    group->setObjectName(name(controlName));
    auto* inside = new QVBoxLayout(group);
    if (hooks_.keysGrid) {
      inside->addWidget(hooks_.keysGrid);
      // The grid has no scroll bars: it is at least tall enough for every row at the smallest
      // readable row height; the tab scrolls instead.
      if (auto* table = qobject_cast<QTableView*>(hooks_.keysGrid); table && table->model()) {
        const int rows = table->model()->rowCount();
        table->setMinimumHeight(rows * (table->verticalHeader()->minimumSectionSize() + 1) + 1 +
                                2 * table->frameWidth());
      }
    }
    return group;
  }
  if (controlName == kRenaultJoyNoSettings || controlName == kMercedesJoyNoSettings) {
    auto* label = new QLabel(parent);
    label->setObjectName(name(controlName));
    label->setWordWrap(true);
    return label;
  }
  if (controlName == kVarGrid) {
    auto* grid = new QTableWidget(3, 4, parent);
    grid->setObjectName(name(controlName));
    grid->setHorizontalHeaderLabels({"VAR1", "VAR2", "VAR3", "VAR4"});
    grid->setVerticalHeaderLabels({"Hex", "Bin", "Dec"});
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setFocusPolicy(Qt::NoFocus);
    for (int r = 0; r < 3; ++r) {
      for (int c = 0; c < 4; ++c) {
        auto* item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        grid->setItem(r, c, item);
      }
    }
    // Four columns wide enough for the bit rows and three rows high, with nothing to scroll.
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->setFixedSize(440, grid->horizontalHeader()->sizeHint().height() +
                                3 * grid->verticalHeader()->defaultSectionSize() +
                                2 * grid->frameWidth());
    return grid;
  }
  if (controlName == kPwmChannels) {
    return makePwmChannels(parent);
  }
  if (controlName == kAnalogChannels) {
    return makeAnalogChannels(parent);
  }
  return nullptr;
}

QWidget* ParametersPage::makePwmChannels(QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  const std::array<const char*, 4> heads = {"LabelPWMParamPin", "LabelPWMParamMin",
                                            "LabelPWMParamMaximum", "LabelPWMParamVal"};
  for (int c = 0; c < 4; ++c) {
    grid->addWidget(namedLabel(heads[static_cast<std::size_t>(c)], box), 0, c + 1);
  }
  for (int ch = 1; ch <= 4; ++ch) {
    const std::string n = std::to_string(ch);
    grid->addWidget(namedLabel(("LabelPWMParamCh" + n).c_str(), box), ch, 0);
    const std::array<std::string, 4> names = {
        "ComboBoxPWMCh" + n + "Pinx", "EditPWMParamCh" + n + "Min", "EditPWMParamCh" + n + "Max",
        "EditPWMParamCh" + n + "Val"};
    for (int c = 0; c < 4; ++c) {
      const core::Binding* b = core::findBinding(names[static_cast<std::size_t>(c)]);
      grid->addWidget(form_->makeControl(b->control, box), ch, c + 1);
    }
  }
  grid->setColumnStretch(5, 1);
  return box;
}

// The two analog outputs side by side: default voltage and limit, each in volts, and the send flag.
QWidget* ParametersPage::makeAnalogChannels(QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(namedLabel("ParamControlVOUTxdefault", box), 0, 1, 1, 2);
  grid->addWidget(namedLabel("ParamControlVOUTxminmax_", box), 0, 3, 1, 2);
  for (int ch = 1; ch <= 2; ++ch) {
    const std::string n = std::to_string(ch);
    grid->addWidget(namedLabel(("PanelParamControlCH" + n).c_str(), box), ch, 0);
    const std::array<std::string, 2> edits = {"EditParamControlVOUT" + n,
                                              "EditParamControlVOUT" + n + "minmax"};
    const std::array<std::string, 2> units = {"PanelParamControlVOUT" + n + "V",
                                              "PanelParamControlVOUT" + n + "Vminmax_"};
    for (int c = 0; c < 2; ++c) {
      const core::Binding* b = core::findBinding(edits[static_cast<std::size_t>(c)]);
      grid->addWidget(form_->makeControl(b->control, box), ch, 2 * c + 1);
      grid->addWidget(namedLabel(units[static_cast<std::size_t>(c)].c_str(), box), ch, 2 * c + 2);
    }
    const core::Binding* send = core::findBinding("CheckBoxParamControlVOUT" + n + "send");
    grid->addWidget(form_->makeControl(send->control, box), ch, 5);
  }
  grid->setColumnStretch(6, 1);
  return box;
}

void ParametersPage::followUp(const core::ChangeOutcome& outcome, QWidget* source) {
  if (outcome.dialog) {
    ask(*outcome.dialog, source);
    return;
  }
  switch (outcome.after) {
    case core::After::None:
      break;
    case core::After::Refresh:
      refresh();
      break;
    case core::After::ForceRefresh:
      refresher_.force();
      if (hooks_.forceEventPane) {
        hooks_.forceEventPane();
      }
      refresh();
      break;
    case core::After::EventsOnly:
      if (hooks_.refreshEventPane) {
        hooks_.refreshEventPane();
      }
      break;
  }
}

// The dialog a change asked for, with the texts and value the core handed over; the core stores
// the answer.
void ParametersPage::ask(const view::DialogRequest& request, QWidget* below) {
  switch (request.kind) {
    case view::DialogKind::SourceMask: {
      const QPoint at = below->mapToGlobal(QPoint(0, below->height()));
      const QString first = translated(request.first);
      const QString second = translated(request.second);
      const auto mask = static_cast<std::uint8_t>(request.value);
      const std::optional<std::uint8_t> result =
          hooks_.editSourceMask ? hooks_.editSourceMask(first, second, at, mask)
                                : interceptForm_->editSourceMask(first, second, at, mask);
      if (result) {
        view::answerDialog(model_.working, request, *result);
      }
      break;
    }
  }
  refresher_.force();  // a cancelled dialog must put the list back on the stored item
  refresh();
}

void ParametersPage::refresh() {
  if (refresher_.running()) {
    return;
  }
  core::PageRefresher::Guard guard(refresher_);
  if (hooks_.suspendRedraw) {
    hooks_.suspendRedraw();
  }
  std::optional<core::PageView> view =
      refresher_.deriveIfChanged(model_.working, lang::currentLanguage());
  if (view) {
    if (hooks_.suspendPoll) {
      hooks_.suspendPoll();
    }
    if (hooks_.setCanLogVisible) {
      hooks_.setCanLogVisible(view->canLogVisible);
    }
    apply(*view);
    lastView_ = std::move(view);
    enableSetupButtons();
    if (hooks_.fillKeysGrid) {
      hooks_.fillKeysGrid();
    }
    if (hooks_.resumePoll) {
      hooks_.resumePoll();
    }
  }
  if (hooks_.refreshEventPane) {
    hooks_.refreshEventPane();
  }
  if (hooks_.resumeRedraw) {
    hooks_.resumeRedraw();
  }
}

void ParametersPage::apply(const core::PageView& view) {
  form_->apply(view);
  BoundForm::applyTabs(pageControl_, view.tabs);
  if (!view.diffBusPage.empty()) {
    if (auto* page = diffBusPages_->findChild<QWidget*>(name(view.diffBusPage))) {
      diffBusPages_->setCurrentWidget(page);
    }
  }
}

void ParametersPage::retranslate() {
  ui::translateForm(this, lang::kMainFormName, lang::mainFormRows());
  form_->retranslate();
  refresher_.force();
  refresh();
}

void ParametersPage::setSetupAvailable(bool available) {
  setupAvailable_ = available;
  enableSetupButtons();
}

void ParametersPage::setRunningSetup(RunningSetup running) {
  runningSetup_ = running;
  enableSetupButtons();
}

void ParametersPage::enableSetupButtons() {
  const bool idle = runningSetup_ == RunningSetup::None && setupAvailable_;
  const bool touchAllowed = !lastView_ || lastView_->touchSetupAllowed;
  keysSetup_->setEnabled(runningSetup_ == RunningSetup::Keys || idle);
  touchSetup_->setEnabled(runningSetup_ == RunningSetup::Touch || (idle && touchAllowed));
}

void ParametersPage::keyEventsChanged() {
  if (hooks_.forceEventPane) {
    hooks_.forceEventPane();
  }
  if (hooks_.refreshEventPane) {
    hooks_.refreshEventPane();
  }
}

bool ParametersPage::variablesViewActive() const {
  return isVisible() && pageControl_->currentWidget() &&
         pageControl_->currentWidget()->objectName() == "TabSheetVARViewx";
}

void ParametersPage::showVariables(const device::VariablesView& view) {
  auto* grid = findChild<QTableWidget*>(name(kVarGrid));
  if (!grid) {
    return;
  }
  for (int c = 0; c < 4; ++c) {
    grid->item(0, c)->setText(qtText(view.hex[c]));
    grid->item(1, c)->setText(qtText(view.bin[c]));
    grid->item(2, c)->setText(qtText(view.dec[c]));
  }
}

}  // namespace kivprism::ui::params
