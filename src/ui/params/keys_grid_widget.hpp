// StringGridKeys: the keys grid on the keys tab. A mirror of the core keys grid: it shows the
// model's cells, asks the model before it opens an editor or selects a cell, hands typed text and
// finished edits to it, and shows its hints, cursors and context menu. It never touches the image.
#pragma once

#include <QTableWidget>
#include <functional>
#include <optional>

#include "core/keys/keys_grid_binding.hpp"

class QMenu;

namespace kivprism::ui {

class KeysGridWidget : public QTableWidget {
  Q_OBJECT

 public:
  explicit KeysGridWidget(keys::KeysGridBinding& binding, QWidget* parent = nullptr);

  // fillKeysGrid: the model redraws from the image, then the cells follow.
  void fillKeysGrid();
  // The cells follow the model (during learning, after an edit).
  void showModel();
  // clearKeysSelection: no cell looks selected.
  void clearKeysSelection();
  // The poll tick's first step: finishes a label edit, and withdraws a hint when the mouse has left
  // the grid.
  void pollTick();
  void finishKeyLabelEdit();
  // The hint of the cell under the mouse (empty: none).
  QString currentHint() const { return hint_; }
  // The context menu (PopupMenuKeys) as it would open on a cell; none when the cell has none.
  QMenu* menuFor(int column, int row);
  void DeleteKeyxClick();
  // Asks a menu command's question; true for Yes. Without one such commands do not run.
  void setQuestionAsker(std::function<bool(const QString&)> ask) { askQuestion_ = std::move(ask); }
  bool isEditorOpen() const { return state() == QAbstractItemView::EditingState; }

 signals:
  // A finished edit or a deleted key changed key events: the event pane redraws.
  void keyEventsChanged();
  // A label typed into the grid was stored (just before keyEventsChanged).
  void keyLabelStored();
  // The name of a finished edit is taken by another key: the information box with this text.
  void nameRefused(const QString& text);

 protected:
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  // The grid's handlers: false when the editor must close at once; the typed text; whether the
  // cell may be selected; the hint and cursor of the cell under the mouse; one cell's look.
  bool StringGridKeysGetEditText(int column, int row);
  void StringGridKeysSetEditText(QWidget* editor, int column, int row, const QString& text);
  bool StringGridKeysSelectCell(int column, int row) const;
  void StringGridKeysMouseMove(int column, int row);
  void StringGridKeysDrawCell(int column, int row);
  void fitCells();

  keys::KeysGridBinding& binding_;
  QString hint_;
  // The hint this grid last put on the screen, to withdraw that one only.
  QString shownHint_;
  std::function<bool(const QString&)> askQuestion_;
  QMenu* menu_ = nullptr;
  std::optional<keys::KeysMenu> menuCommand_;
  bool updating_ = false;
  // The cell a left press landed on, while it may still become a drag.
  std::optional<QModelIndex> dragCell_;
  QPoint dragStart_;
};

}  // namespace kivprism::ui
