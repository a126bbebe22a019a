// The options every command that talks to the controller reads the same way: which controller
// (--simulator[=STATE.bin]), the packet log (--log) and the language of the texts (--lang CODE or
// --lang=CODE, ru or en; the terminal's locale without it).
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "apps/cli/cli.hpp"

namespace kivprism::cli {

// Sets the language from the terminal's locale, as every command starts.
void startWithEnvironmentLanguage();

// Takes args[i] when it is --lang CODE or --lang=CODE (moving i on past a separate code); false for
// any other argument. Throws UsageError, naming the command, without a code or with an unknown one.
bool readLanguageOption(std::string_view command, std::span<const std::string> args,
                        std::size_t& i);

// Takes args[i] when it is one of the shared options (and, for --lang CODE, the code after it,
// moving i on); false for any other argument. Throws UsageError, naming the command, for --lang
// without a code or with an unknown one.
bool readControllerOption(std::string_view command, std::span<const std::string> args,
                          std::size_t& i, DeviceSource& source);

}  // namespace kivprism::cli
