#include "help/help_text.h"

CountedString helpParameters(int topic, const char* programFolder, const char* caption)
{
    CountedString parameters;
    if (topic != HELP_NO_TOPIC) {
        append(parameters, "-mapid ");
        appendNumber(parameters, topic);
        append(parameters, " ");
    }
    // The viewer takes everything after the topic as the file name, blanks
    // included, so the path is passed as it is, without quotes.
    append(parameters, programFolder);
    append(parameters, caption);
    append(parameters, ".chm");
    return parameters;
}
