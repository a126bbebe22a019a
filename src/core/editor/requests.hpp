// What a change in the editor asks of the pane beyond the form's own notice and refresh: a dialog
// with everything it shows (no widget reads the image to prepare it), the keyboard dialog, or a
// page of the parameters page. One small type each; the pane answers them all in one place and
// the answer functions of the handlers store what a dialog returned.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "core/events/records.hpp"
#include "core/lang/text.hpp"
#include "core/view/binding.hpp"

namespace kivprism::editor {

// Which press/release slot a CAN message dialog edits.
enum class CanSlot { Press = 0, Release = 1 };

// The source-mask dialog for the sources an event counts on.
struct SourceMaskRequest {
  std::size_t entry = 1;
  lang::TextPair first{};
  lang::TextPair second{};
  std::uint8_t mask = 0;
};
// The same dialog for the sources a source reaction skips.
struct SkipMaskRequest {
  std::size_t entry = 1;
  lang::TextPair first{};
  lang::TextPair second{};
  std::uint8_t mask = 0;
};
// The filter of a steering-wheel CAN event.
struct CanFilterRequest {
  std::size_t entry = 1;
  lang::TextPair caption{};
  events::CanFilter filter{};
};
// The IR code dialog for the event's code, and for the code a reaction sends.
struct EventIrCodeRequest {
  std::size_t entry = 1;
  events::IrCode code{};
};
struct ReactionIrCodeRequest {
  std::size_t entry = 1;
  events::IrCode code{};
};
// The entry's name, UTF-8.
struct EntryNameRequest {
  std::size_t entry = 1;
  std::string name;
};
// One of the two messages of a user packet steering-wheel CAN reaction.
struct CanMessageRequest {
  std::size_t entry = 1;
  CanSlot slot = CanSlot::Press;
  lang::TextPair caption{};
  events::CanMessage message{};
};
// The keyboard dialog opens on the entry.
struct KeyboardRequest {
  std::size_t entry = 1;
};
// The pin is not set up: the parameters page shows its pins tab.
struct PinsTabRequest {};
// The change decides which interface pages of the parameters page are in use: it redraws.
struct ParametersPageRequest {};

using PaneRequest =
    std::variant<SourceMaskRequest, SkipMaskRequest, CanFilterRequest, EventIrCodeRequest,
                 ReactionIrCodeRequest, EntryNameRequest, CanMessageRequest, KeyboardRequest,
                 PinsTabRequest, ParametersPageRequest>;

// A change of a control of either half.
struct PaneChange {
  view::ChangeOutcome change;
  std::optional<PaneRequest> request;  // asked after the notice; refresh afterwards
};

}  // namespace kivprism::editor
