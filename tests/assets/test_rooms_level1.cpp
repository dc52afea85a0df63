// Checks of the first room's pictures, the jigsaw and the rings puzzle as the
// game will load them from the built Resources/ tree: formats and sizes, the
// places that must be see-through or solid, the jigsaw cut, and whether the
// rings picture lines up at the solving angles and only there.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "asset_support.h"

namespace {

using assetcheck::LoadRgba;
using assetcheck::PixelAt;
using assetcheck::ReadFile;
using assetcheck::Rgba;
using assetcheck::Surface;

const std::string kBackground = "Resources/Animation/Background/";
const std::string kPuzzle = "Resources/Animation/Puzzle/";
const std::string kRings = "Resources/Animation/RotatingPuzzle/";

// The window is 800 x 600 with the world origin at its centre, y up; a room
// view covers window rows 100..500.
constexpr double kRoomTop = 100.0;
constexpr double kRoomBottom = 500.0;
constexpr double kPi = 3.14159265358979323846;

struct Picture {
    std::string path;
    int width;
    int height;
};

std::vector<Picture> FirstRoomPictures() {
    std::vector<Picture> pictures = {
        {kBackground + "BACKGROUND_LEVEL_1.png", 800, 400},
        {kBackground + "BACKGROUND_LEVEL_1_DRAWER.jpg", 800, 400},
        {kBackground + "BACKGROUND_LEVEL_1_DRAWER_OPEN_PUZZLE.jpg", 800, 400},
        {kBackground + "BACKGROUND_LEVEL_1_DRAWER_OPEN.jpg", 800, 400},
        {kBackground + "BACKGROUND_LEVEL_1_PAINTING.jpg", 800, 400},
        {kBackground + "BACKGROUND_LEVEL_1_BOOKSELF.jpg", 800, 400},
        {kBackground + "BACKGROUND_LEVEL_1_EXIT.jpg", 800, 400},
        {kBackground + "BACKGROUND_LEVEL_1_SELF.png", 135, 216},
        {kBackground + "BACKGROUND_LEVEL_1_DOOR.png", 175, 367},
        {kBackground + "BACKGROUND_LEVEL_1_DRAW.png", 200, 179},
        {kPuzzle + "PUZZLE.png", 270, 410},
        {kPuzzle + "PUZZLE_BACKGROUND.png", 800, 600},
        {kRings + "RP_BACKGROUND.png", 800, 600},
        {kRings + "RP_INNER.png", 300, 300},
        {kRings + "RP_MID.png", 300, 300},
        {kRings + "RP_OUTER.png", 300, 300},
    };
    for (int piece = 1; piece <= 12; ++piece)
        pictures.push_back({kPuzzle + "PUZZLE_PIECE_" + std::to_string(piece) + ".png", 90, 103});
    return pictures;
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The decoder picks the format from the bytes, so a PNG saved under .jpg
// would load here and still be the wrong file for anything stricter.
bool HasSignatureOfItsName(const std::string& path) {
    const std::string head = ReadFile(path).substr(0, 8);
    if (EndsWith(path, ".png")) return head == std::string("\x89PNG\r\n\x1a\n", 8);
    if (EndsWith(path, ".jpg")) return head.compare(0, 3, "\xFF\xD8\xFF") == 0;
    return false;
}

Surface Load(const std::string& path) {
    Surface surface = LoadRgba(path);
    if (!surface) ADD_FAILURE() << path << ": " << IMG_GetError();
    return surface;
}

// Fraction of the pixels of a box (surface pixels, clipped) whose alpha is
// at least `alpha`.
double CoveredFraction(const SDL_Surface* s, int left, int top, int width, int height, int alpha) {
    int covered = 0;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            if (x >= 0 && y >= 0 && x < s->w && y < s->h && PixelAt(s, x, y).a >= alpha) ++covered;
    return double(covered) / (width * height);
}

// ----------------------------------------------------------------- files

TEST(FirstRoomArt, EveryPictureHasTheFormatOfItsNameAndItsSize) {
    for (const Picture& picture : FirstRoomPictures()) {
        SCOPED_TRACE(picture.path);
        ASSERT_TRUE(assetcheck::FileExists(picture.path)) << "not built";
        EXPECT_TRUE(HasSignatureOfItsName(picture.path));
        Surface surface = Load(picture.path);
        ASSERT_TRUE(surface);
        EXPECT_EQ(surface->w, picture.width);
        EXPECT_EQ(surface->h, picture.height);
    }
}

TEST(FirstRoomArt, FullPicturesHaveNoSeeThroughPixels) {
    // The clear colour would show through: black holes in the room or board.
    for (const std::string& path : {kBackground + "BACKGROUND_LEVEL_1.png", kPuzzle + "PUZZLE.png",
                                    kPuzzle + "PUZZLE_BACKGROUND.png", kRings + "RP_BACKGROUND.png"}) {
        SCOPED_TRACE(path);
        Surface s = Load(path);
        ASSERT_TRUE(s);
        EXPECT_EQ(CoveredFraction(s.get(), 0, 0, s->w, s->h, 255), 1.0);
    }
}

// ----------------------------------------------------------------- overlays

struct Overlay {
    std::string path;
    double x, y;           // world centre
    double width, height;
};

const Overlay kShelf{kBackground + "BACKGROUND_LEVEL_1_SELF.png", -50, 90, 135, 216};
const Overlay kDoor{kBackground + "BACKGROUND_LEVEL_1_DOOR.png", -270, -20, 175, 367};
const Overlay kChest{kBackground + "BACKGROUND_LEVEL_1_DRAW.png", 210, -110, 200, 179};

double WindowLeft(const Overlay& o) { return o.x - o.width / 2 + 400.0; }
double WindowTop(const Overlay& o) { return 300.0 - (o.y + o.height / 2); }

TEST(FirstRoomArt, FurnitureOverlaysAreCutOutAndEndAtTheRoomEdges) {
    for (const Overlay& overlay : {kShelf, kDoor, kChest}) {
        SCOPED_TRACE(overlay.path);
        Surface s = Load(overlay.path);
        ASSERT_TRUE(s);
        // Flattened onto a background, it would hide the room around it.
        EXPECT_GT(1.0 - CoveredFraction(s.get(), 0, 0, s->w, s->h, 1), 0.01);
        EXPECT_GT(CoveredFraction(s.get(), 0, 0, s->w, s->h, 255), 0.5);
        // Rows that the game draws above or below the room view would paint
        // over the black bands around it.
        for (int row = 0; row < s->h; ++row) {
            const double top = WindowTop(overlay) + row;
            if (top + 1 <= kRoomTop || top >= kRoomBottom) {
                EXPECT_EQ(CoveredFraction(s.get(), 0, row, s->w, 1, 1), 0.0) << "row " << row;
            }
        }
    }
}

// The hero sprite is 190 x 130 centred on its position; the figure in it is
// about 65 wide and 120 tall with its feet on the bottom edge.
double ChestCoverOfHeroAt(const SDL_Surface* chest, double heroX, double heroY) {
    const double feetWindowY = 300.0 - (heroY - 65.0);
    const int left = int(std::lround(heroX + 400.0 - 32.5 - WindowLeft(kChest)));
    const int top = int(std::lround(feetWindowY - 120.0 - WindowTop(kChest)));
    return CoveredFraction(chest, left, top, 65, 120, 128);
}

TEST(FirstRoomArt, HeroStaysVisibleBesideTheChestAndHidesBehindIt) {
    Surface chest = Load(kChest.path);
    ASSERT_TRUE(chest);
    // Everywhere in the lower band (x up to 90) the hero stands beside the
    // chest, which is drawn over it: the chest may only graze the figure.
    for (int y = -138; y <= -42; y += 2)
        EXPECT_LT(ChestCoverOfHeroAt(chest.get(), 90, y), 0.05) << "hero at (90, " << y << ")";
    // Right behind it (upper band, x from 130 on) the chest hides the legs.
    for (int x = 130; x <= 156; x += 2)
        EXPECT_GT(ChestCoverOfHeroAt(chest.get(), x, -42), 0.3) << "hero at (" << x << ", -42)";
}

// ----------------------------------------------------------------- jigsaw

// A board cell is 90 x 102.5; a piece is 103 rows cut from the cell's top
// edge rounded down.
int PieceTop(int row) { return int(std::floor(102.5 * row)); }

TEST(Jigsaw, TwelvePiecesReassembleThePicturePixelForPixel) {
    Surface picture = Load(kPuzzle + "PUZZLE.png");
    ASSERT_TRUE(picture);
    std::vector<int> rowsCovered(picture->h, 0);
    for (int index = 0; index < 12; ++index) {
        const std::string path = kPuzzle + "PUZZLE_PIECE_" + std::to_string(index + 1) + ".png";
        SCOPED_TRACE(path);
        Surface piece = Load(path);
        ASSERT_TRUE(piece);
        ASSERT_EQ(piece->w, 90);
        ASSERT_EQ(piece->h, 103);
        const int left = 90 * (index % 3), top = PieceTop(index / 3);
        ASSERT_LE(top + piece->h, picture->h);
        int wrong = 0;
        for (int y = 0; y < piece->h; ++y)
            for (int x = 0; x < piece->w; ++x) {
                const Rgba a = PixelAt(piece.get(), x, y), b = PixelAt(picture.get(), left + x, top + y);
                if (a.r != b.r || a.g != b.g || a.b != b.b || a.a != b.a) ++wrong;
            }
        EXPECT_EQ(wrong, 0) << "pixels that differ from the picture";
        if (index % 3 == 0)
            for (int y = top; y < top + piece->h; ++y) rowsCovered[y] = 1;
    }
    for (int y = 0; y < picture->h; ++y) EXPECT_TRUE(rowsCovered[y]) << "picture row " << y << " is in no piece";
}

TEST(Jigsaw, NoTwoPiecesLookAlike) {
    // Two crops of the same cell, or a plain sky cell, would leave the player
    // guessing which piece goes where.
    std::vector<Surface> pieces;
    for (int number = 1; number <= 12; ++number) {
        pieces.push_back(Load(kPuzzle + "PUZZLE_PIECE_" + std::to_string(number) + ".png"));
        ASSERT_TRUE(pieces.back());
    }
    for (int i = 0; i < 12; ++i)
        for (int j = i + 1; j < 12; ++j) {
            long difference = 0;
            for (int y = 0; y < 103; ++y)
                for (int x = 0; x < 90; ++x) {
                    const Rgba a = PixelAt(pieces[i].get(), x, y), b = PixelAt(pieces[j].get(), x, y);
                    difference += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
                }
            EXPECT_GT(difference / (90.0 * 103 * 3), 12.0) << "pieces " << i + 1 << " and " << j + 1;
        }
}

// ----------------------------------------------------------------- rings

struct Ring {
    std::string path;
    double innerRadius, outerRadius;
    int solvingAngle;    // counter-clockwise degrees
};

const Ring kInner{kRings + "RP_INNER.png", 0.0, 62.5, -225};
const Ring kMiddle{kRings + "RP_MID.png", 62.5, 112.5, 45};
const Ring kOuter{kRings + "RP_OUTER.png", 112.5, 150.0, -270};

double RadiusOfPixel(int x, int y) { return std::hypot(x + 0.5 - 150.0, y + 0.5 - 150.0); }

TEST(Rings, EachImageIsOpaqueOnItsBandAndClearElsewhere) {
    for (const Ring& ring : {kInner, kMiddle, kOuter}) {
        SCOPED_TRACE(ring.path);
        Surface s = Load(ring.path);
        ASSERT_TRUE(s);
        int leaks = 0, holes = 0;
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x) {
                const double r = RadiusOfPixel(x, y);
                const int alpha = PixelAt(s.get(), x, y).a;
                // A pixel on the band's edge is anti-aliased: skip 1.5 px.
                if (r < ring.innerRadius - 1.5 || r > ring.outerRadius + 1.5) leaks += alpha != 0;
                if (r > ring.innerRadius + 1.5 && r < ring.outerRadius - 1.5) holes += alpha != 255;
            }
        EXPECT_EQ(leaks, 0) << "pixels drawn outside the band would cover the neighbouring ring";
        EXPECT_EQ(holes, 0) << "see-through pixels inside the band";
    }
}

// A ring image shown turned by `angle` degrees counter-clockwise: its colour
// at the screen point at `radius` and `direction` (counter-clockwise degrees
// from the +x axis, about the ring's centre).
Rgba SampleTurned(const SDL_Surface* s, int angle, double radius, double direction) {
    const double t = (direction - angle) * kPi / 180.0;
    const int x = int(std::floor(150.0 + radius * std::cos(t)));
    const int y = int(std::floor(150.0 - radius * std::sin(t)));
    return PixelAt(s, x, y);
}

// How badly the picture breaks across the seam between two rings turned to
// the given angles: the colour just inside the seam against the colour just
// outside it, 5 px away from the ink rims, allowing a line that crosses the
// seam at a slant to arrive up to 6 degrees further round.
double SeamMismatch(const SDL_Surface* inside, int insideAngle, const SDL_Surface* outside,
                    int outsideAngle, double seamRadius) {
    constexpr int kSteps = 360, kSlack = 6;
    std::vector<Rgba> in(kSteps), out(kSteps);
    for (int k = 0; k < kSteps; ++k) {
        in[k] = SampleTurned(inside, insideAngle, seamRadius - 5.0, k);
        out[k] = SampleTurned(outside, outsideAngle, seamRadius + 5.0, k);
    }
    double total = 0;
    for (int k = 0; k < kSteps; ++k) {
        int best = 3 * 255;
        for (int d = -kSlack; d <= kSlack; ++d) {
            const Rgba a = in[k], b = out[(k + d + kSteps) % kSteps];
            best = std::min(best, std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b));
        }
        total += best;
    }
    return total / (kSteps * 3.0);
}

// Turning the inner ring of a seam by each of the eight 45-degree steps away
// from its solving angle must break the seam clearly more than leaving it.
void ExpectSeamFitsOnlyWhenSolved(const Ring& innerRing, const Ring& outerRing, double seamRadius) {
    Surface inside = Load(innerRing.path), outside = Load(outerRing.path);
    ASSERT_TRUE(inside && outside);
    const double solved = SeamMismatch(inside.get(), innerRing.solvingAngle, outside.get(),
                                       outerRing.solvingAngle, seamRadius);
    for (int step = 1; step < 8; ++step) {
        const double turned = SeamMismatch(inside.get(), innerRing.solvingAngle + 45 * step, outside.get(),
                                           outerRing.solvingAngle, seamRadius);
        EXPECT_LT(solved, 0.75 * turned) << "turned by " << 45 * step << " degrees, the seam fits as well";
    }
}

TEST(Rings, InnerDiscAndMiddleRingLineUpOnlyAtTheSolvingAngles) {
    ExpectSeamFitsOnlyWhenSolved(kInner, kMiddle, 62.5);
}

TEST(Rings, MiddleAndOuterRingLineUpOnlyAtTheSolvingAngles) {
    ExpectSeamFitsOnlyWhenSolved(kMiddle, kOuter, 112.5);
}

TEST(Rings, StartingPositionIsVisiblyScrambled) {
    // All rings start at angle 0; the puzzle must not look solved there.
    Surface inner = Load(kInner.path), middle = Load(kMiddle.path), outer = Load(kOuter.path);
    ASSERT_TRUE(inner && middle && outer);
    const double innerSolved = SeamMismatch(inner.get(), kInner.solvingAngle, middle.get(), kMiddle.solvingAngle, 62.5);
    const double outerSolved = SeamMismatch(middle.get(), kMiddle.solvingAngle, outer.get(), kOuter.solvingAngle, 112.5);
    const double innerStart = SeamMismatch(inner.get(), 0, middle.get(), 0, 62.5);
    const double outerStart = SeamMismatch(middle.get(), 0, outer.get(), 0, 112.5);
    EXPECT_GT(innerStart + outerStart, 1.5 * (innerSolved + outerSolved));
}

}  // namespace
