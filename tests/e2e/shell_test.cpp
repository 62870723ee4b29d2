// The application shell seen from outside: start-up, single instance, the
// notification-area icon, the popup menu, saving, auto-run and the buttons.
#include <windows.h>

#include <psapi.h>
#include <shellapi.h>
#include <gtest/gtest.h>

#include <string>

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

TEST_F(Shell, TrayIconOpensNoMenuWhileASheetIsOpen)
{
    Clock clock;
    startConfigured(clock);

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

std::string at(LONG x, LONG y)
{
    return std::to_string(x) + " " + std::to_string(y);
}

// Windows reports the buttons by role, whatever the user's setting: the
// primary one arrives as the left one. The clock must not swap them again.
// (Wine delivers X button 1 as the primary whatever the setting.)
TEST_F(Shell, ThePrimaryButtonDragsAndTheSecondaryOpensTheMenuWhateverTheSetting)
{
    for (bool swapped : {false, true}) {
        SCOPED_TRACE(swapped ? "buttons swapped" : "buttons as made");
        SwappedButtons setting(swapped);
        Clock clock;
        startConfigured(clock);

        // A real drag from the middle of the clock, in steps small enough for
        // the cursor to stay on the window that follows it; the clock takes
        // the press (and the cursor's place then) before the first step.
        RECT r = windowRect(clock.window);
        LONG x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
        std::string drag = "mousemove " + at(x, y) + " mousedown 1 sleep 0.3";
        for (int step = 1; step <= 10; ++step)
            drag += " sleep 0.05 mousemove " + at(x - 3 * step, y - 2 * step);
        ASSERT_TRUE(xdotool(drag + " mouseup 1"));
        EXPECT_TRUE(waitFor([&] {
            RECT now = windowRect(clock.window);
            return now.left == r.left - 30 && now.top == r.top - 20;
        }));
        Sleep(500);
        EXPECT_EQ(visibleMenu(), (HWND)NULL) << "the primary button opened the menu";

        ASSERT_TRUE(xdotool("click 3"));
        HWND menu = NULL;
        EXPECT_TRUE(waitFor([&] { return (menu = visibleMenu()) != NULL; })) << "the secondary click opened no menu";
        if (menu)
            dismissMenu(menu);

        // The same roles on the notification-area icon.
        PostMessageA(clock.window, WM_TRAYNOTIFY, 1, WM_RBUTTONDOWN);
        EXPECT_TRUE(waitFor([&] { return (menu = visibleMenu()) != NULL; }));
        if (menu)
            dismissMenu(menu);
        PostMessageA(clock.window, WM_TRAYNOTIFY, 1, WM_LBUTTONDOWN);
        Sleep(500);
        EXPECT_EQ(visibleMenu(), (HWND)NULL);
        EXPECT_EQ(clock.exitByMenu(), 0u);
    }
}

// WM_CONTEXTMENU's place is signed (a monitor left of or above the primary
// one has negative coordinates); from the keyboard it is -1, -1 and the menu
// opens at the clock.
TEST_F(Shell, TheMenuOpensWhereAskedAndFromTheKeyboardAtTheClock)
{
    Clock clock;
    startConfigured(clock);
    SetWindowPos(clock.window, NULL, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT r = windowRect(clock.window);
    const struct {
        const char* what;
        LPARAM lParam;
        POINT inMenu;
    } cases[] = {
        {"keyboard", -1, {(r.left + r.right) / 2, (r.top + r.bottom) / 2}},
        // Off this one screen, so pushed onto it at its top-left corner.
        {"above and left of the screen", MAKELPARAM(-300, -200), {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PostMessageA(clock.window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(clock.window), c.lParam);
        HWND menu = NULL;
        ASSERT_TRUE(waitFor([&] { return (menu = visibleMenu()) != NULL; }));
        RECT m = windowRect(menu);
        dismissMenu(menu);
        EXPECT_TRUE(m.left <= c.inMenu.x && c.inMenu.x <= m.right && m.top <= c.inMenu.y && c.inMenu.y <= m.bottom)
            << "menu at " << m.left << "," << m.top << "-" << m.right << "," << m.bottom;
    }
    EXPECT_EQ(clock.exitByMenu(), 0u);
}

// A notification area that is not ready yet, as at logon before the
// taskbar: a window of the taskbar's class, found before Wine's own, that
// refuses every icon. It answers on a thread of its own, since the shell's
// calls wait for its answer.
class RefusingTaskbar {
public:
    RefusingTaskbar()
    {
        thread_ = CreateThread(NULL, 0, run, this, 0, NULL);
        waitFor([&] { return window != NULL; });
    }
    ~RefusingTaskbar()
    {
        PostMessageA(window, WM_CLOSE, 0, 0);
        WaitForSingleObject(thread_, 10000);
        CloseHandle(thread_);
    }
    HWND window = NULL;
    LONG refusedAdds = 0;

private:
    static DWORD WINAPI run(void* self)
    {
        WNDCLASSA wc{0, answer, 0, 0, GetModuleHandleA(NULL)};
        wc.lpszClassName = "Shell_TrayWnd";
        RegisterClassA(&wc);  // fails harmlessly after the first time
        HWND created = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, NULL, NULL,
                                       wc.hInstance, NULL);
        SetWindowLongPtrA(created, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        static_cast<RefusingTaskbar*>(self)->window = created;
        MSG msg;
        while (GetMessageA(&msg, NULL, 0, 0))
            DispatchMessageA(&msg);
        return 0;
    }
    static LRESULT CALLBACK answer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<RefusingTaskbar*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        switch (message) {
        case WM_COPYDATA:  // Wine's shell passes the NIM_ code as dwData
            if (self && reinterpret_cast<COPYDATASTRUCT*>(lParam)->dwData == NIM_ADD)
                InterlockedIncrement(&self->refusedAdds);
            return FALSE;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    HANDLE thread_;
};

bool hasTrayIcon(HWND clock)
{
    NOTIFYICONDATAA icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = clock;
    icon.uID = 1;
    return Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;
}

TEST_F(Shell, StartedBeforeTheTaskbarTheClockRunsOnAndAddsItsIconLater)
{
    Clock clock;
    {
        RefusingTaskbar notReady;
        ASSERT_EQ(FindWindowA("Shell_TrayWnd", NULL), notReady.window);
        startConfigured(clock);
        // The attempt at start and a retry a few seconds later.
        EXPECT_TRUE(waitFor([&] { return notReady.refusedAdds >= 2; }, 15000));
        EXPECT_EQ(findDialogShowing(clock.process.dwProcessId, "Tockmere", "Shell notify icon is not created!"),
                  (HWND)NULL);
        EXPECT_TRUE(clock.running());
    }
    // The taskbar is there now: a retry adds the icon.
    EXPECT_TRUE(waitFor([&] { return hasTrayIcon(clock.window); }, 15000));
    EXPECT_EQ(clock.exitByMenu(), 0u);
}

// A system-wide hook refuses the clock's window, as a desktop without room
// for one more window would.
TEST_F(Shell, AClockWindowThatCannotBeCreatedEndsWithAnErrorCode)
{
    HMODULE hooks = LoadLibraryA("refuse_clock_window.dll");
    ASSERT_TRUE(hooks != NULL);
    HHOOK hook = SetWindowsHookExA(
        WH_CBT, reinterpret_cast<HOOKPROC>(GetProcAddress(hooks, "refuseClockWindow")), hooks, 0);
    ASSERT_TRUE(hook != NULL);
    writeDword(PROGRAM_KEY, "Scale", 100);
    Clock clock;
    ASSERT_TRUE(startProcess("\"" + programPath() + "\"", &clock.process));
    DWORD code = clock.waitForExit(15000);
    UnhookWindowsHookEx(hook);
    FreeLibrary(hooks);
    EXPECT_EQ(code, 1u);
    clock.kill();
}

std::string imagePathOf(DWORD processId)
{
    char path[MAX_PATH] = "";
    if (HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId)) {
        GetModuleFileNameExA(process, NULL, path, MAX_PATH);
        CloseHandle(process);
    }
    return path;
}

// A program named HH in the folder the clock was started from is not
// started for help: the viewer is the one in the Windows folder.
TEST_F(Shell, HelpStartsTheViewerInTheWindowsFolderNotAnHHInTheCurrentOne)
{
    char windows[MAX_PATH], temp[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetTempPathA(MAX_PATH, temp);
    std::string viewer = std::string(windows) + "\\hh.exe";
    std::string folder = std::string(temp) + "tockmere-hh-" + std::to_string(GetCurrentProcessId());
    std::string planted = folder + "\\HH.exe";
    CreateDirectoryA(folder.c_str(), NULL);
    // A copy of the viewer itself: it opens the same window, from elsewhere.
    ASSERT_TRUE(CopyFileA(viewer.c_str(), planted.c_str(), FALSE));
    {
        Clock clock;
        writeDword(PROGRAM_KEY, "Scale", 100);
        ASSERT_TRUE(start(clock, "", folder.c_str()));
        PostMessageA(clock.window, WM_COMMAND, IDM_HELP, 0);
        HWND window = findProcessWindow(0, "HH Parent", nullptr, 15000);
        ASSERT_TRUE(window != NULL);
        DWORD viewerProcess = 0;
        GetWindowThreadProcessId(window, &viewerProcess);
        EXPECT_EQ(_stricmp(imagePathOf(viewerProcess).c_str(), viewer.c_str()), 0) << imagePathOf(viewerProcess);
        EXPECT_EQ(clock.exitByMenu(), 0u);
        closeHelpViewers();
    }
    DeleteFileA(planted.c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace
