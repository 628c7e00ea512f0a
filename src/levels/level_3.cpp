// Level 3, the cave: bats crossing the field diagonally, blue ghosts dropping
// from the top, beetles crawling in from all four edges with three-shot fans,
// and a cave monster as boss, over the animated cave instead of a sky.
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
    .title_card = slot_level_card_first + 2, .stage_music = slot_music_grotte,
    .boss_music = slot_music_boss,
    .backdrop = backdrop_kind::animated, .first_picture = slot_cave_first, .outro_picture = no_slot,
    .ship_start_y = 300, .intro_stop_y = 300, .warning_time = 102000, .boss_bar_scale = 0.0946};
// clang-format on

// Each kind a packed record.
// clang-format off
constexpr enemy_kind bat{.tag = "DIABLE", .picture = slot_grotte_chauve1,
    .second_picture = slot_grotte_chauve2, .size = {110, 36}, .hit_points = 2, .shot_slots = 2,
    .colour = 0, .explosion = {slot_explosion1, 16, 25, 64, 64}, .reach = {50, 15}, .score = 1,
    .alt_explosion = slot_explosion7};

// The four beetles differ only in their pictures and size: each faces the
// way it crawls in.
constexpr enemy_kind beetle{.tag = "VER", .picture = slot_grotte_scarab,
    .second_picture = slot_grotte_scarab1, .size = {48, 39}, .hit_points = 2, .shot_slots = 6,
    .colour = 1, .explosion = {slot_explosion2, 16, 25, 32, 32}, .reach = {20, 16}, .score = 10,
    .alt_explosion = slot_explosion6};

constexpr enemy_kind beetle_from(int picture, int second_picture, int w, int h) {
    enemy_kind kind = beetle;
    kind.picture = picture;
    kind.second_picture = second_picture;
    kind.size = {w, h};
    return kind;
}

constexpr enemy_kind beetle_below = beetle_from(slot_grotte_scarab, slot_grotte_scarab1, 48, 39);
constexpr enemy_kind beetle_above = beetle_from(slot_grotte_scarah, slot_grotte_scarah1, 48, 39);
constexpr enemy_kind beetle_left = beetle_from(slot_grotte_scarag, slot_grotte_scarag1, 39, 49);
constexpr enemy_kind beetle_right = beetle_from(slot_grotte_scarad, slot_grotte_scarad1, 39, 49);

constexpr enemy_kind cave_monster{.tag = "BOSS", .picture = slot_grotte_boss1,
    .second_picture = slot_grotte_boss1a, .flash_picture = slot_grotte_boss1_flash,
    .size = {200, 200}, .hit_points = 750, .shot_slots = 500, .colour = 0,
    .explosion = {slot_explosion_boss1, 16, 60, 192, 192}, .reach = {60, 50}, .score = 2500,
    .hold_main = 1, .final_mode = final_repeat, .anim_switch = 5, .anim_period = 10};
// clang-format on

struct level_3_kit {
    level_kit base;
    shot_pattern blue_ghost_fan;
    shot_pattern beetle_fan_up, beetle_fan_down, beetle_fan_left, beetle_fan_right;
};

// Three small blue shots from the beetle's mandibles, gathering speed.
shot_pattern beetle_fan(const bullet_looks& b, int x, int y, int sx0, int sy0, int sx1, int sy1,
                        int sx2, int sy2) {
    constexpr double a = 1.015;
    return make_pattern({{b.small_blue, {x, y}, {sx0, sy0}, {a, a}},
                         {b.small_blue, {x, y}, {sx1, sy1}, {a, a}},
                         {b.small_blue, {x, y}, {sx2, sy2}, {a, a}}});
}

level_3_kit make_kit(const asset_table& assets) {
    const bullet_looks b = catalogue_bullets(assets);
    level_3_kit kit{};
    kit.base = make_level_kit(assets);
    kit.blue_ghost_fan = ghost_fan(b.small_blue);
    kit.beetle_fan_up = beetle_fan(b, 20, 1, 0, -1, -1, -1, 1, -1);
    kit.beetle_fan_down = beetle_fan(b, 20, 29, 0, 1, -1, 1, 1, 1);
    kit.beetle_fan_left = beetle_fan(b, 1, 20, -1, 0, -1, -1, -1, 1);
    kit.beetle_fan_right = beetle_fan(b, 29, 20, 1, 0, 1, -1, 1, 1);
    return kit;
}

// Member k of a bat row: 0 and 1 from the top, 2 and 3 from the bottom, the
// even ones from the right half flying left. Bats never fire.
enemy* new_bat(const level_3_kit& kit, const wave<level_3_kit>& row, const wave_member& m) {
    const int k = m.index;
    const bool from_right = k % 2 == 0;
    const bool from_top = k < 2;
    const int x_draw = random_below(60);
    const int x = (from_right ? 375 : field_x) + x_draw;
    const int y = from_top ? 0 : screen_height - row.kind->size.h;
    enemy* e = new_enemy_of(kit.base, *row.kind, x, y, m.spawn_ms);
    add_move(e, entry_path, from_right ? -2 : 2, from_top ? 2 : -2, 5000);
    return e;
}

// Member k of a ghost row drops in at its sixth of the field's width, then
// veers towards the middle, fires its fan and falls away at the row's speed.
enemy* new_ghost(const level_3_kit& kit, const wave<level_3_kit>& row, const wave_member& m) {
    constexpr int lane_width = 65;
    const int k = m.index;
    const int x_draw = random_below(30);
    const int veer_draw = random_below(50);
    enemy* e = new_enemy_of(kit.base, *row.kind, field_x + lane_width * k + x_draw, 0, m.spawn_ms);
    add_move(e, entry_path, 0, 2, 40);
    add_move(e, entry_path, k < 3 ? 2 : -2, 2, 25 + veer_draw);
    add_step(e, fire_step(kit.base, kit.*row.fires, 10), main_path);
    add_move(e, main_path, 0, row.speed, 5000);
    return e;
}

// A beetle fires its fan once on arrival, sidesteps, then crosses the field.
enemy* new_beetle(const level_3_kit& kit, const enemy_kind& kind, int x, int y, int spawn_ms,
                  const shot_pattern& fan, int side_dx, int side_dy, int cross_dx, int cross_dy) {
    enemy* e = new_enemy_of(kit.base, kind, x, y, spawn_ms);
    add_step(e, fire_step(kit.base, fan, 10), entry_path);
    add_move(e, main_path, side_dx, side_dy, 10);
    add_move(e, final_path, cross_dx, cross_dy, 5000);
    return e;
}

// A group is one beetle from each edge: below, above, left, right, each
// drawing its place along its edge just before it is made.
enemy* edge_beetle(const level_3_kit& kit, const wave<level_3_kit>&, const wave_member& m) {
    const int t = m.spawn_ms;
    if (m.index == 0) {
        const int x = random_below(300);
        const int y = screen_height - beetle_below.size.h;
        return new_beetle(kit, beetle_below, 170 + x, y, t, kit.beetle_fan_up, 2, 0, 0, -3);
    }
    if (m.index == 1) {
        const int x = random_below(300);
        return new_beetle(kit, beetle_above, 170 + x, 0, t, kit.beetle_fan_down, -2, 0, 0, 3);
    }
    if (m.index == 2) {
        const int y = random_below(421);
        return new_beetle(kit, beetle_left, field_x, y, t, kit.beetle_fan_right, 0, 2, 3, 0);
    }
    const int y = random_below(421);
    const int x = field_end_x - beetle_right.size.w;
    return new_beetle(kit, beetle_right, x, y, t, kit.beetle_fan_left, 0, -2, -3, 0);
}

using kit = level_3_kit;
// clang-format off
constexpr wave<kit> waves[] = {
    // first ms, every ms, groups, members, kind, entry, fires, path, speed
    {2500,  1000, 11, 4, &bat,        nullptr, nullptr,              new_bat},
    {14000, 1000, 14, 6, &blue_ghost, nullptr, &kit::blue_ghost_fan, new_ghost, 2},
    {32000, 2000, 16, 4, &beetle,     nullptr, nullptr,              edge_beetle},
    {65000, 1000, 32, 6, &blue_ghost, nullptr, &kit::blue_ghost_fan, new_ghost, 4},
};
// clang-format on
constexpr int enemy_total = 385;
static_assert(wave_enemies(waves) + 1 == enemy_total);

// The boss: bursts from its mouth while it walks, then barrages from claws
// and mouth while it walks two rectangles.
using enum bullet_colour;
// From the monster's mouth: three falling, one rising, two to the sides.
// clang-format off
constexpr bullet_spec boss_burst[] = {
    {large_red, {92, 87}, {0, 1}, {0.0, 1.01}},   {large_blue, {92, 87}, {0, 1}, {0.0, 1.009}},
    {large_green, {92, 87}, {0, 1}, {0.0, 1.008}}, {large_red, {92, 87}, {0, -1}, {0.0, 1.05}},
    {large_red, {92, 87}, {1, 0}, {1.05, 0.0}},   {large_red, {92, 87}, {-1, 0}, {1.05, 0.0}}};
// All ten fire: four from the claws outwards, three down and three up from
// the mouth.
constexpr bullet_spec boss_barrage[] = {
    {small_green, {175, 53}, {1, 0}, {1.01, 0.0}},  {small_green, {175, 127}, {1, 0}, {1.01, 0.0}},
    {small_green, {16, 53}, {-1, 0}, {1.01, 0.0}},  {small_green, {16, 127}, {-1, 0}, {1.01, 0.0}},
    {large_red, {92, 87}, {0, 1}, {0.0, 1.01}},     {large_blue, {92, 87}, {0, 1}, {0.0, 1.009}},
    {large_green, {92, 87}, {0, 1}, {0.0, 1.008}},  {large_red, {92, 87}, {0, -1}, {0.0, 1.01}},
    {large_blue, {92, 87}, {0, -1}, {0.0, 1.009}},  {large_green, {92, 87}, {0, -1}, {0.0, 1.008}}};

// Walks in to x 220 and waits, then stands and bursts, swinging left, right
// and back.
constexpr path_row entry_swing[] = {
    volley(boss_burst, 10, 0, 0, 5), volley(boss_burst, 10, -3, 0, 3),
    volley(boss_burst, 10, 3, 0, 6), volley(boss_burst, 10, -3, 0, 3)};
constexpr path_row entry[] = {walk(-4, 0, 71), rest(100), repeat(entry_swing, 2)};

// Stands and bursts, swings left, right across the field, back up-left and
// down-left, then right: from (220, 50) back to (220, 50).
constexpr path_row burst_block[] = {
    volley(boss_burst, 10, 0, 0, 10), volley(boss_burst, 10, -3, 0, 6),
    volley(boss_burst, 10, 3, 0, 12),  volley(boss_burst, 10, -3, -1, 6),
    volley(boss_burst, 10, -3, 1, 6),  volley(boss_burst, 10, 3, 0, 6)};
constexpr path_row main_phase[] = {repeat(burst_block, 2)};

// Walks two rectangles down to y 290 under barrage fire, then a burst block.
constexpr path_row barrage_block[] = {
    volley(boss_barrage, 10, 0, 0, 15), volley(boss_barrage, 30, 3, 0),
    volley(boss_barrage, 20, 0, 3, 4),  volley(boss_barrage, 30, -3, 0, 2),
    volley(boss_barrage, 20, 0, -3, 4), volley(boss_barrage, 10, 3, 0, 6),
    volley(boss_barrage, 20, 0, 3, 4),  volley(boss_barrage, 30, -3, 0, 2),
    volley(boss_barrage, 20, 0, -3, 4), volley(boss_barrage, 30, 3, 0),
    repeat(burst_block, 1)};
constexpr path_row final_phase[] = {repeat(barrage_block, 2)};
// clang-format on

} // namespace

// clang-format off
constexpr boss_record level_3_boss{.kind = &cave_monster, .x = 504, .y = 50, .spawn_ms = 108000,
    .entry = entry, .main = main_phase, .final_phase = final_phase};
// clang-format on

const level_config level_3_config = with_build(
    settings, build_from_waves<make_kit, waves, boss_of<level_3_boss, level_3_kit>, enemy_total>);
