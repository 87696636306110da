#pragma once
// Every file of the "SFX" tree that the game opens, with what the tests expect of it.
#include <string>
#include <vector>

struct SfxFile {
  enum Kind { Sample, Music };
  const char* name;   // below SFX/
  Kind kind;
  bool loops;         // played as an endless loop
  double min_seconds, max_seconds;
};

inline const std::vector<SfxFile>& Sfx_Files() {
  static const std::vector<SfxFile> files = {
      // Samples: the race loops, the one-shot cues, the update notice's horn.
      {"skid.wav", SfxFile::Sample, true, 0.5, 5.0},
      {"Engine1_onhigh.wav", SfxFile::Sample, true, 0.5, 5.0},
      {"crash1.ogg", SfxFile::Sample, false, 0.3, 3.0},
      {"checkpoint.ogg", SfxFile::Sample, false, 0.2, 3.0},
      {"yes.ogg", SfxFile::Sample, false, 0.5, 4.0},
      {"gameover.ogg", SfxFile::Sample, false, 1.0, 5.0},
      {"racestart.ogg", SfxFile::Sample, false, 2.0, 4.0},
      {"soon.ogg", SfxFile::Sample, false, 0.05, 0.8},
      {"weather_thunder.ogg", SfxFile::Sample, false, 3.0, 12.0},
      {"shift1.ogg", SfxFile::Sample, false, 0.02, 0.5},
      {"seaplane.ogg", SfxFile::Sample, true, 1.0, 8.0},
      {"horn.ogg", SfxFile::Sample, false, 0.3, 2.5},
      // Music: intro (played once), menu, ending, leaderboard, the song slot's first song.
      {"VantoRello.ogg", SfxFile::Music, false, 15.0, 60.0},
      {"song98.ogg", SfxFile::Music, true, 45.0, 120.0},
      {"Abspann.ogg", SfxFile::Music, true, 45.0, 120.0},
      {"score.ogg", SfxFile::Music, true, 45.0, 120.0},
      // The radio's nineteen songs, in the radio's order.
      {"song00.ogg", SfxFile::Music, true, 45.0, 120.0},
      {"song04.ogg", SfxFile::Music, true, 45.0, 120.0},
      {"song09.ogg", SfxFile::Music, true, 45.0, 120.0},
      {"menu.ogg", SfxFile::Music, true, 45.0, 120.0},
      {"song02.ogg", SfxFile::Music, true, 45.0, 120.0},
      {"song06.ogg", SfxFile::Music, true, 45.0, 120.0},
      {"song08.ogg", SfxFile::Music, true, 45.0, 120.0},
      {"song07.ogg", SfxFile::Music, true, 45.0, 120.0},
      {"song11.ogg", SfxFile::Music, true, 45.0, 120.0},
      {"song12.ogg", SfxFile::Music, true, 45.0, 120.0},
      {"song13.ogg", SfxFile::Music, true, 45.0, 120.0},
      {"song14.ogg", SfxFile::Music, true, 45.0, 120.0},
      {"song15.ogg", SfxFile::Music, true, 45.0, 120.0},
      {"song16.ogg", SfxFile::Music, true, 45.0, 120.0},
      {"song99.ogg", SfxFile::Music, true, 45.0, 120.0},
      {"song97.ogg", SfxFile::Music, true, 45.0, 120.0},
      {"song96.ogg", SfxFile::Music, true, 45.0, 120.0},
      {"song95.ogg", SfxFile::Music, true, 45.0, 120.0},
      {"song94.ogg", SfxFile::Music, true, 45.0, 120.0},
  };
  return files;
}

inline std::string Sfx_Path(const char* name) { return std::string(VR_TEST_RUN_DIR) + "/SFX/" + name; }
