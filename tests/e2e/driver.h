#pragma once
// Drives tockmere.exe from another process, as a user and Windows would:
// starting and ending it, finding its windows, reading the registry.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace driver {

constexpr const char* PROGRAM_KEY = "Software\\Vellomar\\Tockmere";
constexpr const char* EVENTS_KEY = "Software\\Vellomar\\Tockmere\\Events";
constexpr const char* RUN_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Path of a file of the Linux build tree as Windows sees it (drive Z:).
std::string windowsPath(const std::string& unixPath);
std::string programPath();    // tockmere.exe under test
std::string programFolder();  // its folder, ending in a backslash

struct Clock {
    PROCESS_INFORMATION process{};
    HWND window = NULL;
    bool running() const;
    // Ends the clock through its menu's Exit command; returns the exit code.
    DWORD exitByMenu(DWORD timeoutMs = 15000);
    // Waits for the process to end by itself; returns its exit code or
    // STILL_ACTIVE.
    DWORD waitForExit(DWORD timeoutMs);
    // Ends the process the hard way, like a crash or power loss.
    void kill();
    ~Clock();
};

// Starts the clock with the given arguments and waits for its window.
bool start(Clock& clock, const std::string& arguments = "", const char* workingDirectory = nullptr);
// The same for a tockmere.exe elsewhere, such as an installed copy.
bool startProgram(Clock& clock, const std::string& exePath, const std::string& arguments = "",
                  const char* workingDirectory = nullptr);
// Any command line, without waiting for a window.
bool startProcess(const std::string& commandLine, PROCESS_INFORMATION* process);
// Waits for a started process and lets go of it: its exit code, or
// STILL_ACTIVE if it did not end in time.
DWORD waitAndRelease(PROCESS_INFORMATION& process, DWORD timeoutMs);
// Both: the exit code, or -1 if it did not start.
DWORD runToEnd(const std::string& commandLine, DWORD timeoutMs);
// SendMessage that gives up after 10 s if the other process does not answer.
LRESULT sendTo(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// The top-level window of the given class (and title, if given) that
// belongs to the process.
HWND findProcessWindow(DWORD processId, const char* className, const char* title = nullptr,
                       DWORD timeoutMs = 0);
std::vector<HWND> processWindows(DWORD processId, const char* className, const char* title = nullptr);
// The text of a window or control of any process (WM_GETTEXT).
std::string windowText(HWND window);
// Replaces the text of another process's edit control as pasting does,
// within the control's limit; returns the text the control then holds.
std::string pasteInto(HWND edit, const std::string& text);
// A dialog ("#32770") of the process with the given title that shows `text`
// in one of its static controls, such as a message box; waits up to
// timeoutMs for it.
HWND findDialogShowing(DWORD processId, const char* title, const char* text, DWORD timeoutMs = 0);
// Cancels (or answers No to) whatever dialogs of the process a failed test
// left open, until none is left.
void cancelDialogs(DWORD processId);
// Waits until `condition` holds or the time is up; returns the last result.
template <typename Condition>
bool waitFor(Condition condition, DWORD timeoutMs = 5000)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
}

// Runs Linux's xdotool on the harness's display (Wine starts Linux programs
// too), for real pointer input, and waits until it is done; false if it
// failed.
bool xdotool(const std::string& arguments);

// The system-wide mouse setting "primary and secondary buttons swapped",
// for the life of the object; the programs started meanwhile see it.
struct SwappedButtons {
    explicit SwappedButtons(bool swapped);
    ~SwappedButtons();
    SwappedButtons(const SwappedButtons&) = delete;
    const bool before;
};

// The visible popup menu ("#32768") of any process, or null.
HWND visibleMenu();
// Closes it with Escape and waits until it is gone.
void dismissMenu(HWND menu);

// Registry of the program (HKCU).
void deleteProgramSettings();  // the program key, its events and the Run value
bool readDword(const char* key, const char* name, DWORD* value);
bool readString(const char* key, const char* name, std::string* value);
bool valueExists(const char* key, const char* name);
void writeDword(const char* key, const char* name, DWORD value);
void writeString(const char* key, const char* name, const std::string& value);
// Every value of a key: name -> type and raw bytes, to compare whole keys.
std::map<std::string, std::string> rawValues(const char* key);
// Any root, such as HKEY_LOCAL_MACHINE.
bool readString(HKEY root, const char* key, const char* name, std::string* value);
bool keyExists(HKEY root, const char* key);

// The work area as the clock computes it: the desktop minus the taskbar
// where the taskbar spans a whole side.
RECT workArea();
RECT windowRect(HWND window);

// The current directory of another process, read from its parameters block.
std::wstring currentDirectoryOf(HANDLE process);

// The command line of another process.
std::wstring commandLineOf(DWORD processId);
std::string narrow(const std::wstring& text);
// The text of a control of another process's dialog.
std::string dialogItemText(HWND dialog, int id);

// The command line of the help viewer whose window comes up (HTML Help's
// "HH Parent"), or "" if none does in time.
std::string helpViewerCommandLine(DWORD timeoutMs = 15000);
// Ends the help viewers a test caused (HTML Help windows), politely.
void closeHelpViewers();

// The screen under a window, pixel by pixel (Xvfb shows opaque colours,
// whatever a layered window's alpha).
struct Shot {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF at(int x, int y) const { return pixels[y * width + x]; }
};
Shot captureWindow(HWND window);
// The face once painted with `border` round it and two shots in a row agree.
Shot paintedFace(HWND window, COLORREF border);

}  // namespace driver
