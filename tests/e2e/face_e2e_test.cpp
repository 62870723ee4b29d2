// The clock face seen on the screen: tockmere.exe is started with settings
// written to the registry beforehand, and its window's pixels are read back
// from the screen. Xvfb has no compositor, so the screen shows the opaque
// colours the clock paints whatever its opacity.
#include <windows.h>

#include <gdiplus.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "e2e/driver.h"
#include "support/test_clock.h"

using namespace driver;

namespace {

// A copy of the screen under one window.
struct Shot {
    RECT rect{};
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    COLORREF at(int x, int y) const { return pixels[y * width + x]; }
};

Shot captureWindow(HWND window)
{
    Shot shot;
    shot.rect = windowRect(window);
    shot.width = shot.rect.right - shot.rect.left;
    shot.height = shot.rect.bottom - shot.rect.top;
    if (shot.width <= 0 || shot.height <= 0)
        return shot;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ original = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, shot.rect.left, shot.rect.top, SRCCOPY);
    GdiFlush();
    const auto* bgra = static_cast<const DWORD*>(bits);
    shot.pixels.resize(static_cast<size_t>(shot.width) * shot.height);
    for (size_t i = 0; i < shot.pixels.size(); ++i)
        shot.pixels[i] = RGB((bgra[i] >> 16) & 0xFF, (bgra[i] >> 8) & 0xFF, bgra[i] & 0xFF);
    SelectObject(memory, original);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return shot;
}

bool onRing(const Shot& shot, int x, int y)
{
    return x == 0 || y == 0 || x == shot.width - 1 || y == shot.height - 1;
}

// The clock's face once it has been painted: its border ring shows the
// border colour. Taken twice in a row alike, so no repaint was half-way.
Shot paintedFace(HWND window, COLORREF border)
{
    Shot shot;
    waitFor([&] {
        Shot first = captureWindow(window);
        if (first.pixels.empty() || first.at(0, 0) != border ||
            first.at(first.width - 1, first.height - 1) != border)
            return false;
        Sleep(50);
        shot = captureWindow(window);
        return shot.pixels == first.pixels;
    });
    return shot;
}

// The columns and rows that hold anything other than `ground`, inside the
// border ring.
RECT inkBounds(const Shot& shot, COLORREF ground)
{
    RECT ink{shot.width, shot.height, 0, 0};
    for (int y = 1; y < shot.height - 1; ++y)
        for (int x = 1; x < shot.width - 1; ++x)
            if (shot.at(x, y) != ground) {
                ink.left = std::min<LONG>(ink.left, x);
                ink.top = std::min<LONG>(ink.top, y);
                ink.right = std::max<LONG>(ink.right, x + 1);
                ink.bottom = std::max<LONG>(ink.bottom, y + 1);
            }
    return ink;
}

int red(COLORREF c)
{
    return GetRValue(c);
}

// Program settings of one start, on top of what a deleted key leaves.
class FaceOnScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        deleteProgramSettings();
        // Any value makes the key exist: no first-start help viewer.
        set("Show seconds", 0);
    }
    void TearDown() override { deleteProgramSettings(); }

    static void set(const char* name, DWORD value) { writeDword(PROGRAM_KEY, name, value); }

    // Starts the clock at 14:05:00 on Wednesday 17 March 2027 (the face
    // keeps its text for the minute that follows) and waits until it has
    // been created, sized and placed: the window turns visible only then.
    static void startAtFixedTime(Clock& clock)
    {
        ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2027, 3, 17, 14, 5, 0)));
        ASSERT_TRUE(start(clock));
        ASSERT_TRUE(waitFor([&] { return IsWindowVisible(clock.window) != FALSE; }));
    }
};

constexpr COLORREF DEFAULT_BORDER = 0x006A3B05;
constexpr COLORREF BASE = RGB(0x60, 0x90, 0x30);
constexpr COLORREF BORDER = RGB(0x90, 0x10, 0x50);
constexpr COLORREF INK = RGB(0x20, 0x08, 0x10);

// Whether `c` lies on the straight line from `ground` to `ink`, as every
// antialiased pixel of text drawn over a flat ground does.
bool isBlendOf(COLORREF c, COLORREF ground, COLORREF ink)
{
    int g[3] = {GetRValue(ground), GetGValue(ground), GetBValue(ground)};
    int k[3] = {GetRValue(ink), GetGValue(ink), GetBValue(ink)};
    int p[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
    // The share of ink, judged on the channel where ground and ink differ most.
    int widest = 0;
    for (int i = 1; i < 3; ++i)
        if (std::abs(k[i] - g[i]) > std::abs(k[widest] - g[widest]))
            widest = i;
    double share = double(p[widest] - g[widest]) / (k[widest] - g[widest]);
    if (share < -0.01 || share > 1.01)
        return false;
    for (int i = 0; i < 3; ++i)
        if (std::abs(p[i] - (g[i] + share * (k[i] - g[i]))) > 2.0)
            return false;
    return true;
}

TEST_F(FaceOnScreen, SolidIsTheBaseColourInsideABorderRing)
{
    set("Background type", 0);
    set("Color base", BASE);
    set("Color border", BORDER);
    set("Color of text", INK);
    set("Show date", 1);
    Clock clock;
    startAtFixedTime(clock);
    Shot shot = paintedFace(clock.window, BORDER);
    ASSERT_FALSE(shot.pixels.empty());

    int wrongRing = 0, notBaseNorText = 0, text = 0;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x) {
            COLORREF c = shot.at(x, y);
            if (onRing(shot, x, y))
                wrongRing += c != BORDER;
            else if (c != BASE) {
                ++text;
                notBaseNorText += !isBlendOf(c, BASE, INK);
            }
        }
    EXPECT_EQ(wrongRing, 0);
    EXPECT_EQ(notBaseNorText, 0);
    EXPECT_GT(text, 1000);
    // The digits stay clear of the ring: two rows above and below, and the
    // margin of 24 pixels at the sides, are all base.
    RECT ink = inkBounds(shot, BASE);
    EXPECT_GE(ink.top, 3);
    EXPECT_LE(ink.bottom, shot.height - 3);
    EXPECT_GE(ink.left, 8);
    EXPECT_LE(ink.right, shot.width - 8);

    EXPECT_EQ(clock.exitByMenu(), 0u);
}

constexpr COLORREF PURE_BLUE = RGB(0, 0, 255);

// The background alone, one column left of where any text can be. Over
// white, the red channel tells how much white shows through.
std::vector<int> whitenessDownColumn(const Shot& shot, int x)
{
    std::vector<int> column;
    for (int y = 0; y < shot.height; ++y)
        column.push_back(red(shot.at(x, y)));
    return column;
}

TEST_F(FaceOnScreen, GradientAndGlassRunOppositeWays)
{
    set("Color base", PURE_BLUE);
    set("Color border", BORDER);

    set("Background type", 2);
    Clock gradientClock;
    startAtFixedTime(gradientClock);
    Shot gradient = paintedFace(gradientClock.window, BORDER);
    EXPECT_EQ(gradientClock.exitByMenu(), 0u);
    ASSERT_FALSE(gradient.pixels.empty());

    // Pale blue at the top (about a quarter blue over white), almost pure
    // blue at the bottom, and never lighter on the way down.
    std::vector<int> down = whitenessDownColumn(gradient, 5);
    for (int y = 2; y < gradient.height - 1; ++y)
        EXPECT_LE(down[y], down[y - 1]) << "row " << y;
    EXPECT_NEAR(down[1], 191, 12);
    EXPECT_LT(down[gradient.height - 2], 16);
    EXPECT_EQ(GetBValue(gradient.at(5, 1)), 255);

    set("Background type", 3);
    Clock glassClock;
    startAtFixedTime(glassClock);
    Shot glass = paintedFace(glassClock.window, BORDER);
    EXPECT_EQ(glassClock.exitByMenu(), 0u);
    ASSERT_FALSE(glass.pixels.empty());
    ASSERT_EQ(glass.height, 80);

    // Below the band: almost pure blue, paling towards the bottom.
    down = whitenessDownColumn(glass, 5);
    for (int y = 15; y < glass.height - 1; ++y)
        EXPECT_GE(down[y], down[y - 1]) << "row " << y;
    EXPECT_LT(down[14], 60);
    EXPECT_GT(down[glass.height - 2], 150);

    // The white band covers rows 2..11 from column 2 to the fourth column
    // from the right, fading downwards; around it the blue shows, inset
    // two pixels from the left, top and right edges. Columns 5 and
    // width - 6 lie left and right of the text.
    auto whiteness = [&](int x, int y) { return red(glass.at(x, y)); };
    int w = glass.width;
    for (int y = 2; y <= 11; ++y) {
        SCOPED_TRACE(testing::Message() << "row " << y);
        EXPECT_LT(whiteness(1, y), 40);
        EXPECT_GT(whiteness(2, y), 100);
        EXPECT_GT(whiteness(w - 4, y), 100);
        EXPECT_LT(whiteness(w - 3, y), 40);
    }
    for (int x : {5, w - 6}) {
        SCOPED_TRACE(testing::Message() << "column " << x);
        EXPECT_LT(whiteness(x, 1), 40);
        EXPECT_GT(whiteness(x, 2), 200);
        EXPECT_GT(whiteness(x, 11), whiteness(x, 12) + 30);
        EXPECT_LT(whiteness(x, 12), 40);
    }
}

TEST_F(FaceOnScreen, AnUnknownBackgroundTypeIsNotLoaded)
{
    set("Background type", 1);
    Clock soft;
    startAtFixedTime(soft);
    Shot softShot = paintedFace(soft.window, DEFAULT_BORDER);
    EXPECT_EQ(soft.exitByMenu(), 0u);

    deleteProgramSettings();
    set("Background type", 4);
    Clock unknown;
    startAtFixedTime(unknown);
    Shot unknownShot = paintedFace(unknown.window, DEFAULT_BORDER);
    EXPECT_EQ(unknown.exitByMenu(), 0u);

    // The default, Soft, was kept and saved again.
    ASSERT_FALSE(softShot.pixels.empty());
    EXPECT_TRUE(unknownShot.pixels == softShot.pixels);
    DWORD saved = 0;
    EXPECT_TRUE(readDword(PROGRAM_KEY, "Background type", &saved));
    EXPECT_EQ(saved, 1u);
}

struct SizeCase {
    DWORD scale;
    DWORD opacity;
    DWORD onTop;
    LONG height;
    BYTE alpha;
};

TEST_F(FaceOnScreen, ScaleOpacityAndTopmostStateComeFromTheRegistry)
{
    const SizeCase cases[] = {
        {100, 100, 1, 80, 255},
        {75, 50, 0, 60, 127},
        {50, 75, 1, 40, 191},
    };
    LONG fullWidth = 0;
    for (const SizeCase& c : cases) {
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
        EXPECT_TRUE(GetLayeredWindowAttributes(clock.window, NULL, &alpha, &flags));
        EXPECT_EQ(alpha, c.alpha);
        EXPECT_EQ(flags & LWA_ALPHA, DWORD(LWA_ALPHA));
        bool topmost = GetWindowLongA(clock.window, GWL_EXSTYLE) & WS_EX_TOPMOST;
        EXPECT_EQ(topmost, c.onTop == 1);
        EXPECT_EQ(clock.exitByMenu(), 0u);
    }
}

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(FaceOnScreen, ASavedPlaceIsKeptOnlyWhollyOnTheWorkArea)
{
    // Never placed: the bottom-right corner of the work area.
    RECT area = workArea();
    Clock first;
    startAtFixedTime(first);
    RECT home = windowRect(first.window);
    EXPECT_EQ(first.exitByMenu(), 0u);
    EXPECT_EQ(home.right, area.right);
    EXPECT_EQ(home.bottom, area.bottom);
    EXPECT_EQ(home.bottom - home.top, 80);
    LONG w = home.right - home.left;
    LONG h = home.bottom - home.top;

    struct Place {
        LONG x;
        LONG y;
        bool stays;
    };
    const Place places[] = {
        {area.left + 100, area.top + 50, true},
        {area.left, area.top, true},
        {area.right - w, area.bottom - h - 7, true},
        {area.left - 1, area.top + 50, false},
        {area.left + 100, area.top - 1, false},
        {area.right - w + 1, area.top + 50, false},
        {area.left + 100, area.bottom - h + 1, false},
    };
    for (const Place& place : places) {
        SCOPED_TRACE(testing::Message() << "saved at " << place.x << "," << place.y);
        deleteProgramSettings();
        set("X", DWORD(place.x));
        set("Y", DWORD(place.y));
        Clock clock;
        startAtFixedTime(clock);
        RECT r = windowRect(clock.window);
        EXPECT_EQ(clock.exitByMenu(), 0u);
        RECT expected = place.stays ? RECT{place.x, place.y, place.x + w, place.y + h} : home;
        EXPECT_TRUE(sameRect(r, expected))
            << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

constexpr COLORREF WHITE = RGB(255, 255, 255);
constexpr COLORREF RED = 0x000000FF;

struct Census {
    int red = 0;     // opaque digit pixels
    int shadow = 0;  // grey: the translucent black shadow over white
};

Census countInk(const Shot& shot)
{
    Census census;
    for (int y = 1; y < shot.height - 1; ++y)
        for (int x = 1; x < shot.width - 1; ++x) {
            COLORREF c = shot.at(x, y);
            census.red += c == RGB(255, 0, 0);
            int r = GetRValue(c);
            census.shadow += c != WHITE && r == GetGValue(c) && r == GetBValue(c);
        }
    return census;
}

TEST_F(FaceOnScreen, RedDigitsAndAShadowOnlyWhenAskedFor)
{
    set("Background type", 0);
    set("Color base", WHITE);
    set("Color border", BORDER);
    set("Color of text", RED);

    Census without, with;
    for (DWORD shadow : {0u, 1u}) {
        set("Show shadow", shadow);
        Clock clock;
        startAtFixedTime(clock);
        Shot shot = paintedFace(clock.window, BORDER);
        EXPECT_EQ(clock.exitByMenu(), 0u);
        (shadow ? with : without) = countInk(shot);
    }
    EXPECT_GT(without.red, 800);
    EXPECT_EQ(without.shadow, 0);
    EXPECT_GT(with.shadow, 300);
    // The digits cover their own shadow.
    EXPECT_NEAR(with.red, without.red, without.red / 10);
}

// The face text measured and drawn by the test itself, with the face font
// and the clock's drawing parameters, on a bitmap like the clock's frame.
class FaceTextRenderer {
public:
    FaceTextRenderer()
    {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token_, &input, NULL);
        Gdiplus::DllExports::GdipCreateFontFamilyFromName(L"Segmora Mono", NULL, &family_);
        if (family_)
            Gdiplus::DllExports::GdipCreateFont(family_, 79.0f, Gdiplus::FontStyleRegular,
                                                Gdiplus::UnitPixel, &font_);
    }
    ~FaceTextRenderer()
    {
        using namespace Gdiplus::DllExports;
        if (font_)
            GdipDeleteFont(font_);
        if (family_)
            GdipDeleteFontFamily(family_);
        Gdiplus::GdiplusShutdown(token_);
    }
    FaceTextRenderer(const FaceTextRenderer&) = delete;
    FaceTextRenderer& operator=(const FaceTextRenderer&) = delete;

    bool ready() const { return font_ != nullptr; }

    // The face width for `text` at scale 100: its measured width in the
    // 1024 x 80 box, truncated, plus 24.
    int faceWidth(const wchar_t* text) const
    {
        using namespace Gdiplus;
        using namespace Gdiplus::DllExports;
        HDC screen = GetDC(NULL);
        HDC memory = CreateCompatibleDC(screen);
        GpGraphics* graphics = nullptr;
        GdipCreateFromHDC(memory, &graphics);
        RectF box(0.0f, 0.0f, 1024.0f, 80.0f), bounds(0.0f, 0.0f, 0.0f, 0.0f);
        GdipMeasureString(graphics, text, -1, font_, &box, NULL, &bounds, NULL, NULL);
        GdipDeleteGraphics(graphics);
        DeleteDC(memory);
        ReleaseDC(NULL, screen);
        return static_cast<int>(bounds.Width) + 24;
    }

    // `text` in `ink`, centred in the box that reaches 9 pixels below the
    // face, over `ground`, in a face of width x 80 pixels.
    Shot drawn(const wchar_t* text, int width, COLORREF ground, COLORREF ink) const
    {
        using namespace Gdiplus;
        using namespace Gdiplus::DllExports;
        const int height = 80;
        HDC screen = GetDC(NULL);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
        HGDIOBJ original = SelectObject(memory, bitmap);

        GpGraphics* graphics = nullptr;
        GdipCreateFromHDC(memory, &graphics);
        GdipSetSmoothingMode(graphics, SmoothingModeHighQuality);
        GdipGraphicsClear(graphics, argbOf(ground));
        GpStringFormat* format = nullptr;
        GdipCreateStringFormat(0, 0, &format);
        GdipSetStringFormatAlign(format, StringAlignmentCenter);
        GdipSetStringFormatLineAlign(format, StringAlignmentCenter);
        GpSolidFill* brush = nullptr;
        GdipCreateSolidFill(argbOf(ink), &brush);
        RectF layout(0.0f, 0.0f, static_cast<REAL>(width), static_cast<REAL>(height + 9));
        GdipDrawString(graphics, text, -1, font_, &layout, format, brush);
        GdipDeleteBrush(brush);
        GdipDeleteStringFormat(format);
        GdipDeleteGraphics(graphics);

        Shot shot;
        shot.width = width;
        shot.height = height;
        shot.pixels.resize(static_cast<size_t>(width) * height);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SelectObject(memory, original);
        std::vector<DWORD> bgra(shot.pixels.size());
        GetDIBits(memory, bitmap, 0, height, bgra.data(), &info, DIB_RGB_COLORS);
        for (size_t i = 0; i < bgra.size(); ++i)
            shot.pixels[i] = RGB((bgra[i] >> 16) & 0xFF, (bgra[i] >> 8) & 0xFF, bgra[i] & 0xFF);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(NULL, screen);
        return shot;
    }

private:
    static Gdiplus::ARGB argbOf(COLORREF c)
    {
        return 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }

    ULONG_PTR token_ = 0;
    Gdiplus::GpFontFamily* family_ = nullptr;
    Gdiplus::GpFont* font_ = nullptr;
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

// Wine takes a program's user locale from its Unix locale, which a Windows
// child inherits from its parent's Unix process, not from the Windows
// environment; at start-up it rewrites HKCU\Control Panel\International to
// match, so the registry cannot choose it either. So the clock is started
// through the Unix program env with a locale of its own.
bool startInUnixLocale(Clock& clock, const char* unixLocale)
{
    char loader[MAX_PATH] = "";
    const char* program = std::getenv("TOCKMERE_EXE");
    if (!program || !GetEnvironmentVariableA("WINELOADER", loader, sizeof loader))
        return false;
    std::string command =
        std::string("Z:\\usr\\bin\\env LC_ALL=") + unixLocale + " " + loader + " " + program;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION launcher{};
    if (!CreateProcessA(NULL, command.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &launcher))
        return false;
    if (launcher.hProcess)
        CloseHandle(launcher.hProcess);
    if (launcher.hThread)
        CloseHandle(launcher.hThread);
    clock.window = findProcessWindow(0, "TOCKMERE", nullptr, 20000);
    if (!clock.window)
        return false;
    GetWindowThreadProcessId(clock.window, &clock.process.dwProcessId);
    clock.process.hProcess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE,
                                         FALSE, clock.process.dwProcessId);
    return clock.process.hProcess != NULL;
}

// A program started in this process's own locale puts the registry's
// locale values back.
void restoreLocaleRegistry()
{
    std::string command = "cmd.exe /c exit";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(NULL, command.data(), NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL, NULL,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, 15000);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
}

struct LocaleCase {
    const char* unixLocale;  // null: the harness's own (English, United States)
    const wchar_t* shown;     // the face at 14:05 on Wednesday 17 March 2027
    const wchar_t* measured;  // the same at hour 23, which sizes the face
};

// The observables: the face width is the measured text at hour 23 plus 24,
// and the frame shows the text at 14:05. In en-US the hour reads "11"/"2"
// with " PM" after it and the date reads month/day; in de-DE the hour reads
// "23"/"14" with no marker and the date day.month, whose full stops take no
// room in the face font. The test draws each expected text itself with the
// face font and compares both the width and every pixel of the frame.
TEST_F(FaceOnScreen, TheUsersLocaleWritesTimeAndDate)
{
    FaceTextRenderer renderer;
    ASSERT_TRUE(renderer.ready()) << "is the face font installed?";
    const LocaleCase english{nullptr, L"2:05 PM  Wed 3/17/2027", L"11:05 PM  Wed 3/17/2027"};
    const LocaleCase german{"de_DE.UTF-8", L"14:05  Wed 17.3.2027", L"23:05  Wed 17.3.2027"};
    ASSERT_GT(std::abs(renderer.faceWidth(english.measured) - renderer.faceWidth(german.measured)),
              40);

    set("Background type", 0);
    set("Color base", BASE);
    set("Color border", BORDER);
    set("Color of text", INK);
    set("Show day of the week", 1);
    set("Show date", 1);
    for (const LocaleCase& locale : {english, german}) {
        SCOPED_TRACE(testing::Message() << "locale " << (locale.unixLocale ? locale.unixLocale : "en-US"));
        Clock clock;
        ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2027, 3, 17, 14, 5, 0)));
        ASSERT_TRUE(locale.unixLocale ? startInUnixLocale(clock, locale.unixLocale) : start(clock));
        ASSERT_TRUE(waitFor([&] { return IsWindowVisible(clock.window) != FALSE; }));
        Shot shot = paintedFace(clock.window, BORDER);
        EXPECT_EQ(clock.exitByMenu(), 0u);
        if (locale.unixLocale)
            restoreLocaleRegistry();
        ASSERT_FALSE(shot.pixels.empty());

        EXPECT_EQ(shot.width, renderer.faceWidth(locale.measured));
        Shot expected = renderer.drawn(locale.shown, shot.width, BASE, INK);
        const LocaleCase& other = locale.unixLocale ? english : german;
        Shot otherText = renderer.drawn(other.shown, shot.width, BASE, INK);
        EXPECT_EQ(differencesInside(shot, expected), 0);
        EXPECT_GT(differencesInside(shot, otherText), 500);
    }
    std::string localeName;
    EXPECT_TRUE(readString("Control Panel\\International", "LocaleName", &localeName));
    EXPECT_EQ(localeName, "en-US");
}

}  // namespace
