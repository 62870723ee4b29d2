#include "alarms/alarm_sound.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr std::uint32_t RIFF_HEADER_SIZE = 12;
constexpr std::uint32_t CHUNK_HEADER_SIZE = 8;
constexpr std::uint32_t PCM_FORMAT_SIZE = 16;  // a fmt chunk without cbSize

std::uint32_t readLittle(const unsigned char* p, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

// The fmt chunk's body as a WAVEFORMATEX; false when it describes no sound
// or claims more extra bytes than it holds.
bool readFormat(WaveFile& file, std::uint32_t at, std::uint32_t length, WaveFormat& format)
{
    if (length < PCM_FORMAT_SIZE)
        return false;
    std::uint32_t kept = length < WAVE_FORMAT_BASE_SIZE ? PCM_FORMAT_SIZE : WAVE_FORMAT_BASE_SIZE;
    std::memset(format.bytes, 0, sizeof format.bytes);
    if (!file.readAt(at, format.bytes, kept))
        return false;
    std::uint32_t extra = readLittle(format.bytes + 16, 2);
    if (extra > length - kept || extra > WAVE_FORMAT_MAX_SIZE - WAVE_FORMAT_BASE_SIZE ||
        (extra > 0 && !file.readAt(at + kept, format.bytes + kept, extra)))
        return false;
    format.size = WAVE_FORMAT_BASE_SIZE + extra;
    std::uint32_t tag = readLittle(format.bytes, 2), channels = readLittle(format.bytes + 2, 2);
    std::uint32_t rate = readLittle(format.bytes + 4, 4), align = readLittle(format.bytes + 12, 2);
    return tag != 0 && channels > 0 && rate > 0 && align > 0;
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

bool readWaveFormat(WaveFile& file, std::uint32_t fileSize, WaveFormat& format)
{
    unsigned char header[RIFF_HEADER_SIZE];
    if (fileSize < RIFF_HEADER_SIZE || !file.readAt(0, header, RIFF_HEADER_SIZE) ||
        std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0)
        return false;
    bool formatRead = false;
    // Every step compares a length with what is left, so nothing adds up
    // past the end of the file, whatever the width of the numbers.
    for (std::uint32_t at = RIFF_HEADER_SIZE; fileSize - at >= CHUNK_HEADER_SIZE;) {
        if (!file.readAt(at, header, CHUNK_HEADER_SIZE))
            return false;
        std::uint32_t length = readLittle(header + 4, 4), body = at + CHUNK_HEADER_SIZE;
        std::uint32_t left = fileSize - body;
        if (std::memcmp(header, "data", 4) == 0) {
            // A stream's writer may leave the length too long: the frames
            // that are there play.
            std::uint32_t frame = formatRead ? readLittle(format.bytes + 12, 2) : 0;
            return formatRead && (length < left ? length : left) >= frame;
        }
        if (length > left)
            return false;  // runs past the end: nothing after it can be found
        if (std::memcmp(header, "fmt ", 4) == 0) {
            formatRead = readFormat(file, body, length, format);
            if (!formatRead)
                return false;
        }
        // Odd lengths are followed by a pad byte.
        if (left - length < (length & 1))
            return false;
        at = body + length + (length & 1);
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
