// The editing actions of the event half: every change of a control stores into the selected entry
// through the event bindings; the actions that need a dialog return its request
// (core/editor/requests.hpp), and the dialog's answer comes back through the answer functions
// below.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/config/image.hpp"
#include "core/editor/requests.hpp"
#include "core/events/entry_operations.hpp"
#include "core/events/ir_protocols.hpp"
#include "core/events/records.hpp"
#include "core/view/binding.hpp"

namespace kivprism::editor {

// A change of an event-half control by name. A name the bindings lack, or a kind that does not
// match, changes nothing.
PaneChange changeEventControl(config::ConfigImage& image, std::size_t entry,
                              std::string_view control, view::ControlKind kind,
                              const view::Change& input, lang::Language language);

// Page selection: the same type again keeps the parameters, another type wipes them.
bool chooseEventType(config::ConfigImage& image, std::size_t entry, std::uint8_t type);

// Double click on the tab control; the right-click menu's "Edit IR code".
EntryNameRequest entryNameRequest(const config::ConfigImage& image, std::size_t entry);
EventIrCodeRequest eventIrCodeRequest(const config::ConfigImage& image, std::size_t entry);

// The dialogs' answers.
void answerSourceMask(config::ConfigImage& image, std::size_t entry, std::uint8_t mask);
void answerCanFilter(config::ConfigImage& image, std::size_t entry, const events::CanFilter& f);
void answerEventIrCode(config::ConfigImage& image, std::size_t entry, const events::IrCode& code);
void answerEntryName(config::ConfigImage& image, std::size_t entry, std::string_view utf8);

// The IR context menu's "Delete IR code": the event part is zeroed, the type stays 2; the next
// refresh finds no code and drops the reaction too.
void deleteEventIrCode(config::ConfigImage& image, std::size_t entry);

// Four bytes learnt from the controller's IR capture. All zero: nothing is stored (false).
bool storeLearntEventIrCode(config::ConfigImage& image, std::size_t entry,
                            std::span<const std::uint8_t, 4> bytes);

// The key panels: a drop stores the reference, the context menu's delete clears it.
void dropKey(config::ConfigImage& image, std::size_t entry, events::KeyReference key,
             bool modifier);

// Whether a key dragged from the keys grid's column may land on a key panel of the entry: only on
// a key event; no encoder key as modifier, no modifier in the key's channel and no key in the
// modifier's channel.
bool keyDropAccepted(const config::ConfigImage& image, std::size_t entry, int column,
                     bool modifier);
// The drop itself: the grid cell (column = channel, row = number) when accepted; false otherwise.
bool dropGridKey(config::ConfigImage& image, std::size_t entry, int column, int row, bool modifier);
void deleteKeyPanel(config::ConfigImage& image, std::size_t entry, bool modifier);

}  // namespace kivprism::editor
