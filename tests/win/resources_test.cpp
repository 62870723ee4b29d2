// The program's resources as Windows loads them: strings, the popup menu, the
// accelerator keys, icons and banner, the manifest and version record, and
// every dialog template created for real with its controls checked one by one
// in template order (class, id, text, styles, place in dialog units).
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

TEST(Resources, AcceleratorsAreAltQuestionMarkAndAltSlashForAbout)
{
    HACCEL table = LoadAcceleratorsA(self(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr);
    ACCEL entries[4] = {};
    ASSERT_EQ(CopyAcceleratorTableA(table, nullptr, 0), 2);
    ASSERT_EQ(CopyAcceleratorTableA(table, entries, 4), 2);
    const WORD keys[] = {'?', '/'};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE("accelerator " + std::to_string(i));
        // Character codes with Alt only: not virtual keys, no Shift or Ctrl.
        EXPECT_EQ(entries[i].fVirt & (FVIRTKEY | FSHIFT | FCONTROL | FALT), FALT);
        EXPECT_EQ(entries[i].key, keys[i]);
        EXPECT_EQ(entries[i].cmd, IDM_ABOUT);
    }
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

// One control as its template describes it. Button, combo box and static
// types are compared exactly; other style bits must be present; WS_TABSTOP
// and WS_GROUP must be exactly as given. A null text is not compared.
struct ExpectedControl {
    int id;
    const char* className;
    const char* text;
    DWORD style;
    int x, y, width, height;
    DWORD exStyle = 0;
    bool fixedSize = true;  // false where the control sizes itself (combo
                            // boxes, pictures, themed arrows, the calendar)
};

INT_PTR CALLBACK InertDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

class DialogTemplates : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX init = {sizeof init, ICC_WIN95_CLASSES | ICC_DATE_CLASSES |
                                                      ICC_BAR_CLASSES | ICC_UPDOWN_CLASS |
                                                      ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&init);
    }

    void SetUp() override
    {
        owner = CreateWindowExA(0, "Static", "owner", WS_POPUP, 40, 40, 400, 300,
                                nullptr, nullptr, self(), nullptr);
        ASSERT_NE(owner, nullptr);
    }

    void TearDown() override
    {
        if (dialog)
            DestroyWindow(dialog);
        DestroyWindow(owner);
    }

    HWND create(UINT templateId)
    {
        dialog = CreateDialogParamA(self(), MAKEINTRESOURCEA(templateId), owner,
                                    InertDialogProc, 0);
        return dialog;
    }

    HWND owner = nullptr;
    HWND dialog = nullptr;
};

std::string describe(const ExpectedControl& want)
{
    std::string name = "control " + std::to_string(want.id) + " (" + want.className;
    if (want.text && *want.text)
        name += std::string(" \"") + want.text + "\"";
    return name + ")";
}

// Place and size in pixels, each converted on its own as the dialog manager
// does it (so a width is not the difference of two rounded edges).
RECT dialogUnitsToPixels(HWND dialog, int x, int y, int width, int height)
{
    RECT place = {x, y, 0, 0};
    RECT size = {0, 0, width, height};
    MapDialogRect(dialog, &place);
    MapDialogRect(dialog, &size);
    return {place.left, place.top, place.left + size.right, place.top + size.bottom};
}

void expectControl(HWND dialog, HWND control, const ExpectedControl& want)
{
    EXPECT_EQ(lstrcmpiA(className(control).c_str(), want.className), 0)
        << "class is " << className(control);
    EXPECT_EQ(GetDlgCtrlID(control) & 0xFFFF, want.id & 0xFFFF);
    if (want.text)
        EXPECT_EQ(windowText(control), want.text);

    DWORD style = GetWindowLongA(control, GWL_STYLE);
    DWORD exStyle = GetWindowLongA(control, GWL_EXSTYLE);
    // Controls may trade WS_BORDER for the 3-D WS_EX_CLIENTEDGE.
    EXPECT_EQ(style & want.style & ~WS_BORDER, want.style & ~WS_BORDER)
        << std::hex << "style " << style;
    if (want.style & WS_BORDER)
        EXPECT_TRUE((style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE)) << "border";
    EXPECT_EQ(style & WS_TABSTOP, want.style & WS_TABSTOP) << "tab stop";
    EXPECT_EQ(style & WS_GROUP, want.style & WS_GROUP) << "group start";
    EXPECT_TRUE(style & WS_VISIBLE);
    std::string cls = want.className;
    if (cls == "Button")
        EXPECT_EQ(style & BS_TYPEMASK, want.style & BS_TYPEMASK) << "button type";
    else if (cls == "ComboBox")
        EXPECT_EQ(style & 3, want.style & 3) << "combo box type";
    else if (cls == "Static")
        EXPECT_EQ(style & SS_TYPEMASK, want.style & SS_TYPEMASK) << "static type";
    EXPECT_EQ(exStyle & want.exStyle, want.exStyle) << std::hex << "extended style " << exStyle;

    RECT expected = dialogUnitsToPixels(dialog, want.x, want.y, want.width, want.height);
    RECT actual;
    GetWindowRect(control, &actual);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(actual.left, expected.left) << "x";
    EXPECT_EQ(actual.top, expected.top) << "y";
    if (want.fixedSize) {
        EXPECT_EQ(actual.right - actual.left, expected.right - expected.left) << "width";
        EXPECT_EQ(actual.bottom - actual.top, expected.bottom - expected.top) << "height";
    }
}

// Walks the dialog's children in template order against the list.
void expectControls(HWND dialog, const std::vector<ExpectedControl>& controls)
{
    HWND control = GetWindow(dialog, GW_CHILD);
    for (const ExpectedControl& want : controls) {
        SCOPED_TRACE(describe(want));
        ASSERT_NE(control, nullptr) << "missing";
        expectControl(dialog, control, want);
        control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr) << "more controls than expected, next: " << className(control)
                                << " " << GetDlgCtrlID(control);
}

void expectClientSize(HWND dialog, int width, int height)
{
    RECT expected = dialogUnitsToPixels(dialog, 0, 0, width, height);
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, expected.right) << "client width";
    EXPECT_EQ(client.bottom, expected.bottom) << "client height";
}

void expectPopupStyle(HWND dialog, DWORD present, DWORD absent)
{
    DWORD style = GetWindowLongA(dialog, GWL_STYLE);
    EXPECT_EQ(style & present, present) << std::hex << "dialog style " << style;
    EXPECT_EQ(style & absent, 0u) << std::hex << "dialog style " << style;
}

constexpr DWORD CHECK = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD PUSH = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD GROUP_BOX = BS_GROUPBOX;
// A combo box hands WS_VSCROLL on to its list, so it is not checked.
constexpr DWORD DROP_LIST = CBS_DROPDOWNLIST | WS_TABSTOP;
constexpr DWORD SPIN = UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS;
constexpr DWORD NUMBER = ES_NUMBER | WS_BORDER | WS_TABSTOP;

TEST_F(DialogTemplates, SettingsPage)
{
    ASSERT_NE(create(IDD_SETTINGS), nullptr);
    EXPECT_EQ(windowText(dialog), "Settings");
    expectPopupStyle(dialog, WS_CHILD, WS_POPUP);
    expectControls(dialog, {
        {IDC_SHOW_DATE, "Button", "Date", CHECK, 18, 23, 86, 9},
        {IDC_SHOW_DAY, "Button", "Day of the week", CHECK, 18, 36, 86, 9},
        {IDC_FLASH_DELIMITER, "Button", "Flash delimiter", CHECK, 18, 50, 86, 9},
        {IDC_SHOW_SECONDS, "Button", "Seconds", CHECK, 18, 63, 86, 9},
        {IDC_SHOW_SHADOW, "Button", "Shadow", CHECK, 18, 76, 86, 9},
        {IDC_BACKGROUND_TYPE, "ComboBox", "", DROP_LIST, 127, 24, 78, 51, 0, false},
        {IDC_ALWAYS_ON_TOP, "Button", "Always on top", CHECK | BS_MULTILINE, 127, 63, 60, 9},
        {IDC_AUTO_RUN, "Button", "Auto run", CHECK, 127, 76, 46, 9},
        {IDC_OPACITY, "msctls_trackbar32", "", TBS_AUTOTICKS | WS_TABSTOP, 31, 111, 159, 22},
        {IDC_SCALE, "msctls_trackbar32", "", TBS_AUTOTICKS | WS_TABSTOP, 31, 156, 159, 22},
        {IDC_STATIC, "Button", "Show", GROUP_BOX, 7, 7, 99, 85},
        {IDC_STATIC, "Button", "Scale", GROUP_BOX, 7, 143, 208, 42},
        {IDC_STATIC, "Button", "Opaque", GROUP_BOX, 7, 97, 208, 42},
        {IDC_OPACITY_MIN_LABEL, "Static", "50%", SS_LEFT, 15, 113, 18, 11},
        {IDC_OPACITY_MAX_LABEL, "Static", "100%", SS_LEFT, 193, 113, 20, 11},
        {IDC_STATIC, "Button", "Other", GROUP_BOX, 116, 51, 99, 41},
        {IDC_SCALE_MIN_LABEL, "Static", "50%", SS_LEFT, 15, 158, 18, 11},
        {IDC_SCALE_MAX_LABEL, "Static", "100%", SS_LEFT, 192, 158, 20, 11},
        {IDC_STATIC, "Button", "Background type", GROUP_BOX, 116, 7, 99, 41},
    });
}

TEST_F(DialogTemplates, AdvancedSettingsPage)
{
    ASSERT_NE(create(IDD_ADVANCED), nullptr);
    EXPECT_EQ(windowText(dialog), "Advanced settings");
    expectPopupStyle(dialog, WS_CHILD, WS_POPUP);
    expectControls(dialog, {
        {IDC_STATIC, "Button", "Color", GROUP_BOX, 7, 3, 114, 64},
        {IDC_STATIC, "Static", "Base:", SS_LEFT, 15, 16, 40, 8},
        {IDC_STATIC, "Static", "Border:", SS_LEFT, 15, 32, 40, 8},
        {IDC_STATIC, "Static", "Font:", SS_LEFT, 16, 49, 40, 8},
        {IDC_COLOR_BASE, "Button", "", PUSH | BS_BITMAP, 57, 12, 51, 14},
        {IDC_COLOR_BORDER, "Button", "", PUSH | BS_BITMAP, 57, 29, 51, 14},
        {IDC_COLOR_TEXT, "Button", "", PUSH | BS_BITMAP, 57, 47, 51, 14},
        {IDC_STATIC, "Button", "Preset", GROUP_BOX, 128, 3, 114, 64},
        {IDC_PRESET, "ComboBox", "", DROP_LIST, 137, 29, 88, 78, 0, false},
    });
}

TEST_F(DialogTemplates, AlarmPage)
{
    ASSERT_NE(create(IDD_ALARM), nullptr);
    EXPECT_EQ(windowText(dialog), "Alarm");
    expectPopupStyle(dialog, WS_CHILD, WS_POPUP);
    expectClientSize(dialog, 319, 162);
    const DWORD list = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER |
                       WS_BORDER | WS_TABSTOP;
    expectControls(dialog, {
        {IDC_ALARM_LIST, "SysListView32", "", list, 7, 7, 247, 88},
        {IDC_ADD_ALARM, "Button", "Add alarm", PUSH, 262, 7, 50, 14},
        {IDC_EDIT_ALARM, "Button", "Edit alarm", PUSH, 262, 24, 50, 14},
        {IDC_DELETE_ALARM, "Button", "Delete alarm", PUSH, 262, 81, 50, 14},
        {IDC_STATIC, "Button", "Duration", GROUP_BOX, 7, 98, 149, 27},
        {IDC_DURATION_ONCE, "Button", "Once", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP,
         15, 108, 40, 13},
        {IDC_DURATION_ONE_MINUTE, "Button", "1 min.", BS_AUTORADIOBUTTON | WS_TABSTOP,
         58, 108, 47, 13},
        {IDC_DURATION_THREE_MINUTES, "Button", "3 min.", BS_AUTORADIOBUTTON | WS_TABSTOP,
         110, 108, 45, 13},
        {IDC_STATIC, "Button", "Notification", GROUP_BOX | WS_GROUP, 163, 98, 149, 27},
        {IDC_SHOW_MESSAGE_BOX, "Button", "Show message box", CHECK, 173, 111, 125, 8},
        {IDC_STATIC, "Button", "Wave file", GROUP_BOX, 7, 128, 305, 27},
        {IDC_WAVE_PATH, "Static", "Static", SS_LEFT, 14, 136, 190, 16},
        {IDC_SELECT_WAVE, "Button", "Select", PUSH, 205, 137, 50, 14},
        {IDC_PLAY_WAVE, "Button", "Play", PUSH, 258, 137, 50, 14},
    });

    // The duration buttons form one group of their own.
    HWND once = GetDlgItem(dialog, IDC_DURATION_ONCE);
    HWND next = GetNextDlgGroupItem(dialog, once, FALSE);
    EXPECT_EQ(GetDlgCtrlID(next), IDC_DURATION_ONE_MINUTE);
    next = GetNextDlgGroupItem(dialog, next, FALSE);
    EXPECT_EQ(GetDlgCtrlID(next), IDC_DURATION_THREE_MINUTES);
    EXPECT_EQ(GetNextDlgGroupItem(dialog, next, FALSE), once);
}

TEST_F(DialogTemplates, ReminderPage)
{
    ASSERT_NE(create(IDD_REMINDER), nullptr);
    EXPECT_EQ(windowText(dialog), "Reminder");
    expectPopupStyle(dialog, WS_CHILD, WS_POPUP);
    const DWORD sortedList = DROP_LIST | CBS_SORT;
    const DWORD timeBox = SS_CENTER;
    expectControls(dialog, {
        {IDC_REMINDER_ON, "Button", "On", CHECK, 7, 7, 71, 11},
        {IDC_REMINDER_PERIOD_GROUP, "Button", "Period", GROUP_BOX, 7, 20, 174, 32},
        {IDC_REMINDER_HOURS_LABEL, "Static", "Hours:", SS_LEFT, 15, 35, 24, 10},
        {IDC_REMINDER_HOURS, "ComboBox", "", sortedList, 50, 33, 41, 77, 0, false},
        {IDC_REMINDER_MINUTES_LABEL, "Static", "Minutes:", SS_LEFT, 97, 35, 29, 10},
        {IDC_REMINDER_MINUTES, "ComboBox", "", sortedList, 132, 33, 41, 77, 0, false},
        {IDC_REMINDER_MESSAGE_GROUP, "Button", "Message", GROUP_BOX, 7, 56, 174, 32},
        {IDC_REMINDER_MESSAGE, "Edit", "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
         14, 69, 159, 12},
        {IDC_REMINDER_TIME_GROUP, "Button", "Time", GROUP_BOX, 7, 92, 173, 48},
        {IDC_REMINDER_BASE_LABEL, "Static", "Base:", SS_LEFT, 15, 106, 25, 10},
        {IDC_REMINDER_BASE, "Static", "", timeBox, 50, 104, 41, 13, WS_EX_STATICEDGE},
        {IDC_REMINDER_SET_CURRENT, "Button", "Set current", PUSH, 98, 103, 50, 14},
        {IDC_REMINDER_EVENT_LABEL, "Static", "Event:", SS_LEFT, 15, 122, 25, 10},
        {IDC_REMINDER_EVENT, "Static", "", timeBox, 50, 121, 41, 13, WS_EX_STATICEDGE},
    });

    // Tab goes On, hours, minutes, message, Set current, and round again.
    const int order[] = {IDC_REMINDER_ON, IDC_REMINDER_HOURS, IDC_REMINDER_MINUTES,
                         IDC_REMINDER_MESSAGE, IDC_REMINDER_SET_CURRENT, IDC_REMINDER_ON};
    HWND at = GetDlgItem(dialog, order[0]);
    for (size_t i = 1; i < std::size(order); ++i) {
        at = GetNextDlgTabItem(dialog, at, FALSE);
        EXPECT_EQ(GetDlgCtrlID(at), order[i]) << "tab step " << i;
    }
}

TEST_F(DialogTemplates, AlarmEditor)
{
    ASSERT_NE(create(IDD_EDITOR), nullptr);
    EXPECT_EQ(windowText(dialog), "Add alarm");
    expectPopupStyle(dialog, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_CHILD);
    expectClientSize(dialog, 300, 167);
    const DWORD radio = BS_AUTORADIOBUTTON;
    const DWORD text = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
    expectControls(dialog, {
        {IDC_STATIC, "Button", "Description", GROUP_BOX, 7, 8, 226, 30},
        {IDC_EDITOR_DESCRIPTION, "Edit", "", text, 12, 19, 214, 14},
        {IDC_STATIC, "Button", "Time", GROUP_BOX, 7, 41, 226, 30},
        {IDC_STATIC, "Static", "Hours:", SS_LEFT, 14, 53, 22, 10},
        {IDC_EDITOR_HOURS, "Edit", "", NUMBER, 49, 51, 28, 14},
        {IDC_STATIC, "Static", "Minutes:", SS_LEFT, 90, 53, 27, 10},
        {IDC_EDITOR_MINUTES, "Edit", "", NUMBER, 121, 51, 28, 14},
        {IDC_EDITOR_HOURS_SPIN, "msctls_updown32", "", SPIN, 238, 49, 11, 28, 0, false},
        {IDC_EDITOR_MINUTES_SPIN, "msctls_updown32", "", SPIN, 252, 49, 11, 28, 0, false},
        {IDC_STATIC, "Button", "Period", GROUP_BOX, 7, 75, 72, 61},
        {IDC_EDITOR_DAY, "Button", "Day", radio | WS_GROUP | WS_TABSTOP, 16, 86, 51, 8},
        {IDC_EDITOR_MONTH, "Button", "Month", radio, 16, 98, 51, 8},
        {IDC_EDITOR_QUARTER, "Button", "Quarter", radio, 16, 110, 51, 8},
        {IDC_EDITOR_YEAR, "Button", "Year", radio, 16, 122, 51, 8},
        {IDC_EDITOR_DAYS_GROUP, "Button", "Days of week", GROUP_BOX | WS_GROUP, 85, 75, 69, 84},
        {IDC_EDITOR_SUNDAY, "Button", "Sunday", CHECK, 92, 85, 45, 10},
        {IDC_EDITOR_SUNDAY + 1, "Button", "Monday", CHECK, 92, 95, 45, 10},
        {IDC_EDITOR_SUNDAY + 2, "Button", "Tuesday", CHECK, 92, 105, 45, 10},
        {IDC_EDITOR_SUNDAY + 3, "Button", "Wednesday", CHECK, 92, 115, 53, 10},
        {IDC_EDITOR_SUNDAY + 4, "Button", "Thursday", CHECK, 92, 125, 53, 10},
        {IDC_EDITOR_SUNDAY + 5, "Button", "Friday", CHECK, 92, 135, 53, 10},
        {IDC_EDITOR_SATURDAY, "Button", "Saturday", CHECK, 92, 145, 53, 10},
        {IDC_EDITOR_BASE_GROUP, "Button", "Base date", GROUP_BOX, 161, 75, 72, 61},
        {IDC_EDITOR_BASE_DAY_LABEL, "Static", "Day:", SS_LEFT, 171, 97, 22, 10},
        {IDC_EDITOR_BASE_DAY, "Edit", "", NUMBER, 199, 94, 28, 14},
        {IDC_EDITOR_BASE_MONTH_LABEL, "Static", "Month:", SS_LEFT, 171, 114, 22, 10},
        {IDC_EDITOR_BASE_MONTH, "Edit", "", NUMBER, 199, 110, 28, 14},
        {IDC_EDITOR_BASE_DAY_SPIN, "msctls_updown32", "", SPIN, 266, 49, 11, 28, 0, false},
        {IDC_EDITOR_BASE_MONTH_SPIN, "msctls_updown32", "", SPIN, 282, 49, 11, 28, 0, false},
        {IDOK, "Button", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 243, 12, 50, 14},
        {IDCANCEL, "Button", "Cancel", PUSH, 243, 30, 50, 14},
    });

    // The period buttons are one group, closed before the day check boxes.
    HWND day = GetDlgItem(dialog, IDC_EDITOR_DAY);
    HWND at = day;
    for (int id : {IDC_EDITOR_MONTH, IDC_EDITOR_QUARTER, IDC_EDITOR_YEAR, IDC_EDITOR_DAY}) {
        at = GetNextDlgGroupItem(dialog, at, FALSE);
        EXPECT_EQ(GetDlgCtrlID(at), id);
    }
}

TEST_F(DialogTemplates, AlarmMessageWindow)
{
    ASSERT_NE(create(IDD_MESSAGE), nullptr);
    EXPECT_EQ(windowText(dialog), "Message from Tockmere");
    expectPopupStyle(dialog,
                     WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
                     WS_CHILD);
    EXPECT_TRUE(IsWindowVisible(dialog));  // shown without a ShowWindow call
    expectClientSize(dialog, 142, 87);
    expectControls(dialog, {
        {IDOK, "Button", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 45, 66, 50, 14},
        {IDC_MESSAGE_TEXT, "Static", "", SS_CENTER, 7, 14, 128, 36, WS_EX_TRANSPARENT},
    });
}

TEST_F(DialogTemplates, AboutBox)
{
    ASSERT_NE(create(IDD_ABOUT), nullptr);
    EXPECT_EQ(windowText(dialog), "About");
    expectPopupStyle(dialog, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER,
                     WS_CHILD | WS_VISIBLE);
    expectControls(dialog, {
        // The picture control takes the size of its bitmap.
        {IDC_STATIC, "Static", nullptr, SS_BITMAP, 7, 7, 135, 38, 0, false},
        {IDC_ABOUT_VERSION, "Static", "Static", SS_CENTER, 7, 50, 135, 12, WS_EX_STATICEDGE},
        {IDC_ABOUT_CREDIT, "Static", "Static", SS_CENTER, 7, 67, 135, 12, WS_EX_STATICEDGE},
        {IDC_ABOUT_RIGHTS, "Static", "Static", SS_CENTER, 7, 84, 135, 12, WS_EX_STATICEDGE},
        {IDOK, "Button", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 153, 7, 51, 14},
    });

    HWND picture = GetWindow(dialog, GW_CHILD);
    HBITMAP banner = reinterpret_cast<HBITMAP>(
        SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(banner, nullptr) << "the picture shows no bitmap";
    BITMAP info = {};
    GetObjectA(banner, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 203);
    EXPECT_EQ(info.bmHeight, 61);
}

TEST_F(DialogTemplates, Calendar)
{
    ASSERT_NE(create(IDD_CALENDAR), nullptr);
    EXPECT_EQ(windowText(dialog), "Calendar");
    expectPopupStyle(dialog, WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_CHILD | DS_CENTER);
    EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    expectControls(dialog, {
        {IDC_CALENDAR, "SysMonthCal32", nullptr, MCS_NOTODAY | WS_TABSTOP, 7, 7, 118, 94, 0, false},
    });
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
