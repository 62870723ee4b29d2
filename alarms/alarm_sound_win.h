#pragma once
// Plays the alarm's sound down its chain (alarms/alarm_sound.h): the chosen
// wave file, the program's rooster.wav, the system's default sound, a beep.
#include "alarms/alarm_sound.h"

// Plays once or looping, without waiting; returns the link that plays.
SoundLink playAlarmSound(const char* chosenPath, bool loop);

// Stops whatever the chain plays, the repeated beep included.
void stopAlarmSound();
