// Adding the notification-area icon when the clock starts before the taskbar:
// the steps after each attempt, over whole rounds of attempts.
#include <gtest/gtest.h>

#include <string>

#include "app/tray_retry.h"

namespace {

// Runs `attempts` ('+' added, '-' failed) and returns the steps taken, one
// letter each: a added, r try again, M report missing, s stop silently.
std::string stepsFor(TrayIconRetry& retry, const std::string& attempts)
{
    std::string steps;
    for (char attempt : attempts)
        steps += "arMs"[afterTrayIconAttempt(retry, attempt == '+')];
    return steps;
}

std::string failures(int count)
{
    return std::string(count, '-');
}

TEST(TrayIconRetry, TriesForFiveMinutesThenTellsTheUserOnce)
{
    EXPECT_EQ(TRAY_RETRIES * TRAY_RETRY_INTERVAL_MS, 5u * 60 * 1000);
    const std::string round = std::string(TRAY_RETRIES, 'r');
    const struct {
        const char* what;
        std::string attempts;
        std::string steps;
    } cases[] = {
        {"added at start", "+", "a"},
        {"added on the last retry", failures(TRAY_RETRIES) + "+", round + "a"},
        {"no taskbar in five minutes", failures(TRAY_RETRIES + 1), round + "M"},
        // A taskbar that announces itself later starts a new round, which
        // ends without a second message.
        {"a later round", failures(TRAY_RETRIES + 1) + failures(TRAY_RETRIES + 1), round + "M" + round + "s"},
        {"a later round that adds it", failures(TRAY_RETRIES + 1) + "-+", round + "M" + "ra"},
        // Once added, a lost icon (the taskbar restarted) gets a full round.
        {"lost after adding", "+" + failures(TRAY_RETRIES + 1), "a" + round + "M"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TrayIconRetry retry{};
        EXPECT_EQ(stepsFor(retry, c.attempts), c.steps);
    }
}

}  // namespace
