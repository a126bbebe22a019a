#include "ui/params/parameters_page.hpp"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGraphicsColorizeEffect>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/forms/main_form_rows.hpp"
#include "core/lang/language_table.hpp"
#include "core/lang/param_find_texts.hpp"
#include "core/params/derive.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/common/source_mask_dialog.hpp"
#include "ui/common/translate_form.hpp"

namespace kivprism::ui::params {

namespace core = kivprism::params;

namespace {

QString name(std::string_view s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

namespace find_texts = lang::param_find;

// What an item of the category list stands for: its name in the role below, its kind in the next.
constexpr int kItemName = Qt::UserRole;
constexpr int kItemKind = Qt::UserRole + 1;
enum class ItemKind { Category, Tab, Link };
// How long a revealed control stays highlighted.
constexpr int kHighlightMs = 1500;
// The side list is as wide as its longest line needs, within these bounds.
constexpr int kSideMinWidth = 150;
constexpr int kSideMaxWidth = 230;

ItemKind kindOf(const QTreeWidgetItem* item) {
  return static_cast<ItemKind>(item->data(0, kItemKind).toInt());
}

// Where every control of the layout sits, for the search; a differential-bus page's controls
// belong to its page of the bus tab.
void addPlaces(std::vector<core::FindPlace>& places, const TabLayout& layout, std::string_view tab,
               std::string_view page) {
  for (const FormRow& row : layout.rows) {
    std::string caption;
    if (row.caption == kDerivedCaption) {
      caption = derivedCaptionName(row.control).toStdString();
    } else {
      caption = std::string(row.caption);
    }
    places.push_back({row.control, tab, page, std::move(caption)});
  }
}

// The search box hands Down and Enter to the list of matches.
class FindBoxKeys : public QObject {
 public:
  FindBoxKeys(QListWidget* results, QObject* parent) : QObject(parent), results_(results) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !results_->isVisible() || results_->count() == 0) {
      return QObject::eventFilter(watched, event);
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Down) {
      results_->setFocus();
      results_->setCurrentRow(0);
      return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      emit results_->itemActivated(results_->item(0));
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QListWidget* results_;
};

}  // namespace

ParametersPage::ParametersPage(config::ConfigModel& model, Hooks hooks, QWidget* parent)
    : QWidget(parent), model_(model), hooks_(std::move(hooks)) {
  setClock(wallClock());
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
  form.shell = hooks_.shell;
  form_ = new BoundForm(this, core::pageBindings(), std::move(form));
  build();
  retranslate();
  refresh();
}

ParametersPage::~ParametersPage() = default;

void ParametersPage::build() {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* side = new QWidget(this);
  side->setObjectName("PanelParamFindx");
  layout->addWidget(side);
  pageControl_ = new QTabWidget(this);
  pageControl_->setObjectName("PageControlParams");
  pageControl_->setUsesScrollButtons(true);
  // The category list at the side chooses the tab; a row of 27 tabs would not fit the window.
  pageControl_->tabBar()->hide();
  layout->addWidget(pageControl_, 1);
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
  std::vector<core::FindPlace> places;
  for (const TabLayout& tab : paramTabs()) {
    if (tab.name == "TabSheet_DIFFBUSx") {
      for (const TabLayout& page : diffBusPages()) {
        addPlaces(places, page, tab.name, page.name);
      }
    } else {
      addPlaces(places, tab, tab.name, {});
    }
  }
  findEntries_ = core::findEntries(places);
  buildFindPanel(side);
}

// The search box above the category list; while it holds text, its matches replace the list.
void ParametersPage::buildFindPanel(QWidget* panel) {
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(0, 0, 0, 0);
  findBox_ = new QLineEdit(panel);
  findBox_->setObjectName("EditParamFindx");
  findBox_->setClearButtonEnabled(true);
  column->addWidget(findBox_);
  categories_ = new QTreeWidget(panel);
  categories_->setObjectName("TreeViewParamsx");
  categories_->setHeaderHidden(true);
  categories_->setRootIsDecorated(false);
  categories_->setIndentation(12);
  categories_->setContextMenuPolicy(Qt::CustomContextMenu);
  column->addWidget(categories_, 1);
  findResults_ = new QListWidget(panel);
  findResults_->setObjectName("ListBoxParamFindx");
  findResults_->setWordWrap(true);
  findResults_->hide();
  column->addWidget(findResults_, 1);
  findBox_->installEventFilter(new FindBoxKeys(findResults_, findBox_));
  buildCategories();
  connect(categories_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* item) { categoryChosen(item); });
  connect(categories_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { categoryChosen(item); });
  connect(categories_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    PageControlParamsMouseDown(categories_->viewport()->mapToGlobal(at));
  });
  connect(pageControl_, &QTabWidget::currentChanged, this, [this] { syncCategories(); });
  connect(findBox_, &QLineEdit::textChanged, this, &ParametersPage::findTextChanged);
  const auto choose = [this](QListWidgetItem* item) {
    if (item != nullptr && !item->data(kItemName).toString().isEmpty()) {
      revealControl(item->data(kItemName).toString());
    }
  };
  connect(findResults_, &QListWidget::itemActivated, this, choose);
  connect(findResults_, &QListWidget::itemClicked, this, choose);
}

void ParametersPage::buildCategories() {
  const auto addCategory = [this](std::string_view categoryName) {
    auto* item = new QTreeWidgetItem(categories_);
    item->setData(0, kItemName, name(categoryName));
    item->setData(0, kItemKind, static_cast<int>(ItemKind::Category));
    QFont bold = item->font(0);
    bold.setBold(true);
    item->setFont(0, bold);
    item->setExpanded(true);
    return item;
  };
  QTreeWidgetItem* car = addCategory(core::kCarCategoryName);
  for (std::string_view control : core::carControls()) {
    auto* link = new QTreeWidgetItem(car);
    link->setData(0, kItemName, name(control));
    link->setData(0, kItemKind, static_cast<int>(ItemKind::Link));
  }
  for (const core::ParamCategory& category : core::paramCategories()) {
    QTreeWidgetItem* parent = addCategory(category.name);
    for (std::string_view tab : category.tabs) {
      auto* item = new QTreeWidgetItem(parent);
      item->setData(0, kItemName, name(tab));
      item->setData(0, kItemKind, static_cast<int>(ItemKind::Tab));
    }
  }
  categories_->expandAll();
}

// The list follows the tabs: their captions, which of them the settings show, the active one;
// the car links say where their control sits and whether the settings show it.
void ParametersPage::syncCategories() {
  if (categories_ == nullptr) {
    return;
  }
  const QSignalBlocker block(categories_);
  QWidget* current = pageControl_->currentWidget();
  QTreeWidgetItem* currentItem = nullptr;
  int widest = 0;
  const QFontMetrics metrics(categories_->font());
  for (int c = 0; c < categories_->topLevelItemCount(); ++c) {
    QTreeWidgetItem* category = categories_->topLevelItem(c);
    const std::string categoryName = category->data(0, kItemName).toString().toStdString();
    if (categoryName == core::kCarCategoryName) {
      category->setText(0, translated(find_texts::kCar));
    }
    for (const core::ParamCategory& pc : core::paramCategories()) {
      if (pc.name == categoryName) {
        category->setText(0, translated(pc.caption));
      }
    }
    bool anyShown = false;
    for (int i = 0; i < category->childCount(); ++i) {
      QTreeWidgetItem* item = category->child(i);
      const QString itemName = item->data(0, kItemName).toString();
      if (kindOf(item) == ItemKind::Tab) {
        auto* tab = pageControl_->findChild<QWidget*>(itemName, Qt::FindDirectChildrenOnly);
        const int index = pageControl_->indexOf(
            tab != nullptr ? tab : pageControl_->findChild<QWidget*>(itemName));
        item->setText(0, pageControl_->tabText(index));
        const bool shown = index >= 0 && pageControl_->isTabVisible(index);
        item->setHidden(!shown);
        anyShown = anyShown || shown;
        if (index >= 0 && pageControl_->widget(index) == current) {
          currentItem = item;
        }
      } else {
        const std::string control = itemName.toStdString();
        const auto entry =
            std::find_if(findEntries_.begin(), findEntries_.end(),
                         [&](const core::FindEntry& e) { return e.control == control; });
        if (entry == findEntries_.end()) {
          item->setHidden(true);
          continue;
        }
        const bool shown = !lastView_ || core::entryShown(*entry, *lastView_);
        item->setText(0, entryLine(*entry, shown, false));
        item->setToolTip(0, shown ? QString() : translated(find_texts::kHidden));
        item->setForeground(
            0, shown ? categories_->palette().text()
                     : categories_->palette().brush(QPalette::Disabled, QPalette::Text));
        anyShown = true;
      }
      if (!item->isHidden()) {
        widest = std::max(
            widest, metrics.horizontalAdvance(item->text(0)) + 2 * categories_->indentation());
      }
    }
    category->setHidden(!anyShown);
  }
  if (currentItem != nullptr) {
    categories_->setCurrentItem(currentItem);
  }
  const int scroll = categories_->verticalScrollBar()->sizeHint().width();
  findBox_->parentWidget()->setFixedWidth(std::clamp(
      widest + scroll + 2 * categories_->frameWidth() + 8, kSideMinWidth, kSideMaxWidth));
}

void ParametersPage::categoryChosen(QTreeWidgetItem* item) {
  if (item == nullptr) {
    return;
  }
  rememberedTab_.clear();
  const QString itemName = item->data(0, kItemName).toString();
  switch (kindOf(item)) {
    case ItemKind::Category:
      break;
    case ItemKind::Tab:
      if (QWidget* tab = pageControl_->findChild<QWidget*>(itemName)) {
        pageControl_->setCurrentWidget(tab);
      }
      break;
    case ItemKind::Link:
      revealControl(itemName);
      break;
  }
  // A refused change leaves the list on the tab still shown.
  syncCategories();
}

QString ParametersPage::entryLine(const core::FindEntry& entry, bool shown, bool marked) const {
  const lang::Language language = lang::currentLanguage();
  const lang::Language other =
      language == lang::Language::Russian ? lang::Language::English : lang::Language::Russian;
  std::string caption = entry.caption(language);
  for (const std::string* text : {&entry.caption(other), &entry.hint(language)}) {
    if (caption.empty()) {
      caption = *text;
    }
  }
  QString tab;
  if (QWidget* page = pageControl_->findChild<QWidget*>(name(entry.tab))) {
    tab = pageControl_->tabText(pageControl_->indexOf(page));
  }
  // A hidden bus page's tab bears the current mode's name; the mode that shows it says more.
  if (const auto mode = core::busModeOfPage(entry.page); mode && !shown) {
    tab = translated(*mode);
  }
  return qtText(lang::formatText(
      lang::translateText(shown || !marked ? find_texts::kMatchLine : find_texts::kHiddenLine),
      caption.c_str(), tab.toStdString().c_str()));
}

void ParametersPage::findTextChanged(const QString& text) {
  const std::string query = text.toStdString();
  const std::vector<core::FindMatch> matches =
      core::findParameters(findEntries_, query, lastView_ ? &*lastView_ : nullptr);
  const bool searching = !text.trimmed().isEmpty();
  categories_->setVisible(!searching);
  findResults_->setVisible(searching);
  findResults_->clear();
  if (!searching) {
    return;
  }
  for (const core::FindMatch& m : matches) {
    auto* item = new QListWidgetItem(entryLine(*m.entry, m.shown, true), findResults_);
    item->setData(kItemName, name(m.entry->control));
    if (!m.shown) {
      item->setForeground(findResults_->palette().brush(QPalette::Disabled, QPalette::Text));
      item->setToolTip(translated(find_texts::kHidden));
    }
  }
  if (matches.empty()) {
    auto* item = new QListWidgetItem(translated(find_texts::kNothing), findResults_);
    item->setFlags(Qt::NoItemFlags);
  }
}

bool ParametersPage::revealControl(const std::string& key) {
  const std::optional<std::string_view> control = core::controlForKey(key);
  if (!control) {
    return false;
  }
  const auto entry = std::find_if(findEntries_.begin(), findEntries_.end(),
                                  [&](const core::FindEntry& e) { return e.control == *control; });
  auto* widget = findChild<QWidget*>(name(*control));
  if (entry == findEntries_.end() || widget == nullptr ||
      (lastView_ && !core::entryShown(*entry, *lastView_))) {
    return false;
  }
  auto* tab = pageControl_->findChild<QScrollArea*>(name(entry->tab));
  if (tab == nullptr) {
    return false;
  }
  pageControl_->setCurrentWidget(tab);
  if (pageControl_->currentWidget() != tab) {
    return false;
  }
  rememberedTab_.clear();
  syncCategories();
  tab->ensureWidgetVisible(widget);
  widget->setFocus(Qt::OtherFocusReason);
  highlight(widget);
  return true;
}

// A tint over the control for a moment, so that the eye finds it on a full tab.
void ParametersPage::highlight(QWidget* control) {
  if (highlighted_ != nullptr && highlighted_ != control) {
    highlighted_->setGraphicsEffect(nullptr);
  }
  auto* tint = new QGraphicsColorizeEffect(control);
  tint->setColor(QColor(255, 200, 0));
  tint->setStrength(0.7);
  control->setGraphicsEffect(tint);
  highlighted_ = control;
  tint_ = tint;
  highlightTimer_->start();
}

void ParametersPage::endHighlight() {
  highlightTimer_->stop();
  if (tint_ != nullptr) {
    auto* control = static_cast<QWidget*>(tint_->parent());
    if (control->graphicsEffect() == tint_) {
      control->setGraphicsEffect(nullptr);
    }
  }
  highlighted_ = nullptr;
}

void ParametersPage::setClock(WindowClock& clock) {
  const bool running = highlightTimer_ != nullptr && highlightTimer_->isActive();
  highlightTimer_ = std::make_unique<ClockTimer>(clock);
  highlightTimer_->setInterval(kHighlightMs);
  connect(highlightTimer_.get(), &ClockTimer::timeout, this, &ParametersPage::endHighlight);
  if (running) {
    highlightTimer_->start();
  }
}

QString ParametersPage::currentTabName() const {
  QWidget* tab = pageControl_->currentWidget();
  return tab != nullptr ? tab->objectName() : QString();
}

void ParametersPage::rememberTab(const QString& tabName) {
  rememberedTab_ = showTabNamed(tabName) ? QString() : tabName;
  syncCategories();
}

bool ParametersPage::showTabNamed(const QString& tabName) {
  if (tabName.isEmpty()) {
    return false;
  }
  const int index = pageControl_->indexOf(pageControl_->findChild<QWidget*>(tabName));
  if (index < 0 || !pageControl_->isTabVisible(index)) {
    return false;
  }
  pageControl_->setCurrentIndex(index);
  return pageControl_->currentIndex() == index;
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
  std::optional<shell::RedrawPause> redraw;
  if (hooks_.shell) {
    redraw.emplace(*hooks_.shell);
  }
  std::optional<core::PageView> view =
      refresher_.deriveIfChanged(model_.working, lang::currentLanguage());
  if (view) {
    std::optional<shell::PollPause<shell::ShellServices>> poll;
    if (hooks_.shell) {
      poll.emplace(*hooks_.shell);
    }
    if (hooks_.setCanLogVisible) {
      hooks_.setCanLogVisible(view->canLogVisible);
    }
    apply(*view);
    lastView_ = std::move(view);
    afterApply();
    enableSetupButtons();
    if (hooks_.fillKeysGrid) {
      hooks_.fillKeysGrid();
    }
  }
  if (hooks_.refreshEventPane) {
    hooks_.refreshEventPane();
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

void ParametersPage::afterApply() {
  if (!rememberedTab_.isEmpty() && showTabNamed(rememberedTab_)) {
    rememberedTab_.clear();
  }
  syncCategories();
  if (findResults_->isVisible()) {
    findTextChanged(findBox_->text());
  }
  findBox_->setPlaceholderText(translated(find_texts::kPlaceholder));
  findBox_->setToolTip(translated(find_texts::kHint));
}

void ParametersPage::retranslate() {
  ui::translateForm(this, lang::kMainFormName, forms::mainFormRows());
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
