// The program's resources as Windows loads them: strings, the popup menu, the
// accelerator keys, icons and banner, the manifest and version record. The
// dialog templates are driven by their own tests.
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
    return GetModuleHandleA(NULL);
}

std::string loadString(UINT id)
{
    char text[260] = "";
    LoadStringA(self(), id, text, sizeof text);
    return text;
}

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
    const std::pair<UINT, const char*> expected[] = {  // 0: a separator
        {IDM_SETTINGS, "Settings..."}, {IDM_ADVANCED, "Advanced settings..."}, {IDM_ALARM, "Alarm..."},
        {IDM_REMINDER, "Reminder..."}, {0, ""}, {IDM_CALENDAR, "Calendar..."},
        {IDM_DEFAULT_POSITION, "Set to default position"}, {0, ""}, {IDM_HELP, "Help..."},
        {IDM_ABOUT, "About..."}, {IDM_HOME_PAGE, "Home page..."}, {0, ""}, {IDM_EXIT, "Exit"},
    };
    HMENU menu = LoadMenuA(self(), MAKEINTRESOURCEA(IDR_POPUP_MENU));
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(std::size(expected)));
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        SCOPED_TRACE("menu position " + std::to_string(i));
        MENUITEMINFOA info{sizeof info, MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU};
        ASSERT_TRUE(GetMenuItemInfoA(popup, i, TRUE, &info));
        EXPECT_EQ(info.hSubMenu, nullptr);
        EXPECT_EQ((info.fType & MFT_SEPARATOR) != 0, expected[i].first == 0);
        char text[100] = "";
        GetMenuStringA(popup, i, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, expected[i].second);
        if (expected[i].first)
            EXPECT_EQ(info.wID, expected[i].first);
    }
    DestroyMenu(menu);
}

std::vector<WPARAM> commands;  // what reached the recorder window

LRESULT CALLBACK recordCommands(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        commands.push_back(wParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST(Resources, AltQuestionMarkTranslatesToTheAboutCommand)
{
    HACCEL table = LoadAcceleratorsA(self(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    WNDCLASSA wc{0, recordCommands, 0, 0, self()};
    wc.lpszClassName = "TockmereCommandRecorder";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, self(), NULL);
    BYTE keys[256];
    GetKeyboardState(keys);
    const BYTE altBefore = keys[VK_MENU];
    // Alt+? and Alt+/ (the same key) give About; without Alt it is a character.
    for (auto [alt, character] : {std::pair{true, '?'}, {true, '/'}, {false, '?'}}) {
        SCOPED_TRACE(std::string(alt ? "Alt+" : "") + character);
        keys[VK_MENU] = alt ? 0x80 : 0;  // the table is matched against the thread's keyboard state
        SetKeyboardState(keys);
        commands.clear();
        MSG msg{window, UINT(alt ? WM_SYSCHAR : WM_CHAR), WPARAM(character), (alt ? 1 << 29 : 0) | 1};
        EXPECT_EQ(TranslateAcceleratorA(window, table, &msg) != 0, alt);
        EXPECT_EQ(commands, alt ? std::vector<WPARAM>{MAKEWPARAM(IDM_ABOUT, 1)} : std::vector<WPARAM>{});
    }
    keys[VK_MENU] = altBefore;
    SetKeyboardState(keys);
    DestroyWindow(window);
}

// An icon group's images as stored: 32 bpp with a real alpha channel
// (transparent corners, opaque centre); and the icon loads at each size.
void expectAlphaIcons(UINT groupId, std::vector<int> sizes)
{
    SCOPED_TRACE("icon " + std::to_string(groupId));
    HRSRC group = FindResourceA(self(), MAKEINTRESOURCEA(groupId), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    const BYTE* directory = static_cast<const BYTE*>(LockResource(LoadResource(self(), group)));
    ASSERT_EQ(directory[4], sizes.size());
    for (size_t i = 0; i < sizes.size(); ++i) {
        const BYTE* entry = directory + 6 + 14 * i;  // packed GRPICONDIRENTRY
        int size = sizes[i];
        EXPECT_EQ(entry[0], size);
        WORD imageId;
        std::memcpy(&imageId, entry + 12, 2);
        HRSRC image = FindResourceA(self(), MAKEINTRESOURCEA(imageId), RT_ICON);
        ASSERT_NE(image, nullptr);
        const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(self(), image)));
        BITMAPINFOHEADER header;
        std::memcpy(&header, data, sizeof header);
        EXPECT_TRUE(header.biWidth == size && header.biHeight == 2 * size);  // colour and mask
        ASSERT_EQ(header.biBitCount, 32);
        auto alphaAt = [&](int x, int yFromBottom) { return data[header.biSize + (yFromBottom * size + x) * 4 + 3]; };
        EXPECT_TRUE(alphaAt(0, 0) == 0 && alphaAt(size - 1, size - 1) == 0 && alphaAt(size / 2, size / 2) == 255);
    }
    for (int size : {16, 32}) {
        HICON icon = static_cast<HICON>(LoadImageA(self(), MAKEINTRESOURCEA(groupId), IMAGE_ICON, size, size, 0));
        EXPECT_NE(icon, nullptr) << size;
        DestroyIcon(icon);
    }
}

TEST(Resources, IconsAndAboutBanner)
{
    expectAlphaIcons(IDI_TOCKMERE, {32, 16});
    expectAlphaIcons(IDI_SMALL, {16});
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(self(), MAKEINTRESOURCEA(IDB_ABOUT), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, 203);
    EXPECT_EQ(dib.dsBm.bmHeight, 61);
    EXPECT_EQ(dib.dsBmih.biBitCount, 24);
    DeleteObject(bitmap);
}

std::string resourceBytes(int id, int type)
{
    HRSRC found = FindResourceA(self(), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
    const char* data = found ? static_cast<const char*>(LockResource(LoadResource(self(), found))) : "";
    return std::string(data, found ? SizeofResource(self(), found) : 0);
}

TEST(Resources, ManifestAsksForCommonControls6AndTheLoaderHonoursIt)
{
    std::string manifest = resourceBytes(1, 24);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\""), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
    // Buttons answer BCM_GETIDEALSIZE only in common controls 6.
    INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    HWND button = CreateWindowExA(0, "Button", "OK", WS_POPUP, 0, 0, 60, 20, NULL, NULL, self(), NULL);
    SIZE ideal{};
    EXPECT_TRUE(SendMessageA(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
    EXPECT_GT(ideal.cx, 0);
    DestroyWindow(button);
}

TEST(Resources, VersionRecordNamesProductAndVersion)
{
    // version.dll is not linked into the tests; VerQueryValue may write into
    // the block, so it gets a roomy copy.
    std::string block = resourceBytes(1, 16);
    ASSERT_FALSE(block.empty());
    std::vector<char> copy(block.begin(), block.end());
    copy.resize(block.size() * 2);
    using Query = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
    auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("version.dll"), "VerQueryValueW")));
    ASSERT_NE(query, nullptr);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(query(copy.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 4));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, 2));
    const std::pair<const wchar_t*, const wchar_t*> strings[] = {
        {L"ProductName", L"Tockmere"}, {L"FileVersion", L"4.02"}, {L"ProductVersion", L"4.02"},
        {L"FileDescription", L"Tockmere desktop clock"}, {L"CompanyName", L"Vellomar"},
    };
    for (const auto& [name, value] : strings) {
        wchar_t* text = nullptr;
        std::wstring path = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
        ASSERT_TRUE(query(copy.data(), path.c_str(), reinterpret_cast<void**>(&text), &length));
        EXPECT_STREQ(text, value);
    }
}

}  // namespace
