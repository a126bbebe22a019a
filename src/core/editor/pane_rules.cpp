#include "core/editor/pane_rules.hpp"

#include "core/events/entry.hpp"
#include "core/events/entry_types.hpp"

namespace kivprism::editor {

namespace {

constexpr std::size_t kMenuGroups = 10;
constexpr std::size_t kMenuGroupSize = 10;

template <typename NameOf>
std::vector<MenuItem> pageMenu(std::span<const bool> visible, lang::Language language,
                               NameOf nameOf) {
  std::vector<MenuItem> items;
  for (std::size_t page = 0; page < visible.size(); ++page) {
    if (!visible[page]) {
      continue;
    }
    const auto name = nameOf(static_cast<unsigned>(page));
    items.push_back({name ? std::string(name->in(language)) : std::string(), page});
  }
  return items;
}

}  // namespace

std::string tabCaption(events::ConstEntryBytes e, std::size_t number) {
  std::string caption = std::to_string(number);
  if (events::isEmpty(e)) {
    return caption;
  }
  caption += "*";
  if (e[events::entry::kName.offset] != 0) {
    caption += " (" + events::entryName(e) + ")";
  }
  return caption;
}

std::vector<std::size_t> updateTabCaptions(config::ConfigImage& image, TabCaptions& captions) {
  std::vector<std::size_t> changed;
  for (std::size_t i = 0; i < kTabCount; ++i) {
    const auto e = events::entryAt(image, i + 1);
    if (e[events::entry::kName.offset] == 0) {
      events::clear(e, {events::entry::kName.offset, events::entry::kName.size});
    }
    std::string caption = tabCaption(e, i + 1);
    if (caption != captions[i]) {
      captions[i] = std::move(caption);
      changed.push_back(i);
    }
  }
  return changed;
}

std::optional<EventPaneView> EventPaneRefresher::refresh(config::ConfigImage& image,
                                                         std::size_t entry,
                                                         const EventPaneContext& context) {
  return Refresher::refresh([&] { return events::entryHash(events::entryAt(image, entry)); },
                            [&] { return deriveEventPane(image, entry, context); });
}

std::vector<SubMenu> selectTabsMenu(const TabCaptions& captions) {
  std::vector<SubMenu> menu(kMenuGroups);
  for (std::size_t k = 0; k < kMenuGroups; ++k) {
    const std::size_t first = k * kMenuGroupSize;
    menu[k].caption = std::to_string(first + 1) + "..." + std::to_string(first + kMenuGroupSize);
    for (std::size_t i = first; i < first + kMenuGroupSize; ++i) {
      menu[k].items.push_back({captions[i], i});
    }
  }
  return menu;
}

std::vector<MenuItem> selectEventMenu(std::span<const bool> visible, lang::Language language) {
  return pageMenu(visible, language, events::eventTypeName);
}

std::vector<MenuItem> selectResponseMenu(std::span<const bool> visible, lang::Language language) {
  return pageMenu(visible, language, events::reactionTypeName);
}

}  // namespace kivprism::editor
