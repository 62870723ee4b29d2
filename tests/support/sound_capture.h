#pragma once
// The harness's sound device writes every sample Wine plays, S16LE as in the
// wave file, to sound.raw in the test run's folder, and counts the beeps
// (Wine rings MessageBeep as the X bell) in bells.log, one line a bell.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace soundcapture {

// A file of the test run's folder as Windows sees it.
inline std::string harnessFile(const char* name)
{
    const char* dir = std::getenv("TOCKMERE_WINE_DIR");
    std::string path = dir ? std::string("Z:") + dir + "/" + name : "";
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
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
    GetFileAttributesExA(harnessFile("sound.raw").c_str(), GetFileExInfoStandard, &data);
    return data.nFileSizeLow;  // a capture stays far below 4 GB
}

// How often `signature` was played after the first `from` bytes of the capture.
inline int plays(const std::string& signature, std::size_t from)
{
    std::string heard = readFile(harnessFile("sound.raw"), from);
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

}  // namespace soundcapture
