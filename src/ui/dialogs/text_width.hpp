// Widths that let a small dialog show its whole content in either language.
#pragma once

class QLineEdit;
class QString;
class QWidget;

namespace kivprism::ui::dialogs {

// The width an edit needs to show this many characters of hexadecimal digits, blanks or letters.
int editWidthFor(const QLineEdit* edit, int characters);
// The width a window needs for this caption in its title bar, the close button beside it.
int titleWidthFor(const QWidget* window, const QString& caption);

}  // namespace kivprism::ui::dialogs
