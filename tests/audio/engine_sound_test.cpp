#include <cmath>
#include <vector>

#include "audio_fixture.h"
#include "core/game.h"

namespace {

TEST(EngineStep, RisesThroughEachBandAndDropsAtTheBounds) {
  int band = -1;
  EXPECT_EQ(Engine_Step(0.0f, &band), static_cast<double>(0.2f));
  EXPECT_EQ(band, 0);
  double below = Engine_Step(19.9f, &band);
  EXPECT_EQ(band, 0);
  EXPECT_LT(below, 1.2);
  EXPECT_GT(below, 1.19);
  EXPECT_EQ(Engine_Step(20.0f, &band), static_cast<double>(0.2f));
  EXPECT_EQ(band, 1);
  EXPECT_NEAR(Engine_Step(105.0f, &band), 0.7, 1e-6);
  EXPECT_EQ(band, 3);
  EXPECT_GT(Engine_Step(164.99f, &band), 1.19);
  EXPECT_EQ(band, 4);
  // The top band starts low again and keeps rising gently, never past 1.2.
  double top = Engine_Step(165.0f, &band);
  EXPECT_EQ(band, 5);
  EXPECT_NEAR(top, 0.2, 1e-6);
  EXPECT_GT(Engine_Step(200.0f, &band), top);
  EXPECT_LE(Engine_Step(1000.0f, &band), 1.2);
}

// The effect driven directly with a known source and the game's shown speed.
class EngineEffect : public ::testing::Test {
 protected:
  std::vector<Sint16> source{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  void SetUp() override {
    theGame = new Game();
    engine.source = source.data();
    engine.source_count = static_cast<uint32_t>(source.size());
    engine.position = 0.0;
  }
  void TearDown() override {
    delete theGame;
    theGame = nullptr;
    engine.source = nullptr;
    engine.source_count = 0;
  }
  std::vector<Sint16> Run(float speed, int bytes) {
    theGame->gauge_speed = speed;
    std::vector<Sint16> out(bytes / 2 + 1, -1);
    Engine_Effect(6, out.data(), bytes, nullptr);
    return out;
  }
};

TEST_F(EngineEffect, SpeedZeroPlaysAFifthOfThePitchOverAFullBuffer) {
  std::vector<Sint16> out = Run(0.0f, 8192);
  for (int k = 0; k < 4096; ++k) ASSERT_EQ(out[k], source[(k / 5) % 10]) << k;
  EXPECT_EQ(out[4096], -1);
  EXPECT_EQ(engine.band.load(), 0);
}

TEST_F(EngineEffect, FullPitchWrapsTheSourceAndCarriesThePosition) {
  // 52 lies 32/40 into band 1: step 0.8 + 0.2, the sample unchanged.
  std::vector<Sint16> first = Run(52.0f, 14);
  std::vector<Sint16> second = Run(52.0f, 14);
  for (int k = 0; k < 7; ++k) {
    EXPECT_EQ(first[k], source[k % 10]);
    EXPECT_EQ(second[k], source[(k + 7) % 10]);
  }
  EXPECT_EQ(engine.band.load(), 1);
}

TEST_F(EngineEffect, OddAndEmptyBuffersWriteWholeValuesOnly) {
  std::vector<Sint16> none = Run(52.0f, 0);
  EXPECT_EQ(none[0], -1);
  EXPECT_EQ(engine.position, 0.0);
  std::vector<Sint16> odd = Run(52.0f, 7);
  EXPECT_EQ(odd[2], 2);
  EXPECT_EQ(odd[3], -1);
  EXPECT_NEAR(engine.position, 3.0, 1e-6);
}

TEST_F(EngineEffect, WithoutASourceTheBufferIsSilent) {
  engine.source = nullptr;
  engine.source_count = 0;
  std::vector<Sint16> out = Run(80.0f, 64);
  for (int k = 0; k < 32; ++k) EXPECT_EQ(out[k], 0);
  engine.source = source.data();  // a source of zero values is just as silent
  out = Run(80.0f, 64);
  EXPECT_EQ(out[0], 0);
}

class GearDisplay : public AudioTest {
 protected:
  void SetUp() override {
    AudioTest::SetUp();
    sample_shift = Chunk(silence);
    Reset_Engine_State();
  }
};

TEST_F(GearDisplay, BallSlidesFromFirstToSecondSlotInSixFramesWithOneClick) {
  engine.band = 1;
  for (int frame = 1; frame <= 6; ++frame) {
    Draw_Gear_Display();
    EXPECT_EQ(engine.ball_y, 415 - 10 * frame);
    EXPECT_EQ(engine.ball_x, 515 + 10 * std::min(frame, 3));
  }
  EXPECT_EQ(Playing(sample_shift), 1);
  Draw_Gear_Display();
  EXPECT_EQ(engine.ball_x, 545);
  EXPECT_EQ(engine.ball_y, 355);
  EXPECT_EQ(Playing(sample_shift), 1);
}

TEST_F(GearDisplay, ABandTogglingEveryFrameKeepsTheBallInTheGate) {
  for (int frame = 0; frame < 40; ++frame) {
    engine.band = frame % 2 ? 2 : 5;
    Draw_Gear_Display();
    ASSERT_GE(engine.ball_x, 515);
    ASSERT_LE(engine.ball_x, 605);
    ASSERT_GE(engine.ball_y, 355);
    ASSERT_LE(engine.ball_y, 415);
    ASSERT_EQ(engine.ball_x % 10, 5);
  }
  Reset_Engine_State();
  EXPECT_EQ(engine.ball_x, 515);
  EXPECT_EQ(engine.shown_band, 0);
}

}  // namespace
