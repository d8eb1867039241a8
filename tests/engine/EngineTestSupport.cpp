#include "tests/engine/EngineTestSupport.h"

#include "engine/NumberText.h"
#include "framework/core/Platform.h"

#ifndef _WIN32
#include <pthread.h>
#endif

std::string RenderTree(const CExprNode* node)
{
    if (!node)
        return "<null>";
    switch (node->m_nKind) {
    case NodeNumber:
        return std::string(numtext::General(node->m_dValue, 15, '.').GetString());
    case NodeString:
        return "\"" + std::string(node->m_strSource.GetString()) + "\"";
    case NodeList:
        return RenderTree(node->m_pLeft) + ";" + RenderTree(node->m_pRight);
    case NodeOperator: {
        std::string name(node->m_strName.GetString());
        if (node->m_nOpId >= OpAdd && node->m_nOpId <= OpPower && name.size() == 1)
            return "(" + RenderTree(node->m_pLeft) + name + RenderTree(node->m_pRight) + ")";
        if (name == "%" || name == "!")
            return "(" + RenderTree(node->m_pLeft) + name + ")";
        return name + "[" + (node->m_pLeft ? RenderTree(node->m_pLeft) : std::string()) + "]";
    }
    default:
        return std::string(node->m_strName.GetString());
    }
}

void EngineTest::SetUp()
{
    FreeGlobalSymbolTables();
    ResetIndependentVariables();
    UseDotSeparators();
}

void EngineTest::TearDown()
{
    FreeGlobalSymbolTables();
    ResetIndependentVariables();
    UseDotSeparators();
}

namespace {

struct StackWork {
    const std::function<void()>& work;
    bool finished = false;
};

#ifdef _WIN32
DWORD WINAPI RunWork(void* data)
#else
void* RunWork(void* data)
#endif
{
    auto* run = static_cast<StackWork*>(data);
    run->work();
    run->finished = true;
    return 0;
}

} // namespace

void RunWithStack(std::size_t bytes, const std::function<void()>& work)
{
    StackWork run{work};
#ifdef _WIN32
    // The size reserves the whole stack, as the linker's setting does for a main thread; without
    // the flag it would only be committed up front within the program's own larger reserve.
    HANDLE thread =
        ::CreateThread(nullptr, bytes, RunWork, &run, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    ASSERT_NE(thread, nullptr);
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
#else
#if defined(__SANITIZE_ADDRESS__)
    bytes *= 8; // instrumented frames are several times larger
#endif
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, bytes);
    pthread_t thread;
    const int created = pthread_create(&thread, &attributes, RunWork, &run);
    pthread_attr_destroy(&attributes);
    ASSERT_EQ(created, 0);
    pthread_join(thread, nullptr);
#endif
    // A thread that overflows its stack may end without taking the process with it.
    EXPECT_TRUE(run.finished) << "the work did not finish on a stack of " << bytes << " bytes";
}

std::string Repeat(const std::string& piece, int n)
{
    std::string text;
    text.reserve(piece.size() * std::size_t(n > 0 ? n : 0));
    for (int i = 0; i < n; ++i)
        text += piece;
    return text;
}

std::string Chain(const std::string& piece, const std::string& op, int n)
{
    return piece + Repeat(op + piece, n - 1);
}
