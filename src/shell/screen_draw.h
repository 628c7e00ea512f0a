// Drawing and sounds shared by the front and end screens.
#pragma once

#include <SDL/SDL.h>

#include "support/asset_table.h"

// Menu moves and confirmations play on the player's gun channel.
constexpr int menu_sound_channel = 0;

// A picture over the whole screen, from the top-left corner.
void draw_picture(SDL_Surface* screen, SDL_Surface* picture);
void draw_slot(SDL_Surface* screen, const asset_table& assets, int slot);

// A picture with its top-left corner at (x, y).
void draw_picture_at(SDL_Surface* screen, SDL_Surface* picture, int x, int y);

// Presents the screen as a flip synchronised to the display's refresh would:
// the pass goes on at the start of the next frame (every frame_period_ms of
// the game's clock). Screens that wait for the player present their passes
// this way, so they rest between passes instead of spinning.
void present_on_next_frame(SDL_Surface* screen);

// Plays a sound effect once on the menu channel (nothing without audio).
void play_menu_sound(const asset_table& assets, int slot);
