#pragma once
#include "engine/CalcEngine.h"
#include "engine/LocaleSeparators.h"

#include <gtest/gtest.h>

#include <string>

// A tree written back in a fixed, fully bracketed form so that tests can compare shapes:
// binary (a+b), postfix (a!), calls NAME[args], lists a;b, names as written, numbers %.15g.
std::string RenderTree(const CExprNode* node);

// Every engine test starts from empty program-wide tables and the dot convention.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};
