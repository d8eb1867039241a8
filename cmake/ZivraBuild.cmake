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
find_program(ZIVRA_CCACHE ccache)
if(ZIVRA_CCACHE)
  set(ZIVRA_CCACHE_LAUNCHER env CCACHE_BASEDIR=${PROJECT_SOURCE_DIR} CCACHE_NOHASHDIR=1 ${ZIVRA_CCACHE})
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

# zivra_library(name folder-sources...): a static library with the project's warnings,
# includes relative to the source root.
function(zivra_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${ZIVRA_WARNINGS})
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
# desktop shares: such programs hold one lock and so never run at the same time.
function(zivra_test name)
  cmake_parse_arguments(ZT "DESKTOP" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ZT_SOURCES})
  target_compile_options(${name} PRIVATE ${ZIVRA_WARNINGS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ZT_LIBS} GTest::gtest_main)
  if(WIN32)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
    if(ZT_DESKTOP)
      set_tests_properties(${name} PROPERTIES RESOURCE_LOCK zivra_desktop)
    endif()
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
  endif()
endfunction()
