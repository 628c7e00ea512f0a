// Rectangles for every blit and hit box, and the level scripts' random draws.
#pragma once

#include <SDL/SDL.h>

// The four values cut to their low 16 bits, without clamping.
SDL_Rect make_rect(int x, int y, int w, int h);

// One unseeded rand() modulo n (n > 0): every start of the program draws the
// same sequence, so a level's variation depends only on the draws before it.
int random_below(int n);
