#pragma once
// Front-end pictures (BMP) and TrueType text, drawn straight onto the display surface.
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

// Pictures loaded once at start-up; null when a file is missing. A screen that frees one
// early (the intro frees its logos and title) sets the pointer back to null.
extern SDL_Surface* gfx_vantorello256;
extern SDL_Surface* gfx_intro_logo1;
extern SDL_Surface* gfx_intro_logo2;
extern SDL_Surface* gfx_gametitle;
extern SDL_Surface* gfx_selector;
extern SDL_Surface* gfx_selector2;
extern SDL_Surface* gfx_select_car[19];  // in file order: cls, 911, mini, ... r190
extern SDL_Surface* gfx_scenario[12];    // track types 1..12 at index 0..11
extern SDL_Surface* gfx_select_build;
extern SDL_Surface* gfx_radio;
extern SDL_Surface* gfx_artist_girl;
extern SDL_Surface* gfx_snowflake;
extern SDL_Surface* gfx_seaplane;
extern SDL_Surface* gfx_raindrop;
extern SDL_Surface* gfx_snowrain;
extern SDL_Surface* gfx_icon_vrcs;
extern SDL_Surface* gfx_menu_vrcs_info;
extern SDL_Surface* gfx_menu_vrcs;
extern SDL_Surface* gfx_gameover;
extern SDL_Surface* gfx_icon_license;
extern SDL_Surface* gfx_icon_live_update;
extern SDL_Surface* gfx_select_start;
extern SDL_Surface* gfx_icon_splayer;
extern SDL_Surface* gfx_icon_mplayer;
extern SDL_Surface* gfx_icon_tournament;
extern SDL_Surface* gfx_icon_manual;
extern SDL_Surface* gfx_icon_automatic;
extern SDL_Surface* gfx_diff_easy;
extern SDL_Surface* gfx_diff_normal;
extern SDL_Surface* gfx_diff_hard;
extern SDL_Surface* gfx_diff_expert;
extern SDL_Surface* gfx_select_world;
extern SDL_Surface* gfx_icon_input_joy;
extern SDL_Surface* gfx_icon_input_key;
extern SDL_Surface* gfx_icon_save;
extern SDL_Surface* gfx_icon_cancel;
extern SDL_Surface* gfx_icon_leader;
extern SDL_Surface* gfx_icon_time;
extern SDL_Surface* gfx_icon_position;
extern SDL_Surface* gfx_icon_road;
extern SDL_Surface* gfx_icon_score;
extern SDL_Surface* gfx_game_menu;
extern SDL_Surface* gfx_menu_mask;
extern SDL_Surface* gfx_gearplate;
extern SDL_Surface* gfx_gearball;

// The seven fonts by font index 0..6; null when a file could not be opened.
extern TTF_Font* ttf_fonts[7];

// Loads a BMP converted to the screen format; black is transparent when colour_key is set.
// Prints "[Load_Sprites] ERROR: Loading '<path>'" and returns null on failure.
SDL_Surface* Load_Sprites(const char* path, int colour_key);
void Load_Menu_Graphics();
// Frees every start-up picture, then what the hooks free with them.
void Free_Menu_Graphics();

// What the menu pictures need from the floors above: the weather, which draws with them, has
// its overlays freed with them and fills this in when it builds its layers.
struct MenuGraphicsHooks {
  void (*free_overlays)() = nullptr;
};
// A null entry does nothing.
void Set_Menu_Graphics_Hooks(const MenuGraphicsHooks& hooks);
void Load_Fonts();
void Free_Fonts();

// Blits the whole picture with its top-left corner at (x, y); a null picture draws nothing.
void Draw_Image(Sint16 x, Sint16 y, SDL_Surface* picture);
// Renders UTF-8 text blended in a font 0..6 and a colour index; a negative x centres the
// text on the 640-pixel width with x as an offset.
void Draw_Text(int x, int y, const char* text, int colour, int font);
// The text colour of a colour index; any index outside 0..6 gives white.
SDL_Color Text_Colour(int colour);
// Left edge of a text of the given width drawn at x.
int Text_Left(int x, int text_width);
// The selection picture of a car 1..19 (null otherwise), shown by the menu and the constructor.
SDL_Surface* Car_Picture(int car);
// The 3 x 4 grid of the menu and the constructor, entries 1..12 row by row: an entry's
// picture stands inside its cell, the cursor frame on the cell's corner. An entry outside
// 1..12 draws nothing.
void Draw_Grid_Picture(int entry, SDL_Surface* picture);
void Draw_Grid_Cursor(int entry, SDL_Surface* frame);
