// Still pictures that wait for the player: the intro pictures, the final
// score screen and the ending pictures. A window close ends the picture at
// once; Enter only once enough passes have been shown, so that a press meant
// for the screen before does not skip this one.
#pragma once

#include <SDL/SDL.h>

// Enter counts once the pass counter is above this: from the twelfth pass on.
constexpr int still_picture_enter_guard = 10;

// Handles every event queued for this pass; true when the picture is ended.
bool still_picture_ended(int pass);

// Shows one picture until it is ended, one pass a frame; the guard counts
// passes.
void show_still_picture(SDL_Surface* screen, SDL_Surface* picture);
