#include "framework/win/GlobalMemory.h"

#include <cstring>

HGLOBAL AfxGlobalCopy(HGLOBAL hSource)
{
    const SIZE_T nSize = hSource ? ::GlobalSize(hSource) : 0;
    HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, nSize ? nSize : 1);
    if (hCopy && !AfxGlobalCopyInto(hSource, hCopy)) {
        ::GlobalFree(hCopy);
        return nullptr;
    }
    return hCopy;
}

BOOL AfxGlobalCopyInto(HGLOBAL hSource, HGLOBAL hTarget)
{
    CGlobalLock source(hSource);
    CGlobalLock target(hTarget);
    if (!target.Data() || target.Size() < source.Size())
        return FALSE;
    if (source.Size())
        std::memcpy(target.Data(), source.Data(), source.Size());
    return TRUE;
}
