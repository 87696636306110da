#include "online/scores.h"

#include <cstdio>

#include "core/state/game.h"
#include "frontend/graphics/player_name.h"
#include "online/network.h"
#include "online/player_query.h"

namespace {

// The request is sent even when the network did not start: it then fails in Http_Get.
int Send(const char* resource) {
  Init_Network();
  int ok = Http_Get(resource, "");
  Close_Network();
  return ok;
}

}  // namespace

int Send_Round_Result(const char* name, int round, long score) {
  char player[128], resource[1024];
  if (!Player_Query_Value(name, "3", 0, player, sizeof player)) return 0;
  std::snprintf(resource, sizeof resource, "ots.php?player=%s&track=%d&score=%ld", player, round, score);
  return Send(resource);
}

int Send_Tournament_Result(const char* name, long score) {
  char player[128], resource[1024];
  if (!Player_Query_Value(name, "3", 0, player, sizeof player)) return 0;
  std::snprintf(resource, sizeof resource, "ohs.php?player=%s&score=%ld", player, score);
  return Send(resource);
}

void Submit_Round_Result() {
  Send_Round_Result(Player_Name(), theGame->tournament_round, theGame->lap_times[0]);
}

void Add_Round_To_Points() { theGame->tournament_points += static_cast<int>(theGame->lap_times[0]); }

void Submit_Tournament_Result() { Send_Tournament_Result(Player_Name(), theGame->tournament_points); }
