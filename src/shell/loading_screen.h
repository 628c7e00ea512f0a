// The loading screen after a cleared level: about five seconds of a four-phase
// animation. It reads no events, so keys pressed meanwhile stay queued for the
// next level.
#pragma once

#include <SDL/SDL.h>

#include "support/asset_table.h"

void loading_screen(SDL_Surface* screen, const asset_table& assets);
