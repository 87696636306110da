#pragma once
// Race rules: checkpoint plan, timer, laps and score. The set-up and the checkpoint test
// are members of Game (Setup_Race, Add_Checkpoint, Add_Finish, Plan_Custom_Checkpoints,
// Check_Checkpoints).

class Game;

constexpr int kCheckpointSlots = 49;  // plan entries, the finish included

// Score tick state, kept across races.
extern int scoreTickCounter;
extern int scoreTickPosition;

// Once a second of wall time (now in milliseconds): one second off the timer.
void Tick_Race_Timer(Game& game, double now);
// Timer at 0 starts the forced braking; standing after it, the race is lost.
void Apply_Time_Out_Rules(Game& game);
// A completed lap: lap times move one place down, the running lap restarts at 0.
void Shift_Lap_Times(Game& game);
// Every fifth presented frame the score catches up with the road position.
void Score_Tick();
