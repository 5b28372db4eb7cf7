# Build helpers shared by every folder. Each source folder globs its own files, so adding a
# source file needs no change to any CMakeLists.txt.

find_program(ZYN_CCACHE ccache)
if(ZYN_CCACHE)
  # The Qt precompiled header needs the pch sloppiness, otherwise ccache never hits. Paths are
  # hashed relative to the source folder, so a fresh clone in another folder (CI) reuses the cache.
  set(CMAKE_CXX_COMPILER_LAUNCHER
      ${CMAKE_COMMAND} -E env CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
      CCACHE_BASEDIR=${CMAKE_SOURCE_DIR} CCACHE_NOHASHDIR=1
      ${ZYN_CCACHE})
  set(CMAKE_C_COMPILER_LAUNCHER ${CMAKE_CXX_COMPILER_LAUNCHER})
endif()

set(ZYN_WARNINGS -Wall -Wextra -Wno-unused-parameter)

# Unity builds: the sources of a target are compiled in batches, each batch as one translation unit.
# With both sanitizers and -O0 most of a source's compile time goes to its headers, so batching
# roughly halves the CPU time of a cold build. File-local names must therefore be unique within a
# target. A source that cannot share a unit sets SKIP_UNITY_BUILD_INCLUSION.
option(ZYN_UNITY_BUILD "Compile the sources of each target in batches (unity build)" OFF)
set(ZYN_UNITY_BATCH_SIZE 12 CACHE STRING "Sources per unity batch")
if(ZYN_UNITY_BUILD)
  set(CMAKE_UNITY_BUILD ON)
  set(CMAKE_UNITY_BUILD_BATCH_SIZE ${ZYN_UNITY_BATCH_SIZE})
endif()

# lld links the large sanitizer test programmes several times faster than the default linker.
find_program(ZYN_LLD ld.lld)
if(ZYN_LLD)
  add_link_options(-fuse-ld=lld)
endif()

# The headers nearly every widget uses, precompiled once for the GUI libraries. Whole-module headers
# would make a precompiled header of 300 MB whose loading costs more than it saves.
set(ZYN_QT_PCH_HEADERS
  <QtCore/QObject> <QtCore/QString> <QtCore/QTimer> <QtCore/QEvent>
  <QtGui/QPainter> <QtGui/QColor> <QtGui/QImage> <QtGui/QPixmap> <QtGui/QFont>
  <QtGui/QFontMetrics> <QtGui/QMouseEvent> <QtGui/QKeyEvent> <QtGui/QPalette>
  <QtWidgets/QWidget> <QtWidgets/QApplication> <QtWidgets/QStyle>
  <string> <vector> <memory> <functional>)

function(zyn_glob_sources out dir)
  file(GLOB _src CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  set(${out} ${_src} PARENT_SCOPE)
endfunction()

# zyn_library(<target> [DEPS <targets...>]) - a static library of the .cpp files in the
# current folder, without Qt. Headers are included as "model/base/Filer.h" from the source root.
function(zyn_library target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  zyn_glob_sources(_src ${CMAKE_CURRENT_SOURCE_DIR})
  add_library(${target} STATIC ${_src})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
  target_compile_options(${target} PRIVATE ${ZYN_WARNINGS})
  if(ARG_DEPS)
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  endif()
endfunction()

# One precompiled header of the Qt Widgets headers, shared by every GUI target.
function(zyn_qt_pch target)
  if(NOT TARGET zyn_qt_pch_host)
    file(WRITE ${CMAKE_BINARY_DIR}/generated/zyn_qt_pch_host.cpp "// carries the Qt precompiled header\n")
    add_library(zyn_qt_pch_host STATIC ${CMAKE_BINARY_DIR}/generated/zyn_qt_pch_host.cpp)
    target_link_libraries(zyn_qt_pch_host PUBLIC Qt6::Widgets Qt6::Gui Qt6::Core)
    target_compile_options(zyn_qt_pch_host PRIVATE ${ZYN_WARNINGS})
    target_precompile_headers(zyn_qt_pch_host PRIVATE ${ZYN_QT_PCH_HEADERS})
  endif()
  target_precompile_headers(${target} REUSE_FROM zyn_qt_pch_host)
endfunction()

# zyn_gui_library(<target> [DEPS <targets...>]) - a static library with Qt Widgets.
function(zyn_gui_library target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  zyn_glob_sources(_src ${CMAKE_CURRENT_SOURCE_DIR})
  add_library(${target} STATIC ${_src})
  set_target_properties(${target} PROPERTIES AUTOMOC ON AUTORCC ON)
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
  target_compile_options(${target} PRIVATE ${ZYN_WARNINGS})
  target_link_libraries(${target} PUBLIC Qt6::Widgets Qt6::Gui Qt6::Core ${ARG_DEPS})
  zyn_qt_pch(${target})
endfunction()

# zyn_qtgui_library(<target> [DEPS <targets...>]) - a static library on Qt GUI alone (painting,
# fonts, images, PDF), without widgets.
function(zyn_qtgui_library target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  zyn_glob_sources(_src ${CMAKE_CURRENT_SOURCE_DIR})
  add_library(${target} STATIC ${_src})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
  target_compile_options(${target} PRIVATE ${ZYN_WARNINGS})
  target_link_libraries(${target} PUBLIC Qt6::Gui Qt6::Core ${ARG_DEPS})
endfunction()

# zyn_qt_test: QtTest without the per-folder QT_TESTCASE_BUILDDIR/SOURCEDIR definitions that
# Qt6::Test brings (the tests use no QFINDTESTDATA), so that every GUI test programme compiles with
# the same definitions and can share one precompiled header.
function(zyn_qt_test_target)
  if(NOT TARGET zyn_qt_test)
    add_library(zyn_qt_test INTERFACE)
    target_link_libraries(zyn_qt_test INTERFACE $<LINK_ONLY:Qt6::Test> Qt6::Widgets Qt6::Gui Qt6::Core)
    target_include_directories(zyn_qt_test SYSTEM INTERFACE
      $<TARGET_PROPERTY:Qt6::Test,INTERFACE_INCLUDE_DIRECTORIES>)
    target_compile_definitions(zyn_qt_test INTERFACE QT_TESTLIB_LIB)
  endif()
endfunction()

# zyn_test_pch(<target> [GUI]) - the precompiled header of the test programmes, one per kind shared
# by all of them: GoogleTest and the standard library; for GUI tests also the Qt headers of the GUI
# libraries, QtTest and the widgets the tests use most. Parsing these took about a third of the
# compile time of a test source.
function(zyn_test_pch target)
  cmake_parse_arguments(ARG "GUI" "" "" ${ARGN})
  if(ARG_GUI)
    set(_host zyn_gui_test_pch_host)
  else()
    set(_host zyn_test_pch_host)
  endif()
  if(NOT TARGET ${_host})
    file(WRITE ${CMAKE_BINARY_DIR}/generated/${_host}.cpp "// carries the tests' precompiled header\n")
    add_library(${_host} STATIC ${CMAKE_BINARY_DIR}/generated/${_host}.cpp)
    target_compile_options(${_host} PRIVATE ${ZYN_WARNINGS})
    set(_headers <gtest/gtest.h> <string> <vector> <memory> <functional> <map> <set> <algorithm>
      <filesystem> <fstream> <sstream> <cstdint>)
    if(ARG_GUI)
      zyn_qt_test_target()
      target_link_libraries(${_host} PUBLIC zyn_qt_test Qt6::Widgets Qt6::Gui Qt6::Core GTest::gtest)
      # QtTest by its parts: its umbrella header qtest.h asks for QT_NETWORK_LIB, which only the
      # programmes on the web engine define, and a precompiled header is used only where such
      # definitions agree.
      list(APPEND _headers ${ZYN_QT_PCH_HEADERS} <QtTest/qtestcase.h> <QtTest/qtestsystem.h>
        <QtTest/qtestevent.h> <QtTest/qtestkeyboard.h> <QtTest/qtestmouse.h> <QtCore/QDir> <QtCore/QFile>
        <QtCore/QTemporaryDir> <QtWidgets/QLineEdit> <QtWidgets/QToolButton> <QtWidgets/QLabel>
        <QtWidgets/QPushButton> <QtWidgets/QTreeWidget> <QtWidgets/QComboBox> <QtWidgets/QCheckBox>
        <QtWidgets/QListWidget> <QtWidgets/QTabWidget> <QtWidgets/QPlainTextEdit>
        <QtWidgets/QGroupBox> <QtWidgets/QDialog>)
    else()
      target_link_libraries(${_host} PUBLIC GTest::gtest)
    endif()
    target_precompile_headers(${_host} PRIVATE ${_headers})
  endif()
  target_precompile_headers(${target} REUSE_FROM ${_host})
endfunction()

# zyn_test_fixtures(<target> [GUI] SOURCES <files...> LIBS <targets...>) - fixture sources of this
# tests folder that other test programmes share, built once as a static library. The folder's own
# test programme leaves them out of its sources; it and the others link the library.
function(zyn_test_fixtures target)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  list(TRANSFORM ARG_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_options(${target} PRIVATE ${ZYN_WARNINGS})
  target_compile_definitions(${target} PRIVATE
    ZYN_SOURCE_DIR="${CMAKE_SOURCE_DIR}" ZYN_BINARY_DIR="${CMAKE_BINARY_DIR}")
  target_link_libraries(${target} PUBLIC ${ARG_LIBS} zyn_test_support)
  if(ARG_GUI)
    zyn_qt_test_target()
    target_link_libraries(${target} PUBLIC zyn_test_support_qt zyn_qt_test)
    zyn_test_pch(${target} GUI)
  endif()
  set_property(GLOBAL APPEND PROPERTY ZYN_TEST_FIXTURE_SOURCES ${ARG_SOURCES})
endfunction()

# zyn_tests(<target> [GUI] [LABEL <label>] [TIMEOUT <s>] [SHARDS <n>] LIBS <targets...>) - one
# GoogleTest executable of the .cpp files in the current tests folder. Every test programme runs in an
# isolated temporary home; GUI tests run on the offscreen platform with one application. A label keeps
# long runs out of the default test preset (which excludes "soak").
#
# ctest runs the programme in SHARDS processes (default 1), <target>.<i>of<n>, each taking every n-th
# test (GoogleTest's sharding), so that a long programme spreads over the cores. Each test runs once,
# after the tests before it in its shard: a fault one test leaves for the next (freed memory, global
# state) shows. A single test: <programme> --gtest_filter='Suite.Name'. TIMEOUT is the time of one
# test; a shard gets eight times as much.
function(zyn_tests target)
  cmake_parse_arguments(ARG "GUI" "LABEL;TIMEOUT;SHARDS" "LIBS" ${ARGN})
  # QtTest through zyn_qt_test, whose definitions are the same in every folder.
  list(TRANSFORM ARG_LIBS REPLACE "^Qt6::Test$" zyn_qt_test)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  if(NOT ARG_SHARDS)
    set(ARG_SHARDS 1)
  endif()
  zyn_glob_sources(_src ${CMAKE_CURRENT_SOURCE_DIR})
  get_property(_fixtures GLOBAL PROPERTY ZYN_TEST_FIXTURE_SOURCES)
  if(_fixtures)
    list(REMOVE_ITEM _src ${_fixtures})
  endif()
  add_executable(${target} ${_src})
  target_compile_options(${target} PRIVATE ${ZYN_WARNINGS})
  # The test main with the isolated home, temporary folders and file helpers (tests/support).
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} zyn_test_support GTest::gmock GTest::gtest)
  target_compile_definitions(${target} PRIVATE
    ZYN_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
    ZYN_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    ZYN_BINARY_DIR="${CMAKE_BINARY_DIR}")
  if(ARG_GUI)
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
    zyn_qt_test_target()
    target_link_libraries(${target} PRIVATE zyn_test_support_qt zyn_qt_test)
    zyn_test_pch(${target} GUI)
  else()
    zyn_test_pch(${target})
  endif()
  math(EXPR _timeout "${ARG_TIMEOUT} * 8")
  math(EXPR _last "${ARG_SHARDS} - 1")
  foreach(_index RANGE ${_last})
    math(EXPR _number "${_index} + 1")
    set(_name ${target}.${_number}of${ARG_SHARDS})
    add_test(NAME ${_name} COMMAND ${target} --gtest_brief=1)
    set_tests_properties(${_name} PROPERTIES TIMEOUT ${_timeout})
    if(ARG_LABEL)
      set_tests_properties(${_name} PROPERTIES LABELS ${ARG_LABEL})
    endif()
    # The sanitizer options are set by the test main (tests/support/TestMain.cpp).
    set_property(TEST ${_name} PROPERTY ENVIRONMENT
      GTEST_TOTAL_SHARDS=${ARG_SHARDS} GTEST_SHARD_INDEX=${_index})
    if(ARG_GUI)
      set_property(TEST ${_name} APPEND PROPERTY ENVIRONMENT QT_QPA_PLATFORM=offscreen)
    endif()
  endforeach()
endfunction()

# zyn_core_libraries(<out>) - every non-GUI library that exists in this build, for the fuzz
# targets and benchmarks that link against all of them.
function(zyn_core_libraries out)
  set(_libs)
  foreach(lib zyn_base zyn_model zyn_toollib zyn_compiler zyn_bus zyn_stmsim zyn_display zyn_visu zyn_project zyn_interpreter)
    if(TARGET ${lib})
      list(APPEND _libs ${lib})
    endif()
  endforeach()
  set(${out} ${_libs} PARENT_SCOPE)
endfunction()
