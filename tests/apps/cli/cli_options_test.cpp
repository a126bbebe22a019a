// The options every command that talks to the controller shares (--simulator, --log, --lang), read
// by one parser: a wrong one is a usage error that names the command, the same in every command.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "apps/cli/cli_fixture.hpp"
#include "support/process.hpp"

namespace kivprism {
namespace {

using testing::runProcess;

// One command line of each command family, before the shared option under test; show reads a
// file only, but its language option is the same.
const std::vector<std::vector<std::string>> kCommands = {{"info"},
                                                         {"read", "out.bin"},
                                                         {"monitor"},
                                                         {"canlog"},
                                                         {"update", "firmware.LDR"},
                                                         {"diff", "a.KST401", "b.KST401"},
                                                         {"export", "a.KST401"},
                                                         {"show", "a.KST401"}};

void expectUsageError(std::vector<std::string> args, const std::string& message) {
  SCOPED_TRACE(args[0] + " " + args.back());
  const auto run = runProcess(kCli, args);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("kivprism-cli: " + message + "\n"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("usage:"), std::string::npos);
  EXPECT_EQ(run.out, "");
}

TEST(CliControllerOptions, ALanguageErrorNamesTheCommandInEveryCommand) {
  for (const auto& command : kCommands) {
    const std::string& name = command[0];
    auto dangling = command;
    dangling.push_back("--lang");
    expectUsageError(dangling, name + ": --lang needs ru or en");
    auto unknown = command;
    unknown.push_back("--lang=de");
    expectUsageError(unknown, name + ": unknown language 'de' (ru or en)");
    auto separate = command;
    separate.insert(separate.end(), {"--lang", "fr", "--simulator"});
    expectUsageError(separate, name + ": unknown language 'fr' (ru or en)");
  }
}

TEST(CliControllerOptions, OnlyTheExactSharedOptionsAreTaken) {
  expectUsageError({"info", "--simulatorX"}, "info: unknown option '--simulatorX'");
  expectUsageError({"info", "--language=en"}, "info: unknown option '--language=en'");
  expectUsageError({"update", "f.LDR", "--logs"}, "update: unknown option '--logs'");
  expectUsageError({"canlog", "--simulators"}, "canlog: unknown argument '--simulators'");
}

}  // namespace
}  // namespace kivprism
