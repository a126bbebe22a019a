// Undo and redo in the main window: the edit history, the forms and procedures it watches, and
// its actions on the window's keys.
#pragma once

#include <functional>

#include "core/config/image.hpp"

class QWidget;

namespace kivprism::ui {

class EditHistory;
struct WindowPages;

// busy: a command, a procedure or an exchange holds the image; imageReplaced: an undo or redo
// replaced it. The rule selected is the event pane's, once it exists.
EditHistory* buildEditHistory(QWidget& window, config::ConfigImage& image,
                              std::function<bool()> busy, std::function<void()> imageReplaced,
                              const WindowPages& pages);
// The history cuts a step after each edit of the built pages and procedures.
void watchEdits(EditHistory& history, const WindowPages& pages);

}  // namespace kivprism::ui
