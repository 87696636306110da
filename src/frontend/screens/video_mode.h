#pragma once
// Switching between window and full screen while the game runs.

// Re-opens the 640x480x16 display with SDL_FULLSCREEN or with no flags and makes it `screen`.
// When the new mode cannot be opened the old one is opened again and 0 is returned; when
// no display can be opened at all the game ends with a message and exit code 1.
int Switch_Video_Mode(int fullscreen);
