#pragma once
// Plays the alarm's sound down its chain (alarms/alarm_sound.h): the chosen
// wave file, the program's rooster.wav, the system's default sound, a beep.
#include "alarms/alarm_sound.h"

// Plays once or looping, without waiting; returns the link that plays. An
// alarm's own file (`ownPath`, empty or null for none) comes first.
SoundLink playAlarmSound(const char* chosenPath, bool loop, const char* ownPath = nullptr);

// Stops whatever the chain plays, the repeated beep included.
void stopAlarmSound();
