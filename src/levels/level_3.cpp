// Level 3, the cave: bats crossing the field diagonally, blue ghosts dropping
// from the top, beetles crawling in from all four edges with three-shot fans,
// and a cave monster as boss, over the animated cave instead of a sky.
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
    shot_pattern boss_burst, boss_barrage;
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
    // From the monster's mouth: three falling, one rising, two to the sides.
    kit.boss_burst = make_pattern({{b.large_red, {92, 87}, {0, 1}, {0.0, 1.01}},
                                   {b.large_blue, {92, 87}, {0, 1}, {0.0, 1.009}},
                                   {b.large_green, {92, 87}, {0, 1}, {0.0, 1.008}},
                                   {b.large_red, {92, 87}, {0, -1}, {0.0, 1.05}},
                                   {b.large_red, {92, 87}, {1, 0}, {1.05, 0.0}},
                                   {b.large_red, {92, 87}, {-1, 0}, {1.05, 0.0}}});
    // All ten fire: four from the claws outwards, three down and three up from
    // the mouth.
    kit.boss_barrage = make_pattern({{b.small_green, {175, 53}, {1, 0}, {1.01, 0.0}},
                                     {b.small_green, {175, 127}, {1, 0}, {1.01, 0.0}},
                                     {b.small_green, {16, 53}, {-1, 0}, {1.01, 0.0}},
                                     {b.small_green, {16, 127}, {-1, 0}, {1.01, 0.0}},
                                     {b.large_red, {92, 87}, {0, 1}, {0.0, 1.01}},
                                     {b.large_blue, {92, 87}, {0, 1}, {0.0, 1.009}},
                                     {b.large_green, {92, 87}, {0, 1}, {0.0, 1.008}},
                                     {b.large_red, {92, 87}, {0, -1}, {0.0, 1.01}},
                                     {b.large_blue, {92, 87}, {0, -1}, {0.0, 1.009}},
                                     {b.large_green, {92, 87}, {0, -1}, {0.0, 1.008}}});
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

// The boss's steps, shared by every block that uses them.
struct monster_steps {
    move_step *burst, *burst_left, *burst_right, *burst_up_left, *burst_down_left;
    move_step *barrage, *barrage_right_long, *barrage_down, *barrage_left, *barrage_up,
        *barrage_right;
};

// The runs of steps of a block, packed a leg of the walk to a line.
// clang-format off
// Stands and bursts, swings left, right across the field, back up-left and
// down-left, then right: from (220, 50) back to (220, 50).
void add_burst_block(enemy* boss, path_kind path, const monster_steps& s) {
    add_runs(boss, path, {{s.burst, 10}, {s.burst_left, 6}, {s.burst_right, 12},
                          {s.burst_up_left, 6}, {s.burst_down_left, 6}, {s.burst_right, 6}});
}

// Walks two rectangles down to y 290 under barrage fire, then a burst block.
void add_barrage_block(enemy* boss, const monster_steps& s) {
    add_runs(boss, final_path, {{s.barrage, 15}, {s.barrage_right_long, 1},
                                {s.barrage_down, 4}, {s.barrage_left, 2}, {s.barrage_up, 4},
                                {s.barrage_right, 6},
                                {s.barrage_down, 4}, {s.barrage_left, 2}, {s.barrage_up, 4},
                                {s.barrage_right_long, 1}});
    add_burst_block(boss, final_path, s);
}
// clang-format on

enemy* new_boss(const level_3_kit& kit) {
    enemy* boss = new_enemy_of(kit.base, cave_monster, 504, 50, 108000);
    monster_steps s{};
    s.burst = fire_step(kit.base, kit.boss_burst, 10);
    s.burst_left = fire_step(kit.base, kit.boss_burst, 10, -3, 0);
    s.burst_right = fire_step(kit.base, kit.boss_burst, 10, 3, 0);
    s.burst_up_left = fire_step(kit.base, kit.boss_burst, 10, -3, -1);
    s.burst_down_left = fire_step(kit.base, kit.boss_burst, 10, -3, 1);
    s.barrage = fire_step(kit.base, kit.boss_barrage, 10);
    s.barrage_right_long = fire_step(kit.base, kit.boss_barrage, 30, 3, 0);
    s.barrage_down = fire_step(kit.base, kit.boss_barrage, 20, 0, 3);
    s.barrage_left = fire_step(kit.base, kit.boss_barrage, 30, -3, 0);
    s.barrage_up = fire_step(kit.base, kit.boss_barrage, 20, 0, -3);
    s.barrage_right = fire_step(kit.base, kit.boss_barrage, 10, 3, 0);

    // Walks in to x 220 and waits before the first burst.
    add_move(boss, entry_path, -4, 0, 71);
    add_move(boss, entry_path, 0, 0, 100);
    for (int twice = 0; twice < 2; ++twice) {
        add_runs(boss, entry_path,
                 {{s.burst, 5}, {s.burst_left, 3}, {s.burst_right, 6}, {s.burst_left, 3}});
    }
    for (int twice = 0; twice < 2; ++twice) add_burst_block(boss, main_path, s);
    for (int twice = 0; twice < 2; ++twice) add_barrage_block(boss, s);
    return boss;
}

} // namespace

const level_config level_3_config =
    with_build(settings, build_from_waves<make_kit, waves, new_boss, enemy_total>);
