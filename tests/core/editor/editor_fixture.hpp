// Entries placed into an image for the editor's tests.
#pragma once

#include <algorithm>
#include <cstddef>

#include "core/config/image.hpp"
#include "core/editor/derive.hpp"
#include "core/editor/event_bindings.hpp"
#include "core/editor/requests.hpp"
#include "core/events/entry_hex.hpp"

namespace kivprism::editor::testing {

using events::EntryData;
using events::testing::entryHex;

inline void place(config::ConfigImage& image, std::size_t number, const EntryData& e) {
  std::copy(e.begin(), e.end(), events::entryAt(image, number).begin());
}

inline EntryData entryOf(const config::ConfigImage& image, std::size_t number) {
  EntryData e{};
  const auto bytes = events::entryAt(image, number);
  std::copy(bytes.begin(), bytes.end(), e.begin());
  return e;
}

inline const view::ControlView& control(const EventPaneView& v, std::string_view name) {
  const view::ControlView* c = v.find(name);
  if (!c) {
    throw std::invalid_argument(std::string(name));
  }
  return *c;
}

// The request of the given kind a change asked for; nullptr for none or another kind.
template <typename Request>
const Request* requestOf(const PaneChange& change) {
  return change.request ? std::get_if<Request>(&*change.request) : nullptr;
}

}  // namespace kivprism::editor::testing
