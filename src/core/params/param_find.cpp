#include "core/params/param_find.hpp"

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/config/config_file.hpp"
#include "core/lang/language_table.hpp"
#include "core/params/bindings.hpp"
#include "core/view/field_ref.hpp"

namespace kivprism::params {

using lang::Language;
using lang::TextPair;

namespace {

using Tabs = std::string_view;

constexpr std::array<Tabs, 3> kPinsTabs = {"TabSheetPINS", "TabSheetInterfaces", "TabSheetUARTx"};
constexpr std::array<Tabs, 7> kInputTabs = {"TabSheetKEYS",      "TabSheetTouch", "TabSheetIRINP",
                                            "TabSheetEnc",       "TabSheetCap2Resx",
                                            "TabSheetPS2x",      "TabSheetHWRParamx"};
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
    ParamCategory{"pins", {"Выводы и интерфейсы", "Pins and interfaces"}, kPinsTabs},
    ParamCategory{"inputs", {"Входы", "Inputs"}, kInputTabs},
    ParamCategory{"buses", {"Шины", "Buses"}, kBusTabs},
    ParamCategory{"modules", {"Модули автомобиля", "Car modules"}, kModuleTabs},
    ParamCategory{"head", {"Головное устройство и навигация", "Head unit and navigation"},
                  kHeadTabs},
    ParamCategory{"outputs", {"Выходы", "Outputs"}, kOutputTabs},
    ParamCategory{"system", {"Система", "System"}, kSystemTabs},
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
  const std::string key = std::string(lang::kMainFormName) + "_" + std::string(control) + "_" +
                          std::string(property);
  const lang::LanguageRow* row = lang::findLanguageRow(key, lang::mainFormRows());
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
  const std::string_view owner = place.captionLabel.empty() ? place.control : place.captionLabel;
  return oneLine(tableText(owner, "Caption", l));
}

std::string hintOf(const FindPlace& place, const view::Binding* binding, Language l) {
  if (binding != nullptr && !binding->hint.in(l).empty()) {
    return oneLine(binding->hint.in(l));
  }
  return oneLine(tableText(place.control, "Hint", l));
}

// One UTF-8 sequence at text[i]: its code point and length; a malformed byte stands for itself.
std::pair<char32_t, std::size_t> decode(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b = byte(i);
  if (b < 0x80) {
    return {b, 1};
  }
  std::size_t length = 0;
  char32_t cp = 0;
  if ((b & 0xE0) == 0xC0) {
    length = 2;
    cp = b & 0x1F;
  } else if ((b & 0xF0) == 0xE0) {
    length = 3;
    cp = b & 0x0F;
  } else {
    return {0, 0};
  }
  if (i + length > text.size()) {
    return {0, 0};
  }
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      return {0, 0};
    }
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  return {cp, length};
}

void encode(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char32_t foldCodePoint(char32_t cp) {
  if (cp >= U'A' && cp <= U'Z') {
    return cp + (U'a' - U'A');
  }
  if (cp >= U'А' && cp <= U'Я') {
    cp += U'а' - U'А';
  } else if (cp >= 0x400 && cp <= 0x40F) {  // Ѐ..Џ
    cp += 0x50;
  }
  return cp == U'ё' ? U'е' : cp;
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
  std::size_t i = 0;
  while (i < text.size()) {
    const auto [cp, length] = decode(text, i);
    if (length == 0) {
      out += text[i];
      ++i;
      continue;
    }
    encode(foldCodePoint(cp), out);
    i += length;
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
  std::stable_partition(matches.begin(), matches.end(),
                        [](const FindMatch& m) { return m.shown; });
  return matches;
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
