// The toolbar's message panel: short messages that end by themselves or blink, and the progress
// gauge of long transfers. A right click opens the main window's menu.
#pragma once

#include <QFrame>
#include <cstdint>
#include <functional>

#include "ui/common/window_clock.hpp"

class QLabel;
class QProgressBar;
class QStackedLayout;

namespace kivprism::ui {

class PanelMenu : public QFrame {
  Q_OBJECT

 public:
  static constexpr int kDesignWidth = 530;
  static constexpr int kMinimumWidth = 200;

  // The message ends and the blinking run on the window's clock.
  explicit PanelMenu(WindowClock& clock, QWidget* parent = nullptr);

  // Shows the text; a nonzero duration ends it with endFlash, a nonzero blink interval blinks it.
  void flashMessage(std::uint32_t durationMs, std::uint32_t blinkMs, const QString& text);
  void endFlash();
  // Arms (callback and interval given) or stops the one-shot callback timer. The callback stops
  // the timer itself.
  void setCallbackTimer(std::function<void()> callback, std::uint32_t intervalMs);

  void showProgress(std::size_t position, std::size_t total);
  void hideProgress();

  QString text() const;
  bool contentVisible() const;
  bool blinking() const { return flashTimer_.isActive(); }
  bool progressVisible() const;

 signals:
  void menuRequested(const QPoint& globalPos);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void setContentVisible(bool visible);

  QStackedLayout* stack_;
  QLabel* label_;
  QProgressBar* gauge_;
  ClockTimer universalTimer_;
  ClockTimer flashTimer_;
  std::function<void()> callback_;
};

}  // namespace kivprism::ui
