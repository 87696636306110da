// vr_artgen: paints every picture of the game into <run dir>/GFX, copies the menu
// fonts there, and writes contact sheets of all pictures for review; or paints the
// desktop icons.
//
//   vr_artgen <run dir> [--sheets <dir>] [--only <text>]
//   vr_artgen --icons <dir>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "contact.h"
#include "draw.h"
#include "icon.h"
#include "manifest.h"
#include "output.h"

namespace fs = std::filesystem;

namespace {

struct FontSource {
  const char* name;  // file name in GFX
  art::Face face;
  const char* package;
};

const FontSource kFonts[] = {
    {"VantoRello.ttf", art::Face::Title, "fonts-play"},
    {"MenuFont.ttf", art::Face::Menu, "fonts-dejavu-core"},
    {"construct.ttf", art::Face::Banner, "fonts-lato"},
    {"vantorello_con.ttf", art::Face::Mono, "fonts-dejavu-core"},
    {"DSD.ttf", art::Face::Round, "fonts-comfortaa"},
};

std::string read_file(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Copies a font and writes its package's copyright text (and the common licence it
// refers to) beside it as "<name>-LICENSE.txt".
bool copy_font(const FontSource& f, const fs::path& gfx) {
  std::error_code ec;
  fs::copy_file(art::face_path(f.face), gfx / f.name, fs::copy_options::overwrite_existing, ec);
  if (ec) {
    std::fprintf(stderr, "vr_artgen: cannot copy %s: %s\n", art::face_path(f.face), ec.message().c_str());
    return false;
  }
  std::string copyright = read_file(fs::path("/usr/share/doc") / f.package / "copyright");
  std::string text = std::string(fs::path(f.name).stem()) + " is " + fs::path(art::face_path(f.face)).filename().string() +
                     " from the Debian package " + f.package + ".\n\n" + copyright;
  if (copyright.find("Apache License, Version 2.0") != std::string::npos) {
    std::string apache = read_file("/usr/share/common-licenses/Apache-2.0");
    if (!apache.empty()) text += "\n\n" + apache;
  }
  std::ofstream out(gfx / (fs::path(f.name).stem().string() + "-LICENSE.txt"), std::ios::binary);
  out << text;
  return static_cast<bool>(out);
}

bool is_picture(gfx::Kind k) { return k != gfx::Kind::Font; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: vr_artgen <run dir> [--sheets <dir>] [--only <text>]\n"
                         "       vr_artgen --icons <dir>\n");
    return 2;
  }
  if (!std::strcmp(argv[1], "--icons")) return argc == 3 && art::write_icons(argv[2]) ? 0 : 1;
  fs::path run = argv[1];
  fs::path sheets;
  std::string only;
  for (int i = 2; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--sheets")) sheets = argv[i + 1];
    if (!std::strcmp(argv[i], "--only")) only = argv[i + 1];
  }
  auto started = std::chrono::steady_clock::now();

  art::Registry reg;
  art::register_cars(reg);
  art::register_bikes(reg);
  art::register_figures(reg);
  art::register_structures(reg);
  art::register_nature(reg);
  art::register_buildings(reg);
  art::register_skies(reg);
  art::register_menus(reg);
  art::register_screens(reg);
  art::register_hud(reg);

  const std::vector<gfx::Entry> manifest = gfx::Manifest();
  bool ok = true;
  for (const auto& e : manifest)
    if (is_picture(e.kind) && !reg.count(e.path) && only.empty()) {
      std::fprintf(stderr, "vr_artgen: no painter for %s\n", e.path.c_str());
      ok = false;
    }
  for (const auto& [name, painter] : reg) {
    bool listed = false;
    for (const auto& e : manifest) listed = listed || e.path == name;
    if (!listed) {
      std::fprintf(stderr, "vr_artgen: painter for %s, which the game does not load\n", name.c_str());
      ok = false;
    }
  }
  if (!ok) return 1;

  fs::path gfx = run / "GFX";
  fs::create_directories(gfx);

  std::vector<art::Thumb> thumbs(manifest.size());
  std::atomic<size_t> next{0};
  std::atomic<bool> failed{false};
  auto worker = [&]() {
    for (size_t i; (i = next++) < manifest.size();) {
      const gfx::Entry& e = manifest[i];
      if (!is_picture(e.kind) || !reg.count(e.path)) continue;
      if (!only.empty() && e.path.find(only) == std::string::npos) continue;
      art::Pic pic = reg[e.path]();
      if ((e.width && pic.w != e.width) || (e.height && pic.h != e.height)) {
        std::fprintf(stderr, "vr_artgen: %s is %dx%d, the screens need %dx%d\n", e.path.c_str(), pic.w, pic.h,
                     e.width, e.height);
        failed = true;
      }
      std::vector<uint8_t> rgba = art::convert(pic, e.kind);
      fs::path out = run / e.path;
      bool bmp = out.extension() == ".bmp";
      if (!(bmp ? art::write_bmp(out, pic.w, pic.h, rgba) : art::write_png(out, pic.w, pic.h, rgba))) {
        std::fprintf(stderr, "vr_artgen: cannot write %s\n", out.c_str());
        failed = true;
      }
      if (!sheets.empty()) thumbs[i] = art::make_thumb(e, pic.w, pic.h, rgba);
    }
  };
  unsigned n = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
  std::vector<std::thread> pool;
  for (unsigned t = 0; t < n; ++t) pool.emplace_back(worker);
  for (auto& t : pool) t.join();
  if (failed) return 1;

  if (only.empty())
    for (const auto& f : kFonts)
      if (!copy_font(f, gfx)) return 1;

  if (!sheets.empty()) {
    fs::create_directories(sheets);
    art::write_contact_sheets(sheets, thumbs);
  }
  double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("vr_artgen: %zu files in %s (%.1f s)\n", manifest.size(), gfx.c_str(), secs);
  return 0;
}
