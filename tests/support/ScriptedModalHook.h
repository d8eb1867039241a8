#pragma once
// A modal test hook that answers message boxes and runs one scripted step per idle round of a
// modal loop; it is installed for its lifetime.
#include "framework/core/CString.h"
#include "framework/win/CWnd.h"
#include "framework/win/CommonDialogs.h"
#include "framework/win/ModalTestHook.h"

#include <functional>
#include <string>
#include <vector>

// Fills a file dialog's name with path, as the user would type it; false for another dialog.
inline bool AnswerFileDialog(CWnd* pDialog, const std::string& path)
{
    auto* pFile = dynamic_cast<CFileDialog*>(pDialog);
    if (pFile)
        ::lstrcpynA(pFile->m_ofn.lpstrFile, path.c_str(), int(pFile->m_ofn.nMaxFile));
    return pFile != nullptr;
}

class ScriptedModalHook : public CModalTestHook {
public:
    ScriptedModalHook() { AfxSetModalTestHook(this); }
    ~ScriptedModalHook() override { AfxSetModalTestHook(nullptr); }

    int OnMessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) override
    {
        messages.emplace_back(lpszText);
        captions.emplace_back(lpszCaption);
        types.push_back(nType);
        return boxAnswer;
    }
    int OnModalStart(CWnd* pDialog) override
    {
        if (onStart)
            onStart(pDialog);
        return startAnswer;
    }
    // Every dialog that starts is answered OK, a file dialog with path.
    void ChooseFile(const std::string& path)
    {
        onStart = [path](CWnd* pDialog) { AnswerFileDialog(pDialog, path); };
        startAnswer = IDOK;
    }
    void OnModalIdle(CWnd* pDialog) override
    {
        if (next < steps.size())
            steps[next++](pDialog);
    }

    std::function<void(CWnd*)> onStart;
    int startAnswer = 0;
    std::vector<std::function<void(CWnd*)>> steps;
    std::size_t next = 0;
    int boxAnswer = IDOK;
    std::vector<CString> messages;
    std::vector<CString> captions;
    std::vector<UINT> types;
};

// Clicks a dialog button the way the user would.
inline void ClickButton(CWnd* pDialog, int nID)
{
    pDialog->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                         reinterpret_cast<LPARAM>(::GetDlgItem(pDialog->m_hWnd, nID)));
}
