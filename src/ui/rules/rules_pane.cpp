#include "ui/rules/rules_pane.hpp"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "core/lang/rules_texts.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/rules/rule_table_model.hpp"

namespace kivprism::ui::rules {

RulesPane::RulesPane(const config::ConfigImage& image, QWidget* parent) : QWidget(parent) {
  setObjectName("PanelRulesx");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* top = new QHBoxLayout;
  filter_ = new QLineEdit(this);
  filter_->setObjectName("EditRulesFilterx");
  filter_->setClearButtonEnabled(true);
  hideUnused_ = new QCheckBox(this);
  hideUnused_->setObjectName("CheckBoxRulesHideUnusedx");
  count_ = new QLabel(this);
  count_->setObjectName("LabelRulesCountx");
  top->addWidget(filter_, 1);
  top->addWidget(hideUnused_);
  top->addWidget(count_);
  layout->addLayout(top);

  model_ = new RuleTableModel(image, this);
  view_ = new QTableView(this);
  view_->setObjectName("TableRulesx");
  view_->setModel(model_);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setWordWrap(false);
  view_->setAlternatingRowColors(true);
  view_->verticalHeader()->hide();
  view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
  // The words get the width; the number and the mark take what they need.
  QHeaderView* header = view_->horizontalHeader();
  header->setStretchLastSection(false);
  header->setSectionResizeMode(RuleTableModel::kNumber, QHeaderView::ResizeToContents);
  header->setSectionResizeMode(RuleTableModel::kEvent, QHeaderView::Stretch);
  header->setSectionResizeMode(RuleTableModel::kReaction, QHeaderView::Stretch);
  header->setSectionResizeMode(RuleTableModel::kMark, QHeaderView::ResizeToContents);
  header->resizeSection(RuleTableModel::kName, 90);
  header->resizeSection(RuleTableModel::kPress, 90);
  view_->horizontalHeader()->setHighlightSections(false);
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  layout->addWidget(view_, 1);

  connect(filter_, &QLineEdit::textChanged, model_, &RuleTableModel::setFilter);
  connect(hideUnused_, &QCheckBox::toggled, model_, &RuleTableModel::setHideUnused);
  connect(model_, &RuleTableModel::rowsReplacing, this, &RulesPane::savePlace);
  connect(model_, &RuleTableModel::rowsReplaced, this, &RulesPane::restorePlace);
  connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (!selecting_ && current.isValid()) {
              emit entryChosen(model_->entryAt(current.row()));
            }
          });
  connect(view_, &QTableView::clicked, this, [this](const QModelIndex& index) {
    if (!selecting_ && index.isValid()) {
      emit entryChosen(model_->entryAt(index.row()));
    }
  });
  connect(view_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { emit contextMenuWanted(view_->viewport()->mapToGlobal(at)); });
  retranslate();
}

std::vector<std::size_t> RulesPane::selectedEntries() const {
  std::vector<std::size_t> entries;
  for (const QModelIndex& index : view_->selectionModel()->selectedRows()) {
    entries.push_back(model_->entryAt(index.row()));
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

void RulesPane::selectEntries(const std::vector<std::size_t>& entries) {
  selecting_ = true;
  QItemSelection selection;
  std::optional<int> first;
  for (const std::size_t entry : entries) {
    if (const std::optional<int> row = model_->rowOf(entry)) {
      selection.select(model_->index(*row, 0),
                       model_->index(*row, RuleTableModel::kColumnCount - 1));
      first = first ? std::min(*first, *row) : *row;
    }
  }
  QItemSelectionModel* selectionModel = view_->selectionModel();
  if (first) {
    selectionModel->setCurrentIndex(model_->index(*first, 0), QItemSelectionModel::NoUpdate);
    selectionModel->select(selection, QItemSelectionModel::ClearAndSelect);
    view_->scrollTo(model_->index(*first, 0));
  } else {
    selectionModel->clearSelection();
  }
  selecting_ = false;
}

void RulesPane::followEntry(std::size_t entry) {
  const std::vector<std::size_t> selected = selectedEntries();
  if (std::find(selected.begin(), selected.end(), entry) == selected.end()) {
    selectEntries({entry});
  }
}

void RulesPane::focusFilter() {
  filter_->setFocus(Qt::ShortcutFocusReason);
  filter_->selectAll();
}

void RulesPane::sync() {
  model_->sync();
  updateCount();
}

void RulesPane::savePlace() {
  savedSelection_ = selectedEntries();
  const QModelIndex current = view_->currentIndex();
  savedCurrent_ = current.isValid() ? model_->entryAt(current.row()) : 0;
  savedTop_ = model_->entryAt(view_->rowAt(0));
}

void RulesPane::restorePlace() {
  selecting_ = true;
  selectEntries(savedSelection_);
  selecting_ = true;
  if (const std::optional<int> row = model_->rowOf(savedCurrent_)) {
    view_->selectionModel()->setCurrentIndex(model_->index(*row, 0), QItemSelectionModel::NoUpdate);
  }
  // The rule that was at the top stays there, or the first shown after it.
  for (std::size_t entry = std::max<std::size_t>(savedTop_, 1); entry <= 100; ++entry) {
    if (const std::optional<int> row = model_->rowOf(entry)) {
      view_->scrollTo(model_->index(*row, 0), QAbstractItemView::PositionAtTop);
      break;
    }
  }
  selecting_ = false;
  updateCount();
}

void RulesPane::updateCount() {
  count_->setText(qtText(lang::formatText(lang::translateText(lang::rules::kShownCount),
                                          static_cast<unsigned>(model_->rowCount()))));
}

void RulesPane::retranslate() {
  filter_->setPlaceholderText(translated(lang::rules::kFilterPlaceholder));
  filter_->setToolTip(translated(lang::rules::kFilterHint));
  hideUnused_->setText(translated(lang::rules::kHideUnused));
  hideUnused_->setToolTip(translated(lang::rules::kHideUnusedHint));
  sync();
}

}  // namespace kivprism::ui::rules
