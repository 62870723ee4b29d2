// The "Settings" and "Advanced settings" pages worked from outside, as a user
// would: the sheet opened from the clock's menu, controls clicked, and the
// clock window, its screen pixels and the registry show what the pages did.
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>
#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <string>

#include "e2e/driver.h"
#include "res/resource.h"

using namespace driver;

namespace {

constexpr int APPLY_BUTTON = 0x3021;
constexpr int COLOR_RED_EDIT = 706;  // then green and blue: the colour dialog's boxes
constexpr COLORREF DEFAULT_BORDER = 0x6A3B05, DEFAULT_BASE = 0xDEC8CD;
constexpr COLORREF LIGHT_BLUE_BORDER = 0xB58153, LIGHT_BLUE_BASE = 0xF1C5A6;

// The property sheet of one clock, opened through a menu command. Whatever
// a test leaves open is cancelled when it goes.
struct Sheet {
    Sheet(const Clock& clock, int command) : clock_(clock)
    {
        PostMessageA(clock.window, WM_COMMAND, command, 0);
        window = findProcessWindow(clock.process.dwProcessId, "#32770", "Tockmere", 10000);
        if (window)
            waitFor([&] { return IsWindowVisible(window) && (page = (HWND)sendTo(window, PSM_GETCURRENTPAGEHWND)); });
        // Top-left, clear of the clock in the bottom-right corner.
        SetWindowPos(window, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ~Sheet() { if (isOpen()) cancelDialogs(clock_.process.dwProcessId); }

    bool isOpen() const { return window && IsWindow(window); }
    HWND item(int id) const { return GetDlgItem(page, id); }
    std::string text(int id) const { return windowText(item(id)); }
    bool applyEnabled() const { return IsWindowEnabled(GetDlgItem(window, APPLY_BUTTON)) != FALSE; }
    void pressApply() const { sendTo(GetDlgItem(window, APPLY_BUTTON), BM_CLICK); }
    // OK or Cancel; the clock has saved once it answers again.
    bool close(int button)
    {
        PostMessageA(window, WM_COMMAND, button, 0);
        bool closed = waitFor([&] { return !IsWindow(window); }, 10000);
        sendTo(clock_.window, WM_NULL);
        return closed;
    }
    // A trackbar moved with the mouse: a new position, then the page hears.
    void slide(int id, int position) const
    {
        sendTo(item(id), TBM_SETPOS, TRUE, position);
        sendTo(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(item(id)));
    }
    // A drop-down list choice, as the list reports it to the page.
    void select(int id, int index) const
    {
        sendTo(item(id), CB_SETCURSEL, index);
        sendTo(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(item(id)));
    }

    const Clock& clock_;
    HWND window = NULL;
    HWND page = NULL;
};

// Every value of the program key and the Run value.
std::map<std::string, std::string> savedValues()
{
    std::map<std::string, std::string> values = rawValues(PROGRAM_KEY);
    std::string run;
    values["Run"] = readString(RUN_KEY, "Tockmere", &run) ? run : "<none>";
    return values;
}

DWORD savedDword(const char* name)
{
    DWORD value = 0xDEADBEEF;
    readDword(PROGRAM_KEY, name, &value);
    return value;
}

LONG height(HWND window) { return windowRect(window).bottom - windowRect(window).top; }
bool isTopmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
BYTE windowAlpha(HWND window)
{
    BYTE alpha = 0;
    DWORD flags = 0;
    return GetLayeredWindowAttributes(window, NULL, &alpha, &flags) && (flags & LWA_ALPHA) ? alpha : 0;
}

// Whether the face is painted Solid in these colours: a border ring round a
// flat base, seen in the five columns at either side, which the text never
// reaches.
bool paintedSolid(HWND window, COLORREF border, COLORREF base)
{
    Shot shot = paintedFace(window, border);
    int misfits = shot.pixels.empty() ? 1 : 0;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x) {
            if (x == 0 || y == 0 || x == shot.width - 1 || y == shot.height - 1)
                misfits += shot.at(x, y) != border;
            else if (x <= 5 || x >= shot.width - 6)
                misfits += shot.at(x, y) != base;
        }
    return misfits == 0;
}

class SettingsPages : public ::testing::Test {
protected:
    // Any value makes the key exist: no first-start help viewer.
    void SetUp() override { deleteProgramSettings(); set("Scale", 100); }
    static void set(const char* name, DWORD value) { writeDword(PROGRAM_KEY, name, value); }

    Clock clock;
};

TEST_F(SettingsPages, ApplyReshapesTheClockWhileTheSheetStaysOpen)
{
    ASSERT_TRUE(start(clock));
    ASSERT_FALSE(paintedSolid(clock.window, DEFAULT_BORDER, DEFAULT_BASE)) << "Soft looks like Solid";
    Sheet sheet(clock, IDM_SETTINGS);
    ASSERT_TRUE(sheet.isOpen());
    EXPECT_FALSE(sheet.applyEnabled());

    sheet.slide(IDC_SCALE, 50);
    EXPECT_TRUE(sheet.applyEnabled());
    Sleep(300);
    EXPECT_EQ(height(clock.window), 80) << "shown before Apply";
    sheet.pressApply();
    EXPECT_FALSE(sheet.applyEnabled());
    EXPECT_EQ(height(clock.window), 40);

    sheet.slide(IDC_OPACITY, 75);
    sheet.pressApply();
    EXPECT_EQ(windowAlpha(clock.window), 191);

    sheet.select(IDC_BACKGROUND_TYPE, 0);
    sheet.pressApply();
    EXPECT_TRUE(paintedSolid(clock.window, DEFAULT_BORDER, DEFAULT_BASE));

    ASSERT_TRUE(isTopmost(clock.window));
    sendTo(sheet.item(IDC_ALWAYS_ON_TOP), BM_CLICK);
    sheet.pressApply();
    EXPECT_FALSE(isTopmost(clock.window));

    // Still open; Cancel keeps what was applied.
    ASSERT_TRUE(sheet.isOpen() && sheet.close(IDCANCEL));
    EXPECT_EQ(height(clock.window), 40);
    EXPECT_EQ(savedDword("Scale"), 50u);
    EXPECT_EQ(savedDword("UnTransparent"), 75u);
    EXPECT_EQ(savedDword("Background type"), 0u);
    EXPECT_EQ(savedDword("Always on top"), 0u);
}

// Switch i is on in round r when bit r of i + 1 is set, so no two switches
// are alike in every round and one mixed up with another shows.
TEST_F(SettingsPages, OkOnAnUntouchedPageChangesNothing)
{
    const char* switches[] = {"Show seconds", "Show date", "Show day of the week", "Show flash delimiter",
                              "Show shadow", "Always on top", nullptr /* the Run value */};
    const struct { DWORD scale, opacity, background; const char* backgroundName; } rounds[] = {
        {75, 60, 2, "Gradient"}, {60, 85, 3, "Glass"}, {90, 50, 0, "Solid"}};
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        const auto& r = rounds[round];
        auto isOn = [&](size_t i) { return ((i + 1) >> round & 1) != 0; };
        deleteProgramSettings();
        set("Scale", r.scale);
        set("UnTransparent", r.opacity);
        set("Background type", r.background);
        for (size_t i = 0; i < std::size(switches); ++i)
            if (switches[i])
                set(switches[i], isOn(i));
            else if (isOn(i))
                writeString(RUN_KEY, "Tockmere", "\"" + programPath() + "\" -autorun");
        Clock roundClock;
        ASSERT_TRUE(start(roundClock));
        // The first close saves every value the clock holds.
        ASSERT_TRUE(Sheet(roundClock, IDM_SETTINGS).close(IDCANCEL));
        auto before = savedValues();
        RECT placeBefore = windowRect(roundClock.window);
        BYTE alphaBefore = windowAlpha(roundClock.window);

        // A control that showed its value wrongly would save it on OK.
        Sheet sheet(roundClock, IDM_SETTINGS);
        ASSERT_TRUE(sheet.isOpen());
        EXPECT_EQ(sheet.text(IDC_BACKGROUND_TYPE), r.backgroundName);
        ASSERT_TRUE(sheet.close(IDOK));

        EXPECT_EQ(savedValues(), before);
        RECT placeAfter = windowRect(roundClock.window);
        EXPECT_TRUE(EqualRect(&placeAfter, &placeBefore));
        EXPECT_EQ(windowAlpha(roundClock.window), alphaBefore);
        EXPECT_EQ(isTopmost(roundClock.window), isOn(5));  // "Always on top"
        EXPECT_EQ(roundClock.exitByMenu(), 0u);
    }
}

// Presses a swatch and works the colour dialog it opens: types the colour
// into its red, green and blue boxes and presses OK, or cancels.
bool pickColor(const Clock& clock, const Sheet& sheet, int button, const COLORREF* color)
{
    PostMessageA(sheet.item(button), BM_CLICK, 0, 0);
    HWND dialog = findProcessWindow(clock.process.dwProcessId, "#32770", "Color", 10000);
    // Shown only once it has set up its boxes, which would undo our typing.
    if (!dialog || !waitFor([&] { return IsWindowVisible(dialog) != FALSE; }))
        return false;
    for (int channel = 0; color && channel < 3; ++channel) {
        std::string text = std::to_string((*color >> (8 * channel)) & 0xFF);
        sendTo(GetDlgItem(dialog, COLOR_RED_EDIT + channel), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    PostMessageA(dialog, WM_COMMAND, color ? IDOK : IDCANCEL, 0);
    return waitFor([&] { return !IsWindow(dialog); });
}

// Cancel after a preset leaves everything; Apply shows it, OK saves it, and
// the page opens again on "Default" with the colours in its swatches. Pure
// white from the colour dialog is kept as 0xFEFEFE.
TEST_F(SettingsPages, APresetIsShownOnApplyAndSavedWithTheSheet)
{
    set("Background type", 0);
    ASSERT_TRUE(start(clock));
    auto swatches = [](const Sheet& sheet) {
        return sheet.text(IDC_COLOR_BASE) + " " + sheet.text(IDC_COLOR_BORDER) + " " + sheet.text(IDC_COLOR_TEXT);
    };
    const std::string defaults = std::to_string(DEFAULT_BASE) + " " + std::to_string(DEFAULT_BORDER) + " 0";
    const std::string lightBlue = std::to_string(LIGHT_BLUE_BASE) + " " + std::to_string(LIGHT_BLUE_BORDER);
    const COLORREF white = RGB(255, 255, 255);
    for (int button : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(button == IDOK ? "OK" : "Cancel");
        Sheet sheet(clock, IDM_ADVANCED);
        ASSERT_TRUE(sheet.isOpen());
        EXPECT_EQ(sheet.text(IDC_PRESET), "Default");
        EXPECT_EQ(swatches(sheet), defaults);
        ASSERT_TRUE(pickColor(clock, sheet, IDC_COLOR_TEXT, nullptr));
        EXPECT_FALSE(sheet.applyEnabled()) << "a cancelled colour dialog changes nothing";
        sheet.select(IDC_PRESET, 2);
        EXPECT_EQ(sheet.text(IDC_PRESET), "Light blue");
        EXPECT_EQ(swatches(sheet), lightBlue + " 0");
        EXPECT_TRUE(sheet.applyEnabled());
        Sleep(300);
        EXPECT_TRUE(paintedSolid(clock.window, DEFAULT_BORDER, DEFAULT_BASE)) << "shown before Apply";
        if (button == IDOK) {
            sheet.pressApply();
            EXPECT_TRUE(paintedSolid(clock.window, LIGHT_BLUE_BORDER, LIGHT_BLUE_BASE));
            EXPECT_EQ(savedDword("Color border"), DEFAULT_BORDER) << "Apply alone saves nothing";
            ASSERT_TRUE(pickColor(clock, sheet, IDC_COLOR_TEXT, &white));
        }
        ASSERT_TRUE(sheet.close(button));
        EXPECT_EQ(savedDword("Color border"), button == IDOK ? LIGHT_BLUE_BORDER : DEFAULT_BORDER);
        EXPECT_EQ(savedDword("Color base"), button == IDOK ? LIGHT_BLUE_BASE : DEFAULT_BASE);
        EXPECT_EQ(savedDword("Color of text"), button == IDOK ? 0xFEFEFEu : 0u);
    }
    Sheet again(clock, IDM_ADVANCED);
    ASSERT_TRUE(again.isOpen());
    EXPECT_EQ(again.text(IDC_PRESET), "Default");
    EXPECT_EQ(swatches(again), lightBlue + " " + std::to_string(0xFEFEFE));
    EXPECT_FALSE(again.applyEnabled());
}

TEST_F(SettingsPages, EachPagesHelpButtonOpensItsTopic)
{
    ASSERT_TRUE(start(clock));
    for (const auto& [command, topic] : {std::pair{IDM_SETTINGS, "-mapid 2 "}, std::pair{IDM_ADVANCED, "-mapid 3 "}}) {
        Sheet sheet(clock, command);
        ASSERT_TRUE(sheet.isOpen());
        PostMessageA(sheet.window, WM_COMMAND, IDHELP, 0);
        EXPECT_NE(helpViewerCommandLine().find(topic), std::string::npos) << topic;
        closeHelpViewers();
    }
}

}  // namespace
