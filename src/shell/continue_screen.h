// The continue screen, offered when every life of a level is lost.
#pragma once

#include <SDL/SDL.h>

#include "support/asset_table.h"

constexpr int continue_yes = 1;      // Enter on "yes": play the level again
constexpr int continue_give_up = -1; // Enter on "no": the run ends
constexpr int continue_left = 0;     // Escape or a window close (the flow continues)

int continue_screen(SDL_Surface* screen, const asset_table& assets);
