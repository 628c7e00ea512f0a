// The end of a run that cleared its last level: the epilogue stage for a
// completed run, then the final screen.
#pragma once

#include <SDL/SDL.h>

#include "engine/level_interface.h"
#include "shell/level_chain.h"
#include "shell/level_table.h"
#include "support/asset_table.h"

// The final score: the score after the last level, plus the epilogue's bonus
// when a completed run clears it. Returns the score shown. A completed run
// needs the epilogue in the table (the level chain never reports one without).
int end_sequence(SDL_Surface* screen, run_end end, game_result& result, const asset_table& assets,
                 const level_table& levels);
