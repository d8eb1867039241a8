#pragma once
#include "engine/CalcEngine.h"

#include <gtest/gtest.h>

#include <string>

// What evaluating one text gave: the parse code, the evaluation code and the value.
struct Evaluation {
    int parseCode = 0;
    int code = 0;
    double value = 0;
    std::string text; // the result text of base conversions
    int oneShotBase = -1;
};

// Parses and evaluates text in a fresh engine with the given angle mode (1 radians).
Evaluation Evaluate(const char* text, int angleMode = AngleRadians);

// One value case: the text, the value expected and the tolerance (relative above 1).
struct ValueCase {
    const char* text;
    double expected;
    double tolerance = 1e-12;
};

// One error case: the text and the code its evaluation must report.
struct ErrorCase {
    const char* text;
    EngineErrorCode code;
};

void ExpectValues(const ValueCase* cases, size_t count, int angleMode = AngleRadians);
void ExpectErrors(const ErrorCase* cases, size_t count, int angleMode = AngleRadians);

// Every evaluator test starts from the start-up state of the engine's program-wide tables.
class EvaluatorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};
