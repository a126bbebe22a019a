// The terminal page: the controller's monitoring text and the program's own log lines above, the
// memo for typed lines below.
#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QPlainTextEdit>
#include <QWidget>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/monitor/terminal_input.hpp"

class QMenu;
class QAction;
class QSplitter;

namespace kivprism::ui {

// Received-text view. It keeps only the newest lines: the CAN echo alone can add thousands of
// lines a second, and an unbounded view would exhaust memory within an hour. The lines sit in a
// queue and only the visible ones are painted, so that adding a line and letting the oldest go
// cost the same however many lines are kept (a text document reorganises its whole store now and
// then, which froze the window for tens of milliseconds). Selection is by whole lines.
class ReceivedTextView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  static constexpr int kScrollbackLines = 100000;
  static constexpr std::size_t kLongestBurst = 4096;

  explicit ReceivedTextView(QWidget* parent = nullptr);

  // Queues the line; it is shown with the rest of its burst when the event loop next runs.
  void appendLine(const QColor& colour, const QString& text);
  // Shows the queued lines now.
  void flush();
  // Everything shown and queued.
  QString text();
  void clearAll();

  int scrollbackLines() const { return scrollback_; }
  // Lets the oldest lines go at once when fewer are to be kept.
  void setScrollbackLines(int lines);

  // The lines shown (queued ones not counted), oldest first.
  int lineCount() const { return static_cast<int>(lines_.size()); }
  QString line(int index) const;
  QColor lineColour(int index) const;
  // The first shown line holding the text, or -1.
  int findLine(const QString& part) const;
  // The line under a point of the viewport, or -1 below the last line.
  int lineAt(const QPoint& viewportPos) const;
  int firstVisibleLine() const;

  void selectAll();
  // Selects the lines from first to last (either order), both included.
  void selectLines(int first, int last);
  bool hasSelection() const { return anchor_ >= 0; }
  // The selected lines, oldest first; -1 for none.
  int selectionFirst() const;
  int selectionLast() const;
  QString selectedText() const;
  // Puts the selected lines on the clipboard.
  void copy();

 signals:
  void leftPressed();
  void rightPressed(const QPoint& globalPos);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  // The second press of a fast double click comes as a double-click event; it counts as a press.
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  struct Line {
    QString text;
    QRgb colour;
  };
  struct PendingLine {
    QColor colour;
    QString text;
  };

  void dropOldest(std::size_t count);
  void noteWidth(const QString& text);
  void measureFont();
  void updateScrollBars();
  int visibleRows() const;
  // Lines keep their number while older ones go, so that a selection stays on its lines.
  std::int64_t serialOf(int index) const { return dropped_ + index; }
  int indexOf(std::int64_t serial) const;
  void pressLine(const QPoint& viewportPos, bool extend);

  std::deque<Line> lines_;
  std::vector<PendingLine> pending_;
  int scrollback_ = kScrollbackLines;
  std::int64_t dropped_ = 0;
  // Selection by line numbers; -1 for none.
  std::int64_t anchor_ = -1;
  std::int64_t current_ = -1;
  bool selecting_ = false;
  int lineHeight_ = 1;
  int ascent_ = 0;
  // The longest line shown since the last clearing, for the horizontal scroll range.
  QString widestText_;
  int widestPixels_ = 0;
};

// Send memo: Enter sends the line under the caret, a double click clears the memo.
class SendMemo : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit SendMemo(QWidget* parent = nullptr);

  // Asked on every Enter; without a connected controller Enter is an ordinary key.
  std::function<bool()> isConnected;
  // Gets the line in cp1251, the controller's code page.
  std::function<void(const std::string& line)> sendLine;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class TerminalPage : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDefaultMemoHeight = 64;
  // Monitoring lines and the CAN echo; the program's own lines use the window-text colour.
  static QColor monitoringColour() { return QColor(0, 0, 255); }

  TerminalPage(std::function<std::uint32_t()> tickMs, QWidget* parent = nullptr);

  void appendLine(const QColor& colour, const QString& text);
  void logLine(const QString& text);
  void clearReceived();

  ReceivedTextView* receivedView() const { return richEditRX_; }
  SendMemo* sendMemo() const { return memoTX_; }
  // The memo's height as laid out, or as last set while the page was never shown.
  int memoHeight() const;
  void setMemoHeight(int height);

  // Whether "copy all" may act (not while the parameters page is shown).
  std::function<bool()> copyAllAllowed;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void onLeftPress();
  void onRightPress(const QPoint& globalPos);
  void DeleteKeyxClick();
  void CopyAllxClick();

  std::function<std::uint32_t()> tickMs_;
  ReceivedTextView* richEditRX_;
  SendMemo* memoTX_;
  QSplitter* splitter_;
  QMenu* popupMenuKeys_;
  QAction* deleteKeyx_;
  QAction* copyAllx_;
  monitor::DoublePressClear clicks_;
  bool terminalContext_ = false;
  int requestedMemoHeight_ = kDefaultMemoHeight;
  bool splitterShown_ = false;
};

}  // namespace kivprism::ui
