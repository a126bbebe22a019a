// Runs a command-line program from a test and collects what it printed.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kivprism::testing {

struct ProcessResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Arguments are quoted for the shell; stdin is empty.
ProcessResult runProcess(const std::filesystem::path& program,
                         const std::vector<std::string>& args);

// A fresh folder under the system temp folder, removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

std::string readWholeFile(const std::filesystem::path& path);
void writeWholeFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace kivprism::testing
