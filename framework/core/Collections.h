#pragma once
#include "framework/core/CArchive.h"
#include "framework/core/CObject.h"
#include "framework/core/CString.h"

#include <functional>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// The framework's arrays, lists and maps, thin over the standard library, with the member
// names the program is written against. Indexes are INT_PTR; an index out of range is a
// programming error (ASSERT in debug builds).

// An opaque place in a list or a map, from GetHeadPosition/GetStartPosition; nullptr at the end.
struct ZivraPosition;
typedef ZivraPosition* POSITION;

namespace zivra_detail {

// Storing and loading one element: scalars and strings through the archive's primitives.
template <class T> void SerializeElement(CArchive& ar, T& element)
{
    if constexpr (requires {
                      ar << element;
                      ar >> element;
                  }) {
        if (ar.IsStoring())
            ar << element;
        else
            ar >> element;
    } else {
        (void)ar;
        (void)element;
        ASSERT(!"this element type has no stored form");
    }
}

// The fewest bytes one element takes in a file, to refuse counts the file cannot hold.
template <class T> constexpr ULONGLONG MinStoredBytes()
{
    if constexpr (std::is_arithmetic_v<T>)
        return sizeof(T);
    else
        return 1;
}

} // namespace zivra_detail

// ---------------------------------------------------------------------------- arrays

template <class TYPE, class ARG_TYPE = const TYPE&> class CArray : public CObject {
public:
    CArray() = default;

    INT_PTR GetSize() const { return INT_PTR(m_data.size()); }
    INT_PTR GetCount() const { return INT_PTR(m_data.size()); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return m_data.empty(); }
    // nGrowBy is accepted for the classic spelling; growth is the vector's.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        (void)nGrowBy;
        ASSERT(nNewSize >= 0);
        m_data.resize(std::size_t(std::max<INT_PTR>(nNewSize, 0)));
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_data[Checked(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_data[Checked(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[Checked(nIndex)] = newElement; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_data[Checked(nIndex)]; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_data[Checked(nIndex)]; }
    const TYPE* GetData() const { return m_data.data(); }
    TYPE* GetData() { return m_data.data(); }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        ASSERT(nIndex >= 0);
        if (nIndex >= GetSize())
            SetSize(nIndex + 1);
        m_data[std::size_t(nIndex)] = newElement;
    }
    INT_PTR Add(ARG_TYPE newElement)
    {
        m_data.push_back(newElement);
        return GetSize() - 1;
    }
    // Returns the index of the first appended element.
    INT_PTR Append(const CArray& src)
    {
        const INT_PTR old = GetSize();
        if (&src == this) {
            m_data.reserve(m_data.size() * 2);
            std::copy_n(m_data.begin(), old, std::back_inserter(m_data));
        } else {
            m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
        }
        return old;
    }
    void Copy(const CArray& src)
    {
        if (&src != this)
            m_data = src.m_data;
    }
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        ASSERT(nIndex >= 0 && nCount >= 0);
        const TYPE value(newElement); // may refer into this array
        if (nIndex > GetSize())
            SetSize(nIndex);
        m_data.insert(m_data.begin() + nIndex, std::size_t(std::max<INT_PTR>(nCount, 0)), value);
    }
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
    {
        ASSERT(pNewArray != nullptr && nStartIndex >= 0);
        const std::vector<TYPE> items(pNewArray->m_data);
        if (nStartIndex > GetSize())
            SetSize(nStartIndex);
        m_data.insert(m_data.begin() + nStartIndex, items.begin(), items.end());
    }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        ASSERT(nIndex >= 0 && nCount >= 0 && nIndex + nCount <= GetSize());
        const INT_PTR first = std::clamp<INT_PTR>(nIndex, 0, GetSize());
        const INT_PTR last = std::clamp<INT_PTR>(nIndex + nCount, first, GetSize());
        m_data.erase(m_data.begin() + first, m_data.begin() + last);
    }

    // Element count, then each element (scalars and strings only).
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount(DWORD_PTR(m_data.size()));
        } else {
            const DWORD_PTR n = ar.ReadCount();
            ar.CheckCount(n, zivra_detail::MinStoredBytes<TYPE>());
            std::vector<TYPE> loaded(n);
            for (TYPE& element : loaded)
                zivra_detail::SerializeElement(ar, element);
            m_data.swap(loaded);
            return;
        }
        for (TYPE& element : m_data)
            zivra_detail::SerializeElement(ar, element);
    }

    auto begin() { return m_data.begin(); }
    auto end() { return m_data.end(); }
    auto begin() const { return m_data.begin(); }
    auto end() const { return m_data.end(); }

private:
    std::size_t Checked(INT_PTR nIndex) const
    {
        ASSERT(nIndex >= 0 && nIndex < GetSize());
        return std::size_t(nIndex);
    }

    std::vector<TYPE> m_data;
};

class CByteArray : public CArray<BYTE, BYTE> {};
class CWordArray : public CArray<WORD, WORD> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
class CUIntArray : public CArray<UINT, UINT> {};
class CPtrArray : public CArray<void*, void*> {};
class CObArray : public CArray<CObject*, CObject*> {};
class CStringArray : public CArray<CString, const CString&> {
public:
    INT_PTR Add(const char* psz) { return CArray::Add(CString(psz)); }
    INT_PTR Add(const CString& s) { return CArray::Add(s); }
};

// ---------------------------------------------------------------------------- lists

template <class TYPE, class ARG_TYPE = const TYPE&> class CList : public CObject {
public:
    explicit CList(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
    ~CList() override { RemoveAll(); }
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead()
    {
        ASSERT(m_pHead);
        return m_pHead->data;
    }
    const TYPE& GetHead() const
    {
        ASSERT(m_pHead);
        return m_pHead->data;
    }
    TYPE& GetTail()
    {
        ASSERT(m_pTail);
        return m_pTail->data;
    }
    const TYPE& GetTail() const
    {
        ASSERT(m_pTail);
        return m_pTail->data;
    }

    TYPE RemoveHead()
    {
        ASSERT(m_pHead);
        TYPE value = m_pHead->data;
        Unlink(m_pHead);
        return value;
    }
    TYPE RemoveTail()
    {
        ASSERT(m_pTail);
        TYPE value = m_pTail->data;
        Unlink(m_pTail);
        return value;
    }
    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(GetHeadPosition(), newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(GetTailPosition(), newElement); }
    void AddTail(const CList* pNewList)
    {
        for (POSITION pos = pNewList->GetHeadPosition(); pos;)
            AddTail(pNewList->GetNext(pos));
    }
    void RemoveAll()
    {
        while (m_pHead)
            Unlink(m_pHead);
    }

    POSITION GetHeadPosition() const { return ToPos(m_pHead); }
    POSITION GetTailPosition() const { return ToPos(m_pTail); }
    // The element at pos; pos moves to the next one (nullptr after the last).
    TYPE& GetNext(POSITION& pos)
    {
        Node* n = FromPos(pos);
        pos = ToPos(n->pNext);
        return n->data;
    }
    const TYPE& GetNext(POSITION& pos) const
    {
        Node* n = FromPos(pos);
        pos = ToPos(n->pNext);
        return n->data;
    }
    TYPE& GetPrev(POSITION& pos)
    {
        Node* n = FromPos(pos);
        pos = ToPos(n->pPrev);
        return n->data;
    }
    const TYPE& GetPrev(POSITION& pos) const
    {
        Node* n = FromPos(pos);
        pos = ToPos(n->pPrev);
        return n->data;
    }
    TYPE& GetAt(POSITION pos) { return FromPos(pos)->data; }
    const TYPE& GetAt(POSITION pos) const { return FromPos(pos)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { FromPos(pos)->data = newElement; }
    void RemoveAt(POSITION pos) { Unlink(FromPos(pos)); }

    POSITION InsertBefore(POSITION pos, ARG_TYPE newElement)
    {
        Node* next = pos ? FromPos(pos) : m_pHead;
        Node* node = new Node{newElement, next ? next->pPrev : nullptr, next};
        Link(node);
        return ToPos(node);
    }
    POSITION InsertAfter(POSITION pos, ARG_TYPE newElement)
    {
        Node* prev = pos ? FromPos(pos) : m_pTail;
        Node* node = new Node{newElement, prev, prev ? prev->pNext : nullptr};
        Link(node);
        return ToPos(node);
    }
    // The first element equal to searchValue after startAfter (from the head when nullptr).
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const
    {
        Node* n = startAfter ? FromPos(startAfter)->pNext : m_pHead;
        for (; n; n = n->pNext)
            if (n->data == searchValue)
                return ToPos(n);
        return nullptr;
    }
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return nullptr;
        Node* n = m_pHead;
        while (nIndex-- > 0)
            n = n->pNext;
        return ToPos(n);
    }

private:
    struct Node {
        TYPE data;
        Node* pPrev;
        Node* pNext;
    };

    static POSITION ToPos(Node* n) { return reinterpret_cast<POSITION>(n); }
    static Node* FromPos(POSITION pos)
    {
        ASSERT(pos != nullptr);
        return reinterpret_cast<Node*>(pos);
    }
    void Link(Node* node)
    {
        (node->pPrev ? node->pPrev->pNext : m_pHead) = node;
        (node->pNext ? node->pNext->pPrev : m_pTail) = node;
        ++m_nCount;
    }
    void Unlink(Node* node)
    {
        (node->pPrev ? node->pPrev->pNext : m_pHead) = node->pNext;
        (node->pNext ? node->pNext->pPrev : m_pTail) = node->pPrev;
        --m_nCount;
        delete node;
    }

    Node* m_pHead = nullptr;
    Node* m_pTail = nullptr;
    INT_PTR m_nCount = 0;
};

class CPtrList : public CList<void*, void*> {
public:
    using CList::CList;
};
class CObList : public CList<CObject*, CObject*> {
public:
    using CList::CList;
};
class CStringList : public CList<CString, const CString&> {
public:
    using CList::CList;
};

// ---------------------------------------------------------------------------- maps

namespace zivra_detail {

struct MapHash {
    std::size_t operator()(const CString& s) const
    {
        return std::hash<std::string_view>()(s.View());
    }
    template <class K> std::size_t operator()(const K& k) const { return std::hash<K>()(k); }
};

} // namespace zivra_detail

// A hash map. Iteration (GetStartPosition/GetNextAssoc) follows the order of first insertion,
// the same in every build; removing the key just returned by GetNextAssoc is allowed.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE> class CMap : public CObject {
public:
    explicit CMap(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
    ~CMap() override { RemoveAll(); }
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;

    INT_PTR GetCount() const { return INT_PTR(m_index.size()); }
    INT_PTR GetSize() const { return INT_PTR(m_index.size()); }
    BOOL IsEmpty() const { return m_index.empty(); }
    void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE)
    {
        (void)bAllocNow;
        m_index.reserve(nHashSize);
    }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        const auto it = m_index.find(KEY(key));
        if (it == m_index.end())
            return FALSE;
        rValue = it->second->value;
        return TRUE;
    }
    // The value of key, added with a default value when absent.
    VALUE& operator[](ARG_KEY key)
    {
        KEY k(key);
        auto it = m_index.find(k);
        if (it != m_index.end())
            return it->second->value;
        Node* node = new Node{k, VALUE(), m_pLast, nullptr};
        (m_pLast ? m_pLast->pNext : m_pFirst) = node;
        m_pLast = node;
        m_index.emplace(std::move(k), node);
        return node->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key)
    {
        const auto it = m_index.find(KEY(key));
        if (it == m_index.end())
            return FALSE;
        Node* node = it->second;
        m_index.erase(it);
        (node->pPrev ? node->pPrev->pNext : m_pFirst) = node->pNext;
        (node->pNext ? node->pNext->pPrev : m_pLast) = node->pPrev;
        delete node;
        return TRUE;
    }
    void RemoveAll()
    {
        m_index.clear();
        while (m_pFirst) {
            Node* next = m_pFirst->pNext;
            delete m_pFirst;
            m_pFirst = next;
        }
        m_pLast = nullptr;
    }

    POSITION GetStartPosition() const { return reinterpret_cast<POSITION>(m_pFirst); }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        ASSERT(rNextPosition != nullptr);
        const Node* node = reinterpret_cast<const Node*>(rNextPosition);
        rKey = node->key;
        rValue = node->value;
        rNextPosition = reinterpret_cast<POSITION>(node->pNext);
    }

private:
    struct Node {
        KEY key;
        VALUE value;
        Node* pPrev;
        Node* pNext;
    };

    std::unordered_map<KEY, Node*, zivra_detail::MapHash> m_index;
    Node* m_pFirst = nullptr;
    Node* m_pLast = nullptr;
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
public:
    using CMap::CMap;
};
class CMapStringToPtr : public CMap<CString, const char*, void*, void*> {
public:
    using CMap::CMap;
};
class CMapStringToOb : public CMap<CString, const char*, CObject*, CObject*> {
public:
    using CMap::CMap;
};
class CMapStringToString : public CMap<CString, const char*, CString, const char*> {
public:
    using CMap::CMap;
};
