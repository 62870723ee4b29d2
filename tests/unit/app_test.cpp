// The counted string, the help viewer's parameters built with it, and the
// notification-area icon's retries.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "app/counted_string.h"
#include "app/tray_retry.h"
#include "help/help_text.h"

static std::string textOf(const CountedString& s)
{
    EXPECT_EQ(s.data[s.length], 0);
    return std::string(s.data, std::size_t(s.length));
}

TEST(CountedString, AppendsPiecesNewLinesAndNumbers)
{
    CountedString s;
    append(s, "Tea");
    append(s, nullptr);
    append(s, "");
    appendNewLine(s);
    appendNumber(s, 6);
    EXPECT_EQ(textOf(s), "Tea\r\n6");
    for (std::int32_t value : {0, 7, -5, -1000000000, INT_MAX, INT_MIN}) {
        CountedString n;
        appendNumber(n, value);
        EXPECT_EQ(textOf(n), std::to_string(value));
    }
}

TEST(CountedString, MayReachTheLimitExactlyButNotPassIt)
{
    const std::string filler(COUNTED_STRING_LIMIT - 2, 'x');
    CountedString s;
    append(s, filler.c_str());
    append(s, "abc");
    EXPECT_EQ(s.length, COUNTED_STRING_LIMIT - 2);
    append(s, "ab");
    append(s, "c");
    EXPECT_EQ(textOf(s), filler + "ab");
}

TEST(CountedString, CopiesOwnTheirBuffers)
{
    CountedString a, assigned;
    append(a, "tea");
    CountedString copied(a), returned = append(a, "!");
    assign(assigned, a);
    assigned = assigned;
    append(a, "?");  // a new buffer for a: a shared one would now be freed
    EXPECT_EQ(textOf(copied) + textOf(returned) + textOf(assigned) + textOf(a), "teatea!tea!tea!?");
}

TEST(HelpParameters, TopicThenTheUnquotedPathOfTheHelpFile)
{
    const std::tuple<int, const char*, const char*> cases[] = {
        {HELP_NO_TOPIC, "C:\\Clock\\", "C:\\Clock\\Tockmere.chm"},
        {HELP_FIRST_START, "C:\\Program Files\\Tockmere\\", "-mapid 6 C:\\Program Files\\Tockmere\\Tockmere.chm"},
        {1234, "", "-mapid 1234 Tockmere.chm"}};  // no folder known: the viewer looks in the working folder
    for (const auto& [topic, folder, expected] : cases)
        EXPECT_EQ(textOf(helpParameters(topic, folder, "Tockmere")), expected);
}

TEST(TrayIconRetry, RetriesWhileTheShellRefusesAndTellsTheUserOnceAfterTheWait)
{
    EXPECT_EQ(TRAY_RETRIES * TRAY_RETRY_INTERVAL_MS, 5u * 60 * 1000);
    const std::string failures(TRAY_RETRIES + 1, '-'), round(TRAY_RETRIES, 'r');
    const std::pair<std::string, std::string> cases[] = {  // attempts ('+' added); steps: a added, r retry, M report, s stop
        {"+", "a"}, {failures.substr(1) + "+", round + "a"}, {failures, round + "M"},
        {failures + failures, round + "M" + round + "s"},  // a taskbar that comes later starts a silent round
        {failures + "-+", round + "Mra"}, {"+" + failures, "a" + round + "M"}};  // a lost icon gets a full round
    for (const auto& [attempts, steps] : cases) {
        TrayIconRetry retry{};
        std::string taken;
        for (char attempt : attempts)
            taken += "arMs"[afterTrayIconAttempt(retry, attempt == '+')];
        EXPECT_EQ(taken, steps) << attempts.size() << " attempts";
    }
}
