// Console, interrupts, local time and the UTF-16 conversions on Windows.
#if defined(_WIN32)

#include <windows.h>
// The wide command line split the way the C runtime splits it.
#include <shellapi.h>

#include <io.h>
#include <atomic>
#include <cstdlib>

#include "platform/system.hpp"
#include "platform/wide_text.hpp"

namespace kivprism::platform {

std::wstring widen(std::string_view utf8) {
  if (utf8.empty()) {
    return {};
  }
  const int size = static_cast<int>(utf8.size());
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), n);
  return out;
}

std::string narrow(std::wstring_view utf16) {
  if (utf16.empty()) {
    return {};
  }
  const int size = static_cast<int>(utf16.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

namespace {

std::atomic<bool> gCatching{false};
std::atomic<bool> gInterrupted{false};
std::atomic<int> gHolding{0};
std::atomic<bool> gHeldInterrupt{false};

// Runs on a thread of its own that the system starts for the event.
BOOL WINAPI onConsoleEvent(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
      break;
    default:
      return FALSE;
  }
  if (gCatching) {
    gInterrupted = true;
    return TRUE;
  }
  if (gHolding > 0) {
    gHeldInterrupt = true;
    return TRUE;
  }
  return FALSE;
}

bool handlerInstalled() {
  static const bool installed = SetConsoleCtrlHandler(onConsoleEvent, TRUE) != 0;
  return installed;
}

UINT gPreviousOutputCodePage = 0;

void restoreOutputCodePage() {
  if (gPreviousOutputCodePage != 0) {
    SetConsoleOutputCP(gPreviousOutputCodePage);
  }
}

}  // namespace

std::vector<std::string> utf8Arguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>{};
  }
  std::vector<std::string> out;
  for (int i = 1; i < count; ++i) {
    out.push_back(narrow(wide[i]));
  }
  LocalFree(wide);
  return out;
}

void useUtf8Console() {
  // Russian texts in cmd.exe and PowerShell; the console gets its own code page back at exit.
  const UINT previous = GetConsoleOutputCP();
  if (previous != 0 && previous != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
    gPreviousOutputCodePage = previous;
    std::atexit(restoreOutputCodePage);
  }
}

bool isTerminal(std::FILE* stream) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

void catchInterrupts() {
  gCatching = true;
  handlerInstalled();
}

bool interruptRequested() { return gInterrupted; }

struct HeldInterrupts::Saved {};

HeldInterrupts::HeldInterrupts() : saved_(nullptr) {
  ++gHolding;
  handlerInstalled();
}

HeldInterrupts::~HeldInterrupts() {
  // An interrupt that came meanwhile, with nobody catching it, ends the program now, as Ctrl+C
  // would have done.
  if (--gHolding == 0 && gHeldInterrupt.exchange(false) && !gCatching) {
    ExitProcess(STATUS_CONTROL_C_EXIT);
  }
}

std::tm localTime(std::time_t moment) {
  std::tm out{};
  localtime_s(&out, &moment);
  return out;
}

}  // namespace kivprism::platform

#endif
