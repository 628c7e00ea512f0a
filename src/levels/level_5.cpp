// Level 5, the station: blue ghosts falling in, twin-engined planes, angels
// climbing from the right, the cuckoo, balls from both sides, and a boss that
// fills the field with rings of slow bullets.
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
    .title_card = slot_level_card_first + 4, .stage_music = slot_music_enterprise,
    .boss_music = slot_music_boss4_5,
    .backdrop = backdrop_kind::scrolling, .first_picture = slot_enterprise,
    .second_picture = slot_enterprise,
    .outro_picture = slot_enterprise_gris, .third_step_from_ms = 75000,
    .warning_time = 146000, .boss_bar_scale = 0.07095};
// clang-format on

// Each kind a packed record.
// clang-format off
// Five shot slots for three volleys of three: the later volleys thin out.
constexpr enemy_kind angel{.tag = "DIABLE", .picture = slot_enterprise_ange1,
    .second_picture = slot_enterprise_ange2, .flash_picture = slot_enterprise_ange_flash,
    .size = {80, 83}, .hit_points = 10, .shot_slots = 5, .colour = 2,
    .explosion = {slot_explosion2, 16, 25, 32, 32}, .reach = {30, 5}, .score = 15,
    .alt_explosion = slot_explosion4};

constexpr enemy_kind cuckoo{.tag = "Mouche", .picture = slot_enterprise_coucou1,
    .second_picture = slot_enterprise_coucou2, .flash_picture = slot_enterprise_coucou_flash,
    .size = {128, 139}, .hit_points = 250, .shot_slots = 500, .colour = 0,
    .explosion = {slot_explosion1, 16, 45, 64, 64}, .reach = {60, 5}, .score = 500,
    .anim_switch = 3, .anim_period = 6};

// Right balls are tougher (15 hit points); left ones take 5.
constexpr enemy_kind ball{.tag = "ROUE1", .picture = slot_lave_boule1,
    .second_picture = slot_lave_boule3, .flash_picture = slot_lave_boule_flash, .size = {30, 30},
    .hit_points = 15, .shot_slots = 500, .colour = 2,
    .explosion = {slot_explosion2, 16, 40, 32, 32}, .reach = {12, 12}, .score = 50,
    .alt_explosion = slot_explosion4};

constexpr enemy_kind station_boss{.tag = "BOSS", .picture = slot_enterprise_boss1,
    .second_picture = slot_enterprise_boss2, .flash_picture = slot_enterprise_boss_flash,
    .size = {225, 239}, .hit_points = 1000, .shot_slots = 500, .colour = 0,
    .explosion = {slot_explosion_boss1, 16, 60, 192, 192}, .reach = {100, 100}, .score = 6000,
    .hold_main = 1, .final_mode = final_repeat, .anim_switch = 3, .anim_period = 6};
// clang-format on

struct level_5_kit {
    level_kit base;
    shot_pattern blue_ghost_fan, duo_guns, angel_spray, cuckoo_guns, ball_star;
};

level_5_kit make_kit(const asset_table& assets) {
    const bullet_looks b = catalogue_bullets(assets);
    level_5_kit kit{};
    kit.base = make_level_kit(assets);
    kit.blue_ghost_fan = ghost_fan(b.small_blue);
    kit.duo_guns = make_pattern({{b.small_green, {42, 72}, {3, 0}},
                                 {b.small_green, {42, 72}, {-3, 0}},
                                 {b.small_green, {42, 72}, {3, 2}},
                                 {b.small_green, {42, 72}, {-3, 2}}});
    kit.angel_spray = make_pattern({{b.small_green, {14, 75}, {1, 1}, {1.015, 1.015}},
                                    {b.small_green, {14, 75}, {-1, 1}, {1.015, 1.015}},
                                    {b.small_green, {14, 75}, {0, 1}, {1.015, 1.015}}});
    kit.cuckoo_guns = make_pattern({{b.small_red, {43, 41}, {1, 1}, {1.008, 1.008}},
                                    {b.small_red, {43, 41}, {-1, 1}, {1.008, 1.008}},
                                    {b.small_red, {90, 41}, {1, 1}, {1.008, 1.008}},
                                    {b.small_red, {90, 41}, {-1, 1}, {1.008, 1.008}},
                                    {b.large_red, {62, 40}, {0, 1}, {1.015, 1.015}}});
    kit.ball_star = make_pattern({{b.small_green, {11, 11}, {2, 2}},
                                  {b.small_green, {11, 11}, {-2, 2}},
                                  {b.small_green, {11, 11}, {2, -2}},
                                  {b.small_green, {11, 11}, {-2, -2}},
                                  {b.small_green, {11, 11}, {0, 2}},
                                  {b.small_green, {11, 11}, {0, -2}},
                                  {b.small_green, {11, 11}, {-2, 0}},
                                  {b.small_green, {11, 11}, {2, 0}}});
    return kit;
}

using kit = level_5_kit;
using row_of = wave<level_5_kit>;

// Ghost k of a row drops in at a random x in its sixth of the field and fans
// out, drifting away from the side it started nearest to.
enemy* falling_ghost(const level_5_kit& kit, const row_of& row, const wave_member& m) {
    constexpr int lane_width = 65;
    const int k = m.index;
    const int x_draw = random_below(30);
    const int fall_draw = random_below(30);
    enemy* e = new_enemy_of(kit.base, *row.kind, field_x + lane_width * k + x_draw, 0, m.spawn_ms);
    const int drift_x = k < 3 ? 1 : -1;
    add_move(e, entry_path, 0, 4, 15 + fall_draw);
    add_step(e, fire_step(kit.base, kit.*row.fires, 10), main_path);
    add_move(e, main_path, drift_x, 5, 50);
    add_move(e, final_path, drift_x, 5, 5000);
    return e;
}

// Twin planes sink through the field firing every 10 frames.
enemy* new_twin_plane(const level_5_kit& kit, int x, int entry_dx, int entry_frames, int spawn_ms) {
    enemy* e = new_enemy_of(kit.base, twin_plane, x, 0, spawn_ms);
    add_move(e, entry_path, entry_dx, 0, entry_frames);
    add_steps(e, main_path, fire_step(kit.base, kit.duo_guns, 10, 0, 3), 20);
    add_move(e, final_path, 0, 3, 5000);
    return e;
}

// A pair of twin planes, right then left. The first pairs slide in by a
// length each draws just before it is made; the later ones by a fixed one.
enemy* first_twins(const level_5_kit& kit, const row_of&, const wave_member& m) {
    if (m.index == 0) {
        const int right_draw = random_below(30);
        return new_twin_plane(kit, field_end_x + 10, -4, 30 + right_draw, m.spawn_ms);
    }
    const int left_draw = random_below(30);
    return new_twin_plane(kit, field_x - twin_plane.size.w, 4, 30 + left_draw, m.spawn_ms);
}

enemy* later_twins(const level_5_kit& kit, const row_of&, const wave_member& m) {
    if (m.index == 0) return new_twin_plane(kit, field_end_x + 13, -5, 21, m.spawn_ms);
    return new_twin_plane(kit, field_x - twin_plane.size.w - 3, 5, 19, m.spawn_ms);
}

// Angel a of a row climbs in from the right, fires three sprays and dives
// away to the lower left.
enemy* new_angel(const level_5_kit& kit, const row_of& row, const wave_member& m) {
    static constexpr int y_base[3] = {250, 200, 150};
    static constexpr int climb_range[3] = {20, 20, 15};
    const int a = m.index;
    const int y_draw = random_below(40);
    const int climb_draw = random_below(climb_range[a]);
    enemy* e = new_enemy_of(kit.base, *row.kind, 512, y_base[a] + y_draw, m.spawn_ms);
    add_move(e, entry_path, -5, -5, 20 + climb_draw);
    add_steps(e, main_path, fire_step(kit.base, kit.*row.fires, 10), 3);
    add_move(e, main_path, -3, 5, 50);
    add_move(e, final_path, -3, 5, 5000);
    return e;
}

// One leg of the cuckoo's lap: a volley while moving 2 frames, then 8 more
// frames of the same motion, `times` times.
void cuckoo_leg(enemy* e, move_step* volley, move_step* glide, int times) {
    for (int i = 0; i < times; ++i) {
        add_step(e, volley, main_path);
        add_step(e, glide, main_path);
    }
}

enemy* new_cuckoo(const level_5_kit& kit, const row_of& row, const wave_member& m) {
    enemy* e = new_enemy_of(kit.base, *row.kind, 503, 142, m.spawn_ms);
    add_move(e, entry_path, -5, 0, 51);
    add_move(e, entry_path, 0, 0, 10);
    move_step* stand = fire_step(kit.base, kit.cuckoo_guns, 10);
    move_step* volley_left = fire_step(kit.base, kit.cuckoo_guns, 2, -4, 0);
    move_step* glide_left = new_step(-4, 0, 8);
    move_step* volley_right = fire_step(kit.base, kit.cuckoo_guns, 2, 4, 0);
    move_step* glide_right = new_step(4, 0, 8);
    for (int lap = 0; lap < 5; ++lap) {
        add_steps(e, main_path, stand, 5);
        cuckoo_leg(e, volley_left, glide_left, 5);
        cuckoo_leg(e, volley_right, glide_right, 10);
        cuckoo_leg(e, volley_left, glide_left, 5);
    }
    add_move(e, final_path, 0, 0, 10);
    add_move(e, final_path, -5, 0, 100);
    return e;
}

// A pair of balls, right then left: each rolls in from its side in n + 1
// stages, stands firing stars, then rolls back out.
enemy* new_ball(const level_5_kit& kit, const row_of& row, const wave_member& m) {
    const bool from_right = m.index == 0;
    const int stages = random_below(13);
    const int y_draw = random_below(250);
    enemy_kind kind = *row.kind;
    kind.hit_points = from_right ? 15 : 5;
    const int x = from_right ? field_end_x + 3 : field_x - kind.size.w;
    enemy* e = new_enemy_of(kit.base, kind, x, 20 + y_draw, m.spawn_ms);
    const int in = from_right ? -1 : 1;
    add_move(e, entry_path, 3 * in, 0, 10);
    add_steps(e, entry_path, new_step(3 * in, 0, 9), stages);
    add_steps(e, main_path, fire_step(kit.base, kit.*row.fires, 9), 20);
    add_move(e, final_path, -5 * in, 0, 1000);
    return e;
}

// clang-format off
constexpr row_of waves[] = {
    // first ms, every ms, groups, members, kind, entry, fires, path
    {2000,   1000,  7, 6, &blue_ghost, nullptr, &kit::blue_ghost_fan, falling_ghost},
    {10000,  2000, 12, 2, &twin_plane, nullptr, &kit::duo_guns,       first_twins},
    {35000,  1000, 14, 3, &angel,      nullptr, &kit::angel_spray,    new_angel},
    {53000,  0,     1, 1, &cuckoo,     nullptr, &kit::cuckoo_guns,    new_cuckoo},
    {74000,  2000, 12, 2, &twin_plane, nullptr, &kit::duo_guns,       later_twins},
    {102000, 1000, 26, 2, &ball,       nullptr, &kit::ball_star,      new_ball},
    {134000, 1000,  7, 6, &blue_ghost, nullptr, &kit::blue_ghost_fan, falling_ghost},
};
// clang-format on
constexpr int enemy_total = 228;
static_assert(wave_enemies(waves) + 1 == enemy_total);

// The boss: rings of eight large shots from its gun, eighteen to a volley,
// while it sweeps left and right.
using enum bullet_colour;

// Eight large shots from the boss's gun: the four straight directions in the
// first colour, then the four diagonals in the second.
constexpr std::array<bullet_spec, 8> ring(bullet_colour straight, bullet_colour diagonal, int s,
                                          accel_factors accel) {
    constexpr launch_point gun = {103, 118};
    return {{{straight, gun, {0, s}, accel},
             {straight, gun, {0, -s}, accel},
             {straight, gun, {s, 0}, accel},
             {straight, gun, {-s, 0}, accel},
             {diagonal, gun, {s, s}, accel},
             {diagonal, gun, {-s, s}, accel},
             {diagonal, gun, {s, -s}, accel},
             {diagonal, gun, {-s, -s}, accel}}};
}

enum ring_name { ring_a, ring_b, ring_c, ring_d, ring_e, ring_f, ring_g, ring_h, ring_i, ring_j };
constexpr std::array<std::array<bullet_spec, 8>, 10> rings = {
    ring(large_red, large_blue, 1, {1.0, 1.015}),
    ring(large_red, large_blue, 1, {1.015, 1.0}),
    ring(large_green, large_green, 1, {1.0, 1.03}),
    ring(large_green, large_green, 1, {1.03, 1.0}),
    ring(large_blue, large_blue, 1, {1.02, 1.02}),
    ring(large_red, large_red, 1, {1.015, 1.015}),
    ring(large_red, large_blue, 2, {1.0, 1.01}),
    ring(large_red, large_blue, 3, {1.001, 1.0}),
    ring(large_green, large_green, 4, {1.0, 1.001}),
    ring(large_green, large_green, 1, {1.05, 1.05})};

// The volley: eighteen rings two frames apart, standing still.
constexpr auto ring_volley = volleys_in_order(
    rings,
    std::to_array<int>({ring_a, ring_g, ring_b, ring_h, ring_c, ring_i, ring_d, ring_j, ring_e,
                        ring_f, ring_e, ring_d, ring_c, ring_b, ring_g, ring_h, ring_i, ring_j}),
    2);

// A sweep: out to the left by `reach` frames, across to the right and back
// again, with ten volleys at each stop; it ends where it began.
constexpr std::array<path_row, 6> sweep(int speed, int reach) {
    return {walk(-speed, 0, reach),  repeat(ring_volley, 10), walk(speed, 0, 2 * reach),
            repeat(ring_volley, 10), walk(-speed, 0, reach),  repeat(ring_volley, 10)};
}
constexpr auto main_wide = sweep(5, 14);
constexpr auto main_narrow = sweep(5, 7);
constexpr auto final_wide = sweep(10, 7);
constexpr auto final_narrow = sweep(10, 3);
// A wide sweep then a narrow one.
constexpr path_row main_block[] = {repeat(main_wide, 1), repeat(main_narrow, 1)};
constexpr path_row final_block[] = {repeat(final_wide, 1), repeat(final_narrow, 1)};

constexpr path_row entry[] = {walk(-5, 0, 59), rest(30), rest(100), repeat(ring_volley, 10),
                              rest(30)};
// A path holds 1000 steps: the main phase asks for more blocks than fit and
// the surplus is dropped, cutting the last volley.
constexpr path_row main_phase[] = {repeat(main_block, 5)};
constexpr path_row final_phase[] = {repeat(final_block, 2)};

} // namespace

// clang-format off
constexpr boss_record level_5_boss{.kind = &station_boss, .x = 503, .y = 40, .spawn_ms = 152000,
    .entry = entry, .main = main_phase, .final_phase = final_phase};
// clang-format on

const level_config level_5_config = with_build(
    settings, build_from_waves<make_kit, waves, boss_of<level_5_boss, level_5_kit>, enemy_total>);
