// The leaderboard page over HTTP: its headers, HEAD and conditional requests, the course
// pictures, and escaping of every text that comes from players or track files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/formats/track_file.h"
#include "leaderboard_page.h"
#include "service.h"
#include "shelves.h"
#include "support/raw_http.h"
#include "support/temp_dir.h"

namespace {

std::string Header_Of(const std::string& answer, const std::string& name) {
  size_t at = answer.find("\r\n" + name + ": ");
  if (at == std::string::npos) return "";
  at += name.size() + 4;
  return answer.substr(at, answer.find("\r\n", at) - at);
}

}  // namespace

TEST(LeaderboardPage, EscapesEveryTextInElementsAndAttributes) {
  struct Case {
    std::string text, html;
  } cases[] = {
      {"Anna Berg", "Anna Berg"},
      {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
      {"\" onerror=\"x", "&quot; onerror=&quot;x"},
      {"it's & more", "it&#39;s &amp; more"},
      {"line\nbreak", "line break"},
  };
  for (const Case& c : cases) EXPECT_EQ(Html_Escape(c.text), c.html);
  // The platform and scenario names; that names and makers arrive escaped is the browser test's.
  std::string page = Leaderboard_Page({{"3Bold", 700000}}, {{"9Nine_Ways", 650000}},
                                     {{"A.TRK", 3, 80, "Maker"}, {"B.TRK", 13, 70, "Maker"}});
  EXPECT_NE(page.find("Hong Kong, 80 sectors"), std::string::npos);
  EXPECT_NE(page.find("unknown, 70 sectors"), std::string::npos);
  EXPECT_NE(page.find("<td>Nine Ways</td><td>unknown</td>"), std::string::npos);
}

// The leading digit names the platform (1..8, else unknown); underscores are spaces.
TEST(LeaderboardPage, PlayerSplitsIntoPlatformAndName) {
  const struct {
    const char* player;
    int platform;
    const char* name;
  } cases[] = {
      {"3Anna_Berg", 3, "Anna Berg"}, {"8X", 8, "X"}, {"0Zero", 0, "Zero"},
      {"9Nine", 0, "Nine"},           {"Anna", 0, "Anna"}, {"", 0, ""},
  };
  for (const auto& c : cases) {
    std::string name;
    EXPECT_EQ(Split_Player(c.player, &name), c.platform) << c.player;
    EXPECT_EQ(name, c.name) << c.player;
  }
}

TEST(LeaderboardPage, ServedWithItsPolicyAnsweringHeadAndConditionalRequests) {
  ScopedTempDir dir;
  Service service;
  ASSERT_EQ(service.Open(dir.path() + "/data"), 1);
  ASSERT_EQ(service.store.Add_Tournaments({{"3Anna_Berg", 700000}, {"5Bert", 650000}}), 1);
  std::vector<TrackSector> sectors(60, TrackSector());
  for (TrackSector& sector : sectors) sector.length = 40, sector.curve = 150;
  ASSERT_EQ(Write_Track_File((dir.path() + "/ROUND.TRK").c_str(), Make_Track_Header("Maker", 2, 0), sectors.data(), 60), 1);
  ASSERT_EQ(Publish_Track(service.data_dir, dir.path() + "/ROUND.TRK"), 1);
  int port = service.Start("127.0.0.1", 0);
  ASSERT_GT(port, 0);

  for (const char* root : {"GET / HTTP/1.1\nHost: x\n\n", "GET /VantoRello/ HTTP/1.1\nHost: x\n\n"}) {
    std::string page = Exchange_From("127.0.0.1", port, root);
    ASSERT_EQ(Status_Of(page), 200) << root;
    EXPECT_EQ(Header_Of(page, "Content-Type"), "text/html; charset=utf-8");
    EXPECT_NE(Header_Of(page, "Content-Security-Policy").find("default-src 'none'"), std::string::npos);
    EXPECT_LT(Body_Of(page).find(">Bert<"), Body_Of(page).find(">Anna Berg<"));
    std::string tag = Header_Of(page, "ETag");
    ASSERT_FALSE(tag.empty());
    std::string again = Exchange_From("127.0.0.1", port, std::string(root).insert(std::string(root).find("\n\n") + 1, "If-None-Match: " + tag + "\n"));
    EXPECT_EQ(Status_Of(again), 304);
    EXPECT_EQ(Body_Of(again), "");
    std::string head = Exchange_From("127.0.0.1", port, "HEAD" + std::string(root).substr(3));
    EXPECT_EQ(Status_Of(head), 200);
    EXPECT_EQ(Body_Of(head), "");
  }
  // A new result changes the page and its tag.
  std::string before = Header_Of(Exchange_From("127.0.0.1", port, "GET / HTTP/1.1\nHost: x\n\n"), "ETag");
  ASSERT_EQ(service.store.Submit_Tournament("3Cleo", 600000), STORE_KEPT);
  EXPECT_NE(Header_Of(Exchange_From("127.0.0.1", port, "GET / HTTP/1.1\nHost: x\n\n"), "ETag"), before);

  std::string picture = Exchange_From("127.0.0.1", port, Get_Request("course/ROUND.TRK.png"));
  ASSERT_EQ(Status_Of(picture), 200);
  EXPECT_EQ(Header_Of(picture, "Content-Type"), "image/png");
  EXPECT_EQ(Body_Of(picture).compare(0, 8, "\x89PNG\r\n\x1a\n"), 0);
  for (const char* missing : {"course/NONE.TRK.png", "course/../service.db.png", "course/.png", "course/ROUND.TRK"})
    EXPECT_EQ(Status_Of(Exchange_From("127.0.0.1", port, Get_Request(missing))), 404) << missing;
  EXPECT_EQ(Status_Of(Exchange_From("127.0.0.1", port, "GET /other HTTP/1.1\nHost: x\n\n")), 404);
}
