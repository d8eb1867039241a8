#pragma once
// Helpers for global memory blocks, the currency of the clipboard and drag and drop.
#include "framework/core/Platform.h"

// A new moveable block holding a copy of hSource (nullptr when memory runs out).
HGLOBAL AfxGlobalCopy(HGLOBAL hSource);
// Copies hSource into the start of hTarget, which must be at least as large.
BOOL AfxGlobalCopyInto(HGLOBAL hSource, HGLOBAL hTarget);

// Locks a block for the lifetime of the object.
class CGlobalLock {
public:
    explicit CGlobalLock(HGLOBAL hGlobal)
        : m_hGlobal(hGlobal), m_pData(hGlobal ? ::GlobalLock(hGlobal) : nullptr)
    {
    }
    ~CGlobalLock()
    {
        if (m_pData)
            ::GlobalUnlock(m_hGlobal);
    }
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;

    void* Data() const { return m_pData; }
    SIZE_T Size() const { return m_pData ? ::GlobalSize(m_hGlobal) : 0; }

private:
    HGLOBAL m_hGlobal;
    void* m_pData;
};
