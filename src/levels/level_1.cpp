// Level 1, the sky: ghosts from behind both side panels, fairies sweeping the
// field with star volleys, twin-engined planes, and a large plane as boss.
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
    .title_card = slot_level_card_first, .stage_music = slot_music_prayer,
    .boss_music = slot_music_boss,
    .backdrop = backdrop_kind::scrolling, .first_picture = slot_ciel, .second_picture = slot_ciel1,
    .switch_ms = 42000, .flash_picture = slot_blanc, .outro_picture = slot_ciel_vieux,
    .warning_time = 105000, .boss_bar_scale = 0.0946};
// clang-format on

// Each kind a packed record.
// clang-format off
// The first pair is "FEE1" with 50 hit points; the tag and hit points vary.
constexpr enemy_kind fairy{.tag = "FEE", .picture = slot_fee1, .second_picture = slot_fee2,
    .flash_picture = slot_fee1_flash, .second_flash_picture = slot_fee2_flash, .size = {45, 74},
    .hit_points = 25, .shot_slots = 500, .colour = 1,
    .explosion = {slot_explosion1, 16, 40, 64, 64}, .reach = {20, 32}, .score = 50,
    .alt_explosion = slot_explosion8};

constexpr enemy_kind boss_plane{.tag = "BOSS", .picture = slot_boss_plane,
    .second_picture = slot_boss_plane1, .flash_picture = slot_boss_plane_flash,
    .second_flash_picture = slot_boss_plane1_flash, .size = {234, 217}, .hit_points = 750,
    .shot_slots = 500, .colour = 0, .explosion = {slot_explosion_boss1, 16, 60, 192, 192},
    .reach = {75, 4}, .score = 500, .hold_main = 1, .final_mode = final_repeat};
// clang-format on

struct level_1_kit {
    level_kit base;
    shot_pattern ghost_fan, blue_ghost_fan, fairy_star, twin_ring;
};

level_1_kit make_kit(const asset_table& assets) {
    const bullet_looks b = catalogue_bullets(assets);
    level_1_kit kit{};
    kit.base = make_level_kit(assets);
    kit.ghost_fan = ghost_fan(b.small_red);
    kit.blue_ghost_fan = ghost_fan(b.small_blue);
    kit.fairy_star = make_pattern({{b.small_blue, {15, 26}, {0, 3}},
                                   {b.small_blue, {15, 26}, {3, 3}},
                                   {b.small_blue, {15, 26}, {-3, 3}},
                                   {b.small_blue, {15, 26}, {0, -3}},
                                   {b.small_blue, {15, 26}, {-3, -3}},
                                   {b.small_blue, {15, 26}, {3, -3}}});
    kit.twin_ring = make_pattern({{b.small_green, {42, 72}, {0, 2}},
                                  {b.small_green, {42, 72}, {0, -2}},
                                  {b.small_green, {42, 72}, {3, 0}},
                                  {b.small_green, {42, 72}, {-3, 0}},
                                  {b.small_green, {42, 72}, {3, 2}},
                                  {b.small_green, {42, 72}, {-3, 2}},
                                  {b.small_green, {42, 72}, {3, -2}},
                                  {b.small_green, {72, 72}, {-3, -2}}});
    return kit;
}

// Members 0 to 5 of a side row fly in from behind a side panel, fire once
// and leave.
enemy* side_ghost(const level_1_kit& kit, const wave<level_1_kit>& row, const wave_member& m) {
    const int k = m.index;
    const entry_plan plan = plan_side_entry(*row.entry, k);
    enemy* e = new_enemy_of(kit.base, *row.kind, plan.x, plan.y, m.spawn_ms);
    add_side_entry(e, plan);
    add_step(e, fire_step(kit.base, kit.*row.fires, 10), main_path);
    const int side = plan.side;
    if (k < 4)
        add_move(e, main_path, 0, 2, 50);
    else
        add_move(e, main_path, 2 * side, 0, 50);
    // Members 0 and 1 turn back out flat; 2 and 3 dive back out; 4 and 5 dive on.
    const int out_dx = k < 4 ? -2 * side : 2 * side;
    add_move(e, final_path, out_dx, k < 2 ? 0 : 2, 5000);
    return e;
}

// Members 0 to 5 fly in from the side panels, 6 to 11 rise from below.
enemy* side_or_rising(const level_1_kit& kit, const wave<level_1_kit>& row, const wave_member& m) {
    if (m.index < 6) return side_ghost(kit, row, m);
    return rising_ghost(kit.base, kit.*row.fires, m.index, m.spawn_ms);
}

// A fairy crosses the top from its side, sweeps the field back and forth
// with star volleys and leaves the way it came.
enemy* new_fairy(const level_1_kit& kit, bool left, const char* tag, int hit_points, int spawn_ms) {
    enemy_kind kind = fairy;
    kind.tag = tag;
    kind.hit_points = hit_points;
    const int x = left ? field_x - kind.size.w : field_end_x;
    enemy* e = new_enemy_of(kit.base, kind, x, 0, spawn_ms);
    const int in = left ? 1 : -1; // the way it crosses on entry
    add_move(e, entry_path, 5 * in, 0, 74);
    add_move(e, entry_path, 0, 5, 16);
    move_step* back = fire_step(kit.base, kit.fairy_star, 9, -3 * in, 0);
    move_step* forth = fire_step(kit.base, kit.fairy_star, 9, 3 * in, 0);
    add_steps(e, main_path, back, 13);
    add_steps(e, main_path, forth, 13);
    add_steps(e, main_path, back, 13);
    add_steps(e, main_path, forth, 13);
    add_move(e, main_path, 0, 0, 50);
    add_move(e, final_path, -5 * in, 0, 5000);
    return e;
}

// The first pair is tagged FEE1 on the left and takes 50 hit points each.
enemy* first_fairy_left(const level_1_kit& kit, const wave<level_1_kit>&, const wave_member& m) {
    return new_fairy(kit, true, "FEE1", 50, m.spawn_ms);
}
enemy* first_fairy_right(const level_1_kit& kit, const wave<level_1_kit>&, const wave_member& m) {
    return new_fairy(kit, false, "FEE", 50, m.spawn_ms);
}

// A later pair: left then right, the right one due 2 s after its partner (a
// row has one time a group; the queue holds the left one until the right
// one's time, so the two leave together).
enemy* later_fairy(const level_1_kit& kit, const wave<level_1_kit>&, const wave_member& m) {
    const bool left = m.index == 0;
    return new_fairy(kit, left, "FEE", 25, m.spawn_ms + (left ? 0 : 2000));
}

// Planes cross from alternate sides, the last one the player meets from the
// right, climbing then diving under ring volleys.
enemy* crossing_twin_plane(const level_1_kit& kit, const wave<level_1_kit>& row,
                           const wave_member& m) {
    const bool from_right = (row.groups - 1 - m.group) % 2 == 0;
    const int y_draw = random_below(40);
    const int x = from_right ? field_end_x + 10 : field_x - twin_plane.size.w;
    enemy* e = new_enemy_of(kit.base, twin_plane, x, 92 + y_draw, m.spawn_ms);
    const int in = from_right ? -1 : 1;
    add_move(e, entry_path, 2 * in, 0, 50);
    add_steps(e, main_path, fire_step(kit.base, kit.twin_ring, 9, 2 * in, -2), 5);
    add_steps(e, main_path, fire_step(kit.base, kit.twin_ring, 10, 3 * in, 4), 10);
    add_move(e, final_path, 2 * in, 0, 5000);
    return e;
}

constexpr side_row_shape blue_wave_shape{
    {15, 15, 80, 80, 80, 80}, {20, 20, 60, 60, 100, 100}, true};

using kit = level_1_kit;
// clang-format off
constexpr wave<kit> waves[] = {
    // first ms, every ms, groups, members, kind, entry, fires, path
    {2000,  1000,  7,  6, &ghost,      &side_rows,       &kit::ghost_fan,      side_ghost},
    {12000, 1000, 18, 12, &ghost,      &side_rows_open,  &kit::ghost_fan,      side_or_rising},
    {31000, 0,     1,  1, &fairy,      nullptr,          &kit::fairy_star,     first_fairy_left},
    {31000, 0,     1,  1, &fairy,      nullptr,          &kit::fairy_star,     first_fairy_right},
    {34500, 1000,  7,  6, &blue_ghost, &blue_wave_shape, &kit::blue_ghost_fan, side_ghost},
    {44000, 2000, 12,  1, &twin_plane, nullptr,          &kit::twin_ring,      crossing_twin_plane},
    {72000, 3000,  6,  2, &fairy,      nullptr,          &kit::fairy_star,     later_fairy},
};
// clang-format on
constexpr int enemy_total = 327;
static_assert(wave_enemies(waves) + 1 == enemy_total);

// The boss: sprays from under its nose while swinging in, fans from its nose
// and wings, then the big fan from the top while it circles.
using enum bullet_colour;
// clang-format off
constexpr bullet_spec boss_spray[] = {
    {small_red, {107, 166}, {0, 2}},  {small_red, {107, 166}, {2, 2}},
    {small_red, {107, 166}, {-2, 2}}, {small_red, {122, 166}, {0, 2}},
    {small_red, {122, 166}, {2, 2}},  {small_red, {122, 166}, {-2, 2}},
    {small_red, {107, 166}, {2, -2}}, {small_red, {107, 166}, {-2, -2}},
    {small_red, {122, 166}, {2, -2}}, {small_red, {122, 166}, {-2, -2}}};
constexpr bullet_spec boss_nose_fan[] = {
    {small_red, {112, 174}, {0, 2}}, {small_red, {112, 174}, {2, 2}},
    {small_red, {112, 174}, {-2, 2}}};
constexpr bullet_spec boss_wing_fans[] = {
    {small_blue, {56, 88}, {1, 2}},   {small_blue, {56, 88}, {2, 2}},
    {small_blue, {56, 88}, {3, 2}},   {small_blue, {170, 88}, {-1, 2}},
    {small_blue, {170, 88}, {-2, 2}}, {small_blue, {170, 88}, {-3, 2}}};
constexpr bullet_spec boss_green_fans[] = {
    {small_green, {87, 46}, {0, 2}},  {small_green, {87, 46}, {1, 2}},
    {small_green, {87, 46}, {-1, 2}}, {small_green, {138, 46}, {0, 2}},
    {small_green, {138, 46}, {1, 2}}, {small_green, {138, 46}, {-1, 2}}};
constexpr bullet_spec boss_big_fan[] = {
    {large_red, {108, 27}, {1, 2}},   {large_blue, {108, 27}, {2, 2}},
    {large_green, {108, 27}, {3, 2}}, {large_red, {108, 27}, {-1, 2}},
    {large_blue, {108, 27}, {-2, 2}}, {large_green, {108, 27}, {-3, 2}},
    {large_red, {108, 27}, {0, 3}}};

// Sprays while swinging left, right twice as far, and back.
constexpr path_row spray_swing[] = {
    volley(boss_spray, 10, -2, 0, 3), volley(boss_spray, 10, 2, 0, 6),
    volley(boss_spray, 10, -2, 0, 3)};
constexpr path_row entry[] = {
    walk(-4, 0, 75), rest(50), rest(100), volley(boss_spray, 10, 0, 0, 5), repeat(spray_swing, 2)};

// Nose, wings and green fans in turn while drifting dx.
constexpr path_row fans_left[] = {
    volley(boss_nose_fan, 10, -1), volley(boss_wing_fans, 10, -1), volley(boss_green_fans, 10, -1)};
constexpr path_row fans_right[] = {
    volley(boss_nose_fan, 10, 1), volley(boss_wing_fans, 10, 1), volley(boss_green_fans, 10, 1)};
constexpr path_row fans_swing[] = {repeat(fans_left, 3), repeat(fans_right, 6), repeat(fans_left, 3)};
constexpr path_row main_phase[] = {rest(50), repeat(fans_swing, 2)};

// Big fans round a triangle: left, up-right, down-right, left.
constexpr path_row big_fan_round[] = {
    volley(boss_big_fan, 10, -3, 0, 3), volley(boss_big_fan, 10, 3, -2, 3),
    volley(boss_big_fan, 10, 3, 2, 3), volley(boss_big_fan, 10, -3, 0, 3)};
constexpr path_row final_phase[] = {rest(50), repeat(big_fan_round, 5)};
// clang-format on

} // namespace

// clang-format off
constexpr boss_record level_1_boss{.kind = &boss_plane, .x = 503, .y = 61, .spawn_ms = 111000,
    .entry = entry, .main = main_phase, .final_phase = final_phase};
// clang-format on

const level_config level_1_config = with_build(
    settings, build_from_waves<make_kit, waves, boss_of<level_1_boss, level_1_kit>, enemy_total>);
