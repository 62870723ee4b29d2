#include "alarms/alarm_sound.h"

#include <cstdio>
#include <cstring>

namespace {

unsigned readLittle(const unsigned char* p, int bytes)
{
    unsigned value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

}  // namespace

SoundLink firstPlayableLink(bool chosenPlayable, bool programPlayable, bool systemDefaultPlayable)
{
    if (chosenPlayable)
        return LINK_CHOSEN_FILE;
    if (programPlayable)
        return LINK_PROGRAM_SOUND;
    return systemDefaultPlayable ? LINK_SYSTEM_DEFAULT : LINK_BEEP;
}

const char* firstSoundFile(const char* ownPath, const char* chosenPath)
{
    return ownPath && ownPath[0] ? ownPath : chosenPath;
}

bool playsFirstFile(SoundLink link, const char* ownPath)
{
    return link == (ownPath && ownPath[0] ? LINK_OWN_FILE : LINK_CHOSEN_FILE);
}

bool isPlayableWave(const unsigned char* bytes, std::size_t size)
{
    if (size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0)
        return false;
    bool format = false;
    for (std::size_t at = 12; at + 8 <= size;) {
        unsigned length = readLittle(bytes + at + 4, 4);
        const unsigned char* body = bytes + at + 8;
        if (std::memcmp(bytes + at, "fmt ", 4) == 0) {
            if (length < 16 || at + 8 + 16 > size)
                return false;
            unsigned tag = readLittle(body, 2), channels = readLittle(body + 2, 2);
            unsigned rate = readLittle(body + 4, 4), align = readLittle(body + 12, 2);
            format = tag != 0 && channels > 0 && rate > 0 && align > 0;
        } else if (std::memcmp(bytes + at, "data", 4) == 0) {
            return format && length > 0;
        }
        at += 8 + static_cast<std::size_t>(length) + (length & 1);
    }
    return false;
}

const char* fileNameOf(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    return name;
}

void formatUnplayableNotice(const char* path, char (&line)[SOUND_NOTICE_SIZE])
{
    std::snprintf(line, sizeof line, "Cannot play \"%.80s\": another sound rang.", fileNameOf(path));
}

void formatPlayNotice(const char* path, SoundLink link, char (&text)[PLAY_NOTICE_SIZE])
{
    const char* instead = link == LINK_CHOSEN_FILE      ? "the Alarm page's wave file"
                          : link == LINK_PROGRAM_SOUND  ? "Tockmere's own rooster.wav"
                          : link == LINK_SYSTEM_DEFAULT ? "the system's default sound"
                                                        : "a beep";
    std::snprintf(text, sizeof text, "\"%.120s\" cannot be played as a wave file. An alarm rings %s instead.",
                  fileNameOf(path), instead);
}

void appendBalloonLine(char* text, std::size_t size, const char* line)
{
    std::size_t lineLength = std::strlen(line), room = size - 1;
    if (lineLength + 2 > room)
        lineLength = room > 2 ? room - 2 : 0;
    std::size_t keep = std::strlen(text);
    if (keep > room - lineLength - 2)
        keep = room - lineLength - 2;
    if (keep == 0) {
        std::memcpy(text, line, lineLength);
        text[lineLength] = 0;
        return;
    }
    std::memcpy(text + keep, "\r\n", 2);
    std::memcpy(text + keep + 2, line, lineLength);
    text[keep + 2 + lineLength] = 0;
}
