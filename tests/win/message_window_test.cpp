// The alarm message window on its real dialog template: what it shows, and
// the primary-button release it posts to the clock when it closes.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "alarms/message_window_win.h"
#include "app/app_state.h"
#include "resource.h"

namespace {

HWND open(HWND owner, AlarmEvent& record, int hours, int minutes, const std::string& description)
{
    record = AlarmEvent{1, "", hours, minutes};
    std::strcpy(record.description, description.c_str());
    return CreateDialogParamA(app.hInstance, MAKEINTRESOURCEA(IDD_MESSAGE), owner, AlarmMessageWindow,
                              reinterpret_cast<LPARAM>(&record));
}

std::string shownText(HWND window)
{
    char text[400] = {};
    GetDlgItemTextA(window, IDC_MESSAGE_TEXT, text, sizeof text);
    return text;
}

TEST(MessageWindow, ShowsTimeBlankLineAndDescriptionAndClosingPostsThePrimaryButtonUp)
{
    app.hInstance = GetModuleHandleA(nullptr);
    HWND owner =
        CreateWindowExA(0, "STATIC", "clock", WS_POPUP, 0, 0, 100, 40, nullptr, nullptr, app.hInstance, nullptr);
    AlarmEvent tea, empty, longest;
    HWND window = open(owner, tea, 7, 5, "Tea");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDOK);
    std::strcpy(tea.description, "Coffee");  // the text is read once
    EXPECT_EQ(shownText(window), "07:05\n\nTea");
    HWND emptyWindow = open(owner, empty, 23, 59, "");
    EXPECT_EQ(shownText(emptyWindow), "23:59\n\n");
    HWND longestWindow = open(owner, longest, 0, 0, std::string(TEXT_SIZE - 1, 'w'));
    EXPECT_EQ(shownText(longestWindow), "00:00\n\n" + std::string(TEXT_SIZE - 1, 'w'));
    // Other commands are left to the dialog manager.
    EXPECT_EQ(AlarmMessageWindow(window, WM_COMMAND, MAKEWPARAM(1234, BN_CLICKED), 0), FALSE);

    // OK, the close box, and OK with the buttons swapped; each closes only its own window.
    const struct {
        const char* what;
        HWND window;
        WORD id;
        int swapped;
        UINT posted;
    } closes[] = {{"OK", window, IDOK, 0, WM_LBUTTONUP},
                  {"close box", emptyWindow, IDCANCEL, 0, WM_LBUTTONUP},
                  {"OK, buttons swapped", longestWindow, IDOK, 1, WM_RBUTTONUP}};
    for (const auto& c : closes) {
        SCOPED_TRACE(c.what);
        app.buttonsSwapped = c.swapped;
        EXPECT_TRUE(IsWindow(c.window));
        // Called directly: through SendMessage the dialog manager answers.
        EXPECT_EQ(AlarmMessageWindow(c.window, WM_COMMAND, MAKEWPARAM(c.id, BN_CLICKED), 0), TRUE);
        EXPECT_FALSE(IsWindow(c.window));
        MSG msg{};
        ASSERT_TRUE(PeekMessageA(&msg, owner, WM_LBUTTONUP, WM_RBUTTONUP, PM_REMOVE));
        EXPECT_EQ(msg.message, c.posted);
        EXPECT_EQ(msg.wParam, 0u);
        EXPECT_EQ(msg.lParam, 0);
    }
    app.buttonsSwapped = 0;
    DestroyWindow(owner);
}

}  // namespace
