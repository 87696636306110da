#pragma once
// The head-up display: texts in the canvas and gauges on the display surface.
#include <SDL/SDL.h>

#include <cstddef>

// Exhibition captions, four shown lines (and a fifth slot) of 32 bytes.
extern char exhibitionCaptions[5][32];
// Blink phase of the timer (0..14), caption index (0..3) and the timer at the last caption change.
extern int timerBlink;
extern int captionIndex;
extern int captionSeconds;

// "      M'S\".H" of a lap time in milliseconds.
void Format_Lap_Time(char* out, size_t size, long ms);
// The timer's text for this frame, or null while it blinks off (counts the blink phase).
const char* Timer_Text(char* out, size_t size, int seconds_left, bool racing);
// End point of the speedometer needle at a speed.
void Needle_End(float speed, int* ex, int* ey);
// Column of the progress marker's red line, clamped to the bar.
int Progress_Marker_X(int position, int track_length);

// A line on the display surface, one step short of its end point.
void Draw_Screen_Line(int x0, int y0, int x1, int y1, Uint32 colour);
void Draw_Speed_Needle();
void Draw_Hud_Icons();
void Draw_Progress_Bar();
