#pragma once
#include "framework/core/CString.h"

class CWnd;

// The program's message boxes. A null owner means the main window (none before it exists); a
// null caption means the application's name. Each returns the button pressed (1 OK, 6 Yes,
// 7 No).
int MessageBoxText(CWnd* pOwner, LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr);
// The text of a string resource; a missing one shows an empty text.
int MessageBoxId(CWnd* pOwner, UINT nStringId, LPCTSTR lpszCaption = nullptr);
int MessageBoxInfo(CWnd* pOwner, LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr);
int MessageBoxQuestion(CWnd* pOwner, LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr);

// TRUE at once when the condition holds; otherwise shows the message (when there is one) owned
// by the dialog, focuses its control (when nControlId is not 0) and returns FALSE.
BOOL CheckOrWarnId(CWnd* pDialog, BOOL bCondition, UINT nStringId, UINT nControlId);
BOOL CheckOrWarnText(CWnd* pDialog, BOOL bCondition, LPCTSTR lpszText, UINT nControlId);

// "Delete <name>?" and "Overwrite <name>?" with a box for not asking again: 6 Yes or 7 No
// (Escape and the close box answer No and leave bDontAsk as it was).
int ConfirmDeletePrompt(LPCTSTR lpszName, BOOL& bDontAsk);
int ConfirmOverwritePrompt(LPCTSTR lpszName, BOOL& bDontAsk);
