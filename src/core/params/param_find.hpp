// Finding a setting on the parameters page: the tabs gathered in categories that fit a list at the
// window's side, the car-model controls gathered in one category, and the search over every
// control's caption and hint in both languages. Structure and matching only; the page supplies
// where each control sits and shows the matches.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/lang/text.hpp"
#include "core/params/page_view.hpp"

namespace kivprism::params {

// A category of the list: its caption and the tabs under it, in page order within the category.
struct ParamCategory {
  std::string_view name;  // stable, for the settings file
  lang::TextPair caption;
  std::span<const std::string_view> tabs;
};

// Every tab of PageControlParams in exactly one category.
std::span<const ParamCategory> paramCategories();
// The category holding the tab; nullptr for an unknown tab.
const ParamCategory* categoryOfTab(std::string_view tab);

// The car category: the bus variants and module switches that together describe the car, each
// a link to its control on its own tab (a control lives on one tab only).
inline constexpr std::string_view kCarCategoryName = "car";
std::span<const std::string_view> carControls();

// Where a control sits: its tab, the differential-bus page for the controls of that tab, and the
// name of the label that carries its caption (empty: the control carries it itself).
struct FindPlace {
  std::string_view control;
  std::string_view tab;
  std::string_view page;
  std::string captionLabel;
};

// A control as the search knows it. Captions are one line; a text may be empty in a language.
struct FindEntry {
  std::string_view control;
  std::string_view tab;
  std::string_view page;
  std::string captionRu;
  std::string captionEn;
  std::string hintRu;
  std::string hintEn;
  std::string folded;  // every text above, folded, one per line

  const std::string& caption(lang::Language language) const {
    return language == lang::Language::Russian ? captionRu : captionEn;
  }
  const std::string& hint(lang::Language language) const {
    return language == lang::Language::Russian ? hintRu : hintEn;
  }
};

// The entries of the places, captions and hints from the bindings and the language table. A place
// with neither caption nor hint cannot be found and is left out.
std::vector<FindEntry> findEntries(std::span<const FindPlace> places);

// Lower case in both alphabets (ё as е), for matching; other characters and malformed bytes are
// kept as they are.
std::string foldForFind(std::string_view text);

struct FindMatch {
  const FindEntry* entry = nullptr;
  bool shown = true;  // false: its tab, bus page or the control itself is hidden in the view
};

// The entries whose caption or hint holds every word of the query, in either language and either
// case. Shown controls first, each group in page order. An empty query matches nothing. Without a
// view every control counts as shown.
std::vector<FindMatch> findParameters(std::span<const FindEntry> entries, std::string_view query,
                                      const PageView* view);

// Whether the view shows the control of the entry.
bool entryShown(const FindEntry& entry, const PageView& view);

// The bus mode whose differential-bus page this is, as the bus list names it; nothing for a page no
// mode shows.
std::optional<lang::TextPair> busModeOfPage(std::string_view page);

// The control a key names: a control's own name, or the configuration file's key of the field it
// edits. Nothing for an unknown key or a key no control edits.
std::optional<std::string_view> controlForKey(std::string_view key);

}  // namespace kivprism::params
