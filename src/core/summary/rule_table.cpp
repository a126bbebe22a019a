#include "core/summary/rule_table.hpp"

#include <array>
#include <cstring>

#include "core/editor/event_rules.hpp"
#include "core/events/entry.hpp"
#include "core/events/entry_operations.hpp"
#include "core/events/entry_types.hpp"
#include "core/events/ir_protocols.hpp"
#include "core/params/lists.hpp"
#include "core/summary/rule_summary.hpp"
#include "core/summary/summary_texts.hpp"

namespace kivprism::summary {

namespace {

namespace entry = events::entry;
namespace event = events::event;
namespace usb = events::reaction::usb_key;
using events::EventType;
using events::ReactionType;
using lang::Language;

constexpr std::string_view kUnlearntMark = " ?";

std::uint64_t packBytes(std::span<const std::uint8_t> bytes) {
  std::uint64_t value = 0;
  for (const std::uint8_t b : bytes) {
    value = (value << 8) | b;
  }
  return value;
}

std::uint64_t keyWord(events::KeyReference key) {
  return (std::uint64_t{key.channel} << 8) | key.number;
}

// The USB function a USB key reaction's usage page needs, as the parameters page names it.
std::optional<std::string_view> missingUsbFunction(const config::ConfigImage& image,
                                                   events::ConstEntryBytes e) {
  const params::KeyboardGroups groups = params::keyboardGroups(image);
  const auto functions = params::lists::usbFunctions();
  constexpr std::size_t kKeyboard = 1;
  constexpr std::size_t kMultimedia = 2;
  constexpr std::size_t kSystemControl = 3;
  switch (events::get(e, usb::kUsagePage)) {
    case usb::kKeyboardPage:
      return groups.page07 ? std::nullopt : std::optional(functions[kKeyboard].en);
    case usb::kConsumerPage:
      return groups.page0C ? std::nullopt : std::optional(functions[kMultimedia].en);
    case usb::kGenericDesktopPage:
      return groups.systemControl ? std::nullopt : std::optional(functions[kSystemControl].en);
    default:
      return std::nullopt;
  }
}

void keyTroubles(const config::ConfigImage& image, events::ConstEntryBytes e, Language l,
                 std::vector<Trouble>& out) {
  const events::KeyReference key = events::keyOf(e);
  if (!key.isSet()) {
    out.push_back({TroubleKind::KeyNotChosen, std::string(texts::kKeyNotChosen.in(l))});
    return;
  }
  const auto unlearnt = [&](events::KeyReference k, bool modifier, const lang::TextPair& reason) {
    std::string text = editor::keyPanelText(image, k, modifier);
    if (text.ends_with(kUnlearntMark)) {
      text.resize(text.size() - kUnlearntMark.size());
      out.push_back({TroubleKind::KeySlotEmpty, lang::formatText(reason.in(l), text.c_str())});
    }
  };
  unlearnt(key, false, texts::kKeySlotEmpty);
  if (const events::KeyReference modifier = events::modifierOf(e); modifier.isSet()) {
    unlearnt(modifier, true, texts::kModifierSlotEmpty);
  }
}

// Case folding of the letters an installer types: Latin A-Z, and the Cyrillic capitals, which all
// start with the byte D0 in UTF-8 (А-П become D0 B0-BF, Р-Я D1 80-8F, Ѐ-Џ with Ё D1 90-9F).
std::string folded(std::string_view text) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto c = static_cast<unsigned char>(out[i]);
    if (c >= 'A' && c <= 'Z') {
      out[i] = static_cast<char>(c + ('a' - 'A'));
      continue;
    }
    if (c != 0xD0 || i + 1 == out.size()) {
      continue;
    }
    const auto next = static_cast<unsigned char>(out[i + 1]);
    if (next >= 0x90 && next <= 0x9F) {
      out[i + 1] = static_cast<char>(next + 0x20);
    } else if (next >= 0xA0 && next <= 0xAF) {
      out[i] = static_cast<char>(0xD1);
      out[i + 1] = static_cast<char>(next - 0x20);
    } else if (next >= 0x80 && next <= 0x8F) {
      out[i] = static_cast<char>(0xD1);
      out[i + 1] = static_cast<char>(next + 0x10);
    }
    ++i;
  }
  return out;
}

}  // namespace

std::string RuleRow::troubleText() const {
  std::string text;
  for (const Trouble& t : troubles) {
    if (!text.empty()) {
      text += '\n';
    }
    text += t.reason;
  }
  return text;
}

EventIdentity eventIdentity(const config::ConfigImage& image, std::size_t number) {
  const events::ConstEntryBytes e = events::entryAt(image, number);
  const unsigned type = events::eventTypeCode(e);
  EventIdentity id;
  id.press = events::get(e, entry::kPressKind);
  id.sources = events::get(e, entry::kSourceMask);
  switch (static_cast<EventType>(type)) {
    case EventType::Key: {
      const events::KeyReference key = events::keyOf(e);
      if (!key.isSet()) {
        return {};
      }
      id.first = keyWord(key);
      id.second = keyWord(events::modifierOf(e));
      break;
    }
    case EventType::IrCode: {
      const events::IrCode code = events::get(e, event::ir_code::kCode);
      if (!events::isEventIrCodeSet(code.protocol)) {
        return {};
      }
      id.first = code.protocol;
      id.second = (std::uint64_t{code.address} << 8) | code.command;
      break;
    }
    case EventType::SwCan: {
      const unsigned position = events::get(e, event::sw_can::kPosition);
      if (position != 0) {
        id.first = position;
        break;
      }
      const events::CanFilter filter = events::get(e, event::sw_can::kFilter);
      if (!filter.isSet()) {
        return {};
      }
      // The count (1..8) above the identifier word keeps a filter apart from any list position.
      id.first = (std::uint64_t{filter.count} << 32) | filter.idWord;
      id.second = packBytes(filter.usedData());
      id.third = packBytes(filter.usedMask());
      break;
    }
    default:
      // A position in a protocol's event list names one bus message.
      if (!events::isValidEventType(type) ||
          events::eventListSize(static_cast<EventType>(type)) == 0) {
        return {};
      }
      id.first = events::get(e, event::kListPosition);
      break;
  }
  id.type = static_cast<std::uint8_t>(type);
  return id;
}

bool sameEvent(const EventIdentity& a, const EventIdentity& b) {
  if (!a.comparable() || a.type != b.type || a.first != b.first || a.second != b.second ||
      a.third != b.third) {
    return false;
  }
  constexpr auto kAny = static_cast<std::uint8_t>(events::PressKind::Any);
  const bool pressOverlaps = a.press == b.press || a.press == kAny || b.press == kAny;
  const bool sourcesOverlap = a.sources == 0 || b.sources == 0 || (a.sources & b.sources) != 0;
  return pressOverlaps && sourcesOverlap;
}

std::vector<Trouble> entryTroubles(const config::ConfigImage& image, std::size_t number,
                                   const params::AvailabilityMarks& marks, Language l) {
  std::vector<Trouble> out;
  const events::ConstEntryBytes e = events::entryAt(image, number);
  const unsigned eventType = events::eventTypeCode(e);
  const unsigned reactionType = events::reactionTypeCode(e);
  if (eventType == static_cast<unsigned>(EventType::Key)) {
    keyTroubles(image, e, l, out);
  }
  if (eventType != 0 && events::isValidEventType(eventType) && marks.event[eventType]) {
    out.push_back({TroubleKind::EventUnavailable,
                   lang::formatText(texts::kEventUnavailable.in(l),
                                    std::string(events::eventTypeName(eventType)->in(l)).c_str())});
  }
  if (reactionType == static_cast<unsigned>(ReactionType::UsbKey)) {
    if (const auto function = missingUsbFunction(image, e)) {
      out.push_back(
          {TroubleKind::ReactionCannotFire,
           lang::formatText(texts::kUsbFunctionOff.in(l), std::string(*function).c_str())});
      return out;
    }
  }
  if (reactionType != 0 && events::isValidReactionType(reactionType) &&
      marks.reaction[reactionType]) {
    out.push_back(
        {TroubleKind::ReactionCannotFire,
         lang::formatText(texts::kReactionUnavailable.in(l),
                          std::string(events::reactionTypeName(reactionType)->in(l)).c_str())});
  }
  return out;
}

bool rowMatches(const RuleRow& row, std::string_view typed) {
  if (typed.empty()) {
    return true;
  }
  const std::string needle = folded(typed);
  for (const std::string* column : {&row.name, &row.event, &row.press, &row.reaction}) {
    if (folded(*column).find(needle) != std::string::npos) {
      return true;
    }
  }
  return std::to_string(row.number) == needle;
}

void RuleTable::rebuild(const config::ConfigImage& image, Language language) {
  language_ = language;
  marks_ = params::computeAvailability(image);
  rows_.assign(events::kLastEntryNumber, RuleRow{});
  identities_.assign(events::kLastEntryNumber, EventIdentity{});
  ownTroubles_.assign(events::kLastEntryNumber, {});
  for (std::size_t n = events::kFirstEntryNumber; n <= events::kLastEntryNumber; ++n) {
    buildRow(image, n);
  }
  markSameEvents();
}

void RuleTable::rebuildRow(const config::ConfigImage& image, std::size_t number) {
  if (rows_.empty()) {
    rebuild(image, language_);
    return;
  }
  buildRow(image, number);
  markSameEvents();
}

void RuleTable::buildRow(const config::ConfigImage& image, std::size_t number) {
  RuleRow& row = rows_.at(number - 1);
  const events::ConstEntryBytes e = events::entryAt(image, number);
  row.number = number;
  row.name = events::entryName(e);
  row.unused = isUnused(e);
  if (row.unused) {
    row.event.clear();
    row.press.clear();
    row.reaction = std::string(texts::kUnused.in(language_));
    identities_[number - 1] = {};
    ownTroubles_[number - 1].clear();
    return;
  }
  row.event = eventWords(image, number, language_);
  row.press = pressWords(image, number, language_);
  row.reaction = reactionWords(image, number, language_);
  identities_[number - 1] = eventIdentity(image, number);
  ownTroubles_[number - 1] = entryTroubles(image, number, marks_, language_);
}

void RuleTable::markSameEvents() {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    RuleRow& row = rows_[i];
    row.troubles = ownTroubles_[i];
    if (!identities_[i].comparable()) {
      continue;
    }
    std::string others;
    for (std::size_t j = 0; j < rows_.size(); ++j) {
      if (j != i && sameEvent(identities_[i], identities_[j])) {
        others += (others.empty() ? "" : ", ") + std::to_string(j + 1);
      }
    }
    if (!others.empty()) {
      row.troubles.insert(row.troubles.begin(),
                          {TroubleKind::SameEvent,
                           lang::formatText(texts::kSameEventAs.in(language_), others.c_str())});
    }
  }
}

std::vector<std::size_t> RuleTable::visibleEntries(std::string_view filter, bool hideUnused) const {
  std::vector<std::size_t> out;
  for (const RuleRow& row : rows_) {
    if ((hideUnused && row.unused) || !rowMatches(row, filter)) {
      continue;
    }
    out.push_back(row.number);
  }
  return out;
}

}  // namespace kivprism::summary
