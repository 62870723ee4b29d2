// The roads a user takes through the running clock, each walked from its
// start to its end with a check at every step.
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "e2e/driver.h"
#include "face/face_geometry.h"
#include "res/resource.h"
#include "support/test_clock.h"

using namespace driver;

namespace {

class Journey : public ::testing::Test {
protected:
    // A clock that has run before: no first-start help.
    void SetUp() override
    {
        deleteProgramSettings();
        DWORD scale = 100;
        RegSetKeyValueA(HKEY_CURRENT_USER, PROGRAM_KEY, "Scale", REG_DWORD, &scale, sizeof scale);
    }
    void TearDown() override { closeHelpViewers(); }
};

// Wine shows the notification area's balloon as a tooltip window.
bool balloonShows(const std::string& text)
{
    return waitFor([&] {
        for (HWND tip : processWindows(0, "tooltips_class32"))
            if (IsWindowVisible(tip) && windowText(tip) == text)
                return true;
        return false;
    });
}

TEST_F(Journey, FirstStartOpensHelpPlacesTheClockAndSavesEverythingAtLogoff)
{
    deleteProgramSettings();
    // Programs named HH where a search by name looks before the Windows
    // folder: the clock's working folder and, under Wine, the system folder.
    // They are copies of the viewer: only the path tells them apart, and the
    // command line tells how the viewer was named.
    char windows[MAX_PATH], temp[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetTempPathA(MAX_PATH, temp);
    const std::string viewer = std::string(windows) + "\\hh.exe";
    struct Planted {
        std::vector<std::string> paths;
        ~Planted() { for (const std::string& path : paths) DeleteFileA(path.c_str()); }
    } planted{{std::string(temp) + "HH.exe", std::string(windows) + "\\system32\\HH.exe"}};
    for (const std::string& path : planted.paths)
        ASSERT_TRUE(CopyFileA(viewer.c_str(), path.c_str(), FALSE)) << path;
    Clock clock;
    ASSERT_TRUE(start(clock, "", temp));
    DWORD help = helpViewerProcess();
    EXPECT_EQ(_stricmp(processText(help, IMAGE_PATH).c_str(), viewer.c_str()), 0) << processText(help, IMAGE_PATH);
    EXPECT_EQ(processText(help, COMMAND_LINE), "\"" + viewer + "\" -mapid 6 " + programFolder() + "Tockmere.chm");

    // Never placed: the bottom-right corner of the work area, on top.
    RECT area = workArea(), r = windowRect(clock.window);
    EXPECT_EQ(r.right, area.right);
    EXPECT_EQ(r.bottom, area.bottom);
    EXPECT_EQ(r.bottom - r.top, 80);
    EXPECT_TRUE(GetWindowLongA(clock.window, GWL_EXSTYLE) & WS_EX_TOPMOST);

    EXPECT_EQ(runToEnd("\"" + programPath() + "\""), 0u) << "the second start";
    EXPECT_EQ(processWindows(0, "TOCKMERE").size(), 1u);

    PostMessageA(clock.window, WM_COMMAND, IDM_ABOUT, 0);
    HWND about = findWindow(clock.pid(), "#32770", "About");
    EXPECT_EQ(windowText(GetDlgItem(about, IDC_ABOUT_VERSION)), "Tockmere version 4.02");
    EXPECT_TRUE(closeDialog(about, IDOK));

    // A logoff asked saves at once; cancelled, the clock runs on with its
    // icon; the real end saves again and takes the icon away.
    EXPECT_EQ(sendTo(clock.window, WM_QUERYENDSESSION), TRUE);
    EXPECT_EQ(readDword(PROGRAM_KEY, "Scale"), 100u) << "not saved when asked";
    sendTo(clock.window, WM_ENDSESSION, FALSE);
    NOTIFYICONDATAA icon{sizeof icon, clock.window, 1};
    EXPECT_EQ(clock.waitForExit(500), STILL_ACTIVE) << "a cancelled logoff ended the clock";
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &icon));
    deleteProgramSettings();
    sendTo(clock.window, WM_ENDSESSION, TRUE);
    EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &icon)) << "the icon outlived the session";
    EXPECT_EQ(clock.waitForExit(), 0u);
    EXPECT_EQ(readDword(PROGRAM_KEY, "Scale"), 100u) << "not saved at the end";
    EXPECT_EQ(static_cast<LONG>(readDword(PROGRAM_KEY, "X")), r.left);
    EXPECT_EQ(static_cast<LONG>(readDword(PROGRAM_KEY, "Y")), r.top);
    EXPECT_EQ(readString(PROGRAM_KEY, "Path to wave file"), programFolder() + "rooster.wav");
    EXPECT_EQ(readString(RUN_KEY, "Tockmere"), "\"" + programPath() + "\" -autorun");
}

// The primary button arrives as the left one whatever the setting (Wine
// delivers X button 1 as the primary): the clock must not swap them again.
TEST_F(Journey, TheUsersOwnMouseWithSwappedButtonsAfterAnAutorunStart)
{
    struct Swapped {
        BOOL before = SwapMouseButton(TRUE);
        ~Swapped() { SwapMouseButton(before); }
    } swapped;
    const std::string run = "\"" + programPath() + "\" -autorun";
    RegSetKeyValueA(HKEY_CURRENT_USER, RUN_KEY, "Tockmere", REG_SZ, run.c_str(), run.size() + 1);
    Clock clock;
    ASSERT_TRUE(start(clock, "-autorun", "C:\\windows"));
    EXPECT_EQ(processText(clock.pid(), CURRENT_DIRECTORY), programFolder());

    // A real drag from the middle, in steps small enough for the cursor to
    // stay on the window that follows it.
    RECT r = windowRect(clock.window), m;
    auto at = [&](int step) {
        LONG x = (r.left + r.right) / 2 - 3 * step, y = (r.top + r.bottom) / 2 - 2 * step;
        return std::to_string(x) + " " + std::to_string(y);
    };
    std::string drag = "mousemove " + at(0) + " mousedown 1 sleep 0.3";
    for (int step = 1; step <= 10; ++step)
        drag += " sleep 0.05 mousemove " + at(step);
    ASSERT_TRUE(xdotool(drag + " mouseup 1"));
    EXPECT_TRUE(waitFor([&] { return windowRect(clock.window).left == r.left - 30; }));
    EXPECT_EQ(windowRect(clock.window).top, r.top - 20);
    sendTo(clock.window, WM_NULL);
    EXPECT_FALSE(menuShown(nullptr, 0)) << "the primary button opened the menu";
    ASSERT_TRUE(xdotool("click 3"));
    EXPECT_TRUE(menuShown()) << "the secondary button";

    // A smaller screen, a monitor gone, a moved taskbar: back in sight at once.
    RECT area = workArea();
    for (UINT change : {WM_DISPLAYCHANGE, WM_SETTINGCHANGE}) {
        SetWindowPos(clock.window, NULL, area.right - 10, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        sendTo(clock.window, change, change == WM_SETTINGCHANGE ? SPI_SETWORKAREA : 32);  // sent, as Windows does
        EXPECT_EQ(windowRect(clock.window).right, area.right) << change;
    }
    // Moved to a monitor of another DPI, where Windows suggests a place off the work area.
    const RECT suggested{area.right + 50, 100, area.right + 400, 180};
    void* remote = VirtualAllocEx(clock.process.hProcess, NULL, sizeof suggested, MEM_COMMIT, PAGE_READWRITE);
    ASSERT_TRUE(WriteProcessMemory(clock.process.hProcess, remote, &suggested, sizeof suggested, NULL));
    sendTo(clock.window, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(remote));
    EXPECT_EQ(windowRect(clock.window).right, area.right) << "left where Windows suggested";

    // The keyboard's menu key: -1, -1, the menu over the clock's middle.
    SetWindowPos(clock.window, NULL, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    r = windowRect(clock.window);
    PostMessageA(clock.window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(clock.window), -1);
    EXPECT_TRUE(menuShown(&m));
    EXPECT_TRUE(PtInRect(&m, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2})) << "at " << m.left << "," << m.top;

    // The notification-area icon: the primary button opens no menu, the
    // secondary does; with the settings sheet open, either only beeps.
    PostMessageA(clock.window, WM_TRAYNOTIFY, 1, WM_LBUTTONDOWN);
    sendTo(clock.window, WM_NULL);
    EXPECT_FALSE(menuShown(nullptr, 0));
    PostMessageA(clock.window, WM_TRAYNOTIFY, 1, WM_RBUTTONDOWN);
    EXPECT_TRUE(menuShown());
    HWND page, sheet = openSheet(clock, IDM_SETTINGS, &page);
    int bells = soundcapture::bellsRung();
    PostMessageA(clock.window, WM_TRAYNOTIFY, 1, WM_LBUTTONDOWN);
    PostMessageA(clock.window, WM_TRAYNOTIFY, 1, WM_RBUTTONDOWN);
    EXPECT_TRUE(waitFor([&] { return soundcapture::bellsRung() == bells + 2; }));
    EXPECT_FALSE(menuShown(nullptr, 0));
    // Closed with the sheet open, as the setup or "End task" does: saved
    // where it stood.
    PostMessageA(clock.window, WM_CLOSE, 0, 0);
    EXPECT_EQ(clock.waitForExit(), 0u);
    EXPECT_EQ(std::pair(readDword(PROGRAM_KEY, "X"), readDword(PROGRAM_KEY, "Y")), std::pair(DWORD(r.left), DWORD(r.top)));
    EXPECT_EQ(readString(RUN_KEY, "Tockmere"), run);
}

TEST_F(Journey, AnAlarmFromTheEditorToItsRingingAndItsStop)
{
    const std::string rooster = soundcapture::readFile(programFolder() + "rooster.wav");  // the default sound
    const std::string signature = rooster.substr(rooster.size() / 2 & ~1u, 400);  // some samples from its middle
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2031, 3, 17, 7, 0, 0)));
    Clock clock;
    ASSERT_TRUE(start(clock));
    HWND page, sheet = openSheet(clock, IDM_ALARM, &page), list = GetDlgItem(page, IDC_ALARM_LIST);
    const std::string full(259, 'n');

    // Add: the editor opens without a beep; an hour past 23 beeps once.
    int bells = soundcapture::bellsRung();
    auto addAlarm = [&](const std::string& pasted) {
        PostMessageA(page, WM_COMMAND, IDC_ADD_ALARM, 0);
        HWND editor = findWindow(clock.pid(), "#32770", "Add alarm");
        HWND hours = GetDlgItem(editor, IDC_EDITOR_HOURS), text = GetDlgItem(editor, IDC_EDITOR_DESCRIPTION);
        if (!pasted.empty()) {
            sendTo(hours, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("24"));
            EXPECT_TRUE(waitFor([&] { return soundcapture::bellsRung() > bells; }));
            EXPECT_FALSE(waitFor([&] { return soundcapture::bellsRung() > bells + 1; }, 500)) << "a beep at opening";
            EXPECT_EQ(windowText(hours), "0");
            sendTo(text, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
            EXPECT_EQ(windowText(text), full);
        }
        sendTo(hours, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("7"));
        sendTo(GetDlgItem(editor, IDC_EDITOR_MINUTES), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("30"));
        EXPECT_TRUE(closeDialog(editor, IDOK));
    };
    addAlarm(full + "n");
    addAlarm("");  // the same minute, no description: after the first
    EXPECT_EQ(sendTo(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED), 1);  // the rows' order shows in the table saved

    // A click on the first row, below the header, then one beside the rows:
    // none is selected, though the list's selection mark still names a row.
    RECT client, header = windowRect(FindWindowExA(list, NULL, "SysHeader32", NULL));
    GetClientRect(list, &client);
    for (LONG y : {header.bottom - header.top + 3, client.bottom - 4}) {
        PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right / 2, y));
        PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(client.right / 2, y));
    }
    EXPECT_TRUE(waitFor([&] { return sendTo(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED) == -1; }));
    PostMessageA(page, WM_COMMAND, IDC_DELETE_ALARM, 0);
    EXPECT_TRUE(answerBox(clock.pid(), "Please select line for delete!"));

    sendTo(GetDlgItem(page, IDC_DURATION_THREE_MINUTES), BM_CLICK);
    sendTo(GetDlgItem(page, IDC_SHOW_MESSAGE_BOX), BM_CLICK);
    EXPECT_TRUE(closeDialog(sheet, IDOK));
    auto time = [](std::string slot) {
        DWORD hours = readDword(EVENTS_KEY, (slot + "hours").c_str());
        return hours * 100 + readDword(EVENTS_KEY, (slot + "minutes").c_str());
    };
    EXPECT_TRUE(waitFor([&] {  // the settings, then the rows in their order and nothing after them
        return readDword(PROGRAM_KEY, "Duration of alarm") == 2 &&
               readDword(PROGRAM_KEY, "Show dialog box for alarm") == 1 &&
               readString(EVENTS_KEY, "Event_00_description") == full && time("Event_00_") == 730 &&
               readString(EVENTS_KEY, "Event_01_description") == "" && time("Event_01_") == 730 &&
               readDword(EVENTS_KEY, "Event_02_hours") == 0xDEADBEEF;
    })) << "not saved as chosen when the sheet closed";
    EXPECT_TRUE(trayTipShows(("Tockmere\nNext: Mon 07:30 " + full).substr(0, 127))) << "the tip after the sheet applied";

    // The minute comes: sound, balloon and one message window per alarm.
    const std::size_t before = soundcapture::capturedBytes();
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2031, 3, 17, 7, 29, 59)));
    std::vector<HWND> messages;
    ASSERT_TRUE(waitFor([&] {
        return (messages = processWindows(clock.pid(), "#32770", "Message from Tockmere")).size() == 2;
    })) << messages.size();
    std::vector<std::string> shown;
    for (HWND message : messages)
        shown.push_back(windowText(GetDlgItem(message, IDC_MESSAGE_TEXT)));
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, (std::vector<std::string>{"07:30\n\n", "07:30\n\n" + full}));
    EXPECT_TRUE(balloonShows(full.substr(0, 255)));
    // The capture is read once it has grown by two plays: a reader that
    // keeps Wine's sound thread waiting for the processor can stall it.
    EXPECT_TRUE(waitFor([&] { return soundcapture::capturedBytes() > before + 2 * rooster.size(); }));
    EXPECT_GE(soundcapture::plays(signature, before), 2) << "the sound does not loop";

    // The balloon going away by itself is no answer: after the next tick
    // (Wine plays faster than real time) the sound still goes on.
    PostMessageA(clock.window, WM_TRAYNOTIFY, 1, NIN_BALLOONTIMEOUT);
    SYSTEMTIME now, posted;
    GetLocalTime(&posted);
    waitFor([&] { return GetLocalTime(&now), (now.wSecond + 60 - posted.wSecond) % 60 >= 2; });
    std::size_t heard = soundcapture::capturedBytes();
    EXPECT_TRUE(waitFor([&] { return soundcapture::capturedBytes() > heard; })) << "the balloon's timeout stopped it";

    // Enter on a message window closes it as OK does: the sound stops at the
    // next tick, and it is no click. Esc closes the other.
    PostMessageA(GetDlgItem(messages[0], IDOK), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(messages[0]); })) << "Enter";
    DWORD quietSince = GetTickCount();
    EXPECT_TRUE(waitFor([&] {
        if (soundcapture::capturedBytes() != heard)
            heard = soundcapture::capturedBytes(), quietSince = GetTickCount();
        return GetTickCount() - quietSince > 700;
    })) << "the sound did not stop";
    EXPECT_FALSE(menuShown(nullptr, 0));
    PostMessageA(GetDlgItem(messages[1], IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(messages[1]); })) << "Esc";
    EXPECT_EQ(clock.exitByMenu(), 0u);
}

// The computer asleep over the alarm (the clock moved forward over it) and the
// chosen wave file gone, its chunks walking in a circle, or in a format no
// codec here plays: on waking it rings, with the program's own sound, and
// the clock still answers. Asleep longer, three alarms are missed.
TEST_F(Journey, AnAlarmSleptOverRingsOnWakingWithTheProgramsSoundInPlaceOfAFileGoneOrUnplayableAndLongerIsMissed)
{
    const std::string rooster = soundcapture::readFile(programFolder() + "rooster.wav");
    const std::string signature = rooster.substr(rooster.size() / 2 & ~1u, 400);
    writeDailyAlarm(0, 7, 40, "Wake");
    // PCM, 1 channel, 22050 Hz, 16 bits; a chunk length that brings a 32-bit
    // offset back to itself; format tag 0x1234.
    auto le32 = [](DWORD v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
    const std::string pcm("fmt \x10\0\0\0\x01\0\x01\0\x22\x56\0\0\x44\xAC\0\0\x02\0\x10\0", 24);
    const std::string samples = "data" + le32(4000) + std::string(4000, '\x11');
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::pair<std::string, std::string> files[] = {
        {"C:\\gone\\gone.wav", ""}, {std::string(temp) + "circle.wav", pcm + "LIST" + le32(0xFFFFFFF8) + samples},
        {std::string(temp) + "nocodec.wav", pcm.substr(0, 8) + "\x34\x12" + pcm.substr(10) + samples}};
    for (const auto& [path, body] : files) {
        if (!body.empty()) {
            std::string bytes = "RIFF" + le32(4 + body.size()) + "WAVE" + body;
            HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
            DWORD written = 0;
            ASSERT_TRUE(WriteFile(file, bytes.data(), bytes.size(), &written, NULL) && written == bytes.size()) << path;
            CloseHandle(file);
        }
        RegSetKeyValueA(HKEY_CURRENT_USER, PROGRAM_KEY, "Path to wave file", REG_SZ, path.c_str(), path.size() + 1);
        ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2031, 3, 17, 7, 38, 0)));
        Clock clock;
        ASSERT_TRUE(start(clock));
        sendTo(clock.window, WM_TIMECHANGE);  // returns once the clock has ticked at 07:38
        const std::size_t before = soundcapture::capturedBytes();
        ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2031, 3, 17, 7, 43, 0)));  // woken 3 minutes late
        const std::string name = path.substr(path.find_last_of('\\') + 1);
        EXPECT_TRUE(balloonShows("Wake\r\nCannot play \"" + name + "\": another sound rang.")) << name;
        EXPECT_TRUE(waitFor([&] { return soundcapture::capturedBytes() > before + rooster.size() / 2; })) << name;
        EXPECT_GE(soundcapture::plays(signature, before), 1) << "not the program's own sound for " << name;
        DWORD_PTR answer = 0;
        EXPECT_TRUE(SendMessageTimeoutA(clock.window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer)) << "hung: " << name;
        if (body.empty()) {
            HWND page, sheet = openSheet(clock, IDM_ALARM, &page);
            PostMessageA(page, WM_COMMAND, IDC_PLAY_WAVE, 0);
            EXPECT_TRUE(answerBox(clock.pid(), "\"gone.wav\" cannot be played as a wave file. An alarm rings "
                                               "Tockmere's own rooster.wav instead."));
            EXPECT_TRUE(closeDialog(sheet, IDCANCEL));
        }
        EXPECT_EQ(clock.exitByMenu(), 0u) << name;
        DeleteFileA(path.c_str());
    }

    // Asleep for hours, with "Show message box": one window lists what was
    // missed, oldest first, and the tip passes on to the next day's alarm.
    writeDailyAlarm(1, 9, 0, "Call");
    writeDailyAlarm(2, 8, 15, "Tea");
    DWORD on = 1;
    RegSetKeyValueA(HKEY_CURRENT_USER, PROGRAM_KEY, "Show dialog box for alarm", REG_DWORD, &on, 4);
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2031, 3, 17, 7, 38, 0)));
    Clock clock;
    ASSERT_TRUE(start(clock));
    sendTo(clock.window, WM_TIMECHANGE);
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2031, 3, 17, 10, 0, 0)));
    HWND missed = findWindow(clock.pid(), "#32770", "Missed alarms");
    EXPECT_EQ(windowText(GetDlgItem(missed, IDC_MISSED_LIST)), "07:40 Wake\r\n08:15 Tea\r\n09:00 Call");
    EXPECT_EQ(processWindows(clock.pid(), "#32770").size(), 1u) << "a window per missed alarm";
    EXPECT_TRUE(trayTipShows("Tockmere\nNext: Tue 07:40 Wake"));
    PostMessageA(GetDlgItem(missed, IDOK), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(missed); })) << "Enter";
    EXPECT_EQ(clock.exitByMenu(), 0u);
}

// A program full screen on the clock's monitor: the face steps aside, with
// the focus left where it is, and alarms ring meanwhile; a window that
// leaves the taskbar's room, or the setting turned off, leaves it alone.
LRESULT CALLBACK programWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

// Windows tells the WinEvent hooks of every foreground change, move and
// close itself; Wine 8 tells them of none, so the test does, as Windows would.
void told(DWORD event, HWND window)
{
    NotifyWinEvent(event, window, OBJID_WINDOW, CHILDID_SELF);
}

TEST_F(Journey, AFullScreenProgramHidesTheFaceWhileAnAlarmRingsAndAMaximisedOneDoesNot)
{
    writeDailyAlarm(0, 7, 30, "Film night");
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2031, 3, 17, 7, 28, 0)));
    Clock clock;
    ASSERT_TRUE(start(clock));
    const RECT full = monitorRect(clock.window), maximised{full.left, full.top, full.right, full.bottom - 40};
    WNDCLASSA programClass{0, programWindow, 0, 0, GetModuleHandleA(NULL), NULL, NULL, NULL, NULL, "Program"};
    RegisterClassA(&programClass);
    auto program = [](const RECT& r) {
        HWND window = CreateWindowExA(0, "Program", "", WS_POPUP | WS_VISIBLE, r.left, r.top, r.right - r.left,
                                      r.bottom - r.top, NULL, NULL, NULL, NULL);
        SetForegroundWindow(window);
        told(EVENT_SYSTEM_FOREGROUND, window);
        return window;
    };
    auto resize = [](HWND window, const RECT& r) {
        SetWindowPos(window, NULL, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
        told(EVENT_OBJECT_LOCATIONCHANGE, window);
    };
    auto close = [](HWND window) {
        DestroyWindow(window);
        told(EVENT_OBJECT_DESTROY, window);
    };
    auto faceHidden = [&](bool hidden, DWORD timeoutMs = 5000) {
        return waitFor([&] { return !IsWindowVisible(clock.window) == hidden; }, timeoutMs);
    };

    HWND film = program(full);
    EXPECT_TRUE(faceHidden(true)) << "over a full-screen program";
    EXPECT_EQ(GetForegroundWindow(), film);
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2031, 3, 17, 7, 29, 59)));
    EXPECT_TRUE(balloonShows("Film night")) << "no alarm while the face steps aside";
    EXPECT_TRUE(faceHidden(true, 0));
    close(film);
    EXPECT_TRUE(faceHidden(false)) << "back when the program ends";

    // Maximised, the taskbar's room left: the face stays, until the window
    // grows over the whole monitor and while it does.
    HWND editor = program(maximised);
    EXPECT_FALSE(faceHidden(true, 1000)) << "over a maximised window";
    resize(editor, full);
    EXPECT_TRUE(faceHidden(true)) << "grown full screen";
    resize(editor, maximised);
    EXPECT_TRUE(faceHidden(false)) << "shrunk again";
    close(editor);

    // Alt+F on the Advanced settings page turns it off, and the face stays.
    HWND page, sheet = openSheet(clock, IDM_ADVANCED, &page);
    EXPECT_EQ(sendTo(GetDlgItem(page, IDC_HIDE_FOR_FULL_SCREEN), BM_GETCHECK), BST_CHECKED);
    PostMessageA(GetDlgItem(page, IDC_PRESET), WM_SYSCHAR, 'f', 1 << 29);
    EXPECT_TRUE(waitFor([&] { return sendTo(GetDlgItem(page, IDC_HIDE_FOR_FULL_SCREEN), BM_GETCHECK) == BST_UNCHECKED; }));
    EXPECT_TRUE(closeDialog(sheet, IDOK));
    EXPECT_TRUE(waitFor([&] { return readDword(PROGRAM_KEY, "Hide for full screen") == 0; }));
    film = program(full);
    EXPECT_FALSE(faceHidden(true, 1000)) << "with the setting off";
    close(film);
    EXPECT_EQ(clock.exitByMenu(), 0u);
}

// An alarm's next occurrence skipped on the Alarm page, a Once alarm with a
// sound of its own made in the editor: the skipped minute passes in silence,
// the Once alarm rings its own file and is off in the open page, which keeps
// it off, and the skipped alarm rings again the next day with the page's file.
TEST_F(Journey, ASkippedOccurrencePassesSilentlyAndAOnceAlarmRingsItsOwnSoundAndSwitchesItselfOff)
{
    const std::string rooster = soundcapture::readFile(programFolder() + "rooster.wav");
    const std::string roosterSignature = rooster.substr(rooster.size() / 2 & ~1u, 400);
    std::string own = rooster;  // rooster's format, samples of its own
    for (std::size_t at = rooster.find("data") + 8, k = 0; at < own.size(); ++at, ++k)
        own[at] = static_cast<char>((k * 2654435761u) >> 13);
    const std::string ownPath = soundcapture::harnessFile("own.wav"), ownSignature = own.substr(own.size() / 2 & ~1u, 400);
    FILE* file = std::fopen(ownPath.c_str(), "wb");
    ASSERT_TRUE(file && std::fwrite(own.data(), 1, own.size(), file) == own.size());
    std::fclose(file);
    writeDailyAlarm(0, 7, 40, "Wake");  // a table of before: no skip, no sound
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2031, 3, 17, 7, 0, 0)));
    Clock clock;
    ASSERT_TRUE(start(clock));

    // Skip next on the selected row; pressed again it takes the mark back.
    HWND page, sheet = openSheet(clock, IDM_ALARM, &page), list = GetDlgItem(page, IDC_ALARM_LIST);
    HWND skip = GetDlgItem(page, IDC_SKIP_NEXT);
    EXPECT_FALSE(IsWindowEnabled(skip)) << "no row selected";
    RECT header = windowRect(FindWindowExA(list, NULL, "SysHeader32", NULL));
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, header.bottom - header.top + 3));
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(60, header.bottom - header.top + 3));
    ASSERT_TRUE(waitFor([&] { return IsWindowEnabled(skip) != FALSE; }));
    for (const char* period : {"Day, skips 17.3.", "Day", "Day, skips 17.3."}) {
        sendTo(skip, BM_CLICK);
        EXPECT_EQ(listText(list, 0, 3), period);
    }

    // A Once alarm on today's date with its own sound.
    PostMessageA(page, WM_COMMAND, IDC_ADD_ALARM, 0);
    HWND editor = findWindow(clock.pid(), "#32770", "Add alarm");
    sendTo(GetDlgItem(editor, IDC_EDITOR_ONCE), BM_CLICK);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(editor, IDC_EDITOR_BASE_MONTH)) && !IsWindowEnabled(GetDlgItem(editor, IDC_EDITOR_SUNDAY)));
    const std::pair<int, const char*> fields[] = {{IDC_EDITOR_HOURS, "7"}, {IDC_EDITOR_MINUTES, "45"},
        {IDC_EDITOR_DESCRIPTION, "Trip"}, {IDC_EDITOR_BASE_MONTH, "3"}, {IDC_EDITOR_BASE_DAY, "17"},
        {IDC_EDITOR_SOUND, ownPath.c_str()}};
    for (const auto& [id, value] : fields)
        sendTo(GetDlgItem(editor, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value));
    EXPECT_TRUE(closeDialog(editor, IDOK));
    EXPECT_EQ(listText(list, 1, 3) + " " + listText(list, 1, 4), "Once 17:03");
    EXPECT_TRUE(closeDialog(sheet, IDOK));
    EXPECT_TRUE(waitFor([&] {
        return readDword(EVENTS_KEY, "Event_00_skip") == 20310317 && readDword(EVENTS_KEY, "Event_01_period") == 4 &&
               readString(EVENTS_KEY, "Event_01_sound") == ownPath && readString(EVENTS_KEY, "Event_00_sound") == "";
    })) << "not saved when the sheet closed";

    // 07:40 passes in silence.
    std::size_t before = soundcapture::capturedBytes();
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2031, 3, 17, 7, 39, 58)));
    EXPECT_FALSE(waitFor([&] { return soundcapture::capturedBytes() > before; }, 4000)) << "the skipped alarm rang";

    // 07:45 with the page open: the Once alarm rings its own file, its row goes off and OK keeps it off.
    sheet = openSheet(clock, IDM_ALARM, &page);
    list = GetDlgItem(page, IDC_ALARM_LIST);
    ASSERT_EQ(listCheckImage(list, 1), 2);
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2031, 3, 17, 7, 44, 59)));
    EXPECT_TRUE(balloonShows("Trip"));
    EXPECT_TRUE(waitFor([&] { return soundcapture::capturedBytes() > before + own.size() / 2; }));
    EXPECT_GE(soundcapture::plays(ownSignature, before), 1) << "not the alarm's own sound";
    EXPECT_EQ(soundcapture::plays(roosterSignature, before), 0) << "the Alarm page's sound";
    EXPECT_TRUE(waitFor([&] { return listCheckImage(list, 1) == 1; })) << "the Once alarm is still on in the list";
    EXPECT_TRUE(closeDialog(sheet, IDOK));
    EXPECT_TRUE(waitFor([&] { return readDword(EVENTS_KEY, "Event_01_is_on") == 0; }));

    // The next day the skipped alarm rings again, with the page's file, and its mark is gone.
    before = soundcapture::capturedBytes();
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2031, 3, 18, 7, 39, 59)));
    EXPECT_TRUE(balloonShows("Wake"));
    EXPECT_TRUE(waitFor([&] { return soundcapture::capturedBytes() > before + rooster.size() / 2; }));
    EXPECT_GE(soundcapture::plays(roosterSignature, before), 1);
    EXPECT_EQ(clock.exitByMenu(), 0u);
    EXPECT_EQ(readDword(EVENTS_KEY, "Event_00_skip"), 0u);
    EXPECT_EQ(readDword(EVENTS_KEY, "Event_01_is_on"), 0u);
    DeleteFileA(ownPath.c_str());
}

// Snoozed with Alt+S for 5 minutes, the alarm rings again in full at 07:35
// with its window marked snoozed; snoozed again and the clock ended, a start
// after that moment rings it; then the popup menu's first item snoozes it.
TEST_F(Journey, ASnoozedAlarmRingsAgainAfterItsMinutesAlsoAfterARestartAndTheMenuSnoozesTooWhileItRings)
{
    writeDailyAlarm(0, 7, 30, "Wake");
    for (const auto& [name, value] : {std::pair{"Duration of alarm", 2}, {"Show dialog box for alarm", 1}})
        RegSetKeyValueA(HKEY_CURRENT_USER, PROGRAM_KEY, name, REG_DWORD, &value, 4);
    auto messageWindow = [](const Clock& clock, DWORD timeoutMs = 5000) {
        HWND found = NULL;
        waitFor([&] {
            auto windows = processWindows(clock.pid(), "#32770", "Message from Tockmere");
            return windows.size() == 1 && IsWindowVisible(windows[0]) && (found = windows[0]);  // shown once set up
        }, timeoutMs);
        return found;
    };
    auto quiet = [] {  // no sound captured for a while
        std::size_t heard = soundcapture::capturedBytes();
        DWORD since = GetTickCount();
        return waitFor([&] {
            if (soundcapture::capturedBytes() != heard)
                heard = soundcapture::capturedBytes(), since = GetTickCount();
            return GetTickCount() - since > 700;
        });
    };
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2031, 3, 17, 7, 29, 58)));
    Clock clock;
    ASSERT_TRUE(start(clock));
    HWND message = messageWindow(clock);
    ASSERT_TRUE(message);
    HWND lengths = GetDlgItem(message, IDC_SNOOZE_MINUTES);
    EXPECT_EQ(windowText(lengths), "10 minutes") << "the length by default";
    sendTo(lengths, CB_SETCURSEL, 0);
    PostMessageA(GetDlgItem(message, IDOK), WM_SYSCHAR, 's', 1 << 29);  // Alt+S
    EXPECT_TRUE(waitFor([&] { return !IsWindow(message); })) << "Alt+S";
    EXPECT_TRUE(quiet()) << "the sound did not stop";
    EXPECT_EQ(readString(EVENTS_KEY, "Event_00_snooze"), "2031-03-17 07:35:00");
    EXPECT_EQ(readDword(PROGRAM_KEY, "Snooze minutes"), 5u);
    EXPECT_TRUE(trayTipShows("Tockmere\nSnoozed until 07:35 Wake"));

    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2031, 3, 17, 7, 34, 0)));
    EXPECT_FALSE(messageWindow(clock, 1500)) << "rang four minutes later";
    std::size_t before = soundcapture::capturedBytes();
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2031, 3, 17, 7, 34, 59)));
    ASSERT_TRUE(message = messageWindow(clock));
    EXPECT_EQ(windowText(GetDlgItem(message, IDC_MESSAGE_TEXT)), "07:30, snoozed\n\nWake");
    EXPECT_EQ(windowText(GetDlgItem(message, IDC_SNOOZE_MINUTES)), "5 minutes") << "the length chosen last";
    EXPECT_TRUE(balloonShows("Wake"));
    EXPECT_TRUE(waitFor([&] { return soundcapture::capturedBytes() > before; }));
    EXPECT_EQ(readString(EVENTS_KEY, "Event_00_snooze"), "") << "the snooze that came is over";
    sendTo(GetDlgItem(message, IDC_SNOOZE), BM_CLICK);
    EXPECT_TRUE(waitFor([&] { return readString(EVENTS_KEY, "Event_00_snooze") == "2031-03-17 07:40:00"; }));
    EXPECT_EQ(clock.exitByMenu(), 0u);

    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2031, 3, 17, 7, 41, 0)));
    Clock again;
    ASSERT_TRUE(start(again));
    ASSERT_TRUE(message = messageWindow(again)) << "the snooze was lost with the clock";
    EXPECT_EQ(windowText(GetDlgItem(message, IDC_MESSAGE_TEXT)), "07:30, snoozed\n\nWake");
    PostMessageA(again.window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(again.window), -1);
    HWND menu = findWindow(0, "#32768");
    ASSERT_TRUE(menu);
    PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);  // its first item
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(waitFor([&] { return readString(EVENTS_KEY, "Event_00_snooze") == "2031-03-17 07:46:00"; }))
        << "the menu's first item did not snooze";
    EXPECT_TRUE(waitFor([&] { return !IsWindow(message); })) << "its window stayed";
    EXPECT_TRUE(quiet());
    EXPECT_EQ(again.exitByMenu(), 0u);
}

TEST_F(Journey, SettingsAppliedSurviveAKillAndAGrownFaceIsPaintedToItsEdge)
{
    constexpr COLORREF BORDER = 0xB58153, BASE = 0xF1C5A6;  // the "Light blue" preset
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2031, 4, 9, 14, 5, 0)));
    Clock clock;
    ASSERT_TRUE(start(clock));
    HWND page, sheet = openSheet(clock, IDM_SETTINGS, &page);
    for (int id : {IDC_SCALE, IDC_OPACITY}) {  // each trackbar moved by the mouse to 50 and 75
        int position = id == IDC_SCALE ? 50 : 75;
        HWND trackbar = GetDlgItem(page, id);
        sendTo(trackbar, TBM_SETPOS, TRUE, position);
        sendTo(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(trackbar));
    }
    sendTo(GetDlgItem(page, IDC_SHOW_SECONDS), BM_CLICK);
    sendTo(GetDlgItem(page, IDC_SHOW_DATE), BM_CLICK);
    sendTo(sheet, PSM_SETCURSEL, 1);
    choose(reinterpret_cast<HWND>(sendTo(sheet, PSM_GETCURRENTPAGEHWND)), IDC_PRESET, 2);
    EXPECT_EQ(windowRect(clock.window).bottom - windowRect(clock.window).top, 80) << "shown before Apply";
    sendTo(GetDlgItem(sheet, APPLY_BUTTON), BM_CLICK);

    auto expectAsChosen = [&](HWND window) {
        BYTE alpha = 0;
        GetLayeredWindowAttributes(window, NULL, &alpha, NULL);
        EXPECT_EQ(static_cast<int>(alpha), 191);
        Shot face = paintedFace(window, BORDER);
        EXPECT_EQ(face.height, 40) << "or not painted in the border colour";
        return face;
    };
    Shot applied = expectAsChosen(clock.window);
    EXPECT_TRUE(IsWindowVisible(sheet)) << "Apply closed the sheet";
    EXPECT_TRUE(closeDialog(sheet, IDOK));
    const std::pair<const char*, DWORD> chosen[] = {{"Scale", 50},    {"UnTransparent", 75},     {"Show seconds", 1},
                                                    {"Show date", 1}, {"Color border", BORDER}, {"Color base", BASE}};
    EXPECT_TRUE(waitFor([&] {
        for (const auto& [name, value] : chosen)
            if (readDword(PROGRAM_KEY, name) != value)
                return false;
        return true;
    })) << "not saved as chosen when the sheet closed";
    TerminateProcess(clock.process.hProcess, 9);
    EXPECT_EQ(clock.waitForExit(), 9u);

    Clock again;
    ASSERT_TRUE(start(again));
    EXPECT_EQ(expectAsChosen(again.window).width, applied.width);
    // Midnight, 4/9 becomes 4/10: the face grows for the longer date by
    // itself, stays at its default place and is painted out to its edge.
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2031, 4, 9, 23, 59, 59)));
    EXPECT_TRUE(waitFor([&] { RECT now = windowRect(again.window); return now.right - now.left > applied.width; }));
    EXPECT_EQ(windowRect(again.window).right, workArea().right);
    Shot grown = paintedFace(again.window, BORDER);
    ASSERT_FALSE(grown.pixels.empty()) << "the face is not painted out to its corners";
    int misfits = 0;
    for (int y = 0; y < grown.height; ++y)
        misfits += grown.at(grown.width - 1, y) != BORDER;
    EXPECT_EQ(misfits, 0);
    EXPECT_EQ(again.exitByMenu(), 0u);
}

TEST_F(Journey, TheReminderRefusedThenArmedFiresOnceAndSwitchesItselfOff)
{
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2031, 5, 14, 9, 0, 10)));
    Clock clock;
    ASSERT_TRUE(start(clock));
    HWND page, sheet = openSheet(clock, IDM_REMINDER, &page);
    sendTo(GetDlgItem(page, IDC_REMINDER_ON), BM_CLICK);
    sendTo(GetDlgItem(page, IDC_REMINDER_MESSAGE), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Stretch your legs"));
    choose(page, IDC_REMINDER_MINUTES, 0);  // with 0 hours: no period
    PostMessageA(sheet, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(answerBox(clock.pid(), "Period is empty!"));
    sendTo(sheet, WM_NULL);  // the sheet has done with the refused OK
    ASSERT_TRUE(IsWindow(sheet)) << "the refused OK closed the sheet";
    EXPECT_EQ(reinterpret_cast<HWND>(sendTo(sheet, PSM_GETCURRENTPAGEHWND)), page);
    EXPECT_EQ(windowText(GetDlgItem(page, IDC_REMINDER_MESSAGE)), "Stretch your legs");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet, APPLY_BUTTON)));

    choose(page, IDC_REMINDER_MINUTES, 1);  // 15 minutes
    EXPECT_EQ(windowText(GetDlgItem(page, IDC_REMINDER_EVENT)), "09:15");
    EXPECT_TRUE(closeDialog(sheet, IDOK));
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2031, 5, 14, 9, 14, 59)));
    EXPECT_TRUE(balloonShows("Reminder. Stretch your legs"));
    SYSTEMTIME now;
    GetLocalTime(&now);  // this process shares the clock's time
    EXPECT_EQ(now.wHour * 100 + now.wMinute, 915);

    sheet = openSheet(clock, IDM_REMINDER, &page);
    EXPECT_EQ(sendTo(GetDlgItem(page, IDC_REMINDER_ON), BM_GETCHECK), BST_UNCHECKED);
    EXPECT_TRUE(closeDialog(sheet, IDCANCEL));
    EXPECT_EQ(clock.exitByMenu(), 0u);
}

// A notification area not ready yet, as at logon: a window of the taskbar's
// class, found before Wine's own, that refuses every icon (Wine's shell
// passes the NIM_ code as WM_COPYDATA's dwData).
LONG refusedIcons = 0;

LRESULT CALLBACK refuseIcons(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_COPYDATA)
        return DefWindowProcA(window, message, wParam, lParam);
    refusedIcons += reinterpret_cast<COPYDATASTRUCT*>(lParam)->dwData == NIM_ADD;
    return FALSE;
}

TEST_F(Journey, AStartBeforeTheTaskbarAndAWindowThatCannotBeCreated)
{
    WNDCLASSA taskbarClass{0, refuseIcons, 0, 0, GetModuleHandleA(NULL), NULL, NULL, NULL, NULL, "Shell_TrayWnd"};
    RegisterClassA(&taskbarClass);
    HWND taskbar = CreateWindowExA(WS_EX_TOPMOST, "Shell_TrayWnd", "", WS_POPUP, 0, 0, 0, 0, NULL, NULL, NULL, NULL);
    ASSERT_EQ(FindWindowA("Shell_TrayWnd", NULL), taskbar);
    {
        Clock clock;
        ASSERT_TRUE(start(clock));
        EXPECT_TRUE(waitFor([&] { return refusedIcons > 0; }));
        DestroyWindow(taskbar);
        // The taskbar comes, and announces itself as Explorer does.
        PostMessageA(clock.window, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
        NOTIFYICONDATAA icon{sizeof icon, clock.window, 1};
        EXPECT_TRUE(waitFor([&] { return Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE; }));
        EXPECT_TRUE(processWindows(clock.pid(), "#32770").empty()) << "a message box";
        EXPECT_EQ(clock.exitByMenu(), 0u);
    }
    // A system-wide hook refuses the clock's window.
    HMODULE hooks = LoadLibraryA("refuse_clock_window.dll");
    HHOOK hook = SetWindowsHookExA(WH_CBT, reinterpret_cast<HOOKPROC>(GetProcAddress(hooks, "refuseClockWindow")),
                                   hooks, 0);
    ASSERT_TRUE(hook != NULL);
    EXPECT_EQ(runToEnd("\"" + programPath() + "\""), 1u);
    UnhookWindowsHookEx(hook);
    FreeLibrary(hooks);
    // Not a window but the session's mutex decides: taken, as by a start at
    // the same moment, it sends a start away.
    HANDLE taken = CreateMutexA(NULL, TRUE, "Local\\TOCKMERE");
    EXPECT_EQ(runToEnd("\"" + programPath() + "\""), 0u);
    CloseHandle(taken);
}

TEST_F(Journey, TheSetupInstallsAClockThatFindsItsFilesAndTheUninstallKeepsTheSettings)
{
    char programFiles[MAX_PATH], fonts[MAX_PATH];
    SHGetFolderPathA(NULL, CSIDL_PROGRAM_FILES, NULL, 0, programFiles);
    SHGetFolderPathA(NULL, CSIDL_FONTS, NULL, 0, fonts);
    const std::string folder = std::string(programFiles) + "\\Tockmere\\";
    const std::string font = std::string(fonts) + "\\SegmoraMono.ttf";
    // The harness put the face font where every program finds it: away with
    // it until the end, so that only the setup can make the face find it.
    struct FontBack {
        std::string font;
        ~FontBack() { CopyFileA((programFolder() + "fonts\\SegmoraMono.ttf").c_str(), font.c_str(), FALSE); }
    } fontBack{font};
    ASSERT_TRUE(DeleteFileA(font.c_str()));
    {
        Clock bare;
        ASSERT_TRUE(start(bare));
        ASSERT_EQ(windowRect(bare.window).right - windowRect(bare.window).left, FACE_TEXT_MARGIN) << "font found";
        EXPECT_EQ(bare.exitByMenu(), 0u);
    }
    deleteProgramSettings();
    const char* setup = sizeof(void*) == 8 ? "tockmere-x64-setup.exe" : "tockmere-setup.exe";
    ASSERT_EQ(runToEnd("\"" + programFolder() + setup + "\" /S", 120000), 0u);

    // The installed clock's first start, from another folder.
    Clock clock;
    ASSERT_TRUE(start(clock, "", "C:\\windows", folder + "tockmere.exe"));
    EXPECT_GT(windowRect(clock.window).right - windowRect(clock.window).left, FACE_TEXT_MARGIN + 100) << "no font";
    DWORD help = helpViewerProcess();
    EXPECT_NE(processText(help, COMMAND_LINE).find("-mapid 6 " + folder + "Tockmere.chm"), std::string::npos);
    EXPECT_EQ(windowText(findWindow(help, "HH Parent")), "Tockmere Help");  // a title from the file itself
    EXPECT_NE(GetFileAttributesA((folder + "rooster.wav").c_str()), INVALID_FILE_ATTRIBUTES);

    // The uninstaller asks the running clock to close, which saves, and
    // takes everything away but the settings.
    EXPECT_EQ(runToEnd("\"" + folder + "uninstall.exe\" /S", 30000), 0u);
    EXPECT_TRUE(waitFor([&] { return GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES; }, 60000));
    EXPECT_EQ(clock.waitForExit(), 0u);
    EXPECT_EQ(GetFileAttributesA(font.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(readString(RUN_KEY, "Tockmere"), "<none>");
    EXPECT_EQ(readString(PROGRAM_KEY, "Path to wave file"), folder + "rooster.wav");
}

}  // namespace
