// The window's keys: Ctrl+O open, Ctrl+S save, F5 read the controller, Ctrl+1, Ctrl+2, ... the
// pages in their order, each shown in its hint.
#pragma once

#include "ui/app/window_toolbar.hpp"

class QTabWidget;
class QWidget;

namespace kivprism::ui {

void addWindowShortcuts(QWidget& window, const WindowToolbar::Buttons& buttons, QTabWidget& pages);
// After the language walk set the hints: the keys follow them.
void showShortcutHints(const WindowToolbar::Buttons& buttons, QTabWidget& pages);

}  // namespace kivprism::ui
