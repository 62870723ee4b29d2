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

TEST(HelpParameters, TopicZeroGivesThePathAlone)
{
    EXPECT_EQ(parametersFor(HELP_NO_TOPIC, "C:\\Clock\\", "Tockmere"), "C:\\Clock\\Tockmere.chm");
}

TEST(HelpParameters, NumberedTopicGoesBeforeThePath)
{
    EXPECT_EQ(parametersFor(HELP_FIRST_START, "C:\\Clock\\", "Tockmere"), "-mapid 6 C:\\Clock\\Tockmere.chm");
    EXPECT_EQ(parametersFor(HELP_ALARM_PAGE, "D:\\x\\", "Tockmere"), "-mapid 1 D:\\x\\Tockmere.chm");
    EXPECT_EQ(parametersFor(HELP_REMINDER_PAGE, "D:\\x\\", "Tockmere"), "-mapid 5 D:\\x\\Tockmere.chm");
}

TEST(HelpParameters, TopicNumbersAreWrittenInFull)
{
    EXPECT_EQ(parametersFor(1234, "C:\\A\\", "Tockmere"), "-mapid 1234 C:\\A\\Tockmere.chm");
    EXPECT_EQ(parametersFor(-7, "C:\\A\\", "Tockmere"), "-mapid -7 C:\\A\\Tockmere.chm");
}

TEST(HelpParameters, FolderWithBlanksIsPassedUnquoted)
{
    EXPECT_EQ(parametersFor(HELP_SETTINGS_PAGE, "C:\\Program Files\\Tockmere\\", "Tockmere"),
              "-mapid 2 C:\\Program Files\\Tockmere\\Tockmere.chm");
}

TEST(HelpParameters, FileIsNamedAfterTheCaption)
{
    EXPECT_EQ(parametersFor(HELP_ADVANCED_SETTINGS_PAGE, "C:\\A\\", "Other Clock"),
              "-mapid 3 C:\\A\\Other Clock.chm");
}

TEST(HelpParameters, EmptyFolderGivesTheBareFileName)
{
    // A program started without a path in its command line has no folder;
    // the viewer then looks for the file in the working folder.
    EXPECT_EQ(parametersFor(HELP_NO_TOPIC, "", "Tockmere"), "Tockmere.chm");
    EXPECT_EQ(parametersFor(HELP_FIRST_START, "", "Tockmere"), "-mapid 6 Tockmere.chm");
}

}  // namespace
