// The IR code dialog as the user fills it: the protocols offered in the event or reaction context,
// the address and command as decimal texts checked while typing, and what OK stores.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/events/ir_protocols.hpp"
#include "core/events/records.hpp"
#include "core/lang/text.hpp"
#include "core/view/notice.hpp"

namespace kivprism::dialogs {

extern const lang::TextPair kIrCodeCaption;

inline constexpr std::uint32_t kIrAddressMax = 0xFFFF;
inline constexpr std::uint32_t kIrCommandMax = 0xFF;

struct IrCodeForm {
  std::vector<std::string_view> protocols;  // names offered, in code order; "NONE" first
  int selected = 0;                         // position in protocols
  std::string address;
  std::string command;
  friend bool operator==(const IrCodeForm&, const IrCodeForm&) = default;
};

// The form for a record: a protocol not offered in the context (or above 15) selects "NONE",
// except an event code of a protocol the list leaves out (USER), which is listed for it.
IrCodeForm irCodeForm(const events::IrCode& code, events::IrContext context);

// The record after OK: the selected protocol's code; an address or command text that the check
// while typing refuses leaves that field as it was. A text the check accepts is taken, so a
// hexadecimal "xFF" that raised no complaint is not dropped silently at OK.
events::IrCode confirmIrCode(const IrCodeForm& form, events::IrCode code);

// The checks while typing: the error to report, nothing when the text is a value in range. They
// take what the value entry check takes (decimal, or hexadecimal after "x").
std::optional<view::Notice> checkIrAddressText(std::string_view text);
std::optional<view::Notice> checkIrCommandText(std::string_view text);

// The value a text stands for when the value entry check takes it in 0..maximum.
std::optional<std::uint32_t> enteredValue(std::string_view text, std::uint32_t maximum);

}  // namespace kivprism::dialogs
