// The application shell seen from outside: start-up, single instance, the
// notification-area icon, the popup menu, saving, auto-run and the buttons.
#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "res/resource.h"

using namespace driver;

namespace {

constexpr UINT WM_TRAYNOTIFY = WM_USER + 1;

class Shell : public ::testing::Test {
protected:
    void SetUp() override { deleteProgramSettings(); }
    void TearDown() override { closeHelpViewers(); }

    // A clock that has run once, so the settings key exists and no help
    // viewer opens at start.
    void startConfigured(Clock& clock, const std::string& arguments = "")
    {
        writeDword(PROGRAM_KEY, "Scale", 100);
        ASSERT_TRUE(start(clock, arguments));
    }
};

HWND visibleMenu()
{
    for (HWND menu : processWindows(0, "#32768"))
        if (IsWindowVisible(menu))
            return menu;
    return NULL;
}

void dismissMenu(HWND menu)
{
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    waitFor([] { return visibleMenu() == NULL; }, 3000);
}

TEST_F(Shell, FirstStartShowsHelpPlacesTheClockAndSavesEverythingAtExit)
{
    Clock clock;
    ASSERT_TRUE(start(clock));

    // Command 5 at the first start opens the help viewer on topic 6.
    HWND viewer = findProcessWindow(0, "HH Parent", nullptr, 15000);
    ASSERT_TRUE(viewer != NULL);
    DWORD viewerProcess = 0;
    GetWindowThreadProcessId(viewer, &viewerProcess);
    std::string commandLine = narrow(commandLineOf(viewerProcess));
    std::string expected = "-mapid 6 " + programFolder() + "Tockmere.chm";
    EXPECT_NE(commandLine.find(expected), std::string::npos) << commandLine;
    EXPECT_EQ(windowText(viewer), "Tockmere Help");

    // The never-placed position is not on screen: bottom-right of the work area.
    RECT area = workArea();
    RECT r = windowRect(clock.window);
    EXPECT_EQ(r.right, area.right);
    EXPECT_EQ(r.bottom, area.bottom);
    EXPECT_EQ(r.bottom - r.top, 80);
    EXPECT_EQ(GetWindowLongA(clock.window, GWL_EXSTYLE) & WS_EX_TOPMOST, WS_EX_TOPMOST);

    EXPECT_EQ(clock.exitByMenu(), 0u);

    const char* dwords[] = {"Scale", "UnTransparent", "Show seconds", "Show flash delimiter", "Show date",
                            "Show day of the week", "Show shadow", "Background type", "Always on top",
                            "X", "Y", "Color of text", "Color base", "Color border", "Duration of alarm",
                            "Show dialog box for alarm"};
    for (const char* name : dwords) {
        DWORD value;
        EXPECT_TRUE(readDword(PROGRAM_KEY, name, &value)) << name;
    }
    DWORD value = 0;
    readDword(PROGRAM_KEY, "Scale", &value);
    EXPECT_EQ(value, 100u);
    readDword(PROGRAM_KEY, "Color base", &value);
    EXPECT_EQ(value, 0xDEC8CDu);
    readDword(PROGRAM_KEY, "X", &value);
    EXPECT_EQ(static_cast<LONG>(value), r.left);
    readDword(PROGRAM_KEY, "Y", &value);
    EXPECT_EQ(static_cast<LONG>(value), r.top);

    std::string wave, run;
    EXPECT_TRUE(readString(PROGRAM_KEY, "Path to wave file", &wave));
    EXPECT_EQ(wave, programFolder() + "rooster.wav");
    EXPECT_TRUE(readString(RUN_KEY, "Tockmere", &run));
    EXPECT_EQ(run, "\"" + programPath() + "\" -autorun");
}

TEST_F(Shell, SecondStartLeavesOneClockAndExitsWithZero)
{
    Clock first;
    startConfigured(first);
    Clock second;
    std::string commandLine = "\"" + programPath() + "\"";
    STARTUPINFOA startup{sizeof startup};
    ASSERT_TRUE(CreateProcessA(NULL, commandLine.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                               &second.process));
    EXPECT_EQ(second.waitForExit(15000), 0u);
    EXPECT_EQ(processWindows(0, "TOCKMERE").size(), 1u);
    EXPECT_TRUE(first.running());
    EXPECT_EQ(first.exitByMenu(), 0u);
}

TEST_F(Shell, TrayIconOpensTheMenuUnlessASheetIsOpen)
{
    Clock clock;
    startConfigured(clock);

    PostMessageA(clock.window, WM_TRAYNOTIFY, 1, WM_RBUTTONDOWN);
    HWND menu = NULL;
    EXPECT_TRUE(waitFor([&] { return (menu = visibleMenu()) != NULL; }));
    if (menu)
        dismissMenu(menu);

    // The left button on the icon only asks the ringing to stop: no menu.
    PostMessageA(clock.window, WM_TRAYNOTIFY, 1, WM_LBUTTONDOWN);
    Sleep(500);
    EXPECT_EQ(visibleMenu(), (HWND)NULL);

    // With the settings sheet open the clock is disabled: a beep, no menu.
    PostMessageA(clock.window, WM_COMMAND, IDM_SETTINGS, 0);
    HWND sheet = findProcessWindow(clock.process.dwProcessId, "#32770", "Tockmere", 10000);
    ASSERT_TRUE(sheet != NULL);
    EXPECT_FALSE(IsWindowEnabled(clock.window));
    PostMessageA(clock.window, WM_TRAYNOTIFY, 1, WM_RBUTTONDOWN);
    Sleep(700);
    EXPECT_EQ(visibleMenu(), (HWND)NULL);
    PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(sheet); }, 10000));
    EXPECT_TRUE(IsWindowEnabled(clock.window));

    EXPECT_EQ(clock.exitByMenu(), 0u);
}

TEST_F(Shell, QueryEndSessionSavesAndEndsTheClock)
{
    Clock clock;
    startConfigured(clock);
    RECT area = workArea();
    SetWindowPos(clock.window, NULL, area.left + 40, area.top + 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(clock.window, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 10000, &result);
    EXPECT_EQ(result, (DWORD_PTR)TRUE);
    EXPECT_EQ(clock.waitForExit(15000), 0u);
    DWORD x = 0, y = 0;
    EXPECT_TRUE(readDword(PROGRAM_KEY, "X", &x));
    EXPECT_TRUE(readDword(PROGRAM_KEY, "Y", &y));
    EXPECT_EQ(static_cast<LONG>(x), area.left + 40);
    EXPECT_EQ(static_cast<LONG>(y), area.top + 30);
}

TEST_F(Shell, ClosingTheSheetSavesSoACrashLosesNothing)
{
    Clock clock;
    startConfigured(clock);
    RECT area = workArea();
    SetWindowPos(clock.window, NULL, area.left + 10, area.top + 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PostMessageA(clock.window, WM_COMMAND, IDM_SETTINGS, 0);
    HWND sheet = findProcessWindow(clock.process.dwProcessId, "#32770", "Tockmere", 10000);
    ASSERT_TRUE(sheet != NULL);
    PostMessageA(sheet, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(sheet); }, 10000));
    Sleep(300);
    clock.kill();
    DWORD x = 0, y = 0;
    EXPECT_TRUE(readDword(PROGRAM_KEY, "X", &x));
    EXPECT_TRUE(readDword(PROGRAM_KEY, "Y", &y));
    EXPECT_EQ(static_cast<LONG>(x), area.left + 10);
    EXPECT_EQ(static_cast<LONG>(y), area.top + 20);
}

TEST_F(Shell, AutorunMakesTheProgramFolderCurrentAndKeepsTheRunValue)
{
    // A Run value that an older version let grow is put right at the first save.
    writeString(RUN_KEY, "Tockmere", "\"" + programPath() + "\" -autorun -autorun");
    std::string firstRun;
    for (int cycle = 0; cycle < 3; ++cycle) {
        Clock clock;
        writeDword(PROGRAM_KEY, "Scale", 100);
        ASSERT_TRUE(start(clock, "-autorun", "C:\\windows"));
        std::wstring current = currentDirectoryOf(clock.process.hProcess);
        std::string folder = programFolder();
        EXPECT_EQ(current, std::wstring(folder.begin(), folder.end()));
        EXPECT_EQ(clock.exitByMenu(), 0u);
        std::string run;
        ASSERT_TRUE(readString(RUN_KEY, "Tockmere", &run));
        if (cycle == 0)
            firstRun = run;
        EXPECT_EQ(run, firstRun) << "cycle " << cycle;
    }
    EXPECT_EQ(firstRun, "\"" + programPath() + "\" -autorun");

    // Without the argument the working directory stays as it was.
    Clock plain;
    ASSERT_TRUE(start(plain, "", "C:\\windows"));
    std::wstring current = currentDirectoryOf(plain.process.hProcess);
    EXPECT_EQ(_wcsicmp(current.c_str(), L"C:\\windows\\"), 0);
    EXPECT_EQ(plain.exitByMenu(), 0u);
}

// Under Wine the pointer moves a moment after SetCursorPos returns, and the
// X server's motion event reaches the clock later still.
void moveCursor(int x, int y)
{
    SetCursorPos(x, y);
    waitFor([&] {
        POINT p;
        GetCursorPos(&p);
        return p.x == x && p.y == y;
    });
    Sleep(250);
}

// Drags the clock with a button: press, move the cursor, move over the clock.
POINT dragWith(HWND window, UINT downMessage, WPARAM keys)
{
    RECT r = windowRect(window);
    POINT start{r.left + 10, r.top + 10};
    moveCursor(start.x, start.y);
    SendMessageA(window, downMessage, keys, MAKELPARAM(10, 10));
    moveCursor(start.x - 30, start.y - 20);
    SendMessageA(window, WM_MOUSEMOVE, keys, MAKELPARAM(10, 10));
    RECT after = windowRect(window);
    return POINT{after.left - r.left, after.top - r.top};
}

// The drag button moves the clock; the other button does not.
void expectDragRoles(Clock& clock, UINT dragDown, WPARAM dragKey, UINT otherDown, WPARAM otherKey)
{
    PostMessageA(clock.window, WM_COMMAND, IDM_DEFAULT_POSITION, 0);
    Sleep(200);
    POINT moved = dragWith(clock.window, dragDown, dragKey);
    EXPECT_EQ(moved.x, -30);
    EXPECT_EQ(moved.y, -20);
    moved = dragWith(clock.window, otherDown, otherKey);
    EXPECT_EQ(moved.x, 0);
    EXPECT_EQ(moved.y, 0);
    EXPECT_EQ(clock.exitByMenu(), 0u);
}

TEST_F(Shell, SwappedButtonsSwapDraggingRoles)
{
    {
        Clock clock;
        startConfigured(clock);
        expectDragRoles(clock, WM_LBUTTONDOWN, MK_LBUTTON, WM_RBUTTONDOWN, MK_RBUTTON);
    }
    SystemParametersInfoA(SPI_SETMOUSEBUTTONSWAP, TRUE, NULL, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
    {
        Clock clock;
        startConfigured(clock);
        expectDragRoles(clock, WM_RBUTTONDOWN, MK_RBUTTON, WM_LBUTTONDOWN, MK_LBUTTON);
    }
    SystemParametersInfoA(SPI_SETMOUSEBUTTONSWAP, FALSE, NULL, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

}  // namespace
