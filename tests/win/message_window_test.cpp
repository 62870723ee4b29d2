// The alarm message window on its real dialog template: what it shows, and
// what closing it does to the clock, whose window procedure gets what the
// window posts.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "alarms/message_window_win.h"
#include "app/app_state.h"
#include "app/main_window_win.h"
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

// The clock's window procedure on a plain window, without its creation
// work. A menu it would open is counted instead: TrackPopupMenu would wait
// for a choice.
int menusOpened = 0;

LRESULT CALLBACK clockStandIn(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CONTEXTMENU) {
        ++menusOpened;
        return 0;
    }
    return MainWindowProc(hwnd, message, wParam, lParam);
}

void dispatchWaitingMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

TEST(MessageWindow, ShowsTheRecordAndClosingItStopsTheRingingWithoutAMenu)
{
    app.hInstance = GetModuleHandleA(nullptr);
    HWND clock =
        CreateWindowExA(0, "STATIC", "clock", WS_POPUP, 0, 0, 100, 40, nullptr, nullptr, app.hInstance, nullptr);
    auto plainProc = reinterpret_cast<LONG_PTR>(
        SetWindowLongPtrA(clock, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(clockStandIn)));
    app.hwndMain = clock;

    AlarmEvent tea, empty, longest;
    HWND window = open(clock, tea, 7, 5, "Tea");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDOK);
    std::strcpy(tea.description, "Coffee");  // the text is read once
    EXPECT_EQ(shownText(window), "07:05\n\nTea");
    HWND emptyWindow = open(clock, empty, 23, 59, "");
    EXPECT_EQ(shownText(emptyWindow), "23:59\n\n");
    HWND longestWindow = open(clock, longest, 0, 0, std::string(TEXT_SIZE - 1, 'w'));
    EXPECT_EQ(shownText(longestWindow), "00:00\n\n" + std::string(TEXT_SIZE - 1, 'w'));

    // The OK button and the close box; each closes only its own window.
    const struct {
        const char* what;
        HWND window;
        void (*close)(HWND);
    } closes[] = {{"OK", window, [](HWND w) { SendMessageA(GetDlgItem(w, IDOK), BM_CLICK, 0, 0); }},
                  {"close box", emptyWindow, [](HWND w) { SendMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0); }}};
    for (const auto& c : closes) {
        SCOPED_TRACE(c.what);
        app.ringing.stopRequested = 0;
        c.close(c.window);
        dispatchWaitingMessages();
        EXPECT_FALSE(IsWindow(c.window));
        EXPECT_EQ(app.ringing.stopRequested, 1);
    }
    EXPECT_TRUE(IsWindow(longestWindow));
    EXPECT_EQ(menusOpened, 0);

    DestroyWindow(longestWindow);
    SetWindowLongPtrA(clock, GWLP_WNDPROC, plainProc);  // the clock's WM_DESTROY would save settings
    DestroyWindow(clock);
    app.hwndMain = nullptr;
    app.ringing.stopRequested = 0;
}

}  // namespace
