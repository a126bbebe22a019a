// The IR code dialog on any stored code, selection and typed texts: OK stores only offered
// protocols and values the checks while typing accept, a refused text keeps the field, and a code
// shown and confirmed unchanged keeps its address and command.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/dialogs/ir_code_dialog.hpp"
#include "fuzz/fuzz_check.hpp"

namespace dialogs = kivprism::dialogs;
namespace events = kivprism::events;

namespace {

bool offered(std::uint8_t protocol, events::IrContext context) {
  for (const auto& row : events::offeredIrProtocols(context)) {
    if (row.code == protocol) {
      return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const auto context = in.ConsumeBool() ? events::IrContext::Reaction : events::IrContext::Event;
  events::IrCode stored;
  stored.protocol = in.ConsumeIntegral<std::uint8_t>();
  stored.command = in.ConsumeIntegral<std::uint8_t>();
  stored.address = in.ConsumeIntegral<std::uint16_t>();
  const int selection = in.ConsumeIntegralInRange<int>(-2, 20);
  const std::string address = in.ConsumeRandomLengthString(24);
  const std::string command = in.ConsumeRemainingBytesAsString();

  // Shown and confirmed untouched.
  const dialogs::IrCodeForm form = dialogs::irCodeForm(stored, context);
  KIVPRISM_FUZZ_CHECK(!form.protocols.empty() && form.protocols.front() == "NONE",
                      "NONE is offered first");
  KIVPRISM_FUZZ_CHECK(
      form.selected >= 0 && static_cast<std::size_t>(form.selected) < form.protocols.size(),
      "the form selects an offered protocol");
  const events::IrCode untouched = dialogs::confirmIrCode(form, stored);
  KIVPRISM_FUZZ_CHECK(untouched.address == stored.address && untouched.command == stored.command,
                      "OK on an untouched form keeps address and command");
  // A code in a protocol the list does not offer (USER in an event) is listed and kept too.
  KIVPRISM_FUZZ_CHECK(untouched.protocol == stored.protocol || untouched.protocol == 0,
                      "OK keeps the stored protocol or drops it to NONE");
  KIVPRISM_FUZZ_CHECK(!offered(stored.protocol, context) || untouched.protocol == stored.protocol,
                      "OK keeps an offered protocol");

  // Typed texts and any selection.
  dialogs::IrCodeForm typedForm = form;
  typedForm.selected = selection;
  typedForm.address = address;
  typedForm.command = command;
  const events::IrCode typed = dialogs::confirmIrCode(typedForm, stored);
  KIVPRISM_FUZZ_CHECK(offered(typed.protocol, context) || typed.protocol == stored.protocol,
                      "only an offered protocol or the stored one is stored");
  const bool addressAccepted = !dialogs::checkIrAddressText(address).has_value();
  const auto addressValue = dialogs::enteredValue(address, dialogs::kIrAddressMax);
  KIVPRISM_FUZZ_CHECK(addressAccepted == addressValue.has_value(),
                      "the address check and OK agree");
  KIVPRISM_FUZZ_CHECK(typed.address == (addressValue ? *addressValue : stored.address),
                      "an accepted address is stored, a refused one keeps the field");
  const auto commandValue = dialogs::enteredValue(command, dialogs::kIrCommandMax);
  KIVPRISM_FUZZ_CHECK(!dialogs::checkIrCommandText(command).has_value() == commandValue.has_value(),
                      "the command check and OK agree");
  KIVPRISM_FUZZ_CHECK(typed.command == (commandValue ? *commandValue : stored.command),
                      "an accepted command is stored, a refused one keeps the field");

  // What OK stored shows and confirms as itself.
  KIVPRISM_FUZZ_CHECK(dialogs::confirmIrCode(dialogs::irCodeForm(typed, context), typed) == typed,
                      "a confirmed code is stable");
  return 0;
}
