#include <gtest/gtest.h>

#include <climits>

#include "app/counted_string.h"
#include "app/tray_retry.h"
#include "help/help_text.h"

static std::string text(const CountedString& s) { return s.data[s.length] ? "no NUL" : std::string(s.data, s.length); }

TEST(CountedString, AppendsPiecesNewLinesAndNumbersUpToTheLimitAndCopiesOwnTheirBuffers)
{
    CountedString s, copied, returned, full;
    for (const char* piece : {"Tea", static_cast<const char*>(nullptr), "", " time"})
        returned = append(s, piece);
    copied = s;
    appendNewLine(s);
    for (std::int32_t number : {0, 7, -1000000000, INT_MAX, INT_MIN})
        appendNumber(s, number), append(s, " ");
    EXPECT_EQ(text(s), "Tea time\r\n0 7 -1000000000 2147483647 -2147483648 ");
    EXPECT_EQ(text(copied) + "|" + text(returned), "Tea time|Tea time");  // not freed with s's old buffers
    const std::string filler(COUNTED_STRING_LIMIT - 2, 'x');
    for (const char* piece : {filler.c_str(), "abc", "ab", "c"})  // "abc" would pass the limit, "ab" reaches it
        assign(full, append(full, piece));
    EXPECT_EQ(text(full), filler + "ab");
}

TEST(HelpParameters, TopicThenTheUnquotedPathOfTheHelpFile)
{
    EXPECT_EQ(text(helpParameters(HELP_NO_TOPIC, "C:\\Clock\\", "Tockmere")), "C:\\Clock\\Tockmere.chm");
    EXPECT_EQ(text(helpParameters(HELP_FIRST_START, "C:\\A B\\", "Tockmere")), "-mapid 6 C:\\A B\\Tockmere.chm");
    EXPECT_EQ(text(helpParameters(1234, "", "Tockmere")), "-mapid 1234 Tockmere.chm");
}

TEST(TrayIconRetry, RetriesWhileTheShellRefusesAndTellsTheUserOnceAfterFiveMinutes)
{
    const std::string failures(TRAY_RETRIES + 1, '-'), round(TRAY_RETRIES, 'r');
    const std::pair<std::string, std::string> cases[] = {  // attempts (+ added), steps (added, retry, Missing, stop)
        {"+", "a"}, {failures.substr(1) + "+", round + "a"}, {failures + failures, round + "M" + round + "s"},
        {failures + "-+", round + "Mra"}, {"+" + failures, "a" + round + "M"}};
    for (const auto& [attempts, steps] : cases) {
        TrayIconRetry retry{};
        std::string taken;
        for (char attempt : attempts)
            taken += "arMs"[afterTrayIconAttempt(retry, attempt == '+')];
        EXPECT_EQ(taken, steps) << attempts.size() << " attempts";
    }
}
