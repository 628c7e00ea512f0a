// Blits for the game objects, the level and its panels.
#pragma once

#include <SDL/SDL.h>

// Blits (part of) a picture with the caller's own rectangle as destination.
// SDL writes the clipped rectangle back into it: the player's ship and the
// shots rely on that (their w and h become the size actually drawn, and a
// rectangle clipped at the top or left edge moves to the edge).
void blit_into(SDL_Surface* picture, SDL_Rect* source, SDL_Surface* screen, SDL_Rect& destination);

// Blits a whole picture with its top-left corner at the rectangle's x and y,
// through a copy, so the caller's rectangle stays as it is.
void draw_at(SDL_Surface* picture, SDL_Surface* screen, SDL_Rect rectangle);

// The headless simulator can switch pixel copying off: every blit then only
// clips and writes back its rectangle exactly as SDL does, so the game plays
// the same, many times faster. On by default.
void set_drawing(bool enabled);
bool drawing_enabled();

// SDL's own clipping of a blit, without the copy: what SDL_UpperBlit writes
// back into the destination rectangle. Returns whether anything would be drawn.
bool clip_blit(SDL_Surface* picture, const SDL_Rect* source, SDL_Surface* screen,
               SDL_Rect& destination);
