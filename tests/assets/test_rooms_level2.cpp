// The second room's pictures against the numbers the game tests: the drawer
// overlay must sit exactly on the cabinet it repeats, the things the player
// clicks must be drawn inside their click spots, the keypad's keys inside
// their buttons with the digit display left dark, and the safe's
// combination must reach the computer screen from its one source.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "asset_support.h"

using namespace assetcheck;

namespace {

const std::string kBackground = "Resources/Animation/Background/";
constexpr int kViewTop = 100;  // window y of a room view's top edge

// The drawer overlay's place in the room picture (its top-left corner).
constexpr int kOverlayLeft = 469;
constexpr int kOverlayTop = 50;

// An inclusive rectangle in image pixels.
struct Rect {
    int left, top, right, bottom;
    int Area() const { return (right - left + 1) * (bottom - top + 1); }
    bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    Rect Grown(int by) const { return {left - by, top - by, right + by, bottom + by}; }
};

// A click spot as the game tests it, in window pixels, moved into the view.
Rect ClickSpot(int left, int top, int right, int bottom) {
    return {left, top - kViewTop, right, bottom - kViewTop};
}

int Luma(const Rgba& p) { return (299 * p.r + 587 * p.g + 114 * p.b) / 1000; }

int Distance(const Rgba& a, const Rgba& b) {
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

bool IsGold(const Rgba& p) { return p.r > 180 && p.g > 140 && p.b < 120; }

Surface Load(const std::string& name) {
    Surface image = LoadRgba(kBackground + name);
    EXPECT_TRUE(image) << "cannot decode " << kBackground << name;
    return image;
}

// Share of the pixels of `area` for which `test` holds.
template <typename Test>
double Share(const SDL_Surface* image, Rect area, Test test) {
    int hits = 0;
    for (int y = area.top; y <= area.bottom; ++y)
        for (int x = area.left; x <= area.right; ++x)
            if (test(PixelAt(image, x, y))) ++hits;
    return double(hits) / area.Area();
}

// Share of the pixels inside `area` (and outside `except`, if given) where
// two pictures clearly differ; JPEG noise stays well under the threshold.
double ChangedShare(const SDL_Surface* a, const SDL_Surface* b, Rect area,
                    const Rect* except = nullptr) {
    int changed = 0, counted = 0;
    for (int y = std::max(area.top, 0); y <= std::min(area.bottom, a->h - 1); ++y)
        for (int x = std::max(area.left, 0); x <= std::min(area.right, a->w - 1); ++x) {
            if (except && except->Contains(x, y)) continue;
            ++counted;
            if (Distance(PixelAt(a, x, y), PixelAt(b, x, y)) > 48) ++changed;
        }
    return counted ? double(changed) / counted : 0.0;
}

const Rect kWholeView{0, 0, 799, 399};

}  // namespace

// ------------------------------------------------------------ drawer overlay

TEST(DrawerOverlay, RepeatsTheCabinetOfTheRoomPixelForPixel) {
    Surface room = Load("BACKGROUND_LEVEL_2.jpg");
    Surface overlay = Load("BACKGROUND_LEVEL_2_DRAWER_OBJECT.png");
    ASSERT_TRUE(room && overlay);
    int opaque = 0, far = 0;
    long total = 0;
    for (int y = 0; y < overlay->h; ++y)
        for (int x = 0; x < overlay->w; ++x) {
            Rgba over = PixelAt(overlay.get(), x, y);
            if (over.a != 255) continue;
            ++opaque;
            int d = Distance(over, PixelAt(room.get(), kOverlayLeft + x, kOverlayTop + y));
            total += d;
            if (d > 40) ++far;
        }
    ASSERT_GT(opaque, overlay->w * overlay->h / 2) << "the overlay hardly covers its box";
    EXPECT_LT(double(total) / opaque, 10.0) << "the overlay does not match the room picture";
    EXPECT_LT(double(far) / opaque, 0.03) << "the overlay is shifted against the room picture";
}

TEST(DrawerOverlay, IsCutOutSoTheHeroShowsAroundTheCabinet) {
    Surface overlay = Load("BACKGROUND_LEVEL_2_DRAWER_OBJECT.png");
    ASSERT_TRUE(overlay);
    // Above the slanted top and between the feet there is nothing to hide
    // the hero behind.
    EXPECT_EQ(PixelAt(overlay.get(), 0, 0).a, 0);
    EXPECT_EQ(PixelAt(overlay.get(), overlay->w - 1, 0).a, 0);
    EXPECT_EQ(PixelAt(overlay.get(), overlay->w / 2, overlay->h - 2).a, 0);
    EXPECT_EQ(PixelAt(overlay.get(), overlay->w / 2, overlay->h / 2).a, 255);
}

// ------------------------------------------------------------ click spots

TEST(CloseUps, TheKeyLiesInItsSpotAndIsAllThatDiffersOnTheSofa) {
    Surface withKey = Load("BACKGROUND_LEVEL_2_SOFA_KEY.jpg");
    Surface without = Load("BACKGROUND_LEVEL_2_SOFA.jpg");
    ASSERT_TRUE(withKey && without);
    Rect key = ClickSpot(360, 296, 405, 316);
    EXPECT_GT(Share(withKey.get(), key, IsGold), 0.15);
    EXPECT_LT(Share(without.get(), key, IsGold), 0.02);
    Rect around = key.Grown(40);
    EXPECT_LT(ChangedShare(withKey.get(), without.get(), kWholeView, &around), 0.002);
}

TEST(CloseUps, TheTrophyStandsInItsSpotInTheOpenDrawer) {
    Surface open = Load("BACKGROUND_LEVEL_2_DRAWER_TOP_OPEN.jpg");
    Surface shut = Load("BACKGROUND_LEVEL_2_DRAWER.jpg");
    ASSERT_TRUE(open && shut);
    Rect trophy = ClickSpot(410, 225, 450, 305);
    // The shut drawer's lock plate reaches into the spot; the trophy fills it.
    EXPECT_GT(Share(open.get(), trophy, IsGold), Share(shut.get(), trophy, IsGold) + 0.2);
}

TEST(CloseUps, ThePlacedTrophyFillsTheGapAndNothingElseChanges) {
    Surface missing = Load("BACKGROUND_LEVEL_2_MISSING_TROPHY.jpg");
    Surface full = Load("BACKGROUND_LEVEL_2_FULL_TROPHIES.jpg");
    ASSERT_TRUE(missing && full);
    Rect place = ClickSpot(300, 390, 395, 420);
    // The trophy rises above the spot, where its foot stands.
    Rect trophy{place.left, place.top - 60, place.right, place.bottom};
    EXPECT_GT(Share(full.get(), trophy, IsGold), Share(missing.get(), trophy, IsGold) + 0.1);
    Rect around = trophy.Grown(30);
    EXPECT_LT(ChangedShare(missing.get(), full.get(), kWholeView, &around), 0.002);
}

TEST(CloseUps, TheSafeFrontFillsTheBottomDrawerSpot) {
    Surface shut = Load("BACKGROUND_LEVEL_2_DRAWER.jpg");
    Surface open = Load("BACKGROUND_LEVEL_2_DRAWER_BOTTOM_OPEN.jpg");
    ASSERT_TRUE(shut && open);
    Rect drawer = ClickSpot(300, 320, 500, 445);
    EXPECT_GT(ChangedShare(shut.get(), open.get(), drawer), 0.5);
    // The top drawer stays as it was.
    Rect top = ClickSpot(290, 165, 500, 300);
    EXPECT_LT(ChangedShare(shut.get(), open.get(), top), 0.01);
}

TEST(CloseUps, ThePowerButtonSitsInItsSpotAndTheScreenLightsUp) {
    Surface off = Load("BACKGROUND_LEVEL_2_COMPUTER.jpg");
    Surface on = Load("BACKGROUND_LEVEL_2_COMPUTER_ON.jpg");
    ASSERT_TRUE(off && on);
    Rect button = ClickSpot(595, 380, 615, 400);
    auto rose = [](const Rgba& p) { return p.r > 180 && p.g < 130; };
    EXPECT_GT(Share(off.get(), button, rose), 0.3);
    Rect screen{290, 60, 510, 190};
    EXPECT_GT(ChangedShare(off.get(), on.get(), screen), 0.15);
    EXPECT_GT(Share(on.get(), screen, [](const Rgba& p) { return Luma(p) > 120; }), 0.05);
    EXPECT_LT(Share(off.get(), screen, [](const Rgba& p) { return Luma(p) > 120; }), 0.01);
}

// ------------------------------------------------------------ safe keypad

TEST(Keypad, LeavesTheDigitDisplayDarkAndEmpty) {
    Surface safe = Load("BACKGROUND_LEVEL_2_SAFEBOX.jpg");
    ASSERT_TRUE(safe);
    // The four 30 x 55 digits are centred at window (260..380, 260).
    Rect display = ClickSpot(242, 230, 398, 290);
    int brightest = 0;
    for (int y = display.top; y <= display.bottom; ++y)
        for (int x = display.left; x <= display.right; ++x)
            brightest = std::max(brightest, Luma(PixelAt(safe.get(), x, y)));
    EXPECT_LT(brightest, 45) << "something is drawn where the typed digits go";
}

TEST(Keypad, DrawsEachKeyInsideItsButtonWithPlateBetween) {
    Surface safe = Load("BACKGROUND_LEVEL_2_SAFEBOX.jpg");
    ASSERT_TRUE(safe);
    const int columns[6][2] = {{220, 260}, {280, 325}, {350, 390}, {420, 460}, {480, 525}, {548, 590}};
    const int rows[2][2] = {{310, 365}, {380, 430}};
    // The plate's colour, sampled between the first two keys of row 1.
    Rgba plate = PixelAt(safe.get(), 270, 335 - kViewTop);
    auto onKey = [&](const Rgba& p) { return Distance(p, plate) > 50; };
    for (const auto& row : rows)
        for (const auto& column : columns) {
            Rect key = ClickSpot(column[0], row[0], column[1], row[1]);
            EXPECT_GT(Share(safe.get(), key, onKey), 0.7)
                << "no key drawn in the button at window x " << column[0] << ", y " << row[0];
        }
    for (int c = 0; c + 1 < 6; ++c) {
        Rect gap = ClickSpot(columns[c][1] + 3, 330, columns[c + 1][0] - 3, 350);
        EXPECT_LT(Share(safe.get(), gap, onKey), 0.3)
            << "a key reaches into the gap after window x " << columns[c][1];
    }
}

// ------------------------------------------------------------ combination

TEST(SafeCode, IsFourDigitsOnOneLine) {
    std::string code = ReadFile(SourceDir() + "/assets/SAFE_CODE.txt");
    ASSERT_EQ(code.size(), 5u) << "assets/SAFE_CODE.txt must hold four digits and a line feed";
    EXPECT_TRUE(std::all_of(code.begin(), code.begin() + 4, [](char c) { return std::isdigit(c); }));
    EXPECT_EQ(code[4], '\n');
}

TEST(SafeCode, ReachesTheScreenOnlyThroughThePlaceholder) {
    // Written as digits anywhere else, the clue would go stale the day the
    // combination changes.
    std::string code = ReadFile(SourceDir() + "/assets/SAFE_CODE.txt").substr(0, 4);
    ASSERT_EQ(code.size(), 4u);
    std::string spaced = {code[0], ' ', code[1], ' ', code[2], ' ', code[3]};
    const std::string sources = SourceDir() + "/assets/Animation/Background/";
    std::string screen = ReadFile(sources + "BACKGROUND_LEVEL_2_COMPUTER_ON.jpg.svg");
    ASSERT_FALSE(screen.empty());
    EXPECT_NE(screen.find("@SAFE_CODE"), std::string::npos);
    for (const char* name : {"BACKGROUND_LEVEL_2_COMPUTER_ON.jpg.svg", "BACKGROUND_LEVEL_2_SAFEBOX.jpg.svg",
                             "BACKGROUND_LEVEL_2_SAFEBOX_OPEN.jpg.svg", "BACKGROUND_LEVEL_2_TABLE.jpg.svg"}) {
        std::string text = ReadFile(sources + name);
        EXPECT_EQ(text.find(">" + code), std::string::npos) << name;
        EXPECT_EQ(text.find(spaced), std::string::npos) << name;
    }
}
