#include "shell/level_table.h"

#include "levels/levels.h"

namespace {

// Every level of the game, in the order a run plays them.
constexpr level_table levels_of_the_game{
    {&play_level_1, &play_level_2, &play_level_3, &play_level_4, &play_level_5, &play_level_6},
    &play_epilogue,
};

} // namespace

const level_table& game_levels() { return levels_of_the_game; }
