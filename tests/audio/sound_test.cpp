#include <string>

#include "audio_fixture.h"
#include "support/temp_dir.h"

namespace {

TEST(SkidVolume, FollowsTheSkidLevel) {
  const int levels[] = {-5, 0, 1, 100, 101};
  const int volumes[] = {0, 0, 29, 128, 128};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Skid_Volume(levels[i]), volumes[i]) << levels[i];
}

TEST_F(AudioTest, MissingFilesReportOnceAndTheirCuesAreSilent) {
  ScopedTempDir dir;
  testing::internal::CaptureStdout();
  Load_Sounds();
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out.rfind("ERROR: Cannot load SFX/song00.ogg.\n", 0), 0u);
  EXPECT_NE(out.find("ERROR: Cannot load SFX/yes.ogg.\n"), std::string::npos);
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 14);
  Play_Yes();
  Play_Menu_Music();
  Start_Race_Sounds();  // no skid, no engine: the race runs silently
  Set_Skid_Volume(50);
  Mute_Race_Sounds();
  Start_Seaplane();
  Stop_Seaplane();
  Change_Song("nothing.ogg");
  EXPECT_EQ(Mix_Playing(-1), 0);
  EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(AudioTest, EachRaceHasOneSkidAndOneEngineLoop) {
  sample_skid = Chunk(silence);
  sample_engine = Chunk(silence);
  for (int race = 0; race < 2; ++race) {
    Start_Race_Sounds();
    EXPECT_EQ(Playing(sample_skid), 1);
    EXPECT_EQ(Mix_GetChunk(6), sample_engine);
    EXPECT_EQ(Mix_Playing(-1), 2);
    EXPECT_EQ(Mix_Volume(skid_channel, -1), 0);
    EXPECT_EQ(Mix_Volume(6, -1), 20);
    Set_Skid_Volume(1);
    EXPECT_EQ(Mix_Volume(skid_channel, -1), 29);
    Mute_Race_Sounds();
    EXPECT_EQ(Mix_Volume(skid_channel, -1) + Mix_Volume(6, -1), 0);
    Mix_HaltChannel(-1);  // the main loop after a race
  }
  engine_level = 20;
  Start_Race_Sounds();
  EXPECT_EQ(Mix_Volume(6, -1), 0);
}

TEST_F(AudioTest, KeptLoopChannelsNeverReachOtherSounds) {
  sample_crash = Chunk(silence);
  sample_skid = Chunk(silence);
  sample_seaplane = Chunk(silence);
  for (int i = 0; i < 8; ++i) Play_Crash();
  Start_Race_Sounds();  // no free channel: the kept channel is -1, not "all"
  Set_Skid_Volume(1);
  Mute_Race_Sounds();
  Start_Seaplane();
  Stop_Seaplane();
  EXPECT_EQ(Mix_Volume(0, -1), 128);
  EXPECT_EQ(Playing(sample_crash), 8);
  Mix_HaltChannel(-1);
  Start_Seaplane();
  Mix_HaltChannel(-1);  // a race ends while the plane flies
  Play_Crash();         // and its channel is reused
  Stop_Seaplane();
  EXPECT_EQ(Playing(sample_crash), 1);
}

}  // namespace
