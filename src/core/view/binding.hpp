// A form as data: every control once, with the field it edits, its kind, and the rule that checks,
// stores and shows it. Rules are small named objects with optional hooks; a control without a rule
// stores and shows its field plainly (list position, 1/0, check-list bits, spin value). The generic
// derive and change below work for any form; a form adds only its table and its rules.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/config/image.hpp"
#include "core/view/field_ref.hpp"
#include "core/view/form_view.hpp"
#include "core/view/notice.hpp"

namespace kivprism::view {

// What the form does after a change.
enum class After {
  None,          // stored, nothing to redraw
  Refresh,       // refresh the form
  ForceRefresh,  // invalidate the change hashes, refresh the form and its dependent pane
  EventsOnly,    // refresh only the dependent pane (the event/reaction editor)
};

// A dialog the change needs answered, with everything the dialog shows and the core call that
// stores the answer; no widget reads the image to prepare it.
enum class DialogKind { SourceMask };
struct DialogRequest {
  DialogKind kind = DialogKind::SourceMask;
  lang::TextPair first;  // the dialog's two lines
  lang::TextPair second;
  std::uint32_t value = 0;  // what the dialog starts from (the current mask)
  void (*store)(config::ConfigImage& image, std::uint32_t answer) = nullptr;
};

struct ChangeOutcome {
  std::optional<Notice> notice;
  After after = After::None;
  std::optional<DialogRequest> dialog;  // asked after the notice; the form refreshes afterwards
};

// The user's change, as the control's kind reports it.
struct Change {
  int index = 0;            // combo box position, spin value, grid row
  bool checked = false;     // check box
  std::string_view text{};  // edit field or grid cell
  std::uint32_t bits = 0;   // check list: bit n = item n ticked
};

struct FormContext {
  lang::Language language = lang::Language::Russian;
  std::size_t entry = 1;  // the selected entry, for entry fields
};

struct Range {
  std::uint32_t minimum = 0;
  std::uint32_t maximum = 0;
};

struct Binding;

struct Rule {
  std::string_view name;
  // Checks and stores a change; unset: the kind's plain store.
  ChangeOutcome (*store)(config::ConfigImage& image, const Binding& b, const Change& input,
                         const FormContext& context) = nullptr;
  // Shows the field after the kind's plain show; unset: the plain show only.
  void (*show)(ControlView& view, const Binding& b, const config::ConfigImage& image,
               const FormContext& context) = nullptr;
  // The numbers a field accepts when they depend on the image; unset: the binding's own range.
  Range (*range)(const config::ConfigImage& image, const Binding& b) = nullptr;
};

struct Binding {
  std::string_view control;
  ControlKind kind = ControlKind::Widget;
  const Rule* rule = nullptr;
  FieldRef field{};
  ItemList (*items)() = nullptr;
  std::uint32_t minimum = 0;
  std::uint32_t maximum = 0;
  After after = After::Refresh;
  int channel = 0;  // the rule's parameter: encoder number, PWM channel, port module
  // The caption and hint of a program-filled control (name ending in x): the language table never
  // reaches such a control, so its window texts are kept with its binding.
  lang::TextPair caption{};
  lang::TextPair hint{};

  Range range(const config::ConfigImage& image) const {
    return rule && rule->range ? rule->range(image, *this) : Range{minimum, maximum};
  }
};

// A binding table with its index by control name.
class BindingTable {
 public:
  explicit BindingTable(std::span<const Binding> bindings);

  std::span<const Binding> all() const { return bindings_; }
  // Position in all() (and so in FormView::controls); -1 when unknown.
  int indexOf(std::string_view control) const;
  const Binding* find(std::string_view control) const;

 private:
  std::span<const Binding> bindings_;
  std::unordered_map<std::string_view, int> index_;
};

// The plain show of a binding's kind, then its rule's show.
void showControl(ControlView& view, const Binding& b, const config::ConfigImage& image,
                 const FormContext& context);
// Every control of the table, in table order.
void deriveControls(FormView& view, const BindingTable& table, const config::ConfigImage& image,
                    const FormContext& context);

// The plain store of a binding's kind: list position, 1/0, spin value within the binding's range,
// check-list bits (the byte's other bits kept). Edit fields and grids store only through a rule.
ChangeOutcome storePlain(config::ConfigImage& image, const Binding& b, const Change& input,
                         const FormContext& context);
// A change by control name. A name the table lacks, or a kind that does not match, changes nothing.
ChangeOutcome change(config::ConfigImage& image, const BindingTable& table,
                     std::string_view control, ControlKind kind, const Change& input,
                     const FormContext& context);

// The answer of a dialog a change asked for.
void answerDialog(config::ConfigImage& image, const DialogRequest& request, std::uint32_t answer);

// "Range: a to b" for a numeric field's hint.
std::string rangeHint(Range range, lang::Language language);

}  // namespace kivprism::view
