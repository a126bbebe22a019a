// Ctrl+C on kivprism-cli's controller commands: the simulated controller's state file is always a
// whole image afterwards, never a cut one, and no temporary file is left beside it.
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <set>
#include <thread>

#include <gtest/gtest.h>

#include "apps/cli/cli_fixture.hpp"
#include "core/config/image.hpp"
#include "support/process.hpp"

extern char** environ;

namespace kivprism {
namespace {

namespace L = config::layout;
using testing::readWholeFile;
using testing::runProcess;
using testing::TempDir;
using testing::writeWholeFile;

// kivprism-cli running in the background: its stdin on a pipe of ours, its stdout and stderr on
// one pipe we read.
class Running {
 public:
  explicit Running(const std::vector<std::string>& args) {
    int in[2];
    int out[2];
    if (::pipe(in) != 0 || ::pipe(out) != 0) {
      return;
    }
    in_ = in[1];
    out_ = out[0];
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    ::posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    ::posix_spawn_file_actions_adddup2(&actions, out[1], 2);
    for (const int fd : {in[0], in[1], out[0], out[1]}) {
      ::posix_spawn_file_actions_addclose(&actions, fd);
    }
    std::vector<std::string> argv = {kCli.string()};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (auto& a : argv) {
      pointers.push_back(a.data());
    }
    pointers.push_back(nullptr);
    if (::posix_spawn(&pid_, pointers[0], &actions, nullptr, pointers.data(), environ) != 0) {
      pid_ = -1;
    }
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
  }
  ~Running() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      wait();
    }
    for (const int fd : {in_, out_}) {
      if (fd >= 0) {
        ::close(fd);
      }
    }
  }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;

  bool started() const { return pid_ > 0; }
  // True once the text has appeared on stdout or stderr within the time.
  bool waitFor(const std::string& text, int timeoutMs) {
    std::string seen;
    while (seen.find(text) == std::string::npos) {
      pollfd p{out_, POLLIN, 0};
      char c = 0;
      if (::poll(&p, 1, timeoutMs) <= 0 || ::read(out_, &c, 1) != 1) {
        return false;
      }
      seen.push_back(c);
    }
    return true;
  }
  void answer(const std::string& line) const {
    [[maybe_unused]] const auto written = ::write(in_, line.data(), line.size());
  }
  void interrupt() const { ::kill(pid_, SIGINT); }
  // The wait status of the ended process.
  int wait() {
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    return status;
  }

 private:
  pid_t pid_ = -1;
  int in_ = -1;
  int out_ = -1;
};

std::set<std::string> filesIn(const std::filesystem::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

TEST(CliInterrupt, MonitorEndsOnCtrlCAndKeepsTheStateWhole) {
  TempDir dir;
  std::string image(L::kImageSize, '\x21');
  writeWholeFile(dir / "state.bin", image);
  Running monitor({"monitor", "--simulator=" + (dir / "state.bin").string()});
  ASSERT_TRUE(monitor.started());
  ASSERT_TRUE(monitor.waitFor("\n", 60'000)) << "the monitor never printed";
  monitor.interrupt();
  const int status = monitor.wait();
  ASSERT_TRUE(WIFEXITED(status)) << "ended by the signal instead of finishing";
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(readWholeFile(dir / "state.bin"), image);
  EXPECT_EQ(filesIn(dir.path()), std::set<std::string>{"state.bin"});
}

// Ctrl+C on the restore of the factory settings: while it asks, then at every moment after the
// answer (the restore, the save of the state). The state holds the old image or the factory one,
// never a mix or a cut file, and nothing is left beside it.
TEST(CliInterrupt, DefaultsInterruptedAtAnyMomentLeavesAWholeState) {
  TempDir dir;
  const auto state = dir / "state.bin";
  ASSERT_EQ(runProcess(kCli, {"defaults", "--yes", "--simulator=" + state.string()}).exitCode, 0);
  const std::string factory = readWholeFile(state);
  ASSERT_EQ(factory.size(), L::kImageSize);
  const std::string before(L::kImageSize, '\x11');

  writeWholeFile(state, before);
  {
    Running asking({"defaults", "--simulator=" + state.string()});
    ASSERT_TRUE(asking.started());
    ASSERT_TRUE(asking.waitFor("[y/N]", 60'000));
    asking.interrupt();
    const int status = asking.wait();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
    EXPECT_EQ(readWholeFile(state), before);
    EXPECT_EQ(filesIn(dir.path()), std::set<std::string>{"state.bin"});
  }

  for (int delayUs = 0; delayUs <= 4'000; delayUs += 100) {
    writeWholeFile(state, before);
    Running restoring({"defaults", "--simulator=" + state.string()});
    ASSERT_TRUE(restoring.started());
    ASSERT_TRUE(restoring.waitFor("[y/N]", 60'000));
    restoring.answer("y\n");
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs));
    restoring.interrupt();
    restoring.wait();
    const std::string now = readWholeFile(state);
    EXPECT_TRUE(now == before || now == factory)
        << "after " << delayUs << " us: " << now.size() << " bytes, a mix or a cut image";
    EXPECT_EQ(filesIn(dir.path()), std::set<std::string>{"state.bin"})
        << "after " << delayUs << " us";
  }
}

TEST(CliInterrupt, TheStateFileThroughALinkStaysALink) {
  TempDir dir;
  writeWholeFile(dir / "target.bin", std::string(L::kImageSize, '\x42'));
  std::filesystem::create_symlink(dir / "target.bin", dir / "state.bin");
  const auto defaults =
      runProcess(kCli, {"defaults", "--yes", "--simulator=" + (dir / "state.bin").string()});
  ASSERT_EQ(defaults.exitCode, 0) << defaults.err;
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "state.bin"));
  const std::string restored = readWholeFile(dir / "target.bin");
  EXPECT_EQ(restored.size(), L::kImageSize);
  EXPECT_NE(restored, std::string(L::kImageSize, '\x42'));
}

}  // namespace
}  // namespace kivprism
