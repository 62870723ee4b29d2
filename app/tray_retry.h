#pragma once
// Adding the notification-area icon when the clock starts before the taskbar
// exists (from the Run value at logon): the clock keeps running and tries
// again every few seconds, and tells the user only when there is still no
// notification area after a generous wait.

constexpr unsigned TRAY_RETRY_INTERVAL_MS = 5000;
// The attempts after the one at start: five minutes of them.
constexpr int TRAY_RETRIES = 60;

struct TrayIconRetry {
    int failedAttempts;  // since the icon was last added or the last round ended
    bool reported;       // the user was told once; never again
};

enum TrayIconStep {
    TRAY_ICON_ADDED,      // stop trying
    TRAY_TRY_AGAIN,       // try again after TRAY_RETRY_INTERVAL_MS
    TRAY_REPORT_MISSING,  // stop trying and tell the user
    TRAY_STOP_TRYING,     // stop trying without a word: the user was told
};

// What to do after one attempt to add the icon, at start, on a retry or when
// a taskbar announces itself.
TrayIconStep afterTrayIconAttempt(TrayIconRetry& retry, bool added);
