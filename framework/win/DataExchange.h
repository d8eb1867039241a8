#pragma once
// Dialog data exchange: DDX_ functions move one member to or from one control; DDV_ functions
// check a saved value. A failed exchange has told the user and selected the field; it ends
// the exchange (the later fields keep their values) and UpdateData returns FALSE.
#include "framework/core/CString.h"
#include "framework/core/Exceptions.h"
#include "framework/win/CWnd.h"

// Thrown by a failed exchange after the user has been told; UpdateData catches it.
class CUserException : public CException {
public:
    CUserException() : CException(CString()) {}
};

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
    {
    }

    // The control nIDC of the dialog, remembered as the field a failure selects.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Selects the last prepared field and ends the exchange.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate; // TRUE: controls to members
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;
};

// Text fields: integers as decimal text, real numbers with 15 significant digits.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
// A check box: 0, 1 or 2 (indeterminate).
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// A radio group starting at nIDC (the button with WS_GROUP): the checked button's index, -1
// when none is checked.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// The selected index of a combo box (-1 for none).
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// Subclasses the control with rControl the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);

// The scanning and formatting rules of the text fields, without a window: nullopt-like FALSE
// when the text does not scan.
BOOL AfxParseInt(const char* text, long long minVal, long long maxVal, long long& value);
BOOL AfxParseDouble(const char* text, double& value);
CString AfxFormatDouble(double value);
