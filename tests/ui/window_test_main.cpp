// Runs the window test a file registered, as QTEST_MAIN would have run it alone.
#include <QApplication>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "window_test_main.hpp"

namespace {

struct RegisteredTest {
  const char* sourceFile;
  kivprism::testing::WindowTestFactory factory;
};

// Filled while the test files' statics start, before main.
std::map<std::string, RegisteredTest>& registry() {
  static std::map<std::string, RegisteredTest> tests;
  return tests;
}

int usage(const char* program) {
  std::fprintf(stderr, "usage: %s TEST [QtTest options and functions]\ntests:\n", program);
  for (const auto& [name, test] : registry()) {
    std::fprintf(stderr, "  %s\n", name.c_str());
  }
  return 2;
}

}  // namespace

bool kivprism::testing::registerWindowTest(const char* sourceFile, WindowTestFactory factory) {
  const std::string name = std::filesystem::path(sourceFile).stem().string();
  const bool added = registry().emplace(name, RegisteredTest{sourceFile, factory}).second;
  if (!added) {
    std::fprintf(stderr, "window tests: %s is registered twice\n", name.c_str());
    std::abort();
  }
  return true;
}

int main(int argc, char* argv[]) {
  if (argc < 2) {
    return usage(argv[0]);
  }
  const auto found = registry().find(argv[1]);
  if (found == registry().end()) {
    std::fprintf(stderr, "window tests: no test named %s\n", argv[1]);
    return usage(argv[0]);
  }
  // QtTest sees the program and the arguments after the test's name.
  std::vector<char*> args{argv[0]};
  args.insert(args.end(), argv + 2, argv + argc);
  int count = static_cast<int>(args.size());
  args.push_back(nullptr);

  QApplication app(count, args.data());
  app.setAttribute(Qt::AA_Use96Dpi, true);
  const std::unique_ptr<QObject> test = found->second.factory();
  QTest::setMainSourcePath(found->second.sourceFile);
  return QTest::qExec(test.get(), count, args.data());
}
