#include "library/tournament_rounds.h"

namespace {
const Tournament_Round kRounds[kTournamentRounds] = {
    {"GFX/TT_FL.TRK", "GFX/tournament_FL.bmp", 14, "Florida, US", "Florida, USA"},
    {"GFX/TT_BV.TRK", "GFX/tournament_BV.bmp", 2, "Bavaria", "Bayern"},
    {"GFX/TT_HK.TRK", "GFX/tournament_HK.bmp", 4, "Hong Kong", "Hong Kong"},
    {"GFX/TT_EG.TRK", "GFX/tournament_EG.bmp", 9, "Cairo", "Cairo"},
    {"GFX/TT_ES.TRK", "GFX/tournament_ES.bmp", 11, "Spain", "Spanien"},
    {"GFX/TT_RU.TRK", "GFX/tournament_RU.bmp", 12, "Russia", "Russland"},
    {"GFX/TT_UK.TRK", "GFX/tournament_UK.bmp", 13, "Great Britain", "England"},
    {"GFX/TT_HU.TRK", "GFX/tournament_HU.bmp", 5, "Hungary", "Ungarn"},
    {"GFX/TT_FY.TRK", "GFX/tournament_FY.bmp", 15, "Enchanted Forest", "M\xC3\xA4rchenwald"},
    {"GFX/TT_IC.TRK", "GFX/tournament_IC.bmp", 16, "Industrial City", "Industriestadt"},
    {"GFX/TT_BS.TRK", "GFX/tournament_BS.bmp", 17, "Bahamas", "Bahamas"},
    {"GFX/TT_CH.TRK", "GFX/tournament_CH.bmp", 18, "Swisserland", "Schweiz"},
};
}  // namespace

const Tournament_Round& Tournament_Round_Of(int round) {
  return kRounds[round >= 1 && round <= kTournamentRounds ? round - 1 : 0];
}

int Next_Tournament_Round(int round) {
  switch (round) {
    case 1: return 3;
    case 2: return 4;
    case 3: return 2;
    case 12: return 0;
    default: return round >= 4 && round <= 11 ? round + 1 : round;
  }
}
