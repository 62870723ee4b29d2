#pragma once
// Snoozing what rings: the occurrence rings again, in full, a chosen number
// of minutes later. The moment is held in UTC in the record it belongs to
// (an alarm of the table, or the copy of the reminder in the settings), so
// it is stored with the settings and survives an exit, a crash or a sleep.
#include <cstddef>

#include "alarms/alarm_event.h"
#include "alarms/ringing_state.h"
#include "settings/settings.h"

struct TickResult;

constexpr int SNOOZE_CHOICE_COUNT = 6;
constexpr int SNOOZE_CHOICES[SNOOZE_CHOICE_COUNT] = {5, 10, 15, 20, 30, 60};
constexpr int DEFAULT_SNOOZE_MINUTES = 10;
constexpr int MOST_SNOOZE_MINUTES = 120;
constexpr char SNOOZED_HEADING_SUFFIX[] = ", snoozed";
constexpr std::size_t SNOOZE_MOMENT_SIZE = 20;  // "2027-03-15 07:35:00"

bool isSnoozeLength(int minutes);

// The lengths the message window offers: the usual ones, with the
// remembered one in its place when it is none of them. Returns how many.
int snoozeChoiceList(int remembered, int (&list)[SNOOZE_CHOICE_COUNT + 1]);

// The moment a snooze of `minutes` made at UTC second `utc` rings: the
// start of the minute in which they end, when the clock's tick comes.
long long snoozeMoment(long long utc, int minutes);

// Snoozes one record that rang until `moment`. An alarm no longer in the
// table (deleted or edited meanwhile) has nothing left to snooze.
void snoozeRecord(Settings& settings, const RangRecord& rang, long long moment);

// After the Alarm page rebuilt the table from its rows, which carry no
// snoozes: an alarm the user left as it was keeps its snooze; one edited,
// deleted or switched off loses it. Returns whether any snooze ended.
bool carrySnoozes(const EventTable& before, EventTable& after);

// After a tick: the snoozes that rang (or were shown missed) are over.
// Returns whether any was.
bool endRungSnoozes(Settings& settings, const TickResult& result);

// The record whose snooze waits for the earliest moment; null when none waits.
const AlarmEvent* firstWaitingSnooze(const Settings& settings);
// Its moment; NOT_YET when none waits.
long long nextSnoozeUtc(const Settings& settings);

// The moment as the registry holds it: "YYYY-MM-DD HH:MM:SS" of UTC.
void formatSnoozeMoment(long long utc, char (&text)[SNOOZE_MOMENT_SIZE]);
// False for anything else (a damaged value reads as no snooze); the length
// of the moment's text in *used.
bool parseSnoozeMoment(const char* text, long long* utc, std::size_t* used);
