// Modal dialogs driven by the test hook, data exchange, message boxes and the string table.
#include "framework/win/CDialog.h"
#include "framework/win/CWinApp.h"
#include "framework/win/CommonDialogs.h"
#include "framework/win/Controls.h"
#include "framework/win/StringResource.h"
#include "tests/framework_win/TestResource.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/ScriptedModalHook.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class CExchangeDlg : public CDialog {
public:
    CExchangeDlg() : CDialog(IDD_EXCHANGE) {}

    CString m_text = "hello";
    int m_int = -42;
    UINT m_uint = 7;
    long m_long = 123456;
    double m_real = 0.1;
    int m_check = 1;
    int m_radio = 2;
    int m_combo = 1;
    CComboBox m_comboBox;

    BOOL OnInitDialog() override
    {
        // DDX_Control binds the combo box during the first exchange, so fill it through the
        // handle; the items must be there before the index is exchanged.
        for (const char* item : {"red", "green", "blue"})
            SendDlgItemMessage(IDC_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        return CDialog::OnInitDialog();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_COMBO, m_comboBox);
        DDX_Text(pDX, IDC_TEXT, m_text);
        DDX_Text(pDX, IDC_INT, m_int);
        DDX_Text(pDX, IDC_UINT, m_uint);
        DDX_Text(pDX, IDC_LONG, m_long);
        DDX_Text(pDX, IDC_REAL, m_real);
        DDX_Check(pDX, IDC_CHECK, m_check);
        DDX_Radio(pDX, IDC_RADIO1, m_radio);
        DDX_CBIndex(pDX, IDC_COMBO, m_combo);
    }
};

TEST(Dialog, InitialisationShowsEveryMemberInItsControl)
{
    ScriptedModalHook hook;
    CExchangeDlg dlg;
    bool checked = false;
    hook.onStart = [&](CWnd* p) {
        checked = true;
        EXPECT_EQ(DlgItemText(p, IDC_TEXT), "hello");
        EXPECT_EQ(DlgItemText(p, IDC_INT), "-42");
        EXPECT_EQ(DlgItemText(p, IDC_UINT), "7");
        EXPECT_EQ(DlgItemText(p, IDC_LONG), "123456");
        EXPECT_EQ(DlgItemText(p, IDC_REAL), "0.1");
        EXPECT_EQ(p->IsDlgButtonChecked(IDC_CHECK), 1u);
        EXPECT_EQ(p->IsDlgButtonChecked(IDC_RADIO3), 1u);
        EXPECT_EQ(p->IsDlgButtonChecked(IDC_RADIO1), 0u);
        EXPECT_EQ(p->SendDlgItemMessage(IDC_COMBO, CB_GETCURSEL), 1);
        EXPECT_EQ(CWnd::FromHandlePermanent(::GetDlgItem(p->m_hWnd, IDC_COMBO)), &dlg.m_comboBox);
    };
    hook.startAnswer = IDCANCEL;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(checked);
    EXPECT_EQ(dlg.m_hWnd, nullptr) << "the dialog window is gone after DoModal";
    EXPECT_EQ(dlg.m_comboBox.m_hWnd, nullptr) << "controls bound by DDX_Control go with it";
    EXPECT_STREQ(dlg.m_text, "hello");
}

TEST(Dialog, OkSavesEveryFieldType)
{
    ScriptedModalHook hook;
    CExchangeDlg dlg;
    hook.steps.push_back([](CWnd* p) {
        p->SetDlgItemText(IDC_TEXT, "typed text");
        p->SetDlgItemText(IDC_INT, " -17 ");
        p->SetDlgItemText(IDC_UINT, "4000000000");
        p->SetDlgItemText(IDC_LONG, "+2147483647");
        p->SetDlgItemText(IDC_REAL, "-1.25e-3");
        p->CheckDlgButton(IDC_CHECK, BST_UNCHECKED);
        p->CheckRadioButton(IDC_RADIO1, IDC_RADIO3, IDC_RADIO1);
        p->SendDlgItemMessage(IDC_COMBO, CB_SETCURSEL, 2);
        ClickButton(p, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(hook.messages.empty());
    EXPECT_STREQ(dlg.m_text, "typed text");
    EXPECT_EQ(dlg.m_int, -17);
    EXPECT_EQ(dlg.m_uint, 4000000000u);
    EXPECT_EQ(dlg.m_long, 2147483647L);
    EXPECT_DOUBLE_EQ(dlg.m_real, -1.25e-3);
    EXPECT_EQ(dlg.m_check, 0);
    EXPECT_EQ(dlg.m_radio, 0);
    EXPECT_EQ(dlg.m_combo, 2);
}

TEST(Dialog, RadioGroupWithNothingCheckedReadsMinusOne)
{
    ScriptedModalHook hook;
    CExchangeDlg dlg;
    hook.steps.push_back([](CWnd* p) {
        for (int id : {IDC_RADIO1, IDC_RADIO2, IDC_RADIO3})
            p->CheckDlgButton(id, BST_UNCHECKED);
        ClickButton(p, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_radio, -1);
}

TEST(Dialog, RefusedFieldKeepsTheDialogOpenWithTheFieldSelected)
{
    struct Case {
        int field;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {IDC_INT, "12x", "Please enter an integer."},
        {IDC_INT, "99999999999", "Please enter an integer."},
        {IDC_UINT, "-3", "Please enter a positive integer."},
        {IDC_LONG, "", "Please enter an integer."},
        {IDC_REAL, "1,5", "Please enter a number."},
        {IDC_REAL, "abc", "Please enter a number."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "field " << c.field << " text '" << c.text << "'");
        ScriptedModalHook hook;
        CExchangeDlg dlg;
        bool stillOpen = false;
        hook.steps.push_back([&](CWnd* p) {
            p->SetDlgItemText(IDC_TEXT, "saved before");
            p->SetDlgItemText(c.field, c.text);
            p->SetDlgItemText(IDC_REAL == c.field ? IDC_INT : IDC_REAL, "0"); // a valid field
            p->CheckDlgButton(IDC_CHECK, BST_UNCHECKED); // after every text field
            ClickButton(p, IDOK);
        });
        hook.steps.push_back([&](CWnd* p) {
            stillOpen = ::IsWindowVisible(p->m_hWnd) != FALSE;
            HWND hField = ::GetDlgItem(p->m_hWnd, c.field);
            EXPECT_EQ(::GetFocus(), hField);
            DWORD start = 0, end = 0;
            ::SendMessageA(hField, EM_GETSEL, WPARAM(&start), LPARAM(&end));
            EXPECT_EQ(start, 0u);
            EXPECT_EQ(end, DWORD(std::strlen(c.text)));
            ClickButton(p, IDCANCEL);
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_TRUE(stillOpen);
        ASSERT_EQ(hook.messages.size(), 1u);
        EXPECT_STREQ(hook.messages[0], c.message);
        EXPECT_EQ(hook.types[0] & MB_ICONMASK, UINT(MB_ICONEXCLAMATION));
        // Fields before the refused one were saved; it and the later ones kept their values.
        EXPECT_STREQ(dlg.m_text, "saved before");
        EXPECT_EQ(dlg.m_check, 1);
    }
}

// A control that takes F2 before the dialog manager sees it, as in-place editors do.
class CKeyEdit : public CEdit {
public:
    int m_f2 = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F2) {
            ++m_f2;
            return TRUE;
        }
        return FALSE;
    }
};

class CKeyDlg : public CExchangeDlg {
public:
    CKeyEdit m_edit;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_TEXT, m_edit);
        CExchangeDlg::DoDataExchange(pDX);
    }
};

TEST(Dialog, ModalLoopPreTranslatesForTheDialogsControls)
{
    ScriptedModalHook hook;
    CKeyDlg dlg;
    hook.steps.push_back([&](CWnd*) { dlg.m_edit.PostMessage(WM_KEYDOWN, VK_F2, 0); });
    hook.steps.push_back([&](CWnd* p) {
        EXPECT_EQ(dlg.m_edit.m_f2, 1);
        p->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0); // the dialog manager turns Escape into Cancel
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_edit.m_f2, 1);
}

TEST(Dialog, ModelessDialogInitialisesAndSubclassesItsItems)
{
    CExchangeDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_EXCHANGE));
    EXPECT_EQ(DlgItemText(&dlg, IDC_LONG), "123456") << "OnInitDialog ran for a modeless dialog";
    CEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(IDC_INT, &dlg));
    EXPECT_EQ(CWnd::FromHandlePermanent(::GetDlgItem(dlg.m_hWnd, IDC_INT)), &edit);
    dlg.SetDlgItemText(IDC_LONG, "-5");
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.m_long, -5);
    dlg.DestroyWindow();
    EXPECT_EQ(edit.m_hWnd, nullptr) << "the subclassed item detached with its window";
}

TEST(Dialog, ModalLoopAbortsWhenTheHookNeverEndsIt)
{
    ScriptedModalHook hook; // no steps: nobody presses a button
    CExchangeDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDABORT);
}

TEST(CommonDialogs, HookAnswersThemAndTheFontDialogStartsOnAnInstalledFace)
{
    struct Case {
        const char* chosen;
        const char* name;
        const char* ext;
        const char* title;
    };
    const Case cases[] = {
        {"C:\\data\\plots\\sine.zvp", "sine.zvp", "zvp", "sine"},
        {"C:\\no extension", "no extension", "", "no extension"},
        {"C:\\dots.in.name.txt", "dots.in.name.txt", "txt", "dots.in.name"},
    };
    for (const Case& c : cases) {
        ScriptedModalHook hook;
        CFileDialog dlg(TRUE, "zvp", nullptr, OFN_HIDEREADONLY,
                        "Zivra Project (*.zvp)|*.zvp|All Files (*.*)|*.*||");
        hook.onStart = [&](CWnd* p) {
            auto* pFile = dynamic_cast<CFileDialog*>(p);
            ASSERT_NE(pFile, nullptr);
            EXPECT_EQ(
                std::memcmp(pFile->m_ofn.lpstrFilter, "Zivra Project (*.zvp)\0*.zvp\0All", 27), 0)
                << "the filter's bars become NULs";
            ::lstrcpynA(pFile->m_ofn.lpstrFile, c.chosen, int(pFile->m_ofn.nMaxFile));
        };
        hook.startAnswer = IDOK;
        EXPECT_EQ(dlg.DoModal(), IDOK) << c.chosen;
        EXPECT_STREQ(dlg.GetPathName(), c.chosen);
        EXPECT_STREQ(dlg.GetFileName(), c.name) << c.chosen;
        EXPECT_STREQ(dlg.GetFileExt(), c.ext) << c.chosen;
        EXPECT_STREQ(dlg.GetFileTitle(), c.title) << c.chosen;
    }
    ScriptedModalHook hook;
    hook.startAnswer = IDCANCEL;
    CColorDialog colour(RGB(1, 2, 3), CC_FULLOPEN);
    EXPECT_EQ(colour.DoModal(), IDCANCEL);
    EXPECT_EQ(colour.GetColor(), RGB(1, 2, 3));
    CFontDialog font;
    EXPECT_EQ(font.DoModal(), IDCANCEL);

    // A starting face that is not installed opens as the face the text is drawn with, at the
    // same height, so OK without a choice keeps the text as it looks.
    LOGFONTA missing{};
    missing.lfHeight = -19;
    ::lstrcpynA(missing.lfFaceName, "No Such Face Zv", LF_FACESIZE);
    CFontDialog substituted(&missing);
    CString shown;
    hook.onStart = [&](CWnd* pDlg) { shown = static_cast<CFontDialog*>(pDlg)->m_lf.lfFaceName; };
    EXPECT_EQ(substituted.DoModal(), IDCANCEL);
    EXPECT_FALSE(shown.IsEmpty());
    EXPECT_STRNE(shown, "No Such Face Zv");
    EXPECT_EQ(substituted.m_lf.lfHeight, -19);
    LOGFONTA present = missing;
    ::lstrcpynA(present.lfFaceName, shown, LF_FACESIZE);
    CFontDialog kept(&present);
    shown.Empty();
    EXPECT_EQ(kept.DoModal(), IDCANCEL);
    EXPECT_STREQ(shown, present.lfFaceName) << "an installed face stays";
}

// The rectangle of the dialog the system shows, read once it is up, then cancelled.
namespace shown {
HWND owner = nullptr;
CRect rect;
BOOL CALLBACK Find(HWND hWnd, LPARAM)
{
    if (!::IsWindowVisible(hWnd) || ::GetWindow(hWnd, GW_OWNER) != owner)
        return TRUE;
    ::GetWindowRect(hWnd, &rect);
    ::PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
    return FALSE;
}
void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), Find, 0);
}
} // namespace shown

TEST(CommonDialogs, TheSystemsDialogsOpenCentredOnTheirOwner)
{
    const CRect work = WorkAreaOf(nullptr);
    shown::owner =
        ::CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, work.left + 10,
                          work.top + 10, 400, 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(shown::owner, nullptr);
    CWnd* pOwner = CWnd::FromHandle(shown::owner);
    CFileDialog file(FALSE, "zvp", "name", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                     "Zivra Project (*.zvp)|*.zvp||", pOwner);
    CColorDialog colour(RGB(1, 2, 3), 0, pOwner);
    CFontDialog font(nullptr, CF_SCREENFONTS, nullptr, pOwner);
    CCommonDialog* dialogs[] = {&file, &colour, &font};
    CRect owner;
    ::GetWindowRect(shown::owner, &owner);
    for (CCommonDialog* pDialog : dialogs) {
        shown::rect.SetRectEmpty();
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, shown::Poll);
        EXPECT_EQ(pDialog->DoModal(), IDCANCEL);
        ::KillTimer(nullptr, timer);
        const char* name = pDialog->GetRuntimeClass()->m_lpszClassName;
        ASSERT_FALSE(shown::rect.IsRectEmpty()) << name << " never showed";
        const CPoint centred = CenteredInWorkArea(shown::rect.Size(), owner, work);
        EXPECT_EQ(shown::rect.left, centred.x) << name;
        EXPECT_EQ(shown::rect.top, centred.y) << name;
    }
    ::DestroyWindow(shown::owner);
}

TEST(DataExchange, RealNumbersShowFifteenSignificantDigits)
{
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0.1, "0.1"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {-2.5e-10, "-2.5e-10"},
        {1e20, "1e+20"},
        {123456789012345678.0, "1.23456789012346e+17"},
        {100.0, "100"},
        {0.0, "0"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(AfxFormatDouble(c.value), c.text) << "value " << c.value;
}

TEST(DataExchange, IntegerAndNumberScanning)
{
    struct IntCase {
        const char* text;
        long long min, max;
        bool ok;
        long long value;
    };
    const IntCase ints[] = {
        {"42", INT_MIN, INT_MAX, true, 42},  {"  -7\t", INT_MIN, INT_MAX, true, -7},
        {"+3", INT_MIN, INT_MAX, true, 3},   {"2147483648", INT_MIN, INT_MAX, false, 0},
        {"-1", 0, UINT_MAX, false, 0},       {"4294967295", 0, UINT_MAX, true, 4294967295LL},
        {"1 2", INT_MIN, INT_MAX, false, 0}, {"0x10", INT_MIN, INT_MAX, false, 0},
        {"", INT_MIN, INT_MAX, false, 0},    {"-", INT_MIN, INT_MAX, false, 0},
    };
    for (const IntCase& c : ints) {
        long long value = 0;
        EXPECT_EQ(AfxParseInt(c.text, c.min, c.max, value) != FALSE, c.ok)
            << "text '" << c.text << "'";
        if (c.ok) {
            EXPECT_EQ(value, c.value) << "text '" << c.text << "'";
        }
    }
    struct RealCase {
        const char* text;
        bool ok;
        double value;
    };
    const RealCase reals[] = {
        {"1.5", true, 1.5}, {" -2e3 ", true, -2000.0}, {".5", true, 0.5},
        {"1,5", false, 0},  {"1.5.2", false, 0},       {"inf", false, 0},
        {"nan", false, 0},  {"1e999", false, 0},       {"", false, 0},
    };
    for (const RealCase& c : reals) {
        double value = 0;
        EXPECT_EQ(AfxParseDouble(c.text, value) != FALSE, c.ok) << "text '" << c.text << "'";
        if (c.ok) {
            EXPECT_DOUBLE_EQ(value, c.value) << "text '" << c.text << "'";
        }
    }
}

TEST(MessageBoxes, HookAnswersTextAndStringResourceBoxes)
{
    ScriptedModalHook hook;
    hook.boxAnswer = IDNO;
    CWinApp app("Zivra Framework Test");
    EXPECT_EQ(AfxMessageBox("Delete it?", MB_YESNO), IDNO);
    EXPECT_EQ(AfxMessageBox(IDS_PROMPT), IDNO);
    ASSERT_EQ(hook.messages.size(), 2u);
    EXPECT_STREQ(hook.messages[0], "Delete it?");
    EXPECT_EQ(hook.types[0], UINT(MB_YESNO | MB_ICONQUESTION))
        << "a Yes/No box gets the question icon";
    EXPECT_STREQ(hook.messages[1], "A prompt from the string table");
    EXPECT_EQ(hook.types[1], UINT(MB_OK | MB_ICONEXCLAMATION));
}

TEST(StringTable, LoadStringReadsTheProgramsStrings)
{
    CString text;
    EXPECT_TRUE(text.LoadString(IDS_SHEET_CAPTION));
    EXPECT_STREQ(text, "Sheet caption");
    EXPECT_FALSE(text.LoadString(4321));
    EXPECT_TRUE(text.IsEmpty());
}

} // namespace
