#include "ui/monitor/terminal_page.hpp"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
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

ReceivedTextView::ReceivedTextView(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName("RichEditRX");
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setMaximumBlockCount(kScrollbackLines);
  setUndoRedoEnabled(false);
  setContextMenuPolicy(Qt::NoContextMenu);
  setFont(terminalFont());
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
  // Lines come in bursts (one drain of the controller's text, a CAN echo); one edit per burst
  // lays the document out and scrolls once instead of once per line.
  // The view follows new lines only when the reader is at the bottom; otherwise the lines the
  // reader looks at stay in place, also when the oldest lines make room for the new ones.
  QScrollBar* bar = verticalScrollBar();
  const bool following = bar->value() >= bar->maximum();
  const int firstShown = bar->value();
  const int blocksBefore = document()->blockCount();
  int blocksAdded = 0;
  QTextCursor cursor(document());
  cursor.beginEditBlock();
  cursor.movePosition(QTextCursor::End);
  for (const PendingLine& line : pending_) {
    QTextCharFormat format;
    format.setForeground(line.colour);
    // The document of an empty first line still counts as empty, so keep track of it here.
    if (hasLines_) {
      cursor.insertBlock();
      ++blocksAdded;
    }
    hasLines_ = true;
    cursor.insertText(line.text, format);
  }
  cursor.endEditBlock();
  pending_.clear();
  if (following) {
    bar->setValue(bar->maximum());
  } else {
    const int dropped = blocksBefore + blocksAdded - document()->blockCount();
    bar->setValue(std::max(0, firstShown - dropped));
  }
}

QString ReceivedTextView::text() {
  flush();
  return toPlainText();
}

void ReceivedTextView::clearAll() {
  pending_.clear();
  hasLines_ = false;
  clear();
}

void ReceivedTextView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit leftPressed();
  } else if (event->button() == Qt::RightButton) {
    emit rightPressed(event->globalPosition().toPoint());
    return;
  }
  QPlainTextEdit::mousePressEvent(event);
}

void ReceivedTextView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit leftPressed();
  }
  QPlainTextEdit::mouseDoubleClickEvent(event);
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
