#pragma once
#include "framework/win/COleDropTarget.h"

class CGridCtrl;

// The OLE drop target of a grid window: forwards the drag calls to the grid. It never asks for
// scrolling, so every entry and movement reaches the grid's own drag handling.
class CGridDropHandler : public COleDropTarget {
public:
    // Registers the grid once; FALSE when already registered, while another registration runs,
    // or for a window that is not a grid.
    BOOL Register(CWnd* pWnd);
    void Revoke() override;
    BOOL IsRegistered() const { return m_bRegistered; }

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                           CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                          CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
    DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect,
                        CPoint point) override;
    DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point) override;

private:
    BOOL IsGridWindow(const CWnd* pWnd) const;

    CGridCtrl* m_pGridCtrl = nullptr;
    BOOL m_bRegistered = FALSE;
};
