// The language-table rows of the keyboard usage dialog: its group captions. The key and panel
// captions are the keys' own labels and stay the same in both languages.
#include <array>

#include "core/lang/dialog_rows.hpp"

namespace kivprism::lang {

namespace {

constexpr std::array kKeyboardRows = {
    LanguageRow{"FormKeyBoard_GroupBoxKeyboardPage07_Caption",
                {" Клавиатура, страница x07 ", " Keyboard, page x07 "}},
    LanguageRow{"FormKeyBoard_GroupBoxKeyCodes_Caption", {" Коды кнопок ", " Key codes "}},
    LanguageRow{"FormKeyBoard_GroupBoxKeyboardPage0C_Caption",
                {" Клавиатура, страница x0C ", " Keyboard, page x0C "}},
    LanguageRow{"FormKeyBoard_GroupBoxMMKeyCode_Caption",
                {" Код мультимедиа ", " Multimedia code "}},
    LanguageRow{"FormKeyBoard_GroupBoxSystemControl_Caption",
                {" Система управления ", " System Control "}},
};

}  // namespace

std::span<const LanguageRow> keyboardDialogRows() { return kKeyboardRows; }

}  // namespace kivprism::lang
