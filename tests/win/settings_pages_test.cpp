// The two display pages created from their templates in this process, under
// a stand-in for the property sheet: what they show for values the registry
// never lets through, what Apply stores, and the swatch bitmaps' lifetimes.
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <vector>

#include "resource.h"
#include "settings/advanced_page_win.h"
#include "settings/settings_page_win.h"
#include "win/face_fixture.h"

namespace {

int changeReports = 0;

// The sheet as far as a page sees it: the parent that hears PSM_CHANGED.
LRESULT CALLBACK StandInSheet(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == PSM_CHANGED)
        ++changeReports;
    return DefWindowProcA(window, message, wParam, lParam);
}

class PageTest : public facetest::FaceWindowTest {
protected:
    void SetUp() override
    {
        FaceWindowTest::SetUp();
        InitCommonControls();
        WNDCLASSA wc{};
        wc.lpfnWndProc = StandInSheet;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = "TockmereSheetStandIn";
        RegisterClassA(&wc);  // fails harmlessly after the first test
        sheet = CreateWindowExA(0, wc.lpszClassName, "sheet", WS_POPUP, 0, 0, 400, 400, NULL, NULL,
                                wc.hInstance, NULL);
        ASSERT_NE(sheet, nullptr);
        changeReports = 0;
    }
    void TearDown() override
    {
        if (page)
            DestroyWindow(page);
        DestroyWindow(sheet);
        FaceWindowTest::TearDown();
    }

    void createPage(int templateId, DLGPROC procedure)
    {
        page = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(templateId), sheet, procedure, 0);
        ASSERT_NE(page, nullptr);
    }
    void notify(UINT code)
    {
        PSHNOTIFY notice{};
        notice.hdr.hwndFrom = sheet;
        notice.hdr.code = code;
        SendMessageA(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice));
    }
    int trackPosition(int id) { return static_cast<int>(SendDlgItemMessageA(page, id, TBM_GETPOS, 0, 0)); }

    HWND sheet = NULL;
    HWND page = NULL;
};

TEST_F(PageTest, PercentagesOutsideTheRangeShowAndApplyAsTheNearerEnd)
{
    app.opacity = 120;
    app.scale = 30;
    createPage(IDD_SETTINGS, SettingsPage);
    EXPECT_EQ(trackPosition(IDC_OPACITY), 100);
    EXPECT_EQ(trackPosition(IDC_SCALE), 50);
    EXPECT_EQ(SendDlgItemMessageA(page, IDC_SCALE, TBM_GETLINESIZE, 0, 0), 10);
    EXPECT_EQ(SendDlgItemMessageA(page, IDC_SCALE, TBM_GETNUMTICS, 0, 0), 6);  // 50, 60, ..., 100
    EXPECT_EQ(changeReports, 0) << "filling the controls is no change";

    notify(PSN_APPLY);
    EXPECT_EQ(GetWindowLongPtrA(page, DWLP_MSGRESULT), PSNRET_NOERROR);
    EXPECT_EQ(app.opacity, 100);
    EXPECT_EQ(app.scale, 50);
    EXPECT_EQ(windowRect().bottom - windowRect().top, 40);
}

TEST_F(PageTest, EveryControlOfTheSettingsPageReportsAChange)
{
    createPage(IDD_SETTINGS, SettingsPage);
    for (int id : {IDC_SHOW_SECONDS, IDC_SHOW_DATE, IDC_SHOW_DAY, IDC_FLASH_DELIMITER, IDC_SHOW_SHADOW,
                   IDC_ALWAYS_ON_TOP, IDC_AUTO_RUN}) {
        int before = changeReports;
        SendDlgItemMessageA(page, id, BM_CLICK, 0, 0);
        EXPECT_EQ(changeReports, before + 1) << "check box " << id;
    }
    int before = changeReports;
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_BACKGROUND_TYPE, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_BACKGROUND_TYPE)));
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_BACKGROUND_TYPE, CBN_DROPDOWN),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_BACKGROUND_TYPE)));
    EXPECT_EQ(changeReports, before + 1) << "only a new selection is a change";
    SendDlgItemMessageA(page, IDC_OPACITY, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(changeReports, before + 2);
    EXPECT_EQ(trackPosition(IDC_OPACITY), 90);
}

HBITMAP swatchOf(HWND page, int id)
{
    return reinterpret_cast<HBITMAP>(SendDlgItemMessageA(page, id, BM_GETIMAGE, IMAGE_BITMAP, 0));
}

// The colour of a swatch's middle pixel, and whether it covers the button.
COLORREF swatchColor(HWND page, int id)
{
    HBITMAP swatch = swatchOf(page, id);
    BITMAP info{};
    RECT area{};
    GetClientRect(GetDlgItem(page, id), &area);
    if (!swatch || !GetObjectA(swatch, sizeof info, &info) || info.bmWidth != area.right ||
        info.bmHeight != area.bottom)
        return CLR_INVALID;
    HDC memory = CreateCompatibleDC(NULL);
    HGDIOBJ original = SelectObject(memory, swatch);
    COLORREF color = GetPixel(memory, info.bmWidth / 2, info.bmHeight / 2);
    SelectObject(memory, original);
    DeleteDC(memory);
    return color;
}

TEST_F(PageTest, EachSwatchButtonOwnsOneBitmapUntilThePageGoes)
{
    app.colorBase = 0x102030;
    app.colorBorder = 0x405060;
    app.colorText = 0x708090;
    app.presetCount = 2;
    app.colorPresets[0] = {"First", 0x010101, 0x020202, 0x030303};
    app.colorPresets[1] = {"Second", 0x508578, 0xAAE7D9, 0};
    createPage(IDD_ADVANCED, AdvancedSettingsPage);
    const int buttons[] = {IDC_COLOR_BASE, IDC_COLOR_BORDER, IDC_COLOR_TEXT};
    EXPECT_EQ(swatchColor(page, IDC_COLOR_BASE), 0x102030u);
    EXPECT_EQ(swatchColor(page, IDC_COLOR_BORDER), 0x405060u);
    EXPECT_EQ(swatchColor(page, IDC_COLOR_TEXT), 0x708090u);
    std::vector<HBITMAP> first;
    for (int id : buttons)
        first.push_back(swatchOf(page, id));

    // A preset paints new swatches; the old ones are gone, unless a new one
    // took over a freed handle.
    SendDlgItemMessageA(page, IDC_PRESET, CB_SETCURSEL, 1, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_PRESET, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_PRESET)));
    EXPECT_EQ(changeReports, 1);
    EXPECT_EQ(swatchColor(page, IDC_COLOR_BASE), 0xAAE7D9u);
    EXPECT_EQ(swatchColor(page, IDC_COLOR_BORDER), 0x508578u);
    EXPECT_EQ(swatchColor(page, IDC_COLOR_TEXT), 0u);
    std::vector<HBITMAP> second;
    for (int id : buttons)
        second.push_back(swatchOf(page, id));
    for (HBITMAP old : first) {
        bool reused = std::find(second.begin(), second.end(), old) != second.end();
        EXPECT_TRUE(reused || GetObjectType(old) == 0);
    }
    EXPECT_EQ(app.colorBase, 0x102030u) << "nothing is stored before Apply";

    notify(PSN_APPLY);
    EXPECT_EQ(app.colorBase, 0xAAE7D9u);
    EXPECT_EQ(app.colorBorder, 0x508578u);
    EXPECT_EQ(app.colorText, 0u);

    DestroyWindow(page);
    page = NULL;
    for (HBITMAP swatch : second)
        EXPECT_EQ(GetObjectType(swatch), 0u);
}

}  // namespace
