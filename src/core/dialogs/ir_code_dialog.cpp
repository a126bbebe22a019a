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
  for (const auto& protocol : events::offeredIrProtocols(context)) {
    if (protocol.code == code.protocol) {
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
          ? events::irProtocolByName(form.protocols[index]).value_or(events::kIrProtocolNone)
          : events::kIrProtocolNone;
  if (const auto address = decimalInRange(form.address, kIrAddressMax)) {
    code.address = static_cast<std::uint16_t>(*address);
  }
  if (const auto command = decimalInRange(form.command, kIrCommandMax)) {
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

std::optional<std::uint32_t> decimalInRange(std::string_view text, std::uint32_t maximum) {
  if (text.empty()) {
    return std::nullopt;
  }
  std::uint32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    value = value * 10 + static_cast<std::uint32_t>(c - '0');
    if (value > maximum) {
      return std::nullopt;
    }
  }
  return value;
}

}  // namespace kivprism::dialogs
