// Where the program's windows open. Every window opens wholly on one screen: the main window on a
// screen its stored place touches (else centred on the primary one), every dialog on the screen
// that shows the main window. A window larger than its screen is made to fit it.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

class QWidget;

namespace kivprism::ui {

// The frame moved, and shrunk where it is larger, so that it lies wholly inside the screen.
QRect fitOnScreen(QRect frame, const QRect& screen);

// The frame of a window of this size: at the stored top-left, fitted on the screen that holds the
// largest part of it; a stored place that lies on no screen, or none, gives the window centred on
// home.
QRect placeWindow(std::optional<QPoint> stored, QSize size, const QList<QRect>& screens,
                  const QRect& home);

// A stored place of which one coordinate may be missing: the missing one is the centred one.
// Nothing when neither is stored.
std::optional<QPoint> storedPlace(std::optional<int> left, std::optional<int> top, QSize size,
                                  const QRect& home);

// The available area of the screen that shows this widget's window, or of the primary screen.
QRect screenAreaOf(const QWidget* widget);
// The size a window's frame takes: the frame once shown, the contents and a title bar before.
QSize frameSizeOf(const QWidget* window);
// Moves a top-level window, whose place was set, wholly onto the screen that shows the anchor.
void keepOnScreenOf(QWidget* window, const QWidget* anchor);

}  // namespace kivprism::ui
