// The options, pause and game-over panels' art where the game places it, against the areas
// that answer a click there.
#include "asset_support.h"

namespace {

const std::string kButton = "Resources/Animation/Button/BUTTON_", kBack = "Resources/Animation/Background/";
bool Drawn(const Rgba& p) { return p.a >= 128; }
bool IsGold(const Rgba& p) { return p.a == 255 && p.r > 200 && p.g > 160 && p.b < 110; }

// A picture drawn with its centre on window pixel edge (cx, cy) of the 800 x 600 window, and the
// window pixels (inclusive) where a click on it counts.
struct Placed { std::string path; int cx, cy; Rect answers; };
const Placed kPlaced[] = {
    {kButton + "UNTICK.png", 520, 200, {502, 181, 537, 214}},  // full screen
    {kButton + "TICK.png", 520, 300, {502, 281, 537, 314}},    // mute
    {kButton + "MINUS.png", 290, 415, {269, 395, 309, 426}},
    {kButton + "PLUS.png", 525, 415, {507, 395, 540, 426}},
    // The pause panel's column, then the game-over screen's.
    {kButton + "MENU_0.png", 400, 250, {362, 232, 437, 267}},
    {kButton + "RESTART_0.png", 400, 300, {362, 282, 437, 317}},
    {kButton + "OPTIONS_0.png", 400, 350, {362, 332, 437, 367}},
    {kButton + "BACK_0.png", 400, 400, {362, 382, 437, 417}},
    {kButton + "REPLAY_0.png", 400, 330, {362, 312, 437, 347}},
    {kButton + "MENU_0.png", 400, 400, {362, 382, 437, 417}},
};

TEST(Panels, EveryButtonAndBoxIsDrawnOverExactlyTheAreaThatAnswers) {
    for (const Placed& placed : kPlaced) {
        const Surface s = LoadRgba(placed.path);
        ASSERT_TRUE(s) << placed.path;
        const int left = placed.cx - s->w / 2, top = placed.cy - s->h / 2;  // the picture's corner
        Rect drawn{800, 600, -1, -1};
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x)
                if (Drawn(PixelAt(s.get(), x, y)))
                    drawn = {std::min(drawn.left, x + left), std::min(drawn.top, y + top),
                             std::max(drawn.right, x + left), std::max(drawn.bottom, y + top)};
        const Rect& a = placed.answers;
        EXPECT_EQ(std::vector<int>({drawn.left, drawn.top, drawn.right, drawn.bottom}),
                  std::vector<int>({a.left, a.top, a.right, a.bottom})) << placed.path << " at " << placed.cy;
        // Solid from side to side and top to bottom through the middle: no hole that answers.
        const int midX = (a.left + a.right) / 2 - left, midY = (a.top + a.bottom) / 2 - top;
        EXPECT_EQ(Share(s.get(), {a.left - left, midY, a.right - left, midY}, Drawn), 1.0) << placed.path;
        EXPECT_EQ(Share(s.get(), {midX, a.top - top, midX, a.bottom - top}, Drawn), 1.0) << placed.path;
    }
}

// The panels' gold frame stands as far from the window's left edge as from its right.
TEST(Panels, PauseAndGameOverPanelsAreCentredOnTheWindow) {
    for (const std::string name : {"BACKGROUND_PAUSE.png", "BACKGROUND_GAME_OVER.png"}) {
        const Surface s = LoadRgba(kBack + name);
        ASSERT_TRUE(s) << name;
        int leftmost = s->w, rightmost = -1;
        for (int y = 150; y < 450; ++y)
            for (int x = 200; x < 600; ++x)
                if (IsGold(PixelAt(s.get(), x, y))) leftmost = std::min(leftmost, x), rightmost = std::max(rightmost, x);
        EXPECT_NEAR((leftmost + rightmost + 1) / 2.0, 400.0, 1.0) << name << ": gold from " << leftmost << " to " << rightmost;
    }
}

}  // namespace
