// Every file the game loads from Resources/: present, well formed, at its shown size, not blank; music loops seamless.
#include <cmath>

#include "asset_support.h"

namespace {

// Root mean square of one channel (2: both mixed) over frames [from, to), or of its sample-to-sample steps.
double Rms(const std::vector<int16_t>& stereo, int channel, size_t from, size_t to, bool steps = false) {
    auto at = [&](size_t i) { return channel < 2 ? stereo[2 * i + channel] : 0.5 * (stereo[2 * i] + stereo[2 * i + 1]); };
    double sum = 0;
    for (size_t i = from; i + steps < to; ++i) sum += std::pow(steps ? at(i + 1) - at(i) : at(i), 2);
    return to > from + steps ? std::sqrt(sum / (to - from - steps)) : 0.0;
}

}  // namespace

TEST(ResourceTree, HasEveryFileTheGameLoadsListedOnce) {
    std::set<std::string> seen;
    std::string missing;
    for (const ExpectedFile& file : ExpectedFiles()) {
        EXPECT_TRUE(seen.insert(file.path).second) << file.path << " is listed twice";
        if (!FileExists(file.path)) missing += "\n  " + file.path;
    }
    EXPECT_EQ(missing, "") << "files missing";
}

TEST(Images, HaveTheSignatureOfTheirExtensionTheirShownSizeAndAreNotBlank) {
    for (const ExpectedFile& file : ExpectedFiles([](const ExpectedFile& f) { return f.width > 0; })) {
        SCOPED_TRACE(file.path);
        const std::string head = ReadFile(file.path).substr(0, 8), extension = file.path.substr(file.path.size() - 4);
        EXPECT_TRUE(extension == ".png" ? head == std::string("\x89PNG\r\n\x1a\n", 8)
                                        : extension == ".jpg" && head.compare(0, 3, "\xFF\xD8\xFF") == 0)
            << "not what its name says: the game loads .png and .jpg images";
        Surface image = LoadRgba(file.path);
        ASSERT_TRUE(image);
        const Rgba first = PixelAt(image.get(), 0, 0);
        const bool flat = Share(image.get(), [&](const Rgba& p) { return p == first; }) == 1.0;
        EXPECT_EQ(flat, file.Is("flat")) << (flat ? "one flat colour: nothing is drawn" : "should be one colour");
        EXPECT_FALSE(flat && first.a == 0) << "fully transparent";
        EXPECT_TRUE(!file.Is("solid") || Share(image.get(), Solid) == 1.0) << "see-through pixels would show as black holes";
        // One colour looks the same at any size; x.5 (a piece of an odd size) allows either neighbour.
        for (auto [size, shown] : {std::make_pair(image->w, file.width), std::make_pair(image->h, file.height)})
            EXPECT_TRUE(file.Is("flat") || std::fabs(size - shown) < (shown == std::floor(shown) ? 0.1 : 0.6))
                << image->w << " x " << image->h << ", shown at " << file.width << " x " << file.height;
    }
    Surface fade = LoadRgba("Resources/Animation/Background/BACKGROUND_BLACK.png");
    ASSERT_TRUE(fade);
    const Rgba p = PixelAt(fade.get(), fade->w / 2, fade->h / 2);
    EXPECT_TRUE(p.a == 255 && p.r + p.g + p.b < 10) << "the fade must end in opaque black";
}

TEST(Captions, KeepTheirTextInsideAnOpaqueStrip) {
    for (const ExpectedFile& file : ExpectedFiles([](const ExpectedFile& f) {
             return f.path.find("/TEXT_LEVEL_1_") != f.path.npos || f.path.find("/TEXT_LEVEL_2_") != f.path.npos;
         })) {
        Surface image = LoadRgba(file.path);
        ASSERT_TRUE(image && image->w == 474) << file.path;
        auto ink = [](const Rgba& p) { return Luma(p) < 110; };
        EXPECT_TRUE(Share(image.get(), {12, 14, 16, image->h - 15}, ink) == 0 &&
                    Share(image.get(), {457, 14, 461, image->h - 15}, ink) == 0) << file.path << ": text in a margin";
        EXPECT_EQ(PixelAt(image.get(), 237, 4).a, 255) << file.path << ": the strip should be opaque";
    }
}

TEST(Sounds, AreAudibleStereoVorbisMusicLoopsWithoutAClickAndCastIsBrighterThanHit) {
    ASSERT_TRUE(OpenAudio()) << Mix_GetError();
    int loops = 0;
    for (const ExpectedFile& file : ExpectedFiles([](const ExpectedFile& f) { return f.Is("loop") || f.Is("effect"); })) {
        SCOPED_TRACE(file.path);
        const std::string bytes = ReadFile(file.path);  // an Ogg page holding the Vorbis identification header
        const size_t id = bytes.size() > 27 ? 27 + uint8_t(bytes[26]) : 0;
        ASSERT_TRUE(bytes.compare(0, 4, "OggS") == 0 && bytes.size() >= id + 16 && bytes.compare(id, 7, "\x01vorbis") == 0);
        EXPECT_EQ(bytes.substr(id + 11, 5), std::string("\x02\x44\xAC\0\0", 5)) << "not stereo at 44100 Hz";
        const std::vector<int16_t> sound = DecodeSound(file.path);
        const size_t frames = sound.size() / 2;
        const double seconds = frames / 44100.0;
        EXPECT_GT(std::max(Rms(sound, 0, 0, frames), Rms(sound, 1, 0, frames)), 0.02 * 32768) << "(almost) silent";
        const bool effect = file.Is("effect");
        EXPECT_TRUE(effect ? seconds > 0.05 && seconds < 1.0 : seconds >= 20.0 && seconds <= 30.0)
            << seconds << " s: an effect is short, a piece of music long but quick to decode";
        if (effect || seconds < 1.0) continue;
        ++loops;
        // When the loop repeats, the last sample is followed by the first: a step
        // there much larger than the steps 10 ms around it is heard as a click.
        for (int channel = 0; channel < 2; ++channel) {
            const double seam = std::fabs(sound[channel] - sound[2 * frames - 2 + channel]);
            const double typical = std::hypot(Rms(sound, channel, frames - 441, frames, true),
                                              Rms(sound, channel, 0, 441, true)) / std::sqrt(2.0);
            EXPECT_LE(seam, 4.0 * typical + 0.005 * 32768)  // room for the encoder's error at the ends
                << "channel " << channel << ": a step of " << seam << " across the seam, typical " << typical;
        }
    }
    EXPECT_GT(loops, 0);
    auto brightness = [](const std::string& path) {  // how fast it moves relative to its level
        const std::vector<int16_t> sound = DecodeSound(path);
        return Rms(sound, 2, 0, sound.size() / 2, true) / std::max(Rms(sound, 2, 0, sound.size() / 2), 1.0);
    };
    EXPECT_GT(brightness("Resources/Sound/SFX/Cast.ogg"), 5.0 * brightness("Resources/Sound/SFX/Hit.ogg"))
        << "the cast's chime and the hit's thud should be told apart at once";
}
