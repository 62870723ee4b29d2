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
    {"tockmere.exe", "setup-staging\\tockmere.exe"}, {"Tockmere.chm", "Tockmere.chm"},
    {"rooster.wav", "rooster.wav"}, {"fonts\\SegmoraMono.ttf", "fonts\\SegmoraMono.ttf"},
    {"fonts\\OFL.txt", "fonts\\OFL.txt"}, {"uninstall.exe", ""}};

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
// Each build makes the setup of its own clock.
std::string setupPath()
{
    return programFolder() + (sizeof(void*) == 8 ? "tockmere-x64-setup.exe" : "tockmere-setup.exe");
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string contentsOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The installed clock, started from another working folder, so that whatever
// it finds it finds through its own module path.
bool startInstalled(Clock& clock)
{
    return startProgram(clock, installedFile("tockmere.exe"), "", shellFolder(CSIDL_WINDOWS).c_str());
}

// The clock's width once laid out to the face.
int laidOutWidth(HWND window)
{
    RECT r = windowRect(window);
    EXPECT_EQ(r.bottom - r.top, faceHeight(100)) << "the clock is not laid out yet";
    return r.right - r.left;
}

class Installer : public ::testing::Test {
protected:
    void SetUp() override
    {
        deleteProgramSettings();
        closeHelpViewers();
        // The test run put the face font into the Fonts folder for the other
        // tests; without it here, only the setup can make the face find it.
        harnessFontRemoved = DeleteFileA(systemFontPath().c_str()) != 0;
    }

    void TearDown() override
    {
        closeHelpViewers();
        // After a failure half-way: uninstall in place, waiting for it.
        if (exists(installedFile("uninstall.exe"))) {
            runToEnd("\"" + installedFile("uninstall.exe") + "\" /S _?=" + installFolder(), 60000);
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

    ASSERT_EQ(runToEnd("\"" + setupPath() + "\" /S", 120000), 0u);

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
        std::string fontEntry, uninstall;
        EXPECT_TRUE(readString(HKEY_LOCAL_MACHINE, FONTS_KEY, FONT_ENTRY, &fontEntry));
        EXPECT_EQ(fontEntry, "SegmoraMono.ttf");
        EXPECT_TRUE(readString(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "UninstallString", &uninstall));
        EXPECT_EQ(uninstall, "\"" + installedFile("uninstall.exe") + "\"");
    }

    {
        SCOPED_TRACE("the installed clock's first start");
        Clock clock;
        ASSERT_TRUE(startInstalled(clock));
        // Wider than the margins: GDI+ found the family the setup registered.
        EXPECT_GT(laidOutWidth(clock.window), FACE_TEXT_MARGIN + 100);

        // The first start opens help topic 6 of the installed help file: the
        // path, blanks and all, reaches the viewer, which takes its title
        // from the file.
        std::string viewerCommand = helpViewerCommandLine();
        EXPECT_NE(viewerCommand.find("-mapid 6 " + installedFile("Tockmere.chm")), std::string::npos)
            << viewerCommand;
        EXPECT_EQ(windowText(findProcessWindow(0, "HH Parent")), "Tockmere Help");
        closeHelpViewers();

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
        ASSERT_TRUE(startInstalled(clock));
        // A help viewer holds the help file open.
        PROCESS_INFORMATION viewer{};
        ASSERT_TRUE(startProcess("hh.exe " + installedFile("Tockmere.chm"), &viewer));
        EXPECT_TRUE(findProcessWindow(viewer.dwProcessId, "HH Parent", nullptr, 15000) != NULL);

        // The uninstaller copies itself away and returns at once; the copy
        // does the work, and removes the folder last.
        EXPECT_EQ(runToEnd("\"" + installedFile("uninstall.exe") + "\" /S", 30000), 0u);
        EXPECT_TRUE(waitFor([] { return !exists(installFolder()); }, 60000)) << installFolder() << " is still there";
        // It asked the clock to close (the clock then saved its settings and
        // its Run value) before it took the Run value away, and closed the
        // help viewer.
        EXPECT_EQ(clock.waitForExit(10000), 0u);
        EXPECT_NE(waitAndRelease(viewer, 10000), static_cast<DWORD>(STILL_ACTIVE)) << "the help viewer still runs";

        for (const InstalledFile& file : INSTALLED_FILES)
            EXPECT_FALSE(exists(installedFile(file.name))) << file.name;
        EXPECT_FALSE(exists(shortcutPath()));
        EXPECT_FALSE(exists(systemFontPath()));
        std::string value;
        EXPECT_FALSE(readString(HKEY_LOCAL_MACHINE, FONTS_KEY, FONT_ENTRY, &value));
        EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, UNINSTALL_KEY));
        EXPECT_FALSE(valueExists(RUN_KEY, "Tockmere"));
        // Asked whether to remove the settings, silent mode keeps them.
        EXPECT_TRUE(readString(PROGRAM_KEY, "Path to wave file", &value));
        EXPECT_TRUE(valueExists(PROGRAM_KEY, "Scale"));
    }
}

}  // namespace
