// Who owns a handle: the handle maps on every path (create, attach, detach, delete, destroy),
// misuse asserted and refused, and the preconditions of the wrappers.
#include "framework/win/CDC.h"
#include "framework/win/CDocument.h"
#include "framework/win/CMenu.h"
#include "framework/win/CPropertySheet.h"
#include "framework/win/CStatusBar.h"
#include "tests/support/AssertRecorder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

bool IsLiveGdiObject(HGDIOBJ h) { return ::GetObjectType(h) != 0; }

TEST(HandleOwnership, GdiObjectOnEveryPath)
{
    AssertRecorder asserts;
    CPen pen;
    ASSERT_TRUE(pen.CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
    HGDIOBJ first = pen.m_hObject;
    EXPECT_EQ(CGdiObject::FromHandle(first), &pen) << "create";

    // Creating over the held pen is refused: the first pen stays attached, nothing leaks.
    EXPECT_FALSE(pen.CreatePen(PS_SOLID, 1, RGB(4, 5, 6)));
    EXPECT_EQ(pen.m_hObject, first);
    EXPECT_EQ(asserts.failures.size(), 1u);

    // Attaching over it, or attaching a pen another object owns, is refused alike.
    HPEN other = ::CreatePen(PS_SOLID, 1, RGB(7, 8, 9));
    EXPECT_FALSE(pen.Attach(other));
    CPen second;
    EXPECT_FALSE(second.Attach(first));
    EXPECT_EQ(second.m_hObject, nullptr);
    EXPECT_EQ(CGdiObject::FromHandle(first), &pen);
    EXPECT_EQ(asserts.failures.size(), 3u);
    EXPECT_TRUE(IsLiveGdiObject(other)) << "a refused attach leaves the caller's handle alone";

    // Detach hands the handle back; the map no longer names the object.
    EXPECT_EQ(pen.Detach(), first);
    EXPECT_NE(CGdiObject::FromHandle(first), &pen);
    EXPECT_TRUE(IsLiveGdiObject(first));
    EXPECT_TRUE(second.Attach(first)) << "attach";
    EXPECT_EQ(CPen::FromHandle(HPEN(first)), &second);

    // Delete: the handle is gone and nothing maps to the object.
    EXPECT_TRUE(second.DeleteObject());
    EXPECT_FALSE(IsLiveGdiObject(first));
    EXPECT_EQ(second.m_hObject, nullptr);
    EXPECT_NE(CGdiObject::FromHandle(first), &second);

    // Destroy: the destructor deletes what the object owns.
    HGDIOBJ owned = nullptr;
    const CGdiObject* where = nullptr;
    {
        CBrush brush(RGB(10, 20, 30));
        owned = brush.m_hObject;
        where = &brush;
    }
    EXPECT_FALSE(IsLiveGdiObject(owned));
    EXPECT_NE(CGdiObject::FromHandle(other), where);
    ::DeleteObject(other);
    EXPECT_EQ(asserts.failures.size(), 3u);
}

TEST(HandleOwnership, StockObjectsAreSharedWithoutComplaint)
{
    AssertRecorder asserts;
    {
        CBrush a, b;
        EXPECT_TRUE(a.CreateStockObject(NULL_BRUSH));
        EXPECT_TRUE(b.CreateStockObject(NULL_BRUSH));
        CClientDC screen1(nullptr);
        CClientDC screen2(nullptr); // the screen DC may be handed out twice
    }
    EXPECT_TRUE(IsLiveGdiObject(::GetStockObject(NULL_BRUSH)));
    EXPECT_TRUE(asserts.failures.empty());
}

TEST(HandleOwnership, MenusAndDcsRefuseASecondHandle)
{
    AssertRecorder asserts;
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    HMENU first = menu.m_hMenu;
    EXPECT_FALSE(menu.CreateMenu());
    EXPECT_EQ(menu.m_hMenu, first);
    EXPECT_EQ(CMenu::FromHandlePermanent(first), &menu);

    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    HDC firstDC = dc.m_hDC;
    EXPECT_FALSE(dc.CreateCompatibleDC(nullptr));
    EXPECT_EQ(dc.m_hDC, firstDC);
    EXPECT_EQ(CDC::FromHandle(firstDC), &dc);
    EXPECT_EQ(asserts.failures.size(), 2u);

    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_EQ(CMenu::FromHandlePermanent(first), nullptr);
    EXPECT_FALSE(::IsMenu(first));
    EXPECT_TRUE(dc.DeleteDC());
    EXPECT_NE(CDC::FromHandle(firstDC), &dc);
}

class CPlainWnd : public CWnd {};

HWND MakePopup()
{
    return ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                             nullptr);
}

TEST(HandleOwnership, WindowOnEveryPath)
{
    AssertRecorder asserts;
    CPlainWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "one", WS_POPUP, RECT{0, 0, 20, 20}, nullptr, 0));
    HWND first = wnd.m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(first), &wnd) << "create";

    // A second window for the same object is refused before it is made.
    EXPECT_FALSE(wnd.CreateEx(0, nullptr, "two", WS_POPUP, RECT{0, 0, 20, 20}, nullptr, 0));
    EXPECT_EQ(wnd.m_hWnd, first);
    EXPECT_EQ(::FindWindowA(nullptr, "two"), nullptr);

    HWND foreign = MakePopup();
    EXPECT_FALSE(wnd.Attach(foreign)) << "attach over a held window";
    CPlainWnd other;
    EXPECT_FALSE(other.Attach(first)) << "a window another object owns";
    EXPECT_EQ(CWnd::FromHandlePermanent(first), &wnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
    EXPECT_EQ(asserts.failures.size(), 3u);

    // Detach and attach move the entry; destroy removes it.
    EXPECT_TRUE(other.Attach(foreign)) << "attach";
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign), &other);
    EXPECT_EQ(other.Detach(), foreign);
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
    EXPECT_TRUE(::IsWindow(foreign)) << "detaching leaves the window alone";
    ::DestroyWindow(foreign);

    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(first), nullptr) << "destroy";

    // Delete: the destructor destroys the window it owns and drops the entry.
    HWND owned = nullptr;
    {
        CPlainWnd scoped;
        ASSERT_TRUE(scoped.CreateEx(0, nullptr, "three", WS_POPUP, RECT{0, 0, 20, 20}, nullptr, 0));
        owned = scoped.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(owned));
    EXPECT_EQ(CWnd::FromHandlePermanent(owned), nullptr);
    EXPECT_EQ(asserts.failures.size(), 3u);
}

// Each call breaks one precondition of a wrapper: it is asserted once and refused harmlessly.
TEST(HandleOwnership, WrappersCheckTheirPreconditions)
{
    struct Case {
        const char* what;
        std::function<void()> call;
        std::string condition;
    };
    const Case cases[] = {
        {"window text of no window", [] { CWnd().SetWindowText("x"); }, "::IsWindow(m_hWnd)"},
        {"message to a destroyed window",
         [] {
             CPlainWnd wnd;
             wnd.CreateEx(0, nullptr, "gone", WS_POPUP, RECT{0, 0, 5, 5}, nullptr, 0);
             HWND hWnd = wnd.m_hWnd;
             ::DestroyWindow(hWnd);
             wnd.m_hWnd = hWnd; // a stale copy of the handle
             wnd.SendMessage(WM_NULL);
             wnd.m_hWnd = nullptr;
         },
         "::IsWindow(m_hWnd)"},
        {"line on a DC without a handle", [] { CDC().LineTo(1, 1); }, "m_hDC != nullptr"},
        {"select into a DC without a handle",
         [] {
             CPen pen(PS_SOLID, 1, 0);
             CDC().SelectObject(&pen);
         },
         "m_hDC != nullptr"},
        {"item of no menu", [] { CMenu().GetMenuItemCount(); }, "::IsMenu(m_hMenu)"},
        {"page out of range", [] { EXPECT_EQ(CPropertySheet("s").GetPage(0), nullptr); },
         "inRange"},
        {"view out of range", [] { EXPECT_EQ(CDocument().GetView(-1), nullptr); }, "inRange"},
        {"status pane out of range", [] { EXPECT_FALSE(CStatusBar().SetPaneText(3, "x")); },
         "nIndex >= 0 && nIndex < GetCount()"},
    };
    for (const Case& c : cases) {
        AssertRecorder asserts;
        c.call();
        EXPECT_EQ(asserts.failures, std::vector<std::string>{c.condition}) << c.what;
    }
}

} // namespace
