#pragma once
// The screens of the live update: the notice shown at start-up when a newer version exists,
// and the update screen (main menu entry 2, or Space on the notice).

// The notice with the horn; Space or a joystick button starts the live update, Escape and
// 4, 5, 6 close it.
void Run_Update_Notice();
// Connects, updates the files (ending the game when its program is swapped) and shows the
// connection state and the result until Return, Escape, Space, a digit, the left mouse
// button or a joystick button; at once after the window's close.
void Run_Live_Update();
// Draws and presents one frame of the update: update_step and update_file; then reads the
// events that came meanwhile.
void Show_Update_Step();
// Reads the events while the update runs: Escape or the window's close asks it to stop
// (the close is passed on to the menu once the update screen has ended).
void Read_Update_Events();
// The line under the status for the update's result (Update_Result); "" for none.
const char* Update_Result_Text(int result);
// The start-up step: asks the service for its version and shows the notice when it differs.
void Offer_Update();
