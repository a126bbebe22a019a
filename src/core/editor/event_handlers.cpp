#include "core/editor/event_handlers.hpp"

#include "core/config/image_layout.hpp"
#include "core/editor/derive.hpp"
#include "core/editor/event_bindings.hpp"
#include "core/events/entry.hpp"
#include "core/events/entry_types.hpp"
#include "core/lang/common_texts.hpp"

namespace kivprism::editor {

namespace {

namespace entry = events::entry;
namespace event = events::event;

constexpr lang::TextPair kSourceMaskFirst{"Событие при", "Event on"};
constexpr lang::TextPair kSourceMaskSecond{"источниках:", "sources:"};
using lang::kCanFilterCaption;
constexpr std::uint8_t kAllSources = 0xFF;

SourceMaskRequest sourceMaskRequest(const config::ConfigImage& image, std::size_t number) {
  return {number, kSourceMaskFirst, kSourceMaskSecond,
          events::get(events::entryAt(image, number), entry::kSourceMask)};
}

CanFilterRequest canFilterRequest(const config::ConfigImage& image, std::size_t number) {
  return {number, kCanFilterCaption,
          events::get(events::entryAt(image, number), event::sw_can::kFilter)};
}

}  // namespace

PaneChange changeEventControl(config::ConfigImage& image, std::size_t number,
                              std::string_view control, view::ControlKind kind,
                              const view::Change& input, lang::Language language) {
  const view::BindingTable& table = eventBindings();
  const view::Binding* b = table.find(control);
  if (!b || b->kind != kind) {
    return {};
  }
  if (control == "ComboBoxEventSRCMASK" && input.index == 1) {
    return {{std::nullopt, view::After::Refresh, std::nullopt}, sourceMaskRequest(image, number)};
  }
  if (control == "SpeedButtonCANFILERx") {
    return {{std::nullopt, view::After::Refresh, std::nullopt}, canFilterRequest(image, number)};
  }
  return {view::change(image, table, control, kind, input, {language, number}), std::nullopt};
}

bool chooseEventType(config::ConfigImage& image, std::size_t number, std::uint8_t type) {
  return events::setEventType(events::entryAt(image, number), type);
}

EntryNameRequest entryNameRequest(const config::ConfigImage& image, std::size_t number) {
  return {number, events::entryName(events::entryAt(image, number))};
}

EventIrCodeRequest eventIrCodeRequest(const config::ConfigImage& image, std::size_t number) {
  return {number, events::get(events::entryAt(image, number), event::ir_code::kCode)};
}

void answerSourceMask(config::ConfigImage& image, std::size_t number, std::uint8_t mask) {
  // Every source ticked means the same as none: the event counts for any source.
  events::set(events::entryAt(image, number), entry::kSourceMask, mask == kAllSources ? 0 : mask);
}

void answerCanFilter(config::ConfigImage& image, std::size_t number, const events::CanFilter& f) {
  events::set(events::entryAt(image, number), event::sw_can::kFilter, f);
}

void answerEventIrCode(config::ConfigImage& image, std::size_t number, const events::IrCode& code) {
  const auto e = events::entryAt(image, number);
  events::set(e, event::ir_code::kCode, code);
  events::set(e, event::ir_code::kZero, 0);
}

void answerEntryName(config::ConfigImage& image, std::size_t number, std::string_view utf8) {
  events::setEntryName(events::entryAt(image, number), utf8);
}

void deleteEventIrCode(config::ConfigImage& image, std::size_t number) {
  const auto e = events::entryAt(image, number);
  events::clear(e, entry::kEventPart);
  events::set(e, entry::kEventType, static_cast<std::uint8_t>(events::EventType::IrCode));
}

bool storeLearntEventIrCode(config::ConfigImage& image, std::size_t number,
                            std::span<const std::uint8_t, 4> bytes) {
  if (bytes[0] == 0 && bytes[1] == 0 && bytes[2] == 0 && bytes[3] == 0) {
    return false;
  }
  const auto e = events::entryAt(image, number);
  // Another event type's parameters must not survive under the IR code.
  events::setEventType(e, static_cast<std::uint8_t>(events::EventType::IrCode));
  events::set(e, event::ir_code::kCode, events::readIrCode(bytes));
  events::set(e, event::ir_code::kZero, 0);
  if (events::get(e, entry::kPressKind) == 0) {
    events::set(e, entry::kPressKind, static_cast<std::uint8_t>(events::PressKind::Any));
  }
  return true;
}

void dropKey(config::ConfigImage& image, std::size_t number, events::KeyReference key,
             bool modifier) {
  const auto e = events::entryAt(image, number);
  if (modifier) {
    events::setModifier(e, key);
  } else {
    events::setKey(e, key);
  }
}

bool keyDropAccepted(const config::ConfigImage& image, std::size_t number, int column,
                     bool modifier) {
  if (column < 0 || column > events::event::key::kEncoderChannel) {
    return false;
  }
  const auto e = events::entryAt(image, number);
  if (events::eventTypeCode(e) != static_cast<unsigned>(events::EventType::Key)) {
    return false;
  }
  const auto channel = static_cast<std::uint8_t>(column);
  if (modifier) {
    const events::KeyReference key = events::keyOf(e);
    return channel != events::event::key::kEncoderChannel &&
           !(key.isSet() && key.channel == channel);
  }
  const events::KeyReference mod = events::modifierOf(e);
  return !(mod.isSet() && mod.channel == channel);
}

bool dropGridKey(config::ConfigImage& image, std::size_t number, int column, int row,
                 bool modifier) {
  if (row < 1 || row > static_cast<int>(config::layout::kKeysPerChannel) ||
      !keyDropAccepted(image, number, column, modifier)) {
    return false;
  }
  dropKey(image, number, {static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(column)},
          modifier);
  return true;
}

void deleteKeyPanel(config::ConfigImage& image, std::size_t number, bool modifier) {
  dropKey(image, number, {}, modifier);
}

}  // namespace kivprism::editor
