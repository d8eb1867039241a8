#pragma once
#include "app/ViewLayout.h"

// The "Toggle Views" commands: each shows or hides one pane for the kind of the selected item.
// The commands in id order: workspace, 2-D plot, 3-D plot, grid.
constexpr UINT kFirstViewToggle = 33068;
constexpr UINT kLastViewToggle = 33071;
// The pane bit of a toggle command; 0 for any other id.
UINT ViewBitOfToggle(UINT nID);

// Flips the bit in the kind's mask (a mask left without panes shows the workspace alone) and
// gives the new mask to the kinds that share it. FALSE, and nothing changes, for a kind
// outside 0..15 (nothing selected).
BOOL ToggleViewBit(ViewLayouts& layouts, int kind, UINT bit);

// The menu state of a toggle: enabled while an item is selected, checked while its pane shows.
struct ViewToggleState {
    BOOL bEnable = FALSE;
    BOOL bCheck = FALSE;
};
ViewToggleState GetViewToggleState(const ViewLayouts& layouts, int kind, UINT bit);

// The tab bar's commands: one arrangement each, whatever is selected.
// The mask of a tab command (121 workspace, 122 grid, 123 2-D plot, 136 3-D plot, 127 all);
// 0 for any other id.
UINT ViewMaskOfShowCommand(UINT nID);
// The tab command whose arrangement a mask shows: its one pane's, all four for none, three or
// four panes (the frame shows all four then); 0 for two panes, which no tab shows.
UINT ShowCommandOfViewMask(UINT mask);

// The panes of a mask with the workspace among them: the mask as it is when it shows the
// workspace (by its bit, or as all four), else with the workspace's bit added.
UINT ViewMaskWithWorkspace(UINT mask);

// The panes a workspace line leaves when it selects an item whose arrangement hides the
// workspace: the first of its panes in the order 2-D plot, 3-D plot, grid, beside the
// workspace. A mask that shows the workspace (by its bit, or as all four) is returned as it is.
UINT ViewMaskBesideWorkspace(UINT mask);
