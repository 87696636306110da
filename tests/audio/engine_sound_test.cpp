#include <vector>

#include "audio_fixture.h"
#include "core/state/game.h"

namespace {

TEST(EngineStep, RisesThroughEachBandAndDropsAtTheBounds) {
  int band = -1;
  EXPECT_EQ(Engine_Step(0.0f, &band), static_cast<double>(0.2f));
  EXPECT_EQ(band, 0);
  double below = Engine_Step(19.9f, &band);
  EXPECT_TRUE(below > 1.19 && below < 1.2 && band == 0);
  EXPECT_EQ(Engine_Step(20.0f, &band), static_cast<double>(0.2f));
  EXPECT_EQ(band, 1);
  EXPECT_NEAR(Engine_Step(105.0f, &band), 0.7, 1e-6);
  EXPECT_EQ(band, 3);
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
  Game game;
  void SetUp() override {
    theGame = &game;
    engine.source = source.data();
    engine.source_count = static_cast<uint32_t>(source.size());
    engine.position = 0.0;
  }
  void TearDown() override {
    theGame = nullptr;
    engine.source = nullptr;
    engine.source_count = 0;
  }
  std::vector<Sint16> Run(float speed, int bytes) {
    game.gauge_speed = speed;
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

TEST_F(EngineEffect, PositionCarriesOverAndOddOrEmptyBuffersWriteWholeValues) {
  // 52 lies 32/40 into band 1: step 0.8 + 0.2 plays the sample unchanged.
  EXPECT_EQ(Run(52.0f, 0)[0], -1);
  EXPECT_EQ(engine.position, 0.0);
  std::vector<Sint16> odd = Run(52.0f, 7);
  EXPECT_EQ(odd[2], 2);
  EXPECT_EQ(odd[3], -1);
  std::vector<Sint16> next = Run(52.0f, 20);
  for (int k = 0; k < 10; ++k) EXPECT_EQ(next[k], source[(k + 3) % 10]);
  EXPECT_EQ(engine.band.load(), 1);
  engine.source_count = 0;  // no engine sample: silence, no division by zero
  std::vector<Sint16> silent = Run(80.0f, 64);
  for (int k = 0; k < 32; ++k) EXPECT_EQ(silent[k], 0);
}

TEST_F(AudioTest, EngineTakesChannelSixFromACueAndTheBallFollowsTheBand) {
  sample_crash = Chunk(silence);
  sample_engine = Chunk(silence);
  sample_shift = Chunk(silence);
  for (int i = 0; i < 7; ++i) Play_Crash();  // channels 0..6
  Start_Engine_Sound();
  EXPECT_EQ(Mix_GetChunk(6), sample_engine);
  Mix_HaltChannel(-1);
  // From slot (0, 60) to slot (30, 0): six frames, one click.
  engine.band = 1;
  for (int frame = 1; frame <= 7; ++frame) {
    Draw_Gear_Display();
    EXPECT_EQ(engine.ball_y, 415 - 10 * std::min(frame, 6));
    EXPECT_EQ(engine.ball_x, 515 + 10 * std::min(frame, 3));
  }
  EXPECT_EQ(Playing(sample_shift), 1);
  // A band toggling every frame keeps turning the ball back inside the gate.
  for (int frame = 0; frame < 40; ++frame) {
    engine.band = frame % 2 ? 2 : 5;
    Draw_Gear_Display();
    ASSERT_TRUE(engine.ball_x >= 515 && engine.ball_x <= 605 && engine.ball_x % 10 == 5);
    ASSERT_TRUE(engine.ball_y >= 355 && engine.ball_y <= 415);
  }
}

}  // namespace
