#include "asset_support.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace assetcheck {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool FileExists(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return static_cast<bool>(in);
}

std::string SourceDir() {
    std::istringstream cache(ReadFile("CMakeCache.txt"));
    std::string line;
    const std::string key = "CMAKE_HOME_DIRECTORY:INTERNAL=";
    while (std::getline(cache, line))
        if (line.compare(0, key.size(), key) == 0) return line.substr(key.size());
    throw std::runtime_error("no CMakeCache.txt with CMAKE_HOME_DIRECTORY in the working "
                             "directory: run the tests from the build folder");
}

std::vector<ExpectedFile> ExpectedFiles() {
    const std::string table = SourceDir() + "/tests/assets/expected_files.txt";
    std::istringstream in(ReadFile(table));
    std::vector<ExpectedFile> files;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::istringstream words(line);
        ExpectedFile file;
        if (!(words >> file.path) || file.path[0] == '#') continue;
        std::string word;
        while (words >> word) {
            if (word == "flat") file.flat = true;
            else if (word == "loop") file.loop = true;
            else if (word == "effect") file.effect = true;
            else if (file.width == 0) file.width = std::atof(word.c_str());
            else file.height = std::atof(word.c_str());
        }
        if ((file.width > 0) != (file.height > 0))
            throw std::runtime_error(table + ":" + std::to_string(number) +
                                     ": an image needs a width and a height");
        files.push_back(file);
    }
    if (files.empty()) throw std::runtime_error(table + " lists no files");
    return files;
}

Surface LoadRgba(const std::string& path) {
    Surface none(nullptr, SDL_FreeSurface);
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (!loaded) return none;
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    return Surface(rgba, SDL_FreeSurface);
}

Rgba PixelAt(const SDL_Surface* surface, int x, int y) {
    const auto* row = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch;
    const uint8_t* p = row + 4 * x;
    return {p[0], p[1], p[2], p[3]};
}

bool SizeMatches(int actual, double expected) {
    if (expected == std::floor(expected)) return actual == static_cast<int>(expected);
    return actual == static_cast<int>(std::floor(expected)) ||
           actual == static_cast<int>(std::ceil(expected));
}

AudioSession::AudioSession() {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_AUDIO) != 0) return;
    Mix_Init(MIX_INIT_OGG);
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) return;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&frequency_, &format, &channels);
    ok_ = format == AUDIO_S16SYS && channels == 2;
}

AudioSession::~AudioSession() {
    Mix_CloseAudio();
    Mix_Quit();
    SDL_Quit();
}

DecodedSound DecodeSound(const std::string& path) {
    DecodedSound sound;
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    if (!chunk) {
        sound.error = Mix_GetError();
        return sound;
    }
    const auto* data = reinterpret_cast<const int16_t*>(chunk->abuf);
    sound.samples.assign(data, data + chunk->alen / sizeof(int16_t));
    Mix_FreeChunk(chunk);
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&frequency, &format, &channels);
    sound.frequency = frequency;
    sound.ok = true;
    return sound;
}

VorbisInfo ReadVorbisInfo(const std::string& bytes) {
    VorbisInfo info;
    if (bytes.size() < 28 || bytes.compare(0, 4, "OggS") != 0) return info;
    size_t segments = static_cast<uint8_t>(bytes[26]);
    size_t packet = 27 + segments;
    if (bytes.size() < packet + 16 || bytes.compare(packet, 7, "\x01vorbis") != 0) return info;
    info.channels = static_cast<uint8_t>(bytes[packet + 11]);
    info.rate = 0;
    for (int i = 3; i >= 0; --i) info.rate = (info.rate << 8) | static_cast<uint8_t>(bytes[packet + 12 + i]);
    info.ok = true;
    return info;
}

}  // namespace assetcheck
