#pragma once
#include <windows.h>

#include "app/local_time.h"

LocalTime toLocalTime(const SYSTEMTIME& st);
SYSTEMTIME toSystemTime(const LocalTime& t);

// The UTC time now, as secondNumber gives it.
long long utcSecondNow();
