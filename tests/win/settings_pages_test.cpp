// The two display pages created from their templates under a stand-in for
// the property sheet.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "resource.h"
#include "settings/advanced_page_win.h"
#include "settings/settings_page_win.h"
#include "win/face_fixture.h"

namespace {

int changeReports = 0;

// The sheet as far as a page sees it: the parent that hears PSM_CHANGED.
LRESULT CALLBACK standInSheet(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    changeReports += message == PSM_CHANGED;
    return DefWindowProcA(window, message, wParam, lParam);
}

class PageTest : public facetest::FaceWindowTest {
protected:
    void TearDown() override { DestroyWindow(page), DestroyWindow(sheet), FaceWindowTest::TearDown(); }
    void createPage(int templateId, DLGPROC procedure)
    {
        InitCommonControls();
        WNDCLASSA wc{0, standInSheet, 0, 0, GetModuleHandleA(NULL)};
        wc.lpszClassName = "TockmereSheetStandIn";
        RegisterClassA(&wc);  // fails harmlessly after the first test
        sheet = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 400, 400, NULL, NULL, wc.hInstance, NULL);
        page = CreateDialogParamA(wc.hInstance, MAKEINTRESOURCEA(templateId), sheet, procedure, 0);
        ASSERT_NE(page, nullptr);
        changeReports = 0;
    }
    void command(int id, int code) { SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, code), LPARAM(GetDlgItem(page, id))); }
    LRESULT item(int id, UINT message, WPARAM wParam = 0) { return SendDlgItemMessageA(page, id, message, wParam, 0); }

    HWND sheet = NULL, page = NULL;
};

// Percentages the registry never lets through show and apply as the nearer
// end; every control reports a change, a list only for a new selection.
TEST_F(PageTest, TheSettingsPageClampsPercentagesAndReportsEveryChange)
{
    app.opacity = 120, app.scale = 30;
    createPage(IDD_SETTINGS, SettingsPage);
    EXPECT_EQ(item(IDC_OPACITY, TBM_GETPOS), 100);
    EXPECT_EQ(item(IDC_SCALE, TBM_GETPOS), 50);
    EXPECT_EQ(item(IDC_SCALE, TBM_GETNUMTICS), 6);  // 50, 60, ..., 100
    EXPECT_EQ(changeReports, 0) << "filling the controls is no change";
    PSHNOTIFY apply{{sheet, 0, UINT(PSN_APPLY)}};
    SendMessageA(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&apply));
    EXPECT_EQ(GetWindowLongPtrA(page, DWLP_MSGRESULT), PSNRET_NOERROR);
    EXPECT_TRUE(app.opacity == 100 && app.scale == 50);
    EXPECT_EQ(windowRect().bottom - windowRect().top, 40);

    for (int id : {IDC_SHOW_SECONDS, IDC_SHOW_DATE, IDC_SHOW_DAY, IDC_FLASH_DELIMITER, IDC_SHOW_SHADOW,
                   IDC_ALWAYS_ON_TOP, IDC_AUTO_RUN})
        item(id, BM_CLICK);
    EXPECT_EQ(changeReports, 7);
    command(IDC_BACKGROUND_TYPE, CBN_SELCHANGE);
    command(IDC_BACKGROUND_TYPE, CBN_DROPDOWN);
    EXPECT_EQ(changeReports, 8);
    item(IDC_OPACITY, WM_KEYDOWN, VK_LEFT);
    EXPECT_EQ(changeReports, 9);
    EXPECT_EQ(item(IDC_OPACITY, TBM_GETPOS), 90);
}

// The colour in the middle of a swatch.
COLORREF middle(HBITMAP swatch)
{
    HDC memory = CreateCompatibleDC(NULL);
    HGDIOBJ original = SelectObject(memory, swatch);
    COLORREF color = GetPixel(memory, 5, 5);
    SelectObject(memory, original);
    DeleteDC(memory);
    return color;
}

TEST_F(PageTest, EachSwatchButtonOwnsOneBitmapUntilThePageGoes)
{
    app.colorBase = 0x102030, app.presetCount = 1;
    app.colorPresets[0] = {"Second", 0x508578, 0xAAE7D9, 0};
    createPage(IDD_ADVANCED, AdvancedSettingsPage);
    auto swatches = [&] {
        return std::vector<HBITMAP>{HBITMAP(item(IDC_COLOR_BASE, BM_GETIMAGE, IMAGE_BITMAP)),
                                    HBITMAP(item(IDC_COLOR_BORDER, BM_GETIMAGE, IMAGE_BITMAP)),
                                    HBITMAP(item(IDC_COLOR_TEXT, BM_GETIMAGE, IMAGE_BITMAP))};
    };
    std::vector<HBITMAP> first = swatches();
    EXPECT_EQ(middle(first[0]), 0x102030u);
    // A preset paints new swatches and frees the old (unless a new one took
    // over a freed handle).
    item(IDC_PRESET, CB_SETCURSEL, 0);
    command(IDC_PRESET, CBN_SELCHANGE);
    EXPECT_EQ(changeReports, 1);
    std::vector<HBITMAP> second = swatches();
    EXPECT_EQ(middle(second[0]), 0xAAE7D9u);
    for (HBITMAP old : first)
        EXPECT_TRUE(std::count(second.begin(), second.end(), old) || GetObjectType(old) == 0);
    DestroyWindow(page), page = NULL;
    for (HBITMAP swatch : second)
        EXPECT_EQ(GetObjectType(swatch), 0u);
}

}  // namespace
