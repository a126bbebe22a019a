#include "ui/params/keys_grid_widget.hpp"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>

#include "ui/common/qt_text.hpp"
#include "ui/editor/panel_button.hpp"

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
    if (!updating_ &&
        binding_.typed(item->column(), item->row(), item->text().toStdString()).closeEditor) {
      // The cell takes no text: it shows the model's again.
      updating_ = true;
      StringGridKeysDrawCell(item->column(), item->row());
      updating_ = false;
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
  for (int row = 0; row < keys::kGridRows; ++row) {
    for (int column = 0; column < keys::kGridColumns; ++column) {
      StringGridKeysDrawCell(column, row);
    }
  }
  updating_ = false;
}

void KeysGridWidget::StringGridKeysDrawCell(int column, int row) {
  // The key just pressed is white on blue, every other cell black on the button face.
  QTableWidgetItem* cell = item(row, column);
  cell->setText(qtText(binding_.text(column, row)));
  const bool lit = binding_.highlighted(column, row);
  cell->setBackground(lit ? QColor(Qt::blue) : palette().color(QPalette::Button));
  cell->setForeground(lit ? QColor(Qt::white) : QColor(Qt::black));
}

void KeysGridWidget::clearKeysSelection() {
  clearSelection();
  selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
}

void KeysGridWidget::pollTick() {
  finishKeyLabelEdit();
  if (!underMouse()) {
    // Only the grid's own hint goes: the toolbar's and the fields' hints belong to them.
    if (!shownHint_.isEmpty() && QToolTip::isVisible() && QToolTip::text() == shownHint_) {
      QToolTip::hideText();
    }
    shownHint_.clear();
    hint_.clear();
    viewport()->setCursor(Qt::ForbiddenCursor);
  }
}

void KeysGridWidget::finishKeyLabelEdit() {
  const keys::FinishedEdit done = binding_.finishEdit(isEditorOpen());
  if (done.finished) {
    showModel();
    if (!done.refusal.empty()) {
      emit nameRefused(qtText(done.refusal));
    }
    emit keyLabelStored();
    emit keyEventsChanged();
    clearKeysSelection();
  }
}

bool KeysGridWidget::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  if (!index.isValid() || trigger == QAbstractItemView::NoEditTriggers ||
      (trigger & editTriggers()) == 0 || !(model()->flags(index) & Qt::ItemIsEditable)) {
    return QTableWidget::edit(index, trigger, event);
  }
  if (!StringGridKeysGetEditText(index.column(), index.row())) {
    return false;
  }
  const bool opened = QTableWidget::edit(index, trigger, event);
  if (auto* line = qobject_cast<QLineEdit*>(indexWidget(index))) {
    connect(line, &QLineEdit::textEdited, this, [this, line, index](const QString& text) {
      StringGridKeysSetEditText(line, index.column(), index.row(), text);
    });
  }
  return opened;
}

bool KeysGridWidget::StringGridKeysGetEditText(int column, int row) {
  return binding_.openEditor(column, row);
}

void KeysGridWidget::StringGridKeysSetEditText(QWidget* editor, int column, int row,
                                               const QString& text) {
  const keys::TypedText result = binding_.typed(column, row, text.toStdString());
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
  if (index.isValid() && !StringGridKeysSelectCell(index.column(), index.row())) {
    return QItemSelectionModel::NoUpdate;
  }
  return QTableWidget::selectionCommand(index, event);
}

bool KeysGridWidget::StringGridKeysSelectCell(int column, int row) const {
  return binding_.canSelect(column, row);
}

void KeysGridWidget::mousePressEvent(QMouseEvent* event) {
  dragCell_.reset();
  const QModelIndex index = indexAt(event->position().toPoint());
  // A learnt key, or an encoder in use, may be dragged onto a key event's panels.
  if (event->button() == Qt::LeftButton && index.isValid() &&
      binding_.hint(index.column(), index.row()).cursor == keys::CellCursor::HandPoint) {
    dragCell_ = index;
    dragStart_ = event->position().toPoint();
  }
  QTableWidget::mousePressEvent(event);
}

void KeysGridWidget::mouseMoveEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid()) {
    StringGridKeysMouseMove(index.column(), index.row());
  }
  if (dragCell_ && (event->buttons() & Qt::LeftButton) &&
      (event->position().toPoint() - dragStart_).manhattanLength() >=
          QApplication::startDragDistance()) {
    const QModelIndex cell = *dragCell_;
    dragCell_.reset();
    auto* drag = new QDrag(this);
    drag->setMimeData(editor::keyMimeData(cell.column(), cell.row()));
    drag->exec(Qt::CopyAction);
    return;
  }
  QTableWidget::mouseMoveEvent(event);
}

void KeysGridWidget::StringGridKeysMouseMove(int column, int row) {
  const keys::CellHint h = binding_.hint(column, row);
  hint_ = qtText(h.text);
  viewport()->setCursor(cursorShape(h.cursor));
}

bool KeysGridWidget::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    if (hint_.isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(help->globalPos(), hint_, viewport());
    }
    shownHint_ = hint_;
    return true;
  }
  return QTableWidget::viewportEvent(event);
}

QMenu* KeysGridWidget::menuFor(int column, int row) {
  menuCommand_ = binding_.menuAt(column, row);
  if (!menuCommand_) {
    return nullptr;
  }
  delete menu_;
  menu_ = new QMenu(this);
  menu_->setObjectName("PopupMenuKeys");
  QAction* action = menu_->addAction(qtText(menuCommand_->caption));
  action->setObjectName("DeleteKeyx");
  connect(action, &QAction::triggered, this, &KeysGridWidget::DeleteKeyxClick);
  return menu_;
}

void KeysGridWidget::DeleteKeyxClick() {
  if (!menuCommand_) {
    return;
  }
  if (!menuCommand_->question.empty() &&
      (!askQuestion_ || !askQuestion_(qtText(menuCommand_->question)))) {
    menuCommand_.reset();
    return;
  }
  const bool eventsChanged = binding_.apply(*menuCommand_);
  menuCommand_.reset();
  showModel();
  if (eventsChanged) {
    emit keyEventsChanged();
  }
  clearKeysSelection();
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
