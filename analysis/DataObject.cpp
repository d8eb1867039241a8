#include "analysis/DataObject.h"

#include "framework/core/CArchive.h"
#include "numeric/NumericCore.h"

#include <cstdint>

void CDataObject::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        WriteBase(ar);
    else
        TakeBase(ReadBase(ar));
}

int CDataObject::CreateTransformed(double, int, CDataObject** ppOut)
{
    if (ppOut)
        *ppOut = nullptr;
    return 0;
}

CDataObject::StoredBase CDataObject::ReadBase(CArchive& ar)
{
    StoredBase base;
    std::uint32_t type = 0;
    ar >> base.strName >> type >> base.nEditable;
    // The class decides what the object is; its stored kind code says nothing more.
    return base;
}

void CDataObject::WriteBase(CArchive& ar)
{
    ar << m_strName << std::uint32_t(m_nType) << std::uint32_t(m_bEditable);
    m_bModified = FALSE;
}

void CDataObject::TakeBase(const StoredBase& base)
{
    m_strName = base.strName;
    m_bEditable = base.nEditable ? 1 : 0;
}

BOOL CIndexVector::Allocate(int n)
{
    Free();
    if (n <= 0)
        return TRUE;
    const int saved = errno;
    m_pData = AllocIntVector(1, n);
    errno = saved;
    if (!m_pData)
        return FALSE;
    m_nLength = n;
    return TRUE;
}

void CIndexVector::Free()
{
    if (m_pData)
        FreeIntVector(m_pData, 1, m_nLength);
    m_pData = nullptr;
    m_nLength = 0;
}
