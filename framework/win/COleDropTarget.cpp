#include "framework/win/COleDropTarget.h"

#include "framework/win/COleDataObject.h"
#include "framework/win/CWnd.h"

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

COleDropTarget::COleDropTarget() : m_xDropTarget(this) {}

COleDropTarget::~COleDropTarget()
{
    if (m_hWnd)
        COleDropTarget::Revoke();
    EndDrag();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (m_hWnd || !pWnd || !::IsWindow(pWnd->m_hWnd))
        return FALSE;
    if (FAILED(::RegisterDragDrop(pWnd->m_hWnd, GetDropTarget())))
        return FALSE;
    m_hWnd = pWnd->m_hWnd;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (!m_hWnd)
        return;
    ::RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd*) {}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }

DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return DROPEFFECT(-1);
}

DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint) { return DROPEFFECT_NONE; }

CWnd* COleDropTarget::Window() const { return CWnd::FromHandle(m_hWnd); }

CPoint COleDropTarget::ClientPoint(POINTL pt) const
{
    POINT point = {pt.x, pt.y};
    ::ScreenToClient(m_hWnd, &point);
    return CPoint(point.x, point.y);
}

DROPEFFECT COleDropTarget::Track(BOOL bEnter, DWORD dwKeyState, POINTL pt, DWORD dwAllowed)
{
    const CPoint point = ClientPoint(pt);
    DROPEFFECT effect = OnDragScroll(Window(), dwKeyState, point);
    if (effect & DROPEFFECT_SCROLL)
        return effect & (dwAllowed | DROPEFFECT_SCROLL);
    COleDataObject data;
    data.Attach(m_pDragData, FALSE);
    effect = bEnter ? OnDragEnter(Window(), &data, dwKeyState, point)
                    : OnDragOver(Window(), &data, dwKeyState, point);
    return effect & dwAllowed;
}

void COleDropTarget::EndDrag()
{
    if (m_pDragData)
        m_pDragData->Release();
    m_pDragData = nullptr;
}

// The IDropTarget of the window.

STDMETHODIMP COleDropTarget::XDropTarget::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDropTarget) {
        *ppv = static_cast<IDropTarget*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP COleDropTarget::XDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState,
                                                    POINTL pt, DWORD* pdwEffect)
{
    if (!pdwEffect)
        return E_INVALIDARG;
    m_pOwner->EndDrag();
    if (!m_pOwner->m_hWnd || !pDataObj) {
        *pdwEffect = DROPEFFECT_NONE;
        return S_OK;
    }
    pDataObj->AddRef();
    m_pOwner->m_pDragData = pDataObj;
    *pdwEffect = m_pOwner->Track(TRUE, grfKeyState, pt, *pdwEffect);
    return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    if (!pdwEffect)
        return E_INVALIDARG;
    if (!m_pOwner->m_hWnd || !m_pOwner->m_pDragData) {
        *pdwEffect = DROPEFFECT_NONE;
        return S_OK;
    }
    *pdwEffect = m_pOwner->Track(FALSE, grfKeyState, pt, *pdwEffect);
    return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::DragLeave()
{
    if (m_pOwner->m_hWnd)
        m_pOwner->OnDragLeave(m_pOwner->Window());
    m_pOwner->EndDrag();
    return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                               DWORD* pdwEffect)
{
    if (!pdwEffect)
        return E_INVALIDARG;
    const DWORD dwAllowed = *pdwEffect;
    *pdwEffect = DROPEFFECT_NONE;
    if (!m_pOwner->m_hWnd || !pDataObj) {
        m_pOwner->EndDrag();
        return S_OK;
    }
    if (pDataObj != m_pOwner->m_pDragData) {
        pDataObj->AddRef();
        m_pOwner->EndDrag();
        m_pOwner->m_pDragData = pDataObj;
    }
    CWnd* pWnd = m_pOwner->Window();
    const CPoint point = m_pOwner->ClientPoint(pt);
    COleDataObject data;
    data.Attach(pDataObj, FALSE);
    const DROPEFFECT effect =
        m_pOwner->OnDragOver(pWnd, &data, grfKeyState, point) & dwAllowed & ~DROPEFFECT_SCROLL;
    if (effect == DROPEFFECT_NONE) {
        m_pOwner->OnDragLeave(pWnd);
    } else {
        DROPEFFECT result = m_pOwner->OnDropEx(pWnd, &data, effect, point);
        if (result == DROPEFFECT(-1))
            result = m_pOwner->OnDrop(pWnd, &data, effect, point) ? effect : DROPEFFECT_NONE;
        *pdwEffect = result & dwAllowed;
    }
    m_pOwner->EndDrag();
    return S_OK;
}
