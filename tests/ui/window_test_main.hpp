// The window tests are one program. Each test file registers its QtTest class under the file's
// name, and the program runs the class its first argument names, with the remaining arguments
// going to QtTest: `test_ui shortcuts_test -v2 FUNCTION`. ctest starts one process
// per file, so every file still starts with a fresh application and window, as it would alone.
#pragma once

#include <QObject>
#include <memory>

namespace kivprism::testing {

using WindowTestFactory = std::unique_ptr<QObject> (*)();

// Registers `factory` under the name of `sourceFile` without folder and extension; returns true.
bool registerWindowTest(const char* sourceFile, WindowTestFactory factory);

}  // namespace kivprism::testing

// At namespace scope after the test class, in place of QTEST_MAIN.
#define KIVPRISM_WINDOW_TEST(TestClass)                                                       \
  [[maybe_unused]] const bool registeredWindowTest = ::kivprism::testing::registerWindowTest( \
      __FILE__, []() -> std::unique_ptr<QObject> { return std::make_unique<TestClass>(); })
