#pragma once
#include "framework/win/CWnd.h"

// A host for the system's data-bound grid ActiveX control, made through the ActiveX host window
// class of atl.dll. Nothing in the program creates one; where the control is not registered
// (under Wine, for one) Create answers FALSE and leaves no window behind.
class CMsDgridCtrl : public CWnd {
    DECLARE_DYNCREATE(CMsDgridCtrl)
public:
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;

    static constexpr const char* kClassId = "{00028C00-0000-0000-0000-000000000046}";
};
