// Every file the game loads from Resources/: present, of the format its
// extension promises, decodable by the libraries the game uses, of the size
// it is shown at, and not blank; music loops without a click.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "asset_support.h"

using namespace assetcheck;

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::vector<ExpectedFile> Select(bool (*wanted)(const ExpectedFile&)) {
    std::vector<ExpectedFile> chosen;
    for (const ExpectedFile& file : ExpectedFiles())
        if (wanted(file) && FileExists(file.path)) chosen.push_back(file);
    return chosen;
}

bool IsImage(const ExpectedFile& f) { return f.IsImage(); }
bool IsLoop(const ExpectedFile& f) { return f.loop; }
bool IsSound(const ExpectedFile& f) { return f.IsSound(); }

bool IsCaption(const ExpectedFile& f) {
    return f.path.find("/Text/TEXT_LEVEL_1_") != std::string::npos ||
           f.path.find("/Text/TEXT_LEVEL_2_") != std::string::npos;
}

int Luma(const Rgba& p) { return (299 * p.r + 587 * p.g + 114 * p.b) / 1000; }

// One channel of interleaved stereo samples.
std::vector<double> Channel(const DecodedSound& sound, int channel) {
    std::vector<double> out(sound.Frames());
    for (size_t i = 0; i < out.size(); ++i) out[i] = sound.samples[2 * i + channel];
    return out;
}

double Rms(const std::vector<double>& values) {
    double sum = 0;
    for (double v : values) sum += v * v;
    return values.empty() ? 0.0 : std::sqrt(sum / values.size());
}

// The size of a sample-to-sample step near the seam: the steps of the last
// and first `window` frames, as the ear hears them when the loop repeats.
double TypicalStepAroundSeam(const std::vector<double>& x, size_t window) {
    std::vector<double> steps;
    for (size_t i = x.size() - window; i + 1 < x.size(); ++i) steps.push_back(x[i + 1] - x[i]);
    for (size_t i = 0; i + 1 < window; ++i) steps.push_back(x[i + 1] - x[i]);
    return Rms(steps);
}

// How fast a sound moves relative to its level: high for bright sounds,
// low for dull ones.
double Brightness(const DecodedSound& sound) {
    std::vector<double> mono(sound.Frames()), steps;
    for (size_t i = 0; i < mono.size(); ++i)
        mono[i] = 0.5 * (sound.samples[2 * i] + sound.samples[2 * i + 1]);
    for (size_t i = 0; i + 1 < mono.size(); ++i) steps.push_back(mono[i + 1] - mono[i]);
    return Rms(steps) / std::max(Rms(mono), 1.0);
}

}  // namespace

TEST(ResourceTree, HasEveryFileTheGameLoads) {
    std::vector<std::string> missing;
    std::set<std::string> seen;
    for (const ExpectedFile& file : ExpectedFiles()) {
        EXPECT_TRUE(seen.insert(file.path).second) << file.path << " is listed twice";
        if (!FileExists(file.path)) missing.push_back(file.path);
    }
    std::string list;
    for (const std::string& path : missing) list += "\n  " + path;
    EXPECT_TRUE(missing.empty()) << missing.size() << " files missing:" << list;
}

TEST(Images, StartWithTheSignatureOfTheirExtension) {
    for (const ExpectedFile& file : Select(IsImage)) {
        std::string head = ReadFile(file.path).substr(0, 8);
        if (EndsWith(file.path, ".png"))
            EXPECT_EQ(head, std::string("\x89PNG\r\n\x1a\n", 8)) << file.path << " is not a PNG";
        else if (EndsWith(file.path, ".jpg"))
            EXPECT_EQ(head.substr(0, 3), std::string("\xFF\xD8\xFF")) << file.path << " is not a JPEG";
        else
            ADD_FAILURE() << file.path << ": the game loads only .png and .jpg images";
    }
}

TEST(Images, DecodeAtTheSizeTheyAreShownAt) {
    for (const ExpectedFile& file : Select(IsImage)) {
        Surface image = LoadRgba(file.path);
        ASSERT_TRUE(image) << file.path << ": " << IMG_GetError();
        if (file.flat) continue;   // one colour looks the same at any size
        EXPECT_TRUE(SizeMatches(image->w, file.width) && SizeMatches(image->h, file.height))
            << file.path << " is " << image->w << " x " << image->h << ", shown at "
            << file.width << " x " << file.height;
    }
}

TEST(Images, AreNotOneFlatColourUnlessMeantToBe) {
    for (const ExpectedFile& file : Select(IsImage)) {
        Surface image = LoadRgba(file.path);
        ASSERT_TRUE(image) << file.path;
        Rgba first = PixelAt(image.get(), 0, 0);
        bool flat = true;
        for (int y = 0; y < image->h && flat; ++y)
            for (int x = 0; x < image->w && flat; ++x) {
                Rgba p = PixelAt(image.get(), x, y);
                flat = p.r == first.r && p.g == first.g && p.b == first.b && p.a == first.a;
            }
        if (file.flat)
            EXPECT_TRUE(flat) << file.path << " should be one colour";
        else
            EXPECT_FALSE(flat) << file.path << " is one flat colour: nothing is drawn";
        if (flat && first.a == 0) ADD_FAILURE() << file.path << " is fully transparent";
    }
}

TEST(Images, TheFadeIsOpaqueBlack) {
    Surface fade = LoadRgba("Resources/Animation/Background/BACKGROUND_BLACK.png");
    ASSERT_TRUE(fade) << IMG_GetError();
    Rgba p = PixelAt(fade.get(), fade->w / 2, fade->h / 2);
    EXPECT_EQ(p.a, 255);
    EXPECT_LT(p.r + p.g + p.b, 10) << "the fade must end in black";
}

// A caption whose text runs past the edge of the strip is cut off in the
// game; its side margins must hold no ink.
TEST(Captions, KeepTheirTextInsideTheStrip) {
    std::vector<ExpectedFile> captions = Select(IsCaption);
    ASSERT_FALSE(captions.empty());
    for (const ExpectedFile& file : captions) {
        Surface image = LoadRgba(file.path);
        ASSERT_TRUE(image) << file.path;
        ASSERT_EQ(image->w, 474) << file.path;
        int inked = 0;
        for (int y = 14; y < image->h - 14; ++y)
            for (int x : {12, 13, 14, 15, 16, 457, 458, 459, 460, 461})
                if (Luma(PixelAt(image.get(), x, y)) < 110) ++inked;
        EXPECT_EQ(inked, 0) << file.path << ": text reaches the edge of the strip";
        Rgba middle = PixelAt(image.get(), 237, 4);
        EXPECT_EQ(middle.a, 255) << file.path << ": the strip should be opaque";
    }
}

TEST(Sounds, AreOggVorbisStereoAt44100Hz) {
    for (const ExpectedFile& file : Select(IsSound)) {
        std::string bytes = ReadFile(file.path);
        VorbisInfo info = ReadVorbisInfo(bytes);
        ASSERT_TRUE(info.ok) << file.path << " is not an Ogg Vorbis file";
        EXPECT_EQ(info.channels, 2) << file.path;
        EXPECT_EQ(info.rate, 44100) << file.path;
    }
}

TEST(Sounds, DecodeAndAreNotSilent) {
    AudioSession audio;
    ASSERT_TRUE(audio.ok()) << Mix_GetError();
    for (const ExpectedFile& file : Select(IsSound)) {
        DecodedSound sound = DecodeSound(file.path);
        ASSERT_TRUE(sound.ok) << file.path << ": " << sound.error;
        double level = std::max(Rms(Channel(sound, 0)), Rms(Channel(sound, 1)));
        EXPECT_GT(level, 0.02 * 32768) << file.path << " is (almost) silent";
        if (file.loop) {
            EXPECT_GE(sound.Seconds(), 20.0) << file.path;
            EXPECT_LE(sound.Seconds(), 30.0) << file.path << " costs too long to decode";
        } else {
            EXPECT_GT(sound.Seconds(), 0.05) << file.path;
            EXPECT_LT(sound.Seconds(), 1.0) << file.path << " is too long for an effect";
        }
    }
}

// When a loop repeats, the last sample is followed by the first; a step
// there much larger than the steps around it is heard as a click.
TEST(Music, LoopsWithoutAClickAtTheSeam) {
    AudioSession audio;
    ASSERT_TRUE(audio.ok()) << Mix_GetError();
    std::vector<ExpectedFile> loops = Select(IsLoop);
    ASSERT_FALSE(loops.empty());
    for (const ExpectedFile& file : loops) {
        DecodedSound sound = DecodeSound(file.path);
        ASSERT_TRUE(sound.ok) << file.path << ": " << sound.error;
        size_t window = static_cast<size_t>(sound.frequency / 100);   // 10 ms
        ASSERT_GT(sound.Frames(), 4 * window) << file.path;
        for (int channel = 0; channel < 2; ++channel) {
            std::vector<double> x = Channel(sound, channel);
            double seam = std::fabs(x.front() - x.back());
            double typical = TypicalStepAroundSeam(x, window);
            // Some room for the encoder's error at the file's two ends.
            double allowed = 4.0 * typical + 0.005 * 32768;
            EXPECT_LE(seam, allowed) << file.path << " channel " << channel << ": a step of "
                                     << seam << " across the seam, typical " << typical;
        }
    }
}

TEST(Effects, CastIsABrightChimeAndHitADullThud) {
    AudioSession audio;
    ASSERT_TRUE(audio.ok()) << Mix_GetError();
    DecodedSound cast = DecodeSound("Resources/Sound/SFX/Cast.ogg");
    DecodedSound hit = DecodeSound("Resources/Sound/SFX/Hit.ogg");
    ASSERT_TRUE(cast.ok) << cast.error;
    ASSERT_TRUE(hit.ok) << hit.error;
    EXPECT_GT(Brightness(cast), 5.0 * Brightness(hit))
        << "the two effects should be told apart at once";
}
