// The "Settings" and "Advanced settings" pages worked from outside, as a
// user would: the sheet is opened from the clock's menu, controls are
// clicked, and the clock window, its screen pixels and the registry show
// what the pages did. Xvfb has no compositor, so the screen shows the opaque
// colours of the face whatever its opacity.
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>
#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "e2e/driver.h"
#include "res/resource.h"

using namespace driver;

namespace {

constexpr int APPLY_BUTTON = 0x3021;
constexpr int HELP_BUTTON = IDHELP;

// Edit boxes of the colour dialog's custom-colour part.
constexpr int COLOR_RED_EDIT = 706;
constexpr int COLOR_GREEN_EDIT = 707;
constexpr int COLOR_BLUE_EDIT = 708;

constexpr COLORREF DEFAULT_BORDER = 0x6A3B05;
constexpr COLORREF DEFAULT_BASE = 0xDEC8CD;
constexpr COLORREF LIGHT_BLUE_BORDER = 0xB58153;
constexpr COLORREF LIGHT_BLUE_BASE = 0xF1C5A6;

LRESULT sendTo(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result);
    return static_cast<LRESULT>(result);
}

// The property sheet of one clock, opened through the menu command on one of
// its pages. Whatever a test leaves open (the colour dialog, the sheet) is
// cancelled when it ends, so later tests find a quiet desktop.
class Sheet {
public:
    Sheet(const Clock& clock, int command) : processId_(clock.process.dwProcessId), clockWindow_(clock.window)
    {
        PostMessageA(clock.window, WM_COMMAND, command, 0);
        window = findProcessWindow(processId_, "#32770", "Tockmere", 10000);
        if (!window)
            return;
        // Shown once its first page is up.
        waitFor([&] { return IsWindowVisible(window) && (page = currentPage()) != NULL; });
        // Top-left, clear of the clock in the bottom-right corner.
        SetWindowPos(window, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ~Sheet()
    {
        for (HWND dialog : processWindows(processId_, "#32770", "Color"))
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        if (isOpen())
            close(IDCANCEL);
    }
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;

    bool isOpen() const { return window && IsWindow(window); }
    HWND currentPage() const
    {
        return reinterpret_cast<HWND>(sendTo(window, PSM_GETCURRENTPAGEHWND));
    }
    HWND item(int id) const { return GetDlgItem(page, id); }
    bool applyEnabled() const { return IsWindowEnabled(GetDlgItem(window, APPLY_BUTTON)) != FALSE; }

    void click(int id) const { sendTo(item(id), BM_CLICK); }
    void pressApply() const { sendTo(GetDlgItem(window, APPLY_BUTTON), BM_CLICK); }
    // OK, Cancel: the sheet goes, and the clock saves its settings. The
    // clock answers a message only once it is back in its own loop, when the
    // save is over.
    bool close(int button)
    {
        PostMessageA(window, WM_COMMAND, button, 0);
        bool closed = waitFor([&] { return !IsWindow(window); }, 10000);
        sendTo(clockWindow_, WM_NULL);
        return closed;
    }

    // A trackbar moved with the mouse: a new position, then the page hears.
    void slide(int id, int position) const
    {
        sendTo(item(id), TBM_SETPOS, TRUE, position);
        sendTo(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(item(id)));
    }
    int trackPosition(int id) const { return static_cast<int>(sendTo(item(id), TBM_GETPOS)); }

    // A drop-down list choice, as the list reports it to the page.
    void select(int id, int index) const
    {
        sendTo(item(id), CB_SETCURSEL, index);
        sendTo(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(item(id)));
    }
    std::string text(int id) const { return windowText(item(id)); }
    bool checked(int id) const { return sendTo(item(id), BM_GETCHECK) == BST_CHECKED; }

    HWND window = NULL;
    HWND page = NULL;

private:
    DWORD processId_;
    HWND clockWindow_;
};

// Every value of the program key and the Run value, as raw bytes.
std::map<std::string, std::string> savedValues()
{
    std::map<std::string, std::string> values;
    auto readAll = [&](const char* path, const char* prefix) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return;
        for (DWORD i = 0;; ++i) {
            char name[256];
            BYTE data[1024];
            DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
            if (RegEnumValueA(key, i, name, &nameSize, NULL, &type, data, &dataSize) != ERROR_SUCCESS)
                break;
            values[std::string(prefix) + name] = std::string(reinterpret_cast<char*>(data), dataSize);
        }
        RegCloseKey(key);
    };
    readAll(PROGRAM_KEY, "");
    std::string run;
    if (readString(RUN_KEY, "Tockmere", &run))
        values["Run"] = run;
    return values;
}

DWORD savedDword(const char* name)
{
    DWORD value = 0xDEADBEEF;
    readDword(PROGRAM_KEY, name, &value);
    return value;
}

// The screen under a window.
struct Shot {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF at(int x, int y) const { return pixels[y * width + x]; }
};

Shot captureWindow(HWND window)
{
    Shot shot;
    RECT r = windowRect(window);
    shot.width = r.right - r.left;
    shot.height = r.bottom - r.top;
    if (shot.width <= 0 || shot.height <= 0)
        return shot;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, shot.width, shot.height);
    HGDIOBJ original = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, original);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> bgra(static_cast<size_t>(shot.width) * shot.height);
    GetDIBits(memory, bitmap, 0, shot.height, bgra.data(), &info, DIB_RGB_COLORS);
    for (DWORD pixel : bgra)
        shot.pixels.push_back(RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return shot;
}

// The face as painted with `border` round it, once two shots in a row agree.
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

// Pixels that break the Solid style: a border ring round a flat base, seen
// in the five columns at either side, which the text never reaches.
int solidMisfits(const Shot& shot, COLORREF border, COLORREF base)
{
    int misfits = 0;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x) {
            bool ring = x == 0 || y == 0 || x == shot.width - 1 || y == shot.height - 1;
            bool margin = x <= 5 || x >= shot.width - 6;
            if (ring)
                misfits += shot.at(x, y) != border;
            else if (margin)
                misfits += shot.at(x, y) != base;
        }
    return misfits;
}

BYTE windowAlpha(HWND window)
{
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(window, NULL, &alpha, &flags) || !(flags & LWA_ALPHA))
        return 0;
    return alpha;
}

bool isTopmost(HWND window)
{
    return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

class SettingsPages : public ::testing::Test {
protected:
    void SetUp() override
    {
        deleteProgramSettings();
        // Any value makes the key exist: no first-start help viewer.
        set("Scale", 100);
    }
    void TearDown() override
    {
        closeHelpViewers();
        deleteProgramSettings();
    }

    static void set(const char* name, DWORD value) { writeDword(PROGRAM_KEY, name, value); }

    static void startClock(Clock& clock)
    {
        ASSERT_TRUE(start(clock));
        ASSERT_TRUE(waitFor([&] { return IsWindowVisible(clock.window) != FALSE; }));
    }
};

// Scale, opacity, background and z-order reach the clock on Apply while the
// sheet stays open; nothing changes before. Auto run reaches the Run value
// when the closing sheet saves.
TEST_F(SettingsPages, ApplyReshapesTheClockWhileTheSheetStaysOpen)
{
    Clock clock;
    startClock(clock);
    Shot soft = paintedFace(clock.window, DEFAULT_BORDER);
    ASSERT_FALSE(soft.pixels.empty());
    ASSERT_GT(solidMisfits(soft, DEFAULT_BORDER, DEFAULT_BASE), 0);
    ASSERT_EQ(windowRect(clock.window).bottom - windowRect(clock.window).top, 80);

    Sheet sheet(clock, IDM_SETTINGS);
    ASSERT_TRUE(sheet.isOpen());
    EXPECT_EQ(sheet.text(IDC_BACKGROUND_TYPE), "Soft");
    EXPECT_EQ(sheet.trackPosition(IDC_SCALE), 100);
    EXPECT_EQ(sheet.trackPosition(IDC_OPACITY), 100);
    EXPECT_TRUE(sheet.checked(IDC_ALWAYS_ON_TOP));
    EXPECT_FALSE(sheet.checked(IDC_AUTO_RUN));  // no Run value yet
    EXPECT_FALSE(sheet.applyEnabled());

    sheet.slide(IDC_SCALE, 50);
    EXPECT_TRUE(sheet.applyEnabled());
    Sleep(300);
    EXPECT_EQ(windowRect(clock.window).bottom - windowRect(clock.window).top, 80) << "shown before Apply";
    sheet.pressApply();
    EXPECT_FALSE(sheet.applyEnabled());
    EXPECT_EQ(windowRect(clock.window).bottom - windowRect(clock.window).top, 40);

    sheet.slide(IDC_OPACITY, 75);
    EXPECT_TRUE(sheet.applyEnabled());
    sheet.pressApply();
    EXPECT_EQ(windowAlpha(clock.window), 191);

    sheet.select(IDC_BACKGROUND_TYPE, 0);
    EXPECT_EQ(sheet.text(IDC_BACKGROUND_TYPE), "Solid");
    EXPECT_TRUE(sheet.applyEnabled());
    sheet.pressApply();
    Shot solid = paintedFace(clock.window, DEFAULT_BORDER);
    ASSERT_EQ(solid.height, 40);
    EXPECT_EQ(solidMisfits(solid, DEFAULT_BORDER, DEFAULT_BASE), 0);

    ASSERT_TRUE(isTopmost(clock.window));
    sheet.click(IDC_ALWAYS_ON_TOP);
    EXPECT_TRUE(sheet.applyEnabled());
    sheet.pressApply();
    EXPECT_FALSE(isTopmost(clock.window));

    sheet.click(IDC_AUTO_RUN);
    EXPECT_TRUE(sheet.applyEnabled());
    sheet.pressApply();
    EXPECT_FALSE(valueExists(RUN_KEY, "Tockmere")) << "Apply alone saves nothing";

    // The keyboard moves a trackbar one step of 10, and the page hears it.
    PostMessageA(sheet.item(IDC_SCALE), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_TRUE(waitFor([&] { return sheet.trackPosition(IDC_SCALE) == 60; }));
    EXPECT_TRUE(waitFor([&] { return sheet.applyEnabled(); }));

    // Cancel keeps what was applied and drops the step not applied.
    EXPECT_TRUE(sheet.isOpen());
    ASSERT_TRUE(sheet.close(IDCANCEL));
    EXPECT_EQ(windowRect(clock.window).bottom - windowRect(clock.window).top, 40);
    EXPECT_EQ(savedDword("Scale"), 50u);
    EXPECT_EQ(savedDword("UnTransparent"), 75u);
    EXPECT_EQ(savedDword("Background type"), 0u);
    EXPECT_EQ(savedDword("Always on top"), 0u);
    std::string run;
    EXPECT_TRUE(readString(RUN_KEY, "Tockmere", &run));
    EXPECT_EQ(run, "\"" + programPath() + "\" -autorun");
    EXPECT_EQ(clock.exitByMenu(), 0u);
}

// A switch of the page: its registry value (none: the Run value) and its
// check box.
struct Switch {
    const char* valueName;
    int id;
};

constexpr Switch SWITCHES[] = {
    {"Show seconds", IDC_SHOW_SECONDS}, {"Show date", IDC_SHOW_DATE},
    {"Show day of the week", IDC_SHOW_DAY}, {"Show flash delimiter", IDC_FLASH_DELIMITER},
    {"Show shadow", IDC_SHOW_SHADOW}, {"Always on top", IDC_ALWAYS_ON_TOP},
    {nullptr, IDC_AUTO_RUN},
};
constexpr size_t ALWAYS_ON_TOP_SWITCH = 5;

struct UntouchedRound {
    DWORD scale;
    DWORD opacity;
    DWORD backgroundType;
    const char* backgroundName;
    LONG height;
    BYTE alpha;
};

// Three rounds: switch i is on in round r when bit r of i + 1 is set, so no
// two switches are alike in every round and one mixed up with another shows.
TEST_F(SettingsPages, OkOnAnUntouchedPageChangesNothing)
{
    const UntouchedRound rounds[] = {
        {75, 60, 2, "Gradient", 60, 153},
        {60, 85, 3, "Glass", 48, 216},
        {90, 50, 0, "Solid", 72, 127},
    };
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        const UntouchedRound& r = rounds[round];
        auto isOn = [&](size_t i) { return ((i + 1) >> round & 1) != 0; };
        deleteProgramSettings();
        set("Scale", r.scale);
        set("UnTransparent", r.opacity);
        set("Background type", r.backgroundType);
        for (size_t i = 0; i < std::size(SWITCHES); ++i) {
            if (SWITCHES[i].valueName)
                set(SWITCHES[i].valueName, isOn(i));
            else if (isOn(i))
                writeString(RUN_KEY, "Tockmere", "\"" + programPath() + "\" -autorun");
        }
        Clock clock;
        startClock(clock);
        {
            // The first close saves every value the clock holds.
            Sheet first(clock, IDM_SETTINGS);
            ASSERT_TRUE(first.isOpen());
            ASSERT_TRUE(first.close(IDCANCEL));
        }
        auto before = savedValues();
        RECT placeBefore = windowRect(clock.window);
        ASSERT_EQ(placeBefore.bottom - placeBefore.top, r.height);
        ASSERT_EQ(windowAlpha(clock.window), r.alpha);

        Sheet sheet(clock, IDM_SETTINGS);
        ASSERT_TRUE(sheet.isOpen());
        EXPECT_EQ(sheet.trackPosition(IDC_SCALE), int(r.scale));
        EXPECT_EQ(sheet.trackPosition(IDC_OPACITY), int(r.opacity));
        EXPECT_EQ(sheet.text(IDC_BACKGROUND_TYPE), r.backgroundName);
        for (size_t i = 0; i < std::size(SWITCHES); ++i)
            EXPECT_EQ(sheet.checked(SWITCHES[i].id), isOn(i)) << "check box " << SWITCHES[i].id;
        ASSERT_TRUE(sheet.close(IDOK));

        EXPECT_EQ(savedValues(), before);
        RECT placeAfter = windowRect(clock.window);
        EXPECT_TRUE(EqualRect(&placeAfter, &placeBefore));
        EXPECT_EQ(windowAlpha(clock.window), r.alpha);
        EXPECT_EQ(isTopmost(clock.window), isOn(ALWAYS_ON_TOP_SWITCH));
        EXPECT_EQ(clock.exitByMenu(), 0u);
    }
}

std::string decimal(COLORREF color)
{
    return std::to_string(color);
}

TEST_F(SettingsPages, APresetIsShownOnApplyAndSavedWithTheSheet)
{
    set("Background type", 0);
    Clock clock;
    startClock(clock);
    Shot before = paintedFace(clock.window, DEFAULT_BORDER);
    ASSERT_EQ(solidMisfits(before, DEFAULT_BORDER, DEFAULT_BASE), 0);
    {
        Sheet sheet(clock, IDM_ADVANCED);
        ASSERT_TRUE(sheet.isOpen());
        EXPECT_EQ(sheet.text(IDC_PRESET), "Default");
        EXPECT_EQ(sheet.text(IDC_COLOR_BASE), decimal(DEFAULT_BASE));
        EXPECT_EQ(sheet.text(IDC_COLOR_BORDER), decimal(DEFAULT_BORDER));
        EXPECT_EQ(sheet.text(IDC_COLOR_TEXT), "0");
        EXPECT_EQ(sendTo(sheet.item(IDC_PRESET), CB_GETCOUNT), 4);

        sheet.select(IDC_PRESET, 2);
        EXPECT_EQ(sheet.text(IDC_PRESET), "Light blue");
        EXPECT_EQ(sheet.text(IDC_COLOR_BASE), decimal(LIGHT_BLUE_BASE));
        EXPECT_EQ(sheet.text(IDC_COLOR_BORDER), decimal(LIGHT_BLUE_BORDER));
        EXPECT_EQ(sheet.text(IDC_COLOR_TEXT), "0");
        EXPECT_TRUE(sheet.applyEnabled());
        Sleep(300);
        EXPECT_EQ(captureWindow(clock.window).at(0, 0), DEFAULT_BORDER) << "shown before Apply";

        sheet.pressApply();
        Shot applied = paintedFace(clock.window, LIGHT_BLUE_BORDER);
        EXPECT_EQ(solidMisfits(applied, LIGHT_BLUE_BORDER, LIGHT_BLUE_BASE), 0);
        EXPECT_FALSE(valueExists(PROGRAM_KEY, "Color border")) << "Apply alone saves nothing";
        ASSERT_TRUE(sheet.close(IDOK));
    }
    EXPECT_EQ(savedDword("Color border"), LIGHT_BLUE_BORDER);
    EXPECT_EQ(savedDword("Color base"), LIGHT_BLUE_BASE);
    EXPECT_EQ(savedDword("Color of text"), 0u);

    // Reopened: the list starts on "Default", the swatches hold the colours.
    Sheet again(clock, IDM_ADVANCED);
    ASSERT_TRUE(again.isOpen());
    EXPECT_EQ(again.text(IDC_PRESET), "Default");
    EXPECT_EQ(again.text(IDC_COLOR_BASE), decimal(LIGHT_BLUE_BASE));
    EXPECT_EQ(again.text(IDC_COLOR_BORDER), decimal(LIGHT_BLUE_BORDER));
    EXPECT_FALSE(again.applyEnabled());
    ASSERT_TRUE(again.close(IDCANCEL));
    EXPECT_EQ(clock.exitByMenu(), 0u);
}

TEST_F(SettingsPages, CancelAfterAPresetLeavesTheColours)
{
    set("Background type", 0);
    Clock clock;
    startClock(clock);
    {
        Sheet sheet(clock, IDM_ADVANCED);
        ASSERT_TRUE(sheet.isOpen());
        sheet.select(IDC_PRESET, 2);
        EXPECT_TRUE(sheet.applyEnabled());
        ASSERT_TRUE(sheet.close(IDCANCEL));
    }
    Sleep(300);
    EXPECT_EQ(solidMisfits(paintedFace(clock.window, DEFAULT_BORDER), DEFAULT_BORDER, DEFAULT_BASE), 0);
    EXPECT_EQ(savedDword("Color border"), DEFAULT_BORDER);
    EXPECT_EQ(savedDword("Color base"), DEFAULT_BASE);
    EXPECT_EQ(savedDword("Color of text"), 0u);

    Sheet again(clock, IDM_ADVANCED);
    ASSERT_TRUE(again.isOpen());
    EXPECT_EQ(again.text(IDC_COLOR_BASE), decimal(DEFAULT_BASE));
    EXPECT_EQ(again.text(IDC_COLOR_BORDER), decimal(DEFAULT_BORDER));
    ASSERT_TRUE(again.close(IDCANCEL));
    EXPECT_EQ(clock.exitByMenu(), 0u);
}

// Presses a swatch button and works the colour dialog it opens: types the
// colour into its red, green and blue boxes and presses OK, or cancels.
bool pickColor(const Clock& clock, const Sheet& sheet, int button, const COLORREF* color)
{
    PostMessageA(sheet.item(button), BM_CLICK, 0, 0);
    HWND dialog = findProcessWindow(clock.process.dwProcessId, "#32770", "Color", 10000);
    // Shown only once it has set up its boxes, which would undo our typing.
    if (!dialog || !waitFor([&] { return IsWindowVisible(dialog) != FALSE; }))
        return false;
    if (color) {
        const std::pair<int, int> channels[] = {{COLOR_RED_EDIT, GetRValue(*color)},
                                                {COLOR_GREEN_EDIT, GetGValue(*color)},
                                                {COLOR_BLUE_EDIT, GetBValue(*color)}};
        for (const auto& [id, value] : channels) {
            std::string text = std::to_string(value);
            sendTo(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
    }
    PostMessageA(dialog, WM_COMMAND, color ? IDOK : IDCANCEL, 0);
    return waitFor([&] { return !IsWindow(dialog); });
}

TEST_F(SettingsPages, TheColourDialogStoresEveryColourButPureWhite)
{
    set("Background type", 0);
    Clock clock;
    startClock(clock);
    {
        Sheet sheet(clock, IDM_ADVANCED);
        ASSERT_TRUE(sheet.isOpen());

        ASSERT_TRUE(pickColor(clock, sheet, IDC_COLOR_TEXT, nullptr));
        EXPECT_EQ(sheet.text(IDC_COLOR_TEXT), "0");
        EXPECT_FALSE(sheet.applyEnabled()) << "a cancelled colour dialog changes nothing";

        const COLORREF white = RGB(255, 255, 255);
        ASSERT_TRUE(pickColor(clock, sheet, IDC_COLOR_BASE, &white));
        EXPECT_EQ(sheet.text(IDC_COLOR_BASE), "16711422");
        EXPECT_TRUE(sheet.applyEnabled());

        const COLORREF chosen = 0x123456;
        ASSERT_TRUE(pickColor(clock, sheet, IDC_COLOR_BORDER, &chosen));
        EXPECT_EQ(sheet.text(IDC_COLOR_BORDER), decimal(chosen));

        ASSERT_TRUE(sheet.close(IDOK));
    }
    EXPECT_EQ(savedDword("Color base"), 0xFEFEFEu);
    EXPECT_EQ(savedDword("Color border"), 0x123456u);
    EXPECT_EQ(savedDword("Color of text"), 0u);
    Shot face = paintedFace(clock.window, 0x123456);
    EXPECT_EQ(solidMisfits(face, 0x123456, 0xFEFEFE), 0);
    EXPECT_EQ(clock.exitByMenu(), 0u);
}

// The command line of the help viewer whose window is up.
std::wstring helpViewerCommandLine()
{
    HWND viewer = findProcessWindow(0, "HH Parent", nullptr, 15000);
    DWORD processId = 0;
    if (viewer)
        GetWindowThreadProcessId(viewer, &processId);
    return processId ? commandLineOf(processId) : std::wstring();
}

TEST_F(SettingsPages, EachPagesHelpButtonOpensItsTopic)
{
    Clock clock;
    startClock(clock);
    const std::pair<int, const wchar_t*> pages[] = {{IDM_SETTINGS, L"-mapid 2 "},
                                                    {IDM_ADVANCED, L"-mapid 3 "}};
    for (const auto& [command, topic] : pages) {
        SCOPED_TRACE(testing::Message() << "menu command " << command);
        Sheet sheet(clock, command);
        ASSERT_TRUE(sheet.isOpen());
        PostMessageA(sheet.window, WM_COMMAND, HELP_BUTTON, 0);
        std::wstring commandLine = helpViewerCommandLine();
        EXPECT_NE(commandLine.find(topic), std::wstring::npos);
        closeHelpViewers();
        waitFor([] { return processWindows(0, "HH Parent").empty(); });
        ASSERT_TRUE(sheet.close(IDCANCEL));
    }
    EXPECT_EQ(clock.exitByMenu(), 0u);
}

}  // namespace
