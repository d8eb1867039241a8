#include "grid/CGridDropHandler.h"

#include "grid/CGridCtrl.h"

BOOL CGridDropHandler::Register(CWnd* pWnd)
{
    static BOOL s_bRegistering = FALSE;
    if (m_bRegistered || s_bRegistering || !pWnd || !pWnd->IsKindOf(RUNTIME_CLASS(CGridCtrl)))
        return FALSE;
    s_bRegistering = TRUE;
    m_pGridCtrl = static_cast<CGridCtrl*>(pWnd);
    m_bRegistered = COleDropTarget::Register(pWnd);
    s_bRegistering = FALSE;
    return m_bRegistered;
}

void CGridDropHandler::Revoke()
{
    m_bRegistered = FALSE;
    COleDropTarget::Revoke();
}

BOOL CGridDropHandler::IsGridWindow(const CWnd* pWnd) const
{
    return m_pGridCtrl && pWnd && pWnd->m_hWnd == m_pGridCtrl->m_hWnd;
}

DROPEFFECT CGridDropHandler::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                         CPoint point)
{
    return IsGridWindow(pWnd) ? m_pGridCtrl->OnDragEnter(pDataObject, dwKeyState, point)
                              : DROPEFFECT_NONE;
}

DROPEFFECT CGridDropHandler::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                        CPoint point)
{
    return IsGridWindow(pWnd) ? m_pGridCtrl->OnDragOver(pDataObject, dwKeyState, point)
                              : DROPEFFECT_NONE;
}

void CGridDropHandler::OnDragLeave(CWnd* pWnd)
{
    if (IsGridWindow(pWnd))
        m_pGridCtrl->OnDragLeave();
}

DROPEFFECT CGridDropHandler::OnDropEx(CWnd* pWnd, COleDataObject* pDataObject,
                                      DROPEFFECT dropEffect, CPoint point)
{
    if (!IsGridWindow(pWnd))
        return DROPEFFECT_NONE;
    return m_pGridCtrl->OnDrop(pDataObject, &dropEffect, point) ? dropEffect : DROPEFFECT_NONE;
}

DROPEFFECT CGridDropHandler::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint)
{
    if (!IsGridWindow(pWnd))
        return DROPEFFECT_NONE;
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}
