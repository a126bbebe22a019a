// The pane's panels and speed buttons: a framed text that reports left and right clicks with the
// screen point, and the key panels that take a key dragged from the keys grid.
#pragma once

#include <QLabel>
#include <QPoint>
#include <functional>

class QMimeData;

namespace kivprism::ui::editor {

class PanelButton : public QLabel {
  Q_OBJECT

 public:
  // A raised button face, or a sunken panel.
  enum class Face { Button, Panel };
  explicit PanelButton(Face face, QWidget* parent = nullptr);

 signals:
  void clicked(QPoint globalPos);
  void rightClicked(QPoint globalPos);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

// The drag's payload: the grid cell of the key (column = channel or the encoder column, row = the
// key's number).
inline constexpr const char* kKeyMimeType = "application/x-kivprism-key";
QMimeData* keyMimeData(int column, int row);
bool readKeyMime(const QMimeData* mime, int& column, int& row);

// PanelKeyModx / PanelKeyValx: green and the drag cursor over an accepting panel, red and no-drop
// over a refusing one, the button-face colour otherwise.
class KeyDropPanel : public PanelButton {
  Q_OBJECT

 public:
  enum class Look { Idle, Accepting, Refusing };
  explicit KeyDropPanel(QWidget* parent = nullptr);

  std::function<bool(int column)> accepts;
  std::function<void(int column, int row)> dropped;
  Look look() const { return look_; }

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void setLook(Look look);
  Look look_ = Look::Idle;
};

}  // namespace kivprism::ui::editor
