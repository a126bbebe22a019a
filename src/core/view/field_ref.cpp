#include "core/view/field_ref.hpp"

#include "core/events/entry.hpp"

namespace kivprism::view {

namespace {

template <class... F>
struct Overload : F... {
  using F::operator()...;
};
// Clang 14 does not deduce aggregate templates by itself.
template <typename... F>
Overload(F...) -> Overload<F...>;

}  // namespace

bool hasField(const FieldRef& ref) { return !std::holds_alternative<std::monostate>(ref); }

config::Field imageField(const FieldRef& ref) {
  if (const auto* f = std::get_if<config::Field>(&ref)) {
    return *f;
  }
  if (const auto* b = std::get_if<config::BitField>(&ref)) {
    return b->byte;
  }
  return {};
}

std::optional<config::BitField> bitField(const FieldRef& ref) {
  if (const auto* b = std::get_if<config::BitField>(&ref)) {
    return *b;
  }
  return std::nullopt;
}

std::uint32_t readField(const config::ConfigImage& image, const FieldRef& ref, std::size_t entry) {
  return std::visit(
      Overload{
          [](std::monostate) -> std::uint32_t { return 0; },
          [&](const config::Field& f) -> std::uint32_t { return image.get(f); },
          [&](const config::BitField& b) -> std::uint32_t { return image.getBits(b); },
          [&](const EntryField& e) -> std::uint32_t {
            const events::ConstEntryBytes bytes = events::entryAt(image, entry);
            return std::visit(
                [&](const auto& f) -> std::uint32_t {
                  return static_cast<std::uint32_t>(events::get(bytes, f));
                },
                e.field);
          },
      },
      ref);
}

void storeField(config::ConfigImage& image, const FieldRef& ref, std::size_t entry,
                std::uint32_t value) {
  std::visit(Overload{
                 [](std::monostate) {},
                 [&](const config::Field& f) { image.set(f, value); },
                 [&](const config::BitField& b) { image.setBits(b, value); },
                 [&](const EntryField& e) {
                   const events::EntryBytes bytes = events::entryAt(image, entry);
                   std::visit(
                       Overload{
                           [&](const events::BitFlag& f) { events::set(bytes, f, value != 0); },
                           [&](const auto& f) {
                             using T = decltype(events::get(events::ConstEntryBytes(bytes), f));
                             events::set(bytes, f, static_cast<T>(value));
                           },
                       },
                       e.field);
                 },
             },
             ref);
}

}  // namespace kivprism::view
