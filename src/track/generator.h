#pragma once
// The track generator's parameters and the scenario table of the twelve track types.
#include "track/track_sector.h"

constexpr int kTrackTypes = 12;

// Scenario names as the constructor shows them, types 1..12; null outside.
const char* Scenario_Name(int track_type);
// The generator parameters at start-up (the track type is left alone).
void Startup_Defaults();
// At the opening of the constructor: its track type follows the game's, statistics 0.
void Reset_Constructor();
// The exhibition's parameters for one track of the given type, statistics 0.
void Exhibition_Defaults(int track_type);
// All statistics counters 0.
void Clear_Track_Stats();
// Lays out and dresses the track-sector array from the generator parameters, without a
// road: the layout draws from the random sequence as it stands, the roadside dressing from
// `dressing_seed`. Returns 0 when the work lists cannot be allocated ("ERROR: Memory").
int Generate_Track_Sectors(unsigned dressing_seed);
