// Cost of the engine's frame bracket and of a frame drawing as many sprites as
// the busiest scene, each through the render-state calls a scene object makes.
//
//   DISPLAY=:21 LIBGL_ALWAYS_SOFTWARE=1 ./bench_engine
//       --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "TNGraphics.h"
#include "TNSystem.h"

namespace {

const int kSpritesPerFrame = 130;
const int kTextureSize = 64;

TNGfxVertexList* gQuad = nullptr;
TNGfxTexture* gTexture = nullptr;

TNGfxVertexList* MakeUnitQuad() {
  const unsigned int black = 0xFF000000u;
  TNGfxMeshStart();
  TNGfxTriAdd(-0.5f, -0.5f, black, 0, 1, 0.5f, -0.5f, black, 1, 1, -0.5f, 0.5f, black, 0, 0);
  TNGfxTriAdd(0.5f, -0.5f, black, 1, 1, 0.5f, 0.5f, black, 1, 0, -0.5f, 0.5f, black, 0, 0);
  return TNGfxMeshEnd();
}

// A checkerboard with a translucent half, so blending has work to do.
TNGfxTexture* MakeTexture() {
  std::vector<unsigned char> rgba(kTextureSize * kTextureSize * 4);
  for (int y = 0; y < kTextureSize; ++y) {
    for (int x = 0; x < kTextureSize; ++x) {
      unsigned char* texel = &rgba[(y * kTextureSize + x) * 4];
      const bool light = ((x / 8) + (y / 8)) % 2 == 0;
      texel[0] = light ? 230 : 60;
      texel[1] = light ? 190 : 40;
      texel[2] = light ? 90 : 120;
      texel[3] = y < kTextureSize / 2 ? 255 : 128;
    }
  }
  return TNGfxTextureLoadFromMemory(rgba.data(), kTextureSize, kTextureSize);
}

// What a sprite's Draw does: blend, program, position, tint, texture,
// transparency, transform, draw.
void DrawSprite(int index) {
  const float x = static_cast<float>((index % 13) * 60 - 360);
  const float y = static_cast<float>((index / 13) * 55 - 250);
  TNGfxSetBlendMode(1);
  TNGfxSetRenderMode(2);
  TNGfxSetPosition(x, y);
  TNGfxSetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
  TNGfxTextureSet(gTexture, 0.0f, 0.0f);
  TNGfxSetTransparency(1.0f);
  TNMtx33 transform = {{{56.0f, 0.0f, x}, {0.0f, 52.0f, y}, {0.0f, 0.0f, 1.0f}}};
  TNGfxSetTransform(&transform);
  TNGfxMeshDraw(gQuad, 3);
}

void BM_EmptyFrame(benchmark::State& state) {
  for (auto _ : state) {
    TNSysFrameStart();
    TNSysFrameEnd();
  }
}
BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Frame130TexturedQuads(benchmark::State& state) {
  for (auto _ : state) {
    TNSysFrameStart();
    for (int i = 0; i < kSpritesPerFrame; ++i) DrawSprite(i);
    TNSysFrameEnd();
  }
  state.SetItemsProcessed(state.iterations() * kSpritesPerFrame);
}
BENCHMARK(BM_Frame130TexturedQuads)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (TNSysInit(nullptr, 1, 800, 600, 0, 0, nullptr) != 1) {
    fprintf(stderr, "bench_engine needs an X display with OpenGL 2.0\n");
    return 1;
  }
  TNSysReset();
  TNGfxSetBackgroundColor(0.0f, 0.0f, 0.0f);
  TNGfxSetBlendMode(1);
  gQuad = MakeUnitQuad();
  gTexture = MakeTexture();

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  TNGfxTextureUnload(gTexture);
  TNGfxMeshFree(gQuad);
  TNSysExit();
  return 0;
}
