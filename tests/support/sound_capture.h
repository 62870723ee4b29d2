#pragma once
// The harness's sound device writes every sample Wine plays, S16LE as in the
// wave file, to sound.raw in the test run's folder. These helpers make wave
// files of a recognisable pattern and look for it in the capture, and count
// the beeps.
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
    if (!dir)
        return {};
    std::string path = std::string("Z:") + dir + "/" + name;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

inline std::string capturePath()
{
    return harnessFile("sound.raw");
}

inline std::string readFile(const std::string& path)
{
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[65536];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

inline std::string captured()
{
    return readFile(capturePath());
}

// Wine rings MessageBeep as the X bell, which the harness counts, one line a
// bell, in bells.log. -1 when nothing counts them.
inline int bellsRung()
{
    std::string path = harnessFile("bells.log");
    if (path.empty() || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return -1;
    std::string lines = readFile(path);
    return static_cast<int>(std::count(lines.begin(), lines.end(), '\n'));
}

// How often `pattern` occurs in the capture.
inline int occurrences(const std::string& pattern)
{
    std::string bytes = captured();
    int count = 0;
    for (std::size_t at = bytes.find(pattern); at != std::string::npos; at = bytes.find(pattern, at + 1))
        ++count;
    return count;
}

// A mono 16-bit wave file of `seconds` of a pattern no other sound has
// (`seed` tells patterns apart); `signature` receives a run of its samples
// that identifies one play of it.
inline std::string writePatternWave(const std::string& path, double seconds, int seed,
                                    std::string* signature)
{
    // A step coprime with 20000 walks all 20000 values before repeating, so
    // a signature never recurs within one play of up to 20000 samples.
    static const unsigned steps[] = {7919, 7927, 7933, 7937, 7949, 7951, 7963, 7993, 8009, 8011};
    unsigned step = steps[static_cast<unsigned>(seed) % 10];
    std::vector<short> samples;
    unsigned count = static_cast<unsigned>(44100 * seconds);
    for (unsigned i = 0; i < count; ++i)
        samples.push_back(static_cast<short>(static_cast<int>(i * step % 20000) - 10000));
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return {};
    auto put32 = [f](unsigned v) { std::fwrite(&v, 4, 1, f); };
    auto put16 = [f](unsigned short v) { std::fwrite(&v, 2, 1, f); };
    unsigned dataBytes = static_cast<unsigned>(samples.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    put32(36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    put32(16);
    put16(1);  // PCM
    put16(1);  // mono
    put32(44100);
    put32(44100 * 2);
    put16(2);
    put16(16);
    std::fwrite("data", 1, 4, f);
    put32(dataBytes);
    std::fwrite(samples.data(), 2, samples.size(), f);
    std::fclose(f);
    if (signature)
        signature->assign(reinterpret_cast<const char*>(samples.data() + count / 2), 400);
    return path;
}

inline std::string tempWavePath(const char* name)
{
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    return std::string(folder) + name;
}

}  // namespace soundcapture
