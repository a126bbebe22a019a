// What the command-line tool and the window need from the operating system below the standard
// library: the command line and the console in UTF-8, interrupts (Ctrl+C, a closed terminal, a
// termination request), whether a stream is a terminal, and the local time. No Qt.
#pragma once

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace kivprism::platform {

// The program's arguments after its name, in UTF-8. On Windows they are taken from the wide
// command line, since argv is in the ANSI code page and loses every letter outside it.
std::vector<std::string> utf8Arguments(int argc, char** argv);

// Console output is UTF-8 from now until the program ends (Windows: the console's code page,
// put back at exit; elsewhere the terminal already takes UTF-8).
void useUtf8Console();

// True when the stream is an interactive terminal or console (progress lines are shown there).
bool isTerminal(std::FILE* stream);

// From now on an interrupt sets a flag instead of ending the program, so that a capture or a poll
// stops cleanly and still saves its state.
void catchInterrupts();
bool interruptRequested();

// While one lives, an interrupt is held back: the program goes on until the object is gone, then
// the interrupt takes its usual effect. Used around the replacement of a file, so that it is
// replaced whole or not at all.
class HeldInterrupts {
 public:
  HeldInterrupts();
  ~HeldInterrupts();
  HeldInterrupts(const HeldInterrupts&) = delete;
  HeldInterrupts& operator=(const HeldInterrupts&) = delete;

 private:
  struct Saved;
  Saved* saved_;
};

// The broken-down local time of a moment (thread-safe on every system).
std::tm localTime(std::time_t moment);

}  // namespace kivprism::platform
