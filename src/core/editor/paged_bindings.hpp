// An editor half's bindings are written with the page (event or reaction type) each control sits
// on; the binding table and the page list are split from that one list at compile time, so the
// two cannot drift apart.
#pragma once

#include <array>
#include <cstddef>

#include "core/view/binding.hpp"

namespace kivprism::editor {

struct PagedBinding {
  int page;
  view::Binding binding;
};

template <std::size_t N>
constexpr std::array<view::Binding, N> bindingsOf(const std::array<PagedBinding, N>& paged) {
  std::array<view::Binding, N> out{};
  for (std::size_t i = 0; i < N; ++i) {
    out[i] = paged[i].binding;
  }
  return out;
}

template <std::size_t N>
constexpr std::array<int, N> pagesOf(const std::array<PagedBinding, N>& paged) {
  std::array<int, N> out{};
  for (std::size_t i = 0; i < N; ++i) {
    out[i] = paged[i].page;
  }
  return out;
}

}  // namespace kivprism::editor
