// The window-library gallery: one window showing every control of the library at work.
#include "framework/win/CWinApp.h"
#include "ui/gallery/GalleryFrame.h"

namespace {

class CGalleryApp : public CWinApp {
public:
    CGalleryApp() : CWinApp("Window Library Gallery") {}
    BOOL InitInstance() override
    {
        SetRegistryKey("Zivra Software");
        auto* pFrame = new CGalleryFrame;
        if (!pFrame->Create(nullptr, "Zivra Window Library Gallery", WS_OVERLAPPEDWINDOW,
                            CRect(20, 20, 940, 680)))
            return FALSE;
        m_pMainWnd = pFrame;
        pFrame->ShowWindow(m_nCmdShow);
        pFrame->UpdateWindow();
        // Everything painted first, then the zoom bar floats off.
        pFrame->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        pFrame->FloatZoomBar();
        return TRUE;
    }
};

CGalleryApp theApp;

} // namespace

extern "C" int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine,
                              int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
