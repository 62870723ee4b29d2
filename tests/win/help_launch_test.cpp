// Starting the HTML Help viewer the way showHelp does: through the shell, by
// its path in the Windows folder, with helpParameters. Under Wine the page stays blank (no HTML
// engine), so the tests watch the viewer's window: it stays for a topic the
// file maps and goes away for one it does not.
#include <windows.h>
#include <shellapi.h>
#include <gtest/gtest.h>

#include <string>

#include "help/help_win.h"

namespace {

// The viewer's window that is still there a second after it came, with its
// process running; null when the process ends first or no window comes.
HWND waitForHelpWindow(HANDLE process)
{
    DWORD processId = GetProcessId(process);
    auto find = [&] {
        for (HWND w = FindWindowExA(NULL, NULL, "HH Parent", NULL); w;
             w = FindWindowExA(NULL, w, "HH Parent", NULL)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == processId && IsWindowVisible(w))
                return w;
        }
        return HWND(NULL);
    };
    for (DWORD waited = 0; waited < 15000; waited += 100) {
        if (find())
            return WaitForSingleObject(process, 1000) == WAIT_OBJECT_0 ? NULL : find();
        if (WaitForSingleObject(process, 100) == WAIT_OBJECT_0)
            return NULL;
    }
    return NULL;
}

// The help file built beside tockmere.exe, copied to a folder whose name has
// blanks, as under "C:\Program Files".
class HelpInFolderWithBlanks : public ::testing::Test {
protected:
    void SetUp() override
    {
        char module[MAX_PATH], temp[MAX_PATH];
        GetModuleFileNameA(NULL, module, MAX_PATH);
        std::string tests(module);
        tests.erase(tests.find_last_of('\\') + 1);
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "Tockmere help " + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder.c_str(), NULL);
        ASSERT_TRUE(CopyFileA((tests + "..\\Tockmere.chm").c_str(), (folder + "Tockmere.chm").c_str(), FALSE))
            << "was Tockmere.chm built?";
    }
    void TearDown() override
    {
        DeleteFileA((folder + "Tockmere.chm").c_str());
        RemoveDirectoryA(folder.c_str());
    }

    // Whether the viewer showed a lasting window, titled from the file.
    bool viewerShowsTopic(int topic)
    {
        CountedString parameters = helpParameters(topic, folder.c_str(), "Tockmere");
        char viewer[MAX_PATH];
        EXPECT_TRUE(getHelpViewerPath(viewer));
        SHELLEXECUTEINFOA info{sizeof info};
        info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
        info.lpVerb = "open";
        info.lpFile = viewer;
        info.lpParameters = parameters.data;
        info.nShow = SW_SHOWNORMAL;
        EXPECT_TRUE(ShellExecuteExA(&info)) << "no viewer at " << viewer;
        HWND window = info.hProcess ? waitForHelpWindow(info.hProcess) : NULL;
        if (window) {
            char title[200] = "";
            GetWindowTextA(window, title, sizeof title);
            EXPECT_STREQ(title, "Tockmere Help");
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        EXPECT_EQ(WaitForSingleObject(info.hProcess, 10000), WAIT_OBJECT_0) << "the viewer stayed";
        CloseHandle(info.hProcess);
        return window != NULL;
    }

    std::string folder;
};

TEST_F(HelpInFolderWithBlanks, EveryTopicOfTheProgramOpensAndNoOtherDoes)
{
    for (int topic : {HELP_NO_TOPIC, HELP_ALARM_PAGE, HELP_SETTINGS_PAGE, HELP_ADVANCED_SETTINGS_PAGE,
                      HELP_REMINDER_PAGE, HELP_FIRST_START}) {
        SCOPED_TRACE("topic " + std::to_string(topic));
        EXPECT_TRUE(viewerShowsTopic(topic));
    }
    EXPECT_FALSE(viewerShowsTopic(4));  // not one of the program's
}

}  // namespace
