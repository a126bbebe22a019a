// The skip logic of the parameters page refresh: a refresh whose image did not change since the
// last one does no work, and a refresh started from inside a refresh (a control's change handler
// firing while the page is redrawn) returns at once.
#pragma once

#include <cstdint>
#include <optional>

#include "core/config/image.hpp"
#include "core/params/derive.hpp"
#include "core/view/refresher.hpp"

namespace kivprism::params {

class PageRefresher : public view::Refresher {
 public:
  // The view to apply, or nothing when the refresh is skipped (running already, or no change).
  // The stored hash is that of the normalised image, so the write-back itself costs no second pass.
  std::optional<PageView> refresh(config::ConfigImage& image, lang::Language language);
  // The same without the re-entrancy check, for a caller that holds the Guard itself.
  std::optional<PageView> deriveIfChanged(config::ConfigImage& image, lang::Language language);
};

}  // namespace kivprism::params
