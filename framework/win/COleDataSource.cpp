#include "framework/win/COleDataSource.h"

#include "framework/win/COleDropSource.h"
#include "framework/win/GlobalMemory.h"

#include <shlobj.h>

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

COleDataSource* COleDataSource::s_pClipboardSource = nullptr;

COleDataSource::COleDataSource() : m_xDataObject(this) {}

COleDataSource::~COleDataSource()
{
    if (s_pClipboardSource == this)
        s_pClipboardSource = nullptr;
    Empty();
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc)
{
    FORMATETC format = {cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    if (lpFormatEtc) {
        format = *lpFormatEtc;
        format.cfFormat = cfFormat;
        format.tymed = TYMED_HGLOBAL;
    }
    for (Entry& entry : m_entries) {
        if (entry.format.cfFormat == cfFormat && entry.format.dwAspect == format.dwAspect) {
            if (entry.hGlobal != hGlobal)
                ::GlobalFree(entry.hGlobal);
            entry = {format, hGlobal};
            return;
        }
    }
    m_entries.push_back({format, hGlobal});
}

void COleDataSource::Empty()
{
    for (const Entry& entry : m_entries)
        ::GlobalFree(entry.hGlobal);
    m_entries.clear();
}

LPDATAOBJECT COleDataSource::GetDataObject() { return &m_xDataObject; }

ULONG COleDataSource::InternalAddRef() { return ++m_dwRef; }

ULONG COleDataSource::InternalRelease()
{
    const ULONG nRef = --m_dwRef;
    if (nRef == 0)
        delete this;
    return nRef;
}

void COleDataSource::SetClipboard()
{
    if (SUCCEEDED(::OleSetClipboard(GetDataObject())))
        s_pClipboardSource = this;
    InternalRelease(); // the clipboard holds its own reference now
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, COleDropSource* pDropSource)
{
    COleDropSource defaultSource;
    if (!pDropSource)
        pDropSource = &defaultSource;
    InternalAddRef(); // a target may release the data object late; keep this object alive
    DWORD dwEffect = DROPEFFECT_NONE;
    const HRESULT hr =
        ::DoDragDrop(GetDataObject(), pDropSource->GetDropSource(), dwEffects, &dwEffect);
    InternalRelease();
    return hr == DRAGDROP_S_DROP ? dwEffect : DROPEFFECT_NONE;
}

COleDataSource* COleDataSource::GetClipboardOwner()
{
    if (s_pClipboardSource && ::OleIsCurrentClipboard(s_pClipboardSource->GetDataObject()) == S_OK)
        return s_pClipboardSource;
    return nullptr;
}

void COleDataSource::FlushClipboard()
{
    if (GetClipboardOwner())
        ::OleFlushClipboard();
}

const COleDataSource::Entry* COleDataSource::FindEntry(const FORMATETC* pFormat,
                                                       HRESULT* pError) const
{
    *pError = DV_E_FORMATETC;
    if (!pFormat)
        return nullptr;
    for (const Entry& entry : m_entries) {
        if (entry.format.cfFormat != pFormat->cfFormat ||
            entry.format.dwAspect != pFormat->dwAspect)
            continue;
        if (!(pFormat->tymed & TYMED_HGLOBAL)) {
            *pError = DV_E_TYMED;
            return nullptr;
        }
        *pError = S_OK;
        return &entry;
    }
    return nullptr;
}

// The IDataObject of the source.

STDMETHODIMP COleDataSource::XDataObject::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDataObject) {
        *ppv = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) COleDataSource::XDataObject::AddRef() { return m_pOwner->InternalAddRef(); }

STDMETHODIMP_(ULONG) COleDataSource::XDataObject::Release() { return m_pOwner->InternalRelease(); }

STDMETHODIMP COleDataSource::XDataObject::GetData(FORMATETC* pFormat, STGMEDIUM* pMedium)
{
    if (!pMedium)
        return E_POINTER;
    HRESULT hr = S_OK;
    const Entry* pEntry = m_pOwner->FindEntry(pFormat, &hr);
    if (!pEntry)
        return hr;
    HGLOBAL hCopy = AfxGlobalCopy(pEntry->hGlobal);
    if (!hCopy)
        return E_OUTOFMEMORY;
    pMedium->tymed = TYMED_HGLOBAL;
    pMedium->hGlobal = hCopy;
    pMedium->pUnkForRelease = nullptr;
    return S_OK;
}

STDMETHODIMP COleDataSource::XDataObject::GetDataHere(FORMATETC* pFormat, STGMEDIUM* pMedium)
{
    if (!pMedium)
        return E_POINTER;
    HRESULT hr = S_OK;
    const Entry* pEntry = m_pOwner->FindEntry(pFormat, &hr);
    if (!pEntry)
        return hr;
    if (pMedium->tymed != TYMED_HGLOBAL || !pMedium->hGlobal)
        return DV_E_TYMED;
    const SIZE_T nSize = ::GlobalSize(pEntry->hGlobal);
    if (::GlobalSize(pMedium->hGlobal) < nSize)
        return STG_E_MEDIUMFULL;
    return AfxGlobalCopyInto(pEntry->hGlobal, pMedium->hGlobal) ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP COleDataSource::XDataObject::QueryGetData(FORMATETC* pFormat)
{
    HRESULT hr = S_OK;
    m_pOwner->FindEntry(pFormat, &hr);
    return hr;
}

STDMETHODIMP COleDataSource::XDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pOut)
{
    if (pOut)
        pOut->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP COleDataSource::XDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL)
{
    return E_NOTIMPL;
}

STDMETHODIMP COleDataSource::XDataObject::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum)
{
    if (!ppEnum)
        return E_POINTER;
    *ppEnum = nullptr;
    if (dwDirection != DATADIR_GET)
        return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (const Entry& entry : m_pOwner->m_entries)
        formats.push_back(entry.format);
    return ::SHCreateStdEnumFmtEtc(UINT(formats.size()), formats.data(), ppEnum);
}

STDMETHODIMP COleDataSource::XDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

STDMETHODIMP COleDataSource::XDataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }

STDMETHODIMP COleDataSource::XDataObject::EnumDAdvise(IEnumSTATDATA**)
{
    return OLE_E_ADVISENOTSUPPORTED;
}
