// The intro pictures, shown once after start-up: the programming credit, the
// art and sound credits, then the controls.
#pragma once

#include <SDL/SDL.h>

#include "support/asset_table.h"

void intro_screens(SDL_Surface* screen, const asset_table& assets);
