#include "shell/level_table.h"

#include "engine/level_engine.h"

namespace {

// Every level of the game, in the order a run plays them.
constexpr level_table levels_of_the_game = [] {
    level_table table{{}, epilogue_record.config, play_level};
    for (int i = 0; i < level_count; ++i) table.levels[i] = level_records[i].config;
    return table;
}();

} // namespace

const level_table& game_levels() { return levels_of_the_game; }
