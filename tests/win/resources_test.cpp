// The program's resources as Windows loads them: strings, the popup menu, the
// accelerator keys, icons and banner, the manifest and version record, and
// the dialog templates created for real.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "resource.h"

namespace {

HINSTANCE self()
{
    return GetModuleHandleA(nullptr);
}

std::string loadString(UINT id)
{
    char text[260] = {};
    LoadStringA(self(), id, text, sizeof text);
    return text;
}

std::string windowText(HWND hwnd)
{
    char text[300] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

std::string className(HWND hwnd)
{
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

// ---------------------------------------------------------------------------
// Strings, menu, accelerators

TEST(Resources, StringsNameTheProgramAndItsVersion)
{
    EXPECT_EQ(loadString(IDS_APP_TITLE), "Tockmere");
    EXPECT_EQ(loadString(IDS_CLASS_NAME), "TOCKMERE");
    EXPECT_EQ(loadString(IDS_VERSION), "4.02");
    EXPECT_FALSE(loadString(IDS_CREDIT).empty());
    EXPECT_NE(loadString(IDS_RIGHTS).find("Vellomar"), std::string::npos);
}

TEST(Resources, PopupMenuHasItsItemsInOrder)
{
    struct Item {
        UINT id;          // 0 for a separator
        const char* text;
    };
    const Item expected[] = {
        {IDM_SETTINGS, "Settings..."},
        {IDM_ADVANCED, "Advanced settings..."},
        {IDM_ALARM, "Alarm..."},
        {IDM_REMINDER, "Reminder..."},
        {0, nullptr},
        {IDM_CALENDAR, "Calendar..."},
        {IDM_DEFAULT_POSITION, "Set to default position"},
        {0, nullptr},
        {IDM_HELP, "Help..."},
        {IDM_ABOUT, "About..."},
        {IDM_HOME_PAGE, "Home page..."},
        {0, nullptr},
        {IDM_EXIT, "Exit"},
    };
    HMENU menu = LoadMenuA(self(), MAKEINTRESOURCEA(IDR_POPUP_MENU));
    ASSERT_NE(menu, nullptr);
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(std::size(expected)));

    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        SCOPED_TRACE("menu position " + std::to_string(i));
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        ASSERT_TRUE(GetMenuItemInfoA(popup, i, TRUE, &info));
        EXPECT_EQ(info.hSubMenu, nullptr);
        if (!expected[i].text) {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR);
            continue;
        }
        EXPECT_FALSE(info.fType & MFT_SEPARATOR);
        EXPECT_EQ(info.wID, expected[i].id);
        char text[100] = {};
        GetMenuStringA(popup, i, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, expected[i].text);
    }
    DestroyMenu(menu);
}

// Records the commands that reach a window.
std::vector<WPARAM> g_commands;

LRESULT CALLBACK CommandRecorderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        g_commands.push_back(wParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND createCommandRecorder()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CommandRecorderProc;
    wc.hInstance = self();
    wc.lpszClassName = "TockmereResourceTestRecorder";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10,
                           nullptr, nullptr, self(), nullptr);
}

TEST(Resources, AltQuestionMarkTranslatesToTheAboutCommand)
{
    HACCEL table = LoadAcceleratorsA(self(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    HWND window = createCommandRecorder();
    ASSERT_NE(window, nullptr);
    struct Case {
        bool altHeld;
        WPARAM character;
        bool translated;
    };
    const Case cases[] = {
        {true, '?', true},
        {true, '/', true},
        {false, '?', false},  // without Alt it is just a character
        {true, 'a', false},
    };
    BYTE keys[256];
    GetKeyboardState(keys);
    const BYTE altBefore = keys[VK_MENU];
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("character ") + static_cast<char>(c.character) +
                     (c.altHeld ? " with Alt" : ""));
        // The table is matched against the keyboard state of the thread.
        keys[VK_MENU] = c.altHeld ? 0x80 : 0;
        SetKeyboardState(keys);
        g_commands.clear();
        const LPARAM context = c.altHeld ? 1 << 29 : 0;
        const UINT message = c.altHeld ? WM_SYSCHAR : WM_CHAR;
        MSG msg = {window, message, c.character, context | 1, 0, {}};
        EXPECT_EQ(TranslateAcceleratorA(window, table, &msg) != 0, c.translated);
        if (c.translated) {
            ASSERT_EQ(g_commands.size(), 1u);
            EXPECT_EQ(LOWORD(g_commands[0]), IDM_ABOUT);
            EXPECT_EQ(HIWORD(g_commands[0]), 1);  // from an accelerator
        } else {
            EXPECT_TRUE(g_commands.empty());
        }
    }
    keys[VK_MENU] = altBefore;
    SetKeyboardState(keys);
    DestroyWindow(window);
}

// ---------------------------------------------------------------------------
// Pictures

struct IconEntry {
    int size;
    int bitCount;
    WORD iconId;
};

// Reads the directory of an icon group as it is stored in the module.
std::vector<IconEntry> iconGroup(UINT id)
{
    std::vector<IconEntry> entries;
    HRSRC found = FindResourceA(self(), MAKEINTRESOURCEA(id), RT_GROUP_ICON);
    if (!found)
        return entries;
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(self(), found)));
    WORD count;
    std::memcpy(&count, data + 4, 2);
    for (WORD i = 0; i < count; ++i) {
        const BYTE* entry = data + 6 + 14 * i;  // packed GRPICONDIRENTRY
        IconEntry e;
        e.size = entry[0] ? entry[0] : 256;
        WORD bits, iconId;
        std::memcpy(&bits, entry + 6, 2);
        std::memcpy(&iconId, entry + 12, 2);
        e.bitCount = bits;
        e.iconId = iconId;
        entries.push_back(e);
    }
    return entries;
}

// Checks one stored icon image: a 32 bpp DIB whose alpha channel is really
// used (transparent corners, an opaque centre).
void expectAlphaIcon(WORD iconId, int size)
{
    SCOPED_TRACE("icon image " + std::to_string(iconId));
    HRSRC found = FindResourceA(self(), MAKEINTRESOURCEA(iconId), RT_ICON);
    ASSERT_NE(found, nullptr);
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(self(), found)));
    BITMAPINFOHEADER header;
    std::memcpy(&header, data, sizeof header);
    EXPECT_EQ(header.biWidth, size);
    EXPECT_EQ(header.biHeight, 2 * size);  // colour and mask
    ASSERT_EQ(header.biBitCount, 32);
    ASSERT_GE(SizeofResource(self(), found), header.biSize + size * size * 4u);
    const BYTE* pixels = data + header.biSize;
    auto alphaAt = [&](int x, int yFromBottom) { return pixels[(yFromBottom * size + x) * 4 + 3]; };
    EXPECT_EQ(alphaAt(0, 0), 0);
    EXPECT_EQ(alphaAt(size - 1, size - 1), 0);
    EXPECT_EQ(alphaAt(size / 2, size / 2), 255);
}

void expectIconLoads(UINT id, int size)
{
    SCOPED_TRACE("icon " + std::to_string(id) + " at " + std::to_string(size));
    HICON icon = static_cast<HICON>(
        LoadImageA(self(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

TEST(Resources, WindowIconHas32And16PixelImagesWithAlpha)
{
    std::vector<IconEntry> entries = iconGroup(IDI_TOCKMERE);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].size, 32);
    EXPECT_EQ(entries[1].size, 16);
    for (const IconEntry& e : entries) {
        EXPECT_EQ(e.bitCount, 32);
        expectAlphaIcon(e.iconId, e.size);
    }
    expectIconLoads(IDI_TOCKMERE, 32);
    expectIconLoads(IDI_TOCKMERE, 16);
}

TEST(Resources, SmallIconHasOne16PixelImageWithAlpha)
{
    std::vector<IconEntry> entries = iconGroup(IDI_SMALL);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].size, 16);
    EXPECT_EQ(entries[0].bitCount, 32);
    expectAlphaIcon(entries[0].iconId, 16);
    expectIconLoads(IDI_SMALL, 16);
    expectIconLoads(IDI_SMALL, 32);  // stretched, but it must still load
}

TEST(Resources, AboutBannerIs203By61At24Bits)
{
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(
        self(), MAKEINTRESOURCEA(IDB_ABOUT), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION dib = {};
    ASSERT_EQ(GetObjectA(bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, 203);
    EXPECT_EQ(dib.dsBm.bmHeight, 61);
    EXPECT_EQ(dib.dsBmih.biBitCount, 24);
    DeleteObject(bitmap);
}

// ---------------------------------------------------------------------------
// Manifest and version record

std::string resourceBytes(LPCSTR name, LPCSTR type)
{
    HRSRC found = FindResourceA(self(), name, type);
    if (!found)
        return {};
    const char* data = static_cast<const char*>(LockResource(LoadResource(self(), found)));
    return std::string(data, SizeofResource(self(), found));
}

TEST(Resources, ManifestAsksForCommonControls6)
{
    std::string manifest = resourceBytes(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\""), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);

    // And the loader honoured it: buttons answer BCM_GETIDEALSIZE only in
    // common controls 6.
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    HWND button = CreateWindowExA(0, "Button", "OK", WS_POPUP, 0, 0, 60, 20,
                                  nullptr, nullptr, self(), nullptr);
    ASSERT_NE(button, nullptr);
    SIZE ideal = {};
    EXPECT_TRUE(SendMessageA(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
    EXPECT_GT(ideal.cx, 0);
    DestroyWindow(button);
}

TEST(Resources, VersionRecordNamesProductAndVersion)
{
    std::string block = resourceBytes(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));
    ASSERT_FALSE(block.empty());
    // version.dll is not linked into the tests; take the query from it at
    // run time. The block is copied, as VerQueryValue may write into it.
    HMODULE versionDll = LoadLibraryA("version.dll");
    ASSERT_NE(versionDll, nullptr);
    using Query = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
    auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(versionDll, "VerQueryValueW")));
    ASSERT_NE(query, nullptr);
    std::vector<char> copy(block.begin(), block.end());
    copy.resize(block.size() * 2);

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(query(copy.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 4));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, 2));

    const std::pair<const wchar_t*, const wchar_t*> strings[] = {
        {L"ProductName", L"Tockmere"},
        {L"FileVersion", L"4.02"},
        {L"ProductVersion", L"4.02"},
        {L"FileDescription", L"Tockmere desktop clock"},
        {L"CompanyName", L"Vellomar"},
    };
    for (const auto& [name, value] : strings) {
        std::wstring path = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
        wchar_t* text = nullptr;
        SCOPED_TRACE(std::string(name, name + wcslen(name)));
        ASSERT_TRUE(query(copy.data(), path.c_str(), reinterpret_cast<void**>(&text), &length));
        EXPECT_STREQ(text, value);
    }
    FreeLibrary(versionDll);
}

// ---------------------------------------------------------------------------
// Dialog templates

INT_PTR CALLBACK InertDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

class DialogTemplates : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX init = {sizeof init, ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
        InitCommonControlsEx(&init);
    }

    void SetUp() override
    {
        owner = CreateWindowExA(0, "Static", "owner", WS_POPUP, 40, 40, 400, 300,
                                nullptr, nullptr, self(), nullptr);
        ASSERT_NE(owner, nullptr);
    }

    void TearDown() override { DestroyWindow(owner); }

    HWND owner = nullptr;
};

// Every template builds with the common-control classes it names; the
// pages' own tests drive the controls themselves.
TEST_F(DialogTemplates, EveryTemplateCreatesWithItsCaptionAndControls)
{
    struct Template {
        UINT id;
        const char* caption;
        int control;
        const char* controlClass;
    };
    const Template templates[] = {
        {IDD_SETTINGS, "Settings", IDC_OPACITY, TRACKBAR_CLASSA},
        {IDD_ADVANCED, "Advanced settings", IDC_PRESET, "ComboBox"},
        {IDD_ALARM, "Alarm", IDC_ALARM_LIST, WC_LISTVIEWA},
        {IDD_EDITOR, "Add alarm", IDC_EDITOR_BASE_MONTH_SPIN, UPDOWN_CLASSA},
        {IDD_REMINDER, "Reminder", IDC_REMINDER_MINUTES, "ComboBox"},
        {IDD_MESSAGE, "Message from Tockmere", IDC_MESSAGE_TEXT, "Static"},
        {IDD_ABOUT, "About", IDC_ABOUT_VERSION, "Static"},
        {IDD_CALENDAR, "Calendar", IDC_CALENDAR, MONTHCAL_CLASSA},
    };
    for (const Template& t : templates) {
        SCOPED_TRACE(t.caption);
        HWND dialog = CreateDialogParamA(self(), MAKEINTRESOURCEA(t.id), owner, InertDialogProc, 0);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(windowText(dialog), t.caption);
        HWND control = GetDlgItem(dialog, t.control);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(_stricmp(className(control).c_str(), t.controlClass), 0) << className(control);
        DestroyWindow(dialog);
    }
}

// The four pages work as a property sheet: the tabs carry the pages' captions.
TEST_F(DialogTemplates, PagesMakeAFourTabPropertySheet)
{
    const UINT templates[] = {IDD_SETTINGS, IDD_ADVANCED, IDD_ALARM, IDD_REMINDER};
    const char* titles[] = {"Settings", "Advanced settings", "Alarm", "Reminder"};
    const int controlOnPage[] = {IDC_SHOW_DATE, IDC_COLOR_BASE, IDC_ALARM_LIST, IDC_REMINDER_ON};
    PROPSHEETPAGEA pages[4] = {};
    for (int i = 0; i < 4; ++i) {
        pages[i].dwSize = sizeof pages[i];
        pages[i].hInstance = self();
        pages[i].pszTemplate = MAKEINTRESOURCEA(templates[i]);
        pages[i].pfnDlgProc = InertDialogProc;
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS;
    header.hwndParent = owner;
    header.hInstance = self();
    header.pszCaption = "Tockmere";
    header.nPages = 4;
    header.ppsp = pages;
    HWND sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
    ASSERT_NE(sheet, nullptr);

    HWND tabs = PropSheet_GetTabControl(sheet);
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(TabCtrl_GetItemCount(tabs), 4);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(titles[i]);
        char text[64] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(text, titles[i]);
        // Each page can be created inside the sheet.
        PropSheet_SetCurSel(sheet, nullptr, i);
        HWND page = PropSheet_GetCurrentPageHwnd(sheet);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(GetParent(page), sheet);
        EXPECT_NE(GetDlgItem(page, controlOnPage[i]), nullptr);
    }
    DestroyWindow(sheet);
}

}  // namespace
