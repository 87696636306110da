#include <gtest/gtest.h>

#include <vector>

#include "core/session/race_session.h"
#include "support/race_fixture.h"

namespace {

class RaceSession : public RaceFixture {
 protected:
  std::vector<int> Plan() const {  // positions and seconds, interleaved
    std::vector<int> plan;
    for (int i = 0; i < game->checkpoint_count; ++i) {
      plan.push_back(game->checkpoint_z[i]);
      plan.push_back(game->checkpoint_seconds[i]);
    }
    return plan;
  }
  // Moves the camera to z and runs the checkpoint test; returns the timer afterwards.
  int Pass(int z) {
    game->road->position = z;
    game->Check_Checkpoints();
    return game->seconds_left;
  }
  void Setup(int length, int builtin, int custom, int difficulty = 0) {
    Straight_Road(length);
    game->builtin_track = builtin;
    game->difficulty = difficulty;
    customTrack = custom;
    game->Setup_Race();
  }
};

TEST_F(RaceSession, FloridaRefillsTheTimerAtEachCheckpointAndFinishesAt308000) {
  Setup(308900, 1, 0);
  EXPECT_EQ(Plan(), (std::vector<int>{80000, 23, 160000, 20, 240000, 20, 308000, 15}));
  EXPECT_EQ(game->seconds_left, 23);
  EXPECT_EQ(Pass(80000), 23);  // not beyond it yet
  EXPECT_EQ(Pass(80001), 20);
  EXPECT_EQ(Pass(160001), 20);
  EXPECT_EQ(Pass(240001), 15);
  game->player.speed = 150.0f;
  Pass(308001);
  EXPECT_TRUE(game->race_finished);
  EXPECT_EQ(game->player.speed, 0.0f);
  EXPECT_EQ(game->checkpoint_count, 0);
}

TEST_F(RaceSession, BavariaAndTheCustomPlans) {
  Setup(190000, 2, 0);
  EXPECT_EQ(game->track_type, 2);
  EXPECT_EQ(Plan(), (std::vector<int>{40000, 16, 80000, 10, 120000, 12, 165000, 11}));
  EXPECT_EQ(game->seconds_left, 16);
  // Start figures, decoration, the empty billboard, 20 opponents, 4 gates and the crowd.
  EXPECT_EQ(game->vehicles.count, 2u + 4u + 1u + 20u + 4u + 1u);

  Setup(81000, 1, 1);
  EXPECT_EQ(Plan(), (std::vector<int>{80000, 22}));
  EXPECT_EQ(game->seconds_left, 22);
  for (int level = 0; level < 4; ++level) {
    Setup(200000, 1, 1, level);
    const int first = 20 - level;
    EXPECT_EQ(Plan(), (std::vector<int>{40000, first, 80000, first - 2, 120000, first - 2, 199000, 21}));
    EXPECT_EQ(game->seconds_left, first);
  }
}

TEST_F(RaceSession, AVeryLongCustomTrackFillsTheTableButKeepsTheFinish) {
  const int length = 100000000;
  Setup(length, 1, 1);
  ASSERT_EQ(game->checkpoint_count, kCheckpointSlots);
  EXPECT_EQ(game->checkpoint_z[47], 48 * 40000);
  EXPECT_EQ(game->checkpoint_z[48], length - 1000);
  EXPECT_EQ(game->checkpoint_seconds[48], static_cast<int>((length - 1000LL - 48 * 40000) * 11 / 40000));
  game->Add_Checkpoint(1, 1);  // no room left
  game->Add_Finish(2, 2);
  EXPECT_EQ(game->checkpoint_count, kCheckpointSlots);
  EXPECT_EQ(game->checkpoint_z[48], length - 1000);
}

TEST_F(RaceSession, TimeOutBrakesTheCarAndACheckpointRescuesIt) {
  Setup(190000, 2, 0);
  game->seconds_left = 1;
  game->second_mark = 1000.0;
  Tick_Race_Timer(*game, 1999.0);
  EXPECT_EQ(game->seconds_left, 1);
  Tick_Race_Timer(*game, 2000.5);
  EXPECT_EQ(game->seconds_left, 0);
  Tick_Race_Timer(*game, 5000.0);
  EXPECT_EQ(game->seconds_left, 0);  // never below 0

  game->player.speed = 40.0f;
  game->player.accel = 0.3f;
  game->input_up = 1;
  Apply_Time_Out_Rules(*game);
  ASSERT_TRUE(game->time_over);
  EXPECT_EQ(game->player.accel, 0.0f);
  game->Update_Player();  // the model brakes by itself
  EXPECT_EQ(game->input_up, 0);
  EXPECT_EQ(game->input_down, 1);

  EXPECT_EQ(Pass(40001), 10);
  EXPECT_FALSE(game->time_over);
  EXPECT_EQ(game->input_up, 1);
  EXPECT_EQ(game->input_down, 0);
  EXPECT_EQ(game->player.accel, 0.09765625f);
}

TEST_F(RaceSession, StandingStillAfterTheTimeOutLosesTheRace) {
  Setup(190000, 2, 0);
  game->seconds_left = 0;
  game->player.speed = 60.0f;
  int frames = 0;
  for (; !game->game_over && frames < 200; ++frames) {
    Apply_Time_Out_Rules(*game);
    game->Update_Player();
  }
  EXPECT_LT(frames, 40);
  EXPECT_EQ(game->player.speed, 0.0f);
  const int stopped_at = game->road->position;
  game->Update_Player();
  EXPECT_EQ(game->road->position, stopped_at);
}

TEST_F(RaceSession, ThePlayerCarIsPushedBackToTheRoadEdge) {
  Setup(190000, 2, 0);
  game->road->lateral = -700;  // the car lies beyond the right edge
  game->player.speed = 50.0f;
  game->input_up = 1;
  game->Update_Player();
  EXPECT_EQ(game->road->lateral, -(game->road->road_width >> 1));
}

TEST_F(RaceSession, TheScoreCatchesUpWithThePositionEveryFifthFrame) {
  Straight_Road(190000);
  scoreTickCounter = scoreTickPosition = game->score = 0;
  game->road->position = 700;
  for (int i = 0; i < 4; ++i) Score_Tick();
  EXPECT_EQ(game->score, 0);
  Score_Tick();
  EXPECT_EQ(game->score, 700);
  game->road->position = 300;  // a new race starts behind
  for (int i = 0; i < 5; ++i) Score_Tick();
  EXPECT_EQ(game->score, 300);
}

}  // namespace
