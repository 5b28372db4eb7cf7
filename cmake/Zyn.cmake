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

# zyn_tests(<target> [GUI] [LABEL <label> TIMEOUT <s>] LIBS <targets...>) - one GoogleTest executable
# of the .cpp files in the current tests folder, each test registered with ctest. Every test programme
# runs in an isolated temporary home; GUI tests run on the offscreen platform with one application. A
# label keeps long runs out of the default test preset (which excludes "soak").
function(zyn_tests target)
  cmake_parse_arguments(ARG "GUI" "LABEL;TIMEOUT" "LIBS" ${ARGN})
  # QtTest through zyn_qt_test, whose definitions are the same in every folder.
  list(TRANSFORM ARG_LIBS REPLACE "^Qt6::Test$" zyn_qt_test)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
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
  # Properties in pairs; an empty value would shift the pairs that follow it.
  set(_props TIMEOUT ${ARG_TIMEOUT})
  if(ARG_GUI)
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
    zyn_qt_test_target()
    target_link_libraries(${target} PRIVATE zyn_test_support_qt zyn_qt_test)
    zyn_test_pch(${target} GUI)
  else()
    zyn_test_pch(${target})
  endif()
  if(ARG_LABEL)
    list(APPEND _props LABELS ${ARG_LABEL})
  endif()
  # The sanitizer options are set by the test main (tests/support/TestMain.cpp).
  if(ARG_GUI)
    list(APPEND _props ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${_props})
  # The whole programme once in one process as well: faults that one test leaves for the next
  # (freed memory, global state) show only there.
  # It runs every test one after the other, so it gets the time of many on a loaded machine.
  add_test(NAME ${target}.whole COMMAND ${target} --gtest_brief=1)
  set_tests_properties(${target}.whole PROPERTIES ${_props})
  math(EXPR _wholeTimeout "${ARG_TIMEOUT} * 8")
  set_tests_properties(${target}.whole PROPERTIES TIMEOUT ${_wholeTimeout})
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
