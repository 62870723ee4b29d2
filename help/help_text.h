#pragma once
// The parameters given to the HTML Help viewer ("HH") to open the program's
// help file, optionally at a numbered topic.
#include "app/counted_string.h"

// Help topics: the context ids of Tockmere.chm.
constexpr int HELP_NO_TOPIC = 0;
constexpr int HELP_ALARM_PAGE = 1;
constexpr int HELP_SETTINGS_PAGE = 2;
constexpr int HELP_ADVANCED_SETTINGS_PAGE = 3;
constexpr int HELP_REMINDER_PAGE = 5;
constexpr int HELP_FIRST_START = 6;

// "-mapid <topic> <folder><caption>.chm", or the path alone for topic 0.
// programFolder ends with a backslash; caption is the program title, which
// names the help file.
CountedString helpParameters(int topic, const char* programFolder, const char* caption);
