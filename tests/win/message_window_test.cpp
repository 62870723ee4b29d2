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

class MessageWindow : public ::testing::Test {
protected:
    HWND owner = nullptr;

    void SetUp() override
    {
        app.hInstance = GetModuleHandleA(nullptr);
        app.buttonsSwapped = 0;
        owner = CreateWindowExA(0, "STATIC", "clock", WS_POPUP, 0, 0, 100, 40, nullptr, nullptr,
                                app.hInstance, nullptr);
        ASSERT_NE(owner, nullptr);
    }

    void TearDown() override
    {
        app.buttonsSwapped = 0;
        if (owner)
            DestroyWindow(owner);
    }

    HWND open(const AlarmEvent& record)
    {
        return CreateDialogParamA(app.hInstance, MAKEINTRESOURCEA(IDD_MESSAGE), owner, AlarmMessageWindow,
                                  reinterpret_cast<LPARAM>(&record));
    }

    static std::string shownText(HWND window)
    {
        char text[400] = {};
        GetDlgItemTextA(window, IDC_MESSAGE_TEXT, text, sizeof text);
        return text;
    }

    // The button-up message waiting for the clock, or 0 when none is.
    UINT postedButtonUp(WPARAM* wParam, LPARAM* lParam)
    {
        MSG msg;
        if (PeekMessageA(&msg, owner, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE) ||
            PeekMessageA(&msg, owner, WM_RBUTTONUP, WM_RBUTTONUP, PM_REMOVE)) {
            *wParam = msg.wParam;
            *lParam = msg.lParam;
            return msg.message;
        }
        return 0;
    }
};

AlarmEvent record(int hours, int minutes, const char* description)
{
    AlarmEvent e{};
    e.hours = hours;
    e.minutes = minutes;
    std::strcpy(e.description, description);
    return e;
}

}  // namespace

TEST_F(MessageWindow, ShowsTimeBlankLineAndDescription)
{
    AlarmEvent tea = record(7, 5, "Tea");
    HWND window = open(tea);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(shownText(window), "07:05\n\nTea");
    EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDOK);

    // The text is read once: later changes of the record do not show.
    std::strcpy(tea.description, "Coffee");
    EXPECT_EQ(shownText(window), "07:05\n\nTea");
    DestroyWindow(window);

    AlarmEvent empty = record(23, 59, "");
    window = open(empty);
    EXPECT_EQ(shownText(window), "23:59\n\n");
    DestroyWindow(window);

    AlarmEvent longest = record(0, 0, std::string(TEXT_SIZE - 1, 'w').c_str());
    window = open(longest);
    EXPECT_EQ(shownText(window), "00:00\n\n" + std::string(TEXT_SIZE - 1, 'w'));
    DestroyWindow(window);
}

TEST_F(MessageWindow, OkAndCloseBoxPostThePrimaryButtonReleaseAndClose)
{
    AlarmEvent tea = record(7, 5, "Tea");
    for (WORD id : {IDOK, IDCANCEL}) {
        HWND window = open(tea);
        ASSERT_NE(window, nullptr);
        // Called directly: through SendMessage the dialog manager answers.
        EXPECT_EQ(AlarmMessageWindow(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0), TRUE);
        EXPECT_FALSE(IsWindow(window)) << id;
        WPARAM wParam = 99;
        LPARAM lParam = 99;
        EXPECT_EQ(postedButtonUp(&wParam, &lParam), static_cast<UINT>(WM_LBUTTONUP)) << id;
        EXPECT_EQ(wParam, 0u);
        EXPECT_EQ(lParam, 0);
    }
}

TEST_F(MessageWindow, SwappedButtonsPostTheRightButtonRelease)
{
    app.buttonsSwapped = 1;
    AlarmEvent tea = record(7, 5, "Tea");
    HWND window = open(tea);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WPARAM wParam;
    LPARAM lParam;
    EXPECT_EQ(postedButtonUp(&wParam, &lParam), static_cast<UINT>(WM_RBUTTONUP));
}

TEST_F(MessageWindow, ClosingOneLeavesTheOthersOpen)
{
    AlarmEvent first = record(9, 0, "first");
    AlarmEvent second = record(9, 0, "second");
    HWND a = open(first);
    HWND b = open(second);
    SendMessageA(a, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_FALSE(IsWindow(a));
    EXPECT_TRUE(IsWindow(b));
    EXPECT_EQ(shownText(b), "09:00\n\nsecond");
    // Other commands are left to the dialog manager.
    EXPECT_EQ(AlarmMessageWindow(b, WM_COMMAND, MAKEWPARAM(1234, BN_CLICKED), 0), FALSE);
    EXPECT_TRUE(IsWindow(b));
    DestroyWindow(b);
}
