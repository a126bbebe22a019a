#include "support/process.hpp"

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

namespace kivprism::testing {

namespace {

#if defined(_WIN32)
// cmd.exe: double quotes, an inner quote doubled.
std::string shellQuote(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    out += c == '"' ? std::string("\"\"") : std::string(1, c);
  }
  return out + "\"";
}
constexpr const char* kNoInput = " <NUL 2>";
FILE* openPipe(const std::string& command) { return ::_popen(command.c_str(), "rb"); }
int exitCodeOf(FILE* pipe) { return ::_pclose(pipe); }
#else
std::string shellQuote(const std::string& s) {
  std::string out = "'";
  for (char c : s) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out.push_back(c);
    }
  }
  return out + "'";
}
constexpr const char* kNoInput = " </dev/null 2>";
FILE* openPipe(const std::string& command) { return ::popen(command.c_str(), "r"); }
int exitCodeOf(FILE* pipe) {
  const int status = ::pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

}  // namespace

ProcessResult runProcess(const std::filesystem::path& program,
                         const std::vector<std::string>& args) {
  TempDir scratch;
  const auto errFile = scratch / "stderr";
  std::string command = shellQuote(program.string());
  for (const auto& a : args) {
    command += " " + shellQuote(a);
  }
  command += kNoInput + shellQuote(errFile.string());
  ProcessResult result;
  FILE* pipe = openPipe(command);
  if (pipe == nullptr) {
    return result;
  }
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    result.out.append(buffer, n);
  }
  result.exitCode = exitCodeOf(pipe);
  result.err = readWholeFile(errFile);
  return result;
}

TempDir::TempDir() {
  std::random_device seed;
  path_ = std::filesystem::temp_directory_path() / ("kivprism-" + std::to_string(seed()));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string readWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void writeWholeFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace kivprism::testing
