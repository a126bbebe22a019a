#include "core/params/param_find.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <tuple>
#include <utility>

#include "core/config/config_file.hpp"
#include "core/lang/language_table.hpp"
#include "core/lang/param_find_texts.hpp"
#include "core/params/bindings.hpp"
#include "core/params/bus_modes.hpp"
#include "core/params/list_rows.hpp"
#include "core/params/lists.hpp"
#include "core/view/field_ref.hpp"

namespace kivprism::params {

using lang::Language;
using lang::TextPair;

namespace {

namespace texts = lang::param_find;
using Tabs = std::string_view;

constexpr std::array<Tabs, 3> kPinsTabs = {"TabSheetPINS", "TabSheetInterfaces", "TabSheetUARTx"};
constexpr std::array<Tabs, 7> kInputTabs = {"TabSheetKEYS",     "TabSheetTouch",    "TabSheetIRINP",
                                            "TabSheetEnc",      "TabSheetCap2Resx", "TabSheetPS2x",
                                            "TabSheetHWRParamx"};
constexpr std::array<Tabs, 3> kBusTabs = {"TabSheet_DIFFBUSx", "TabSheetIBUSx", "TabSheetLINParam"};
constexpr std::array<Tabs, 5> kModuleTabs = {"TabSheetAcuraJoyParamx", "TabSheetAUDIMMIx",
                                             "TabSheetCarDSPx", "TabSheetGAZERPARAMx",
                                             "TabSheetVOLVO_ALPSx"};
constexpr std::array<Tabs, 5> kHeadTabs = {"TabSheetGPS", "TabSheetHEAD", "TabSheetEXTNAVI",
                                           "TabSheetBTmodule", "TabSheetRESEMULPARAMx"};
constexpr std::array<Tabs, 3> kOutputTabs = {"TabSheetPULSE", "TabSheetParamControl",
                                             "TabSheetPWMParamx"};
constexpr std::array<Tabs, 1> kSystemTabs = {"TabSheetVARViewx"};

constexpr std::array kCategories = {
    ParamCategory{"pins", texts::kPins, kPinsTabs},
    ParamCategory{"inputs", texts::kInputs, kInputTabs},
    ParamCategory{"buses", texts::kBuses, kBusTabs},
    ParamCategory{"modules", texts::kModules, kModuleTabs},
    ParamCategory{"head", texts::kHead, kHeadTabs},
    ParamCategory{"outputs", texts::kOutputs, kOutputTabs},
    ParamCategory{"system", texts::kSystem, kSystemTabs},
};

// The bus variants first (they decide which car pages exist), then the switches of single cars.
constexpr std::array<std::string_view, 16> kCarControls = {
    "ComboBoxDIFFBUSx",
    "ComboBoxLIN1MODEx",
    "ComboBoxLIN2MODEx",
    "CheckBox_CAN_W203_WO_HEAD_USEx",
    "CheckBox_CITROEN_C5_PARKTRONIC_USEx",
    "ComboBoxIDRIVETYPEx",
    "ComboBoxMCONTROLtype",
    "ComboBoxGaNetMODE",
    "ComboBoxIBUSNUM",
    "ComboBoxRenaultJoyType",
    "CheckBoxHondaPanel",
    "CheckBox_USE_RX350JOYx",
    "ComboBoxGaNetJOYUSETYPE",
    "ComboBoxAUDIMMIType",
    "ComboBoxVOLVO_ALPS_UART",
    "ComboBoxHEADTYPE",
};

std::string_view tableText(std::string_view control, std::string_view property, Language l) {
  const std::string key =
      std::string(lang::kMainFormName) + "_" + std::string(control) + "_" + std::string(property);
  // The page's own rows: the written ones and its combo boxes' item lists.
  const lang::LanguageRow* row = lang::findLanguageRow(key, lang::mainFormTextRows());
  if (row == nullptr) {
    row = lang::findLanguageRow(key, pageListRows());
  }
  return row != nullptr ? row->text.in(l) : std::string_view{};
}

// Captions that break over lines read as one line in a list of matches.
std::string oneLine(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool space = false;
  for (const char c : text) {
    if (c == '\r' || c == '\n' || c == ' ' || c == '\t') {
      space = !out.empty();
      continue;
    }
    if (space) {
      out += ' ';
      space = false;
    }
    out += c;
  }
  return out;
}

std::string captionOf(const FindPlace& place, const view::Binding* binding, Language l) {
  if (binding != nullptr && !binding->caption.in(l).empty()) {
    return oneLine(binding->caption.in(l));
  }
  // A check box carries its caption itself, whatever label its row would have.
  const std::string_view label = tableText(place.captionLabel, "Caption", l);
  return oneLine(label.empty() ? tableText(place.control, "Caption", l) : label);
}

std::string hintOf(const FindPlace& place, const view::Binding* binding, Language l) {
  if (binding != nullptr && !binding->hint.in(l).empty()) {
    return oneLine(binding->hint.in(l));
  }
  return oneLine(tableText(place.control, "Hint", l));
}

// The capital Cyrillic letters are the two-byte sequences D0 80..AF; their small letters are
// D0 B0..BF and D1 80..9F. Every other letter of both alphabets is already small or not a letter.
constexpr unsigned char kCyrillicLead = 0xD0;
constexpr unsigned char kCyrillicLead2 = 0xD1;

// The small letter of the capital whose second byte is c, as its two bytes.
std::pair<unsigned char, unsigned char> smallCyrillic(unsigned char c) {
  if (c < 0x90) {  // Ѐ..Џ -> ѐ..џ
    return {kCyrillicLead2, static_cast<unsigned char>(c + 0x10)};
  }
  if (c < 0xA0) {  // А..П -> а..п
    return {kCyrillicLead, static_cast<unsigned char>(c + 0x20)};
  }
  return {kCyrillicLead2, static_cast<unsigned char>(c - 0x20)};  // Р..Я -> р..я
}

std::vector<std::string> queryWords(std::string_view query) {
  std::vector<std::string> words;
  const std::string folded = foldForFind(query);
  std::size_t i = 0;
  while (i < folded.size()) {
    const std::size_t start = folded.find_first_not_of(" \t", i);
    if (start == std::string::npos) {
      break;
    }
    const std::size_t end = std::min(folded.find_first_of(" \t", start), folded.size());
    words.push_back(folded.substr(start, end - start));
    i = end;
  }
  return words;
}

}  // namespace

std::span<const ParamCategory> paramCategories() { return kCategories; }

const ParamCategory* categoryOfTab(std::string_view tab) {
  for (const ParamCategory& c : kCategories) {
    if (std::find(c.tabs.begin(), c.tabs.end(), tab) != c.tabs.end()) {
      return &c;
    }
  }
  return nullptr;
}

std::span<const std::string_view> carControls() { return kCarControls; }

std::vector<FindEntry> findEntries(std::span<const FindPlace> places) {
  std::vector<FindEntry> entries;
  entries.reserve(places.size());
  for (const FindPlace& place : places) {
    const view::Binding* binding = findBinding(place.control);
    FindEntry e;
    e.control = place.control;
    e.tab = place.tab;
    e.page = place.page;
    e.captionRu = captionOf(place, binding, Language::Russian);
    e.captionEn = captionOf(place, binding, Language::English);
    e.hintRu = hintOf(place, binding, Language::Russian);
    e.hintEn = hintOf(place, binding, Language::English);
    if (e.captionRu.empty() && e.captionEn.empty() && e.hintRu.empty() && e.hintEn.empty()) {
      continue;
    }
    for (const std::string* text : {&e.captionRu, &e.captionEn, &e.hintRu, &e.hintEn}) {
      e.folded += foldForFind(*text);
      e.folded += '\n';
    }
    entries.push_back(std::move(e));
  }
  return entries;
}

std::string foldForFind(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 'A' && c <= 'Z') {
      out += static_cast<char>(c - 'A' + 'a');
      continue;
    }
    const bool pair = i + 1 < text.size() && (c == kCyrillicLead || c == kCyrillicLead2) &&
                      (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80;
    if (!pair) {
      out += static_cast<char>(c);
      continue;
    }
    auto [lead, second] = std::pair{c, static_cast<unsigned char>(text[i + 1])};
    if (lead == kCyrillicLead && second >= 0x80 && second <= 0xAF) {
      std::tie(lead, second) = smallCyrillic(second);
    }
    // ё reads as е: many write one for the other.
    if (lead == kCyrillicLead2 && second == 0x91) {
      lead = kCyrillicLead;
      second = 0xB5;
    }
    out += static_cast<char>(lead);
    out += static_cast<char>(second);
    ++i;
  }
  return out;
}

bool entryShown(const FindEntry& entry, const PageView& view) {
  if (const TabView* tab = view.findTab(entry.tab); tab != nullptr && !tab->visible) {
    return false;
  }
  if (!entry.page.empty() && view.diffBusPage != entry.page) {
    return false;
  }
  const ControlView* control = view.find(entry.control);
  return control == nullptr || control->visible;
}

std::vector<FindMatch> findParameters(std::span<const FindEntry> entries, std::string_view query,
                                      const PageView* view) {
  const std::vector<std::string> words = queryWords(query);
  std::vector<FindMatch> matches;
  if (words.empty()) {
    return matches;
  }
  for (const FindEntry& e : entries) {
    const bool all = std::all_of(words.begin(), words.end(), [&](const std::string& w) {
      return e.folded.find(w) != std::string::npos;
    });
    if (all) {
      matches.push_back({&e, view == nullptr || entryShown(e, *view)});
    }
  }
  std::stable_partition(matches.begin(), matches.end(), [](const FindMatch& m) { return m.shown; });
  return matches;
}

std::optional<TextPair> busModeOfPage(std::string_view page) {
  const auto modes = lists::diffBus();
  for (std::size_t mode = 0; mode < modes.size(); ++mode) {
    const DiffBusLayout shown = diffBusLayout(static_cast<unsigned>(mode));
    if (shown.tabVisible && !page.empty() && shown.page == page) {
      return modes[mode];
    }
  }
  return std::nullopt;
}

std::optional<std::string_view> controlForKey(std::string_view key) {
  if (const view::Binding* b = findBinding(key)) {
    return b->control;
  }
  for (const view::Binding& b : bindings()) {
    if (!view::hasField(b.field)) {
      continue;
    }
    const auto name = config::integerKeyName(view::imageField(b.field), view::bitField(b.field));
    if (name && *name == key) {
      return b.control;
    }
  }
  return std::nullopt;
}

}  // namespace kivprism::params
