#pragma once
// Records the framework's failed precondition checks instead of stopping the program, for as
// long as it lives, so a test can show that a misuse is both caught and refused.
#include "framework/core/CObject.h"

#include <string>
#include <vector>

class AssertRecorder {
public:
    AssertRecorder() : m_previous(ZivraSetAssertHandler(&Record)) { Current() = this; }
    ~AssertRecorder()
    {
        ZivraSetAssertHandler(m_previous);
        Current() = nullptr;
    }
    AssertRecorder(const AssertRecorder&) = delete;
    AssertRecorder& operator=(const AssertRecorder&) = delete;

    std::vector<std::string> failures; // the failed conditions, in order

private:
    static AssertRecorder*& Current()
    {
        static AssertRecorder* current = nullptr;
        return current;
    }
    static void Record(const char* condition, const char*, int)
    {
        Current()->failures.emplace_back(condition);
    }
    ZivraAssertHandler m_previous;
};
