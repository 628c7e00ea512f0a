// Level 1, the sky: ghosts from behind both side panels, fairies sweeping the
// field with star volleys, twin-engined planes, and a large plane as boss.
#include "engine/level_engine.h"
#include "levels/level_kit.h"
#include "levels/levels.h"
#include "levels/shared_kinds.h"
#include "support/rect_random.h"

namespace {

// The first pair is "FEE1" with 50 hit points; the tag and hit points vary.
constexpr enemy_kind fairy{.tag = "FEE",
                           .picture = slot_fee1,
                           .second_picture = slot_fee2,
                           .flash_picture = slot_fee1_flash,
                           .second_flash_picture = slot_fee2_flash,
                           .size = {45, 74},
                           .hit_points = 25,
                           .shot_slots = 500,
                           .colour = 1,
                           .explosion = {slot_explosion1, 16, 40, 64, 64},
                           .reach = {20, 32},
                           .score = 50,
                           .alt_explosion = slot_explosion8};

constexpr enemy_kind boss_plane{.tag = "BOSS",
                                .picture = slot_boss_plane,
                                .second_picture = slot_boss_plane1,
                                .flash_picture = slot_boss_plane_flash,
                                .second_flash_picture = slot_boss_plane1_flash,
                                .size = {234, 217},
                                .hit_points = 750,
                                .shot_slots = 500,
                                .colour = 0,
                                .explosion = {slot_explosion_boss1, 16, 60, 192, 192},
                                .reach = {75, 4},
                                .score = 500,
                                .hold_main = 1,
                                .final_mode = final_repeat};

struct level_1_kit {
    level_kit base;
    shot_pattern ghost_fan, blue_ghost_fan, fairy_star, twin_ring;
    shot_pattern boss_spray, boss_nose_fan, boss_wing_fans, boss_green_fans, boss_big_fan;
};

level_1_kit make_kit(const asset_table& assets) {
    const bullet_looks b = catalogue_bullets(assets);
    level_1_kit kit{};
    kit.base = make_level_kit(assets);
    kit.ghost_fan = ghost_fan(b.small_red);
    kit.blue_ghost_fan = ghost_fan(b.small_blue);
    kit.fairy_star = make_pattern({bullet(b.small_blue, {.from = {15, 26}, .speed = {0, 3}}),
                                   bullet(b.small_blue, {.from = {15, 26}, .speed = {3, 3}}),
                                   bullet(b.small_blue, {.from = {15, 26}, .speed = {-3, 3}}),
                                   bullet(b.small_blue, {.from = {15, 26}, .speed = {0, -3}}),
                                   bullet(b.small_blue, {.from = {15, 26}, .speed = {-3, -3}}),
                                   bullet(b.small_blue, {.from = {15, 26}, .speed = {3, -3}})});
    kit.twin_ring = make_pattern({bullet(b.small_green, {.from = {42, 72}, .speed = {0, 2}}),
                                  bullet(b.small_green, {.from = {42, 72}, .speed = {0, -2}}),
                                  bullet(b.small_green, {.from = {42, 72}, .speed = {3, 0}}),
                                  bullet(b.small_green, {.from = {42, 72}, .speed = {-3, 0}}),
                                  bullet(b.small_green, {.from = {42, 72}, .speed = {3, 2}}),
                                  bullet(b.small_green, {.from = {42, 72}, .speed = {-3, 2}}),
                                  bullet(b.small_green, {.from = {42, 72}, .speed = {3, -2}}),
                                  bullet(b.small_green, {.from = {72, 72}, .speed = {-3, -2}})});
    kit.boss_spray = make_pattern({bullet(b.small_red, {.from = {107, 166}, .speed = {0, 2}}),
                                   bullet(b.small_red, {.from = {107, 166}, .speed = {2, 2}}),
                                   bullet(b.small_red, {.from = {107, 166}, .speed = {-2, 2}}),
                                   bullet(b.small_red, {.from = {122, 166}, .speed = {0, 2}}),
                                   bullet(b.small_red, {.from = {122, 166}, .speed = {2, 2}}),
                                   bullet(b.small_red, {.from = {122, 166}, .speed = {-2, 2}}),
                                   bullet(b.small_red, {.from = {107, 166}, .speed = {2, -2}}),
                                   bullet(b.small_red, {.from = {107, 166}, .speed = {-2, -2}}),
                                   bullet(b.small_red, {.from = {122, 166}, .speed = {2, -2}}),
                                   bullet(b.small_red, {.from = {122, 166}, .speed = {-2, -2}})});
    kit.boss_nose_fan = make_pattern({bullet(b.small_red, {.from = {112, 174}, .speed = {0, 2}}),
                                      bullet(b.small_red, {.from = {112, 174}, .speed = {2, 2}}),
                                      bullet(b.small_red, {.from = {112, 174}, .speed = {-2, 2}})});
    kit.boss_wing_fans =
        make_pattern({bullet(b.small_blue, {.from = {56, 88}, .speed = {1, 2}}),
                      bullet(b.small_blue, {.from = {56, 88}, .speed = {2, 2}}),
                      bullet(b.small_blue, {.from = {56, 88}, .speed = {3, 2}}),
                      bullet(b.small_blue, {.from = {170, 88}, .speed = {-1, 2}}),
                      bullet(b.small_blue, {.from = {170, 88}, .speed = {-2, 2}}),
                      bullet(b.small_blue, {.from = {170, 88}, .speed = {-3, 2}})});
    kit.boss_green_fans =
        make_pattern({bullet(b.small_green, {.from = {87, 46}, .speed = {0, 2}}),
                      bullet(b.small_green, {.from = {87, 46}, .speed = {1, 2}}),
                      bullet(b.small_green, {.from = {87, 46}, .speed = {-1, 2}}),
                      bullet(b.small_green, {.from = {138, 46}, .speed = {0, 2}}),
                      bullet(b.small_green, {.from = {138, 46}, .speed = {1, 2}}),
                      bullet(b.small_green, {.from = {138, 46}, .speed = {-1, 2}})});
    kit.boss_big_fan = make_pattern({bullet(b.large_red, {.from = {108, 27}, .speed = {1, 2}}),
                                     bullet(b.large_blue, {.from = {108, 27}, .speed = {2, 2}}),
                                     bullet(b.large_green, {.from = {108, 27}, .speed = {3, 2}}),
                                     bullet(b.large_red, {.from = {108, 27}, .speed = {-1, 2}}),
                                     bullet(b.large_blue, {.from = {108, 27}, .speed = {-2, 2}}),
                                     bullet(b.large_green, {.from = {108, 27}, .speed = {-3, 2}}),
                                     bullet(b.large_red, {.from = {108, 27}, .speed = {0, 3}})});
    return kit;
}

enum class ghost_colour { red, blue };

enemy* new_ghost(const level_1_kit& kit, ghost_colour colour, int x, int y, int spawn_ms) {
    const enemy_kind& kind = colour == ghost_colour::red ? ghost : blue_ghost;
    return new_enemy_of(kit.base, kind, x, y, spawn_ms);
}

// Members 0 to 5 fly in from behind a side panel, fire once and leave.
enemy* side_ghost(const level_1_kit& kit, ghost_colour colour, const side_row_shape& shape, int k,
                  int spawn_ms, const shot_pattern& fan) {
    const entry_plan plan = plan_side_entry(shape, k);
    enemy* e = new_ghost(kit, colour, plan.x, plan.y, spawn_ms);
    add_side_entry(e, plan);
    add_step(e, fire_step(kit.base, fan, 10), main_path);
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

enemy* new_fairy(const level_1_kit& kit, bool left, const char* tag, int hit_points, int spawn_ms) {
    enemy_kind kind = fairy;
    kind.tag = tag;
    kind.hit_points = hit_points;
    enemy* e = new_enemy_of(kit.base, kind, left ? 93 : 502, 0, spawn_ms);
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

enemy* new_twin_plane(const level_1_kit& kit, bool from_right, int spawn_ms) {
    const int y_draw = random_below(40);
    enemy* e = new_enemy_of(kit.base, twin_plane, from_right ? 512 : 46, 92 + y_draw, spawn_ms);
    const int in = from_right ? -1 : 1;
    add_move(e, entry_path, 2 * in, 0, 50);
    add_steps(e, main_path, fire_step(kit.base, kit.twin_ring, 9, 2 * in, -2), 5);
    add_steps(e, main_path, fire_step(kit.base, kit.twin_ring, 10, 3 * in, 4), 10);
    add_move(e, final_path, 2 * in, 0, 5000);
    return e;
}

enemy* new_boss(const level_1_kit& kit) {
    enemy* boss = new_enemy_of(kit.base, boss_plane, 503, 61, 111000);

    add_move(boss, entry_path, -4, 0, 75);
    add_move(boss, entry_path, 0, 0, 50);
    add_move(boss, entry_path, 0, 0, 100);
    add_steps(boss, entry_path, fire_step(kit.base, kit.boss_spray, 10), 5);
    move_step* spray_left = fire_step(kit.base, kit.boss_spray, 10, -2, 0);
    move_step* spray_right = fire_step(kit.base, kit.boss_spray, 10, 2, 0);
    for (int twice = 0; twice < 2; ++twice) {
        add_steps(boss, entry_path, spray_left, 3);
        add_steps(boss, entry_path, spray_right, 6);
        add_steps(boss, entry_path, spray_left, 3);
    }

    add_move(boss, main_path, 0, 0, 50);
    auto three_fans = [&](int dx, int times) {
        move_step* nose = fire_step(kit.base, kit.boss_nose_fan, 10, dx, 0);
        move_step* wings = fire_step(kit.base, kit.boss_wing_fans, 10, dx, 0);
        move_step* green = fire_step(kit.base, kit.boss_green_fans, 10, dx, 0);
        for (int i = 0; i < times; ++i) {
            add_step(boss, nose, main_path);
            add_step(boss, wings, main_path);
            add_step(boss, green, main_path);
        }
    };
    for (int twice = 0; twice < 2; ++twice) {
        three_fans(-1, 3);
        three_fans(1, 6);
        three_fans(-1, 3);
    }

    add_move(boss, final_path, 0, 0, 50);
    move_step* big_left = fire_step(kit.base, kit.boss_big_fan, 10, -3, 0);
    move_step* big_up_right = fire_step(kit.base, kit.boss_big_fan, 10, 3, -2);
    move_step* big_down_right = fire_step(kit.base, kit.boss_big_fan, 10, 3, 2);
    for (int round = 0; round < 5; ++round) {
        add_steps(boss, final_path, big_left, 3);
        add_steps(boss, final_path, big_up_right, 3);
        add_steps(boss, final_path, big_down_right, 3);
        add_steps(boss, final_path, big_left, 3);
    }
    return boss;
}

constexpr side_row_shape blue_wave_shape{
    {15, 15, 80, 80, 80, 80}, {20, 20, 60, 60, 100, 100}, true};

constexpr int first_rows = 7, second_rows = 18, blue_rows = 7;
constexpr int twin_planes = 12, later_fairy_pairs = 6;
constexpr int enemy_total =
    6 * first_rows + 12 * second_rows + 2 + 6 * blue_rows + twin_planes + 2 * later_fairy_pairs + 1;
static_assert(enemy_total == 327);

level_script build_level_1(const asset_table& assets) {
    const level_1_kit kit = make_kit(assets);

    enemy* first_wave[first_rows][6];
    for (int i = 0; i < first_rows; ++i)
        for (int k = 0; k < 6; ++k)
            first_wave[i][k] =
                side_ghost(kit, ghost_colour::red, side_rows, k, 8000 - 1000 * i, kit.ghost_fan);

    enemy* second_wave[second_rows][12];
    for (int i = 0; i < second_rows; ++i)
        for (int k = 0; k < 12; ++k)
            second_wave[i][k] = k < 6 ? side_ghost(kit, ghost_colour::red, side_rows_open, k,
                                                   29000 - 1000 * i, kit.ghost_fan)
                                      : rising_ghost(kit.base, kit.ghost_fan, k, 29000 - 1000 * i);

    enemy* first_pair_left = new_fairy(kit, true, "FEE1", 50, 31000);
    enemy* first_pair_right = new_fairy(kit, false, "FEE", 50, 31000);

    enemy* blue_wave[blue_rows][6];
    for (int i = 0; i < blue_rows; ++i)
        for (int k = 0; k < 6; ++k)
            blue_wave[i][k] = side_ghost(kit, ghost_colour::blue, blue_wave_shape, k,
                                         40500 - 1000 * i, kit.blue_ghost_fan);

    enemy* planes[twin_planes];
    for (int k = 0; k < twin_planes; ++k)
        planes[k] = new_twin_plane(kit, k % 2 == 0, 66000 - 2000 * k);

    enemy* pairs[later_fairy_pairs][2];
    for (int j = 0; j < later_fairy_pairs; ++j) {
        pairs[j][0] = new_fairy(kit, true, "FEE", 25, 87000 - 3000 * j);
        pairs[j][1] = new_fairy(kit, false, "FEE", 25, 89000 - 3000 * j);
    }

    enemy* boss = new_boss(kit);

    // Each queued enemy goes to the front: the last queued leaves first.
    queue_builder queue = make_queue_builder(enemy_total);
    queue_in_order(queue, boss);
    for (auto& pair : pairs) {
        queue_in_order(queue, pair[0]);
        queue_in_order(queue, pair[1]);
    }
    for (enemy* plane : planes) queue_in_order(queue, plane);
    for (auto& row : blue_wave)
        for (enemy* e : row) queue_in_order(queue, e);
    queue_in_order(queue, first_pair_right);
    queue_in_order(queue, first_pair_left);
    for (auto& row : second_wave)
        for (enemy* e : row) queue_in_order(queue, e);
    for (auto& row : first_wave)
        for (enemy* e : row) queue_in_order(queue, e);
    return finish_script(boss, queue);
}

constexpr level_config level_1_config = {
    .title_card = slot_level_card_first,
    .stage_music = slot_music_prayer,
    .boss_music = slot_music_boss,
    .backdrop = backdrop_kind::scrolling,
    .first_picture = slot_ciel,
    .second_picture = slot_ciel1,
    .switch_ms = 42000,
    .flash_picture = slot_blanc,
    .outro_picture = slot_ciel_vieux,
    .warning_time = 105000,
    .boss_bar_scale = 0.0946,
    .build = build_level_1,
};

} // namespace

void play_level_1(SDL_Surface* screen, int difficulty, int incoming_score, int frame_ms,
                  game_result* result, const asset_table& assets) {
    play_level(level_1_config, screen, difficulty, incoming_score, frame_ms, result, assets);
}
