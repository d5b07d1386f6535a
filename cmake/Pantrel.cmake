# Project-wide build helpers: every library, program, test, fuzz target and benchmark of
# Pantrel is declared through these so that flags and test registration stay in one place.
#
# PANTREL_WINDOWS  the build targets Windows (mingw-w64); PANTREL_NATIVE  a Linux build of
# the platform-neutral code (unit tests under sanitizers, fuzz targets).
if(WIN32)
  set(PANTREL_WINDOWS ON)
  set(PANTREL_NATIVE OFF)
else()
  set(PANTREL_WINDOWS OFF)
  set(PANTREL_NATIVE ON)
endif()

# The gcc builds hold warnings as errors; the clang fuzz build only shows them.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(PANTREL_WARNINGS -Wall -Wextra -Werror)
else()
  set(PANTREL_WARNINGS -Wall -Wextra)
endif()
# Narrow literals become GBK bytes; clang cannot do that, so its (fuzz) build keeps UTF-8.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(PANTREL_CHARSET -finput-charset=UTF-8 -fexec-charset=GBK)
else()
  set(PANTREL_CHARSET)
endif()

if(PANTREL_WINDOWS)
  add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0600 NOMINMAX)
  # Static executables: a build folder can be copied to Windows and run as it is.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Sections start on page boundaries in the file as in memory, so the loader maps a program
  # instead of reading all of it into fresh memory at every start (Wine reads unaligned images).
  add_link_options(-Wl,--file-alignment=0x1000)
endif()
if(PANTREL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(PANTREL_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(PANTREL_FUZZ)
  add_custom_target(pantrel_fuzzers)
endif()

function(_pantrel_flags target)
  target_compile_options(${target} PRIVATE ${PANTREL_WARNINGS} ${PANTREL_CHARSET})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
endfunction()

# pantrel_library(name SOURCES ... [DEPS ...])
function(pantrel_library name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  _pantrel_flags(${name})
  target_link_libraries(${name} PUBLIC ${A_DEPS})
endfunction()

# pantrel_executable(name [GUI] SOURCES ... [DEPS ...]); GUI makes a Windows GUI program.
function(pantrel_executable name)
  cmake_parse_arguments(A "GUI" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  _pantrel_flags(${name})
  target_link_libraries(${name} PRIVATE ${A_DEPS})
  if(A_GUI AND PANTREL_WINDOWS)
    set_target_properties(${name} PROPERTIES WIN32_EXECUTABLE ON)
  endif()
endfunction()

# pantrel_test(name [GUI] SOURCES ... [DEPS ...] [TIMEOUT s])
# A GoogleTest executable registered with ctest. Under Windows builds ctest runs it through
# scripts/wine-run (the cross-compiling emulator); GUI tests get the label "gui" and need
# the display that test.sh starts.
function(pantrel_test name)
  if(NOT PANTREL_TESTS)
    return()
  endif()
  cmake_parse_arguments(A "GUI" "TIMEOUT" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  _pantrel_flags(${name})
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest_main GTest::gmock)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 300)
  endif()
  set(_out ${CMAKE_BINARY_DIR}/test-output)
  file(MAKE_DIRECTORY ${_out})
  if(PANTREL_WINDOWS)
    # Wine sees the Linux file system as drive Z:.
    string(REPLACE "/" "\\" _out "Z:${_out}")
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${A_TIMEOUT}
    ENVIRONMENT "PANTREL_TEST_OUT=${_out}")
  if(A_GUI)
    set_tests_properties(${name} PROPERTIES LABELS gui)
  endif()
endfunction()

# pantrel_fuzz(name SOURCES ... [DEPS ...] [CORPUS dir])
# A libFuzzer target (only in the fuzz build). ctest replays its committed corpus once, so
# every found crash stays a regression test; run the binary by hand to fuzz for longer.
function(pantrel_fuzz name)
  if(NOT PANTREL_FUZZ)
    return()
  endif()
  cmake_parse_arguments(A "" "CORPUS" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  _pantrel_flags(${name})
  target_link_libraries(${name} PRIVATE ${A_DEPS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_dependencies(pantrel_fuzzers ${name})
  if(A_CORPUS)
    add_test(NAME ${name} COMMAND ${name} -runs=0 ${A_CORPUS})
  else()
    add_test(NAME ${name} COMMAND ${name} -runs=2000)
  endif()
endfunction()

# pantrel_benchmark(name SOURCES ... [DEPS ...] [ARGS ...]): a separate executable, never run
# by ctest. Every benchmark of a build is listed, with its arguments, in the build's
# benchmarks.txt (name, program, arguments; tab-separated), which scripts/bench.sh runs.
# pantrel_benchmark_args(name ARGS...) gives the arguments of one declared elsewhere.
function(pantrel_benchmark name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS;ARGS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  _pantrel_flags(${name})
  target_link_libraries(${name} PRIVATE ${A_DEPS})
  set_property(TARGET ${name} PROPERTY PANTREL_BENCHMARK_ARGS "${A_ARGS}")
  set_property(GLOBAL APPEND PROPERTY PANTREL_BENCHMARKS ${name})
  get_property(_listed GLOBAL PROPERTY PANTREL_BENCHMARK_LIST_DEFERRED)
  if(NOT _listed)
    set_property(GLOBAL PROPERTY PANTREL_BENCHMARK_LIST_DEFERRED ON)
    cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _pantrel_list_benchmarks)
  endif()
endfunction()

function(pantrel_benchmark_args name)
  set_property(TARGET ${name} PROPERTY PANTREL_BENCHMARK_ARGS "${ARGN}")
endfunction()

function(_pantrel_list_benchmarks)
  get_property(_names GLOBAL PROPERTY PANTREL_BENCHMARKS)
  set(_lines "")
  foreach(_name IN LISTS _names)
    get_property(_args TARGET ${_name} PROPERTY PANTREL_BENCHMARK_ARGS)
    string(REPLACE ";" "\t" _args "${_args}")
    string(APPEND _lines "${_name}\t$<TARGET_FILE:${_name}>\t${_args}\n")
  endforeach()
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/benchmarks.txt CONTENT "${_lines}")
endfunction()

# Build-time generators run on this machine: the native build makes them (into bin/), and a
# Windows build takes them from PANTREL_HOST_BIN (the native build's bin/).
set(PANTREL_HOST_BIN "" CACHE PATH "bin/ folder of the native build (build-time tools)")
if(PANTREL_NATIVE)
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endif()

# pantrel_host_tool(<var> <tool>): the command that runs build tool <tool> on this machine.
function(pantrel_host_tool var tool)
  if(PANTREL_NATIVE)
    set(${var} $<TARGET_FILE:${tool}> PARENT_SCOPE)
  else()
    if(NOT PANTREL_HOST_BIN)
      message(FATAL_ERROR "PANTREL_HOST_BIN must name the native build's bin/ folder")
    endif()
    set(${var} ${PANTREL_HOST_BIN}/${tool} PARENT_SCOPE)
  endif()
endfunction()
