// The asset builder on a small tree of its own: deterministic, incremental, naming broken sources.
#include <sys/stat.h>

#include <cstdio>

#include "asset_support.h"

namespace {

const std::string kSquare = "<svg xmlns='http://www.w3.org/2000/svg' width='8' height='6'><rect width='8' height='6' "
                            "fill='#3FC7C0'/><rect x='2' y='2' width='3' height='2' fill='#1A1420'/></svg>";
const std::string kScore = "tempo 240\nsteps 4\nloop no\nlength 0.2\ninstrument blip wave=sine attack=0.005 decay=0.05 "
                           "sustain=0.3 release=0.05 gain=0.5\nplay blip: C5 E5 G5 . . . . . . . . . . . . .\n";
const std::vector<std::string> kTargets = {"Animation/Test/SQUARE.png", "Animation/Test/CODE.png", "Animation/Test/PHOTO.jpg",
    "Animation/Test/CORNER.png", "Animation/Test/LINKED.png", "Animation/Text/TEXT_ONE.png", "Animation/Text/TEXT_TWO.png",
    "Sound/SFX/Blip.ogg", "MazeOne.txt"};

long long ModifiedNs(const std::string& path) {
    struct stat info{};
    return stat(path.c_str(), &info) == 0 ? info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec : -1;
}

struct Tree : TempDir {  // a scratch assets tree with one source of each kind
    std::string root = path, assets = path + "/assets/", log;  // log: the last command's standard output and error
    Tree() {
        Write("SAFE_CODE.txt", "1234\n");
        Write("Animation/Test/SQUARE.png.svg", kSquare);
        Write("Animation/Test/CODE.png.svg", "<svg xmlns='http://www.w3.org/2000/svg' width='60' height='20'><rect "
              "width='60' height='20' fill='#1B1630'/><text x='4' y='16' font-family='Cabin' font-size='14' "
              "font-weight='bold' fill='#F3E6C4'>@SAFE_CODE@</text></svg>");
        Write("Animation/Test/PHOTO.jpg.svg", "<svg xmlns='http://www.w3.org/2000/svg' width='16' height='10'><rect "
              "width='16' height='10' fill='#8A5A3B'/><circle cx='8' cy='5' r='3' fill='#E8B84A'/></svg>");
        Write("Animation/Test/CORNER.png.crop", "Animation/Test/SQUARE.png 1 1 4 3\n");
        // The safe code is substituted into a copy, from which the linked picture must still be found.
        Write("Animation/Test/stamp.png", ReadFile("Resources/Animation/Background/BACKGROUND_BLACK.png"));
        Write("Animation/Test/LINKED.png.svg", "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org"
              "/1999/xlink' width='8' height='6'><image width='8' height='6' xlink:href='stamp.png'/><desc>@SAFE_CODE@"
              "</desc></svg>");
        Write("Animation/Text/captions.txt",
              "TEXT_ONE: Press [E] to look. | Second line.\nTEXT_TWO [pill=0,10,auto,60 word=10,45]: Lives\n");
        for (std::string name : {"caption.svg.in", "label.svg.in"})
            Write("Animation/Text/" + name, ReadFile(SourceDir() + "/assets/Animation/Text/" + name));
        Write("Sound/SFX/Blip.ogg.score", kScore);
        Write("MazeOne.txt", "Width 8\nHeight 6\n");
    }
    bool Run(const std::string& command) {
        FILE* pipe = popen((command + " 2>&1").c_str(), "r");
        log.clear();
        for (char buffer[512]; pipe && fgets(buffer, sizeof buffer, pipe);) log += buffer;
        return pipe && pclose(pipe) == 0;
    }
    void Write(const std::string& file, const std::string& text) const { TempDir::Write("assets/" + file, text); }
    bool Build(const std::string& to = "out") {
        return Run("python3 '" + SourceDir() + "/tools/build_assets.py' --assets '" + assets + "' --out '" + root + "/" +
                   to + "' --work '" + root + "/" + to + "-work' --synth tools/sorca-synth --no-sheet");
    }
    bool Logged(const std::string& text) const { return log.find(text) != std::string::npos; }
    std::string Out(const std::string& target, const std::string& dir = "out") { return root + "/" + dir + "/" + target; }
};

}  // namespace

TEST(Builder, BuildsEveryKindOfSourceToTheSameBytesEveryTime) {
    Tree tree;
    ASSERT_TRUE(tree.Build("again")) << tree.log;
    ASSERT_TRUE(tree.Build()) << tree.log;
    for (const std::string& target : kTargets) {
        const std::string bytes = ReadFile(tree.Out(target));
        EXPECT_FALSE(bytes.empty()) << target << " not built:\n" << tree.log;
        EXPECT_TRUE(bytes == ReadFile(tree.Out(target, "again"))) << target << " differs between runs";
    }
    EXPECT_EQ(ReadFile(tree.Out("MazeOne.txt")), "Width 8\nHeight 6\n");
    Surface corner = LoadRgba(tree.Out(kTargets[3])), photo = LoadRgba(tree.Out(kTargets[2]));
    Surface linked = LoadRgba(tree.Out(kTargets[4]));
    ASSERT_TRUE(corner && photo && linked);
    EXPECT_TRUE(corner->w == 4 && corner->h == 3 && photo->w == 16) << "the crop's and the photo's sizes";
    EXPECT_EQ(PixelAt(linked.get(), 4, 3).a, 255) << "the linked picture was not drawn";
    struct stat info{};
    EXPECT_TRUE(stat(tree.Out(kTargets[4]).c_str(), &info) == 0 && (info.st_mode & 0044) == 0044)
        << "built files must be readable by everyone";
}

TEST(Builder, RebuildsOnlyWhatChangedAndNamesABrokenSourceKeepingTheRest) {
    Tree tree;
    ASSERT_TRUE(tree.Build()) << tree.log;
    std::vector<long long> before;
    for (const std::string& target : kTargets) before.push_back(ModifiedNs(tree.Out(target)));
    EXPECT_TRUE(tree.Build() && tree.log.empty()) << "nothing changed, yet:\n" << tree.log;
    for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(ModifiedNs(tree.Out(kTargets[i])), before[i]) << kTargets[i];

    tree.Write("SAFE_CODE.txt", "9876\n");  // reaches exactly the pictures that show it
    EXPECT_TRUE(tree.Build() && tree.Logged("CODE.png") && !tree.Logged("SQUARE.png")) << tree.log;
    std::string square = kSquare;  // a crop follows the image it is cut from
    tree.Write("Animation/Test/SQUARE.png.svg", square.replace(square.find("#3FC7C0"), 7, "#E0567A"));
    EXPECT_TRUE(tree.Build() && tree.Logged("CORNER.png")) << tree.log;
    std::remove((tree.assets + "Animation/Test/PHOTO.jpg.svg").c_str());  // takes its product with it
    EXPECT_TRUE(tree.Build() && !FileExists(tree.Out(kTargets[2]))) << tree.log;

    tree.Write("Animation/Test/SQUARE.png.svg", "<svg width='8' height= broken");
    tree.Write("Sound/SFX/Blip.ogg.score", "tempo fast\n");
    EXPECT_FALSE(tree.Build());
    for (const char* named : {"SQUARE.png.svg", "Blip.ogg.score", "not a number"})
        EXPECT_TRUE(tree.Logged(named)) << named << " not in:\n" << tree.log;
    EXPECT_TRUE(LoadRgba(tree.Out(kTargets[0])) && FileExists(tree.Out(kTargets[7]))) << "the last good products stay";
    tree.Write("Animation/Test/SQUARE.png.svg", kSquare);
    tree.Write("Sound/SFX/Blip.ogg.score", kScore);
    EXPECT_TRUE(tree.Build()) << "fixed sources are retried:\n" << tree.log;
}
