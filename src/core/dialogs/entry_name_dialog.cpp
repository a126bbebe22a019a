#include "core/dialogs/entry_name_dialog.hpp"

namespace kivprism::dialogs {

const lang::TextPair kEntryNameCaption{"Задайте имя для %d вкладки", "Set name for %d tab"};

std::string entryNameCaption(std::size_t entryNumber) {
  return lang::formatText(lang::translateText(kEntryNameCaption), static_cast<int>(entryNumber));
}

std::string entryNameFromText(std::string_view utf8) {
  // Count characters, not bytes: a UTF-8 lead byte starts a character, continuation bytes do not.
  std::size_t characters = 0;
  std::size_t end = 0;
  for (const char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0u) != 0x80u) {
      if (characters == static_cast<std::size_t>(kEntryNameMax)) {
        break;
      }
      ++characters;
    }
    ++end;
  }
  return std::string(utf8.substr(0, end));
}

}  // namespace kivprism::dialogs
