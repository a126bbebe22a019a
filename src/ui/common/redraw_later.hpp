// A redraw after the pending events, done once however often it was asked for before then: a
// start-up or a whole read asks the pages to redraw several times in one go (the language from
// the settings, the empty image, the image read), and each redraw of a page rebuilds its texts.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <functional>
#include <utility>

namespace kivprism::ui {

class RedrawLater : public QObject {
 public:
  // Runs `redraw` with `owner`'s lifetime: nothing runs once the owner is gone.
  RedrawLater(QObject* owner, std::function<void()> redraw)
      : QObject(owner), redraw_(std::move(redraw)) {}

  void request() {
    if (pending_) {
      return;
    }
    pending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
          pending_ = false;
          redraw_();
        },
        Qt::QueuedConnection);
  }

 private:
  std::function<void()> redraw_;
  bool pending_ = false;
};

}  // namespace kivprism::ui
