// The head-up display in the side panels: the blinking super gauge, the panel
// label, the life icons and the five score digits.
#pragma once

#include <SDL/SDL.h>

struct scene;

// Loads the scene's own copies of the ten digit pictures. Returns false (and
// reports the file) when one cannot be loaded.
bool load_digit_pictures(scene* s);
void free_digit_pictures(scene* s);

// The gauge strip cell for the fill, blinking while charged; the panel; the
// life icons (or the many-lives picture above 24 lives).
void draw_gauge_panel_lives(scene* s, SDL_Surface* screen);
// Five digits with leading zeros, clamped to 0..99999; hidden in the epilogue.
void draw_score(scene* s, SDL_Surface* screen);

// The program-wide blink counter (0..39), not reset between levels.
int hud_blink_counter();
void set_hud_blink_counter(int value);
