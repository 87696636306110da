#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/hud.h"
#include "core/race_session.h"
#include "support/race_fixture.h"

namespace {

class RaceSession : public RaceFixture {
 protected:
  std::vector<int> Plan_Z() const { return std::vector<int>(game->checkpoint_z, game->checkpoint_z + game->checkpoint_count); }
  std::vector<int> Plan_Seconds() const {
    return std::vector<int>(game->checkpoint_seconds, game->checkpoint_seconds + game->checkpoint_count);
  }
  int Gates() const {
    int n = 0;
    for (vehicle* v : game->vehicles) n += v->kind == 2;
    return n;
  }
  // Drives the camera to z and runs the checkpoint test; returns the timer afterwards.
  int Pass(int z) {
    game->road->position = z;
    game->Check_Checkpoints();
    return game->seconds_left;
  }
};

TEST_F(RaceSession, FloridaPlanRefillsTheTimerAndFinishesAt308000) {
  Straight_Road(308900);
  game->builtin_track = 1;
  game->Setup_Race();
  EXPECT_EQ(Plan_Z(), (std::vector<int>{80000, 160000, 240000, 308000}));
  EXPECT_EQ(game->seconds_left, 23);
  EXPECT_EQ(game->track_type, 1);
  EXPECT_EQ(Gates(), 4);
  EXPECT_EQ(Pass(80000), 23);  // not beyond it yet
  EXPECT_EQ(Pass(80001), 20);
  EXPECT_EQ(Pass(160001), 20);
  EXPECT_EQ(Pass(240001), 15);
  EXPECT_FALSE(game->race_finished);
  game->player.speed = 150.0f;
  Pass(308001);
  EXPECT_TRUE(game->race_finished);
  EXPECT_EQ(game->player.speed, 0.0f);
  EXPECT_EQ(game->checkpoint_count, 0);
  EXPECT_EQ(game->next_checkpoint_z, 80000);
  EXPECT_EQ(Pass(400000), 15);  // nothing more happens
}

TEST_F(RaceSession, BavariaPlanStartsAt16AndFinishesAt165000) {
  Straight_Road(190000);
  game->builtin_track = 2;
  game->track_type = 5;
  game->Setup_Race();
  EXPECT_EQ(game->track_type, 2);
  EXPECT_EQ(Plan_Z(), (std::vector<int>{40000, 80000, 120000, 165000}));
  EXPECT_EQ(Plan_Seconds(), (std::vector<int>{16, 10, 12, 11}));
  EXPECT_EQ(game->seconds_left, 16);
  // Start figures, decoration, an empty billboard, 20 opponents, 4 gates and the crowd.
  EXPECT_EQ(game->vehicles.count, 2u + 4u + 1u + 20u + 4u + 1u);
}

TEST_F(RaceSession, ShortCustomTrackHasOnlyTheFinish) {
  Straight_Road(81000);
  customTrack = 1;
  game->Setup_Race();
  EXPECT_EQ(Plan_Z(), (std::vector<int>{80000}));
  EXPECT_EQ(Plan_Seconds(), (std::vector<int>{22}));
  EXPECT_EQ(game->seconds_left, 22);
}

TEST_F(RaceSession, CustomPlanOfLength200000AtEachDifficulty) {
  const int first[4] = {20, 19, 18, 17};
  for (int level = 0; level < 4; ++level) {
    Straight_Road(200000);
    customTrack = 1;
    game->difficulty = level;
    game->Setup_Race();
    EXPECT_EQ(Plan_Z(), (std::vector<int>{40000, 80000, 120000, 199000}));
    EXPECT_EQ(Plan_Seconds(), (std::vector<int>{first[level], first[level] - 2, first[level] - 2, 21}));
    EXPECT_EQ(game->seconds_left, first[level]);
  }
}

TEST_F(RaceSession, AVeryLongCustomTrackFillsTheTableButKeepsTheFinish) {
  const int length = 100000000;
  Straight_Road(length);
  customTrack = 1;
  game->place = 77;  // lies behind the tables in the game object
  game->Setup_Race();
  ASSERT_EQ(game->checkpoint_count, kCheckpointSlots);
  EXPECT_EQ(game->checkpoint_z[47], 48 * 40000);
  EXPECT_EQ(game->checkpoint_z[48], length - 1000);
  EXPECT_EQ(game->checkpoint_seconds[48], static_cast<int>((length - 1000LL - 48 * 40000) * 11 / 40000));
  EXPECT_EQ(game->checkpoint_z[49], 0);
  EXPECT_EQ(Gates(), kCheckpointSlots);
  // More entries than fit are refused.
  game->Add_Checkpoint(1, 1);
  game->Add_Finish(2, 2);
  EXPECT_EQ(game->checkpoint_count, kCheckpointSlots);
  EXPECT_EQ(game->checkpoint_z[48], length - 1000);
}

TEST_F(RaceSession, ACheckpointReachedWhileBrakingRescuesTheRace) {
  Straight_Road(190000);
  game->builtin_track = 2;
  game->Setup_Race();
  game->seconds_left = 0;
  game->player.speed = 40.0f;
  game->player.accel = 0.3f;
  Apply_Time_Out_Rules(*game);
  EXPECT_TRUE(game->time_over);
  EXPECT_EQ(game->player.accel, 0.0f);
  EXPECT_FALSE(game->game_over);
  game->input_down = 1;
  EXPECT_EQ(Pass(40001), 10);
  EXPECT_FALSE(game->time_over);
  EXPECT_FALSE(game->game_over);
  EXPECT_EQ(game->input_up, 1);
  EXPECT_EQ(game->input_down, 0);
  EXPECT_EQ(game->player.accel, 0.09765625f);
}

TEST_F(RaceSession, TimeOutBrakesTheCarAndStandingStillLosesTheRace) {
  road::Road* r = Straight_Road(190000);
  game->builtin_track = 2;
  game->Setup_Race();
  game->seconds_left = 1;
  game->second_mark = 1000.0;
  Tick_Race_Timer(*game, 1999.0);
  EXPECT_EQ(game->seconds_left, 1);
  Tick_Race_Timer(*game, 2000.5);
  EXPECT_EQ(game->seconds_left, 0);
  EXPECT_EQ(game->second_mark, 2000.5);
  Tick_Race_Timer(*game, 5000.0);
  EXPECT_EQ(game->seconds_left, 0);  // never below 0

  game->player.speed = 60.0f;
  game->input_up = 1;
  Apply_Time_Out_Rules(*game);
  ASSERT_TRUE(game->time_over);
  int frames = 0;
  while (!game->game_over && frames < 200) {
    game->Update_Player();
    EXPECT_EQ(game->input_up, 0);
    EXPECT_EQ(game->input_down, 1);
    Apply_Time_Out_Rules(*game);
    ++frames;
  }
  EXPECT_TRUE(game->game_over);
  EXPECT_LT(frames, 40);
  EXPECT_EQ(game->player.speed, 0.0f);
  const int stopped_at = r->position;
  game->Update_Player();
  EXPECT_EQ(r->position, stopped_at);
}

TEST_F(RaceSession, ThePlayerCarIsPushedBackToTheRoadEdge) {
  road::Road* r = Straight_Road(190000);
  game->builtin_track = 2;
  game->Setup_Race();
  r->lateral = -700;  // the car lies beyond the right edge
  game->player.speed = 50.0f;
  game->input_up = 1;
  game->Update_Player();
  EXPECT_EQ(r->lateral, -(r->road_width >> 1));
  EXPECT_FLOAT_EQ(game->player.accel, -1.7578125f + 0.0244140625f);
}

TEST_F(RaceSession, LapTimesShiftAndTheScoreFollowsThePosition) {
  Straight_Road(190000);
  for (int i = 0; i < 5; ++i) game->lap_times[i] = 1000 * (i + 1);
  Shift_Lap_Times(*game);
  EXPECT_EQ(game->lap_times[0], 0);
  EXPECT_EQ(game->lap_times[1], 1000);
  EXPECT_EQ(game->lap_times[4], 4000);
  EXPECT_EQ(game->lap_count, 1);

  scoreTickCounter = 0;
  scoreTickPosition = 0;
  game->score = 0;
  game->road->position = 700;
  for (int i = 0; i < 4; ++i) Score_Tick();
  EXPECT_EQ(game->score, 0);
  Score_Tick();
  EXPECT_EQ(game->score, 700);
  game->road->position = 300;  // a new race or a lap
  for (int i = 0; i < 5; ++i) Score_Tick();
  EXPECT_EQ(game->score, 300);
}

TEST(Hud, LapTimeText) {
  char text[48];
  Format_Lap_Time(text, sizeof text, 65430);
  EXPECT_STREQ(text, "      1'5\".43");
  Format_Lap_Time(text, sizeof text, 65050);
  EXPECT_STREQ(text, "      1'5\".5");
}

TEST(Hud, TimerBlinksBelowFourSecondsAndShowsOver) {
  char text[16];
  for (int i = 0; i < 30; ++i) EXPECT_STREQ(Timer_Text(text, sizeof text, 10, true), "10");
  timerBlink = 0;
  int shown = 0;
  std::string pattern;
  for (int i = 0; i < 30; ++i) {
    const char* t = Timer_Text(text, sizeof text, 3, true);
    if (t) {
      EXPECT_STREQ(t, "03");
    }
    shown += t != nullptr;
    pattern += t ? '#' : '.';
  }
  EXPECT_EQ(shown, 14);
  EXPECT_EQ(pattern.substr(0, 15), ".......#######.");
  const char* over = nullptr;
  for (int i = 0; i < 15 && !over; ++i) over = Timer_Text(text, sizeof text, 0, true);
  ASSERT_NE(over, nullptr);
  EXPECT_STREQ(over, "OVER!");
  for (int i = 0; i < 20; ++i) EXPECT_STREQ(Timer_Text(text, sizeof text, 0, false), "00");  // fly-in, finished
}

TEST(Hud, NeedleAndProgressMarker) {
  int ex = 0, ey = 0;
  Needle_End(80.0f, &ex, &ey);
  EXPECT_EQ(ex, 316);
  EXPECT_EQ(ey, 365);
  Needle_End(0.0f, &ex, &ey);
  EXPECT_EQ(ex, 240);  // 15 degrees below the left horizontal
  EXPECT_EQ(ey, 465);
  EXPECT_EQ(Progress_Marker_X(154450, 308900), 585);
  EXPECT_EQ(Progress_Marker_X(0, 308900), 535);
  EXPECT_EQ(Progress_Marker_X(1000, 0), 535);        // no track length: no division
  EXPECT_EQ(Progress_Marker_X(900000, 308900), 635);  // beyond the track: stays in the bar
  EXPECT_EQ(Progress_Marker_X(-500, 308900), 535);
}

}  // namespace
