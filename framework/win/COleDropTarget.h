#pragma once
#include "framework/core/Geometry.h"
#include "framework/win/CCmdTarget.h"

#include "framework/win/OleTypes.h"

class CWnd;
class COleDataObject;

// Makes a window an OLE drop target and turns the OLE calls into virtual calls with the point
// in the window's client coordinates. Each entry and movement is first offered to
// OnDragScroll: only an answer carrying DROPEFFECT_SCROLL ends it there (the window scrolls);
// otherwise OnDragEnter or OnDragOver decide the effect. A drop asks OnDragOver once more with
// the key state of the drop, then OnDropEx, and OnDrop when OnDropEx answers -1.
// The object must outlive its registration: the destructor revokes it.
class COleDropTarget : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    ~COleDropTarget() override;
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    // Registers pWnd with OLE (which must be initialised); FALSE when that fails or this
    // target already serves a window.
    BOOL Register(CWnd* pWnd);
    virtual void Revoke();
    HWND GetRegisteredWindow() const { return m_hWnd; }

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                   CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                  CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect,
                        CPoint point);
    // The effect of a drop, or DROPEFFECT(-1) to let OnDrop decide (then dropEffect or none).
    virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect,
                                CPoint point);
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

    // The OLE interface, for RegisterDragDrop and for tests that play a drag themselves.
    IDropTarget* GetDropTarget() { return &m_xDropTarget; }

private:
    class XDropTarget : public IDropTarget {
    public:
        explicit XDropTarget(COleDropTarget* pOwner) : m_pOwner(pOwner) {}
        STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
        STDMETHOD_(ULONG, AddRef)() override { return 2; }
        STDMETHOD_(ULONG, Release)() override { return 1; }
        STDMETHOD(DragEnter)
        (IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        STDMETHOD(DragOver)(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        STDMETHOD(DragLeave)() override;
        STDMETHOD(Drop)
        (IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

    private:
        COleDropTarget* m_pOwner;
    };

    CWnd* Window() const;
    CPoint ClientPoint(POINTL pt) const;
    DROPEFFECT Track(BOOL bEnter, DWORD dwKeyState, POINTL pt, DWORD dwAllowed);
    void EndDrag();

    XDropTarget m_xDropTarget;
    HWND m_hWnd = nullptr;
    IDataObject* m_pDragData = nullptr; // the data of the drag over the window
};
