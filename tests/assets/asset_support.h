// Helpers of the asset checks: the table of expected files; pictures (decoded by Picture) and sounds.
#pragma once

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "Picture.h"
#include "TempTree.h"

inline bool FileExists(const std::string& path) { return static_cast<bool>(std::ifstream(path)); }

// The source folder, from CMakeCache.txt: the tests run in the build folder.
inline std::string SourceDir() {
    std::istringstream cache(ReadFile("CMakeCache.txt"));
    for (std::string line, key = "CMAKE_HOME_DIRECTORY:INTERNAL="; std::getline(cache, line);)
        if (line.rfind(key, 0) == 0) return line.substr(key.size());
    throw std::runtime_error("no CMakeCache.txt here: run the tests from the build folder");
}

struct ExpectedFile {              // a line of expected_files.txt, whose head tells the format
    std::string path;              // "Resources/...", relative to the build folder
    double width = 0, height = 0;  // 0 for files that are not images
    std::set<std::string> tags;    // flat: one colour on purpose; solid; loop: music; effect: a one-shot sound
    bool Is(const std::string& tag) const { return tags.count(tag) > 0; }
};
// The table's files, or only those `wanted` that exist (a missing file fails its own test).
inline std::vector<ExpectedFile> ExpectedFiles(bool (*wanted)(const ExpectedFile&) = nullptr) {
    std::istringstream in(ReadFile(SourceDir() + "/tests/assets/expected_files.txt"));
    std::vector<ExpectedFile> files;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        ExpectedFile f;
        if (!(words >> f.path) || f.path[0] == '#') continue;
        for (std::string w; words >> w;)
            if (w[0] >= '0' && w[0] <= '9') (f.width ? f.height : f.width) = std::stod(w);
            else f.tags.insert(w);
        if (!wanted || (wanted(f) && FileExists(f.path))) files.push_back(f);
    }
    if (files.empty()) throw std::runtime_error("tests/assets/expected_files.txt lists no such files");
    return files;
}

// A picture as an RGBA32 surface (see Picture); null, and a test failure, when it does not decode.
using Surface = std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)>;
inline Surface LoadRgba(const std::string& path) {
    Picture picture(path);
    if (!picture.Loaded()) ADD_FAILURE() << path << ": " << IMG_GetError();
    return Surface(picture.Release(), SDL_FreeSurface);
}

struct Rgba { int r, g, b, a; };
inline Rgba PixelAt(const SDL_Surface* s, int x, int y) {
    const unsigned char* p = Picture::PixelOf(s, x, y);
    return {p[0], p[1], p[2], p[3]};
}
inline bool operator==(const Rgba& p, const Rgba& q) { return p.r == q.r && p.g == q.g && p.b == q.b && p.a == q.a; }
inline int Luma(const Rgba& p) { return (299 * p.r + 587 * p.g + 114 * p.b) / 1000; }
inline bool Solid(const Rgba& p) { return p.a == 255; }

// Share of the pixels of `area` (inclusive, in image pixels) for which `test` holds; pixels off the image are misses.
struct Rect { int left, top, right, bottom; };
template <typename Test> double Share(const SDL_Surface* s, Rect area, Test test) {
    int hits = 0;
    for (int y = std::max(area.top, 0); y <= std::min(area.bottom, s->h - 1); ++y)
        for (int x = std::max(area.left, 0); x <= std::min(area.right, s->w - 1); ++x) hits += test(PixelAt(s, x, y));
    return double(hits) / ((area.right - area.left + 1) * (area.bottom - area.top + 1));
}
template <typename Test> double Share(const SDL_Surface* s, Test test) { return Share(s, {0, 0, s->w - 1, s->h - 1}, test); }

// Opens SDL_mixer on the dummy driver at 44.1 kHz, 16-bit stereo, for the rest of the process.
inline bool OpenAudio() {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_AUDIO) != 0) return false;
    Mix_Init(MIX_INIT_OGG);
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    return Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) == 0 && Mix_QuerySpec(&frequency, &format, &channels) &&
           frequency == 44100 && format == AUDIO_S16SYS && channels == 2;
}
// A sound decoded to interleaved 16-bit stereo samples; empty, and a test failure, when it does not decode.
inline std::vector<int16_t> DecodeSound(const std::string& path) {
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    if (!chunk) ADD_FAILURE() << path << ": " << Mix_GetError();
    const auto* data = chunk ? reinterpret_cast<const int16_t*>(chunk->abuf) : nullptr;
    std::vector<int16_t> samples(data, data + (chunk ? chunk->alen / sizeof(int16_t) : 0));
    Mix_FreeChunk(chunk);
    return samples;
}
