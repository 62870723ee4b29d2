#pragma once
// Drives tockmere.exe from another process, as a user and Windows would:
// starting and ending it, finding and working its windows, reading its
// pixels and the registry.
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>
#include <winternl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/tray_message_win.h"
#include "support/sound_capture.h"

namespace driver {

constexpr const char* PROGRAM_KEY = "Software\\Vellomar\\Tockmere";
constexpr const char* EVENTS_KEY = "Software\\Vellomar\\Tockmere\\Events";
constexpr const char* RUN_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr int APPLY_BUTTON = 0x3021;  // the property sheet's Apply

inline std::string programPath()  // tockmere.exe under test, on drive Z:, where Wine maps the Linux root
{
    std::string path = std::string("Z:") + (std::getenv("TOCKMERE_EXE") ? std::getenv("TOCKMERE_EXE") : "");
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

inline std::string programFolder()  // ending in a backslash
{
    std::string path = programPath();
    return path.substr(0, path.find_last_of('\\') + 1);
}

// Waits until `condition` holds or the time is up, handling the messages of
// the test's own windows meanwhile; returns the last result.
template <typename Condition>
bool waitFor(Condition condition, DWORD timeoutMs = 5000)
{
    for (DWORD start = GetTickCount();;) {
        if (condition())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
}

// SendMessage that gives up after 10 s if the other process does not answer.
inline LRESULT sendTo(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result);
    return static_cast<LRESULT>(result);
}

inline std::string windowText(HWND window)
{
    char text[1024] = "";
    sendTo(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// Top-level windows of the process (0: any) of the class and title given.
inline std::vector<HWND> processWindows(DWORD processId, const char* className, const char* title = nullptr)
{
    std::vector<HWND> found;
    for (HWND window = NULL; (window = FindWindowExA(NULL, window, className, title)) != NULL;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (!processId || owner == processId)
            found.push_back(window);
    }
    return found;
}

// The first such window once it is visible; null if none comes in time.
inline HWND findWindow(DWORD processId, const char* className, const char* title = nullptr, DWORD timeoutMs = 10000)
{
    HWND found = NULL;
    waitFor([&] {
        for (HWND window : processWindows(processId, className, title))
            if (IsWindowVisible(window))
                return (found = window) != NULL;
        return false;
    }, timeoutMs);
    return found;
}

struct Clock {
    PROCESS_INFORMATION process{};
    HWND window = NULL;
    DWORD pid() const { return process.dwProcessId; }
    // The exit code, or STILL_ACTIVE if the process did not end in time.
    DWORD waitForExit(DWORD timeoutMs = 15000)
    {
        DWORD code = STILL_ACTIVE;
        WaitForSingleObject(process.hProcess, timeoutMs);
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }
    DWORD exitByMenu()
    {
        PostMessageA(window, WM_COMMAND, 105, 0);
        return waitForExit();
    }
    // Ends what a failed step left running, the hard way if need be.
    ~Clock()
    {
        if (process.hProcess && waitForExit(0) == STILL_ACTIVE && (!window || exitByMenu() == STILL_ACTIVE))
            TerminateProcess(process.hProcess, 9);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
};

inline bool startProcess(std::string commandLine, PROCESS_INFORMATION* process, const char* folder = nullptr)
{
    STARTUPINFOA startup{sizeof startup};
    return CreateProcessA(NULL, commandLine.data(), NULL, NULL, FALSE, 0, NULL, folder, &startup, process) != FALSE;
}

// The clock is shown once it is laid out.
inline bool start(Clock& clock, const std::string& arguments = "", const char* folder = nullptr,
                  const std::string& exe = programPath())
{
    return startProcess("\"" + exe + "\" " + arguments, &clock.process, folder) &&
           (clock.window = findWindow(clock.pid(), "TOCKMERE", nullptr, 20000)) != NULL;
}

// The exit code, or STILL_ACTIVE when the program had to be ended.
inline DWORD runToEnd(const std::string& commandLine, DWORD timeoutMs = 15000)
{
    Clock program;  // without a window
    return startProcess(commandLine, &program.process) ? program.waitForExit(timeoutMs) : ~0u;
}

// Answers the message box that shows `text` (its control 0xFFFF).
inline bool answerBox(DWORD processId, const char* text, int button = IDOK)
{
    HWND box = NULL;
    waitFor([&] {
        for (HWND dialog : processWindows(processId, "#32770", "Tockmere"))
            if (GetDlgItem(dialog, 0xFFFF) && windowText(GetDlgItem(dialog, 0xFFFF)) == text)
                return (box = dialog) != NULL;
        return false;
    });
    return box && PostMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0) && waitFor([&] { return !IsWindow(box); });
}

// Presses a dialog's button (OK, Cancel) and waits until the dialog is gone.
inline bool closeDialog(HWND dialog, int button)
{
    PostMessageA(dialog, WM_COMMAND, button, 0);
    return waitFor([&] { return !IsWindow(dialog); });
}

// The settings sheet opened by a menu command, moved clear of the clock.
inline HWND openSheet(const Clock& clock, int command, HWND* page)
{
    PostMessageA(clock.window, WM_COMMAND, command, 0);
    HWND sheet = findWindow(clock.pid(), "#32770", "Tockmere");
    SetWindowPos(sheet, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    waitFor([&] { return (*page = reinterpret_cast<HWND>(sendTo(sheet, PSM_GETCURRENTPAGEHWND))) != NULL; });
    return sheet;
}

// A drop-down list's choice, as the list reports it to its dialog.
inline void choose(HWND dialog, int id, int index)
{
    sendTo(GetDlgItem(dialog, id), CB_SETCURSEL, index);
    sendTo(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Linux's xdotool on the harness's display, for real pointer input. Wine
// starts it without a handle to wait on: a shell runs it and, if it
// succeeds, removes a marker file.
inline bool xdotool(const std::string& arguments)
{
    std::string marker = std::string(std::getenv("TOCKMERE_WINE_DIR")) + "/xdotool.marker";
    std::string markerPath = soundcapture::harnessFile("xdotool.marker");
    CloseHandle(CreateFileA(markerPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    Clock shell;
    return startProcess("Z:\\bin\\sh -c \"/usr/bin/xdotool " + arguments + " && rm " + marker + "\"", &shell.process) &&
           waitFor([&] { return GetFileAttributesA(markerPath.c_str()) == INVALID_FILE_ATTRIBUTES; }, 15000);
}

// A list view's item text in another process: the item and its text buffer
// live in that process's memory.
inline std::string listText(HWND list, int row, int column)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    constexpr int TEXT = 260;
    char* remote = static_cast<char*>(VirtualAllocEx(process, NULL, sizeof(LVITEMA) + TEXT, MEM_COMMIT, PAGE_READWRITE));
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = remote + sizeof item;
    item.cchTextMax = TEXT;
    char text[TEXT] = "";
    if (remote && WriteProcessMemory(process, remote, &item, sizeof item, NULL)) {
        sendTo(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remote + sizeof item, text, TEXT - 1, NULL);
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return text;
}

// Whether an icon's tip in the notification area reads `tip` in time. Wine's
// shell keeps each tip as a tool of a tooltip window in its own process,
// whose tools and texts live in that process's memory.
inline bool trayTipShows(const std::string& tip)
{
    auto shown = [&](HWND tooltip) {
        DWORD processId = 0, found = 0;
        GetWindowThreadProcessId(tooltip, &processId);
        HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        constexpr int TEXT = 1024;  // as much as a tooltip copies out
        char* remote = static_cast<char*>(VirtualAllocEx(process, NULL, sizeof(TTTOOLINFOW) + TEXT * 2, MEM_COMMIT, PAGE_READWRITE));
        for (int k = 0; remote && !found && k < sendTo(tooltip, TTM_GETTOOLCOUNT); ++k) {
            TTTOOLINFOW tool{sizeof tool};
            tool.lpszText = reinterpret_cast<wchar_t*>(remote + sizeof tool);
            wchar_t text[TEXT] = L"";
            char ansi[TEXT * 2] = "";
            found = WriteProcessMemory(process, remote, &tool, sizeof tool, NULL) &&
                    sendTo(tooltip, TTM_ENUMTOOLSW, k, reinterpret_cast<LPARAM>(remote)) &&
                    ReadProcessMemory(process, remote + sizeof tool, text, sizeof text - 2, NULL) &&
                    WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi, NULL, NULL) && ansi == tip;
        }
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        CloseHandle(process);
        return found != 0;
    };
    return waitFor([&] {
        std::vector<HWND> tooltips = processWindows(0, "tooltips_class32");
        return std::any_of(tooltips.begin(), tooltips.end(), shown);
    });
}

// 1 unchecked, 2 checked: the row's check box.
inline int listCheckImage(HWND list, int row)
{
    return static_cast<int>((sendTo(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) >> 12);
}

inline RECT windowRect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// Whether a popup menu (of any process) comes up in time; it is closed
// again with Escape, and `where` tells where it stood.
inline bool menuShown(RECT* where = nullptr, DWORD timeoutMs = 5000)
{
    HWND menu = findWindow(0, "#32768", nullptr, timeoutMs);
    if (where)
        *where = windowRect(menu);
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    return menu && waitFor([] { return !findWindow(0, "#32768", nullptr, 0); });
}

// HKCU: the program key with its events and the Run value, gone.
inline void deleteProgramSettings()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, PROGRAM_KEY);
    RegDeleteKeyValueA(HKEY_CURRENT_USER, RUN_KEY, "Tockmere");
}

inline DWORD readDword(const char* key, const char* name)  // 0xDEADBEEF when missing
{
    DWORD value = 0xDEADBEEF, size = sizeof value;
    RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, NULL, &value, &size);
    return value;
}

inline std::string readString(const char* key, const char* name)  // "<none>" when missing
{
    char text[2048];
    DWORD size = sizeof text;
    LONG status = RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, NULL, text, &size);
    return status == ERROR_SUCCESS ? text : "<none>";
}

// A daily alarm, on, in the table's slot `slot` as the clock stores it.
inline void writeDailyAlarm(int slot, DWORD hours, DWORD minutes, const std::string& description)
{
    const std::pair<const char*, DWORD> values[] = {{"is_on", 1}, {"hours", hours}, {"minutes", minutes}, {"period", 0},
                                                    {"days", 0x7F}, {"base_date_day", 1}, {"base_date_month", 1}};
    const std::string prefix = "Event_0" + std::to_string(slot) + "_";  // slots 0 to 9
    for (const auto& [name, value] : values)
        RegSetKeyValueA(HKEY_CURRENT_USER, EVENTS_KEY, (prefix + name).c_str(), REG_DWORD, &value, 4);
    RegSetKeyValueA(HKEY_CURRENT_USER, EVENTS_KEY, (prefix + "description").c_str(), REG_SZ, description.c_str(),
                    description.size() + 1);
}

// The primary monitor's work area, where the clock starts.
inline RECT workArea()
{
    MONITORINFO info{sizeof info};
    GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcWork;
}

// The whole of the monitor holding most of `window`.
inline RECT monitorRect(HWND window)
{
    MONITORINFO info{sizeof info};
    GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcMonitor;
}

// Another process's image path, command line or current directory, from its
// parameters block in the layout of the driver's own architecture, which the
// program under test shares.
enum ProcessText { IMAGE_PATH, COMMAND_LINE, CURRENT_DIRECTORY };
inline std::string processText(DWORD processId, ProcessText which)
{
    const SIZE_T offsets[2][3] = {{0x38, 0x40, 0x24}, {0x60, 0x70, 0x38}}, offset = offsets[sizeof(void*) / 8][which];
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    PROCESS_BASIC_INFORMATION information{};
    char* parameters = nullptr;
    UNICODE_STRING text{};
    wchar_t buffer[1024] = L"";
    bool read =
        NtQueryInformationProcess(process, ProcessBasicInformation, &information, sizeof information, NULL) == 0 &&
        ReadProcessMemory(process, reinterpret_cast<char*>(information.PebBaseAddress) + 4 * sizeof(void*), &parameters,
                          sizeof parameters, NULL) &&
        ReadProcessMemory(process, parameters + offset, &text, sizeof text, NULL) &&
        ReadProcessMemory(process, text.Buffer, buffer, std::min<SIZE_T>(text.Length, sizeof buffer), NULL);
    CloseHandle(process);
    return read ? std::string(buffer, buffer + std::min<SIZE_T>(text.Length, sizeof buffer) / 2) : "";  // ASCII only
}

// The process of the help viewer whose window comes up.
inline DWORD helpViewerProcess()
{
    DWORD processId = 0;
    GetWindowThreadProcessId(findWindow(0, "HH Parent", nullptr, 15000), &processId);
    return processId;
}

inline void closeHelpViewers()
{
    for (HWND viewer : processWindows(0, "HH Parent"))
        PostMessageA(viewer, WM_CLOSE, 0, 0);
    waitFor([] { return processWindows(0, "HH Parent").empty(); });
}

// The screen under a window (Xvfb shows opaque colours, whatever the alpha).
struct Shot {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF at(int x, int y) const { return pixels[y * width + x]; }
};

inline Shot captureWindow(HWND window)
{
    RECT r = windowRect(window);
    Shot shot{r.right - r.left, r.bottom - r.top, {}};
    shot.pixels.resize(std::max(0, shot.width * shot.height));
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, shot.width, shot.height);
    HGDIOBJ original = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, original);
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), shot.width, -shot.height, 1, 32, BI_RGB}};  // top-down
    GetDIBits(memory, bitmap, 0, shot.height, shot.pixels.data(), &info, DIB_RGB_COLORS);
    for (COLORREF& pixel : shot.pixels)  // 0x00RRGGBB as read
        pixel = RGB(pixel >> 16, (pixel >> 8) & 0xFF, pixel & 0xFF);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return shot;
}

// The face once painted with `border` at its corners and steady; empty if
// it is not in time.
inline Shot paintedFace(HWND window, COLORREF border)
{
    Shot shot, last;
    bool steady = waitFor([&] {
        last = std::move(shot);
        shot = captureWindow(window);
        return !shot.pixels.empty() && shot.at(0, 0) == border &&
               shot.at(shot.width - 1, shot.height - 1) == border && shot.pixels == last.pixels;
    });
    return steady ? shot : Shot{};
}

}  // namespace driver
