#include "e2e/driver.h"

#include <cstdlib>

namespace driver {

std::string windowsPath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string programPath()
{
    const char* exe = std::getenv("TOCKMERE_EXE");
    return exe ? windowsPath(exe) : std::string();
}

std::string programFolder()
{
    std::string path = programPath();
    return path.substr(0, path.find_last_of('\\') + 1);
}

bool Clock::running() const
{
    return process.hProcess && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Clock::waitForExit(DWORD timeoutMs)
{
    if (!process.hProcess)
        return 0;
    WaitForSingleObject(process.hProcess, timeoutMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
}

DWORD Clock::exitByMenu(DWORD timeoutMs)
{
    if (window)
        PostMessageA(window, WM_COMMAND, 105, 0);
    return waitForExit(timeoutMs);
}

void Clock::kill()
{
    if (running()) {
        TerminateProcess(process.hProcess, 9);
        WaitForSingleObject(process.hProcess, 10000);
    }
}

Clock::~Clock()
{
    // A test that failed half-way must not leave its clock behind.
    if (running() && window) {
        PostMessageA(window, WM_COMMAND, 105, 0);
        if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
            kill();
    }
    if (process.hProcess) {
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
}

bool start(Clock& clock, const std::string& arguments, const char* workingDirectory)
{
    return startProgram(clock, programPath(), arguments, workingDirectory);
}

bool startProgram(Clock& clock, const std::string& exePath, const std::string& arguments,
                  const char* workingDirectory)
{
    std::string commandLine = "\"" + exePath + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(0);
    if (!CreateProcessA(NULL, buffer.data(), NULL, NULL, FALSE, 0, NULL, workingDirectory, &startup,
                        &clock.process))
        return false;
    clock.window = findProcessWindow(clock.process.dwProcessId, "TOCKMERE", nullptr, 20000);
    // The window exists from the start of its creation; it is shown, laid
    // out and given its tray icon only when the creation is over.
    return clock.window != NULL && waitFor([&] { return IsWindowVisible(clock.window) != FALSE; }, 20000);
}

bool startProcess(const std::string& commandLine, PROCESS_INFORMATION* process)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(0);
    return CreateProcessA(NULL, buffer.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, process) != FALSE;
}

DWORD waitAndRelease(PROCESS_INFORMATION& process, DWORD timeoutMs)
{
    WaitForSingleObject(process.hProcess, timeoutMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return code;
}

DWORD runToEnd(const std::string& commandLine, DWORD timeoutMs)
{
    PROCESS_INFORMATION process{};
    return startProcess(commandLine, &process) ? waitAndRelease(process, timeoutMs) : static_cast<DWORD>(-1);
}

LRESULT sendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result);
    return static_cast<LRESULT>(result);
}

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* title;
    std::vector<HWND> found;
};

BOOL CALLBACK collectWindow(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (search->processId && pid != search->processId)
        return TRUE;
    char name[256] = "";
    GetClassNameA(hwnd, name, sizeof name);
    if (search->className && lstrcmpA(name, search->className) != 0)
        return TRUE;
    if (search->title) {
        char text[512] = "";
        GetWindowTextA(hwnd, text, sizeof text);
        if (lstrcmpA(text, search->title) != 0)
            return TRUE;
    }
    search->found.push_back(hwnd);
    return TRUE;
}

}  // namespace

std::vector<HWND> processWindows(DWORD processId, const char* className, const char* title)
{
    WindowSearch search{processId, className, title, {}};
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND findProcessWindow(DWORD processId, const char* className, const char* title, DWORD timeoutMs)
{
    HWND found = NULL;
    waitFor(
        [&] {
            auto windows = processWindows(processId, className, title);
            found = windows.empty() ? NULL : windows.front();
            return found != NULL;
        },
        timeoutMs);
    return found;
}

std::string windowText(HWND window)
{
    char text[1024] = "";
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                             &copied))
        return {};
    return std::string(text, copied < sizeof text ? copied : 0);
}

std::string pasteInto(HWND edit, const std::string& text)
{
    sendTo(edit, EM_SETSEL, 0, -1);
    sendTo(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    return windowText(edit);
}

namespace {

struct StaticSearch {
    const char* text;
    bool found;
};

BOOL CALLBACK matchStatic(HWND child, LPARAM lParam)
{
    auto* search = reinterpret_cast<StaticSearch*>(lParam);
    char name[64] = "";
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Static") == 0 && windowText(child) == search->text) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND findDialogShowing(DWORD processId, const char* title, const char* text, DWORD timeoutMs)
{
    HWND found = NULL;
    waitFor(
        [&] {
            for (HWND dialog : processWindows(processId, "#32770", title)) {
                StaticSearch search{text, false};
                EnumChildWindows(dialog, matchStatic, reinterpret_cast<LPARAM>(&search));
                if (search.found) {
                    found = dialog;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

void cancelDialogs(DWORD processId)
{
    for (int round = 0; round < 5 && !processWindows(processId, "#32770").empty(); ++round) {
        for (HWND dialog : processWindows(processId, "#32770")) {
            PostMessageA(dialog, WM_COMMAND, IDNO, 0);
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
        Sleep(300);
    }
}

// Wine starts a Linux program without a process handle to wait on: a shell
// runs xdotool and, if it succeeds, removes a marker file the test watches.
bool xdotool(const std::string& arguments)
{
    const char* envDir = std::getenv("TOCKMERE_WINE_DIR");
    if (!envDir)
        return false;
    std::string marker = std::string(envDir) + "/xdotool." + std::to_string(GetCurrentProcessId());
    std::string markerPath = windowsPath(marker);
    HANDLE file = CreateFileA(markerPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    PROCESS_INFORMATION shell{};
    if (!startProcess("Z:\\bin\\sh -c \"/usr/bin/xdotool " + arguments + " && rm -f '" + marker + "'\"", &shell))
        return false;
    CloseHandle(shell.hProcess), CloseHandle(shell.hThread);
    bool done = waitFor([&] { return GetFileAttributesA(markerPath.c_str()) == INVALID_FILE_ATTRIBUTES; }, 15000);
    DeleteFileA(markerPath.c_str());
    return done;
}

SwappedButtons::SwappedButtons(bool swapped) : before(SwapMouseButton(swapped) != FALSE) {}

SwappedButtons::~SwappedButtons()
{
    SwapMouseButton(before);
}

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

namespace {

void deleteKeyTree(HKEY root, const char* path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        char name[256];
        for (;;) {
            DWORD size = sizeof name;
            if (RegEnumKeyExA(key, 0, name, &size, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
                break;
            std::string child = std::string(path) + "\\" + name;
            deleteKeyTree(root, child.c_str());
        }
        RegCloseKey(key);
    }
    RegDeleteKeyA(root, path);
}

}  // namespace

void deleteProgramSettings()
{
    deleteKeyTree(HKEY_CURRENT_USER, PROGRAM_KEY);
    HKEY run;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, RUN_KEY, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
        RegDeleteValueA(run, "Tockmere");
        RegCloseKey(run);
    }
}

bool readDword(const char* keyPath, const char* name, DWORD* value)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = sizeof(DWORD);
    LONG status = RegQueryValueExA(key, name, NULL, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_DWORD;
}

bool readString(HKEY root, const char* keyPath, const char* name, std::string* value)
{
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char buffer[2048] = "";
    DWORD type = 0, size = sizeof buffer - 1;
    LONG status = RegQueryValueExA(key, name, NULL, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return false;
    buffer[size] = 0;
    *value = buffer;
    return true;
}

bool readString(const char* keyPath, const char* name, std::string* value)
{
    return readString(HKEY_CURRENT_USER, keyPath, name, value);
}

bool keyExists(HKEY root, const char* keyPath)
{
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool valueExists(const char* keyPath, const char* name)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    LONG status = RegQueryValueExA(key, name, NULL, NULL, NULL, NULL);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

void writeDword(const char* keyPath, const char* name, DWORD value)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

void writeString(const char* keyPath, const char* name, const std::string& value)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

std::map<std::string, std::string> rawValues(const char* keyPath)
{
    std::map<std::string, std::string> values;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD i = 0;; ++i) {
        char name[256];
        BYTE data[2048];
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, NULL, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        values[std::string(name, nameSize)] =
            std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(data), dataSize);
    }
    RegCloseKey(key);
    return values;
}

RECT workArea()
{
    RECT desktop, taskbar, area;
    GetWindowRect(GetDesktopWindow(), &desktop);
    HWND tray = FindWindowA("Shell_TrayWnd", NULL);
    if (tray && GetWindowRect(tray, &taskbar) && SubtractRect(&area, &desktop, &taskbar))
        return area;
    return desktop;
}

RECT windowRect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

namespace {

struct ProcessBasicInformation {
    LONG exitStatus;
    void* pebBaseAddress;
    ULONG_PTR affinityMask;
    LONG basePriority;
    ULONG_PTR uniqueProcessId;
    ULONG_PTR inheritedFromUniqueProcessId;
};

typedef LONG(WINAPI* QueryInformationProcessFn)(HANDLE, int, void*, ULONG, ULONG*);

// A UNICODE_STRING of another process's parameters block, in the layouts of
// the driver's own architecture (the program under test has the same).
constexpr SIZE_T POINTER = sizeof(void*);
constexpr SIZE_T PEB_PARAMETERS = 4 * POINTER;  // 0x10 on 32-bit, 0x20 on 64-bit
constexpr SIZE_T CURRENT_DIRECTORY = POINTER == 4 ? 0x24 : 0x38;
constexpr SIZE_T COMMAND_LINE = POINTER == 4 ? 0x40 : 0x70;

std::wstring processParameterString(HANDLE process, SIZE_T offset)
{
    auto query = reinterpret_cast<QueryInformationProcessFn>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess"));
    ProcessBasicInformation info{};
    if (!query || query(process, 0, &info, sizeof info, NULL) != 0)
        return {};
    char* parameters = nullptr;
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, static_cast<char*>(info.pebBaseAddress) + PEB_PARAMETERS, &parameters,
                           sizeof parameters, &read))
        return {};
    struct {
        USHORT length;
        USHORT maximumLength;
        wchar_t* buffer;
    } text{};
    if (!ReadProcessMemory(process, parameters + offset, &text, sizeof text, &read))
        return {};
    std::wstring result(text.length / sizeof(wchar_t), L'\0');
    if (!ReadProcessMemory(process, text.buffer, result.data(), text.length, &read))
        return {};
    return result;
}

}  // namespace

std::wstring currentDirectoryOf(HANDLE process)
{
    return processParameterString(process, CURRENT_DIRECTORY);
}

std::wstring commandLineOf(DWORD processId)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process)
        return {};
    std::wstring text = processParameterString(process, COMMAND_LINE);
    CloseHandle(process);
    return text;
}

std::string narrow(const std::wstring& text)
{
    std::string result;
    for (wchar_t c : text)
        result += c < 0x80 ? static_cast<char>(c) : '?';
    return result;
}

std::string dialogItemText(HWND dialog, int id)
{
    char text[1024] = "";
    SendDlgItemMessageA(dialog, id, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string helpViewerCommandLine(DWORD timeoutMs)
{
    HWND viewer = findProcessWindow(0, "HH Parent", nullptr, timeoutMs);
    DWORD processId = 0;
    return viewer && GetWindowThreadProcessId(viewer, &processId) ? narrow(commandLineOf(processId)) : std::string();
}

void closeHelpViewers()
{
    for (HWND viewer : processWindows(0, "HH Parent"))
        PostMessageA(viewer, WM_CLOSE, 0, 0);
    waitFor([] { return processWindows(0, "HH Parent").empty(); });
}

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

}  // namespace driver
