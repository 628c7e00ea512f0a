// The levels' entry points, each with the signature every level shares.
#pragma once

#include "engine/level_interface.h"

void play_level_1(SDL_Surface* screen, int difficulty, int incoming_score, int frame_ms,
                  game_result* result, const asset_table& assets);
