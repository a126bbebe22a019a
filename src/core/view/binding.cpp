#include "core/view/binding.hpp"

#include <algorithm>

namespace kivprism::view {

namespace {

constexpr lang::TextPair kRangeHint{"Диапазон: %u … %u", "Range: %u to %u"};

}  // namespace

BindingTable::BindingTable(std::span<const Binding> bindings) : bindings_(bindings) {
  for (std::size_t i = 0; i < bindings_.size(); ++i) {
    index_.emplace(bindings_[i].control, static_cast<int>(i));
  }
}

int BindingTable::indexOf(std::string_view control) const {
  const auto it = index_.find(control);
  return it == index_.end() ? -1 : it->second;
}

const Binding* BindingTable::find(std::string_view control) const {
  const int i = indexOf(control);
  return i < 0 ? nullptr : &bindings_[static_cast<std::size_t>(i)];
}

void showControl(ControlView& v, const Binding& b, const config::ConfigImage& image,
                 const FormContext& context) {
  v.name = b.control;
  v.kind = b.kind;
  if (b.items) {
    v.items = b.items();
  }
  const std::uint32_t raw = readField(image, b.field, context.entry);
  switch (b.kind) {
    case ControlKind::Combo:
    case ControlKind::Spin:
      v.value = static_cast<int>(raw);
      break;
    case ControlKind::Check:
      v.checked = raw != 0;
      break;
    case ControlKind::CheckList:
      v.bits = raw;
      break;
    case ControlKind::Edit:
      v.text = std::to_string(raw);
      if (b.maximum != 0 || (b.rule && b.rule->range)) {
        v.hint = rangeHint(b.range(image), context.language);
      }
      break;
    case ControlKind::Grid:
      break;
    case ControlKind::Widget:
      v.hasValue = false;
      break;
  }
  if (b.rule && b.rule->show) {
    b.rule->show(v, b, image, context);
  }
}

void deriveControls(FormView& view, const BindingTable& table, const config::ConfigImage& image,
                    const FormContext& context) {
  const auto all = table.all();
  view.table = &table;
  view.language = context.language;
  view.controls.clear();
  view.controls.resize(all.size());
  for (std::size_t i = 0; i < all.size(); ++i) {
    showControl(view.controls[i], all[i], image, context);
  }
}

ChangeOutcome storePlain(config::ConfigImage& image, const Binding& b, const Change& input,
                         const FormContext& context) {
  switch (b.kind) {
    case ControlKind::Combo:
      if (input.index < 0) {
        return {};
      }
      storeField(image, b.field, context.entry, static_cast<std::uint32_t>(input.index));
      break;
    case ControlKind::Check:
      storeField(image, b.field, context.entry, input.checked ? 1 : 0);
      break;
    case ControlKind::Spin: {
      const auto lo = static_cast<int>(b.minimum);
      const auto hi = static_cast<int>(b.maximum);
      storeField(image, b.field, context.entry,
                 static_cast<std::uint32_t>(std::clamp(input.index, lo, std::max(lo, hi))));
      break;
    }
    case ControlKind::CheckList: {
      const std::size_t count = b.items ? b.items().size() : 32;
      const auto itemMask =
          count >= 32 ? 0xFFFFFFFFu : static_cast<std::uint32_t>((1ull << count) - 1);
      const std::uint32_t old = readField(image, b.field, context.entry);
      storeField(image, b.field, context.entry, (old & ~itemMask) | (input.bits & itemMask));
      break;
    }
    case ControlKind::Edit:
    case ControlKind::Grid:
    case ControlKind::Widget:
      return {};
  }
  return {std::nullopt, b.after, std::nullopt};
}

ChangeOutcome change(config::ConfigImage& image, const BindingTable& table,
                     std::string_view control, ControlKind kind, const Change& input,
                     const FormContext& context) {
  const Binding* b = table.find(control);
  if (!b || b->kind != kind) {
    return {};
  }
  if (b->rule && b->rule->store) {
    return b->rule->store(image, *b, input, context);
  }
  return storePlain(image, *b, input, context);
}

void answerDialog(config::ConfigImage& image, const DialogRequest& request, std::uint32_t answer) {
  if (request.store) {
    request.store(image, answer);
  }
}

std::string rangeHint(Range range, lang::Language language) {
  return lang::formatText(kRangeHint.in(language), range.minimum, range.maximum);
}

}  // namespace kivprism::view
