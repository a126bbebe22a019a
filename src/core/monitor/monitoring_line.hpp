// Rewriting of one line of the controller's monitoring text before it is shown: decoded CAN keys
// and protocol event numbers become names, so the installer reads "KEY 5" rather than "EV:5".
#pragma once

#include <string>

#include "core/lang/text.hpp"

namespace kivprism::monitor {

// Tries the CAN_AUTO rewriter and then the twelve event-number rewriters; the first that applies
// rewrites the line and ends the chain. Returns whether the line changed. The steering-wheel CAN
// names are taken in the given language.
bool formatMonitoringLine(std::string& line, lang::Language language);
inline bool formatMonitoringLine(std::string& line) {
  return formatMonitoringLine(line, lang::currentLanguage());
}

// The C library's string-to-long reading as the controller's own tools use it, with a 32-bit long:
// leading white space, optional sign, decimal digits up to the first non-digit, 0 when there are no
// digits, clamped to the 32-bit range.
long readDecimalNumber(std::string_view text);

}  // namespace kivprism::monitor
