// The change history of the working image: every change the user makes is one named step, kept as
// the runs of bytes it changed with their old and new values, so that undo puts back exactly the
// bytes the image had (the pages' corrections included) and redo exactly those it had after.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/image.hpp"
#include "core/lang/language.hpp"

namespace kivprism::history {

// What a step is called: a caption in both languages and, for a rule's field, the rule's number.
struct StepName {
  std::string ru;
  std::string en;
  // 1..100; 0 when the step is not one rule's.
  unsigned rule = 0;

  std::string text(lang::Language language) const;
  friend bool operator==(const StepName&, const StepName&) = default;
};

// A caption as a step name: blanks around it and a closing colon dropped.
StepName stepName(const lang::TextPair& caption, unsigned rule = 0);
// A step no control names, by where its bytes lie: one rule, the parameters, the touch block or
// the configuration as a whole.
StepName nameByPlace(const config::ConfigImage& before, const config::ConfigImage& after);
// A caption that is only the start of a phrase ("after", "ms"), which names nothing by itself.
bool isCaptionFragment(const lang::TextPair& caption);
// The caption of a form's control from the language table: its caption label's, else its own.
const lang::TextPair* controlCaption(std::string_view form, std::string_view control,
                                     std::string_view captionLabel,
                                     std::span<const lang::LanguageRow> table);

// Bytes from offset on: what they were and what they became.
struct ByteRun {
  std::size_t offset = 0;
  std::vector<std::uint8_t> before;
  std::vector<std::uint8_t> after;
  friend bool operator==(const ByteRun&, const ByteRun&) = default;
};

// The runs in which two images differ. Runs closer than a few bytes are joined: the bytes between
// them are kept with equal old and new values.
std::vector<ByteRun> differences(const config::ConfigImage& before,
                                 const config::ConfigImage& after);

// What an undo or redo does to the image: write every run's `after` bytes.
struct ImageChange {
  StepName name;
  std::vector<ByteRun> runs;

  void applyTo(config::ConfigImage& image) const;
};

class ChangeHistory {
 public:
  static constexpr std::size_t kMaxSteps = 1000;
  static constexpr std::size_t kMaxBytes = std::size_t{32} << 20;

  struct Limits {
    std::size_t steps = kMaxSteps;
    std::size_t bytes = kMaxBytes;
  };

  ChangeHistory() = default;
  explicit ChangeHistory(Limits limits) : limits_(limits) {}

  // Records the change from before to after as the newest step and drops the steps an undo left
  // to redo; the oldest steps go while the history holds more than its limits. False (and nothing
  // recorded) when the images are equal.
  bool record(StepName name, const config::ConfigImage& before, const config::ConfigImage& after);

  // The change that takes the image back before the newest step, or to the step undone last;
  // nothing when there is none. The history moves by one step.
  std::optional<ImageChange> undo();
  std::optional<ImageChange> redo();

  bool canUndo() const { return applied_ > 0; }
  bool canRedo() const { return applied_ < steps_.size(); }
  // The names of the steps undo and redo would take; nullptr when there is none.
  const StepName* undoName() const;
  const StepName* redoName() const;

  // "Undo: ..." and "Redo: ...", or the bare command when there is nothing to take.
  std::string undoText(lang::Language language) const;
  std::string redoText(lang::Language language) const;

  std::size_t size() const { return steps_.size(); }
  // The memory the steps take, as counted against the limit.
  std::size_t bytesUsed() const { return bytes_; }
  void clear();

 private:
  struct Step {
    StepName name;
    std::vector<ByteRun> runs;
    std::size_t bytes = 0;
  };
  static std::size_t sizeOf(const Step& step);

  Limits limits_;
  std::deque<Step> steps_;
  // Steps in force: steps_[applied_ - 1] is the one undo takes back.
  std::size_t applied_ = 0;
  std::size_t bytes_ = 0;
};

}  // namespace kivprism::history
