// A level's waves as rows in the order the player meets them, and the one
// builder that turns the rows and the boss into the engine's queue.
#pragma once

#include <span>
#include <type_traits>
#include <vector>

#include "levels/enemy_kind.h"
#include "levels/script_builder.h"
#include "levels/side_entries.h"
#include "support/builder_check.h"

// One enemy of a wave, as its path maker sees it.
struct wave_member {
    int index;    // its place in its group, from 0
    int group;    // 0 for the group the player meets first
    int spawn_ms; // when its group is due to leave the queue
};

// A wave: `groups` groups of `members` enemies, the first group due at
// first_ms and one more every every_ms. `path` makes each member from the
// row: its kind, the entry shape of rows that fly in from behind the side
// panels, the pattern it fires and a speed (each path maker says which of
// these it reads).
template <typename kit_type> struct wave {
    int first_ms, every_ms, groups, members;
    const enemy_kind* kind;
    const side_row_shape* entry;
    shot_pattern kit_type::*fires;
    enemy* (*path)(const kit_type& kit, const wave& row, const wave_member& member);
    int speed = 0;
};

// How many enemies the rows send.
template <typename rows> constexpr int wave_enemies(const rows& waves) {
    int total = 0;
    for (const auto& row : waves) total += row.groups * row.members;
    return total;
}

// Builds a level from its rows and its boss, which together must come to the
// level's own count of enemies. The order of creation is the order of the
// random draws: the waves as the player meets them, within a wave the latest
// group first, members in order, and the boss last. The engine pushes each
// queued enemy to the front, so the last queued leaves first: the boss is
// queued first, then the waves from the last the player meets to the first,
// each in the order it was made.
template <typename kit_type>
level_script
build_waves(const kit_type& kit, std::span<const wave<std::type_identity_t<kit_type>>> waves,
            enemy* (*make_boss)(const std::type_identity_t<kit_type>& kit), int enemy_total) {
    builder_check(wave_enemies(waves) + 1 == enemy_total,
                  "the waves and the boss do not add up to the level's count of enemies");
    std::vector<enemy*> made;
    std::vector<std::size_t> wave_start;
    for (const wave<kit_type>& row : waves) {
        wave_start.push_back(made.size());
        for (int group = row.groups - 1; group >= 0; --group) {
            const int spawn_ms = row.first_ms + group * row.every_ms;
            for (int index = 0; index < row.members; ++index)
                made.push_back(row.path(kit, row, {index, group, spawn_ms}));
        }
    }
    enemy* boss = make_boss(kit);

    queue_builder queue = make_queue_builder(enemy_total);
    queue_in_order(queue, boss);
    std::size_t end = made.size();
    for (std::size_t w = waves.size(); w-- > 0;) {
        for (std::size_t i = wave_start[w]; i < end; ++i) queue_in_order(queue, made[i]);
        end = wave_start[w];
    }
    return finish_script(boss, queue);
}

// A level's settings with its build.
constexpr level_config with_build(level_config settings,
                                  level_script (*build)(const asset_table& assets)) {
    settings.build = build;
    return settings;
}

// A level's build, for its level_config: its kit, rows, boss and count.
template <auto make_kit, const auto& waves, auto make_boss, int enemy_total>
level_script build_from_waves(const asset_table& assets) {
    return build_waves(make_kit(assets), waves, make_boss, enemy_total);
}

// A level that is its boss alone.
template <typename kit_type>
level_script build_boss_alone(const kit_type& kit,
                              enemy* (*make_boss)(const std::type_identity_t<kit_type>& kit)) {
    return build_waves(kit, {}, make_boss, 1);
}
