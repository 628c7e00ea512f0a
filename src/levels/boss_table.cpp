#include "levels/boss_table.h"

#include <utility>
#include <vector>

namespace {

const bullet_look& look_of(const bullet_looks& looks, bullet_colour colour) {
    switch (colour) {
    case bullet_colour::small_red: return looks.small_red;
    case bullet_colour::small_blue: return looks.small_blue;
    case bullet_colour::small_green: return looks.small_green;
    case bullet_colour::large_red: return looks.large_red;
    case bullet_colour::large_blue: return looks.large_blue;
    case bullet_colour::large_green: return looks.large_green;
    }
    return looks.small_red;
}

// The templates of each pattern and the step of each row, made once.
struct boss_builder {
    const level_kit& kit;
    bullet_looks looks;
    std::vector<std::pair<bullet_pattern, shot_pattern>> patterns;
    std::vector<std::pair<const path_row*, move_step*>> steps;
};

shot_pattern pattern_of(boss_builder& b, bullet_pattern bullets) {
    for (const auto& [key, pattern] : b.patterns)
        if (key.data() == bullets.data() && key.size() == bullets.size()) return pattern;
    shot_pattern pattern{};
    for (const bullet_spec& s : bullets)
        add_template(pattern,
                     bullet_from({look_of(b.looks, s.look), s.from, s.speed, s.accel, s.kind}));
    b.patterns.emplace_back(bullets, pattern);
    return pattern;
}

move_step* step_of(boss_builder& b, const path_row& row) {
    for (const auto& [key, step] : b.steps)
        if (key == &row) return step;
    move_step* step = row.volley.empty()
                          ? new_step(row.dx, row.dy, row.frames)
                          : fire_step(b.kit, pattern_of(b, row.volley), row.frames, row.dx, row.dy);
    b.steps.emplace_back(&row, step);
    return step;
}

void add_rows(boss_builder& b, enemy* boss, path_kind path, path_rows rows) {
    for (const path_row& row : rows) {
        for (int i = 0; i < row.times; ++i) {
            if (row.block)
                add_rows(b, boss, path, block_of(row));
            else
                add_step(boss, step_of(b, row), path);
        }
    }
}

} // namespace

enemy* build_boss(const level_kit& kit, const boss_record& boss) {
    enemy* e = new_enemy_of(kit, *boss.kind, boss.x, boss.y, boss.spawn_ms);
    boss_builder b{kit, catalogue_bullets(*kit.assets), {}, {}};
    add_rows(b, e, entry_path, boss.entry);
    add_rows(b, e, main_path, boss.main);
    add_rows(b, e, final_path, boss.final_phase);
    return e;
}
