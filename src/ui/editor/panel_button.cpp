#include "ui/editor/panel_button.hpp"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>

namespace kivprism::ui::editor {

PanelButton::PanelButton(Face face, QWidget* parent) : QLabel(parent) {
  setFrameStyle(QFrame::Panel | (face == Face::Button ? QFrame::Raised : QFrame::Sunken));
  setLineWidth(face == Face::Button ? 2 : 1);
  setAlignment(Qt::AlignCenter);
  setMinimumSize(face == Face::Button ? QSize(32, 24) : QSize(120, 24));
  setAutoFillBackground(true);
  setMargin(3);
  // As wide as its text, never stretched across the page's row.
  setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
  if (face == Face::Button) {
    setCursor(Qt::PointingHandCursor);
  }
}

void PanelButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    pressed_ = true;
    if (frameShadow() == QFrame::Raised) {
      setFrameShadow(QFrame::Sunken);
    }
  } else if (event->button() == Qt::RightButton) {
    emit rightClicked(event->globalPosition().toPoint());
  }
  QLabel::mousePressEvent(event);
}

void PanelButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && pressed_) {
    pressed_ = false;
    if (lineWidth() == 2) {
      setFrameShadow(QFrame::Raised);
    }
    // A press that leaves the panel before the release is no click.
    if (rect().contains(event->position().toPoint())) {
      emit clicked(event->globalPosition().toPoint());
    }
  }
  QLabel::mouseReleaseEvent(event);
}

QMimeData* keyMimeData(int column, int row) {
  auto* mime = new QMimeData;
  mime->setData(kKeyMimeType, QByteArray::number(column) + ',' + QByteArray::number(row));
  return mime;
}

bool readKeyMime(const QMimeData* mime, int& column, int& row) {
  if (!mime || !mime->hasFormat(kKeyMimeType)) {
    return false;
  }
  const QList<QByteArray> parts = mime->data(kKeyMimeType).split(',');
  bool okColumn = false;
  bool okRow = false;
  if (parts.size() != 2) {
    return false;
  }
  column = parts[0].toInt(&okColumn);
  row = parts[1].toInt(&okRow);
  return okColumn && okRow;
}

KeyDropPanel::KeyDropPanel(QWidget* parent) : PanelButton(Face::Panel, parent) {
  setAcceptDrops(true);
}

void KeyDropPanel::setLook(Look look) {
  look_ = look;
  QPalette p = palette();
  switch (look) {
    case Look::Idle:
      p = QPalette();
      break;
    case Look::Accepting:
      p.setColor(QPalette::Window, Qt::green);
      break;
    case Look::Refusing:
      p.setColor(QPalette::Window, Qt::red);
      break;
  }
  setPalette(p);
}

void KeyDropPanel::dragEnterEvent(QDragEnterEvent* event) {
  int column = 0;
  int row = 0;
  if (!readKeyMime(event->mimeData(), column, row)) {
    event->ignore();
    return;
  }
  // Taken either way so that the moves and the leave keep arriving; a refusing panel shows no-drop.
  const bool ok = accepts && accepts(column);
  setLook(ok ? Look::Accepting : Look::Refusing);
  event->accept();
  event->setDropAction(ok ? Qt::CopyAction : Qt::IgnoreAction);
}

void KeyDropPanel::dragMoveEvent(QDragMoveEvent* event) {
  int column = 0;
  int row = 0;
  const bool ok = readKeyMime(event->mimeData(), column, row) && accepts && accepts(column);
  setLook(ok ? Look::Accepting : Look::Refusing);
  if (ok) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void KeyDropPanel::dragLeaveEvent(QDragLeaveEvent* event) {
  setLook(Look::Idle);
  event->accept();
}

void KeyDropPanel::dropEvent(QDropEvent* event) {
  int column = 0;
  int row = 0;
  setLook(Look::Idle);
  if (readKeyMime(event->mimeData(), column, row) && accepts && accepts(column)) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
    if (dropped) {
      dropped(column, row);
    }
  } else {
    event->ignore();
  }
}

}  // namespace kivprism::ui::editor
