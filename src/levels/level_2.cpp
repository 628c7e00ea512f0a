// Level 2, the forest: ghosts from behind the side panels and from below,
// long planes with green volleys, wheels rolling across the field firing
// crosses, a claw swinging over the field for five laps, and a large forest
// creature as boss. The forest scrolls faster from 31 s on.
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
    .title_card = slot_level_card_first + 1, .stage_music = slot_music_forest,
    .boss_music = slot_music_boss,
    .backdrop = backdrop_kind::scrolling, .first_picture = slot_forest,
    .second_picture = slot_forest, .outro_picture = slot_forest_vieux, .third_step_from_ms = 31000,
    .warning_time = 131000, .boss_bar_scale = 0.0946};
// clang-format on

// Each kind a packed record.
// clang-format off
constexpr enemy_kind plane{.tag = "DIABLE", .picture = slot_forest_plane1,
    .second_picture = slot_forest_plane1a, .flash_picture = slot_forest_plane1b, .size = {124, 37},
    .hit_points = 5, .shot_slots = 6, .colour = 2, .explosion = {slot_explosion1, 16, 25, 64, 64},
    .reach = {46, 2}, .score = 10, .alt_explosion = slot_explosion9};

constexpr enemy_kind blue_wheel{.tag = "ROUE1", .picture = slot_forest_roue1,
    .second_picture = slot_forest_roue1a, .flash_picture = slot_forest_roue1b, .size = {30, 30},
    .hit_points = 5, .shot_slots = 500, .colour = 1, .explosion = {slot_explosion2, 16, 40, 32, 32},
    .reach = {12, 12}, .score = 50, .alt_explosion = slot_explosion6};

constexpr enemy_kind red_wheel{.tag = "ROUE1", .picture = slot_forest_roue1,
    .second_picture = slot_forest_roue1a1, .flash_picture = slot_forest_roue1b, .size = {30, 30},
    .hit_points = 5, .shot_slots = 500, .colour = 0, .explosion = {slot_explosion2, 16, 40, 32, 32},
    .reach = {12, 12}, .score = 50, .alt_explosion = slot_explosion5};

// hold_main 0: five laps of its main path, then it leaves, whatever its hit
// points.
constexpr enemy_kind claw{.tag = "Mouche", .picture = slot_forest_pince1,
    .second_picture = slot_forest_pince, .flash_picture = slot_forest_pince_flash,
    .size = {157, 120}, .hit_points = 350, .shot_slots = 500, .colour = 0,
    .explosion = {slot_explosion1, 16, 45, 64, 64}, .reach = {32, 32}, .score = 500,
    .anim_switch = 3, .anim_period = 6};

constexpr enemy_kind forest_boss{.tag = "BOSS", .picture = slot_forest_boss1,
    .second_picture = slot_forest_boss1a, .flash_picture = slot_forest_boss1b, .size = {228, 166},
    .hit_points = 750, .shot_slots = 500, .colour = 0,
    .explosion = {slot_explosion_boss1, 16, 60, 192, 192}, .reach = {100, 30}, .score = 1500,
    .hold_main = 1, .final_mode = final_repeat, .anim_switch = 3, .anim_period = 6};
// clang-format on

struct level_2_kit {
    level_kit base;
    shot_pattern ghost_fan, plane_guns, blue_wheel_cross, red_wheel_cross;
    shot_pattern claw_spray_a, claw_spray_b;
};

level_2_kit make_kit(const asset_table& assets) {
    const bullet_looks b = catalogue_bullets(assets);
    level_2_kit kit{};
    kit.base = make_level_kit(assets);
    kit.ghost_fan = ghost_fan(b.small_red);
    kit.plane_guns = make_pattern({{b.small_green, {39, 16}, {2, 3}},
                                   {b.small_green, {39, 16}, {-2, 3}},
                                   {b.small_green, {57, 9}, {2, 3}},
                                   {b.small_green, {57, 9}, {-2, 3}},
                                   {b.small_green, {77, 16}, {2, 3}},
                                   {b.small_green, {77, 16}, {-2, 3}}});
    auto cross = [](const bullet_look& look) {
        return make_pattern({{look, {11, 11}, {0, 2}},
                             {look, {11, 11}, {2, 2}},
                             {look, {11, 11}, {-2, 2}},
                             {look, {11, 11}, {0, -2}},
                             {look, {11, 11}, {-2, -2}},
                             {look, {11, 11}, {2, -2}}});
    };
    kit.blue_wheel_cross = cross(b.small_blue);
    kit.red_wheel_cross = cross(b.small_red);
    auto spray = [](const bullet_look& look, int left_x, int right_x, int y) {
        return make_pattern({{look, {left_x, y}, {0, 2}},
                             {look, {left_x, y}, {2, 2}},
                             {look, {left_x, y}, {-2, 2}},
                             {look, {right_x, y}, {0, 2}},
                             {look, {right_x, y}, {2, 2}},
                             {look, {right_x, y}, {-2, 2}}});
    };
    kit.claw_spray_a = spray(b.small_blue, 37, 120, 38);
    kit.claw_spray_b = spray(b.small_red, 59, 98, 51);

    return kit;
}

move_step* silent_step(const shot_pattern& pattern, int frames, int dx = 0, int dy = 0) {
    return fire(pattern, nullptr, frames, dx, dy);
}

// A wheel rolls across the field firing its cross every 9 frames, then rolls
// back out by the side it came from. h is the spread of its start heights.
enemy* wheel(const level_2_kit& kit, const enemy_kind& kind, const shot_pattern& cross,
             bool from_right, int h, int spawn_ms) {
    const int y_draw = random_below(h);
    const int x = from_right ? field_end_x : field_x - kind.size.w;
    enemy* e = new_enemy_of(kit.base, kind, x, 20 + y_draw, spawn_ms);
    const int in = from_right ? -1 : 1;
    add_move(e, entry_path, 3 * in, 0, 10);
    add_steps(e, main_path, fire_step(kit.base, cross, 9, 3 * in, 0), 13);
    add_move(e, final_path, -5 * in, 0, 1000);
    return e;
}

// A pair of wheels, the right one first: of the row's kind and cross, then a
// blue one from the left. The first pairs start within 150 pixels of the
// top, the later ones within 250.
enemy* wheel_pair(const level_2_kit& kit, const wave<level_2_kit>& row, const wave_member& m,
                  int h) {
    if (m.index == 0) return wheel(kit, *row.kind, kit.*row.fires, true, h, m.spawn_ms);
    return wheel(kit, blue_wheel, kit.blue_wheel_cross, false, h, m.spawn_ms);
}
enemy* first_wheels(const level_2_kit& kit, const wave<level_2_kit>& row, const wave_member& m) {
    return wheel_pair(kit, row, m, 150);
}
enemy* later_wheels(const level_2_kit& kit, const wave<level_2_kit>& row, const wave_member& m) {
    return wheel_pair(kit, row, m, 250);
}

// One sweep of the claw's lap: spray A, spray B (silent), then a glide.
void claw_sweep(const level_2_kit& kit, enemy* e, int dx, int times) {
    move_step* spray_a = fire_step(kit.base, kit.claw_spray_a, 2, dx, 0);
    move_step* spray_b = silent_step(kit.claw_spray_b, 2, dx, 0);
    move_step* glide = new_step(dx, 0, 12);
    for (int i = 0; i < times; ++i) {
        add_step(e, spray_a, main_path);
        add_step(e, spray_b, main_path);
        add_step(e, glide, main_path);
    }
}

enemy* new_claw(const level_2_kit& kit, const wave<level_2_kit>& row, const wave_member& m) {
    enemy* e = new_enemy_of(kit.base, *row.kind, field_end_x, 150, m.spawn_ms);
    add_move(e, entry_path, -5, 0, 52);
    add_move(e, entry_path, 0, 0, 10);
    move_step* spray_a = fire_step(kit.base, kit.claw_spray_a, 2);
    move_step* spray_b = silent_step(kit.claw_spray_b, 2);
    move_step* pause = new_step(0, 0, 9);
    for (int lap = 0; lap < 5; ++lap) {
        for (int i = 0; i < 10; ++i) {
            add_step(e, spray_a, main_path);
            add_step(e, spray_b, main_path);
            add_step(e, pause, main_path);
        }
        claw_sweep(kit, e, -3, 3);
        claw_sweep(kit, e, 3, 6);
        claw_sweep(kit, e, -3, 3);
    }
    add_move(e, final_path, 0, 0, 10);
    add_move(e, final_path, -5, 0, 100);
    return e;
}

// Members 0 to 5 of a plane row are planes from the side panels, 6 to 11
// ghosts rising from below.
enemy* plane_or_rising(const level_2_kit& kit, const wave<level_2_kit>& row, const wave_member& m) {
    if (m.index < 6) return side_planes(kit, row, m);
    return rising_ghost(kit.base, kit.ghost_fan, m.index, m.spawn_ms);
}

using kit = level_2_kit;
// clang-format off
constexpr wave<kit> waves[] = {
    // first ms, every ms, groups, members, kind, entry, fires, path, speed
    {2000,  1000,  7,  6, &ghost,      &side_rows,      &kit::ghost_fan,        drifting_ghosts},
    {12000, 2000,  9, 12, &plane,      &side_rows_open, &kit::plane_guns,       plane_or_rising, 2},
    {31000, 2000, 13,  2, &blue_wheel, nullptr,         &kit::blue_wheel_cross, first_wheels},
    {60000, 0,     1,  1, &claw,       nullptr,         nullptr,                new_claw},
    {80000, 2000,  9, 12, &plane,      &side_rows_open, &kit::plane_guns,       plane_or_rising, 5},
    {99000, 1500, 20,  2, &red_wheel,  nullptr,         &kit::red_wheel_cross,  later_wheels},
};
// clang-format on
constexpr int enemy_total = 326;
static_assert(wave_enemies(waves) + 1 == enemy_total);

// The boss: drops and fans from its six guns along its lower edge while it
// sweeps left and right.
using enum bullet_colour;
constexpr launch_point left_guns[] = {{7, 86}, {25, 73}, {41, 92}};
constexpr launch_point right_guns[] = {{168, 98}, {183, 74}, {201, 85}};
constexpr launch_point all_guns[] = {{7, 86}, {25, 73}, {41, 92}, {168, 98}, {183, 74}, {201, 85}};
// Red drops gather speed fastest; the blue fan leans inwards from each side.
constexpr auto boss_red_drops = from_each_gun(large_red, all_guns, {{0, 1}}, {0.0, 1.05});
constexpr auto boss_blue_fan =
    joined(from_each_gun(large_blue, left_guns, {{3, 1}}, {1.0, 1.03}),
           from_each_gun(large_blue, right_guns, {{-3, 1}}, {1.0, 1.03}));
constexpr auto boss_green_drops = from_each_gun(large_green, all_guns, {{0, 1}}, {1.0, 1.01});

// Volleys while sweeping left by `out` steps, right twice as far, and back.
constexpr std::array<path_row, 3> sweep(bullet_pattern pattern, int out) {
    return {volley(pattern, 10, -3, 0, out), volley(pattern, 10, 3, 0, 2 * out),
            volley(pattern, 10, -3, 0, out)};
}
constexpr auto red_sweep = sweep(boss_red_drops, 4);
constexpr auto blue_sweep = sweep(boss_blue_fan, 4);
constexpr auto blue_wide_sweep = sweep(boss_blue_fan, 6);
constexpr auto green_sweep = sweep(boss_green_drops, 5);

// A standing volley repeated, then a sweep.
constexpr path_row red_block[] = {volley(boss_red_drops, 10, 0, 0, 10), repeat(red_sweep, 1)};
constexpr path_row blue_block[] = {volley(boss_blue_fan, 10, 0, 0, 10), repeat(blue_wide_sweep, 1)};
constexpr path_row green_block[] = {volley(boss_green_drops, 10, 0, 0, 10), repeat(green_sweep, 1)};
constexpr path_row red_and_blue[] = {repeat(red_sweep, 1), repeat(blue_sweep, 1)};

// Starts above the screen, its bottom edge at y 0, and comes down.
constexpr path_row entry[] = {walk(0, 2, 150), rest(30), rest(100), repeat(red_block, 2)};
constexpr path_row main_phase[] = {repeat(blue_block, 2)};
constexpr path_row final_phase[] = {repeat(green_block, 2), rest(65),
                                    volley(boss_red_drops, 10, 0, 0, 10), repeat(red_and_blue, 2)};

} // namespace

// clang-format off
constexpr boss_record level_2_boss{.kind = &forest_boss, .x = 206, .y = -166, .spawn_ms = 137000,
    .entry = entry, .main = main_phase, .final_phase = final_phase};
// clang-format on

const level_config level_2_config = with_build(
    settings, build_from_waves<make_kit, waves, boss_of<level_2_boss, level_2_kit>, enemy_total>);
