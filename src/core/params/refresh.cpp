#include "core/params/refresh.hpp"

namespace kivprism::params {

std::optional<PageView> PageRefresher::refresh(config::ConfigImage& image,
                                               lang::Language language) {
  return Refresher::refresh([&image] { return config::changeHash(image); },
                            [&] {
                              normalisePage(image);
                              return derivePage(image, language);
                            });
}

std::optional<PageView> PageRefresher::deriveIfChanged(config::ConfigImage& image,
                                                       lang::Language language) {
  return Refresher::deriveIfChanged([&image] { return config::changeHash(image); },
                                    [&] {
                                      normalisePage(image);
                                      return derivePage(image, language);
                                    });
}

}  // namespace kivprism::params
