#pragma once

class CMenu;

// What the explorer asks of the main window, which holds each item kind's context menu.
class IExplorerMenus {
public:
    virtual ~IExplorerMenus() = default;
    // The first pop-up of the context menu of an item kind 0..15; nullptr for any other value.
    virtual CMenu* GetContextMenuForType(int kind) = 0;
};
