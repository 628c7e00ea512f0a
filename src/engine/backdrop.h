// The backdrop: a tall picture scrolling down the screen without a seam, or
// the 30-frame animated cave drawn over the HUD frame.
#pragma once

#include "engine/level_run.h"

bg_layer* new_bg_layer(SDL_Rect rect, SDL_Surface* picture);
// Sets up the layers (scrolling) or the frame table (animated).
void prepare_backdrop(level_run& run);
// One scroll of s pixels; from offset 478 it wraps to 0.
void scroll_step(level_run& run, int s);
// Draws a picture through the layers: the strip, then the whole picture.
void draw_scrolled(level_run& run, SDL_Surface* picture);
// Animated kind: the HUD frame as base, the current cave frame over the play
// field, and the frame advancing every `period` frames.
void draw_animated(level_run& run, int period);
