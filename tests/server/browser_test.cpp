// The leaderboard page in a real browser: headless Chromium against the service on 127.0.0.1
// shows the seeded players, shows hostile names as text without running anything,
// and loads a cloud track's course picture. Its screenshots are kept in the build folder.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/formats/track_file.h"
#include "service.h"
#include "shelves.h"
#include "support/files.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

const char kChromium[] = "/usr/bin/chromium";

// Runs headless Chromium with a fresh profile on `url` with `what` ("--dump-dom" or
// "--screenshot=FILE --window-size=W,H"), at most 60 s; its standard output.
std::string Chromium(const std::string& profile, const std::string& url, const std::string& what) {
  std::string out = profile + "/out.txt";
  std::string command = std::string("timeout 60 ") + kChromium +
                        " --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking"
                        " --disable-component-update --disable-sync --disable-quic --hide-scrollbars"
                        " --user-data-dir=" + profile + "/profile " + what + " '" + url + "' >" + out +
                        " 2>" + profile + "/chromium.log";
  if (std::system(command.c_str()) != 0) return "";
  return Read_File(out);
}

// How many pixels of a PNG file have this colour (within a small tolerance).
long Pixels_Of_Colour(const std::string& path, int r, int g, int b) {
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return -1;
  image.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return -1;
  long count = 0;
  for (size_t i = 0; i + 2 < pixels.size(); i += 3)
    count += std::abs(pixels[i] - r) < 8 && std::abs(pixels[i + 1] - g) < 8 && std::abs(pixels[i + 2] - b) < 8;
  return count;
}

}  // namespace

TEST(BrowserTest, ShowsThePlayersAndHostileTextAsText) {
  ASSERT_TRUE(fs::exists(kChromium)) << "Chromium is not installed: install the package chromium";
  ScopedTempDir dir;
  Service service;
  ASSERT_EQ(service.Open(dir.path() + "/data"), 1);
  const std::vector<Leaderboard_Row> players = {
      {"3Anna_Berg", 700000},
      {"4<script>document.title='owned'</script>", 710000},
      {"5\"><img src=x onerror=document.title='owned'>", 720000},
      {"3Bert", 730000},
  };
  ASSERT_EQ(service.store.Add_Tournaments(players), 1);
  std::vector<TrackSector> sectors(80, TrackSector());
  for (size_t i = 0; i < sectors.size(); ++i) {
    sectors[i].length = 30;
    sectors[i].curve = i % 7 < 3 ? 200 : (i % 7 == 5 ? -150 : 0);
  }
  ASSERT_EQ(Write_Track_File((dir.path() + "/COURSE.TRK").c_str(),
                             Make_Track_Header("<script>x()</script>\" onerror=\"y()", 3, 0), sectors.data(), 80),
            1);
  ASSERT_EQ(Publish_Track(service.data_dir, dir.path() + "/COURSE.TRK"), 1);
  int port = service.Start("127.0.0.1", 0);
  ASSERT_GT(port, 0);
  std::string url = "http://127.0.0.1:" + std::to_string(port) + "/";

  std::string dom = Chromium(dir.path(), url, "--dump-dom");
  ASSERT_FALSE(dom.empty()) << "Chromium did not run; see " << dir.path() << "/chromium.log";
  EXPECT_NE(dom.find("<title>VantoRello leaderboard</title>"), std::string::npos) << "a script changed the title";
  EXPECT_EQ(dom.find("<script"), std::string::npos);
  // Text escapes every "<", so each "<" starts a real tag: the one picture is the course's,
  // and no tag carries an injected attribute.
  size_t pictures = 0;
  for (size_t at = dom.find('<'); at != std::string::npos; at = dom.find('<', at + 1)) {
    std::string tag = dom.substr(at, dom.find('>', at) - at);
    EXPECT_EQ(tag.find("onerror"), std::string::npos) << tag;
    pictures += tag.compare(0, 4, "<img") == 0;
  }
  EXPECT_EQ(pictures, 1u);
  // The hostile names and the course's maker stand as text (the page test checks the order).
  for (const char* text : {">Anna Berg<", "&lt;script&gt;document.title=", "\"&gt;&lt;img src=x onerror=", ">Bert<",
                           "by &lt;script&gt;x()&lt;/script&gt;\" onerror=\"y()"})
    EXPECT_NE(dom.find(text), std::string::npos) << text;
  EXPECT_GE(service.course_pictures_served.load(), 1) << "the browser did not load the course picture";

  // Desktop and phone width; the course's red line must be on the desktop picture.
  for (const char* size : {"1280,1000", "390,844"}) {
    std::string shot = fs::current_path().string() + "/page-" + std::string(size).substr(0, std::string(size).find(',')) + ".png";
    Chromium(dir.path(), url, "--screenshot=" + shot + " --window-size=" + size);
    ASSERT_TRUE(fs::exists(shot)) << size;
    fs::copy_file(shot, fs::path(VR_TEST_RUN_DIR).parent_path() / fs::path(shot).filename(),
                  fs::copy_options::overwrite_existing);
    if (std::string(size) == "1280,1000") {
      EXPECT_GT(Pixels_Of_Colour(shot, 0xE0, 0x40, 0x2A), 50);
    }
  }
}
