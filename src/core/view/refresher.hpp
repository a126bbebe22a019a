// The skip logic every form's refresh shares: a refresh whose part of the image did not change
// since the last one does no work, a forced one always does, and a refresh started from inside a
// refresh (a control's change handler firing while the form is redrawn) returns at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/config/image.hpp"
#include "core/view/refresh_guard.hpp"

namespace kivprism::view {

class Refresher {
 public:
  explicit Refresher(std::uint32_t initialHash = 0) : storedHash_(initialHash) {}

  // The view derive() returns, or nothing when the refresh is skipped (running already, or hash()
  // unchanged). The stored hash is taken after derive(), which may repair the image, so the
  // repair itself costs no second pass.
  template <class Hash, class Derive>
  auto refresh(Hash hash, Derive derive) -> std::optional<decltype(derive())> {
    if (running_) {
      return std::nullopt;
    }
    return deriveIfChanged(hash, derive);
  }
  // The same without the re-entrancy check, for a caller that holds the Guard itself.
  template <class Hash, class Derive>
  auto deriveIfChanged(Hash hash, Derive derive) -> std::optional<decltype(derive())> {
    if (hash() == storedHash_) {
      return std::nullopt;
    }
    auto view = derive();
    storedHash_ = hash();
    ++count_;
    return view;
  }

  // The next refresh does its full work (after a read from the controller, a language switch, ...).
  void force() { storedHash_ = config::kForceRefreshHash; }
  bool running() const { return running_; }
  std::size_t refreshCount() const { return count_; }

  // Marks a refresh as running for the duration of the widgets' update.
  class Guard : public RefreshGuard {
   public:
    explicit Guard(Refresher& r) : RefreshGuard(r.running_) {}
  };

 private:
  std::uint32_t storedHash_;
  bool running_ = false;
  std::size_t count_ = 0;
};

}  // namespace kivprism::view
