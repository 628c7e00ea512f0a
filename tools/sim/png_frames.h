// Writes a presented screen to a PNG file (the simulator's frame capture).
#pragma once

#include <SDL/SDL.h>

// Writes the screen as the file `name` in the open folder `folder`: 0 once it
// is all written and closed, otherwise the system's error number (ENOSPC on a
// full disk, EIO when the reason is not known).
int save_screen_png(SDL_Surface* screen, int folder, const char* name);
