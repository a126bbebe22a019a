// The editor pane's own rules beside the pages: the tab captions, the skip of a refresh whose entry
// did not change, and the selection menus as plain lists for the widgets to show.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/config/image.hpp"
#include "core/config/image_layout.hpp"
#include "core/editor/event_pane.hpp"
#include "core/view/refresher.hpp"

namespace kivprism::editor {

inline constexpr std::size_t kTabCount = config::layout::kEntryCount;
using TabCaptions = std::array<std::string, kTabCount>;

// "n" for an empty entry, "n*" for an entry without a name, "n* (name)" with one.
std::string tabCaption(events::ConstEntryBytes e, std::size_t number);

// Zeroes the name bytes of every entry whose name starts with 0, then recomputes the captions;
// returns the tab indices whose caption changed (a tab is re-captioned only then).
std::vector<std::size_t> updateTabCaptions(config::ConfigImage& image, TabCaptions& captions);

// The event half's refresh with its skip: the entry hash of the last shown entry, the sentinel
// that forces the next refresh, and the guard against a refresh from inside a refresh.
class EventPaneRefresher : public view::Refresher {
 public:
  EventPaneRefresher() : Refresher(config::kForceRefreshHash) {}
  // The view to apply, or nothing when the refresh is skipped. The stored hash is that of the
  // repaired entry, so the repair itself costs no second pass. force() after a read from the
  // controller, a language switch, a switch of the only-used view, or an edit of a parameter the
  // pages show.
  std::optional<EventPaneView> refresh(config::ConfigImage& image, std::size_t entry,
                                       const EventPaneContext& context);
};

// PopupMenuSelectTabs: ten submenus "1...10" .. "91...100", each with ten tabs.
struct MenuItem {
  std::string caption;
  std::size_t index = 0;  // the tab index, or the page index
};
struct SubMenu {
  std::string caption;
  std::vector<MenuItem> items;
};
std::vector<SubMenu> selectTabsMenu(const TabCaptions& captions);

// PopupMenuSelectEvent / PopupMenuSelectResponse: one item per visible page, captioned like it.
std::vector<MenuItem> selectEventMenu(std::span<const bool> visible, lang::Language language);
std::vector<MenuItem> selectResponseMenu(std::span<const bool> visible, lang::Language language);

}  // namespace kivprism::editor
