#include "ui/app/panel_menu.hpp"

#include <QContextMenuEvent>
#include <QLabel>
#include <QProgressBar>
#include <QStackedLayout>
#include <algorithm>
#include <limits>

namespace kivprism::ui {

namespace {
// The gauge counts bytes of an image transfer, which fits an int many times over; scale anyway so
// that a larger total never overflows the bar.
int gaugeValue(std::size_t value) {
  return static_cast<int>(std::min<std::size_t>(value, std::numeric_limits<int>::max()));
}
}  // namespace

PanelMenu::PanelMenu(WindowClock& clock, QWidget* parent)
    : QFrame(parent), universalTimer_(clock), flashTimer_(clock) {
  setObjectName("PanelMenu");
  setFrameShape(QFrame::StyledPanel);
  setFrameShadow(QFrame::Sunken);
  // The panel takes the rest of the toolbar; on a narrow window it gives way to the buttons.
  setMinimumWidth(kMinimumWidth);
  resize(kDesignWidth, height());
  setCursor(Qt::WhatsThisCursor);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);

  stack_ = new QStackedLayout(this);
  stack_->setContentsMargins(4, 1, 4, 1);
  label_ = new QLabel(this);
  label_->setObjectName("PanelMenuTextx");
  label_->setAlignment(Qt::AlignCenter);
  QFont bold = label_->font();
  bold.setBold(true);
  label_->setFont(bold);
  gauge_ = new QProgressBar(this);
  gauge_->setObjectName("CGaugeProgressProcent");
  gauge_->setTextVisible(true);
  stack_->addWidget(label_);
  stack_->addWidget(gauge_);
  stack_->setCurrentWidget(label_);

  universalTimer_.setObjectName("UniversalTimer");
  universalTimer_.setInterval(100);
  connect(&universalTimer_, &ClockTimer::timeout, this, [this] {
    if (callback_) {
      const auto callback = callback_;
      callback();
    }
  });
  flashTimer_.setObjectName("TimerFlash");
  connect(&flashTimer_, &ClockTimer::timeout, this,
          [this] { setContentVisible(!contentVisible()); });
}

void PanelMenu::flashMessage(std::uint32_t durationMs, std::uint32_t blinkMs, const QString& text) {
  setCallbackTimer({}, 0);
  setContentVisible(true);
  label_->setText(text);
  if (durationMs != 0) {
    setCallbackTimer([this] { endFlash(); }, durationMs);
  }
  if (blinkMs != 0) {
    flashTimer_.setInterval(static_cast<int>(blinkMs));
    flashTimer_.start();
  } else {
    flashTimer_.stop();
    setContentVisible(true);
  }
}

void PanelMenu::endFlash() {
  flashTimer_.stop();
  setCallbackTimer({}, 0);
  setContentVisible(true);
  label_->clear();
}

void PanelMenu::setCallbackTimer(std::function<void()> callback, std::uint32_t intervalMs) {
  if (callback && intervalMs != 0) {
    callback_ = std::move(callback);
    universalTimer_.setInterval(static_cast<int>(intervalMs));
    universalTimer_.start();
  } else {
    universalTimer_.stop();
    callback_ = nullptr;
  }
}

void PanelMenu::showProgress(std::size_t position, std::size_t total) {
  gauge_->setMaximum(gaugeValue(total));
  gauge_->setValue(gaugeValue(std::min(position, total)));
  setContentVisible(true);
  stack_->setCurrentWidget(gauge_);
}

void PanelMenu::hideProgress() { stack_->setCurrentWidget(label_); }

QString PanelMenu::text() const { return label_->text(); }

bool PanelMenu::contentVisible() const { return !stack_->currentWidget()->isHidden(); }

bool PanelMenu::progressVisible() const { return stack_->currentWidget() == gauge_; }

void PanelMenu::setContentVisible(bool visible) {
  // The panel keeps its place in the toolbar while it blinks; only its content comes and goes.
  stack_->currentWidget()->setVisible(visible);
}

void PanelMenu::contextMenuEvent(QContextMenuEvent* event) {
  emit menuRequested(event->globalPos());
}

}  // namespace kivprism::ui
