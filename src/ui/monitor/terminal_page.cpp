#include "ui/monitor/terminal_page.hpp"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextDocumentLayout>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

#include "core/config/text_codec.hpp"
#include "ui/app/qt_text.hpp"
#include "ui/app/shell_texts.hpp"

namespace kivprism::ui {

namespace {

QFont terminalFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPixelSize(13);
  return font;
}

}  // namespace

ReceivedTextPage::ReceivedTextPage(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setUndoRedoEnabled(false);
  setContextMenuPolicy(Qt::NoContextMenu);
  setFont(terminalFont());
}

void ReceivedTextPage::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit leftPressed();
  } else if (event->button() == Qt::RightButton) {
    emit rightPressed(event->globalPosition().toPoint());
    return;
  }
  QPlainTextEdit::mousePressEvent(event);
}

void ReceivedTextPage::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit leftPressed();
  }
  QPlainTextEdit::mouseDoubleClickEvent(event);
}

ReceivedTextView::ReceivedTextView(QWidget* parent) : QWidget(parent) {
  setObjectName("RichEditRX");
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  for (Page& page : pages_) {
    page.view = new ReceivedTextPage(this);
    // The page's own first document would be deleted at once when the page is let go; these
    // are released a slice at a time instead.
    page.view->setDocument(newDocument(*page.view));
    connect(page.view, &ReceivedTextPage::leftPressed, this, &ReceivedTextView::leftPressed);
    connect(page.view, &ReceivedTextPage::rightPressed, this, &ReceivedTextView::rightPressed);
  }
  pages_[1].view->setObjectName("RichEditRXStandby");
  pages_[1].view->setFocusPolicy(Qt::NoFocus);
  setFocusProxy(pages_[0].view);
  placePages();
}

QTextDocument* ReceivedTextView::newDocument(const ReceivedTextPage& page) {
  auto* document = new QTextDocument(this);
  document->setDocumentLayout(new QPlainTextDocumentLayout(document));
  document->setUndoRedoEnabled(false);
  document->setDefaultFont(page.font());
  return document;
}

void ReceivedTextView::setScrollback(int lines) { scrollback_ = std::max(lines, 2); }

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
  // reader looks at stay in place, also when the standby page takes over.
  QScrollBar* bar = shownPage()->verticalScrollBar();
  const bool following = bar->value() >= bar->maximum();
  int firstShown = bar->value();
  bool switched = false;
  std::size_t at = 0;
  while (at < pending_.size()) {
    while (pages_[shown_].lines >= scrollback_) {
      firstShown -= pages_[shown_].lines - pages_[1 - shown_].lines;
      showStandby();
      switched = true;
    }
    Page& shown = pages_[shown_];
    Page& standby = pages_[1 - shown_];
    const std::size_t count =
        std::min(pending_.size() - at, static_cast<std::size_t>(scrollback_ - shown.lines));
    // The standby takes the lines that come after the shown page's first half.
    const std::size_t skipped =
        std::min(count, static_cast<std::size_t>(std::max(scrollback_ / 2 - shown.lines, 0)));
    append(shown, at, at + count);
    append(standby, at + skipped, at + count);
    at += count;
  }
  pending_.clear();
  bar = shownPage()->verticalScrollBar();
  if (following) {
    bar->setValue(bar->maximum());
  } else if (switched) {
    bar->setValue(std::max(0, firstShown));
  }
}

void ReceivedTextView::append(Page& page, std::size_t from, std::size_t to) {
  if (from >= to) {
    return;
  }
  // Lines come in bursts (one drain of the controller's text, a CAN echo); one edit per burst
  // lays the document out and scrolls once instead of once per line.
  QTextCursor cursor(page.view->document());
  cursor.beginEditBlock();
  cursor.movePosition(QTextCursor::End);
  for (std::size_t i = from; i < to; ++i) {
    QTextCharFormat format;
    format.setForeground(pending_[i].colour);
    // The document of an empty first line still counts as empty, so count the lines here.
    if (page.lines > 0) {
      cursor.insertBlock();
    }
    ++page.lines;
    cursor.insertText(pending_[i].text, format);
  }
  cursor.endEditBlock();
}

void ReceivedTextView::showStandby() {
  Page& old = pages_[shown_];
  shown_ = 1 - shown_;
  Page& next = pages_[shown_];
  const bool hadFocus = old.view->hasFocus();
  next.view->setFocusPolicy(old.view->focusPolicy());
  old.view->setFocusPolicy(Qt::NoFocus);
  setFocusProxy(next.view);
  next.view->horizontalScrollBar()->setValue(old.view->horizontalScrollBar()->value());
  placePages();
  if (hadFocus) {
    next.view->setFocus();
  }
  letGo(old);
}

void ReceivedTextView::letGo(Page& page) {
  QTextDocument* old = page.view->document();
  page.view->setDocument(newDocument(*page.view));
  page.lines = 0;
  // Without undo a document rebuilds its whole text store once half of it is removed text;
  // with undo the removed text simply stays until the document goes.
  old->setUndoRedoEnabled(true);
  released_.push_back(old);
  scheduleRelease();
}

void ReceivedTextView::scheduleRelease() {
  if (!releaseScheduled_) {
    releaseScheduled_ = true;
    QTimer::singleShot(0, this, &ReceivedTextView::releaseSlice);
  }
}

void ReceivedTextView::releaseSlice() {
  releaseScheduled_ = false;
  // Each line holds its own layout; freeing a whole page of them at once would stall the view
  // for tens of milliseconds, so a few hundred lines go at a time until the pass's share is used.
  QElapsedTimer spent;
  spent.start();
  while (!released_.empty() && spent.elapsed() < kReleaseBudgetMs) {
    QTextDocument* document = released_.front();
    if (document->blockCount() <= kReleaseStep) {
      delete document;
      released_.pop_front();
      continue;
    }
    // Moving the cursor block by block would lay out each line on the way.
    QTextCursor cursor(document);
    cursor.setPosition(document->findBlockByNumber(kReleaseStep).position(),
                       QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
  }
  if (!released_.empty()) {
    scheduleRelease();
  }
}

void ReceivedTextView::placePages() {
  // The standby lies just below the view, out of sight but laid out at the view's size, so
  // that showing it costs no new layout of its lines.
  const QRect area = rect();
  pages_[shown_].view->setGeometry(area);
  pages_[1 - shown_].view->setGeometry(area.translated(0, area.height() + 1));
}

void ReceivedTextView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  placePages();
}

QSize ReceivedTextView::sizeHint() const { return shownPage()->sizeHint(); }

QSize ReceivedTextView::minimumSizeHint() const { return shownPage()->minimumSizeHint(); }

QString ReceivedTextView::text() {
  flush();
  return shownPage()->toPlainText();
}

void ReceivedTextView::clearAll() {
  pending_.clear();
  for (Page& page : pages_) {
    letGo(page);
  }
}

void ReceivedTextView::selectAll() { shownPage()->selectAll(); }

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
