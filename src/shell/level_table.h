// The levels a run can play, by entry point: Levels 1 to 6 in order, then the
// epilogue stage. A null entry is a level the game does not have yet; a run
// that reaches one ends there as a short run.
#pragma once

#include <array>

#include "engine/level_interface.h"

constexpr int level_count = 6;

struct level_table {
    std::array<level_function, level_count> levels;
    level_function epilogue;
};

// The game's own levels.
const level_table& game_levels();
