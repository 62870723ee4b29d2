#include "app/tray_retry.h"

TrayIconStep afterTrayIconAttempt(TrayIconRetry& retry, bool added)
{
    if (added) {
        retry.failedAttempts = 0;
        return TRAY_ICON_ADDED;
    }
    if (++retry.failedAttempts <= TRAY_RETRIES)
        return TRAY_TRY_AGAIN;
    // The round is over; a taskbar that appears later still starts a new one.
    retry.failedAttempts = 0;
    if (retry.reported)
        return TRAY_STOP_TRYING;
    retry.reported = true;
    return TRAY_REPORT_MISSING;
}
