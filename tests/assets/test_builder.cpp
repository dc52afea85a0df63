// The asset builder on a small tree of its own: it builds every kind of
// source, rebuilds only what changed, gives the same bytes every time, and
// names a broken source without losing the rest.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "asset_support.h"

using namespace assetcheck;

namespace {

struct RunResult {
    int status = -1;
    std::string output;   // standard output and error together
};

RunResult RunShell(const std::string& command) {
    RunResult result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return result;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe)) result.output += buffer;
    int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

void WriteText(const std::string& path, const std::string& text) {
    RunShell("mkdir -p '" + path.substr(0, path.rfind('/')) + "'");
    std::ofstream(path, std::ios::binary) << text;
}

long long ModifiedNs(const std::string& path) {
    struct stat info{};
    if (stat(path.c_str(), &info) != 0) return -1;
    return static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
}

const char* kSquareSvg =
    "<svg xmlns='http://www.w3.org/2000/svg' width='8' height='6'>"
    "<rect width='8' height='6' fill='#3FC7C0'/><rect x='2' y='2' width='3' height='2' "
    "fill='#1A1420'/></svg>";
const char* kCodeSvg =
    "<svg xmlns='http://www.w3.org/2000/svg' width='60' height='20'>"
    "<rect width='60' height='20' fill='#1B1630'/><text x='4' y='16' font-family='Cabin' "
    "font-weight='bold' font-size='14' fill='#F3E6C4'>@SAFE_CODE@</text></svg>";
const char* kPhotoSvg =
    "<svg xmlns='http://www.w3.org/2000/svg' width='16' height='10'>"
    "<rect width='16' height='10' fill='#8A5A3B'/><circle cx='8' cy='5' r='3' fill='#E8B84A'/></svg>";
const char* kBlipScore =
    "tempo 240\nsteps 4\nloop no\nlength 0.2\n"
    "instrument blip wave=sine attack=0.005 decay=0.05 sustain=0.3 release=0.05 gain=0.5\n"
    "play blip: C5 E5 G5 . . . . . . . . . . . . .\n";

// A scratch assets tree with one source of each kind, and a builder to run.
class BuilderTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/sorca-builder-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
        source = SourceDir();
        assets = root + "/assets";
        WriteText(assets + "/SAFE_CODE.txt", "1234\n");
        WriteText(assets + "/Animation/Test/SQUARE.png.svg", kSquareSvg);
        WriteText(assets + "/Animation/Test/CODE.png.svg", kCodeSvg);
        WriteText(assets + "/Animation/Test/PHOTO.jpg.svg", kPhotoSvg);
        WriteText(assets + "/Animation/Test/CORNER.png.crop", "Animation/Test/SQUARE.png 1 1 4 3\n");
        WriteText(assets + "/Animation/Text/captions.txt",
                  "TEXT_ONE: Press [E] to look. | Second line.\n"
                  "TEXT_TWO [pill=0,10,auto,60 word=10,45]: Lives\n");
        for (const char* name : {"caption.svg.in", "label.svg.in"})
            WriteText(assets + "/Animation/Text/" + name,
                      ReadFile(source + "/assets/Animation/Text/" + name));
        WriteText(assets + "/Sound/SFX/Blip.ogg.score", kBlipScore);
        WriteText(assets + "/MazeOne.txt", "Width 8\nHeight 6\n");
    }

    void TearDown() override {
        if (!root.empty()) RunShell("rm -rf '" + root + "'");
    }

    RunResult Build(const std::string& out) {
        return RunShell("python3 '" + source + "/tools/build_assets.py' --assets '" + assets +
                   "' --out '" + root + "/" + out + "' --work '" + root + "/" + out +
                   "-work' --synth tools/sorca-synth --no-sheet");
    }

    std::string Out(const std::string& out, const std::string& file) {
        return root + "/" + out + "/" + file;
    }

    const std::vector<std::string> targets = {
        "Animation/Test/SQUARE.png", "Animation/Test/CODE.png", "Animation/Test/PHOTO.jpg",
        "Animation/Test/CORNER.png", "Animation/Text/TEXT_ONE.png",
        "Animation/Text/TEXT_TWO.png", "Sound/SFX/Blip.ogg", "MazeOne.txt"};
    std::string root, source, assets;
};

}  // namespace

TEST_F(BuilderTest, BuildsEveryKindOfSource) {
    RunResult first = Build("out");
    ASSERT_EQ(first.status, 0) << first.output;
    for (const std::string& target : targets)
        EXPECT_TRUE(FileExists(Out("out", target))) << target << " not built:\n" << first.output;
    Surface corner = LoadRgba(Out("out", "Animation/Test/CORNER.png"));
    ASSERT_TRUE(corner);
    EXPECT_EQ(corner->w, 4);
    EXPECT_EQ(corner->h, 3);
    Surface photo = LoadRgba(Out("out", "Animation/Test/PHOTO.jpg"));
    ASSERT_TRUE(photo);
    EXPECT_EQ(photo->w, 16);
    EXPECT_EQ(ReadFile(Out("out", "MazeOne.txt")), "Width 8\nHeight 6\n");
}

TEST_F(BuilderTest, RebuildsOnlyWhatChanged) {
    ASSERT_EQ(Build("out").status, 0);
    std::vector<long long> before;
    for (const std::string& target : targets) before.push_back(ModifiedNs(Out("out", target)));

    RunResult again = Build("out");
    ASSERT_EQ(again.status, 0) << again.output;
    EXPECT_EQ(again.output, "") << "nothing changed, yet something was rebuilt";
    for (size_t i = 0; i < targets.size(); ++i)
        EXPECT_EQ(ModifiedNs(Out("out", targets[i])), before[i]) << targets[i];

    // The safe code reaches exactly the pictures that show it.
    WriteText(assets + "/SAFE_CODE.txt", "9876\n");
    RunResult code = Build("out");
    ASSERT_EQ(code.status, 0) << code.output;
    EXPECT_NE(code.output.find("CODE.png"), std::string::npos) << code.output;
    EXPECT_EQ(code.output.find("SQUARE.png"), std::string::npos) << code.output;

    // A crop follows the image it is cut from.
    std::string square = ReadFile(assets + "/Animation/Test/SQUARE.png.svg");
    WriteText(assets + "/Animation/Test/SQUARE.png.svg",
              square.replace(square.find("#3FC7C0"), 7, "#E0567A"));
    RunResult edited = Build("out");
    ASSERT_EQ(edited.status, 0) << edited.output;
    EXPECT_NE(edited.output.find("CORNER.png"), std::string::npos) << edited.output;

    // A deleted source takes its product with it.
    std::remove((assets + "/Animation/Test/PHOTO.jpg.svg").c_str());
    ASSERT_EQ(Build("out").status, 0);
    EXPECT_FALSE(FileExists(Out("out", "Animation/Test/PHOTO.jpg")));
}

TEST_F(BuilderTest, GivesTheSameBytesEveryTime) {
    ASSERT_EQ(Build("first").status, 0);
    ASSERT_EQ(Build("second").status, 0);
    for (const std::string& target : targets) {
        std::string a = ReadFile(Out("first", target));
        EXPECT_FALSE(a.empty()) << target;
        EXPECT_TRUE(a == ReadFile(Out("second", target))) << target << " differs between runs";
    }
}

TEST_F(BuilderTest, NamesABrokenSourceAndKeepsTheRest) {
    ASSERT_EQ(Build("out").status, 0);
    WriteText(assets + "/Animation/Test/SQUARE.png.svg", "<svg width='8' height= broken");
    WriteText(assets + "/Sound/SFX/Blip.ogg.score", "tempo fast\n");
    RunResult broken = Build("out");
    EXPECT_NE(broken.status, 0);
    EXPECT_NE(broken.output.find("SQUARE.png.svg"), std::string::npos) << broken.output;
    EXPECT_NE(broken.output.find("Blip.ogg.score"), std::string::npos) << broken.output;
    EXPECT_NE(broken.output.find("not a number"), std::string::npos) << broken.output;
    // The last good products stay, and the fixed source is retried next time.
    EXPECT_TRUE(LoadRgba(Out("out", "Animation/Test/SQUARE.png")));
    EXPECT_TRUE(FileExists(Out("out", "Sound/SFX/Blip.ogg")));
    WriteText(assets + "/Animation/Test/SQUARE.png.svg", kSquareSvg);
    WriteText(assets + "/Sound/SFX/Blip.ogg.score", kBlipScore);
    RunResult fixed = Build("out");
    EXPECT_EQ(fixed.status, 0) << fixed.output;
}

// A picture that shows the safe code is rendered from a substituted copy;
// pictures it links to must still be found, and everything built must be
// readable by whoever runs the game.
TEST_F(BuilderTest, SubstitutedSvgsKeepTheirLinkedPictures) {
    ASSERT_EQ(Build("out").status, 0);
    WriteText(assets + "/Animation/Test/stamp.png", ReadFile(Out("out", "Animation/Test/SQUARE.png")));
    WriteText(assets + "/Animation/Test/LINKED.png.svg",
              "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
              "width='8' height='6'><image width='8' height='6' xlink:href='stamp.png'/>"
              "<desc>@SAFE_CODE@</desc></svg>");
    RunResult linked = Build("out");
    ASSERT_EQ(linked.status, 0) << linked.output;
    Surface image = LoadRgba(Out("out", "Animation/Test/LINKED.png"));
    ASSERT_TRUE(image);
    Rgba corner = PixelAt(image.get(), 0, 0);
    EXPECT_EQ(corner.a, 255) << "the linked picture was not drawn";
    EXPECT_GT(corner.g, 150) << "expected the teal of the linked square";

    struct stat info{};
    ASSERT_EQ(stat(Out("out", "Animation/Test/LINKED.png").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0044, 0044u) << "built files must be readable by everyone";
}
