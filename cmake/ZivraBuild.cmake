# Project-wide build settings and helpers shared by every folder.

option(ZIVRA_BUILD_TESTS "Build the test programs" ON)
option(ZIVRA_BUILD_BENCH "Build the benchmarks (native only)" OFF)
option(ZIVRA_WERROR "Treat the project's warnings as errors" ON)
option(ZIVRA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

set(ZIVRA_WARNINGS -Wall -Wextra -Wshadow)
if(ZIVRA_WERROR)
  list(APPEND ZIVRA_WARNINGS -Werror)
endif()

# A second build of the same sources on this machine (CI reruns, other work trees) comes from the
# compiler cache when there is one. Paths inside the tree are hashed relative to it and the build
# folder is left out of the hash, so a clone in another folder hits what an earlier one stored.
# Sources compiled with a precompiled header are cached only with the sloppiness below (no source
# uses __DATE__ or __TIME__).
find_program(ZIVRA_CCACHE ccache)
if(ZIVRA_CCACHE)
  set(ZIVRA_CCACHE_LAUNCHER env CCACHE_BASEDIR=${PROJECT_SOURCE_DIR} CCACHE_NOHASHDIR=1
                            CCACHE_SLOPPINESS=pch_defines,time_macros ${ZIVRA_CCACHE})
  set(CMAKE_C_COMPILER_LAUNCHER ${ZIVRA_CCACHE_LAUNCHER})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${ZIVRA_CCACHE_LAUNCHER})
endif()

if(ZIVRA_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
  # One self-contained executable per program: no runtime DLLs to ship.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 _USE_MATH_DEFINES)
endif()

# --- Precompiled headers for window code ----------------------------------------------------
# Every window source reads <windows.h>, the common controls and the window layer's headers,
# which cost more to compile than most sources themselves. The build compiles them once
# (framework/win/Precompiled.h, and tests/support/Precompiled.h with the test framework for test
# programs) and gives them to every Windows-only target: zivra_library does so for libraries
# named *_win, zivra_test for programs that link one, and a Windows program made with
# add_executable calls zivra_win_pch itself. A new source needs nothing: each of its target's
# sources is compiled with the header read first. -DZIVRA_PCH=OFF builds without them, which
# shows a window source that forgot an include.
option(ZIVRA_PCH "Give Windows-only targets the window layer's precompiled header" ON)
# GCC 12 drops the standard library's own "#pragma GCC diagnostic" lines from a precompiled
# header, so the warnings <bits/char_traits.h> turns off inside itself (false alarms on inlined
# string copies) come back in every user of the header; they are turned off on the command line.
set(ZIVRA_PCH_OPTIONS -Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread)

# zivra_win_pch(target [TEST]): target's sources read the window layer's precompiled header
# (with the test framework's for TEST), compiled once by a target of its own.
function(zivra_win_pch target)
  cmake_parse_arguments(ZP "TEST" "" "" ${ARGN})
  if(NOT WIN32 OR NOT ZIVRA_PCH)
    return()
  endif()
  if(ZP_TEST)
    set(owner zivra_win_test_pch)
    set(header tests/support/Precompiled.h)
  else()
    set(owner zivra_win_pch)
    set(header framework/win/Precompiled.h)
  endif()
  if(NOT TARGET ${owner})
    # The header is compiled with the flags of the targets that use it, as GCC requires; a
    # target whose flags differ fails to build rather than silently reading the headers again.
    file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/${owner}.cpp CONTENT "")
    add_library(${owner} OBJECT ${PROJECT_BINARY_DIR}/${owner}.cpp)
    target_include_directories(${owner} PRIVATE ${PROJECT_SOURCE_DIR})
    target_compile_options(${owner} PRIVATE ${ZIVRA_WARNINGS} ${ZIVRA_PCH_OPTIONS})
    if(ZP_TEST)
      target_link_libraries(${owner} PRIVATE GTest::gtest)
    endif()
    # Named as an include, so the generated header reads the same in every clone of the tree
    # and the compiler cache can share it.
    target_precompile_headers(${owner} PRIVATE "<${header}>")
  endif()
  target_precompile_headers(${target} REUSE_FROM ${owner})
  target_compile_options(${target} PRIVATE ${ZIVRA_PCH_OPTIONS})
endfunction()

# zivra_library(name folder-sources...): a static library with the project's warnings,
# includes relative to the source root. A library named *_win holds window code (Windows only).
function(zivra_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${ZIVRA_WARNINGS})
  if(name MATCHES "_win$")
    zivra_win_pch(${name})
  endif()
endfunction()

# --- GSL --------------------------------------------------------------------
if(WIN32)
  set(ZIVRA_GSL_DIR "$ENV{HOME}/.cache/zivra-deps/gsl-2.7.1-x86_64-w64-mingw32"
      CACHE PATH "GSL cross-built for MinGW-w64 by tools/setup-deps")
  if(NOT EXISTS "${ZIVRA_GSL_DIR}/lib/libgsl.a")
    message(FATAL_ERROR "GSL for Windows not found in ${ZIVRA_GSL_DIR}: run tools/setup-deps")
  endif()
  add_library(GSL::gslcblas STATIC IMPORTED)
  set_target_properties(GSL::gslcblas PROPERTIES
    IMPORTED_LOCATION "${ZIVRA_GSL_DIR}/lib/libgslcblas.a")
  add_library(GSL::gsl STATIC IMPORTED)
  set_target_properties(GSL::gsl PROPERTIES
    IMPORTED_LOCATION "${ZIVRA_GSL_DIR}/lib/libgsl.a"
    INTERFACE_INCLUDE_DIRECTORIES "${ZIVRA_GSL_DIR}/include"
    INTERFACE_LINK_LIBRARIES GSL::gslcblas)
else()
  find_package(GSL REQUIRED)
endif()

# --- GoogleTest ---------------------------------------------------------------
if(ZIVRA_BUILD_TESTS)
  if(WIN32)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  else()
    find_package(GTest REQUIRED)
    include(GoogleTest)
  endif()
endif()

# zivra_test(name [DESKTOP] SOURCES src... LIBS lib...): one GoogleTest program. Natively every
# test case becomes a CTest test; a Windows program runs under Wine as one CTest test, since its
# cases cannot be listed at configure time. DESKTOP marks a program whose windows take or depend
# on the keyboard focus, the activation or the cursor, which every program on the one Wine
# desktop shares: such programs hold one lock and so never run at the same time. A program that
# links a *_win library is a window test program and reads the precompiled header.
function(zivra_test name)
  cmake_parse_arguments(ZT "DESKTOP" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ZT_SOURCES})
  target_compile_options(${name} PRIVATE ${ZIVRA_WARNINGS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ZT_LIBS} GTest::gtest_main)
  if(ZT_LIBS MATCHES "_win(;|$)")
    zivra_win_pch(${name} TEST)
  endif()
  if(WIN32)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
    if(ZT_DESKTOP)
      set_tests_properties(${name} PROPERTIES RESOURCE_LOCK zivra_desktop)
    endif()
  else()
    # A case that calls GTEST_SKIP shows as skipped; parameterised cases keep the names their
    # suites give them, without the bytes of the parameter.
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES PROPERTIES TIMEOUT 300)
  endif()
endfunction()
