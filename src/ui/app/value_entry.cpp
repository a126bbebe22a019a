#include "ui/app/value_entry.hpp"

#include <QCursor>
#include <QLineEdit>

#include "core/config/image.hpp"
#include "core/lang/language.hpp"
#include "core/params/entry_value.hpp"
#include "ui/app/window_shell.hpp"
#include "ui/common/qt_text.hpp"

namespace kivprism::ui {

bool valueEntryCheck(WindowShell& shell, QLineEdit* field, std::uint32_t minimum,
                     std::uint32_t maximum, std::span<std::uint8_t> destination, unsigned width) {
  const kivprism::params::EntryResult result =
      kivprism::params::checkValueEntry(field->text().toStdString(), minimum, maximum);
  QString error;
  if (const auto* notice = std::get_if<kivprism::params::Notice>(&result)) {
    error = qtText(notice->in(lang::currentLanguage()));
  } else if ((width != 1 && width != 2 && width != 4) || destination.size() < width) {
    error = translated(kivprism::params::kEnterValueText);
  } else {
    config::writeLe(destination, 0, width, std::get<std::uint32_t>(result));
  }
  if (error.isEmpty()) {
    return true;
  }
  shell.messageBox(box::kError, error);
  field->selectAll();
  field->setFocus();
  QCursor::setPos(field->mapToGlobal(field->rect().center()));
  return false;
}

}  // namespace kivprism::ui
