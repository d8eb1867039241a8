#pragma once
#include "framework/core/CObject.h"
#include "framework/win/AfxState.h"

#include <unordered_map>

// A hook on someone else's window: it sees every message of that window before the window's
// own procedure does. Any number of hooks may watch one window; the newest sees a message
// first and passes it on (CSubclassWnd::WindowProc) to the older ones, then to the window.
// The first hook puts DispatchHookedMessage in as the window's procedure; the last one to
// leave puts the window's own back, unless somebody subclassed the window after it: then the
// window keeps passing through DispatchHookedMessage until it is destroyed. A hook object is
// no window; it is detached when its window is destroyed (it never sees WM_NCDESTROY).
class CSubclassWnd : public CObject {
    DECLARE_DYNAMIC(CSubclassWnd)
public:
    CSubclassWnd() = default;
    ~CSubclassWnd() override;
    CSubclassWnd(const CSubclassWnd&) = delete;
    CSubclassWnd& operator=(const CSubclassWnd&) = delete;

    // Hooks hWnd (a hook attached elsewhere is detached first), or with nullptr detaches.
    // FALSE for a handle that is no window.
    BOOL AttachHook(HWND hWnd);
    BOOL IsHooked() const { return m_hWnd != nullptr; }
    HWND GetHookedWindow() const { return m_hWnd; }

    // A derived hook handles what it wants and calls this to pass the message on.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    static class CSubclassWndMap& GetHookMap();

protected:
    HWND m_hWnd = nullptr;
    WNDPROC m_pOldWndProc = nullptr; // the window's own procedure, the end of every chain
    CSubclassWnd* m_pNext = nullptr; // the hook installed before this one

    friend class CSubclassWndMap;
};

// The process's table from a hooked window to the first hook of its chain and the window's
// own procedure. Created on first use and never destroyed: hooks may outlive static objects.
class CSubclassWndMap {
public:
    void AddHook(HWND hWnd, CSubclassWnd* pHook);
    void RemoveHook(CSubclassWnd* pHook);
    void RemoveAllHooks(HWND hWnd);
    CSubclassWnd* FindFirstHook(HWND hWnd) const;
    // The window's own procedure while it passes through the hook procedure, else nullptr.
    WNDPROC FindSavedProc(HWND hWnd) const;
    // The window is being destroyed: its entry goes.
    void Forget(HWND hWnd) { m_entries.erase(hWnd); }

private:
    struct Entry {
        CSubclassWnd* pFirst = nullptr;
        WNDPROC pfnSaved = nullptr;
    };
    std::unordered_map<HWND, Entry> m_entries;
};

// The procedure of every hooked window.
LRESULT CALLBACK DispatchHookedMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
