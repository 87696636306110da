#pragma once
// What the traffic step needs from the race rules on the floor above, filled in by the game object.
class Game;

struct TrafficRules {
  // Runs after the field has moved and the place is counted.
  void (*check_checkpoints)(Game& game) = nullptr;
};
// Sets the rules Update_Traffic applies; a null entry does nothing.
void Set_Traffic_Rules(const TrafficRules& rules);
