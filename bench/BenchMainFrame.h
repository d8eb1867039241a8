#pragma once
// The program's main frame for the benchmarks under Wine: a new project in the application's
// own template, its user data in the temporary folder, and the message loop's next steps.
#include "app/MainFrame.h"
#include "app/MathApp.h"
#include "app/MyDocument.h"
#include "bench/BenchPump.h"
#include "engine/SolverModel.h"
#include "framework/win/CWinThread.h"

// The main frame and document of a new project; both null when the frame did not come up.
// The frame is destroyed and the user-data file deleted at the end.
class CBenchMainFrame {
public:
    CBenchMainFrame(CMathApp& app, const char* userFile)
    {
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        m_strUserFile = CString(temp) + userFile;
        app.SetRegistryKey("Zivra Bench");
        app.CreateImageLists();
        app.AddProjectTemplate();
        CMyDocument::SetUserDataPath(m_strUserFile);
        app.OnFileNew();
        Pump();
        frame = dynamic_cast<CMainFrame*>(app.m_pMainWnd);
        doc = frame ? dynamic_cast<CMyDocument*>(frame->GetActiveDocument()) : nullptr;
        if (!doc)
            frame = nullptr;
    }
    ~CBenchMainFrame()
    {
        if (frame) {
            frame->DestroyWindow();
            Pump();
        }
        ::DeleteFileA(m_strUserFile);
    }
    // Shows the frame at 1280 x 960, with the views of mask where it is not 0.
    void Show(UINT mask = 0)
    {
        frame->SetWindowPos(nullptr, 0, 0, 1280, 960, SWP_NOZORDER);
        frame->ShowWindow(SW_SHOW);
        if (mask != 0)
            frame->SetViewMask(mask);
        Pump();
    }
    CBenchMainFrame(const CBenchMainFrame&) = delete;
    CBenchMainFrame& operator=(const CBenchMainFrame&) = delete;

    CMainFrame* frame = nullptr;
    CMyDocument* doc = nullptr;

private:
    CString m_strUserFile;
};

// The model of sin(x) = 0 in the explorer, with one solution in each of its n steps from 0.5,
// ready for Calculate.
inline CSolverModel* SelectSineModel(CMyDocument& doc, CMainFrame& frame, int n)
{
    const CString equation = "sin(x)=0";
    ProjectModel& model = doc.GetModel();
    if (model.FindSolverModel(equation) < 0) {
        doc.AddSolverModel(equation, "");
        frame.InsertExplorerItem(ItemSolverModel, equation, TRUE);
        Pump();
    }
    CSolverModel* solver = model.m_UserDefinitions.GetSolverModel(model.FindSolverModel(equation));
    solver->m_dMinimum = 0.5;
    solver->m_dMaximum = 0.5 + n * 3.14159265358979323846;
    solver->m_nSolverSteps = n;
    return solver;
}
