#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

const UINT kPing = WM_APP + 7;
int g_pings = 0;
LPARAM g_lastParam = 0;

LRESULT CALLBACK TestProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case kPing:
        ++g_pings;
        g_lastParam = lParam;
        return 42;
    case WM_PRINTCLIENT: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        RECT rc;
        ::GetClientRect(hwnd, &rc);
        HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
        ::FillRect(dc, &rc, red);
        ::DeleteObject(red);
        HBRUSH blue = ::CreateSolidBrush(RGB(0, 0, 255));
        RECT box = {10, 10, 20, 20};
        ::FillRect(dc, &box, blue);
        ::DeleteObject(blue);
        return 0;
    }
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

class TestWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = TestProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "ZivraSmokeWindow";
        ::RegisterClassA(&wc);
        hwnd = ::CreateWindowExA(0, "ZivraSmokeWindow", "smoke", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                 150, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(hwnd, nullptr);
    }
    void TearDown() override
    {
        if (hwnd)
            ::DestroyWindow(hwnd);
    }
    HWND hwnd = nullptr;
};

TEST_F(TestWindow, SentMessageReachesWindowProcedure)
{
    g_pings = 0;
    EXPECT_EQ(::SendMessageA(hwnd, kPing, 0, 1234), 42);
    EXPECT_EQ(g_pings, 1);
    EXPECT_EQ(g_lastParam, 1234);

    ASSERT_TRUE(::PostMessageA(hwnd, kPing, 0, 99));
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
    EXPECT_EQ(g_pings, 2);
    EXPECT_EQ(g_lastParam, 99);
}

TEST_F(TestWindow, PrintClientDrawsIntoDibSection)
{
    RECT rc;
    ::GetClientRect(hwnd, &rc);
    ASSERT_GT(rc.right, 20);
    ASSERT_GT(rc.bottom, 20);

    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = rc.right;
    bi.bmiHeader.biHeight = -rc.bottom; // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC mem = ::CreateCompatibleDC(nullptr);
    HBITMAP dib = ::CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    HGDIOBJ old = ::SelectObject(mem, dib);

    ::SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
    ::GdiFlush();

    const auto* px = static_cast<const DWORD*>(bits);
    auto at = [&](int x, int y) { return px[y * rc.right + x] & 0xFFFFFF; };
    EXPECT_EQ(at(0, 0), 0xFF0000u);   // red, stored as 0x00RRGGBB
    EXPECT_EQ(at(15, 15), 0x0000FFu); // blue box
    EXPECT_EQ(at(20, 20), 0xFF0000u); // box excludes its right and bottom edges

    ::SelectObject(mem, old);
    ::DeleteObject(dib);
    ::DeleteDC(mem);
}

TEST(Registry, ValueRoundTripsAndKeyIsRemoved)
{
    const char* path = "Software\\Zivra Software\\ZivraTestKey";
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                &key, nullptr),
              ERROR_SUCCESS);
    const DWORD value = 0x12345678;
    ASSERT_EQ(::RegSetValueExA(key, "Answer", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                               sizeof value),
              ERROR_SUCCESS);
    DWORD back = 0, size = sizeof back, type = 0;
    ASSERT_EQ(
        ::RegQueryValueExA(key, "Answer", nullptr, &type, reinterpret_cast<BYTE*>(&back), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(back, value);
    ::RegCloseKey(key);

    ASSERT_EQ(::RegDeleteKeyA(HKEY_CURRENT_USER, path), ERROR_SUCCESS);
    EXPECT_NE(::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key), ERROR_SUCCESS);
}

} // namespace
