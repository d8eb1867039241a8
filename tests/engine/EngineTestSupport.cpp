#include "tests/engine/EngineTestSupport.h"

#include "engine/NumberText.h"

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
