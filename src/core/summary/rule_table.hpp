// The rows of the rules table: every entry of the image in words, with the marks of rules that
// will not work as the installer expects, a filter by typed text and a hide-unused toggle. An edit
// of one entry rebuilds only that row (and the same-event marks, which depend on all rows).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/image.hpp"
#include "core/lang/text.hpp"
#include "core/params/availability.hpp"

namespace kivprism::summary {

enum class TroubleKind {
  SameEvent,          // another rule waits for the same key, IR code or CAN message
  KeyNotChosen,       // a key event without a key
  KeySlotEmpty,       // the key (or modifier) names a slot of the keys table that holds no key
  EventUnavailable,   // the event's page is not available with the current parameters
  ReactionCannotFire  // the reaction's page or USB function is off with the current parameters
};

struct Trouble {
  TroubleKind kind;
  std::string reason;  // in the table's language
  friend bool operator==(const Trouble&, const Trouble&) = default;
};

struct RuleRow {
  std::size_t number = 0;  // 1..100
  std::string name;
  std::string event;
  std::string press;
  std::string reaction;
  bool unused = true;
  std::vector<Trouble> troubles;
  // The troubles' reasons, one a line: the mark's hint.
  std::string troubleText() const;
};

// What makes two events the same: the event type and its key, IR code and protocol, or CAN id, data
// and mask. Events of other kinds never count as the same (a timeout twice is not a slip).
// Two rules clash only when their press kinds overlap (one of them any, or both the same) and their
// source masks share a source (0 is any source): a short and a long press of one key are two rules.
struct EventIdentity {
  std::uint8_t type = 0;  // 0: not comparable
  std::uint64_t first = 0;
  std::uint64_t second = 0;
  std::uint64_t third = 0;
  std::uint8_t press = 0;
  std::uint8_t sources = 0;
  bool comparable() const { return type != 0; }
  friend bool operator==(const EventIdentity&, const EventIdentity&) = default;
};
EventIdentity eventIdentity(const config::ConfigImage& image, std::size_t entry);
bool sameEvent(const EventIdentity& a, const EventIdentity& b);

// The marks of one entry other than same-event (which needs all rows).
// `marks` are the availability marks of the image's parameters.
std::vector<Trouble> entryTroubles(const config::ConfigImage& image, std::size_t entry,
                                   const params::AvailabilityMarks& marks, lang::Language language);

// Case-insensitive (Latin and Cyrillic) match of the typed text against any column; the empty
// text matches every row. The number matches as written ("7").
bool rowMatches(const RuleRow& row, std::string_view typed);

class RuleTable {
 public:
  // All 100 rows from the image; after a change of the parameters (they decide the marks).
  void rebuild(const config::ConfigImage& image, lang::Language language);
  // One entry changed: its row and every row's same-event marks.
  void rebuildRow(const config::ConfigImage& image, std::size_t entry);

  const std::vector<RuleRow>& rows() const { return rows_; }
  const RuleRow& row(std::size_t entry) const { return rows_.at(entry - 1); }
  lang::Language language() const { return language_; }

  // The entry numbers the table shows, in order.
  std::vector<std::size_t> visibleEntries(std::string_view filter, bool hideUnused) const;

 private:
  void buildRow(const config::ConfigImage& image, std::size_t entry);
  void markSameEvents();

  lang::Language language_ = lang::Language::Russian;
  params::AvailabilityMarks marks_{};
  std::vector<RuleRow> rows_;
  std::vector<EventIdentity> identities_;
  std::vector<std::vector<Trouble>> ownTroubles_;  // the marks other than same-event, per row
};

}  // namespace kivprism::summary
