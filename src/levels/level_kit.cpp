#include "levels/level_kit.h"

#include "levels/shared_kinds.h"

level_kit make_level_kit(const asset_table& assets) {
    return {&assets, chunk_slot(assets, slot_sound_shot4)};
}

move_step* fire_step(const level_kit& kit, const shot_pattern& pattern, int frames, int dx,
                     int dy) {
    return fire(pattern, kit.fire_sound, frames, dx, dy);
}

enemy* new_enemy_of(const level_kit& kit, const enemy_kind& kind, int x, int y, int spawn_ms) {
    return new_enemy_of(kind, *kit.assets, x, y, spawn_ms);
}

shot_pattern ghost_fan(const bullet_look& look) {
    constexpr int mouth_x = 15, mouth_y = 26;
    return make_pattern({{look, {mouth_x, mouth_y}, {0, 2}},
                         {look, {mouth_x, mouth_y}, {2, 2}},
                         {look, {mouth_x, mouth_y}, {-2, 2}},
                         {look, {mouth_x, mouth_y}, {3, 2}},
                         {look, {mouth_x, mouth_y}, {-3, 2}}});
}

enemy* rising_ghost(const level_kit& kit, const shot_pattern& fan, int k, int spawn_ms) {
    const entry_plan plan = plan_rising_entry(k);
    enemy* e = new_enemy_of(kit, ghost, plan.x, plan.y, spawn_ms);
    add_rising_entry(e, plan);
    add_step(e, fire_step(kit, fan, 10), main_path);
    add_move(e, main_path, 3 * plan.side, 3, 50);
    add_move(e, final_path, 3 * plan.side, 3, 5000);
    return e;
}

enemy* drifting_ghost(const level_kit& kit, const side_row_shape& shape, const shot_pattern& fan,
                      int k, int spawn_ms) {
    const entry_plan plan = plan_side_entry(shape, k);
    enemy* e = new_enemy_of(kit, ghost, plan.x, plan.y, spawn_ms);
    add_side_entry(e, plan);
    add_step(e, fire_step(kit, fan, 10), main_path);
    add_move(e, main_path, plan.side, 5, 50);
    add_move(e, final_path, plan.side, 5, 5000);
    return e;
}

enemy* side_plane(const level_kit& kit, const enemy_kind& kind, const side_row_shape& shape,
                  const shot_pattern& guns, int k, int spawn_ms, int v) {
    const entry_plan plan = plan_side_entry(shape, k);
    enemy* e = new_enemy_of(kit, kind, plan.x, plan.y, spawn_ms);
    add_side_entry(e, plan);
    add_step(e, fire_step(kit, guns, 10), main_path);
    if (k < 4)
        add_move(e, main_path, 0, v, 50);
    else
        add_move(e, main_path, 2 * plan.side, 0, 50);
    add_move(e, final_path, 0, v, 5000);
    return e;
}
