// vr_sfxgen: writes the game's "SFX" tree (sound effects, race loops and music).
//
//   vr_sfxgen [--jobs N] [--only NAME]... [--list] OUTPUT_DIR
//
// The output depends only on the program: every piece has a fixed seed, so two runs
// write the same bytes. Pieces are rendered and encoded on N threads.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "audio_io.h"
#include "composer.h"
#include "effects.h"

namespace {

using namespace sfx;

constexpr float kMusicQuality = 0.2f;    // Vorbis VBR, about 96 kbit/s for stereo
constexpr float kEffectQuality = 0.4f;
constexpr float kMusicRms = 0.14f;       // the music's mastering level
// Peaks are bent below the ceiling; Vorbis adds up to about a tenth on top when decoded.
constexpr float kMusicKnee = 0.5f, kMusicCeiling = 0.8f;

struct Job {
  std::string name;
  std::function<Stereo()> render;
  bool wav = false;
  float cost = 1.0f;  // rough, to start the long jobs first
};

std::vector<Job> All_Jobs() {
  std::vector<Job> jobs;
  jobs.push_back({"Engine1_onhigh.wav", Engine_Loop, true, 0.2f});
  jobs.push_back({"skid.wav", Skid_Loop, true, 0.1f});
  struct Effect { const char* name; Stereo (*render)(); };
  const Effect effects[] = {{"crash1.ogg", Crash},       {"checkpoint.ogg", Checkpoint},
                            {"yes.ogg", Yes},             {"gameover.ogg", Game_Over},
                            {"racestart.ogg", Race_Start}, {"soon.ogg", Soon},
                            {"weather_thunder.ogg", Thunder}, {"shift1.ogg", Shift},
                            {"seaplane.ogg", Seaplane_Loop}, {"horn.ogg", Horn}};
  for (const Effect& e : effects) jobs.push_back({e.name, e.render, false, 0.1f});
  for (const Style& style : Music_Styles()) {
    jobs.push_back({style.file,
                    [&style] {
                      Stereo s = Render(Compose(style));
                      Remove_Dc(s, style.loop);
                      Master(s, kMusicRms, kMusicKnee, kMusicCeiling);
                      if (!style.loop) Trim_Tail(s, 1e-4f, Seconds(10.0));
                      return s;
                    },
                    false, 10.0f});
  }
  return jobs;
}

int Serial_For(const std::string& name) {
  uint32_t h = 2166136261u;
  for (char c : name) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
  return static_cast<int>(h & 0x7FFFFFFF);
}

double Cpu_Seconds() {
  timespec ts;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return ts.tv_sec + ts.tv_nsec * 1e-9;
}

bool Make_File(const Job& job, const std::filesystem::path& dir) {
  double t0 = Cpu_Seconds();
  Stereo s = job.render();
  double t1 = Cpu_Seconds();
  std::filesystem::path final_path = dir / job.name;
  std::filesystem::path temp = dir / (job.name + ".part");
  bool ok = job.wav ? Write_Wav(temp.string(), s)
                    : Write_Ogg(temp.string(), s, job.cost > 1.0f ? kMusicQuality : kEffectQuality,
                                job.name.substr(0, job.name.size() - 4), Serial_For(job.name));
  std::error_code ec;
  if (ok) std::filesystem::rename(temp, final_path, ec);
  if (!ok || ec) {
    std::filesystem::remove(temp, ec);
    std::fprintf(stderr, "vr_sfxgen: cannot write %s\n", final_path.string().c_str());
    return false;
  }
  std::printf("  %-22s %6.1f s  peak %.3f  cpu: render %.2f s, encode %.2f s\n", job.name.c_str(),
              double(s.frames()) / kRate, double(Peak(s)), t1 - t0, Cpu_Seconds() - t1);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int threads = static_cast<int>(std::thread::hardware_concurrency());
  std::vector<std::string> only;
  std::string out_dir;
  bool list = false;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--jobs" && i + 1 < argc) threads = std::atoi(argv[++i]);
    else if (a == "--only" && i + 1 < argc) only.push_back(argv[++i]);
    else if (a == "--list") list = true;
    else if (!a.empty() && a[0] != '-') out_dir = a;
    else {
      std::fprintf(stderr, "usage: vr_sfxgen [--jobs N] [--only NAME]... [--list] OUTPUT_DIR\n");
      return 2;
    }
  }
  std::vector<Job> jobs = All_Jobs();
  if (list) {
    for (const Job& j : jobs) std::printf("%s\n", j.name.c_str());
    return 0;
  }
  if (out_dir.empty()) {
    std::fprintf(stderr, "usage: vr_sfxgen [--jobs N] [--only NAME]... [--list] OUTPUT_DIR\n");
    return 2;
  }
  if (!only.empty()) {
    std::vector<Job> chosen;
    for (const std::string& name : only) {
      bool found = false;
      for (const Job& j : jobs)
        if (j.name == name) { chosen.push_back(j); found = true; }
      if (!found) {
        std::fprintf(stderr, "vr_sfxgen: no piece named %s\n", name.c_str());
        return 2;
      }
    }
    jobs = chosen;
  }
  std::error_code ec;
  std::filesystem::create_directories(out_dir, ec);
  if (ec) {
    std::fprintf(stderr, "vr_sfxgen: cannot create %s\n", out_dir.c_str());
    return 1;
  }
  std::stable_sort(jobs.begin(), jobs.end(), [](const Job& a, const Job& b) { return a.cost > b.cost; });

  auto start = std::chrono::steady_clock::now();
  std::atomic<size_t> next{0};
  std::atomic<bool> failed{false};
  auto worker = [&] {
    for (size_t i = next++; i < jobs.size(); i = next++)
      if (!Make_File(jobs[i], out_dir)) failed = true;
  };
  std::vector<std::thread> pool;
  for (int t = 1; t < std::max(1, threads); ++t) pool.emplace_back(worker);
  worker();
  for (std::thread& t : pool) t.join();
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("vr_sfxgen: %zu files in %.1f s\n", jobs.size(), seconds);
  return failed ? 1 : 0;
}
