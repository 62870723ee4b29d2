#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "alarms/alarm_sound.h"
#include "alarms/clock_tick.h"

static std::string le32(std::uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }
static std::string chunk(const char* id, std::uint32_t length, const std::string& body) { return id + le32(length) + body; }
static std::string riff(const std::string& chunks) { return "RIFF" + le32(4 + chunks.size()) + "WAVE" + chunks; }

// A file in memory, read piece by piece as the glue reads one; a walk that
// comes back to where it was reads on and on, which the count shows.
struct MemoryWave : WaveFile {
    std::string bytes;
    int reads = 0;
    bool readAt(std::uint32_t offset, void* out, std::uint32_t count) override
    {
        if (++reads > 1000 || offset > bytes.size() || count > bytes.size() - offset)
            return false;
        std::memcpy(out, bytes.data() + offset, count);
        return true;
    }
};

TEST(AlarmSound, TheWaveCheckWalksEveryChunkHeaderWithinTheFileAndKeepsTheFormatForTheMachineToJudge)
{
    const std::string pcm("\x01\0\x01\0\x22\x56\0\0\x44\xAC\0\0\x02\0\x10\0", 16), fmt = chunk("fmt ", 16, pcm);
    const std::string extensible = pcm.substr(0, 16) + std::string("\x16\0", 2) + std::string(22, 'e');
    const std::string samples = chunk("data", 8, std::string(8, 's')), nowhere = chunk("LIST", 0xFFFFFFF8, "");
    std::string odd = pcm;
    odd[0] = '\x34', odd[1] = '\x12';  // a format no codec may play: still a wave file
    const std::pair<std::string, bool> files[] = {
        {riff(fmt + samples), true},
        {riff(chunk("LIST", 100000, std::string(100000, 'm')) + fmt + samples), true},  // data far past 64 KiB
        {riff(fmt + chunk("junk", 3, "abc") + std::string(1, 0) + samples), true},  // an odd length and its pad byte
        {riff(fmt + chunk("junk", 3, "abc") + samples), false},        // the pad byte missing
        {riff(chunk("fmt ", 40, extensible) + samples), true}, {riff(chunk("fmt ", 16, odd) + samples), true},
        {riff(fmt + chunk("data", 0x7FFFFFFF, "ss")), true},  // a stream's length: one frame is there
        {riff(fmt + chunk("data", 0x7FFFFFFF, "s")), false}, {riff(fmt + chunk("data", 0, "")), false},
        {riff(fmt + nowhere + samples), false},                      // 8 + 0xFFFFFFF8 wraps a 32-bit offset to itself
        {riff(fmt + chunk("LIST", 0xFFFFFFFF, "") + samples), false},  // and with its pad byte, 8 bytes on
        {riff(fmt + chunk("LIST", 0xFFFFFFF0, "") + samples), false}, {riff(samples + fmt), false},
        {riff(chunk("fmt ", 18, pcm + std::string("\x01\0", 2)) + samples), false},  // one extra byte claimed, none there
        {riff(chunk("fmt ", 14, pcm.substr(0, 14)) + samples), false}, {riff(fmt), false},
        {std::string("RIFX") + riff(fmt + samples).substr(4), false}, {"not a wave file at all", false}, {"", false}};
    for (std::size_t i = 0; i < std::size(files); ++i) {
        MemoryWave file;
        file.bytes = files[i].first;
        WaveFormat format{};
        EXPECT_EQ(readWaveFormat(file, std::uint32_t(file.bytes.size()), format), files[i].second) << "file " << i;
        EXPECT_LT(file.reads, 10) << "read on and on, or the whole file: file " << i;
    }
    for (const auto& [body, size] : {std::pair{pcm, 18u}, {extensible, 40u}, {odd, 18u}}) {
        MemoryWave file;
        file.bytes = riff(chunk("fmt ", body.size(), body) + samples);
        WaveFormat format{};
        ASSERT_TRUE(readWaveFormat(file, std::uint32_t(file.bytes.size()), format));
        EXPECT_EQ(format.size, size);  // a WAVEFORMATEX, cbSize 0 where the chunk had none
        EXPECT_EQ(std::string(reinterpret_cast<char*>(format.bytes), size), (body + std::string(2, '\0')).substr(0, size));
    }
}

TEST(AlarmSound, TheNoticesNameTheFileAndTheBalloonKeepsRoomForIt)
{
    char notice[SOUND_NOTICE_SIZE], balloon[BALLOON_TEXT_SIZE];
    formatUnplayableNotice("C:\\Sounds\\gone.wav", notice);
    EXPECT_STREQ(notice, "Cannot play \"gone.wav\": another sound rang.");
    std::string full(255, 'n');
    std::strcpy(balloon, full.c_str());
    appendBalloonLine(balloon, sizeof balloon, notice);
    EXPECT_EQ(std::string(balloon), full.substr(0, 255 - 2 - std::strlen(notice)) + "\r\n" + notice);
    char play[PLAY_NOTICE_SIZE];
    formatPlayNotice("D:\\x.wav", LINK_PROGRAM_SOUND, play);
    EXPECT_STREQ(play, "\"x.wav\" cannot be played as a wave file. An alarm rings Tockmere's own rooster.wav instead.");
}
