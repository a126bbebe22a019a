# Options that make a fresh build cheaper; test.sh turns them on, a plain build leaves them off.

# Each target's sources compiled a few at a time in one translation unit: the standard, GoogleTest
# and Qt headers are parsed, and their inline functions compiled, once per batch rather than once
# per file. Names at file scope (anonymous namespaces included) must therefore differ between the
# files of one target; a file that cannot share is marked SKIP_UNITY_BUILD_INCLUSION.
option(KIVPRISM_UNITY "Compile each target's sources in batches (faster fresh builds)" OFF)
set(KIVPRISM_UNITY_BATCH_SIZE 8 CACHE STRING "Sources per batch of KIVPRISM_UNITY")
if(KIVPRISM_UNITY)
  set(CMAKE_UNITY_BUILD ON)
  set(CMAKE_UNITY_BUILD_BATCH_SIZE ${KIVPRISM_UNITY_BATCH_SIZE})
endif()
# A batched build compiles no file alone, so a missing include would show only in a plain build.
# test.sh batches its optimised build and compiles the libraries outside the core file by file in
# its sanitizer build (KIVPRISM_UNITY_FILE_BY_FILE); the tidy check compiles each core file alone.
option(KIVPRISM_UNITY_FILE_BY_FILE
       "In a batched build, compile the libraries and the tool outside the core file by file" OFF)
function(kivprism_file_by_file target)
  if(KIVPRISM_UNITY_FILE_BY_FILE)
    set_target_properties(${target} PROPERTIES UNITY_BUILD OFF)
  endif()
endfunction()

# A faster linker than GNU ld when one is installed: some forty test programs link the same
# large static libraries. KIVPRISM_LINKER=default keeps the compiler's own.
set(KIVPRISM_LINKER "default" CACHE STRING "Linker to use: auto (mold, then lld), mold, lld, default")
if(NOT KIVPRISM_LINKER STREQUAL "default" AND NOT CMAKE_CROSSCOMPILING)
  include(CheckCXXSourceCompiles)
  if(KIVPRISM_LINKER STREQUAL "auto")
    set(candidates mold lld)
  else()
    set(candidates ${KIVPRISM_LINKER})
  endif()
  foreach(linker ${candidates})
    set(CMAKE_REQUIRED_LINK_OPTIONS -fuse-ld=${linker})
    check_cxx_source_compiles("int main() { return 0; }" KIVPRISM_HAVE_LINKER_${linker})
    unset(CMAKE_REQUIRED_LINK_OPTIONS)
    if(KIVPRISM_HAVE_LINKER_${linker})
      add_link_options(-fuse-ld=${linker})
      message(STATUS "Linking with ${linker}")
      break()
    elseif(NOT KIVPRISM_LINKER STREQUAL "auto")
      message(FATAL_ERROR "KIVPRISM_LINKER=${linker}, but the compiler cannot link with it")
    endif()
  endforeach()
endif()

# Precompiled headers: GoogleTest for the test programs, the common Qt widget headers for the
# window library and the window tests, each parsed once per build instead of once per file.
# Off by default since ccache caches a file that uses one only with extra sloppiness settings.
option(KIVPRISM_PCH "Precompile the GoogleTest and Qt headers" OFF)
set(kivprism_pch_std <algorithm> <array> <cstdint> <functional> <map> <memory> <optional> <set>
                     <string> <string_view> <vector>)
set(kivprism_pch_gtest <gtest/gtest.h> ${kivprism_pch_std})
set(kivprism_pch_qt <QAction> <QApplication> <QCheckBox> <QComboBox> <QDialog> <QFile>
                    <QGroupBox> <QHBoxLayout> <QHeaderView> <QLabel> <QLineEdit> <QListWidget>
                    <QMenu> <QMouseEvent> <QProgressBar> <QPushButton> <QString> <QTabBar>
                    <QTabWidget> <QTimer> <QToolButton> <QVBoxLayout> <QWidget>
                    ${kivprism_pch_std})
set(kivprism_pch_qt_test <QSignalSpy> <QTemporaryDir> <QTest> ${kivprism_pch_qt})
