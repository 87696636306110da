// roadview [--plain] [--cars N] [--run DIR] [--out DIR] florida|bavaria POSITION...
//
// Builds a built-in track with the game's own code and writes the canvas at each track
// position (in position units, 100 per segment) as <out>/<track>_<position>.png.
// --plain draws flat stand-in sprites instead of the GFX pictures (as the tests do);
// --run changes into the game's run directory (holding GFX) first.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "road_view.h"

namespace {
int Usage() {
  std::fprintf(stderr, "usage: roadview [--plain] [--cars N] [--run DIR] [--out DIR] florida|bavaria POSITION...\n");
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  bool plain = false;
  int cars = 0;
  std::string out = ".", track;
  std::vector<int> positions;
  for (int a = 1; a < argc; ++a) {
    std::string arg = argv[a];
    if (arg == "--plain") plain = true;
    else if (arg == "--cars" && a + 1 < argc) cars = std::atoi(argv[++a]);
    else if (arg == "--out" && a + 1 < argc) out = argv[++a];
    else if (arg == "--run" && a + 1 < argc) {
      if (chdir(argv[++a]) != 0) return std::fprintf(stderr, "roadview: no directory %s\n", argv[a]), 1;
    } else if (track.empty()) track = arg;
    else positions.push_back(std::atoi(argv[a]));
  }
  if (track != "florida" && track != "bavaria") return Usage();
  if (positions.empty()) return Usage();

  Game* game = new Game();
  game->builtin_track = track == "florida" ? 1 : 2;
  if (plain) {
    game->sky->free_pictures();
    roadview::Plain_Scenery(*game);
  }
  game->Build_Builtin_Track();
  game->Set_View_Size(640, 480);
  sprite* car = roadview::Test_Car_Sprite();
  for (int p : positions) {
    game->vehicles.delete_all();
    roadview::Add_Test_Cars(*game, car, p, cars);
    roadview::Render_View(*game, p);
    std::string path = out + "/" + track + "_" + std::to_string(p) + ".png";
    if (!roadview::Write_Png(path.c_str(), game->canvas->data(), game->canvas->width, game->canvas->height))
      return std::fprintf(stderr, "roadview: cannot write %s\n", path.c_str()), 1;
    std::printf("%s\n", path.c_str());
  }
  game->vehicles.delete_all();
  delete car;
  delete game;
  return 0;
}
