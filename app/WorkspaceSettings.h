#pragma once
#include "framework/core/CString.h"

class CProfileStore;

extern const char kWorkspaceSection[];

// The workspace's colours (0x00BBGGRR), name tips and default font, as the section
// "Workspace" keeps them.
struct WorkspaceSettings {
    COLORREF DefaultColor = 0;
    COLORREF CommentColor = 0xC800;
    COLORREF PFColor = 0xC80000; // built-in functions
    COLORREF PCColor = 0xC8;     // built-in constants
    COLORREF UFColor = 0xC80000; // user functions
    COLORREF UCColor = 0xC8;     // user constants
    COLORREF VarColor = 0xC8;    // variables and expression variables
    COLORREF BackColor = 0xFFFFFF;
    int PopupFunction = 0;        // 1: tips also for functions of fewer than two arguments
    unsigned PopupOptions = 0x1F; // PopupOption bits
    int FontSize = 14;            // pixels; the sign is the font's, the view uses the magnitude
    CString FontFaceName = "Arial";
};

// The colour that typed text of a kind takes: a NameKind, or kCommentLineKind.
COLORREF WorkspaceColourOfKind(const WorkspaceSettings& settings, int kind);

// Reads the section: a colour outside 0..0xFFFFFF is its default, the options keep their five
// bits, PopupFunction is 0 or 1, the font height lies within 6..96 either way and a face that
// is empty or longer than a font face can be is "Arial".
void ReadWorkspaceSettings(CProfileStore& store, WorkspaceSettings& settings);
BOOL WriteWorkspaceSettings(CProfileStore& store, const WorkspaceSettings& settings);
// A font height brought within 6..96 pixels, keeping its sign.
int ClampWorkspaceFontSize(int size);
