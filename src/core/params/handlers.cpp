#include "core/params/handlers.hpp"

#include "core/config/text_codec.hpp"

namespace kivprism::params {

namespace layout = config::layout;
using config::ConfigImage;
using view::Change;
using view::ControlKind;

ChangeOutcome controlChanged(ConfigImage& image, std::string_view control, ControlKind kind,
                             const Change& change) {
  return view::change(image, pageBindings(), control, kind, change, {});
}

ChangeOutcome comboChanged(ConfigImage& image, std::string_view control, int index) {
  Change c;
  c.index = index;
  return controlChanged(image, control, ControlKind::Combo, c);
}

ChangeOutcome checkChanged(ConfigImage& image, std::string_view control, bool checked) {
  Change c;
  c.checked = checked;
  return controlChanged(image, control, ControlKind::Check, c);
}

ChangeOutcome editCommitted(ConfigImage& image, std::string_view control, std::string_view text) {
  Change c;
  c.text = text;
  return controlChanged(image, control, ControlKind::Edit, c);
}

ChangeOutcome spinChanged(ConfigImage& image, std::string_view control, int value) {
  Change c;
  c.index = value;
  return controlChanged(image, control, ControlKind::Spin, c);
}

ChangeOutcome checkListChanged(ConfigImage& image, std::string_view control,
                               std::uint32_t checked) {
  Change c;
  c.bits = checked;
  return controlChanged(image, control, ControlKind::CheckList, c);
}

void sourceNameChanged(ConfigImage& image, std::size_t source, std::string_view utf8) {
  if (source < 1 || source > layout::kSourceCount) {
    return;
  }
  config::setFieldText(image.span(layout::sourceName(source)), config::utf8ToCp1251(utf8));
}

bool sourceNameAcceptsKey(std::string_view currentUtf8, bool isBackspace) {
  return isBackspace || config::utf8ToCp1251(currentUtf8).size() < layout::kSourceNameSize;
}

}  // namespace kivprism::params
