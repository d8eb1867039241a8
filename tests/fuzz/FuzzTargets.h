#pragma once
// The fuzz targets: each takes any bytes and must neither crash, hang, exhaust memory nor let
// an exception other than the archive's own escape. A libFuzzer program wraps one of them
// (LibFuzzerEntry.cpp); the replay test feeds each its corpus in tests/fuzz/corpus/<name>/.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using FuzzEntry = int (*)(const std::uint8_t* data, std::size_t size);

int FuzzArchivePrimitives(const std::uint8_t* data, std::size_t size);
int FuzzStoredVariables(const std::uint8_t* data, std::size_t size);
int FuzzStoredExpressionVariables(const std::uint8_t* data, std::size_t size);
int FuzzStoredUserFunctions(const std::uint8_t* data, std::size_t size);
int FuzzStoredUserConstants(const std::uint8_t* data, std::size_t size);
int FuzzStoredUserUnits(const std::uint8_t* data, std::size_t size);
int FuzzSolverModel(const std::uint8_t* data, std::size_t size);
int FuzzEngineParser(const std::uint8_t* data, std::size_t size);
int FuzzProjectFile(const std::uint8_t* data, std::size_t size);
int FuzzUserData(const std::uint8_t* data, std::size_t size);

struct FuzzTarget {
    const char* name; // the corpus folder and the libFuzzer program (<name>_fuzz)
    FuzzEntry entry;
};

// In replay order: the parser's program-wide names are defined last, after the stored-table
// targets have replaced those tables for the last time.
inline constexpr FuzzTarget kFuzzTargets[] = {
    {"archive_primitives", FuzzArchivePrimitives},
    {"stored_variables", FuzzStoredVariables},
    {"stored_expression_variables", FuzzStoredExpressionVariables},
    {"stored_user_functions", FuzzStoredUserFunctions},
    {"stored_user_constants", FuzzStoredUserConstants},
    {"stored_user_units", FuzzStoredUserUnits},
    {"solver_model", FuzzSolverModel},
    {"project_file", FuzzProjectFile},
    {"user_data", FuzzUserData},
    {"engine_parser", FuzzEngineParser},
};

// A fault found by a target: reported with its reason, then the program stops (libFuzzer
// keeps the input; the replay names the corpus file).
[[noreturn]] inline void FuzzFault(const char* reason)
{
    std::fprintf(stderr, "fuzz fault: %s\n", reason);
    std::fflush(stderr);
    std::abort();
}
