// Hooks on a window that belongs to someone else: the chain's order, every order of leaving,
// attaching twice, a later subclasser, the window's destruction and a failing hook.
#include "ui/SubclassWnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr UINT WM_PROBE = WM_USER + 5;

std::vector<std::string>& Log()
{
    static std::vector<std::string> log;
    return log;
}

WNDPROC g_pfnLaterPrevious = nullptr;

// The window's own procedure: it records the probe and whether it saw its last message with
// its own procedure in place again.
LRESULT CALLBACK OwnProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PROBE)
        Log().push_back("window");
    if (message == WM_NCDESTROY)
        Log().push_back(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) ==
                                &OwnProc
                            ? "own end"
                            : "end under another procedure");
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

LRESULT CALLBACK LaterProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PROBE)
        Log().push_back("later");
    return ::CallWindowProcA(g_pfnLaterPrevious, hWnd, message, wParam, lParam);
}

class CNamedHook : public CSubclassWnd {
public:
    explicit CNamedHook(const char* name) : m_name(name) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NCDESTROY)
            Log().push_back(m_name + " saw the end");
        if (message == WM_PROBE) {
            Log().push_back(m_name);
            if (Log().size() > 20)
                return 0; // a cycle in the chain would go round for ever
            if (m_bThrow)
                throw std::runtime_error("hook failed");
        }
        return CSubclassWnd::WindowProc(message, wParam, lParam);
    }
    std::string m_name;
    bool m_bThrow = false;
};

class SubclassWndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &OwnProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "HookTestWindow";
        ::RegisterClassA(&wc);
        m_hWnd = ::CreateWindowExA(0, "HookTestWindow", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                   nullptr, wc.hInstance, nullptr);
        ASSERT_NE(m_hWnd, nullptr);
        Log().clear();
    }
    void TearDown() override
    {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
    }
    std::vector<std::string> Probe()
    {
        Log().clear();
        ::SendMessageA(m_hWnd, WM_PROBE, 0, 0);
        return Log();
    }
    WNDPROC Proc() const
    {
        return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC));
    }
    HWND m_hWnd = nullptr;
};

using Names = std::vector<std::string>;

TEST_F(SubclassWndTest, TheNewestHookSeesEachMessageFirstAndEveryOrderOfLeavingRestores)
{
    std::vector<int> order = {0, 1, 2};
    do {
        CNamedHook hooks[3] = {CNamedHook("a"), CNamedHook("b"), CNamedHook("c")};
        for (CNamedHook& hook : hooks)
            ASSERT_TRUE(hook.AttachHook(m_hWnd));
        EXPECT_EQ(Probe(), (Names{"c", "b", "a", "window"}));
        Names left = {"c", "b", "a"};
        for (int i : order) {
            hooks[i].AttachHook(nullptr);
            left.erase(std::find(left.begin(), left.end(), hooks[i].m_name));
            Names expected = left;
            expected.push_back("window");
            EXPECT_EQ(Probe(), expected) << "after " << hooks[i].m_name;
        }
        EXPECT_EQ(Proc(), &OwnProc) << order[0] << order[1] << order[2];
    } while (std::next_permutation(order.begin(), order.end()));
}

TEST_F(SubclassWndTest, AttachingTwiceLinksTheHookOnce)
{
    // A hook is no window, whatever it watches.
    EXPECT_EQ(RUNTIME_CLASS(CSubclassWnd)->m_pBaseClass, RUNTIME_CLASS(CObject));
    CNamedHook a("a"), b("b");
    a.AttachHook(m_hWnd);
    b.AttachHook(m_hWnd);
    a.AttachHook(m_hWnd); // moves a to the front
    EXPECT_EQ(Probe(), (Names{"a", "b", "window"}));
    a.AttachHook(nullptr);
    b.AttachHook(nullptr);
    EXPECT_EQ(Proc(), &OwnProc);
    EXPECT_FALSE(a.AttachHook(reinterpret_cast<HWND>(0x1234))); // no window
}

TEST_F(SubclassWndTest, ALaterSubclasserIsNotCutOffWhenTheLastHookLeaves)
{
    CNamedHook a("a");
    a.AttachHook(m_hWnd);
    g_pfnLaterPrevious = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterProc)));
    a.AttachHook(nullptr);
    EXPECT_EQ(Proc(), &LaterProc);
    EXPECT_EQ(Probe(), (Names{"later", "window"}));
    // A new hook joins the chain that is still in place.
    CNamedHook b("b");
    b.AttachHook(m_hWnd);
    EXPECT_EQ(Probe(), (Names{"later", "b", "window"}));
    Log().clear();
    ::DestroyWindow(m_hWnd);
    EXPECT_FALSE(b.IsHooked());
    EXPECT_EQ(CSubclassWnd::GetHookMap().FindSavedProc(m_hWnd), nullptr);
}

TEST_F(SubclassWndTest, DestroyingTheWindowUnhooksEveryHookFirst)
{
    auto* pA = new CNamedHook("a");
    CNamedHook b("b");
    pA->AttachHook(m_hWnd);
    b.AttachHook(m_hWnd);
    Log().clear();
    ::DestroyWindow(m_hWnd);
    EXPECT_EQ(Log(), (Names{"own end"}));
    EXPECT_FALSE(pA->IsHooked());
    EXPECT_FALSE(b.IsHooked());
    delete pA; // after its window: nothing more to do
    EXPECT_EQ(CSubclassWnd::GetHookMap().FindFirstHook(m_hWnd), nullptr);
}

TEST_F(SubclassWndTest, AFailingHookDoesNotTakeTheProgramDown)
{
    CNamedHook a("a");
    a.m_bThrow = true;
    a.AttachHook(m_hWnd);
    EXPECT_EQ(Probe(), (Names{"a"})); // the message stops at the failing hook
    a.m_bThrow = false;
    EXPECT_EQ(Probe(), (Names{"a", "window"}));
}

} // namespace
