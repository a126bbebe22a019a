#include "ui/common/window_placement.hpp"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace kivprism::ui {

namespace {

// Before a window is first shown the platform has not told its frame yet; a title bar this high
// and borders this wide keep the close button and the edges of a window on the screen.
constexpr int kTitleBarAllowance = 32;
constexpr int kBorderAllowance = 8;
const QRect kNoScreen(0, 0, 1024, 768);

long long overlap(const QRect& a, const QRect& b) {
  const QRect common = a.intersected(b);
  return common.isEmpty() ? 0 : static_cast<long long>(common.width()) * common.height();
}

}  // namespace

QRect fitOnScreen(QRect frame, const QRect& screen) {
  frame.setSize(frame.size().boundedTo(screen.size()));
  const int left = std::clamp(frame.left(), screen.left(), screen.right() - frame.width() + 1);
  const int top = std::clamp(frame.top(), screen.top(), screen.bottom() - frame.height() + 1);
  frame.moveTopLeft(QPoint(left, top));
  return frame;
}

QRect placeWindow(std::optional<QPoint> stored, QSize size, const QList<QRect>& screens,
                  const QRect& home) {
  if (stored) {
    const QRect wanted(*stored, size);
    const QRect* best = nullptr;
    long long bestOverlap = 0;
    for (const QRect& screen : screens) {
      const long long o = overlap(wanted, screen);
      if (o > bestOverlap) {
        best = &screen;
        bestOverlap = o;
      }
    }
    if (best != nullptr) {
      return fitOnScreen(wanted, *best);
    }
  }
  QRect centred(QPoint(0, 0), size.boundedTo(home.size()));
  centred.moveCenter(home.center());
  return fitOnScreen(centred, home);
}

std::optional<QPoint> storedPlace(std::optional<int> left, std::optional<int> top, QSize size,
                                  const QRect& home) {
  if (!left && !top) {
    return std::nullopt;
  }
  QRect centred(QPoint(0, 0), size);
  centred.moveCenter(home.center());
  return QPoint(left.value_or(centred.left()), top.value_or(centred.top()));
}

QRect screenAreaOf(const QWidget* widget) {
  const QScreen* screen = widget != nullptr ? widget->window()->screen() : nullptr;
  if (screen == nullptr) {
    screen = QGuiApplication::primaryScreen();
  }
  return screen != nullptr ? screen->availableGeometry() : kNoScreen;
}

QSize frameSizeOf(const QWidget* window) {
  if (window->isVisible() || window->testAttribute(Qt::WA_WState_Created)) {
    const QSize frame = window->frameGeometry().size();
    if (frame.height() > window->height()) {
      return frame;
    }
  }
  return window->size() + QSize(kBorderAllowance, kTitleBarAllowance);
}

void keepOnScreenOf(QWidget* window, const QWidget* anchor) {
  const QRect screen = screenAreaOf(anchor != nullptr ? anchor : window);
  const QRect fitted = fitOnScreen(QRect(window->pos(), frameSizeOf(window)), screen);
  const QSize decoration = frameSizeOf(window) - window->size();
  if (fitted.size() != frameSizeOf(window)) {
    window->resize(fitted.size() - decoration);
  }
  window->move(fitted.topLeft());
}

}  // namespace kivprism::ui
