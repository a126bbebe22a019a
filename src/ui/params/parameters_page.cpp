#include "ui/params/parameters_page.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/app/message_box.hpp"
#include "ui/app/qt_text.hpp"
#include "core/config/image_layout.hpp"
#include "core/params/assignment.hpp"
#include "core/params/derive.hpp"
#include "ui/params/source_mask_dialog.hpp"

namespace kivprism::ui::params {

namespace core = kivprism::params;
using core::ControlKind;

namespace {

constexpr lang::TextPair kSourceColumn{"Источник", "Source"};
constexpr lang::TextPair kNameColumn{"Имя", "Name"};
constexpr lang::TextPair kPwmChannel{"Канал %d", "Channel %d"};
constexpr lang::TextPair kPwmPin{"Вывод", "Pin"};
constexpr lang::TextPair kPwmMin{"Минимум", "Minimum"};
constexpr lang::TextPair kPwmMax{"Максимум", "Maximum"};
constexpr lang::TextPair kPwmValue{"Значение", "Value"};
constexpr lang::TextPair kAnalogDefault{"Напряжение по умолчанию", "Default voltage"};
constexpr lang::TextPair kAnalogMinMax{"Минимум/максимум", "Minimum/maximum"};
constexpr lang::TextPair kAnalogSend{"Передавать по Seiral", "Send over Serial"};
constexpr lang::TextPair kVolts{"В", "V"};

QString name(std::string_view s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

// Source names hold at most five characters.
class SourceNameDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
      line->setMaxLength(static_cast<int>(config::layout::kSourceNameSize));
    }
    return editor;
  }
};

std::uint32_t checkedBits(const QListWidget* list) {
  std::uint32_t bits = 0;
  for (int i = 0; i < list->count() && i < 32; ++i) {
    if (list->item(i)->checkState() == Qt::Checked) {
      bits |= 1u << i;
    }
  }
  return bits;
}

}  // namespace

ParametersPage::ParametersPage(config::ConfigModel& model, Hooks hooks, QWidget* parent)
    : QWidget(parent), model_(model), hooks_(std::move(hooks)) {
  build();
  retranslate();
  refresh();
}

ParametersPage::~ParametersPage() = default;

void ParametersPage::caption(QWidget* widget, const lang::TextPair& text) {
  captions_.emplace_back(widget, text);
}

void ParametersPage::hint(QWidget* widget, const lang::TextPair& text) {
  if (!text.ru.empty()) {
    hints_.emplace_back(widget, text);
  }
}

void ParametersPage::build() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  pageControl_ = new QTabWidget(this);
  pageControl_->setObjectName("PageControlParams");
  pageControl_->setUsesScrollButtons(true);
  layout->addWidget(pageControl_);
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
        QWidget* p = buildTab(page.rows, diffBusPages_);
        p->setObjectName(name(page.name));
        diffBusPages_->addWidget(p);
      }
      v->addWidget(diffBusPages_);
    } else {
      content = buildTab(tab.rows, scroll);
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

QWidget* ParametersPage::buildTab(std::span<const Row> rows, QWidget* parent) {
  auto* page = new QWidget(parent);
  // Rows keep their natural height at the top of the tab, with caption and field on one line.
  auto* column = new QVBoxLayout(page);
  auto* form = new QFormLayout;
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->setRowWrapPolicy(QFormLayout::DontWrapRows);
  column->addLayout(form);
  column->addStretch(1);
  for (const Row& row : rows) {
    QWidget* control = makeControl(row.control, page);
    hint(control, row.hint);
    const QString key = name(row.control);
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
      caption(box, row.caption);
      form->addRow(box);
      continue;
    }
    if (auto* button = qobject_cast<QToolButton*>(control)) {
      caption(button, row.caption);
      form->addRow(button);
      continue;
    }
    if (row.control == "PanelTouchFromCap2Res" || row.control == kAnalogChannels ||
        row.control == kPwmChannels) {
      caption(control, row.caption);
      form->addRow(control);
      continue;
    }
    QWidget* field = control;
    if (!row.unit.ru.empty()) {
      field = new QWidget(page);
      auto* h = new QHBoxLayout(field);
      h->setContentsMargins(0, 0, 0, 0);
      h->addWidget(control);
      auto* unit = new QLabel(field);
      caption(unit, row.unit);
      h->addWidget(unit);
      h->addStretch(1);
      rowLabels_[key].push_back(field);
      if (!row.unitName.empty()) {
        unit->setObjectName(name(row.unitName));
        widgets_.insert(unit->objectName(), unit);
      }
    }
    if (row.caption.ru.empty()) {
      form->addRow(QString(), field);
      continue;
    }
    auto* label = new QLabel(page);
    caption(label, row.caption);
    hint(label, row.hint);
    label->setBuddy(control);
    rowLabels_[key].push_back(label);
    if (!row.captionName.empty()) {
      label->setObjectName(name(row.captionName));
      widgets_.insert(label->objectName(), label);
    }
    form->addRow(label, field);
  }
  return page;
}

QWidget* ParametersPage::makeControl(std::string_view controlName, QWidget* parent) {
  QWidget* w = nullptr;
  if (controlName == kKeysSetup || controlName == kTouchSetup) {
    // Key learning and touch calibration come with their own procedures.
    auto* button = new QToolButton(parent);
    button->setEnabled(false);
    button->setObjectName(name(controlName));
    return button;
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
  const core::Binding* b = core::findBinding(controlName);
  if (!b) {
    return new QWidget(parent);
  }
  switch (b->kind) {
    case ControlKind::Combo: {
      auto* combo = new QComboBox(parent);
      combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
      w = combo;
      break;
    }
    case ControlKind::Check:
      w = new QCheckBox(parent);
      break;
    case ControlKind::Edit: {
      auto* edit = new QLineEdit(parent);
      edit->setMaximumWidth(110);
      if (b->rule == core::Rule::LongPress || b->rule == core::Rule::HwrTime) {
        edit->setMaxLength(6);
      }
      w = edit;
      break;
    }
    case ControlKind::Spin: {
      auto* spin = new QSpinBox(parent);
      spin->setRange(static_cast<int>(b->minimum), static_cast<int>(b->maximum));
      w = spin;
      break;
    }
    case ControlKind::CheckList: {
      auto* list = new QListWidget(parent);
      for (const auto& item : b->items()) {
        auto* i = new QListWidgetItem(qtText(item.ru), list);
        i->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        i->setCheckState(Qt::Unchecked);
      }
      list->setFixedHeight(list->sizeHintForRow(0) * list->count() + 2 * list->frameWidth() + 4);
      w = list;
      break;
    }
    case ControlKind::Grid: {
      auto* grid = new QTableWidget(static_cast<int>(config::layout::kSourceCount), 1, parent);
      grid->setItemDelegate(new SourceNameDelegate(grid));
      grid->horizontalHeader()->setStretchLastSection(true);
      for (int r = 0; r < grid->rowCount(); ++r) {
        grid->setItem(r, 0, new QTableWidgetItem);
      }
      grid->setMinimumHeight(grid->rowHeight(0) * (grid->rowCount() + 1) + 4);
      w = grid;
      break;
    }
    case ControlKind::Widget:
      w = new QLabel(parent);
      break;
  }
  w->setObjectName(name(controlName));
  widgets_.insert(w->objectName(), w);
  connectControl(*b, w);
  return w;
}

QWidget* ParametersPage::makePwmChannels(QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  const std::array<const lang::TextPair*, 4> heads = {&kPwmPin, &kPwmMin, &kPwmMax, &kPwmValue};
  for (int c = 0; c < 4; ++c) {
    auto* head = new QLabel(box);
    caption(head, *heads[static_cast<std::size_t>(c)]);
    grid->addWidget(head, 0, c + 1);
  }
  for (int ch = 1; ch <= 4; ++ch) {
    auto* label = new QLabel(box);
    label->setProperty("channelNumber", ch);
    caption(label, kPwmChannel);
    grid->addWidget(label, ch, 0);
    const std::string n = std::to_string(ch);
    const std::array<std::string, 4> names = {
        "ComboBoxPWMCh" + n + "Pinx", "EditPWMParamCh" + n + "Min", "EditPWMParamCh" + n + "Max",
        "EditPWMParamCh" + n + "Val"};
    for (int c = 0; c < 4; ++c) {
      const core::Binding* b = core::findBinding(names[static_cast<std::size_t>(c)]);
      grid->addWidget(makeControl(b->control, box), ch, c + 1);
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
  const std::array<const lang::TextPair*, 2> heads = {&kAnalogDefault, &kAnalogMinMax};
  for (int c = 0; c < 2; ++c) {
    auto* head = new QLabel(box);
    caption(head, *heads[static_cast<std::size_t>(c)]);
    grid->addWidget(head, 0, 2 * c + 1, 1, 2);
  }
  for (int ch = 1; ch <= 2; ++ch) {
    auto* label = new QLabel(box);
    label->setProperty("channelNumber", ch);
    caption(label, kPwmChannel);
    grid->addWidget(label, ch, 0);
    const std::string n = std::to_string(ch);
    const std::array<std::string, 2> edits = {"EditParamControlVOUT" + n,
                                              "EditParamControlVOUT" + n + "minmax"};
    for (int c = 0; c < 2; ++c) {
      const core::Binding* b = core::findBinding(edits[static_cast<std::size_t>(c)]);
      grid->addWidget(makeControl(b->control, box), ch, 2 * c + 1);
      auto* unit = new QLabel(box);
      caption(unit, kVolts);
      grid->addWidget(unit, ch, 2 * c + 2);
    }
    auto* send =
        makeControl(core::findBinding("CheckBoxParamControlVOUT" + n + "send")->control, box);
    caption(send, kAnalogSend);
    grid->addWidget(send, ch, 5);
  }
  grid->setColumnStretch(6, 1);
  return box;
}

void ParametersPage::connectControl(const core::Binding& b, QWidget* w) {
  config::ConfigImage& image = model_.working;
  const std::string_view control = b.control;
  switch (b.kind) {
    case ControlKind::Combo:
      connect(static_cast<QComboBox*>(w), &QComboBox::activated, this,
              [this, &image, control, w](int index) {
                handle(core::comboChanged(image, control, index), w);
              });
      break;
    case ControlKind::Check:
      connect(static_cast<QCheckBox*>(w), &QCheckBox::clicked, this,
              [this, &image, control, w](bool checked) {
                handle(core::checkChanged(image, control, checked), w);
              });
      break;
    case ControlKind::Edit: {
      auto* edit = static_cast<QLineEdit*>(w);
      connect(edit, &QLineEdit::returnPressed, this, [this, &image, control, edit] {
        handle(core::editCommitted(image, control, edit->text().toStdString()), edit);
      });
      break;
    }
    case ControlKind::Spin:
      connect(static_cast<QSpinBox*>(w), &QSpinBox::valueChanged, this,
              [this, &image, control, w](int value) {
                handle(core::spinChanged(image, control, value), w);
              });
      break;
    case ControlKind::CheckList: {
      auto* list = static_cast<QListWidget*>(w);
      connect(list, &QListWidget::itemChanged, this, [this, &image, control, list] {
        handle(core::checkListChanged(image, control, checkedBits(list)), list);
      });
      break;
    }
    case ControlKind::Grid: {
      auto* grid = static_cast<QTableWidget*>(w);
      connect(grid, &QTableWidget::cellChanged, this, [&image, grid](int row, int) {
        core::sourceNameChanged(image, static_cast<std::size_t>(row) + 1,
                                grid->item(row, 0)->text().toStdString());
      });
      break;
    }
    case ControlKind::Widget:
      break;
  }
}

void ParametersPage::handle(core::ChangeOutcome outcome, QWidget* source) {
  if (refresher_.running()) {
    return;  // the refresh's own updates are not user changes
  }
  if (outcome.notice) {
    const bool error = outcome.notice->kind == core::NoticeKind::Error;
    const QString text = qtText(outcome.notice->in(lang::currentLanguage()));
    const unsigned flags = error ? box::kError : box::kInformation;
    if (hooks_.messageBox) {
      hooks_.messageBox(flags, text);
    } else {
      showMessageBox(this, flags, text);
    }
    if (auto* edit = qobject_cast<QLineEdit*>(source); edit && error) {
      edit->selectAll();
      edit->setFocus();
    }
    if (!error) {
      // A refused choice often leaves the image as it was; the control must still go back.
      refresher_.force();
    }
  }
  config::ConfigImage& image = model_.working;
  if (auto* edit = qobject_cast<QLineEdit*>(source); edit && !outcome.notice) {
    // The field shows what was stored: a corrected time, a rounded voltage, hex typed as decimal.
    const QSignalBlocker block(edit);
    edit->setText(qtText(core::deriveControl(image, edit->objectName().toStdString()).text));
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
    case core::After::AskInterceptMask:
      askMask(core::kInterceptMaskTexts, source,
              image.getU8(config::layout::kTouchInterceptSrcMask), core::applyInterceptMask);
      break;
    case core::After::AskUsbTouchMask:
      askMask(core::kUsbTouchMaskTexts, source, image.getU8(config::layout::kTouchSrcMask),
              core::applyUsbTouchMask);
      break;
  }
}

void ParametersPage::askMask(const core::SourceMaskTexts& texts, QWidget* below, std::uint8_t mask,
                             void (*applyMask)(config::ConfigImage&, std::uint8_t)) {
  const QPoint at = below->mapToGlobal(QPoint(0, below->height()));
  const QString first = translated(texts.first);
  const QString second = translated(texts.second);
  const std::optional<std::uint8_t> result =
      hooks_.editSourceMask ? hooks_.editSourceMask(first, second, at, mask)
                            : interceptForm_->editSourceMask(first, second, at, mask);
  if (result) {
    applyMask(model_.working, *result);
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
  for (const core::ControlView& c : view.controls) {
    QWidget* w = widgets_.value(name(c.name));
    if (!w) {
      continue;
    }
    const QSignalBlocker block(w);
    applyControl(c, w);
    for (QWidget* label : rowLabels_.value(name(c.name))) {
      label->setVisible(c.visible);
      label->setEnabled(c.enabled);
    }
  }
  applyTabs(view);
}

void ParametersPage::applyControl(const core::ControlView& c, QWidget* w) {
  w->setEnabled(c.enabled);
  w->setVisible(c.visible);
  if (!c.hasValue) {
    return;
  }
  switch (c.kind) {
    case ControlKind::Combo: {
      auto* combo = static_cast<QComboBox*>(w);
      const std::vector<std::string> items = core::itemTexts(c, lang::currentLanguage());
      bool same = combo->count() == static_cast<int>(items.size());
      for (int i = 0; same && i < combo->count(); ++i) {
        same = combo->itemText(i) == qtText(items[static_cast<std::size_t>(i)]);
      }
      if (!same) {
        combo->clear();
        for (const std::string& item : items) {
          combo->addItem(qtText(item));
        }
      }
      combo->setCurrentIndex(c.value < combo->count() ? c.value : -1);
      break;
    }
    case ControlKind::Check:
      static_cast<QCheckBox*>(w)->setChecked(c.checked);
      break;
    case ControlKind::Edit:
      static_cast<QLineEdit*>(w)->setText(qtText(c.text));
      break;
    case ControlKind::Spin:
      static_cast<QSpinBox*>(w)->setValue(c.value);
      break;
    case ControlKind::CheckList: {
      auto* list = static_cast<QListWidget*>(w);
      const std::vector<std::string> items = core::itemTexts(c, lang::currentLanguage());
      for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        if (static_cast<std::size_t>(i) < items.size()) {
          item->setText(qtText(items[static_cast<std::size_t>(i)]));
        }
        item->setCheckState(((c.bits >> i) & 1u) ? Qt::Checked : Qt::Unchecked);
      }
      break;
    }
    case ControlKind::Grid: {
      auto* grid = static_cast<QTableWidget*>(w);
      for (int r = 0; r < grid->rowCount() && static_cast<std::size_t>(r) < c.cells.size(); ++r) {
        grid->item(r, 0)->setText(qtText(c.cells[static_cast<std::size_t>(r)]));
      }
      break;
    }
    case ControlKind::Widget:
      break;
  }
}

void ParametersPage::applyTabs(const core::PageView& view) {
  QWidget* remembered = pageControl_->currentWidget();
  for (int i = 0; i < pageControl_->count() && static_cast<std::size_t>(i) < view.tabs.size();
       ++i) {
    const core::TabView& t = view.tabs[static_cast<std::size_t>(i)];
    pageControl_->setTabVisible(i, t.visible);
    if (t.caption) {
      pageControl_->setTabText(i, translated(*t.caption));
    }
  }
  if (!view.diffBusPage.empty()) {
    if (auto* page = diffBusPages_->findChild<QWidget*>(name(view.diffBusPage))) {
      diffBusPages_->setCurrentWidget(page);
    }
  }
  const int index = pageControl_->indexOf(remembered);
  if (index >= 0 && pageControl_->isTabVisible(index)) {
    pageControl_->setCurrentIndex(index);
  }
}

void ParametersPage::retranslate() {
  for (int i = 0; i < pageControl_->count(); ++i) {
    pageControl_->setTabText(i, translated(paramTabs()[static_cast<std::size_t>(i)].caption));
  }
  for (const auto& [widget, text] : captions_) {
    QString t = translated(text);
    if (const QVariant ch = widget->property("channelNumber"); ch.isValid()) {
      t = qtText(lang::formatText(lang::translateText(text), ch.toInt()));
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      label->setText(t);
    } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
      box->setText(t);
    } else if (auto* button = qobject_cast<QToolButton*>(widget)) {
      button->setText(t);
    }
  }
  for (const auto& [widget, text] : hints_) {
    widget->setToolTip(translated(text));
  }
  if (auto* grid = findChild<QTableWidget*>("ValueListEditorSourceName")) {
    grid->setHorizontalHeaderLabels({translated(kNameColumn)});
    QStringList rows;
    for (int r = 1; r <= grid->rowCount(); ++r) {
      rows << translated(kSourceColumn) + ' ' + QString::number(r);
    }
    grid->setVerticalHeaderLabels(rows);
  }
  refresher_.force();
  refresh();
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
