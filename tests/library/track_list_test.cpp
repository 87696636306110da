// The track list: the local scan, deletion, the cloud list and starting a track, against the
// game's web service and scripted servers on 127.0.0.1.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <set>
#include <string>

#include "common/formats/cloud_list.h"
#include "library/library_fixture.h"
#include "road/road.h"
#include "support/script_server.h"

namespace {

using TrackListTest = LibraryTest;

// A server that answers the cloud list with `list` and every other request with `other`.
Script_Server Cloud_Server(const std::string& list, const std::string& other) {
  return Script_Server([list, other](Script_Server&, int fd, const std::string& request) {
    bool wants_list = request.find("GET /VantoRello/TRK/VantoRello.tracks ") == 0;
    Script_Server::Send_All(fd, Http_Answer(200, wants_list ? list : other));
  });
}

}  // namespace

TEST_F(TrackListTest, ScanListsTrackFilesAndSkipsEverythingElse) {
  EXPECT_EQ(Scan_Track_Directory("TRK"), 0);
  testing::internal::CaptureStdout();
  EXPECT_EQ(Scan_Track_Directory("NOPE"), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error: Directory NOPE not found!\n");

  int type = Write_Sample(0, "TRK/USER.TRK");
  Write_Tournament(4, "TRK/ROUND.TRK");
  std::string good = Read_File("TRK/USER.TRK");
  Write_File("TRK/readme.txt", "not a track\n");
  Write_File("TRK/SHORT.TRK", good.substr(0, 100));
  std::string bad_count = good;
  bad_count[4] = bad_count[5] = bad_count[6] = 0;
  bad_count[7] = 0;
  Write_File("TRK/ZERO.TRK", bad_count);
  Write_File("TRK/VantoRello.tracks", "USER.TRK|1|90|x|0\n");
  mkdir("TRK/uploads", 0755);
  // Neither is read: opening a FIFO for reading would wait for a writer that never comes.
  ASSERT_EQ(mkfifo("TRK/PIPE.TRK", 0644), 0);
  mkdir("TRK/FOLDER.TRK", 0755);

  trackListSelection = 7;
  testing::internal::CaptureStdout();
  EXPECT_EQ(Scan_Track_Directory("TRK"), 2);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "VRCS: Invalid Sector Number!\n");
  EXPECT_EQ(trackListMode, TRACKS_LOCAL);
  EXPECT_EQ(trackListSelection, 2);
  const Track_Entry& user = trackList[Select("USER.TRK")];
  EXPECT_EQ(user.track_type, type);
  EXPECT_STREQ(user.creator, "Anna Berg");
  EXPECT_EQ(user.sector_count, 100);
  EXPECT_EQ(user.tournament, 0);
  const Track_Entry& round = trackList[Select("ROUND.TRK")];
  EXPECT_EQ(round.track_type, 4);
  EXPECT_EQ(round.tournament, 1);
  EXPECT_STREQ(round.creator, kTournamentCreator);
  TrackHeader header;
  static TrackSector sectors[kTrackMaxSectors];
  int count = 0;
  EXPECT_EQ(Read_Track_File("TRK/PIPE.TRK", &header, sectors, &count), TRACK_UNREADABLE);
}

TEST_F(TrackListTest, DeletionLeavesTheCloudAloneAndKeepsTheSelectionInTheList) {
  Write_Tournament(1, "TRK/ROUND.TRK");
  Write_Sample(1, "TRK/USER.TRK");
  Scan_Track_Directory("TRK");
  Select("USER.TRK");
  trackListMode = TRACKS_CLOUD;  // nothing is deleted from the cloud list
  Delete_Selected_Track();
  EXPECT_TRUE(std::filesystem::exists("TRK/USER.TRK"));

  // With the user track last in the list, its deletion leaves the selection past the end.
  trackListMode = TRACKS_LOCAL;
  if (Select("USER.TRK") != 2) std::swap(trackList[1], trackList[2]);
  trackListSelection = 2;
  Delete_Selected_Track();
  EXPECT_FALSE(std::filesystem::exists("TRK/USER.TRK"));
  EXPECT_EQ(trackListCount, 1);
  EXPECT_EQ(trackListSelection, 1);
  EXPECT_STREQ(Selected_Track()->file_name, "ROUND.TRK");
}

TEST_F(TrackListTest, CloudLineGivesAHongKongUserTrackAndHostileNamesAreNeverListed) {
  Script_Server cloud = Cloud_Server(
      "../x.TRK|1|90|a|0\nFILE|3|120|NAME|0\n/tmp/x|1|90|a|0\na/../../b|1|90|a|0\n..\\y.TRK|1|90|a|0\n", "");
  Point_At(cloud.port());
  ASSERT_EQ(Load_Cloud_List(), 1);
  EXPECT_EQ(trackListMode, TRACKS_CLOUD);
  ASSERT_EQ(trackListCount, 1);
  EXPECT_STREQ(trackList[1].file_name, "FILE");
  EXPECT_EQ(trackList[1].track_type, 3);
  EXPECT_EQ(trackList[1].sector_count, 120);
  EXPECT_STREQ(trackList[1].creator, "NAME");
  EXPECT_EQ(trackList[1].tournament, 0);

  // A hostile name that reaches the list anyway is refused before any request or write.
  Script_Server watcher = Cloud_Server("", "x");
  Point_At(watcher.port());
  for (const char* name : {"../x.TRK", "/tmp/x", "a/../../b"}) {
    std::snprintf(trackList[1].file_name, sizeof trackList[1].file_name, "%s", name);
    EXPECT_EQ(theGame->Start_Selected_Track(), 0) << name;
    EXPECT_NE(std::string(trackListMessage).find("Refused"), std::string::npos);
  }
  EXPECT_EQ(watcher.Last_Request(), "");
  EXPECT_FALSE(std::filesystem::exists("x.TRK"));
  EXPECT_FALSE(std::filesystem::exists("b"));
  EXPECT_EQ(theGame->road, nullptr);
}

// A cloud track is stored under its own name (a space goes into the request line
// percent-encoded) and raced, and raced again from the stored file without the server.
TEST_F(TrackListTest, CloudTrackIsDownloadedOnceAndRaced) {
  int type = Write_Sample(2, "sample.TRK");
  std::string track = Read_File("sample.TRK");
  {
    Script_Server cloud([track](Script_Server&, int fd, const std::string& request) {
      std::string answer = Http_Answer(404, "");
      if (request.find("GET /VantoRello/TRK/VantoRello.tracks ") == 0) answer = Http_Answer(200, "My Track.TRK|3|100|x|0\n");
      if (request.find("GET /VantoRello/TRK/uploads/My%20Track.TRK HTTP/1.1\n") == 0) answer = Http_Answer(200, track);
      Script_Server::Send_All(fd, answer);
    });
    Point_At(cloud.port());
    ASSERT_EQ(Load_Cloud_List(), 1);
    EXPECT_TRUE(std::filesystem::exists("TRK/VantoRello.tracks"));
    ASSERT_EQ(theGame->Start_Selected_Track(), 1) << trackListMessage;
  }
  EXPECT_EQ(Read_File("TRK/My Track.TRK"), track);
  ASSERT_NE(theGame->road, nullptr);
  EXPECT_EQ(customTrack, 1);
  EXPECT_EQ(theGame->track_type, type);
  EXPECT_GT(theGame->checkpoint_count, 0);

  delete theGame->road;
  theGame->road = nullptr;
  customTrack = 0;
  ASSERT_EQ(theGame->Start_Selected_Track(), 1) << trackListMessage;
  EXPECT_NE(theGame->road, nullptr);

  // Local files are started by the name the directory gave, even names no cloud may list.
  for (const char* name : {"a..b.TRK", ".x.TRK"}) {
    Write_Sample(1, std::string("TRK/") + name);
    Scan_Track_Directory("TRK");
    ASSERT_GT(Select(name), 0) << name;
    EXPECT_EQ(theGame->Start_Selected_Track(), 1) << name << ": " << trackListMessage;
  }
}

TEST_F(TrackListTest, BrokenDownloadsAndAMissingServerLeaveTheBrowserAsItWas) {
  Script_Server cloud = Cloud_Server("BROKEN.TRK|1|90|x|0\n", "<html>Server error</html>");
  Point_At(cloud.port());
  ASSERT_EQ(Load_Cloud_List(), 1);
  testing::internal::CaptureStdout();
  EXPECT_EQ(theGame->Start_Selected_Track(), 0);
  testing::internal::GetCapturedStdout();
  EXPECT_STREQ(trackListMessage, "VRCS: (1) Not a valid Vanto Rello Track File!");
  EXPECT_EQ(theGame->road, nullptr);
  EXPECT_EQ(customTrack, 0);
  EXPECT_FALSE(std::filesystem::exists("TRK/BROKEN.TRK"));  // the next try fetches it again

  Point_At(Closed_Port());
  EXPECT_EQ(theGame->Start_Selected_Track(), 0);
  EXPECT_STREQ(trackListMessage, "Download of BROKEN.TRK failed.");
  EXPECT_EQ(Load_Cloud_List(), 0);
  EXPECT_EQ(trackListMode, TRACKS_CLOUD);
  EXPECT_EQ(trackListCount, 1);
  EXPECT_STREQ(trackListMessage, "The track cloud cannot be reached.");
}
