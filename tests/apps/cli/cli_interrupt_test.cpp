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

const std::filesystem::path kCli = KIVPRISM_CLI_PATH;

// kivprism-cli running in the background, its stdout on a pipe.
class Running {
 public:
  explicit Running(const std::vector<std::string>& args) {
    int fds[2];
    if (::pipe(fds) != 0) {
      return;
    }
    out_ = fds[0];
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    ::posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_addclose(&actions, fds[0]);
    ::posix_spawn_file_actions_addclose(&actions, fds[1]);
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
    ::close(fds[1]);
  }
  ~Running() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      wait();
    }
    if (out_ >= 0) {
      ::close(out_);
    }
  }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;

  bool started() const { return pid_ > 0; }
  // True once a whole line has arrived on stdout within the time.
  bool waitForLine(int timeoutMs) {
    char c = 0;
    while (true) {
      pollfd p{out_, POLLIN, 0};
      if (::poll(&p, 1, timeoutMs) <= 0 || ::read(out_, &c, 1) != 1) {
        return false;
      }
      if (c == '\n') {
        return true;
      }
    }
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
  ASSERT_TRUE(monitor.waitForLine(60'000)) << "the monitor never printed";
  monitor.interrupt();
  const int status = monitor.wait();
  ASSERT_TRUE(WIFEXITED(status)) << "ended by the signal instead of finishing";
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(readWholeFile(dir / "state.bin"), image);
  EXPECT_EQ(filesIn(dir.path()), std::set<std::string>{"state.bin"});
}

// Ctrl+C at every moment of a write: before, during and after the transfer, and while the state is
// being saved. The state holds the old image or the new one, never a mix or a cut file.
TEST(CliInterrupt, AWriteInterruptedAtAnyMomentLeavesAWholeState) {
  TempDir dir;
  const std::string before(L::kImageSize, '\x11');
  std::string after(L::kImageSize, '\x77');
  writeWholeFile(dir / "new.bin", after);
  const auto state = dir / "state.bin";
  int interruptedRuns = 0;
  for (int delayUs = 0; delayUs <= 60'000; delayUs += 4'000) {
    writeWholeFile(state, before);
    Running write({"write", (dir / "new.bin").string(), "--simulator=" + state.string()});
    ASSERT_TRUE(write.started());
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs));
    write.interrupt();
    const int status = write.wait();
    interruptedRuns += WIFSIGNALED(status) ? 1 : 0;
    const std::string now = readWholeFile(state);
    EXPECT_TRUE(now == before || now == after)
        << "after " << delayUs << " us: " << now.size() << " bytes, a mix or a cut image";
    EXPECT_EQ(filesIn(dir.path()), (std::set<std::string>{"new.bin", "state.bin"}))
        << "after " << delayUs << " us";
  }
  EXPECT_GT(interruptedRuns, 0) << "no run was interrupted; the moments are too late";
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
