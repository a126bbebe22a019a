// Console, interrupts and local time through POSIX calls (Linux and macOS).
#include <signal.h>
#include <unistd.h>

#include <csignal>

#include "platform/system.hpp"

namespace kivprism::platform {

namespace {

volatile std::sig_atomic_t gInterrupted = 0;

extern "C" void onInterrupt(int) { gInterrupted = 1; }

}  // namespace

std::vector<std::string> utf8Arguments(int argc, char** argv) {
  return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>{};
}

void useUtf8Console() {}

bool isTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) != 0; }

void catchInterrupts() {
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  // A read or a wait under way goes on; the flag is looked at between steps.
  action.sa_flags = SA_RESTART;
  ::sigemptyset(&action.sa_mask);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    ::sigaction(signal, &action, nullptr);
  }
}

bool interruptRequested() { return gInterrupted != 0; }

struct HeldInterrupts::Saved {
  sigset_t previous;
};

HeldInterrupts::HeldInterrupts() : saved_(new Saved{}) {
  sigset_t held;
  ::sigemptyset(&held);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    ::sigaddset(&held, signal);
  }
  ::sigprocmask(SIG_BLOCK, &held, &saved_->previous);
}

HeldInterrupts::~HeldInterrupts() {
  // A signal that came meanwhile is delivered here.
  ::sigprocmask(SIG_SETMASK, &saved_->previous, nullptr);
  delete saved_;
}

std::tm localTime(std::time_t moment) {
  std::tm out{};
  ::localtime_r(&moment, &out);
  return out;
}

}  // namespace kivprism::platform
