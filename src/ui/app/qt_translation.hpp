// Qt's own texts (the Yes/No buttons of questions, the file dialogs, the context menu of text
// fields) in the program's language.
#pragma once

#include <QString>

#include "core/lang/text.hpp"

namespace kivprism::ui {

// The folder of Qt's translations on this system.
QString qtTranslationsFolder();

// Russian installs Qt's Russian translation from the folder, English removes it. Without the
// translation (a system that lacks the package) Qt stays English and the program runs on; the
// result tells whether Qt's texts now follow the language.
bool applyQtTranslation(lang::Language language, const QString& folder = qtTranslationsFolder());

}  // namespace kivprism::ui
