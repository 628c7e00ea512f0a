// The epilogue: an 80-second duel with one boss that sweeps rings of bullets,
// sways and finally leaves by the right edge. The stage pays a bonus instead
// of a score: the damage done, less ten points per life lost.
#include <array>
#include <cstddef>

#include "engine/level_engine.h"
#include "engine/level_run.h"
#include "engine/timeline.h"
#include "levels/boss_table.h"
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

using enum bullet_colour;
constexpr launch_point gun[] = {{41, 80}};
constexpr int red_kind = 0, blue_kind = 1;
constexpr int widest_ring = 9;

// A ring at angle k: four directions, each shot twice on the same spot; red
// rings at 0 and above, blue ones below.
// clang-format off
template <bullet_colour look, int kind> constexpr auto rings_of() {
    constexpr launch_point at = gun[0];
    constexpr turning_bullet rows[] = {
        {look, at, {1, 0}, {0, 4}, {}, kind}, {look, at, {1, 0}, {0, -4}, {}, kind},
        {look, at, {0, 1}, {4, 0}, {}, kind}, {look, at, {0, 1}, {-4, 0}, {}, kind},
        {look, at, {1, 0}, {0, 4}, {}, kind}, {look, at, {1, 0}, {0, -4}, {}, kind},
        {look, at, {0, 1}, {4, 0}, {}, kind}, {look, at, {0, 1}, {-4, 0}, {}, kind}};
    return fan_angles<widest_ring>(rows);
}
// clang-format on
constexpr auto red_rings = rings_of<large_red, red_kind>();
constexpr auto blue_rings = rings_of<large_blue, blue_kind>();
constexpr auto ring_at = [] {
    auto rings = red_rings;
    for (int k = -widest_ring; k < 0; ++k) rings[k + widest_ring] = blue_rings[k + widest_ring];
    return rings;
}();
// A sweep fires rings k = 9 down to -9, then back up through -8 .. 8: one
// 2-frame volley each.
constexpr auto ring_sweep = swing<widest_ring>(ring_at, 2);

// Fans and spreads, red then blue.
constexpr launch_speed fan[] = {{0, 2}, {3, 2}, {-3, 2}, {0, -2}, {0, 2}, {3, 2}, {-3, 2}, {0, -2}};
constexpr launch_speed spread[] = {{0, 2}, {1, 2},  {2, 2},  {3, 2},
                                   {0, 2}, {-1, 2}, {-2, 2}, {-3, 2}};
constexpr auto red_fan = from_each_gun(large_red, gun, fan, {}, red_kind);
constexpr auto red_spread = from_each_gun(large_red, gun, spread, {}, red_kind);
constexpr auto blue_fan = from_each_gun(large_blue, gun, fan, {}, blue_kind);
constexpr auto blue_spread = from_each_gun(large_blue, gun, spread, {}, blue_kind);

// A group: red fan, red spread, blue fan, blue spread, 2 frames each, all
// moving dx.
constexpr std::array<path_row, 4> group(int dx) {
    return {volley(red_fan, 2, dx), volley(red_spread, 2, dx), volley(blue_fan, 2, dx),
            volley(blue_spread, 2, dx)};
}
constexpr auto still = group(0);
constexpr auto right_2 = group(2), left_2 = group(-2);
constexpr auto right_3 = group(3), left_3 = group(-3);

// Entry: in to x 271, then sweeps at each corner of a diamond.
constexpr path_row entry[] = {
    walk(-5, 0, 66),       rest(10),        repeat(ring_sweep, 6), walk(5, 5, 20),
    repeat(ring_sweep, 6), walk(-5, 5, 20), repeat(ring_sweep, 6), walk(-5, -5, 20),
    repeat(ring_sweep, 6), walk(5, -5, 20)};
// Main, played once: down to y 101, volleys on the spot, then a sway.
constexpr path_row main_phase[] = {walk(0, 5, 20),     rest(50),          repeat(still, 11),
                                   walk(5, 0, 10),     repeat(still, 11), walk(-5, 0, 20),
                                   repeat(still, 11),  walk(5, 0, 10),    repeat(right_2, 9),
                                   repeat(left_2, 18), repeat(right_2, 9)};
// Final, played once: a faster sway, then off by the right edge.
constexpr path_row final_phase[] = {repeat(right_3, 4), repeat(left_3, 8), repeat(right_3, 4),
                                    walk(5, 0, 5000)};

level_script build_epilogue(const asset_table& assets) {
    return build_boss_alone(make_level_kit(assets), boss_of<epilogue_boss, level_kit>);
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

// clang-format off
constexpr boss_record epilogue_boss{.kind = &duel_boss, .x = 601, .y = 1, .spawn_ms = boss_spawn_ms,
    .entry = entry, .main = main_phase, .final_phase = final_phase};
// clang-format on

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
