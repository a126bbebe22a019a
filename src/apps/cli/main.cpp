// kivprism-cli: the controller's configuration from the command line.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "apps/cli/cli.hpp"
#include "core/about/version.hpp"
#include "platform/system.hpp"

namespace {

std::vector<kivprism::cli::Command> allCommands() {
  std::vector<kivprism::cli::Command> commands = kivprism::cli::fileCommands();
  for (auto& command : kivprism::cli::summaryCommands()) {
    commands.push_back(std::move(command));
  }
  for (auto& command : kivprism::cli::deviceCommands()) {
    commands.push_back(std::move(command));
  }
  for (auto& command : kivprism::cli::canLogCommands()) {
    commands.push_back(std::move(command));
  }
  for (auto& command : kivprism::cli::firmwareCommands()) {
    commands.push_back(std::move(command));
  }
  return commands;
}

void printUsage(std::ostream& out, const std::vector<kivprism::cli::Command>& commands) {
  out << "usage: kivprism-cli COMMAND [ARGS]\n\ncommands:\n";
  for (const auto& c : commands) {
    // A long synopsis gets its summary on the next line, so the summaries stay in one column.
    constexpr std::size_t kColumn = 34;
    std::string head = std::string(c.name) + " " + std::string(c.usage);
    head = head.size() < kColumn ? head + std::string(kColumn - head.size(), ' ')
                                 : head + "\n  " + std::string(kColumn, ' ');
    out << "  " << head << c.summary << '\n';
  }
  out << "\n  --help                            print this text\n"
      << "  --version                         print the program's version\n";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace kivprism::cli;
  kivprism::platform::useUtf8Console();
  const auto commands = allCommands();
  const std::vector<std::string> args = kivprism::platform::utf8Arguments(argc, argv);
  if (args.empty()) {
    printUsage(std::cerr, commands);
    return kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    printUsage(std::cout, commands);
    return kExitOk;
  }
  if (args[0] == "--version" || args[0] == "-V") {
    std::cout << "kivprism-cli " << kivprism::about::programVersion() << '\n';
    return kExitOk;
  }
  for (const auto& command : commands) {
    if (command.name != args[0]) {
      continue;
    }
    try {
      return command.run(std::span(args).subspan(1));
    } catch (const UsageError& error) {
      std::cerr << "kivprism-cli: " << error.message << "\n\n";
      printUsage(std::cerr, commands);
      return kExitUsage;
    } catch (const std::exception& error) {
      // Whatever slipped through is still one line and a failure, never an abort.
      std::cerr << "kivprism-cli: " << error.what() << '\n';
      return kExitFailure;
    }
  }
  std::cerr << "kivprism-cli: unknown command '" << args[0] << "'\n\n";
  printUsage(std::cerr, commands);
  return kExitUsage;
}
