#pragma once
#include "framework/core/Geometry.h"
#include "framework/win/AfxState.h"

class CControlBar;
class CDockBar;
class CFrameWnd;

// Moves a control bar between the dock bars of its frame and floating frames. A drag shows an
// outline that follows the pointer: a thin one where the bar would dock, a thick one where it
// would float. Dropped over a side the bar may dock on, it docks there at that place;
// elsewhere, or with Ctrl held, it floats there; Escape or the right button leaves it as it
// was. The drag reads the mouse and key messages itself while it holds the capture.
class CDockContext {
public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext() = default;
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    // Drags the bar from point (screen).
    virtual void StartDrag(CPoint point);
    // A docked bar floats at its last floating place; a floating one docks where it was
    // last docked.
    virtual void ToggleDocking();

    CControlBar* m_pBar;
    CRect m_rectMRUDockPos; // the bar's last docked place, in its dock bar's client area
    UINT m_uMRUDockID = 0;  // and that dock bar's id (0: never docked)
    CPoint m_ptMRUFloatPos; // the floating frame's last screen position
    BOOL m_bHasFloated = FALSE;

protected:
    // Starts a drag from point (screen) of a bar whose outline measures sizeHorz docked along
    // the top or bottom, sizeVert along a side and sizeFrame floating; the outline keeps the
    // place the pointer grabbed.
    void InitDrag(CPoint point, CSize sizeHorz, CSize sizeVert, CSize sizeFrame);
    BOOL Track();
    void Move(CPoint point);
    void EndDrag();
    void CancelLoop();
    // The dock bar under the drag rectangles, or nullptr (always with Ctrl held).
    CDockBar* FindDockBar();
    // Draws the outline where the bar would go, erasing the last one (only erasing with
    // bRemoveRect).
    virtual void DrawFocusRect(BOOL bRemoveRect = FALSE);

    CFrameWnd* m_pDockSite = nullptr;
    CPoint m_ptLast;
    BOOL m_bMoved = FALSE;
    BOOL m_bFlip = FALSE;  // Ctrl held: float wherever
    CRect m_rectDragHorz;  // the bar docked along the top or bottom, under the pointer
    CRect m_rectDragVert;  // docked along the left or right
    CRect m_rectFrameDrag; // floating, with its frame
    CDockBar* m_pOverDockBar = nullptr;
    CRect m_rectLast; // the outline on the screen, and its thickness
    int m_nLastThickness = 0;
};
