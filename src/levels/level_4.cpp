// Level 4, the lava field: ghosts, long planes with falling arrows, three
// stars circling in triangles, bidules, lava balls, and a two-gunned boss
// that turns its fan from one side to the other.
#include "levels/boss_table.h"
#include "levels/level_kit.h"
#include "levels/levels.h"
#include "levels/shared_kinds.h"
#include "levels/wave_builder.h"
#include "support/rect_random.h"
#include "support/screen_geometry.h"

namespace {

// What the player sees and hears first: the title card, the music, the
// backdrop and when the warning sounds. The build is added at the end.
// clang-format off
constexpr level_config settings = {
    .title_card = slot_level_card_first + 3, .stage_music = slot_music_volcan,
    .boss_music = slot_music_boss4_5,
    .backdrop = backdrop_kind::scrolling, .first_picture = slot_lave, .second_picture = slot_lave,
    .outro_picture = slot_lave_gris, .third_step_from_ms = 75000,
    .warning_time = 133000, .boss_bar_scale = 0.07095};
// clang-format on

// Each kind a packed record.
// clang-format off
constexpr enemy_kind plane{.tag = "DIABLE", .picture = slot_forest_plane2,
    .second_picture = slot_forest_plane1c, .flash_picture = slot_forest_plane1b, .size = {124, 37},
    .hit_points = 5, .shot_slots = 6, .colour = 0, .explosion = {slot_explosion1, 16, 25, 64, 64},
    .reach = {46, 2}, .score = 10, .alt_explosion = slot_explosion7};

constexpr enemy_kind arrow{.tag = "Fleche", .picture = slot_lave_fleche1,
    .second_picture = slot_lave_fleche2, .size = {30, 24}, .hit_points = 4, .shot_slots = 1,
    .colour = 0, .explosion = {slot_explosion2, 16, 25, 32, 32}, .reach = {12, 10}, .score = 5,
    .alt_explosion = slot_explosion5};

// The three stars differ only by tag.
constexpr enemy_kind star{.tag = "Mouche", .picture = slot_lave_etoile1,
    .second_picture = slot_lave_etoile2, .flash_picture = slot_lave_etoile_flash, .size = {136, 80},
    .hit_points = 350, .shot_slots = 500, .colour = 0,
    .explosion = {slot_explosion1, 16, 45, 64, 64}, .reach = {55, 30}, .score = 500,
    .anim_switch = 3, .anim_period = 6};

constexpr enemy_kind bidule{.tag = "bidule", .picture = slot_lave_bidule1,
    .second_picture = slot_lave_bidule2, .size = {48, 47}, .hit_points = 4, .shot_slots = 1,
    .colour = 0, .explosion = {slot_explosion2, 16, 25, 32, 32}, .reach = {20, 20}, .score = 5,
    .alt_explosion = slot_explosion5};

// Balls from the right take 15 hit points, those from the left 5.
constexpr enemy_kind ball{.tag = "ROUE1", .picture = slot_lave_boule1,
    .second_picture = slot_lave_boule2, .flash_picture = slot_lave_boule_flash, .size = {30, 30},
    .hit_points = 15, .shot_slots = 500, .colour = 0,
    .explosion = {slot_explosion2, 16, 40, 32, 32}, .reach = {12, 12}, .score = 50,
    .alt_explosion = slot_explosion5};

constexpr enemy_kind lava_boss{.tag = "BOSS", .picture = slot_lave_boss1,
    .second_picture = slot_lave_boss2, .flash_picture = slot_lave_boss_flash, .size = {314, 344},
    .hit_points = 1000, .shot_slots = 500, .colour = 0,
    .explosion = {slot_explosion_boss1, 16, 60, 192, 192}, .reach = {81, 30}, .score = 3000,
    .hold_main = 1, .final_mode = final_repeat, .anim_switch = 3, .anim_period = 6};
// clang-format on

struct level_4_kit {
    level_kit base;
    shot_pattern ghost_fan, plane_guns, star_spray, ball_cross;
};

level_4_kit make_kit(const asset_table& assets) {
    const bullet_looks b = catalogue_bullets(assets);
    level_4_kit kit{};
    kit.base = make_level_kit(assets);
    kit.ghost_fan = ghost_fan(b.small_red);
    kit.plane_guns = make_pattern({{b.small_red, {39, 16}, {1, 3}},
                                   {b.small_red, {39, 16}, {-1, 3}},
                                   {b.small_red, {57, 9}, {1, 3}},
                                   {b.small_red, {57, 9}, {-1, 3}},
                                   {b.small_red, {77, 16}, {1, 3}},
                                   {b.small_red, {77, 16}, {-1, 3}}});
    // Star bullets speed up as they go.
    constexpr double spray_accel = 1.008;
    auto spray = [&](int x, int speed_x) {
        return accelerating_bullet(
            b.small_red,
            {.from = {x, 36}, .speed = {speed_x, 1}, .accel = {spray_accel, spray_accel}});
    };
    kit.star_spray = make_pattern(
        {spray(51, 0), spray(51, 1), spray(51, -1), spray(77, 0), spray(77, 1), spray(77, -1)});
    kit.ball_cross = make_pattern({{b.small_red, {11, 11}, {2, 2}},
                                   {b.small_red, {11, 11}, {-2, 2}},
                                   {b.small_red, {11, 11}, {2, -2}},
                                   {b.small_red, {11, 11}, {-2, -2}}});

    return kit;
}

// Arrows and bidules fall from the top in six lanes of 55 pixels.
constexpr int lane_width = 55;

// Members 0 to 5 of a plane row are planes from the side panels; 6 to 11 are
// arrows, one to a lane, that never fire.
enemy* plane_or_arrow(const level_4_kit& kit, const wave<level_4_kit>& row, const wave_member& m) {
    if (m.index < 6) return side_planes(kit, row, m);
    const int lane = m.index - 6;
    const int x_draw = random_below(lane_width);
    enemy* e = new_enemy_of(kit.base, arrow, field_x + lane_width * lane + x_draw, 0, m.spawn_ms);
    add_move(e, entry_path, 0, 4, 50);
    add_move(e, main_path, 0, 4, 500);
    return e;
}

// A leg of a star's triangle: `units` times a volley while moving 2 frames,
// then 8 more frames of the same motion, so one volley every 10 frames.
struct star_leg {
    int dx, dy, units;
};

enemy* tagged_star(const level_4_kit& kit, const char* tag, int x, int y, int spawn_ms) {
    enemy_kind kind = star;
    kind.tag = tag;
    return new_enemy_of(kit.base, kind, x, y, spawn_ms);
}

// Five laps of the triangle, then a pause and out to the side.
void add_laps_and_exit(const level_4_kit& kit, enemy* e, const star_leg (&lap)[3], int out_dx) {
    move_step* firing[3];
    move_step* gliding[3];
    for (int leg = 0; leg < 3; ++leg) {
        firing[leg] = fire_step(kit.base, kit.star_spray, 2, lap[leg].dx, lap[leg].dy);
        gliding[leg] = new_step(lap[leg].dx, lap[leg].dy, 8);
    }
    for (int round = 0; round < 5; ++round)
        for (int leg = 0; leg < 3; ++leg)
            for (int unit = 0; unit < lap[leg].units; ++unit) {
                add_step(e, firing[leg], main_path);
                add_step(e, gliding[leg], main_path);
            }
    add_move(e, final_path, 0, 0, 10);
    add_move(e, final_path, out_dx, 0, 100);
}

// The three stars: the first enters at the top right, the second lower down
// on the right, the third on the left.
enemy* new_star(const level_4_kit& kit, const wave<level_4_kit>&, const wave_member& m) {
    if (m.index == 0) {
        enemy* e = tagged_star(kit, "Mouche", 503, 5, m.spawn_ms);
        add_move(e, entry_path, -4, 0, 63);
        add_move(e, entry_path, 0, 0, 10);
        add_laps_and_exit(kit, e, {{-2, 2, 5}, {2, 0, 10}, {-2, -2, 5}}, -4);
        return e;
    }
    if (m.index == 1) {
        enemy* e = tagged_star(kit, "mouche1", 603, 205, m.spawn_ms);
        add_move(e, entry_path, -4, 0, 63);
        add_move(e, entry_path, 0, 0, 10);
        add_laps_and_exit(kit, e, {{-2, -2, 5}, {-2, 2, 5}, {2, 0, 10}}, 4);
        return e;
    }
    // Starts at x 1, just inside the screen's left edge.
    enemy* e = tagged_star(kit, "mouche2", 1, 205, m.spawn_ms);
    add_move(e, entry_path, 4, 0, 37);
    add_move(e, entry_path, 0, 0, 26);
    add_move(e, entry_path, 0, 0, 10);
    add_laps_and_exit(kit, e, {{2, 0, 10}, {-2, -2, 5}, {-2, 2, 5}}, -4);
    return e;
}

// A bidule drops into its lane, then veers right or left on a coin; it never
// fires.
enemy* new_bidule(const level_4_kit& kit, const wave<level_4_kit>& row, const wave_member& m) {
    const int coin = random_below(2);
    const int x_draw = random_below(lane_width);
    const int x = field_x + lane_width * m.index + x_draw;
    enemy* e = new_enemy_of(kit.base, *row.kind, x, 0, m.spawn_ms);
    add_move(e, entry_path, 0, 6, 50);
    add_move(e, entry_path, coin == 0 ? 3 : -3, 3, 500);
    return e;
}

// A pair of balls, right then left: each rolls in 10 + 9 n frames, fires
// twenty crosses and rolls back out.
enemy* new_ball(const level_4_kit& kit, const wave<level_4_kit>& row, const wave_member& m) {
    const bool from_right = m.index == 0;
    const int n = random_below(13);
    const int y_draw = random_below(250);
    enemy_kind kind = *row.kind;
    kind.hit_points = from_right ? 15 : 5;
    const int x = from_right ? field_end_x : field_x - kind.size.w;
    enemy* e = new_enemy_of(kit.base, kind, x, 20 + y_draw, m.spawn_ms);
    const int in = from_right ? -1 : 1;
    add_move(e, entry_path, 3 * in, 0, 10);
    add_steps(e, entry_path, new_step(3 * in, 0, 9), n);
    add_steps(e, main_path, fire_step(kit.base, kit.*row.fires, 9), 20);
    add_move(e, final_path, -5 * in, 0, 1000);
    return e;
}

using kit = level_4_kit;
// clang-format off
constexpr wave<kit> waves[] = {
    // first ms, every ms, groups, members, kind, entry, fires, path, speed
    {2000,  1000,  7,  6, &ghost,  &side_rows,      &kit::ghost_fan,  drifting_ghosts},
    {10000, 2000, 18, 12, &plane,  &side_rows_open, &kit::plane_guns, plane_or_arrow, 2},
    {48000, 0,     1,  3, &star,   nullptr,         &kit::star_spray, new_star},
    {68000, 1000,  7,  6, &ghost,  &side_rows,      &kit::ghost_fan,  drifting_ghosts},
    {77000, 1000, 18,  6, &bidule, nullptr,         nullptr,          new_bidule},
    {97000, 1000, 26,  2, &ball,   nullptr,         &kit::ball_cross, new_ball},
};
// clang-format on
constexpr int enemy_total = 464;
static_assert(wave_enemies(waves) + 1 == enemy_total);

// The boss: both guns fire crosses, then the fan turns from one side to the
// other and back, and drifting bullets follow it as it slides.
using enum bullet_colour;
constexpr launch_point right_gun = {256, 153}, left_gun = {42, 153};
constexpr launch_point both_guns[] = {right_gun, left_gun};

// The turning fan at angle a: red from the right gun, blue of kind 1 from the
// left, each at (a, 4), (a, -4), (4, a) and (-4, a).
// clang-format off
constexpr turning_bullet turning_fan[] = {
    {large_red, right_gun, {1, 0}, {0, 4}},     {large_red, right_gun, {1, 0}, {0, -4}},
    {large_red, right_gun, {0, 1}, {4, 0}},     {large_red, right_gun, {0, 1}, {-4, 0}},
    {large_blue, left_gun, {1, 0}, {0, 4}, {}, 1}, {large_blue, left_gun, {1, 0}, {0, -4}, {}, 1},
    {large_blue, left_gun, {0, 1}, {4, 0}, {}, 1}, {large_blue, left_gun, {0, 1}, {-4, 0}, {}, 1}};
// clang-format on
constexpr int fan_reach = 9;
constexpr auto fan_at = fan_angles<fan_reach>(turning_fan);
// 36 volleys two frames apart: angle 9 down to -9 and back up to 8.
constexpr auto fan_swing = swing<fan_reach>(fan_at, 2);

// Crosses and drifting bullets from both guns, the right gun first; drift
// bullets slowly gain vertical speed.
constexpr auto boss_cross_3 =
    from_each_gun(large_red, both_guns, {{3, 3}, {-3, 3}, {3, -3}, {-3, -3}}, {1.0, 1.0});
constexpr auto boss_drift =
    from_each_gun(large_red, both_guns, {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}}, {1.0, 1.01});
constexpr auto boss_cross_5 =
    from_each_gun(large_blue, both_guns, {{5, 5}, {-5, 5}, {5, -5}, {-5, -5}}, {1.0, 1.0});

// One block of a boss pass; it ends where it began.
constexpr std::array<path_row, 13> boss_block(bullet_pattern cross) {
    return {volley(cross, 10, 0, 0, 10),
            walk(0, 5, 10),
            volley(cross, 10, 0, 0, 10),
            walk(-5, -5, 10),
            rest(50),
            repeat(fan_swing, 1),
            walk(5, 0, 20),
            rest(50),
            repeat(fan_swing, 1),
            walk(-10, 0, 10),
            volley(boss_drift, 2, 5, 0, 10),
            volley(boss_drift, 2, -5, 0, 10),
            walk(5, 0, 10)};
}
constexpr auto block_3 = boss_block(boss_cross_3);
// The second phase: the same blocks with the faster blue crosses.
constexpr auto block_5 = boss_block(boss_cross_5);

constexpr path_row entry[] = {walk(-5, 0, 88), // to x 163
                              rest(30), rest(100), repeat(fan_swing, 5), rest(50)};
constexpr path_row main_phase[] = {repeat(block_3, 2)};
constexpr path_row final_phase[] = {repeat(block_5, 2)};

} // namespace

// clang-format off
constexpr boss_record level_4_boss{.kind = &lava_boss, .x = 603, .y = 1, .spawn_ms = 140000,
    .entry = entry, .main = main_phase, .final_phase = final_phase};
// clang-format on

const level_config level_4_config = with_build(
    settings, build_from_waves<make_kit, waves, boss_of<level_4_boss, level_4_kit>, enemy_total>);
