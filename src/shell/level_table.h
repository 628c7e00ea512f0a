// The levels a run can play, as the shell sees them: Levels 1 to 6 in order,
// then the epilogue, each a record of the game's one table of levels, and
// how the shell plays one. A null entry is a level the game does not have
// yet; a run that reaches one ends there as a short run.
#pragma once

#include <array>

#include "engine/level_interface.h"
#include "levels/levels.h"

// Plays one level until it is over: the engine in the game; the shell's
// tests put a stand-in here that notes the call.
using level_player = void (*)(const level_config& level, const level_start& start,
                              game_result* result);

struct level_table {
    std::array<const level_config*, level_count> levels;
    const level_config* epilogue;
    level_player play;
};

// The game's own levels, played by the engine.
const level_table& game_levels();
