#pragma once
// The harness's sound device writes every sample Wine plays, S16LE as in the
// wave file, to sound.raw in the test run's folder, and counts the beeps
// (Wine rings MessageBeep as the X bell) in bells.log, one line a bell.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace soundcapture {

// A file of the test run's folder as Windows sees it; "" outside the harness.
inline std::string harnessFile(const char* name)
{
    const char* dir = std::getenv("TOCKMERE_WINE_DIR");
    std::string path = dir ? std::string("Z:") + dir + "/" + name : "";
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

inline std::string capturePath()
{
    return harnessFile("sound.raw");
}

// The file's bytes after the first `from`.
inline std::string readFile(const std::string& path, std::size_t from = 0)
{
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        std::fseek(f, static_cast<long>(from), SEEK_SET);
        char buffer[65536];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
            bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

inline std::size_t capturedBytes()
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(capturePath().c_str(), GetFileExInfoStandard, &data);
    return data.nFileSizeLow;  // a capture stays far below 4 GB
}

// How often `signature` was played after the first `from` bytes of the capture.
inline int plays(const std::string& signature, std::size_t from)
{
    std::string heard = readFile(capturePath(), from);
    int count = 0;
    for (auto at = heard.find(signature); at != std::string::npos; at = heard.find(signature, at + 1))
        ++count;
    return count;
}

inline int bellsRung()
{
    std::string lines = readFile(harnessFile("bells.log"));
    return static_cast<int>(std::count(lines.begin(), lines.end(), '\n'));
}

// A mono 16-bit wave file of a pattern no other sound has (`seed` tells
// patterns apart); `signature` receives a run of its samples that
// identifies one play of it.
inline std::string writePatternWave(const std::string& path, double seconds, int seed, std::string* signature)
{
    std::vector<short> samples(static_cast<std::size_t>(44100 * seconds));
    for (std::size_t i = 0; i < samples.size(); ++i)  // a step coprime with 20000: no value repeats
        samples[i] = static_cast<short>(static_cast<int>(i * (7919 + 10 * seed) % 20000) - 10000);
    unsigned dataBytes = static_cast<unsigned>(samples.size() * 2);
    const unsigned header[] = {0x46464952 /* RIFF */, 36 + dataBytes, 0x45564157 /* WAVE */, 0x20746D66 /* fmt */,
                               16, 0x00010001 /* PCM, mono */, 44100, 44100 * 2, 0x00100002 /* 2 bytes, 16 bits */,
                               0x61746164 /* data */, dataBytes};
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return {};
    std::fwrite(header, sizeof header, 1, f);
    std::fwrite(samples.data(), 2, samples.size(), f);
    std::fclose(f);
    signature->assign(reinterpret_cast<const char*>(&samples[samples.size() / 2]), 400);
    return path;
}

inline std::string tempWavePath(const char* name)
{
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    return std::string(folder) + name;
}

}  // namespace soundcapture
