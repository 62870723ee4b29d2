#pragma once
// The alarm's sound cannot go missing: the chosen file when it opens as a
// playable wave file, else the program's own rooster.wav, else the system's
// default sound, else a beep. Decided here; played by the glue.
#include <cstddef>

// LINK_OWN_FILE: the alarm's own wave file, tried before the chosen one.
enum SoundLink { LINK_CHOSEN_FILE, LINK_PROGRAM_SOUND, LINK_SYSTEM_DEFAULT, LINK_BEEP, LINK_OWN_FILE };

// How much of a file the glue reads to judge it.
constexpr std::size_t WAVE_PROBE_BYTES = 65536;
constexpr int SOUND_NOTICE_SIZE = 128;

// The first link of the chain that can be heard.
SoundLink firstPlayableLink(bool chosenPlayable, bool programPlayable, bool systemDefaultPlayable);

// The file the chain starts from: the alarm's own when it has one, else the
// chosen one; and whether `link` is that file being heard.
const char* firstSoundFile(const char* ownPath, const char* chosenPath);
bool playsFirstFile(SoundLink link, const char* ownPath);

// Whether the first bytes of a file make a wave file PlaySound can play: a
// RIFF "WAVE" file with a sound format and a data chunk of some length.
bool isPlayableWave(const unsigned char* bytes, std::size_t size);

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
