#include "core/history/change_history.hpp"

#include <algorithm>
#include <utility>

#include "core/events/entry.hpp"
#include "core/events/entry_layout.hpp"
#include "core/lang/history_texts.hpp"

namespace kivprism::history {

namespace {

namespace L = config::layout;
namespace texts = lang::history;

// Unchanged bytes between two changed ones up to which both go into one run: a run costs more
// than a few bytes of its own.
constexpr std::size_t kJoinGap = 8;

std::string trimmed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
  if (text.ends_with(':')) {
    text.remove_suffix(1);
    text = text.substr(0, text.find_last_not_of(kBlanks) + 1);
  }
  return std::string(text);
}

bool within(config::Field field, std::size_t first, std::size_t last) {
  return first >= field.offset && last < field.end();
}

// What a change of one entry did, in the words of the editor.
const lang::TextPair& entryStepKind(events::ConstEntryBytes before, events::ConstEntryBytes after) {
  if (config::isEmptyEntry(after)) {
    return texts::kStepRuleCleared;
  }
  if (events::get(before, events::entry::kEventType) !=
      events::get(after, events::entry::kEventType)) {
    return texts::kStepEventType;
  }
  if (events::get(before, events::entry::kReactionType) !=
      events::get(after, events::entry::kReactionType)) {
    return texts::kStepReactionType;
  }
  return texts::kStepRuleChanged;
}

}  // namespace

std::string StepName::text(lang::Language language) const {
  const std::string& caption = language == lang::Language::Russian ? ru : en;
  if (rule == 0) {
    return caption;
  }
  return lang::formatText(texts::kOfRule.in(language), caption.c_str(), rule);
}

StepName stepName(const lang::TextPair& caption, unsigned rule) {
  return {trimmed(caption.ru), trimmed(caption.en), rule};
}

StepName nameByPlace(const config::ConfigImage& before, const config::ConfigImage& after) {
  const auto runs = differences(before, after);
  if (runs.empty()) {
    return stepName(texts::kStepConfiguration);
  }
  const std::size_t first = runs.front().offset;
  const std::size_t last = runs.back().offset + runs.back().after.size() - 1;
  if (within(L::kEntryTable, first, last)) {
    const std::size_t entry = (first - L::kEntryTable.offset) / L::kEntrySize;
    if (within(L::entry(entry), first, last)) {
      return stepName(entryStepKind(before.entry(entry), after.entry(entry)),
                      static_cast<unsigned>(entry + 1));
    }
  }
  if (within(L::kParamBlock, first, last)) {
    return stepName(texts::kStepParameters);
  }
  if (within(L::kTouchBlock, first, last)) {
    return stepName(texts::kStepTouchBlock);
  }
  return stepName(texts::kStepConfiguration);
}

bool isCaptionFragment(const lang::TextPair& caption) {
  const std::string text = trimmed(caption.en);
  return text.empty() || (text.front() >= 'a' && text.front() <= 'z');
}

const lang::TextPair* controlCaption(std::string_view form, std::string_view control,
                                     std::string_view captionLabel,
                                     std::span<const lang::LanguageRow> table) {
  for (const std::string_view name : {captionLabel, control}) {
    if (name.empty()) {
      continue;
    }
    const std::string key = std::string(form) + "_" + std::string(name) + "_Caption";
    if (const lang::LanguageRow* row = lang::findLanguageRow(key, table)) {
      if (!trimmed(row->text.en).empty()) {
        return &row->text;
      }
    }
  }
  return nullptr;
}

std::vector<ByteRun> differences(const config::ConfigImage& before,
                                 const config::ConfigImage& after) {
  std::vector<ByteRun> runs;
  const std::uint8_t* a = before.data();
  const std::uint8_t* b = after.data();
  constexpr std::size_t size = config::ConfigImage::kSize;
  // The first byte from `from` on that differs; size when none does.
  const auto firstChangeFrom = [a, b](std::size_t from) {
    return static_cast<std::size_t>(std::mismatch(a + from, a + size, b + from).first - a);
  };
  for (std::size_t begin = firstChangeFrom(0); begin != size;) {
    std::size_t last = begin;
    for (;;) {
      const std::size_t next = firstChangeFrom(last + 1);
      if (next == size || next - last > kJoinGap + 1) {
        break;
      }
      last = next;
    }
    ByteRun run;
    run.offset = begin;
    run.before.assign(a + begin, a + last + 1);
    run.after.assign(b + begin, b + last + 1);
    runs.push_back(std::move(run));
    begin = firstChangeFrom(last + 1);
  }
  return runs;
}

void ImageChange::applyTo(config::ConfigImage& image) const {
  for (const ByteRun& run : runs) {
    std::copy(run.after.begin(), run.after.end(), image.data() + run.offset);
  }
}

std::size_t ChangeHistory::sizeOf(const Step& step) {
  std::size_t bytes = sizeof(Step) + step.name.ru.capacity() + step.name.en.capacity();
  for (const ByteRun& run : step.runs) {
    bytes += sizeof(ByteRun) + run.before.capacity() + run.after.capacity();
  }
  return bytes;
}

bool ChangeHistory::record(StepName name, const config::ConfigImage& before,
                           const config::ConfigImage& after) {
  auto runs = differences(before, after);
  if (runs.empty()) {
    return false;
  }
  while (steps_.size() > applied_) {
    bytes_ -= steps_.back().bytes;
    steps_.pop_back();
  }
  Step step{std::move(name), std::move(runs)};
  step.bytes = sizeOf(step);
  bytes_ += step.bytes;
  steps_.push_back(std::move(step));
  applied_ = steps_.size();
  // The newest step always stays: it is the one the user just made.
  while (steps_.size() > 1 && (steps_.size() > limits_.steps || bytes_ > limits_.bytes)) {
    bytes_ -= steps_.front().bytes;
    steps_.pop_front();
    --applied_;
  }
  return true;
}

std::optional<ImageChange> ChangeHistory::undo() {
  if (!canUndo()) {
    return std::nullopt;
  }
  const Step& step = steps_[--applied_];
  ImageChange change{step.name, step.runs};
  for (ByteRun& run : change.runs) {
    std::swap(run.before, run.after);
  }
  return change;
}

std::optional<ImageChange> ChangeHistory::redo() {
  if (!canRedo()) {
    return std::nullopt;
  }
  const Step& step = steps_[applied_++];
  return ImageChange{step.name, step.runs};
}

const StepName* ChangeHistory::undoName() const {
  return canUndo() ? &steps_[applied_ - 1].name : nullptr;
}

const StepName* ChangeHistory::redoName() const {
  return canRedo() ? &steps_[applied_].name : nullptr;
}

std::string ChangeHistory::undoText(lang::Language language) const {
  if (const StepName* name = undoName()) {
    return lang::formatText(texts::kUndoStep.in(language), name->text(language).c_str());
  }
  return std::string(texts::kUndo.in(language));
}

std::string ChangeHistory::redoText(lang::Language language) const {
  if (const StepName* name = redoName()) {
    return lang::formatText(texts::kRedoStep.in(language), name->text(language).c_str());
  }
  return std::string(texts::kRedo.in(language));
}

void ChangeHistory::clear() {
  steps_.clear();
  applied_ = 0;
  bytes_ = 0;
}

}  // namespace kivprism::history
