// An alarm as a list row and back: the texts of each period, what each keeps,
// and how damaged or unterminated texts are read.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "alarms/event_rows.h"

namespace {

bool same(const AlarmEvent& a, const AlarmEvent& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

EventRow rowOf(const char* time, const char* periodName, const char* periodInfo)
{
    EventRow row{STATE_IMAGE_CHECKED};
    std::strcpy(row.time, time);
    std::strcpy(row.periodName, periodName);
    std::strcpy(row.periodInfo, periodInfo);
    return row;
}

}  // namespace

TEST(EventRows, EachPeriodShowsItsTextsAndKeepsOnlyItsFields)
{
    const struct {
        int period, isOn, hours, baseDay, days[7];
        const char *time, *name, *info;
    } cases[] = {
        {PERIOD_DAY, 1, 7, 15, {0, 1, 1, 1, 1, 1, 0}, "07:05", "Day", "-+++++-"},
        {PERIOD_DAY, 1, 7, 15, {}, "07:05", "Day", "-------"},
        {PERIOD_MONTH, 1, 7, 15, {1}, "07:05", "Month", "15"},
        {PERIOD_MONTH, 0, 0, 7, {1}, "00:05", "Month", "07"},
        {PERIOD_QUARTER, 1, 7, 15, {1}, "07:05", "Quarter", "15:03"},
        {PERIOD_YEAR, 1, 7, 15, {1}, "07:05", "Year", "15:03"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.info);
        AlarmEvent event{c.isOn, "Tea", c.hours, 5, c.period, {}, c.baseDay, 3, 1, 2, 3, 4};
        std::memcpy(event.days, c.days, sizeof event.days);
        EventRow row = eventToRow(event);
        EXPECT_EQ(row.stateImage, c.isOn ? STATE_IMAGE_CHECKED : STATE_IMAGE_UNCHECKED);
        EXPECT_STREQ(row.time, c.time);
        EXPECT_STREQ(row.description, "Tea");
        EXPECT_STREQ(row.periodName, c.name);
        EXPECT_STREQ(row.periodInfo, c.info);
        // The reminder's fields, and what the period does not use, come back as 0.
        AlarmEvent kept = event;
        kept.baseHours = kept.baseMinutes = kept.periodHours = kept.periodMinutes = 0;
        if (c.period != PERIOD_DAY)
            std::memset(kept.days, 0, sizeof kept.days);
        kept.baseDay = c.period == PERIOD_DAY ? 0 : kept.baseDay;
        kept.baseMonth = c.period == PERIOD_DAY || c.period == PERIOD_MONTH ? 0 : kept.baseMonth;
        EXPECT_TRUE(same(eventFromRow(row), kept));
    }
    AlarmEvent longest{1, "", 7, 5, PERIOD_YEAR};
    std::memset(longest.description, 'd', TEXT_SIZE - 1);
    EXPECT_STREQ(eventFromRow(eventToRow(longest)).description, longest.description);
}

TEST(EventRows, DamagedTextsAreReadByPosition)
{
    AlarmEvent big{1, "", 123, 5, PERIOD_YEAR, {}, 100, 3};
    AlarmEvent back = eventFromRow(eventToRow(big));  // "123:05", "100:03": two characters are read
    EXPECT_TRUE(back.hours == 12 && back.minutes == 0 && back.baseDay == 10 && back.baseMonth == 0);
    back = eventFromRow(rowOf("7:x5", "Quarter", "9"));  // leading digits only; a short text ends the reading
    EXPECT_TRUE(back.hours == 7 && back.minutes == 5 && back.baseDay == 9 && back.baseMonth == 0);
    back = eventFromRow(rowOf("ab:cd", "Month", "x1"));
    EXPECT_EQ(back.hours + back.minutes + back.baseDay, 0);
    back = eventFromRow(rowOf("", "Day", "++"));
    EXPECT_TRUE(back.days[0] && back.days[1] && !back.days[2]);
    // Names compare case-sensitively; anything unknown reads as Day.
    for (const char* name : {"month", "Weekly", ""}) {
        back = eventFromRow(rowOf("08:30", name, "+-+----"));
        EXPECT_TRUE(back.period == PERIOD_DAY && back.days[0] && !back.days[1] && back.days[2]) << name;
    }
    EventRow unterminated{STATE_IMAGE_CHECKED};
    std::memset(unterminated.time, '1', TEXT_SIZE);
    std::memset(unterminated.description, 'q', TEXT_SIZE);
    std::memset(unterminated.periodName, 'Y', TEXT_SIZE);
    std::memset(unterminated.periodInfo, '+', TEXT_SIZE);
    back = eventFromRow(unterminated);  // AddressSanitizer watches the buffers' ends
    EXPECT_TRUE(back.hours == 11 && back.period == PERIOD_DAY && back.days[6] == 1);
    EXPECT_EQ(std::strlen(back.description), std::size_t(TEXT_SIZE - 1));
}
