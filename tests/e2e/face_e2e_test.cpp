// The clock face on the screen: tockmere.exe is started on settings written
// to the registry beforehand and its window read back from the screen, which
// under Xvfb (no compositor) shows the opaque colours whatever the opacity.
#include <windows.h>

#include <gdiplus.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "e2e/driver.h"
#include "res/resource.h"
#include "support/test_clock.h"

using namespace driver;
using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

constexpr COLORREF DEFAULT_BORDER = 0x006A3B05;

class FaceOnScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        deleteProgramSettings();
        set("Show seconds", 0);  // any value makes the key exist: no first-start help
    }
    void TearDown() override { deleteProgramSettings(); }

    static void set(const char* name, DWORD value) { writeDword(PROGRAM_KEY, name, value); }

    // Starts the clock at 14:05:00 on Wednesday 17 March 2027 and waits
    // until it has been sized and placed: the window turns visible only then.
    static void startAtFixedTime(Clock& clock)
    {
        ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2027, 3, 17, 14, 5, 0)));
        ASSERT_TRUE(start(clock));
        ASSERT_TRUE(waitFor([&] { return IsWindowVisible(clock.window) != FALSE; }));
    }
};

TEST_F(FaceOnScreen, AnUnknownBackgroundTypeIsReplacedBySoft)
{
    Shot shots[2];
    for (DWORD type : {1u, 4u}) {
        set("Background type", type);
        Clock clock;
        startAtFixedTime(clock);
        shots[type == 4] = paintedFace(clock.window, DEFAULT_BORDER);
        EXPECT_EQ(clock.exitByMenu(), 0u);
    }
    ASSERT_FALSE(shots[0].pixels.empty());
    EXPECT_TRUE(shots[1].pixels == shots[0].pixels);
    DWORD saved = 0;
    EXPECT_TRUE(readDword(PROGRAM_KEY, "Background type", &saved) && saved == 1u) << saved;
}

TEST_F(FaceOnScreen, ScaleOpacityAndTopmostStateComeFromTheRegistry)
{
    const struct {
        DWORD scale, opacity, onTop;
        LONG height;
        BYTE alpha;
    } cases[] = {{100, 100, 1, 80, 255}, {75, 50, 0, 60, 127}, {50, 75, 1, 40, 191}};
    LONG fullWidth = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "scale " << c.scale);
        set("Scale", c.scale);
        set("UnTransparent", c.opacity);
        set("Always on top", c.onTop);
        Clock clock;
        startAtFixedTime(clock);
        Shot shot = paintedFace(clock.window, DEFAULT_BORDER);
        EXPECT_EQ(shot.height, c.height);
        if (c.scale == 100)
            fullWidth = shot.width;
        else  // the text shrinks with the font: 59 or 39 pixels against 79
            EXPECT_NEAR(shot.width - 24, (fullWidth - 24) * (int(c.scale) * 79 / 100) / 79, 6);
        BYTE alpha = 0;
        DWORD flags = 0;
        EXPECT_TRUE(GetLayeredWindowAttributes(clock.window, NULL, &alpha, &flags) && (flags & LWA_ALPHA));
        EXPECT_EQ(alpha, c.alpha);
        EXPECT_EQ((GetWindowLongA(clock.window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, c.onTop == 1);
        EXPECT_EQ(clock.exitByMenu(), 0u);
    }
}

TEST_F(FaceOnScreen, ASavedPlaceIsKeptOnlyWhollyOnTheWorkArea)
{
    // Never placed: the bottom-right corner of the work area.
    RECT area = workArea();
    Clock first;
    startAtFixedTime(first);
    RECT home = windowRect(first.window);
    EXPECT_EQ(first.exitByMenu(), 0u);
    EXPECT_TRUE(home.right == area.right && home.bottom == area.bottom && home.bottom - home.top == 80);
    LONG w = home.right - home.left, h = home.bottom - home.top;

    const struct {
        LONG x, y;
        bool stays;
    } places[] = {
        {area.left + 100, area.top + 50, true},       {area.right - w, area.bottom - h, true},
        {area.left - 1, area.top + 50, false},        {area.right - w + 1, area.top + 50, false},
        {area.left + 100, area.bottom - h + 1, false},
    };
    for (const auto& place : places) {
        SCOPED_TRACE(testing::Message() << "saved at " << place.x << "," << place.y);
        set("X", DWORD(place.x));
        set("Y", DWORD(place.y));
        Clock clock;
        startAtFixedTime(clock);
        RECT r = windowRect(clock.window);
        EXPECT_EQ(clock.exitByMenu(), 0u);
        RECT expected = place.stays ? RECT{place.x, place.y, place.x + w, place.y + h} : home;
        EXPECT_TRUE(EqualRect(&r, &expected)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

// After the date gained a digit, "Set to default position" widens the
// window; the face is painted out to its new right edge, border included.
TEST_F(FaceOnScreen, SetToDefaultPositionPaintsAFaceThatGrewToItsNewEdge)
{
    set("Show day of the week", 1);
    set("Show date", 1);
    Clock clock;
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2027, 3, 9, 14, 5, 0)));
    ASSERT_TRUE(start(clock));
    Shot before = paintedFace(clock.window, DEFAULT_BORDER);
    ASSERT_FALSE(before.pixels.empty());

    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2027, 3, 10, 14, 5, 0)));
    PostMessageA(clock.window, WM_COMMAND, IDM_DEFAULT_POSITION, 0);
    EXPECT_TRUE(waitFor([&] {
        RECT r = windowRect(clock.window);
        return r.right - r.left > before.width;
    }));
    Shot after = paintedFace(clock.window, DEFAULT_BORDER);
    EXPECT_EQ(clock.exitByMenu(), 0u);
    ASSERT_FALSE(after.pixels.empty()) << "the face is not painted out to its corners";
    EXPECT_GT(after.width, before.width);
    for (int y = 0; y < after.height; ++y)
        EXPECT_EQ(after.at(after.width - 1, y), DEFAULT_BORDER) << "row " << y;
}

// The face text measured and drawn by the test itself with the face font and
// the clock's drawing parameters, on a bitmap like the clock's frame.
class FaceTextRenderer {
public:
    FaceTextRenderer()
    {
        GdiplusStartupInput input;
        GdiplusStartup(&token_, &input, NULL);
        GdipCreateFontFamilyFromName(L"Segmora Mono", NULL, &family_);
        if (family_)
            GdipCreateFont(family_, 79.0f, FontStyleRegular, UnitPixel, &font_);
        screen_ = GetDC(NULL);
        dc_ = CreateCompatibleDC(screen_);
    }
    ~FaceTextRenderer()
    {
        GdipDeleteFont(font_);  // null is refused harmlessly
        GdipDeleteFontFamily(family_);
        DeleteDC(dc_), ReleaseDC(NULL, screen_), GdiplusShutdown(token_);
    }
    bool ready() const { return font_ != nullptr; }

    // The face width at scale 100: the text measured in the 1024 x 80 box,
    // truncated, plus 24.
    int faceWidth(const wchar_t* text) const
    {
        GpGraphics* graphics = nullptr;
        GdipCreateFromHDC(dc_, &graphics);
        RectF box(0.0f, 0.0f, 1024.0f, 80.0f), bounds;
        GdipMeasureString(graphics, text, -1, font_, &box, NULL, &bounds, NULL, NULL);
        GdipDeleteGraphics(graphics);
        return static_cast<int>(bounds.Width) + 24;
    }

    // `text` in `ink` over `ground` on a face of width x 80, centred in the
    // box that reaches 9 pixels below the face.
    Shot drawn(const wchar_t* text, int width, COLORREF ground, COLORREF ink) const
    {
        HBITMAP bitmap = CreateCompatibleBitmap(screen_, width, 80);
        HGDIOBJ original = SelectObject(dc_, bitmap);
        GpGraphics* graphics = nullptr;
        GdipCreateFromHDC(dc_, &graphics);
        GdipSetSmoothingMode(graphics, SmoothingModeHighQuality);
        GdipGraphicsClear(graphics, argbOf(ground));
        GpStringFormat* format = nullptr;
        GdipCreateStringFormat(0, 0, &format);
        GdipSetStringFormatAlign(format, StringAlignmentCenter);
        GdipSetStringFormatLineAlign(format, StringAlignmentCenter);
        GpSolidFill* brush = nullptr;
        GdipCreateSolidFill(argbOf(ink), &brush);
        RectF layout(0.0f, 0.0f, REAL(width), 89.0f);
        GdipDrawString(graphics, text, -1, font_, &layout, format, brush);
        GdipDeleteBrush(brush), GdipDeleteStringFormat(format), GdipDeleteGraphics(graphics);
        SelectObject(dc_, original);

        BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -80, 1, 32, BI_RGB}};
        std::vector<DWORD> bgra(static_cast<size_t>(width) * 80);
        GetDIBits(dc_, bitmap, 0, 80, bgra.data(), &info, DIB_RGB_COLORS);
        DeleteObject(bitmap);
        Shot shot{width, 80};
        for (DWORD pixel : bgra)
            shot.pixels.push_back(RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
        return shot;
    }

private:
    static ARGB argbOf(COLORREF c) { return 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

    ULONG_PTR token_ = 0;
    GpFontFamily* family_ = nullptr;
    GpFont* font_ = nullptr;
    HDC screen_;
    HDC dc_;
};

// Pixels inside the border ring where two faces of one size differ.
int differencesInside(const Shot& a, const Shot& b)
{
    int count = 0;
    for (int y = 1; y < a.height - 1; ++y)
        for (int x = 1; x < a.width - 1; ++x)
            count += a.at(x, y) != b.at(x, y);
    return count;
}

PROCESS_INFORMATION run(std::string command, DWORD flags = 0)
{
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION process{};
    CreateProcessA(NULL, command.data(), NULL, NULL, FALSE, flags, NULL, NULL, &startup, &process);
    return process;
}

// Wine takes a program's user locale from the Unix locale it inherits from
// its parent's Unix process, and rewrites HKCU\Control Panel\International
// to match, so neither the Windows environment nor the registry can choose
// it: the clock is started through the Unix program env.
bool startInUnixLocale(Clock& clock, const char* unixLocale)
{
    char loader[MAX_PATH] = "";
    const char* program = std::getenv("TOCKMERE_EXE");
    if (!program || !GetEnvironmentVariableA("WINELOADER", loader, sizeof loader))
        return false;
    PROCESS_INFORMATION launcher =
        run(std::string("Z:\\usr\\bin\\env LC_ALL=") + unixLocale + " " + loader + " " + program);
    CloseHandle(launcher.hProcess), CloseHandle(launcher.hThread);
    clock.window = findProcessWindow(0, "TOCKMERE", nullptr, 20000);
    if (!clock.window)
        return false;
    GetWindowThreadProcessId(clock.window, &clock.process.dwProcessId);
    clock.process.hProcess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE,
                                         FALSE, clock.process.dwProcessId);
    return clock.process.hProcess != NULL;
}

// The face width is the text at hour 23 measured, plus 24; the frame shows
// the text at 14:05. en-US reads "11"/"2" with " PM" and the date
// month/day; de-DE reads "23"/"14" and day.month, whose full stops take no
// room in the face font. Each expected face is drawn by the test and
// compared pixel for pixel.
TEST_F(FaceOnScreen, TheUsersLocaleWritesTimeAndDate)
{
    FaceTextRenderer renderer;
    ASSERT_TRUE(renderer.ready()) << "is the face font installed?";
    const struct {
        const char* unixLocale;  // null: the harness's own, en-US
        const wchar_t* shown;
        const wchar_t* measured;
    } english{nullptr, L"2:05 PM  Wed 3/17/2027", L"11:05 PM  Wed 3/17/2027"},
        german{"de_DE.UTF-8", L"14:05  Wed 17.3.2027", L"23:05  Wed 17.3.2027"};
    ASSERT_GT(std::abs(renderer.faceWidth(english.measured) - renderer.faceWidth(german.measured)), 40);

    const COLORREF base = RGB(0x60, 0x90, 0x30), border = RGB(0x90, 0x10, 0x50), ink = RGB(0x20, 0x08, 0x10);
    set("Background type", 0);
    set("Color base", base);
    set("Color border", border);
    set("Color of text", ink);
    set("Show day of the week", 1);
    set("Show date", 1);
    for (const auto* locale : {&english, &german}) {
        SCOPED_TRACE(locale->unixLocale ? locale->unixLocale : "en-US");
        Clock clock;
        ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2027, 3, 17, 14, 5, 0)));
        ASSERT_TRUE(locale->unixLocale ? startInUnixLocale(clock, locale->unixLocale) : start(clock));
        ASSERT_TRUE(waitFor([&] { return IsWindowVisible(clock.window) != FALSE; }));
        Shot shot = paintedFace(clock.window, border);
        EXPECT_EQ(clock.exitByMenu(), 0u);
        if (locale->unixLocale) {  // a program started in this process's locale puts the registry back
            PROCESS_INFORMATION cmd = run("cmd.exe /c exit", CREATE_NO_WINDOW);
            WaitForSingleObject(cmd.hProcess, 15000);
            CloseHandle(cmd.hProcess), CloseHandle(cmd.hThread);
        }
        ASSERT_FALSE(shot.pixels.empty());
        EXPECT_EQ(shot.width, renderer.faceWidth(locale->measured));
        EXPECT_EQ(differencesInside(shot, renderer.drawn(locale->shown, shot.width, base, ink)), 0);
        const wchar_t* other = (locale == &english ? german : english).shown;
        EXPECT_GT(differencesInside(shot, renderer.drawn(other, shot.width, base, ink)), 500);
    }
    std::string localeName;
    EXPECT_TRUE(readString("Control Panel\\International", "LocaleName", &localeName));
    EXPECT_EQ(localeName, "en-US");
}

}  // namespace
