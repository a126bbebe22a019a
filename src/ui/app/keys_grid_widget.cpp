#include "ui/app/keys_grid_widget.hpp"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>

#include "ui/app/qt_text.hpp"

namespace kivprism::ui {

namespace {

constexpr int kLineWidth = 1;

Qt::CursorShape cursorShape(keys::CellCursor cursor) {
  switch (cursor) {
    case keys::CellCursor::HandPoint:
      return Qt::PointingHandCursor;
    case keys::CellCursor::NoEntry:
      return Qt::ForbiddenCursor;
    case keys::CellCursor::Help:
      return Qt::WhatsThisCursor;
    case keys::CellCursor::Default:
      break;
  }
  return Qt::ArrowCursor;
}

}  // namespace

KeysGridWidget::KeysGridWidget(keys::KeysGridBinding& binding, QWidget* parent)
    : QTableWidget(keys::kGridRows, keys::kGridColumns, parent), binding_(binding) {
  setObjectName("StringGridKeys");
  horizontalHeader()->hide();
  verticalHeader()->hide();
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  setMouseTracking(true);
  setWordWrap(false);
  for (int row = 0; row < keys::kGridRows; ++row) {
    for (int column = 0; column < keys::kGridColumns; ++column) {
      auto* item = new QTableWidgetItem;
      item->setTextAlignment(Qt::AlignCenter);
      if (row == 0) {
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
      }
      setItem(row, column, item);
    }
  }
  connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (!updating_) {
      binding_.typed(item->column(), item->row(), item->text().toStdString());
    }
  });
  showModel();
}

void KeysGridWidget::fillKeysGrid() {
  binding_.fill();
  showModel();
}

void KeysGridWidget::showModel() {
  updating_ = true;
  const QColor face = palette().color(QPalette::Button);
  for (int row = 0; row < keys::kGridRows; ++row) {
    for (int column = 0; column < keys::kGridColumns; ++column) {
      QTableWidgetItem* cell = item(row, column);
      cell->setText(qtText(binding_.text(column, row)));
      const bool lit = binding_.highlighted(column, row);
      cell->setBackground(lit ? QColor(Qt::blue) : face);
      cell->setForeground(lit ? QColor(Qt::white) : QColor(Qt::black));
    }
  }
  updating_ = false;
}

void KeysGridWidget::clearKeysSelection() {
  clearSelection();
  selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
}

void KeysGridWidget::pollTick() {
  const keys::FinishedEdit done = binding_.finishEdit(isEditorOpen());
  if (done.finished) {
    showModel();
    if (!done.refusal.empty()) {
      emit nameRefused(qtText(done.refusal));
    }
    emit keyEventsChanged();
    clearKeysSelection();
  }
  if (!underMouse()) {
    hint_.clear();
    QToolTip::hideText();
    viewport()->setCursor(Qt::ForbiddenCursor);
  }
}

bool KeysGridWidget::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  if (!index.isValid() || trigger == QAbstractItemView::NoEditTriggers ||
      (trigger & editTriggers()) == 0 || !(model()->flags(index) & Qt::ItemIsEditable)) {
    return QTableWidget::edit(index, trigger, event);
  }
  if (!binding_.openEditor(index.column(), index.row())) {
    return false;
  }
  const bool opened = QTableWidget::edit(index, trigger, event);
  if (auto* line = qobject_cast<QLineEdit*>(indexWidget(index))) {
    connect(line, &QLineEdit::textEdited, this,
            [this, line, index](const QString& text) { typed(line, index, text); });
  }
  return opened;
}

void KeysGridWidget::typed(QWidget* editor, const QModelIndex& index, const QString& text) {
  const keys::TypedText result = binding_.typed(index.column(), index.row(), text.toStdString());
  const QString shown = qtText(result.text);
  if (auto* line = qobject_cast<QLineEdit*>(editor); line && line->text() != shown) {
    line->setText(shown);
  }
  if (result.closeEditor) {
    closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    showModel();
  }
}

QItemSelectionModel::SelectionFlags KeysGridWidget::selectionCommand(const QModelIndex& index,
                                                                     const QEvent* event) const {
  if (index.isValid() && !binding_.canSelect(index.column(), index.row())) {
    return QItemSelectionModel::NoUpdate;
  }
  return QTableWidget::selectionCommand(index, event);
}

void KeysGridWidget::mouseMoveEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid()) {
    const keys::CellHint h = binding_.hint(index.column(), index.row());
    hint_ = qtText(h.text);
    viewport()->setCursor(cursorShape(h.cursor));
  }
  QTableWidget::mouseMoveEvent(event);
}

bool KeysGridWidget::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    if (hint_.isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(help->globalPos(), hint_, viewport());
    }
    return true;
  }
  return QTableWidget::viewportEvent(event);
}

QMenu* KeysGridWidget::menuFor(int column, int row) {
  const std::optional<keys::KeysMenu> menu = binding_.menuAt(column, row);
  if (!menu) {
    return nullptr;
  }
  delete menu_;
  menu_ = new QMenu(this);
  menu_->setObjectName("PopupMenuKeys");
  QAction* action = menu_->addAction(qtText(menu->caption));
  action->setObjectName("DeleteKeyx");
  connect(action, &QAction::triggered, this, [this, command = *menu] {
    const bool eventsChanged = binding_.apply(command);
    showModel();
    if (eventsChanged) {
      emit keyEventsChanged();
    }
    clearKeysSelection();
  });
  return menu_;
}

void KeysGridWidget::contextMenuEvent(QContextMenuEvent* event) {
  const QModelIndex index = indexAt(event->pos());
  if (QMenu* menu = index.isValid() ? menuFor(index.column(), index.row()) : nullptr) {
    menu->exec(event->globalPos());
  }
}

void KeysGridWidget::resizeEvent(QResizeEvent* event) {
  QTableWidget::resizeEvent(event);
  fitCells();
}

void KeysGridWidget::fitCells() {
  // The cells fill the grid exactly; the sections carry their grid line.
  const int width =
      (viewport()->width() - keys::kGridColumns * kLineWidth - 1) / keys::kGridColumns;
  const int height = (viewport()->height() - keys::kGridRows * kLineWidth - 1) / keys::kGridRows;
  for (int column = 0; column < keys::kGridColumns; ++column) {
    setColumnWidth(column, width + kLineWidth);
  }
  for (int row = 0; row < keys::kGridRows; ++row) {
    setRowHeight(row, height + kLineWidth);
  }
}

}  // namespace kivprism::ui
