#include "engine/ExprNode.h"

#include <cerrno>
#include <memory>
#include <utility>
#include <vector>

int ErrorSpanLength = 1;

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Frees a tree without recursion, however long its chains: the left child is rotated up until
// the top node has none; then that node goes and its right child takes its place.
void FreeTree(CExprNode* node)
{
    while (node) {
        if (CExprNode* left = node->m_pLeft) {
            node->m_pLeft = left->m_pRight;
            left->m_pRight = node;
            node = left;
        } else {
            CExprNode* right = node->m_pRight;
            node->m_pRight = nullptr;
            delete node; // childless now: its destructor frees nothing
            node = right;
        }
    }
}

// Every field but the children.
void CopyFields(CExprNode& to, const CExprNode& from)
{
    to.m_nKind = from.m_nKind;
    to.m_dValue = from.m_dValue;
    to.m_strName = from.m_strName;
    to.m_nOpId = from.m_nOpId;
    to.m_nIndex = from.m_nIndex;
    to.m_strSource = from.m_strSource;
    to.m_bParsed = from.m_bParsed;
    to.m_chCurrent = from.m_chCurrent;
    to.m_nScanPos = from.m_nScanPos;
    to.m_nErrorPos = from.m_nErrorPos;
    to.m_nErrorCode = from.m_nErrorCode;
    to.m_pOwner = from.m_pOwner;
    to.m_bInList = from.m_bInList;
    to.m_bTextResult = from.m_bTextResult;
    to.m_ExpansionPath.Copy(from.m_ExpansionPath);
}

// A deep copy of source, made without recursion.
CExprNode* CopyTree(const CExprNode& source)
{
    auto top = std::make_unique<CExprNode>();
    CopyFields(*top, source);
    std::vector<std::pair<const CExprNode*, CExprNode*>> pending{{&source, top.get()}};
    while (!pending.empty()) {
        const auto [from, to] = pending.back();
        pending.pop_back();
        if (from->m_pLeft) {
            to->m_pLeft = new CExprNode;
            CopyFields(*to->m_pLeft, *from->m_pLeft);
            pending.emplace_back(from->m_pLeft, to->m_pLeft);
        }
        if (from->m_pRight) {
            to->m_pRight = new CExprNode;
            CopyFields(*to->m_pRight, *from->m_pRight);
            pending.emplace_back(from->m_pRight, to->m_pRight);
        }
    }
    return top.release();
}

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
    FreeTree(m_pLeft);
    FreeTree(m_pRight);
}

void CExprNode::Clear()
{
    FreeTree(m_pLeft);
    FreeTree(m_pRight);
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
    // Copy first: node may lie inside the subtree that is freed.
    CExprNode* left = node.m_pLeft ? CopyTree(*node.m_pLeft) : nullptr;
    CExprNode* right = node.m_pRight ? CopyTree(*node.m_pRight) : nullptr;
    FreeTree(m_pLeft);
    FreeTree(m_pRight);
    m_pLeft = left;
    m_pRight = right;
    CopyFields(*this, node);
}

void CExprNode::ReplaceWith(const CExprNode* pChild)
{
    if (!pChild || pChild == this)
        return;
    // A direct child moves up as it is; a deeper descendant is copied first, since the
    // subtree that holds it is freed.
    CExprNode* child = pChild == m_pLeft ? m_pLeft : pChild == m_pRight ? m_pRight : nullptr;
    if (!child) {
        child = CopyTree(*pChild);
        FreeTree(m_pLeft);
        FreeTree(m_pRight);
        m_pLeft = child;
        m_pRight = nullptr;
    }
    TakeOver(child);
}

void CExprNode::TakeOver(CExprNode* pChild)
{
    if (pChild == m_pLeft)
        m_pLeft = nullptr;
    else
        m_pRight = nullptr;
    FreeTree(m_pLeft);
    FreeTree(m_pRight);
    m_pLeft = pChild->m_pLeft;
    m_pRight = pChild->m_pRight;
    pChild->m_pLeft = pChild->m_pRight = nullptr;
    CopyFields(*this, *pChild);
    delete pChild;
}
