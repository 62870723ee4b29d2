// The command line handed to the HTML Help viewer.
#include <gtest/gtest.h>

#include <string>

#include "help/help_text.h"

namespace {

std::string parametersFor(int topic, const char* folder, const char* caption)
{
    CountedString parameters = helpParameters(topic, folder, caption);
    EXPECT_EQ(parameters.data[parameters.length], 0);
    return std::string(parameters.data, static_cast<std::size_t>(parameters.length));
}

TEST(HelpParameters, TopicBeforeTheUnquotedPathOfTheCaptionsFile)
{
    EXPECT_EQ(parametersFor(HELP_NO_TOPIC, "C:\\Clock\\", "Tockmere"), "C:\\Clock\\Tockmere.chm");
    EXPECT_EQ(parametersFor(HELP_FIRST_START, "C:\\Clock\\", "Tockmere"), "-mapid 6 C:\\Clock\\Tockmere.chm");
    EXPECT_EQ(parametersFor(1234, "C:\\A\\", "Tockmere"), "-mapid 1234 C:\\A\\Tockmere.chm");
    EXPECT_EQ(parametersFor(HELP_SETTINGS_PAGE, "C:\\Program Files\\Tockmere\\", "Other Clock"),
              "-mapid 2 C:\\Program Files\\Tockmere\\Other Clock.chm");
    // Started without a path, the program has no folder: the viewer then
    // looks in the working folder.
    EXPECT_EQ(parametersFor(HELP_NO_TOPIC, "", "Tockmere"), "Tockmere.chm");
    EXPECT_EQ(parametersFor(HELP_REMINDER_PAGE, "", "Tockmere"), "-mapid 5 Tockmere.chm");
}

}  // namespace
