// The web service as the game and hostile clients meet it, over real loopback sockets.
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "common/formats/cloud_list.h"
#include "common/formats/file_crc.h"
#include "common/formats/leaderboard_file.h"
#include "common/formats/track_file.h"
#include "common/formats/update_list.h"
#include "seed.h"
#include "shelves.h"
#include "support/files.h"
#include "support/raw_http.h"
#include "support/service_fixture.h"

namespace {

std::vector<unsigned char> Track_Bytes(const char* creator, int type, int tournament, int sectors) {
  std::vector<TrackSector> list(sectors, TrackSector());
  for (TrackSector& sector : list) sector.length = 60;
  return Serialise_Track_File(Make_Track_Header(creator, type, tournament), list.data(), sectors);
}

// What a GET stored in `file`; "<not fetched>" when the request failed.
std::string Fetched(const char* resource, const char* file) {
  return Http_Get(resource, file) == 1 ? Read_File(file) : "<not fetched>";
}

}  // namespace

TEST_F(ServiceTest, ScoresAreStoredOnlyWhenValid) {
  for (const char* accepted : {"ots.php?player=3Anna_Berg&track=1&score=61234",
                               "ots.php?player=3Anna_Berg&track=12&score=0", "ohs.php?player=3Anna_Berg&score=734000",
                               "updatelog.php?player=Anna_Berg&os=3"})
    EXPECT_EQ(Http_Get(accepted, ""), 1) << accepted;
  const std::string refused[] = {
      "ots.php?player=3Anna&track=0&score=1",          "ots.php?player=3Anna&track=13&score=1",
      "ots.php?player=3Anna&track=1&score=-5",         "ots.php?player=3Anna&track=1&score=2147483648",
      "ots.php?player=3Anna&track=1&score=1e5",        "ots.php?player=3Anna&track=1",
      "ots.php?track=1&score=5",                       "ots.php?player=3Anna&track=+1&score=5",
      "ohs.php?player=3Anna&score=",                   "ohs.php?player=3Anna&score=99999999999999999999",
      "ohs.php?player=Anna&score=5",                   "ohs.php?player=3An&score=5",
      "ohs.php?player=3Anna%0AX&score=5",              "ohs.php?player=3Anna%00&score=5",
      "ohs.php?player=3Anna&score=5&score=6",          "ohs.php?player=3Anna&player=3Bob&score=5",
      "updatelog.php?player=Anna",                     "updatelog.php?player=Anna&os=x",
      "ohs.php?player=3Ann%FF&score=5",                "updatelog.php?player=Ann%C0%80&os=3",
      "ohs.php?player=3" + std::string(41, 'a') + "&score=5",  // too long a name
      "ohs.php?player=3Anna&score=" + std::string(900, '9'),
  };
  for (const std::string& request : refused) EXPECT_EQ(Http_Get(request.c_str(), ""), 0) << request.substr(0, 60);
  EXPECT_EQ(service_.store.Count("rounds"), 2);
  EXPECT_EQ(service_.store.Count("tournaments"), 1);
  EXPECT_EQ(service_.store.Count("update_log"), 1);
}

// The leaderboard file holds the fifteen fastest tournaments.
TEST_F(ServiceTest, LeaderboardListsTheFifteenFastestTournaments) {
  for (int i = 0; i < 20; ++i)
    ASSERT_EQ(Http_Get(("ohs.php?player=5P" + std::to_string(100 + i) + "&score=" + std::to_string(800000 - i)).c_str(),
                       ""),
              1);
  std::string text = Fetched("highscore.txt", "HighScore.txt");
  Leaderboard_Entry entries[kLeaderboardSize];
  ASSERT_EQ(Parse_Leaderboard(text.data(), text.size(), entries), LEADERBOARD_OK);
  EXPECT_STREQ(entries[0].name, "P119");
  EXPECT_EQ(entries[0].platform, 5);
  EXPECT_EQ(entries[14].score, 800000 - 5);
}

TEST_F(ServiceTest, PublishedTracksMakeTheCloudList) {
  Write_File(dir_.path() + "/in/USER1.TRK", Track_Bytes("Anna|Berg", 3, 0, 120));
  Write_File(dir_.path() + "/in/TT_FL.TRK", Track_Bytes("Maker", 1, 1, 40));
  std::vector<unsigned char> broken = Track_Bytes("X", 2, 0, 50);
  broken.resize(broken.size() - 1);
  Write_File(dir_.path() + "/in/BROKEN.TRK", broken);
  Write_File(dir_.path() + "/in/bad name.TRK", Track_Bytes("X", 2, 0, 50));
  const std::pair<const char*, int> published[] = {
      {"USER1.TRK", 1}, {"TT_FL.TRK", 1}, {"BROKEN.TRK", 0}, {"bad name.TRK", 0}, {"MISSING.TRK", 0}};
  for (const auto& [name, result] : published)
    EXPECT_EQ(Publish_Track(data_dir_, dir_.path() + "/in/" + name), result) << name;

  std::filesystem::create_directories("TRK");
  EXPECT_EQ(Fetched("TRK/VantoRello.tracks", "TRK/VantoRello.tracks"),
            "TT_FL.TRK|1|40|Maker|1\nUSER1.TRK|3|120|Anna Berg|0\n");
  EXPECT_EQ(Fetched("TRK/uploads/USER1.TRK", "TRK/USER1.TRK"), Read_File(dir_.path() + "/in/USER1.TRK"));
  EXPECT_EQ(Http_Get("TRK/uploads/BROKEN.TRK", "TRK/BROKEN.TRK"), 0);
  EXPECT_EQ(Http_Get("TRK/uploads/../service.db", "x"), 0);
  EXPECT_EQ(Http_Get("TRK/uploads/%2E%2E%2Fservice.db", "x"), 0);
  EXPECT_EQ(Http_Get("TRK/uploads/", "x"), 0);
}

TEST_F(ServiceTest, PublishedReleaseServesItsListedFilesOnly) {
  std::string source = dir_.path() + "/release-src";
  Write_File(source + "/vantorello", "new program");
  Write_File(source + "/GFX/sky.png", "abc");
  Write_File(source + "/SFX/menu.ogg", std::string(3000, 'o'));
  ASSERT_EQ(Publish_Release(data_dir_, source, "3.99"), 1);

  EXPECT_EQ(Fetched("version.ver", "version.ver"), "#VantoRello\n3.99\n#VantoRello\n");
  EXPECT_EQ(Fetched("VantoRello.w32.ver", "VantoRello.ver"),
            "GFX/sky.png|CA6598D0\nSFX/menu.ogg|" +
                Update_List_Line("", File_Crc((source + "/SFX/menu.ogg").c_str())).substr(1) +
                Update_List_Line("vantorello", Crc_Bytes(0, "new program", 11)));
  std::filesystem::create_directories("GFX");
  EXPECT_EQ(Fetched("GFX/sky.png", "GFX/sky.png"), "abc");
  EXPECT_EQ(Fetched("VantoRello.w32", "VantoRello.upd"), "new program");
  for (const char* outside : {"service.db", "release/version.ver", "files/GFX/sky.png", "GFX/../GFX/sky.png",
                              "../data/service.db", "%2e%2e/data/service.db", "GFX/missing.png"})
    EXPECT_EQ(Http_Get(outside, "x"), 0) << outside;

  // A second release is built beside the first and replaces it as a whole with one rename; a
  // folder a crashed publisher left half-copied goes with the old release.
  std::filesystem::remove_all(source);
  Write_File(source + "/GFX/sky.png", "abcd");
  std::filesystem::create_directories(data_dir_ + "/releases/.incoming-crashed/files");
  ASSERT_EQ(Publish_Release(data_dir_, source, "4.00"), 1);
  EXPECT_EQ(Fetched("VantoRello.w32.ver", "VantoRello.ver"), Update_List_Line("GFX/sky.png", Crc_Bytes(0, "abcd", 4)));
  EXPECT_EQ(Fetched("GFX/sky.png", "GFX/sky.png"), "abcd");
  EXPECT_EQ(Http_Get("VantoRello.w32", "VantoRello.upd"), 0);
  std::vector<std::string> shelf;
  for (const auto& entry : std::filesystem::directory_iterator(data_dir_ + "/releases"))
    shelf.push_back("releases/" + entry.path().filename().string());
  EXPECT_EQ(shelf, std::vector<std::string>{std::filesystem::read_symlink(data_dir_ + "/release").string()});
}

TEST_F(ServiceTest, SurvivesMalformedRequests) {
  const std::string hostile[] = {
      "",
      "\n\n",
      "GARBAGE\n\n",
      "GET\n\n",
      "GET /VantoRello/highscore.txt\n\n",
      "GET /VantoRello/highscore.txt HTTP/9.9\n\n",
      "GET /" + std::string(20000, 'a') + " HTTP/1.1\n\n",
      "GET /VantoRello/ohs.php?player=3Anna&score=5 HTTP/1.1\n" + std::string(40000, 'h') + ": v\n\n",
      "POST /VantoRello/ohs.php HTTP/1.1\nContent-Length: 99999999999\n\n",
      std::string("GET /VantoRello/ohs.php?player=3An\0na&score=5 HTTP/1.1\n\n", 57),
      "GET /VantoRello/../../etc/passwd HTTP/1.1\n\n",
      "GET /VantoRello/%2e%2e/%2e%2e/etc/passwd HTTP/1.1\n\n",
      "GET /etc/passwd HTTP/1.1\n\n",
  };
  for (const std::string& request : hostile) {
    int fd = Connect_From("127.0.0.1", port_);  // sends the request and closes the sending side
    Send(fd, request);
    shutdown(fd, SHUT_WR);
    std::string answer = Answer_Of(fd, 8000);
    close(fd);
    EXPECT_EQ(answer.find("root:"), std::string::npos);
    EXPECT_EQ(answer.find(" 200 "), std::string::npos) << request.substr(0, 60);
  }
  EXPECT_EQ(service_.store.Count("tournaments"), 0);
  // Still serving.
  EXPECT_EQ(Http_Get("highscore.txt", "HighScore.txt"), 1);
}

TEST_F(ServiceTest, SeedPublishesTheRunDirectoryTracksAndSampleResultsOnce) {
  std::string run = dir_.path() + "/run";
  Write_File(run + "/GFX/TT_HK.TRK", Track_Bytes("Maker", 3, 1, 80));
  Write_File(run + "/TRK/VRWIN251227120000.TRK", Track_Bytes("Anna", 2, 0, 60));
  Write_File(run + "/GFX/logo.bmp", "not a track");
  ASSERT_EQ(Seed_Service(service_, run), 1);
  ASSERT_EQ(Seed_Service(service_, run), 1);
  EXPECT_EQ(Build_Cloud_List(data_dir_), "TT_HK.TRK|3|80|Maker|1\nVRWIN251227120000.TRK|2|60|Anna|0\n");
  EXPECT_EQ(service_.store.Count("tournaments"), 9);
  std::vector<Leaderboard_Row> best = service_.store.Best_Tournaments(15);
  ASSERT_EQ(best.size(), 9u);
  for (size_t k = 0; k < best.size(); ++k) EXPECT_EQ(best[k].player[0], static_cast<char>('0' + k));
}
