// The rooms' art where the game places it, and against the spots it tests.
#include <cmath>

#include "asset_support.h"

namespace {

const std::string kLevel = "Resources/Animation/Background/BACKGROUND_LEVEL_", kRoom1 = kLevel + "1", kRoom2 = kLevel + "2";
const std::string kPuzzle = "Resources/Animation/Puzzle/PUZZLE", kRings = "Resources/Animation/RotatingPuzzle/RP_";
bool Drawn(const Rgba& p) { return p.a > 0; }
bool IsGold(const Rgba& p) { return p.r > 180 && p.g > 140 && p.b < 120; }
int Sum(const Rgba& p, const Rgba& q) {  // of the four channel differences
    return std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) + std::abs(p.a - q.a);
}
int Max(const Rgba& p, const Rgba& q) { return std::max({std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b)}); }

// The window is 800 x 600 with the world origin at its centre, y up; a room view covers window rows 100..499.
struct Overlay { std::string path; double x, y, width, height; };  // world centre and size
const Overlay kOverlays[] = {{kRoom1 + "_SELF.png", -50, 90, 135, 216}, {kRoom1 + "_DOOR.png", -270, -20, 175, 367},
                             {kRoom1 + "_DRAW.png", 210, -110, 200, 179}};
Rect ClickSpot(int left, int top, int right, int bottom) { return {left, top - 100, right, bottom - 100}; }  // into the view

long Difference(const SDL_Surface* a, const SDL_Surface* b, int bx = 0, int by = 0) {  // all of a against b from (bx, by)
    long sum = 0;
    for (int y = 0; y < a->h; ++y)
        for (int x = 0; x < a->w; ++x) sum += Sum(PixelAt(a, x, y), PixelAt(b, bx + x, by + y));
    return sum;
}

// Share of a room view, outside `except` grown by `margin`, where two pictures clearly differ (JPEG noise: well under).
double ChangedShare(const SDL_Surface* a, const SDL_Surface* b, Rect area, Rect except = {0, 0, -1, -1}, int margin = 0) {
    int changed = 0, counted = 0;
    for (int y = area.top; y <= area.bottom; ++y)
        for (int x = area.left; x <= area.right; ++x)
            if (x < except.left - margin || x > except.right + margin || y < except.top - margin || y > except.bottom + margin)
                ++counted, changed += Max(PixelAt(a, x, y), PixelAt(b, x, y)) > 48;
    return counted ? double(changed) / counted : 0.0;
}
const Rect kView{0, 0, 799, 399};

struct Ring { std::string path; double inner, outer; };  // radii
const Ring kRingList[] = {{kRings + "INNER.png", 0.0, 62.5}, {kRings + "MID.png", 62.5, 112.5}, {kRings + "OUTER.png", 112.5, 150.0}};

}  // namespace

// The hero's figure, 65 x 120, stands on the bottom edge of its 190 x 130 sprite centred on its position.
TEST(FirstRoomArt, FurnitureIsCutOutInsideTheRoomViewAndTheChestHidesTheHeroOnlyFromBehind) {
    for (const Overlay& o : kOverlays) {
        Surface s = LoadRgba(o.path);
        ASSERT_TRUE(s);
        EXPECT_TRUE(Share(s.get(), Drawn) < 0.99 && Share(s.get(), Solid) > 0.5) << o.path << " is not cut out";
        const double top = 300.0 - (o.y + o.height / 2);  // the window row of its first row
        for (int row = 0; row < s->h; ++row)  // rows beyond the view would paint over the black bands around it
            EXPECT_TRUE((top + row + 1 > 100 && top + row < 500) || Share(s.get(), {0, row, s->w - 1, row}, Drawn) == 0)
                << o.path << " row " << row;
        auto cover = [&](double x, double y) {
            const int l = int(std::lround(x - 32.5 - o.x + o.width / 2)), t = int(std::lround(245.0 - top - y));
            return Share(s.get(), {l, t, l + 64, t + 119}, [](const Rgba& p) { return p.a >= 128; });
        };
        if (&o != &kOverlays[2]) continue;  // the chest: in the lower band (x up to 90) the hero stands beside it
        for (int y = -138; y <= -42; y += 2) EXPECT_LT(cover(90, y), 0.05) << "hero at 90, " << y;
        for (int x = 130; x <= 156; x += 2) EXPECT_GT(cover(x, -42), 0.3) << "behind it, hero at " << x << ", -42";
    }
}

// Board cells are 90 x 102.5; a piece is 103 rows cut from its cell's top edge rounded down.
TEST(Jigsaw, TwelveDistinctPiecesReassembleThePicturePixelForPixel) {
    Surface picture = LoadRgba(kPuzzle + ".png");
    ASSERT_TRUE(picture);
    std::vector<Surface> pieces;
    for (int i = 0; i < 12; ++i) {
        pieces.push_back(LoadRgba(kPuzzle + "_PIECE_" + std::to_string(i + 1) + ".png"));
        const SDL_Surface* piece = pieces.back().get();
        const int left = 90 * (i % 3), top = int(std::floor(102.5 * (i / 3)));
        ASSERT_TRUE(piece && piece->w == 90 && piece->h == 103 && top + 103 <= picture->h) << "piece " << i + 1;
        EXPECT_EQ(Difference(piece, picture.get(), left, top), 0) << "piece " << i + 1 << " is not its cell";
    }
    // Two crops of one cell, or a plain sky cell, would leave the player guessing (the pieces are opaque).
    for (int i = 0; i < 12; ++i)
        for (int j = i + 1; j < 12; ++j)
            EXPECT_GT(Difference(pieces[i].get(), pieces[j].get()) / (90.0 * 103 * 3), 12.0)
                << "pieces " << i + 1 << " and " << j + 1 << " look alike";
}

// That the seams fit only at the solving angles is what the rings test sees on screen.
TEST(Rings, EachIsSolidOnItsBandAndClearElsewhere) {
    for (const Ring& ring : kRingList) {
        const Surface s = LoadRgba(ring.path);
        ASSERT_TRUE(s);
        int leaks = 0, holes = 0;  // the band's edges are anti-aliased: 1.5 px either side are free
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x) {
                const double r = std::hypot(x + 0.5 - 150.0, y + 0.5 - 150.0);
                const int alpha = PixelAt(s.get(), x, y).a;
                leaks += (r < ring.inner - 1.5 || r > ring.outer + 1.5) && alpha != 0;
                holes += r > ring.inner + 1.5 && r < ring.outer - 1.5 && alpha != 255;
            }
        EXPECT_TRUE(leaks == 0 && holes == 0) << ring.path << ": " << leaks << " pixels drawn outside the band, over the "
                                              << "neighbouring ring; " << holes << " see-through inside it";
    }
}

TEST(SecondRoomArt, TheDrawerOverlayRepeatsItsCabinetAndClickableThingsAreDrawnInTheirSpots) {
    Surface key = LoadRgba(kRoom2 + "_SOFA_KEY.jpg"), sofa = LoadRgba(kRoom2 + "_SOFA.jpg");
    Surface shut = LoadRgba(kRoom2 + "_DRAWER.jpg"), topOpen = LoadRgba(kRoom2 + "_DRAWER_TOP_OPEN.jpg");
    Surface bottomOpen = LoadRgba(kRoom2 + "_DRAWER_BOTTOM_OPEN.jpg");
    Surface missing = LoadRgba(kRoom2 + "_MISSING_TROPHY.jpg"), full = LoadRgba(kRoom2 + "_FULL_TROPHIES.jpg");
    Surface off = LoadRgba(kRoom2 + "_COMPUTER.jpg"), on = LoadRgba(kRoom2 + "_COMPUTER_ON.jpg");
    Surface room = LoadRgba(kRoom2 + ".jpg"), overlay = LoadRgba(kRoom2 + "_DRAWER_OBJECT.png");
    ASSERT_TRUE(key && sofa && shut && topOpen && bottomOpen && missing && full && off && on && room && overlay);
    int opaque = 0, far = 0, total = 0;
    for (int y = 0; y < overlay->h; ++y)
        for (int x = 0; x < overlay->w; ++x)  // placed with its top-left corner at (469, 50)
            if (Solid(PixelAt(overlay.get(), x, y))) {
                const int d = Max(PixelAt(overlay.get(), x, y), PixelAt(room.get(), 469 + x, 50 + y));
                ++opaque, total += d, far += d > 40;
            }
    EXPECT_GT(opaque, overlay->w * overlay->h / 2) << "the overlay hardly covers its box";
    EXPECT_LT(double(total) / opaque, 10.0) << "the overlay does not match the room picture";
    EXPECT_LT(double(far) / opaque, 0.03) << "the overlay is shifted against the room picture";
    // Above the slanted top and between the feet nothing may hide the hero.
    const int w = overlay->w, h = overlay->h;
    EXPECT_TRUE(!Drawn(PixelAt(overlay.get(), 0, 0)) && !Drawn(PixelAt(overlay.get(), w - 1, 0)) &&
                !Drawn(PixelAt(overlay.get(), w / 2, h - 2)) && Solid(PixelAt(overlay.get(), w / 2, h / 2)));
    const Rect keySpot = ClickSpot(360, 296, 405, 316);
    EXPECT_TRUE(Share(key.get(), keySpot, IsGold) > 0.15 && Share(sofa.get(), keySpot, IsGold) < 0.02) << "key";
    EXPECT_LT(ChangedShare(key.get(), sofa.get(), kView, keySpot, 40), 0.002) << "more than the key differs";
    const Rect trophySpot = ClickSpot(410, 225, 450, 305);
    EXPECT_GT(Share(topOpen.get(), trophySpot, IsGold), Share(shut.get(), trophySpot, IsGold) + 0.2)
        << "the trophy should fill its spot, which the shut drawer's lock plate reaches into";
    const Rect trophy = ClickSpot(300, 390 - 60, 395, 420);  // the placed trophy rises 60 px above the spot of its foot
    EXPECT_GT(Share(full.get(), trophy, IsGold), Share(missing.get(), trophy, IsGold) + 0.1) << "placed trophy";
    EXPECT_LT(ChangedShare(missing.get(), full.get(), kView, trophy, 30), 0.002) << "more than the trophy differs";
    EXPECT_GT(ChangedShare(shut.get(), bottomOpen.get(), ClickSpot(300, 320, 500, 445)), 0.5) << "the safe's front";
    EXPECT_LT(ChangedShare(shut.get(), bottomOpen.get(), ClickSpot(290, 165, 500, 300)), 0.01) << "top drawer";
    EXPECT_GT(Share(off.get(), ClickSpot(595, 380, 615, 400), [](const Rgba& p) { return p.r > 180 && p.g < 130; }), 0.3)
        << "the rose power button";
    const Rect screen{290, 60, 510, 190};
    auto lit = [](const Rgba& p) { return Luma(p) > 120; };
    EXPECT_TRUE(ChangedShare(off.get(), on.get(), screen) > 0.15 && Share(on.get(), screen, lit) > 0.05 &&
                Share(off.get(), screen, lit) < 0.01) << "the screen lighting up";
}

TEST(Keypad, DrawsEachKeyInsideItsButtonAndLeavesTheDigitDisplayDark) {
    Surface safe = LoadRgba(kRoom2 + "_SAFEBOX.jpg");
    ASSERT_TRUE(safe);
    // The four 30 x 55 typed digits are centred at window (260..380, 260).
    EXPECT_EQ(Share(safe.get(), ClickSpot(242, 230, 398, 290), [](const Rgba& p) { return Luma(p) >= 45; }), 0.0)
        << "something is drawn where the typed digits go";
    const int columns[6][2] = {{220, 260}, {280, 325}, {350, 390}, {420, 460}, {480, 525}, {548, 590}};
    const Rgba plate = PixelAt(safe.get(), 270, 335 - 100);  // between the first two keys of row 1
    auto onKey = [&](const Rgba& p) { return Max(p, plate) > 50; };
    for (int c = 0; c < 6; ++c) {
        EXPECT_TRUE(Share(safe.get(), ClickSpot(columns[c][0], 310, columns[c][1], 365), onKey) > 0.7 &&
                    Share(safe.get(), ClickSpot(columns[c][0], 380, columns[c][1], 430), onKey) > 0.7)
            << "no key drawn in a button at window x " << columns[c][0];
        EXPECT_TRUE(c == 5 || Share(safe.get(), ClickSpot(columns[c][1] + 3, 330, columns[c + 1][0] - 3, 350), onKey) < 0.3)
            << "a key reaches into the gap after window x " << columns[c][1];
    }
}

// Written as digits anywhere but the placeholder, the clue goes stale the day the combination changes.
TEST(SafeCode, IsFourDigitsOnOneLineAndReachesTheScreenOnlyThroughThePlaceholder) {
    const std::string code = ReadFile(SourceDir() + "/assets/SAFE_CODE.txt");
    ASSERT_TRUE(code.size() == 5 && code[4] == '\n' && code.find_first_not_of("0123456789") == 4)
        << "assets/SAFE_CODE.txt must hold four digits and a line feed";
    const std::string spaced = {code[0], ' ', code[1], ' ', code[2], ' ', code[3]};
    const std::string sources = SourceDir() + "/assets/Animation/Background/BACKGROUND_LEVEL_2_";
    EXPECT_NE(ReadFile(sources + "COMPUTER_ON.jpg.svg").find("@SAFE_CODE"), std::string::npos);
    for (const char* name : {"COMPUTER_ON", "SAFEBOX", "SAFEBOX_OPEN", "TABLE"})
        for (const std::string& digits : {">" + code.substr(0, 4), spaced})
            EXPECT_EQ(ReadFile(sources + name + ".jpg.svg").find(digits), std::string::npos) << name << " shows " << digits;
}
