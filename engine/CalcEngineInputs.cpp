// What the value of a parsed expression depends on, written out so that two states compare.
#include "engine/CalcEngine.h"
#include "engine/UnitRegistry.h"
#include "engine/UserFunction.h"

#include <string>
#include <vector>

namespace {

// A body may not call a user function; the bound only keeps a damaged table from looping.
constexpr int kMaxBodyDepth = 4;

class InputsWriter {
public:
    // The tree in pre-order, each missing child as '.', walked without recursion since a
    // chain of one operator may be as long as the text.
    void Walk(const CExprNode& root, int angleMode)
    {
        Put(angleMode);
        std::vector<Pending> pending{{&root, false, 0}};
        while (!pending.empty()) {
            const Pending p = pending.back();
            pending.pop_back();
            if (!p.node) {
                m_text += '.';
                continue;
            }
            Node(*p.node, p.bParameters, p.depth, pending);
            pending.push_back({p.node->m_pRight, p.bParameters, p.depth});
            pending.push_back({p.node->m_pLeft, p.bParameters, p.depth});
        }
    }

    std::string m_text;

private:
    struct Pending {
        const CExprNode* node;
        bool bParameters; // in a user function's body, whose variables are its arguments
        int depth;
    };

    template <class T> void Put(const T& value)
    {
        m_text.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void Put(const CString& text)
    {
        Put(text.GetLength());
        m_text.append(text.GetString(), std::size_t(text.GetLength()));
    }
    void Put(const std::string& text)
    {
        Put(int(text.size()));
        m_text += text;
    }

    void Node(const CExprNode& node, bool bParameters, int depth, std::vector<Pending>& pending)
    {
        Put(node.m_nKind);
        const std::size_t i = std::size_t(node.m_nIndex);
        switch (node.m_nKind) {
        case NodeNumber: // literals as the number base read them, ANS, PI
            Put(node.m_dValue);
            break;
        case NodeVariable: // by value; in a body, an argument by its place
            Put(node.m_strName);
            if (bParameters)
                Put(node.m_nIndex);
            else if (node.m_pOwner && i < node.m_pOwner->m_Variables.size())
                Put(node.m_pOwner->m_Variables[i].dValue);
            break;
        case NodeIndependent:
            Put(node.m_nIndex);
            break;
        case NodePredefined:
            if (i < GetPredefinedNames().size())
                Put(GetPredefinedNames()[i].dValue);
            break;
        case NodeUserConstant:
            if (i < GetUserConstants().size())
                Put(GetUserConstants()[i].dValue);
            break;
        case NodeString:
            Put(node.m_strSource);
            break;
        case NodeSymbol:
            Put(node.m_strName);
            break;
        case NodeOperator:
            Put(node.m_nOpId);
            Operator(node, depth, pending);
            break;
        default:
            break;
        }
    }

    void Operator(const CExprNode& node, int depth, std::vector<Pending>& pending)
    {
        switch (node.m_nOpId) {
        case OpFInt:
        case OpFDiff:
        case OpFZero:
        case OpFMin:
        case OpFSum:
            if (node.m_pOwner) {
                Put(node.m_pOwner->m_SolverFormat.m_dRoundingUnit);
                Put(node.m_pOwner->m_nSolverSteps);
            }
            break;
        case OpConvert:
            for (int u = 0; u < GetUserUnitCount(); ++u) {
                const UnitRecord unit = GetUserUnit(u);
                Put(unit.name);
                Put(unit.base);
                Put(unit.factor);
            }
            break;
        case OpUserFunction: {
            const std::size_t f = std::size_t(node.m_nIndex);
            if (f >= GetUserFunctions().size() || depth >= kMaxBodyDepth)
                break;
            const CUserFunction& function = *GetUserFunctions()[f];
            Put(function.m_nAngleMode);
            pending.push_back({&function.m_Root, true, depth + 1});
            break;
        }
        default:
            break;
        }
    }
};

} // namespace

std::string CCalcEngine::DescribeInputs() const
{
    if (!m_Root.m_bParsed || m_Root.m_nErrorCode != 0)
        return std::string();
    InputsWriter writer;
    writer.Walk(m_Root, m_nAngleMode);
    return writer.m_text;
}

int CCalcEngine::ParseDescribingInputs(const CString& text, std::string& inputs)
{
    SetExpression(text);
    const int error = Parse();
    if (error != 0)
        inputs.append(1, '!').append(std::to_string(error));
    else
        inputs += DescribeInputs();
    return error;
}

bool CCalcEngine::ReadsAngles() const
{
    if (!m_Root.m_bParsed)
        return false;
    return AnyNode(m_Root, [](const CExprNode& node) {
        const int op = node.m_nOpId;
        return node.m_nKind == NodeOperator &&
               ((op >= OpSin && op <= OpCot) || (op >= OpAsin && op <= OpAcot));
    });
}
