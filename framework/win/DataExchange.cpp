#include "framework/win/DataExchange.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// The framework's own texts for refused fields.
constexpr const char* kEnterInteger = "Please enter an integer.";
constexpr const char* kEnterPositiveInteger = "Please enter a positive integer.";
constexpr const char* kEnterNumber = "Please enter a number.";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The text without leading and trailing blanks, as [first, last).
void Trim(const char* text, const char*& first, const char*& last)
{
    first = text;
    last = text + std::strlen(text);
    while (first < last && IsBlank(*first))
        ++first;
    while (last > first && IsBlank(last[-1]))
        --last;
}

CString WindowText(HWND hWnd)
{
    CString text;
    const int nLen = ::GetWindowTextLengthA(hWnd);
    ::GetWindowTextA(hWnd, text.GetBufferSetLength(nLen), nLen + 1);
    text.ReleaseBuffer();
    return text;
}

void SetWindowTextIfChanged(HWND hWnd, const char* text)
{
    // Setting the same text again would flicker and move the caret.
    if (WindowText(hWnd) != text)
        ::SetWindowTextA(hWnd, text);
}

[[noreturn]] void Refuse(CDataExchange* pDX, const char* message)
{
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    pDX->Fail();
}

template <class T> void ExchangeInteger(CDataExchange* pDX, int nIDC, T& value, const char* message)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long scanned = 0;
        if (!AfxParseInt(WindowText(hWnd), (long long)std::numeric_limits<T>::min(),
                         (long long)std::numeric_limits<T>::max(), scanned))
            Refuse(pDX, message);
        value = T(scanned);
    } else {
        char buffer[32];
        auto result = std::to_chars(buffer, buffer + sizeof buffer - 1, value);
        *result.ptr = '\0';
        SetWindowTextIfChanged(hWnd, buffer);
    }
}

} // namespace

BOOL AfxParseInt(const char* text, long long minVal, long long maxVal, long long& value)
{
    const char *first, *last;
    Trim(text, first, last);
    if (first < last && *first == '+')
        ++first;
    long long scanned = 0;
    auto result = std::from_chars(first, last, scanned);
    if (result.ec != std::errc() || result.ptr != last || first == last)
        return FALSE;
    if (scanned < minVal || scanned > maxVal)
        return FALSE;
    value = scanned;
    return TRUE;
}

BOOL AfxParseDouble(const char* text, double& value)
{
    const char *first, *last;
    Trim(text, first, last);
    if (first < last && *first == '+')
        ++first;
    double scanned = 0;
    auto result = std::from_chars(first, last, scanned);
    if (result.ec != std::errc() || result.ptr != last || first == last || !std::isfinite(scanned))
        return FALSE;
    value = scanned;
    return TRUE;
}

CString AfxFormatDouble(double value)
{
    char buffer[40];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return CString(buffer, int(result.ptr - buffer));
}

// ---- CDataExchange --------------------------------------------------------------------------

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (!hWndCtrl)
        throw CResourceException("dialog control");
    m_hWndLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl) {
        // The offending field gets the focus with all its text selected.
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw CUserException();
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

// ---- DDX ------------------------------------------------------------------------------------

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = WindowText(hWnd);
    else
        SetWindowTextIfChanged(hWnd, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeInteger(pDX, nIDC, value, kEnterInteger);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeInteger(pDX, nIDC, value, kEnterPositiveInteger);
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeInteger(pDX, nIDC, value, kEnterInteger);
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        if (!AfxParseDouble(WindowText(hWnd), value))
            Refuse(pDX, kEnterNumber);
    } else {
        SetWindowTextIfChanged(hWnd, AfxFormatDouble(value));
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = int(::SendMessageA(hWnd, BM_GETCHECK, 0, 0));
    } else {
        if (value < 0 || value > 2)
            value = 0;
        ::SendMessageA(hWnd, BM_SETCHECK, WPARAM(value), 0);
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    // The group runs from nIDC to the next control with WS_GROUP.
    int iButton = 0;
    do {
        if (::SendMessageA(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageA(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = iButton;
            } else {
                ::SendMessageA(hWnd, BM_SETCHECK, iButton == value ? BST_CHECKED : BST_UNCHECKED,
                               0);
            }
            ++iButton;
        }
        hWnd = ::GetWindow(hWnd, GW_HWNDNEXT);
    } while (hWnd && !(::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_GROUP));
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = int(::SendMessageA(hWnd, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(hWnd, CB_SETCURSEL, WPARAM(index), 0);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return; // bound by an earlier exchange
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWnd))
        throw CResourceException("dialog control");
}

// ---- DDV ------------------------------------------------------------------------------------

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars) {
            CString message;
            message.Format("Please enter no more than %d characters.", nChars);
            Refuse(pDX, message);
        }
    } else if (pDX->m_hWndLastControl && pDX->m_bEditLastControl) {
        ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, WPARAM(nChars), 0);
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal)) {
        CString message;
        message.Format("Please enter an integer between %d and %d.", minVal, maxVal);
        Refuse(pDX, message);
    }
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal)) {
        CString message;
        message.Format("Please enter an integer between %u and %u.", minVal, maxVal);
        Refuse(pDX, message);
    }
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal)) {
        CString message;
        message.Format("Please enter an integer between %ld and %ld.", minVal, maxVal);
        Refuse(pDX, message);
    }
}

void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal)) {
        CString message = "Please enter a number between " + AfxFormatDouble(minVal) + " and " +
                          AfxFormatDouble(maxVal) + ".";
        Refuse(pDX, message);
    }
}
