// The setup program seen from outside: a silent install into Program Files,
// the installed clock finding its font, sound and help there, and a silent
// uninstall that takes everything away again but the user's settings.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <fstream>
#include <iterator>

#include "e2e/driver.h"
#include "face/face_geometry.h"

using namespace driver;

namespace {

constexpr const char* FONTS_KEY = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
constexpr const char* FONT_ENTRY = "Segmora Mono (TrueType)";
constexpr const char* UNINSTALL_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tockmere";

// The files the setup puts into the install folder, and where the build
// keeps the same file (empty: made by the setup itself).
struct InstalledFile {
    const char* name;
    const char* builtAs;
};
constexpr InstalledFile INSTALLED_FILES[] = {
    {"tockmere.exe", "setup-staging\\tockmere.exe"},
    {"Tockmere.chm", "Tockmere.chm"},
    {"rooster.wav", "rooster.wav"},
    {"fonts\\SegmoraMono.ttf", "fonts\\SegmoraMono.ttf"},
    {"fonts\\OFL.txt", "fonts\\OFL.txt"},
    {"uninstall.exe", ""},
};

std::string shellFolder(int csidl)
{
    char path[MAX_PATH] = "";
    SHGetFolderPathA(NULL, csidl, NULL, 0, path);
    return path;
}

std::string installFolder() { return shellFolder(CSIDL_PROGRAM_FILES) + "\\Tockmere"; }
std::string installedFile(const std::string& name) { return installFolder() + "\\" + name; }
std::string shortcutPath() { return shellFolder(CSIDL_COMMON_PROGRAMS) + "\\Tockmere.lnk"; }
std::string systemFontPath() { return shellFolder(CSIDL_FONTS) + "\\SegmoraMono.ttf"; }
std::string setupPath() { return programFolder() + "tockmere-setup.exe"; }

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string contentsOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool startProcess(const std::string& commandLine, PROCESS_INFORMATION* process)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(0);
    return CreateProcessA(NULL, buffer.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, process) != FALSE;
}

// Waits for a started process and lets go of it; returns its exit code, or
// STILL_ACTIVE when it did not end in time.
DWORD waitAndClose(PROCESS_INFORMATION& process, DWORD timeoutMs)
{
    WaitForSingleObject(process.hProcess, timeoutMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return code;
}

// Runs a command line and waits for it; returns its exit code, STILL_ACTIVE
// when it did not end in time, or -1 when it did not start.
DWORD run(const std::string& commandLine, DWORD timeoutMs)
{
    PROCESS_INFORMATION process{};
    if (!startProcess(commandLine, &process))
        return static_cast<DWORD>(-1);
    return waitAndClose(process, timeoutMs);
}

// Starts a tockmere.exe given by its full path, from another working folder,
// so that whatever it finds it finds through its own module path.
bool startFrom(Clock& clock, const std::string& exePath)
{
    std::string commandLine = "\"" + exePath + "\"";
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string elsewhere = shellFolder(CSIDL_WINDOWS);
    if (!CreateProcessA(exePath.c_str(), buffer.data(), NULL, NULL, FALSE, 0, NULL, elsewhere.c_str(), &startup,
                        &clock.process))
        return false;
    clock.window = findProcessWindow(clock.process.dwProcessId, "TOCKMERE", nullptr, 20000);
    return clock.window != NULL;
}

// The clock's width once its creation, which sizes it to the face, is over:
// it is visible only from then on. Before, it has the size it was created
// with.
int laidOutWidth(HWND window)
{
    waitFor([&] { return IsWindowVisible(window) != FALSE; }, 10000);
    RECT r = windowRect(window);
    EXPECT_EQ(r.bottom - r.top, faceHeight(100)) << "the clock is not laid out yet";
    return r.right - r.left;
}

bool readMachineString(const char* keyPath, const char* name, std::string* value)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char buffer[1024] = "";
    DWORD type = 0, size = sizeof buffer - 1;
    LONG status = RegQueryValueExA(key, name, NULL, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return false;
    buffer[size] = 0;
    *value = buffer;
    return true;
}

bool machineKeyExists(const char* keyPath)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// The command line another (32-bit) process was started with, read from its
// parameters block: the UNICODE_STRING at 0x40 of it.
std::string commandLineOf(DWORD processId)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process)
        return {};
    typedef LONG(WINAPI * QueryInformationProcessFn)(HANDLE, int, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<QueryInformationProcessFn>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess"));
    struct {
        LONG exitStatus;
        void* pebBaseAddress;
        ULONG_PTR affinityMask;
        LONG basePriority;
        ULONG_PTR uniqueProcessId;
        ULONG_PTR inheritedFromUniqueProcessId;
    } info{};
    std::string result;
    DWORD parameters = 0;
    struct {
        USHORT length;
        USHORT maximumLength;
        DWORD buffer;
    } text{};
    if (query && query(process, 0, &info, sizeof info, NULL) == 0 &&
        ReadProcessMemory(process, static_cast<char*>(info.pebBaseAddress) + 0x10, &parameters, sizeof parameters,
                          NULL) &&
        ReadProcessMemory(process, reinterpret_cast<void*>(parameters + 0x40), &text, sizeof text, NULL)) {
        std::wstring wide(text.length / sizeof(wchar_t), L'\0');
        if (ReadProcessMemory(process, reinterpret_cast<void*>(text.buffer), wide.data(), text.length, NULL)) {
            char narrow[2048] = "";
            WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, narrow, sizeof narrow, NULL, NULL);
            result = narrow;
        }
    }
    CloseHandle(process);
    return result;
}

class Installer : public ::testing::Test {
protected:
    void SetUp() override
    {
        deleteProgramSettings();
        closeHelpViewers();
        waitFor([] { return processWindows(0, "HH Parent").empty(); }, 10000);
        // The test run put the face font into the Fonts folder for the other
        // tests; without it here, only the setup can make the face find it.
        harnessFontRemoved = DeleteFileA(systemFontPath().c_str()) != 0;
    }

    void TearDown() override
    {
        closeHelpViewers();
        // After a failure half-way: uninstall in place, waiting for it.
        if (exists(installedFile("uninstall.exe"))) {
            run("\"" + installedFile("uninstall.exe") + "\" /S _?=" + installFolder(), 60000);
            DeleteFileA(installedFile("uninstall.exe").c_str());
            RemoveDirectoryA(installFolder().c_str());
        }
        if (harnessFontRemoved)
            CopyFileA((programFolder() + "fonts\\SegmoraMono.ttf").c_str(), systemFontPath().c_str(), FALSE);
        deleteProgramSettings();
    }

    bool harnessFontRemoved = false;
};

TEST_F(Installer, SilentInstallRunsTheClockFromProgramFilesAndSilentUninstallRemovesIt)
{
    ASSERT_TRUE(exists(setupPath())) << "no setup program at " << setupPath();
    ASSERT_NE(installFolder().find(' '), std::string::npos) << "the install folder should hold a blank";

    {
        SCOPED_TRACE("before the setup, the face font is not to be found");
        writeDword(PROGRAM_KEY, "Scale", 100);  // not a first start: no help viewer
        Clock bare;
        ASSERT_TRUE(start(bare));
        EXPECT_EQ(laidOutWidth(bare.window), FACE_TEXT_MARGIN)
            << "the font is found without the setup, so the font check below would prove nothing";
        EXPECT_EQ(bare.exitByMenu(), 0u);
        deleteProgramSettings();
    }

    ASSERT_EQ(run("\"" + setupPath() + "\" /S", 120000), 0u);

    {
        SCOPED_TRACE("what the setup installed");
        for (const InstalledFile& file : INSTALLED_FILES) {
            std::string path = installedFile(file.name);
            EXPECT_TRUE(exists(path)) << path;
            if (*file.builtAs)
                EXPECT_TRUE(contentsOf(path) == contentsOf(programFolder() + file.builtAs))
                    << path << " differs from the build's " << file.builtAs;
        }
        std::string shortcut = contentsOf(shortcutPath());
        EXPECT_NE(shortcut.find(installedFile("tockmere.exe")), std::string::npos)
            << "the shortcut " << shortcutPath() << " does not name the installed program";

        EXPECT_TRUE(contentsOf(systemFontPath()) == contentsOf(programFolder() + "fonts\\SegmoraMono.ttf"));
        std::string fontEntry;
        EXPECT_TRUE(readMachineString(FONTS_KEY, FONT_ENTRY, &fontEntry));
        EXPECT_EQ(fontEntry, "SegmoraMono.ttf");

        std::string uninstall;
        EXPECT_TRUE(readMachineString(UNINSTALL_KEY, "UninstallString", &uninstall));
        EXPECT_EQ(uninstall, "\"" + installedFile("uninstall.exe") + "\"");
    }

    {
        SCOPED_TRACE("the installed clock's first start");
        Clock clock;
        ASSERT_TRUE(startFrom(clock, installedFile("tockmere.exe")));
        // The face is as wide as the measured text plus the margins: GDI+
        // found the family the setup registered.
        EXPECT_GT(laidOutWidth(clock.window), FACE_TEXT_MARGIN + 100);

        // The first start opens help topic 6 of the installed help file; the
        // path, blanks and all, reaches the viewer, which opens the file and
        // takes its title from it.
        HWND viewer = findProcessWindow(0, "HH Parent", nullptr, 15000);
        ASSERT_TRUE(viewer != NULL);
        DWORD viewerId = 0;
        GetWindowThreadProcessId(viewer, &viewerId);
        std::string viewerCommand = commandLineOf(viewerId);
        EXPECT_NE(viewerCommand.find("-mapid 6 " + installedFile("Tockmere.chm")), std::string::npos)
            << viewerCommand;
        char title[256] = "";
        GetWindowTextA(viewer, title, sizeof title);
        EXPECT_STREQ(title, "Tockmere Help");
        PostMessageA(viewer, WM_CLOSE, 0, 0);
        EXPECT_TRUE(waitFor([&] { return !IsWindow(viewer); }, 10000));

        EXPECT_EQ(clock.exitByMenu(), 0u);
        std::string wave, runCommand;
        EXPECT_TRUE(readString(PROGRAM_KEY, "Path to wave file", &wave));
        EXPECT_EQ(wave, installedFile("rooster.wav"));
        EXPECT_TRUE(readString(RUN_KEY, "Tockmere", &runCommand));
        EXPECT_EQ(runCommand, "\"" + installedFile("tockmere.exe") + "\" -autorun");
    }

    {
        SCOPED_TRACE("silent uninstall while the clock and its help run");
        Clock clock;
        ASSERT_TRUE(startFrom(clock, installedFile("tockmere.exe")));
        // A help viewer holds the help file open.
        PROCESS_INFORMATION viewer{};
        ASSERT_TRUE(startProcess("hh.exe " + installedFile("Tockmere.chm"), &viewer));
        EXPECT_TRUE(findProcessWindow(viewer.dwProcessId, "HH Parent", nullptr, 15000) != NULL);

        // The uninstaller copies itself away and returns at once; the copy
        // does the work, and removes the folder last.
        EXPECT_EQ(run("\"" + installedFile("uninstall.exe") + "\" /S", 30000), 0u);
        EXPECT_TRUE(waitFor([] { return !exists(installFolder()); }, 60000)) << installFolder() << " is still there";
        // It asked the clock to close (the clock then saved its settings and
        // its Run value) before it took the Run value away, and closed the
        // help viewer.
        EXPECT_EQ(clock.waitForExit(10000), 0u);
        EXPECT_NE(waitAndClose(viewer, 10000), static_cast<DWORD>(STILL_ACTIVE)) << "the help viewer still runs";

        for (const InstalledFile& file : INSTALLED_FILES)
            EXPECT_FALSE(exists(installedFile(file.name))) << file.name;
        EXPECT_FALSE(exists(shortcutPath()));
        EXPECT_FALSE(exists(systemFontPath()));
        std::string value;
        EXPECT_FALSE(readMachineString(FONTS_KEY, FONT_ENTRY, &value));
        EXPECT_FALSE(machineKeyExists(UNINSTALL_KEY));
        EXPECT_FALSE(valueExists(RUN_KEY, "Tockmere"));
        // Asked whether to remove the settings, silent mode keeps them.
        EXPECT_TRUE(readString(PROGRAM_KEY, "Path to wave file", &value));
        EXPECT_TRUE(valueExists(PROGRAM_KEY, "Scale"));
    }
}

}  // namespace
