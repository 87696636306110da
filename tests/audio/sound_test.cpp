#include <string>

#include "audio_fixture.h"
#include "support/temp_dir.h"

namespace {

TEST(SkidVolume, FollowsTheSkidLevel) {
  EXPECT_EQ(Skid_Volume(-5), 0);
  EXPECT_EQ(Skid_Volume(0), 0);
  EXPECT_EQ(Skid_Volume(1), 29);
  EXPECT_EQ(Skid_Volume(100), 128);
  EXPECT_EQ(Skid_Volume(101), 128);
  EXPECT_EQ(Skid_Volume(5000), 128);
}

TEST_F(AudioTest, MissingFilesReportOnceAndTheirCuesAreSilent) {
  ScopedTempDir dir;
  testing::internal::CaptureStdout();
  Load_Sounds();
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out.rfind("ERROR: Cannot load SFX/song00.ogg.\n", 0), 0u);
  size_t yes = out.find("ERROR: Cannot load SFX/yes.ogg.\n");
  EXPECT_NE(yes, std::string::npos);
  EXPECT_EQ(out.find("SFX/yes.ogg", yes + 25), std::string::npos);
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 14);
  Play_Yes();
  Play_Crash();
  Play_Menu_Music();
  Start_Race_Sounds();  // neither the skid nor the engine loop exists
  Set_Skid_Volume(50);
  Mute_Race_Sounds();
  Start_Seaplane();
  Stop_Seaplane();
  EXPECT_EQ(Mix_Playing(-1), 0);
  EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(AudioTest, RaceSoundsStartOneSkidAndOneEngineLoopPerRace) {
  sample_skid = Chunk(silence);
  sample_engine = Chunk(silence);
  for (int race = 0; race < 2; ++race) {
    Start_Race_Sounds();
    EXPECT_EQ(Playing(sample_skid), 1);
    EXPECT_EQ(Playing(sample_engine), 1);
    EXPECT_TRUE(Mix_Playing(6) && Mix_GetChunk(6) == sample_engine);
    EXPECT_EQ(Mix_Volume(skid_channel, -1), 0);
    EXPECT_EQ(Mix_Volume(6, -1), 20);
    Set_Skid_Volume(1);
    EXPECT_EQ(Mix_Volume(skid_channel, -1), 29);
    Set_Skid_Volume(101);
    EXPECT_EQ(Mix_Volume(skid_channel, -1), 128);
    Mute_Race_Sounds();
    EXPECT_EQ(Mix_Volume(skid_channel, -1), 0);
    EXPECT_EQ(Mix_Volume(6, -1), 0);
    Mix_HaltChannel(-1);  // what the main loop does after a race
  }
  engine_level = 20;
  Start_Race_Sounds();
  EXPECT_EQ(Mix_Volume(6, -1), 0);
}

TEST_F(AudioTest, EngineTakesChannelSixEvenWhenACueIsPlayingThere) {
  sample_crash = Chunk(silence);
  sample_engine = Chunk(silence);
  for (int i = 0; i < 7; ++i) Play_Crash();  // channels 0..6
  ASSERT_EQ(Mix_GetChunk(6), sample_crash);
  Start_Engine_Sound();
  EXPECT_EQ(Mix_GetChunk(6), sample_engine);
}

TEST_F(AudioTest, WithoutAFreeChannelTheSkidLoopLeavesOtherChannelsAlone) {
  sample_crash = Chunk(silence);
  sample_skid = Chunk(silence);
  for (int i = 0; i < 8; ++i) Play_Crash();
  Start_Race_Sounds();
  EXPECT_EQ(skid_channel, -1);
  Set_Skid_Volume(1);
  Mute_Race_Sounds();
  EXPECT_EQ(Mix_Volume(0, -1), 128);
  EXPECT_EQ(Playing(sample_crash), 8);
}

TEST_F(AudioTest, SeaplaneStopHaltsOnlyItsOwnLoop) {
  sample_seaplane = Chunk(silence);
  sample_crash = Chunk(silence);
  Start_Seaplane();
  int plane = seaplane_channel;
  ASSERT_GE(plane, 0);
  Play_Crash();
  Stop_Seaplane();
  EXPECT_EQ(Playing(sample_seaplane), 0);
  EXPECT_EQ(Playing(sample_crash), 1);
  // After the race's stop-all the channel may carry another sound.
  Start_Seaplane();
  Mix_HaltChannel(-1);
  Play_Crash();
  Stop_Seaplane();
  EXPECT_EQ(Playing(sample_crash), 1);
}

TEST_F(AudioTest, ChangeSongToAMissingFileIsQuietSilence) {
  ScopedTempDir dir;
  testing::internal::CaptureStdout();
  Change_Song("nothing.ogg");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(music_song, nullptr);
  EXPECT_EQ(Mix_PlayingMusic(), 0);
}

}  // namespace
