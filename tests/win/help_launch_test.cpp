// Starting the HTML Help viewer on the program's help file the way the
// program does: through the shell, as "HH", with the parameters
// helpParameters builds. The page itself stays blank under Wine (no HTML
// engine), so the tests look at the viewer's window and process: the viewer
// opens a window for a topic the file maps and gives up on one it does not.
#include <windows.h>
#include <shellapi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "help/help_win.h"
#include "settings/settings_win.h"

namespace {

constexpr const char* HELP_WINDOW_CLASS = "HH Parent";
constexpr const char* HELP_WINDOW_TITLE = "Tockmere Help";  // [WINDOWS] of tockmere.hhp
constexpr DWORD VIEWER_START_MS = 15000;

std::string folderOf(const std::string& path)
{
    return path.substr(0, path.find_last_of('\\') + 1);
}

bool fileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The help file the build put beside tockmere.exe, one folder above the tests.
std::string builtHelpFile()
{
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string folder = folderOf(module);
    for (const std::string& candidate : {folder + "..\\Tockmere.chm", folder + "Tockmere.chm"})
        if (fileExists(candidate))
            return candidate;
    return {};
}

std::string windowTitle(HWND window)
{
    char title[200] = {};
    GetWindowTextA(window, title, sizeof title);
    return title;
}

struct WindowSearch {
    DWORD processId;  // 0: any process
    std::vector<HWND> found;
};

BOOL CALLBACK collectHelpWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (lstrcmpA(name, HELP_WINDOW_CLASS) == 0 && IsWindowVisible(window)
        && (search->processId == 0 || search->processId == processId))
        search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> helpWindows(DWORD processId)
{
    WindowSearch search{processId, {}};
    EnumWindows(collectHelpWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The viewer shows its window before it looks the topic up, and takes it
// down again when the file does not map the topic. A window that is still
// there a while later, with its process running, is one showing a topic.
constexpr DWORD TOPIC_SETTLE_MS = 1000;

// The viewer's lasting window, or null when its process ends first or none
// comes.
HWND waitForHelpWindow(HANDLE process)
{
    DWORD processId = GetProcessId(process);
    for (DWORD waited = 0; waited < VIEWER_START_MS; waited += 100) {
        std::vector<HWND> windows = helpWindows(processId);
        if (!windows.empty()) {
            if (WaitForSingleObject(process, TOPIC_SETTLE_MS) == WAIT_OBJECT_0)
                return nullptr;
            windows = helpWindows(processId);
            return windows.empty() ? nullptr : windows.front();
        }
        if (WaitForSingleObject(process, 100) == WAIT_OBJECT_0)
            return nullptr;
    }
    return nullptr;
}

// Closes the viewer as its close box would and waits for its process.
bool closeViewer(HWND window, HANDLE process)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
    return WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
}

// The same call as showHelp, but keeping the viewer's process handle.
HANDLE startViewer(const char* parameters)
{
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "open";
    info.lpFile = "HH";
    info.lpParameters = parameters;
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&info))
        return nullptr;
    return info.hProcess;
}

// A copy of the help file in a folder whose name has blanks, as under
// "C:\Program Files".
class HelpInFolderWithBlanks : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string source = builtHelpFile();
        ASSERT_FALSE(source.empty()) << "Tockmere.chm was not built";
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "Tockmere help " + std::to_string(GetCurrentProcessId()) + "\\";
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
        ASSERT_TRUE(CopyFileA(source.c_str(), (folder + "Tockmere.chm").c_str(), FALSE));
    }

    void TearDown() override
    {
        DeleteFileA((folder + "Tockmere.chm").c_str());
        RemoveDirectoryA(folder.c_str());
    }

    std::string folder;
};

TEST_F(HelpInFolderWithBlanks, EveryTopicOfTheProgramOpensTheViewer)
{
    for (int topic : {HELP_NO_TOPIC, HELP_ALARM_PAGE, HELP_SETTINGS_PAGE, HELP_ADVANCED_SETTINGS_PAGE,
                      HELP_REMINDER_PAGE, HELP_FIRST_START}) {
        SCOPED_TRACE("topic " + std::to_string(topic));
        CountedString parameters = helpParameters(topic, folder.c_str(), "Tockmere");
        HANDLE viewer = startViewer(parameters.data);
        ASSERT_NE(viewer, nullptr) << "the shell found no HH";
        HWND window = waitForHelpWindow(viewer);
        EXPECT_NE(window, nullptr) << "no viewer window for: " << parameters.data;
        if (window) {
            EXPECT_EQ(windowTitle(window), HELP_WINDOW_TITLE);
            EXPECT_TRUE(closeViewer(window, viewer)) << "the viewer did not end on WM_CLOSE";
        }
        CloseHandle(viewer);
    }
}

TEST_F(HelpInFolderWithBlanks, TopicTheFileDoesNotMapOpensNothing)
{
    // Topic 4 is not one of the program's: the viewer must end by itself
    // without a lasting window, which is what makes the test above tell a
    // mapped topic from an unmapped one.
    CountedString parameters = helpParameters(4, folder.c_str(), "Tockmere");
    HANDLE viewer = startViewer(parameters.data);
    ASSERT_NE(viewer, nullptr);
    HWND window = waitForHelpWindow(viewer);
    EXPECT_EQ(window, nullptr);
    if (window)
        closeViewer(window, viewer);
    EXPECT_EQ(WaitForSingleObject(viewer, 10000), WAIT_OBJECT_0);
    CloseHandle(viewer);
}

// showHelp itself: the help file beside the program, found through the
// program folder and the caption.
class ShowHelp : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string source = builtHelpFile();
        ASSERT_FALSE(source.empty()) << "Tockmere.chm was not built";
        char folder[MAX_PATH];
        getProgramFolder(folder);
        ASSERT_NE(folder[0], 0);
        helpFile = std::string(folder) + "Tockmere.chm";
        if (!fileExists(helpFile)) {
            ASSERT_TRUE(CopyFileA(source.c_str(), helpFile.c_str(), TRUE));
            copied = true;
        }
        lstrcpyA(app.caption, "Tockmere");
        openBefore = helpWindows(0);
    }

    void TearDown() override
    {
        if (copied)
            DeleteFileA(helpFile.c_str());
    }

    std::string helpFile;
    bool copied = false;
    std::vector<HWND> openBefore;  // help windows that are not the test's
};

TEST_F(ShowHelp, OpensTheHelpFileBesideTheProgram)
{
    showHelp(HELP_FIRST_START);

    // showHelp keeps no handle: the viewer is the help window that was not
    // there before, and only that process is closed.
    HWND first = nullptr;
    for (DWORD waited = 0; !first && waited < VIEWER_START_MS; waited += 100) {
        for (HWND window : helpWindows(0))
            if (std::find(openBefore.begin(), openBefore.end(), window) == openBefore.end())
                first = window;
        if (!first)
            Sleep(100);
    }
    ASSERT_NE(first, nullptr) << "no viewer window for " << helpFile;
    DWORD processId = 0;
    GetWindowThreadProcessId(first, &processId);
    HANDLE viewer = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    ASSERT_NE(viewer, nullptr);

    HWND window = waitForHelpWindow(viewer);
    EXPECT_NE(window, nullptr) << "the viewer found no topic 6 in " << helpFile;
    if (window) {
        EXPECT_EQ(windowTitle(window), HELP_WINDOW_TITLE);
        EXPECT_TRUE(closeViewer(window, viewer));
    }
    CloseHandle(viewer);
}

}  // namespace
