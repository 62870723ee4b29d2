#pragma once
// The persisted part of the application state: every user choice and the
// alarm table. The running program keeps exactly one of these (inside
// AppState); saving takes a copy.
#include "alarms/alarm_event.h"
#include "app/color.h"

enum AlarmDuration { DURATION_ONCE = 0, DURATION_ONE_MINUTE = 1, DURATION_THREE_MINUTES = 2 };
enum BackgroundType { BACKGROUND_SOLID = 0, BACKGROUND_SOFT = 1, BACKGROUND_GRADIENT = 2, BACKGROUND_GLASS = 3 };

struct Settings {
    int showSeconds;
    int flashDelimiter;
    int showDate;
    int showDayOfWeek;
    int showShadow;
    int autoRun;
    int alwaysOnTop;
    int opacity;  // percent, 50..100
    int alarmDuration;
    char wavePath[TEXT_SIZE];
    int showAlarmDialog;
    int backgroundType;
    EventTable events;
    int posX;  // -1: never placed
    int posY;
    ColorRef colorBorder;
    ColorRef colorBase;
    ColorRef colorText;
    int scale;  // percent, 50..100
    int hideForFullScreen;  // step aside while a full-screen program covers the clock's monitor
    int snoozeMinutes;      // the snooze length chosen last, 1..120
    // The reminder as it rang, kept while its snooze waits (snoozeUtc set):
    // the reminder itself is not stored and may be armed anew meanwhile.
    AlarmEvent snoozedReminder;
};

constexpr ColorRef DEFAULT_COLOR_BORDER = 0x006A3B05;
constexpr ColorRef DEFAULT_COLOR_BASE = 0x00DEC8CD;
