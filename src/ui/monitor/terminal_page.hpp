// The terminal page: the controller's monitoring text and the program's own log lines above, the
// memo for typed lines below.
#pragma once

#include <QColor>
#include <QPlainTextEdit>
#include <QWidget>
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/monitor/terminal_input.hpp"

class QMenu;
class QAction;
class QSplitter;
class QTextDocument;

namespace kivprism::ui {

// One page of received text; mouse presses are reported to the view that holds it.
class ReceivedTextPage : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit ReceivedTextPage(QWidget* parent = nullptr);

 signals:
  void leftPressed();
  void rightPressed(const QPoint& globalPos);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  // The second press of a fast double click comes as a double-click event; it counts as a press.
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// Received-text view. It keeps only the newest lines: the CAN echo alone can add thousands of
// lines a second, and an unbounded view would exhaust memory within an hour.
// Dropping the oldest lines from the document that is shown makes that document rebuild its
// whole text store every few tens of thousands of lines, a pause that grows with the scrollback
// (some 20 ms with a full one). So two pages take the lines: the one shown, and a standby that
// starts when the shown page is half full. When the shown page is full the standby, holding the
// newest half, is shown instead, and the old page's text is let go a slice at a time.
class ReceivedTextView : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kScrollbackLines = 100000;
  static constexpr std::size_t kLongestBurst = 4096;
  // The text of a page that was let go is released this many lines at a time, for at most this
  // long in one pass of the event loop.
  static constexpr int kReleaseStep = 250;
  static constexpr qint64 kReleaseBudgetMs = 3;

  explicit ReceivedTextView(QWidget* parent = nullptr);

  // Queues the line; it is shown with the rest of its burst when the event loop next runs.
  void appendLine(const QColor& colour, const QString& text);
  // Shows the queued lines now.
  void flush();
  // Everything shown and queued.
  QString text();
  void clearAll();
  void selectAll();

  // The page shows at most this many of the newest lines, and more than half as many.
  void setScrollback(int lines);
  int scrollback() const { return scrollback_; }

  // The page the user sees.
  ReceivedTextPage* shownPage() const { return pages_[shown_].view; }
  QTextDocument* document() const { return shownPage()->document(); }
  // Whether text of pages let go is still to be released.
  bool releasing() const { return !released_.empty(); }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  void leftPressed();
  void rightPressed(const QPoint& globalPos);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Page {
    ReceivedTextPage* view = nullptr;
    int lines = 0;
  };
  struct PendingLine {
    QColor colour;
    QString text;
  };
  QTextDocument* newDocument(const ReceivedTextPage& page);
  void append(Page& page, std::size_t from, std::size_t to);
  void showStandby();
  void letGo(Page& page);
  void scheduleRelease();
  void releaseSlice();
  void placePages();

  std::array<Page, 2> pages_;
  std::size_t shown_ = 0;
  int scrollback_ = kScrollbackLines;
  std::vector<PendingLine> pending_;
  std::deque<QTextDocument*> released_;
  bool releaseScheduled_ = false;
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
