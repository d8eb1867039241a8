#include "engine/ExprNode.h"

#include <cerrno>

int ErrorSpanLength = 1;

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

char PeekNonBlank(std::string_view text, int& position, int step)
{
    const int length = int(text.size());
    for (;;) {
        if (step > 0 ? position >= length - 1 : position <= 0)
            return 0;
        position += step;
        if (position >= 0 && position < length && !IsBlank(text[std::size_t(position)]))
            return text[std::size_t(position)];
    }
}

CExprNode::CExprNode()
{
    ErrorSpanLength = 1;
    Clear();
}

CExprNode::~CExprNode()
{
    delete m_pLeft;
    delete m_pRight;
}

void CExprNode::Clear()
{
    delete m_pLeft;
    delete m_pRight;
    m_pLeft = nullptr;
    m_pRight = nullptr;
    m_nOpId = OpNone;
    m_strName.Empty();
    m_dValue = 0;
    m_nKind = NodeNumber;
    m_nIndex = 0;
    m_bParsed = 0;
    m_chCurrent = 0;
    m_nScanPos = -1;
    m_nErrorPos = 0;
    m_nErrorCode = 0;
    ErrorSpanLength = 1;
    errno = 0;
    m_bTextResult = 0;
}

void CExprNode::SetSource(const CString& text)
{
    m_strSource = text;
    Clear();
}

void CExprNode::NextChar()
{
    const int length = m_strSource.GetLength();
    ++m_nScanPos;
    while (m_nScanPos < length && IsBlank(m_strSource[m_nScanPos]))
        ++m_nScanPos;
    if (m_nScanPos >= length) {
        m_nScanPos = length;
        m_chCurrent = 0;
    } else {
        m_chCurrent = m_strSource[m_nScanPos];
    }
}

void CExprNode::CopyFrom(const CExprNode& node)
{
    if (&node == this)
        return;
    CExprNode* left = nullptr;
    CExprNode* right = nullptr;
    if (node.m_pLeft) {
        left = new CExprNode;
        left->CopyFrom(*node.m_pLeft);
    }
    if (node.m_pRight) {
        right = new CExprNode;
        right->CopyFrom(*node.m_pRight);
    }
    delete m_pLeft;
    delete m_pRight;
    m_pLeft = left;
    m_pRight = right;
    m_nKind = node.m_nKind;
    m_dValue = node.m_dValue;
    m_strName = node.m_strName;
    m_nOpId = node.m_nOpId;
    m_nIndex = node.m_nIndex;
    m_strSource = node.m_strSource;
    m_bParsed = node.m_bParsed;
    m_chCurrent = node.m_chCurrent;
    m_nScanPos = node.m_nScanPos;
    m_nErrorPos = node.m_nErrorPos;
    m_nErrorCode = node.m_nErrorCode;
    m_pOwner = node.m_pOwner;
    m_bInList = node.m_bInList;
    m_bTextResult = node.m_bTextResult;
    m_ExpansionPath.Copy(node.m_ExpansionPath);
}

void CExprNode::ReplaceWith(const CExprNode* pChild)
{
    if (!pChild || pChild == this)
        return;
    // Copy first: the child lives inside the subtree that CopyFrom frees.
    CExprNode temp;
    temp.CopyFrom(*pChild);
    CopyFrom(temp);
}
