// The game's music: the nineteen radio songs, the intro, the menu theme, the ending and the
// leaderboard piece. The main theme's melody (kTheme) returns in the intro, the menu
// pieces, "Vanto Rello Day" and the ending.
#include "composer.h"

namespace sfx {

namespace {

constexpr uint32_t kTheme = 20261;

Style Make(const char* file, const char* title, uint32_t seed, float bpm, int root, Scale scale) {
  Style s;
  s.file = file;
  s.title = title;
  s.seed = seed;
  s.bpm = bpm;
  s.root = root;
  s.scale = scale;
  return s;
}

std::vector<Style> Build_Styles() {
  std::vector<Style> all;
  Style s;

  s = Make("song00.ogg", "Come drive with me", 101, 126, 57, Scale::Major);
  s.verse = {"I", "V", "vi", "IV"}; s.chorus = {"vi", "IV", "I", "V"};
  s.form = "IABABO"; s.groove = Groove::Four; s.bass_line = BassLine::Octave; s.comp = Comp::Stabs;
  s.arp = Arp::Up; s.arp_eighths = true; s.lead = Lead::Saw; s.lead2 = Lead::Bell;
  s.keys = Keys::Brass; s.pad = Keys::Strings; s.bass = Bass::Saw; s.duck = 0.3f;
  all.push_back(s);

  s = Make("song04.ogg", "Drive the 12bit Beat", 202, 140, 48, Scale::Minor);
  s.verse = {"i", "bVI", "bIII", "bVII"}; s.chorus = {"bVI", "bVII", "i", "i"};
  s.form = "IABCBO"; s.groove = Groove::Rock; s.bass_line = BassLine::Octave; s.comp = Comp::Pulse;
  s.arp = Arp::Up; s.lead = Lead::Square; s.lead2 = Lead::Pulse; s.keys = Keys::Chip; s.pad = Keys::Warm;
  s.bass = Bass::Chip; s.echo = 0.2f; s.density = 0.75f;
  all.push_back(s);

  s = Make("song09.ogg", "Winter Breeze in Germany", 303, 116, 52, Scale::Minor);
  s.verse = {"i", "iv", "bVII", "bIII"}; s.chorus = {"bVI", "bVII", "bIII", "V"};
  s.form = "IABBO"; s.groove = Groove::Rock; s.bass_line = BassLine::Root8; s.comp = Comp::Pad;
  s.arp = Arp::Broken; s.lead = Lead::Bell; s.lead2 = Lead::Flute; s.keys = Keys::Strings;
  s.pad = Keys::Choir; s.bass = Bass::Saw; s.reverb = 0.8f;
  all.push_back(s);

  s = Make("menu.ogg", "Chill with me [ Theme ]", 404, 104, 50, Scale::Dorian);
  s.theme_seed = kTheme;
  s.verse = {"i7", "IV", "i7", "IV"}; s.chorus = {"bIII", "IV", "i7", "v"};
  s.form = "IABBO"; s.groove = Groove::Half; s.bass_line = BassLine::Long; s.comp = Comp::Funk;
  s.lead = Lead::Whistle; s.lead2 = Lead::Bell; s.keys = Keys::EPiano; s.pad = Keys::Warm;
  s.bass = Bass::Sub; s.swing = 0.15f; s.density = 0.5f;
  all.push_back(s);

  s = Make("song02.ogg", "Kitlights in the town", 505, 120, 54, Scale::Minor);
  s.verse = {"i", "bVII", "bVI", "bVII"}; s.chorus = {"i", "iv", "bVI", "V"};
  s.form = "IABBO"; s.groove = Groove::Four; s.bass_line = BassLine::Offbeat; s.comp = Comp::Stabs;
  s.lead = Lead::Pluck; s.lead2 = Lead::Bell; s.keys = Keys::Organ; s.pad = Keys::Strings;
  s.bass = Bass::Fat; s.duck = 0.4f;
  all.push_back(s);

  s = Make("song06.ogg", "Futuristic City Drive", 606, 118, 53, Scale::Minor);
  s.verse = {"i", "bVI", "bIII", "bVII"}; s.chorus = {"bVI", "bIII", "bVII", "i"};
  s.form = "IABBO"; s.groove = Groove::Rock; s.bass_line = BassLine::Octave; s.comp = Comp::Pulse;
  s.arp = Arp::Up; s.lead = Lead::Sync; s.lead2 = Lead::Saw; s.keys = Keys::Brass; s.pad = Keys::Choir;
  s.bass = Bass::Fat; s.echo = 0.35f; s.reverb = 0.75f;
  all.push_back(s);

  s = Make("song08.ogg", "Citylights", 707, 112, 58, Scale::Major);
  s.verse = {"ii7", "V7", "Imaj7", "vi7"}; s.chorus = {"IVmaj7", "iii7", "ii7", "V7"};
  s.form = "IABBO"; s.groove = Groove::Break; s.bass_line = BassLine::Walk; s.comp = Comp::Funk;
  s.lead = Lead::Flute; s.lead2 = Lead::Bell; s.keys = Keys::EPiano; s.pad = Keys::Warm;
  s.bass = Bass::Sub; s.swing = 0.1f;
  all.push_back(s);

  s = Make("song07.ogg", "Highway Madness", 808, 152, 52, Scale::Minor);
  s.verse = {"i", "bVII", "bVI", "bVII"}; s.chorus = {"i", "bVI", "bIII", "bVII"};
  s.form = "IABCBO"; s.groove = Groove::Rock; s.bass_line = BassLine::Gallop; s.comp = Comp::Strum;
  s.lead = Lead::Sync; s.lead2 = Lead::Saw; s.keys = Keys::Guitar; s.pad = Keys::Strings;
  s.bass = Bass::Fat; s.density = 0.8f;
  all.push_back(s);

  s = Make("song11.ogg", "Desert Storm", 909, 132, 50, Scale::PhrygianDominant);
  s.verse = {"I", "bII", "bvii", "I"}; s.chorus = {"iv", "bII", "I", "I"};
  s.form = "IABABO"; s.groove = Groove::Break; s.bass_line = BassLine::Sixteenth; s.comp = Comp::Stabs;
  s.arp = Arp::Alberti; s.lead = Lead::Accordion; s.lead2 = Lead::Pluck; s.keys = Keys::Clav;
  s.pad = Keys::Choir; s.bass = Bass::Pluck; s.density = 0.8f;
  all.push_back(s);

  s = Make("song12.ogg", "Chicken Curry", 1010, 108, 55, Scale::Mixolydian);
  s.verse = {"I7", "IV7", "I7", "bVII"}; s.chorus = {"IV7", "IV7", "I7", "V7"};
  s.form = "IABBO"; s.groove = Groove::Shuffle; s.bass_line = BassLine::Walk; s.comp = Comp::Funk;
  s.lead = Lead::Brass; s.lead2 = Lead::Saw; s.keys = Keys::Clav; s.pad = Keys::Organ;
  s.bass = Bass::Pluck; s.swing = 0.3f;
  all.push_back(s);

  s = Make("song13.ogg", "Gah Gah", 1111, 136, 48, Scale::Major);
  s.verse = {"I", "iii", "IV", "V"}; s.chorus = {"I", "V", "vi", "IV,V"};
  s.form = "IABCBO"; s.groove = Groove::Four; s.bass_line = BassLine::Octave; s.comp = Comp::Skank;
  s.arp = Arp::UpDown; s.lead = Lead::Square; s.lead2 = Lead::Whistle; s.keys = Keys::Chip;
  s.pad = Keys::Warm; s.bass = Bass::Chip; s.density = 0.85f;
  all.push_back(s);

  s = Make("song14.ogg", "El Slot Zorro III", 1212, 126, 57, Scale::HarmonicMinor);
  s.verse = {"i", "bVII", "bVI", "V"}; s.chorus = {"iv", "i", "V", "i"};
  s.form = "IABABO"; s.groove = Groove::Latin; s.bass_line = BassLine::Latin; s.comp = Comp::Strum;
  s.lead = Lead::Brass; s.lead2 = Lead::Pluck; s.keys = Keys::Guitar; s.pad = Keys::Strings;
  s.bass = Bass::Pluck;
  all.push_back(s);

  s = Make("song15.ogg", "Rasbputiny", 1313, 148, 50, Scale::HarmonicMinor);
  s.verse = {"i", "iv", "V", "i"}; s.chorus = {"i", "bVII", "bIII", "V"};
  s.form = "IABCBO"; s.groove = Groove::Polka; s.bass_line = BassLine::OomPah; s.comp = Comp::OomPah;
  s.lead = Lead::Accordion; s.lead2 = Lead::Flute; s.keys = Keys::Organ; s.pad = Keys::Choir;
  s.bass = Bass::Tuba; s.density = 0.8f;
  all.push_back(s);

  s = Make("song16.ogg", "Cloudy Fun", 1414, 124, 53, Scale::Major);
  s.verse = {"I", "vi", "ii", "V"}; s.chorus = {"IV", "V", "iii", "vi"};
  s.form = "IABABO"; s.groove = Groove::Four; s.bass_line = BassLine::Root8; s.comp = Comp::Skank;
  s.arp = Arp::Broken; s.lead = Lead::Bell; s.lead2 = Lead::Whistle; s.keys = Keys::EPiano;
  s.pad = Keys::Warm; s.bass = Bass::Sub; s.swing = 0.12f;
  all.push_back(s);

  s = Make("song99.ogg", "Vanto Rello Day", 1515, 128, 55, Scale::Major);
  s.theme_seed = kTheme;
  s.verse = {"I", "IV", "vi", "V"}; s.chorus = {"IV", "V", "I", "vi"};
  s.form = "IABBKO"; s.groove = Groove::Four; s.bass_line = BassLine::Octave; s.comp = Comp::Stabs;
  s.arp = Arp::Up; s.arp_eighths = true; s.lead = Lead::Saw; s.lead2 = Lead::Brass; s.keys = Keys::Brass;
  s.pad = Keys::Strings; s.bass = Bass::Saw; s.duck = 0.25f;
  all.push_back(s);

  s = Make("song97.ogg", "Fantasy Race", 1616, 120, 52, Scale::Lydian);
  s.verse = {"I", "II", "I", "II"}; s.chorus = {"vi", "V", "II", "I"};
  s.form = "IBCBO"; s.groove = Groove::Rock; s.bass_line = BassLine::Long; s.comp = Comp::Pad;
  s.arp = Arp::Broken; s.lead = Lead::Bell; s.lead2 = Lead::Flute; s.keys = Keys::Choir;
  s.pad = Keys::Strings; s.bass = Bass::Sub; s.reverb = 0.85f;
  all.push_back(s);

  s = Make("song96.ogg", "Industry Race", 1717, 130, 49, Scale::Minor);
  s.verse = {"i", "i", "bVI", "bVII"}; s.chorus = {"i", "bVII", "bVI", "v"};
  s.form = "IABCBO"; s.groove = Groove::Four; s.bass_line = BassLine::Sixteenth; s.comp = Comp::Pulse;
  s.lead = Lead::Sync; s.lead2 = Lead::Pulse; s.keys = Keys::Clav; s.pad = Keys::Choir;
  s.bass = Bass::Fat; s.duck = 0.35f;
  all.push_back(s);

  s = Make("song95.ogg", "Bahamas Race", 1818, 116, 53, Scale::Major);
  s.verse = {"I", "IV", "V7", "I"}; s.chorus = {"IV", "I", "V7", "I"};
  s.form = "IABBO"; s.groove = Groove::Latin; s.bass_line = BassLine::Latin; s.comp = Comp::Skank;
  s.lead = Lead::Steel; s.lead2 = Lead::Whistle; s.keys = Keys::Guitar; s.pad = Keys::Warm;
  s.bass = Bass::Sub;
  all.push_back(s);

  s = Make("song94.ogg", "Swiss Race", 1919, 132, 50, Scale::Major);
  s.verse = {"I", "V7", "V7", "I"}; s.chorus = {"IV", "I", "V7", "I"};
  s.form = "IABABO"; s.groove = Groove::Polka; s.bass_line = BassLine::OomPah; s.comp = Comp::OomPah;
  s.lead = Lead::Whistle; s.lead2 = Lead::Brass; s.keys = Keys::Organ; s.pad = Keys::Strings;
  s.bass = Bass::Tuba; s.density = 0.7f;
  all.push_back(s);

  // The intro: short and grand, played once.
  s = Make("VantoRello.ogg", "Vanto Rello", 2020, 92, 48, Scale::Major);
  s.theme_seed = kTheme;
  s.verse = {"I", "IV", "vi", "V"}; s.chorus = {"I", "V", "vi", "IV"};
  s.form = "IBE"; s.groove = Groove::March; s.bass_line = BassLine::Long; s.comp = Comp::Pad;
  s.lead = Lead::Brass; s.lead2 = Lead::Bell; s.keys = Keys::Brass; s.pad = Keys::Strings;
  s.bass = Bass::Tuba; s.loop = false; s.reverb = 0.85f;
  all.push_back(s);

  // The menu: the theme, relaxed.
  s = Make("song98.ogg", "Menu", 2121, 86, 53, Scale::Major);
  s.theme_seed = kTheme;
  s.verse = {"Imaj7", "vi7", "ii7", "V7"}; s.chorus = {"IVmaj7", "iii7", "vi7", "V7"};
  s.form = "IABO"; s.groove = Groove::Half; s.bass_line = BassLine::Long; s.comp = Comp::Pad;
  s.arp = Arp::Broken; s.arp_eighths = true; s.lead = Lead::Flute; s.lead2 = Lead::Bell;
  s.keys = Keys::EPiano; s.pad = Keys::Warm; s.bass = Bass::Sub; s.swing = 0.1f; s.density = 0.4f;
  all.push_back(s);

  // The ending: triumphant, with the last chorus a tone higher.
  s = Make("Abspann.ogg", "Abspann", 2222, 122, 51, Scale::Major);
  s.theme_seed = kTheme;
  s.verse = {"I", "V", "vi", "IV"}; s.chorus = {"IV", "V", "iii", "vi"};
  s.form = "IBABKO"; s.groove = Groove::Rock; s.bass_line = BassLine::Octave; s.comp = Comp::Stabs;
  s.arp = Arp::Up; s.arp_eighths = true; s.lead = Lead::Brass; s.lead2 = Lead::Saw; s.keys = Keys::Brass;
  s.pad = Keys::Strings; s.bass = Bass::Saw;
  all.push_back(s);

  // The leaderboard.
  s = Make("score.ogg", "Score", 2323, 110, 57, Scale::Dorian);
  s.verse = {"i7", "iv7", "bVII", "bIII"}; s.chorus = {"bVI", "bVII", "i7", "i7"};
  s.form = "IABBO"; s.groove = Groove::Break; s.bass_line = BassLine::Root8; s.comp = Comp::Funk;
  s.arp = Arp::Alberti; s.lead = Lead::Pluck; s.lead2 = Lead::Bell; s.keys = Keys::Clav;
  s.pad = Keys::Warm; s.bass = Bass::Pluck;
  all.push_back(s);

  return all;
}

}  // namespace

const std::vector<Style>& Music_Styles() {
  static const std::vector<Style> styles = Build_Styles();
  return styles;
}

}  // namespace sfx
