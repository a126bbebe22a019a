#include "ui/dialogs/text_width.hpp"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <string_view>

namespace kivprism::ui::dialogs {

namespace {

// The system menu, close button and borders of a title bar, which the caption shares.
constexpr int kTitleButtonsAllowance = 96;
constexpr char kWidestCharacters[] = "0123456789ABCDEFW ";

}  // namespace

int editWidthFor(const QLineEdit* edit, int characters) {
  const QFontMetrics metrics(edit->font());
  int widest = 0;
  for (const char c : std::string_view(kWidestCharacters)) {
    widest = std::max(widest, metrics.horizontalAdvance(QLatin1Char(c)));
  }
  QStyleOptionFrame option;
  option.initFrom(edit);
  option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
  const QMargins margins = edit->textMargins();
  // The text area plus the edit's own frame and margins, and the cursor after the last character.
  const QSize text(
      widest * characters + margins.left() + margins.right() + metrics.averageCharWidth(),
      metrics.height());
  return edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, edit).width();
}

int titleWidthFor(const QWidget* window, const QString& caption) {
  const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
  const QFontMetrics own(window->font());
  const int text = std::max(metrics.horizontalAdvance(caption), own.horizontalAdvance(caption));
  return text + kTitleButtonsAllowance;
}

}  // namespace kivprism::ui::dialogs
