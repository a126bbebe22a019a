// The re-entry guard of a form's refresh: held while a view is applied to the widgets, so that the
// change handlers which fire while controls are set do not start a second refresh. Only the
// outermost guard clears the flag again.
#pragma once

namespace kivprism::view {

class RefreshGuard {
 public:
  explicit RefreshGuard(bool& running) : running_(running), owner_(!running) { running_ = true; }
  ~RefreshGuard() {
    if (owner_) {
      running_ = false;
    }
  }
  RefreshGuard(const RefreshGuard&) = delete;
  RefreshGuard& operator=(const RefreshGuard&) = delete;
  bool owner() const { return owner_; }

 private:
  bool& running_;
  bool owner_;
};

}  // namespace kivprism::view
