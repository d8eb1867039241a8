#pragma once
// The windows of other runs of the program: each main frame carries a window property that
// marks it, and answers through WM_COPYDATA whether its project is a given file, so that a
// project is never open in two windows that would save over each other.
#include "framework/core/CString.h"

#include "framework/core/Platform.h"

// Marks a main frame as one of the program's, for the other runs to find.
void MarkProgramWindow(HWND hWnd);
void UnmarkProgramWindow(HWND hWnd);
// A main frame's answer to WM_COPYDATA: 1 when the question is about its project's file (at
// projectPath, the same file under whatever spelling; a request to show it also brings the
// window to the front), else 0.
LRESULT AnswerProjectQuestion(HWND hFrame, const COPYDATASTRUCT* pData, const CString& projectPath);
// Whether a window of another run holds the file as its project; with bShow that window is
// restored and brought to the front.
BOOL OtherWindowHoldsProject(const char* lpszPath, BOOL bShow);
