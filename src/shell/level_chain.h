// The chain of levels of one run: each level until it is quit, given up or
// cleared, the continue and loading screens between them, and how far the
// difficulty lets the run go.
#pragma once

#include <SDL/SDL.h>

#include "engine/difficulty.h"
#include "engine/level_interface.h"
#include "shell/level_table.h"
#include "support/asset_table.h"

// How a run ended: quit or given up (no end screens), or by clearing its last
// level (a short run, or a completed one that goes on to the epilogue).
enum class run_end { none, short_run, completed_run };

// A run at Hard plays every level.
static_assert(difficulty_of(difficulty_hard).last_level == level_count);

// Plays one level until it is over. A lost level offers the continue screen
// and, unless the player gives up, is played again with the score reset to 0;
// a cleared level is followed by the loading screen.
void play_one_level(SDL_Surface* screen, const level_table& levels, const level_config& level,
                    int difficulty, game_result& result, const asset_table& assets);

// Plays Level 1, then each next level while the one before was cleared.
run_end play_level_chain(SDL_Surface* screen, int difficulty, game_result& result,
                         const asset_table& assets, const level_table& levels);
