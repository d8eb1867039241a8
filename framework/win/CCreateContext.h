#pragma once
#include "framework/core/CObject.h"

class CDocTemplate;
class CDocument;
class CFrameWnd;
class CView;

// What a frame passes down while it creates its views: which view class to create and which
// document the new views belong to.
struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};
