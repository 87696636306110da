#pragma once
// Tournament results sent to the web service as they happen.

// After a round finished in 10th place or better: "ots.php" with the player, the round and
// the round's time (the first lap time).
void Submit_Round_Result();
// Adds the round's time to the tournament's points.
void Add_Round_To_Points();
// After the twelfth round: "ohs.php" with the player and the tournament's points.
void Submit_Tournament_Result();

// The two requests for a given name; nothing is sent for a name the query rules refuse.
// 1 when the server took the result.
int Send_Round_Result(const char* name, int round, long score);
int Send_Tournament_Result(const char* name, long score);
