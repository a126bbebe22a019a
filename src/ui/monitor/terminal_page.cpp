#include "ui/monitor/terminal_page.hpp"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSplitter>
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>

#include "core/config/text_codec.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/common/shell_texts.hpp"

namespace kivprism::ui {

namespace {

// Room between the view's edge and the text.
constexpr int kTextMargin = 4;

QFont terminalFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPixelSize(13);
  return font;
}

}  // namespace

ReceivedTextView::ReceivedTextView(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName("RichEditRX");
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setContextMenuPolicy(Qt::NoContextMenu);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  viewport()->setCursor(Qt::IBeamCursor);
  setFont(terminalFont());
  measureFont();
  updateScrollBars();
}

void ReceivedTextView::appendLine(const QColor& colour, const QString& text) {
  pending_.push_back({colour, text});
  if (pending_.size() == 1) {
    QTimer::singleShot(0, this, &ReceivedTextView::flush);
  } else if (pending_.size() >= kLongestBurst) {
    // The event loop has not run for a long while; do not let the queue grow without bound.
    flush();
  }
}

void ReceivedTextView::flush() {
  if (pending_.empty()) {
    return;
  }
  // The view follows new lines only when the reader is at the bottom; otherwise the lines the
  // reader looks at stay in place, also when the oldest lines make room for the new ones.
  QScrollBar* bar = verticalScrollBar();
  const bool following = bar->value() >= bar->maximum();
  const int firstShown = bar->value();
  const std::int64_t droppedBefore = dropped_;
  for (PendingLine& line : pending_) {
    noteWidth(line.text);
    lines_.push_back({std::move(line.text), line.colour.rgb()});
  }
  pending_.clear();
  if (lines_.size() > std::size_t(scrollback_)) {
    dropOldest(lines_.size() - std::size_t(scrollback_));
  }
  updateScrollBars();
  if (following) {
    bar->setValue(bar->maximum());
  } else {
    bar->setValue(std::max(0, firstShown - int(dropped_ - droppedBefore)));
  }
  viewport()->update();
}

QString ReceivedTextView::text() {
  flush();
  QStringList all;
  all.reserve(lineCount());
  for (const Line& line : lines_) {
    all.push_back(line.text);
  }
  return all.join('\n');
}

void ReceivedTextView::clearAll() {
  pending_.clear();
  lines_.clear();
  dropped_ = 0;
  anchor_ = -1;
  current_ = -1;
  selecting_ = false;
  widestText_.clear();
  widestPixels_ = 0;
  updateScrollBars();
  viewport()->update();
}

void ReceivedTextView::setScrollbackLines(int lines) {
  scrollback_ = std::max(lines, 1);
  if (lines_.size() > std::size_t(scrollback_)) {
    dropOldest(lines_.size() - std::size_t(scrollback_));
    updateScrollBars();
    viewport()->update();
  }
}

QString ReceivedTextView::line(int index) const {
  return index >= 0 && index < lineCount() ? lines_[std::size_t(index)].text : QString();
}

QColor ReceivedTextView::lineColour(int index) const {
  return index >= 0 && index < lineCount() ? QColor(lines_[std::size_t(index)].colour) : QColor();
}

int ReceivedTextView::findLine(const QString& part) const {
  for (int i = 0; i < lineCount(); ++i) {
    if (lines_[std::size_t(i)].text.contains(part)) {
      return i;
    }
  }
  return -1;
}

int ReceivedTextView::firstVisibleLine() const { return verticalScrollBar()->value(); }

int ReceivedTextView::lineAt(const QPoint& viewportPos) const {
  if (viewportPos.y() < 0) {
    return -1;
  }
  const int index = firstVisibleLine() + viewportPos.y() / lineHeight_;
  return index < lineCount() ? index : -1;
}

void ReceivedTextView::selectAll() {
  if (lines_.empty()) {
    return;
  }
  selectLines(0, lineCount() - 1);
}

void ReceivedTextView::selectLines(int first, int last) {
  if (lines_.empty()) {
    return;
  }
  anchor_ = serialOf(std::clamp(first, 0, lineCount() - 1));
  current_ = serialOf(std::clamp(last, 0, lineCount() - 1));
  viewport()->update();
}

int ReceivedTextView::selectionFirst() const {
  return hasSelection() ? indexOf(std::min(anchor_, current_)) : -1;
}

int ReceivedTextView::selectionLast() const {
  return hasSelection() ? indexOf(std::max(anchor_, current_)) : -1;
}

QString ReceivedTextView::selectedText() const {
  if (!hasSelection()) {
    return {};
  }
  QStringList selected;
  for (int i = selectionFirst(); i <= selectionLast(); ++i) {
    selected.push_back(lines_[std::size_t(i)].text);
  }
  return selected.join('\n');
}

void ReceivedTextView::copy() {
  if (hasSelection()) {
    QApplication::clipboard()->setText(selectedText());
  }
}

void ReceivedTextView::dropOldest(std::size_t count) {
  lines_.erase(lines_.begin(), lines_.begin() + std::ptrdiff_t(count));
  dropped_ += std::int64_t(count);
  if (hasSelection()) {
    // Lines that went leave the selection; a selection wholly gone is none.
    if (std::max(anchor_, current_) < dropped_) {
      anchor_ = -1;
      current_ = -1;
      selecting_ = false;
    } else if (anchor_ < current_) {
      anchor_ = std::max(anchor_, dropped_);
    } else {
      current_ = std::max(current_, dropped_);
    }
  }
}

int ReceivedTextView::indexOf(std::int64_t serial) const {
  return static_cast<int>(std::clamp<std::int64_t>(serial - dropped_, 0, lineCount() - 1));
}

void ReceivedTextView::noteWidth(const QString& text) {
  // Only a line longer than every one before is measured, so the cost per line stays flat.
  if (text.size() > widestText_.size()) {
    widestText_ = text;
    widestPixels_ = fontMetrics().horizontalAdvance(text);
  }
}

void ReceivedTextView::measureFont() {
  const QFontMetrics metrics = fontMetrics();
  lineHeight_ = std::max(metrics.lineSpacing(), 1);
  ascent_ = metrics.ascent();
  widestPixels_ = metrics.horizontalAdvance(widestText_);
}

int ReceivedTextView::visibleRows() const {
  return std::max(viewport()->height() / lineHeight_, 1);
}

void ReceivedTextView::updateScrollBars() {
  const int rows = visibleRows();
  QScrollBar* vertical = verticalScrollBar();
  vertical->setRange(0, std::max(lineCount() - rows, 0));
  vertical->setPageStep(rows);
  vertical->setSingleStep(1);
  QScrollBar* horizontal = horizontalScrollBar();
  const int textWidth = widestPixels_ + 2 * kTextMargin;
  horizontal->setRange(0, std::max(textWidth - viewport()->width(), 0));
  horizontal->setPageStep(viewport()->width());
  horizontal->setSingleStep(std::max(fontMetrics().averageCharWidth(), 1));
}

void ReceivedTextView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  painter.setFont(font());
  const QRect area = event->rect();
  const int first = firstVisibleLine();
  const int from = first + area.top() / lineHeight_;
  const int to = std::min(first + area.bottom() / lineHeight_, lineCount() - 1);
  const int x = kTextMargin - horizontalScrollBar()->value();
  const int selFirst = selectionFirst();
  const int selLast = selectionLast();
  const QColor highlight = palette().color(QPalette::Highlight);
  const QColor highlightedText = palette().color(QPalette::HighlightedText);
  for (int i = from; i <= to; ++i) {
    const int top = (i - first) * lineHeight_;
    const Line& shown = lines_[std::size_t(i)];
    const bool selected = selFirst >= 0 && i >= selFirst && i <= selLast;
    if (selected) {
      painter.fillRect(QRect(0, top, viewport()->width(), lineHeight_), highlight);
    }
    painter.setPen(selected ? highlightedText : QColor(shown.colour));
    painter.drawText(QPoint(x, top + ascent_), shown.text);
  }
}

void ReceivedTextView::resizeEvent(QResizeEvent* event) {
  QScrollBar* bar = verticalScrollBar();
  const bool following = bar->value() >= bar->maximum();
  QAbstractScrollArea::resizeEvent(event);
  updateScrollBars();
  if (following) {
    bar->setValue(bar->maximum());
  }
}

void ReceivedTextView::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) {
    measureFont();
    updateScrollBars();
    viewport()->update();
  }
  QAbstractScrollArea::changeEvent(event);
}

void ReceivedTextView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    copy();
  } else if (event->matches(QKeySequence::SelectAll)) {
    selectAll();
  } else if (event->matches(QKeySequence::MoveToStartOfDocument) || event->key() == Qt::Key_Home) {
    verticalScrollBar()->setValue(0);
  } else if (event->matches(QKeySequence::MoveToEndOfDocument) || event->key() == Qt::Key_End) {
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
  } else {
    QAbstractScrollArea::keyPressEvent(event);
    return;
  }
  event->accept();
}

void ReceivedTextView::pressLine(const QPoint& viewportPos, bool extend) {
  const int index = lineAt(viewportPos);
  if (index < 0) {
    anchor_ = -1;
    current_ = -1;
    selecting_ = false;
  } else {
    if (!extend || !hasSelection()) {
      anchor_ = serialOf(index);
    }
    current_ = serialOf(index);
    selecting_ = true;
  }
  viewport()->update();
}

void ReceivedTextView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit leftPressed();
    pressLine(event->position().toPoint(), event->modifiers().testFlag(Qt::ShiftModifier));
  } else if (event->button() == Qt::RightButton) {
    emit rightPressed(event->globalPosition().toPoint());
  }
  event->accept();
}

void ReceivedTextView::mouseMoveEvent(QMouseEvent* event) {
  if (!selecting_ || !event->buttons().testFlag(Qt::LeftButton) || lines_.empty()) {
    return;
  }
  // Dragging past the top or the bottom scrolls a line at a time.
  const QPoint pos = event->position().toPoint();
  QScrollBar* bar = verticalScrollBar();
  if (pos.y() < 0) {
    bar->setValue(bar->value() - 1);
  } else if (pos.y() >= viewport()->height()) {
    bar->setValue(bar->value() + 1);
  }
  const int y = std::clamp(pos.y(), 0, viewport()->height() - 1);
  const int index = std::min(firstVisibleLine() + y / lineHeight_, lineCount() - 1);
  current_ = serialOf(index);
  viewport()->update();
  event->accept();
}

void ReceivedTextView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit leftPressed();
    pressLine(event->position().toPoint(), false);
  }
  event->accept();
}

SendMemo::SendMemo(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName("MemoTX");
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setFont(terminalFont());
}

void SendMemo::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (!enter || !isConnected || !isConnected()) {
    QPlainTextEdit::keyPressEvent(event);
    return;
  }
  // The controller reads cp1251: lengths and the caret count in its bytes.
  const QString text = toPlainText();
  const std::string bytes = config::utf8ToCp1251(text.toStdString());
  const std::size_t caret =
      config::utf8ToCp1251(QStringView(text).left(textCursor().position()).toUtf8().toStdString())
          .size();
  const monitor::EnterDecision decision = monitor::decideTerminalEnter(bytes, caret);
  if (decision.send && sendLine) {
    sendLine(*decision.send);
  }
  if (decision.passKey) {
    QPlainTextEdit::keyPressEvent(event);
  } else {
    event->accept();
  }
}

void SendMemo::mouseDoubleClickEvent(QMouseEvent* event) {
  clear();
  event->accept();
}

TerminalPage::TerminalPage(std::function<std::uint32_t()> tickMs, QWidget* parent)
    : QWidget(parent), tickMs_(std::move(tickMs)) {
  setObjectName("TabSheetMonitoring");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  splitter_ = new QSplitter(Qt::Vertical, this);
  splitter_->setObjectName("Splitter1");
  splitter_->setChildrenCollapsible(false);
  richEditRX_ = new ReceivedTextView(splitter_);
  memoTX_ = new SendMemo(splitter_);
  splitter_->addWidget(richEditRX_);
  splitter_->addWidget(memoTX_);
  splitter_->setStretchFactor(0, 1);
  splitter_->setStretchFactor(1, 0);
  layout->addWidget(splitter_);
  splitter_->installEventFilter(this);
  setMemoHeight(kDefaultMemoHeight);

  popupMenuKeys_ = new QMenu(this);
  popupMenuKeys_->setObjectName("PopupMenuKeys");
  deleteKeyx_ = popupMenuKeys_->addAction(QString());
  deleteKeyx_->setObjectName("DeleteKeyx");
  copyAllx_ = popupMenuKeys_->addAction(QString());
  copyAllx_->setObjectName("CopyAllx");
  connect(deleteKeyx_, &QAction::triggered, this, &TerminalPage::DeleteKeyxClick);
  connect(copyAllx_, &QAction::triggered, this, &TerminalPage::CopyAllxClick);
  connect(richEditRX_, &ReceivedTextView::leftPressed, this, &TerminalPage::onLeftPress);
  connect(richEditRX_, &ReceivedTextView::rightPressed, this, &TerminalPage::onRightPress);
}

void TerminalPage::appendLine(const QColor& colour, const QString& text) {
  richEditRX_->appendLine(colour, text);
}

void TerminalPage::logLine(const QString& text) {
  richEditRX_->appendLine(palette().color(QPalette::WindowText), text);
}

void TerminalPage::clearReceived() { richEditRX_->clearAll(); }

int TerminalPage::memoHeight() const {
  // Until the page has been shown the splitter has not laid out its parts, and its sizes are
  // those of a default-sized widget, not the height the user chose.
  if (!splitterShown_) {
    return requestedMemoHeight_;
  }
  return splitter_->sizes().value(1, requestedMemoHeight_);
}

void TerminalPage::setMemoHeight(int height) {
  requestedMemoHeight_ = height;
  const int total = std::max(splitter_->height(), height + 100);
  splitter_->setSizes({total - height, height});
  memoTX_->resize(memoTX_->width(), height);
}

bool TerminalPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == splitter_ && event->type() == QEvent::Show) {
    splitterShown_ = true;
  }
  return QWidget::eventFilter(watched, event);
}

void TerminalPage::onLeftPress() {
  if (clicks_.press(tickMs_())) {
    clearReceived();
  }
}

void TerminalPage::onRightPress(const QPoint& globalPos) {
  terminalContext_ = true;
  deleteKeyx_->setText(translated(texts::kClearScreen));
  copyAllx_->setText(translated(texts::kCopyAll));
  copyAllx_->setVisible(true);
  popupMenuKeys_->popup(globalPos);
}

void TerminalPage::DeleteKeyxClick() {
  if (terminalContext_) {
    clearReceived();
    terminalContext_ = false;
  }
}

void TerminalPage::CopyAllxClick() {
  if (copyAllAllowed && !copyAllAllowed()) {
    return;
  }
  const QString all = richEditRX_->text();
  richEditRX_->selectAll();
  QApplication::clipboard()->setText(all);
}

}  // namespace kivprism::ui
