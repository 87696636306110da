#pragma once
// The ending after a won tournament: the congratulations picture with a text that scrolls
// along a sine wave, and its own music.
#include <SDL/SDL.h>

#include <cstdint>

constexpr int kScrollCellWidth = 16;
constexpr int kScrollCellHeight = 32;
constexpr int kScrollStripWidth = 672;

extern uint16_t scroll_wave[360];     // screen row of each column's glyph strip, 421..449
extern const char* const kScrollText;  // repeats when it ends
extern int scroll_read_pointer;       // index into kScrollText, kept from one ending to the next
extern int glyph_counter;
extern SDL_Surface* scroll_strip;     // 672 x 32 in the screen format
extern SDL_Surface* scroll_font;      // "GFX/scrollfont.bmp", one row of 16 x 32 cells

// Runs the ending until the player ends it.
void Run_Ending();
// Fills the wave table, creates the strip and loads the font; the read pointer stays.
void Init_Scroller();
// Frees the strip and the font.
void Free_Scroller();
// Draws and presents one frame: picture, strip moved on, glyphs along the wave.
void Draw_Scroller_Frame();
// Copies the glyph of the next text character into the strip's right end.
void Put_Next_Glyph();
// Left edge of a character's glyph in the font picture; a space for characters the font lacks.
int Glyph_X(char c);
