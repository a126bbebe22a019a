// The terminal page: the controller's monitoring text and the program's own log lines above, the
// memo for typed lines below.
#pragma once

#include <QColor>
#include <QPlainTextEdit>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/monitor/terminal_input.hpp"

class QMenu;
class QAction;
class QSplitter;

namespace kivprism::ui {

// Received-text view. It keeps only the newest lines: the CAN echo alone can add thousands of
// lines a second, and an unbounded view would exhaust memory within an hour.
class ReceivedTextView : public QPlainTextEdit {
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

 signals:
  void leftPressed();
  void rightPressed(const QPoint& globalPos);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  // The second press of a fast double click comes as a double-click event; it counts as a press.
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  struct PendingLine {
    QColor colour;
    QString text;
  };
  std::vector<PendingLine> pending_;
  bool hasLines_ = false;
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
