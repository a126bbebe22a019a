#include "ui/common/bound_form.hpp"

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <stdexcept>
#include <string>

#include "ui/common/message_box.hpp"
#include "ui/common/qt_text.hpp"

namespace kivprism::ui {

using view::ControlKind;

namespace {

QString qtName(std::string_view s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

// A list fits its longest item again whenever its items change (a language switch). Qt builds a
// list's popup as soon as that policy is set, so it is set only once it matters: when the items
// change after the list's size was asked for (as every shown list's is). Until then Qt's default
// sizes the list from its items the same way, and a window with hundreds of lists on pages not yet
// opened builds only the popups of those it lays out.
class FittingComboBox : public QComboBox {
 public:
  explicit FittingComboBox(QWidget* parent) : QComboBox(parent) {
    const auto itemsChanged = [this] {
      if (sizeAsked_) {
        fitToItems();
      }
    };
    QAbstractItemModel* items = model();
    connect(items, &QAbstractItemModel::rowsInserted, this, itemsChanged);
    connect(items, &QAbstractItemModel::rowsRemoved, this, itemsChanged);
    connect(items, &QAbstractItemModel::dataChanged, this, itemsChanged);
    connect(items, &QAbstractItemModel::modelReset, this, itemsChanged);
  }

  QSize sizeHint() const override {
    sizeAsked_ = true;
    return QComboBox::sizeHint();
  }
  QSize minimumSizeHint() const override {
    sizeAsked_ = true;
    return QComboBox::minimumSizeHint();
  }

 private:
  void fitToItems() {
    if (sizeAdjustPolicy() != AdjustToContents) {
      setSizeAdjustPolicy(AdjustToContents);
    }
  }

  mutable bool sizeAsked_ = false;
};

constexpr const char* kFormHint = "formHint";
constexpr const char* kUnstored = "unstored";
constexpr const char* kMaxLength = "maxLength";

// Grid cells take no more characters than the view allows.
class LimitedCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    const int limit = this->parent()->property(kMaxLength).toInt();
    if (auto* line = qobject_cast<QLineEdit*>(editor); line && limit > 0) {
      line->setMaxLength(limit);
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

bool hasCaptionLabel(const view::Binding* b) {
  return b && b->kind != ControlKind::Check && b->kind != ControlKind::Widget;
}

}  // namespace

QString derivedCaptionName(std::string_view control) {
  for (std::string_view prefix :
       {"ValueListEditor", "CheckListBox", "CSpinEdit", "ComboBox", "CheckBox", "Edit"}) {
    if (control.starts_with(prefix)) {
      control.remove_prefix(prefix.size());
      break;
    }
  }
  if (control.ends_with('x')) {
    control.remove_suffix(1);
  }
  return "Panel" + qtName(control);
}

void setUnstored(QLineEdit* edit, bool unstored) {
  if (edit->property(kUnstored).toBool() == unstored) {
    return;
  }
  edit->setProperty(kUnstored, unstored);
  if (unstored) {
    QPalette tinted = edit->palette();
    tinted.setColor(QPalette::Base, QColor(255, 240, 190));
    edit->setPalette(tinted);
  } else {
    edit->setPalette(QPalette());
  }
}

bool isUnstored(const QLineEdit* edit) { return edit->property(kUnstored).toBool(); }

BoundForm::BoundForm(QWidget* owner, const view::BindingTable& table, Hooks hooks)
    : QObject(owner), owner_(owner), table_(table), hooks_(std::move(hooks)) {}

QWidget* BoundForm::makeControl(std::string_view control, QWidget* parent) {
  const view::Binding* b = table_.find(control);
  if (!b) {
    return nullptr;
  }
  QWidget* w = nullptr;
  switch (b->kind) {
    case ControlKind::Combo: {
      w = new FittingComboBox(parent);
      break;
    }
    case ControlKind::Check:
      w = new QCheckBox(parent);
      break;
    case ControlKind::Edit: {
      auto* edit = new QLineEdit(parent);
      edit->setMaximumWidth(110);
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
      // A key column naming the rows and the column of values the user edits.
      auto* grid = new QTableWidget(0, 2, parent);
      grid->setItemDelegate(new LimitedCellDelegate(grid));
      grid->horizontalHeader()->setStretchLastSection(true);
      grid->verticalHeader()->hide();
      w = grid;
      break;
    }
    case ControlKind::Widget: {
      auto* label = new QLabel(parent);
      label->setWordWrap(true);
      w = label;
      break;
    }
  }
  if (qobject_cast<QComboBox*>(w) || qobject_cast<QSpinBox*>(w)) {
    // The wheel only changes a value the user has chosen to edit.
    w->setFocusPolicy(Qt::StrongFocus);
    w->installEventFilter(this);
  }
  w->setObjectName(qtName(control));
  widgets_.insert(w->objectName(), w);
  connectControl(*b, w);
  return w;
}

QWidget* BoundForm::buildRows(std::span<const FormRow> rows, QWidget* parent,
                              const std::function<QWidget*(std::string_view, QWidget*)>& special) {
  auto* page = new QWidget(parent);
  // Rows keep their natural height at the top of the page, with caption and field on one line.
  auto* column = new QVBoxLayout(page);
  auto* form = new QFormLayout;
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->setRowWrapPolicy(QFormLayout::DontWrapRows);
  column->addLayout(form);
  column->addStretch(1);
  for (const FormRow& row : rows) {
    QWidget* control = special ? special(row.control, page) : nullptr;
    const view::Binding* b = control ? nullptr : table_.find(row.control);
    if (!control) {
      control = makeControl(row.control, page);
    }
    if (!control) {
      throw std::invalid_argument("the layout names an unknown control " +
                                  std::string(row.control));
    }
    QWidget* field = control;
    if (!row.unit.empty()) {
      field = new QWidget(page);
      auto* h = new QHBoxLayout(field);
      h->setContentsMargins(0, 0, 0, 0);
      h->addWidget(control);
      auto* unit = new QLabel(field);
      unit->setObjectName(qtName(row.unit));
      h->addWidget(unit);
      h->addStretch(1);
      follow(row.control, field);
      addNamed(unit);
    }
    if (!hasCaptionLabel(b)) {
      form->addRow(field);
      continue;
    }
    if (row.caption.empty()) {
      form->addRow(QString(), field);
      continue;
    }
    auto* label = new QLabel(page);
    label->setObjectName(row.caption == kDerivedCaption ? derivedCaptionName(row.control)
                                                        : qtName(row.caption));
    label->setBuddy(control);
    follow(row.control, label);
    addNamed(label);
    form->addRow(label, field);
  }
  return page;
}

void BoundForm::addNamed(QWidget* widget) { widgets_.insert(widget->objectName(), widget); }

void BoundForm::follow(std::string_view control, QWidget* widget) {
  followers_[qtName(control)].push_back(widget);
}

QWidget* BoundForm::widget(std::string_view control) const {
  return widgets_.value(qtName(control));
}

void BoundForm::connectControl(const view::Binding& b, QWidget* w) {
  const std::string_view control = b.control;
  switch (b.kind) {
    case ControlKind::Combo:
      connect(static_cast<QComboBox*>(w), &QComboBox::activated, this, [this, control, w](int i) {
        view::Change c;
        c.index = i;
        changed(control, ControlKind::Combo, c, w);
      });
      break;
    case ControlKind::Check:
      connect(static_cast<QCheckBox*>(w), &QCheckBox::clicked, this,
              [this, control, w](bool checked) {
                view::Change c;
                c.checked = checked;
                changed(control, ControlKind::Check, c, w);
              });
      break;
    case ControlKind::Edit: {
      auto* edit = static_cast<QLineEdit*>(w);
      connect(edit, &QLineEdit::textEdited, this, [edit] { setUnstored(edit, true); });
      connect(edit, &QLineEdit::returnPressed, this,
              [this, edit, control] { commitEdit(edit, control, true); });
      // Leaving the field stores what it holds, as Enter would; Enter itself is handled above.
      connect(edit, &QLineEdit::editingFinished, this, [this, edit, control] {
        if (!edit->hasFocus() && isUnstored(edit)) {
          commitEdit(edit, control, false);
        }
      });
      break;
    }
    case ControlKind::Spin:
      connect(static_cast<QSpinBox*>(w), &QSpinBox::valueChanged, this,
              [this, control, w](int value) {
                view::Change c;
                c.index = value;
                changed(control, ControlKind::Spin, c, w);
              });
      break;
    case ControlKind::CheckList: {
      auto* list = static_cast<QListWidget*>(w);
      connect(list, &QListWidget::itemChanged, this, [this, control, list] {
        view::Change c;
        c.bits = checkedBits(list);
        changed(control, ControlKind::CheckList, c, list);
      });
      break;
    }
    case ControlKind::Grid: {
      auto* grid = static_cast<QTableWidget*>(w);
      connect(grid, &QTableWidget::cellChanged, this, [this, control, grid](int row, int column) {
        if (column != 1) {
          return;
        }
        const std::string text = grid->item(row, 1)->text().toStdString();
        view::Change c;
        c.index = row;
        c.text = text;
        changed(control, ControlKind::Grid, c, grid);
      });
      break;
    }
    case ControlKind::Widget:
      break;
  }
}

void BoundForm::changed(std::string_view control, ControlKind kind, const view::Change& change,
                        QWidget* source, bool fromEnter) {
  if (hooks_.refreshing && hooks_.refreshing()) {
    return;  // the refresh's own updates are not user changes
  }
  const QString name = qtName(control);
  emit changeStarted(name);
  const view::ChangeOutcome outcome = hooks_.change(control, kind, change);
  auto* edit = qobject_cast<QLineEdit*>(source);
  if (outcome.notice) {
    const bool error = outcome.notice->kind == view::NoticeKind::Error;
    const QString text = qtText(outcome.notice->in(lang::currentLanguage()));
    const unsigned flags = error ? box::kError : box::kInformation;
    showShellBox(hooks_.shell, owner_, flags, text);
    if (edit && error && fromEnter) {
      edit->selectAll();
      edit->setFocus();
      // The pointer goes to the field that needs a value, as the value entry check does.
      QCursor::setPos(edit->mapToGlobal(edit->rect().center()));
    }
    if (!error && hooks_.forceRefresh) {
      hooks_.forceRefresh();
    }
  } else if (edit && hooks_.showOne) {
    // The field shows what was stored: a corrected time, a rounded voltage, hex typed as decimal.
    const QSignalBlocker block(edit);
    edit->setText(qtText(hooks_.showOne(control).text));
    setUnstored(edit, false);
  }
  if (hooks_.followUp) {
    hooks_.followUp(outcome, source);
  }
  emit changeFinished(name);
}

QString BoundForm::captionLabelName(std::string_view control) const {
  const QWidget* w = widget(control);
  for (const QWidget* follower : followers_.value(qtName(control))) {
    const auto* label = qobject_cast<const QLabel*>(follower);
    if (label && w && label->buddy() == w) {
      return label->objectName();
    }
  }
  return {};
}

void BoundForm::commitEdit(QLineEdit* edit, std::string_view control, bool fromEnter) {
  const std::string text = edit->text().toStdString();
  view::Change c;
  c.text = text;
  changed(control, ControlKind::Edit, c, edit, fromEnter);
}

void BoundForm::storeTypedValues() {
  for (const view::Binding& b : table_.all()) {
    auto* edit = qobject_cast<QLineEdit*>(widget(b.control));
    if (edit && b.kind == ControlKind::Edit && isUnstored(edit)) {
      commitEdit(edit, b.control, false);
    }
  }
}

bool BoundForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Wheel) {
    return false;
  }
  auto* w = qobject_cast<QWidget*>(watched);
  if (!w || w->hasFocus()) {
    return false;
  }
  // Not the user's field: the notch scrolls whatever scrolls around it and changes nothing.
  for (QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
    if (auto* area = qobject_cast<QAbstractScrollArea*>(p)) {
      QCoreApplication::sendEvent(area->viewport(), event);
      break;
    }
  }
  return true;
}

void BoundForm::apply(const view::FormView& view) {
  for (const view::ControlView& c : view.controls) {
    const QString name = qtName(c.name);
    QWidget* w = widgets_.value(name);
    if (!w) {
      continue;
    }
    const QSignalBlocker block(w);
    applyControl(c, w);
    const auto it = followers_.constFind(name);
    if (it != followers_.constEnd()) {
      for (QWidget* follower : *it) {
        follower->setVisible(c.visible);
        follower->setEnabled(c.enabled);
      }
    }
  }
}

void BoundForm::applyControl(const view::ControlView& c, QWidget* w) {
  w->setEnabled(c.enabled);
  w->setVisible(c.visible);
  // The window text's hint where there is one, else what the view derives (a number's range).
  const QString formHint = w->property(kFormHint).toString();
  const QString tip = formHint.isEmpty() ? qtText(c.hint) : formHint;
  if (w->toolTip() != tip) {
    w->setToolTip(tip);
  }
  if (!c.hasValue) {
    return;
  }
  const lang::Language language = lang::currentLanguage();
  switch (c.kind) {
    case ControlKind::Combo: {
      auto* combo = static_cast<QComboBox*>(w);
      const std::vector<std::string> items = view::itemTexts(c, language);
      bool same = combo->count() == static_cast<int>(items.size());
      for (int i = 0; same && i < combo->count(); ++i) {
        same = combo->itemText(i) == qtText(items[static_cast<std::size_t>(i)]);
      }
      if (!same) {
        // In one go: the list then refits once, not once per item.
        QStringList texts;
        texts.reserve(static_cast<qsizetype>(items.size()));
        for (const std::string& item : items) {
          texts << qtText(item);
        }
        combo->clear();
        combo->addItems(texts);
      }
      combo->setCurrentIndex(c.value < combo->count() ? c.value : -1);
      break;
    }
    case ControlKind::Check:
      static_cast<QCheckBox*>(w)->setChecked(c.checked);
      break;
    case ControlKind::Edit: {
      auto* edit = static_cast<QLineEdit*>(w);
      edit->setText(qtText(c.text));
      setUnstored(edit, false);
      if (c.maxLength > 0 && edit->maxLength() != c.maxLength) {
        edit->setMaxLength(c.maxLength);
      }
      break;
    }
    case ControlKind::Spin:
      static_cast<QSpinBox*>(w)->setValue(c.value);
      break;
    case ControlKind::CheckList: {
      auto* list = static_cast<QListWidget*>(w);
      const std::vector<std::string> items = view::itemTexts(c, language);
      for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        if (static_cast<std::size_t>(i) < items.size()) {
          const QString text = qtText(items[static_cast<std::size_t>(i)]);
          if (item->text() != text) {
            item->setText(text);
          }
        }
        item->setCheckState(((c.bits >> i) & 1u) ? Qt::Checked : Qt::Unchecked);
      }
      break;
    }
    case ControlKind::Grid: {
      auto* grid = static_cast<QTableWidget*>(w);
      const int rows = static_cast<int>(c.cells.size());
      if (grid->rowCount() != rows) {
        const QSignalBlocker quiet(grid);
        grid->setRowCount(rows);
        for (int r = 0; r < rows; ++r) {
          // The key column holds the row numbers, which the user does not edit.
          auto* key = new QTableWidgetItem(QString::number(r + 1));
          key->setFlags(key->flags() & ~Qt::ItemIsEditable);
          grid->setItem(r, 0, key);
          grid->setItem(r, 1, new QTableWidgetItem);
        }
        grid->setMinimumHeight(grid->rowHeight(0) * (rows + 1) + 4);
      }
      grid->setProperty(kMaxLength, c.maxLength);
      // Titles: item 0 names the key column, item 1 the value column.
      if (c.items.size() >= 2) {
        const QStringList titles{qtText(c.items[0].in(language)), qtText(c.items[1].in(language))};
        if (!grid->horizontalHeaderItem(1) || grid->horizontalHeaderItem(1)->text() != titles[1] ||
            grid->horizontalHeaderItem(0)->text() != titles[0]) {
          grid->setHorizontalHeaderLabels(titles);
        }
      }
      for (int r = 0; r < rows; ++r) {
        grid->item(r, 1)->setText(qtText(c.cells[static_cast<std::size_t>(r)]));
      }
      break;
    }
    case ControlKind::Widget:
      if (auto* label = qobject_cast<QLabel*>(w)) {
        const QString text = qtText(c.text);
        if (label->text() != text) {
          label->setText(text);
        }
      } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
        // A tab bar that stands for a choice: its items are the tabs, its value the current one.
        const std::vector<std::string> items = view::itemTexts(c, language);
        for (int i = 0; i < tabs->count() && static_cast<std::size_t>(i) < items.size(); ++i) {
          const QString text = qtText(items[static_cast<std::size_t>(i)]);
          if (tabs->tabText(i) != text) {
            tabs->setTabText(i, text);
          }
        }
        if (c.value >= 0 && c.value < tabs->count()) {
          tabs->setCurrentIndex(c.value);
        }
      }
      break;
  }
}

void BoundForm::applyTabs(QTabWidget* tabs, const std::vector<view::TabView>& views) {
  QWidget* remembered = tabs->currentWidget();
  for (int i = 0; i < tabs->count() && static_cast<std::size_t>(i) < views.size(); ++i) {
    const view::TabView& t = views[static_cast<std::size_t>(i)];
    tabs->setTabVisible(i, t.visible);
    if (t.caption) {
      tabs->setTabText(i, translated(*t.caption));
    }
  }
  const int index = tabs->indexOf(remembered);
  if (index >= 0 && tabs->isTabVisible(index)) {
    tabs->setCurrentIndex(index);
  }
}

void BoundForm::retranslate() {
  for (const view::Binding& b : table_.all()) {
    QWidget* w = widget(b.control);
    if (!w) {
      continue;
    }
    if (!b.caption.ru.empty()) {
      if (auto* box = qobject_cast<QCheckBox*>(w)) {
        box->setText(translated(b.caption));
      } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(translated(b.caption));
      }
    }
    if (!b.hint.ru.empty()) {
      w->setProperty(kFormHint, translated(b.hint));
      w->setToolTip(translated(b.hint));
    }
  }
}

}  // namespace kivprism::ui
