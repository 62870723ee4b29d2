// Resource identifiers of tockmere.exe, shared by the resource script, the
// program and its tests.
#pragma once

// Controls the program never addresses (labels, group boxes, pictures)
#ifndef IDC_STATIC
#define IDC_STATIC               (-1)
#endif

// Strings
#define IDS_APP_TITLE            103
#define IDS_CLASS_NAME           109
#define IDS_VERSION              1001
#define IDS_CREDIT               1002
#define IDS_RIGHTS               1003

// Icons, bitmap, menu, accelerators
#define IDI_TOCKMERE             168
#define IDI_SMALL                169
#define IDB_ABOUT                132
#define IDR_POPUP_MENU           129
#define IDR_ACCELERATORS         109

// Dialog templates
#define IDD_ABOUT                131
#define IDD_SETTINGS             133
#define IDD_ALARM                134
#define IDD_ADVANCED             159
#define IDD_EDITOR               160
#define IDD_REMINDER             171
#define IDD_MESSAGE              172
#define IDD_CALENDAR             173

// Commands of the popup menu and the main window
#define IDM_FIRST_START_HELP     5
#define IDM_ABOUT                104
#define IDM_EXIT                 105
#define IDM_HOME_PAGE            32779
#define IDM_SETTINGS             32780
#define IDM_ALARM                32781
#define IDM_ADVANCED             32783
#define IDM_HELP                 32785
#define IDM_REMINDER             32787
#define IDM_DEFAULT_POSITION     32788
#define IDM_CALENDAR             32794

// Settings page (133)
#define IDC_SHOW_SECONDS         1005
#define IDC_SHOW_DATE            1006
#define IDC_SHOW_DAY             1007
#define IDC_SHOW_SHADOW          1008
#define IDC_OPACITY              1021
#define IDC_SCALE                1022
#define IDC_OPACITY_MIN_LABEL    1024
#define IDC_OPACITY_MAX_LABEL    1025
#define IDC_FLASH_DELIMITER      1026
#define IDC_AUTO_RUN             1027
#define IDC_ALWAYS_ON_TOP        1028
#define IDC_SCALE_MIN_LABEL      1029
#define IDC_SCALE_MAX_LABEL      1030
#define IDC_BACKGROUND_TYPE      1072

// Advanced settings page (159)
#define IDC_COLOR_BASE           1066
#define IDC_COLOR_BORDER         1067
#define IDC_COLOR_TEXT           1068
#define IDC_PRESET               1070
#define IDC_HIDE_FOR_FULL_SCREEN 1071

// Alarm page (134)
#define IDC_DELETE_ALARM         3
#define IDC_SELECT_WAVE          4
#define IDC_PLAY_WAVE            5
#define IDC_ALARM_LIST           1023
#define IDC_SHOW_MESSAGE_BOX     1029
#define IDC_ADD_ALARM            1032
#define IDC_DURATION_ONCE        1033
#define IDC_DURATION_ONE_MINUTE  1034
#define IDC_DURATION_THREE_MINUTES 1035
#define IDC_WAVE_PATH            1036
#define IDC_EDIT_ALARM           1037
#define IDC_SKIP_NEXT            1080

// Alarm editor (160)
#define IDC_EDITOR_HOURS         1029
#define IDC_EDITOR_MINUTES       1030
#define IDC_EDITOR_HOURS_SPIN    1031
#define IDC_EDITOR_MINUTES_SPIN  1032
#define IDC_EDITOR_DESCRIPTION   1033
#define IDC_EDITOR_BASE_DAY      1034
#define IDC_EDITOR_BASE_MONTH    1035
#define IDC_EDITOR_BASE_DAY_SPIN 1036
#define IDC_EDITOR_BASE_MONTH_SPIN 1037
#define IDC_EDITOR_DAY           1041
#define IDC_EDITOR_MONTH         1042
#define IDC_EDITOR_QUARTER       1043
#define IDC_EDITOR_YEAR          1044
#define IDC_EDITOR_SUNDAY        1045
#define IDC_EDITOR_SATURDAY      1051
#define IDC_EDITOR_DAYS_GROUP    1052
#define IDC_EDITOR_BASE_GROUP    1053
#define IDC_EDITOR_BASE_DAY_LABEL 1054
#define IDC_EDITOR_BASE_MONTH_LABEL 1055
#define IDC_EDITOR_ONCE          1081
#define IDC_EDITOR_SOUND         1082
#define IDC_EDITOR_SELECT_SOUND  1083
#define IDC_EDITOR_PLAY_SOUND    1084

// Alarm message window (172)
#define IDC_MESSAGE_TEXT         1058

// Reminder page (171)
#define IDC_REMINDER_SET_CURRENT 3
#define IDC_REMINDER_HOURS       1029
#define IDC_REMINDER_MINUTES     1030
#define IDC_REMINDER_ON          1056
#define IDC_REMINDER_MESSAGE     1058
#define IDC_REMINDER_HOURS_LABEL 1059
#define IDC_REMINDER_MINUTES_LABEL 1060
#define IDC_REMINDER_PERIOD_GROUP 1061
#define IDC_REMINDER_MESSAGE_GROUP 1062
#define IDC_REMINDER_TIME_GROUP  1063
#define IDC_REMINDER_BASE        1064
#define IDC_REMINDER_EVENT       1066
#define IDC_REMINDER_BASE_LABEL  1067
#define IDC_REMINDER_EVENT_LABEL 1068

// About box (131) and calendar (173)
#define IDC_ABOUT_VERSION        1001
#define IDC_ABOUT_CREDIT         1002
#define IDC_ABOUT_RIGHTS         1003
#define IDC_CALENDAR             1073

// Snooze: the message window's button and its length, the popup menu's item
#define IDC_SNOOZE               1090
#define IDC_SNOOZE_MINUTES       1091
#define IDM_SNOOZE               32800

// Missed alarms window: what a tick found too late to ring, listed
#define IDD_MISSED_ALARMS        180
#define IDC_MISSED_LIST          1092
