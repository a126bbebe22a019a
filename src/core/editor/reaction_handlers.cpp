#include "core/editor/reaction_handlers.hpp"

#include <utility>

#include "core/editor/derive.hpp"
#include "core/editor/reaction_bindings.hpp"
#include "core/editor/reaction_rules.hpp"
#include "core/events/entry.hpp"
#include "core/events/entry_operations.hpp"
#include "core/events/entry_types.hpp"
#include "core/lang/common_texts.hpp"
#include "core/params/availability.hpp"

namespace kivprism::editor {

namespace {

namespace reaction = events::reaction;
using events::ReactionType;

constexpr lang::TextPair kSkipFirst{"Пропускать", "Skip"};
constexpr lang::TextPair kSkipSecond{"источники:", "sources:"};
using lang::kOnPressCaption;
constexpr lang::TextPair kOnReleaseCaption{" При отжатии ", " On depress "};

bool hasType(const config::ConfigImage& image, std::size_t number, ReactionType type) {
  return events::reactionTypeCode(events::entryAt(image, number)) == static_cast<unsigned>(type);
}

std::optional<SkipMaskRequest> skipMaskRequest(const config::ConfigImage& image,
                                               std::size_t number) {
  const auto e = events::entryAt(image, number);
  const unsigned choice = events::get(e, reaction::source::kChoice);
  if (!hasType(image, number, ReactionType::Source) ||
      (choice != events::kSourceNext && choice != events::kSourcePrevious)) {
    return std::nullopt;
  }
  return SkipMaskRequest{number, kSkipFirst, kSkipSecond,
                         events::get(e, reaction::source::kSkipMask)};
}

std::optional<CanMessageRequest> canMessageRequest(const config::ConfigImage& image,
                                                   std::size_t number, CanSlot slot) {
  const auto e = events::entryAt(image, number);
  if (!hasType(image, number, ReactionType::SwCan) ||
      events::get(e, reaction::sw_can::kType) != reaction::sw_can::kUserPacketType) {
    return std::nullopt;
  }
  return CanMessageRequest{
      number, slot, slot == CanSlot::Press ? kOnPressCaption : kOnReleaseCaption,
      events::get(e, slot == CanSlot::Press ? reaction::sw_can::kPressMessage
                                            : reaction::sw_can::kReleaseMessage)};
}

// A click that opens a dialog when the entry offers one, and otherwise does nothing.
template <typename Request>
PaneChange withDialog(std::optional<Request> dialog) {
  PaneChange out;
  if (dialog) {
    out.change.after = view::After::Refresh;
    out.request = std::move(*dialog);
  }
  return out;
}

}  // namespace

const lang::TextPair kUnsupportedReactionProtocol{"Этот протокол не поддерживается для реакции",
                                                  "This protocol is not supported for reaction"};

PaneChange changeReactionControl(config::ConfigImage& image, std::size_t number,
                                 std::string_view control, view::ControlKind kind,
                                 const view::Change& input, const ReactionContext& context) {
  const view::BindingTable& table = reactionBindings();
  const view::Binding* b = table.find(control);
  if (!b || b->kind != kind) {
    return {};
  }
  if (control == "SpeedButtonEventReactionSRCSkipx") {
    return withDialog(skipMaskRequest(image, number));
  }
  if (control == "Panel_SW_CAN_PRESS" || control == "Panel_SW_CAN_DEPRESS") {
    return withDialog(canMessageRequest(
        image, number, control == "Panel_SW_CAN_PRESS" ? CanSlot::Press : CanSlot::Release));
  }
  if (control == "PanelEventReactionx") {
    return withDialog(keyboardRequest(image, number));
  }
  if (control == "PanelEventReactionIRx") {
    return withDialog(reactionIrCodeRequest(image, number));
  }
  const view::FormContext formContext{context.language, number};
  // A refused connection keeps the entry; "no choice" (-1) is no connection and passes.
  if (control == "ComboBoxReactionEncoderMODE") {
    if (auto refusal = encoderConnectionRefusal(image, static_cast<unsigned>(input.index))) {
      PaneChange out;
      out.change = {view::plainNotice(view::NoticeKind::Information, *refusal),
                    view::After::Refresh, std::nullopt};
      return out;
    }
  }
  PaneChange out;
  out.change = view::change(image, table, control, kind, input, formContext);
  if ((control == "ComboBoxReactionIROUTNUM" || control == "ComboBoxEventReactionPinNUM") &&
      out.change.notice) {
    out.request = PinsTabRequest{};
  } else if (control == "ComboBoxReactionCurMoveDirection" || control == "ComboBoxReactionMDXJOY" ||
             control == "CheckBoxReactionCurMovePress") {
    out.request = ParametersPageRequest{};
  }
  return out;
}

bool chooseReactionType(config::ConfigImage& image, std::size_t number, std::uint8_t type) {
  return events::setReactionType(events::entryAt(image, number), type,
                                 events::entryContextOf(image));
}

std::optional<ReactionIrCodeRequest> reactionIrCodeRequest(const config::ConfigImage& image,
                                                           std::size_t number) {
  if (!hasType(image, number, ReactionType::IrCode)) {
    return std::nullopt;
  }
  return ReactionIrCodeRequest{
      number, events::get(events::entryAt(image, number), reaction::ir_code::kCode)};
}

std::optional<KeyboardRequest> keyboardRequest(const config::ConfigImage& image,
                                               std::size_t number) {
  const params::KeyboardGroups groups = params::keyboardGroups(image);
  if (!groups.page07 && !groups.page0C && !groups.systemControl) {
    return std::nullopt;
  }
  return KeyboardRequest{number};
}

void answerSkipMask(config::ConfigImage& image, std::size_t number, std::uint8_t mask) {
  events::set(events::entryAt(image, number), reaction::source::kSkipMask, mask);
}

void answerReactionIrCode(config::ConfigImage& image, std::size_t number,
                          const events::IrCode& code) {
  events::set(events::entryAt(image, number), reaction::ir_code::kCode, code);
}

void answerCanMessage(config::ConfigImage& image, std::size_t number, CanSlot slot,
                      const events::CanMessage& message) {
  events::set(
      events::entryAt(image, number),
      slot == CanSlot::Press ? reaction::sw_can::kPressMessage : reaction::sw_can::kReleaseMessage,
      message);
}

LearntReactionCode storeLearntReactionIrCode(config::ConfigImage& image, std::size_t number,
                                             std::span<const std::uint8_t, 4> bytes) {
  if (bytes[0] == 0 && bytes[1] == 0 && bytes[2] == 0 && bytes[3] == 0) {
    return LearntReactionCode::NoCode;
  }
  if (!events::isLearntReactionProtocol(bytes[0])) {
    return LearntReactionCode::Unsupported;
  }
  // Another reaction type's parameters must not survive under the IR code; an IR reaction keeps
  // its output and reserved byte.
  chooseReactionType(image, number, static_cast<std::uint8_t>(ReactionType::IrCode));
  events::set(events::entryAt(image, number), reaction::ir_code::kCode, events::readIrCode(bytes));
  return LearntReactionCode::Stored;
}

}  // namespace kivprism::editor
