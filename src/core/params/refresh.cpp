#include "core/params/refresh.hpp"

namespace kivprism::params {

std::optional<PageView> PageRefresher::refresh(config::ConfigImage& image,
                                               lang::Language language) {
  if (running_) {
    return std::nullopt;
  }
  return deriveIfChanged(image, language);
}

std::optional<PageView> PageRefresher::deriveIfChanged(config::ConfigImage& image,
                                                       lang::Language language) {
  if (config::changeHash(image) == storedHash_) {
    return std::nullopt;
  }
  normalisePage(image);
  PageView view = derivePage(image, language);
  storedHash_ = config::changeHash(image);
  return view;
}

}  // namespace kivprism::params
