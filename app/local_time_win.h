#pragma once
#include <windows.h>

#include "app/local_time.h"

LocalTime toLocalTime(const SYSTEMTIME& st);
SYSTEMTIME toSystemTime(const LocalTime& t);
