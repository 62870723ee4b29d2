#pragma once
// What the clock-face tests share: GDI+ for the test suite, a stand-in for
// the clock window with the off-screen buffers the main window would make,
// and a 32-bit canvas whose pixels can be read back.
#include <windows.h>

#include <gdiplus.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "app/app_state.h"

namespace facetest {

// A top-down 32 bpp DIB section in a memory DC, filled with one colour.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill) : width_(width), height_(height)
    {
        BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB}};
        dc_ = CreateCompatibleDC(NULL);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), NULL, 0);
        original_ = SelectObject(dc_, bitmap_);
        for (int i = 0; i < width * height; ++i)
            bits_[i] = (GetRValue(fill) << 16) | (GetGValue(fill) << 8) | GetBValue(fill);
    }
    ~Canvas() { DeleteObject(SelectObject(dc_, original_)), DeleteDC(dc_); }
    Canvas(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF at(int x, int y) const
    {
        GdiFlush();
        std::uint32_t bgra = bits_[y * width_ + x];
        return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
    }

    bool samePixels(const Canvas& other) const
    {
        GdiFlush();
        return width_ == other.width_ && height_ == other.height_ &&
               std::equal(bits_, bits_ + width_ * height_, other.bits_);
    }

private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ original_;
    std::uint32_t* bits_ = nullptr;
};

// Starts GDI+ once per test suite and restores `app` after every test.
class FaceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Gdiplus::GdiplusStartup(&gdiplusToken, &input, NULL); }
    static void TearDownTestSuite() { Gdiplus::GdiplusShutdown(gdiplusToken); }
    void SetUp() override { saved = app; }
    void TearDown() override { app = saved; }
    static inline Gdiplus::GdiplusStartupInput input;
    static inline ULONG_PTR gdiplusToken = 0;
    AppState saved{};
};

// A hidden layered popup standing in for the clock window, with the two
// memory DCs and 1024 x 80 bitmaps the main window makes at creation.
class FaceWindowTest : public FaceTest {
protected:
    void SetUp() override
    {
        FaceTest::SetUp();
        WNDCLASSA wc{0, DefWindowProcA, 0, 0, GetModuleHandleA(NULL)};
        wc.lpszClassName = "TockmereFaceTest";
        RegisterClassA(&wc);  // fails harmlessly after the first test
        app.hwndMain = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW, wc.lpszClassName, "face test",
                                       WS_POPUP, 100, 100, 300, 80, NULL, NULL, wc.hInstance, NULL);
        ASSERT_NE(app.hwndMain, nullptr);
        HDC window = GetDC(app.hwndMain);
        app.frameDC = CreateCompatibleDC(window);
        app.backgroundDC = CreateCompatibleDC(window);
        app.frameBitmap = HBITMAP(SelectObject(app.frameDC, CreateCompatibleBitmap(window, 1024, 80)));
        app.backgroundBitmap = HBITMAP(SelectObject(app.backgroundDC, CreateCompatibleBitmap(window, 1024, 80)));
        ReleaseDC(app.hwndMain, window);
        app.bufferWidth = 1024, app.bufferHeight = 80, app.scale = 100, app.opacity = 100;
    }
    void TearDown() override
    {
        DeleteObject(SelectObject(app.frameDC, app.frameBitmap));
        DeleteObject(SelectObject(app.backgroundDC, app.backgroundBitmap));
        DeleteDC(app.frameDC), DeleteDC(app.backgroundDC);
        DestroyWindow(app.hwndMain);
        FaceTest::TearDown();
    }
    RECT windowRect() const { RECT r{}; return GetWindowRect(app.hwndMain, &r), r; }
    void placeWindow(int x, int y, int w, int h) { SetWindowPos(app.hwndMain, NULL, x, y, w, h, SWP_NOZORDER); }
};

}  // namespace facetest
