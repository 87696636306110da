#pragma once
// The player's name: 3 to 40 letters, digits, spaces and "-_.", kept in a small text file
// beside the settings file. The title screen, track creator and online scores read it here.

constexpr int kPlayerNameMin = 3;
constexpr int kPlayerNameMax = 40;
extern const char* const kPlayerNameFile;  // "VantoRello.name"

// The current name; on first use read from the file. Without a valid file (the first start)
// the name is "Driver" and four random digits, saved to the file at once.
const char* Player_Name();
// 1 for a name of the first start's form, which the player has likely never chosen.
int Is_Default_Player_Name(const char* name);
// 1 for a character a name may hold.
int Player_Name_Char_Allowed(int c);
// 1 when the whole text is a valid name (length, characters, no leading or trailing blank).
int Valid_Player_Name(const char* name);
// Makes a valid name current and saves it atomically; returns 1. An invalid name returns 0
// and changes nothing; a valid name that could not be saved returns 0 but stays current
// for this run.
int Set_Player_Name(const char* name);
// Forgets the cached name so the next Player_Name() reads the file again.
void Reload_Player_Name();
