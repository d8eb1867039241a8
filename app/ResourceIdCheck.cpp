// The program's resource ids that the framework knows too must equal its constants, and none
// of the program's ids at 0xE000 and above may be one of the framework's window ids (its bars,
// dock bars and splitter panes), or a command would reach a window instead.
#include "framework/win/FrameworkIds.h"
#include "res/resource.h"

namespace {

static_assert(IDM_FILE_NEW == ID_FILE_NEW && IDM_FILE_OPEN == ID_FILE_OPEN);
static_assert(IDM_FILE_SAVE == ID_FILE_SAVE && IDM_FILE_SAVE_AS == ID_FILE_SAVE_AS);
static_assert(IDM_FILE_PRINT == ID_FILE_PRINT && IDM_FILE_PRINT_SETUP == ID_FILE_PRINT_SETUP);
static_assert(IDM_FILE_MRU_FILE1 == ID_FILE_MRU_FILE1);
static_assert(IDM_EDIT_COPY == ID_EDIT_COPY && IDM_EDIT_CUT == ID_EDIT_CUT);
static_assert(IDM_EDIT_PASTE == ID_EDIT_PASTE && IDM_EDIT_UNDO == ID_EDIT_UNDO);
static_assert(IDM_APP_ABOUT == ID_APP_ABOUT && IDM_APP_EXIT == ID_APP_EXIT);
static_assert(IDM_NEXT_PANE == ID_NEXT_PANE && IDM_PREV_PANE == ID_PREV_PANE);
static_assert(IDS_INDICATOR_CAPS == ID_INDICATOR_CAPS && IDS_INDICATOR_NUM == ID_INDICATOR_NUM);
static_assert(IDS_INDICATOR_SCRL == ID_INDICATOR_SCRL);
static_assert(IDS_IDLE_MESSAGE == AFX_IDS_IDLEMESSAGE);

constexpr UINT kProgramIds[] = {
    IDS_APP_TITLE,          IDS_IDLE_MESSAGE,      IDM_FILE_NEW,
    IDM_FILE_OPEN,          IDM_FILE_SAVE,         IDM_FILE_SAVE_AS,
    IDM_FILE_PRINT_SETUP,   IDM_FILE_PRINT,        IDM_FILE_MRU_FILE1,
    IDM_EDIT_COPY,          IDM_EDIT_CUT,          IDM_EDIT_PASTE,
    IDM_EDIT_UNDO,          IDM_APP_ABOUT,         IDM_APP_EXIT,
    IDM_NEXT_PANE,          IDM_PREV_PANE,         IDS_INDICATOR_CAPS,
    IDS_INDICATOR_NUM,      IDS_INDICATOR_SCRL,    IDS_INDICATOR_ANGLE,
    IDS_INDICATOR_BASE,     IDS_ENTER_EQUATION,    IDS_INVALID_EQUATION,
    IDS_NO_SOLUTION,        IDS_INVALID_INTERVAL,  IDS_INVALID_STEPS,
    IDS_ACCURACY_TOO_HIGH,  IDS_INVALID_PARAMETER, IDS_UNITS_NOT_COMPATIBLE,
    IDS_NOT_DIFFERENTIABLE, IDS_INVALID_DOMAIN,    IDS_TOO_FEW_POINTS,
    IDS_FIELD_MISSING,
};

// The framework's window ids: tool bar, status bar, the four dock bars, sizing bars, panes.
constexpr bool IsFrameworkWindowId(UINT nID)
{
    return nID == AFX_IDW_TOOLBAR || nID == AFX_IDW_STATUS_BAR ||
           (nID >= 0xE81B && nID <= 0xE825) ||
           (nID >= AFX_IDW_PANE_FIRST && nID <= AFX_IDW_PANE_LAST);
}

constexpr bool NoneIsAWindowId()
{
    for (UINT nID : kProgramIds)
        if (IsFrameworkWindowId(nID))
            return false;
    return true;
}
static_assert(NoneIsAWindowId(), "a resource id of the program is one of the framework's windows");

} // namespace
