#pragma once
#include "framework/win/CCmdTarget.h"

#include "framework/win/OleTypes.h"

// The source side of the OLE drag loop: the drag ends in a drop when the left button goes up
// and is cancelled by Escape. Lives as long as the drag it serves (on the stack of DoDragDrop).
class COleDropSource : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropSource)
public:
    COleDropSource();
    COleDropSource(const COleDropSource&) = delete;
    COleDropSource& operator=(const COleDropSource&) = delete;

    // DRAGDROP_S_CANCEL, DRAGDROP_S_DROP or S_OK (go on).
    virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
    // The cursor for an effect: the system's own.
    virtual SCODE GiveFeedback(DROPEFFECT dropEffect);

    IDropSource* GetDropSource() { return &m_xDropSource; }

private:
    class XDropSource : public IDropSource {
    public:
        explicit XDropSource(COleDropSource* pOwner) : m_pOwner(pOwner) {}
        STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
        STDMETHOD_(ULONG, AddRef)() override { return 2; }
        STDMETHOD_(ULONG, Release)() override { return 1; }
        STDMETHOD(QueryContinueDrag)(BOOL fEscapePressed, DWORD grfKeyState) override;
        STDMETHOD(GiveFeedback)(DWORD dwEffect) override;

    private:
        COleDropSource* m_pOwner;
    };
    XDropSource m_xDropSource;
};
