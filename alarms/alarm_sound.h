#pragma once
// The alarm's sound falls back down a chain: the chosen file, else the
// program's own rooster.wav, else the system's default sound, else a beep.
// The glue tries each link in turn and plays it; these functions judge a
// file's first bytes, name the link that played and word the notice about a
// chosen file that could not be.
#include <cstddef>
#include <cstdint>

// LINK_OWN_FILE: the alarm's own wave file, tried before the chosen one.
enum SoundLink { LINK_CHOSEN_FILE, LINK_PROGRAM_SOUND, LINK_SYSTEM_DEFAULT, LINK_BEEP, LINK_OWN_FILE };

constexpr int SOUND_NOTICE_SIZE = 128;

// The first link of the chain that can be heard.
SoundLink firstPlayableLink(bool chosenPlayable, bool programPlayable, bool systemDefaultPlayable);

// The file the chain starts from: the alarm's own when it has one, else the
// chosen one; and whether `link` is that file being heard.
const char* firstSoundFile(const char* ownPath, const char* chosenPath);
bool playsFirstFile(SoundLink link, const char* ownPath);

// A file as the wave check reads it: a few bytes at a time, anywhere in it.
// Offsets are 32-bit, as in a RIFF file; the glue reads with ReadFile.
struct WaveFile {
    virtual ~WaveFile() = default;
    // Reads `count` bytes at `offset`; false unless all of them were read.
    virtual bool readAt(std::uint32_t offset, void* bytes, std::uint32_t count) = 0;
};

// A fmt chunk as a WAVEFORMATEX: at least its 18 bytes, cbSize 0 where the
// chunk ends before it, and the extra bytes cbSize counts.
constexpr std::uint32_t WAVE_FORMAT_BASE_SIZE = 18;
constexpr std::uint32_t WAVE_FORMAT_MAX_SIZE = 1024;
struct WaveFormat {
    alignas(8) unsigned char bytes[WAVE_FORMAT_MAX_SIZE];
    std::uint32_t size;
};

// Whether a file of `fileSize` bytes is a RIFF "WAVE" file with a sound
// format and, after it, a data chunk holding at least one sample frame; its
// format is left in `format` for the glue to ask whether this machine plays
// it. The chunk headers are walked through the file, each chunk's length
// (padded to an even one) checked against what is left before the walk
// moves past it, so metadata of any length may come first, and no length
// can wrap the walk back or past the end.
bool readWaveFormat(WaveFile& file, std::uint32_t fileSize, WaveFormat& format);

// The file's name without its folders.
const char* fileNameOf(const char* path);

// The balloon's line about a chosen file that could not be played.
void formatUnplayableNotice(const char* path, char (&line)[SOUND_NOTICE_SIZE]);

// What the Alarm page's Play button tells when the chosen file cannot be
// played, naming what an alarm rings instead.
constexpr int PLAY_NOTICE_SIZE = 256;
void formatPlayNotice(const char* path, SoundLink link, char (&text)[PLAY_NOTICE_SIZE]);

// Adds a line to a balloon's text of `size` bytes, cutting the text before
// it so the whole line shows.
void appendBalloonLine(char* text, std::size_t size, const char* line);
