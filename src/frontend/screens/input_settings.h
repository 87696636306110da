#pragma once
// The input settings: the eight game functions mapped to keys or to joystick controls,
// one prompt per function, saved to the settings file at once.

// Step numbers of the prompts: 1..8 keys, 20..27 joystick; 0 while the input menu shows.
constexpr int kFirstKeyStep = 1;
constexpr int kFirstJoystickStep = 20;
constexpr int kJoystickAxis = 255;  // a joystick input that means the axis, not a button
constexpr int kMappingAborted = -1;

extern int input_step;

// The input menu: LEFT maps keys, RIGHT maps the joystick, DOWN leaves.
void Run_Input_Settings();
// Asks for the eight keys in order, stores them and saves the settings.
void Map_Keys();
// Asks for the eight joystick controls; a key aborts the run and nothing is stored.
// Returns 1 when the controls were stored and saved, 0 when the run was aborted.
int Map_Joystick();
// One prompt: the key code (or button number, or 255 for an axis) of the accepted input.
int Wait_For_Key(int step);
// One joystick prompt: a button number, 255 for an axis, or -1 when a key was pressed.
int Wait_For_Joystick(int step);
// The prompt's background and two centred lines, presented.
void Draw_Input_Prompt(int step);
// The two lines of a prompt; empty texts for an unknown step.
const char* Input_Prompt_Title(int step);
const char* Input_Prompt_Function(int step);
