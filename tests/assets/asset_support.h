// Shared helpers of the asset checks: the table of expected files, the
// source and build folders, and decoding images and sounds with the same
// SDL libraries the game uses.
#pragma once

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace assetcheck {

/// One line of tests/assets/expected_files.txt.
struct ExpectedFile {
    std::string path;          // relative to the build folder, "Resources/..."
    double width = 0;          // 0 for files that are not images
    double height = 0;
    bool flat = false;         // one colour on purpose
    bool loop = false;         // music that must loop seamlessly
    bool effect = false;       // a one-shot sound effect
    bool IsImage() const { return width > 0; }
    bool IsSound() const { return loop || effect; }
};

/// The project's source folder, read from CMakeCache.txt in the working
/// directory (the tests run in the build folder).
std::string SourceDir();

/// The table of every file the game loads.
std::vector<ExpectedFile> ExpectedFiles();

/// The whole content of a file; empty when it cannot be read.
std::string ReadFile(const std::string& path);

bool FileExists(const std::string& path);

/// An image decoded by SDL_image and converted to RGBA32; null on failure.
using Surface = std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)>;
Surface LoadRgba(const std::string& path);

/// Red, green, blue, alpha of one pixel of an RGBA32 surface.
struct Rgba { uint8_t r, g, b, a; };
Rgba PixelAt(const SDL_Surface* surface, int x, int y);

/// True when a decoded size matches the table: exactly, or for a size with
/// a half (a piece cut from an odd number of pixels) either neighbour.
bool SizeMatches(int actual, double expected);

/// Opens SDL_mixer on the dummy driver for the lifetime of the object.
class AudioSession {
public:
    AudioSession();
    ~AudioSession();
    bool ok() const { return ok_; }
    int frequency() const { return frequency_; }
private:
    bool ok_ = false;
    int frequency_ = 0;
};

/// A sound decoded by SDL_mixer into interleaved 16-bit stereo samples.
struct DecodedSound {
    bool ok = false;
    std::string error;
    std::vector<int16_t> samples;
    int frequency = 0;
    size_t Frames() const { return samples.size() / 2; }
    double Seconds() const { return frequency ? double(Frames()) / frequency : 0.0; }
};
DecodedSound DecodeSound(const std::string& path);

/// Channels and sample rate from an Ogg Vorbis file's identification header.
struct VorbisInfo { bool ok = false; int channels = 0; long rate = 0; };
VorbisInfo ReadVorbisInfo(const std::string& bytes);

}  // namespace assetcheck
