#pragma once
#include "engine/CalcEngine.h"
#include "engine/LocaleSeparators.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <string>

// A tree written back in a fixed, fully bracketed form so that tests can compare shapes:
// binary (a+b), postfix (a!), calls NAME[args], lists a;b, names as written, numbers %.15g.
std::string RenderTree(const CExprNode* node);

// Runs work on a thread of its own with a stack of the given size (a Windows program's main
// thread has 1 MB), so that a walk that recurses too deep fails here as it would for a user.
void RunWithStack(std::size_t bytes, const std::function<void()>& work);

// n copies of piece joined by op: Chain("1", "+", 3) is 1+1+1.
std::string Chain(const std::string& piece, const std::string& op, int n);
// n copies of piece.
std::string Repeat(const std::string& piece, int n);

// Every engine test starts from empty program-wide tables and the dot convention.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};
