#pragma once
#include "framework/win/CCmdTarget.h"

#include "framework/win/OleTypes.h"
#include <vector>

class COleDropSource;

// Data offered to the OLE clipboard or to a drag: global memory blocks by clipboard format,
// handed out as an IDataObject. Every reader gets a copy of a block, so the source can serve
// any number of pastes.
//
// Lifetime: the object is reference counted and its creator holds the first reference.
// SetClipboard hands that reference to the clipboard, which releases the source when other
// data replaces it or the clipboard is flushed. Otherwise the creator ends its reference with
// InternalRelease (after DoDragDrop, for instance); never delete a source directly.
class COleDataSource : public CCmdTarget {
    DECLARE_DYNAMIC(COleDataSource)
public:
    COleDataSource();
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;

    // Offers hGlobal in cfFormat; the source owns the block from now on (a block already
    // offered in that format is freed). lpFormatEtc defaults to content, any index, HGLOBAL.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
    // Frees every offered block.
    void Empty();

    // Puts the source on the OLE clipboard and gives the creator's reference to it.
    void SetClipboard();
    // Runs the OLE drag loop with this data; the effect the target chose, DROPEFFECT_NONE when
    // the drag was cancelled or not dropped. pDropSource defaults to a COleDropSource.
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE,
                          COleDropSource* pDropSource = nullptr);

    // The source of this process now on the OLE clipboard, or nullptr.
    static COleDataSource* GetClipboardOwner();
    // Renders this process's clipboard data into the system clipboard, so it outlives the
    // process's objects; nothing when another program owns the clipboard.
    static void FlushClipboard();

    // The IDataObject of the source (not add-referenced).
    LPDATAOBJECT GetDataObject();
    ULONG InternalAddRef();
    ULONG InternalRelease();

protected:
    ~COleDataSource() override;

private:
    struct Entry {
        FORMATETC format;
        HGLOBAL hGlobal;
    };
    const Entry* FindEntry(const FORMATETC* pFormat, HRESULT* pError) const;

    class XDataObject : public IDataObject {
    public:
        explicit XDataObject(COleDataSource* pOwner) : m_pOwner(pOwner) {}
        STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
        STDMETHOD_(ULONG, AddRef)() override;
        STDMETHOD_(ULONG, Release)() override;
        STDMETHOD(GetData)(FORMATETC* pFormat, STGMEDIUM* pMedium) override;
        STDMETHOD(GetDataHere)(FORMATETC* pFormat, STGMEDIUM* pMedium) override;
        STDMETHOD(QueryGetData)(FORMATETC* pFormat) override;
        STDMETHOD(GetCanonicalFormatEtc)(FORMATETC* pIn, FORMATETC* pOut) override;
        STDMETHOD(SetData)(FORMATETC* pFormat, STGMEDIUM* pMedium, BOOL fRelease) override;
        STDMETHOD(EnumFormatEtc)(DWORD dwDirection, IEnumFORMATETC** ppEnum) override;
        STDMETHOD(DAdvise)(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override;
        STDMETHOD(DUnadvise)(DWORD) override;
        STDMETHOD(EnumDAdvise)(IEnumSTATDATA**) override;

    private:
        COleDataSource* m_pOwner;
    };

    XDataObject m_xDataObject;
    ULONG m_dwRef = 1;
    std::vector<Entry> m_entries;
    static COleDataSource* s_pClipboardSource;
};
