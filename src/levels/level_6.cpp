// Level 6, the final boss alone: four guns turning their lines of fire in
// red, blue and green, rains of slowly falling bullets, and a triangle of
// moves between volleys, over a backdrop that cycles through three tints
// once the warning has shown.
#include "engine/level_run.h"
#include "levels/boss_table.h"
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

using enum bullet_colour;
// The four guns, in firing order.
constexpr launch_point guns[] = {{28, 35}, {225, 35}, {40, 232}, {213, 232}};

// The four volleys of a turn of one colour: horizontal, falling diagonal,
// vertical, rising diagonal, two bullets from each gun; 2 frames each,
// standing still.
template <bullet_colour look, int speed> constexpr auto turn_of() {
    constexpr accel_factors steady = {1.0, 1.0};
    return std::array{from_each_gun(look, guns, {{speed, 0}, {-speed, 0}}, steady),
                      from_each_gun(look, guns, {{4, speed}, {-4, -speed}}, steady),
                      from_each_gun(look, guns, {{0, speed}, {0, -speed}}, steady),
                      from_each_gun(look, guns, {{-4, speed}, {4, -speed}}, steady)};
}
// Red bullets fly at 4, blue at 6, green at 8.
constexpr auto red_fans = turn_of<large_red, 4>();
constexpr auto blue_fans = turn_of<large_blue, 6>();
constexpr auto green_fans = turn_of<large_green, 8>();
constexpr auto red_turn = volleys_in_order(red_fans, std::to_array({0, 1, 2, 3}), 2);
constexpr auto blue_turn = volleys_in_order(blue_fans, std::to_array({0, 1, 2, 3}), 2);
constexpr auto green_turn = volleys_in_order(green_fans, std::to_array({0, 1, 2, 3}), 2);
constexpr path_row full_turn[] = {repeat(red_turn, 1), repeat(blue_turn, 1), repeat(green_turn, 1)};

// Rains fall faster and faster, green fastest.
constexpr auto red_rain = from_each_gun(large_red, guns, {{1, 1}, {-1, 1}}, {1.0, 1.03});
constexpr auto blue_rain = from_each_gun(large_blue, guns, {{1, 1}, {-1, 1}}, {1.0, 1.04});
constexpr auto green_rain = from_each_gun(large_green, guns, {{1, 1}, {-1, 1}}, {1.0, 1.05});

// The three moves of the triangle: up-left, right, down-left, back home.
constexpr path_row up_left = walk(-5, -5, 8), right = walk(5, 0, 16), down_left = walk(-5, 5, 8);

// Entry: in from the right to x 191, a pause, then three blocks of turns, one
// move of the triangle after each.
constexpr path_row turn_block[] = {repeat(red_turn, 20),   rest(10),
                                   repeat(blue_turn, 20),  rest(10),
                                   repeat(green_turn, 20), rest(20)};
constexpr path_row entry[] = {walk(-5, 0, 63), rest(30),
                              rest(100),       repeat(turn_block, 1),
                              up_left,         repeat(turn_block, 1),
                              right,           repeat(turn_block, 1),
                              down_left,       rest(20)};

// Main: rain then turns of each colour, a move after each round.
constexpr path_row rain_block[] = {volley(red_rain, 6, 0, 0, 20),   repeat(red_turn, 20),
                                   volley(blue_rain, 6, 0, 0, 20),  repeat(blue_turn, 20),
                                   volley(green_rain, 6, 0, 0, 20), repeat(green_turn, 20)};
constexpr path_row main_phase[] = {repeat(rain_block, 1), up_left,  repeat(rain_block, 1), right,
                                   repeat(rain_block, 1), down_left};

// Final, from 1000 hit points down: full turns, a move after each round.
constexpr path_row final_block[] = {rest(20), repeat(full_turn, 20)};
constexpr path_row final_phase[] = {repeat(final_block, 1), up_left,  repeat(final_block, 1), right,
                                    repeat(final_block, 1), down_left};

level_script build_level_6(const asset_table& assets) {
    return build_boss_alone(make_level_kit(assets), boss_of<level_6_boss, level_kit>);
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

// clang-format off
constexpr boss_record level_6_boss{.kind = &last_boss, .x = 506, .y = 40, .spawn_ms = boss_spawn_ms,
    .entry = entry, .main = main_phase, .final_phase = final_phase};
// clang-format on

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
