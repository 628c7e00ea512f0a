// Level 6, the final boss alone: four guns turning their lines of fire in
// red, blue and green, rains of slowly falling bullets, and a triangle of
// moves between volleys, over a backdrop that cycles through three tints
// once the warning has shown.
#include "engine/level_run.h"
#include "levels/level_kit.h"
#include "levels/levels.h"

namespace {

// Each kind a packed record.
// clang-format off
constexpr enemy_kind last_boss{.tag = "BOSS", .picture = slot_last_boss1,
    .second_picture = slot_last_boss2, .flash_picture = slot_last_boss_flash, .size = {269, 285},
    .hit_points = 2000, .shot_slots = 500, .colour = 0,
    .explosion = {slot_explosion_boss1, 16, 60, 192, 192}, .reach = {60, 60}, .score = 10000,
    .hold_main = 1, .final_mode = final_repeat, .anim_switch = 3, .anim_period = 6};
// clang-format on

constexpr int boss_spawn_ms = 12000;

// The four guns, in firing order.
constexpr int gun_x[4] = {28, 225, 40, 213};
constexpr int gun_y[4] = {35, 35, 232, 232};

struct velocity {
    int x, y;
};

// Two velocities from each gun in gun order: 8 large bullets.
shot_pattern gun_pattern(const bullet_look& look, velocity first, velocity second,
                         double accel_y = 1.0) {
    shot_pattern pattern{};
    for (int gun = 0; gun < 4; ++gun) {
        for (const velocity v : {first, second}) {
            add_template(pattern, accelerating_bullet(look, {.from = {gun_x[gun], gun_y[gun]},
                                                             .speed = {v.x, v.y},
                                                             .accel = {1.0, accel_y}}));
        }
    }
    return pattern;
}

// The four steps of a turn of one colour: horizontal, falling diagonal,
// vertical, rising diagonal; 2 frames each, standing still.
struct colour_turn {
    move_step* steps[4];
};

colour_turn make_turn(const level_kit& base, const bullet_look& look, int speed) {
    const shot_pattern turn[4] = {
        gun_pattern(look, {speed, 0}, {-speed, 0}),
        gun_pattern(look, {4, speed}, {-4, -speed}),
        gun_pattern(look, {0, speed}, {0, -speed}),
        gun_pattern(look, {-4, speed}, {4, -speed}),
    };
    colour_turn out{};
    for (int i = 0; i < 4; ++i) out.steps[i] = fire_step(base, turn[i], 2);
    return out;
}

struct level_6_kit {
    level_kit base;
    colour_turn red, blue, green;
    move_step* red_rain;
    move_step* blue_rain;
    move_step* green_rain;
};

level_6_kit make_kit(const asset_table& assets) {
    const bullet_looks b = catalogue_bullets(assets);
    level_6_kit kit{};
    kit.base = make_level_kit(assets);
    // Red bullets fly at 4, blue at 6, green at 8.
    kit.red = make_turn(kit.base, b.large_red, 4);
    kit.blue = make_turn(kit.base, b.large_blue, 6);
    kit.green = make_turn(kit.base, b.large_green, 8);
    // Rains fall faster and faster, green fastest.
    kit.red_rain = fire_step(kit.base, gun_pattern(b.large_red, {1, 1}, {-1, 1}, 1.03), 6);
    kit.blue_rain = fire_step(kit.base, gun_pattern(b.large_blue, {1, 1}, {-1, 1}, 1.04), 6);
    kit.green_rain = fire_step(kit.base, gun_pattern(b.large_green, {1, 1}, {-1, 1}, 1.05), 6);
    return kit;
}

void add_turns(enemy* boss, path_kind path, const colour_turn& turn, int times) {
    for (int i = 0; i < times; ++i)
        for (move_step* step : turn.steps) add_step(boss, step, path);
}

void add_full_turns(enemy* boss, path_kind path, const level_6_kit& kit, int times) {
    for (int i = 0; i < times; ++i) {
        add_turns(boss, path, kit.red, 1);
        add_turns(boss, path, kit.blue, 1);
        add_turns(boss, path, kit.green, 1);
    }
}

// The three moves of the triangle: up-left, right, down-left, back home.
struct triangle {
    move_step* moves[3];
};

triangle make_triangle() { return {{new_step(-5, -5, 8), new_step(5, 0, 16), new_step(-5, 5, 8)}}; }

enemy* new_last_boss(const level_6_kit& kit) {
    enemy* boss = new_enemy_of(kit.base, last_boss, 506, 40, boss_spawn_ms);
    const triangle tri = make_triangle();

    // Entry: in from the right to x 191, a pause, then three blocks of
    // turns, one move of the triangle after each.
    add_move(boss, entry_path, -5, 0, 63);
    add_move(boss, entry_path, 0, 0, 30);
    add_move(boss, entry_path, 0, 0, 100);
    move_step* rest_10 = new_step(0, 0, 10);
    move_step* rest_20 = new_step(0, 0, 20);
    for (move_step* move : tri.moves) {
        add_turns(boss, entry_path, kit.red, 20);
        add_step(boss, rest_10, entry_path);
        add_turns(boss, entry_path, kit.blue, 20);
        add_step(boss, rest_10, entry_path);
        add_turns(boss, entry_path, kit.green, 20);
        add_step(boss, rest_20, entry_path);
        add_step(boss, move, entry_path);
    }
    add_step(boss, rest_20, entry_path);

    // Main: rain then turns of each colour, a move after each round.
    for (move_step* move : tri.moves) {
        add_steps(boss, main_path, kit.red_rain, 20);
        add_turns(boss, main_path, kit.red, 20);
        add_steps(boss, main_path, kit.blue_rain, 20);
        add_turns(boss, main_path, kit.blue, 20);
        add_steps(boss, main_path, kit.green_rain, 20);
        add_turns(boss, main_path, kit.green, 20);
        add_step(boss, move, main_path);
    }

    // Final, from 1000 hit points down: full turns, a move after each round.
    for (move_step* move : tri.moves) {
        add_step(boss, rest_20, final_path);
        add_full_turns(boss, final_path, kit, 20);
        add_step(boss, move, final_path);
    }
    return boss;
}

level_script build_level_6(const asset_table& assets) {
    return build_boss_alone(make_kit(assets), new_last_boss);
}

// The plain backdrop until the first warning banner, then red, blue and green
// for 100 frames each, over and over.
constexpr int frames_per_tint = 100;
constexpr int tint_cycle = 3 * frames_per_tint;

// The level's own record: frames into the current cycle.
struct tint_cycle_state {
    int counter;
};

int tinted_backdrop(level_run& run) {
    int& counter = own_record<tint_cycle_state>(run).counter;
    int slot = slot_enterprise;
    if (run.state.warning_seen) {
        if (counter < frames_per_tint)
            slot = slot_enterprise_rouge;
        else if (counter < 2 * frames_per_tint)
            slot = slot_enterprise_bleu;
        else
            slot = slot_enterprise_vert;
        counter += 1;
        if (counter == tint_cycle) counter = 0;
    }
    return slot;
}

} // namespace

// The settings, packed by concern: music, backdrop, scrolling, boss, hooks.
// clang-format off
const level_config level_6_config = {
    .title_card = slot_level_card_first + 5, .stage_music = no_slot, .boss_music = slot_music_boss6,
    .backdrop = backdrop_kind::scrolling, .first_picture = slot_enterprise,
    .outro_picture = slot_enterprise_gris, .third_step_from_ms = 0,
    .warning_time = 6000, .boss_bar_scale = 0.035475,
    .build = build_level_6, .make_own = make_own_record<tint_cycle_state>,
    .choose_backdrop = tinted_backdrop};
// clang-format on
