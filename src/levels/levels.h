// The game's levels, one record each: the name the tools call it by, its
// level_config (its settings and its build) and its boss's table. One table
// holds them, Levels 1 to 6 in play order and then the epilogue; the shell,
// the simulator, the tests and the benchmarks all read it.
#pragma once

#include <array>
#include <string_view>

#include "engine/level_config.h"

struct boss_record; // levels/boss_table.h

struct level_record {
    const char* name;
    const level_config* config;
    const boss_record* boss;
};

// The levels of a run, without the epilogue.
inline constexpr int level_count = 6;

// Each defined in its own level file.
extern const level_config level_1_config, level_2_config, level_3_config, level_4_config,
    level_5_config, level_6_config, epilogue_config;
extern const boss_record level_1_boss, level_2_boss, level_3_boss, level_4_boss, level_5_boss,
    level_6_boss, epilogue_boss;

inline constexpr std::array<level_record, level_count + 1> level_records{
    {{"1", &level_1_config, &level_1_boss},
     {"2", &level_2_config, &level_2_boss},
     {"3", &level_3_config, &level_3_boss},
     {"4", &level_4_config, &level_4_boss},
     {"5", &level_5_config, &level_5_boss},
     {"6", &level_6_config, &level_6_boss},
     {"epilogue", &epilogue_config, &epilogue_boss}}};

// The epilogue's record: the last of the table.
inline constexpr const level_record& epilogue_record = level_records[level_count];

// The level of that name, or null.
constexpr const level_config* find_level(std::string_view name) {
    for (const level_record& record : level_records)
        if (name == record.name) return record.config;
    return nullptr;
}
