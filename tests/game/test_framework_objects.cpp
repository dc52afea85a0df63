// Scene objects, sprites, the texture cache, overlays and text printers.
#include <gtest/gtest.h>

#include <cmath>

#include "CountdownText.h"
#include "GameObject.h"
#include "PlayHarness.h"
#include "Sprite.h"
#include "TextPrinter.h"

namespace {

const char* const kTick = "Resources/Animation/Button/BUTTON_TICK.png";
const char* const kUntick = "Resources/Animation/Button/BUTTON_UNTICK.png";
const char* const kPlus = "Resources/Animation/Button/BUTTON_PLUS.png";
const char* const kMinus = "Resources/Animation/Button/BUTTON_MINUS.png";

/* Where the object's transform puts the quad corner (u, v) of the unit square. */
void Apply(const TNMtx33& m, float u, float v, float* x, float* y) {
  *x = m.m[0][0] * u + m.m[0][1] * v + m.m[0][2];
  *y = m.m[1][0] * u + m.m[1][1] * v + m.m[1][2];
}

TEST(GameObjectDraw, RotationIsWrappedToWholeDegreesKeepingItsSign) {
  GameObject object;
  const struct {
    double in, out;
  } cases[] = {{725.9, 5.0}, {-400.0, -40.0}, {-30.0, -30.0}, {370.7, 10.0}, {359.99, 359.0},
               {720.0, 0.0}, {1e12, std::fmod(1e12, 360.0)}};
  for (const auto& c : cases) {
    object.rotation = c.in;
    object.Draw();
    EXPECT_EQ(object.rotation, c.out) << "from " << c.in;
  }
}

TEST(GameObjectDraw, InvisibleObjectKeepsItsRotationAndTransform) {
  GameObject object;
  object.visible = false;
  object.rotation = 725.9;
  object.posX = 50.0;
  object.Draw();
  EXPECT_EQ(object.rotation, 725.9);
  EXPECT_EQ(object.transform.m[0][2], 0.0f);
}

TEST(GameObjectDraw, TransformScalesThenRotatesThenTranslates) {
  GameObject object;
  object.width = 20.0;
  object.height = 10.0;
  object.scaleX = 2.0;
  object.scaleY = 3.0;
  object.rotation = 90.0;
  object.posX = 100.0;
  object.posY = -50.0;
  object.transparency = 0.0f;  // nothing reaches the GPU, the transform is still built
  object.Draw();

  float x = 0, y = 0;
  // The right edge's midpoint (0.5, 0) is 20 units right after scaling; a
  // quarter turn puts it 20 units up from the centre.
  Apply(object.transform, 0.5f, 0.0f, &x, &y);
  EXPECT_NEAR(x, 100.0f, 1e-3f);
  EXPECT_NEAR(y, -30.0f, 1e-3f);
  // The top edge's midpoint (0, 0.5) is 15 units up, then turned to the left.
  Apply(object.transform, 0.0f, 0.5f, &x, &y);
  EXPECT_NEAR(x, 85.0f, 1e-3f);
  EXPECT_NEAR(y, -50.0f, 1e-3f);
}

TEST(GameObject, TransparencyIsClampedToZeroOne) {
  GameObject object;
  EXPECT_EQ(object.SetTransparency(1.7f), 1.0f);
  EXPECT_EQ(object.GetTransparency(), 1.0f);
  EXPECT_EQ(object.SetTransparency(-0.2f), 0.0f);
  EXPECT_EQ(object.transparency, 0.0f);
  EXPECT_EQ(object.SetTransparency(0.4f), 0.4f);
}

TEST(GameObject, BoxesThatTouchAlongAnEdgeCollide) {
  GameObject a, b;
  a.width = a.height = b.width = b.height = 10.0;
  b.posX = 10.0;
  EXPECT_TRUE(a.Collides(b));
  EXPECT_TRUE(b.Collides(a));
  b.posX = 10.001;
  EXPECT_FALSE(a.Collides(b));
  EXPECT_FALSE(b.Collides(a));
  b.posX = 5.0;
  b.posY = -10.5;
  EXPECT_FALSE(a.Collides(b));
  b.posY = -10.0;
  EXPECT_TRUE(a.Collides(b));
  // Scale and rotation are not part of the box.
  b.posY = 20.0;
  b.scaleY = 5.0;
  b.rotation = 90.0;
  EXPECT_FALSE(a.Collides(b));
}

/* The tests below need the engine: textures and fonts live in the GL context. */
class EngineTest : public ::testing::Test {
 protected:
  PlayHarness engine;
};

TEST_F(EngineTest, ObjectsWithTheSameImageShareOneTextureUntilItIsReleased) {
  GameObject* first = new GameObject(kTick, 60, 60);
  GameObject* second = new GameObject(kTick, 30, 30);
  TNGfxTexture* shared = FindCachedTexture(kTick);
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(GetTexture(kTick), shared);
  EXPECT_NE(*shared->id, 0u);
  const size_t cached = CachedTextureCount();

  first->Load();
  ASSERT_NE(sharedQuadMesh, nullptr);
  first->Unload();
  EXPECT_EQ(FindCachedTexture(kTick), nullptr);
  EXPECT_EQ(CachedTextureCount(), cached - 1);
  EXPECT_TRUE(first->texturePath.empty());
  EXPECT_EQ(sharedQuadMesh, nullptr);

  // The second object still names the image; its next draw loads it again.
  second->Load();
  second->Draw();
  EXPECT_NE(FindCachedTexture(kTick), nullptr);
  second->Unload();
  delete first;
  delete second;
}

TEST_F(EngineTest, MissingImageIsReportedOnceAndDrawsAsAPlainQuad) {
  testing::internal::CaptureStderr();
  GameObject* object = new GameObject("Resources/Animation/NoSuchPicture.png", 10, 10);
  object->Load();
  object->Draw();
  object->Draw();
  const std::string said = testing::internal::GetCapturedStderr();
  const std::string report = "cannot load the image \"Resources/Animation/NoSuchPicture.png\"";
  EXPECT_NE(said.find(report), std::string::npos) << said;
  EXPECT_EQ(said.find(report), said.rfind(report)) << said;
  object->Unload();
  delete object;
}

TEST_F(EngineTest, SpriteFramesClampAndAddingAFrameKeepsTheShownImage) {
  Sprite* sprite = new Sprite(kUntick, 60, 60);
  sprite->AddFrame(kTick);
  sprite->AddFrame(kMinus);
  sprite->AddFrame(kPlus);
  EXPECT_EQ(sprite->frameCount, 4);
  EXPECT_EQ(sprite->texturePath, kUntick);
  EXPECT_NE(FindCachedTexture(kPlus), nullptr);  // preloaded

  EXPECT_EQ(sprite->SetFrame(7).GetFrame(), 3);
  EXPECT_EQ(sprite->texturePath, kPlus);
  EXPECT_EQ(sprite->SetFrame(-2).GetFrame(), 0);
  EXPECT_EQ(sprite->texturePath, kUntick);
  sprite->SetFrame(1);
  EXPECT_EQ(sprite->texturePath, kTick);

  sprite->Load();
  sprite->Unload();
  EXPECT_TRUE(sprite->frames.empty());
  EXPECT_EQ(sprite->frameCount, 4);
  EXPECT_EQ(FindCachedTexture(kMinus), nullptr);
  EXPECT_EQ(FindCachedTexture(kUntick), nullptr);
  // An unloaded sprite has no frames left to show: the call changes nothing.
  sprite->SetFrame(2);
  EXPECT_EQ(sprite->GetFrame(), 1);
  EXPECT_TRUE(sprite->texturePath.empty());
  delete sprite;
}

TEST_F(EngineTest, SetFrameOnASpriteWithoutFramesIsIgnored) {
  Sprite* sprite = new Sprite;
  sprite->SetFrame(0);
  sprite->SetFrame(3);
  EXPECT_EQ(sprite->GetFrame(), 0);
  EXPECT_TRUE(sprite->texturePath.empty());
  delete sprite;
}

TEST_F(EngineTest, CountdownCountsFramesFrom3600) {
  CountdownText countdown;
  EXPECT_NE(countdown.GetFontId(), 0u);
  EXPECT_EQ(countdown.GetCount(), 3600.0);
  EXPECT_FALSE(countdown.IsOver());
  for (int i = 0; i < 3599; ++i) countdown.Tick();
  EXPECT_FALSE(countdown.IsOver());
  countdown.Tick();
  EXPECT_EQ(countdown.GetCount(), 0.0);
  EXPECT_TRUE(countdown.IsOver());
  countdown.ResetCount();
  EXPECT_EQ(countdown.GetCount(), 3600.0);
}

TEST_F(EngineTest, PrintersCreateTheirFontOnlyWhenAsked) {
  TextPrinter plain;
  TextPrinter debug(TextPrinter::DebugFont);
  EXPECT_EQ(plain.GetFontId(), 0u);
  EXPECT_NE(debug.GetFontId(), 0u);
}

}  // namespace
