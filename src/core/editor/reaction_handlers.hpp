// The editing actions of the reaction half: every change of a control stores into the selected
// entry through the reaction bindings; the actions that need a dialog, or a page of the
// parameters page, return its request (core/editor/requests.hpp), and a dialog's answer comes
// back through the answer functions below.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/config/image.hpp"
#include "core/editor/requests.hpp"
#include "core/events/ir_protocols.hpp"
#include "core/events/records.hpp"
#include "core/view/binding.hpp"

namespace kivprism::editor {

// What the checks need besides the image.
struct ReactionContext {
  lang::Language language = lang::Language::Russian;
};

// A change of a reaction-half control by name. A name the bindings lack, or a kind that does not
// match, changes nothing. Widgets (panels, buttons, the amplifier tabs) report a click with
// ControlKind::Widget; the amplifier tabs carry the tab index in Change::index.
PaneChange changeReactionControl(config::ConfigImage& image, std::size_t entry,
                                 std::string_view control, view::ControlKind kind,
                                 const view::Change& input, const ReactionContext& context);

// Page selection: the same type again keeps the parameters, another type wipes them (a control
// reaction starts from the outputs' default voltages).
bool chooseReactionType(config::ConfigImage& image, std::size_t entry, std::uint8_t type);

// The right-click menu's "Edit IR code" of PanelEventReactionIRx (reaction type 2 only).
std::optional<ReactionIrCodeRequest> reactionIrCodeRequest(const config::ConfigImage& image,
                                                           std::size_t entry);
// A click on PanelEventReactionx: the keyboard dialog opens only while a keyboard function is on.
std::optional<KeyboardRequest> keyboardRequest(const config::ConfigImage& image, std::size_t entry);

// The dialogs' answers.
void answerSkipMask(config::ConfigImage& image, std::size_t entry, std::uint8_t mask);
void answerReactionIrCode(config::ConfigImage& image, std::size_t entry,
                          const events::IrCode& code);
void answerCanMessage(config::ConfigImage& image, std::size_t entry, CanSlot slot,
                      const events::CanMessage& message);

// Four bytes learnt from the controller's IR capture for a reaction.
enum class LearntReactionCode { NoCode, Unsupported, Stored };
extern const lang::TextPair kUnsupportedReactionProtocol;
LearntReactionCode storeLearntReactionIrCode(config::ConfigImage& image, std::size_t entry,
                                             std::span<const std::uint8_t, 4> bytes);

}  // namespace kivprism::editor
