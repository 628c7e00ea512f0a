// The epilogue: an 80-second duel with one boss that sweeps rings of bullets,
// sways and finally leaves by the right edge. The stage pays a bonus instead
// of a score: the damage done, less ten points per life lost.
#include <array>
#include <cstddef>

#include "engine/level_engine.h"
#include "engine/level_run.h"
#include "engine/timeline.h"
#include "levels/level_kit.h"
#include "levels/levels.h"
#include "platform/platform.h"

namespace {

// Each kind a packed record.
// clang-format off
constexpr enemy_kind duel_boss{.tag = "BOSS", .picture = slot_sojiro1,
    .second_picture = slot_sojiro2, .flash_picture = slot_sojiro_flash, .size = {97, 138},
    .hit_points = 10000, .shot_slots = 500, .colour = 0,
    .explosion = {slot_explosion_boss1, 16, 60, 192, 192}, .reach = {44, 60}, .score = 0,
    .hold_main = 0, .final_mode = final_once, .anim_switch = 4, .anim_period = 8};
// clang-format on

constexpr int boss_spawn_ms = 6000;
constexpr Uint32 time_limit_ms = 80000;
constexpr int points_per_life = 10;
constexpr int gun_x = 41, gun_y = 80;
constexpr int red_kind = 0, blue_kind = 1;

struct speed {
    int x, y;
};

shot_pattern gun_list(const bullet_look& look, int kind, std::initializer_list<speed> speeds) {
    shot_pattern list{};
    for (const speed s : speeds)
        add_template(list, bullet(look, {.from = {gun_x, gun_y}, .speed = {s.x, s.y}}, kind));
    return list;
}

// Four directions, each shot twice on the same spot.
shot_pattern ring_list(const bullet_look& look, int kind, int k) {
    return gun_list(look, kind,
                    {{k, 4}, {k, -4}, {4, k}, {-4, k}, {k, 4}, {k, -4}, {4, k}, {-4, k}});
}

// A sweep fires rings k = 9 down to -9 (red from 9 to 0, blue below), then
// back up through -8 .. 8: one firing step each.
constexpr int widest_ring = 9;
constexpr std::size_t sweep_length = 4 * widest_ring;

struct ring_sweep {
    std::array<int, sweep_length> rings{};
    std::size_t rows = 0; // rows written; a row past the end only counts
};

constexpr ring_sweep make_ring_sweep() {
    ring_sweep sweep;
    const auto add = [&sweep](int k) {
        if (sweep.rows < sweep.rings.size()) sweep.rings[sweep.rows] = k;
        ++sweep.rows;
    };
    for (int k = widest_ring; k >= -widest_ring; --k) add(k);
    for (int k = 1 - widest_ring; k < widest_ring; ++k) add(k);
    return sweep;
}

constexpr ring_sweep sweep_rings = make_ring_sweep();
static_assert(sweep_rings.rows == sweep_length, "the sweep's rings fill its steps exactly");

struct epilogue_kit {
    level_kit base;
    shot_pattern red_fan, red_spread, blue_fan, blue_spread;
    std::array<move_step*, sweep_length> sweep;
};

// A firing step of the duel: 2 frames moving dx a frame, one list.
move_step* duel_step(const epilogue_kit& kit, const shot_pattern& list, int dx) {
    return fire_step(kit.base, list, 2, dx, 0);
}

epilogue_kit make_kit(const asset_table& assets) {
    const bullet_looks b = catalogue_bullets(assets);
    epilogue_kit kit{};
    kit.base = make_level_kit(assets);
    const std::initializer_list<speed> fan = {{0, 2}, {3, 2}, {-3, 2}, {0, -2},
                                              {0, 2}, {3, 2}, {-3, 2}, {0, -2}};
    const std::initializer_list<speed> spread = {{0, 2}, {1, 2},  {2, 2},  {3, 2},
                                                 {0, 2}, {-1, 2}, {-2, 2}, {-3, 2}};
    kit.red_fan = gun_list(b.large_red, red_kind, fan);
    kit.red_spread = gun_list(b.large_red, red_kind, spread);
    kit.blue_fan = gun_list(b.large_blue, blue_kind, fan);
    kit.blue_spread = gun_list(b.large_blue, blue_kind, spread);

    for (std::size_t i = 0; i < sweep_length; ++i) {
        const int k = sweep_rings.rings[i];
        const shot_pattern list =
            k >= 0 ? ring_list(b.large_red, red_kind, k) : ring_list(b.large_blue, blue_kind, k);
        kit.sweep[i] = duel_step(kit, list, 0);
    }
    return kit;
}

void add_sweeps(enemy* boss, const epilogue_kit& kit, int times) {
    for (int i = 0; i < times; ++i)
        for (move_step* step : kit.sweep) add_step(boss, step, entry_path);
}

// A group: red fan, red spread, blue fan, blue spread, all moving dx.
struct group {
    move_step* steps[4];
};

group make_group(const epilogue_kit& kit, int dx) {
    return {{duel_step(kit, kit.red_fan, dx), duel_step(kit, kit.red_spread, dx),
             duel_step(kit, kit.blue_fan, dx), duel_step(kit, kit.blue_spread, dx)}};
}

void add_groups(enemy* boss, path_kind path, const group& g, int times) {
    for (int i = 0; i < times; ++i)
        for (move_step* step : g.steps) add_step(boss, step, path);
}

enemy* new_duel_boss(const epilogue_kit& kit) {
    enemy* boss = new_enemy_of(kit.base, duel_boss, 601, 1, boss_spawn_ms);

    // Entry: in to x 271, then sweeps at each corner of a diamond.
    add_move(boss, entry_path, -5, 0, 66);
    add_move(boss, entry_path, 0, 0, 10);
    add_sweeps(boss, kit, 6);
    add_move(boss, entry_path, 5, 5, 20);
    add_sweeps(boss, kit, 6);
    add_move(boss, entry_path, -5, 5, 20);
    add_sweeps(boss, kit, 6);
    add_move(boss, entry_path, -5, -5, 20);
    add_sweeps(boss, kit, 6);
    add_move(boss, entry_path, 5, -5, 20);

    // Main, played once: down to y 101, volleys on the spot, then a sway.
    const group still = make_group(kit, 0);
    const group right_2 = make_group(kit, 2);
    const group left_2 = make_group(kit, -2);
    add_move(boss, main_path, 0, 5, 20);
    add_move(boss, main_path, 0, 0, 50);
    add_groups(boss, main_path, still, 11);
    add_move(boss, main_path, 5, 0, 10);
    add_groups(boss, main_path, still, 11);
    add_move(boss, main_path, -5, 0, 20);
    add_groups(boss, main_path, still, 11);
    add_move(boss, main_path, 5, 0, 10);
    add_groups(boss, main_path, right_2, 9);
    add_groups(boss, main_path, left_2, 18);
    add_groups(boss, main_path, right_2, 9);

    // Final, played once: a faster sway, then off by the right edge.
    const group right_3 = make_group(kit, 3);
    const group left_3 = make_group(kit, -3);
    add_groups(boss, final_path, right_3, 4);
    add_groups(boss, final_path, left_3, 8);
    add_groups(boss, final_path, right_3, 4);
    add_move(boss, final_path, 5, 0, 5000);
    return boss;
}

level_script build_epilogue(const asset_table& assets) {
    return build_boss_alone(make_kit(assets), new_duel_boss);
}

// The stage's own record: the bonus, recomputed every frame of play.
struct duel_state {
    int bonus;
};

// The stage's own end of a frame: the bonus, the time limit, flip and pace,
// and the end when the boss is down. The bonus is never below 0.
void duel_end_of_frame(level_run& run) {
    level_state& st = run.state;
    int& bonus = own_record<duel_state>(run).bonus;
    const Uint32 t = level_clock(run, platform_ticks());
    int hp = run.boss->ship->hit_points;
    bonus = hp;
    if (t >= time_limit_ms) {
        bonus = points_per_life * run.world->player->hit_points - hp;
        st.quit = 1;
    }
    if (bonus < 0) bonus = 0;
    if (hp < 0) hp = 0;
    platform_flip(run.screen);
    pace_frame(st, run.frame_ms);
    if (hp == 0) st.quit = 1;
    if (st.quit) platform_delay(100);
}

// The bonus replaces the score; no lives or kills bonus.
void duel_outro_bonus(level_run& run) { run.world->score = own_record<duel_state>(run).bonus; }

} // namespace

// The settings, packed by concern: music, backdrop, scrolling, boss, hooks.
// clang-format off
const level_config epilogue_config = {
    .title_card = slot_noir, .stage_music = slot_music_free, .boss_music = no_slot,
    .music_before_wait = true,
    .backdrop = backdrop_kind::scrolling, .first_picture = slot_level_end,
    .outro_picture = slot_level_end_vieux, .third_step_from_ms = 0,
    .warning_time = never, .boss_bar_scale = 0.0,
    .hud_frame = slot_contour2, .fixed_lives = 1000, .player_colour = 10,
    .build = build_epilogue, .make_own = make_own_record<duel_state>,
    .end_of_frame = duel_end_of_frame, .outro_bonus = duel_outro_bonus};
// clang-format on
