#include "core/dialogs/ir_code_dialog.hpp"

#include <variant>

#include "core/params/entry_value.hpp"

namespace kivprism::dialogs {

using events::IrCode;
using events::IrContext;

const lang::TextPair kIrCodeCaption{"ИК код", "IR code"};

namespace {

std::optional<view::Notice> check(std::string_view text, std::uint32_t maximum) {
  const auto result = params::checkValueEntry(text, 0, maximum);
  if (const auto* notice = std::get_if<view::Notice>(&result)) {
    return *notice;
  }
  return std::nullopt;
}

}  // namespace

IrCodeForm irCodeForm(const IrCode& code, IrContext context) {
  IrCodeForm form;
  // An event code the controller learnt in a protocol the list does not offer (USER) stays listed
  // for this record: "NONE" in its place would store no code at OK, and an IR event without a
  // code loses its reaction too.
  const bool keepOwn = context == IrContext::Event && events::isEventIrCodeSet(code.protocol);
  for (const auto& protocol : events::kIrProtocols) {
    const bool offered = context == IrContext::Event ? protocol.forEvents : protocol.forReactions;
    const bool own = protocol.code == code.protocol;
    if (!offered && !(own && keepOwn)) {
      continue;
    }
    if (own) {
      form.selected = static_cast<int>(form.protocols.size());
    }
    form.protocols.push_back(protocol.name);
  }
  form.address = std::to_string(code.address);
  form.command = std::to_string(code.command);
  return form;
}

IrCode confirmIrCode(const IrCodeForm& form, IrCode code) {
  // No selection (-1) wraps past the end of the list and keeps no protocol.
  const auto index = static_cast<std::size_t>(form.selected);
  code.protocol =
      index < form.protocols.size()
          ? events::irProtocolByName(form.protocols.at(index)).value_or(events::kIrProtocolNone)
          : events::kIrProtocolNone;
  if (const auto address = enteredValue(form.address, kIrAddressMax)) {
    code.address = static_cast<std::uint16_t>(*address);
  }
  if (const auto command = enteredValue(form.command, kIrCommandMax)) {
    code.command = static_cast<std::uint8_t>(*command);
  }
  return code;
}

std::optional<view::Notice> checkIrAddressText(std::string_view text) {
  return check(text, kIrAddressMax);
}

std::optional<view::Notice> checkIrCommandText(std::string_view text) {
  return check(text, kIrCommandMax);
}

std::optional<std::uint32_t> enteredValue(std::string_view text, std::uint32_t maximum) {
  const auto result = params::checkValueEntry(text, 0, maximum);
  if (const auto* value = std::get_if<std::uint32_t>(&result)) {
    return *value;
  }
  return std::nullopt;
}

}  // namespace kivprism::dialogs
